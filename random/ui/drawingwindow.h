#pragma once

#include "base/ui/featurewindow.h"

#include <array>

class DrawChart;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class RowDrawing;

// "ARVONTA": draws the rows once, shows how the drawing goes and saves the rows.
class DrawingWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit DrawingWindow(AppContext& context);

protected:
    bool canClose() override { return state().DrawBusy == 0; }

private:
    void buildChartColumn(QHBoxLayout* top);
    void buildFigureColumn(QHBoxLayout* top);
    void load();
    void draw();
    void run(RowDrawing& drawing);
    // The figures of the run so far; `lastHits` are the basic signs of the last kept row.
    void showProgress(const RowDrawing& drawing, int lastHits);
    void save();
    void closeWindow();
    void setRunButtons(bool enabled);

    QHBoxLayout* top_ = nullptr; // chart and counters beside the figures
    QGroupBox* hitCountsBox_ = nullptr;
    QGroupBox* chartBox_ = nullptr;
    DrawChart* chart_ = nullptr;
    QLabel* chartRowCount_ = nullptr; // the row count under the chart's right end
    // Kept rows with 13, 12, 11 and 10 of the basic row's signs.
    std::array<QLabel*, 4> hitCounts_{};
    QPushButton* drawButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    // Values beside " RIVIMÄÄRÄ:", " ARVOTTU:", " HYVÄKSYTTY:", " SAMOJA HYLÄTTY:",
    // " PERUSMERKKEJÄ:" and " KESKIARVO:".
    QLabel* rowCountValue_ = nullptr;
    QLabel* drawnValue_ = nullptr;
    QLabel* acceptedValue_ = nullptr;
    QLabel* rejectedValue_ = nullptr;
    QLabel* basicSignsValue_ = nullptr;
    QLabel* averageValue_ = nullptr;
    QList<QWidget*> basicSignStats_; // the last two captions and values
};

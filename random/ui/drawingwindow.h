#pragma once

#include "base/ui/featurewindow.h"

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
    void draw();
    void run(RowDrawing& drawing);
    // The figures of the run so far; `lastHits` are the basic signs of the last kept row.
    void showProgress(const RowDrawing& drawing, int lastHits);
    void save();
    void closeWindow();
    void setRunButtons(bool enabled);

    QHBoxLayout* top_ = nullptr; // chart and counters beside the figures
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    DrawChart* Pic = nullptr;
    QLabel* pohja = nullptr;
    QLabel* os1 = nullptr;
    QLabel* os2 = nullptr;
    QLabel* os3 = nullptr;
    QLabel* os4 = nullptr;
    QPushButton* ar = nullptr;
    QPushButton* talleta = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QProgressBar* mittari = nullptr;
    // Values beside " RIVIMÄÄRÄ:", " ARVOTTU:", " HYVÄKSYTTY:", " SAMOJA HYLÄTTY:",
    // " PERUSMERKKEJÄ:" and " KESKIARVO:".
    QLabel* maara_ = nullptr;
    QLabel* arvottu_ = nullptr;
    QLabel* hyvaksytty_ = nullptr;
    QLabel* hylatty_ = nullptr;
    QLabel* perusmerkit_ = nullptr;
    QLabel* keskiarvo_ = nullptr;
    QList<QWidget*> basicSignStats_; // the last two captions and values
};

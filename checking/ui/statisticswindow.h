#pragma once

#include "base/ui/featurewindow.h"
#include "checking/statistics.h"

#include <QList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QListView;
class QPushButton;
class QStringListModel;
class QToolButton;

// The win and correct-row statistics: listing, the distribution of the
// correct signs, printing and deleting a statistics file.
class StatisticsWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit StatisticsWindow(AppContext& context);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    QGroupBox* buildDistributionBox();
    QHBoxLayout* buildFileChoice();
    QHBoxLayout* buildButtons();
    void connectSignals();
    // "L&opeta": the listing goes with the window.
    void closeWindow();
    void choose(int option);
    void list();
    void print();
    void remove();
    void totalDistribution();
    // Around every command: the pointer, the buttons and the distribution.
    void beginCommand();
    void endCommand();
    void tellUnreadable();
    void showDistribution(const Distribution& distribution);
    void showLines(const QStringList& lines, bool selectFirst);
    QString filePath();

    QString selectedFile_ = QStringLiteral("EIOO");
    QButtonGroup* fileOptions_ = nullptr;
    QComboBox* yearBox_ = nullptr;
    QListView* listing_ = nullptr;
    QStringListModel* lines_ = nullptr;
    QLabel* totallingYear_ = nullptr;    // the year being added to the total distribution
    QList<QList<QLabel*>> distribution_; // [sign][match]: L1, Lx, L2
    QPushButton* listButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* totalDistributionButton_ = nullptr;
    QToolButton* calculatorButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

#pragma once

#include "base/ui/featurewindow.h"
#include "systems/pruning.h"

#include <QElapsedTimer>
#include <optional>
#include <vector>

class ConditionEditor;
class CouponColumn;
class MatchNumbersBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
struct CountOutcome;
struct CoveringResult;
template <class Result> class BackgroundJob;

// Karsinta: the player marks a frame and trims its full system with
// conditions, each switched on or off, and with per-match probabilities and
// the public's play. The count of rows kept follows every change at once (the
// work runs off the window's thread and the latest change wins). A guarantee
// can be searched inside the kept rows; the rows are saved as a new rows file
// and handed to the guarantee analysis, with the probabilities.
class PruningWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit PruningWindow(AppContext& context);

signals:
    // The window has shown what a count or a guarantee search ended with.
    void workDone();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* makeCountsBox();
    QGroupBox* makeGuaranteeBox();
    void layOut(QGroupBox* countsBox, QGroupBox* guaranteeBox);
    void bindKeys();
    void connectControls();
    void markClicked(int sign, int match);
    void showMarks();
    // The count
    std::optional<PruningSet> currentSet(QString& problem);
    void scheduleCount();
    void countEnded();
    // The guarantee
    void searchGuarantee();
    void showSearchProgress();
    void searchEnded();
    void stopWork();
    // Files
    void saveAndAnalyse();
    void saveConditions();
    void openConditions();
    void setBusy(bool busy);
    void restoreKeptWork();

    // The round a conditions file held, kept to be saved with the conditions again.
    std::optional<PoolRound> round_;
    std::vector<RowIndex> kept_;        // of the latest count
    std::optional<PruningSet> keptFor_; // the set the count was for
    std::vector<SignRow> covering_;     // a guarantee found inside the kept rows
    BackgroundJob<CountOutcome>* countJob_ = nullptr;
    BackgroundJob<CoveringResult>* searchJob_ = nullptr;
    std::optional<PruningSet> counting_; // the set of the count running whose end is wanted
    bool searching_ = false;             // a search runs whose end is wanted
    QElapsedTimer searchClock_;
    bool statusIsProblem_ = false; // the status tells why nothing can be counted

    CouponColumn* coupon_ = nullptr;
    QLabel* fullLabel_ = nullptr;
    QLabel* keptLabel_ = nullptr;
    QLabel* chanceLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    ConditionEditor* editor_ = nullptr;
    MatchNumbersBox* numbersBox_ = nullptr;
    QComboBox* guaranteeBox_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* saveConditionsButton_ = nullptr;
    QPushButton* openConditionsButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QTimer* clockTick_ = nullptr;
};

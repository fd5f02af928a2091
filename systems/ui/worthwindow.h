#pragma once

#include "base/sharedstate.h"
#include "base/ui/featurewindow.h"
#include "systems/pruning.h"
#include "systems/rowworth.h"

#include <array>
#include <optional>
#include <vector>

class CouponColumn;
class MatchNumbersBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class ReturnChart;
struct WorthOutcome;
template <class Result> class BackgroundJob;

// Odotusarvo: what rows are worth against the prize pool. The player gives
// their chances and the public's play (the pruning window's table), the
// round (rows sold, the four pools, the row's price; typed, or kept with the
// numbers in a conditions file), and the rows: those in memory or a rows or
// own-system file. The window shows the report, the chance of each return
// and every row's part of the expected return. "Parhaat rivit..." chooses
// the rows worth most together inside the frame marked on the coupon, saves
// them as a new rows file and hands them to the guarantee analysis. The work
// runs off the window's thread; closing the window stops it.
class WorthWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit WorthWindow(AppContext& context);

signals:
    // The window has shown what a calculation ended with.
    void workDone();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What one calculation is asked: either the worth of rows, or the best rows of a frame.
    struct WorthTask {
        WorthModel model;
        std::vector<SignRow> rows;
        std::optional<Frame> bestOf;
        std::size_t bestCount = 0;
    };

    QGroupBox* makeRoundBox();
    QGroupBox* makeSourceBox();
    QGroupBox* makeResultBox();
    void layOut(QGroupBox* roundBox, QGroupBox* sourceBox, QGroupBox* resultBox);
    void bindKeys();
    void connectControls();
    void chooseFile();
    void useRows(const std::vector<SignRow>& rows, const QString& source);
    void markClicked(int sign, int match);
    void showMarks();
    std::optional<WorthModel> currentModel(QString& problem) const;
    std::optional<PoolRound> typedRound(QString& problem) const;
    void showRound(const PoolRound& round);
    void compute();
    void chooseBest();
    void start(const WorthTask& task);
    void stopWork();
    void workEnded();
    void finishBest(const WorthTask& task, const std::optional<std::vector<SignRow>>& best);
    void showReport(const WorthReport& report);
    void clearReport(const QString& status);
    void openRound();
    void saveRound();
    void setRunning(bool running);

    std::vector<SignRow> rows_;
    MatchTable marks_{};
    // The frame and conditions of a conditions file opened here, so saving
    // the round into it again keeps them.
    PruningSet opened_;
    BackgroundJob<WorthOutcome>* job_ = nullptr;
    std::optional<WorthTask> task_; // of the work running whose end is wanted

    CouponColumn* coupon_ = nullptr;
    MatchNumbersBox* numbersBox_ = nullptr;
    QLineEdit* soldEdit_ = nullptr;
    std::array<QLineEdit*, 4> poolEdits_{};
    QLineEdit* priceEdit_ = nullptr;
    QPushButton* openRoundButton_ = nullptr;
    QPushButton* saveRoundButton_ = nullptr;
    QLabel* sourceLabel_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QPushButton* memoryButton_ = nullptr;
    QLabel* reportLabel_ = nullptr;
    ReturnChart* chart_ = nullptr;
    QTableWidget* rowList_ = nullptr;
    QSpinBox* bestCountBox_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QPushButton* computeButton_ = nullptr;
    QPushButton* bestButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

#pragma once

#include "base/sharedstate.h"
#include "base/ui/featurewindow.h"
#include "systems/frame.h"
#include "systems/guaranteeanalysis.h"
#include "systems/pruning.h"
#include "systems/ui/analysishandover.h"

#include <optional>
#include <vector>

class CouponColumn;
class OutcomeChart;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;
struct AnalysisOutcome;
template <class Result> class BackgroundJob;

// Takuuanalyysi: what a set of rows guarantees over a frame. The rows are
// those in memory (just drawn, expanded, read or found) or a rows or
// own-system file; the frame is marked on the coupon or typed as a pattern
// and at first holds the signs the rows play. Every change runs the analysis
// again off the window's thread.
class GuaranteeAnalysisWindow : public FeatureWindow, public Receives<AnalysisHandOver> {
    Q_OBJECT
public:
    explicit GuaranteeAnalysisWindow(AppContext& context);
    // The conditions of the pruning that kept the rows handed over.
    void receive(const AnalysisHandOver& handOver) override;

signals:
    // The window has shown what an analysis ended with.
    void workDone();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* makeSourceBox();
    QGroupBox* makeFrameBox();
    QGroupBox* makeResultBox();
    void layOut(QGroupBox* sourceBox, QGroupBox* frameBox, QGroupBox* resultBox);
    void bindKeys();
    void connectControls();
    void chooseFile();
    void useRows(const std::vector<SignRow>& rows, const QString& source);
    void useRowsOwnSigns();
    void markClicked(int sign, int match);
    void patternTyped();
    // Sign chances handed over by the window that opened this one.
    // The marks of the coupon; `fromText` when the pattern box gave them.
    void setMarks(const MatchTable& marks, bool fromText);
    void scheduleAnalysis();
    void startAnalysis();
    void cancelAnalysis();
    void analysisEnded();
    void showResult(const AnalysisOutcome& outcome);
    void clearResult(const QString& status);
    void setRunning(bool running);

    std::vector<SignRow> rows_;
    MatchTable marks_{};
    std::optional<Frame> frame_; // the marks, when every match has a sign
    std::optional<SignChances> chances_;
    std::optional<PruningSet> keptBy_; // the conditions a pruning handed over with its rows
    BackgroundJob<AnalysisOutcome>* job_ = nullptr;
    bool analysing_ = false; // an analysis runs whose figures are wanted
    bool settingPattern_ = false;

    CouponColumn* coupon_ = nullptr;
    QLabel* sourceLabel_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QLineEdit* patternEdit_ = nullptr;
    QPushButton* ownSignsButton_ = nullptr;
    QLabel* rowCountLabel_ = nullptr;
    QLabel* outcomeCountLabel_ = nullptr;
    QLabel* guaranteeLabel_ = nullptr;
    QLabel* keptGuaranteeLabel_ = nullptr;
    QTableWidget* figures_ = nullptr;
    OutcomeChart* chart_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QPushButton* analyseButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QTimer* delay_ = nullptr;
};

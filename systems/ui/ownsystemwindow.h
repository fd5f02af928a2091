#pragma once

#include "base/ui/featurewindow.h"
#include "systems/frame.h"

#include <QElapsedTimer>
#include <optional>
#include <vector>

class CouponColumn;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
struct SearchOutcome;
template <class Result> class BackgroundJob;

// Oma harava: the player marks a frame and a guarantee; the window shows the
// outcome count and the least size any table can have, offers at once a table
// found earlier or carried for the frame's shape, and searches a smaller one
// off the window's thread. The table found is saved as a new rows file or
// handed to the guarantee analysis.
class OwnSystemWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit OwnSystemWindow(AppContext& context);

signals:
    // The window has shown what a search ended with.
    void workDone();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* makeAskBox();
    QGroupBox* makeFactsBox();
    void markClicked(int sign, int match);
    int guarantee() const;
    std::optional<Frame> frame();
    void showOutlook();
    void search();
    void stopSearch();
    void showSearchProgress();
    void searchEnded();
    void showSearchOutcome(const SearchOutcome& outcome);
    void save();
    void analyse();
    void setSearching(bool searching);
    // The table the window holds now (offered or found) and where it came from.
    void holdTable(const std::vector<SignRow>& rows, const QString& source);

    std::vector<SignRow> table_;
    BackgroundJob<SearchOutcome>* job_ = nullptr;
    bool searching_ = false;
    QElapsedTimer searchClock_;
    std::uint64_t startingSize_ = 0;

    CouponColumn* coupon_ = nullptr;
    QComboBox* guaranteeBox_ = nullptr;
    QLabel* outcomeLabel_ = nullptr;
    QLabel* boundLabel_ = nullptr;
    QLabel* tableLabel_ = nullptr;
    QSpinBox* secondsBox_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* analyseButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QTimer* clockTick_ = nullptr;
};

#pragma once

#include "base/ui/featurewindow.h"
#include "systems/frame.h"

#include <memory>
#include <optional>
#include <vector>

class CouponColumn;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
struct SearchJob;

// Oma harava: the player marks a frame and a guarantee; the window shows the
// outcome count and the least size any table can have, offers at once a table
// found earlier or carried for the frame's shape, and searches a smaller one
// off the window's thread. The table found is saved as a new rows file or
// handed to the guarantee analysis.
class OwnSystemWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit OwnSystemWindow(AppContext& context);
    ~OwnSystemWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void markClicked(int sign, int match);
    int guarantee() const;
    std::optional<Frame> frame();
    void showOutlook();
    void search();
    void stopSearch();
    void poll();
    void searchEnded(const SearchJob& job);
    void save();
    void analyse();
    void setSearching(bool searching);
    // The table the window holds now (offered or found) and where it came from.
    void holdTable(const std::vector<SignRow>& rows, const QString& source);

    std::vector<SignRow> table_;
    std::shared_ptr<SearchJob> job_;

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
    QTimer* poll_ = nullptr;
};

#pragma once

#include "base/ui/featurewindow.h"
#include "printing/couponlayout.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QVBoxLayout;
class ReversedScrollBar;

// Prints the rows of the shared row buffer onto pools coupons, ten rows a
// coupon, with the printer calibration kept in the settings.
class CouponPrintWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit CouponPrintWindow(AppContext& context);

protected:
    bool canClose() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildCouponChoice(QVBoxLayout* column);
    QWidget* buildWeeks();
    QWidget* buildJokers();
    void buildPrintedRowsList(QVBoxLayout* column);
    QWidget* buildCalibration();
    void buildPictures(QVBoxLayout* column);
    void buildButtons(QVBoxLayout* layout);
    void loadCalibration();
    void showCalibration(const CouponCalibration& calibration);
    CouponCalibration calibration() const;
    void barChanged(int bar);
    void placeMarker();
    void couponChanged();
    CouponOptions options() const;
    void clearWeeks();
    void printCoupon();
    void restoreDefaults();
    void saveCalibration();
    void setPrinting(bool printing);

    std::array<QScrollBar*, 4> calibrationBars_{}; // top, left, width, height
    ReversedScrollBar* leftOffsetBar_ = nullptr;   // calibrationBars_[1], which holds its figure negated
    std::array<QLineEdit*, 4> calibrationBoxes_{}; // the figures of the bars
    QScrollBar* couponBar_ = nullptr;
    QLineEdit* couponNumberBox_ = nullptr;
    QLabel* couponCountLabel_ = nullptr;
    QListWidget* printedRowsList_ = nullptr;
    std::array<QRadioButton*, 3> weekOptions_{};
    QCheckBox* joker1Box_ = nullptr;
    QCheckBox* joker2Box_ = nullptr;
    QLabel* couponImage_ = nullptr;
    QLabel* markerImage_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QList<QWidget*> interfering_; // disabled while a coupon prints

    int coupons_ = 0;
    bool changed_ = false;
    bool printing_ = false;
    // The printer's page model as found at opening, put back on closing.
    bool printerTaken_ = false;
    int savedMode_ = 0;
    double savedWidth_ = 0;
    double savedHeight_ = 0;
};

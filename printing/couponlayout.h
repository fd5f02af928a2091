#pragma once

#include "base/rows.h"

#include <QList>
#include <QString>

// Where the marks of a pools coupon land on the printed page, in logical
// millimetres of a page whose width and height are stretched by the calibration.

// The calibration as its four scroll bars hold it: twice the vertical offset
// (YLA), twice the horizontal offset (VAA), the page width (LEV) and height (PIT).
struct CouponCalibration {
    int top = 29;
    int left = 88;
    int width = 202;
    int height = 297;
    bool operator==(const CouponCalibration&) const = default;
};

// Ranges of the calibration scroll bars.
struct BarRange {
    int min;
    int max;
    int clamp(int v) const { return v < min ? min : v > max ? max : v; }
};
inline constexpr BarRange kTopRange{2, 54};
inline constexpr BarRange kLeftRange{82, 320};
inline constexpr BarRange kWidthRange{188, 210};
inline constexpr BarRange kHeightRange{250, 320};

// The calibration from the four stored texts (decimal point whatever the
// locale); values outside a scroll bar's range are brought to its nearest end.
CouponCalibration calibrationFromTexts(const QString& top, const QString& left, const QString& width,
                                       const QString& height);

// The four texts as they are stored and shown: "14.5", "44", "202", "297".
struct CalibrationTexts {
    QString top;
    QString left;
    QString width;
    QString height;
};
CalibrationTexts calibrationTexts(const CouponCalibration& calibration);

inline constexpr double kCouponHalfWidth = 53.5;
inline constexpr double kColumnPitch = 5;
inline constexpr double kMarkWidth = 2;
inline constexpr double kMarkHeight = 0.8;
inline constexpr double kOneToX = 4.75;
inline constexpr double kXToTwo = 5;
inline constexpr double kTwoToNextRow = 5.25;
inline constexpr int kRowsPerCoupon = 10;
inline constexpr int kMaxCoupons = 50;
inline constexpr double kFirstExtraColumn = 10;
inline constexpr double kSecondExtraColumn = 20;

// The page figures every mark is measured from.
struct CouponOrigin {
    double centre = 0; // half the page width, a whole number
    double left = 0;   // left edge of the coupon area
    double x0 = 0;     // x origin: match 1 is one column pitch left of it
    double y = 0;      // the first "1" line
};
CouponOrigin couponOrigin(const CouponCalibration& calibration);

// Coupons a row set fills: ten rows each, at most 50.
int couponCount(int rowCount);

// Row numbers (1-based) printed on coupon `coupon` (1-based); last < first
// when the coupon holds no rows.
struct CouponRows {
    int first = 1;
    int last = 0;
    int count() const { return last >= first ? last - first + 1 : 0; }
};
CouponRows couponRows(int coupon, int rowCount);

// How long the coupon plays and which jokers it takes.
enum class CouponWeeks { None, Two, Three, Five };
struct CouponOptions {
    CouponWeeks weeks = CouponWeeks::None;
    bool joker1 = false;
    bool joker2 = false;
};

enum class MarkKind { Sign, Weeks, Joker1, Joker2 };

// One filled box of kMarkWidth x kMarkHeight with its top left corner at (x, y).
struct CouponMark {
    double x = 0;
    double y = 0;
    MarkKind kind = MarkKind::Sign;
    int row = 0;   // row on the coupon, 1..10
    int match = 0; // 1..13 for a sign, 0 for the extra column
    char sign = 0; // the sign of a sign mark
};

// The marks of one coupon in printing order: row by row, each row's "1", "X"
// and "2" lines from match 1 (rightmost) to match 13, the extra boxes on the
// lines that carry them. Cells that hold no sign get no mark.
QList<CouponMark> couponMarks(const RowBuffer& rows, int rowCount, int coupon, const CouponCalibration& calibration,
                              const CouponOptions& options);

// A row as the coupon window lists it: a blank before every sign, two before
// matches 4, 7 and 10.
QString couponRowText(const Row& row);

// Left edge, in preview units, of the marker that shows over the coupon
// picture where the printing lands; grows as the horizontal offset shrinks.
double markerLeft(int leftBar);
inline constexpr double kMarkerLeftMin = 5;   // at the largest offset
inline constexpr double kMarkerLeftMax = 124; // at the smallest offset

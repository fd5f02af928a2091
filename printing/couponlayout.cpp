#include "printing/couponlayout.h"

#include "base/textformat.h"
#include "printing/listing.h"

CouponCalibration calibrationFromTexts(const QString& top, const QString& left, const QString& width,
                                       const QString& height)
{
    // Twice the offsets, so the half-millimetre steps are whole scroll-bar steps.
    auto bar = [](double value, BarRange range) {
        const double v = roundHalfEven(value);
        return v < range.min ? range.min : v > range.max ? range.max : int(v);
    };
    CouponCalibration c;
    c.top = bar(2 * leadingNumber(top), kTopRange);
    c.left = bar(2 * leadingNumber(left), kLeftRange);
    c.width = bar(leadingNumber(width), kWidthRange);
    c.height = bar(leadingNumber(height), kHeightRange);
    return c;
}

CalibrationTexts calibrationTexts(const CouponCalibration& c)
{
    return {decimalText(c.top / 2.0), decimalText(c.left / 2.0), decimalText(c.width), decimalText(c.height)};
}

CouponOrigin couponOrigin(const CouponCalibration& c)
{
    CouponOrigin o;
    o.centre = roundHalfEven(c.width / 2.0);
    o.left = o.centre - kCouponHalfWidth;
    o.x0 = roundHalfEven(o.left + c.left / 2.0);
    o.y = c.top / 2.0;
    return o;
}

int couponCount(int rowCount)
{
    if (rowCount <= 0)
        return 0;
    return std::min((rowCount + kRowsPerCoupon - 1) / kRowsPerCoupon, kMaxCoupons);
}

CouponRows couponRows(int coupon, int rowCount)
{
    CouponRows r;
    if (coupon < 1 || coupon > kMaxCoupons)
        return r;
    r.first = (coupon - 1) * kRowsPerCoupon + 1;
    r.last = std::min(coupon * kRowsPerCoupon, rowCount);
    return r;
}

QList<CouponMark> couponMarks(const RowBuffer& rows, int rowCount, int coupon, const CouponCalibration& calibration,
                              const CouponOptions& options)
{
    const CouponOrigin origin = couponOrigin(calibration);
    const CouponRows range = couponRows(coupon, std::min<int>(rowCount, int(rows.size())));
    const double lastX = origin.x0 - kMatches * kColumnPitch;
    QList<CouponMark> marks;
    double y = origin.y;

    for (int r = range.first; r <= range.last; ++r) {
        const Row& row = rows[r - 1];
        const int onCoupon = r - range.first + 1;
        auto line = [&](char sign) {
            double x = origin.x0;
            for (int m = 1; m <= kMatches; ++m) {
                x -= kColumnPitch;
                if (row[m - 1] == sign)
                    marks << CouponMark{x, y, MarkKind::Sign, onCoupon, m, sign};
            }
        };
        auto extra = [&](double offset, MarkKind kind) {
            marks << CouponMark{lastX - offset, y, kind, onCoupon, 0, 0};
        };

        line('1');
        if (onCoupon == 3 && options.weeks == CouponWeeks::Five)
            extra(kFirstExtraColumn, MarkKind::Weeks);
        y += kOneToX;
        line('X');
        if (onCoupon == 1) {
            if (options.joker1)
                extra(kFirstExtraColumn, MarkKind::Joker1);
            if (options.joker2)
                extra(kSecondExtraColumn, MarkKind::Joker2);
        }
        if (onCoupon == 2 && options.weeks == CouponWeeks::Two)
            extra(kFirstExtraColumn, MarkKind::Weeks);
        y += kXToTwo;
        line('2');
        if (onCoupon == 2 && options.weeks == CouponWeeks::Three)
            extra(kFirstExtraColumn, MarkKind::Weeks);
        y += kTwoToNextRow;
    }
    return marks;
}

QString couponRowText(const Row& row)
{
    return ' ' + groupedSigns(row);
}

double markerLeft(int leftBar)
{
    return (-leftBar + 400) / 2.0 - 35;
}

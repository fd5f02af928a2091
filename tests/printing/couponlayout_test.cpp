#include "printing/couponlayout.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

RowBuffer sameRows(int n, const char* text)
{
    return RowBuffer(n, rowFromText(text));
}

// The marks of one row of one kind.
QList<CouponMark> marksOf(const QList<CouponMark>& marks, int row, MarkKind kind)
{
    QList<CouponMark> out;
    for (const CouponMark& m : marks)
        if (m.row == row && m.kind == kind)
            out << m;
    return out;
}

} // namespace

TEST(CouponLayout, DefaultCalibrationPutsTheFirstRowWhereTheCouponHasIt)
{
    const CouponOrigin o = couponOrigin(CouponCalibration{});
    EXPECT_DOUBLE_EQ(o.centre, 101);
    EXPECT_DOUBLE_EQ(o.left, 47.5);
    EXPECT_DOUBLE_EQ(o.x0, 92);
    EXPECT_DOUBLE_EQ(o.y, 14.5);

    // Match 1 "1", match 13 "1", and a row of every sign.
    const RowBuffer rows{rowFromText("1X21X21X21X21")};
    const QList<CouponMark> marks = couponMarks(rows, 1, 1, CouponCalibration{}, {});
    ASSERT_EQ(marks.size(), 13);
    for (const CouponMark& m : marks) {
        const double lineY = m.sign == '1' ? 14.5 : m.sign == 'X' ? 19.25 : 24.25;
        EXPECT_NEAR(m.x, 92 - 5 * m.match, 0.005) << m.match;
        EXPECT_NEAR(m.y, lineY, 0.005) << m.match;
        EXPECT_EQ(m.sign, rows[0][m.match - 1]);
    }
    EXPECT_NEAR(marks.first().x, 87, 0.005);
    EXPECT_NEAR(marks.first().y, 14.5, 0.005);
    EXPECT_EQ(marks.first().match, 1);
    // The "1" line is printed first, match 1 rightmost; match 13 ("1") ends it.
    EXPECT_EQ(marks[4].match, 13);
    EXPECT_NEAR(marks[4].x, 27, 0.005);
}

TEST(CouponLayout, RowsFollowEachOtherAtFifteenMillimetres)
{
    const RowBuffer rows = sameRows(10, "1111111111111");
    const QList<CouponMark> marks = couponMarks(rows, 10, 1, CouponCalibration{}, {});
    ASSERT_EQ(marks.size(), 130);
    for (int row = 1; row <= 10; ++row) {
        const QList<CouponMark> line = marksOf(marks, row, MarkKind::Sign);
        ASSERT_EQ(line.size(), 13);
        EXPECT_NEAR(line.first().y, 14.5 + 15 * (row - 1), 0.005);
    }
    EXPECT_NEAR(marks.last().y, 149.5, 0.005);

    const QList<CouponMark> twos = couponMarks(sameRows(2, "2222222222222"), 2, 1, CouponCalibration{}, {});
    EXPECT_NEAR(twos.first().y, 24.25, 0.005);
    EXPECT_NEAR(twos.last().y, 39.25, 0.005);
}

TEST(CouponLayout, ExtraBoxesSitOnTheLinesAndRowsThatCarryThem)
{
    const RowBuffer rows = sameRows(3, "1111111111111");
    CouponOptions options;
    options.joker1 = true;
    options.joker2 = true;

    options.weeks = CouponWeeks::Five;
    QList<CouponMark> marks = couponMarks(rows, 3, 1, CouponCalibration{}, options);
    const QList<CouponMark> jokers1 = marksOf(marks, 1, MarkKind::Joker1);
    const QList<CouponMark> jokers2 = marksOf(marks, 1, MarkKind::Joker2);
    ASSERT_EQ(jokers1.size(), 1);
    ASSERT_EQ(jokers2.size(), 1);
    EXPECT_NEAR(jokers1[0].x, 17, 0.005);
    EXPECT_NEAR(jokers1[0].y, 19.25, 0.005); // the "X" line of the first row
    EXPECT_NEAR(jokers2[0].x, 7, 0.005);
    EXPECT_NEAR(jokers2[0].y, 19.25, 0.005);
    EXPECT_TRUE(marksOf(marks, 2, MarkKind::Joker1).isEmpty()); // only the first row
    QList<CouponMark> weeks = marksOf(marks, 3, MarkKind::Weeks);
    ASSERT_EQ(weeks.size(), 1);
    EXPECT_NEAR(weeks[0].x, 17, 0.005);
    EXPECT_NEAR(weeks[0].y, 44.5, 0.005); // the "1" line of the third row

    options.weeks = CouponWeeks::Two;
    weeks = marksOf(couponMarks(rows, 3, 1, CouponCalibration{}, options), 2, MarkKind::Weeks);
    ASSERT_EQ(weeks.size(), 1);
    EXPECT_NEAR(weeks[0].y, 34.25, 0.005); // "X" line of the second row

    options.weeks = CouponWeeks::Three;
    weeks = marksOf(couponMarks(rows, 3, 1, CouponCalibration{}, options), 2, MarkKind::Weeks);
    ASSERT_EQ(weeks.size(), 1);
    EXPECT_NEAR(weeks[0].x, 17, 0.005);
    EXPECT_NEAR(weeks[0].y, 39.25, 0.005); // "2" line of the second row
}

TEST(CouponLayout, ShortCouponsGetOnlyTheExtrasTheirRowsReach)
{
    CouponOptions options;
    options.joker1 = true;
    options.weeks = CouponWeeks::Two;
    // One row: jokers yes, weeks no.
    QList<CouponMark> marks = couponMarks(sameRows(1, "XXXXXXXXXXXXX"), 1, 1, CouponCalibration{}, options);
    EXPECT_EQ(marksOf(marks, 1, MarkKind::Joker1).size(), 1);
    int weeks = 0;
    for (const CouponMark& m : marks)
        weeks += m.kind == MarkKind::Weeks;
    EXPECT_EQ(weeks, 0);

    // Five weeks needs a third row.
    options.weeks = CouponWeeks::Five;
    marks = couponMarks(sameRows(2, "XXXXXXXXXXXXX"), 2, 1, CouponCalibration{}, options);
    for (const CouponMark& m : marks)
        EXPECT_NE(m.kind, MarkKind::Weeks);

    // The second coupon of 11 rows prints row 11 alone at the first row position, with its jokers.
    RowBuffer rows = sameRows(11, "1111111111111");
    marks = couponMarks(rows, 11, 2, CouponCalibration{}, options);
    EXPECT_EQ(marksOf(marks, 1, MarkKind::Sign).size(), 13);
    EXPECT_EQ(marksOf(marks, 1, MarkKind::Joker1).size(), 1);
    EXPECT_NEAR(marks.first().y, 14.5, 0.005);
}

TEST(CouponLayout, CellsWithoutASignLeaveTheirColumnEmpty)
{
    Row row = rowFromText("1X2 1?2111111");
    row[12] = 0;
    const QList<CouponMark> marks = couponMarks(RowBuffer{row}, 1, 1, CouponCalibration{}, {});
    EXPECT_EQ(marks.size(), 10);
}

TEST(CouponLayout, PageWidthRoundsHalvesToEven)
{
    CouponCalibration c;
    c.width = 203; // centre 101.5 -> 102, X0 92.5 -> 92
    EXPECT_DOUBLE_EQ(couponOrigin(c).centre, 102);
    EXPECT_DOUBLE_EQ(couponOrigin(c).x0, 92);
    c.width = 206; // centre 103, X0 93.5 -> 94
    EXPECT_DOUBLE_EQ(couponOrigin(c).centre, 103);
    EXPECT_DOUBLE_EQ(couponOrigin(c).x0, 94);
    const QList<CouponMark> marks = couponMarks(RowBuffer{rowFromText("1111111111111")}, 1, 1, c, {});
    EXPECT_NEAR(marks.first().x, 89, 0.005);
    EXPECT_NEAR(marks.last().x, 29, 0.005);

    // The offsets move the whole coupon.
    c = CouponCalibration{};
    c.top = 2;
    c.left = 320;
    EXPECT_DOUBLE_EQ(couponOrigin(c).y, 1);
    EXPECT_DOUBLE_EQ(couponOrigin(c).x0, 208); // 47.5 + 160 = 207.5 -> 208
}

TEST(CouponLayout, CouponsAreTenRowsAndAtMostFifty)
{
    EXPECT_EQ(couponCount(0), 0);
    EXPECT_EQ(couponCount(1), 1);
    EXPECT_EQ(couponCount(10), 1);
    EXPECT_EQ(couponCount(11), 2);
    EXPECT_EQ(couponCount(500), 50);
    EXPECT_EQ(couponCount(505), 50);

    EXPECT_EQ(couponRows(1, 11).first, 1);
    EXPECT_EQ(couponRows(1, 11).last, 10);
    EXPECT_EQ(couponRows(2, 11).first, 11);
    EXPECT_EQ(couponRows(2, 11).count(), 1);
    EXPECT_EQ(couponRows(50, 505).last, 500);
    EXPECT_EQ(couponRows(51, 600).count(), 0);
    EXPECT_EQ(couponRows(3, 11).count(), 0);
}

TEST(CouponLayout, CalibrationTextsRoundTripWithADecimalPoint)
{
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    const CouponCalibration c = calibrationFromTexts("14.5", "44", "202", "297");
    EXPECT_EQ(c, CouponCalibration{});
    const CalibrationTexts t = calibrationTexts(CouponCalibration{27, 91, 190, 260});
    EXPECT_EQ(t.top, "13.5");
    EXPECT_EQ(t.left, "45.5");
    EXPECT_EQ(t.width, "190");
    EXPECT_EQ(t.height, "260");
    QLocale::setDefault(QLocale::c());

    // Damaged or out-of-range values land on the nearest end of their scroll bar.
    const CouponCalibration odd = calibrationFromTexts("abc", "500", "14,5", " 300 ");
    EXPECT_EQ(odd.top, 2);
    EXPECT_EQ(odd.left, 320);
    EXPECT_EQ(odd.width, 188);
    EXPECT_EQ(odd.height, 300);
    EXPECT_EQ(calibrationFromTexts("1e9", "-1e9", "7.25", "1e300").top, 54);
}

TEST(CouponLayout, ListTextAndMarkerFollowTheWindow)
{
    EXPECT_EQ(couponRowText(rowFromText("1X21X21X21X21")), " 1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_DOUBLE_EQ(markerLeft(88), 121);
    EXPECT_DOUBLE_EQ(markerLeft(320), kMarkerLeftMin);
    EXPECT_DOUBLE_EQ(markerLeft(82), kMarkerLeftMax);
}

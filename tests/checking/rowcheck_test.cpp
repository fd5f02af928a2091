#include "checking/rowcheck.h"
#include "printing.h"

#include <QSet>
#include <gtest/gtest.h>
#include <random>

namespace {

const Row kCorrect = rowFromText("1X21X21X21X21");

// `kCorrect` with the first `wrong` matches changed.
Row withWrong(int wrong)
{
    Row row = kCorrect;
    for (int k = 0; k < wrong; ++k)
        row[k] = row[k] == '1' ? '2' : '1';
    return row;
}

MatchTable pattern(const QStringList& perMatch)
{
    MatchTable marks{};
    for (int k = 0; k < perMatch.size(); ++k)
        for (QChar c : perMatch[k])
            marks[signIndex(char(c.toLatin1()))][k] = 1;
    return marks;
}

} // namespace

TEST(RowCheck, ListLinesKeepTheArrowInOneColumnUpToRow999)
{
    const Row row = rowFromText("1X21X21X21X21");
    EXPECT_EQ(checkListLine(0, row, 5), " 1  > 1 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 5");
    EXPECT_EQ(checkListLine(8, row, 13), " 9  > 1 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 13");
    EXPECT_EQ(checkListLine(9, row, 0), " 10 > 1 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 0");
    EXPECT_EQ(checkListLine(98, row, 0).left(6), " 99 > ");
    EXPECT_EQ(checkListLine(99, row, 0).left(6), " 100> ");
    EXPECT_EQ(checkListLine(998, row, 0).indexOf('>'), 4);
    // Bytes a file held other than signs are listed as they are.
    EXPECT_EQ(checkListLine(0, rowFromText("1X21X21X21X2?"), 12).right(15), "2 ? Oikein > 12");
}

TEST(RowCheck, PrizeClassesCountRowsWithTenToThirteenCorrect)
{
    RowBuffer rows = {withWrong(4), withWrong(3), withWrong(2), withWrong(1), withWrong(0), withWrong(3)};
    const SingleRowCheck check = checkSingleRows(rows, int(rows.size()), kCorrect);
    EXPECT_EQ(check.tally.count(10), 2);
    EXPECT_EQ(check.tally.count(11), 1);
    EXPECT_EQ(check.tally.count(12), 1);
    EXPECT_EQ(check.tally.count(13), 1);
    EXPECT_EQ(check.tally.rowsChecked, 6);
    EXPECT_TRUE(check.tally.won());
    // A row with nine correct counts nowhere but is listed with its hits.
    EXPECT_TRUE(check.lines[0].endsWith("Oikein > 9"));
    // Per match: how many rows had it right.
    EXPECT_EQ(check.matchHits[0], 1);
    EXPECT_EQ(check.matchHits[3], 5);
    EXPECT_EQ(check.matchHits[12], 6);
    EXPECT_EQ(check.matchHits[13], 0);

    const SingleRowCheck none = checkSingleRows({withWrong(5)}, 1, kCorrect);
    EXPECT_FALSE(none.tally.won());
    EXPECT_EQ(none.tally.lastFullHitRow, 0);
    EXPECT_EQ(none.selectedLine, -1);
}

TEST(RowCheck, TheLastThirteenCorrectRowIsTheOneSelected)
{
    RowBuffer rows(25, withWrong(6));
    rows[2] = kCorrect;
    rows[21] = kCorrect;
    const SingleRowCheck check = checkSingleRows(rows, 25, kCorrect);
    EXPECT_EQ(check.tally.count(13), 2);
    EXPECT_EQ(check.tally.lastFullHitRow, 22);
    // Row 22 comes after two separator lines.
    EXPECT_EQ(check.selectedLine, 23);
    EXPECT_TRUE(check.lines[23].startsWith(" 22 > "));
}

TEST(RowCheck, ABlankLineFollowsEveryTenthListedRow)
{
    const RowBuffer rows(31, withWrong(3));
    const SingleRowCheck check = checkSingleRows(rows, 31, kCorrect);
    ASSERT_EQ(check.lines.size(), 34);
    EXPECT_EQ(check.lines[10], " ");
    EXPECT_TRUE(check.lines[11].startsWith(" 11 > "));
    EXPECT_EQ(check.lines[21], " ");
    EXPECT_EQ(check.lines[32], " ");
    EXPECT_TRUE(check.lines[33].startsWith(" 31 > "));
    EXPECT_EQ(check.listedLines, 31);
    EXPECT_EQ(check.blockBoundary, 30);
    // Only RowCount rows are checked, whatever the buffer holds beyond them.
    EXPECT_EQ(checkSingleRows(rows, 3, kCorrect).lines.size(), 3);
}

TEST(RowCheck, ATypedSystemExpandsToEveryRowOnceInShuffledOrder)
{
    // Two two-sign and one three-sign match: 2 × 2 × 3 rows.
    QStringList perMatch(13, "1");
    perMatch[0] = "1X";
    perMatch[5] = "X2";
    perMatch[12] = "1X2";
    const MatchTable marks = pattern(perMatch);
    const SystemShape shape = systemShape(marks);
    EXPECT_EQ(shape.halfGuards, 2);
    EXPECT_EQ(shape.fullGuards, 1);
    EXPECT_EQ(shape.rows, 12);

    std::mt19937_64 engine(7);
    auto uniform = [&engine] { return std::generate_canonical<double, 53>(engine); };
    const RowBuffer rows = expandSystem(marks, uniform);
    ASSERT_EQ(rows.size(), 12u);
    QSet<QString> seen;
    for (const Row& row : rows) {
        const QString text = rowText(row);
        EXPECT_TRUE(QString("1X").contains(text[0])) << text.toStdString();
        EXPECT_TRUE(QString("X2").contains(text[5])) << text.toStdString();
        EXPECT_EQ(text.mid(1, 4), "1111");
        seen << text;
    }
    EXPECT_EQ(seen.size(), 12);

    // Other draws give other orders of the same rows.
    std::mt19937_64 other(99);
    const RowBuffer again = expandSystem(marks, [&other] { return std::generate_canonical<double, 53>(other); });
    EXPECT_NE(again, rows);
    EXPECT_EQ(QSet<QString>(seen), [&again] {
        QSet<QString> s;
        for (const Row& r : again)
            s << rowText(r);
        return s;
    }());
    // Even a generator that always answers 0.999… stays within the rows.
    EXPECT_EQ(expandSystem(marks, [] { return 0.9999999999; }).size(), 12u);
}

TEST(RowCheck, SystemSizesAreKnownBeforeAnythingIsExpanded)
{
    QStringList nine(13, "1");
    for (int k = 0; k < 9; ++k)
        nine[k] = "1X2";
    EXPECT_EQ(systemShape(pattern(nine)).rows, 19683);
    QStringList big(13, "1X2");
    EXPECT_EQ(systemShape(pattern(big)).rows, 1594323);
    EXPECT_GT(systemShape(pattern(big)).rows, kMaxSystemRows);
    QStringList withEmpty(13, "1");
    withEmpty[4] = "";
    EXPECT_EQ(systemShape(pattern(withEmpty)).rows, 0);
    EXPECT_EQ(systemShape(pattern(withEmpty)).empty, 1);
    EXPECT_TRUE(expandSystem(pattern(withEmpty), [] { return 0.5; }).empty());
    // Two signs everywhere is the largest system of two-sign matches.
    QStringList halves(13, "1");
    for (int k = 0; k < 13; ++k)
        halves[k] = "12";
    EXPECT_EQ(systemShape(pattern(halves)).rows, 8192);
}

TEST(RowCheck, WinningsAddUpThePrizesTypedForEachClass)
{
    PrizeTally tally;
    for (int r = 0; r < 3; ++r)
        tally.add(r, 10);
    EXPECT_EQ(winTotal({prizeAmount("100"), prizeAmount(""), prizeAmount(""), prizeAmount("")}, tally), 300);
    tally.add(3, 13);
    EXPECT_EQ(winTotal({prizeAmount("100"), 0, 0, prizeAmount("250000")}, tally), 250300);
    // Pennies typed with a comma or a point.
    EXPECT_DOUBLE_EQ(prizeAmount("12,50"), 12.5);
    EXPECT_DOUBLE_EQ(prizeAmount("12.50"), 12.5);
    EXPECT_EQ(winTotal({prizeAmount("12,50"), 0, 0, 0}, tally), 38);
    EXPECT_DOUBLE_EQ(prizeAmount("abc"), 0);
}

TEST(RowCheck, MatchPercentagesAreExactAndRoundHalvesToEven)
{
    std::array<int, 14> hits{};
    hits[0] = 29; // 29 of 100 is 29 %, not 28.999…
    hits[1] = 100;
    hits[2] = 0;
    for (int k = 3; k < 13; ++k)
        hits[k] = 50;
    const auto p = matchPercentages(hits, 100);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->whole[0], 29);
    EXPECT_EQ(p->whole[1], 100);
    EXPECT_EQ(p->average, 48); // 629 / 13

    std::array<int, 14> thirds{};
    thirds[0] = 1; // 33.33…
    thirds[1] = 2; // 66.66…
    const auto q = matchPercentages(thirds, 3);
    EXPECT_EQ(q->whole[1], 66);
    EXPECT_EQ(q->rounded[1], 67);
    EXPECT_EQ(q->rounded[0], 33);

    std::array<int, 14> halves{};
    halves[0] = 1; // 12.5 → 12
    halves[1] = 3; // 37.5 → 38
    const auto h = matchPercentages(halves, 8);
    EXPECT_EQ(h->rounded[0], 12);
    EXPECT_EQ(h->rounded[1], 38);
    EXPECT_EQ(h->whole[1], 37);

    EXPECT_FALSE(matchPercentages(hits, 0).has_value());
}

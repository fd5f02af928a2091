#include "rows/harava.h"

#include <gtest/gtest.h>

namespace {

// A pattern from 13 groups of played signs, e.g. {"1", "1X", "1X2", ...}.
MatchTable pattern(const std::array<const char*, 13>& groups)
{
    MatchTable marks{};
    for (int k = 0; k < 13; ++k)
        for (const char* c = groups[k]; *c; ++c)
            marks[signIndex(*c)][k] = 1;
    return marks;
}

MatchStrings signs(const char* row)
{
    MatchStrings out;
    for (int k = 0; k < 13; ++k)
        out[k] = QString(QChar::fromLatin1(row[k]));
    return out;
}

} // namespace

TEST(HaravaCatalogue, MarksAddUpForEverySystem)
{
    for (const HaravaSystem& s : haravaSystems()) {
        EXPECT_EQ(s.oneSign + s.twoSign + s.threeSign, 13) << s.name;
        EXPECT_EQ(s.oneSign + 2 * s.twoSign + 3 * s.threeSign, s.totalMarks) << s.name;
        EXPECT_EQ(s.twoSign + s.threeSign, s.columns) << s.name;
        EXPECT_EQ(s.firstFullColumn, s.twoSign + 1) << s.name;
    }
    EXPECT_STREQ(haravaByLetter('D')->name, "D432");
    EXPECT_EQ(haravaByLetter('G'), nullptr);
}

TEST(HaravaPattern, OnlyTheSystemsOwnShapeFits)
{
    const HaravaSystem& d432 = *haravaByLetter('D');
    const auto fits = [&](const std::array<const char*, 13>& groups) {
        return patternFitsSystem(countPattern(pattern(groups)), d432);
    };
    EXPECT_TRUE(fits({"1", "1", "1X", "1X", "12", "X2", "1X", "1X", "1X", "1X", "1X2", "1X2", "1X2"}));
    // 26 and 28 marks, and three one-sign matches, are refused.
    EXPECT_FALSE(fits({"1", "1", "1", "1X", "12", "X2", "1X", "1X", "1X", "1X", "1X2", "1X2", "1X2"}));
    EXPECT_FALSE(fits({"1", "1X", "1X", "1X", "12", "X2", "1X", "1X", "1X", "1X", "1X2", "1X2", "1X2"}));
    EXPECT_FALSE(fits({"1", "1", "1", "1X2", "12", "X2", "1X", "1X", "1X", "1X", "1X", "1X2", "1X2"}));
}

TEST(HaravaCoding, TwoSignColumnsCodeTheFirstPlayedSignAsV)
{
    const HaravaSystem& a60 = *haravaByLetter('A');
    const MatchTable marks =
        pattern({"1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X2", "1X2", "1X2", "1", "1", "1"});
    const CodedResult coded = codeCorrectRow(a60, marks, signs("1111111111111"));
    QString twoSign;
    for (int n = 0; n < 7; ++n)
        twoSign += coded.coded[n];
    EXPECT_EQ(twoSign, "VVVVVVV");
    EXPECT_EQ(coded.coded[7], "1");
    EXPECT_EQ(coded.coded[9], "1");
    EXPECT_EQ(coded.bankerHits, 3);
}

TEST(HaravaCoding, SignsNotPlayedAndWrongBankersCostHits)
{
    const HaravaSystem& f1296 = *haravaByLetter('F');
    // Eight two-sign matches, four three-sign matches and one banker.
    const MatchTable marks =
        pattern({"1X", "12", "X2", "1X", "12", "X2", "1X", "12", "1X2", "1X2", "1X2", "1X2", "X"});
    const CodedResult coded = codeCorrectRow(f1296, marks, signs("X2X21X2X1X2X1"));
    QString columns;
    for (int n = 0; n < 12; ++n)
        columns += coded.coded[n];
    // 1X→X: O, 12→2: O, X2→X: V, 1X→2: not played, 12→1: V, X2→X: V, 1X→2: none, 12→X: none.
    EXPECT_EQ(columns, "OOV VV  1X2X");
    EXPECT_EQ(coded.bankerHits, 0); // the banker X was wrong (correct 1)
    const QByteArray best = "OOVOVVOO1X2X";
    EXPECT_EQ(haravaRowHits(best.constData(), 12, coded), 9);
}

TEST(HaravaScoring, EveryTableRowIsScoredOnceInOrder)
{
    for (const HaravaSystem& s : haravaSystems()) {
        if (haravaTable(s).isEmpty())
            continue; // the table is carried data; its own test checks it is there
        int expected = 0;
        bool inOrder = true;
        CodedResult result;
        result.coded.fill(" ");
        ASSERT_TRUE(scoreHarava(s, result, [&](int row, int hits) {
            inOrder = inOrder && row == expected++;
            EXPECT_EQ(hits, 0);
        }));
        EXPECT_TRUE(inOrder);
        EXPECT_EQ(expected, s.rows) << s.name;
    }
}

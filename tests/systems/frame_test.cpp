#include "systemsdata.h"

#include <gtest/gtest.h>

#include <set>

using namespace systemsdata;

namespace {

int matchesApart(const SignRow& a, const SignRow& b)
{
    int apart = 0;
    for (int m = 0; m < kFrameMatches; ++m)
        apart += a[m] != b[m];
    return apart;
}

TEST(FrameText, APatternMeansWhatItMeansOnTheCommandLineAndEveryMatchNeedsASign)
{
    const Frame frame = frameFrom("1,1x,21,1,1X2,X,2,X2,1,1,1,1,12");
    EXPECT_EQ(text(frame), "1,1X,12,1,1X2,X,2,X2,1,1,1,1,12");
    EXPECT_EQ(outcomeCount(frame), 2u * 2 * 3 * 2 * 2);

    QString error;
    EXPECT_FALSE(parseFrame("1,1,1,1,1,1,1,1,1,1,1,1", error));
    EXPECT_EQ(error, QString::fromUtf8("Järjestelmässä pitäisi olla 13 pilkuin erotettua kohdetta !"));
    EXPECT_FALSE(parseFrame("1,1,1,1,1,1,1,1,1,1,1,1,1X1", error));
    EXPECT_EQ(error, "Kohteessa 13 on sama merkki kahdesti !");
    EXPECT_FALSE(parseFrame("1,1,1,1,1,1,1,1,1,1,1,1,13", error));
    EXPECT_EQ(error, "Kohteessa 13 saa olla vain merkkejä 1, X ja 2 !");
    // The pattern window's rule: no match without a sign.
    EXPECT_FALSE(parseFrame("1,1,,1,1,1,1,1,1,1,1,1,1", error));
    EXPECT_EQ(error, QString::fromUtf8("Joku kohde on tyhjä !!"));
}

TEST(FrameText, RowsGiveTheirOwnFrameAndADamagedByteIsNeverASign)
{
    std::vector<SignRow> rows;
    for (const char* row : {"1111111111111", "1XX2111111112", "2221111111111"})
        rows.push_back(signRow(row));
    EXPECT_EQ(text(frameOfRows(rows)), "12,1X2,1X2,12,1,1,1,1,1,1,1,1,12");
    EXPECT_EQ(outcomeCount(frameOfRows(rows)), 72u);

    // A byte a damaged file holds plays no sign, and comes back as it is no sign.
    const SignRow damaged = signRow("1?11111111111");
    EXPECT_EQ(text(frameOfRows({damaged})), "1,,1,1,1,1,1,1,1,1,1,1,1");
    EXPECT_FALSE(frameIsValid(frameOfRows({damaged})));
    EXPECT_EQ(rowText(rowOf(damaged)), "1?11111111111");
    EXPECT_EQ(rowText(rowOf(signRow("1X2XXXXXXXXX1"))), "1X2XXXXXXXXX1");
}

TEST(FrameOutcomes, BothOrdersGiveEveryOutcomeOnceAndGrayStepsOneMatch)
{
    for (const char* frameText : {"1X2,1,X2,1X2,1,1,12,1,1,1,1X,1,1X2", "1,1,1,1,1,1,1,1,1,1,1,1,2",
                                  "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1"}) {
        const Frame frame = frameFrom(frameText);
        std::vector<SignRow> inOrder, gray;
        forEachOutcomeInOrder(frame, [&](const SignRow& o) {
            inOrder.push_back(o);
            return true;
        });
        forEachOutcomeInGrayOrder(frame, [&](const SignRow& o, int changed) {
            if (!gray.empty()) {
                EXPECT_EQ(matchesApart(gray.back(), o), 1) << frameText;
                EXPECT_NE(gray.back()[changed], o[changed]) << frameText;
            }
            gray.push_back(o);
            return true;
        });
        ASSERT_EQ(inOrder.size(), outcomeCount(frame)) << frameText;
        // The frame's order: match 1 slowest, signs 1 < X < 2.
        EXPECT_TRUE(std::is_sorted(inOrder.begin(), inOrder.end())) << frameText;
        for (const SignRow& o : inOrder)
            EXPECT_TRUE(rowInsideFrame(o, frame));
        EXPECT_EQ(std::set<SignRow>(gray.begin(), gray.end()), std::set<SignRow>(inOrder.begin(), inOrder.end()));
        EXPECT_EQ(gray.size(), inOrder.size());

        // Threads start in the middle of the Gray order: a cursor placed at
        // any index must continue exactly as the walk from the start.
        for (std::uint64_t at : {std::uint64_t(0), gray.size() / 3, gray.size() - 1}) {
            GrayCursor cursor(frame, at);
            EXPECT_EQ(cursor.outcome(), gray[at]) << frameText << " at " << at;
            if (at + 1 < gray.size()) {
                cursor.advance();
                EXPECT_EQ(cursor.outcome(), gray[at + 1]) << frameText << " after " << at;
            } else {
                EXPECT_EQ(cursor.advance(), -1);
            }
        }
    }
}

} // namespace

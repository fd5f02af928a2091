#include "rows/conversion.h"

#include <gtest/gtest.h>

TEST(Conversion, InitialPlanKeepsEveryStoredSign)
{
    const ConversionPlan plan = initialPlan(3, 2);
    EXPECT_EQ(countRole(plan, MatchRole::Half), 3);
    EXPECT_EQ(countRole(plan, MatchRole::Full), 2);
    EXPECT_EQ(countRole(plan, MatchRole::Banker), 8);
    EXPECT_EQ(plan[2].role, MatchRole::Half);
    EXPECT_EQ(plan[3].role, MatchRole::Full);
    EXPECT_EQ(plan[5].role, MatchRole::Banker);

    const Row stored = rowFromText("212X1"
                                   "11111111");
    EXPECT_EQ(rowText(convertSystemRow(stored, 3, 2, plan)), rowText(stored));

    // A damaged header never reaches beyond the coupon.
    EXPECT_EQ(countRole(initialPlan(20, 5), MatchRole::Half), 13);
    EXPECT_EQ(countRole(initialPlan(10, 5), MatchRole::Full), 3);
    EXPECT_EQ(countRole(initialPlan(-1, -4), MatchRole::Banker), 13);
}

TEST(Conversion, GroupsMoveToTheirMatchesInOrder)
{
    // Two-sign matches at 5 and 9, the three-sign match at 1, bankers elsewhere.
    ConversionPlan plan = initialPlan(0, 0);
    plan[5].role = MatchRole::Half;
    plan[9].role = MatchRole::Half;
    plan[1].role = MatchRole::Full;
    plan[5].forTwo = 'X';
    plan[9].forOne = '2';
    for (int k = 0; k < kMatches; ++k)
        plan[k].banker = kSigns[k % 3];

    const Row stored = rowFromText("21X1111111111");
    const Row row = convertSystemRow(stored, 2, 1, plan);
    EXPECT_EQ(row[5], 'X'); // first two-sign column held "2"
    EXPECT_EQ(row[9], '2'); // second held "1"
    EXPECT_EQ(row[1], 'X'); // the three-sign column, unchanged
    for (int k : {0, 2, 3, 4, 6, 7, 8, 10, 11, 12})
        EXPECT_EQ(row[k], kSigns[k % 3]) << k;
}

TEST(Conversion, TwoSignMatchesTranslateOnlyStoredOnesAndTwos)
{
    ConversionPlan plan = initialPlan(2, 0);
    plan[0].forOne = 'X';
    plan[1].forTwo = '1';
    EXPECT_EQ(rowText(convertSystemRow(rowFromText("1211111111111"), 2, 0, plan)), "X111111111111");
    // A stored value that is neither leaves the cell as it was.
    EXPECT_EQ(convertSystemRow(rowFromText("X?11111111111"), 2, 0, plan)[0], 'X');
    EXPECT_EQ(convertSystemRow(rowFromText("X?11111111111"), 2, 0, plan)[1], '?');
}

TEST(Conversion, AllRowsAreRewrittenInPlace)
{
    RowBuffer rows{rowFromText("1X11111111111"), rowFromText("2211111111111"), rowFromText("1111111111111")};
    ConversionPlan plan = initialPlan(1, 1);
    std::swap(plan[0], plan[12]); // the two-sign match last, the first match a banker
    plan[0].banker = '2';
    plan[12].forOne = 'X';
    convertSystemRows(rows, 2, 1, 1, plan);
    EXPECT_EQ(rowText(rows[0]), "2X1111111111X");
    EXPECT_EQ(rowText(rows[1]), "2211111111112");
    EXPECT_EQ(rowText(rows[2]), "1111111111111"); // beyond the count: untouched

    // Without two- or three-sign matches every row becomes the bankers.
    RowBuffer bankers{rowFromText("21X2121212121")};
    ConversionPlan allBankers = initialPlan(0, 0);
    allBankers[4].banker = 'X';
    convertSystemRows(bankers, 1, 0, 0, allBankers);
    EXPECT_EQ(rowText(bankers[0]), "1111X11111111");
}

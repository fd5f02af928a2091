#include "base/sharedstate.h"
#include "random/rowcount.h"
#include "random/ui/drawtask.h"
#include "random/weights.h"

#include <gtest/gtest.h>

TEST(Weights, LabelsShowTheBasicSignsShare)
{
    const char* expected[] = {"33 %", "50 %", "60 %", "67 %", "71 %", "75 %", "78 %", "80 %"};
    for (int v = kMinWeight; v <= kMaxWeight; ++v)
        EXPECT_EQ(weightLabel(v), expected[v - kMinWeight]) << v;
}

TEST(Weights, BankersLeaveTheFreeMatchesForTheSystemSize)
{
    MatchValues weights;
    weights.fill(5);
    WeightTotals none = weightTotals(weights);
    EXPECT_EQ(none.bankerCount, 0);
    EXPECT_EQ(none.freeMatchCount, 13);
    EXPECT_EQ(none.fullSystemSize, 1594323);

    weights.fill(kBankerWeight);
    weights[7] = 10;
    const WeightTotals twelve = weightTotals(weights);
    EXPECT_EQ(twelve.bankerCount, 12);
    EXPECT_EQ(twelve.freeMatchCount, 1);
    EXPECT_EQ(twelve.fullSystemSize, 3);

    weights[7] = kBankerWeight;
    EXPECT_EQ(weightTotals(weights).bankerCount, 13);
}

TEST(Weights, AtMostOneSignOfAMatchIsSwitchedOff)
{
    auto toggle = [](SignBoxes& boxes, int sign) {
        boxes.on[sign] = !boxes.on[sign];
        signBoxClicked(boxes, sign);
    };
    SignBoxes boxes; // basic sign "1": only "X" and "2" are offered
    toggle(boxes, 1);
    EXPECT_EQ(boxes.excluded, 1);
    EXPECT_EQ(boxes.on, (std::array<bool, 3>{true, false, true}));

    // Switching off a second sign turns everything on again.
    toggle(boxes, 2);
    EXPECT_EQ(boxes.excluded, kNoExcludedSign);
    EXPECT_EQ(boxes.on, (std::array<bool, 3>{true, true, true}));

    // Switching the excluded sign back on clears the exclusion.
    toggle(boxes, 2);
    EXPECT_EQ(boxes.excluded, 2);
    toggle(boxes, 2);
    EXPECT_EQ(boxes.excluded, kNoExcludedSign);
    EXPECT_EQ(boxes.on, (std::array<bool, 3>{true, true, true}));
}

namespace {

// The count as the row-count window checks it for the task in the state.
RowCountCheck checkTaskCount(const SharedState& s, const QString& text)
{
    return checkRowCount(text, drawPlanOfTask(s), rowCountLimitsOfTask(s));
}

SharedState weightedTask()
{
    SharedState s;
    ResetTaskState(s);
    for (int k = 0; k < kMatches; ++k) {
        s.BasicSigns[k] = "1";
        s.BasicMarks[0][k] = 1;
    }
    s.BasicSignCount = 13;
    s.RandomTask = 1;
    s.CommonWeight = 3;
    return s;
}

void perMatch(SharedState& s, int bankers)
{
    s.WeightedDraw = 1;
    s.PerMatchWeights = 1;
    s.MatchWeights.fill(6);
    for (int k = 0; k < bankers; ++k)
        s.MatchWeights[k] = kBankerWeight;
    const WeightTotals totals = weightTotals(s.MatchWeights);
    s.BankerCount = totals.bankerCount;
    s.FreeMatchCount = totals.freeMatchCount;
    s.FullSystemSize = totals.fullSystemSize;
}

void systemTask(SharedState& s, int halfGuards, int fullGuards)
{
    s.DrawMode = 1;
    for (int k = 0; k < kMatches; ++k) {
        s.SystemMarks[0][k] = 1;
        s.SystemMarks[2][k] = k < halfGuards + fullGuards;
        s.SystemMarks[1][k] = k >= halfGuards && k < halfGuards + fullGuards;
    }
    s.HalfGuardCount = halfGuards;
    s.FullGuardCount = fullGuards;
}

} // namespace

TEST(RowCount, EmptyAndZeroCountsAreRefusedWithoutAMessage)
{
    const SharedState s = weightedTask();
    for (const char* text : {"", "  ", "0", "00"}) {
        const RowCountCheck check = checkTaskCount(s, text);
        EXPECT_FALSE(check.ok) << text;
        EXPECT_TRUE(check.message.isEmpty()) << text;
    }
    EXPECT_TRUE(checkTaskCount(s, "1").ok);
    EXPECT_TRUE(checkTaskCount(s, "500").ok);
}

TEST(RowCount, AtMost500Rows)
{
    const RowCountCheck check = checkTaskCount(weightedTask(), "501");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.message, "Rivimäärä ei voi olla suurempi kuin 500 !");
    EXPECT_EQ(checkTaskCount(weightedTask(), "99999").message, "Rivimäärä ei voi olla suurempi kuin 500 !");
}

TEST(RowCount, ARandomRowSystemHoldsTwoToTheHTimesThreeToTheF)
{
    SharedState s = weightedTask();
    systemTask(s, 2, 1);
    EXPECT_EQ(systemSize(2, 1), 12);
    EXPECT_TRUE(checkTaskCount(s, "12").ok);
    const RowCountCheck check = checkTaskCount(s, "13");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.message, "Rivimäärä ei voi olla suurempi kuin  12 !");
    EXPECT_TRUE(check.title.isEmpty());
}

TEST(RowCount, PerMatchWeightingIsLimitedByTheFreeMatches)
{
    SharedState s = weightedTask();
    perMatch(s, 12);
    EXPECT_TRUE(checkTaskCount(s, "3").ok);
    const RowCountCheck check = checkTaskCount(s, "4");
    EXPECT_EQ(check.message, "Rivimäärä ei voi olla suurempi kuin  3 koska arvottavia kohteita on  1");
    EXPECT_EQ(check.title, "LASKUVIRHE !");
}

TEST(RowCount, SwitchedOffSignsLeaveFewerDifferentRows)
{
    SharedState s = weightedTask();
    perMatch(s, 11); // two free matches: 9 rows without exclusions
    s.ExcludedSigns[11] = 1;
    s.ExcludedSigns[12] = 2;
    EXPECT_TRUE(checkTaskCount(s, "4").ok);
    const RowCountCheck check = checkTaskCount(s, "5");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.message,
              "Rivimäärä ei voi olla suurempi kuin  4 koska poistetut merkit rajaavat erilaisten rivien määrää !");
    EXPECT_EQ(check.title, "LASKUVIRHE !");

    // A switched-off sign on a banker changes nothing; neither do exclusions
    // left over when one weight is used for all matches.
    s.ExcludedSigns[0] = 2;
    EXPECT_TRUE(checkTaskCount(s, "4").ok);
    SharedState common = weightedTask();
    common.ExcludedSigns.fill(1);
    EXPECT_TRUE(checkTaskCount(common, "500").ok);
}

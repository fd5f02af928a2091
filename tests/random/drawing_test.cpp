#include "random/drawing.h"
#include "random/ui/drawtask.h"
#include "random/weights.h"
#include "support/fakes.h"

#include <QQueue>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

DrawPlan weighted(int count, int weight = 10, const char* basic = "1X21X21X21X21")
{
    DrawPlan plan;
    plan.kind = DrawPlan::Weighted;
    plan.count = count;
    plan.basic = rowFromText(basic);
    plan.weights.fill(weight);
    plan.excluded.fill(kNoExcludedSign);
    return plan;
}

// `count` rows of 1s around the basic row: the first `matches` of weight 10
// without "X", the rest bankers.
DrawPlan withoutDraws(int matches, int count)
{
    DrawPlan plan = weighted(count, 10, "1111111111111");
    for (int k = 0; k < kMatches; ++k) {
        if (k < matches)
            plan.excluded[k] = 1;
        else
            plan.weights[k] = kBankerWeight;
    }
    return plan;
}

// A system over `pattern`: per match the signs that may be drawn ("1", "1X2", "X2" ...).
DrawPlan system(int count, const std::array<const char*, 13>& pattern)
{
    DrawPlan plan;
    plan.kind = DrawPlan::System;
    plan.count = count;
    for (int k = 0; k < kMatches; ++k)
        for (const char* c = pattern[k]; *c; ++c)
            plan.allowed[k][signIndex(*c)] = true;
    return plan;
}

// Draws until the plan is done; every attempt (kept or not) is passed to `seen`.
template <class F> void drawAll(RowDrawing& drawing, F seen)
{
    while (!drawing.done())
        seen(drawing.attempt());
}

void drawAll(RowDrawing& drawing)
{
    drawAll(drawing, [](const DrawAttempt&) {});
}

std::set<QString> distinctRows(const RowBuffer& rows)
{
    std::set<QString> out;
    for (const Row& row : rows)
        out.insert(rowText(row));
    return out;
}

// Hands out the given numbers first, then those of a seeded generator.
class ScriptedRandom : public Random {
public:
    double next() override { return script.isEmpty() ? rest.next() : script.dequeue(); }
    void reseed() override { ++reseeds; }
    QQueue<double> script;
    FakeRandom rest{7};
    int reseeds = 0;
};

} // namespace

TEST(Drawing, AWeightedRunOfOneRowIsTheBasicRow)
{
    FakeRandom random(1);
    RowDrawing drawing(weighted(1, 3), random);
    drawAll(drawing);
    ASSERT_EQ(drawing.rows().size(), 1u);
    EXPECT_EQ(rowText(drawing.rows()[0]), "1X21X21X21X21");
    EXPECT_EQ(drawing.average(), 13.0);
    EXPECT_EQ(drawing.hitClasses(), (std::array<int, 4>{1, 0, 0, 0}));
}

TEST(Drawing, WeightedRowsAreDistinctValidAndCounted)
{
    FakeRandom random(2);
    RowDrawing drawing(weighted(500, 5), random);
    ASSERT_TRUE(drawing.error().isEmpty());
    int attempts = 0, rejected = 0, sum = 0;
    std::array<int, 4> classes{};
    drawAll(drawing, [&](const DrawAttempt& a) {
        ++attempts;
        if (!a.accepted) {
            ++rejected;
            return;
        }
        sum += a.basicSignHits;
        if (a.basicSignHits >= 10)
            ++classes[13 - a.basicSignHits];
    });
    const RowBuffer& rows = drawing.rows();
    ASSERT_EQ(rows.size(), 500u);
    EXPECT_EQ(distinctRows(rows).size(), 500u);
    const Row basic = rowFromText("1X21X21X21X21");
    for (const Row& row : rows)
        for (char c : row)
            EXPECT_GE(signIndex(c), 0);
    EXPECT_EQ(drawing.attempts(), attempts);
    EXPECT_EQ(drawing.duplicatesRejected(), rejected);
    EXPECT_EQ(drawing.accepted() + rejected, attempts);
    EXPECT_EQ(drawing.basicSignSum(), sum);
    int recount = 0;
    for (const Row& row : rows)
        recount += rowHits(row, basic);
    EXPECT_EQ(recount, sum);
    EXPECT_EQ(drawing.hitClasses(), classes);
    EXPECT_DOUBLE_EQ(drawing.average(), sum / 500.0);
    EXPECT_EQ(random.reseeds, attempts); // a fresh seed before every row
}

TEST(Drawing, RowNumbersFollowTheAcceptedRows)
{
    FakeRandom random(3);
    RowDrawing drawing(weighted(40, 10), random);
    int expected = 1;
    drawAll(drawing, [&](const DrawAttempt& a) {
        EXPECT_EQ(a.rowNumber, expected);
        if (a.accepted)
            ++expected;
    });
    EXPECT_EQ(expected, 41);
}

TEST(Drawing, ARepeatedRowIsRejectedAndCounted)
{
    ScriptedRandom random;
    // 0.95 draws the number 10, the basic sign: the second row repeats the first.
    for (int i = 0; i < 2 * kMatches; ++i)
        random.script.enqueue(0.95);
    RowDrawing drawing(weighted(2, 10), random);
    const DrawAttempt first = drawing.attempt();
    const DrawAttempt second = drawing.attempt();
    EXPECT_TRUE(first.accepted);
    EXPECT_FALSE(second.accepted);
    EXPECT_EQ(second.rowNumber, 2);
    EXPECT_EQ(drawing.attempts(), 2);
    EXPECT_EQ(drawing.duplicatesRejected(), 1);
    EXPECT_EQ(drawing.accepted(), 1);
    drawAll(drawing);
    EXPECT_EQ(drawing.accepted(), 2);
    EXPECT_NE(drawing.rows()[1], drawing.rows()[0]);
}

TEST(Drawing, SmallNumbersGiveTheOtherSignsAndBankersIgnoreThem)
{
    ScriptedRandom random;
    // First row: the basic row whatever is drawn. Second row: r = 1, 2, 3 in turn.
    for (int i = 0; i < kMatches; ++i)
        random.script.enqueue(0.5);
    for (int k = 0; k < kMatches; ++k)
        random.script.enqueue(k % 3 == 0 ? 0.0 : k % 3 == 1 ? 0.15 : 0.25);
    DrawPlan plan = weighted(2, 10, "XXXXXXXXXXXXX");
    plan.weights[12] = kBankerWeight;
    RowDrawing drawing(plan, random);
    drawAll(drawing);
    EXPECT_EQ(rowText(drawing.rows()[0]), "XXXXXXXXXXXXX");
    // r = 1 gives "1", r = 2 gives "2", r = 3 gives "X"; the banker keeps its sign.
    EXPECT_EQ(rowText(drawing.rows()[1]), "12X12X12X12XX");
}

TEST(Drawing, BankersAndSwitchedOffSignsHold)
{
    for (quint64 seed : {4u, 5u, 6u}) {
        FakeRandom random(seed);
        DrawPlan plan = weighted(300, 3, "1111111111111");
        plan.weights[0] = kBankerWeight;
        plan.weights[5] = kBankerWeight;
        plan.excluded[1] = 1; // no "X" in match 2
        plan.excluded[2] = 2; // no "2" in match 3
        plan.excluded[5] = 1; // a banker's exclusion changes nothing
        RowDrawing drawing(plan, random);
        drawAll(drawing);
        ASSERT_EQ(drawing.accepted(), 300);
        std::set<char> second, third;
        for (const Row& row : drawing.rows()) {
            EXPECT_EQ(row[0], '1');
            EXPECT_EQ(row[5], '1');
            second.insert(row[1]);
            third.insert(row[2]);
        }
        EXPECT_EQ(second, (std::set<char>{'1', '2'}));
        EXPECT_EQ(third, (std::set<char>{'1', 'X'}));
    }
}

TEST(Drawing, OneWeightOfTenGivesFourFifthsBasicSigns)
{
    // Over every drawn row (kept or not) 80 % of the signs are basic signs.
    // Repeats are mostly rows close to the basic row, so the kept rows average
    // somewhat below 13 x 0.8 = 10.4.
    long signs = 0, basic = 0;
    double averages = 0;
    for (quint64 seed = 10; seed < 20; ++seed) {
        FakeRandom random(seed);
        RowDrawing drawing(weighted(500, 10), random);
        drawAll(drawing, [&](const DrawAttempt& a) {
            if (a.rowNumber == 1)
                return; // the basic row itself
            signs += kMatches;
            basic += a.basicSignHits;
        });
        averages += drawing.average();
        EXPECT_GT(drawing.average(), 9.6);
        EXPECT_LT(drawing.average(), 10.1);
    }
    EXPECT_NEAR(double(basic) / double(signs), 0.8, 0.01);
    EXPECT_NEAR(averages / 10, 9.85, 0.08);
}

TEST(Drawing, WeightThreeGivesEverySignAThird)
{
    FakeRandom random(21);
    std::array<long, 3> counts{};
    RowDrawing drawing(weighted(500, 3, "2222222222222"), random);
    drawAll(drawing, [&](const DrawAttempt& a) {
        if (a.rowNumber > 1)
            for (char c : a.row)
                ++counts[signIndex(c)];
    });
    const double total = double(counts[0] + counts[1] + counts[2]);
    for (long c : counts)
        EXPECT_NEAR(c / total, 1.0 / 3, 0.02);
}

TEST(Drawing, ExhaustingTheRareRowsDoesNotStall)
{
    // Nine matches of weight 10 without "X", the rest bankers: 512 rows, some
    // a billion times rarer than others. Every one of them must come.
    const DrawPlan plan = withoutDraws(9, 512);
    ASSERT_EQ(plan.distinctRows(), 512);
    FakeRandom random(8);
    RowDrawing drawing(plan, random);
    drawAll(drawing);
    EXPECT_EQ(distinctRows(drawing.rows()).size(), 512u);
    EXPECT_LT(drawing.attempts(), 200000);
    for (const Row& row : drawing.rows())
        for (int k = 0; k < kMatches; ++k) {
            if (k < 9)
                EXPECT_NE(row[k], 'X');
            else
                EXPECT_EQ(row[k], '1');
        }
}

TEST(Drawing, RowsDrawnDirectlyComeAsOftenAsTheirWeightsSay)
{
    // Two matches of weight 10 without "X": 1 has 8/9 of the chance, 2 has 1/9.
    const DrawPlan plan = withoutDraws(2, 2);
    // The basic row comes first and then again until the draw turns direct;
    // the direct draw's number then runs evenly over [0, 1).
    struct Phased : Random {
        double next() override { return reseeds <= RowDrawing::kRepeatsBeforeDirectDraw + 1 ? 0.99 : value; }
        void reseed() override { ++reseeds; }
        int reseeds = 0;
        double value = 0;
    };
    constexpr int kSteps = 170;
    std::map<QString, int> drawn;
    for (int i = 0; i < kSteps; ++i) {
        Phased random;
        random.value = (i + 0.5) / kSteps;
        RowDrawing drawing(plan, random);
        drawAll(drawing);
        ASSERT_EQ(drawing.accepted(), 2);
        ++drawn[rowText(drawing.rows()[1]).left(2)];
    }
    // 12 and 21 weigh 8/81 each, 22 weighs 1/81.
    EXPECT_EQ(drawn, (std::map<QString, int>{{"12", 80}, {"21", 80}, {"22", 10}}));
}

TEST(Drawing, ARandomRowSystemCoversTheThreeSignCombinationsFirst)
{
    // Two three-sign matches (9 combinations), two two-sign matches and bankers.
    const std::array<const char*, 13> pattern = {"1X2", "12", "1", "1X2", "X2", "2", "2", "X", "1", "1", "1", "1", "1"};
    for (quint64 seed : {1u, 2u, 3u, 4u}) {
        FakeRandom random(seed);
        RowDrawing drawing(system(9, pattern), random);
        drawAll(drawing);
        std::set<QString> combinations;
        for (const Row& row : drawing.rows()) {
            combinations.insert(QString(QChar(row[0])) + QChar(row[3]));
            for (int k = 0; k < kMatches; ++k)
                EXPECT_TRUE(QString(pattern[k]).contains(QChar(row[k]))) << k;
        }
        EXPECT_EQ(combinations.size(), 9u);
    }
}

TEST(Drawing, AWholeRandomRowSystemCanBeDrawn)
{
    const std::array<const char*, 13> pattern = {"12", "1X", "1", "1", "X2", "1", "1", "1", "1", "2", "X", "1", "1"};
    DrawPlan plan = system(12, pattern);
    plan.allowed[4] = {true, true, true}; // 2 two-sign matches and 1 three-sign match
    EXPECT_EQ(plan.distinctRows(), 12);
    EXPECT_EQ(plan.fullGuardTotal(), 1);
    FakeRandom random(9);
    RowDrawing drawing(plan, random);
    drawAll(drawing);
    EXPECT_EQ(distinctRows(drawing.rows()).size(), 12u);
    EXPECT_EQ(drawing.basicSignSum(), 0); // a system has no basic row
}

TEST(Drawing, PlansThatCannotBeFilledAreRefused)
{
    FakeRandom random(1);
    DrawPlan tooMany = weighted(4, 10);
    tooMany.weights.fill(kBankerWeight);
    tooMany.weights[0] = 10;
    tooMany.excluded[0] = 2;
    tooMany.basic[0] = '1';
    RowDrawing refused(tooMany, random);
    EXPECT_EQ(refused.error(), "Erilaisia rivejä voi arpoa vain 2.");
    EXPECT_TRUE(refused.done());
    EXPECT_FALSE(refused.attempt().accepted);
    EXPECT_EQ(refused.attempts(), 0);

    DrawPlan incomplete = weighted(1, 10);
    incomplete.basic[4] = 0;
    EXPECT_FALSE(RowDrawing(incomplete, random).error().isEmpty());

    DrawPlan noWeight = weighted(1, 0);
    EXPECT_FALSE(RowDrawing(noWeight, random).error().isEmpty());

    std::array<const char*, 13> empty{};
    empty.fill("1");
    empty[6] = "";
    EXPECT_FALSE(RowDrawing(system(1, empty), random).error().isEmpty());
}

TEST(Drawing, ThePlanComesFromTheSharedState)
{
    SharedState s;
    ResetTaskState(s);
    for (int k = 0; k < kMatches; ++k)
        s.BasicSigns[k] = "2";
    s.DrawCount = 20;
    s.CommonWeight = 7;
    s.ExcludedSigns.fill(0);
    DrawPlan plan = drawPlanOfTask(s);
    EXPECT_EQ(plan.kind, DrawPlan::Weighted);
    EXPECT_EQ(plan.count, 20);
    EXPECT_EQ(rowText(plan.basic), "2222222222222");
    EXPECT_EQ(plan.weights[3], 7);
    EXPECT_EQ(plan.excluded[3], kNoExcludedSign); // only the per-match path leaves signs out

    s.WeightedDraw = 1;
    s.PerMatchWeights = 1;
    s.MatchWeights.fill(4);
    s.MatchWeights[2] = kBankerWeight;
    plan = drawPlanOfTask(s);
    EXPECT_EQ(plan.weights[3], 4);
    EXPECT_EQ(plan.weights[2], kBankerWeight);
    EXPECT_EQ(plan.excluded[3], 0);
    EXPECT_EQ(plan.distinctRows(), 4096); // 12 matches of two signs

    s.DrawMode = 1;
    s.SystemMarks[1][0] = 1;
    s.SystemMarks[2][0] = 1;
    plan = drawPlanOfTask(s);
    EXPECT_EQ(plan.kind, DrawPlan::System);
    EXPECT_EQ(plan.allowed[0], (std::array<bool, 3>{false, true, true}));
    EXPECT_EQ(plan.allowed[1], (std::array<bool, 3>{false, false, false}));
}

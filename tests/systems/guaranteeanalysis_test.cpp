#include "systems/guaranteeanalysis.h"
#include "systemsdata.h"

#include <gtest/gtest.h>
#include <numeric>

#include <algorithm>
#include <random>

using namespace systemsdata;

namespace {

// The plain way: every outcome against every row.
AnalysisResult bruteForce(const std::vector<SignRow>& rows, const Frame& frame, const SignChances* chances)
{
    AnalysisResult result;
    GuaranteeAnalysis& a = result.plain;
    std::array<std::uint64_t, 4> sum{};
    std::array<int, 4> least{1 << 30, 1 << 30, 1 << 30, 1 << 30}, most{};
    WeightedGuaranteeAnalysis w;
    double total = 0;
    a.guarantee = 13;
    forEachOutcomeInOrder(frame, [&](const SignRow& outcome) {
        ++a.outcomes;
        std::array<int, 14> rowsWith{};
        int best = 0;
        for (const SignRow& row : rows) {
            int hits = 0;
            for (int m = 0; m < kFrameMatches; ++m)
                hits += row[m] == outcome[m];
            ++rowsWith[hits];
            best = std::max(best, hits);
        }
        ++a.outcomesByBestHits[best];
        a.guarantee = std::min(a.guarantee, best);
        double chance = 1;
        if (chances)
            for (int m = 0; m < kFrameMatches; ++m) {
                double played = 0;
                for (int s = 0; s < 3; ++s)
                    if (frame.played[m] >> s & 1)
                        played += (*chances)[m][s];
                chance *= (*chances)[m][outcome[m]] / played;
            }
        total += chance;
        for (int c = 0; c < 4; ++c) {
            const int n = rowsWith[13 - c];
            sum[c] += n;
            least[c] = std::min(least[c], n);
            most[c] = std::max(most[c], n);
            w.expectedRows[c] += chance * n;
            if (best == 13 - c)
                w.chanceBestHas[c] += chance;
        }
        return true;
    });
    for (int c = 0; c < 4; ++c) {
        a.rowsInClass[c] = {double(sum[c]) / double(a.outcomes), least[c], most[c]};
        w.expectedRows[c] /= total;
        w.chanceBestHas[c] /= total;
    }
    if (chances)
        result.weighted = w;
    return result;
}

SignRow randomRowInside(const Frame& frame, std::mt19937_64& rng)
{
    SignRow row{};
    for (int m = 0; m < kFrameMatches; ++m)
        do
            row[m] = std::uint8_t(rng() % 3);
        while (!(frame.played[m] >> row[m] & 1));
    return row;
}

TEST(GuaranteeAnalysis, AgreesWithBruteForceOnRandomFramesRowsAndChances)
{
    std::mt19937_64 rng(14);
    for (int trial = 0; trial < 40; ++trial) {
        Frame frame;
        for (int m = 0; m < kFrameMatches; ++m)
            frame.played[m] = std::uint8_t(1 + rng() % (m < 8 ? 7 : 2));
        // Row counts around the 64-row word edges, and rows partly outside the frame.
        const std::size_t rowCount = std::vector<std::size_t>{1, 5, 63, 64, 65, 130, 300}[trial % 7];
        std::vector<SignRow> rows;
        for (std::size_t r = 0; r < rowCount; ++r) {
            SignRow row = randomRowInside(frame, rng);
            if (r % 5 == 4)
                row[rng() % kFrameMatches] = std::uint8_t(rng() % (trial % 4 == 3 ? 4 : 3));
            rows.push_back(row);
        }
        SignChances chances{};
        for (auto& match : chances)
            for (double& c : match)
                c = double(1 + rng() % 90);
        const bool weighted = trial % 2 == 0;
        const AnalysisResult slow = bruteForce(rows, frame, weighted ? &chances : nullptr);
        for (auto engine : {AnalysisControl::Engine::RowByRow, AnalysisControl::Engine::MatchByMatch}) {
            AnalysisControl control;
            control.threads = 1 + unsigned(trial % 3);
            control.engine = engine;
            const auto fast = analyseGuarantee(rows, frame, control, weighted ? std::optional(chances) : std::nullopt);
            ASSERT_TRUE(fast);
            const std::string where =
                text(frame) + " rows " + std::to_string(rowCount) + " engine " + std::to_string(int(engine));
            EXPECT_EQ(fast->plain.outcomes, slow.plain.outcomes) << where;
            EXPECT_EQ(fast->plain.guarantee, slow.plain.guarantee) << where;
            EXPECT_EQ(fast->plain.outcomesByBestHits, slow.plain.outcomesByBestHits) << where;
            for (int c = 0; c < 4; ++c) {
                EXPECT_DOUBLE_EQ(fast->plain.rowsInClass[c].average, slow.plain.rowsInClass[c].average) << where;
                EXPECT_EQ(fast->plain.rowsInClass[c].least, slow.plain.rowsInClass[c].least) << where;
                EXPECT_EQ(fast->plain.rowsInClass[c].most, slow.plain.rowsInClass[c].most) << where;
            }
            ASSERT_EQ(fast->weighted.has_value(), weighted);
            if (weighted)
                for (int c = 0; c < 4; ++c) {
                    EXPECT_NEAR(fast->weighted->chanceBestHas[c], slow.weighted->chanceBestHas[c], 1e-9) << where;
                    EXPECT_NEAR(fast->weighted->expectedRows[c], slow.weighted->expectedRows[c], 1e-9) << where;
                }
        }
    }
}

TEST(GuaranteeAnalysis, OverSomeOutcomesOnlyTheWorstOfThemCounts)
{
    std::mt19937_64 rng(5);
    for (int trial = 0; trial < 12; ++trial) {
        Frame frame;
        for (int m = 0; m < kFrameMatches; ++m)
            frame.played[m] = std::uint8_t(1 + rng() % (m < 7 ? 7 : 2));
        std::vector<SignRow> rows, outcomes;
        for (int r = 0; r < 1 + trial * 7; ++r)
            rows.push_back(randomRowInside(frame, rng));
        int fewest = kFrameMatches;
        for (int o = 0; o < 1 + trial * 20; ++o) {
            outcomes.push_back(randomRowInside(frame, rng));
            int best = 0;
            for (const SignRow& row : rows)
                best = std::max(best,
                                kFrameMatches - int(std::inner_product(row.begin(), row.end(), outcomes.back().begin(),
                                                                       0, std::plus<>(), std::not_equal_to<>())));
            fewest = std::min(fewest, best);
        }
        EXPECT_EQ(guaranteeOverOutcomes(rows, frame, outcomes), fewest) << text(frame);
    }
    // An outcome the frame does not play has no place in it.
    const Frame one = frameFrom("1,1,1,1,1,1,1,1,1,1,1,1,1X");
    EXPECT_FALSE(guaranteeOverOutcomes({SignRow{}}, one, {SignRow{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}}));
}

TEST(GuaranteeAnalysis, NineRowHammingSystemGuaranteesTwelve)
{
    const Frame frame = frameFrom("1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1");
    std::vector<SignRow> rows;
    for (const char* head : {"1111", "1XX2", "122X", "X1XX", "XX21", "X212", "2122", "2X1X", "22X1"})
        rows.push_back(signRow((std::string(head) + "111111111").c_str()));
    const auto result = analyseGuarantee(rows, frame);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->plain.outcomes, 81u);
    EXPECT_EQ(result->plain.guarantee, 12);
    EXPECT_EQ(result->plain.outcomesWithBest(13), 9u);
    EXPECT_EQ(result->plain.outcomesWithBest(12), 72u);
    EXPECT_EQ(result->plain.outcomesWithBestBelow10(), 0u);
}

TEST(GuaranteeAnalysis, CancelStopsWithNothingAndProgressReachesTheEnd)
{
    const Frame frame = frameFrom("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2");
    std::mt19937_64 rng(3);
    std::vector<SignRow> rows;
    for (int r = 0; r < 200; ++r)
        rows.push_back(randomRowInside(frame, rng));

    std::atomic<bool> cancel{false};
    double lastFraction = 0;
    AnalysisControl control;
    control.cancel = &cancel;
    control.progress = [&](double fraction) {
        lastFraction = fraction;
        if (fraction > 0.2)
            cancel = true;
    };
    EXPECT_FALSE(analyseGuarantee(rows, frame, control));
    EXPECT_LT(lastFraction, 0.5);

    control.cancel = nullptr;
    control.progress = [&](double fraction) { lastFraction = fraction; };
    EXPECT_TRUE(analyseGuarantee(rows, frame, control));
    EXPECT_DOUBLE_EQ(lastFraction, 1.0);
}

TEST(GuaranteeAnalysis, RefusesWhatItCannotAnalyseAndEvensOutMatchesWithoutChances)
{
    const Frame frame = frameFrom("1X,1X2,1,1,1,1,1,1,1,1,1,1,1");
    EXPECT_FALSE(analyseGuarantee({}, frame));
    EXPECT_FALSE(analyseGuarantee(std::vector<SignRow>(kMostAnalysedRows + 1), frame));
    Frame withEmptyMatch = frame;
    withEmptyMatch.played[5] = 0;
    EXPECT_FALSE(analyseGuarantee({SignRow{}}, withEmptyMatch));

    // Match 1's played signs have no chance at all: taken as even rather
    // than zeroing every outcome. Match 2 is certain to end "2".
    SignChances chances{};
    for (auto& match : chances)
        match = {1, 1, 1};
    chances[0] = {0, 0, 100};
    chances[1] = {0, 0, 100};
    const std::vector<SignRow> rows = {signRow("1211111111111")};
    const auto result = analyseGuarantee(rows, frame, {}, chances);
    ASSERT_TRUE(result && result->weighted);
    EXPECT_DOUBLE_EQ(result->weighted->chanceBestHas[0], 0.5);
    EXPECT_DOUBLE_EQ(result->weighted->chanceBestHas[1], 0.5);
    EXPECT_DOUBLE_EQ(result->weighted->expectedRows[0], 0.5);
    EXPECT_DOUBLE_EQ(result->weighted->expectedRows[2], 0.0);
}

} // namespace

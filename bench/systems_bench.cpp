#include "systems/coveringcheck.h"
#include "systems/coveringcodes.h"
#include "systems/coveringsearch.h"
#include "systems/guaranteeanalysis.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

std::vector<SignRow> randomRows(std::size_t count, int guardedMatches)
{
    std::mt19937_64 rng(7);
    std::vector<SignRow> rows(count);
    for (SignRow& row : rows)
        for (int m = 0; m < kFrameMatches; ++m)
            row[m] = m < guardedMatches ? std::uint8_t(rng() % 3) : 0;
    return rows;
}

Frame threeSignFrame(int guardedMatches)
{
    Frame frame;
    for (int m = 0; m < kFrameMatches; ++m)
        frame.played[m] = m < guardedMatches ? 7 : 1;
    return frame;
}

void analyse(benchmark::State& state, std::size_t rowCount, int guardedMatches)
{
    const std::vector<SignRow> rows = randomRows(rowCount, guardedMatches);
    const Frame frame = threeSignFrame(guardedMatches);
    AnalysisControl control;
    control.threads = unsigned(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseGuarantee(rows, frame, control));
}

// 500 rows over all 13 matches fully guarded: 1,594,323 outcomes (target under 1 s).
void Analyse500RowsOver3To13(benchmark::State& state)
{
    analyse(state, 500, 13);
}
BENCHMARK(Analyse500RowsOver3To13)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The most rows a file holds over 3^10 outcomes (target under 2 s).
void Analyse32767RowsOver3To10(benchmark::State& state)
{
    analyse(state, 32767, 10);
}
BENCHMARK(Analyse32767RowsOver3To10)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The most rows a file holds over all 3^13 outcomes (target under 0.2 s).
void Analyse32767RowsOver3To13(benchmark::State& state)
{
    analyse(state, 32767, 13);
}
BENCHMARK(Analyse32767RowsOver3To13)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each engine alone, to see where the cheaper one changes (the cost
// constant the analysis chooses its engine by).
void AnalyseByEngine(benchmark::State& state)
{
    const std::vector<SignRow> rows = randomRows(std::size_t(state.range(0)), 13);
    AnalysisControl control;
    control.threads = 1;
    control.engine = state.range(1) ? AnalysisControl::Engine::MatchByMatch : AnalysisControl::Engine::RowByRow;
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseGuarantee(rows, threeSignFrame(13), control));
}
BENCHMARK(AnalyseByEngine)->ArgsProduct({{64, 128, 256, 512}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();

// The weighted variant costs one product of 13 chances per outcome more.
void AnalyseWeighted500RowsOver3To13(benchmark::State& state)
{
    const std::vector<SignRow> rows = randomRows(500, 13);
    SignChances chances{};
    for (auto& match : chances)
        match = {45, 30, 25};
    AnalysisControl control;
    control.threads = unsigned(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseGuarantee(rows, threeSignFrame(13), control, chances));
}
BENCHMARK(AnalyseWeighted500RowsOver3To13)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A fixed move budget, so the figure is the cost of the search itself.
void SearchSevenMatchesGuarantee12(benchmark::State& state)
{
    CoveringRequest request;
    request.frame = threeSignFrame(7);
    request.guarantee = 12;
    request.seconds = 0;
    request.moves = std::uint64_t(state.range(0));
    std::size_t rows = 0;
    for (auto _ : state)
        rows = searchCovering(request).rows.size();
    state.counters["rows"] = double(rows);
}
BENCHMARK(SearchSevenMatchesGuarantee12)->Arg(200'000)->Unit(benchmark::kMillisecond);

// The independent check every result goes through: 729 rows over 3^11 outcomes.
void CheckGolayTable(benchmark::State& state)
{
    std::vector<SignRow> rows;
    for (const Digits& word : ternaryGolayCode().words) {
        SignRow row{};
        for (std::size_t j = 0; j < word.size(); ++j)
            row[j] = word[j];
        rows.push_back(row);
    }
    const Frame frame = threeSignFrame(11);
    for (auto _ : state)
        benchmark::DoNotOptimize(tableKeepsGuarantee(rows, frame, 11));
}
BENCHMARK(CheckGolayTable)->Unit(benchmark::kMillisecond);

// The start of the search for twelve matches at guarantee 12: 531,441 outcomes.
void GreedyTwelveMatchesGuarantee12(benchmark::State& state)
{
    const CoveringSpace space = coveringSpace(threeSignFrame(12), 12);
    std::size_t rows = 0;
    for (auto _ : state)
        rows = greedyCovering(space, 1'000'000'000).size();
    state.counters["rows"] = double(rows);
}
BENCHMARK(GreedyTwelveMatchesGuarantee12)->Unit(benchmark::kMillisecond);

} // namespace

#include "systems/coveringsearch.h"
#include "systems/pruning.h"

#include <benchmark/benchmark.h>

namespace {

Frame fullFrame()
{
    Frame frame;
    frame.played.fill(7);
    return frame;
}

MatchNumbers typicalChances()
{
    MatchNumbers n;
    const std::array<double, 3> shapes[] = {{45, 28, 27}, {60, 25, 15}, {35, 30, 35}, {25, 27, 48}};
    for (int m = 0; m < kFrameMatches; ++m)
        n.numbers[m] = shapes[m % 4];
    return n;
}

Condition rangeOf(ConditionKind kind, int least, int most)
{
    Condition c;
    c.kind = kind;
    c.range = {least, most};
    return c;
}

// The full 3^13 = 1,594,323-row system under the conditions players use most
// (target under 100 ms).
void ApplyConditionsTo3To13(benchmark::State& state)
{
    PruningSet set;
    set.frame = fullFrame();
    set.chances = typicalChances();
    Condition draws = rangeOf(ConditionKind::SignCount, 2, 5);
    draws.sign = 1;
    Condition homeFirst = rangeOf(ConditionKind::SignCount, 1, 3);
    homeFirst.matches = 0b1111;
    Condition favourites = rangeOf(ConditionKind::Favourites, 4, 9);
    favourites.favourites = {0, 0, 1, 2, 0, 0, 1, 2, 0, 0, 1, 2, 0};
    Condition likely;
    likely.kind = ConditionKind::MinProbability;
    likely.threshold = 1e-6;
    set.conditions = {draws,
                      homeFirst,
                      favourites,
                      rangeOf(ConditionKind::LongestRun, 1, 5),
                      rangeOf(ConditionKind::SignChanges, 5, 11),
                      likely};
    std::size_t kept = 0;
    for (auto _ : state) {
        const auto rows = applyPruning(set);
        kept = rows ? rows->size() : 0;
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = double(kept);
}
BENCHMARK(ApplyConditionsTo3To13)->Unit(benchmark::kMillisecond);

// Every row of the full system kept: the walk and the output alone.
void ApplyNoConditionTo3To13(benchmark::State& state)
{
    PruningSet set;
    set.frame = fullFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(applyPruning(set));
}
BENCHMARK(ApplyNoConditionTo3To13)->Unit(benchmark::kMillisecond);

// The 10,000 most probable rows of the full system (target under 300 ms).
void KeepMostProbableOf3To13(benchmark::State& state)
{
    PruningSet set;
    set.frame = fullFrame();
    set.chances = typicalChances();
    Condition most;
    most.kind = ConditionKind::MostProbable;
    most.rowsToKeep = 10000;
    set.conditions = {most};
    for (auto _ : state)
        benchmark::DoNotOptimize(applyPruning(set));
}
BENCHMARK(KeepMostProbableOf3To13)->Unit(benchmark::kMillisecond);

// The whole system in order of probability.
void RankAll3To13ByProbability(benchmark::State& state)
{
    const SignChances chances = chancesOf(typicalChances());
    for (auto _ : state)
        benchmark::DoNotOptimize(rankByProbability(fullFrame(), chances));
}
BENCHMARK(RankAll3To13ByProbability)->Unit(benchmark::kMillisecond);

// A guarantee of 11 inside the 3,000 most probable rows of 3^9.
void GuaranteeInsideKeptRows(benchmark::State& state)
{
    PruningSet set;
    for (int m = 0; m < kFrameMatches; ++m)
        set.frame.played[m] = m < 9 ? 7 : 1;
    set.chances = typicalChances();
    Condition most;
    most.kind = ConditionKind::MostProbable;
    most.rowsToKeep = 3000;
    set.conditions = {most};
    const std::vector<SignRow> kept = rowsOfIndices(*applyPruning(set));
    std::size_t found = 0;
    for (auto _ : state) {
        CoveringRequest request;
        request.frame = set.frame;
        request.guarantee = 11;
        request.seconds = 0;
        request.moves = 20000;
        request.outcomesToCover = kept;
        found = searchCovering(request).rows.size();
    }
    state.counters["kept"] = double(kept.size());
    state.counters["rows"] = double(found);
}
BENCHMARK(GuaranteeInsideKeptRows)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

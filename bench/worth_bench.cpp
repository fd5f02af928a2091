#include "systems/rowworth.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

WorthModel benchModel()
{
    std::mt19937_64 rng(11);
    WorthModel model;
    for (int m = 0; m < kFrameMatches; ++m)
        for (int s = 0; s < 3; ++s) {
            model.chances[m][s] = double(10 + rng() % 50);
            model.publicShares[m][s] = double(10 + rng() % 50);
        }
    model.chances = fractionsPerMatch(model.chances);
    model.publicShares = fractionsPerMatch(model.publicShares);
    model.round = {1500000, {131250, 45000, 37500, 52500}, 0.25};
    return model;
}

// 1,000 rows over all 3^13 outcomes (target under 0.5 s).
void WorthOf1000Rows(benchmark::State& state)
{
    std::mt19937_64 rng(3);
    std::vector<SignRow> rows(1000);
    for (SignRow& row : rows)
        for (auto& sign : row)
            sign = std::uint8_t(rng() % 3);
    const WorthModel model = benchModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(worthOfRows(rows, model, false));
}
BENCHMARK(WorthOf1000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every one of the 1,594,323 single rows (target under 2 s).
void WorthOfEverySingleRow(benchmark::State& state)
{
    const WorthModel model = benchModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(worthOfEveryRow(model));
}
BENCHMARK(WorthOfEverySingleRow)->Unit(benchmark::kMillisecond)->UseRealTime();

// The best 500 rows of the full frame (target under 10 s).
void Best500Rows(benchmark::State& state)
{
    const WorthModel model = benchModel();
    Frame frame;
    frame.played.fill(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(bestRows(model, frame, 500));
}
BENCHMARK(Best500Rows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

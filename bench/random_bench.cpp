#include "random/drawing.h"
#include "random/weights.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {

// Like the program's own generator: a Mersenne twister reseeded from the
// clock before every row, so the reseeding is part of the measured cost.
class ClockRandom : public Random {
public:
    double next() override { return std::generate_canonical<double, 53>(engine_); }
    void reseed() override
    {
        engine_.seed(quint64(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    }

private:
    std::mt19937_64 engine_{1};
};

DrawPlan weightedPlan(int weight)
{
    DrawPlan plan;
    plan.kind = DrawPlan::Weighted;
    plan.count = 500;
    plan.basic = rowFromText("1X21X21X21X21");
    plan.weights.fill(weight);
    plan.excluded.fill(kNoExcludedSign);
    return plan;
}

void drawAll(const DrawPlan& plan, benchmark::State& state)
{
    ClockRandom random;
    long attempts = 0;
    for (auto _ : state) {
        RowDrawing drawing(plan, random);
        while (!drawing.done())
            drawing.attempt();
        attempts += drawing.attempts();
        benchmark::DoNotOptimize(drawing.rows().data());
    }
    state.counters["attempts/run"] = benchmark::Counter(double(attempts) / double(state.iterations()));
}

} // namespace

// 500 weighted rows, duplicates turned away; weight 10 repeats rows most often.
static void BM_Draw500WeightedRows(benchmark::State& state)
{
    drawAll(weightedPlan(int(state.range(0))), state);
}
BENCHMARK(BM_Draw500WeightedRows)->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond);

// Per-match weights with bankers and switched-off signs: 6 free matches,
// 3 of them without "X", 216 different rows, 200 of them asked for.
static void BM_Draw200OfFewDistinctRows(benchmark::State& state)
{
    DrawPlan plan = weightedPlan(10);
    plan.count = 200;
    for (int k = 6; k < 13; ++k)
        plan.weights[k] = kBankerWeight;
    for (int k = 0; k < 3; ++k)
        plan.excluded[k] = k == 1 ? 0 : 1;
    drawAll(plan, state);
}
BENCHMARK(BM_Draw200OfFewDistinctRows)->Unit(benchmark::kMillisecond);

// A random-row system of 4 three-sign and 3 two-sign matches, 500 of its 648 rows.
static void BM_Draw500SystemRows(benchmark::State& state)
{
    DrawPlan plan;
    plan.kind = DrawPlan::System;
    plan.count = 500;
    for (int k = 0; k < kMatches; ++k)
        plan.allowed[k] = {true, k < 7, k < 4};
    drawAll(plan, state);
}
BENCHMARK(BM_Draw500SystemRows)->Unit(benchmark::kMillisecond);

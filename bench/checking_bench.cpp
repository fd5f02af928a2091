#include "checking/rowcheck.h"

#include <QStringListModel>
#include <benchmark/benchmark.h>
#include <random>

namespace {

RowBuffer randomRows(int n)
{
    std::mt19937_64 engine(1);
    std::uniform_int_distribution<int> sign(0, 2);
    RowBuffer rows(static_cast<size_t>(n));
    for (Row& row : rows)
        for (char& c : row)
            c = kSigns[sign(engine)];
    return rows;
}

// A whole rows file of the largest size: hits, prize classes, list lines and
// the list model filled in one go.
void BM_CheckSingleRows32767(benchmark::State& state)
{
    const RowBuffer rows = randomRows(32767);
    const Row correct = rowFromText("1X21X21X21X21");
    QStringListModel model;
    for (auto _ : state) {
        SingleRowCheck check = checkSingleRows(rows, int(rows.size()), correct);
        model.setStringList(check.lines);
        benchmark::DoNotOptimize(check.tally.counts);
    }
}
BENCHMARK(BM_CheckSingleRows32767)->Unit(benchmark::kMillisecond);

// Nine three-sign matches: 19,683 rows expanded in random order, then checked.
void BM_ExpandAndCheckTypedSystem19683(benchmark::State& state)
{
    MatchTable marks{};
    for (int k = 0; k < kMatches; ++k) {
        marks[0][k] = 1;
        if (k < 9)
            marks[1][k] = marks[2][k] = 1;
    }
    const Row correct = rowFromText("1X21X21X21X21");
    std::mt19937_64 engine(2);
    auto uniform = [&engine] { return std::generate_canonical<double, 53>(engine); };
    for (auto _ : state) {
        const RowBuffer rows = expandSystem(marks, uniform);
        const PrizeTally tally = tallyRows(rows, correct);
        benchmark::DoNotOptimize(tally.counts);
    }
}
BENCHMARK(BM_ExpandAndCheckTypedSystem19683)->Unit(benchmark::kMillisecond);

} // namespace

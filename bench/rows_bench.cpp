#include "rows/harava.h"
#include "rows/patternaccept.h"

#include <benchmark/benchmark.h>

namespace {

// F1296 played with eight two-sign matches, four three-sign matches and a banker.
SharedState f1296Played()
{
    SharedState s;
    ResetTaskState(s);
    s.HaravaTask = 1;
    s.SystemLetter = "F";
    const char* groups[13] = {"1X", "12", "X2", "1X", "12", "X2", "1X", "12", "1X2", "1X2", "1X2", "1X2", "X"};
    const char* correct = "X2X21X2X1X2X1";
    for (int k = 0; k < kMatches; ++k) {
        for (const char* c = groups[k]; *c; ++c)
            s.SystemMarks[signIndex(*c)][k] = 1;
        s.BasicSigns[k] = QString(QChar::fromLatin1(correct[k]));
    }
    return s;
}

CodedResult f1296Coded()
{
    const SharedState s = f1296Played();
    return codeCorrectRow(*haravaByLetter('F'), s.SystemMarks, s.BasicSigns);
}

// Reading the carried table and scoring all its 1,296 rows, as the checking window does.
void ScoreHaravaF1296(benchmark::State& state)
{
    const HaravaSystem& f1296 = *haravaByLetter('F');
    if (haravaTable(f1296).isEmpty()) {
        state.SkipWithError("the F1296 table is not carried in this build");
        return;
    }
    const CodedResult coded = f1296Coded();
    for (auto _ : state) {
        int counts[14] = {};
        scoreHarava(f1296, coded, [&counts](int, int hits) { ++counts[hits]; });
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(ScoreHaravaF1296)->Unit(benchmark::kMicrosecond);

// The scoring alone over a table of F1296's size, whether or not the table is carried.
void ScoreRowsOfF1296Size(benchmark::State& state)
{
    QByteArray table;
    const char* two = "VO";
    const char* three = "1X2";
    for (int r = 0; r < 1296; ++r) {
        for (int n = 0; n < 8; ++n)
            table += two[(r >> n) & 1];
        for (int n = 0, v = r; n < 4; ++n, v /= 3)
            table += three[v % 3];
    }
    const CodedResult coded = f1296Coded();
    for (auto _ : state) {
        int counts[14] = {};
        for (int r = 0; r < 1296; ++r)
            ++counts[haravaRowHits(table.constData() + r * 12, 12, coded)];
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(ScoreRowsOfF1296Size)->Unit(benchmark::kMicrosecond);

// Accepting a pattern and coding the correct row (the harava window's OK).
void AcceptF1296Pattern(benchmark::State& state)
{
    const SharedState played = f1296Played();
    for (auto _ : state) {
        SharedState s = played;
        s.BasicSignCount = 29;
        benchmark::DoNotOptimize(acceptPattern(s));
    }
}
BENCHMARK(AcceptF1296Pattern)->Unit(benchmark::kMicrosecond);

} // namespace

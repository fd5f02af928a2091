#include "shell/bouncingball.h"
#include "shell/programfiles.h"
#include "shell/systeminfo.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// Opening the bookmarks page writes the page and its three pictures each time.
static void BM_WriteBookmarkFiles(benchmark::State& state)
{
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeBookmarkFiles(dir.path()));
}
BENCHMARK(BM_WriteBookmarkFiles)->Unit(benchmark::kMicrosecond);

static void BM_WriteHelpFile(benchmark::State& state)
{
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeCarriedFile(dir.path(), helpFile()));
}
BENCHMARK(BM_WriteHelpFile)->Unit(benchmark::kMicrosecond);

// The information window's figures, asked when it opens.
static void BM_SystemFigures(benchmark::State& state)
{
    for (auto _ : state) {
        const auto disk = diskFigures(QStringLiteral("/tmp"));
        const auto memory = memoryFigures();
        benchmark::DoNotOptimize(diskSizeLine(disk).size() + memorySizeLine(memory).size());
    }
}
BENCHMARK(BM_SystemFigures)->Unit(benchmark::kMicrosecond);

// One timer tick of the ball.
static void BM_BallStep(benchmark::State& state)
{
    BouncingBall ball(12, 200, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(ball.advance(1.4, 400, 224));
}
BENCHMARK(BM_BallStep);

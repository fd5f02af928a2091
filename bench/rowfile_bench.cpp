#include "base/rowfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

RowBuffer manyRows(int n)
{
    RowBuffer rows(n);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < kMatches; ++k)
            rows[i][k] = kSigns[(i / (k + 1) + k) % 3];
    return rows;
}

void WriteRowsFile32767(benchmark::State& state)
{
    QTemporaryDir dir;
    const RowBuffer rows = manyRows(kMaxRows);
    int i = 0;
    for (auto _ : state) {
        const QString path = dir.filePath(QString("r%1.1X2").arg(i++));
        if (!writeRowsFile(path, rows, kMaxRows).ok())
            state.SkipWithError("write failed");
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
}
BENCHMARK(WriteRowsFile32767)->Unit(benchmark::kMillisecond);

void ReadRowsFile32767(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.1X2");
    writeRowsFile(path, manyRows(kMaxRows), kMaxRows);
    for (auto _ : state) {
        const RowFileReadResult read = readRowFile(path, RowReader::Checking);
        if (!read.ok() || read->rows.size() != size_t(kMaxRows))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read->rows.data());
    }
}
BENCHMARK(ReadRowsFile32767)->Unit(benchmark::kMillisecond);

} // namespace

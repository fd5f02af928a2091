#include "base/boundedread.h"
#include "base/rowfile.h"
#include "base/rowtext.h"
#include "rows/rowexport.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

RowBuffer fullRowsFile()
{
    RowBuffer rows(kMaxRows);
    for (int i = 0; i < kMaxRows; ++i)
        for (int k = 0; k < kMatches; ++k)
            rows[i][k] = kSigns[(i / (k + 1) + k) % 3];
    return rows;
}

// A full rows file read and written out as a text file, as the menu's export does.
void ExportRowsFileAsText32767(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.1X2");
    writeRowsFile(path, fullRowsFile(), kMaxRows);
    int i = 0;
    for (auto _ : state) {
        const RowFileReadResult read = readRowsForExport(path);
        const QByteArray text = textFileBytes(rowTextLines(read->rows, kMaxRows));
        const QString out = dir.filePath(QString("r%1.txt").arg(i++));
        if (!createNewFile(out, text).ok())
            state.SkipWithError("write failed");
        state.PauseTiming();
        QFile::remove(out);
        state.ResumeTiming();
    }
}
BENCHMARK(ExportRowsFileAsText32767)->Unit(benchmark::kMillisecond);

// The same text read back into a new rows file, as the menu's import does.
void ImportTextAsRowsFile32767(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.txt");
    createNewFile(path, textFileBytes(rowCsvLines(fullRowsFile(), kMaxRows)));
    int i = 0;
    for (auto _ : state) {
        const RowTextReading reading = parseRowText(decodeRowText(readAtMost(path, kMaxRowTextBytes).valueOr({})));
        const QString out = dir.filePath(QString("r%1.1X2").arg(i++));
        if (reading.rows.size() != size_t(kMaxRows) || !writeRowsFile(out, reading.rows, kMaxRows).ok())
            state.SkipWithError("import failed");
        state.PauseTiming();
        QFile::remove(out);
        state.ResumeTiming();
    }
}
BENCHMARK(ImportTextAsRowsFile32767)->Unit(benchmark::kMillisecond);

} // namespace

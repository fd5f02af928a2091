#include "base/rowfile.h"
#include "batch/batchrun.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

const QString kCorrect = QStringLiteral("1X21X21X21X21");

// `files` rows files of `rows` random rows each, as a syndicate keeps them.
QStringList writeRowsFiles(const QTemporaryDir& dir, int files, int rows)
{
    std::mt19937_64 engine(3);
    QStringList paths;
    for (int f = 0; f < files; ++f) {
        RowBuffer buffer(static_cast<size_t>(rows));
        for (Row& row : buffer)
            for (char& c : row)
                c = kSigns[engine() % 3];
        const QString path = QDir(dir.path()).filePath(QString("kierros%1.1X2").arg(f + 1, 3, 10, QChar('0')));
        writeRowsFile(path, buffer, rows);
        paths << path;
    }
    return paths;
}

// One command line, start to end: parsing, reading the files, checking and
// printing into memory.
void runCommand(benchmark::State& state, const QStringList& arguments)
{
    qint64 printed = 0;
    for (auto _ : state) {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int code = runBatch(arguments, out, err);
        if (code != 0) {
            state.SkipWithError(err.data().constData());
            return;
        }
        printed = out.size();
    }
    state.counters["bytes_out"] = double(printed);
}

// 100 files of 500 rows: every row listed with its hits, a summary per file.
void BM_BatchCheck100FilesOf500Rows(benchmark::State& state)
{
    QTemporaryDir dir;
    const QStringList files = writeRowsFiles(dir, 100, 500);
    runCommand(state, QStringList{"check", "--correct", kCorrect, "--prizes", "100000,2500,80,5.50"} + files);
}
BENCHMARK(BM_BatchCheck100FilesOf500Rows)->Unit(benchmark::kMillisecond);

void BM_BatchList500Rows(benchmark::State& state)
{
    QTemporaryDir dir;
    const QStringList files = writeRowsFiles(dir, 1, 500);
    runCommand(state, {"list", files.first()});
}
BENCHMARK(BM_BatchList500Rows)->Unit(benchmark::kMillisecond);

// The largest typed system the checking window takes: 19,683 rows.
void BM_BatchSystem19683(benchmark::State& state)
{
    runCommand(state, {"system", "--correct", kCorrect, "--pattern", "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1"});
}
BENCHMARK(BM_BatchSystem19683)->Unit(benchmark::kMillisecond);

// The largest reduced system.
void BM_BatchHaravaF1296(benchmark::State& state)
{
    runCommand(state, {"harava", "--system", "F1296", "--correct", kCorrect, "--pattern",
                       "1X,1X,1X,1X,1X,1X,1X,1X,1X2,1X2,1X2,1X2,1"});
}
BENCHMARK(BM_BatchHaravaF1296)->Unit(benchmark::kMillisecond);

// 500 weighted rows drawn and saved: the most the drawing window draws. A new
// file name each time, as the program never overwrites one.
void BM_BatchDraw500Rows(benchmark::State& state)
{
    QTemporaryDir dir;
    int run = 0;
    for (auto _ : state) {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const QString file = QDir(dir.path()).filePath(QString("arvonta%1.1X2").arg(++run));
        const int code = runBatch({"draw", "--basic", kCorrect, "--rows", "500", "--weight", "10", "--seed",
                                   QString::number(run), "--out", file},
                                  out, err);
        if (code != 0) {
            state.SkipWithError(err.data().constData());
            return;
        }
    }
}
BENCHMARK(BM_BatchDraw500Rows)->Unit(benchmark::kMillisecond);

} // namespace

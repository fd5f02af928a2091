#include "batchprogram.h"
#include "systems/systemsdata.h"

#include <gtest/gtest.h>

namespace {

QByteArray sameOnEveryMatch(const char* line)
{
    QByteArray bytes;
    for (int m = 0; m < 13; ++m)
        bytes += QByteArray(line) + '\n';
    return bytes;
}

const QStringList kRound = {"value",
                            "--probabilities",
                            "p.txt",
                            "--public",
                            "q.txt",
                            "--sold",
                            "1000000",
                            "--pools",
                            "13:131250,12:45000,11:37500,10:52500",
                            "--price",
                            "0.25"};

} // namespace

TEST(BatchValue, PrintsWhatRowsAreWorthAndSavesTheBestRowsAsANewFile)
{
    BatchDir dir;
    dir.file("p.txt", sameOnEveryMatch("50 30 20"));
    dir.file("q.txt", sameOnEveryMatch("60 25 15"));
    dir.rowsFile("kolme.1X2",
                 {rowFromText("1111111111111"), rowFromText("111111111111X"), rowFromText("X111111111112")});
    BatchRun run = dir.run(kRound + QStringList{"kolme.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(run.out, QString::fromUtf8("Rivejä: 3\nPanos: 0.75\nOdotusarvo: 0.34\nPalautus: 45.6 %\n"
                                         "Voiton todennäköisyys: 6.9775 %\n13 oikein: 0.0225 % 0.06\n"
                                         "12 oikein: 0.2930 % 0.05\n11 oikein: 1.7842 % 0.08\n"
                                         "10 oikein: 6.7139 % 0.16\n")
                           .toUtf8());

    // The best two rows of a frame: a new file, and the report is of them.
    run = dir.run(kRound +
                  QStringList{"--best", "2", "--pattern", "1X2,1X2,1,1,1,1,1,1,1,1,1,1,1", "--out", "parhaat.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QString::fromUtf8("Rivejä: 2\nPanos: 0.50\n").toUtf8())) << run.out.toStdString();
    const std::vector<SignRow> best = systemsdata::rowsInFile(dir.path("parhaat.1X2"));
    ASSERT_EQ(best.size(), 2u);
    EXPECT_NE(best[0], best[1]);
    run = dir.run(kRound + QStringList{"--best", "1", "--out", "parhaat.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(systemsdata::rowsInFile(dir.path("parhaat.1X2")), best);
}

TEST(BatchValue, RefusesAWrongCommandLineOrChancesFileBeforeWritingAnything)
{
    BatchDir dir;
    dir.file("p.txt", sameOnEveryMatch("50 30 20"));
    dir.file("q.txt", sameOnEveryMatch("60 25 15"));
    dir.rowsFile("r.1X2", {rowFromText("1111111111111")});
    for (const QStringList& wrong :
         {QStringList{"value", "--sold", "1000", "r.1X2"},
          kRound.mid(0, 7) + QStringList{"--pools", "14:5", "--price", "0.25", "r.1X2"},
          kRound + QStringList{"--best", "0", "--out", "x.1X2"}, kRound + QStringList{"--out", "x.1X2", "r.1X2"}}) {
        const BatchRun run = dir.run(wrong);
        EXPECT_EQ(run.code, 2) << wrong.join(' ').toStdString();
        EXPECT_EQ(run.out, QByteArray());
    }
    QByteArray bad = sameOnEveryMatch("50 30 20");
    bad.replace(18, 2, "xx");
    dir.file("p.txt", bad);
    const BatchRun run = dir.run(kRound + QStringList{"--best", "1", "--out", "x.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("Rivi 3")) << run.err.toStdString();
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_FALSE(QFile::exists(dir.path("x.1X2")));
}

#include "batchprogram.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const RowBuffer kRound12 = rowsOf({"1X21X21X21X21", "1X21X21X21X22", "2X2111X21X21X", "12X12X12X12X1"});

} // namespace

TEST(BatchExport, RowsFilesAndOwnSystemsAsTextOrCsv)
{
    BatchDir dir;
    dir.rowsFile("kierros12.1X2", kRound12);
    BatchRun run = dir.run({"export", "--format", "text", "kierros12.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(run.out, linesOf({"1X21X21X21X21", "1X21X21X21X22", "2X2111X21X21X", "12X12X12X12X1"}));

    // Two files: the rows one after another under one header.
    dir.file("oma.STM", systemFileHeader(1, 1, 2) + "2X11111111111" + "1211111111111");
    run = dir.run({"export", "--format=csv", "kierros12.1X2", "oma.STM"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 1 + 4 + 2 + 1);
    EXPECT_EQ(lines[0], "Kohde 1,Kohde 2,Kohde 3,Kohde 4,Kohde 5,Kohde 6,Kohde 7,Kohde 8,Kohde 9,Kohde 10,Kohde 11,"
                        "Kohde 12,Kohde 13");
    EXPECT_EQ(lines[1], "1,X,2,1,X,2,1,X,2,1,X,2,1");
    // The own system fitted to the coupon as the conversion window first offers it.
    EXPECT_EQ(lines[5], "2,X,1,1,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(lines[6], "1,2,1,1,1,1,1,1,1,1,1,1,1");
}

TEST(BatchExport, UnreadableAndDamagedFilesAreTold)
{
    BatchDir dir;
    dir.rowsFile("hyva.1X2", rowsOf({"1111111111111"}));
    dir.file("rikki.1X2", rowsFileHeader(1) + QByteArray("1X2 1X21X21X2"));
    const BatchRun run = dir.run({"export", "puuttuu.1X2", "rikki.1X2", "hyva.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, linesOf({"1X2?1X21X21X2", "1111111111111"}));
    EXPECT_EQ(run.err, linesOf({"Tiedoston luku ei onnistu ! puuttuu.1X2", "Viallinen rivitiedosto ? rikki.1X2"}));

    EXPECT_EQ(dir.run({"export", "--format", "pdf", "hyva.1X2"}).code, 2);
    EXPECT_EQ(dir.run({"export"}).code, 2);
}

TEST(BatchImport, TextBecomesANewRowsFileAndTheRoundTripKeepsEveryByte)
{
    BatchDir dir;
    dir.rowsFile("kierros12.1X2", kRound12);
    const BatchRun exported = dir.run({"export", "--format", "text", "kierros12.1X2"});
    dir.file("rivit.txt", exported.out);
    BatchRun run = dir.run({"import", "--out", "tuotu.1X2", "rivit.txt"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, linesOf({"Rivejä: 4"}));
    EXPECT_EQ(readBytes(dir.path("tuotu.1X2")), readBytes(dir.path("kierros12.1X2")));

    // CSV from standard input, as a spreadsheet saves it.
    const BatchRun csv = dir.run({"export", "--format", "csv", "kierros12.1X2"});
    run = dir.run({"import", "--out", "csv.1X2", "-"}, 0, QByteArray(csv.out).replace("\n", "\r\n").replace(',', ';'));
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(readBytes(dir.path("csv.1X2")), readBytes(dir.path("kierros12.1X2")));

    // Never over an existing file.
    run = dir.run({"import", "--out", "tuotu.1X2", "rivit.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Tiedosto on jo olemassa, anna uusi nimi !"}));
}

TEST(BatchImport, RefusedLinesAreListedAndNothingIsWrittenUnlessTheRestIsAccepted)
{
    BatchDir dir;
    dir.file("rivit.txt", "1x21x21x21x21\n1X21X21X21X\n\n2 2 2 2 2 2 2 2 2 2 2 2 2\nabc\n");
    BatchRun run = dir.run({"import", "--out", "uusi.1X2", "rivit.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err, linesOf({"Rivi 2 ei kelpaa: 1X21X21X21X", "Rivi 5 ei kelpaa: abc",
                                "Mitään ei tuotu. Korjaa rivit tai anna --skip-refused."}));
    EXPECT_FALSE(QFile::exists(dir.path("uusi.1X2")));

    run = dir.run({"import", "--skip-refused", "--out", "uusi.1X2", "rivit.txt"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, linesOf({"Rivejä: 2"}));
    EXPECT_EQ(readBytes(dir.path("uusi.1X2")), rowsFileHeader(2) + "1X21X21X21X21" + "2222222222222");

    // Beyond what a rows file holds nothing is taken.
    dir.file("paljon.txt", QByteArray("1X21X21X21X21\n").repeated(kMaxRows + 1));
    run = dir.run({"import", "--out", "paljon.1X2", "paljon.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Rivejä on enemmän kuin 32767 ! Mitään ei tuotu."}));
    EXPECT_FALSE(QFile::exists(dir.path("paljon.1X2")));
    dir.file("tyhja.txt", "\n\n");
    EXPECT_EQ(dir.run({"import", "--out", "tyhja.1X2", "tyhja.txt"}).code, 1);
    EXPECT_EQ(dir.run({"import", "rivit.txt"}).code, 2);
}

TEST(FileSafety, ImportOntoAFullDiskLeavesNoFile)
{
    BatchDir dir;
    const QByteArray rows = QByteArray("1X21X21X21X21\n").repeated(500);
    const BatchRun run = dir.run({"import", "--out", "uusi.1X2", "-"}, 4096, rows);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Levy täynnä ! uusi.1X2"}));
    EXPECT_TRUE(entriesOf(dir.dirPath()).isEmpty());
}

#include "batchprogram.h"
#include "checking/rowcheck.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const char* const kCorrect = "1X21X21X21X21";

} // namespace

TEST(BatchCheck, ListsEveryRowInBlocksOfTenAndSumsUpTheRound)
{
    BatchDir dir;
    dir.rowsFile("kierros.1X2", rowsOf({
                                    "1X21X21X21X21", // 13
                                    "2X21X21X21X21", // 12
                                    "2121X21X21X21", // 11
                                    "2111X21X21X21", // 10
                                    "2112X21X21X21", // 9: listed, counted nowhere
                                    "2112112112112", // 0
                                    "1X21X21X21X21", // 13 again: the later one is named
                                    "1X21X21X21X22", // 12
                                    "1X21X21X21X22",
                                    "1X21X21X21X22",
                                    "1X21X21X21X22", // the 11th row follows a blank line
                                    "1X21X21X21X22",
                                }));
    const BatchRun run = dir.run({"check", "--correct", kCorrect, "--prizes", "100000,1000,50,4.50", "kierros.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(run.out, linesOf({
                           "Tiedosto: kierros.1X2",
                           " 1  > 1 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 13",
                           " 2  > 2 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 12",
                           " 3  > 2 1 2  1 X 2  1 X 2  1 X 2 1 Oikein > 11",
                           " 4  > 2 1 1  1 X 2  1 X 2  1 X 2 1 Oikein > 10",
                           " 5  > 2 1 1  2 X 2  1 X 2  1 X 2 1 Oikein > 9",
                           " 6  > 2 1 1  2 1 1  2 1 1  2 1 1 2 Oikein > 0",
                           " 7  > 1 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 13",
                           " 8  > 1 X 2  1 X 2  1 X 2  1 X 2 2 Oikein > 12",
                           " 9  > 1 X 2  1 X 2  1 X 2  1 X 2 2 Oikein > 12",
                           " 10 > 1 X 2  1 X 2  1 X 2  1 X 2 2 Oikein > 12",
                           " ",
                           " 11 > 1 X 2  1 X 2  1 X 2  1 X 2 2 Oikein > 12",
                           " 12 > 1 X 2  1 X 2  1 X 2  1 X 2 2 Oikein > 12",
                           "X 13 X: 2",
                           "X 12 X: 6",
                           "X 11 X: 1",
                           "X 10 X: 1",
                           "Rivejä: 12",
                           "Rivillä: 7",
                           // 2 × 100000 + 6 × 1000 + 50 + 4.50, rounded as the checking window rounds
                           "Yht.: 206055",
                       }));
}

TEST(BatchCheck, ReadsEveryRowFileKindAndGoesOnAfterAnUnreadableOne)
{
    BatchDir dir;
    // An own system is checked as its rows stand, without fitting it to the coupon.
    dir.file("oma.STM", "O2 T1 R2     "
                        "1221111111111"
                        "2X11111111111");
    // The older text layout: one sign and a line end per line, no header.
    QByteArray old;
    for (char c : QByteArray("1X21X21X21X22"))
        old += QByteArray(1, c) + "\r\n";
    dir.file("vanha.1X2", old);
    // A header that promises more rows than the file holds.
    dir.file("vajaa.1X2", "5 nova       "
                          "1X21X21X21X21");

    const BatchRun run =
        dir.run({"check", "--correct", "1x21x21x21x21", "oma.STM", "puuttuu.1X2", "vanha.1X2", "vajaa.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, linesOf({
                           "Tiedosto: oma.STM",
                           " 1  > 1 2 2  1 1 1  1 1 1  1 1 1 1 Oikein > 6",
                           " 2  > 2 X 1  1 1 1  1 1 1  1 1 1 1 Oikein > 5",
                           "X 13 X: 0",
                           "X 12 X: 0",
                           "X 11 X: 0",
                           "X 10 X: 0",
                           "Rivejä: 2",
                           "Rivillä: 0",
                           "Yht.: 0",
                           "Tiedosto: vanha.1X2",
                           " 1  > 1 X 2  1 X 2  1 X 2  1 X 2 2 Oikein > 12",
                           "X 13 X: 0",
                           "X 12 X: 1",
                           "X 11 X: 0",
                           "X 10 X: 0",
                           "Rivejä: 1",
                           "Rivillä: 0",
                           "Yht.: 0",
                       }));
    EXPECT_EQ(run.err, linesOf({
                           "Tämän tiedoston luku ei onnistu ! puuttuu.1X2",
                           "Tämän tiedoston luku ei onnistu ! vajaa.1X2",
                       }));
}

TEST(BatchCheck, EmptyFilesLongFilesAndOddBytes)
{
    BatchDir dir;
    dir.rowsFile("tyhja.1X2", {});
    RowBuffer many(100, rowFromText("1X21X21X21X21"));
    dir.rowsFile("sata.1X2", many);
    // Bytes of a damaged file: a line feed must not break the output into two
    // lines, nor an escape reach the terminal; other characters show as they are.
    dir.file("outo.1X2", QByteArray("1 nova       1X21X21X2\n\x1b\xe4"
                                    "1"));
    // A name given with a line feed in it.
    dir.rowsFile("kaksi\nriviä.1X2", rowsOf({"2222222222222"}));

    BatchRun run = dir.run({"check", "--correct", kCorrect, "--prizes", ",,,", "tyhja.1X2"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, linesOf({"Tiedosto: tyhja.1X2", "X 13 X: 0", "X 12 X: 0", "X 11 X: 0", "X 10 X: 0", "Rivejä: 0",
                                "Rivillä: 0", "Yht.: 0"}));

    run = dir.run({"check", "--correct", kCorrect, "--prizes", "7,0,0,0", "sata.1X2"});
    EXPECT_EQ(run.code, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 1 + 100 + 10 + 7 + 1);
    EXPECT_EQ(lines[109], QByteArray(" 100> 1 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 13"));
    EXPECT_EQ(lines[110], QByteArray(" "));
    EXPECT_EQ(lines[117], QByteArray("Yht.: 700")) << "no grouping, so scripts can read it";
    EXPECT_EQ(lines[116], QByteArray("Rivillä: 100"));

    // The rows are checked as they are, and the damage is told as every command tells it.
    run = dir.run({"check", "--correct", kCorrect, "outo.1X2", "kaksi\nriviä.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out.split('\n').mid(0, 2),
              QList<QByteArray>({"Tiedosto: outo.1X2", " 1  > 1 X 2  1 X 2  1 X 2  ? ? ä 1 Oikein > 10"}));
    EXPECT_TRUE(run.out.contains("Tiedosto: kaksi?riviä.1X2\n"));
    EXPECT_FALSE(run.out.contains('\r'));
    EXPECT_EQ(run.err, linesOf({"Viallinen rivitiedosto ? outo.1X2"}));

    // Nothing the program writes is empty, and nothing endless is read to its end.
    dir.file("nolla.1X2", {});
    run = dir.run({"check", "--correct", kCorrect, "nolla.1X2", "/dev/zero"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err,
              linesOf({"Tämän tiedoston luku ei onnistu ! nolla.1X2", "Tämän tiedoston luku ei onnistu ! /dev/zero"}));
}

TEST(BatchCheck, PrintsWhatTheCheckingWindowListsForAFullRowsFile)
{
    BatchDir dir;
    std::mt19937 engine(7);
    RowBuffer rows(500);
    for (Row& row : rows)
        for (char& c : row)
            c = kSigns[engine() % 3];
    // Near misses, so that the prize classes are not empty.
    for (int r = 0; r < 40; ++r)
        for (int k = 0; k < 10 + r % 4; ++k)
            rows[size_t(r * 12)][k] = kCorrect[k];
    dir.rowsFile("iso.1X2", rows);

    const BatchRun run = dir.run({"check", "--correct", kCorrect, "iso.1X2"});
    ASSERT_EQ(run.code, 0);
    const SingleRowCheck check = checkSingleRows(rows, 500, rowFromText(kCorrect));
    ASSERT_GT(check.tally.count(10), 0);
    QByteArray expected = "Tiedosto: iso.1X2\n";
    for (const QString& line : check.lines)
        expected += line.toUtf8() + '\n';
    expected += QString("X 13 X: %1\nX 12 X: %2\nX 11 X: %3\nX 10 X: %4\nRivejä: 500\nRivillä: %5\nYht.: 0\n")
                    .arg(check.tally.count(13))
                    .arg(check.tally.count(12))
                    .arg(check.tally.count(11))
                    .arg(check.tally.count(10))
                    .arg(check.tally.lastFullHitRow)
                    .toUtf8();
    EXPECT_EQ(run.out, expected);
}

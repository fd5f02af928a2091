#include "batchprogram.h"

#include <gtest/gtest.h>

TEST(BatchList, ListsRowsInBlocksOfTenAsTheScreenListingDoes)
{
    BatchDir dir;
    dir.rowsFile("rivit.1X2", rowsOf({
                                  "1X21X21X21X21",
                                  "2222222222222",
                                  "XXXXXXXXXXXXX",
                                  "1111111111111",
                                  "1X21X21X21X21",
                                  "2222222222222",
                                  "XXXXXXXXXXXXX",
                                  "1111111111111",
                                  "12X12X12X12X1",
                                  "X21X21X21X21X",
                                  "2X12X12X12X12",
                                  "1X21X21X21X21",
                              }));
    const BatchRun run = dir.run({"list", "rivit.1X2"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(run.out, linesOf({
                           " 1  > 1 X 2  1 X 2  1 X 2  1 X 2 1",
                           " 2  > 2 2 2  2 2 2  2 2 2  2 2 2 2",
                           " 3  > X X X  X X X  X X X  X X X X",
                           " 4  > 1 1 1  1 1 1  1 1 1  1 1 1 1",
                           " 5  > 1 X 2  1 X 2  1 X 2  1 X 2 1",
                           " 6  > 2 2 2  2 2 2  2 2 2  2 2 2 2",
                           " 7  > X X X  X X X  X X X  X X X X",
                           " 8  > 1 1 1  1 1 1  1 1 1  1 1 1 1",
                           " 9  > 1 2 X  1 2 X  1 2 X  1 2 X 1",
                           " 10 > X 2 1  X 2 1  X 2 1  X 2 1 X",
                           "",
                           " 11 > 2 X 1  2 X 1  2 X 1  2 X 1 2",
                           " 12 > 1 X 2  1 X 2  1 X 2  1 X 2 1",
                           "Rivejä: 12",
                       }));
}

TEST(BatchList, LongFilesAndTheOlderLayout)
{
    BatchDir dir;
    dir.rowsFile("sata.1X2", RowBuffer(105, rowFromText("1X21X21X21X21")));
    BatchRun run = dir.run({"list", "sata.1X2"});
    QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 105 + 10 + 1 + 1);
    EXPECT_EQ(lines[99 + 9], QByteArray(" 100> 1 X 2  1 X 2  1 X 2  1 X 2 1"));
    EXPECT_EQ(lines[99 + 10], QByteArray());
    EXPECT_EQ(lines[115], QByteArray("Rivejä: 105"));

    // The screen listing shows at most 250 rows of the older layout.
    QByteArray old;
    for (int r = 0; r < 260; ++r)
        for (char c : QByteArray("2X12X12X12X12"))
            old += QByteArray(1, c) + "\r\n";
    dir.file("vanha.1X2", old);
    run = dir.run({"list", "vanha.1X2"});
    EXPECT_EQ(run.code, 0);
    lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 250 + 25 + 1 + 1);
    EXPECT_EQ(lines[0], QByteArray(" 1  > 2 X 1  2 X 1  2 X 1  2 X 1 2"));
    EXPECT_EQ(lines[275], QByteArray("Rivejä: 250"));
}

TEST(BatchList, ReportsUnreadableAndFaultyFiles)
{
    BatchDir dir;
    BatchRun run = dir.run({"list", "puuttuu.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err, linesOf({"Tiedoston luku ei onnistu ! puuttuu.1X2"}));

    // The print target reads rows files only; an own system is not one.
    dir.file("oma.STM", "O1 T0 R2     1211111111111X211111111111");
    run = dir.run({"list", "oma.STM"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Tiedoston luku ei onnistu ! oma.STM"}));

    // Rows are listed even when they hold something else than signs, and the
    // damage is reported afterwards.
    dir.file("vika.1X2", QByteArray("2 nova       1X21X21X21X21A\0\xe4"
                                    "1X21X21X21X",
                                    39));
    // Nothing the program writes is empty or only line ends, and nothing endless is read to its end.
    dir.file("nolla.1X2", {});
    dir.file("rivinvaihto.1X2", "\n");
    dir.file("rivinvaihdot.1X2", "\r\n\r\n");
    dir.file("loppu.1X2", "\x1a");
    for (const char* file : {"nolla.1X2", "rivinvaihto.1X2", "rivinvaihdot.1X2", "loppu.1X2", "/dev/zero"}) {
        run = dir.run({"list", file});
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, "Tiedoston luku ei onnistu ! " + QByteArray(file) + "\n");
    }

    run = dir.run({"list", "vika.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out,
              linesOf({" 1  > 1 X 2  1 X 2  1 X 2  1 X 2 1", " 2  > A ? ?  1 X 2  1 X 2  1 X 2 1", "Rivejä: 2"}));
    EXPECT_EQ(run.err, linesOf({"Viallinen rivitiedosto ? vika.1X2"}));
}

#include "base/boundedread.h"
#include "batchprogram.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(BatchFiles, APipeNobodyWritesToOrADeviceKeepsNoReaderWaiting)
{
    BatchDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path("putki")).constData(), 0600), 0);
    // Rows files, text and small files of numbers or conditions each have a reader of their own.
    for (const QStringList& arguments : {QStringList{"list", "putki"},
                                         {"import", "--out", "uusi.1X2", "putki"},
                                         {"reduce", "--conditions", "putki"},
                                         {"list", "/dev/zero"}}) {
        QElapsedTimer timer;
        timer.start();
        const BatchRun run = dir.run(arguments);
        EXPECT_LT(timer.elapsed(), kPipeWaitMs + 5000);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, "Tiedoston luku ei onnistu ! " + arguments.last().toUtf8() + '\n');
    }
    EXPECT_EQ(entriesOf(dir.dirPath()), QStringList{"putki"});
}

TEST(BatchFiles, ANameThatIsNoUtf8IsTheFileReadAndWritten)
{
    BatchDir dir;
    dir.rowsFile("r.1X2", rowsOf({"1X21X21X21X21"}));
    BatchRun run = dir.shell("cp r.1X2 \"$(printf 'lat\\344.1X2')\" && \"$0\" list \"$(printf 'lat\\344.1X2')\"");
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith("Rivejä: 1\n"));

    run =
        dir.shell("\"$0\" draw --basic 1X21X21X21X21 --rows 3 --weight 5 --seed 1 --out \"$(printf 'uusi\\344.1X2')\"");
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QByteArray folder = QFile::encodeName(dir.dirPath());
    struct stat st;
    EXPECT_EQ(::stat((folder + "/uusi\xe4.1X2").constData(), &st), 0) << "the file has the name given";
    EXPECT_NE(::stat((folder + "/uusi\xef\xbf\xbd.1X2").constData(), &st), 0) << "and no other";
    // The toolkit does not see these names: they go as they came.
    EXPECT_EQ(dir.shell("rm \"$(printf 'lat\\344.1X2')\" \"$(printf 'uusi\\344.1X2')\"").code, 0);
}

TEST(BatchFiles, TooLargeAFileIsToldSoByEveryCommand)
{
    BatchDir dir;
    // A header promising more rows than any rows file holds, and text beyond any rows text.
    dir.file("suuri.1X2", rowsFileHeader(kMaxRows + 1) + QByteArray(13, '1'));
    dir.file("suuri.txt", QByteArray(qsizetype(kMaxRows + 1) * 128 + 1, ' '));
    const QList<QStringList> commands = {{"list", "suuri.1X2"},
                                         {"check", "--correct", "1X21X21X21X21", "suuri.1X2"},
                                         {"export", "suuri.1X2"},
                                         {"analyse", "suuri.1X2"},
                                         {"import", "--out", "uusi.1X2", "suuri.txt"}};
    for (const QStringList& arguments : commands) {
        const BatchRun run = dir.run(arguments);
        EXPECT_EQ(run.code, 1) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, "Tiedosto on liian suuri ! " + arguments.last().toUtf8() + '\n');
    }
}

TEST(BatchFiles, WhatCannotBeWrittenIsToldAndWritesNothing)
{
    BatchDir dir;
    QDir(dir.dirPath()).mkdir("tulokset");
    dir.file("rivit.txt", "1X21X21X21X21\n");
    BatchRun run = dir.run({"import", "--out", "tulokset", "rivit.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"tulokset on kansio, anna tiedostolle nimi !"}));

    // A report that cannot be written leaves no file to refuse the rerun.
    run = dir.shell("\"$0\" import --out tuotu.1X2 rivit.txt > /dev/full");
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Tulostus ei onnistu !"}));
    EXPECT_FALSE(QFile::exists(dir.path("tuotu.1X2")));
    run = dir.run({"import", "--out", "tuotu.1X2", "rivit.txt"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, linesOf({"Rivejä: 1"}));
}

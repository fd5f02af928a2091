#include "base/rowfile.h"

#include "support/files.h"
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

RowBuffer rows(std::initializer_list<const char*> texts)
{
    RowBuffer out;
    for (const char* t : texts)
        out.push_back(rowFromText(t));
    return out;
}

QByteArray oldLayout(const QList<QByteArray>& rowsText)
{
    QByteArray out;
    for (const QByteArray& row : rowsText)
        for (char c : row)
            out += QByteArray(1, c) + "\r\n";
    return out;
}

} // namespace

TEST(RowFile, HeadersArePaddedTo13Bytes)
{
    EXPECT_EQ(rowsFileHeader(500), QByteArray("500 nova     "));
    EXPECT_EQ(rowsFileHeader(1), QByteArray("1 nova       "));
    EXPECT_EQ(systemFileHeader(2, 2, 5), QByteArray("O2 T2 R5     "));
    EXPECT_EQ(systemFileHeader(3, 2, 24), QByteArray("O3 T2 R24    "));
}

TEST(RowFile, OneSavedRowMakesThe26ByteFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("yksi.1X2");
    ASSERT_TRUE(writeRowsFile(path, rows({"1X21X21X21X21"}), 1).ok());
    EXPECT_EQ(readBytes(path), QByteArray("1 nova       1X21X21X21X21"));
}

TEST(RowFile, ExistingFilesAreNeverReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vanha.1X2");
    ASSERT_TRUE(writeBytes(path, "keep me"));
    EXPECT_TRUE(writeRowsFile(path, rows({"1111111111111"}), 1).failedWith(Cause::Exists));
    EXPECT_EQ(readBytes(path), QByteArray("keep me"));
}

TEST(RowFile, AFailedWriteLeavesNoFileBehind)
{
    QTemporaryDir dir;
    // A folder that is really a file cannot take the rows, whoever runs the test.
    ASSERT_TRUE(writeBytes(dir.filePath("tiedosto"), "x"));
    EXPECT_TRUE(writeRowsFile(dir.filePath("tiedosto/rivit.1X2"), rows({"1111111111111"}), 1).failedWith(Cause::Failed));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"tiedosto"});
}

TEST(FileSafety, ALockedFolderIsWriteProtection)
{
    if (!permissionsBind())
        GTEST_SKIP() << "folder permissions do not bind this user";
    QTemporaryDir dir;
    const QString system = dir.filePath("oma.STM");
    const QByteArray systemBytes = systemFileHeader(2, 2, 1) + "1211111111111";
    ASSERT_TRUE(writeBytes(system, systemBytes));
    LockedFolder locked(dir.path());
    EXPECT_TRUE(writeRowsFile(dir.filePath("rivit.1X2"), rows({"1111111111111"}), 1).failedWith(Cause::PermissionDenied));
    EXPECT_TRUE(appendSystemRow(system, 2, 2, rowFromText("2211111111111")).failedWith(Cause::PermissionDenied));
    EXPECT_TRUE(createSystemFile(dir.filePath("uusi.STM"), 2, 2).failedWith(Cause::PermissionDenied));
    EXPECT_EQ(readBytes(system), systemBytes);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"oma.STM"});
}

TEST(FileSafety, AWriteProtectedOwnSystemFileStaysAsItWas)
{
    if (!permissionsBind())
        GTEST_SKIP() << "file permissions do not bind this user";
    QTemporaryDir dir;
    const QString system = dir.filePath("oma.STM");
    const QByteArray systemBytes = systemFileHeader(0, 0, 0);
    ASSERT_TRUE(writeBytes(system, systemBytes));
    QFile::setPermissions(system, QFileDevice::ReadOwner);
    // The folder would let the file be replaced; its own protection still holds.
    EXPECT_TRUE(appendSystemRow(system, 0, 0, rowFromText("1111111111111")).failedWith(Cause::PermissionDenied));
    EXPECT_EQ(readBytes(system), systemBytes);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"oma.STM"});
}

TEST(FileSafety, AFullDiskKeepsEveryRowFileAsItWas)
{
    QTemporaryDir dir;
    RowBuffer many;
    for (int i = 0; i < 500; ++i)
        many.push_back(rowFromText(i % 2 ? "1X21X21X21X21" : "2222222222222"));
    // An own-system file of 300 rows, 3,913 bytes.
    QByteArray systemBytes = systemFileHeader(2, 2, 300);
    for (int i = 0; i < 300; ++i)
        systemBytes += "121X111111111";
    ASSERT_EQ(systemBytes.size(), 3913);
    const QString system = dir.filePath("oma.STM");
    ASSERT_TRUE(writeBytes(system, systemBytes));
    {
        FullDisk full(2048);
        EXPECT_TRUE(writeRowsFile(dir.filePath("uusi.1X2"), many, 500).failedWith(Cause::DiskFull));
        EXPECT_TRUE(appendSystemRow(system, 2, 2, rowFromText("2121111111111")).failedWith(Cause::DiskFull));
        EXPECT_TRUE(createSystemFile(dir.filePath("uusi.STM"), 2, 2, many).failedWith(Cause::DiskFull));
    }
    EXPECT_EQ(readBytes(system), systemBytes);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"oma.STM"});
    // With room again the same writes succeed.
    EXPECT_TRUE(appendSystemRow(system, 2, 2, rowFromText("2121111111111")).ok());
    EXPECT_EQ(readBytes(system).left(13), QByteArray("O2 T2 R301   "));
}

TEST(RowFile, RowsFilesReadBackAsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kaksi.1X2");
    const RowBuffer written = rows({"1111111111111", "XXXXXXXXXXXX2"});
    ASSERT_TRUE(writeRowsFile(path, written, 2).ok());
    for (RowReader reader : {RowReader::Checking, RowReader::PrintTarget}) {
        const RowFileReadResult read = readRowFile(path, reader);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->layout, RowLayout::RowsFile);
        EXPECT_EQ(read->rows, written);
    }
}

TEST(RowFile, TheHeaderCountWinsOverExtraRecords)
{
    QByteArray bytes = rowsFileHeader(12);
    for (int i = 0; i < 20; ++i)
        bytes += "1X21X21X21X21";
    const RowFileReadResult read = parseRowFile(bytes, RowReader::Checking);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->rows.size(), 12u);
}

TEST(RowFile, BrokenHeadersAreRefusedWithoutBlankRows)
{
    QByteArray promisesMore = rowsFileHeader(5) + "1X21X21X21X21";
    EXPECT_FALSE(parseRowFile(promisesMore, RowReader::Checking).ok());
    EXPECT_FALSE(parseRowFile(rowsFileHeader(40000), RowReader::Checking).ok());
    EXPECT_FALSE(parseRowFile("-3 nova      ", RowReader::Checking).ok());
    // A torn last record does not count as a row.
    QByteArray torn = rowsFileHeader(2) + "1X21X21X21X21" + "1X21";
    EXPECT_FALSE(parseRowFile(torn, RowReader::Checking).ok());
}

TEST(RowFile, OwnSystemHeadersGiveTheGuardCounts)
{
    QByteArray bytes = systemFileHeader(3, 2, 24);
    for (int i = 0; i < 24; ++i)
        bytes += "121X211111111";
    for (RowReader reader : {RowReader::Checking, RowReader::OwnSystem}) {
        const RowFileReadResult read = parseRowFile(bytes, reader);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->layout, RowLayout::OwnSystem);
        EXPECT_EQ(read->halfGuards, 3);
        EXPECT_EQ(read->fullGuards, 2);
        EXPECT_EQ(read->rows.size(), 24u);
    }
    const SystemHeader h = parseSystemHeader("O10 T3 R7    ");
    EXPECT_EQ(h.halfGuards, 10);
    EXPECT_EQ(h.fullGuards, 3);
    EXPECT_EQ(h.rowCount, 7);
}

TEST(RowFile, EmptyAndEndlessFilesAreRefused)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("tyhja.1X2");
    ASSERT_TRUE(writeBytes(empty, {}));
    const QString huge = dir.filePath("suuri.1X2");
    ASSERT_TRUE(writeBytes(huge, QByteArray(kMaxRowFileBytes + 1, '1')));
    for (RowReader reader : {RowReader::Checking, RowReader::PrintTarget, RowReader::OwnSystem}) {
        EXPECT_FALSE(readRowFile(empty, reader).ok());
        EXPECT_FALSE(readRowFile(huge, reader).ok());
        // A device that never ends is read no further than the largest rows file.
        EXPECT_FALSE(readRowFile("/dev/zero", reader).ok());
    }
    EXPECT_FALSE(openSystemFile(empty).ok());
    EXPECT_FALSE(openSystemFile("/dev/zero").ok());
}

TEST(RowFile, APipeIsReadToItsEnd)
{
    // The rows of a program that writes them into a pipe (`<(...)` in a
    // shell): more than one read brings, in pieces of the writer's choosing.
    QTemporaryDir dir;
    const QString pipe = dir.filePath("rivit.1X2");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    RowBuffer written(kMaxRows, rowFromText("1X21X21X21X21"));
    written.back() = rowFromText("2222222222222");
    QByteArray bytes = rowsFileHeader(kMaxRows);
    for (const Row& row : written)
        bytes += rowRecord(row);
    std::thread writer([&] {
        QFile out(pipe);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        for (qsizetype at = 0; at < bytes.size(); at += 4093)
            out.write(bytes.mid(at, 4093));
    });
    const RowFileReadResult read = readRowFile(pipe, RowReader::Checking);
    writer.join();
    ASSERT_TRUE(read.ok()) << read.failure().message.toStdString();
    EXPECT_EQ(read->rows, written);
}

TEST(RowFile, OwnSystemHeadersWithImpossibleCountsAreRefused)
{
    for (const char* header : {"O9e9T9e9R9e9 ", "O9 T9 R1     ", "O2.5 T1 R0   ", "O-1 T2 R0    ", "O2 T14 R0    ",
                               "O2 T2 R99999 ", "O2 T2 R1.5   "}) {
        EXPECT_FALSE(parseSystemHeader(header).valid) << header;
        EXPECT_FALSE(parseRowFile(QByteArray(header) + "1211111111111", RowReader::Checking).ok()) << header;
        EXPECT_FALSE(parseRowFile(QByteArray(header) + "1211111111111", RowReader::OwnSystem).ok()) << header;
    }
    const SystemHeader edge = parseSystemHeader("O13 T0 R0    ");
    EXPECT_TRUE(edge.valid);
    EXPECT_EQ(edge.halfGuards, 13);
    EXPECT_TRUE(parseRowFile("O0 T13 R1    1X21X21X21X21", RowReader::OwnSystem).ok());
}

TEST(RowFile, TheOlderTextLayoutIsRead)
{
    QList<QByteArray> text;
    for (int i = 0; i < 10; ++i)
        text << (i % 2 ? "1X21X21X21X21" : "2222222222222");
    const QByteArray bytes = oldLayout(text);
    ASSERT_EQ(bytes.size(), 390);
    const RowFileReadResult read = parseRowFile(bytes, RowReader::Checking);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->layout, RowLayout::OldText);
    ASSERT_EQ(read->rows.size(), 10u);
    EXPECT_EQ(rowText(read->rows[1]), "1X21X21X21X21");
    EXPECT_EQ(rowText(read->rows[0]), "2222222222222");
}

TEST(RowFile, ThePrintTargetShowsAtMost250RowsOfTheOlderLayout)
{
    QList<QByteArray> text;
    for (int i = 0; i < 260; ++i)
        text << "1111111111111";
    const QByteArray bytes = oldLayout(text);
    EXPECT_EQ(parseRowFile(bytes, RowReader::PrintTarget)->rows.size(), 250u);
    EXPECT_EQ(parseRowFile(bytes, RowReader::Checking)->rows.size(), 260u);
}

TEST(RowFile, ATornRowOfTheOlderLayoutIsRefused)
{
    QByteArray bytes = oldLayout({"1111111111111"});
    bytes += "1\r\nX\r\n";
    EXPECT_FALSE(parseRowFile(bytes, RowReader::Checking).ok());
    // ... but a final line end or end-of-file mark is no row.
    EXPECT_TRUE(parseRowFile(oldLayout({"1111111111111"}) + "\r\n\x1a", RowReader::Checking).ok());
}

TEST(RowFile, ThePrintTargetReaderDoesNotLookForOwnSystemHeaders)
{
    QByteArray bytes = systemFileHeader(0, 0, 1) + "1111111111111";
    // Without "nova" the bytes are taken for the older layout, which they are not.
    EXPECT_FALSE(parseRowFile(bytes, RowReader::PrintTarget).ok());
}

TEST(RowFile, OwnSystemFilesGrowOneRowAtATime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("oma.STM");
    ASSERT_TRUE(createSystemFile(path, 2, 2).ok());
    EXPECT_EQ(readBytes(path), QByteArray("O2 T2 R0     "));
    ASSERT_TRUE(appendSystemRow(path, 2, 2, rowFromText("121X111111111")).ok());
    EXPECT_EQ(readBytes(path), QByteArray("O2 T2 R1     121X111111111"));
    ASSERT_TRUE(appendSystemRow(path, 2, 2, rowFromText("2121111111111")).ok());
    EXPECT_EQ(readBytes(path), QByteArray("O2 T2 R2     121X1111111112121111111111"));
}

TEST(RowFile, ContinuingAFileWithFiveRowsWritesRecordSeven)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("viisi.STM");
    QByteArray bytes = systemFileHeader(2, 2, 5);
    for (int i = 0; i < 5; ++i)
        bytes += "1211111111111";
    ASSERT_TRUE(writeBytes(path, bytes));
    const Outcome<OpenedSystem> open = openSystemFile(path);
    ASSERT_TRUE(open.ok());
    EXPECT_EQ(open->header.halfGuards, 2);
    EXPECT_EQ(open->header.fullGuards, 2);
    EXPECT_EQ(open->nextRecord, 7);
    ASSERT_TRUE(appendSystemRow(path, 2, 2, rowFromText("22XX111111111")).ok());
    const QByteArray after = readBytes(path);
    EXPECT_EQ(after.size(), 7 * 13);
    EXPECT_EQ(after.left(13), QByteArray("O2 T2 R6     "));
    EXPECT_EQ(after.mid(13, 65), bytes.mid(13));
    EXPECT_EQ(after.right(13), QByteArray("22XX111111111"));
}

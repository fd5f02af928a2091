#include "base/rowfile.h"
#include "base/safewrite.h"
#include "base/statsfiles.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

TEST(SafeWrite, ANewFileNeverReplacesAnExistingOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("taulukko.txt");
    EXPECT_TRUE(createNewFile(path, "uusi\r\n").ok());
    EXPECT_TRUE(createNewFile(path, "toinen\r\n").failedWith(Cause::Exists));
    EXPECT_EQ(readBytes(path), QByteArray("uusi\r\n"));
    EXPECT_TRUE(createNewFile(dir.filePath("puuttuu/taulukko.txt"), "x").failedWith(Cause::Failed));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"taulukko.txt"});
}

TEST(SafeWrite, AReplacedFileKeepsItsPermissionsAndItsLink)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("VOITOT.TIL");
    ASSERT_TRUE(writeBytes(path, "vanha"));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    // A link the user made to the file elsewhere stays a link to the new bytes.
    const QString link = dir.filePath("linkki.TIL");
    ASSERT_TRUE(QFile::link(path, link));

    EXPECT_TRUE(replaceFile(link, "uusi").ok());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(path), QByteArray("uusi"));
    const auto ofThisUser = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    EXPECT_EQ(QFile::permissions(path) & ~ofThisUser, permissions);
    EXPECT_EQ(entriesOf(dir.path()), QStringList({"VOITOT.TIL", "linkki.TIL"}));
}

namespace {

// What each sync saw: "folder", or the bytes the target held while the new ones were synced.
QStringList syncs;
QString syncedTarget;

} // namespace

TEST(FileSafety, TheBytesReachTheDiskBeforeTheNameAndTheModeOutlivesTheUmask)
{
    QTemporaryDir dir;
    const DurabilityCalls real = durabilityCalls();
    const mode_t umaskBefore = ::umask(022);
    syncedTarget = dir.filePath("VOITOT.TIL");
    ASSERT_TRUE(writeBytes(syncedTarget, "vanha"));
    ASSERT_TRUE(QFile::setPermissions(syncedTarget, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                        QFileDevice::ReadOther));
    durabilityCalls().syncFile = [](int fd) {
        struct stat st;
        ::fstat(fd, &st);
        syncs << (S_ISDIR(st.st_mode) ? QStringLiteral("folder") : QString::fromLatin1(readBytes(syncedTarget)));
        return ::fsync(fd);
    };
    EXPECT_TRUE(replaceFile(syncedTarget, "uusi").ok());
    durabilityCalls() = real;
    ::umask(umaskBefore);
    EXPECT_EQ(syncs, QStringList({"vanha", "folder"}));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(syncedTarget).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
}

TEST(FileSafety, WhatAKilledWriterLeftGoesWithTheNextWriteIntoItsFolderOrTheStart)
{
    QTemporaryDir dir;
    ChildProcess killed([&] {
        durabilityCalls().syncFile = [](int) { return ::raise(SIGKILL); };
        return createNewFile(dir.filePath("kesken.1X2"), "rivit").ok() ? 0 : 1;
    });
    const QString pid = QString::number(killed.pid);
    EXPECT_EQ(killed.join(), -1);
    const QStringList left = entriesOf(dir.path());
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(left[0].startsWith(".rivikone-" + pid + "-") && left[0].endsWith(".tmp")) << left[0].toStdString();
    // A copy still writing keeps its file.
    const QString writing = QString(".rivikone-%1-x.tmp").arg(::getpid());
    ASSERT_TRUE(writeBytes(dir.filePath(writing), "x"));
    EXPECT_TRUE(createNewFile(dir.filePath("uusi.1X2"), "rivit").ok());
    EXPECT_EQ(entriesOf(dir.path()), QStringList({writing, "uusi.1X2"}));

    const QDir temp(QDir::tempPath());
    const QString alive = QString("Rivikone-%1-abcdef").arg(::getpid());
    ASSERT_TRUE(temp.mkpath("Rivikone-" + pid + "-abcdef/x") && temp.mkpath(alive));
    removeLeftoverScratchFolders();
    EXPECT_FALSE(temp.exists("Rivikone-" + pid + "-abcdef"));
    EXPECT_TRUE(temp.rmdir(alive));
}

TEST(FileSafety, TwoCopiesAddingAtOnceKeepEveryRecordAndRowOrSayTheFileIsHeld)
{
    QTemporaryDir dir;
    const QString correct = dir.filePath("OIKEAT.TIL");
    const QString system = dir.filePath("oma.STM");
    ASSERT_TRUE(createSystemFile(system, 0, 1).ok());
    // Each copy's records carry its mark and number; its rows its mark.
    const auto record = [](char copy, int i) { return copy + QByteArray::number(i).rightJustified(20, '0'); };
    const auto add = [&](char copy) {
        for (int i = 0; i < 30; ++i)
            if (!appendRecord(correct, record(copy, i), 21) ||
                !appendSystemRow(system, 0, 1, rowFromText(QString(13, QChar(copy)))))
                return 1;
        return 0;
    };
    ChildProcess other([&] { return add('2'); });
    EXPECT_EQ(add('X'), 0);
    EXPECT_EQ(other.join(), 0);
    const auto records = readRecords(correct, 21);
    ASSERT_TRUE(records);
    QList<QByteArray> inOrder[2];
    for (const QByteArray& r : *records)
        inOrder[r[0] == '2'] << r;
    for (int i = 0; i < 30; ++i)
        EXPECT_TRUE(inOrder[0].value(i) == record('X', i) && inOrder[1].value(i) == record('2', i)) << i;
    EXPECT_EQ(records->size(), 60);
    EXPECT_TRUE(readBytes(system).startsWith("O0 T1 R60    "));
    const RowBuffer rows = readRowFile(system, RowReader::OwnSystem)->rows;
    EXPECT_EQ(std::count(rows.begin(), rows.end(), rowFromText(QString(13, 'X'))), 30);

    // A copy that holds the file longer than a few seconds is named, and nothing changes.
    const int held = ::open(QFile::encodeName(correct).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const Outcome<> refused = appendRecord(correct, QByteArray(21, 'C'), 21);
    EXPECT_TRUE(refused.failedWith(Cause::Busy));
    ::close(held);
    EXPECT_EQ(readRecords(correct, 21)->size(), 60);
    EXPECT_EQ(refused.failure().message, "Tiedosto on toisen ohjelman käytössä !");
}

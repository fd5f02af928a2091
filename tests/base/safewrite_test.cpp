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
#include <sys/time.h>
#include <unistd.h>

TEST(SafeWrite, ANewFileNeverReplacesAnExistingOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("taulukko.txt");
    EXPECT_EQ(createNewFile(path, "uusi\r\n"), WriteStatus::Ok);
    EXPECT_EQ(createNewFile(path, "toinen\r\n"), WriteStatus::Exists);
    EXPECT_EQ(readBytes(path), QByteArray("uusi\r\n"));
    EXPECT_EQ(createNewFile(dir.filePath("puuttuu/taulukko.txt"), "x"), WriteStatus::Failed);
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

    EXPECT_EQ(replaceFile(link, "uusi"), WriteStatus::Ok);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(path), QByteArray("uusi"));
    const auto ofThisUser = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    EXPECT_EQ(QFile::permissions(path) & ~ofThisUser, permissions);
    EXPECT_EQ(entriesOf(dir.path()), QStringList({"VOITOT.TIL", "linkki.TIL"}));
}

namespace {

// Puts the real system calls back whatever a test put in their place.
struct DurabilityCallsRestored {
    DurabilityCalls saved = durabilityCalls();
    ~DurabilityCallsRestored() { durabilityCalls() = saved; }
};

// What each sync saw: "folder", or the bytes the target held while the new ones were synced.
QStringList syncs;
QString syncedTarget;

int watchedSync(int fd)
{
    struct stat st;
    ::fstat(fd, &st);
    syncs << (S_ISDIR(st.st_mode) ? QStringLiteral("folder") : QString::fromLatin1(readBytes(syncedTarget)));
    return ::fsync(fd);
}

} // namespace

TEST(FileSafety, TheBytesAndTheirNameReachTheDiskAndTheFileKeepsAModeTheUmaskWouldChange)
{
    QTemporaryDir dir;
    const DurabilityCallsRestored restored;
    const mode_t umaskBefore = ::umask(022);
    syncedTarget = dir.filePath("VOITOT.TIL");
    ASSERT_TRUE(writeBytes(syncedTarget, "vanha"));
    ASSERT_EQ(::chmod(QFile::encodeName(syncedTarget).constData(), 0664), 0);
    syncs.clear();
    durabilityCalls().syncFile = watchedSync;

    EXPECT_EQ(replaceFile(syncedTarget, "uusi"), WriteStatus::Ok);
    ::umask(umaskBefore);
    // The new bytes are on disk before they take the name, and the name after.
    EXPECT_EQ(syncs, QStringList({"vanha", "folder"}));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(syncedTarget).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(readBytes(syncedTarget), QByteArray("uusi"));
}

TEST(FileSafety, WhatAKilledWriterLeftGoesWithTheNextWriteIntoItsFolder)
{
    QTemporaryDir dir;
    ChildProcess killed([&] {
        durabilityCalls().syncFile = [](int) { return ::raise(SIGKILL); };
        createNewFile(dir.filePath("kesken.1X2"), "rivit");
        return 0;
    });
    const QString leftover = QString(".rivikone-%1-").arg(killed.pid());
    EXPECT_EQ(killed.join(), -1);
    QStringList entries = entriesOf(dir.path());
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries[0].startsWith(leftover) && entries[0].endsWith(".tmp")) << entries[0].toStdString();

    // A copy still writing keeps its file; an earlier version's leftover of
    // hours ago, which names no writer, goes too.
    const QString writing = QString(".rivikone-%1-kesken.tmp").arg(::getpid());
    ASSERT_TRUE(writeBytes(dir.filePath(writing), "x"));
    ASSERT_TRUE(writeBytes(dir.filePath(".rivikone-3k2j1h.tmp"), "x"));
    const struct timeval hoursAgo[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
    ASSERT_EQ(::utimes(QFile::encodeName(dir.filePath(".rivikone-3k2j1h.tmp")).constData(), hoursAgo), 0);
    EXPECT_EQ(createNewFile(dir.filePath("uusi.1X2"), "rivit"), WriteStatus::Ok);
    EXPECT_EQ(entriesOf(dir.path()), QStringList({writing, "uusi.1X2"}));

    // The scratch folders of the program go the same way when it starts.
    const QDir temp(QDir::tempPath());
    const QString dead = QString("Rivikone-%1-abcdef").arg(leftover.section('-', 1, 1));
    const QString alive = QString("Rivikone-%1-abcdef").arg(::getpid());
    ASSERT_TRUE(temp.mkpath(dead + "/sisalla") && temp.mkpath(alive));
    removeLeftoverScratchFolders();
    EXPECT_FALSE(temp.exists(dead));
    EXPECT_TRUE(temp.exists(alive));
    temp.rmdir(alive);
}

TEST(FileSafety, TwoCopiesAddingAtOnceKeepEveryRecordAndRowOrSayTheFileIsHeld)
{
    QTemporaryDir dir;
    const QString correct = dir.filePath("OIKEAT.TIL");
    const QString system = dir.filePath("oma.STM");
    ASSERT_EQ(createSystemFile(system, 0, 1), WriteStatus::Ok);
    constexpr int kEach = 30;
    // Each copy's records and rows carry its own mark and number.
    const auto add = [&](char copy) {
        for (int i = 0; i < kEach; ++i) {
            const QByteArray number = QByteArray::number(i).rightJustified(20, '0');
            if (appendRecord(correct, copy + number, kOikeatRecordLength) != WriteStatus::Ok)
                return 1;
            Row row = rowFromText("1111111111111");
            row[0] = copy == 'A' ? 'X' : '2';
            for (int k = 1, n = i; n > 0; ++k, n /= 3)
                row[k] = "1X2"[n % 3];
            if (appendSystemRow(system, 0, 1, row) != WriteStatus::Ok)
                return 2;
        }
        return 0;
    };
    ChildProcess other([&] { return add('B'); });
    EXPECT_EQ(add('A'), 0);
    EXPECT_EQ(other.join(), 0);

    const auto records = readRecords(correct, kOikeatRecordLength);
    ASSERT_TRUE(records);
    const RowFileReadResult rows = readRowFile(system, RowReader::OwnSystem);
    ASSERT_TRUE(rows.ok);
    EXPECT_EQ(readBytes(system).left(13), QByteArray("O0 T1 R60    "));
    for (char copy : {'A', 'B'}) {
        QList<QByteArray> mine;
        for (const QByteArray& record : *records)
            if (record.startsWith(copy))
                mine << record;
        ASSERT_EQ(mine.size(), kEach) << copy;
        for (int i = 0; i < kEach; ++i)
            EXPECT_EQ(mine[i], copy + QByteArray::number(i).rightJustified(20, '0'));
        EXPECT_EQ(std::count_if(rows.contents.rows.begin(), rows.contents.rows.end(),
                                [&](const Row& row) { return row[0] == (copy == 'A' ? 'X' : '2'); }),
                  kEach);
    }

    // A copy that keeps the file longer than a few seconds is named, and nothing changes.
    const QByteArray before = readBytes(correct);
    const int held = ::open(QFile::encodeName(correct).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_EQ(appendRecord(correct, QByteArray(kOikeatRecordLength, 'C'), kOikeatRecordLength), WriteStatus::Busy);
    ::close(held);
    EXPECT_EQ(readBytes(correct), before);
    EXPECT_EQ(writeFailureMessage(WriteStatus::Busy), "Tiedosto on toisen ohjelman käytössä !");
}

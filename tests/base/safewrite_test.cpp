#include "base/safewrite.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

#include "app/singleinstance.h"
#include "base/filenames.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, ASecondCopyFindsTheFirstAndBringsItForward)
{
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy activated(&first, &SingleInstance::activationRequested);

    SingleInstance second(dir.path());
    EXPECT_FALSE(second.claim());
    second.activateRunning();
    EXPECT_TRUE(activated.count() > 0 || activated.wait(2000));

    // A file opened from the desktop goes to the running copy.
    QSignalSpy opened(&first, &SingleInstance::openRequested);
    SingleInstance third(dir.path());
    third.activateRunning(QString::fromUtf8("/tmp/kierros ä.1X2"));
    ASSERT_TRUE(opened.count() > 0 || opened.wait(2000));
    EXPECT_EQ(opened.first().first().toString(), QString::fromUtf8("/tmp/kierros ä.1X2"));

    // Another program directory is another program.
    QTemporaryDir other;
    SingleInstance elsewhere(other.path());
    EXPECT_TRUE(elsewhere.claim());
}

TEST(SingleInstance, AFolderReachedThroughALinkIsTheSameFolderAndANameGoesOverAsItsBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("data"));
    ASSERT_TRUE(QFile::link(dir.filePath("data"), dir.filePath("linkki")));
    SingleInstance first(dir.filePath("data"));
    ASSERT_TRUE(first.claim());
    QSignalSpy opened(&first, &SingleInstance::openRequested);

    SingleInstance second(dir.filePath("linkki"));
    EXPECT_FALSE(second.claim());
    const QByteArray name("/tmp/lat\xe4.1X2");
    second.activateRunning(fileNameFromNative(name));
    ASSERT_TRUE(opened.count() > 0 || opened.wait(2000));
    EXPECT_EQ(nativeFileName(opened.first().first().toString()), name);
}

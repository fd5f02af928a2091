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

    // A name that is no UTF-8 goes over as its bytes, and a link to the folder is the same folder.
    ASSERT_TRUE(QFile::link(dir.path(), dir.path() + "-linkki"));
    SingleInstance linked(dir.path() + "-linkki");
    EXPECT_FALSE(linked.claim());
    linked.activateRunning(fileNameFromNative("/tmp/lat\xe4.1X2"));
    QFile::remove(dir.path() + "-linkki");
    ASSERT_TRUE(opened.count() > 1 || opened.wait(2000));
    EXPECT_EQ(nativeFileName(opened.last().first().toString()), QByteArray("/tmp/lat\xe4.1X2"));

    // Another program directory is another program.
    QTemporaryDir other;
    SingleInstance elsewhere(other.path());
    EXPECT_TRUE(elsewhere.claim());
}

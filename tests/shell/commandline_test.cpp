#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Started {
    QByteArray out;
    QByteArray err;
    int code = -1;
};

// The window program as a shell starts it on a machine without a display, in
// a home of its own.
Started startWithoutDisplay(const QStringList& arguments, const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "RIVIKONE_DIR", "RIVIKONE_SETTINGS"})
        environment.remove(name);
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/.config");
    environment.insert("XDG_DATA_HOME", home + "/.local/share");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(RIVIKONE_PATH, arguments);
    process.waitForFinished(20000);
    return {process.readAllStandardOutput(), process.readAllStandardError(),
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1};
}

} // namespace

TEST(ProgramCommandLine, HelpVersionAndMistakesNeedNoDisplayAndWriteNothing)
{
    QTemporaryDir home;
    Started started = startWithoutDisplay({"--help"}, home.path());
    EXPECT_EQ(started.code, 0);
    EXPECT_TRUE(started.out.startsWith("Käyttö: rivikone [--dir KANSIO]")) << started.out.toStdString();
    started = startWithoutDisplay({"-v"}, home.path());
    EXPECT_EQ(started.code, 0);
    EXPECT_EQ(started.out, "Rivikone 1.0\n");
    started = startWithoutDisplay({"--bogus", "a.1X2"}, home.path());
    EXPECT_EQ(started.code, 2);
    EXPECT_EQ(started.out, QByteArray());
    EXPECT_EQ(started.err, "rivikone: Tuntematon valitsin --bogus !\nOhje: rivikone --help\n");
    EXPECT_EQ(startWithoutDisplay({"--dir"}, home.path()).code, 2);
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The window program as a shell starts it on a machine without a display, in
// a home of its own: help, the version and a wrong line need no display and
// leave nothing written.
TEST(ProgramCommandLine, HelpVersionAndMistakesNeedNoDisplayAndWriteNothing)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "RIVIKONE_DIR", "RIVIKONE_SETTINGS",
                             "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        environment.remove(name);
    environment.insert("HOME", home.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    const auto start = [&process](const QStringList& arguments) {
        process.start(RIVIKONE_PATH, arguments);
        process.waitForFinished(20000);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    EXPECT_EQ(start({"--help"}), 0);
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("Käyttö: rivikone [--dir KANSIO]"));
    EXPECT_EQ(start({"-v"}), 0);
    EXPECT_EQ(process.readAllStandardOutput(), "Rivikone 1.0\n");
    EXPECT_EQ(start({"--bogus", "a.1X2"}), 2);
    EXPECT_EQ(process.readAllStandardError(), "rivikone: Tuntematon valitsin --bogus !\nOhje: rivikone --help\n");
    EXPECT_EQ(start({"--dir"}), 2);
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

#include "base/platformpaths.h"
#include "base/settings.h"
#include "base/sharedstate.h"
#include "base/startoptions.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SettingsStore, AbsentKeysReadTheirDefaultAndAreNotWritten)
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("s.ini"));
    EXPECT_EQ(settings.read(keys::Sounds), "1");
    EXPECT_EQ(settings.read(keys::Info), "0");
    EXPECT_EQ(settings.read(keys::InfoInSettingsWindow), "1");
    EXPECT_EQ(settings.read(keys::PrintTop), "14.5");
    EXPECT_EQ(settings.read(keys::LastRound), "0");
    EXPECT_FALSE(settings.contains("AKTI", "SND"));
    EXPECT_FALSE(QFile::exists(dir.filePath("s.ini")));
}

TEST(SettingsStore, ValuesAreStringsBySectionAndKey)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    {
        Settings settings(file);
        EXPECT_TRUE(settings.write(keys::PrintTop, "13"));
        EXPECT_TRUE(settings.write("OKT", "KRS", "23"));
        settings.write(keys::Calendar, "/usr/bin/kalenteri ohjelma");
    }
    Settings again(file);
    EXPECT_EQ(again.read(keys::PrintTop), "13");
    EXPECT_EQ(again.number(keys::LastRound), 23);
    EXPECT_EQ(again.read(keys::Calendar), "/usr/bin/kalenteri ohjelma");
    again.write(keys::LastYear, "vuosi");
    EXPECT_EQ(again.number(keys::LastYear), 0); // unreadable numbers read as 0
}

TEST(SharedStateReset, ClearsTheTaskButKeepsTheRun)
{
    SharedState s;
    s.ProgramDir = "/tmp/x";
    s.SoundOn = 0;
    s.HintRow[0] = "1";
    s.BasicMarks[1][4] = 1;
    s.SystemMarks[2][12] = 1;
    s.BasicSigns[3] = "X";
    s.Rows.assign(100, rowFromText("1111111111111"));
    s.BasicSignCount = 13;
    s.HalfGuardCount = 2;
    s.CheckTask = s.RandomTask = s.HaravaTask = 1;
    s.RowSource = 0;
    s.PrintTarget = 2;
    s.DrawCount = 40;
    s.PrizeClassCounts = {1, 2, 3, 4};
    ResetTaskState(s);
    EXPECT_EQ(s.BasicMarks[1][4], 0);
    EXPECT_EQ(s.SystemMarks[2][12], 0);
    EXPECT_TRUE(s.BasicSigns[3].isEmpty());
    EXPECT_EQ(s.Rows.size(), 2u);
    EXPECT_EQ(s.BasicSignCount, 0);
    EXPECT_EQ(s.HalfGuardCount, 0);
    EXPECT_EQ(s.CheckTask + s.RandomTask + s.HaravaTask + s.PrintTarget + s.DrawCount, 0);
    EXPECT_EQ(s.RowSource, 1);
    EXPECT_EQ(s.PrizeClassCounts[3], 0);
    // What belongs to the whole run stays.
    EXPECT_EQ(s.ProgramDir, "/tmp/x");
    EXPECT_EQ(s.SoundOn, 0);
    EXPECT_EQ(s.HintRow[0], "1");
}

TEST(PlatformPaths, WindowsFiltersBecomeToolkitFilters)
{
    EXPECT_EQ(qtFileFilter("Hajarivit (*.1X2)|*.1X2"), "Hajarivit (*.1X2 *.1x2)");
    EXPECT_EQ(qtFileFilter("Kaikki (*.1X2;*.STM)|*.1X2;*.STM"), "Kaikki (*.1X2 *.1x2 *.STM *.stm)");
    EXPECT_EQ(qtFileFilter("A (*.1X2)|*.1X2|B (*.STM)|*.STM"), "A (*.1X2 *.1x2);;B (*.STM *.stm)");
#ifndef Q_OS_WIN
    EXPECT_EQ(qtFileFilter("Teksturit (*.EXE)|*.EXE"), "Teksturit (*)");
#endif
}

TEST(PlatformPaths, TheProgramDirectoryComesFromTheCommandLineThenTheEnvironment)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b"), c = dir.filePath("c");
    EXPECT_EQ(resolveProgramDir({"rivikone", "--dir", a}, b, c), a);
    EXPECT_EQ(resolveProgramDir({"rivikone", "--dir=" + a}, b, c), a);
    EXPECT_EQ(resolveProgramDir({"rivikone"}, b, c), b);
    EXPECT_EQ(resolveProgramDir({"rivikone"}, "", c), c);
    EXPECT_TRUE(QDir(a).exists());
    EXPECT_TRUE(QDir(c).exists());
}

TEST(PlatformPaths, AFileToOpenIsTheFirstArgumentThatIsNoOption)
{
    const QString here = QDir::currentPath();
    EXPECT_EQ(startFileArgument({"rivikone", "--dir", "kansio", "kierros.1X2"}), here + "/kierros.1X2");
    EXPECT_EQ(startFileArgument({"rivikone", "/tmp/oma.STM", "--dir=x"}), "/tmp/oma.STM");
    EXPECT_EQ(startFileArgument({"rivikone", "file:///tmp/r%C3%A4.1X2"}), QString::fromUtf8("/tmp/rä.1X2"));
    EXPECT_EQ(startFileArgument({"rivikone", "--", "-outo.1X2"}), here + "/-outo.1X2");
    EXPECT_EQ(startFileArgument({"rivikone", "--dir", "kansio"}), QString());
}

TEST(PlatformPaths, TheCommandLineIsReadAsTheToolkitAndTheUserWriteIt)
{
    using Action = StartOptions::Action;
    for (const char* help : {"-h", "--help"})
        EXPECT_EQ(parseStartOptions({"rivikone", "--bogus", help}).action, Action::Help);
    EXPECT_EQ(parseStartOptions({"rivikone", "-v"}).action, Action::Version);
    // The toolkit's own options are no mistake.
    const StartOptions run = parseStartOptions({"rivikone", "-platform", "offscreen", "-reverse", "--dir=k", "a.1X2"});
    EXPECT_EQ(run.action, Action::Run);
    EXPECT_EQ(run.programDir, "k");
    EXPECT_EQ(run.file, QDir::currentPath() + "/a.1X2");
    EXPECT_EQ(parseStartOptions({"rivikone", "a.1X2", "--dir"}).error, "Valitsimelta --dir puuttuu arvo !");
}

TEST(PlatformPaths, ThePlayersFilesAreVisibleAndAnEarlierDataFolderStaysInUse)
{
    QTemporaryDir data;
    EXPECT_EQ(defaultProgramDir(data.path()), data.filePath("Rivikone"));
    ASSERT_TRUE(QDir().mkpath(data.filePath("Rivikone/Rivikone")));
    EXPECT_EQ(defaultProgramDir(data.path()), data.filePath("Rivikone/Rivikone"));

    // Without --dir the dialogs start in the documents folder's own folder,
    // made at first use, and then where the player last chose a file.
    EXPECT_EQ(playerFilesFolder("/veikkaus", "/koti/Asiakirjat"), "/veikkaus");
    FileDialogStart start(playerFilesFolder("", data.filePath("Asiakirjat")));
    EXPECT_EQ(start.folderFor(""), data.filePath("Asiakirjat/Rivikone"));
    EXPECT_TRUE(QDir(data.filePath("Asiakirjat/Rivikone")).exists());
    start.chosen(data.filePath("Rivikone/kierros.1X2"));
    EXPECT_EQ(start.folderFor(""), data.filePath("Rivikone"));
}

TEST(PlatformPaths, EveryHelperProgramHasADefault)
{
    for (const auto& entry : helperProgramTable())
        EXPECT_FALSE(defaultProgramPath(entry.program).isEmpty());
}

TEST(FileSafety, TheSettingsFileOnAFullDiskKeepsItsEarlierValues)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    {
        Settings settings(file);
        ASSERT_TRUE(settings.write(keys::PrintTop, "13"));
        ASSERT_TRUE(settings.write(keys::Calendar, QString(3000, 'k')));
    }
    const QByteArray before = readBytes(file);
    {
        Settings settings(file);
        const FullDisk full(1024);
        EXPECT_FALSE(settings.write(keys::LastRound, "23"));
    }
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"s.ini"});
    Settings again(file);
    EXPECT_EQ(again.read(keys::PrintTop), "13");
    EXPECT_TRUE(again.write(keys::LastRound, "23"));
    EXPECT_EQ(Settings(file).read(keys::LastRound), "23");
}

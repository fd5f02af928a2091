#include "base/platformpaths.h"
#include "shell/programfiles.h"
#include "shell/ui/accessories.h"
#include "shell/ui/mainwindow.h"
#include "support/files.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

namespace {

// A small executable file standing in for a helper program.
QString makeProgram(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(writeBytes(path, "#!/bin/sh\n"));
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

const QString kReaderMissing =
    QStringLiteral("WWW-lukijaa ei löydy !\r\nTarkista 'Asetukset' ikkunassa lukijan sijainti.");

} // namespace

TEST(Accessories, EveryCommandIsAvailableAndNothingElse)
{
    for (const char* key : {"kal", "mui", "ava", "soi", "win", "calc"})
        EXPECT_TRUE(accessoryAvailable(key)) << key;
    EXPECT_FALSE(accessoryAvailable("ase"));
    EXPECT_FALSE(accessoryAvailable(""));
    TestEnv env;
    EXPECT_FALSE(runAccessory(env.context, "tuntematon"));
    EXPECT_TRUE(env.launcher.started.isEmpty());
}

TEST(Accessories, CalendarStartsTheStoredProgramOrNamesTheMissingPath)
{
    TestEnv env;
    const QString calendar = makeProgram(env.path("Omat ohjelmat/oma kalenteri"));
    env.settings.write(keys::Calendar, calendar);
    ASSERT_TRUE(runAccessory(env.context, "kal"));
    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_EQ(env.launcher.started[0].program, calendar);
    EXPECT_TRUE(env.launcher.started[0].arguments.isEmpty());
    EXPECT_EQ(env.launcher.started[0].windowStyle, Launcher::Normal);
    EXPECT_TRUE(env.messages.shown.isEmpty());

    // The path follows the "!" directly.
    env.settings.write(keys::Calendar, "C:\\WINDOWS\\CALENDAR.EXE");
    runAccessory(env.context, "kal");
    EXPECT_EQ(env.launcher.started.size(), 1);
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "En löydä kalenteria !C:\\WINDOWS\\CALENDAR.EXE");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Critical);

    // A folder is no program.
    env.settings.write(keys::Calendar, env.path("Omat ohjelmat"));
    runAccessory(env.context, "kal");
    EXPECT_EQ(env.messages.lastText(), "En löydä kalenteria !" + env.path("Omat ohjelmat"));

    // A calendar that is there but will not start is reported the same way.
    env.settings.write(keys::Calendar, calendar);
    env.launcher.succeed = false;
    runAccessory(env.context, "kal");
    EXPECT_EQ(env.messages.lastText(), "En löydä kalenteria !" + calendar);
}

TEST(Accessories, CalendarNamedWithoutAFolderIsLookedForOnTheSearchPath)
{
    TestEnv env;
    const QString shell = QStandardPaths::findExecutable("sh");
    ASSERT_FALSE(shell.isEmpty());
    env.settings.write(keys::Calendar, "sh");
    runAccessory(env.context, "kal");
    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_EQ(env.launcher.started[0].program, shell);
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST(Accessories, NotepadStartsTheStoredPathAndWarnsWhenItCannot)
{
    TestEnv env;
    env.settings.write(keys::Notepad, "/opt/oma muistio/muistio");
    runAccessory(env.context, "mui");
    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_EQ(env.launcher.started[0].program, "/opt/oma muistio/muistio");
    EXPECT_EQ(env.launcher.started[0].windowStyle, Launcher::Normal);
    EXPECT_TRUE(env.messages.shown.isEmpty());

    env.launcher.succeed = false;
    runAccessory(env.context, "mui");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "En löydä asetuksissa määriteltyä muistiota !");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Exclamation);

    // An emptied setting is not handed to the system at all.
    env.launcher.succeed = true;
    env.settings.write(keys::Notepad, "");
    runAccessory(env.context, "mui");
    EXPECT_EQ(env.launcher.started.size(), 2);
    EXPECT_EQ(env.messages.shown.size(), 2);
}

TEST(Accessories, BookmarksPageIsWrittenByteForByteAndOpenedMaximised)
{
    TestEnv env;
    env.settings.write(keys::WwwReader, "  /opt/www lukija/selain  ");
    ASSERT_TRUE(runAccessory(env.context, "ava"));

    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_EQ(env.launcher.started[0].program, "/opt/www lukija/selain");
    EXPECT_EQ(env.launcher.started[0].arguments, QStringList{env.path("puskuri.htm")});
    EXPECT_EQ(env.launcher.started[0].windowStyle, Launcher::Maximized);
    EXPECT_TRUE(env.messages.shown.isEmpty());

    EXPECT_EQ(filesIn(env.dir.path()), (QStringList{"BOLTSI.GIF", "RIVIKONE.GIF", "TAUSTA.GIF", "puskuri.htm"}));
    for (const CarriedFile& file : bookmarkFiles()) {
        const QByteArray carried = readBytes(file.resource);
        ASSERT_FALSE(carried.isEmpty()) << file.resource;
        EXPECT_EQ(readBytes(env.path(file.fileName)), carried) << file.fileName;
    }
}

TEST(Accessories, BookmarksReplaceEarlierCopiesWhateverTheirCase)
{
    TestEnv env;
    env.settings.write(keys::WwwReader, "/usr/bin/selain");
    ASSERT_TRUE(writeBytes(env.path("puskuri.htm"), "vanha sivu"));
    ASSERT_TRUE(writeBytes(env.path("tausta.gif"), "vanha kuva"));
    ASSERT_TRUE(writeBytes(env.path("RIVIKONE.GIF"), QByteArray(50000, 'x')));
    ASSERT_TRUE(writeBytes(env.path("rivit.1X2"), "1 nova       1111111111111"));

    runAccessory(env.context, "ava");
    runAccessory(env.context, "ava");

    EXPECT_EQ(filesIn(env.dir.path()),
              (QStringList{"BOLTSI.GIF", "RIVIKONE.GIF", "TAUSTA.GIF", "puskuri.htm", "rivit.1X2"}));
    for (const CarriedFile& file : bookmarkFiles())
        EXPECT_EQ(readBytes(env.path(file.fileName)), readBytes(file.resource)) << file.fileName;
    EXPECT_EQ(env.launcher.started.size(), 2);
}

TEST(Accessories, BookmarksReportAMissingReaderOrAnUnwritableFolder)
{
    TestEnv env;
    env.settings.write(keys::WwwReader, "C:\\NETSCAPE\\NETSCAPE.EXE");
    env.launcher.succeed = false;
    runAccessory(env.context, "ava");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, kReaderMissing);
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Critical);

    // A blank setting names no reader.
    env.launcher.succeed = true;
    env.settings.write(keys::WwwReader, "   ");
    runAccessory(env.context, "ava");
    EXPECT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(env.launcher.started.size(), 1);

    // A program folder that is really a file cannot take the page: nothing is started.
    ASSERT_TRUE(writeBytes(env.path("tiedosto"), "x"));
    env.state.ProgramDir = env.path("tiedosto");
    env.settings.write(keys::WwwReader, "/usr/bin/selain");
    runAccessory(env.context, "ava");
    EXPECT_EQ(env.messages.shown.size(), 3);
    EXPECT_EQ(env.messages.lastText(), kReaderMissing);
    EXPECT_EQ(env.launcher.started.size(), 1);
}

TEST(FileSafety, CarriedFilesOnAFullDiskKeepTheirEarlierCopies)
{
    TestEnv env;
    env.settings.write(keys::WwwReader, "/usr/bin/selain");
    const QByteArray page = "<html>edellinen sivu</html>";
    const QByteArray help = "edellinen ohje";
    ASSERT_TRUE(writeBytes(env.path("puskuri.htm"), page));
    ASSERT_TRUE(writeBytes(env.path("RIVIKONE.HTM"), help));
    {
        FullDisk full(16);
        runAccessory(env.context, "ava");
        runAccessory(env.context, "win");
    }
    EXPECT_EQ(env.messages.texts(), QStringList({"Levy täynnä !", "Levy täynnä !"}));
    EXPECT_EQ(readBytes(env.path("puskuri.htm")), page);
    EXPECT_EQ(readBytes(env.path("RIVIKONE.HTM")), help);
    EXPECT_EQ(entriesOf(env.dir.path()), QStringList({"RIVIKONE.HTM", "puskuri.htm"}));
    // The earlier guide still opens; the page is not shown half written.
    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_EQ(env.launcher.started[0].arguments, QStringList{env.path("RIVIKONE.HTM")});
}

TEST(Accessories, QuitRemovesTheBookmarkFilesInAnyCaseAndNothingElse)
{
    TestEnv env;
    env.settings.write(keys::WwwReader, "/usr/bin/selain");
    runAccessory(env.context, "ava");
    ASSERT_TRUE(writeBytes(env.path("Boltsi.gif"), "toinen kirjoitusasu"));
    ASSERT_TRUE(writeBytes(env.path("OIKEAT.TIL"), "1111111111111 2026 12"));
    QDir(env.dir.path()).mkdir("puskuri.htm.d");

    removeBookmarkFiles(env.dir.path());
    EXPECT_EQ(filesIn(env.dir.path()), QStringList{"OIKEAT.TIL"});
    EXPECT_TRUE(QFileInfo(env.path("puskuri.htm.d")).isDir());

    // Without a program directory nothing is guessed at.
    QDir::setCurrent(env.dir.path());
    ASSERT_TRUE(writeBytes(env.path("puskuri.htm"), "x"));
    removeBookmarkFiles(QString());
    EXPECT_TRUE(QFile::exists(env.path("puskuri.htm")));
}

TEST(Accessories, HelpIsWrittenIntoTheProgramFolderAndOpenedInTheViewer)
{
    TestEnv env;
    runAccessory(env.context, "win");
    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_EQ(env.launcher.started[0].program, defaultProgramPath(HelperProgram::HelpViewer));
    EXPECT_EQ(env.launcher.started[0].arguments, QStringList{env.path("RIVIKONE.HTM")});
    EXPECT_EQ(env.launcher.started[0].windowStyle, Launcher::Normal);
    EXPECT_EQ(readBytes(env.path("RIVIKONE.HTM")), readBytes(helpFile().resource));

    // Help, dialer and calculator that cannot be started say nothing.
    env.launcher.succeed = false;
    for (const char* key : {"win", "soi", "calc"})
        runAccessory(env.context, key);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(env.launcher.started.size(), 4);
    EXPECT_EQ(env.launcher.started[2].program, defaultProgramPath(HelperProgram::Dialer));
    EXPECT_EQ(env.launcher.started[3].program, defaultProgramPath(HelperProgram::Calculator));
}

TEST(Accessories, FilesJoinTheProgramFolderWithOneSeparator)
{
    EXPECT_EQ(helpFilePath("/"), "/RIVIKONE.HTM");
    EXPECT_EQ(helpFilePath("C:\\"), "C:\\RIVIKONE.HTM");
    EXPECT_EQ(helpFilePath("C:/"), "C:/RIVIKONE.HTM");
    EXPECT_EQ(helpFilePath("/home/pelaaja/Rivikone"), "/home/pelaaja/Rivikone/RIVIKONE.HTM");
    EXPECT_EQ(bookmarkPagePath("/"), "/puskuri.htm");
    EXPECT_EQ(bookmarkPagePath("/srv/rk"), "/srv/rk/puskuri.htm");
}

TEST(Accessories, TheBookmarksPageHoldsItsLinksAndFindsItsPictures)
{
    const QString page = QString::fromUtf8(readBytes(":/RK_HTM/20"));
    const QRegularExpression link(QStringLiteral("<a href=\"([^\"]+)\""));
    QSet<QString> urls;
    for (const auto& match : link.globalMatch(page)) {
        const QUrl url(match.captured(1));
        EXPECT_TRUE(url.isValid() && (url.scheme() == "https" || url.scheme() == "http"))
            << match.captured(1).toStdString();
        urls << match.captured(1);
    }
    EXPECT_EQ(urls.size(), 62);
    EXPECT_EQ(link.globalMatch(page).hasNext(), true);

    // Every picture the page names is one of the files written beside it, in
    // the same case (file systems that tell cases apart would miss it otherwise).
    QStringList written;
    for (const CarriedFile& file : bookmarkFiles())
        written << file.fileName;
    const QRegularExpression picture(QStringLiteral("(?:src=\"|url\\(\")([^\"]+)\""));
    QSet<QString> named;
    for (const auto& match : picture.globalMatch(page)) {
        EXPECT_TRUE(written.contains(match.captured(1))) << match.captured(1).toStdString();
        named << match.captured(1);
    }
    EXPECT_EQ(named, (QSet<QString>{"TAUSTA.GIF", "RIVIKONE.GIF", "BOLTSI.GIF"}));

    // The pictures are real GIFs of about the sizes the page was laid out for.
    const QList<QPair<const char*, int>> sizes = {{":/RK_GIF/15", 3964}, {":/RK_GIF/16", 2732}, {":/RK_GIF/17", 1120}};
    for (const auto& [resource, bytes] : sizes) {
        const QByteArray data = readBytes(resource);
        EXPECT_TRUE(data.startsWith("GIF89a")) << resource;
        EXPECT_FALSE(QImage::fromData(data, "GIF").isNull()) << resource;
        EXPECT_NEAR(data.size(), bytes, bytes * 0.3) << resource;
    }
    EXPECT_NEAR(readBytes(":/RK_HTM/20").size(), 10664, 10664 * 0.1);
}

TEST(Accessories, MainWindowRunsTheAccessoriesAndOpensHelpWithF1)
{
    TestEnv env;
    env.settings.write(keys::WwwReader, "/usr/bin/selain");
    MainWindow main(env.context, env.windows);
    for (const char* item : {"aps_1", "aps_2", "aps_3", "aps_4", "oh_1", "oh_2"})
        EXPECT_TRUE(isEnabled(&main, item)) << item;
    for (const char* button : {"kal", "mui", "ava", "soi", "win", "inf"})
        EXPECT_TRUE(isEnabled(&main, button)) << button;

    env.launcher.started.clear();
    trigger(&main, "aps_3");
    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_TRUE(QFile::exists(env.path("puskuri.htm")));
    // Accessories leave the main window in use.
    EXPECT_TRUE(main.isEnabled());

    main.show();
    QApplication::setActiveWindow(&main);
    settle();
    QTest::keyClick(&main, Qt::Key_F1);
    settle();
    ASSERT_EQ(env.launcher.started.size(), 2);
    EXPECT_EQ(env.launcher.started[1].arguments, QStringList{env.path("RIVIKONE.HTM")});

    // Quitting removes the page and its pictures.
    env.messages.answerNext(Messages::Yes);
    trigger(&main, "lop");
    EXPECT_FALSE(filesIn(env.dir.path()).contains("puskuri.htm"));
    EXPECT_FALSE(filesIn(env.dir.path()).contains("TAUSTA.GIF"));
}

TEST(Accessories, TheUserGuideCoversEveryWindowAndItsLinksLead)
{
    const QString guide = QString::fromUtf8(readBytes(helpFile().resource));
    ASSERT_TRUE(guide.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(guide.contains("<meta charset=\"utf-8\">"));

    // Every jump inside the guide lands on a heading or paragraph that exists.
    QSet<QString> ids;
    for (const auto& match : QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).globalMatch(guide))
        ids << match.captured(1);
    int jumps = 0;
    for (const auto& match : QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(guide)) {
        EXPECT_TRUE(ids.contains(match.captured(1))) << match.captured(1).toStdString();
        ++jumps;
    }
    EXPECT_GT(jumps, 40);

    // The windows a user meets, by the captions they show.
    for (const char* caption : {"Perusrivi",
                                "OIKEA RIVI",
                                "Painotetut vai Järjestelmä ?",
                                "Valitse painotus !",
                                "Valitse painotus % ( keskim. )",
                                "Valitse ottelukohtaiset painotukset ja varmat !",
                                "Rivimäärä ?",
                                "ARVONTA",
                                "JÄRJESTELMÄ",
                                "Valitse vaihtoehdot",
                                "Systeemin luonti",
                                "Tee tarvittavat kohdevaihdot ja merkkimuunnokset",
                                "Valitse tiedostotyyppi.",
                                "Tarkastus",
                                "Valitse harava",
                                "Harava",
                                "Tilastot",
                                "Valitse tulostuskohde",
                                "TULOSTA NÄYTTÖÖN",
                                "Tulosta kupongille",
                                "Tietokannat",
                                "Joukkue tietokanta",
                                "Pelaaja tietokanta",
                                "Tulokset",
                                "Sarjatilanne",
                                "Vihjerivi",
                                "Asetukset",
                                "Info"})
        EXPECT_TRUE(guide.contains(QString::fromUtf8(caption))) << caption;
    for (const char* system : {"A60", "B81", "C222", "D432", "E729", "F1296"})
        EXPECT_TRUE(guide.contains(system)) << system;
}

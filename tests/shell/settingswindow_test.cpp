#include "base/platformpaths.h"
#include "support/files.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool checked(QWidget* w, const QString& name)
{
    auto* box = control<QCheckBox>(w, name);
    return box && box->isChecked();
}

void setChecked(QWidget* w, const QString& name, bool on)
{
    auto* box = control<QCheckBox>(w, name);
    if (box && box->isChecked() != on)
        click(w, name);
}

} // namespace

TEST(SettingsWindowTest, AFreshStoreShowsTheDefaults)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Settings);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Rivikone");
    EXPECT_TRUE(checked(w, "aanet"));
    EXPECT_TRUE(checked(w, "info"));
    EXPECT_FALSE(checked(w, "varmis"));
    EXPECT_EQ(textOf(w, "Text1"), defaultProgramPath(HelperProgram::WwwReader));
    EXPECT_EQ(textOf(w, "Text2"), defaultProgramPath(HelperProgram::Calendar));
    EXPECT_EQ(textOf(w, "Text3"), defaultProgramPath(HelperProgram::Notepad));
    for (const auto& [name, caption] : QList<QPair<QString, QString>>{{"Command6", "Valitse &muistio"},
                                                                      {"Command5", "V&alitse kalenteri"},
                                                                      {"Command3", "&Valitse WWW-lukija"},
                                                                      {"Command4", "Valitse &kirjoitin"},
                                                                      {"info", "Näytä info"},
                                                                      {"aanet", "Äänet"},
                                                                      {"varmis", "Tallennusvarmistukset"},
                                                                      {"Command1", "&Tallenna"},
                                                                      {"Command2", "&Peruuta"}})
        EXPECT_EQ(textOf(w, name), caption);
    saveShot(w, WindowName::Settings);
}

TEST(SettingsWindowTest, CancelLeavesTheStoreAsItWas)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::Settings);
    setChecked(w, "aanet", false);
    setChecked(w, "info", false);
    setChecked(w, "varmis", true);
    typeInto(w, "Text1", "/opt/selain");
    typeInto(w, "Text2", "/opt/kalenteri");
    typeInto(w, "Text3", "/opt/muistio");
    click(w, "Command2");
    EXPECT_FALSE(openWindow(WindowName::Settings));
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_FALSE(QFile::exists(env.settings.fileName()));
}

TEST(SettingsWindowTest, SaveStoresEverySwitchAndPath)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::Settings);
    setChecked(w, "varmis", true);
    setChecked(w, "info", false);
    typeInto(w, "Text1", "/opt/selain ohjelma/selain");
    typeInto(w, "Text2", "/opt/kalenteri");
    typeInto(w, "Text3", "/opt/muistio");
    click(w, "Command1");
    EXPECT_EQ(env.settings.read("AKTI", "SND", ""), "1");
    EXPECT_EQ(env.settings.read("AKTI", "INFO", ""), "0");
    EXPECT_EQ(env.settings.read("AKTI", "VRM", ""), "1");
    EXPECT_EQ(env.settings.read("AKTI", "WWW", ""), "/opt/selain ohjelma/selain");
    EXPECT_EQ(env.settings.read("AKTI", "Kalenteri", ""), "/opt/kalenteri");
    EXPECT_EQ(env.settings.read("AKTI", "Muistio", ""), "/opt/muistio");
    EXPECT_EQ(env.state.SaveConfirm, 1);
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_FALSE(openWindow(WindowName::Settings));

    // The next opening shows what was stored.
    QWidget* again = env.open(WindowName::Settings);
    EXPECT_TRUE(checked(again, "varmis"));
    EXPECT_FALSE(checked(again, "info"));
    EXPECT_EQ(textOf(again, "Text2"), "/opt/kalenteri");
}

TEST(SettingsWindowTest, SavingWithSoundsClearedSilencesTheProgramAtOnce)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Settings);
    setChecked(w, "aanet", false);
    click(w, "Command1");
    EXPECT_EQ(env.settings.read("AKTI", "SND", ""), "0");
    EXPECT_EQ(env.state.SoundOn, 0);
    PlayEventSound(env.context, 12);
    EXPECT_TRUE(env.sound.played.isEmpty());
}

TEST(SettingsWindowTest, BrowseButtonsFillTheirBoxAndCancelKeepsIt)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Settings);
    env.dialogs.choose("/usr/bin/jokin kalenteri");
    click(w, "Command5");
    ASSERT_EQ(env.dialogs.opened.size(), 1);
    EXPECT_EQ(env.dialogs.opened[0].title, "Valitse kalenteri !");
    EXPECT_EQ(env.dialogs.opened[0].filter, "Kalenterit (*.EXE)|*.EXE");
    EXPECT_EQ(textOf(w, "Text2"), "/usr/bin/jokin kalenteri");

    click(w, "Command5"); // cancelled
    EXPECT_EQ(textOf(w, "Text2"), "/usr/bin/jokin kalenteri");

    env.dialogs.choose("/usr/bin/muistio");
    click(w, "Command6");
    EXPECT_EQ(env.dialogs.opened.last().title, "Valitse muistio !");
    EXPECT_EQ(env.dialogs.opened.last().filter, "Teksturit (*.EXE)|*.EXE");
    EXPECT_EQ(textOf(w, "Text3"), "/usr/bin/muistio");

    env.dialogs.choose("/usr/bin/selain");
    click(w, "Command3");
    EXPECT_EQ(env.dialogs.opened.last().title, "Valitse WWW-lukija !");
    EXPECT_EQ(textOf(w, "Text1"), "/usr/bin/selain");
}

TEST(SettingsWindowTest, ThePrinterButtonOpensThePrinterChoice)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Settings);
    env.printer.setupAccepted = false;
    click(w, "Command4");
    EXPECT_EQ(env.printer.setupCalls, 1);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(env.settings.fileName()));
}

TEST(SettingsWindowTest, AStoreThatCannotBeWrittenIsToldAndTheWindowStays)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    env.state.SoundOn = 1;
    QWidget* w = env.open(WindowName::Settings);
    // A folder in the store's place takes no settings, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(env.settings.fileName()));
    setChecked(w, "aanet", false);
    click(w, "Command1");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), "Asetuksia ei voitu tallentaa !\r\n" + env.settings.fileName());
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.messages.shown.last().title, "Tallenna");
    EXPECT_TRUE(openWindow(WindowName::Settings));
    EXPECT_FALSE(env.mainWindow.isEnabled());
    EXPECT_EQ(env.state.SoundOn, 1);

    // Once the store can be written the same choices are saved.
    ASSERT_TRUE(QDir().rmdir(env.settings.fileName()));
    click(w, "Command1");
    EXPECT_EQ(env.messages.shown.size(), 1);
    EXPECT_FALSE(openWindow(WindowName::Settings));
    EXPECT_EQ(env.state.SoundOn, 0);
    EXPECT_EQ(Settings(env.settings.fileName()).read("AKTI", "SND", ""), "0");
}

TEST(SettingsWindowTest, AStoreAnotherCopyHoldsIsToldWithItsCause)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::Settings);
    ASSERT_TRUE(env.settings.write(keys::Sounds, "1"));
    const QByteArray before = readBytes(env.settings.fileName());
    const int held = ::open(QFile::encodeName(env.settings.fileName()).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    setChecked(w, "aanet", false);
    click(w, "Command1");
    ::close(held);
    EXPECT_EQ(env.messages.lastText(),
              "Asetuksia ei voitu tallentaa !\r\nTiedosto on toisen ohjelman käytössä !\r\n" + env.settings.fileName());
    EXPECT_EQ(readBytes(env.settings.fileName()), before);
    EXPECT_TRUE(openWindow(WindowName::Settings));
}

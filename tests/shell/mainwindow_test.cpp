#include "base/filenames.h"
#include "base/platformpaths.h"
#include "base/rowfile.h"
#include "base/textformat.h"
#include "base/ui/featurewindow.h"
#include "shell/ui/mainwindow.h"
#include "support/testenv.h"
#include "support/useractions.h"
#include "support/windowtest.h"

#include "support/files.h"
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The main window over a registry of our own, so a test decides which windows exist.
struct MainWindowTest : ::testing::Test {
    TestEnv env;
    WindowRegistry registry;
    std::unique_ptr<MainWindow> form;

    void SetUp() override
    {
        registry.setContext(&env.context);
        // Later starts: the first-start message is not what these tests look at.
        env.settings.write(keys::Installed, "1");
    }
    void standIn(const QString& name)
    {
        registry.add(name, [name](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName(name);
            w->setAttribute(Qt::WA_DeleteOnClose);
            return w;
        });
    }
    MainWindow& open()
    {
        form = std::make_unique<MainWindow>(env.context, registry);
        registry.setMainWindow(form.get());
        return *form;
    }
};

} // namespace

TEST_F(MainWindowTest, MenusHoldTheItemsInOrder)
{
    MainWindow& f = open();
    EXPECT_EQ(f.windowTitle(), "Rivikone PRO v1.0");
    const QList<QPair<QString, QStringList>> expected = {
        {"mnuRivitie",
         {"&Arvonta", "&Tarkastus", "&Haravat", "&Poisto", "-", "A&setukset", "T&ulosta", "-", "&Vie tekstitiedostoon",
          "Vie &CSV-tiedostoon", "K&opioi leikepöydälle", "Tuo r&ivit tiedostosta", "Tuo rivit l&eikepöydältä", "-",
          "&Lopeta"}},
        {"mnuJarjest", {"&Takuuanalyysi...", "&Oma harava...", "&Karsinta...", "&Odotusarvo..."}},
        {"mnuKannat", {"&Joukkueet", "&Pelaajat", "-", "&Tulokset", "&Sarjatilanne", "&Vihjerivi", "T&ilastot"}},
        {"mnuAvut", {"&Kalenteri", "&Muistio", "&WWW-sivu", "&Soita"}},
        {"mnuOhje", {"&Rivikone ohje", "&Info"}},
    };
    const QStringList titles = {"&Rivitiedostot", "&Järjestelmät", "&Tietokannat", "&Apuohjelmat", "&Ohje"};
    // The menus in this order and nothing else on the bar.
    QStringList bar;
    for (QAction* a : f.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, titles);
    for (int m = 0; m < expected.size(); ++m) {
        auto* menu = control<QMenu>(&f, expected[m].first);
        ASSERT_TRUE(menu);
        EXPECT_EQ(menu->title(), titles[m]);
        QStringList captions;
        for (QAction* a : menu->actions()) {
            captions << (a->isSeparator() ? "-" : a->text());
            EXPECT_TRUE(a->shortcut().isEmpty());
        }
        EXPECT_EQ(captions, expected[m].second);
    }
    EXPECT_EQ(control<QAction>(&f, "rtie_9")->text(), "&Lopeta");
    EXPECT_EQ(control<QAction>(&f, "rtie_13")->text(), "Tuo r&ivit tiedostosta");
    EXPECT_EQ(control<QAction>(&f, "kan_7")->text(), "T&ilastot");
    EXPECT_EQ(control<QAction>(&f, "aps_4")->text(), "&Soita");
    EXPECT_EQ(control<QAction>(&f, "oh_2")->text(), "&Info");
    EXPECT_EQ(control<QAction>(&f, "jrj_1")->text(), "&Takuuanalyysi...");
    EXPECT_EQ(control<QAction>(&f, "jrj_2")->text(), "&Oma harava...");
    EXPECT_EQ(control<QAction>(&f, "jrj_3")->text(), "&Karsinta...");
}

TEST_F(MainWindowTest, TheToolbarHasTwentyButtonsInOrder)
{
    MainWindow& f = open();
    auto* toolbar = control<QToolBar>(&f, "Toolbar1");
    ASSERT_TRUE(toolbar);
    QStringList keys, tips;
    for (QAction* a : toolbar->actions()) {
        keys << (a->isSeparator() ? "|" : a->objectName());
        if (!a->isSeparator()) {
            tips << a->toolTip();
            EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        }
    }
    EXPECT_EQ(keys, QStringList({"arv", "tar", "har", "tul", "poi", "|",   "tie", "til", "vih", "|",
                                 "kal", "mui", "ava", "soi", "|",   "ase", "inf", "|",   "win", "lop"}));
    EXPECT_EQ(tips, QStringList({"Arvonta ", "Tarkastus ", "Tarkasta harava", "Tulostus ", "Poista rivitiedosto",
                                 "Tietokannat", "Tilastot ", "Vihjerivi", "Kalenteri", "Muistio", "Avaa WWW-sivu",
                                 "Soita äänipuhelu", "Asetukset", "Info", "Rivikone ohjeet", "Lopeta ohjelma"}));
}

TEST_F(MainWindowTest, CommandsWhoseWindowDoesNotExistAreDisabled)
{
    MainWindow& f = open();
    for (const char* key : {"arv", "tar", "har", "tul", "tie", "til", "vih", "ase", "inf"})
        EXPECT_FALSE(isEnabled(&f, key)) << key;
    EXPECT_FALSE(isEnabled(&f, "kan_1"));
    EXPECT_TRUE(isEnabled(&f, "poi"));
    EXPECT_TRUE(isEnabled(&f, "lop"));
    EXPECT_TRUE(isEnabled(&f, "rtie_4"));

    // A disabled command never opens anything.
    f.runOperation("arv");
    EXPECT_TRUE(registry.shownNames().isEmpty());
    EXPECT_TRUE(f.isEnabled());

    standIn(WindowName::Settings);
    standIn(WindowName::PrintTarget);
    MainWindow again(env.context, registry);
    EXPECT_TRUE(isEnabled(&again, "ase"));
    EXPECT_TRUE(isEnabled(&again, "rtie_6"));
    EXPECT_FALSE(isEnabled(&again, "tul")); // printing also needs the conversion window
}

TEST_F(MainWindowTest, AFeatureWindowDisablesTheMainWindowUntilItCloses)
{
    MainWindow f(env.context, env.windows);
    env.windows.setMainWindow(&f);
    f.show();
    trigger(&f, "rtie_6");
    QWidget* settings = openWindow(WindowName::Settings);
    ASSERT_TRUE(settings);
    EXPECT_FALSE(f.isEnabled());
    click(settings, "Command2");
    EXPECT_TRUE(f.isEnabled());
    EXPECT_FALSE(openWindow(WindowName::Settings));

    // A click on the greyed main window hands the keyboard to the open window,
    // where Escape closes it and Enter presses its default button.
    trigger(&f, "rtie_6");
    settings = openWindow(WindowName::Settings);
    ASSERT_TRUE(settings);
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(settings, 2000));
    focusOn(control<QWidget>(settings, "varmis"));
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(openWindow(WindowName::Settings));
    EXPECT_TRUE(f.isEnabled());
    trigger(&f, "rtie_6");
    settings = openWindow(WindowName::Settings);
    focusOn(control<QWidget>(settings, "varmis"));
    pressKey(Qt::Key_Space);
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(openWindow(WindowName::Settings));
    EXPECT_EQ(env.settings.read(keys::SaveConfirm), "1") << "Enter saved as the default button does";

    trigger(&f, "tar");
    QWidget* fileType = openWindow(WindowName::CheckFileType);
    ASSERT_TRUE(fileType);
    focusOn(control<QWidget>(fileType, "O1_0"));
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(openWindow(WindowName::CheckFileType));
}

TEST_F(MainWindowTest, EveryWindowFitsItsScreen)
{
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    for (const QString& name : env.windows.names()) {
        QWidget* w = env.open(name);
        if (!w)
            continue;
        settle();
        // Never beyond the screen, unless its own least size is larger still.
        EXPECT_LE(w->width(), std::max(room.width(), w->minimumWidth())) << name.toStdString();
        EXPECT_LE(w->height(), std::max(room.height(), w->minimumHeight())) << name.toStdString();
        EXPECT_LE(w->minimumWidth(), 1024 - 16) << name.toStdString();
        EXPECT_LE(w->minimumHeight(), 768 - 48) << name.toStdString();
        w->close();
        settle();
    }
}

TEST_F(MainWindowTest, PruningOpensFromTheSystemsMenu)
{
    MainWindow f(env.context, env.windows);
    env.windows.setMainWindow(&f);
    f.show();
    trigger(&f, "jrj_3");
    QWidget* pruning = openWindow(WindowName::Pruning);
    ASSERT_TRUE(pruning);
    EXPECT_EQ(pruning->windowTitle(), "Karsinta");
    EXPECT_FALSE(f.isEnabled());
    click(pruning, "sulje");
    EXPECT_TRUE(f.isEnabled());
}

TEST_F(MainWindowTest, ClosingTheGreyedMainWindowKeepsTheWorkAndShowsTheOpenWindow)
{
    MainWindow f(env.context, env.windows);
    env.windows.setMainWindow(&f);
    f.show();
    // Ten weighted rows drawn and not saved yet.
    ResetTaskState(env.state);
    env.state.RandomTask = 1;
    for (int k = 0; k < kMatches; ++k) {
        env.state.BasicSigns[k] = "1";
        env.state.BasicMarks[0][k] = 1;
    }
    env.state.BasicSignCount = kMatches;
    env.state.CommonWeight = 10;
    env.state.DrawCount = 10;
    ASSERT_TRUE(env.windows.show(WindowName::Drawing, {}, &f));
    f.setEnabled(false);
    QWidget* drawing = openWindow(WindowName::Drawing);
    ASSERT_TRUE(drawing);
    click(drawing, "ar");
    ASSERT_EQ(env.state.Rows.size(), 10u);
    ASSERT_TRUE(writeBytes(env.path("puskuri.htm"), "x"));
    f.activateWindow();

    closeFromTitleBar(&f);
    EXPECT_TRUE(f.isVisible()) << "a disabled window cannot be closed";
    EXPECT_EQ(openWindow(WindowName::Drawing), drawing);
    EXPECT_EQ(QApplication::activeWindow(), drawing) << "the open window comes to the front";
    EXPECT_EQ(env.state.Rows.size(), 10u) << "the drawn rows are kept";
    EXPECT_TRUE(QFile::exists(env.path("puskuri.htm")));
    EXPECT_TRUE(env.messages.shown.isEmpty());

    // Once the drawing window is done, the close button quits as before.
    click(drawing, "Command1");
    ASSERT_TRUE(f.isEnabled());
    closeFromTitleBar(&f);
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(QFile::exists(env.path("puskuri.htm")));
}

TEST_F(MainWindowTest, FeatureWindowsOpenInFrontOfTheWindowThatOpenedThem)
{
    MainWindow f(env.context, env.windows);
    env.windows.setMainWindow(&f);
    f.show();
    f.move(40, 30);
    auto centredOnMain = [&f](QWidget* w) {
        return (w->frameGeometry().center() - f.frameGeometry().center()).manhattanLength() <= 2;
    };

    trigger(&f, "arv");
    QWidget* kind = openWindow(WindowName::DrawKind);
    ASSERT_TRUE(kind);
    EXPECT_EQ(ownerOf(kind), &f) << "a click on the main window cannot hide it";
    EXPECT_EQ(kind->windowType(), Qt::Dialog) << "window managers keep only dialogs in front of their owners";
    EXPECT_TRUE(centredOnMain(kind));

    // The next window of a chain takes its place in front of the main window.
    click(kind, "Command1");
    QWidget* weighting = openWindow(WindowName::WeightingKind);
    ASSERT_TRUE(weighting);
    EXPECT_EQ(ownerOf(weighting), &f);
    EXPECT_TRUE(centredOnMain(weighting));
    click(weighting, "ValittuPainotus");
    QWidget* basicRow = openWindow(WindowName::BasicRow);
    ASSERT_TRUE(basicRow);
    EXPECT_EQ(ownerOf(basicRow), &f);
}

TEST(MainWindowStart, SettingsThatCannotBeStoredAtTheFirstStartAreToldToo)
{
    TestEnv env;
    WindowRegistry registry;
    registry.setContext(&env.context);
    // A folder in the store's place takes no settings, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(env.settings.fileName()));
    MainWindow first(env.context, registry);
    ASSERT_EQ(env.messages.shown.size(), 2);
    EXPECT_TRUE(env.messages.shown[0].text.startsWith("Asetukset on siirretty"));
    EXPECT_EQ(env.messages.shown[1].text, "Asetuksia ei voitu tallentaa !\r\n" + env.settings.fileName());
    EXPECT_EQ(env.messages.shown[1].flags, Messages::Critical);
}

TEST(MainWindowStart, TheFirstStartWritesThePrintDefaultsAndTellsSoOnce)
{
    TestEnv env;
    WindowRegistry registry;
    registry.setContext(&env.context);
    {
        MainWindow first(env.context, registry);
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.shown[0].text, "Asetukset on siirretty järjestelmärekisteriin.\r\n"
                                              "Tulostus asetuksissa on oletus asetukset !\r\nCanon BJ-200 Win 95");
        EXPECT_EQ(env.messages.shown[0].flags, Messages::Exclamation);
        EXPECT_EQ(env.settings.read("PRINT", "YLA", ""), "14.5");
        EXPECT_EQ(env.settings.read("PRINT", "VAA", ""), "44");
        EXPECT_EQ(env.settings.read("PRINT", "LEV", ""), "202");
        EXPECT_EQ(env.settings.read("PRINT", "PIT", ""), "297");
        EXPECT_EQ(env.settings.read("AKTI", "Versio", ""), "1.0");
        EXPECT_EQ(env.settings.fileReplacements(), 1) << "every value of the first start in one write";
    }
    env.settings.write(keys::PrintTop, "12");
    MainWindow second(env.context, registry);
    EXPECT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.settings.read(keys::PrintTop), "12");
}

TEST_F(MainWindowTest, TheStartUpSoundFollowsTheSwitch)
{
    open();
    EXPECT_EQ(env.sound.played, QList<int>{11});
    EXPECT_EQ(env.state.SoundOn, 1);
    env.sound.played.clear();
    env.settings.write(keys::Sounds, "0");
    open();
    EXPECT_TRUE(env.sound.played.isEmpty());
    EXPECT_EQ(env.state.SoundOn, 0);
}

TEST_F(MainWindowTest, WithoutAStoredPlaceTheWindowIsCentred)
{
    MainWindow& f = open();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(f.x(), (area.width() - f.width()) / 2, 1);
    EXPECT_NEAR(f.y(), (area.height() - f.height()) / 2, 1);
}

TEST_F(MainWindowTest, ThePositionIsStoredOnlyWhenTheWindowMoved)
{
    env.settings.write(keys::Top, "1500");
    env.settings.write(keys::Left, "3000");
    MainWindow& f = open();
    EXPECT_EQ(f.pos(), QPoint(200, 100));
    f.shutDown();
    EXPECT_EQ(env.settings.read(keys::Top), "1500");

    env.settings.write(keys::Top, "1501"); // not a whole number of pixels: still the same place
    MainWindow& g = open();
    g.shutDown();
    EXPECT_EQ(env.settings.read(keys::Top), "1501");

    MainWindow& h = open();
    h.move(40, 60);
    h.shutDown();
    EXPECT_EQ(env.settings.read(keys::Top), "900");
    EXPECT_EQ(env.settings.read(keys::Left), "600");
}

TEST_F(MainWindowTest, DeletingARowFile)
{
    MainWindow& f = open();
    const QString path = env.path("vanhat.1X2");
    ASSERT_TRUE(writeBytes(path, rowsFileHeader(0)));

    f.runOperation("poi"); // cancelled
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(env.messages.shown.isEmpty());
    ASSERT_EQ(env.dialogs.opened.size(), 1);
    EXPECT_EQ(env.dialogs.opened[0].title, "Valitse poistettava rivitiedosto !");
    EXPECT_EQ(env.dialogs.opened[0].filter, "Kaikki (*.1X2;*.STM)|*.1X2;*.STM");

    env.dialogs.choose(path);
    f.runOperation("poi");
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Tiedosto vanhat.1X2 poistettu !");
    EXPECT_EQ(env.messages.shown[0].flags, 0);

    env.dialogs.choose(path);
    f.runOperation("poi");
    ASSERT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(env.messages.shown[1].text, "En löydä tiedostoa vanhat.1X2");
    EXPECT_EQ(env.messages.shown[1].flags, Messages::Critical);
    EXPECT_EQ(env.messages.shown[1].title, "Poisto");
}

TEST_F(MainWindowTest, QuittingAsksFirstAndRemovesTheBookmarkFiles)
{
    MainWindow& f = open();
    f.show();
    const QStringList bookmarks = {"puskuri.htm", "TAUSTA.GIF", "Rivikone.gif", "boltsi.GIF"};
    for (const QString& name : bookmarks)
        ASSERT_TRUE(writeBytes(env.path(name), "x"));
    ASSERT_TRUE(writeBytes(env.path("oma.gif"), "x"));

    env.messages.answerNext(Messages::No);
    f.runOperation("lop");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Haluatko varmasti lopettaa ohjelman ?");
    EXPECT_EQ(env.messages.shown[0].title, "Lopeta");
    EXPECT_EQ(env.messages.shown[0].flags, 4 + 32 + 256);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(QFile::exists(env.path("puskuri.htm")));

    env.messages.answerNext(Messages::Yes);
    f.runOperation("lop");
    EXPECT_FALSE(f.isVisible());
    for (const QString& name : bookmarks)
        EXPECT_FALSE(QFile::exists(env.path(name))) << name.toStdString();
    EXPECT_TRUE(QFile::exists(env.path("oma.gif")));
}

TEST_F(MainWindowTest, ClosingTheWindowQuitsWithoutAsking)
{
    MainWindow& f = open();
    f.show();
    ASSERT_TRUE(writeBytes(env.path("puskuri.htm"), "x"));
    f.close();
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(env.path("puskuri.htm")));
}

TEST_F(MainWindowTest, TheInformationWindowComesOnlyAtTheFirstActivation)
{
    standIn(WindowName::Information);
    env.settings.write(keys::Info, "1");
    MainWindow& f = open();
    QEvent activate(QEvent::ActivationChange);
    f.show();
    f.activateWindow();
    QApplication::setActiveWindow(&f);
    settle();
    EXPECT_EQ(registry.shownNames(), QStringList{WindowName::Information});
    EXPECT_FALSE(f.isEnabled());
    f.setEnabled(true);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&f);
    settle();
    EXPECT_EQ(registry.shownNames().size(), 1);
}

TEST_F(MainWindowTest, WithInfoOffNoInformationWindowIsShown)
{
    standIn(WindowName::Information);
    MainWindow& f = open(); // INFO absent reads "0" here
    f.show();
    QApplication::setActiveWindow(&f);
    settle();
    EXPECT_TRUE(registry.shownNames().isEmpty());
}

TEST_F(MainWindowTest, PrintingAnOwnSystemGoesThroughTheConversionWindow)
{
    standIn(WindowName::PrintTarget);
    standIn(WindowName::Conversion);
    MainWindow& f = open();
    QByteArray system = systemFileHeader(2, 1, 2);
    system += "12X1111111111";
    system += "2111111111111";
    ASSERT_TRUE(writeBytes(env.path("oma.stm"), system));

    env.dialogs.choose(env.path("oma.stm"));
    f.runOperation("tul");
    EXPECT_EQ(env.dialogs.opened.last().title, "Valitse tulostettava rivitiedosto tai oma systeemi !");
    EXPECT_EQ(registry.shownNames(), QStringList{WindowName::Conversion});
    EXPECT_EQ(env.state.SystemLoaded, 1);
    EXPECT_EQ(env.state.PrintTarget, 1);
    EXPECT_EQ(env.state.RowCount, 2);
    EXPECT_EQ(env.state.HalfGuardCount, 2);
    EXPECT_EQ(env.state.FullGuardCount, 1);
    EXPECT_EQ(rowText(env.state.Rows[0]), "12X1111111111");
    EXPECT_FALSE(f.isEnabled());

    f.setEnabled(true);
    ASSERT_TRUE(writeBytes(env.path("rivit.1X2"), rowsFileHeader(0)));
    env.dialogs.choose(env.path("rivit.1X2"));
    f.runOperation("tul");
    EXPECT_EQ(registry.shownNames().last(), WindowName::PrintTarget);
    EXPECT_EQ(env.state.SystemLoaded, 0);

    // An unreadable own system is reported, not converted.
    f.setEnabled(true);
    ASSERT_TRUE(writeBytes(env.path("rikki.STM"), systemFileHeader(0, 0, 9)));
    env.dialogs.choose(env.path("rikki.STM"));
    f.runOperation("tul");
    EXPECT_EQ(registry.shownNames().size(), 2);
    EXPECT_EQ(env.messages.lastText(), "Tiedoston luku ei onnistu !");
}

TEST_F(MainWindowTest, RowsLeaveAsTextAndComeBackAsANewRowsFile)
{
    standIn(WindowName::Conversion);
    MainWindow& f = open();
    QByteArray rows = rowsFileHeader(2) + "1X21X21X21X21" + "2222222222222";
    ASSERT_TRUE(writeBytes(env.path("kierros.1X2"), rows));

    env.dialogs.choose(env.path("kierros.1X2"));
    env.dialogs.choose(env.path("kierros.txt"));
    trigger(&f, "rtie_10");
    EXPECT_EQ(env.dialogs.opened.last().title, "Valitse vietävä rivitiedosto tai oma systeemi !");
    EXPECT_EQ(readBytes(env.path("kierros.txt")), QByteArray("1X21X21X21X21\n2222222222222\n"));
    EXPECT_TRUE(f.isEnabled());

    env.dialogs.choose(env.path("kierros.txt"));
    env.dialogs.choose(env.path("takaisin.1X2"));
    trigger(&f, "rtie_13");
    EXPECT_EQ(readBytes(env.path("takaisin.1X2")), rows);
    EXPECT_EQ(env.messages.lastText(), "Tiedostoon takaisin.1X2 tuotiin 2 riviä.");

    // An own system is fitted to the coupon first, as for printing.
    ASSERT_TRUE(writeBytes(env.path("oma.STM"), systemFileHeader(1, 0, 1) + "2111111111111"));
    env.dialogs.choose(env.path("oma.STM"));
    trigger(&f, "rtie_11");
    EXPECT_EQ(registry.shownNames(), QStringList{WindowName::Conversion});
    EXPECT_EQ(env.state.ExportTarget, int(RowExportTarget::CsvFile));
    EXPECT_EQ(env.state.RowCount, 1);
    EXPECT_FALSE(f.isEnabled());
}

TEST_F(MainWindowTest, AFileFromTheDesktopOpensInTheListing)
{
    standIn(WindowName::ScreenListing);
    MainWindow& f = open();
    ASSERT_TRUE(writeBytes(env.path("kierros.1X2"), rowsFileHeader(1) + "1X21X21X21X21"));
    f.openRowFile(env.path("kierros.1X2"));
    EXPECT_EQ(registry.shownNames(), QStringList{WindowName::ScreenListing});
    EXPECT_EQ(env.state.CurrentFileTitle, "kierros.1X2");
    EXPECT_EQ(env.state.RowCount, 1);
    EXPECT_EQ(env.state.PrintTarget, 1);

    // While a window is open its task keeps its rows.
    f.openRowFile(env.path("toinen.1X2"));
    EXPECT_EQ(env.messages.lastText(), "Sulje ensin avoinna oleva ikkuna, niin voit avata tiedoston toinen.1X2 !");
    EXPECT_EQ(env.state.CurrentFileTitle, "kierros.1X2");

    f.setEnabled(true);
    ASSERT_TRUE(writeBytes(env.path("oma.stm"), systemFileHeader(0, 1, 2) + "X111111111111" + "2111111111111"));
    f.openRowFile(env.path("oma.stm"));
    EXPECT_EQ(registry.shownNames().size(), 2);
    EXPECT_EQ(rowText(env.state.Rows[1]), "2111111111111");

    f.setEnabled(true);
    f.openRowFile(env.path("puuttuu.1X2"));
    EXPECT_EQ(env.messages.lastText(), "Tiedoston luku ei onnistu !");
    EXPECT_EQ(registry.shownNames().size(), 2);
}

TEST_F(MainWindowTest, AStartFileIsTheFileNamedAndAPipeOfTheNameKeepsNothingWaiting)
{
    standIn(WindowName::ScreenListing);
    MainWindow& f = open();
    // A name in bytes that are no UTF-8, given on the command line as it is.
    QByteArray name = QFile::encodeName(env.dir.path()) + "/kierros\xe4.1X2";
    ASSERT_TRUE(writeBytes(env.path("k.1X2"), rowsFileHeader(1) + "1X21X21X21X21"));
    ASSERT_EQ(::rename(QFile::encodeName(env.path("k.1X2")).constData(), name.constData()), 0);
    char program[] = "rivikone";
    char* argv[] = {program, name.data()};
    f.openRowFile(startFileArgument(argumentsOf(2, argv)));
    ::unlink(name.constData());
    EXPECT_EQ(env.state.RowCount, 1);

    f.setEnabled(true);
    ASSERT_EQ(::mkfifo(QFile::encodeName(env.path("putki.1X2")).constData(), 0600), 0);
    f.openRowFile(env.path("putki.1X2"));
    EXPECT_EQ(env.messages.lastText(), "Tiedoston luku ei onnistu !");
    EXPECT_EQ(registry.shownNames().size(), 1);
}

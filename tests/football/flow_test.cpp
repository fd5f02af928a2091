#include "footballwindows.h"

#include "football/ui/footballui.h"
#include "support/files.h"

#include <QFile>
#include <QRadioButton>
#include <QTest>

using namespace football;

// A match entered in the results window shows in the team window, the league
// table and the hint row.

struct MatchFlow : FootballWindowTest {
    void SetUp() override
    {
        FootballWindowTest::SetUp();
        insertTeam(*db, 4, "HJK", {}, "01.10.2026");
        insertTeam(*db, 4, "KuPS", {}, "01.10.2026");
        insertTeam(*db, 4, "Inter");
        insertPlayer(*db, 4, "Lod", "HJK", 5);
        insertPlayer(*db, 4, "Hostikka", "HJK", 2);
        insertPlayer(*db, 4, "Ilo", "KuPS", 1);
        insertPlayer(*db, 4, "Källman", "Inter", 9);
        insertForm(*db, "KuPS", 1, 1, 1);
    }

    void enterMatch()
    {
        QWidget* w = open(WindowName::Results);
        ASSERT_TRUE(w);
        EXPECT_EQ(textOf(w, "Text6"), "08.12.2026");
        click(w, "O1_4");
        pick(w, "Combo1", "HJK");
        pick(w, "Combo2", "KuPS");
        slide(w, "HScroll1", 2);
        slide(w, "HScroll2", 1);
        EXPECT_EQ(textOf(w, "Text1"), "2");
        EXPECT_EQ(textOf(w, "Text4"), "3");

        auto* scorers = control<QComboBox>(w, "Combo3");
        scorers->showPopup();
        scorers->hidePopup();
        QStringList offered;
        for (int i = 0; i < scorers->count(); ++i)
            offered << scorers->itemText(i);
        EXPECT_EQ(offered,
                  (QStringList{"Lod                 HJK", "Hostikka            HJK", "Ilo                 KuPS"}));
        saveShot(w, WindowName::Results);
        pick(w, "Combo3", "Lod                 HJK");
        slide(w, "HScroll3", 2);
        EXPECT_EQ(textOf(w, "Text5"), "2");
        click(w, "Command3");
        EXPECT_EQ(env.messages.lastText(), "Tallennettu");
        EXPECT_EQ(lookup(*db, "pv", "maaleja", "pelaaja", "Lod").toInt(), 7);
        EXPECT_EQ(lookup(*db, "pv", "pvm", "pelaaja", "Lod").toString(), "08.12.2026");

        click(w, "Command1");
        EXPECT_EQ(env.messages.lastText(), "Tallennettu");
        EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
        EXPECT_EQ(textOf(w, "Text1"), "0");
        EXPECT_EQ(textOf(w, "Text4"), "0");
        EXPECT_EQ(textOf(w, "Text5"), "0");
        EXPECT_EQ(control<QComboBox>(w, "Combo3")->count(), 0);
        click(w, "poistu");
        EXPECT_TRUE(env.mainWindow.isEnabled());
    }
};

TEST_F(MatchFlow, TheResultReachesTheTeamsTheTableAndTheHint)
{
    enterMatch();

    // The team window.
    QWidget* teams = open(WindowName::Teams);
    ASSERT_TRUE(teams);
    pick(teams, "Combo3", "Veikkausliiga");
    EXPECT_EQ(textOf(teams, "Label5"), "Valmentaja");
    EXPECT_EQ(control<DataNavigator>(teams, "Data1")->caption(), "Veikkausliiga");
    EXPECT_EQ(textOf(teams, "Text1"), "HJK");
    EXPECT_EQ(textOf(teams, "num"), "1");
    EXPECT_EQ(textOf(teams, "pisteet"), "3");
    EXPECT_EQ(textOf(teams, "kpis"), "3");
    EXPECT_EQ(textOf(teams, "kkot"), "1");
    EXPECT_EQ(textOf(teams, "kmkot"), "2");
    EXPECT_EQ(textOf(teams, "kmvie"), "1");
    EXPECT_EQ(textOf(teams, "vot"), "0");
    EXPECT_EQ(textOf(teams, "Text26"), "08.12.2026");
    click(teams, "Data1_next");
    EXPECT_EQ(textOf(teams, "Text1"), "Inter");
    click(teams, "Data1_next");
    EXPECT_EQ(textOf(teams, "Text1"), "KuPS");
    EXPECT_EQ(textOf(teams, "num"), "3");
    EXPECT_EQ(textOf(teams, "vvie"), "1");
    EXPECT_EQ(textOf(teams, "ovie"), "1");
    EXPECT_EQ(textOf(teams, "mvie"), "2");
    EXPECT_EQ(textOf(teams, "pisteet"), "0");
    click(teams, "Command10");

    // The league table.
    QWidget* table = open(WindowName::LeagueTable);
    ASSERT_TRUE(table);
    click(table, "sir_5");
    click(table, "Command2");
    EXPECT_EQ(textOf(table, "sara"), "Kotona");
    const QList<QStringList> home = gridRows(table);
    ASSERT_EQ(home.size(), 4);
    EXPECT_EQ(home[1], (QStringList{"HJK", "1", "1", "0", "0", "2", "1", "3"}));
    EXPECT_EQ(home[3], (QStringList{"KuPS", "0", "0", "0", "0", "0", "0", "0"})) << "the overall order";
    click(table, "Command1");
    EXPECT_EQ(gridRows(table)[3], (QStringList{"KuPS", "1", "0", "0", "1", "1", "2", "0"}));
    saveShot(table, WindowName::LeagueTable);
    click(table, "MHCommand1");

    // The hint row.
    QWidget* hint = open(WindowName::HintRow);
    ASSERT_TRUE(hint);
    click(hint, "O1_4");
    pick(hint, "Combo1", "HJK");
    EXPECT_EQ(textOf(hint, "Text2"), "08.12.2026");
    click(hint, "O2_4");
    pick(hint, "Combo2", "KuPS");
    click(hint, "Command1");
    EXPECT_EQ(env.state.HintRow[0], "1");
    EXPECT_EQ(textOf(hint, "osu_0"), "1");
    EXPECT_EQ(textOf(hint, "k1"), "3");
    EXPECT_EQ(textOf(hint, "v1"), "0");
    EXPECT_EQ(textOf(hint, "k3"), "+");
    EXPECT_EQ(textOf(hint, "v3"), "-");
    EXPECT_EQ(textOf(hint, "k4"), "?") << "form not taken into account";
    EXPECT_EQ(textOf(hint, "Text1"), "2");
    EXPECT_EQ(textOf(hint, "oso_1"), "<-");
    EXPECT_EQ(textOf(hint, "oso_0"), "");

    // Form: HJK 0+0+3, KuPS 1+1+0.
    click(hint, "su4");
    click(hint, "Command1");
    EXPECT_EQ(textOf(hint, "k4"), "+");
    EXPECT_EQ(textOf(hint, "v4"), "-");
    EXPECT_EQ(env.state.HintRow[1], "1");
    saveShot(hint, WindowName::HintRow);
}

TEST_F(MatchFlow, TheAllLeaguesTableShowsItsHeadingsWhole)
{
    QWidget* table = open(WindowName::LeagueTable);
    click(table, "sir_0");
    click(table, "Command1");
    auto* grid = control<QTableView>(table, "Grid1");
    ASSERT_TRUE(grid);
    // What a cell leaves for its text: the margins on both sides.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    int headings = 0;
    for (const QStringList& row : gridRows(table)) {
        if (row.value(1) != "Ottelut")
            continue;
        ++headings;
        for (int c = 1; c < row.size(); ++c)
            EXPECT_GE(grid->columnWidth(c), grid->fontMetrics().horizontalAdvance(row[c]) + margins)
                << row[c].toStdString() << " is cut";
    }
    EXPECT_EQ(headings, 5) << "every league after the first has its heading";
}

TEST_F(MatchFlow, TheLeagueTableGoesToThePrinterAndToANewFile)
{
    enterMatch();
    QWidget* table = open(WindowName::LeagueTable);
    click(table, "Command4");
    EXPECT_EQ(env.messages.lastText(), "Listaa ensin taulukkoon!");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);

    click(table, "sir_5");
    click(table, "Command1");
    click(table, "Command4");
    EXPECT_EQ(env.printer.printedLines(),
              (QStringList{"", "", "   Sarjatilanne    Yhteensä    Veikkausliiga", "",
                           "   Joukkue         Ottelut Voitot Tasapelit  Häviöt  Tehdyt  Päästetyt Pisteet", "",
                           "   HJK             1       1      0          0       2       1         3",
                           "   Inter           0       0      0          0       0       0         0",
                           "   KuPS            1       0      0          1       1       2         0",
                           "   Rivikone PRO v1.0     08.12.2026"}));
    EXPECT_EQ(env.printer.pages(), 1);

    click(table, "tul_1");
    const QString path = env.path("sarja.txt");
    env.dialogs.choose(path);
    click(table, "Command4");
    ASSERT_EQ(env.dialogs.saved.size(), 1);
    EXPECT_EQ(env.dialogs.saved[0].title, "Anna tiedostolle nimi");
    EXPECT_EQ(env.dialogs.saved[0].filter, "Tekstit (*.txt)|*.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        file.readAll(),
        QByteArray("\r\n\r\n"
                   "   Sarjatilanne    Yhteens\xE4    Veikkausliiga\r\n"
                   " \r\n"
                   "    Joukkue        Ottelut Voitot Tasapelit  H\xE4vi\xF6t  Tehdyt  P\xE4\xE4stetyt Pisteet \r\n"
                   "                                                                        \r\n"
                   "    HJK            1       1      0          0       2       1         3 \r\n"
                   "    Inter          0       0      0          0       0       0         0 \r\n"
                   "    KuPS           1       0      0          1       1       2         0 \r\n"
                   " \r\n \r\n"
                   "   Rivikone PRO v1.0     08.12.2026\r\n"));
    file.close();

    // A second time the name is taken: nothing is written over.
    env.dialogs.choose(path);
    click(table, "Command1");
    click(table, "Command4");
    EXPECT_EQ(env.messages.lastText(), "Tiedosto on jo olemassa, anna uusi nimi !");
    EXPECT_EQ(env.messages.shown.last().title, "Tallenna");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("HJK            1       1"));
}

struct FileSafety : MatchFlow {};

TEST_F(FileSafety, TheLeagueTableFileOnAFullDiskIsToldAndNotLeftBehind)
{
    QWidget* table = open(WindowName::LeagueTable);
    click(table, "sir_5");
    click(table, "Command1");
    click(table, "tul_1");
    const QString path = env.path("sarja.txt");
    env.dialogs.choose(path);
    {
        FullDisk full(64);
        click(table, "Command4");
    }
    EXPECT_EQ(env.messages.lastText(), "Levy täynnä !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.messages.shown.last().title, "Tallenna");
    EXPECT_FALSE(entriesOf(env.dir.path()).contains("sarja.txt"));
    EXPECT_TRUE(entriesOf(env.dir.path()).filter(".tmp").isEmpty());
}

TEST_F(MatchFlow, SaveConfirmationsAskFirst)
{
    env.state.SaveConfirm = 1;
    QWidget* w = open(WindowName::Results);
    click(w, "O1_4");
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Valitse ensin joukkueet!");
    EXPECT_EQ(env.messages.shown.last().title, "Tallenna");

    pick(w, "Combo1", "HJK");
    pick(w, "Combo2", "Inter");
    slide(w, "HScroll1", 1);
    env.messages.answerNext(Messages::No);
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Haluatko varmasti tallentaa ?");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::YesNo | Messages::Question);
    EXPECT_EQ(teamValue(*db, 4, "HJK", "ottelut"), 0);
    EXPECT_EQ(textOf(w, "Text1"), "1") << "a cancelled save keeps the entries";

    env.messages.answerNext(Messages::Yes);
    click(w, "Command1");
    EXPECT_EQ(teamValue(*db, 4, "HJK", "pisteet"), 3);
    EXPECT_EQ(teamValue(*db, 4, "Inter", "vvie"), 1);
}

TEST_F(MatchFlow, ScorersCannotOutscoreTheTeams)
{
    QWidget* w = open(WindowName::Results);
    click(w, "O1_4");
    pick(w, "Combo1", "HJK");
    pick(w, "Combo2", "KuPS");
    auto* scorers = control<QComboBox>(w, "Combo3");
    scorers->showPopup();
    scorers->hidePopup();
    EXPECT_EQ(env.messages.lastText(), "Joukkueilla ei ole maaleja !");
    EXPECT_EQ(scorers->count(), 0);

    slide(w, "HScroll2", 1);
    pick(w, "Combo3", "Ilo                 KuPS");
    clickBar(control<QScrollBar>(w, "HScroll3"), QStyle::SC_ScrollBarAddLine, 2);
    EXPECT_EQ(env.messages.lastText(), "Pelaajien maalit eivät voi olla yli joukkueiden maalien !");
    EXPECT_EQ(env.messages.shown.last().title, "Oops!");
    EXPECT_EQ(textOf(w, "Text3"), "1");
    EXPECT_EQ(textOf(w, "Text5"), "1");

    const int before = int(env.messages.shown.size());
    QTest::mouseClick(control<QLineEdit>(w, "Text4"), Qt::LeftButton);
    settle();
    ASSERT_EQ(env.messages.shown.size(), before + 1);
    EXPECT_EQ(env.messages.lastText(), "Älä editoi näitä kenttiä !");
}

TEST_F(MatchFlow, AHeldGoalArrowPastTheMatchWarnsOnceAndKeepsTheMatch)
{
    // Real boxes, each answered with Enter after a while, as a user reads them.
    env.messages.answerBoxesWith(Qt::Key_Return, 700);
    QWidget* w = open(WindowName::Results);
    click(w, "O1_4");
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "Combo1"), "HJK"));
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "Combo2"), "KuPS"));
    clickBar(control<QScrollBar>(w, "HScroll2"), QStyle::SC_ScrollBarAddLine);
    ASSERT_EQ(textOf(w, "Text2"), "1");
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "Combo3"), "Ilo                 KuPS"));
    auto* goals = control<QScrollBar>(w, "HScroll3");
    clickBar(goals, QStyle::SC_ScrollBarAddLine);
    ASSERT_EQ(textOf(w, "Text3"), "1");
    ASSERT_TRUE(env.messages.shown.isEmpty());

    // The second goal is one too many; the button stays down while the box is up.
    const QPoint arrow = barPart(goals, QStyle::SC_ScrollBarAddLine);
    QTest::mousePress(goals, Qt::LeftButton, Qt::NoModifier, arrow);
    QTest::qWait(1600);
    QTest::mouseRelease(goals, Qt::LeftButton, Qt::NoModifier, arrow);
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList{"Pelaajien maalit eivät voi olla yli joukkueiden maalien !"});
    EXPECT_EQ(env.messages.mostBoxesOpen, 1) << "no box opened inside another";
    EXPECT_EQ(textOf(w, "Text3"), "1");
    EXPECT_EQ(textOf(w, "Text5"), "1");
    EXPECT_EQ(openWindow(WindowName::Results), w) << "the typed match is still there";
    EXPECT_EQ(textOf(w, "Text2"), "1");
}

TEST_F(MatchFlow, AddingAPlayerFromTheResultsKeepsTheMainWindowWaiting)
{
    QWidget* w = open(WindowName::Results);
    click(w, "O1_4");
    click(w, "Command2");
    QWidget* players = openWindow(WindowName::Players);
    ASSERT_TRUE(players);
    EXPECT_TRUE(control<QRadioButton>(players, "pel_4")->isChecked());
    EXPECT_EQ(textOf(players, "sek_0"), " Pelaajia tietokannassa: 4");
    click(w, "Command2");
    int open = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        open += top->isVisible() && top->objectName() == WindowName::Players;
    EXPECT_EQ(open, 1) << "the open player window is brought forward";
    EXPECT_EQ(ownerOf(players), w) << "in front of the results window";
    click(players, "Command1");
    settle();
    EXPECT_FALSE(env.mainWindow.isEnabled()) << "the results window is still open";

    // Closing the results window first leaves the player window in front of the main window.
    click(w, "Command2");
    players = openWindow(WindowName::Players);
    ASSERT_TRUE(players);
    click(w, "poistu");
    EXPECT_EQ(openWindow(WindowName::Players), players);
    EXPECT_EQ(ownerOf(players), &env.mainWindow);
    EXPECT_FALSE(env.mainWindow.isEnabled()) << "the player window is still open";
    click(players, "Command1");
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST_F(MatchFlow, AMatchThatCannotBeSavedIsToldAndKept)
{
    ASSERT_TRUE(db->exec("create trigger pro.refuse before insert on kunto begin select raise(abort, 'levy'); end"));
    QWidget* w = open(WindowName::Results);
    click(w, "O1_4");
    pick(w, "Combo1", "HJK");
    pick(w, "Combo2", "Inter");
    slide(w, "HScroll1", 3);
    click(w, "Command1");
    EXPECT_TRUE(env.messages.lastText().startsWith("Tallennus ei onnistunut, tietokanta on ennallaan !"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(teamValue(*db, 4, "HJK", "pisteet"), 0);
    EXPECT_EQ(textOf(w, "Text1"), "3") << "the entries stay for another try";
}

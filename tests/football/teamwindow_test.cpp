#include "football/ui/footballui.h"
#include "footballwindows.h"

#include <QFile>
#include <QTest>

using namespace football;

struct TeamWindowTest : FootballWindowTest {
    void SetUp() override
    {
        FootballWindowTest::SetUp();
        insertTeam(*db, 0, "Chelsea",
                   {{"kkot", 4},
                    {"ktas", 2},
                    {"kvie", 1},
                    {"kot", 7},
                    {"kpis", 14},
                    {"vtas", 1},
                    {"vot", 1},
                    {"vpis", 1},
                    {"otas", 3},
                    {"ottelut", 8},
                    {"pisteet", 15},
                    {"okot", 4},
                    {"ovie", 1}},
                   "01.11.2026");
        insertTeam(*db, 0, "Arsenal", {{"pisteet", 20}}, "02.11.2026");
        insertTeam(*db, 0, "Nott'm Forest");
        insertTeam(*db, 4, "HJK");
        insertPlayer(*db, 0, "Palmer", "Chelsea", 9, false);
        insertPlayer(*db, 0, "Jackson", "Chelsea", 9, true);
        insertPlayer(*db, 0, "Enzo", "Chelsea", 2);
        insertPlayer(*db, 0, "Saka", "Arsenal", 7);
    }
    QWidget* teams = nullptr;
    void openOn(const QString& team)
    {
        teams = open(WindowName::Teams);
        ASSERT_TRUE(teams);
        typeCombo(teams, "Combo1", team);
        click(teams, "Command3");
        ASSERT_EQ(textOf(teams, "Text1"), team);
    }
};

TEST_F(TeamWindowTest, OpensOnValioliigaInNameOrder)
{
    teams = open(WindowName::Teams);
    EXPECT_EQ(teams->windowTitle(), "Joukkue tietokanta");
    EXPECT_EQ(textOf(teams, "Combo3"), "Valioliiga");
    EXPECT_EQ(control<DataNavigator>(teams, "Data1")->caption(), "Valioliiga");
    EXPECT_EQ(textOf(teams, "Label5"), "Manageri");
    EXPECT_EQ(textOf(teams, "Text1"), "Arsenal");
    EXPECT_EQ(textOf(teams, "pisteet"), "20");
    EXPECT_EQ(textOf(teams, "num"), "1");
    click(teams, "Data1_last");
    EXPECT_EQ(textOf(teams, "Text1"), "Nott'm Forest");
    EXPECT_EQ(textOf(teams, "num"), "3");
    click(teams, "Data1_next");
    EXPECT_EQ(textOf(teams, "num"), "3") << "the last record stays";
    click(teams, "Data1_first");
    EXPECT_EQ(textOf(teams, "Text1"), "Arsenal");
    pick(teams, "Combo3", "Ykkönen");
    EXPECT_EQ(textOf(teams, "Label5"), "Valmentaja");
    EXPECT_EQ(textOf(teams, "num"), "0");
    EXPECT_FALSE(isEnabled(teams, "Text1")) << "no team to edit";
}

TEST_F(TeamWindowTest, EditsAreSavedWhenMovingOnAndTotalsFollow)
{
    openOn("Chelsea");
    typeInto(teams, "ktas", "3");
    EXPECT_EQ(textOf(teams, "otas"), "4");
    EXPECT_EQ(textOf(teams, "kot"), "8");
    EXPECT_EQ(textOf(teams, "kpis"), "15");
    EXPECT_EQ(textOf(teams, "ottelut"), "9");
    EXPECT_EQ(textOf(teams, "pisteet"), "16");
    EXPECT_EQ(control<ReversedScrollBar>(teams, "kpis_vs")->figure(), 15) << "the scroll bars follow";
    // ▲ raises a figure and ▼ lowers it.
    clickBar(control<QScrollBar>(teams, "vmkot_vs"), QStyle::SC_ScrollBarSubLine, 5);
    clickBar(control<QScrollBar>(teams, "vmkot_vs"), QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(textOf(teams, "vmkot"), "4");
    EXPECT_EQ(textOf(teams, "mkot"), "4");
    typeInto(teams, "Text2", "Lontoo");
    EXPECT_EQ(teamValue(*db, 0, "Chelsea", "ktas"), 2) << "not before moving on";

    click(teams, "Data1_first");
    EXPECT_EQ(teamValue(*db, 0, "Chelsea", "ktas"), 3);
    EXPECT_EQ(teamValue(*db, 0, "Chelsea", "otas"), 4);
    EXPECT_EQ(teamValue(*db, 0, "Chelsea", "pisteet"), 16);
    EXPECT_EQ(teamValue(*db, 0, "Chelsea", "vmkot"), 4);
    EXPECT_EQ(lookup(*db, "valioliiga", "Kotipaikka", "Joukkue", "Chelsea").toString(), "Lontoo");

    // An edit left when the window closes is kept too.
    typeInto(teams, "Text3", "Emirates");
    click(teams, "Command10");
    EXPECT_EQ(lookup(*db, "valioliiga", "Kotikenttä", "Joukkue", "Arsenal").toString(), "Emirates");
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST_F(TeamWindowTest, NewResetAndDate)
{
    teams = open(WindowName::Teams);
    click(teams, "Command1");
    EXPECT_EQ(textOf(teams, "Text1"), "");
    EXPECT_EQ(textOf(teams, "Text26"), "08.12.2026");
    EXPECT_EQ(textOf(teams, "num"), "4");
    typeInto(teams, "Text1", "Brentford");
    click(teams, "Data1_first");
    EXPECT_EQ(lookup(*db, "valioliiga", "pvm", "Joukkue", "Brentford").toString(), "08.12.2026");

    typeCombo(teams, "Combo1", "chelsea");
    click(teams, "Command3");
    ASSERT_EQ(textOf(teams, "Text1"), "Chelsea");
    env.messages.answerNext(Messages::No);
    click(teams, "Command7");
    EXPECT_EQ(env.messages.lastText(), "Haluatko varmasti nollata kentät ?");
    EXPECT_EQ(env.messages.shown.last().title, "Poista");
    EXPECT_EQ(textOf(teams, "kpis"), "14");
    click(teams, "Command7");
    EXPECT_EQ(textOf(teams, "kpis"), "0");
    EXPECT_EQ(textOf(teams, "ottelut"), "0");
    EXPECT_EQ(textOf(teams, "Text26"), "08.12.2026");
    click(teams, "Command4");
    EXPECT_EQ(env.messages.lastText(), "Päivitetty !");
    EXPECT_EQ(teamValue(*db, 0, "Chelsea", "ottelut"), 0);
    EXPECT_EQ(lookup(*db, "valioliiga", "pvm", "Joukkue", "Chelsea").toString(), "08.12.2026");

    const int before = int(env.messages.shown.size());
    QTest::mouseClick(control<QLineEdit>(teams, "Text26"), Qt::LeftButton);
    ASSERT_EQ(env.messages.shown.size(), before + 1);
    EXPECT_EQ(env.messages.lastText(), "Älä tyhjennä tätä kenttää !");
}

TEST_F(TeamWindowTest, FindingNamesWithAQuoteAndNamesThatAreNotThere)
{
    openOn("Nott'm Forest");
    typeCombo(teams, "Combo1", "Tottenham");
    click(teams, "Command3");
    EXPECT_EQ(env.messages.lastText(), "Tällä nimellä ei löydy !");
    EXPECT_EQ(textOf(teams, "Text1"), "Nott'm Forest");
}

TEST_F(TeamWindowTest, DeletingAsksAndNeverTakesTheLastTeam)
{
    openOn("Chelsea");
    env.messages.answerNext(Messages::No);
    click(teams, "Command2");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::YesNo | Messages::Question | Messages::DefaultButton2);
    EXPECT_EQ(rowCount(*db, "valioliiga"), 3);
    click(teams, "Command2");
    EXPECT_EQ(rowCount(*db, "valioliiga"), 2);
    EXPECT_EQ(textOf(teams, "Text1"), "Nott'm Forest");

    pick(teams, "Combo3", "Veikkausliiga");
    click(teams, "Command2");
    EXPECT_EQ(env.messages.lastText(), "Tietueita on vain yksi,  et voi poistaa tätä!");
    EXPECT_EQ(env.messages.shown.last().title, "Poista");
    EXPECT_EQ(rowCount(*db, "veikliiga"), 1);
}

TEST_F(TeamWindowTest, MovingATeamToAnotherLeague)
{
    openOn("Chelsea");
    pick(teams, "Combo2", "Veikkausliigaan");
    click(teams, "Command5");
    EXPECT_EQ(rowCount(*db, "valioliiga"), 3) << "the English leagues keep to themselves";
    EXPECT_TRUE(env.messages.shown.isEmpty());

    pick(teams, "Combo2", "II Divisioonaan");
    click(teams, "Command5");
    EXPECT_EQ(rowCount(*db, "valioliiga"), 2);
    EXPECT_EQ(teamValue(*db, 2, "Chelsea", "pisteet"), 15);
    EXPECT_EQ(teamValue(*db, 2, "Chelsea", "kkot"), 4);
    EXPECT_TRUE(lookup(*db, "DII", "pvm", "Joukkue", "Chelsea").isNull());
    EXPECT_EQ(textOf(teams, "Text1"), "Arsenal") << "back to the first team";
    EXPECT_EQ(textOf(teams, "Combo2"), "");
    EXPECT_EQ(rowCount(*db, "pvalio"), 4) << "the players stay";

    pick(teams, "Combo3", "II Divisioona");
    EXPECT_EQ(textOf(teams, "Text1"), "Chelsea");
    pick(teams, "Combo2", "I Divisioonaan");
    click(teams, "Command5");
    EXPECT_EQ(env.messages.lastText(), "Joukkueita on vain yksi,  et voi siirtää tätä!");
    EXPECT_EQ(env.messages.shown.last().title, "Siirrä");
    EXPECT_EQ(rowCount(*db, "DII"), 1);
}

TEST_F(TeamWindowTest, ThePlayerListAndItsPrintOut)
{
    openOn("Chelsea");
    click(teams, "Command6");
    EXPECT_EQ(env.messages.lastText(), "Listaa ensin taulukkoon!");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);

    click(teams, "Command11");
    EXPECT_EQ(gridRows(teams),
              (QList<QStringList>{{"9", "Jackson", "Poissa!"}, {"9", "Palmer", ""}, {"2", "Enzo", ""}}));
    EXPECT_EQ(textOf(teams, "kuis"), "3");
    saveShot(teams, WindowName::Teams);
    click(teams, "Command6");
    EXPECT_EQ(
        env.printer.printedLines(),
        (QStringList{"", "", "          Pelaajat   Chelsea", "", "          Maalit  Pelaaja               Poissa?",
                     "          9       Jackson               Poissa!", "          9       Palmer",
                     "          2       Enzo", "   Rivikone PRO v1.0     08.12.2026"}));

    click(teams, "Data1_next");
    EXPECT_TRUE(gridRows(teams).isEmpty());
    EXPECT_EQ(textOf(teams, "kuis"), "0");

    env.printer.failFrom = 0;
    click(teams, "Data1_previous");
    click(teams, "Command11");
    click(teams, "Command6");
    EXPECT_EQ(env.messages.lastText(), "Tulostus ei onnistu!");
    EXPECT_EQ(env.messages.shown.last().title, "Tulosta");
}

TEST_F(TeamWindowTest, ButtonsForHelpAndTheBookmarksPage)
{
    teams = open(WindowName::Teams);
    click(teams, "Command8");
    click(teams, "Command9");
    EXPECT_EQ(env.commands, (QStringList{"win", "ava"}));
}

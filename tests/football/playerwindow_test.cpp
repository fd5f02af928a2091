#include "football/ui/footballui.h"
#include "footballwindows.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

using namespace football;

struct PlayerWindowTest : FootballWindowTest {
    void SetUp() override
    {
        FootballWindowTest::SetUp();
        insertTeam(*db, 0, "Arsenal");
        insertTeam(*db, 0, "Chelsea");
        insertPlayer(*db, 0, "Saka", "Arsenal", 7, false, "laitahyökkääjä", "01.11.2026");
        insertPlayer(*db, 0, "O'Brien", "Chelsea", 0);
        insertPlayer(*db, 0, "Palmer", "Chelsea", 9, true);
        insertPlayer(*db, 0, "Havertz", "Arsenal", 7);
    }
    QWidget* players = nullptr;
};

TEST_F(PlayerWindowTest, BrowsesByTeamThenName)
{
    players = open(WindowName::Players);
    EXPECT_EQ(players->windowTitle(), "Pelaaja tietokanta");
    EXPECT_TRUE(control<QRadioButton>(players, "pel_0")->isChecked());
    EXPECT_EQ(control<DataNavigator>(players, "Data2")->caption(), "Pelaaja: 1");
    EXPECT_EQ(textOf(players, "Text4"), "Havertz");
    EXPECT_EQ(textOf(players, "Combo2"), "Arsenal");
    EXPECT_EQ(textOf(players, "sek_0"), " Pelaajia tietokannassa: 4");
    click(players, "Data2_next");
    EXPECT_EQ(textOf(players, "Text4"), "Saka");
    EXPECT_EQ(textOf(players, "Text1"), "laitahyökkääjä");
    EXPECT_EQ(textOf(players, "Text10"), "7");
    EXPECT_EQ(control<QScrollBar>(players, "maalit")->value(), 7);
    EXPECT_EQ(textOf(players, "Text2"), "01.11.2026");
    click(players, "Data2_last");
    EXPECT_EQ(textOf(players, "Text4"), "Palmer");
    EXPECT_TRUE(control<QCheckBox>(players, "Check5")->isChecked());
    EXPECT_EQ(control<DataNavigator>(players, "Data2")->caption(), "Pelaaja: 4");
    saveShot(players, WindowName::Players);
}

TEST_F(PlayerWindowTest, EditsGoBackIntoTheRecord)
{
    players = open(WindowName::Players);
    focusOn(control<QScrollBar>(players, "maalit"));
    for (int i = 0; i < 6; ++i)
        pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Left);
    EXPECT_EQ(textOf(players, "Text10"), "12") << "→ adds a goal, ← takes one away";
    click(players, "Check5");
    click(players, "Command13");
    click(players, "Data2_next");
    EXPECT_EQ(lookup(*db, "pvalio", "maaleja", "pelaaja", "Havertz").toInt(), 12);
    EXPECT_EQ(lookup(*db, "pvalio", "poissa", "pelaaja", "Havertz").toInt(), 1);
    EXPECT_EQ(lookup(*db, "pvalio", "pvm", "pelaaja", "Havertz").toString(), "08.12.2026");
}

TEST_F(PlayerWindowTest, FindingByPlayerAndByTeam)
{
    players = open(WindowName::Players);
    typeCombo(players, "Combo4", "O'Brien");
    click(players, "Command12");
    EXPECT_EQ(textOf(players, "Text4"), "O'Brien");
    EXPECT_EQ(control<DataNavigator>(players, "Data2")->caption(), "Pelaaja: 3");

    typeCombo(players, "Combo4", "Rice");
    click(players, "Command12");
    EXPECT_EQ(env.messages.lastText(), "Tällä nimellä ei löydy !");
    EXPECT_EQ(textOf(players, "Combo4"), "") << "the search box is emptied";

    typeCombo(players, "Combo1", "Chelsea");
    click(players, "Command4");
    EXPECT_EQ(textOf(players, "Text4"), "O'Brien");
    const int shown = int(env.messages.shown.size());
    typeCombo(players, "Combo1", "");
    click(players, "Command4");
    EXPECT_EQ(env.messages.shown.size(), shown) << "an empty search does nothing";
}

TEST_F(PlayerWindowTest, NewAndDeleteWithTheQuestion)
{
    players = open(WindowName::Players);
    click(players, "Command7");
    EXPECT_EQ(textOf(players, "Text2"), "08.12.2026");
    EXPECT_EQ(textOf(players, "sek_0"), " Pelaajia tietokannassa: 5");
    typeInto(players, "Text4", "Rice");
    typeCombo(players, "Combo2", "Arsenal");
    click(players, "Data2_first");
    EXPECT_EQ(lookup(*db, "pvalio", "joukkue", "pelaaja", "Rice").toString(), "Arsenal");

    env.messages.answerNext(Messages::No);
    click(players, "Command9");
    EXPECT_EQ(env.messages.lastText(), "Haluatko varmasti poistaa pelaajan ?");
    EXPECT_EQ(rowCount(*db, "pvalio"), 5);
    click(players, "Command9");
    EXPECT_EQ(rowCount(*db, "pvalio"), 4);
    EXPECT_FALSE(lookup(*db, "pvalio", "pelaaja", "pelaaja", "Havertz").isValid());
    EXPECT_EQ(textOf(players, "sek_0"), " Pelaajia tietokannassa: 4");
}

TEST_F(PlayerWindowTest, MovingAPlayerLeavesHisTeamToBeChosen)
{
    players = open(WindowName::Players);
    click(players, "Data2_next"); // Saka
    pick(players, "siirto", "Veikkausliigaan");
    click(players, "Command3");
    EXPECT_EQ(rowCount(*db, "pvalio"), 3);
    EXPECT_EQ(lookup(*db, "pv", "joukkue", "pelaaja", "Saka").toString(), "?");
    EXPECT_EQ(lookup(*db, "pv", "paikka", "pelaaja", "Saka").toString(), "laitahyökkääjä");
    EXPECT_EQ(lookup(*db, "pv", "maaleja", "pelaaja", "Saka").toInt(), 7);
    EXPECT_EQ(textOf(players, "Text4"), "Havertz") << "back to the first player";
    EXPECT_EQ(textOf(players, "siirto"), "");

    click(players, "pel_4");
    EXPECT_EQ(textOf(players, "Text4"), "Saka");
    pick(players, "siirto", "Valioliigaan");
    click(players, "Command3");
    EXPECT_EQ(env.messages.lastText(), "Tietueita on vain yksi,  et voi siirtää tätä!");
    EXPECT_EQ(env.messages.shown.last().title, "Siirrä");
    EXPECT_EQ(rowCount(*db, "pv"), 1);
}

TEST_F(PlayerWindowTest, TheScorerListAndItsPagedPrintOut)
{
    players = open(WindowName::Players);
    click(players, "Command2");
    EXPECT_EQ(env.messages.lastText(), "Listaa ensin taulukkoon!");
    click(players, "Command6");
    EXPECT_EQ(gridRows(players), (QList<QStringList>{{"9", "Palmer", "Chelsea", "Poissa!"},
                                                     {"7", "Havertz", "Arsenal", ""},
                                                     {"7", "Saka", "Arsenal", ""}}));
    EXPECT_EQ(textOf(players, "sek_0"), " Pelaajia: 4");
    EXPECT_EQ(textOf(players, "sek_1"), " Maalintekijöitä: 3");
    EXPECT_FALSE(isShown(players, "Label8"));
    click(players, "Command2");
    const QStringList lines = env.printer.printedLines();
    ASSERT_GE(lines.size(), 6);
    EXPECT_TRUE(lines[2].startsWith("          Maalintekijät   ") && lines[2].endsWith(" 1"));
    EXPECT_EQ(lines[5], "          9       Palmer                Chelsea           Poissa!");
    EXPECT_EQ(env.printer.pages(), 1);

    // Another league's scorers are listed anew, never shown or printed as this one's.
    click(players, "pel_1");
    EXPECT_TRUE(gridRows(players).isEmpty());
    click(players, "Command2");
    EXPECT_EQ(env.messages.lastText(), "Listaa ensin taulukkoon!");
    EXPECT_EQ(env.printer.pages(), 1);
}

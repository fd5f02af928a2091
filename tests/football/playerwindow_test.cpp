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
    QWidget* p = nullptr;
};

TEST_F(PlayerWindowTest, BrowsesByTeamThenName)
{
    p = open(WindowName::Players);
    EXPECT_EQ(p->windowTitle(), "Pelaaja tietokanta");
    EXPECT_TRUE(control<QRadioButton>(p, "pel_0")->isChecked());
    EXPECT_EQ(control<DataNavigator>(p, "Data2")->caption(), "Pelaaja: 1");
    EXPECT_EQ(textOf(p, "Text4"), "Havertz");
    EXPECT_EQ(textOf(p, "Combo2"), "Arsenal");
    EXPECT_EQ(textOf(p, "sek_0"), " Pelaajia tietokannassa: 4");
    click(p, "Data2_next");
    EXPECT_EQ(textOf(p, "Text4"), "Saka");
    EXPECT_EQ(textOf(p, "Text1"), "laitahyökkääjä");
    EXPECT_EQ(textOf(p, "Text10"), "7");
    EXPECT_EQ(control<QScrollBar>(p, "maalit")->value(), 7);
    EXPECT_EQ(textOf(p, "Text2"), "01.11.2026");
    click(p, "Data2_last");
    EXPECT_EQ(textOf(p, "Text4"), "Palmer");
    EXPECT_TRUE(control<QCheckBox>(p, "Check5")->isChecked());
    EXPECT_EQ(control<DataNavigator>(p, "Data2")->caption(), "Pelaaja: 4");
    saveShot(p, WindowName::Players);
}

TEST_F(PlayerWindowTest, EditsGoBackIntoTheRecord)
{
    p = open(WindowName::Players);
    focusOn(control<QScrollBar>(p, "maalit"));
    for (int i = 0; i < 6; ++i)
        pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Left);
    EXPECT_EQ(textOf(p, "Text10"), "12") << "→ adds a goal, ← takes one away";
    click(p, "Check5");
    click(p, "Command13");
    click(p, "Data2_next");
    EXPECT_EQ(lookup(*db, "pvalio", "maaleja", "pelaaja", "Havertz").toInt(), 12);
    EXPECT_EQ(lookup(*db, "pvalio", "poissa", "pelaaja", "Havertz").toInt(), 1);
    EXPECT_EQ(lookup(*db, "pvalio", "pvm", "pelaaja", "Havertz").toString(), "08.12.2026");
}

TEST_F(PlayerWindowTest, FindingByPlayerAndByTeam)
{
    p = open(WindowName::Players);
    typeCombo(p, "Combo4", "O'Brien");
    click(p, "Command12");
    EXPECT_EQ(textOf(p, "Text4"), "O'Brien");
    EXPECT_EQ(control<DataNavigator>(p, "Data2")->caption(), "Pelaaja: 3");

    typeCombo(p, "Combo4", "Rice");
    click(p, "Command12");
    EXPECT_EQ(env.messages.lastText(), "Tällä nimellä ei löydy !");
    EXPECT_EQ(textOf(p, "Combo4"), "") << "the search box is emptied";

    typeCombo(p, "Combo1", "Chelsea");
    click(p, "Command4");
    EXPECT_EQ(textOf(p, "Text4"), "O'Brien");
    const int shown = int(env.messages.shown.size());
    typeCombo(p, "Combo1", "");
    click(p, "Command4");
    EXPECT_EQ(env.messages.shown.size(), shown) << "an empty search does nothing";
}

TEST_F(PlayerWindowTest, NewAndDeleteWithTheQuestion)
{
    p = open(WindowName::Players);
    click(p, "Command7");
    EXPECT_EQ(textOf(p, "Text2"), "08.12.2026");
    EXPECT_EQ(textOf(p, "sek_0"), " Pelaajia tietokannassa: 5");
    typeInto(p, "Text4", "Rice");
    typeCombo(p, "Combo2", "Arsenal");
    click(p, "Data2_first");
    EXPECT_EQ(lookup(*db, "pvalio", "joukkue", "pelaaja", "Rice").toString(), "Arsenal");

    env.messages.answerNext(Messages::No);
    click(p, "Command9");
    EXPECT_EQ(env.messages.lastText(), "Haluatko varmasti poistaa pelaajan ?");
    EXPECT_EQ(rowCount(*db, "pvalio"), 5);
    click(p, "Command9");
    EXPECT_EQ(rowCount(*db, "pvalio"), 4);
    EXPECT_FALSE(lookup(*db, "pvalio", "pelaaja", "pelaaja", "Havertz").isValid());
    EXPECT_EQ(textOf(p, "sek_0"), " Pelaajia tietokannassa: 4");
}

TEST_F(PlayerWindowTest, MovingAPlayerLeavesHisTeamToBeChosen)
{
    p = open(WindowName::Players);
    click(p, "Data2_next"); // Saka
    pick(p, "siirto", "Veikkausliigaan");
    click(p, "Command3");
    EXPECT_EQ(rowCount(*db, "pvalio"), 3);
    EXPECT_EQ(lookup(*db, "pv", "joukkue", "pelaaja", "Saka").toString(), "?");
    EXPECT_EQ(lookup(*db, "pv", "paikka", "pelaaja", "Saka").toString(), "laitahyökkääjä");
    EXPECT_EQ(lookup(*db, "pv", "maaleja", "pelaaja", "Saka").toInt(), 7);
    EXPECT_EQ(textOf(p, "Text4"), "Havertz") << "back to the first player";
    EXPECT_EQ(textOf(p, "siirto"), "");

    click(p, "pel_4");
    EXPECT_EQ(textOf(p, "Text4"), "Saka");
    pick(p, "siirto", "Valioliigaan");
    click(p, "Command3");
    EXPECT_EQ(env.messages.lastText(), "Tietueita on vain yksi,  et voi siirtää tätä!");
    EXPECT_EQ(env.messages.shown.last().title, "Siirrä");
    EXPECT_EQ(rowCount(*db, "pv"), 1);
}

TEST_F(PlayerWindowTest, TheScorerListAndItsPagedPrintOut)
{
    p = open(WindowName::Players);
    click(p, "Command2");
    EXPECT_EQ(env.messages.lastText(), "Listaa ensin taulukkoon!");
    click(p, "Command6");
    EXPECT_EQ(gridRows(p), (QList<QStringList>{{"9", "Palmer", "Chelsea", "Poissa!"},
                                               {"7", "Havertz", "Arsenal", ""},
                                               {"7", "Saka", "Arsenal", ""}}));
    EXPECT_EQ(textOf(p, "sek_0"), " Pelaajia: 4");
    EXPECT_EQ(textOf(p, "sek_1"), " Maalintekijöitä: 3");
    EXPECT_FALSE(isShown(p, "Label8"));
    click(p, "Command2");
    const QStringList lines = env.printer.printedLines();
    ASSERT_GE(lines.size(), 6);
    EXPECT_TRUE(lines[2].startsWith("          Maalintekijät   ") && lines[2].endsWith(" 1"));
    EXPECT_EQ(lines[5], "          9       Palmer                Chelsea           Poissa!");
    EXPECT_EQ(env.printer.pages(), 1);

    // Another league's scorers are listed anew, never shown or printed as this one's.
    click(p, "pel_1");
    EXPECT_TRUE(gridRows(p).isEmpty());
    click(p, "Command2");
    EXPECT_EQ(env.messages.lastText(), "Listaa ensin taulukkoon!");
    EXPECT_EQ(env.printer.pages(), 1);
}

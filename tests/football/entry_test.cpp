#include "footballwindows.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTest>

using namespace football;

// The database chooser, the hint window's rules on screen, and what every
// window does when the database file cannot be used.

TEST_F(FootballWindowTest, TheChooserHandsOverToTheChosenWindow)
{
    const QStringList targets = {WindowName::Teams, WindowName::Players, WindowName::Results, WindowName::LeagueTable};
    for (int i = 0; i < 4; ++i) {
        QWidget* w = open(WindowName::DatabaseChoice);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), "Tietokannat");
        if (i == 0)
            saveShot(w, WindowName::DatabaseChoice);
        click(w, QString("Option1_%1").arg(i));
        click(w, "MhCommand1");
        EXPECT_EQ(env.windows.shownNames().last(), targets[i]);
        EXPECT_FALSE(openWindow(WindowName::DatabaseChoice));
        EXPECT_FALSE(env.mainWindow.isEnabled()) << "a hand-over keeps the main window waiting";
        QWidget* next = openWindow(targets[i]);
        ASSERT_TRUE(next);
        next->close();
        settle();
        EXPECT_TRUE(env.mainWindow.isEnabled());
        env.mainWindow.setEnabled(false);
    }
}

TEST_F(FootballWindowTest, AFileThatIsNoDatabaseIsToldAboutAndKept)
{
    db.reset();
    QFile::remove(env.path("RK32.MDB"));
    QFile::remove(env.path("RK32.MDB-wal"));
    QFile::remove(env.path("RK32.MDB-shm"));
    QFile file(env.path("RK32.MDB"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Standard Jet DB vanha tiedosto");
    file.close();
    for (const char* name :
         {WindowName::Teams, WindowName::Players, WindowName::Results, WindowName::LeagueTable, WindowName::HintRow}) {
        env.messages.shown.clear();
        env.mainWindow.setEnabled(false);
        env.open(name);
        settle();
        ASSERT_EQ(env.messages.shown.size(), 1) << name;
        EXPECT_TRUE(env.messages.lastText().startsWith("Tietokantaa RK32.MDB ei voi käyttää !")) << name;
        EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
        EXPECT_FALSE(openWindow(name)) << name << " closes itself";
        EXPECT_TRUE(env.mainWindow.isEnabled()) << name;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Standard Jet DB vanha tiedosto"));
}

struct HintRowWindowTest : FootballWindowTest {
    QWidget* hint = nullptr;
    void SetUp() override
    {
        FootballWindowTest::SetUp();
        insertTeam(*db, 0, "Arsenal", {{"kkot", 1}, {"ktas", 1}, {"kvie", 1}, {"kpis", 4}, {"kmkot", 2}, {"kmvie", 2}},
                   "05.12.2026");
        insertTeam(*db, 0, "Chelsea", {{"vkot", 1}, {"vtas", 1}, {"vvie", 1}, {"vpis", 4}, {"vmkot", 0}, {"vmvie", 3}});
        insertTeam(*db, 1, "Leeds", {{"vkot", 3}, {"vpis", 9}, {"vmkot", 2}, {"vmvie", 6}});
        hint = open(WindowName::HintRow);
        ASSERT_TRUE(hint);
    }
    QString row(int k)
    {
        return textOf(hint, QString("osu_%1").arg(k)) + "|" + textOf(hint, QString("osui_%1").arg(k)) + "|" +
               textOf(hint, QString("Label7_%1").arg(k));
    }
    QString colour(const QString& name) { return control<QLabel>(hint, name)->styleSheet(); }
};

TEST_F(HintRowWindowTest, ALevelMatchGivesXAndCandidatesShowBesideIt)
{
    EXPECT_EQ(hint->windowTitle(), "Vihjerivi");
    EXPECT_TRUE(control<QCheckBox>(hint, "su1")->isChecked());
    EXPECT_FALSE(isEnabled(hint, "su1"));
    EXPECT_EQ(textOf(hint, "oso_0"), "<-");
    pick(hint, "Combo1", "Arsenal");
    EXPECT_EQ(textOf(hint, "Text2"), "05.12.2026");
    pick(hint, "Combo2", "Chelsea");
    EXPECT_EQ(textOf(hint, "Text3"), "") << "no update date";
    click(hint, "su2");
    click(hint, "su3");
    click(hint, "Command1");
    // 1+1, 1+1, 1+1 and equal points: X. Goal ratios 1 against 3: "1" as a candidate.
    EXPECT_EQ(env.state.HintRow[0], "X");
    EXPECT_EQ(row(0), "1|X|");
    EXPECT_TRUE(colour("osui_0").contains("#ffff00"));
    EXPECT_TRUE(colour("osu_0").contains("#ffffff")) << "a candidate keeps the plain colour";
    EXPECT_EQ(textOf(hint, "k2"), "+");
    EXPECT_EQ(textOf(hint, "v2"), "-");
    EXPECT_EQ(textOf(hint, "k3"), "+ -");
    EXPECT_EQ(textOf(hint, "k4"), "?");
    EXPECT_EQ(textOf(hint, "v4"), "?");

    // The same match again overwrites its sign.
    stepBarTo(control<QScrollBar>(hint, "HS1"), 1);
    click(hint, "O2_1");
    EXPECT_EQ(textOf(hint, "Combo2"), "");
    pick(hint, "Combo2", "Leeds");
    click(hint, "Command1");
    EXPECT_EQ(env.state.HintRow[0], "2");
    EXPECT_EQ(row(0), "1||2") << "the goal-ratio candidate stays beside the new sign";
    EXPECT_TRUE(colour("osui_0").contains("#ffffff"));
}

TEST_F(HintRowWindowTest, TheSameTeamCannotPlayItselfAndTheLastMatchStays)
{
    pick(hint, "Combo1", "Arsenal");
    pick(hint, "Combo2", "Arsenal");
    click(hint, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Arsenal ei voi pelata itseään vastaan !");
    EXPECT_EQ(env.state.HintRow[0], "");

    pick(hint, "Combo2", "Chelsea");
    stepBarTo(control<QScrollBar>(hint, "HS1"), 13);
    EXPECT_EQ(textOf(hint, "Text1"), "13");
    EXPECT_EQ(textOf(hint, "oso_12"), "<-");
    click(hint, "Command1");
    EXPECT_EQ(env.state.HintRow[12], "X");
    EXPECT_EQ(textOf(hint, "Text1"), "13");

    click(hint, "auri");
    EXPECT_EQ(env.messages.lastText(), "Auringossa on nyt aika rauhallinen vaihe !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Information);
    const int shown = int(env.messages.shown.size());
    pick(hint, "Combo1", "Arsenal");
    click(hint, "O1_1");
    EXPECT_EQ(textOf(hint, "Combo1"), "");
    EXPECT_EQ(textOf(hint, "k1"), "") << "a new league empties the side";
    click(hint, "Command1");
    EXPECT_EQ(env.messages.shown.size(), shown) << "no team, no hint";
}

TEST_F(FootballWindowTest, ADamagedDatabaseIsToldAboutAndOnlyRead)
{
    db.reset();
    const QByteArray damaged = damagedTeamDatabase(env.dir.path());
    for (const char* name : {WindowName::Teams, WindowName::Results}) {
        env.messages.shown.clear();
        QWidget* w = open(name);
        ASSERT_EQ(env.messages.shown.size(), 1) << name;
        EXPECT_EQ(env.messages.lastText(), "Tietokanta RK32.MDB on vioittunut !\r\n"
                                           "Sen tietoja voi katsoa, mutta muutoksia ei tallenneta.");
        EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
        EXPECT_TRUE(openWindow(name)) << name << " stays for reading";
        w->close();
        settle();
    }
    QFile file(env.path("RK32.MDB"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}

TEST_F(HintRowWindowTest, EnterInAnOpenListTakesTheTeamOnly)
{
    ASSERT_TRUE(chooseFromList(control<QComboBox>(hint, "Combo1"), "Arsenal"));
    // Enter ends the choice in the open list; the hint waits for its own Enter.
    ASSERT_TRUE(chooseFromList(control<QComboBox>(hint, "Combo2"), "Chelsea"));
    EXPECT_EQ(env.state.HintRow[0], "");
    EXPECT_EQ(textOf(hint, "Text1"), "1");
    EXPECT_EQ(row(0), "||");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(env.state.HintRow[0], "X");
    EXPECT_EQ(textOf(hint, "Text1"), "2");

    // → and ← step through the matches.
    focusOn(control<QScrollBar>(hint, "HS1"));
    pressKey(Qt::Key_Right);
    EXPECT_EQ(textOf(hint, "Text1"), "3");
    pressKey(Qt::Key_Left);
    pressKey(Qt::Key_Left);
    EXPECT_EQ(textOf(hint, "Text1"), "1");
}

TEST_F(FootballWindowTest, EscapeInAnOpenListClosesTheListOnly)
{
    insertTeam(*db, 0, "Arsenal");
    insertTeam(*db, 0, "Chelsea");
    insertPlayer(*db, 0, "Saka", "Arsenal");
    const QList<QPair<QString, QString>> lists = {{WindowName::Results, "Combo1"},
                                                  {WindowName::Teams, "Combo3"},
                                                  {WindowName::Players, "Combo1"},
                                                  {WindowName::HintRow, "Combo2"}};
    for (const auto& [window, list] : lists) {
        QWidget* w = open(window);
        ASSERT_TRUE(w);
        auto* combo = control<QComboBox>(w, list);
        const QString before = combo->currentText();
        ASSERT_TRUE(openList(combo)) << window.toStdString();
        pressKey(Qt::Key_Escape);
        EXPECT_FALSE(QApplication::activePopupWidget()) << window.toStdString();
        ASSERT_EQ(openWindow(window), w) << window.toStdString() << ": the window stays, and what was typed in it";
        EXPECT_EQ(combo->currentText(), before);
        // With the list closed, Escape closes the window.
        pressKey(Qt::Key_Escape);
        EXPECT_FALSE(openWindow(window)) << window.toStdString();
    }
}

TEST_F(FootballWindowTest, TheGoalBarsStepTheWayTheArrowKeysPoint)
{
    QWidget* w = open(WindowName::Results);
    focusOn(control<QScrollBar>(w, "HScroll1"));
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Left);
    EXPECT_EQ(textOf(w, "Text1"), "1");
    EXPECT_EQ(textOf(w, "Text4"), "1");
    clickBar(control<QScrollBar>(w, "HScroll2"), QStyle::SC_ScrollBarAddLine, 2);
    EXPECT_EQ(textOf(w, "Text2"), "2");
    EXPECT_EQ(textOf(w, "Text4"), "3");

    // PageDown pages right and PageUp left, as the clicks beside the handle do.
    auto* goals = control<QScrollBar>(w, "HScroll1");
    focusOn(goals);
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(goals->value(), 1 + goals->pageStep());
    pressKey(Qt::Key_PageUp);
    EXPECT_EQ(textOf(w, "Text1"), "1");
}

TEST_F(FootballWindowTest, TheKeyboardReachesEveryBar)
{
    const QList<QPair<QString, QString>> bars = {{WindowName::Results, "HScroll1"},
                                                 {WindowName::Results, "HScroll2"},
                                                 {WindowName::Results, "HScroll3"},
                                                 {WindowName::HintRow, "HS1"},
                                                 {WindowName::Players, "maalit"}};
    for (const auto& [window, name] : bars) {
        QWidget* w = openWindow(window) ? openWindow(window) : open(window);
        auto* bar = control<QScrollBar>(w, name);
        ASSERT_TRUE(bar);
        // Tab from the stop before it.
        QWidget* before = bar->previousInFocusChain();
        while (before != bar && !(before->focusPolicy() & Qt::TabFocus && before->isVisible() && before->isEnabled()))
            before = before->previousInFocusChain();
        ASSERT_NE(before, bar) << name.toStdString() << " is no stop of the Tab key";
        focusOn(before);
        pressKey(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), bar) << name.toStdString();
    }
}

TEST_F(FootballWindowTest, EnterAndEscapeWhereTheyAreNatural)
{
    QWidget* chooser = open(WindowName::DatabaseChoice);
    click(chooser, "Option1_3");
    QTest::keyClick(chooser, Qt::Key_Return);
    settle();
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::LeagueTable);
    QWidget* table = openWindow(WindowName::LeagueTable);
    ASSERT_TRUE(table);
    QTest::keyClick(table, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(openWindow(WindowName::LeagueTable));
    EXPECT_TRUE(env.mainWindow.isEnabled());

    insertTeam(*db, 0, "Arsenal");
    QWidget* teams = open(WindowName::Teams);
    teams->activateWindow();
    QApplication::setActiveWindow(teams);
    auto* name = control<QLineEdit>(teams, "Text1");
    name->setFocus();
    settle();
    QTest::keyClick(name, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(teams, "Text2")) << "Enter moves to the next field";
}

#include "rowwindows.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace rowwindows;

namespace {

// Puts the chosen system and the correct row into the state as the system choice and the basic-row windows leave them.
void chooseSystem(TestEnv& env, const char* letter, const char* name, const QString& correctRow)
{
    env.state.HaravaTask = 1;
    env.state.SystemLetter = letter;
    env.state.SystemName = name;
    env.state.CodedResult.fill(" ");
    for (int k = 0; k < kMatches; ++k) {
        env.state.BasicSigns[k] = correctRow.mid(k, 1);
        env.state.BasicMarks[signIndex(char(correctRow[k].toLatin1()))][k] = 1;
    }
}

QString coded(const SharedState& s, int columns)
{
    QString out;
    for (int n = 0; n < columns; ++n)
        out += s.CodedResult[n];
    return out;
}

} // namespace

TEST(SystemPatternWindowTest, MarksToggleAndAreCounted)
{
    TestEnv env;
    chooseSystem(env, "F", "F1296", "1111111111111");
    env.state.BasicSignCount = 13;
    env.state.BankerHits = 5;
    QWidget* w = env.open(WindowName::SystemPattern);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Harava - ( F1296 )");
    EXPECT_EQ(textOf(w, "Label1"), " Laita haravasi sarakkeeseen.");
    EXPECT_EQ(env.state.BasicSignCount, 0);
    EXPECT_EQ(env.state.BankerHits, 0);

    click(w, "yksi_0");
    click(w, "kaksi_0");
    click(w, "risti_0");
    EXPECT_EQ(textOf(w, "yksi_0"), "1");
    EXPECT_EQ(textOf(w, "risti_0"), "X");
    EXPECT_EQ(textOf(w, "kaksi_0"), "2");
    EXPECT_EQ(env.state.BasicSignCount, 3);
    click(w, "risti_0");
    EXPECT_EQ(textOf(w, "risti_0"), "");
    EXPECT_EQ(env.state.SystemMarks[1][0], 0);
    EXPECT_EQ(env.state.SystemMarks[2][0], 1);
    EXPECT_EQ(env.state.BasicSignCount, 2);
    // The entered correct row is another table: untouched.
    EXPECT_EQ(env.state.BasicMarks[0][0], 1);
    EXPECT_EQ(textOf(w, "muoto").split('\n').last(), QString::fromUtf8("Merkkejä:               2 / 29"));
}

TEST(SystemPatternWindowTest, FewerThanFourteenMarksAreRefusedInEveryUse)
{
    for (int use = 0; use < 3; ++use) {
        TestEnv env;
        if (use == 0)
            chooseSystem(env, "A", "A60", "1111111111111");
        else if (use == 1)
            env.state.RowSource = 0;
        else
            env.state.DrawMode = 1;
        QWidget* w = env.open(WindowName::SystemPattern);
        // A single row is no system: 13 marks.
        enterPattern(w, {"1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "X"});
        click(w, "sainperusrivin");
        ASSERT_EQ(env.messages.shown.size(), 1) << use;
        EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Liian vähän merkkejä !!"));
        EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
        EXPECT_TRUE(openWindow(WindowName::SystemPattern));
        EXPECT_EQ(textOf(w, "risti_12"), "X");
        EXPECT_EQ(env.state.BasicSignCount, 13);
    }
}

TEST(SystemPatternWindowTest, ATypedFullSystemNeedsASignOnEveryMatch)
{
    TestEnv env;
    env.state.RowSource = 0;
    env.state.CurrentFileTitle = "RIVIT.1X2";
    standIn(env, WindowName::Checking);
    QWidget* w = env.open(WindowName::SystemPattern, {{"", QString::fromUtf8("JÄRJESTELMÄ")},
                                                      {"Label1", QString::fromUtf8("         Anna järjestelmäsi ")}});
    EXPECT_FALSE(isShown(w, "muoto"));
    enterPattern(w, {"1X2", "1X", "", "1", "1", "1", "1", "1", "1", "1", "1", "1", "12"});
    click(w, "sainperusrivin");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Joku kohde on tyhjä !!"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_TRUE(openWindow(WindowName::SystemPattern));
    saveShot(w, "SystemPatternWindow_typed_system");

    click(w, "kaksi_2");
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::Checking);
    EXPECT_FALSE(openWindow(WindowName::SystemPattern));
    EXPECT_EQ(env.state.CurrentFileTitle, QString::fromUtf8("Järjestelmä"));
    EXPECT_EQ(env.state.SystemMarks[0][0] + env.state.SystemMarks[1][0] + env.state.SystemMarks[2][0], 3);
}

TEST(SystemPatternWindowTest, ARandomRowSystemCountsItsGuards)
{
    TestEnv env;
    env.state.DrawMode = 1;
    env.state.FullGuardFlags.fill(7);
    standIn(env, WindowName::RowCount);
    QWidget* w = env.open(WindowName::SystemPattern);
    enterPattern(w, {"1", "1X", "", "1", "X2", "1", "1", "1", "1X2", "1", "1", "1", "2"});
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Joku kohde on tyhjä !!"));
    EXPECT_TRUE(openWindow(WindowName::SystemPattern));

    click(w, "risti_2");
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::RowCount);
    EXPECT_FALSE(openWindow(WindowName::SystemPattern));
    const SharedState& s = env.state;
    EXPECT_EQ(s.HalfGuardCount, 2);
    EXPECT_EQ(s.FullGuardCount, 1);
    EXPECT_EQ(s.FullGuardTotal, 1);
    std::array<int, 14> flags{};
    flags[8] = 1;
    EXPECT_EQ(s.FullGuardFlags, flags);
}

TEST(SystemPatternWindowTest, AReducedSystemMustHaveItsShape)
{
    TestEnv env;
    chooseSystem(env, "D", "D432", "1111111111111");
    standIn(env, WindowName::Checking);
    QWidget* w = env.open(WindowName::SystemPattern);
    // 26 marks: three one-sign matches.
    enterPattern(w, {"1", "1", "1", "1X", "12", "X2", "1X", "1X", "1X", "1X", "1X2", "1X2", "1X2"});
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.lastText(), "Haravan muoto virheellinen !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    // 28 marks: one one-sign match.
    click(w, "risti_2");
    click(w, "risti_1");
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(env.messages.lastText(), "Haravan muoto virheellinen !");
    // 27 marks, but three one-sign matches and four three-sign ones.
    click(w, "risti_1");
    click(w, "risti_2");
    click(w, "kaksi_3");
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.shown.size(), 3);
    EXPECT_EQ(env.state.BasicSignCount, 27);
    EXPECT_EQ(env.state.MatchSignCount, (MatchValues{1, 1, 1, 3, 2, 2, 2, 2, 2, 2, 3, 3, 3}));
    EXPECT_TRUE(openWindow(WindowName::SystemPattern));
    saveShot(w, "SystemPatternWindow_D432_wrong_shape");

    // The right shape: two bankers, eight two-sign and three three-sign matches.
    click(w, "kaksi_3");
    click(w, "risti_2");
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.shown.size(), 3);
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::Checking);
}

TEST(SystemPatternWindowTest, F1296CodesTheCorrectRowIntoTheTablesAlphabet)
{
    TestEnv env;
    // Correct row X2X21X2X 1X2X 1: the banker (match 13, played X) is wrong.
    chooseSystem(env, "F", "F1296", "X2X21X2X1X2X1");
    env.state.RowCount = 1296;
    env.state.SystemColumns = 12;
    standIn(env, WindowName::Checking);
    QWidget* w = env.open(WindowName::SystemPattern);
    enterPattern(w, {"1X", "12", "X2", "1X", "12", "X2", "1X", "12", "1X2", "1X2", "1X2", "1X2", "X"});
    EXPECT_EQ(env.state.BasicSignCount, 29);
    saveShot(w, "SystemPatternWindow_F1296");
    click(w, "sainperusrivin");
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::Checking);
    EXPECT_FALSE(openWindow(WindowName::SystemPattern));

    const SharedState& s = env.state;
    // Two-sign matches: 1X→X O, 12→2 O, X2→X V, 1X→2 not played, 12→1 V, X2→X V, 1X→2 none, 12→X none.
    EXPECT_EQ(coded(s, 13), "OOV VV  1X2X ");
    EXPECT_EQ(s.BankerHits, 0);
    EXPECT_EQ(s.MatchSignCount, (MatchValues{2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 1}));
    EXPECT_EQ(s.FullColumnStart, 13);
    EXPECT_EQ(s.BasicSignCount, 0);
    EXPECT_EQ(signsOf(s.BasicSigns), "X2X21X2X1X2X1");
    EXPECT_EQ(s.RowCount, 1296);
    EXPECT_TRUE(QDir(env.dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(SystemPatternWindowTest, A60PlayedOneAndXCodesTheTwoSignColumnsAsV)
{
    TestEnv env;
    chooseSystem(env, "A", "A60", "1111111111111");
    standIn(env, WindowName::Checking);
    QWidget* w = env.open(WindowName::SystemPattern);
    enterPattern(w, {"1", "1X", "1X", "1X2", "1X", "1X", "1X", "1X2", "1X", "1X2", "1X", "2", "X"});
    click(w, "sainperusrivin");
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(coded(env.state, 10), "VVVVVVV111");
    // One banker right (match 1); matches 12 and 13 played wrong.
    EXPECT_EQ(env.state.BankerHits, 1);
    EXPECT_EQ(env.state.FullColumnStart, 11);
}

TEST(SystemPatternWindowTest, CancelReturnsToTheMainWindowWithTheMarks)
{
    TestEnv env;
    chooseSystem(env, "B", "B81", "1111111111111");
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::SystemPattern);
    click(w, "kaksi_5");
    click(w, "kes");
    EXPECT_FALSE(openWindow(WindowName::SystemPattern));
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_EQ(env.state.SystemMarks[2][5], 1);
}

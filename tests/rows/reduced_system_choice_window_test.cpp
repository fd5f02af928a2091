#include "rowwindows.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace rowwindows;

TEST(ReducedSystemChoiceWindowTest, OkDoesNothingUntilASystemIsChosen)
{
    TestEnv env;
    env.state.HaravaTask = 1;
    QWidget* w = env.open(WindowName::ReducedSystemChoice);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Valitse harava");
    const QStringList names = {"A60", "B81", "C222", "D432", "E729", "F1296"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(textOf(w, QStringLiteral("hara_%1").arg(i)), names[i]);
        EXPECT_FALSE(control<QAbstractButton>(w, QStringLiteral("hara_%1").arg(i))->isChecked());
    }
    EXPECT_EQ(textOf(w, "Command1"), "&OK");
    click(w, "Command1");
    EXPECT_TRUE(openWindow(WindowName::ReducedSystemChoice));
    EXPECT_EQ(env.windows.shownNames(), QStringList{WindowName::ReducedSystemChoice});
    EXPECT_EQ(env.state.SystemColumns, 0);
    EXPECT_TRUE(env.state.SystemName.isEmpty());
    saveShot(w, "ReducedSystemChoiceWindow");
}

TEST(ReducedSystemChoiceWindowTest, TheChosenSystemIsRememberedAndTheCorrectRowAskedFor)
{
    struct Expected {
        const char* name;
        const char* workFile;
        int columns;
        int rows;
    };
    const QList<Expected> systems = {{"A60", "APUS", 10, 60},   {"B81", "BPUS", 8, 81},    {"C222", "CPUS", 9, 222},
                                     {"D432", "DPUS", 11, 432}, {"E729", "EPUS", 10, 729}, {"F1296", "FPUS", 12, 1296}};
    for (int i = 0; i < systems.size(); ++i) {
        const Expected& e = systems[i];
        TestEnv env;
        env.state.HaravaTask = 1;
        env.state.CodedResult.fill("V");
        env.mainWindow.setEnabled(false);
        QWidget* w = env.open(WindowName::ReducedSystemChoice);
        click(w, QStringLiteral("hara_%1").arg(i));
        click(w, "Command1");

        const SharedState& s = env.state;
        EXPECT_EQ(s.SystemName, e.name);
        EXPECT_EQ(s.CurrentFileTitle, e.workFile);
        EXPECT_EQ(s.CurrentFile, QDir(env.dir.path()).filePath(e.workFile));
        EXPECT_EQ(s.SystemLetter, QString(e.workFile).left(1));
        EXPECT_EQ(s.SystemColumns, e.columns);
        EXPECT_EQ(s.RowCount, e.rows);
        for (const QString& c : s.CodedResult)
            EXPECT_EQ(c, " ") << e.name;

        EXPECT_FALSE(openWindow(WindowName::ReducedSystemChoice)) << e.name;
        QWidget* row = openWindow(WindowName::BasicRow);
        ASSERT_TRUE(row) << e.name;
        EXPECT_EQ(row->windowTitle(), "OIKEA RIVI");
        EXPECT_EQ(textOf(row, "Label1"), "             Anna oikea rivi.");
        EXPECT_FALSE(env.mainWindow.isEnabled());
        // No work file of the table is ever made.
        EXPECT_FALSE(QFile::exists(env.path(e.workFile)));
    }
}

TEST(ReducedSystemChoiceWindowTest, CancelReturnsToTheMainWindow)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::ReducedSystemChoice);
    click(w, "hara_2");
    click(w, "kes");
    EXPECT_FALSE(openWindow(WindowName::ReducedSystemChoice));
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_TRUE(env.state.SystemName.isEmpty());
}

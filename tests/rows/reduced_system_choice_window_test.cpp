#include "rowwindows.h"

#include "rows/harava.h"

#include <QDir>
#include <QSet>
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

// Each button opens the system it names, and the checking then scores that
// system's own table: its rows and columns are what the coupon work expects.
TEST(ReducedSystemChoiceWindowTest, EachButtonOpensTheSystemWhoseTableTheCheckingUses)
{
    QSet<QString> chosen;
    for (int i = 0; i < 6; ++i) {
        TestEnv env;
        env.state.HaravaTask = 1;
        env.state.CodedResult.fill("V");
        env.mainWindow.setEnabled(false);
        QWidget* w = env.open(WindowName::ReducedSystemChoice);
        const QString caption = textOf(w, QStringLiteral("hara_%1").arg(i));
        click(w, QStringLiteral("hara_%1").arg(i));
        click(w, "Command1");

        const SharedState& s = env.state;
        SCOPED_TRACE(caption.toStdString());
        ASSERT_FALSE(s.SystemLetter.isEmpty());
        const HaravaSystem* checked = haravaByLetter(s.SystemLetter[0]);
        ASSERT_TRUE(checked);
        EXPECT_EQ(caption, checked->name);
        EXPECT_EQ(s.SystemName, caption);
        chosen << caption;
        const QByteArray table = haravaTable(*checked);
        ASSERT_FALSE(table.isEmpty());
        EXPECT_EQ(table.size(), qsizetype(s.RowCount) * s.SystemColumns);
        EXPECT_EQ(s.SystemColumns, checked->twoSign + checked->threeSign);
        EXPECT_EQ(s.CurrentFile, QDir(env.dir.path()).filePath(s.CurrentFileTitle));
        for (const QString& c : s.CodedResult)
            EXPECT_EQ(c, " ");

        EXPECT_FALSE(openWindow(WindowName::ReducedSystemChoice));
        QWidget* row = openWindow(WindowName::BasicRow);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->windowTitle(), "OIKEA RIVI");
        EXPECT_EQ(textOf(row, "Label1"), "             Anna oikea rivi.");
        EXPECT_FALSE(env.mainWindow.isEnabled());
        // No work file of the table is ever made.
        EXPECT_FALSE(QFile::exists(s.CurrentFile));
    }
    EXPECT_EQ(chosen.size(), 6) << "six buttons, six systems";
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

#include "rowwindows.h"
#include "shell/ui/mainwindow.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace rowwindows;

namespace {

// The checking window belongs to another part of the program; when it is not
// there, a stand-in shows that it was asked for.
void needChecking(TestEnv& env)
{
    if (!env.windows.available(WindowName::Checking))
        standIn(env, WindowName::Checking);
}

} // namespace

TEST(HaravaWalk, FromTheMainWindowThroughTheCorrectRowAndPatternToChecking)
{
    TestEnv env;
    needChecking(env);
    MainWindow form(env.context, env.windows);
    env.windows.setMainWindow(&form);
    form.show();
    settle();
    env.messages.shown.clear();
    env.state.SystemMarks[0][0] = 1; // left over from an earlier task

    form.runOperation("har");
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(env.state.HaravaTask, 1);
    EXPECT_EQ(env.state.SystemMarks[0][0], 0);
    QWidget* choice = openWindow(WindowName::ReducedSystemChoice);
    ASSERT_TRUE(choice);
    click(choice, "hara_5");
    click(choice, "Command1");

    QWidget* row = openWindow(WindowName::BasicRow);
    ASSERT_TRUE(row);
    settle();
    EXPECT_EQ(row->windowTitle(), "OIKEA RIVI");
    EXPECT_EQ(textOf(row, "Label1"), "             Anna oikea rivi.");
    EXPECT_TRUE(isShown(row, "bby"));
    EXPECT_FALSE(isShown(row, "vihjeet"));
    enterRow(row, "X2X21X2X1X2X1");
    saveShot(row, "walk_BasicRowWindow_correct_row");
    click(row, "sainperusrivin");
    EXPECT_FALSE(openWindow(WindowName::BasicRow));
    EXPECT_FALSE(form.isEnabled());

    QWidget* pattern = openWindow(WindowName::SystemPattern);
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->windowTitle(), "Harava - ( F1296 )");
    EXPECT_EQ(env.state.BasicSignCount, 0);
    // Each two-sign match plays the correct sign first, so the best row holds 12 + the banker.
    enterPattern(pattern, {"X2", "12", "X2", "12", "1X", "X2", "12", "X2", "1X2", "1X2", "1X2", "1X2", "1"});
    click(pattern, "sainperusrivin");
    EXPECT_TRUE(env.messages.shown.isEmpty()) << env.messages.lastText().toStdString();
    EXPECT_FALSE(openWindow(WindowName::SystemPattern));
    EXPECT_TRUE(env.windows.shownNames().contains(WindowName::Checking));
    EXPECT_EQ(env.windows.shownNames().first(), WindowName::ReducedSystemChoice);
    EXPECT_FALSE(form.isEnabled());

    const SharedState& s = env.state;
    EXPECT_EQ(s.SystemName, "F1296");
    EXPECT_EQ(s.SystemLetter, "F");
    EXPECT_EQ(s.SystemColumns, 12);
    EXPECT_EQ(s.RowCount, 1296);
    QString coded;
    for (const QString& c : s.CodedResult)
        coded += c;
    EXPECT_EQ(coded, "VOVOVVOV1X2X ");
    EXPECT_EQ(s.BankerHits, 1);
    EXPECT_EQ(signsOf(s.BasicSigns), "X2X21X2X1X2X1");
    // No table work file is left in the program directory.
    for (const char* file : {"APUS", "BPUS", "CPUS", "DPUS", "EPUS", "FPUS"})
        EXPECT_FALSE(QFile::exists(env.path(file))) << file;
}

TEST(HaravaWalk, CancellingAnyStepReturnsToTheEnabledMainWindow)
{
    for (const char* step : {WindowName::ReducedSystemChoice, WindowName::BasicRow, WindowName::SystemPattern}) {
        TestEnv env;
        MainWindow form(env.context, env.windows);
        env.windows.setMainWindow(&form);
        form.show();
        form.runOperation("har");
        QWidget* w = openWindow(WindowName::ReducedSystemChoice);
        ASSERT_TRUE(w);
        if (QString(step) != WindowName::ReducedSystemChoice) {
            click(w, "hara_0");
            click(w, "Command1");
            w = openWindow(WindowName::BasicRow);
            ASSERT_TRUE(w);
            if (QString(step) == WindowName::SystemPattern) {
                enterRow(w, "1111111111111");
                click(w, "sainperusrivin");
                w = openWindow(WindowName::SystemPattern);
                ASSERT_TRUE(w);
            }
        }
        EXPECT_FALSE(form.isEnabled()) << step;
        click(w, "kes");
        EXPECT_FALSE(openWindow(step)) << step;
        EXPECT_TRUE(form.isEnabled()) << step;
    }
}

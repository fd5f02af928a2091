#include "base/rowfile.h"
#include "base/statsfiles.h"
#include "base/ui/windownames.h"
#include "printing.h"
#include "shell/ui/mainwindow.h"
#include "support/files.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// Until the window of that name is part of the program, a stand-in records
// how it was asked to open.
void standIn(TestEnv& env, const QString& name)
{
    if (env.windows.available(name))
        return;
    env.windows.add(name, [name](AppContext&) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName(name);
        (new QLabel(window))->setObjectName("Label1");
        return window;
    });
}

void expectCorrectRowWindow(QWidget* window)
{
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "OIKEA RIVI");
    EXPECT_EQ(textOf(window, "Label1"), "              Anna oikea rivi.");
}

} // namespace

TEST(CheckFileTypeWindowTest, TheOptionsChooseWhatIsChecked)
{
    TestEnv env;
    env.state.CheckTask = 1;
    QWidget* w = env.open(WindowName::CheckFileType);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Valitse tiedostotyyppi.");
    EXPECT_EQ(textOf(w, "O1_0"), " < Hajarivit.");
    EXPECT_EQ(textOf(w, "O1_1"), QString::fromUtf8(" < Vakio järjestelmä."));
    EXPECT_EQ(textOf(w, "O1_2"), " < Oma systeemi.");
    EXPECT_TRUE(control<QAbstractButton>(w, "O1_0")->isChecked());
    EXPECT_EQ(env.state.CheckFileType, 1);
    EXPECT_EQ(env.state.RowSource, 1);
    saveShot(w, "check_file_type");

    click(w, "O1_1");
    EXPECT_EQ(env.state.RowSource, 0);
    EXPECT_EQ(env.state.CheckTask, 0);
    EXPECT_EQ(env.state.CheckFileType, 2);
    click(w, "O1_2");
    EXPECT_EQ(env.state.RowSource, 1);
    EXPECT_EQ(env.state.CheckTask, 1);
    EXPECT_EQ(env.state.CheckFileType, 3);
    click(w, "O1_0");
    EXPECT_TRUE(control<QAbstractButton>(w, "O1_0")->isChecked());
    EXPECT_EQ(env.state.CheckFileType, 1);

    click(w, "Command2");
    EXPECT_EQ(env.commands, QStringList{"win"});
}

TEST(CheckFileTypeWindowTest, ATypedSystemGoesStraightToTheCorrectRow)
{
    TestEnv env;
    standIn(env, WindowName::BasicRow);
    QWidget* w = env.open(WindowName::CheckFileType);
    click(w, "O1_1");
    click(w, "Command1");
    settle();
    EXPECT_TRUE(env.dialogs.opened.isEmpty());
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::BasicRow);
    expectCorrectRowWindow(openWindow(WindowName::BasicRow));
    EXPECT_EQ(openWindow(WindowName::CheckFileType), nullptr);
    EXPECT_EQ(env.state.RowSource, 0);
}

TEST(CheckFileTypeWindowTest, ARowsFileIsReadBeforeTheCorrectRow)
{
    TestEnv env;
    standIn(env, WindowName::BasicRow);
    const QString path = env.path("viikko.1X2");
    ASSERT_TRUE(writeBytes(path, rowsFileHeader(2) + "1X21X21X21X21" + "2222222222222"));
    env.state.CheckTask = 1;
    QWidget* w = env.open(WindowName::CheckFileType);
    env.dialogs.choose(path);
    click(w, "Command1");
    settle();

    ASSERT_EQ(env.dialogs.opened.size(), 1);
    EXPECT_EQ(env.dialogs.opened[0].title, "Valitse hajarivit !");
    EXPECT_EQ(env.dialogs.opened[0].filter, "Rivitiedostot (*.1X2)|*.1X2");
    EXPECT_EQ(env.state.CurrentFile, path);
    EXPECT_EQ(env.state.CurrentFileTitle, "viikko.1X2");
    EXPECT_EQ(env.state.SystemLoaded, 0);
    EXPECT_EQ(env.state.RowCount, 2);
    EXPECT_EQ(rowText(env.state.Rows[1]), "2222222222222");
    expectCorrectRowWindow(openWindow(WindowName::BasicRow));
    EXPECT_EQ(openWindow(WindowName::CheckFileType), nullptr);
}

TEST(CheckFileTypeWindowTest, AnOwnSystemGoesToTheConversionWindow)
{
    TestEnv env;
    standIn(env, WindowName::Conversion);
    const QString path = env.path("oma.stm");
    ASSERT_TRUE(writeBytes(path, systemFileHeader(2, 1, 1) + "121X111111111"));
    QWidget* w = env.open(WindowName::CheckFileType);
    click(w, "O1_2");
    env.dialogs.choose(path);
    click(w, "Command1");
    settle();

    ASSERT_EQ(env.dialogs.opened.size(), 1);
    EXPECT_EQ(env.dialogs.opened[0].title, "Valitse oma systeemi !");
    EXPECT_EQ(env.dialogs.opened[0].filter, "Rivitiedostot (*.STM)|*.STM");
    EXPECT_EQ(env.state.SystemLoaded, 1);
    EXPECT_EQ(env.state.HalfGuardCount, 2);
    EXPECT_EQ(env.state.FullGuardCount, 1);
    EXPECT_EQ(env.state.RowCount, 1);
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::Conversion);
    EXPECT_EQ(openWindow(WindowName::CheckFileType), nullptr);
}

TEST(CheckFileTypeWindowTest, CancelOrAnUnreadableFileKeepsTheWindowOpen)
{
    TestEnv env;
    standIn(env, WindowName::BasicRow);
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::CheckFileType);
    click(w, "Command1"); // the dialog cancels
    settle();
    EXPECT_EQ(openWindow(WindowName::CheckFileType), w);
    EXPECT_TRUE(env.messages.shown.isEmpty());

    const QString path = env.path("rikki.1X2");
    ASSERT_TRUE(writeBytes(path, rowsFileHeader(5) + "1X21X2"));
    env.dialogs.choose(path);
    click(w, "Command1");
    settle();
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Tämän tiedoston luku ei onnistu !"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(openWindow(WindowName::CheckFileType), w);
    EXPECT_FALSE(env.windows.shownNames().contains(WindowName::BasicRow));
    EXPECT_FALSE(env.mainWindow.isEnabled());
}

// The whole road: the main window's checking command, the file, the correct
// row, the check and the stored win record.
TEST(CheckingRoad, FromTheMainWindowToAStoredWinRecord)
{
    TestEnv env;
    MainWindow form(env.context, env.windows);
    env.windows.setMainWindow(&form);
    const QString path = env.path("kierros.1X2");
    ASSERT_TRUE(writeBytes(path, rowsFileHeader(3) + "1X21X21X21X21" + "1X21X21X21X22" + "2222222222222"));

    form.runOperation("tar");
    settle();
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(env.state.CheckTask, 1);
    QWidget* fileType = openWindow(WindowName::CheckFileType);
    ASSERT_TRUE(fileType);
    env.dialogs.choose(path);
    click(fileType, "Command1");
    settle();
    EXPECT_EQ(env.state.RowCount, 3);

    if (!env.windows.available(WindowName::BasicRow)) {
        EXPECT_EQ(openWindow(WindowName::CheckFileType), fileType);
        GTEST_SKIP() << "the correct-row window is not in this build; checked up to the file";
    }
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::BasicRow);
    QWidget* correctRow = openWindow(WindowName::BasicRow);
    expectCorrectRowWindow(correctRow);
    const QString correct = "1X21X21X21X21";
    for (int k = 0; k < 13; ++k) {
        const QString array = correct[k] == '1' ? "Yksi" : correct[k] == 'X' ? "Risti" : "Kaksi";
        click(correctRow, QString("%1_%2").arg(array).arg(k));
    }
    click(correctRow, "sainperusrivin");
    settle();

    QWidget* checking = openWindow(WindowName::Checking);
    ASSERT_TRUE(checking);
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(checking->windowTitle(), "Tarkastus - ( kierros.1X2 )");
    typeInto(checking, "Text2", "1500");
    typeInto(checking, "Text4", "250000");
    click(checking, "Command1");
    EXPECT_EQ(textOf(checking, "Label4"), " 1");
    EXPECT_EQ(textOf(checking, "Label2"), " 0");
    EXPECT_EQ(textOf(checking, "Label3"), " 1");
    EXPECT_EQ(textOf(checking, "Label16"), " 1");
    EXPECT_EQ(textOf(checking, "Label17"), " 250,000");
    typeInto(checking, "Text5", "48");
    click(checking, "tilastoi");
    EXPECT_EQ(readBytes(env.path(kWinsFile)), QByteArray("kierros.1X2         2026 48  1   1   0   0   250,000    "));
    click(checking, "C1");
    settle();
    EXPECT_TRUE(form.isEnabled());
}

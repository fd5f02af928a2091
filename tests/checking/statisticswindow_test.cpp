#include "base/statsfiles.h"
#include "base/ui/windownames.h"
#include "checking/statistics.h"
#include "printing.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QStringListModel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void storeWin(TestEnv& env, const QString& name, const QString& round, const QString& winnings)
{
    ASSERT_TRUE(appendRecord(env.path(kWinsFile),
                           encodeRecord(VoitotRecord{name, "2026", round, " 1", " 0", " 2", " 5", winnings}),
                           kVoitotRecordLength).ok());
}

void storeCorrect(TestEnv& env, const QString& row, const QString& year, const QString& round)
{
    ASSERT_TRUE(
        appendRecord(env.path(kCorrectRowsFile), encodeRecord(OikeatRecord{row, year, round}), kOikeatRecordLength).ok());
}

QStringList listLines(QWidget* window)
{
    auto* model = qobject_cast<QStringListModel*>(control<QListView>(window, "List1")->model());
    return model ? model->stringList() : QStringList();
}

void chooseYear(QWidget* window, const QString& year)
{
    // As a player does: the list's first year, then down to the one wanted.
    auto* years = control<QComboBox>(window, "vdt");
    years->setFocus();
    QTest::keyClick(years, Qt::Key_Home);
    while (years->currentText() != year && years->currentIndex() < years->count() - 1)
        QTest::keyClick(years, Qt::Key_Down);
    EXPECT_EQ(years->currentText(), year);
}

} // namespace

TEST(StatisticsWindowTest, LoadOffersTheYearsAndWaitsForAFile)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Statistics);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Tilastot");
    auto* years = control<QComboBox>(w, "vdt");
    EXPECT_EQ(years->currentText(), " 1972");
    EXPECT_EQ(years->itemText(years->count() - 1), " 2026");
    EXPECT_FALSE(isShown(w, "Label2"));
    EXPECT_EQ(textOf(w, "L1_0"), " 0");
    EXPECT_EQ(textOf(w, "Lx_12"), " 0");
    // Nothing to list, print or delete until a file is chosen.
    EXPECT_FALSE(isEnabled(w, "MhCommand1"));
    EXPECT_FALSE(isEnabled(w, "MhCommand2"));
    EXPECT_FALSE(isEnabled(w, "Command3"));
    click(w, "O1_0");
    EXPECT_TRUE(isEnabled(w, "MhCommand1"));
    EXPECT_TRUE(isEnabled(w, "Command3"));
    saveShot(w, "statistics_load");
}

TEST(StatisticsWindowTest, WinsAreListedWithTheirTotal)
{
    TestEnv env;
    storeWin(env, "eka.1X2", "3", " 1,250");
    storeWin(env, "F1296.HAR", "4", " ");
    storeWin(env, "toka.1X2", "12", " 300");
    {
        QFile f(env.path(kWinsFile));
        f.open(QIODevice::Append);
        f.write("torn record");
    }
    QWidget* w = env.open(WindowName::Statistics);
    click(w, "O1_0");
    click(w, "MhCommand1");
    const QStringList lines = listLines(w);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "Tiedosto             Vuosi   Krs.  X13   X12   X11   X10   Voitot");
    EXPECT_EQ(lines[1], QString(70, '='));
    EXPECT_EQ(lines[2], "eka.1X2              2026   3     1     0     2     5       1,250 Mk.");
    EXPECT_EQ(lines[5], QString::fromUtf8("Yhteensä: 1,550 Mk."));
    EXPECT_EQ(control<QListView>(w, "List1")->currentIndex().row(), 0);
    EXPECT_TRUE(isEnabled(w, "MhCommand1"));
    EXPECT_TRUE(isEnabled(w, "Picture1"));
    saveShot(w, "statistics_wins");
}

TEST(StatisticsWindowTest, AnAbsentWinsFileListsOnlyTheFrame)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Statistics);
    click(w, "O1_0");
    click(w, "MhCommand1");
    EXPECT_EQ(listLines(w), QStringList({"Tiedosto             Vuosi   Krs.  X13   X12   X11   X10   Voitot",
                                         QString(70, '='), QString::fromUtf8("Yhteensä:  Mk.")}));
}

TEST(StatisticsWindowTest, CorrectRowsOfOneYearAndTheirDistribution)
{
    TestEnv env;
    storeCorrect(env, "1X21X21X21X21", "2025", "52");
    storeCorrect(env, "1111111111111", "2026", "1");
    storeCorrect(env, "1111111111111", "2026", "1");
    storeCorrect(env, "2XX2XX2XX2XX2", "2026", "2");
    QWidget* w = env.open(WindowName::Statistics);
    click(w, "O1_1");
    chooseYear(w, " 2026");
    click(w, "MhCommand1");
    const QStringList lines = listLines(w);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], " Vuosi  Kier.");
    EXPECT_EQ(lines[1], " 2026   1       1    1    1     1    1    1     1    1    1     1    1    1    1");
    EXPECT_EQ(textOf(w, "L1_0"), " 2");
    EXPECT_EQ(textOf(w, "L2_0"), " 1");
    EXPECT_EQ(textOf(w, "Lx_1"), " 1");
    EXPECT_EQ(textOf(w, "Lx_0"), " 0");
    saveShot(w, "statistics_correct_rows");

    // A year without records lists the heading and clears the distribution.
    chooseYear(w, " 1999");
    click(w, "MhCommand1");
    EXPECT_EQ(listLines(w), QStringList{" Vuosi  Kier."});
    EXPECT_EQ(textOf(w, "L1_0"), " 0");

    // The total distribution counts every year.
    click(w, "O1_0");
    click(w, "jak");
    EXPECT_TRUE(listLines(w).isEmpty());
    EXPECT_EQ(textOf(w, "L1_0"), " 3");
    EXPECT_EQ(textOf(w, "L2_0"), " 1");
    EXPECT_EQ(textOf(w, "Lx_1"), " 2");
    EXPECT_FALSE(isShown(w, "Label2"));
    EXPECT_EQ(textOf(w, "Label2"), "2026");
    // ... and the file it used is the one now chosen.
    EXPECT_TRUE(control<QAbstractButton>(w, "O1_1")->isChecked());
}

TEST(StatisticsWindowTest, AFileTooLargeOrEndlessIsToldInsteadOfListed)
{
    TestEnv env;
    // An endless device under the wins file's name, and a correct-row file
    // larger than any statistics file (sparse: it costs no disk).
    ASSERT_TRUE(QFile::link("/dev/zero", env.path(kWinsFile)));
    {
        QFile huge(env.path(kCorrectRowsFile));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(kMaxStatisticsFileBytes + 1));
    }
    QWidget* w = env.open(WindowName::Statistics);
    for (const char* option : {"O1_0", "O1_1"}) {
        click(w, option);
        for (const char* command : {"MhCommand1", "MhCommand2"}) {
            env.messages.shown.clear();
            click(w, command);
            ASSERT_EQ(env.messages.shown.size(), 1) << option << " " << command;
            EXPECT_EQ(env.messages.shown[0].text, "Tiedoston luku ei onnistu !");
            EXPECT_EQ(env.messages.shown[0].flags, Messages::Critical);
            EXPECT_TRUE(listLines(w).isEmpty());
            EXPECT_TRUE(isEnabled(w, "MhCommand1"));
        }
    }
    env.messages.shown.clear();
    click(w, "jak");
    EXPECT_EQ(env.messages.lastText(), "Tiedoston luku ei onnistu !");
    EXPECT_EQ(textOf(w, "L1_0"), " 0");
    // Nothing was sent to the printer, and the file is as it was.
    EXPECT_TRUE(env.printer.ops.isEmpty());
    EXPECT_EQ(QFileInfo(env.path(kCorrectRowsFile)).size(), kMaxStatisticsFileBytes + 1);
}

TEST(StatisticsWindowTest, DeletingAFileAsksFirst)
{
    TestEnv env;
    storeWin(env, "eka.1X2", "3", " 100");
    QWidget* w = env.open(WindowName::Statistics);
    click(w, "O1_0");
    click(w, "MhCommand1");
    env.messages.answerNext(Messages::No);
    click(w, "Command3");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Haluatko varmasti poistaa tiedoston VOITOT.TIL");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::YesNo | Messages::Question | Messages::DefaultButton2);
    EXPECT_EQ(env.messages.shown[0].title, "Poista");
    EXPECT_TRUE(QFile::exists(env.path(kWinsFile)));

    env.messages.answerNext(Messages::Yes);
    click(w, "Command3");
    EXPECT_FALSE(QFile::exists(env.path(kWinsFile)));
    EXPECT_TRUE(listLines(w).isEmpty());

    // Deleting a file that is not there does no harm.
    click(w, "Command3");
    EXPECT_EQ(env.messages.shown.size(), 3);

    // In the real box, Enter alone answers No: the file stays.
    storeWin(env, "toka.1X2", "3", " 100");
    env.messages.answerBoxesWith(Qt::Key_Return);
    click(w, "Command3");
    EXPECT_EQ(env.messages.shown.size(), 4);
    EXPECT_TRUE(QFile::exists(env.path(kWinsFile)));
}

TEST(StatisticsWindowTest, PrintingWinsGoesToThePrinter)
{
    TestEnv env;
    storeWin(env, "eka.1X2", "3", " 1,250");
    QWidget* w = env.open(WindowName::Statistics);
    click(w, "O1_0");
    click(w, "MhCommand2");
    const QStringList lines = env.printer.printedLines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[1], "  Tiedosto              Vuosi Krs. X13  X12  X11  X10  Voitot");
    EXPECT_EQ(lines[3], "  eka.1X2               2026  3    1    0    2    5      1,250 Mk.");
    EXPECT_EQ(lines[5], QString::fromUtf8("  Yhteensä: 1,250 Mk."));
    EXPECT_EQ(lines[6], "  Rivikone PRO v1.0     08.12.2026");
    EXPECT_EQ(env.printer.ops.last().op, "endDoc");
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST(StatisticsWindowTest, PrintingCorrectRowsReportsTheYear)
{
    TestEnv env;
    storeCorrect(env, "1X21X21X21X21", "2026", "7");
    QWidget* w = env.open(WindowName::Statistics);
    click(w, "O1_1");
    chooseYear(w, " 2026");
    click(w, "MhCommand2");
    const QStringList lines = env.printer.printedLines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[2], "  2026   7          1  X  2   1  X  2   1  X  2   1  X  2  1");
    EXPECT_EQ(textOf(w, "L1_0"), " 1");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Vuoden  2026 rivit lähetetty printterille !"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
    EXPECT_EQ(env.messages.shown.last().title, "Tulosta");

    // A printer that fails reports nothing as sent.
    env.messages.shown.clear();
    env.printer.ops.clear();
    env.printer.failFrom = 0;
    click(w, "MhCommand2");
    EXPECT_EQ(env.printer.ops.last().op, "killDoc");
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST(StatisticsWindowTest, TheCalculatorHelpAndClosing)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::Statistics);
    click(w, "Picture1");
    click(w, "apu");
    EXPECT_EQ(env.commands, QStringList({"calc", "win"}));
    click(w, "Command1");
    settle();
    EXPECT_EQ(openWindow(WindowName::Statistics), nullptr);
    EXPECT_TRUE(env.mainWindow.isEnabled());

    env.mainWindow.setEnabled(false);
    QWidget* again = env.open(WindowName::Statistics);
    QTest::keyClick(again, Qt::Key_Escape);
    settle();
    EXPECT_EQ(openWindow(WindowName::Statistics), nullptr);
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

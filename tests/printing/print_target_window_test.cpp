#include "base/ui/windownames.h"
#include "printing/listing.h"
#include "printingtest.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListView>
#include <QRadioButton>
#include <QTest>

using namespace printingtest;

namespace {

QStringList listed(QWidget* window)
{
    QStringList lines;
    auto* view = control<QListView>(window, "taulu");
    if (!view)
        return lines;
    QAbstractItemModel* model = view->model();
    for (int i = 0; i < model->rowCount(); ++i)
        lines << model->index(i, 0).data().toString();
    return lines;
}

// The state as the main window leaves it for a rows file.
void chooseFile(TestEnv& env, const QString& name)
{
    env.state.CurrentFile = env.path(name);
    env.state.CurrentFileTitle = name;
    env.state.PrintTarget = 1;
    env.state.SystemLoaded = 0;
}

} // namespace

TEST(PrintTargetWindowTest, ScreenListingShowsBlocksAndTheSignDistribution)
{
    TestEnv env;
    writeRows(env.path("KIERROS.1X2"), 25);
    chooseFile(env, "KIERROS.1X2");
    QWidget* w = env.open(WindowName::PrintTarget);
    ASSERT_TRUE(w);
    saveShot(w, "PrintTargetWindow");
    EXPECT_EQ(w->windowTitle(), "Valitse tulostuskohde");
    EXPECT_TRUE(control<QRadioButton>(w, "Option1_0")->isChecked());
    click(w, "Command1");
    settle();
    EXPECT_FALSE(openWindow(WindowName::PrintTarget));
    QWidget* list = openWindow(WindowName::ScreenListing);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->windowTitle(), "TULOSTA NÄYTTÖÖN");
    EXPECT_EQ(textOf(list, "Label25"), "25");
    EXPECT_EQ(textOf(list, "Label2"), "KIERROS.1X2");
    EXPECT_TRUE(listed(list).isEmpty());
    EXPECT_EQ(env.state.RowCount, 25);

    click(list, "Command2");
    const QStringList lines = listed(list);
    EXPECT_EQ(lines, screenListing(sampleRows(25), 25));
    ASSERT_EQ(lines.size(), 27);
    EXPECT_TRUE(lines[10].isEmpty());
    EXPECT_TRUE(lines[21].isEmpty());
    const SignDistribution d = signDistribution(sampleRows(25), 25);
    for (int k = 0; k < kMatches; ++k) {
        EXPECT_EQ(textOf(list, QString("L1_%1").arg(k)), QString::number(d.counts[0][k]));
        EXPECT_EQ(textOf(list, QString("Lx_%1").arg(k)), QString::number(d.counts[1][k]));
        EXPECT_EQ(textOf(list, QString("L2_%1").arg(k)), QString::number(d.counts[2][k]));
    }
    saveShot(list, "ScreenListingWindow");
    // Listing again does not add up twice.
    click(list, "Command2");
    EXPECT_EQ(listed(list).size(), 27);
    EXPECT_EQ(textOf(list, "L1_0"), QString::number(d.counts[0][0]));

    // The listed rows leave as text: Ctrl+C in the list copies them.
    auto* view = control<QListView>(list, "taulu");
    list->activateWindow();
    view->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().split('\n').mid(0, 2),
              (QStringList{rowText(sampleRows(25)[0]), rowText(sampleRows(25)[1])}));
    EXPECT_EQ(env.messages.lastText(), "Leikepöydälle kopioitiin 25 riviä.");
    QStringList menu;
    for (QAction* action : view->actions())
        menu << action->text();
    EXPECT_EQ(menu, (QStringList{"Vie &tekstitiedostoon", "Vie &CSV-tiedostoon", "&Kopioi leikepöydälle"}));
    env.messages.shown.clear();

    click(list, "Picture1");
    EXPECT_EQ(env.commands, QStringList{"calc"});
    click(list, "Command1");
    settle();
    EXPECT_FALSE(openWindow(WindowName::ScreenListing));
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST(PrintTargetWindowTest, LongNamesAndOldFilesAreShortened)
{
    TestEnv env;
    const QString name = "Kevään_2026_omat_rivit_ja_lisa.1X2"; // 34 characters
    QByteArray old;
    for (int i = 0; i < 260; ++i)
        for (char c : rowText(sampleRow(i)).toLatin1())
            old += QByteArray(1, c) + "\r\n";
    ASSERT_TRUE(writeBytes(env.path(name), old));
    chooseFile(env, name);
    QWidget* w = env.open(WindowName::PrintTarget);
    ASSERT_TRUE(w);
    click(w, "Command1");
    QWidget* list = openWindow(WindowName::ScreenListing);
    ASSERT_TRUE(list);
    EXPECT_EQ(textOf(list, "Label2"), "Kevään_2026_oma~.1X2");
    EXPECT_EQ(textOf(list, "Label25"), "250");
}

TEST(PrintTargetWindowTest, BadFilesAndBadRowsAreReported)
{
    TestEnv env;
    ASSERT_TRUE(writeBytes(env.path("RIKKI.1X2"), "40 nova      1X21X21X21X21"));
    chooseFile(env, "RIKKI.1X2");
    QWidget* w = env.open(WindowName::PrintTarget);
    ASSERT_TRUE(w);
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Tiedoston luku ei onnistu !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_TRUE(openWindow(WindowName::PrintTarget));

    // Rows holding other bytes than signs are listed, and the user is told.
    ASSERT_TRUE(writeBytes(env.path("OUTO.1X2"), "2 nova       1X21X21X21X211X21X2?X21X21"));
    chooseFile(env, "OUTO.1X2");
    click(w, "Command1");
    QWidget* list = openWindow(WindowName::ScreenListing);
    ASSERT_TRUE(list);
    env.messages.shown.clear();
    click(list, "Command2");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Viallinen rivitiedosto ?");
    EXPECT_EQ(env.messages.shown[0].title, "Tulosta näyttöön");
    EXPECT_EQ(listed(list).size(), 2);
    EXPECT_EQ(textOf(list, "L1_6"), "1");
}

TEST(PrintTargetWindowTest, PaperListingPrintsFiftyRowsAPage)
{
    TestEnv env;
    writeRows(env.path("PAPERI.1X2"), 51);
    chooseFile(env, "PAPERI.1X2");
    QWidget* w = env.open(WindowName::PrintTarget);
    ASSERT_TRUE(w);
    click(w, "Option1_1");
    EXPECT_EQ(env.state.PrintTarget, 0);
    click(w, "Command1");

    ASSERT_EQ(env.messages.texts(),
              (QStringList{"Jos käytät jatkolomaketta, aloita arkin alusta!", "Rivit lähetetty printterille !"}));
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Information);
    EXPECT_EQ(env.printer.pages(), 2);
    const PrintOp& font = env.printer.ops.first();
    EXPECT_EQ(font.op, "font");
    EXPECT_EQ(font.text, "Courier New");
    EXPECT_DOUBLE_EQ(font.x1, 12);

    QStringList expected;
    const QList<QStringList> pages = paperListingPages(sampleRows(51), 51, "PAPERI.1X2");
    expected << pages[0] << "\f" << pages[1];
    EXPECT_EQ(env.printer.printedLines(), expected);
    EXPECT_EQ(env.printer.ops.last().op, "endDoc");
    // The dialog stays for another target.
    EXPECT_TRUE(openWindow(WindowName::PrintTarget));
    EXPECT_TRUE(isEnabled(w, "Command1"));
}

TEST(PrintTargetWindowTest, APrinterFailureIsReported)
{
    TestEnv env;
    writeRows(env.path("P.1X2"), 12);
    chooseFile(env, "P.1X2");
    env.state.PrintTarget = 0;
    QWidget* w = env.open(WindowName::PrintTarget);
    ASSERT_TRUE(w);
    EXPECT_TRUE(control<QRadioButton>(w, "Option1_1")->isChecked());
    env.printer.failFrom = 3;
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "En löydä printteriä !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    QStringList ops;
    for (const PrintOp& op : env.printer.ops)
        ops << op.op;
    EXPECT_TRUE(ops.contains("killDoc"));
    EXPECT_EQ(ops.last(), "endDoc");

    // A print-out the user gave up (at its PDF file's name) is no failure to tell.
    env.messages.shown.clear();
    env.printer.failFrom = -1;
    env.printer.userCancels = true;
    click(w, "Command1");
    EXPECT_EQ(env.messages.texts(), QStringList{"Jos käytät jatkolomaketta, aloita arkin alusta!"});
}

TEST(PrintTargetWindowTest, LoadedSystemsGoStraightToTheCoupons)
{
    TestEnv env;
    // The rows are in memory already; the file itself is not read again.
    env.state.CurrentFile = env.path("EI_OLE.STM");
    env.state.SystemLoaded = 1;
    env.state.Rows = sampleRows(4);
    env.state.RowCount = 4;
    env.state.PrintTarget = 1;
    QWidget* w = env.open(WindowName::PrintTarget);
    ASSERT_TRUE(w);
    click(w, "Option1_2");
    EXPECT_EQ(env.state.PrintTarget, 2);
    click(w, "Command1");
    settle();
    EXPECT_FALSE(openWindow(WindowName::PrintTarget));
    QWidget* coupons = openWindow(WindowName::CouponPrint);
    ASSERT_TRUE(coupons);
    EXPECT_EQ(textOf(coupons, "monta"), "1");
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST(PrintTargetWindowTest, CancelAndHelp)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::PrintTarget);
    ASSERT_TRUE(w);
    click(w, "Command2");
    EXPECT_EQ(env.commands, QStringList{"win"});
    click(w, "MHCommand1");
    settle();
    EXPECT_FALSE(openWindow(WindowName::PrintTarget));
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

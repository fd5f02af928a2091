#include "base/ui/scrollbars.h"
#include "base/ui/windownames.h"
#include "printing/couponlayout.h"
#include "printingtest.h"
#include "support/testenv.h"
#include "support/useractions.h"
#include "support/windowtest.h"

#include <QListWidget>
#include <QLocale>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace printingtest;

namespace {

QStringList listLines(QWidget* window)
{
    QStringList lines;
    auto* list = control<QListWidget>(window, "List1");
    for (int i = 0; list && i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

void loadRows(TestEnv& env, int n)
{
    env.state.Rows = sampleRows(n);
    env.state.RowCount = n;
}

QScrollBar* bar(QWidget* window, const QString& name)
{
    return control<QScrollBar>(window, name);
}

} // namespace

TEST(CouponPrintWindowTest, OpensWithTheStoredCalibrationAndTheCouponCount)
{
    TestEnv env;
    env.settings.write(keys::PrintTop, "13.5");
    env.settings.write(keys::PrintLeft, "45.5");
    env.settings.write(keys::PrintWidth, "190");
    env.settings.write(keys::PrintHeight, "260");
    loadRows(env, 11);
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    saveShot(w, "CouponPrintWindow");

    EXPECT_EQ(w->windowTitle(), "Tulosta kupongille");
    EXPECT_EQ(textOf(w, "monta"), "2");
    EXPECT_EQ(bar(w, "HS1")->maximum(), 2);
    EXPECT_EQ(textOf(w, "Text5"), "1");
    EXPECT_EQ(textOf(w, "Text1"), "13.5");
    EXPECT_EQ(textOf(w, "Text2"), "45.5");
    EXPECT_EQ(textOf(w, "Text3"), "190");
    EXPECT_EQ(textOf(w, "Text4"), "260");
    EXPECT_EQ(bar(w, "H1")->value(), 27);
    EXPECT_EQ(control<ReversedScrollBar>(w, "H2")->figure(), 91);
    EXPECT_EQ(listLines(w), QStringList{"Kuponki :1"});
    // Width and height go to the printer at once.
    EXPECT_DOUBLE_EQ(env.printer.scaleWidth(), 190);
    EXPECT_DOUBLE_EQ(env.printer.scaleHeight(), 260);
    for (const char* name : {"Option1_0", "Option1_1", "Option1_2"})
        EXPECT_FALSE(control<QRadioButton>(w, name)->isChecked());

    bar(w, "HS1")->setValue(2);
    EXPECT_EQ(textOf(w, "Text5"), "2");
    EXPECT_EQ(listLines(w), QStringList{"Kuponki :2"});

    // Nothing changed by the user: closing asks nothing and puts the printer back.
    click(w, "Command2");
    settle();
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_FALSE(openWindow(WindowName::CouponPrint));
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_EQ(env.printer.scaleMode(), 1);
    EXPECT_DOUBLE_EQ(env.printer.scaleWidth(), 11906);
    EXPECT_DOUBLE_EQ(env.printer.scaleHeight(), 16838);
    EXPECT_EQ(env.state.RowCount, 0);
}

TEST(CouponPrintWindowTest, PrintsTheChosenCouponWithItsExtras)
{
    TestEnv env;
    loadRows(env, 13);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    bar(w, "HS1")->setValue(2);
    click(w, "Option1_0"); // two weeks: the second row of the coupon
    click(w, "jok2");
    EXPECT_TRUE(control<QRadioButton>(w, "Option1_0")->isChecked());
    EXPECT_TRUE(control<QAbstractButton>(w, "jok2")->isChecked());
    env.printer.ops.clear();
    click(w, "Command1");

    CouponOptions options;
    options.weeks = CouponWeeks::Two;
    options.joker2 = true;
    const QList<CouponMark> expected = couponMarks(env.state.Rows, 13, 2, CouponCalibration{}, options);
    const QList<PrintOp> boxes = env.printer.filledBoxes();
    ASSERT_EQ(boxes.size(), expected.size());
    ASSERT_EQ(boxes.size(), 3 * 13 + 2);
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        EXPECT_NEAR(boxes[i].x1, expected[i].x, 0.005);
        EXPECT_NEAR(boxes[i].y1, expected[i].y, 0.005);
        EXPECT_NEAR(boxes[i].x2, expected[i].x + 2, 0.005);
        EXPECT_NEAR(boxes[i].y2, expected[i].y + 0.8, 0.005);
    }
    EXPECT_EQ(env.printer.ops.first().op, "scaleMode");
    EXPECT_EQ(env.printer.ops.last().op, "endDoc");
    EXPECT_EQ(env.printer.pages(), 1);
    const QStringList rows = listLines(w);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], couponRowText(env.state.Rows[10]));
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_TRUE(isEnabled(w, "Command1"));

    // Clearing the weeks leaves the coupon without the week box.
    click(w, "Command4");
    for (const char* name : {"Option1_0", "Option1_1", "Option1_2"})
        EXPECT_FALSE(control<QRadioButton>(w, name)->isChecked());
    env.printer.ops.clear();
    click(w, "Command1");
    EXPECT_EQ(env.printer.filledBoxes().size(), 3 * 13 + 1);
}

TEST(CouponPrintWindowTest, APrinterFailureThrowsTheCouponAway)
{
    TestEnv env;
    loadRows(env, 10);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    env.printer.failFrom = int(env.printer.ops.size()) + 5;
    click(w, "Command1");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Joku luku yli rajojen !");
    EXPECT_EQ(env.messages.shown[0].title, "Virhe!");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Critical);
    QStringList tail;
    for (qsizetype i = env.printer.ops.size() - 2; i < env.printer.ops.size(); ++i)
        tail << env.printer.ops[i].op;
    EXPECT_EQ(tail, (QStringList{"killDoc", "endDoc"}));
    EXPECT_TRUE(isEnabled(w, "Command1"));
}

TEST(CouponPrintWindowTest, CalibrationIsSavedWithADecimalPointAndGuardedOnClose)
{
    TestEnv env;
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    loadRows(env, 3);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    bar(w, "H1")->setValue(28);
    control<ReversedScrollBar>(w, "H2")->setFigure(95);
    bar(w, "H3")->setValue(205);
    EXPECT_EQ(textOf(w, "Text1"), "14");
    EXPECT_EQ(textOf(w, "Text2"), "47.5");
    EXPECT_DOUBLE_EQ(env.printer.scaleWidth(), 205);

    // Unsaved changes: No keeps the window.
    env.messages.answerNext(Messages::No);
    click(w, "Command2");
    settle();
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Haluatko lopettaa vaikka muutettuja asetuksia ei ole tallennettu ?");
    EXPECT_EQ(env.messages.shown[0].title, "Lopeta");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::YesNo | Messages::Question | Messages::DefaultButton2);
    EXPECT_TRUE(openWindow(WindowName::CouponPrint));

    click(w, "Command6");
    EXPECT_EQ(env.messages.lastText(), "Tallennettu !");
    EXPECT_EQ(env.settings.read(keys::PrintTop), "14");
    EXPECT_EQ(env.settings.read(keys::PrintLeft), "47.5");
    EXPECT_EQ(env.settings.read(keys::PrintWidth), "205");
    EXPECT_EQ(env.settings.read(keys::PrintHeight), "297");
    QLocale::setDefault(QLocale::c());

    // Defaults are shown, not stored; closing then asks again.
    click(w, "Command3");
    EXPECT_EQ(textOf(w, "Text1"), "14.5");
    EXPECT_EQ(textOf(w, "Text2"), "44");
    EXPECT_EQ(textOf(w, "Text3"), "202");
    EXPECT_EQ(env.settings.read(keys::PrintWidth), "205");
    // Loading brings back what is stored, and nothing is left unsaved.
    click(w, "Command5");
    EXPECT_EQ(textOf(w, "Text2"), "47.5");
    EXPECT_EQ(bar(w, "H3")->value(), 205);
    env.messages.shown.clear();
    click(w, "Command2");
    settle();
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_FALSE(openWindow(WindowName::CouponPrint));
}

TEST(CouponPrintWindowTest, RestoredDefaultsStillAskBeforeClosing)
{
    TestEnv env;
    loadRows(env, 1);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    click(w, "Command3");
    env.messages.answerNext(Messages::Yes);
    click(w, "Command2");
    settle();
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].title, "Lopeta");
    EXPECT_FALSE(openWindow(WindowName::CouponPrint));
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST(CouponPrintWindowTest, WithoutAPrinterTheWindowSaysSoAndCloses)
{
    TestEnv env;
    loadRows(env, 5);
    env.printer.reachable = false;
    env.mainWindow.setEnabled(false);
    env.open(WindowName::CouponPrint);
    settle();
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Valitse asetuksissa printteriajuri!");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Exclamation);
    EXPECT_FALSE(openWindow(WindowName::CouponPrint));
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST(CouponPrintWindowTest, OnlyFiftyCouponsAreOfferedAndHelpIsAtHand)
{
    TestEnv env;
    loadRows(env, 505);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    EXPECT_EQ(textOf(w, "monta"), "50");
    EXPECT_EQ(bar(w, "HS1")->maximum(), 50);
    bar(w, "HS1")->setValue(50);
    click(w, "Command1");
    const QStringList rows = listLines(w);
    ASSERT_EQ(rows.size(), 10);
    EXPECT_EQ(rows.last(), couponRowText(env.state.Rows[499]));
    click(w, "Command7");
    EXPECT_EQ(env.commands, QStringList{"win"});
}

TEST(CouponPrintWindowTest, AnEmptyRowSetHasNothingToPrint)
{
    TestEnv env;
    loadRows(env, 0);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    EXPECT_EQ(textOf(w, "monta"), "0");
    EXPECT_FALSE(isEnabled(w, "Command1"));
    EXPECT_FALSE(isEnabled(w, "HS1"));
    // Escape closes like "L&opeta".
    QApplication::setActiveWindow(w);
    QTest::keyClick(w, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(openWindow(WindowName::CouponPrint));
}

TEST(CouponPrintWindowTest, EveryBarMovesTheWayItIsPushed)
{
    TestEnv env;
    loadRows(env, 11);
    QWidget* w = env.open(WindowName::CouponPrint);
    ASSERT_TRUE(w);
    auto value = [w](const char* box) { return textOf(w, box).toDouble(); };
    ASSERT_EQ(textOf(w, "Text2"), "44");

    // "ylös", "Kavenna", "Lyhennä" and the next coupon lie to the right.
    for (const char* name : {"H1", "H3", "H4", "HS1"}) {
        focusOn(bar(w, name));
        pressKey(Qt::Key_Right);
    }
    EXPECT_EQ(textOf(w, "Text1"), "15");
    EXPECT_EQ(textOf(w, "Text3"), "203");
    EXPECT_EQ(textOf(w, "Text4"), "298");
    EXPECT_EQ(textOf(w, "Text5"), "2");

    // The horizontal offset is largest at the left end: every move to the right lowers it.
    QScrollBar* left = bar(w, "H2");
    focusOn(left);
    pressKey(Qt::Key_Right);
    EXPECT_EQ(textOf(w, "Text2"), "43.5");
    clickBar(left, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(textOf(w, "Text2"), "43");
    clickBar(left, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(textOf(w, "Text2"), "43.5");
    pressKey(Qt::Key_Home);
    EXPECT_EQ(textOf(w, "Text2"), "160") << "the left end";
    clickBar(left, QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(textOf(w, "Text2"), "148.5");
    dragHandle(left, 40);
    EXPECT_LT(value("Text2"), 148.5);
}

#include "base/ui/windownames.h"
#include "printing/couponlayout.h"
#include "printing/listing.h"
#include "printingtest.h"
#include "shell/ui/mainwindow.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QListView>
#include <QScrollBar>

using namespace printingtest;

// From the main window's print command to marks on the coupon and rows on screen.

TEST(PrintingRoad, OwnSystemThroughConversionOntoACoupon)
{
    TestEnv env;
    // Two two-sign and one three-sign column; twelve stored rows.
    QList<QByteArray> stored;
    for (int i = 0; i < 12; ++i)
        stored << QByteArray(1, "12"[i % 2]) + QByteArray(1, "21"[i / 2 % 2]) + QByteArray(1, "1X2"[i % 3]) +
                      "1111111111";
    writeSystem(env.path("OMA.STM"), 2, 1, stored);

    MainWindow form(env.context, env.windows);
    env.windows.setMainWindow(&form);
    form.show();
    env.dialogs.choose(env.path("OMA.STM"));
    form.runOperation("tul");
    settle();

    QWidget* conversion = openWindow(WindowName::Conversion);
    ASSERT_TRUE(conversion);
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(textOf(conversion, "Label15"), "12");
    // The first banker becomes a draw; the rest keep "1".
    typeInto(conversion, "v1_3", "X");
    click(conversion, "Command1");
    settle();

    QWidget* target = openWindow(WindowName::PrintTarget);
    ASSERT_TRUE(target);
    click(target, "Option1_2");
    click(target, "Command1");
    settle();
    QWidget* coupons = openWindow(WindowName::CouponPrint);
    ASSERT_TRUE(coupons);
    saveShot(coupons, "CouponPrintWindow_road");
    EXPECT_EQ(textOf(coupons, "monta"), "2");
    click(coupons, "jok1");
    env.printer.ops.clear();
    click(coupons, "Command1");

    // Every mark of the first coupon, where the coupon has its boxes.
    const QList<PrintOp> boxes = env.printer.filledBoxes();
    ASSERT_EQ(boxes.size(), 10 * 13 + 1);
    qsizetype b = 0;
    for (int i = 0; i < 10; ++i) {
        const Row row = rowFromText(QString::fromLatin1(stored[i].left(3)) + "X111111111");
        const double lineY[3] = {14.5 + 15 * i, 19.25 + 15 * i, 24.25 + 15 * i};
        for (int line = 0; line < 3; ++line) {
            for (int m = 1; m <= 13; ++m) {
                if (row[m - 1] != kSigns[line])
                    continue;
                ASSERT_LT(b, boxes.size());
                EXPECT_NEAR(boxes[b].x1, 92 - 5 * m, 0.005) << "row " << i + 1 << " match " << m;
                EXPECT_NEAR(boxes[b].y1, lineY[line], 0.005) << "row " << i + 1 << " match " << m;
                EXPECT_NEAR(boxes[b].x2 - boxes[b].x1, 2, 0.005);
                EXPECT_NEAR(boxes[b].y2 - boxes[b].y1, 0.8, 0.005);
                ++b;
            }
            if (i == 0 && line == 1) {
                // Joker 1 in the extra column of the first row's "X" line.
                EXPECT_NEAR(boxes[b].x1, 17, 0.005);
                EXPECT_NEAR(boxes[b].y1, 19.25, 0.005);
                ++b;
            }
        }
    }
    EXPECT_EQ(b, boxes.size());
    EXPECT_EQ(env.printer.ops.last().op, "endDoc");

    click(coupons, "Command2");
    settle();
    EXPECT_FALSE(openWindow(WindowName::CouponPrint));
    EXPECT_TRUE(form.isEnabled());
    env.windows.setMainWindow(&env.mainWindow);
}

TEST(PrintingRoad, RowsFileOnScreen)
{
    TestEnv env;
    writeRows(env.path("VIIKKO.1X2"), 25);
    MainWindow form(env.context, env.windows);
    env.windows.setMainWindow(&form);
    env.dialogs.choose(env.path("VIIKKO.1X2"));
    form.runOperation("tul");
    settle();
    QWidget* target = openWindow(WindowName::PrintTarget);
    ASSERT_TRUE(target);
    EXPECT_EQ(env.state.PrintTarget, 1);
    click(target, "Command1");
    settle();
    QWidget* list = openWindow(WindowName::ScreenListing);
    ASSERT_TRUE(list);
    click(list, "Command2");
    auto* view = control<QListView>(list, "taulu");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->model()->rowCount(), 27);
    EXPECT_EQ(view->model()->index(26, 0).data().toString(), screenListingLine(25, sampleRow(24)));
    click(list, "Command1");
    settle();
    EXPECT_TRUE(form.isEnabled());
    env.windows.setMainWindow(&env.mainWindow);
}

#include "app/painterprintdevice.h"
#include "printing/couponlayout.h"
#include "printing/listing.h"
#include "printingtest.h"
#include "support/fakes.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace printingtest;

namespace {

int pdfPages(const QByteArray& pdf)
{
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

} // namespace

TEST(PainterPrinter, PageModelStretchesThePrintableArea)
{
    QTemporaryDir dir;
    FakeMessages messages;
    PainterPrintDevice printer(dir.path(), messages);
    printer.setPdfOnly(true);

    printer.setScaleMode(6);
    EXPECT_EQ(printer.scaleMode(), 6);
    EXPECT_NEAR(printer.scaleWidth(), 202, 0.01); // A4 less the margins
    EXPECT_NEAR(printer.scaleHeight(), 289, 0.01);
    printer.setScaleMode(1);
    EXPECT_NEAR(printer.scaleWidth(), 202 / 25.4 * 1440, 0.5);

    // Setting a width or height turns the scale into user units.
    printer.setScaleMode(6);
    printer.setScaleWidth(101);
    EXPECT_EQ(printer.scaleMode(), 0);
    EXPECT_DOUBLE_EQ(printer.scaleWidth(), 101);
    EXPECT_NEAR(printer.scaleHeight(), 289, 0.01);
    printer.setScaleHeight(578);
    EXPECT_DOUBLE_EQ(printer.scaleWidth(), 101);
    // Twice as many units down the page: a line counts twice as many of them.
    const double stretched = printer.lineHeight();
    printer.setScaleMode(6);
    const double mm = printer.lineHeight();
    EXPECT_GT(mm, 4.0); // 12 point fixed-pitch text with its line gap
    EXPECT_LT(mm, 6.0);
    EXPECT_NEAR(stretched, 2 * mm, 0.001);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(PainterPrinter, ACouponBecomesAPdfFileTheUserIsToldAbout)
{
    QTemporaryDir dir;
    FakeMessages messages;
    PainterPrintDevice printer(dir.path(), messages);
    printer.setPdfOnly(true);

    printer.setScaleMode(6);
    printer.setScaleWidth(202);
    printer.setScaleHeight(297);
    CouponOptions options;
    options.joker1 = true;
    options.weeks = CouponWeeks::Five;
    for (const CouponMark& m : couponMarks(sampleRows(10), 10, 1, CouponCalibration{}, options))
        printer.box(m.x, m.y, m.x + kMarkWidth, m.y + kMarkHeight, true);
    EXPECT_FALSE(printer.failed());
    printer.endDoc();

    const QString pdf = printer.lastPdf();
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_EQ(QFileInfo(pdf).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    const QByteArray bytes = readBytes(pdf);
    EXPECT_GT(bytes.size(), 500);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(pdfPages(bytes), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QDir::toNativeSeparators(pdf)));
    EXPECT_EQ(messages.shown[0].flags, Messages::Information);

    // The next document gets a file of its own.
    printer.box(10, 10, 12, 11, true);
    printer.endDoc();
    EXPECT_NE(printer.lastPdf(), pdf);
    EXPECT_TRUE(QFile::exists(pdf));
    if (const QString shots = qEnvironmentVariable("RK_SHOT_DIR"); !shots.isEmpty())
        QFile::copy(pdf, shots + "/coupon.pdf");
}

TEST(PainterPrinter, ListingsRunOntoNewPagesAndCancelledDocumentsLeaveNothing)
{
    QTemporaryDir dir;
    FakeMessages messages;
    PainterPrintDevice printer(dir.path(), messages);
    printer.setPdfOnly(true);

    printer.setFont("Courier New", 12, false);
    const QList<QStringList> pages = paperListingPages(sampleRows(51), 51, "RIVIT.1X2");
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        for (const QString& line : pages[p])
            printer.print(line);
    }
    // Far more lines than a page holds spill over instead of vanishing.
    printer.newPage();
    for (int i = 0; i < 80; ++i)
        printer.print(QString("rivi %1").arg(i));
    printer.endDoc();
    const QByteArray bytes = readBytes(printer.lastPdf());
    EXPECT_EQ(pdfPages(bytes), 4);
    if (const QString shots = qEnvironmentVariable("RK_SHOT_DIR"); !shots.isEmpty())
        QFile::copy(printer.lastPdf(), shots + "/listing.pdf");

    messages.shown.clear();
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    printer.print("pois");
    printer.killDoc();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(printer.failed());
}

TEST(PainterPrinter, APdfByChoiceIsAFileTheUserNamesForEveryPrintOut)
{
    QTemporaryDir dir;
    FakeMessages messages;
    FakeFileDialogs dialogs;
    PainterPrintDevice printer(dir.path(), messages, &dialogs);
    printer.choosePdf("lista.pdf");
    const QString pdf = dir.filePath("omat/lista.pdf");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("omat")));

    dialogs.choose(pdf);
    printer.print("rivi 1");
    printer.print("rivi 2");
    printer.endDoc();
    EXPECT_FALSE(printer.failed());
    ASSERT_EQ(dialogs.saved.size(), 1);
    EXPECT_EQ(dialogs.saved[0].title, "Tallenna tuloste PDF-tiedostoksi");
    EXPECT_EQ(dialogs.saved[0].fileName, "lista.pdf");
    EXPECT_TRUE(readBytes(pdf).startsWith("%PDF"));
    EXPECT_EQ(messages.lastText(), "Tuloste tallennettiin tiedostoon\r\n" + QDir::toNativeSeparators(pdf));
    EXPECT_EQ(entriesOf(dir.filePath("omat")), QStringList{"lista.pdf"});
    // The printer dialog offers no scratch file that went with the print-out.
    EXPECT_EQ(printer.offeredOutputFile(), QString());

    // Cancelled at the name: asked once, nothing written, nothing more to tell.
    const QByteArray first = readBytes(pdf);
    messages.shown.clear();
    printer.print("a");
    printer.print("b");
    EXPECT_TRUE(printer.failed());
    EXPECT_TRUE(printer.cancelled());
    printer.killDoc();
    printer.endDoc();
    EXPECT_TRUE(printer.cancelled());
    EXPECT_EQ(dialogs.saved.size(), 2);
    EXPECT_EQ(dialogs.saved[1].directory, dir.filePath("omat"));
    EXPECT_TRUE(messages.shown.isEmpty());

    // The same name again replaces the file only when the user says so.
    dialogs.choose(pdf);
    messages.answerNext(Messages::No);
    printer.print("c");
    EXPECT_TRUE(printer.cancelled());
    printer.killDoc();
    printer.endDoc();
    EXPECT_EQ(readBytes(pdf), first);
    dialogs.choose(pdf);
    messages.answerNext(Messages::Yes);
    printer.print("c");
    printer.newPage();
    printer.print("d");
    printer.endDoc();
    EXPECT_FALSE(printer.cancelled());
    EXPECT_EQ(pdfPages(readBytes(pdf)), 2);
    EXPECT_EQ(entriesOf(dir.filePath("omat")), QStringList{"lista.pdf"});
}

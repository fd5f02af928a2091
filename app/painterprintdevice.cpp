#include "app/painterprintdevice.h"

#include "base/boundedread.h"
#include "base/platformpaths.h"
#include "base/safewrite.h"
#include "base/textformat.h"
#include "base/texts.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <limits>

PainterPrintDevice::PainterPrintDevice(QString programDir, Messages& messages, FileDialogs* dialogs,
                                       QString outputFolder)
    : programDir_(std::move(programDir)), outputFolder_(std::move(outputFolder)), messages_(messages), dialogs_(dialogs)
{
    setFont(Texts::ListingFont, 12, false);
}

PainterPrintDevice::~PainterPrintDevice()
{
    if (painter_)
        killDoc();
}

bool PainterPrintDevice::available()
{
    // Without a printer the program prints into a PDF file, so printing always works.
    return true;
}

namespace {

// A PDF file has no hardware margins; these leave the 202 mm printable width
// of the ink-jet printer the coupon calibration defaults were made for.
const QMarginsF kPdfMarginsMm(4, 4, 4, 4);

bool printerExists(const QString& name)
{
    return QPrinterInfo::availablePrinterNames().contains(name);
}

} // namespace

QPrinter& PainterPrintDevice::printer() const
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName(kMainTitle);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        chooseTarget();
    }
    return *printer_;
}

void PainterPrintDevice::chooseTarget() const
{
    QPrinter& p = *printer_;
    QString name;
    if (!forcePdf_ && !pdfByChoice_) {
        if (!printerName_.isEmpty() && printerExists(printerName_))
            name = printerName_;
        else if (const QPrinterInfo standard = QPrinterInfo::defaultPrinter(); !standard.isNull())
            name = standard.printerName();
        else if (const QStringList names = QPrinterInfo::availablePrinterNames(); !names.isEmpty())
            name = names.first();
    }
    toPdf_ = name.isEmpty();
    if (toPdf_) {
        if (p.outputFormat() != QPrinter::PdfFormat)
            p.setOutputFormat(QPrinter::PdfFormat);
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setPageMargins(kPdfMarginsMm, QPageLayout::Millimeter);
    } else {
        if (p.outputFormat() != QPrinter::NativeFormat)
            p.setOutputFormat(QPrinter::NativeFormat);
        if (p.printerName() != name)
            p.setPrinterName(name);
    }
}

QString PainterPrintDevice::offeredOutputFile() const
{
    return printer().outputFileName();
}

bool PainterPrintDevice::setup()
{
    if (painter_)
        return false;
    QPrinter& p = printer();
    QPrintDialog dialog(&p, QApplication::activeWindow());
    dialog.setWindowTitle("Valitse kirjoitin");
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (p.outputFormat() == QPrinter::PdfFormat) {
        // Each print-out is named when it is printed, in the folder chosen here.
        choosePdf();
        if (!p.outputFileName().isEmpty())
            pdfFolder_ = QFileInfo(p.outputFileName()).absolutePath();
    } else {
        pdfByChoice_ = false;
        printerName_ = p.printerName();
    }
    return true;
}

void PainterPrintDevice::choosePdf(const QString& suggestedName)
{
    pdfByChoice_ = true;
    printerName_.clear();
    pdfSuggestion_ = suggestedName;
}

QString PainterPrintDevice::askPdfName()
{
    FileDialogRequest request;
    request.title = "Tallenna tuloste PDF-tiedostoksi";
    request.filter = "PDF-tiedostot (*.pdf)|*.pdf";
    request.defaultExt = ".pdf";
    // At first the dialog starts where the player's own files are.
    request.directory = pdfFolder_;
    request.fileName = pdfSuggestion_.isEmpty()
                           ? "Tuloste-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss") + ".pdf"
                           : pdfSuggestion_;
    // The print-out runs under the hourglass; the dialog is the user's turn.
    int hourglasses = 0;
    for (; QApplication::overrideCursor() && hourglasses < 16; ++hourglasses)
        QApplication::restoreOverrideCursor();
    QString path = dialogs_->saveFile(request);
    replacePdf_ = false;
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        replacePdf_ =
            messages_.show(QString::fromUtf8(Texts::FileExistsReplace).arg(QFileInfo(path).fileName()),
                           Messages::YesNo | Messages::Question | Messages::DefaultButton2, "Tulosta") == Messages::Yes;
        if (!replacePdf_)
            path.clear();
    }
    for (int i = 0; i < hourglasses; ++i)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!programDir_.isEmpty())
        QDir::setCurrent(programDir_);
    if (!path.isEmpty()) {
        pdfFolder_ = QFileInfo(path).absolutePath();
        pdfSuggestion_.clear();
    }
    return path;
}

QRectF PainterPrintDevice::paintRectMm() const
{
    return printer().pageLayout().paintRect(QPageLayout::Millimeter);
}

double PainterPrintDevice::unitsPerMm(int mode) const
{
    switch (mode) {
    case 2: // points
        return 72 / 25.4;
    case 3: // device dots
        return printer().resolution() / 25.4;
    case 5: // inches
        return 1 / 25.4;
    case 6:
        return 1;
    case 7: // centimetres
        return 0.1;
    default: // twips
        return 1440 / 25.4;
    }
}

void PainterPrintDevice::setScaleMode(int mode)
{
    if (mode == 0) {
        // Keeps the current scale as user units.
        userWidth_ = scaleWidth();
        userHeight_ = scaleHeight();
    }
    mode_ = mode;
}

double PainterPrintDevice::scaleWidth() const
{
    return mode_ == 0 ? userWidth_ : paintRectMm().width() * unitsPerMm(mode_);
}

double PainterPrintDevice::scaleHeight() const
{
    return mode_ == 0 ? userHeight_ : paintRectMm().height() * unitsPerMm(mode_);
}

void PainterPrintDevice::setScaleWidth(double width)
{
    if (!(width > 0))
        return;
    const double height = scaleHeight();
    mode_ = 0;
    userWidth_ = width;
    userHeight_ = height;
}

void PainterPrintDevice::setScaleHeight(double height)
{
    if (!(height > 0))
        return;
    const double width = scaleWidth();
    mode_ = 0;
    userWidth_ = width;
    userHeight_ = height;
}

double PainterPrintDevice::userToMmX() const
{
    return mode_ == 0 ? paintRectMm().width() / userWidth_ : 1 / unitsPerMm(mode_);
}

double PainterPrintDevice::userToMmY() const
{
    return mode_ == 0 ? paintRectMm().height() / userHeight_ : 1 / unitsPerMm(mode_);
}

void PainterPrintDevice::setFont(const QString& family, double pointSize, bool bold)
{
    QFont font(family);
    // "Liberation Mono" has the metrics of "Courier New" where that is missing.
    font.setFamilies({family, Texts::ListingFontStandIn, Texts::ListingFontLastStandIn, "Courier"});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize > 0 ? pointSize : 12);
    font.setBold(bold);
    font_ = font;
    if (painter_)
        painter_->setFont(font_);
}

double PainterPrintDevice::lineHeight() const
{
    const QFontMetricsF metrics(font_, &printer());
    const double mm = metrics.height() * 25.4 / printer().resolution();
    return mm / userToMmY();
}

QPointF PainterPrintDevice::toDevice(double x, double y) const
{
    const double dotsPerMm = printer().resolution() / 25.4;
    return {x * userToMmX() * dotsPerMm, y * userToMmY() * dotsPerMm};
}

bool PainterPrintDevice::begin()
{
    if (painter_)
        return !failed_;
    if (givenUp_)
        return false;
    QPrinter& p = printer();
    chooseTarget();
    pdfPath_.clear();
    replacePdf_ = false;
    failed_ = false;
    cancelled_ = false;
    if (toPdf_) {
        if (pdfByChoice_ && dialogs_) {
            pdfPath_ = askPdfName();
            if (pdfPath_.isEmpty()) {
                givenUp_ = true;
                cancelled_ = true;
                failed_ = true;
                return false;
            }
        } else {
            const QString folder = outputFolder_.isEmpty() ? programDir_ : outputFolder_;
            QDir().mkpath(folder);
            const QDir dir(folder);
            const QString stem = "Tuloste-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
            pdfPath_ = dir.filePath(stem + ".pdf");
            for (int n = 2; QFile::exists(pdfPath_); ++n)
                pdfPath_ = dir.filePath(QString("%1-%2.pdf").arg(stem).arg(n));
        }
        outputBeforeWork_ = p.outputFileName();
        pdfWork_ = std::make_unique<QTemporaryDir>(scratchFolderTemplate());
        if (!pdfWork_->isValid()) {
            failed_ = true;
            return false;
        }
        p.setOutputFileName(pdfWork_->filePath("tuloste.pdf"));
    } else {
        p.setOutputFileName(QString());
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&p)) {
        failed_ = true;
        return false;
    }
    painter_->setFont(font_);
    return true;
}

void PainterPrintDevice::box(double x1, double y1, double x2, double y2, bool filled)
{
    if (!begin())
        return;
    const QRectF rect(toDevice(std::min(x1, x2), std::min(y1, y2)), toDevice(std::max(x1, x2), std::max(y1, y2)));
    if (filled) {
        painter_->fillRect(rect, Qt::black);
    } else {
        QPen pen(Qt::black);
        pen.setWidthF(printer().resolution() / 25.4 * 0.25);
        painter_->setPen(pen);
        painter_->setBrush(Qt::NoBrush);
        painter_->drawRect(rect);
    }
}

void PainterPrintDevice::print(const QString& text)
{
    if (!begin())
        return;
    // A line that would run off the bottom goes onto a new page, as on paper.
    if (y_ > 0 && y_ + lineHeight() > scaleHeight() * 1.0001)
        newPage();
    if (failed_)
        return;
    painter_->setPen(Qt::black);
    const QFontMetricsF metrics(font_, &printer());
    const QPointF at = toDevice(x_, y_);
    painter_->drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
    x_ = 0;
    y_ += lineHeight();
}

void PainterPrintDevice::newPage()
{
    if (!begin())
        return;
    if (!printer().newPage())
        failed_ = true;
    x_ = 0;
    y_ = 0;
}

void PainterPrintDevice::finishDocument(bool send)
{
    bool ended = true;
    if (painter_ && painter_->isActive())
        ended = painter_->end();
    failed_ = !ended;
    if (send && ended && !pdfPath_.isEmpty() && pdfWork_) {
        // The finished document takes its name as any file of the user's does.
        Outcome<> written = fileFailure(Cause::Failed);
        const BoundedRead pdf = readAtMost(printer().outputFileName(), std::numeric_limits<qint64>::max() - 1);
        if (pdf)
            written = replacePdf_ ? replaceFile(pdfPath_, *pdf) : createNewFile(pdfPath_, *pdf);
        if (written) {
            lastPdf_ = pdfPath_;
            const QString lead =
                forcePdf_ || pdfByChoice_
                    ? QStringLiteral("Tuloste tallennettiin tiedostoon")
                    : QStringLiteral("Kirjoitinta ei löytynyt, joten tuloste tallennettiin tiedostoon");
            messages_.show(lead + kLineBreak + QDir::toNativeSeparators(pdfPath_), Messages::Information);
        } else {
            failed_ = true;
            messages_.show(written.failure().message, Messages::Critical);
        }
    }
    if (!send)
        failed_ = false;
    painter_.reset();
    if (pdfWork_) {
        printer().setOutputFileName(outputBeforeWork_);
        pdfWork_.reset();
    }
    pdfPath_.clear();
    x_ = 0;
    y_ = 0;
}

void PainterPrintDevice::endDoc()
{
    if (!painter_) {
        // A document given up before it began leaves its verdict for the caller.
        if (!givenUp_)
            failed_ = false;
        givenUp_ = false;
        return;
    }
    finishDocument(true);
}

void PainterPrintDevice::killDoc()
{
    if (!painter_) {
        givenUp_ = false;
        return;
    }
    if (painter_->isActive())
        printer().abort();
    finishDocument(false);
}

#include "app/realservices.h"

#include "base/platformpaths.h"
#include "base/textformat.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>
#include <chrono>

int BoxMessages::show(const QString& text, int flags, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QString(kProgramTitle) : title);
    box.setText(QString(text).replace("\r\n", "\n"));
    switch (flags & 0x70) {
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    if ((flags & 7) == YesNo) {
        QPushButton* yes = box.addButton("&Kyllä", QMessageBox::YesRole);
        QPushButton* no = box.addButton("&Ei", QMessageBox::NoRole);
        box.setDefaultButton((flags & DefaultButton2) ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Yes : No;
    }
    box.addButton("OK", QMessageBox::AcceptRole);
    box.exec();
    return Ok;
}

static QString runDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.directory, qtFileFilter(request.filter));
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        // The program asks about an existing name itself, in its own words.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        QString suffix = request.defaultExt;
        if (suffix.startsWith('.'))
            suffix.remove(0, 1);
        dialog.setDefaultSuffix(suffix);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString DialogFileDialogs::openFile(const FileDialogRequest& request)
{
    return runDialog(request, false);
}

QString DialogFileDialogs::saveFile(const FileDialogRequest& request)
{
    return runDialog(request, true);
}

EffectSound::EffectSound() = default;
EffectSound::~EffectSound() = default;

void EffectSound::play(int number)
{
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl(QString("qrc:/RK_SOUND/%1").arg(number)));
    effect_->play();
    QCoreApplication::processEvents();
}

bool ProcessLauncher::start(const QString& program, const QStringList& arguments, int windowStyle)
{
    Q_UNUSED(windowStyle);
    if (program.trimmed().isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

TimerRandom::TimerRandom()
{
    std::random_device device;
    engine_.seed((quint64(device()) << 32) ^ device());
}

double TimerRandom::next()
{
    return std::generate_canonical<double, 53>(engine_);
}

void TimerRandom::reseed()
{
    engine_.seed(quint64(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

// ---------------------------------------------------------------------------

PainterPrintDevice::PainterPrintDevice(QString programDir, Messages& messages)
    : programDir_(std::move(programDir)), messages_(messages)
{
    setFont("Courier New", 12, false);
    scaleMode_ = 1;
    scaleWidth_ = printableWidthMm() * 1440 / 25.4;
    scaleHeight_ = printableHeightMm() * 1440 / 25.4;
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

bool PainterPrintDevice::setup()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName_.isEmpty())
        printer.setPrinterName(printerName_);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle("Valitse kirjoitin");
    if (dialog.exec() != QDialog::Accepted)
        return false;
    pdfOnly_ = printer.outputFormat() == QPrinter::PdfFormat;
    printerName_ = pdfOnly_ ? QString() : printer.printerName();
    return true;
}

void PainterPrintDevice::setScaleMode(int mode)
{
    scaleMode_ = mode;
    const double unitsPerMm = mode == 6 ? 1.0 : mode == 7 ? 0.1 : 1440 / 25.4;
    scaleWidth_ = printableWidthMm() * unitsPerMm;
    scaleHeight_ = printableHeightMm() * unitsPerMm;
}

double PainterPrintDevice::printableWidthMm() const
{
    if (printer_)
        return printer_->pageLayout().paintRect(QPageLayout::Millimeter).width();
    return 200;
}

double PainterPrintDevice::printableHeightMm() const
{
    if (printer_)
        return printer_->pageLayout().paintRect(QPageLayout::Millimeter).height();
    return 287;
}

void PainterPrintDevice::setFont(const QString& family, double pointSize, bool bold)
{
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontDatabase::families().contains(family))
        font.setFamilies({family, "Liberation Mono", "DejaVu Sans Mono", "Courier"});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font_ = font;
    if (painter_)
        painter_->setFont(font_);
}

double PainterPrintDevice::lineHeight() const
{
    double mm = font_.pointSizeF() * 25.4 / 72.0 * 1.15;
    if (printer_) {
        const QFontMetricsF metrics(font_, printer_.get());
        mm = metrics.height() * 25.4 / printer_->resolution();
    }
    return mm * scaleHeight_ / printableHeightMm();
}

QPointF PainterPrintDevice::toDevice(double x, double y) const
{
    const double dotsPerMm = printer_->resolution() / 25.4;
    return {x / scaleWidth_ * printableWidthMm() * dotsPerMm, y / scaleHeight_ * printableHeightMm() * dotsPerMm};
}

bool PainterPrintDevice::begin()
{
    if (painter_)
        return !failed_;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setDocName(kMainTitle);
    const bool havePrinter = !QPrinterInfo::availablePrinters().isEmpty();
    if (!pdfOnly_ && !printerName_.isEmpty()) {
        printer_->setPrinterName(printerName_);
    } else if (pdfOnly_ || !havePrinter) {
        pdfPath_ = QDir(programDir_).filePath(
            QString("Tuloste-%1.pdf").arg(QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss")));
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfPath_);
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
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
        pen.setWidthF(printer_->resolution() / 25.4 * 0.25);
        painter_->setPen(pen);
        painter_->setBrush(Qt::NoBrush);
        painter_->drawRect(rect);
    }
}

void PainterPrintDevice::print(const QString& text)
{
    if (!begin())
        return;
    painter_->setPen(Qt::black);
    const QFontMetricsF metrics(font_, printer_.get());
    const QPointF at = toDevice(x_, y_);
    painter_->drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
    x_ = 0;
    y_ += lineHeight();
}

void PainterPrintDevice::newPage()
{
    if (!begin())
        return;
    if (!printer_->newPage())
        failed_ = true;
    x_ = 0;
    y_ = 0;
}

void PainterPrintDevice::finishDocument(bool send)
{
    if (painter_ && painter_->isActive())
        painter_->end();
    if (send && !pdfPath_.isEmpty() && QFile::exists(pdfPath_)) {
        lastPdf_ = pdfPath_;
        messages_.show("Kirjoitinta ei löytynyt, joten tuloste tallennettiin tiedostoon" + QString(kLineBreak) +
                           QDir::toNativeSeparators(pdfPath_),
                       Messages::Information);
    } else if (!send && !pdfPath_.isEmpty()) {
        QFile::remove(pdfPath_);
    }
    painter_.reset();
    printer_.reset();
    pdfPath_.clear();
    x_ = 0;
    y_ = 0;
    failed_ = false;
}

void PainterPrintDevice::endDoc()
{
    if (!painter_)
        return;
    finishDocument(true);
}

void PainterPrintDevice::killDoc()
{
    if (!painter_)
        return;
    printer_->abort();
    finishDocument(false);
}

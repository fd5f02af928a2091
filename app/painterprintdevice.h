#pragma once

#include "base/services.h"

#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class QTemporaryDir;

// Prints with QPainter on the printer chosen with setup(), else the system's
// default printer; on a machine without a printer into a PDF file in the
// program directory, whose name the user is told. Choosing "print to a file"
// in the printer dialog makes every later print-out a PDF file the user names
// when the print-out begins. PDF files are written through the safe-write
// path. The page model is that of the printable area: standard units (twips,
// points, device dots, inches, millimetres, centimetres) or, once ScaleWidth
// or ScaleHeight is set, user units that stretch the printable area to the
// given width and height.
class PainterPrintDevice : public PrintDevice {
public:
    // Without `dialogs` a PDF by choice is named as one without a printer is.
    // A print-out without a printer goes into `outputFolder` (the program
    // directory when none is given), under a name of its own.
    PainterPrintDevice(QString programDir, Messages& messages, FileDialogs* dialogs = nullptr,
                       QString outputFolder = QString());
    ~PainterPrintDevice() override;

    bool available() override;
    bool setup() override;
    int scaleMode() const override { return mode_; }
    void setScaleMode(int mode) override;
    double scaleWidth() const override;
    void setScaleWidth(double width) override;
    double scaleHeight() const override;
    void setScaleHeight(double height) override;
    double currentX() const override { return x_; }
    void setCurrentX(double x) override { x_ = x; }
    double currentY() const override { return y_; }
    void setCurrentY(double y) override { y_ = y; }
    void setFont(const QString& family, double pointSize, bool bold) override;
    double lineHeight() const override;
    void box(double x1, double y1, double x2, double y2, bool filled) override;
    void print(const QString& text) override;
    void newPage() override;
    void endDoc() override;
    void killDoc() override;
    bool failed() const override { return failed_; }
    bool cancelled() const override { return cancelled_; }

    // The PDF file the last document went to, when it went to one.
    QString lastPdf() const { return lastPdf_; }
    // Prints into a PDF file in the program directory even when a printer exists.
    void setPdfOnly(bool pdfOnly) { forcePdf_ = pdfOnly; }
    // Every print-out becomes a PDF file the user names, the first one offered
    // as `suggestedName`: what choosing to print to a file in setup() does.
    void choosePdf(const QString& suggestedName = QString());
    bool pdfByChoice() const { return pdfByChoice_; }
    // The file the printer dialog of setup() offers: never the scratch file a
    // print-out was painted into, which is gone once the print-out is.
    QString offeredOutputFile() const;

private:
    QPrinter& printer() const;
    // Points the printer at the chosen or default printer, or at a PDF file.
    void chooseTarget() const;
    bool begin();
    // The PDF file the user names for the next document, "" when cancelled.
    QString askPdfName();
    void finishDocument(bool send);
    QPointF toDevice(double x, double y) const;
    QRectF paintRectMm() const;
    double unitsPerMm(int mode) const;
    double userToMmX() const;
    double userToMmY() const;

    QString programDir_;
    QString outputFolder_;
    Messages& messages_;
    FileDialogs* dialogs_ = nullptr;
    QString printerName_; // chosen with setup(); "" for the default printer
    bool pdfByChoice_ = false;
    QString pdfSuggestion_; // the name the next PDF by choice is offered under
    QString pdfFolder_;     // where the last one went
    bool forcePdf_ = false;
    mutable std::unique_ptr<QPrinter> printer_;
    mutable bool toPdf_ = false;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QTemporaryDir> pdfWork_; // the document is painted here first
    QString outputBeforeWork_;               // what the printer named before it
    QString pdfPath_;                        // then takes this name
    bool replacePdf_ = false;                // the user agreed to replace that file
    QString lastPdf_;
    QFont font_;
    int mode_ = 1; // 0 user units
    double userWidth_ = 0;
    double userHeight_ = 0;
    double x_ = 0;
    double y_ = 0;
    bool failed_ = false;
    bool cancelled_ = false;
    bool givenUp_ = false; // the current document was cancelled; it asks no more
};

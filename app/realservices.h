#pragma once

#include "base/services.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <memory>
#include <random>

class QPainter;
class QPrinter;
class QSoundEffect;

// The services as the running program has them.

class BoxMessages : public Messages {
public:
    int show(const QString& text, int flags = OkOnly, const QString& title = QString()) override;
};

class DialogFileDialogs : public FileDialogs {
public:
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
};

class EffectSound : public Sound {
public:
    EffectSound();
    ~EffectSound() override;
    void play(int number) override;

private:
    // One program-wide sound: the next one replaces it.
    std::unique_ptr<QSoundEffect> effect_;
};

class ProcessLauncher : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments, int windowStyle) override;
};

class SystemClock : public Clock {
public:
    QDate today() const override;
};

class TimerRandom : public Random {
public:
    TimerRandom();
    double next() override;
    void reseed() override;

private:
    std::mt19937_64 engine_;
};

// Prints with QPainter on the printer chosen with setup(), else the system's
// default printer; on a machine without a printer into a PDF file in the
// program directory, whose name the user is told.
class PainterPrintDevice : public PrintDevice {
public:
    PainterPrintDevice(QString programDir, Messages& messages);
    ~PainterPrintDevice() override;

    bool available() override;
    bool setup() override;
    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int mode) override;
    double scaleWidth() const override { return scaleWidth_; }
    void setScaleWidth(double width) override { scaleWidth_ = width > 0 ? width : scaleWidth_; }
    double scaleHeight() const override { return scaleHeight_; }
    void setScaleHeight(double height) override { scaleHeight_ = height > 0 ? height : scaleHeight_; }
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

    // The PDF file the last document went to, when there was no printer.
    QString lastPdf() const { return lastPdf_; }
    // Forces printing into a PDF file (tests, machines without printers).
    void setPdfOnly(bool pdfOnly) { pdfOnly_ = pdfOnly; }

private:
    bool begin();
    void finishDocument(bool send);
    QPointF toDevice(double x, double y) const;
    double printableWidthMm() const;
    double printableHeightMm() const;

    QString programDir_;
    Messages& messages_;
    QString printerName_;
    bool pdfOnly_ = false;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QString pdfPath_;
    QString lastPdf_;
    QFont font_;
    int scaleMode_ = 1;
    double scaleWidth_ = 0;
    double scaleHeight_ = 0;
    double x_ = 0;
    double y_ = 0;
    bool failed_ = false;
};

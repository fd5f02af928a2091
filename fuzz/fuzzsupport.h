#pragma once

#include "base/services.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

// What every fuzz target shares: the Qt application object, a private folder
// for the files a target hands to the program, and a printer that only keeps
// the lines. Folders live in memory where the system offers it, so the
// program's flushes to disk do not set the pace.

// Makes the application object once; call from LLVMFuzzerInitialize.
void startFuzzApplication(int* argc, char*** argv);

// An empty folder of this process, made on first use and removed at exit.
QString fuzzFolder();
// Writes `bytes` as `name` in fuzzFolder(), replacing what was there; the path.
QString writeFuzzFile(const QString& name, const QByteArray& bytes);
// Removes everything in fuzzFolder() but `keep`.
void clearFuzzFolder(const QStringList& keep = {});

inline QByteArray fuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A broken promise of the program: prints `what` and aborts, so libFuzzer
// keeps the input.
[[noreturn]] void fuzzFailure(const char* what);
inline void fuzzExpect(bool condition, const char* what)
{
    if (!condition)
        fuzzFailure(what);
}

// A printer that never fails and keeps what would be printed.
class KeepingPrinter : public PrintDevice {
public:
    QStringList lines;
    int pages = 1;
    bool ended = false;

    bool available() override { return true; }
    bool setup() override { return true; }
    int scaleMode() const override { return mode_; }
    void setScaleMode(int mode) override { mode_ = mode; }
    double scaleWidth() const override { return 210; }
    void setScaleWidth(double) override {}
    double scaleHeight() const override { return 297; }
    void setScaleHeight(double) override {}
    double currentX() const override { return x_; }
    void setCurrentX(double x) override { x_ = x; }
    double currentY() const override { return y_; }
    void setCurrentY(double y) override { y_ = y; }
    void setFont(const QString&, double, bool) override {}
    double lineHeight() const override { return 5; }
    void box(double, double, double, double, bool) override {}
    void print(const QString& text) override
    {
        lines << text;
        x_ = 0;
        y_ += lineHeight();
    }
    void newPage() override
    {
        ++pages;
        y_ = 0;
    }
    void endDoc() override { ended = true; }
    void killDoc() override {}
    bool failed() const override { return false; }

private:
    int mode_ = 1;
    double x_ = 0;
    double y_ = 0;
};

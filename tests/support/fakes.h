#pragma once

#include "base/services.h"

#include <QDate>
#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <Qt>
#include <functional>
#include <random>
#include <vector>

// Fakes of the services: they record what the program asked for and answer
// what the test told them to.

struct ShownMessage {
    QString text;
    int flags = 0;
    QString title;
};

class FakeMessages : public Messages {
public:
    int show(const QString& text, int flags = OkOnly, const QString& title = QString()) override;
    // From now on every message is shown as the program shows it, in a real
    // modal box whose own event loop runs while it is up (timers fire, a held
    // scroll bar repeats), and answered by pressing `key` into the box
    // `afterMs` later: Enter takes the default button, Escape the "Ei".
    void answerBoxesWith(Qt::Key key, int afterMs = 0);
    int boxesOpen = 0;     // real boxes up at this moment
    int mostBoxesOpen = 0; // the most that were up at once (one inside another's loop)
    // Beyond this many real boxes a run has gone wild; no more are opened.
    static constexpr int kRunawayBoxes = 12;
    // The answer to the next question (Yes/No boxes); unanswered questions get `defaultAnswer`.
    void answerNext(int answer) { answers_.enqueue(answer); }
    int defaultAnswer = Yes;
    QList<ShownMessage> shown;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QStringList texts() const;
    // Called for every message (a test may act on the window while the box would be open).
    std::function<void(const ShownMessage&)> onShow;

private:
    QQueue<int> answers_;
    bool realBoxes_ = false;
    Qt::Key answerKey_ = Qt::Key_Return;
    int answerAfterMs_ = 0;
};

class FakeFileDialogs : public FileDialogs {
public:
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    // The paths the next dialogs return; "" stands for cancel. With none queued, dialogs cancel.
    void choose(const QString& path) { paths_.enqueue(path); }
    QList<FileDialogRequest> opened;
    QList<FileDialogRequest> saved;

private:
    QQueue<QString> paths_;
};

// One recorded printer operation. A printed line starts at (x1, y1) and
// reaches down to y2.
struct PrintOp {
    QString op; // "font", "box", "fill", "print", "newPage", "endDoc", "killDoc", "scale"
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString text;
};

// Where a printed line landed: its page of the document (from 1), its top and bottom.
struct PrintedLine {
    int page = 1;
    double top = 0;
    double bottom = 0;
    QString text;
};

class FakePrintDevice : public PrintDevice {
public:
    bool available() override { return reachable; }
    bool setup() override;
    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int mode) override;
    double scaleWidth() const override { return scaleWidth_; }
    void setScaleWidth(double width) override;
    double scaleHeight() const override { return scaleHeight_; }
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

    bool reachable = true;
    // The user cancels every document at its first operation (as at the PDF file's name).
    bool userCancels = false;
    bool setupAccepted = true;
    // Millimetres per text line in the millimetre scale, when set: printers
    // and fonts differ (the default is a 12-point line of "Courier New").
    double lineHeightMm = 0;
    int setupCalls = 0;
    // Operations from this index on fail (-1: none fail).
    int failFrom = -1;
    QList<PrintOp> ops;
    // The printed text lines of the whole document, pages separated by "\f".
    QStringList printedLines() const;
    QList<PrintOp> filledBoxes() const;
    // Every printed line with the place it landed.
    QList<PrintedLine> placedLines() const;
    // The lines that reach down into the footer of their page (the line `footer`).
    QStringList linesOverFooter(const QString& footer) const;
    int pages() const; // pages of ended documents

private:
    void record(PrintOp op);
    int scaleMode_ = 1;
    double scaleWidth_ = 11906; // an A4 page in twips
    double scaleHeight_ = 16838;
    double x_ = 0, y_ = 0;
    double pointSize_ = 10;
    bool failed_ = false;
    bool cancelled_ = false;
};

class FakeSound : public Sound {
public:
    void play(int number) override { played << number; }
    QList<int> played;
};

struct LaunchRecord {
    QString program;
    QStringList arguments;
    int windowStyle = 0;
};

class FakeLauncher : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments, int windowStyle) override;
    bool succeed = true;
    QList<LaunchRecord> started;
};

class FakeClock : public Clock {
public:
    QDate today() const override { return date; }
    QDate date{2026, 12, 8};
};

class FakeRandom : public Random {
public:
    explicit FakeRandom(quint64 seed = 12345) : engine_(seed) {}
    double next() override { return std::generate_canonical<double, 53>(engine_); }
    void reseed() override { ++reseeds; }
    void seed(quint64 s) { engine_.seed(s); }
    int reseeds = 0;

private:
    std::mt19937_64 engine_;
};

#include "support/fakes.h"

#include "app/realservices.h"

#include <QApplication>
#include <QHash>
#include <QTest>
#include <QTimer>
#include <QWidget>

int FakeMessages::show(const QString& text, int flags, const QString& title)
{
    ShownMessage message{text, flags, title};
    shown << message;
    if (onShow)
        onShow(message);
    if (realBoxes_ && shown.size() <= kRunawayBoxes) {
        const Qt::Key key = answerKey_;
        QTimer::singleShot(answerAfterMs_, qApp, [key] {
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, key);
        });
        ++boxesOpen;
        mostBoxesOpen = std::max(mostBoxesOpen, boxesOpen);
        BoxMessages boxes;
        const int answer = boxes.show(text, flags, title);
        --boxesOpen;
        return answer;
    }
    if ((flags & 7) == YesNo)
        return answers_.isEmpty() ? defaultAnswer : answers_.dequeue();
    return Ok;
}

void FakeMessages::answerBoxesWith(Qt::Key key, int afterMs)
{
    realBoxes_ = true;
    answerKey_ = key;
    answerAfterMs_ = afterMs;
}

QStringList FakeMessages::texts() const
{
    QStringList out;
    for (const auto& m : shown)
        out << m.text;
    return out;
}

QString FakeFileDialogs::openFile(const FileDialogRequest& request)
{
    opened << request;
    return paths_.isEmpty() ? QString() : paths_.dequeue();
}

QString FakeFileDialogs::saveFile(const FileDialogRequest& request)
{
    saved << request;
    return paths_.isEmpty() ? QString() : paths_.dequeue();
}

bool FakePrintDevice::setup()
{
    ++setupCalls;
    return setupAccepted;
}

void FakePrintDevice::record(PrintOp op)
{
    if (failFrom >= 0 && ops.size() >= failFrom)
        failed_ = true;
    if (userCancels && op.op != "endDoc" && op.op != "killDoc")
        failed_ = cancelled_ = true;
    ops << op;
}

void FakePrintDevice::setScaleMode(int mode)
{
    scaleMode_ = mode;
    if (mode == 6) {
        scaleWidth_ = 210;
        scaleHeight_ = 297;
    }
    record({"scaleMode", double(mode), 0, 0, 0, {}});
}

void FakePrintDevice::setScaleWidth(double width)
{
    scaleWidth_ = width;
    record({"scaleWidth", width, 0, 0, 0, {}});
}

void FakePrintDevice::setScaleHeight(double height)
{
    scaleHeight_ = height;
    record({"scaleHeight", height, 0, 0, 0, {}});
}

void FakePrintDevice::setFont(const QString& family, double pointSize, bool bold)
{
    pointSize_ = pointSize;
    record({"font", pointSize, bold ? 1.0 : 0.0, 0, 0, family});
}

double FakePrintDevice::lineHeight() const
{
    // A point is 25.4 / 72 mm; lines are a little taller than the font.
    const double mm = lineHeightMm > 0 ? lineHeightMm : pointSize_ * 25.4 / 72.0 * 1.15;
    return scaleMode_ == 6 ? mm * scaleHeight_ / 297.0 : mm * 56.7;
}

void FakePrintDevice::box(double x1, double y1, double x2, double y2, bool filled)
{
    record({filled ? "fill" : "box", x1, y1, x2, y2, {}});
}

void FakePrintDevice::print(const QString& text)
{
    record({"print", x_, y_, 0, y_ + lineHeight(), text});
    x_ = 0;
    y_ += lineHeight();
}

void FakePrintDevice::newPage()
{
    record({"newPage", 0, 0, 0, 0, {}});
    x_ = 0;
    y_ = 0;
}

void FakePrintDevice::endDoc()
{
    // From here on failed() tells whether the end itself failed.
    failed_ = false;
    record({"endDoc", 0, 0, 0, 0, {}});
    x_ = 0;
    y_ = 0;
}

void FakePrintDevice::killDoc()
{
    record({"killDoc", 0, 0, 0, 0, {}});
}

QStringList FakePrintDevice::printedLines() const
{
    QStringList lines;
    for (const auto& op : ops) {
        if (op.op == "print")
            lines << op.text;
        else if (op.op == "newPage")
            lines << "\f";
    }
    return lines;
}

QList<PrintedLine> FakePrintDevice::placedLines() const
{
    QList<PrintedLine> lines;
    int page = 1;
    for (const auto& op : ops) {
        if (op.op == "print")
            lines << PrintedLine{page, op.y1, op.y2, op.text};
        else if (op.op == "newPage")
            ++page;
        else if (op.op == "endDoc" || op.op == "killDoc")
            page = 1;
    }
    return lines;
}

QStringList FakePrintDevice::linesOverFooter(const QString& footer) const
{
    const QList<PrintedLine> lines = placedLines();
    QHash<int, double> footerTop;
    for (const PrintedLine& line : lines)
        if (line.text == footer)
            footerTop.insert(line.page, line.top);
    QStringList over;
    for (const PrintedLine& line : lines)
        if (line.text != footer && footerTop.contains(line.page) && line.bottom > footerTop.value(line.page) + 1e-9)
            over << QString("page %1: %2").arg(line.page).arg(line.text);
    return over;
}

QList<PrintOp> FakePrintDevice::filledBoxes() const
{
    QList<PrintOp> out;
    for (const auto& op : ops)
        if (op.op == "fill")
            out << op;
    return out;
}

int FakePrintDevice::pages() const
{
    int pages = 0;
    bool pending = false;
    for (const auto& op : ops) {
        if (op.op == "print" || op.op == "fill" || op.op == "box")
            pending = true;
        if (op.op == "newPage" || op.op == "endDoc") {
            if (pending)
                ++pages;
            pending = false;
        }
    }
    return pages;
}

bool FakeLauncher::start(const QString& program, const QStringList& arguments, int windowStyle)
{
    started << LaunchRecord{program, arguments, windowStyle};
    return succeed;
}

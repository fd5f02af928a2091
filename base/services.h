#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

// The program reaches the desktop only through these interfaces. The real
// implementations live in app/, fakes for the tests in tests/support; windows
// and flows get them through one Services record built at start-up.

class Settings;

// Message boxes. Flags and answers keep the numbers the program has always used.
class Messages {
public:
    enum Flag : int {
        OkOnly = 0,
        YesNo = 4,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
        DefaultButton2 = 256,
    };
    enum Answer : int { Ok = 1, Yes = 6, No = 7 };

    virtual ~Messages() = default;
    // Lines of `text` are joined with "\r\n". An empty title shows the program title.
    virtual int show(const QString& text, int flags = OkOnly, const QString& title = QString()) = 0;
};

// What a caller asks of an open or save dialog. The filter is in the
// "Name (*.EXT)|*.EXT" form; converting it is the dialog's business.
struct FileDialogRequest {
    QString title;
    QString filter;
    QString defaultExt; // ".1X2"
    QString fileName;
    QString directory; // where the dialog starts; "" for the folder of the player's own files
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or "" when the user cancels.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
};

// The printer in logical millimetres: the page model every printing window uses.
// Text is laid out by the callers in a fixed-pitch font, so a line is a string.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // A printer (or the file the program prints into) can be reached.
    virtual bool available() = 0;
    // The printer-choice dialog; returns false when cancelled.
    virtual bool setup() = 0;

    virtual int scaleMode() const = 0;
    virtual void setScaleMode(int mode) = 0; // 6 = millimetres
    virtual double scaleWidth() const = 0;
    virtual void setScaleWidth(double width) = 0;
    virtual double scaleHeight() const = 0;
    virtual void setScaleHeight(double height) = 0;
    virtual double currentX() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentY(double y) = 0;

    virtual void setFont(const QString& family, double pointSize, bool bold) = 0;
    // Height of one text line in the current scale.
    virtual double lineHeight() const = 0;
    // A black rectangle from (x1, y1) to (x2, y2): filled, or only its outline.
    virtual void box(double x1, double y1, double x2, double y2, bool filled) = 0;
    // One line of text at (CurrentX, CurrentY); afterwards CurrentX is 0 and
    // CurrentY one line lower.
    virtual void print(const QString& text) = 0;
    virtual void newPage() = 0;
    // Ends the document and sends it to the printer (or saves its file).
    virtual void endDoc() = 0;
    // Throws the document away.
    virtual void killDoc() = 0;
    // True once an operation of the current document has failed; after endDoc,
    // whether sending or saving it failed, until the next document begins.
    virtual bool failed() const = 0;
    // True when the user gave the document up at the printer's own question
    // (the name of its PDF file); it failed, and the caller tells nothing more.
    // Holds until the next document begins.
    virtual bool cancelled() const { return false; }
};

class Sound {
public:
    virtual ~Sound() = default;
    // Plays event sound `number` (11..14) without waiting for it to end.
    virtual void play(int number) = 0;
};

class Launcher {
public:
    // How the started program's window opens.
    enum WindowStyle : int { Normal = 1, Maximized = 3 };
    virtual ~Launcher() = default;
    // Starts `program` with `arguments` (never through a shell); false when it cannot be started.
    virtual bool start(const QString& program, const QStringList& arguments, int windowStyle) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class Random {
public:
    virtual ~Random() = default;
    // Uniform in [0, 1).
    virtual double next() = 0;
    // A new seed from the timer; repeatable generators ignore it.
    virtual void reseed() = 0;
};

// Text to put into controls of a window being opened: object name -> text,
// "" stands for the window title.
using WindowTexts = QList<QPair<QString, QString>>;

// Commands of the main window that other windows offer too.
enum class MainCommand { BookmarksPage, Help, Calculator };

// A window that takes a value of this kind from the window that opens it.
// The value arrives typed, after the window is made and before it is shown,
// so nothing is written into a control only to be parsed again.
template <class HandOver> class Receives {
public:
    virtual ~Receives() = default;
    virtual void receive(const HandOver& handOver) = 0;
};

// Windows open one another by name, so no window includes another one's header.
class Windows {
public:
    virtual ~Windows() = default;
    virtual bool available(const QString& name) const = 0;
    // Creates the window, puts `texts` into it and shows it in front of the
    // window that opens it (`opener`; none stands for the main window),
    // centred on it. False when no window of that name exists.
    virtual bool show(const QString& name, const WindowTexts& texts = {}, QObject* opener = nullptr) = 0;
    // As show(), and hands `handOver` to the new window. False, and no window
    // shown, when the window of that name does not take this kind of value.
    template <class HandOver>
    bool showWith(const QString& name, const HandOver& handOver, const WindowTexts& texts = {},
                  QObject* opener = nullptr)
    {
        return showDelivering(name, texts, opener, [&handOver](QObject* window) {
            auto* receiver = dynamic_cast<Receives<HandOver>*>(window);
            if (receiver)
                receiver->receive(handOver);
            return receiver != nullptr;
        });
    }
    virtual void setMainEnabled(bool enabled) = 0;
    virtual void runCommand(MainCommand command) = 0;

protected:
    // Gives the made window to `deliver` before showing it; a false answer
    // throws the window away unshown.
    using Delivery = std::function<bool(QObject* window)>;
    virtual bool showDelivering(const QString& name, const WindowTexts& texts, QObject* opener,
                                const Delivery& deliver) = 0;
};

struct Services {
    Messages& messages;
    FileDialogs& fileDialogs;
    PrintDevice& printer;
    Sound& sound;
    Launcher& launcher;
    Clock& clock;
    Random& random;
    Settings& settings;
    Windows& windows;
};

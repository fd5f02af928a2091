#pragma once

#include "base/appcontext.h"

#include <QStringList>
#include <QWidget>

// A window opened from the main window. While it is open the main window is
// disabled; it enables the main window again when it finishes or is closed,
// unless it hands over to the next window of a chain or another feature
// window is still open.
class FeatureWindow : public QWidget {
    Q_OBJECT
public:
    explicit FeatureWindow(AppContext& context, QWidget* parent = nullptr);

protected:
    SharedState& state() { return context_.state; }
    Services& services() { return context_.services; }
    AppContext& context() { return context_; }

    // Enables the main window and closes this one.
    void finish();
    // Shows the next window of the chain and closes this one; the main window
    // stays disabled. False (and this window stays) when that window is unavailable.
    bool handOver(const QString& name, const WindowTexts& texts = {});
    // Makes the program directory current again, as after every file dialog.
    void restoreProgramDir();
    // A shortcut for `message` with the program's conventions.
    int message(const QString& text, int flags = Messages::OkOnly, const QString& title = QString());
    // A notice shown once the event being handled is over. A box opened inside
    // a mouse button's or a scroll bar's handler takes the button's release, and
    // the control keeps repeating behind it; the same notice asked for again
    // before it shows is shown once.
    void messageSoon(const QString& text, int flags = Messages::OkOnly, const QString& title = QString());

    // Whether the window may close now (a long run may refuse).
    virtual bool canClose() { return true; }

    void closeEvent(QCloseEvent* event) override;
    // Enter and Escape for every window, also one that never binds them.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AppContext& context_;
    bool handingOver_ = false;
    bool centred_ = false;
    QStringList pendingMessages_;
};

// The window `window` belongs to (stays in front of): the window that opened
// it. Null for a window of its own.
QWidget* ownerOf(const QWidget* window);
// Makes `window` belong to `owner`: the window manager keeps it in front of
// its owner, and it opens centred on it.
void setOwner(QWidget* window, QWidget* owner);
// Makes a window no larger than its screen's free area (but never below its
// minimum size), so its edges and buttons can be reached.
void fitOnScreen(QWidget* window);
// A click on the main window while a feature window keeps it disabled gives
// the keyboard to the feature window opened last.
void handActivationToFeatureWindow(QWidget* main);
// Centres a top-level window on its owner, or on its screen when it has none;
// never off the screen.
void centreOnOwner(QWidget* window);
// The feature windows open now, most recently opened last.
QList<QWidget*> openFeatureWindows();

#pragma once

#include "base/appcontext.h"

#include <QWidget>

// A window opened from the main window. While it is open the main window is
// disabled; it enables the main window again when it finishes or is closed,
// unless it hands over to the next window of a chain.
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

    // Whether the window may close now (a long run may refuse).
    virtual bool canClose() { return true; }

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AppContext& context_;
    bool handingOver_ = false;
    bool centred_ = false;
};

// Centres a top-level window on its screen.
void centreOnScreen(QWidget* window);

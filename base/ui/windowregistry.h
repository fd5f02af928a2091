#pragma once

#include "base/appcontext.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

// Makes every window by name. Each subsystem registers its windows at start-up;
// a window asks for the next one by name and never includes its header.
class WindowRegistry : public Windows {
public:
    using Factory = std::function<QWidget*(AppContext&)>;
    using Command = std::function<void(MainCommand command)>;

    void setContext(AppContext* context) { context_ = context; }
    void setMainWindow(QWidget* main) { main_ = main; }
    void setCommandHandler(Command handler) { commands_ = std::move(handler); }
    void add(const QString& name, Factory factory);

    bool available(const QString& name) const override;
    bool show(const QString& name, const WindowTexts& texts = {}, QObject* opener = nullptr) override;
    void setMainEnabled(bool enabled) override;
    void runCommand(MainCommand command) override;

    // The last window made, and every name shown, for the tests' eyes.
    QWidget* lastShown() const { return last_; }
    const QStringList& shownNames() const { return shown_; }
    QStringList names() const { return factories_.keys(); }

protected:
    bool showDelivering(const QString& name, const WindowTexts& texts, QObject* opener,
                        const Delivery& deliver) override;

private:
    AppContext* context_ = nullptr;
    QPointer<QWidget> main_;
    QPointer<QWidget> last_;
    QHash<QString, Factory> factories_;
    Command commands_;
    QStringList shown_;
};

// Puts `text` into the control named `objectName` (label, button, text box)
// of `window`; "" names the window's title.
void setControlText(QWidget* window, const QString& objectName, const QString& text);

// The windows of every subsystem, registered by the shell at start-up.
void registerRowsWindows(WindowRegistry& registry);
void registerRandomWindows(WindowRegistry& registry);
void registerCheckingWindows(WindowRegistry& registry);
void registerPrintingWindows(WindowRegistry& registry);
void registerFootballWindows(WindowRegistry& registry);
void registerSystemsWindows(WindowRegistry& registry);
void registerShellWindows(WindowRegistry& registry);
void registerAllWindows(WindowRegistry& registry);

#include "base/ui/windowregistry.h"

#include "base/ui/featurewindow.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

void WindowRegistry::add(const QString& name, Factory factory)
{
    factories_.insert(name, std::move(factory));
}

bool WindowRegistry::available(const QString& name) const
{
    return factories_.contains(name);
}

bool WindowRegistry::show(const QString& name, const WindowTexts& texts, QObject* opener)
{
    return showDelivering(name, texts, opener, [](QObject*) { return true; });
}

bool WindowRegistry::showDelivering(const QString& name, const WindowTexts& texts, QObject* opener,
                                    const Delivery& deliver)
{
    const auto factory = factories_.constFind(name);
    if (factory == factories_.constEnd() || !context_)
        return false;
    QWidget* window = (*factory)(*context_);
    if (!window)
        return false;
    if (window->objectName().isEmpty())
        window->setObjectName(name);
    for (const auto& [control, text] : texts)
        setControlText(window, control, text);
    if (!deliver(window)) {
        delete window;
        return false;
    }
    shown_ << name;
    last_ = window;
    // Owned by the window that opened it, so a click on that one never hides it.
    auto* openerWidget = qobject_cast<QWidget*>(opener);
    QWidget* owner = openerWidget ? openerWidget->window() : main_.data();
    if (owner && owner != window && window->isWindow())
        setOwner(window, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

void WindowRegistry::setMainEnabled(bool enabled)
{
    if (main_)
        main_->setEnabled(enabled);
}

void WindowRegistry::runCommand(MainCommand command)
{
    if (commands_)
        commands_(command);
}

void setControlText(QWidget* window, const QString& objectName, const QString& text)
{
    if (objectName.isEmpty()) {
        window->setWindowTitle(text);
        return;
    }
    QWidget* control = window->findChild<QWidget*>(objectName);
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
}

void registerAllWindows(WindowRegistry& registry)
{
    registerRowsWindows(registry);
    registerRandomWindows(registry);
    registerCheckingWindows(registry);
    registerPrintingWindows(registry);
    registerFootballWindows(registry);
    registerSystemsWindows(registry);
    registerShellWindows(registry);
}

#include "support/windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

void click(QObject* root, const QString& name)
{
    auto* button = control<QAbstractButton>(root, name);
    if (!button || !button->isEnabled() || !button->isVisible())
        return;
    // Check boxes and option buttons answer clicks on their indicator and text
    // only; a programmatic click goes through the same toggling.
    if (button->isCheckable() && !qobject_cast<QPushButton*>(button))
        button->click();
    else
        QTest::mouseClick(button, Qt::LeftButton);
    settle();
}

void trigger(QObject* root, const QString& name)
{
    auto* action = control<QAction>(root, name);
    if (!action || !action->isEnabled())
        return;
    action->trigger();
    settle();
}

void typeInto(QObject* root, const QString& name, const QString& text)
{
    auto* edit = control<QLineEdit>(root, name);
    if (!edit)
        return;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    settle();
}

QString textOf(QObject* root, const QString& name)
{
    QObject* found = control<QObject>(root, name);
    if (auto* label = qobject_cast<QLabel*>(found))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(found))
        return combo->currentText();
    if (auto* group = qobject_cast<QGroupBox*>(found))
        return group->title();
    if (auto* widget = qobject_cast<QWidget*>(found))
        return widget->windowTitle();
    return QString();
}

bool isShown(QObject* root, const QString& name)
{
    auto* widget = control<QWidget>(root, name);
    return widget && widget->isVisible();
}

bool isEnabled(QObject* root, const QString& name)
{
    QObject* found = control<QObject>(root, name);
    if (auto* widget = qobject_cast<QWidget*>(found))
        return widget->isEnabled();
    if (auto* action = qobject_cast<QAction*>(found))
        return action->isEnabled();
    return false;
}

QWidget* openWindow(const QString& objectName)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->objectName() == objectName)
            return window;
    return nullptr;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void saveShot(QWidget* window, const QString& name)
{
    const QString dir = qEnvironmentVariable("RK_SHOT_DIR");
    if (dir.isEmpty() || !window)
        return;
    settle();
    window->grab().save(dir + "/" + name + ".png");
}

#include "base/ui/dialogkeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

// Claims Enter and Escape for an open popup before any shortcut of a window
// sees them. Escape then reaches the popup as an ordinary key press and closes
// it. A drop-down list takes its item on Enter only while the key is being
// offered to shortcuts, so Enter is handed to the list at that moment.
class PopupKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QWidget* popup = QApplication::activePopupWidget();
        if (forwarding_ || event->type() != QEvent::ShortcutOverride || !popup)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return QObject::eventFilter(watched, event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            QWidget* list = popup->focusWidget() ? popup->focusWidget() : popup;
            forwarding_ = true;
            QCoreApplication::sendEvent(list, event);
            forwarding_ = false;
        } else if (key->key() != Qt::Key_Escape) {
            return QObject::eventFilter(watched, event);
        }
        event->accept();
        return true;
    }

private:
    bool forwarding_ = false;
};

} // namespace

void keepListKeysInLists()
{
    static QPointer<PopupKeys> filter;
    if (filter || !qApp)
        return;
    filter = new PopupKeys(qApp);
    qApp->installEventFilter(filter);
}

void bindDialogKeys(QWidget* window, QPushButton* defaultButton, std::function<void()> cancel)
{
    if (defaultButton)
        defaultButton->setDefault(true);
    QPointer<QPushButton> fallback = defaultButton;
    bindDialogKeys(
        window, [fallback] { return fallback.data(); }, std::move(cancel));
}

void bindDialogKeys(QWidget* window, std::function<QPushButton*()> defaultButton, std::function<void()> cancel)
{
    keepListKeysInLists();
    auto* enter = new QAction(window);
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(enter, &QAction::triggered, window, [window, defaultButton = std::move(defaultButton)] {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        const bool ownButton =
            focused && focused->window() == window && !focused->property(kEnterGoesToDefault).toBool();
        QPushButton* target = ownButton ? focused : defaultButton();
        if (target && target->isEnabled() && target->isVisible())
            target->click();
    });
    window->addAction(enter);
    if (cancel) {
        auto* escape = new QAction(window);
        escape->setShortcut(QKeySequence(Qt::Key_Escape));
        escape->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(escape, &QAction::triggered, window, std::move(cancel));
        window->addAction(escape);
    }
}

#include "base/ui/dialogkeys.h"

#include <QAction>
#include <QApplication>
#include <QPointer>

void bindDialogKeys(QWidget* window, QPushButton* defaultButton, std::function<void()> cancel)
{
    if (defaultButton)
        defaultButton->setDefault(true);
    auto* enter = new QAction(window);
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setShortcutContext(Qt::WindowShortcut);
    QPointer<QPushButton> fallback = defaultButton;
    QObject::connect(enter, &QAction::triggered, window, [window, fallback] {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        const bool ownButton = focused && focused->window() == window &&
                               !focused->property(kEnterGoesToDefault).toBool();
        QPushButton* target = ownButton ? focused : fallback.data();
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

#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

// Enter presses the window's OK button (when it can be pressed) and Escape
// closes the window, which a feature window takes as cancel. Pass no button
// for a window where Enter should do nothing.
inline void bindDialogKeys(QWidget* window, QAbstractButton* okButton)
{
    if (okButton) {
        QPointer<QAbstractButton> ok(okButton);
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
            auto* shortcut = new QShortcut(QKeySequence(key), window);
            QObject::connect(shortcut, &QShortcut::activated, window, [ok] {
                if (ok && ok->isEnabled() && ok->isVisible())
                    ok->click();
            });
        }
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

#include "base/ui/featurewindow.h"

#include "base/ui/dialogkeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWindow>
#include <algorithm>

namespace {

// Feature windows in the order they were first shown.
int nextOpening = 0;
const char* const kOpeningProperty = "featureWindowOpening";

} // namespace

// A dialog-type window: window managers keep it in front of the window it
// belongs to (see setOwner) and iconify it with that window. Its title bar
// keeps the close and maximize buttons of a window.
FeatureWindow::FeatureWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      context_(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
    keepListKeysInLists();
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { services().windows.runCommand(MainCommand::Help); });
}

void FeatureWindow::finish()
{
    close();
}

bool FeatureWindow::handOver(const QString& name, const WindowTexts& texts)
{
    if (!services().windows.available(name))
        return false;
    handingOver_ = true;
    // The next window takes this one's place in front of the window that opened it.
    if (!services().windows.show(name, texts, ownerOf(this))) {
        // The next window could not be made: stay, so nothing entered here is lost.
        handingOver_ = false;
        return false;
    }
    close();
    return true;
}

void FeatureWindow::restoreProgramDir()
{
    if (!state().ProgramDir.isEmpty())
        QDir::setCurrent(state().ProgramDir);
}

int FeatureWindow::message(const QString& text, int flags, const QString& title)
{
    return services().messages.show(text, flags, title);
}

void FeatureWindow::messageSoon(const QString& text, int flags, const QString& title)
{
    if (pendingMessages_.contains(text))
        return;
    pendingMessages_ << text;
    QMetaObject::invokeMethod(
        this,
        [this, text, flags, title] {
            pendingMessages_.removeOne(text);
            message(text, flags, title);
        },
        Qt::QueuedConnection);
}

void FeatureWindow::closeEvent(QCloseEvent* event)
{
    if (!handingOver_ && !canClose()) {
        event->ignore();
        return;
    }
    // Windows opened from this one stay in front of the window that opened it.
    QWidget* owner = ownerOf(this);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && !window->parentWidget() && ownerOf(window) == this)
            setOwner(window, owner);
    const QList<QWidget*> open = openFeatureWindows();
    const bool othersOpen = std::any_of(open.begin(), open.end(), [this](QWidget* w) { return w != this; });
    if (!handingOver_ && !othersOpen)
        services().windows.setMainEnabled(true);
    event->accept();
}

void FeatureWindow::keyPressEvent(QKeyEvent* event)
{
    // What no control and no key of the window's own took: Enter presses the
    // focused button or else the default one, Escape closes the window.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        auto* target = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (!target || target->window() != this)
            target = nullptr;
        for (QPushButton* button : findChildren<QPushButton*>())
            if (!target && button->isDefault() && button->window() == this)
                target = button;
        if (target && target->isEnabled() && target->isVisible())
            target->click();
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FeatureWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        setProperty(kOpeningProperty, ++nextOpening);
        fitOnScreen(this);
        centreOnOwner(this);
    }
}

QWidget* ownerOf(const QWidget* window)
{
    const QWindow* handle = window ? window->windowHandle() : nullptr;
    const QWindow* owner = handle ? handle->transientParent() : nullptr;
    if (!owner)
        return nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets())
        if (candidate->windowHandle() == owner)
            return candidate;
    return nullptr;
}

void setOwner(QWidget* window, QWidget* owner)
{
    if (!window)
        return;
    QWidget* top = owner ? owner->window() : nullptr;
    if (top == window)
        top = nullptr;
    // The owner is a property of the native windows, so both must exist.
    window->winId();
    if (top)
        top->winId();
    if (QWindow* handle = window->windowHandle())
        handle->setTransientParent(top ? top->windowHandle() : nullptr);
}

void fitOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame the window manager adds is not known before the window is
    // shown; a title bar and borders of common themes are allowed for.
    constexpr int kFrameWidth = 8;
    constexpr int kFrameHeight = 36;
    const QSize room = screen->availableGeometry().size() - QSize(kFrameWidth, kFrameHeight);
    const QSize fitted = window->size().boundedTo(room).expandedTo(window->minimumSize());
    if (fitted != window->size())
        window->resize(fitted);
}

void handActivationToFeatureWindow(QWidget* main)
{
    if (main->isEnabled())
        return;
    const QList<QWidget*> open = openFeatureWindows();
    if (open.isEmpty())
        return;
    QWidget* front = open.last();
    front->raise();
    front->activateWindow();
}

void centreOnOwner(QWidget* window)
{
    QWidget* owner = ownerOf(window);
    if (owner && !owner->isVisible())
        owner = nullptr;
    QScreen* screen = owner ? owner->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const QPoint centre = owner ? owner->frameGeometry().center() : area.center();
    int x = centre.x() - size.width() / 2;
    int y = centre.y() - size.height() / 2;
    // A window larger than its owner may not hang off the screen.
    x = std::max(area.left(), std::min(x, area.right() + 1 - size.width()));
    y = std::max(area.top(), std::min(y, area.bottom() + 1 - size.height()));
    window->move(x, y);
}

QList<QWidget*> openFeatureWindows()
{
    QList<QWidget*> open;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<FeatureWindow*>(window) && window->isVisible())
            open << window;
    std::sort(open.begin(), open.end(), [](QWidget* a, QWidget* b) {
        return a->property(kOpeningProperty).toInt() < b->property(kOpeningProperty).toInt();
    });
    return open;
}

#include "base/ui/featurewindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

FeatureWindow::FeatureWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { services().windows.runCommand("win"); });
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
    if (!services().windows.show(name, texts)) {
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

void FeatureWindow::closeEvent(QCloseEvent* event)
{
    if (!handingOver_ && !canClose()) {
        event->ignore();
        return;
    }
    if (!handingOver_)
        services().windows.setMainEnabled(true);
    event->accept();
}

void FeatureWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnScreen(this);
    }
}

void centreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

#include "base/ui/scrollbars.h"

#include <QCoreApplication>
#include <QMouseEvent>

QScrollBar* makeScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimum, int maximum)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    if (orientation == Qt::Horizontal)
        bar->setInvertedControls(false);
    return bar;
}

ReversedScrollBar::ReversedScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimum,
                                     int maximum)
    : QScrollBar(orientation, parent)
{
    setObjectName(name);
    setRange(-maximum, -minimum);
    if (orientation == Qt::Horizontal)
        setInvertedControls(false);
    connect(this, &QScrollBar::valueChanged, this, [this](int value) { emit figureChanged(-value); });
}

void releaseScrollBar(QScrollBar* bar)
{
    if (!bar)
        return;
    // A bar that is not held ignores the release.
    const QPointF inside(bar->width() / 2.0, bar->height() / 2.0);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, bar->mapToGlobal(inside), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &release);
}

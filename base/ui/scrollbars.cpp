#include "base/ui/scrollbars.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// PageUp pages a horizontal bar left and PageDown right, as the clicks left
// and right of the handle do; the toolkit ties them to the arrow keys'
// direction, which on a horizontal bar is the other way round.
class HorizontalPageKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_PageUp && key != Qt::Key_PageDown)
            return false;
        static_cast<QScrollBar*>(watched)->triggerAction(key == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                                               : QAbstractSlider::SliderPageStepAdd);
        return true;
    }
};

// Every bar is a stop of the Tab key, so a player with only a keyboard can
// move it; horizontal ones get their keys the way the handle runs.
void setUpKeys(QScrollBar* bar)
{
    bar->setFocusPolicy(Qt::StrongFocus);
    if (bar->orientation() != Qt::Horizontal)
        return;
    bar->setInvertedControls(false);
    bar->installEventFilter(new HorizontalPageKeys(bar));
}

} // namespace

QScrollBar* makeScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimum, int maximum)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    setUpKeys(bar);
    return bar;
}

ReversedScrollBar::ReversedScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimum,
                                     int maximum)
    : QScrollBar(orientation, parent)
{
    setObjectName(name);
    setRange(-maximum, -minimum);
    setUpKeys(this);
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

#pragma once

#include <QScrollBar>

// Scroll bars whose every control moves the handle the way it points: the
// arrow buttons, the keys (PageUp pages left or up), a click beside the
// handle, dragging and the wheel. Each is a stop of the Tab key.

// A scroll bar whose value grows from left to right (or from top to bottom).
// Qt sets a scroll bar's keys up for vertical bars, so on a horizontal one
// ← would add and → would take away; here the keys follow the handle.
QScrollBar* makeScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimum, int maximum);

// A scroll bar whose figure grows towards the left (or top) end. Qt's
// inverted appearance turns only the handle around, not the arrow buttons
// or the page clicks, so the bar holds the figure negated instead and runs
// the usual way: its value() is -figure().
class ReversedScrollBar : public QScrollBar {
    Q_OBJECT
public:
    ReversedScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimum, int maximum);
    int figure() const { return -value(); }
    void setFigure(int figure) { setValue(-figure); }
    int smallestFigure() const { return -maximum(); }
    int largestFigure() const { return -minimum(); }

signals:
    void figureChanged(int figure);
};

// Lets go of a scroll bar's pressed arrow, page area or handle, as if the
// mouse button had come up. A message box opened while the button is down
// takes the release, and the bar would keep stepping behind the box.
void releaseScrollBar(QScrollBar* bar);

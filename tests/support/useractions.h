#pragma once

#include <QPoint>
#include <QStyle>
#include <Qt>

class QComboBox;
class QScrollBar;
class QWidget;

// Reaching windows as a user does: keys go to the widget that has the
// keyboard focus, clicks land on the parts of a scroll bar where its style
// draws them, a drop-down list is really opened and answered by key, and the
// window manager's close button closes through the native window. Setting a
// value directly would skip the very code users run.

// Makes `widget`'s window the active one and gives `widget` the keyboard focus.
void focusOn(QWidget* widget);
// Presses and releases `key` in the widget that has the keyboard focus (an
// open list's view while a list is open); fails the test when none has it.
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The centre of a part of `bar` as its style draws it: SC_ScrollBarAddLine is
// the → (or ▼) arrow, SC_ScrollBarSubLine the ← (or ▲) arrow, SC_ScrollBarAddPage
// the groove after the handle, SC_ScrollBarSlider the handle.
QPoint barPart(QScrollBar* bar, QStyle::SubControl part);
// Clicks that part `times` times.
void clickBar(QScrollBar* bar, QStyle::SubControl part, int times = 1);
// Clicks the arrows of `bar` until it shows `value`; fails the test when a
// click does not move it.
void stepBarTo(QScrollBar* bar, int value);
// Drags the handle `pixels` along the bar (right or down when positive).
void dragHandle(QScrollBar* bar, int pixels);

// Opens `combo`'s drop-down list with F4 from the keyboard and returns the
// list's popup (null when none opened).
QWidget* openList(QComboBox* combo);
// Opens the list, walks to the item `text` with the arrow keys and takes it
// with Enter. False when the list has no such item.
bool chooseFromList(QComboBox* combo, const QString& text);

// The close button the window manager draws on `window`'s title bar.
void closeFromTitleBar(QWidget* window);

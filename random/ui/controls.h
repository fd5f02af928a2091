#pragma once

#include "base/ui/controls.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <QWidget>

// The builders only the drawing windows use; buttons and labels come from
// base/ui/controls.h. Every control gets its object name when it is made.

inline QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    return option;
}

// A horizontal weight bar 3 ... 10 that can be reached with the keyboard.
inline QScrollBar* makeWeightBar(QWidget* parent, const QString& name, int minimum, int maximum, int value)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setPageStep(1);
    bar->setValue(value);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

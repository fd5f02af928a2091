#pragma once

#include "base/ui/scrollbars.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <QWidget>

// Small builders for the controls of the drawing windows: every control gets
// its object name when it is made, so nothing is left unnamed.

inline QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

inline QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

inline QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    return option;
}

// A horizontal weight bar 3 ... 10 that can be reached with the keyboard.
inline QScrollBar* makeWeightBar(QWidget* parent, const QString& name, int minimum, int maximum, int value)
{
    QScrollBar* bar = makeScrollBar(parent, name, Qt::Horizontal, minimum, maximum);
    bar->setPageStep(1);
    bar->setValue(value);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

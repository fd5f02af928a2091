#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

// Helpers for driving real windows offscreen: find a control by its object
// name, click it, type into it and read what it shows.

template <class T = QWidget> T* control(QObject* root, const QString& name)
{
    T* found = root ? root->findChild<T*>(name) : nullptr;
    if (!found)
        ADD_FAILURE() << "no control named " << name.toStdString();
    return found;
}

// Clicks a button as a user would: a disabled or hidden button does nothing.
void click(QObject* root, const QString& name);
// Triggers a menu item or toolbar action by object name; a disabled one does nothing.
void trigger(QObject* root, const QString& name);
// Replaces the text of a text box, key by key (validators see every key).
void typeInto(QObject* root, const QString& name, const QString& text);
// The text a label, button, check box or text box shows.
QString textOf(QObject* root, const QString& name);
bool isShown(QObject* root, const QString& name);
bool isEnabled(QObject* root, const QString& name);
// A visible top-level window by object name, or nullptr.
QWidget* openWindow(const QString& objectName);
// Lets pending events (deferred deletes among them) run.
void settle();

// Saves a picture of `window` as <name>.png into the folder named by the
// environment variable RK_SHOT_DIR, when it is set (for looking at windows).
void saveShot(QWidget* window, const QString& name);

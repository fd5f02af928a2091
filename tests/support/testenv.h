#pragma once

#include "base/appcontext.h"
#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "support/fakes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

// A program directory, a settings store and fake services for one test; every
// window of the program is registered, so a test can open any of them by its
// WindowName.
struct TestEnv {
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    // The program runs in its directory; a test after this one runs where the
    // test program was started, not in a folder that no longer exists.
    const QString startedIn = QDir::currentPath();
    QTemporaryDir dir;         // the program directory
    QTemporaryDir settingsDir; // where the settings store lives
    FakeMessages messages;
    FakeFileDialogs dialogs;
    FakePrintDevice printer;
    FakeSound sound;
    FakeLauncher launcher;
    FakeClock clock;
    FakeRandom random;
    Settings settings;
    WindowRegistry windows;
    Services services;
    SharedState state;
    AppContext context;
    // Stands in for the main window that feature windows disable and enable.
    QWidget mainWindow;
    // Commands other windows asked the main window to run ("ava", "win" ...).
    QStringList commands;

    QString path(const QString& fileName) const { return dir.filePath(fileName); }
    // Opens a window by name and returns it (nullptr when there is none).
    QWidget* open(const QString& name, const WindowTexts& texts = {});
    template <class T> T* open(const QString& name, const WindowTexts& texts = {})
    {
        return qobject_cast<T*>(open(name, texts));
    }
};

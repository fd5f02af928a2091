#include "support/testenv.h"

#include "shell/ui/accessories.h"

#include <QApplication>
#include <QDir>

TestEnv::TestEnv()
    : settings(settingsDir.filePath("Rivikone.ini")),
      services{messages, dialogs, printer, sound, launcher, clock, random, settings, windows},
      context{state, services}
{
    state.ProgramDir = dir.path();
    ResetTaskState(state);
    QDir::setCurrent(dir.path());
    windows.setContext(&context);
    windows.setMainWindow(&mainWindow);
    windows.setCommandHandler([this](MainCommand command) { commands << accessoryKeyOf(command); });
    registerAllWindows(windows);
}

TestEnv::~TestEnv()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &mainWindow && window->isVisible())
            window->close();
    QApplication::processEvents();
    // Windows that refused to close must not outlive the services they use.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &mainWindow && window->testAttribute(Qt::WA_DeleteOnClose))
            delete window;
    QDir::setCurrent(startedIn);
}

QWidget* TestEnv::open(const QString& name, const WindowTexts& texts)
{
    if (!windows.show(name, texts))
        return nullptr;
    return windows.lastShown();
}

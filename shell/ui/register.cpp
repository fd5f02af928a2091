#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "shell/ui/informationwindow.h"
#include "shell/ui/settingswindow.h"

void registerShellWindows(WindowRegistry& registry)
{
    registry.add(WindowName::Settings, [](AppContext& context) { return new SettingsWindow(context); });
    registry.add(WindowName::Information, [](AppContext& context) { return new InformationWindow(context); });
}

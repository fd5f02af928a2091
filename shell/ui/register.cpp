#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "shell/ui/aseta.h"
#include "shell/ui/demoform.h"

void registerShellWindows(WindowRegistry& registry)
{
    registry.add(WindowName::Settings, [](AppContext& context) { return new aseta(context); });
    registry.add(WindowName::Information, [](AppContext& context) { return new demoform(context); });
}

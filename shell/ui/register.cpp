#include "base/ui/windowregistry.h"
#include "shell/ui/aseta.h"
#include "shell/ui/demoform.h"

void registerShellWindows(WindowRegistry& registry)
{
    registry.add("aseta", [](AppContext& context) { return new aseta(context); });
    registry.add("demoform", [](AppContext& context) { return new demoform(context); });
}

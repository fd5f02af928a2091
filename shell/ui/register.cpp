#include "base/ui/windowregistry.h"
#include "shell/ui/aseta.h"

void registerShellWindows(WindowRegistry& registry)
{
    registry.add("aseta", [](AppContext& context) { return new aseta(context); });
}

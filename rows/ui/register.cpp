#include "base/ui/windowregistry.h"
#include "rows/ui/kon.h"

void registerRowsWindows(WindowRegistry& registry)
{
    registry.add("kon", [](AppContext& context) { return new kon(context); });
}

#include "base/ui/windowregistry.h"
#include "rows/ui/jar.h"
#include "rows/ui/jst.h"

void registerRowsWindows(WindowRegistry& registry)
{
    // Own systems
    registry.add("jar", [](AppContext& context) { return new jar(context); });
    registry.add("jst", [](AppContext& context) { return new jst(context); });
}

#include "base/ui/windowregistry.h"

void registerRowsWindows(WindowRegistry& registry)
{
    Q_UNUSED(registry);
}

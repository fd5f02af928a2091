#include "base/ui/windowregistry.h"

void registerPrintingWindows(WindowRegistry& registry)
{
    Q_UNUSED(registry);
}

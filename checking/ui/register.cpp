#include "base/ui/windowregistry.h"

void registerCheckingWindows(WindowRegistry& registry)
{
    Q_UNUSED(registry);
}

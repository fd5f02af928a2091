#include "base/ui/windowregistry.h"

void registerFootballWindows(WindowRegistry& registry)
{
    Q_UNUSED(registry);
}

#include "base/ui/windowregistry.h"

void registerRandomWindows(WindowRegistry& registry)
{
    Q_UNUSED(registry);
}

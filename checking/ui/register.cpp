#include "base/ui/windowregistry.h"
#include "checking/ui/form9.h"
#include "checking/ui/jvali.h"
#include "checking/ui/tillis.h"

void registerCheckingWindows(WindowRegistry& registry)
{
    registry.add("jvali", [](AppContext& context) { return new jvali(context); });
    registry.add("Form9", [](AppContext& context) { return new Form9(context); });
    registry.add("tillis", [](AppContext& context) { return new tillis(context); });
}

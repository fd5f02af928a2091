#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "checking/ui/form9.h"
#include "checking/ui/jvali.h"
#include "checking/ui/tillis.h"

void registerCheckingWindows(WindowRegistry& registry)
{
    registry.add(WindowName::CheckFileType, [](AppContext& context) { return new jvali(context); });
    registry.add(WindowName::Checking, [](AppContext& context) { return new Form9(context); });
    registry.add(WindowName::Statistics, [](AppContext& context) { return new tillis(context); });
}

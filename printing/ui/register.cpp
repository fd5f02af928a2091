#include "base/ui/windowregistry.h"
#include "printing/ui/listaus.h"
#include "printing/ui/listvali.h"
#include "printing/ui/vak.h"

void registerPrintingWindows(WindowRegistry& registry)
{
    registry.add("Listvali", [](AppContext& context) { return new Listvali(context); });
    registry.add("listaus", [](AppContext& context) { return new listaus(context); });
    registry.add("vak", [](AppContext& context) { return new vak(context); });
}

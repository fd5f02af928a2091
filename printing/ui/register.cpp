#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "printing/ui/listaus.h"
#include "printing/ui/listvali.h"
#include "printing/ui/vak.h"

void registerPrintingWindows(WindowRegistry& registry)
{
    registry.add(WindowName::PrintTarget, [](AppContext& context) { return new Listvali(context); });
    registry.add(WindowName::ScreenListing, [](AppContext& context) { return new listaus(context); });
    registry.add(WindowName::CouponPrint, [](AppContext& context) { return new vak(context); });
}

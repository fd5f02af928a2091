#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "printing/ui/couponprintwindow.h"
#include "printing/ui/printtargetwindow.h"
#include "printing/ui/screenlistingwindow.h"

void registerPrintingWindows(WindowRegistry& registry)
{
    registry.add(WindowName::PrintTarget, [](AppContext& context) { return new PrintTargetWindow(context); });
    registry.add(WindowName::ScreenListing, [](AppContext& context) { return new ScreenListingWindow(context); });
    registry.add(WindowName::CouponPrint, [](AppContext& context) { return new CouponPrintWindow(context); });
}

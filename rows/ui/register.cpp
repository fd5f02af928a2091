#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "rows/ui/basicrowwindow.h"
#include "rows/ui/conversionwindow.h"
#include "rows/ui/ownsystementrywindow.h"
#include "rows/ui/ownsystemshapewindow.h"
#include "rows/ui/reducedsystemchoicewindow.h"
#include "rows/ui/systempatternwindow.h"

void registerRowsWindows(WindowRegistry& registry)
{
    // Basic row entry and the reduced systems
    registry.add(WindowName::BasicRow, [](AppContext& context) { return new BasicRowWindow(context); });
    registry.add(WindowName::ReducedSystemChoice,
                 [](AppContext& context) { return new ReducedSystemChoiceWindow(context); });
    registry.add(WindowName::SystemPattern, [](AppContext& context) { return new SystemPatternWindow(context); });
    // Own systems
    registry.add(WindowName::OwnSystemShape, [](AppContext& context) { return new OwnSystemShapeWindow(context); });
    registry.add(WindowName::OwnSystemEntry, [](AppContext& context) { return new OwnSystemEntryWindow(context); });
    // Fitting an own system to the coupon
    registry.add(WindowName::Conversion, [](AppContext& context) { return new ConversionWindow(context); });
}

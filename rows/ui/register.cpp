#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "rows/ui/form6.h"
#include "rows/ui/formh.h"
#include "rows/ui/harat.h"
#include "rows/ui/jar.h"
#include "rows/ui/jst.h"
#include "rows/ui/kon.h"

void registerRowsWindows(WindowRegistry& registry)
{
    // Basic row entry and the reduced systems
    registry.add(WindowName::BasicRow, [](AppContext& context) { return new Form6(context); });
    registry.add(WindowName::ReducedSystemChoice, [](AppContext& context) { return new harat(context); });
    registry.add(WindowName::SystemPattern, [](AppContext& context) { return new Formh(context); });
    // Own systems
    registry.add(WindowName::OwnSystemShape, [](AppContext& context) { return new jar(context); });
    registry.add(WindowName::OwnSystemEntry, [](AppContext& context) { return new jst(context); });
    // Fitting an own system to the coupon
    registry.add(WindowName::Conversion, [](AppContext& context) { return new kon(context); });
}

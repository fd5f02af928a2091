#include "football/ui/listingprinting.h"

#include "base/ui/busycursor.h"
#include "football/printout.h"

namespace football {

bool printListing(AppContext& context, const Printout& printout, const QString& failureText)
{
    bool ok = false;
    {
        BusyCursor busy;
        PrintDevice& printer = context.services.printer;
        ok = printer.available() && printPaged(printer, printout);
    }
    if (!ok && !context.services.printer.cancelled())
        context.services.messages.show(failureText, Messages::Critical, "Tulosta");
    return ok;
}

} // namespace football

#include "football/ui/listingprinting.h"

#include "base/ui/busycursor.h"
#include "football/printout.h"
#include "football/ui/footballtexts.h"

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
        context.services.messages.show(failureText, Messages::Critical, kPrintTitle);
    return ok;
}

} // namespace football

#pragma once

#include "base/appcontext.h"

namespace football {

struct Printout;

// Prints a listing with the hourglass; a failure gets "Tulostus ei onnistu!".
bool printListing(AppContext& context, const Printout& printout, const QString& failureText = "Tulostus ei onnistu!");

} // namespace football

#pragma once

// The parts the football windows share, all at once; a window includes only
// the ones it uses.
#include "football/ui/datanavigator.h"
#include "football/ui/footballcontrols.h"
#include "football/ui/footballdatabaseflows.h"
#include "football/ui/lineeditbehaviours.h"
#include "football/ui/listingprinting.h"
#include "football/ui/recordbinder.h"
#include "football/ui/recordediting.h"

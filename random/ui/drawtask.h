#pragma once

#include "base/sharedstate.h"
#include "random/drawing.h"
#include "random/rowcount.h"

// The drawing task as the weighting, pattern and row-count windows leave it
// in the shared state, read in one place for the windows that act on it.

// DrawMode, the basic row, CommonWeight or MatchWeights, ExcludedSigns (only
// when WeightedDraw is 1), SystemMarks and DrawCount.
DrawPlan drawPlanOfTask(const SharedState& state);

// The guard counts of a random-row system and the totals of the per-match weighting.
RowCountLimits rowCountLimitsOfTask(const SharedState& state);

#pragma once

#include "systems/pruning.h"

// What the pruning hands the guarantee analysis with the rows it saved: the
// conditions that kept them, so the guarantee is also told over the rows they
// keep and not only over the whole frame.
struct KeptRowsHandOver {
    PruningSet set;
};

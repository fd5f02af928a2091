#pragma once

#include "systems/frame.h"
#include "systems/guaranteeanalysis.h"
#include "systems/pruning.h"

#include <QString>
#include <optional>

// What a window that saved rows hands the guarantee analysis with them: the
// frame they were made for, where they came from as the source line tells it,
// and what else it knows of them, so the analysis also tells the worth by the
// chances and the guarantee over the rows the conditions keep.
struct AnalysisHandOver {
    Frame frame;
    QString source;
    std::optional<SignChances> chances;
    std::optional<PruningSet> keptBy;
};

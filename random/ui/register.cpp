#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "random/ui/averageweightwindow.h"
#include "random/ui/drawingwindow.h"
#include "random/ui/drawkindwindow.h"
#include "random/ui/matchweightswindow.h"
#include "random/ui/rowcountwindow.h"
#include "random/ui/weightingkindwindow.h"

void registerRandomWindows(WindowRegistry& registry)
{
    registry.add(WindowName::DrawKind, [](AppContext& context) { return new DrawKindWindow(context); });
    registry.add(WindowName::WeightingKind, [](AppContext& context) { return new WeightingKindWindow(context); });
    registry.add(WindowName::AverageWeight, [](AppContext& context) { return new AverageWeightWindow(context); });
    registry.add(WindowName::MatchWeights, [](AppContext& context) { return new MatchWeightsWindow(context); });
    registry.add(WindowName::RowCount, [](AppContext& context) { return new RowCountWindow(context); });
    registry.add(WindowName::Drawing, [](AppContext& context) { return new DrawingWindow(context); });
}

#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "systems/ui/guaranteeanalysiswindow.h"
#include "systems/ui/ownsystemwindow.h"
#include "systems/ui/pruningwindow.h"
#include "systems/ui/worthwindow.h"

void registerSystemsWindows(WindowRegistry& registry)
{
    registry.add(WindowName::GuaranteeAnalysis,
                 [](AppContext& context) { return new GuaranteeAnalysisWindow(context); });
    registry.add(WindowName::OwnReducedSystem, [](AppContext& context) { return new OwnSystemWindow(context); });
    registry.add(WindowName::Pruning, [](AppContext& context) { return new PruningWindow(context); });
    registry.add(WindowName::Worth, [](AppContext& context) { return new WorthWindow(context); });
}

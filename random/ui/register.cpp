#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "random/ui/form11.h"
#include "random/ui/form2.h"
#include "random/ui/form3.h"
#include "random/ui/form4.h"
#include "random/ui/form7.h"
#include "random/ui/form8.h"

void registerRandomWindows(WindowRegistry& registry)
{
    registry.add(WindowName::DrawKind, [](AppContext& context) { return new Form11(context); });
    registry.add(WindowName::WeightingKind, [](AppContext& context) { return new Form2(context); });
    registry.add(WindowName::AverageWeight, [](AppContext& context) { return new Form3(context); });
    registry.add(WindowName::MatchWeights, [](AppContext& context) { return new Form8(context); });
    registry.add(WindowName::RowCount, [](AppContext& context) { return new Form4(context); });
    registry.add(WindowName::Drawing, [](AppContext& context) { return new Form7(context); });
}

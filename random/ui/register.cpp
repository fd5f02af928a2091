#include "base/ui/windowregistry.h"
#include "random/ui/form11.h"
#include "random/ui/form2.h"
#include "random/ui/form3.h"
#include "random/ui/form4.h"
#include "random/ui/form7.h"
#include "random/ui/form8.h"

void registerRandomWindows(WindowRegistry& registry)
{
    registry.add("Form11", [](AppContext& context) { return new Form11(context); });
    registry.add("Form2", [](AppContext& context) { return new Form2(context); });
    registry.add("Form3", [](AppContext& context) { return new Form3(context); });
    registry.add("Form8", [](AppContext& context) { return new Form8(context); });
    registry.add("Form4", [](AppContext& context) { return new Form4(context); });
    registry.add("Form7", [](AppContext& context) { return new Form7(context); });
}

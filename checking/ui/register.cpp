#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "checking/ui/checkfiletypewindow.h"
#include "checking/ui/checkingwindow.h"
#include "checking/ui/statisticswindow.h"

void registerCheckingWindows(WindowRegistry& registry)
{
    registry.add(WindowName::CheckFileType, [](AppContext& context) { return new CheckFileTypeWindow(context); });
    registry.add(WindowName::Checking, [](AppContext& context) { return new CheckingWindow(context); });
    registry.add(WindowName::Statistics, [](AppContext& context) { return new StatisticsWindow(context); });
}

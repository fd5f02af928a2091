#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "football/ui/databasechoicewindow.h"
#include "football/ui/hintrowwindow.h"
#include "football/ui/leaguetablewindow.h"
#include "football/ui/playerwindow.h"
#include "football/ui/resultswindow.h"
#include "football/ui/teamwindow.h"

using namespace football;

void registerFootballWindows(WindowRegistry& registry)
{
    registry.add(WindowName::DatabaseChoice, [](AppContext& c) { return new DatabaseChoiceWindow(c); });
    registry.add(WindowName::Teams, [](AppContext& c) { return new TeamWindow(c); });
    registry.add(WindowName::Players, [](AppContext& c) { return new PlayerWindow(c); });
    registry.add(WindowName::Results, [](AppContext& c) { return new ResultsWindow(c); });
    registry.add(WindowName::LeagueTable, [](AppContext& c) { return new LeagueTableWindow(c); });
    registry.add(WindowName::HintRow, [](AppContext& c) { return new HintRowWindow(c); });
}

#include "base/ui/windownames.h"
#include "base/ui/windowregistry.h"
#include "football/ui/kannat.h"
#include "football/ui/kanta.h"
#include "football/ui/pelaajat.h"
#include "football/ui/tilanne.h"
#include "football/ui/tulos.h"
#include "football/ui/vihje.h"

using namespace football;

void registerFootballWindows(WindowRegistry& registry)
{
    registry.add(WindowName::DatabaseChoice, [](AppContext& c) { return new kannat(c); });
    registry.add(WindowName::Teams, [](AppContext& c) { return new kanta(c); });
    registry.add(WindowName::Players, [](AppContext& c) { return new pelaajat(c); });
    registry.add(WindowName::Results, [](AppContext& c) { return new tulos(c); });
    registry.add(WindowName::LeagueTable, [](AppContext& c) { return new tilanne(c); });
    registry.add(WindowName::HintRow, [](AppContext& c) { return new vihje(c); });
}

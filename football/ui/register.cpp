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
    registry.add("kannat", [](AppContext& c) { return new kannat(c); });
    registry.add("kanta", [](AppContext& c) { return new kanta(c); });
    registry.add("pelaajat", [](AppContext& c) { return new pelaajat(c); });
    registry.add("tulos", [](AppContext& c) { return new tulos(c); });
    registry.add("tilanne", [](AppContext& c) { return new tilanne(c); });
    registry.add("vihje", [](AppContext& c) { return new vihje(c); });
}

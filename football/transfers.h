#pragma once

#include "base/outcome.h"

#include <QString>

namespace football {

class FootballDb;

// Moves the team record `rowId` of league `from` into league `to`: its name,
// home town, ground, manager and every statistic go along; the update date
// does not. The team's players stay where they are. One transaction: on
// failure both tables are as they were.
Outcome<> moveTeam(FootballDb& db, int from, int to, qint64 rowId);

// Moves the player record `rowId` of league `from` into league `to`. His team
// there is not known yet, so it becomes "?"; position, goals and absence go
// along, the update date does not. One transaction, like moveTeam.
Outcome<> movePlayer(FootballDb& db, int from, int to, qint64 rowId);

} // namespace football

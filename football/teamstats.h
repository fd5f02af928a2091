#pragma once

#include "football/footballdb.h"

#include <QList>
#include <array>

namespace football {

// The statistics of a team record, indexed by team column position
// (team::Points .. team::AwayGoalsAgainst); the other entries are unused.
using TeamStatistics = std::array<qint64, team::LastStatistic + 1>;

// The user changed the statistic at `position`. Keeps the totals equal to home
// plus away and, after a change of a win, draw or loss, that venue's matches
// and points in line with them. Returns the positions whose value changed.
QList<int> keepTotals(TeamStatistics& stats, int position);

// Every statistic of a team: positions team::FirstStatistic .. team::LastStatistic.
QList<int> statisticPositions();

} // namespace football

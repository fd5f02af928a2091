#include "football/teamstats.h"

namespace football {

namespace {

struct Venue {
    int played, points, wins, draws, losses;
};
constexpr Venue kHome{team::HomePlayed, team::HomePoints, team::HomeWins, team::HomeDraws, team::HomeLosses};
constexpr Venue kAway{team::AwayPlayed, team::AwayPoints, team::AwayWins, team::AwayDraws, team::AwayLosses};

// total, home, away
constexpr std::array<std::array<int, 3>, 7> kSums = {{
    {team::Played, team::HomePlayed, team::AwayPlayed},
    {team::Points, team::HomePoints, team::AwayPoints},
    {team::GoalsFor, team::HomeGoalsFor, team::AwayGoalsFor},
    {team::GoalsAgainst, team::HomeGoalsAgainst, team::AwayGoalsAgainst},
    {team::Wins, team::HomeWins, team::AwayWins},
    {team::Draws, team::HomeDraws, team::AwayDraws},
    {team::Losses, team::HomeLosses, team::AwayLosses},
}};

void set(TeamStatistics& s, int position, qint64 value, QList<int>& changed)
{
    if (s[position] == value)
        return;
    s[position] = value;
    if (!changed.contains(position))
        changed << position;
}

void updateTotalOf(TeamStatistics& s, int position, QList<int>& changed)
{
    for (const auto& sum : kSums)
        if (sum[1] == position || sum[2] == position)
            set(s, sum[0], s[sum[1]] + s[sum[2]], changed);
}

} // namespace

QList<int> keepTotals(TeamStatistics& s, int position)
{
    QList<int> changed;
    updateTotalOf(s, position, changed);
    for (const Venue& v : {kHome, kAway}) {
        if (position != v.wins && position != v.draws && position != v.losses)
            continue;
        const qint64 played = s[v.wins] + s[v.draws] + s[v.losses];
        if (s[v.played] != played) {
            set(s, v.played, played, changed);
            updateTotalOf(s, v.played, changed);
        }
        const qint64 points = 3 * s[v.wins] + s[v.draws];
        if (s[v.points] != points) {
            set(s, v.points, points, changed);
            updateTotalOf(s, v.points, changed);
        }
    }
    return changed;
}

QList<int> statisticPositions()
{
    QList<int> out;
    for (int p = team::FirstStatistic; p <= team::LastStatistic; ++p)
        out << p;
    return out;
}

} // namespace football

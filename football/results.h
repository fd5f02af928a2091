#pragma once

#include "base/outcome.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace football {

class FootballDb;

// What one played match gives each team: 3 points for a win, 1 for a draw.
struct MatchOutcome {
    int homePoints = 0, awayPoints = 0;
    int homeWins = 0, homeDraws = 0, homeLosses = 0;
    int awayWins = 0, awayDraws = 0, awayLosses = 0;
};
MatchOutcome matchOutcome(int homeGoals, int awayGoals);

// A team's form after a match: the oldest of its last three results drops out
// and this match's points come in. A team without form starts from 0, 0.
using FormValues = std::array<int, 3>; // k1, k2, k3
FormValues shiftedForm(const std::optional<FormValues>& before, int points);

struct PlayedMatch {
    int league = 0;
    QString home;
    QString away;
    int homeGoals = 0;
    int awayGoals = 0;
    QString date; // "dd.mm.yyyy"; empty leaves the teams' dates as they were
};

// Adds the match to the totals and to the home columns of the home team and
// the away columns of the away team (every record of that name in the
// league's team table), and to both teams' form. `db` has the form database
// attached (FootballDb::openWithForm). Everything is written in one
// transaction: on failure nothing has changed.
Outcome<> saveMatch(FootballDb& db, const PlayedMatch& match);

// A player the user may credit goals to.
struct ScorerCandidate {
    QString player;
    QString team;
};
// The players of the teams that scored in the match, in table order.
Outcome<QList<ScorerCandidate>> scorerCandidates(FootballDb& db, int league, const QString& home, bool homeScored,
                                                 const QString& away, bool awayScored);
// How a candidate is listed: the name in a 20-character field, then the team.
QString scorerItemText(const ScorerCandidate& candidate);

// Adds `goals` to every record of the player in his team in the league's
// player table, in one transaction. Gives the records credited.
Outcome<int> creditScorer(FootballDb& db, int league, const ScorerCandidate& scorer, int goals, const QString& date);

} // namespace football

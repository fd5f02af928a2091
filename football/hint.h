#pragma once

#include <QPair>
#include <QString>
#include <optional>

namespace football {

class FootballDb;
class RecordSet;

// What the hint rule knows of a team: its figures at the venue it plays at.
struct HintSide {
    int points = 0;
    int wins = 0, draws = 0, losses = 0;
    int goalRatio = 0; // conceded per scored, rounded; lower is better
};

// Goals conceded divided by goals scored, a divisor below 1 taken as 1,
// rounded to a whole number (halves to the even one).
int goalRatio(qint64 conceded, qint64 scored);

struct HintScores {
    int one = 0, draw = 0, two = 0;
};
// s1 = home wins + away losses, sX = both draws, s2 = home losses + away wins;
// with points taken into account the side with more points gets 3 more.
HintScores hintScores(const HintSide& home, const HintSide& away, bool usePoints);
// The sign the scores point to: the highest score; a tie between "1" and "X"
// gives "1", between "2" and "X" gives "2", between "1" and "2" or all three "X".
QChar hintSign(const HintScores& scores);

// The "+"/"-" marks of the home and away boxes for a sign.
QPair<QString, QString> signMarks(QChar sign);
// The sign of the goal-ratio comparison (the lower ratio is better).
QChar goalRatioSign(int homeRatio, int awayRatio);
// The sign of the form comparison (the higher form is better).
QChar formSign(int homeForm, int awayForm);

enum class Venue { Home, Away };
// The figures of `team` at `venue` from the league's team table (a plain table
// record source); when the name occurs twice the last record counts. Nothing
// when the team is not there.
std::optional<HintSide> readHintSide(RecordSet& teams, int league, const QString& team, Venue venue);

// A team's form: the sum of its last three results in the form table;
// nothing when the team has no form yet.
std::optional<int> readForm(FootballDb& formDb, const QString& team);

} // namespace football

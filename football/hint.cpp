#include "football/hint.h"

#include "base/textformat.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/recordset.h"

#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace football {

// A figure of a damaged or hand-edited database may be anything. Held within
// a billion either way, it still compares the right way, and the rule's sums
// of two figures stay within int.
static int boundedFigure(double x)
{
    constexpr double kBound = 1e9;
    return std::isnan(x) ? 0 : int(std::clamp(x, -kBound, kBound));
}

int goalRatio(qint64 conceded, qint64 scored)
{
    const double divisor = scored < 1 ? 1.0 : double(scored);
    return boundedFigure(roundHalfEven(double(conceded) / divisor));
}

HintScores hintScores(const HintSide& home, const HintSide& away, bool usePoints)
{
    HintScores s{home.wins + away.losses, home.draws + away.draws, home.losses + away.wins};
    if (usePoints) {
        if (home.points > away.points)
            s.one += 3;
        if (away.points > home.points)
            s.two += 3;
    }
    return s;
}

QChar hintSign(const HintScores& s)
{
    if (s.one > s.draw && s.one > s.two)
        return '1';
    if (s.draw > s.one && s.draw > s.two)
        return 'X';
    if (s.two > s.draw && s.two > s.one)
        return '2';
    if (s.one == s.draw && s.one > s.two)
        return '1';
    if (s.two == s.draw && s.two > s.one)
        return '2';
    return 'X'; // "1" and "2" level above "X", or all three level
}

QPair<QString, QString> signMarks(QChar sign)
{
    if (sign == '1')
        return {"+", "-"};
    if (sign == '2')
        return {"-", "+"};
    return {"+ -", "+ -"};
}

QChar goalRatioSign(int homeRatio, int awayRatio)
{
    return homeRatio < awayRatio ? '1' : homeRatio == awayRatio ? 'X' : '2';
}

QChar formSign(int homeForm, int awayForm)
{
    return homeForm > awayForm ? '1' : homeForm == awayForm ? 'X' : '2';
}

std::optional<HintSide> readHintSide(RecordSet& teams, int leagueIndex, const QString& teamName, Venue venue)
{
    teams.setRecordSource(QString::fromUtf8(league(leagueIndex).teamTable));
    if (!teams.refresh())
        return std::nullopt;
    std::optional<HintSide> side;
    const bool home = venue == Venue::Home;
    for (teams.moveFirst(); !teams.eof(); teams.moveNext()) {
        if (teams.text(team::Name) != teamName)
            continue;
        HintSide s;
        s.points = boundedFigure(double(teams.number(home ? team::HomePoints : team::AwayPoints)));
        s.wins = boundedFigure(double(teams.number(home ? team::HomeWins : team::AwayWins)));
        s.draws = boundedFigure(double(teams.number(home ? team::HomeDraws : team::AwayDraws)));
        s.losses = boundedFigure(double(teams.number(home ? team::HomeLosses : team::AwayLosses)));
        s.goalRatio = home ? goalRatio(teams.number(team::HomeGoalsAgainst), teams.number(team::HomeGoalsFor))
                           : goalRatio(teams.number(team::AwayGoalsAgainst), teams.number(team::AwayGoalsFor));
        side = s;
    }
    return side;
}

std::optional<int> readForm(FootballDb& formDb, const QString& teamName)
{
    QSqlQuery query(formDb.database());
    query.prepare(
        QStringLiteral("select k1, k2, k3 from %1 where joukkue = ? order by rowid limit 1").arg(formDb.formTable()));
    query.addBindValue(teamName);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return boundedFigure(
        roundHalfEven(query.value(0).toDouble() + query.value(1).toDouble() + query.value(2).toDouble()));
}

} // namespace football

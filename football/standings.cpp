#include "football/standings.h"

#include "base/textformat.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/recordset.h"

namespace football {

QString viewName(StandingsView view)
{
    switch (view) {
    case StandingsView::Home:
        return QStringLiteral("Kotona");
    case StandingsView::Away:
        return QStringLiteral("Vieraissa");
    default:
        return QStringLiteral("Yhteensä");
    }
}

const QStringList& standingsTitles()
{
    static const QStringList titles = {"Joukkue", "Ottelut", "Voitot",    "Tasapelit",
                                       "Häviöt",  "Tehdyt",  "Päästetyt", "Pisteet"};
    return titles;
}

QString standingsChoiceCaption(int choice)
{
    return choice == kAllLeagues ? QStringLiteral("Kaikki") : leagueCaption(choice - 1);
}

GridRow standingsRow(const RecordSet& teams, StandingsView view)
{
    using namespace team;
    static constexpr int columns[3][7] = {
        {Played, Wins, Draws, Losses, GoalsFor, GoalsAgainst, Points},
        {HomePlayed, HomeWins, HomeDraws, HomeLosses, HomeGoalsFor, HomeGoalsAgainst, HomePoints},
        {AwayPlayed, AwayWins, AwayDraws, AwayLosses, AwayGoalsFor, AwayGoalsAgainst, AwayPoints},
    };
    GridRow row;
    row.reserve(8);
    row << teams.text(Name);
    for (int position : columns[int(view)])
        row << teams.text(position);
    return row;
}

Outcome<> listStandings(RecordSet& teams, int choice, StandingsView view, QList<GridRow>& rows,
                        const std::function<void()>& afterRecord)
{
    rows.clear();
    const GridRow empty(8);
    bool first = true;
    for (int l = 0; l < kLeagueCount; ++l) {
        if (choice != kAllLeagues && choice != l + 1)
            continue;
        if (first) {
            GridRow heading = empty;
            if (l == 0)
                heading[0] = QStringLiteral("VALIOLIIGA");
            rows << heading;
        } else {
            rows << empty;
            rows << (GridRow{leagueCaption(l)} + standingsTitles().mid(1));
        }
        first = false;
        teams.setRecordSource(standingsQuery(l));
        if (Outcome<> read = teams.refresh(); !read)
            return read.failure();
        for (teams.moveFirst(); !teams.eof(); teams.moveNext()) {
            rows << standingsRow(teams, view);
            if (afterRecord)
                afterRecord();
        }
    }
    return {};
}

QString standingsHeading(StandingsView view, const QString& leagueCaption)
{
    return QStringLiteral("Sarjatilanne    ") + viewName(view) + QStringLiteral("    ") + leagueCaption;
}

namespace {

QList<GridRow> withTitles(const QList<GridRow>& rows)
{
    return QList<GridRow>{standingsTitles()} + rows;
}

} // namespace

Printout standingsPrintout(StandingsView view, const QString& leagueCaption, const QList<GridRow>& rows,
                           const QDate& today)
{
    Printout out;
    const QString heading = atPosition(3, standingsHeading(view, leagueCaption));
    out.heading = [heading](int) { return QStringList{QString(), QString(), heading, QString()}; };
    for (const GridRow& row : withTitles(rows)) {
        TabLine line;
        for (int c = 0; c < 8 && c < row.size(); ++c)
            line.at(kStandingsColumns[c], row[c]);
        out.rows << rightTrimmed(line.lines());
    }
    out.footer = printFooter(today);
    return out;
}

QByteArray standingsFile(StandingsView view, const QString& leagueCaption, const QList<GridRow>& rows,
                         const QDate& today)
{
    QStringList lines = {QString(), QString(), atPosition(3, standingsHeading(view, leagueCaption)), " "};
    for (const GridRow& row : withTitles(rows)) {
        TabLine line;
        line.at(kStandingsColumns[0], ' ' + row.value(0));
        for (int c = 1; c < 8; ++c)
            line.at(kStandingsColumns[c], row.value(c));
        line.append(" ");
        lines << line.lines();
    }
    lines << " "
          << " " << atPosition(3, printFooter(today));
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += toAnsi(l) + "\r\n";
    return bytes;
}

} // namespace football

#pragma once

#include "base/outcome.h"
#include "football/printout.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace football {

class RecordSet;

// The three views of the league table.
enum class StandingsView { Total = 0, Home = 1, Away = 2 };
QString viewName(StandingsView view); // "Yhteensä", "Kotona", "Vieraissa"

// The grid's title row.
const QStringList& standingsTitles();

// The league choice of the league table: 0 all leagues, 1..6 one league.
inline constexpr int kAllLeagues = 0;
QString standingsChoiceCaption(int choice); // "Kaikki", "Valioliiga" ...

using GridRow = QStringList; // the 8 cells of a grid row

// A team record's grid row in `view`: the name and seven figures, read by
// column position from the current record of `teams`.
GridRow standingsRow(const RecordSet& teams, StandingsView view);

// The rows under the title row for league `choice`: the first listed league
// from the second row on (Valioliiga headed "VALIOLIIGA"); in the all-leagues
// listing every later league after an empty row and a heading row with its
// caption and the titles. Each league in the order of its standings query.
// `afterRecord` runs after each record (so a window can stay responsive).
// Fails when a table could not be read; the rows listed by then stay.
Outcome<> listStandings(RecordSet& teams, int choice, StandingsView view, QList<GridRow>& rows,
                        const std::function<void()>& afterRecord = {});

// The heading of the print-out and the file: the view and the league.
QString standingsHeading(StandingsView view, const QString& leagueCaption);

// The print-out of a listing: the title row and the rows, page by page.
Printout standingsPrintout(StandingsView view, const QString& leagueCaption, const QList<GridRow>& rows,
                           const QDate& today);

// The text file of a listing, as Windows-1252 bytes with CR LF line ends.
QByteArray standingsFile(StandingsView view, const QString& leagueCaption, const QList<GridRow>& rows,
                         const QDate& today);

// Columns of the print-out and the file.
inline constexpr int kStandingsColumns[8] = {3, 19, 27, 34, 45, 53, 61, 71};

} // namespace football

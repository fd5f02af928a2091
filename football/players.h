#pragma once

#include "base/outcome.h"
#include "football/printout.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace football {

class RecordSet;

using ListRow = QStringList;

// The player list of the team window: goals, name and absence.
const QStringList& teamPlayerTitles();
// The scorer list of the player window: goals, name, team and absence.
const QStringList& scorerTitles();

// How an absent player is marked in the lists.
QString absenceMark(bool absent);

// The players of `team`, most goals first, ties by name.
Outcome<QList<ListRow>> listTeamPlayers(RecordSet& players, int league, const QString& team);

// The league's players with goals, most goals first, then by team and name.
// `afterRecord(done, total)` runs after each record.
Outcome<QList<ListRow>> listScorers(RecordSet& players, int league,
                                    const std::function<void(int done, int total)>& afterRecord = {});

// Print-outs of the two lists, the title row first.
Printout teamPlayersPrintout(const QString& team, const QList<ListRow>& rows, const QDate& today);
Printout scorersPrintout(const QList<ListRow>& rows, const QDate& today);

} // namespace football

#include "football/transfers.h"

#include "football/footballdb.h"
#include "football/leagues.h"

#include <QSqlError>
#include <QSqlQuery>

namespace football {

namespace {

// Copies `columns` of one record into a new record of `toTable` (with
// `overrides` replacing some values) and deletes the original.
Outcome<> moveRecord(FootballDb& db, const QString& fromTable, const QString& toTable, qint64 rowId,
                     const QStringList& columns, const QList<QPair<QString, QVariant>>& overrides)
{
    auto fail = [&](const Failure& why) {
        db.rollback();
        return why;
    };
    if (Outcome<> begun = db.begin(); !begun)
        return begun;
    QStringList quoted;
    for (const QString& c : columns)
        quoted << quotedName(c);
    QVariantList values;
    {
        QSqlQuery read(db.database());
        read.prepare(QStringLiteral("select %1 from %2 where rowid = ?").arg(quoted.join(", "), quotedName(fromTable)));
        read.addBindValue(rowId);
        if (!read.exec())
            return fail(databaseFailure(read.lastError()));
        if (!read.next())
            return fail({Cause::Failed, QStringLiteral("Siirrettävää tietuetta ei enää ole.")});
        for (int i = 0; i < columns.size(); ++i)
            values << read.value(i);
    }
    for (const auto& [column, value] : overrides) {
        const int at = columns.indexOf(column);
        if (at >= 0)
            values[at] = value;
    }
    if (Outcome<> added = db.exec(insertRecordSql(toTable, quoted), values); !added)
        return fail(added.failure());
    if (Outcome<> removed = db.exec(deleteRecordSql(fromTable), {rowId}); !removed)
        return fail(removed.failure());
    return db.commit();
}

} // namespace

Outcome<> moveTeam(FootballDb& db, int from, int to, qint64 rowId)
{
    const QStringList columns = teamColumns().mid(0, team::Updated);
    return moveRecord(db, league(from).teamTable, league(to).teamTable, rowId, columns, {});
}

Outcome<> movePlayer(FootballDb& db, int from, int to, qint64 rowId)
{
    const QStringList columns = playerColumns().mid(0, 5);
    return moveRecord(db, league(from).playerTable, league(to).playerTable, rowId, columns,
                      {{"joukkue", QStringLiteral("?")}});
}

} // namespace football

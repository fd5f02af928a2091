#include "football/players.h"

#include "base/textformat.h"
#include "football/leagues.h"
#include "football/recordset.h"

namespace football {

const QStringList& teamPlayerTitles()
{
    static const QStringList titles = {"Maalit", "Pelaaja", "Poissa?"};
    return titles;
}

const QStringList& scorerTitles()
{
    static const QStringList titles = {"Maalit", "Pelaaja", "Joukkue", "Poissa?"};
    return titles;
}

QString absenceMark(bool absent)
{
    return absent ? QStringLiteral("Poissa!") : QString();
}

namespace {

bool absent(const RecordSet& players)
{
    return players.number("poissa") != 0;
}

QStringList lineOf(const ListRow& row, const QList<int>& columns)
{
    TabLine line;
    for (int c = 0; c < columns.size() && c < row.size(); ++c)
        line.at(columns[c], row[c]);
    return rightTrimmed(line.lines());
}

} // namespace

Outcome<QList<ListRow>> listTeamPlayers(RecordSet& players, int leagueIndex, const QString& team)
{
    players.setRecordSource(scorerListQuery(leagueIndex));
    if (Outcome<> read = players.refresh(); !read)
        return read.failure();
    QList<ListRow> rows;
    for (players.moveFirst(); !players.eof(); players.moveNext())
        if (players.text("joukkue") == team)
            rows << ListRow{players.text("maaleja"), players.text("pelaaja"), absenceMark(absent(players))};
    return rows;
}

Outcome<QList<ListRow>> listScorers(RecordSet& players, int leagueIndex,
                                    const std::function<void(int done, int total)>& afterRecord)
{
    players.setRecordSource(scorerPrintQuery(leagueIndex));
    if (Outcome<> read = players.refresh(); !read)
        return read.failure();
    QList<ListRow> rows;
    const int total = players.recordCount();
    for (players.moveFirst(); !players.eof(); players.moveNext()) {
        rows << ListRow{players.text("maaleja"), players.text("pelaaja"), players.text("joukkue"),
                        absenceMark(absent(players))};
        if (afterRecord)
            afterRecord(int(rows.size()), total);
    }
    return rows;
}

Printout teamPlayersPrintout(const QString& team, const QList<ListRow>& rows, const QDate& today)
{
    Printout out;
    const QString heading = atPosition(10, QStringLiteral("Pelaajat   ") + team);
    out.heading = [heading](int page) {
        if (page == 1)
            return QStringList{QString(), QString(), heading, QString()};
        return QStringList{QString(), atPosition(10, kMainTitle), QString(), heading, QString()};
    };
    out.rows << lineOf(teamPlayerTitles(), {10, 18, 40});
    for (const ListRow& row : rows)
        out.rows << lineOf(row, {10, 18, 40});
    out.footer = printFooter(today);
    return out;
}

Printout scorersPrintout(const QList<ListRow>& rows, const QDate& today)
{
    Printout out;
    out.heading = [](int page) {
        TabLine heading;
        heading.at(10, QStringLiteral("Maalintekijät")).at(75, signedNumber(page));
        return QStringList{QString(), QString()} + heading.lines() + QStringList{QString()};
    };
    out.rows << lineOf(scorerTitles(), {10, 18, 40, 58});
    for (const ListRow& row : rows)
        out.rows << lineOf(row, {10, 18, 40, 58});
    out.footer = printFooter(today);
    return out;
}

} // namespace football

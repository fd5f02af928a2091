#include "football/results.h"

#include "football/footballdb.h"
#include "football/leagues.h"

#include <QSqlError>
#include <QSqlQuery>

namespace football {

MatchOutcome matchOutcome(int homeGoals, int awayGoals)
{
    MatchOutcome o;
    if (homeGoals > awayGoals) {
        o.homePoints = 3;
        o.homeWins = 1;
        o.awayLosses = 1;
    } else if (homeGoals == awayGoals) {
        o.homePoints = o.awayPoints = 1;
        o.homeDraws = o.awayDraws = 1;
    } else {
        o.awayPoints = 3;
        o.homeLosses = 1;
        o.awayWins = 1;
    }
    return o;
}

FormValues shiftedForm(const std::optional<FormValues>& before, int points)
{
    if (!before)
        return {0, 0, points};
    return {(*before)[1], (*before)[2], points};
}

namespace {

struct TeamChange {
    const QString& name;
    int points, wins, draws, losses, scored, conceded;
    bool home;
};

Outcome<> addToTeam(FootballDb& db, const QString& table, const TeamChange& c, const QString& date)
{
    const QString p = c.home ? "k" : "v";
    const QString venue = c.home ? "kot" : "vot";
    auto add = [](const QString& column) { return QStringLiteral("%1 = coalesce(%1, 0) + ?").arg(column); };
    const QStringList sets = {
        add("pisteet"),  add("ottelut"), add("mkot"),    add("mvie"),    add("okot"),
        add("otas"),     add("ovie"),    add(venue),     add(p + "pis"), add(p + "mkot"),
        add(p + "mvie"), add(p + "kot"), add(p + "tas"), add(p + "vie"), "pvm = coalesce(?, pvm)"};
    const QVariantList values = {
        c.points,   1,        c.scored, c.conceded, c.wins,
        c.draws,    c.losses, 1,        c.points,   c.scored,
        c.conceded, c.wins,   c.draws,  c.losses,   date.isEmpty() ? QVariant() : QVariant(date),
        c.name};
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("update %1 set %2 where Joukkue = ?").arg(quotedName(table), sets.join(", ")));
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        return databaseFailure(query.lastError());
    if (query.numRowsAffected() < 1)
        return Failure{Cause::Failed, QStringLiteral("Joukkuetta %1 ei löydy.").arg(c.name)};
    return {};
}

Outcome<> addToForm(FootballDb& db, const QString& teamName, int points)
{
    QSqlQuery find(db.database());
    find.prepare(QStringLiteral("select rowid, k1, k2, k3 from %1 where joukkue = ? order by rowid limit 1")
                     .arg(db.formTable()));
    find.addBindValue(teamName);
    if (!find.exec())
        return databaseFailure(find.lastError());
    std::optional<FormValues> before;
    qint64 id = 0;
    if (find.next()) {
        id = find.value(0).toLongLong();
        before = FormValues{find.value(1).toInt(), find.value(2).toInt(), find.value(3).toInt()};
    }
    find.finish();
    const FormValues after = shiftedForm(before, points);
    return before ? db.exec(QStringLiteral("update %1 set k1 = ?, k2 = ?, k3 = ? where rowid = ?").arg(db.formTable()),
                            {after[0], after[1], after[2], id})
                  : db.exec(QStringLiteral("insert into %1 (joukkue, k1, k2, k3) values (?, ?, ?, ?)").arg(db.formTable()),
                            {teamName, after[0], after[1], after[2]});
}

} // namespace

Outcome<> saveMatch(FootballDb& db, const PlayedMatch& m)
{
    const MatchOutcome o = matchOutcome(m.homeGoals, m.awayGoals);
    const QString table = QString::fromUtf8(league(m.league).teamTable);
    const TeamChange home{m.home, o.homePoints, o.homeWins, o.homeDraws, o.homeLosses, m.homeGoals, m.awayGoals, true};
    const TeamChange away{m.away, o.awayPoints, o.awayWins, o.awayDraws, o.awayLosses, m.awayGoals, m.homeGoals, false};
    if (Outcome<> begun = db.begin(); !begun)
        return begun;
    Outcome<> done = addToTeam(db, table, home, m.date);
    if (done)
        done = addToTeam(db, table, away, m.date);
    if (done)
        done = addToForm(db, m.home, o.homePoints);
    if (done)
        done = addToForm(db, m.away, o.awayPoints);
    if (!done) {
        db.rollback();
        return done;
    }
    return db.commit();
}

Outcome<QList<ScorerCandidate>> scorerCandidates(FootballDb& db, int leagueIndex, const QString& home,
                                                 bool homeScored, const QString& away, bool awayScored)
{
    QList<ScorerCandidate> out;
    QSqlQuery query(db.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select pelaaja, joukkue from %1 order by rowid")
                        .arg(quotedName(league(leagueIndex).playerTable))))
        return databaseFailure(query.lastError());
    while (query.next()) {
        const QString team = query.value(1).toString();
        if ((homeScored && team == home) || (awayScored && team == away))
            out << ScorerCandidate{query.value(0).toString(), team};
    }
    return out;
}

QString scorerItemText(const ScorerCandidate& c)
{
    // A name that fills the field still keeps a blank before the team.
    const QString name = c.player.size() >= 20 ? c.player + ' ' : c.player.leftJustified(20, ' ');
    return name + c.team;
}

Outcome<int> creditScorer(FootballDb& db, int leagueIndex, const ScorerCandidate& scorer, int goals,
                          const QString& date)
{
    if (Outcome<> begun = db.begin(); !begun)
        return begun.failure();
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("update %1 set maaleja = coalesce(maaleja, 0) + ?, pvm = coalesce(?, pvm) "
                                 "where pelaaja = ? and joukkue = ?")
                      .arg(quotedName(league(leagueIndex).playerTable)));
    query.addBindValue(goals);
    query.addBindValue(date.isEmpty() ? QVariant() : QVariant(date));
    query.addBindValue(scorer.player);
    query.addBindValue(scorer.team);
    if (!query.exec()) {
        const Failure failed = databaseFailure(query.lastError());
        db.rollback();
        return failed;
    }
    const int credited = query.numRowsAffected();
    query.finish();
    if (Outcome<> committed = db.commit(); !committed)
        return committed.failure();
    return credited;
}

} // namespace football

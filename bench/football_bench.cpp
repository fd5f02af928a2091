#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/recordset.h"
#include "football/results.h"
#include "football/standings.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace football;

namespace {

// The database driver wants an application object; other benchmarks may have made one.
void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "rk_bench";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

// Both database files with `teamsPerLeague` teams in every league.
struct FullDatabase {
    QTemporaryDir dir;
    std::unique_ptr<FootballDb> db;
    explicit FullDatabase(int teamsPerLeague)
    {
        ensureApplication();
        db = FootballDb::openWithForm(dir.path()).valueOr(nullptr);
        db->begin();
        for (int l = 0; l < kLeagueCount; ++l) {
            for (int t = 0; t < teamsPerLeague; ++t) {
                const int points = (t * 37) % 90;
                const int scored = (t * 13) % 70;
                const int conceded = (t * 29) % 70;
                db->exec(QStringLiteral("insert into %1 (Joukkue, pisteet, ottelut, okot, otas, ovie, mkot, mvie, "
                                        "kot, kpis, kmkot, kmvie, vot, vpis, vmkot, vmvie, pvm) "
                                        "values (?, ?, 38, ?, ?, ?, ?, ?, 19, ?, ?, ?, 19, ?, ?, ?, '08.12.2026')")
                             .arg(league(l).teamTable),
                         {QStringLiteral("Joukkue %1-%2").arg(l).arg(t), points, points / 3, points % 3,
                          38 - points / 3 - points % 3, scored, conceded, points / 2, scored / 2, conceded / 2,
                          points - points / 2, scored - scored / 2, conceded - conceded / 2});
            }
        }
        db->commit();
    }
};

} // namespace

// "Kaikki" in the league table: six leagues of 100 teams read and turned into grid rows.
static void BM_FootballStandingsAllLeagues(benchmark::State& state)
{
    FullDatabase data(100);
    RecordSet teams(*data.db);
    QList<GridRow> rows;
    for (auto _ : state) {
        listStandings(teams, kAllLeagues, StandingsView::Total, rows);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_FootballStandingsAllLeagues)->Unit(benchmark::kMillisecond);

// Saving one match: both teams' figures and form, in one transaction.
static void BM_FootballSaveMatch(benchmark::State& state)
{
    FullDatabase data(100);
    int round = 0;
    for (auto _ : state) {
        PlayedMatch match{4,
                          QStringLiteral("Joukkue 4-%1").arg(round % 100),
                          QStringLiteral("Joukkue 4-%1").arg((round + 7) % 100),
                          round % 4,
                          round % 3,
                          QStringLiteral("08.12.2026")};
        if (!saveMatch(*data.db, match))
            state.SkipWithError("saving failed");
        ++round;
    }
}
BENCHMARK(BM_FootballSaveMatch)->Unit(benchmark::kMillisecond);

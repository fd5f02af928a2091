// The football databases: a file of any bytes under the names RK32.MDB and
// RKPRO.dem, opened through the program's own opening code, then the reads
// the league-table, scorer and hint windows make with what they read.
#include "football/footballdb.h"
#include "football/hint.h"
#include "football/leagues.h"
#include "football/players.h"
#include "football/recordset.h"
#include "football/standings.h"
#include "fuzz/fuzzsupport.h"

using namespace football;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

// The reads of the league-table and scorer windows, and the hint window's
// rule between the first and the last team of the first league.
static void readTeams(FootballDb& db, bool withForm)
{
    RecordSet teams(db);
    for (int view = 0; view < 3; ++view) {
        QList<GridRow> rows;
        if (!listStandings(teams, kAllLeagues, StandingsView(view), rows))
            return;
        for (const GridRow& row : rows)
            fuzzExpect(row.size() == 8, "a league-table row without its eight cells");
    }
    RecordSet players(db);
    for (int l = 0; l < kLeagueCount; ++l) {
        if (!listScorers(players, l))
            return;
    }
    teams.setRecordSource(QString::fromUtf8(league(0).teamTable));
    if (!teams.refresh() || teams.eof())
        return;
    const QString homeName = teams.text(team::Name);
    teams.moveLast();
    const QString awayName = teams.text(team::Name);
    listTeamPlayers(players, 0, homeName);

    const HintSide home = readHintSide(teams, 0, homeName, Venue::Home).value_or(HintSide{});
    const HintSide away = readHintSide(teams, 0, awayName, Venue::Away).value_or(HintSide{});
    for (bool usePoints : {false, true})
        hintSign(hintScores(home, away, usePoints));
    goalRatioSign(home.goalRatio, away.goalRatio);
    if (withForm)
        formSign(readForm(db, homeName).value_or(0), readForm(db, awayName).value_or(0));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    clearFuzzFolder();
    // The last bit picks the way in, so each input costs one opening: a file
    // of SQLite pages seldom cares about its last byte.
    const bool withForm = size > 0 && (data[size - 1] & 1);
    const QString teamPath = writeFuzzFile(QString::fromLatin1(kTeamDatabaseFile), bytes);
    if (!withForm) {
        const auto db = FootballDb::open(teamPath, FootballDb::Kind::Teams);
        if (db)
            readTeams(**db, false);
        else
            fuzzExpect(!db.failure().message.isEmpty(), "a database refused without a reason");
        return 0;
    }
    // Both files of the program directory, the form one attached to the team one.
    writeFuzzFile(QString::fromLatin1(kFormDatabaseFile), bytes);
    const auto db = FootballDb::openWithForm(fuzzFolder());
    if (!db) {
        fuzzExpect(!db.failure().message.isEmpty(), "a database refused without a reason");
        return 0;
    }
    readTeams(**db, true);
    return 0;
}

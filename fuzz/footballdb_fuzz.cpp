// The football databases: a file of any bytes under the names RK32.MDB and
// RKPRO.dem, opened through the program's own opening code, then the reads
// the league-table, scorer and hint windows make.
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

static void readTeams(FootballDb& db)
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
        QList<ListRow> rows;
        if (!listScorers(players, l, rows))
            return;
    }
    // The hint reads the first team of the first league at home and away.
    teams.setRecordSource(QString::fromUtf8(league(0).teamTable));
    if (!teams.refresh() || teams.eof())
        return;
    const QString team = teams.text(0);
    readHintSide(teams, 0, team, Venue::Home);
    readHintSide(teams, 0, team, Venue::Away);
    QList<ListRow> rows;
    listTeamPlayers(players, 0, team, rows);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    clearFuzzFolder();
    // The last bit picks the way in, so each input costs one opening: a file
    // of SQLite pages seldom cares about its last byte.
    const bool withForm = size > 0 && (data[size - 1] & 1);
    const QString teamPath = writeFuzzFile(QString::fromLatin1(kTeamDatabaseFile), bytes);
    QString error;
    if (!withForm) {
        auto db = FootballDb::open(teamPath, FootballDb::Kind::Teams, &error);
        if (db)
            readTeams(*db);
        else
            fuzzExpect(!error.isEmpty(), "a database refused without a reason");
        return 0;
    }
    // Both files of the program directory, the form one attached to the team one.
    writeFuzzFile(QString::fromLatin1(kFormDatabaseFile), bytes);
    auto db = FootballDb::openWithForm(fuzzFolder(), &error);
    if (!db) {
        fuzzExpect(!error.isEmpty(), "a database refused without a reason");
        return 0;
    }
    RecordSet teams(*db);
    teams.setRecordSource(QString::fromUtf8(league(0).teamTable));
    if (teams.refresh() && !teams.eof())
        readForm(*db, teams.text(0));
    return 0;
}

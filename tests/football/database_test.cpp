#include "football/recordset.h"
#include "football/results.h"
#include "footballdata.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

using namespace football;

namespace {

QStringList columnsOf(FootballDb& db, const QString& table, const QString& schema = "main")
{
    QSqlQuery q(db.database());
    q.exec(QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, table));
    QStringList out;
    while (q.next())
        out << q.value(1).toString();
    return out;
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(FootballDatabase, MissingFilesAreCreatedWithEveryTable)
{
    QTemporaryDir dir;
    auto db = FootballDb::openWithForm(dir.path()).valueOr(nullptr);
    ASSERT_TRUE(db);
    EXPECT_TRUE(QFile::exists(dir.filePath("RK32.MDB")));
    EXPECT_TRUE(QFile::exists(dir.filePath("RKPRO.dem")));
    for (const League& l : leagues()) {
        EXPECT_EQ(columnsOf(*db, l.teamTable), teamColumns()) << l.teamTable;
        EXPECT_EQ(columnsOf(*db, l.playerTable), playerColumns()) << l.playerTable;
        EXPECT_EQ(rowCount(*db, l.teamTable), 0);
    }
    EXPECT_EQ(teamColumns().size(), 26);
    EXPECT_EQ(teamColumns()[team::Updated], "pvm");
    EXPECT_EQ(teamColumns()[team::AwayGoalsAgainst], "vmvie");
    EXPECT_EQ(columnsOf(*db, "kunto", "pro"), formColumns());
}

TEST(FootballDatabase, DataSurvivesReopeningAndNamesIgnoreLetterCase)
{
    QTemporaryDir dir;
    {
        auto db = FootballDb::openWithForm(dir.path()).valueOr(nullptr);
        ASSERT_TRUE(db);
        insertTeam(*db, 0, "Arsenal", {{"pisteet", 7}});
    }
    auto db = FootballDb::open(dir.filePath("RK32.MDB"), FootballDb::Kind::Teams).valueOr(nullptr);
    ASSERT_TRUE(db);
    RecordSet rs(*db);
    rs.setRecordSource("select * from Valioliiga");
    ASSERT_EQ(why(rs.refresh()), "");
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text("JOUKKUE"), "Arsenal");
    EXPECT_EQ(rs.text("joukkue"), rs.text(team::Name));
    EXPECT_EQ(rs.number("Pisteet"), 7);
    EXPECT_EQ(rs.columnIndex("KOTIKENTTÄ"), 2);
}

TEST(FootballDatabase, AFileThatIsNoDatabaseIsRefusedAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QByteArray text = "Tämä on muistiinpano, ei tietokanta.\r\n";
    QFile f(dir.filePath("RK32.MDB"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    const auto opened = FootballDb::openWithForm(dir.path());
    ASSERT_FALSE(opened);
    const QString error = opened.failure().message;
    EXPECT_TRUE(error.startsWith("Tietokantaa RK32.MDB ei voi käyttää !\r\n")) << error.toStdString();
    EXPECT_EQ(bytesOf(dir.filePath("RK32.MDB")), text);
}

TEST(FootballDatabase, ADamagedDatabaseIsOnlyReadAndNeverChanged)
{
    QTemporaryDir dir;
    const QByteArray damaged = damagedTeamDatabase(dir.path());
    const QByteArray form = bytesOf(dir.filePath(kFormDatabaseFile));
    auto opened = FootballDb::openWithForm(dir.path());
    ASSERT_TRUE(opened) << opened.failure().message.toStdString();
    auto db = std::move(opened).valueOr(nullptr);
    EXPECT_TRUE(db->readOnly());
    EXPECT_EQ(db->damagedFile(), kTeamDatabaseFile);
    EXPECT_FALSE(saveMatch(*db, {4, "Joukkue 1 pitkällä nimellä", "Joukkue 2 pitkällä nimellä", 1, 0, ""}));
    EXPECT_FALSE(db->exec(QStringLiteral("insert into %1 (joukkue) values ('HJK')").arg(db->formTable())));
    db.reset();
    EXPECT_EQ(bytesOf(dir.filePath(kTeamDatabaseFile)), damaged);
    EXPECT_EQ(bytesOf(dir.filePath(kFormDatabaseFile)), form);

    // Alone, too, it is opened for reading only.
    auto alone = FootballDb::open(dir.filePath(kTeamDatabaseFile), FootballDb::Kind::Teams).valueOr(nullptr);
    ASSERT_TRUE(alone);
    EXPECT_TRUE(alone->readOnly());
    EXPECT_FALSE(alone->exec(QStringLiteral("delete from %1").arg(league(4).teamTable)));
    alone.reset();
    EXPECT_EQ(bytesOf(dir.filePath(kTeamDatabaseFile)), damaged);
}

TEST(FootballDatabase, ADatabaseHeldOrWriteProtectedIsToldInWordsBeforeSQLitesOwn)
{
    QTemporaryDir dir;
    auto db = FootballDb::openWithForm(dir.path()).valueOr(nullptr);
    ASSERT_TRUE(db && db->begin());
    const QString insert = QStringLiteral("insert into %1 (joukkue) values ('HJK')").arg(league(4).teamTable);
    ASSERT_TRUE(db->exec(insert));
    // Another program changing the file now, or one that may only read it.
    for (const auto& [options, cause] :
         {std::pair{"QSQLITE_BUSY_TIMEOUT=0", "Tietokanta on toisen ohjelman käytössä !"},
          std::pair{"QSQLITE_OPEN_READONLY", "Poista kirjoitussuoja !"}}) {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "toinen");
            other.setDatabaseName(dir.filePath(kTeamDatabaseFile));
            other.setConnectOptions(options);
            ASSERT_TRUE(other.open());
            QSqlQuery query(other);
            ASSERT_FALSE(query.exec(insert));
            EXPECT_EQ(databaseErrorText(query.lastError()),
                      QString::fromUtf8(cause) + "\r\n" + query.lastError().text());
        }
        QSqlDatabase::removeDatabase("toinen");
        db->rollback();
    }
}

TEST(FootballDatabase, ATableWithColumnsOutOfPlaceIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("RK32.MDB");
    {
        auto db = FootballDb::open(path, FootballDb::Kind::Form).valueOr(nullptr); // any other database in its place
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->exec("create table DI (Joukkue text, pisteet integer)"));
    }
    const auto opened = FootballDb::open(path, FootballDb::Kind::Teams);
    ASSERT_FALSE(opened);
    EXPECT_TRUE(opened.failure().message.contains("DI")) << opened.failure().message.toStdString();
}

TEST(FootballDatabase, AnEmptyFileBecomesADatabase)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("RKPRO.dem"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    auto db = FootballDb::open(f.fileName(), FootballDb::Kind::Form).valueOr(nullptr);
    ASSERT_TRUE(db);
    EXPECT_EQ(columnsOf(*db, "kunto"), formColumns());
}

TEST(FootballDatabase, EveryOpenerHasAConnectionOfItsOwn)
{
    FootballFiles files;
    auto second = FootballDb::open(files.dir.filePath("RK32.MDB"), FootballDb::Kind::Teams).valueOr(nullptr);
    ASSERT_TRUE(second);
    EXPECT_NE(second->connectionName(), files.db->connectionName());
    insertTeam(*files.db, 1, "Leeds");
    EXPECT_EQ(rowCount(*second, "DI"), 1);
}

// Record sets

struct RecordSetTest : ::testing::Test {
    FootballFiles files;
    FootballDb& db = *files.db;
};

TEST_F(RecordSetTest, WalksTheBrowsingQueryInNameOrder)
{
    for (const char* name : {"Everton", "Arsenal", "Chelsea"})
        insertTeam(db, 0, name);
    RecordSet rs(db);
    rs.setRecordSource(teamBrowseQuery(0));
    EXPECT_EQ(rs.table(), "valioliiga");
    ASSERT_EQ(why(rs.refresh()), "");
    QStringList seen;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        seen << rs.text("Joukkue");
    EXPECT_EQ(seen, (QStringList{"Arsenal", "Chelsea", "Everton"}));
    EXPECT_EQ(rs.columnNames(), teamColumns());

    rs.moveLast();
    EXPECT_EQ(rs.absolutePosition(), 2);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), -1);
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
}

TEST_F(RecordSetTest, FindFirstTakesNamesWithQuotesAndIgnoresLetterCase)
{
    insertTeam(db, 0, "Nott'm Forest");
    insertTeam(db, 0, "Arsenal");
    insertTeam(db, 0, "Aston Villa");
    RecordSet rs(db);
    rs.setRecordSource(teamBrowseQuery(0));
    ASSERT_TRUE(rs.refresh());
    EXPECT_TRUE(rs.findFirst("joukkue", "Nott'm Forest"));
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_TRUE(rs.findFirst("Joukkue", "ASTON villa"));
    EXPECT_EQ(rs.text(0), "Aston Villa");
    EXPECT_FALSE(rs.findFirst("joukkue", "' or 1=1 --"));
    EXPECT_TRUE(rs.noMatch());
    EXPECT_EQ(rs.text(0), "Aston Villa") << "the current record stays when nothing matches";
    EXPECT_FALSE(rs.findFirst("nosuchcolumn", "Arsenal"));
}

TEST_F(RecordSetTest, EditsAreWrittenOnlyByUpdate)
{
    insertTeam(db, 0, "Arsenal", {{"pisteet", 3}});
    RecordSet rs(db);
    rs.setRecordSource(teamBrowseQuery(0));
    ASSERT_TRUE(rs.refresh());
    EXPECT_FALSE(rs.setValue("pisteet", 4)) << "not editing";
    ASSERT_TRUE(rs.edit());
    rs.setValue("pisteet", 6);
    rs.setValue(team::Updated, "08.12.2026");
    EXPECT_EQ(rs.number("pisteet"), 6) << "the edit buffer is read while editing";
    EXPECT_EQ(teamValue(db, 0, "Arsenal", "pisteet"), 3);
    ASSERT_EQ(why(rs.update()), "");
    EXPECT_EQ(teamValue(db, 0, "Arsenal", "pisteet"), 6);
    EXPECT_EQ(lookup(db, "valioliiga", "pvm", "Joukkue", "Arsenal").toString(), "08.12.2026");

    rs.edit();
    rs.setValue("pisteet", 99);
    rs.moveFirst(); // moving away without update drops the edit
    EXPECT_EQ(rs.number("pisteet"), 6);
    EXPECT_EQ(teamValue(db, 0, "Arsenal", "pisteet"), 6);
}

TEST_F(RecordSetTest, NewRecordsComeLastWithTheTableDefaults)
{
    insertTeam(db, 0, "Chelsea");
    RecordSet rs(db);
    rs.setRecordSource(teamBrowseQuery(0));
    ASSERT_TRUE(rs.refresh());
    rs.addNew();
    rs.setValue("pvm", "08.12.2026");
    rs.setValue("Joukkue", "Arsenal");
    ASSERT_EQ(why(rs.update()), "");
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_EQ(rs.text("Joukkue"), "Arsenal");
    EXPECT_EQ(rs.number("pisteet"), 0);
    EXPECT_EQ(rs.text("Kotipaikka"), "");
    ASSERT_TRUE(rs.refresh());
    EXPECT_EQ(rs.text("Joukkue"), "Arsenal") << "the next reload puts it in order";
}

TEST_F(RecordSetTest, DeletingMovesToTheNextRecord)
{
    for (const char* name : {"A", "B", "C"})
        insertTeam(db, 2, name);
    RecordSet rs(db);
    rs.setRecordSource(teamBrowseQuery(2));
    ASSERT_TRUE(rs.refresh());
    rs.moveTo(1);
    ASSERT_TRUE(rs.deleteCurrent());
    EXPECT_EQ(rs.text(0), "C");
    ASSERT_TRUE(rs.deleteCurrent());
    EXPECT_EQ(rs.text(0), "A") << "after the last one the one before it";
    EXPECT_EQ(rowCount(db, "DII"), 1);
    ASSERT_TRUE(rs.deleteCurrent());
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.deleteCurrent());
}

TEST_F(RecordSetTest, ABadRecordSourceReportsAnError)
{
    RecordSet rs(db);
    rs.setRecordSource("select * from nosuchtable");
    const Outcome<> read = rs.refresh();
    ASSERT_FALSE(read);
    EXPECT_FALSE(read.failure().message.isEmpty());
    EXPECT_TRUE(rs.eof());
}

// The orderings of the queries, with teams level on the first keys.

QStringList namesOf(FootballDb& db, const QString& query)
{
    RecordSet rs(db);
    rs.setRecordSource(query);
    EXPECT_EQ(why(rs.refresh()), "");
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.text(0);
    return out;
}

TEST_F(RecordSetTest, TopLeaguesRankLevelPointsByGoalDifferenceThenGoals)
{
    for (int l : {0, 4, 5}) {
        insertTeam(db, l, "Many goals", standing(10, 20, 15)); // +5
        insertTeam(db, l, "Few goals", standing(10, 8, 2));    // +6
        insertTeam(db, l, "Same diff", standing(10, 10, 4));   // +6, more goals than "Few goals"
        insertTeam(db, l, "Leader", standing(12, 1, 9));
        insertTeam(db, l, "Last", standing(2, 30, 0));
        EXPECT_EQ(namesOf(db, standingsQuery(l)),
                  (QStringList{"Leader", "Same diff", "Few goals", "Many goals", "Last"}))
            << standingsQuery(l).toStdString();
    }
}

TEST_F(RecordSetTest, DivisionsRankLevelPointsByGoalsThenGoalDifference)
{
    for (int l : {1, 2, 3}) {
        insertTeam(db, l, "Many goals", standing(10, 20, 15)); // +5
        insertTeam(db, l, "Few goals", standing(10, 8, 2));    // +6
        insertTeam(db, l, "Same goals", standing(10, 20, 10)); // +10
        insertTeam(db, l, "Leader", standing(12, 1, 9));
        EXPECT_EQ(namesOf(db, standingsQuery(l)), (QStringList{"Leader", "Same goals", "Many goals", "Few goals"}))
            << standingsQuery(l).toStdString();
    }
}

TEST_F(RecordSetTest, PlayerQueriesOrderByTeamNameAndGoals)
{
    insertPlayer(db, 0, "Saka", "Arsenal", 5);
    insertPlayer(db, 0, "Bowen", "West Ham", 5);
    insertPlayer(db, 0, "Havertz", "Arsenal", 5);
    insertPlayer(db, 0, "Rice", "Arsenal", 0);
    insertPlayer(db, 0, "Palmer", "Chelsea", 9);
    EXPECT_EQ(namesOf(db, playerBrowseQuery(0)), (QStringList{"Havertz", "Rice", "Saka", "Palmer", "Bowen"}));
    EXPECT_EQ(namesOf(db, scorerListQuery(0)), (QStringList{"Palmer", "Bowen", "Havertz", "Saka", "Rice"}));
    EXPECT_EQ(namesOf(db, scorerPrintQuery(0)), (QStringList{"Palmer", "Havertz", "Saka", "Bowen"}))
        << "goalless players are left out, level scorers go by team, then name";
}

TEST_F(RecordSetTest, ATeamInTwoLeaguesIsTwoRecords)
{
    insertTeam(db, 1, "Leeds", {{"pisteet", 50}});
    insertTeam(db, 0, "Leeds", {{"pisteet", 20}});
    RecordSet rs(db);
    rs.setRecordSource("DI");
    ASSERT_TRUE(rs.refresh());
    rs.edit();
    rs.setValue("pisteet", 51);
    ASSERT_TRUE(rs.update());
    EXPECT_EQ(teamValue(db, 1, "Leeds", "pisteet"), 51);
    EXPECT_EQ(teamValue(db, 0, "Leeds", "pisteet"), 20);
}

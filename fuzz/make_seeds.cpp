// Writes the seed corpus of the fuzz targets with the program's own writers:
// make_fuzz_seeds FOLDER makes FOLDER/<target>/ for every file-reading target.
// The command-line target's seeds are written by hand.
#include "base/rowfile.h"
#include "base/rowtext.h"
#include "base/statsfiles.h"
#include "football/footballdb.h"
#include "rows/correctrow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>
#include <cstdlib>

static void fail(const QString& what)
{
    std::fprintf(stderr, "make_fuzz_seeds: %s\n", qPrintable(what));
    std::exit(1);
}

static void copyInto(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        fail("cannot copy " + from);
}

static RowBuffer someRows()
{
    RowBuffer rows;
    for (const char* text : {"1X21X21X21X21", "1X21X21X21X22", "2X2111X21X21X", "12X12X12X12X1", "XXXXXXXXXXXXX"})
        rows.push_back(rowFromText(QString::fromLatin1(text)));
    return rows;
}

static void rowFiles(QDir work, const QDir& rowfile, const QDir& systemfile)
{
    const RowBuffer rows = someRows();
    if (!writeRowsFile(work.filePath("rows.1X2"), rows, int(rows.size())).ok())
        fail("rows file");
    copyInto(work.filePath("rows.1X2"), rowfile.filePath("rows-file"));

    const QString own = work.filePath("own.STM");
    if (!createSystemFile(own, 2, 1).ok())
        fail("own system");
    copyInto(own, systemfile.filePath("own-system-empty"));
    for (int i = 0; i < 3; ++i)
        if (!appendSystemRow(own, 2, 1, rows[i]).ok())
            fail("own system row");
    copyInto(own, rowfile.filePath("own-system"));
    copyInto(own, systemfile.filePath("own-system"));

    // The older layout: one sign a line, thirteen lines a row.
    QFile old(rowfile.filePath("old-text-layout"));
    if (!old.open(QIODevice::WriteOnly))
        fail("old layout");
    for (int r : {0, 3})
        for (char sign : rows[r])
            old.write(QByteArray(1, sign) + "\r\n");
}

// Rows as players paste them: the program's own text and CSV, and a hand-made mix.
static void rowTexts(const QDir& rowtext)
{
    const RowBuffer rows = someRows();
    const int n = int(rows.size());
    auto write = [&rowtext](const char* name, const QByteArray& bytes) {
        QFile file(rowtext.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            fail(QString("row text ") + name);
    };
    write("text", textFileBytes(rowTextLines(rows, n), "\n"));
    write("csv", textFileBytes(rowCsvLines(rows, n), "\r\n"));
    write("mixed", "Kohde 1;Kohde 2\r\n1 x 2  1 x 2  1 x 2  1 x 2 1\r\n\"2\",\"2\",X,1,1,1,2,2,2,X,X,X,1\n1X2\n\n"
                   "1\t2\t1\t2\t1\t2\t1\t2\t1\t2\t1\t2\t1\r");
}

static void statisticsFiles(QDir work, const QDir& winstats, const QDir& correctrows)
{
    const QString wins = work.filePath(kWinsFile);
    const VoitotRecord records[] = {
        {"KIERROS12.1X2", " 2023", " 12", " 0", " 1", " 4", " 9", " 1 250"},
        {"Järjestelmä. 96", " 2024", " 3", " 1", " 2", " 0", " 0", " 27 800"},
        {"E729.HAR", " 2024", " 19", " 0", " 0", " 4", " 6", " 96"},
    };
    for (const VoitotRecord& record : records)
        if (!appendRecord(wins, encodeRecord(record), kVoitotRecordLength).ok())
            fail("wins");
    copyInto(wins, winstats.filePath("voitot"));

    MatchStrings signs;
    for (const char* row : {"1X21X21X21X21", "2X2111X21X21X", "12X12X12X12X1", "XX11122XX1212"}) {
        for (int k = 0; k < kMatches; ++k)
            signs[k] = QString(QChar::fromLatin1(row[k]));
        const bool early = row[0] != 'X';
        if (!appendCorrectRow(work.path(), signs, early ? " 2023" : " 2024", early ? " 51" : " 2").ok())
            fail("correct rows");
    }
    copyInto(work.filePath(kCorrectRowsFile), correctrows.filePath("oikeat"));
}

// Small pages keep the seeds a few kilobytes long.
static void compact(const QString& path)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "compact");
        db.setDatabaseName(path);
        if (!db.open())
            fail("compact " + path);
        QSqlQuery q(db);
        for (const char* sql : {"PRAGMA journal_mode=DELETE", "PRAGMA page_size=512", "VACUUM"})
            if (!q.exec(sql))
                fail(QString("compact: ") + sql);
    }
    QSqlDatabase::removeDatabase("compact");
}

static void databases(QDir work, const QDir& footballdb)
{
    using namespace football;
    {
        auto db = FootballDb::openWithForm(work.path()).valueOr(nullptr);
        if (!db)
            fail("databases");
        for (const char* sql : {
                 "INSERT INTO valioliiga (Joukkue, Kotipaikka, pisteet, ottelut, okot, otas, ovie, mkot, mvie, "
                     "kot, kpis, kkot, ktas, kvie, kmkot, kmvie, vot, vpis, vkot, vtas, vvie, vmkot, vmvie, pvm) "
                     "VALUES ('Arsenal', 'Lontoo', 7, 3, 2, 1, 0, 6, 2, 2, 6, 2, 0, 0, 5, 1, 1, 1, 0, 1, 0, 1, 1, "
                     "'17.05.2024'), ('Everton', 'Liverpool', 1, 3, 0, 1, 2, 2, 6, 1, 0, 0, 0, 1, 1, 3, 2, 1, 0, 1, "
                     "1, 1, 3, '17.05.2024')",
                 "INSERT INTO pvalio (pelaaja, joukkue, paikka, maaleja, poissa, pvm) VALUES "
                     "('Smith', 'Arsenal', 'H', 3, 0, '17.05.2024'), ('Jones', 'Everton', 'P', 1, 1, '17.05.2024')",
                 "INSERT INTO veikliiga (Joukkue, pisteet, ottelut) VALUES ('HJK', 3, 1)",
                 "INSERT INTO pro.kunto (joukkue, k1, k2, k3) VALUES ('Arsenal', 3, 1, 0), ('Everton', 0, 0, 1)"})
            if (const Outcome<> inserted = db->exec(sql); !inserted)
                fail("database rows: " + inserted.failure().message);
    }
    for (const char* name : {kTeamDatabaseFile, kFormDatabaseFile})
        compact(work.filePath(name));
    copyInto(work.filePath(kTeamDatabaseFile), footballdb.filePath("teams"));
    copyInto(work.filePath(kFormDatabaseFile), footballdb.filePath("form"));
    // An odd last byte has the fuzz target open the file as both databases at once.
    QFile both(footballdb.filePath("teams-with-form"));
    QFile teams(work.filePath(kTeamDatabaseFile));
    if (!teams.open(QIODevice::ReadOnly) || !both.open(QIODevice::WriteOnly) ||
        both.write(teams.readAll() + '\x01') < 0)
        fail("teams-with-form");
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        fail("usage: make_fuzz_seeds FOLDER");
    const QDir root(QString::fromLocal8Bit(argv[1]));
    auto folder = [&root](const char* name) {
        if (!root.mkpath(name))
            fail(QString("cannot make ") + name);
        return QDir(root.filePath(name));
    };
    QDir work = folder("work");
    work.removeRecursively();
    work = folder("work");
    rowFiles(work, folder("rowfile_fuzz"), folder("systemfile_fuzz"));
    rowTexts(folder("rowtext_fuzz"));
    statisticsFiles(work, folder("winstats_fuzz"), folder("correctrows_fuzz"));
    databases(work, folder("footballdb_fuzz"));
    work.removeRecursively();
    return 0;
}

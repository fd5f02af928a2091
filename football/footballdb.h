#pragma once

#include "base/outcome.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QSqlError;
class QSqlQuery;

namespace football {

// The two database files of the football windows, in the program directory.
inline constexpr const char* kTeamDatabaseFile = "RK32.MDB";
inline constexpr const char* kFormDatabaseFile = "RKPRO.dem";
// The name the form database has when it is attached to the team database.
inline constexpr const char* kFormSchema = "pro";

// Columns in their binding order: the league table and the hint window read
// team columns by position, the player transfer copies player columns by position.
const QStringList& teamColumns();   // 26: Joukkue .. pvm
const QStringList& playerColumns(); // pelaaja, joukkue, paikka, maaleja, poissa, pvm
const QStringList& formColumns();   // joukkue, k1, k2, k3

// Positions of the team columns that are read by number.
namespace team {
inline constexpr int Name = 0, Points = 4, Played = 5, Wins = 6, Draws = 7, Losses = 8, GoalsFor = 9, GoalsAgainst = 10,
                     HomePlayed = 11, HomePoints = 12, HomeWins = 13, HomeDraws = 14, HomeLosses = 15,
                     HomeGoalsFor = 16, HomeGoalsAgainst = 17, AwayPlayed = 18, AwayPoints = 19, AwayWins = 20,
                     AwayDraws = 21, AwayLosses = 22, AwayGoalsFor = 23, AwayGoalsAgainst = 24, Updated = 25;
inline constexpr int FirstStatistic = Points, LastStatistic = AwayGoalsAgainst;
} // namespace team

// What the user is told of a database error: the cause in words when it is
// known (another program holds the database, write protection, a full disk),
// then SQLite's own text on a line of its own.
QString databaseErrorText(const QSqlError& error);
// The same as a failure: Busy when another program holds the database, so
// the user may try again.
Failure databaseFailure(const QSqlError& error);

// "name" with the database's identifier quoting.
QString quotedName(const QString& name);
// The statements that add a record of the named (quoted) columns, one bound
// value each, and remove the record of a bound rowid.
QString insertRecordSql(const QString& table, const QStringList& quotedColumns);
QString deleteRecordSql(const QString& table);

// One open connection to a football database file. Every window opens its own
// (each under a name of its own) and closes it when it goes.
class FootballDb {
public:
    enum class Kind { Teams, Form };

    // Opens the file, creating it with every table when it is missing and
    // adding tables that are missing from it. A file that is not a database of
    // this program is left untouched: the failure says why in words for the
    // user. A database that fails SQLite's own check is opened for reading
    // only (see damagedFile()) and is never changed.
    static Outcome<std::unique_ptr<FootballDb>> open(const QString& path, Kind kind);
    // Both files of the program directory, the form database attached to the
    // team one, so a change of both commits or fails as one. When either is
    // damaged, both are read only.
    static Outcome<std::unique_ptr<FootballDb>> openWithForm(const QString& programDir);

    ~FootballDb();
    FootballDb(const FootballDb&) = delete;
    FootballDb& operator=(const FootballDb&) = delete;

    QString connectionName() const { return name_; }
    // The file name of a database found damaged when it was opened; "" when none was.
    QString damagedFile() const { return damagedFile_; }
    bool readOnly() const { return !damagedFile_.isEmpty(); }
    QSqlDatabase database() const;
    QString path() const { return path_; }
    // The form table's name on this connection ("kunto" or "pro.kunto").
    QString formTable() const;

    Outcome<> begin();
    // A commit that fails is rolled back.
    Outcome<> commit();
    void rollback();

    // Runs one statement with bound values.
    Outcome<> exec(const QString& sql, const QVariantList& values = {});

private:
    FootballDb(QString name, QString path, Kind kind);
    static Outcome<std::unique_ptr<FootballDb>> openFile(const QString& path, Kind kind, const QString& damagedFile);
    Outcome<> prepare();
    Outcome<> attachForm(const QString& path);

    QString name_;
    QString path_;
    Kind kind_;
    bool formAttached_ = false;
    QString damagedFile_;
};

// The failure a window shows when a database file cannot be used.
Failure databaseUnusable(const QString& fileName, const Failure& reason);
// The message a window shows when a damaged database was opened for reading only.
QString databaseDamagedMessage(const QString& fileName);

} // namespace football

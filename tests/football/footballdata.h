#pragma once

#include "football/footballdb.h"
#include "football/leagues.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

using namespace football;

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// "" for a success, else the failure's message, so an assertion shows why.
inline std::string why(const Outcome<>& done)
{
    return done ? std::string() : done.failure().message.toStdString();
}

// Football databases for the tests: teams, players and form written straight
// into the tables, so the code under test reads them as the user left them.

using Figures = QMap<QString, qint64>; // column -> value

inline void insertTeam(FootballDb& db, int league, const QString& name, const Figures& figures = {},
                       const QString& date = QString())
{
    QStringList columns = {"Joukkue"};
    QVariantList values = {name};
    for (auto it = figures.begin(); it != figures.end(); ++it) {
        columns << quotedName(it.key());
        values << it.value();
    }
    if (!date.isEmpty()) {
        columns << "pvm";
        values << date;
    }
    const QString sql =
        QStringLiteral("insert into %1 (%2) values (%3)")
            .arg(::league(league).teamTable, columns.join(", "), QStringList(columns.size(), "?").join(", "));
    ASSERT_EQ(why(db.exec(sql, values)), "");
}

// A team whose home and away figures are consistent with the totals.
inline Figures standing(qint64 points, qint64 scored, qint64 conceded)
{
    return {{"pisteet", points}, {"mkot", scored}, {"mvie", conceded}};
}

inline void insertPlayer(FootballDb& db, int league, const QString& name, const QString& team, int goals = 0,
                         bool absent = false, const QString& position = QString(), const QString& date = QString())
{
    ASSERT_EQ(why(db.exec(QStringLiteral("insert into %1 (pelaaja, joukkue, paikka, maaleja, poissa, pvm) "
                                         "values (?, ?, ?, ?, ?, ?)")
                              .arg(::league(league).playerTable),
                          {name, team, position, goals, absent ? 1 : 0, date})),
              "");
}

inline void insertForm(FootballDb& db, const QString& team, int k1, int k2, int k3)
{
    ASSERT_EQ(why(db.exec(QStringLiteral("insert into %1 (joukkue, k1, k2, k3) values (?, ?, ?, ?)").arg(db.formTable()),
                          {team, k1, k2, k3})),
              "");
}

// One value of a table, or an invalid QVariant when the row is missing.
inline QVariant lookup(FootballDb& db, const QString& table, const QString& column, const QString& keyColumn,
                       const QString& key)
{
    QSqlQuery q(db.database());
    q.prepare(QStringLiteral("select %1 from %2 where %3 = ? order by rowid")
                  .arg(quotedName(column), table, quotedName(keyColumn)));
    q.addBindValue(key);
    if (!q.exec() || !q.next())
        return QVariant();
    return q.value(0);
}

inline qint64 teamValue(FootballDb& db, int league, const QString& team, const QString& column)
{
    return lookup(db, ::league(league).teamTable, column, "Joukkue", team).toLongLong();
}

inline qint64 rowCount(FootballDb& db, const QString& table)
{
    QSqlQuery q(db.database());
    q.exec(QStringLiteral("select count(*) from %1").arg(table));
    return q.next() ? q.value(0).toLongLong() : -1;
}

// A team database of several pages whose middle page is overwritten with
// junk, as a failing disk leaves it; returns the damaged file's bytes.
inline QByteArray damagedTeamDatabase(const QString& programDir)
{
    {
        auto db = FootballDb::openWithForm(programDir).valueOr(nullptr);
        EXPECT_TRUE(db);
        if (!db)
            return {};
        for (int i = 0; i < 300; ++i)
            insertTeam(*db, 4, QStringLiteral("Joukkue %1 pitkällä nimellä").arg(i), standing(i, 2 * i, i));
    }
    const QString path = QDir(programDir).filePath(kTeamDatabaseFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {};
    const qint64 pageSize = 4096;
    const qint64 middlePage = file.size() / pageSize / 2;
    EXPECT_GE(middlePage, 2);
    file.seek(middlePage * pageSize);
    file.write(QByteArray(512, char(0xA5)));
    file.close();
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A program directory with both database files, the form one attached.
struct FootballFiles {
    QTemporaryDir dir;
    std::unique_ptr<FootballDb> db;
    FootballFiles()
    {
        auto opened = FootballDb::openWithForm(dir.path());
        EXPECT_TRUE(opened) << opened.failure().message.toStdString();
        db = std::move(opened).valueOr(nullptr);
    }
};

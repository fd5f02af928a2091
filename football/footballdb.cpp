#include "football/footballdb.h"

#include "base/boundedread.h"
#include "base/safewrite.h"
#include "football/leagues.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>
#include <fcntl.h>

namespace football {

const QStringList& teamColumns()
{
    static const QStringList columns = {"Joukkue", "Kotipaikka", "Kotikenttä", "manageri", "pisteet", "ottelut", "okot",
                                        "otas",    "ovie",       "mkot",       "mvie",     "kot",     "kpis",    "kkot",
                                        "ktas",    "kvie",       "kmkot",      "kmvie",    "vot",     "vpis",    "vkot",
                                        "vtas",    "vvie",       "vmkot",      "vmvie",    "pvm"};
    return columns;
}

const QStringList& playerColumns()
{
    static const QStringList columns = {"pelaaja", "joukkue", "paikka", "maaleja", "poissa", "pvm"};
    return columns;
}

const QStringList& formColumns()
{
    static const QStringList columns = {"joukkue", "k1", "k2", "k3"};
    return columns;
}

QString quotedName(const QString& name)
{
    QString inner = name;
    inner.replace('"', "\"\"");
    return '"' + inner + '"';
}

QString insertRecordSql(const QString& table, const QStringList& quotedColumns)
{
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(quotedName(table), quotedColumns.join(", "), QStringList(quotedColumns.size(), "?").join(", "));
}

QString deleteRecordSql(const QString& table)
{
    return QStringLiteral("delete from %1 where rowid = ?").arg(quotedName(table));
}

namespace {

struct TableLayout {
    QString name;
    QStringList columns;
    QStringList types;
};

// Text columns may be empty; figures and yes/no flags (0 or 1) start at 0.
QStringList typesOf(const QStringList& columns, const QStringList& textColumns)
{
    QStringList types;
    for (const QString& c : columns)
        types << (textColumns.contains(c) ? "TEXT" : "INTEGER NOT NULL DEFAULT 0");
    return types;
}

QList<TableLayout> tablesOf(FootballDb::Kind kind)
{
    QList<TableLayout> layouts;
    if (kind == FootballDb::Kind::Form) {
        layouts << TableLayout{"kunto", formColumns(), typesOf(formColumns(), {"joukkue"})};
        return layouts;
    }
    const QStringList teamTypes = typesOf(teamColumns(), {"Joukkue", "Kotipaikka", "Kotikenttä", "manageri", "pvm"});
    const QStringList playerTypes = typesOf(playerColumns(), {"pelaaja", "joukkue", "paikka", "pvm"});
    for (const League& l : leagues())
        layouts << TableLayout{l.teamTable, teamColumns(), teamTypes};
    for (const League& l : leagues())
        layouts << TableLayout{l.playerTable, playerColumns(), playerTypes};
    return layouts;
}

QString createStatement(const TableLayout& layout, const QString& schema = QString())
{
    QStringList defs;
    for (int i = 0; i < layout.columns.size(); ++i)
        defs << quotedName(layout.columns[i]) + ' ' + layout.types[i];
    const QString prefix = schema.isEmpty() ? QString() : schema + '.';
    return QStringLiteral("CREATE TABLE %1%2 (%3)").arg(prefix, quotedName(layout.name), defs.join(", "));
}

// An existing, non-empty file must carry SQLite's header; anything else is
// some other file that happens to have the name, and is never written to.
Outcome<> looksLikeDatabase(const QString& path)
{
    const Failure foreign{Cause::Failed, QStringLiteral("Tiedosto ei ole tämän ohjelman tietokanta.")};
    if (!QFileInfo::exists(path))
        return {};
    // A pipe or a device of the name is no database, and is never waited on.
    int osError = 0;
    const int fd = openUserFile(path, O_RDONLY, Pipes::Refused, osError);
    if (fd < 0)
        return osError == EISDIR || osError == EINVAL ? foreign
                                                      : Failure{Cause::Failed, QStringLiteral("Tiedostoa ei voi lukea.")};
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (file.size() == 0)
        return {};
    if (file.read(16) != QByteArray("SQLite format 3\0", 16))
        return foreign;
    return {};
}

QString nextConnectionName(const QString& path)
{
    static QAtomicInt counter;
    return QStringLiteral("rk_football_%1_%2").arg(QFileInfo(path).fileName()).arg(counter.fetchAndAddRelaxed(1));
}

// SQLite's own check of an existing database, on a connection that cannot
// write. False only when the check ran and found damage; a file that cannot
// even be opened for it is left to the real opening to report.
bool failsQuickCheck(const QString& path)
{
    if (QFileInfo(path).size() == 0)
        return false;
    const QString name = nextConnectionName(path) + QStringLiteral("_check");
    bool damaged = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery check(db);
            // A check that cannot even read the pages is damage too.
            damaged = !check.exec("PRAGMA quick_check") || !check.next() || check.value(0).toString() != "ok";
            check.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return damaged;
}

} // namespace

QString databaseErrorText(const QSqlError& error)
{
    // SQLite's primary result codes; the extended ones keep them in their low byte.
    enum { Busy = 5, Locked = 6, ReadOnly = 8, Full = 13, CantOpen = 14 };
    const QString technical = error.text();
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    QString cause;
    if (known && (code == Busy || code == Locked))
        cause = QStringLiteral("Tietokanta on toisen ohjelman käytössä !");
    else if (known && (code == ReadOnly || code == CantOpen))
        cause = fileFailure(Cause::PermissionDenied).message;
    else if (known && code == Full)
        cause = fileFailure(Cause::DiskFull).message;
    return cause.isEmpty() ? technical : cause + "\r\n" + technical;
}

Failure databaseFailure(const QSqlError& error)
{
    enum { Busy = 5, Locked = 6 };
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    return {known && (code == Busy || code == Locked) ? Cause::Busy : Cause::Failed, databaseErrorText(error)};
}

Failure databaseUnusable(const QString& fileName, const Failure& reason)
{
    return {reason.cause, QStringLiteral("Tietokantaa %1 ei voi käyttää !").arg(fileName) + "\r\n" + reason.message};
}

QString databaseDamagedMessage(const QString& fileName)
{
    return QStringLiteral("Tietokanta %1 on vioittunut !").arg(fileName) + "\r\n" +
           QStringLiteral("Sen tietoja voi katsoa, mutta muutoksia ei tallenneta.");
}

FootballDb::FootballDb(QString name, QString path, Kind kind)
    : name_(std::move(name)), path_(std::move(path)), kind_(kind)
{
}

FootballDb::~FootballDb()
{
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase FootballDb::database() const
{
    return QSqlDatabase::database(name_, false);
}

QString FootballDb::formTable() const
{
    return formAttached_ ? QStringLiteral("%1.kunto").arg(kFormSchema) : QStringLiteral("kunto");
}

Outcome<std::unique_ptr<FootballDb>> FootballDb::open(const QString& path, Kind kind)
{
    const Outcome<> usable = looksLikeDatabase(path);
    if (!usable)
        return usable.failure();
    return openFile(path, kind, failsQuickCheck(path) ? QFileInfo(path).fileName() : QString());
}

Outcome<std::unique_ptr<FootballDb>> FootballDb::openFile(const QString& path, Kind kind, const QString& damagedFile)
{
    std::unique_ptr<FootballDb> db(new FootballDb(nextConnectionName(path), path, kind));
    db->damagedFile_ = damagedFile;
    QSqlDatabase connection = QSqlDatabase::addDatabase("QSQLITE", db->name_);
    connection.setDatabaseName(path);
    // A damaged file is never written to: SQLite itself refuses every change.
    if (db->readOnly())
        connection.setConnectOptions("QSQLITE_OPEN_READONLY");
    if (!connection.open())
        return databaseFailure(connection.lastError());
    const Outcome<> prepared = db->prepare();
    if (!prepared)
        return prepared.failure();
    return db;
}

Outcome<std::unique_ptr<FootballDb>> FootballDb::openWithForm(const QString& programDir)
{
    const QDir dir(programDir);
    QString damaged;
    // The form database is made ready on a connection of its own first.
    {
        const Outcome<std::unique_ptr<FootballDb>> form = open(dir.filePath(kFormDatabaseFile), Kind::Form);
        if (!form)
            return databaseUnusable(kFormDatabaseFile, form.failure());
        damaged = (*form)->damagedFile();
    }
    const QString teamPath = dir.filePath(kTeamDatabaseFile);
    const Outcome<> usable = looksLikeDatabase(teamPath);
    if (!usable)
        return databaseUnusable(kTeamDatabaseFile, usable.failure());
    // A change writes both files in one transaction, so one damaged file
    // makes the pair read only; an attached file is opened as the main one is.
    if (failsQuickCheck(teamPath))
        damaged = kTeamDatabaseFile;
    Outcome<std::unique_ptr<FootballDb>> db = openFile(teamPath, Kind::Teams, damaged);
    if (!db)
        return databaseUnusable(kTeamDatabaseFile, db.failure());
    const Outcome<> attached = (*db)->attachForm(dir.filePath(kFormDatabaseFile));
    if (!attached)
        return databaseUnusable(kFormDatabaseFile, attached.failure());
    return db;
}

Outcome<> FootballDb::attachForm(const QString& path)
{
    if (Outcome<> attached = exec(QStringLiteral("ATTACH DATABASE ? AS %1").arg(kFormSchema), {path}); !attached)
        return attached;
    // The durability setting is per schema, the attached one included.
    if (!readOnly())
        exec(QStringLiteral("PRAGMA %1.synchronous=NORMAL").arg(kFormSchema));
    formAttached_ = true;
    return {};
}

Outcome<> FootballDb::prepare()
{
    // Reading the schema is the first real use of the file: a damaged file fails here.
    QSqlQuery tables(database());
    if (!tables.exec("SELECT name FROM sqlite_master WHERE type = 'table'"))
        return databaseFailure(tables.lastError());
    QStringList existing;
    while (tables.next())
        existing << tables.value(0).toString().toLower();
    tables.finish();

    QStringList missing;
    for (const TableLayout& layout : tablesOf(kind_)) {
        if (!existing.contains(layout.name.toLower())) {
            missing << createStatement(layout);
            continue;
        }
        // A table made elsewhere must still have our columns where we read them.
        QSqlQuery info(database());
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(layout.name))))
            return databaseFailure(info.lastError());
        QStringList have;
        while (info.next())
            have << info.value(1).toString().toLower();
        for (int i = 0; i < layout.columns.size(); ++i) {
            const QString want = layout.columns[i].toLower();
            // Team and form columns are read by position; of a player only the name and team are.
            const bool byPosition = layout.columns == teamColumns() || layout.name == "kunto" || i < 2;
            if (byPosition ? (i >= have.size() || have[i] != want) : !have.contains(want))
                return Failure{
                    Cause::Failed,
                    QStringLiteral("Taulussa %1 ei ole saraketta %2 paikallaan.").arg(layout.name, layout.columns[i])};
        }
    }
    // A damaged file is only read, as it is.
    if (readOnly())
        return {};
    // Only a file found fit is changed. The write-ahead log keeps a commit to
    // a few milliseconds and never leaves a half-written file behind.
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=NORMAL");
    if (missing.isEmpty())
        return {};
    if (Outcome<> begun = begin(); !begun)
        return begun;
    for (const QString& statement : missing) {
        if (Outcome<> made = exec(statement); !made) {
            rollback();
            return made;
        }
    }
    return commit();
}

Outcome<> FootballDb::begin()
{
    if (database().transaction())
        return {};
    return databaseFailure(database().lastError());
}

Outcome<> FootballDb::commit()
{
    if (database().commit())
        return {};
    const Failure failed = databaseFailure(database().lastError());
    database().rollback();
    return failed;
}

void FootballDb::rollback()
{
    database().rollback();
}

Outcome<> FootballDb::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(database());
    if (!query.prepare(sql))
        return databaseFailure(query.lastError());
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        return databaseFailure(query.lastError());
    return {};
}

} // namespace football

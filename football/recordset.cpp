#include "football/recordset.h"

#include "football/footballdb.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace football {

namespace {

const Failure kNoCurrentRecord{Cause::Failed, QStringLiteral("no current record")};

bool isBareTable(const QString& source)
{
    static const QRegularExpression bare(QStringLiteral("^[\\w\\[\\]\"]+$"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    return bare.match(source.trimmed()).hasMatch();
}

// A bare table name, or the table after the first "from" of a query.
QString tableOf(const QString& source)
{
    const QString s = source.trimmed();
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+(\\[[^\\]]+\\]|\"[^\"]+\"|[\\w.]+)"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::UseUnicodePropertiesOption);
    QString name;
    if (isBareTable(s)) {
        name = s;
    } else {
        const auto m = from.match(s);
        if (!m.hasMatch())
            return QString();
        name = m.captured(1);
    }
    if (name.startsWith('[') || name.startsWith('"'))
        name = name.mid(1, name.size() - 2);
    return name;
}

// The statement that reads the record source together with each record's row
// key. The source's own filter and ordering are kept as they are written.
QString readStatement(const QString& source, const QString& table)
{
    const QString s = source.trimmed();
    static const QRegularExpression selectAll(QStringLiteral("^select\\s+\\*"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (isBareTable(s))
        return QStringLiteral("select rowid, * from %1").arg(quotedName(table));
    const auto m = selectAll.match(s);
    if (!m.hasMatch())
        return QString();
    return QStringLiteral("select rowid, *") + s.mid(m.capturedLength());
}

bool sameText(const QVariant& a, const QString& b)
{
    return !a.isNull() && a.toString().compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

RecordSet::RecordSet(FootballDb& db) : db_(db) {}

void RecordSet::setRecordSource(const QString& source)
{
    source_ = source;
    table_ = tableOf(source);
}

Outcome<> RecordSet::refresh()
{
    cancelUpdate();
    records_.clear();
    pos_ = 0;
    noMatch_ = false;
    const QString sql = readStatement(source_, table_);
    if (sql.isEmpty() || table_.isEmpty())
        return Failure{Cause::Failed, QStringLiteral("unsupported record source: ") + source_};
    QSqlQuery query(db_.database());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return databaseFailure(query.lastError());
    const QSqlRecord header = query.record();
    columns_.clear();
    index_.clear();
    for (int i = 1; i < header.count(); ++i) {
        columns_ << header.fieldName(i);
        index_.insert(header.fieldName(i).toLower(), i - 1);
    }
    const int n = int(columns_.size());
    while (query.next()) {
        Record r;
        r.id = query.value(0).toLongLong();
        r.values.resize(n);
        for (int i = 0; i < n; ++i)
            r.values[i] = query.value(i + 1);
        records_.push_back(std::move(r));
    }
    if (query.lastError().isValid())
        return databaseFailure(query.lastError());
    return {};
}

void RecordSet::moveFirst()
{
    cancelUpdate();
    pos_ = 0;
}

void RecordSet::moveLast()
{
    cancelUpdate();
    pos_ = std::max(0, recordCount() - 1);
}

void RecordSet::moveNext()
{
    cancelUpdate();
    if (pos_ < recordCount())
        ++pos_;
}

void RecordSet::movePrevious()
{
    cancelUpdate();
    if (pos_ >= 0)
        --pos_;
}

void RecordSet::moveTo(int position)
{
    cancelUpdate();
    pos_ = std::clamp(position, -1, recordCount());
}

bool RecordSet::findFirst(const QString& column, const QString& value)
{
    const int c = columnIndex(column);
    noMatch_ = true;
    if (c < 0)
        return false;
    for (int i = 0; i < recordCount(); ++i) {
        if (sameText(records_[i].values[c], value)) {
            cancelUpdate();
            pos_ = i;
            noMatch_ = false;
            return true;
        }
    }
    return false;
}

int RecordSet::columnIndex(const QString& name) const
{
    return index_.value(name.toLower(), -1);
}

QVariant RecordSet::value(int position) const
{
    if (position < 0 || position >= columnCount())
        return QVariant();
    if (mode_ != EditMode::None)
        return buffer_[position];
    if (!hasCurrent())
        return QVariant();
    return records_[pos_].values[position];
}

QVariant RecordSet::value(const QString& column) const
{
    return value(columnIndex(column));
}

QString RecordSet::text(int position) const
{
    const QVariant v = value(position);
    return v.isNull() ? QString() : v.toString();
}

QString RecordSet::text(const QString& column) const
{
    return text(columnIndex(column));
}

qint64 RecordSet::number(int position) const
{
    const QVariant v = value(position);
    return v.isNull() ? 0 : v.toLongLong();
}

qint64 RecordSet::number(const QString& column) const
{
    return number(columnIndex(column));
}

QString RecordSet::textAt(int record, const QString& column) const
{
    const int c = columnIndex(column);
    if (record < 0 || record >= recordCount() || c < 0 || records_[record].values[c].isNull())
        return QString();
    return records_[record].values[c].toString();
}

bool RecordSet::setValue(int position, const QVariant& value)
{
    if (mode_ == EditMode::None || position < 0 || position >= columnCount())
        return false;
    buffer_[position] = value;
    touched_[position] = true;
    return true;
}

bool RecordSet::setValue(const QString& column, const QVariant& value)
{
    return setValue(columnIndex(column), value);
}

Outcome<> RecordSet::edit()
{
    if (!hasCurrent())
        return kNoCurrentRecord;
    mode_ = EditMode::Edit;
    buffer_ = records_[pos_].values;
    touched_ = QVector<bool>(columnCount(), false);
    return {};
}

void RecordSet::addNew()
{
    mode_ = EditMode::Add;
    buffer_ = QVector<QVariant>(columnCount());
    touched_ = QVector<bool>(columnCount(), false);
}

void RecordSet::cancelUpdate()
{
    mode_ = EditMode::None;
    buffer_.clear();
    touched_.clear();
}

Outcome<> RecordSet::reloadRecord(qint64 id, Record& into)
{
    QSqlQuery query(db_.database());
    query.prepare(QStringLiteral("select rowid, * from %1 where rowid = ?").arg(quotedName(table_)));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return query.lastError().isValid() ? databaseFailure(query.lastError())
                                           : Failure{Cause::Failed, QStringLiteral("record vanished")};
    const QSqlRecord header = query.record();
    into.id = id;
    into.values = QVector<QVariant>(columnCount());
    for (int i = 1; i < header.count(); ++i) {
        const int c = columnIndex(header.fieldName(i));
        if (c >= 0)
            into.values[c] = query.value(i);
    }
    return {};
}

Outcome<> RecordSet::update()
{
    if (mode_ == EditMode::None)
        return Failure{Cause::Failed, QStringLiteral("not editing")};
    QStringList names;
    QVariantList values;
    for (int i = 0; i < columnCount(); ++i) {
        if (!touched_[i])
            continue;
        names << quotedName(columns_[i]);
        values << buffer_[i];
    }
    if (mode_ == EditMode::Edit) {
        const qint64 id = records_[pos_].id;
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString& n : names)
                sets << n + " = ?";
            values << id;
            const Outcome<> updated =
                db_.exec(QStringLiteral("update %1 set %2 where rowid = ?").arg(quotedName(table_), sets.join(", ")),
                         values);
            if (!updated)
                return updated;
        }
        Record fresh;
        if (Outcome<> reloaded = reloadRecord(id, fresh); !reloaded)
            return reloaded;
        records_[pos_] = std::move(fresh);
        cancelUpdate();
        return {};
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("insert into %1 default values").arg(quotedName(table_))
                            : insertRecordSql(table_, names);
    QSqlQuery query(db_.database());
    if (!query.prepare(sql))
        return databaseFailure(query.lastError());
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        return databaseFailure(query.lastError());
    const qint64 id = query.lastInsertId().toLongLong();
    Record fresh;
    if (Outcome<> reloaded = reloadRecord(id, fresh); !reloaded)
        return reloaded;
    records_.push_back(std::move(fresh));
    pos_ = recordCount() - 1;
    cancelUpdate();
    return {};
}

Outcome<> RecordSet::deleteCurrent()
{
    cancelUpdate();
    if (!hasCurrent())
        return kNoCurrentRecord;
    if (Outcome<> deleted = db_.exec(deleteRecordSql(table_), {records_[pos_].id}); !deleted)
        return deleted;
    records_.erase(records_.begin() + pos_);
    if (pos_ >= recordCount())
        pos_ = std::max(0, recordCount() - 1);
    return {};
}

qint64 RecordSet::rowId() const
{
    return hasCurrent() ? records_[pos_].id : 0;
}

} // namespace football

#pragma once

#include "base/outcome.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

namespace football {

class FootballDb;

// The record set of a window's data control: a record source (a table name or
// a query), read whole on refresh, walked record by record, read and written
// by column name or position. A new record goes to the end of the set, as
// with the desktop engine the windows were designed for.
class RecordSet {
public:
    enum class EditMode { None, Edit, Add };

    explicit RecordSet(FootballDb& db);

    void setRecordSource(const QString& source);
    const QString& recordSource() const { return source_; }
    // The table the records are written back to.
    const QString& table() const { return table_; }

    // Runs the record source again; the first record becomes current.
    Outcome<> refresh();

    int recordCount() const { return int(records_.size()); }
    bool eof() const { return records_.empty() || pos_ >= recordCount(); }
    bool bof() const { return records_.empty() || pos_ < 0; }
    bool hasCurrent() const { return !eof() && !bof(); }
    // Position of the current record, -1 when there is none.
    int absolutePosition() const { return hasCurrent() ? pos_ : -1; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void moveTo(int position);

    // Makes the first record whose `column` equals `value` current (letter case
    // aside, as the engine compared). Without a match the current record stays
    // and noMatch() is true.
    bool findFirst(const QString& column, const QString& value);
    bool noMatch() const { return noMatch_; }

    const QStringList& columnNames() const { return columns_; }
    int columnCount() const { return int(columns_.size()); }
    // Position of a column, letter case aside; -1 when the set has no such column.
    int columnIndex(const QString& name) const;

    // The current record's value (the edit buffer's while editing or adding).
    QVariant value(int position) const;
    QVariant value(const QString& column) const;
    // Text of a value; a missing value is "".
    QString text(int position) const;
    QString text(const QString& column) const;
    // Whole number of a value; a missing value is 0.
    qint64 number(int position) const;
    qint64 number(const QString& column) const;

    // Text of a column of any record of the set, without moving to it.
    QString textAt(int record, const QString& column) const;

    // Changes the edit buffer; false when not editing or no such column.
    bool setValue(int position, const QVariant& value);
    bool setValue(const QString& column, const QVariant& value);

    // Starts editing the current record.
    Outcome<> edit();
    // Starts a new record; columns not set take the table's defaults.
    void addNew();
    // Writes the edited or new record. A new record becomes the last one and current.
    Outcome<> update();
    void cancelUpdate();
    EditMode editMode() const { return mode_; }
    // Deletes the current record; the next one (or the last one) becomes current.
    Outcome<> deleteCurrent();

    // The row key of the current record (0 when none).
    qint64 rowId() const;

private:
    struct Record {
        qint64 id = 0;
        QVector<QVariant> values;
    };
    Outcome<> reloadRecord(qint64 id, Record& into);

    FootballDb& db_;
    QString source_;
    QString table_;
    QStringList columns_;
    QHash<QString, int> index_; // lower-case name -> position
    std::vector<Record> records_;
    int pos_ = 0;
    bool noMatch_ = false;
    EditMode mode_ = EditMode::None;
    QVector<QVariant> buffer_;
    QVector<bool> touched_;
};

} // namespace football

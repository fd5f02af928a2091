#pragma once

#include "base/outcome.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace football {

class RecordSet;

// Bound controls: each shows a column of the current record; an edit goes
// back into the record when save() is called (before the window moves to
// another record, reloads or closes).
class RecordBinder {
public:
    explicit RecordBinder(RecordSet& records) : records_(records) {}
    void bind(QLineEdit* edit, const QString& column, bool number = false);
    void bind(QComboBox* combo, const QString& column);
    void bind(QCheckBox* check, const QString& column);
    // Shows the current record; with none the controls are empty and disabled.
    void load();
    bool dirty() const;
    // Writes the changed controls into the current record; false (and
    // `error`) when the database refused.
    Outcome<> save();

private:
    struct Binding {
        QPointer<QWidget> control;
        QString column;
        enum Kind { Text, Number, Combo, Flag } kind;
    };
    QString shown(const Binding& b) const;
    QVariant stored(const Binding& b) const;
    QString recorded(const Binding& b) const;
    RecordSet& records_;
    QList<Binding> bindings_;
};

} // namespace football

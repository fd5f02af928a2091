#pragma once

#include "base/appcontext.h"
#include "base/ui/controls.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QFrame>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;
class QWidget;

namespace football {

class FootballDb;
class RecordBinder;
class RecordSet;
struct Printout;

// Opens a football database file of the program directory; on failure tells
// the user why and returns null.
std::unique_ptr<FootballDb> openTeamDatabase(AppContext& context);
std::unique_ptr<FootballDb> openFormDatabase(AppContext& context);
std::unique_ptr<FootballDb> openBothDatabases(AppContext& context);

// Tells the user that writing to the database failed and nothing changed.
void showDatabaseError(AppContext& context, const QString& what, const QString& detail);

// Saves the edits of the bound controls; a refusal of the database is told
// to the user. False when the edits could not be saved.
bool commitEdits(AppContext& context, RecordBinder& binder);
// Before a browsing window closes: saves the edits, and when that fails asks
// whether to close anyway. True when the window may close.
bool commitBeforeClosing(AppContext& context, RecordBinder& binder);

// Record handling that the team and player windows share. Each saves the
// edits of the record shown first; a refusal of the database is told with
// `failure` and leaves the database as it was.
// Adds an empty record dated today and makes it current. True when added.
bool addRecordDatedToday(AppContext& context, RecordSet& records, RecordBinder& binder, const QString& failure);
// Deletes the current record once the user has said yes to `question` (No is
// the default); a league's last record stays. True when the database was
// asked, so the caller shows the league afresh.
bool deleteAfterAsking(AppContext& context, RecordSet& records, const QString& question, const QString& failure);
// Moves the current record with `move` (given its row id) and shows the
// league from its first record again. True when moved.
bool moveCurrentRecord(AppContext& context, RecordSet& records,
                       const std::function<bool(qint64 rowId, QString* error)>& move);

// Prints a listing with the hourglass; a failure gets "Tulostus ei onnistu!".
bool printListing(AppContext& context, const Printout& printout, const QString& failureText = "Tulostus ei onnistu!");

// Runs `action` when the user clicks into `edit` with the mouse.
void onMouseClick(QLineEdit* edit, std::function<void()> action);
// Enter in `edit` moves the focus to the next field.
void enterMovesOn(QLineEdit* edit);

// A combo box that refills its list just before it drops down.
class PopupCombo : public QComboBox {
    Q_OBJECT
public:
    explicit PopupCombo(QWidget* parent, const QString& name);
    std::function<void()> beforePopup;
    void showPopup() override;
};

// An editable list to type or pick a name to look for; typing adds nothing to it.
QComboBox* makeSearchCombo(QWidget* parent, const QString& name);
// The leagues a record can be moved to, with none chosen.
QComboBox* makeTransferCombo(QWidget* parent, const QString& name);

// Replaces the items of a combo box, keeping the text it shows.
void fillCombo(QComboBox* combo, const QStringList& items);

// Rows of text under a title row, for the grids.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TextTableModel(QStringList titles, QObject* parent = nullptr);
    void setRows(QList<QStringList> rows);
    // Columns of figures, shown centred.
    void setCentredColumns(QList<int> columns) { centred_ = std::move(columns); }
    const QList<QStringList>& rows() const { return rows_; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList titles_;
    QList<QStringList> rows_;
    QList<int> centred_;
};

// A read-only grid over a TextTableModel; `stretchColumn` takes the room left
// over by the others (widths in pixels, -1 = as wide as its title).
QTableView* makeGrid(QWidget* parent, const QString& name, TextTableModel* model, const QList<int>& widths,
                     int stretchColumn);

// The browsing control of a record set: first, previous, caption, next, last.
class DataNavigator : public QFrame {
    Q_OBJECT
public:
    enum Move { First, Previous, Next, Last };
    DataNavigator(QWidget* parent, const QString& name);
    void setCaption(const QString& caption);
    QString caption() const;
signals:
    void moveRequested(DataNavigator::Move move);

private:
    QLabel* caption_;
};

// Moves `records` as the navigator asked, never past either end.
void applyMove(RecordSet& records, DataNavigator::Move move);

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
    bool save(QString* error);

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

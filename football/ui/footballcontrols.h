#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QList>
#include <QStringList>
#include <functional>

class QTableView;
class QWidget;

namespace football {

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

} // namespace football

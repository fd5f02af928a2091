#include "football/ui/footballcontrols.h"

#include "football/leagues.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace football {

PopupCombo::PopupCombo(QWidget* parent, const QString& name) : QComboBox(parent)
{
    setObjectName(name);
}

void PopupCombo::showPopup()
{
    if (beforePopup)
        beforePopup();
    QComboBox::showPopup();
}

QComboBox* makeSearchCombo(QWidget* parent, const QString& name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(18);
    return combo;
}

QComboBox* makeTransferCombo(QWidget* parent, const QString& name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(transferCaptions());
    combo->setCurrentIndex(-1);
    return combo;
}

void fillCombo(QComboBox* combo, const QStringList& items)
{
    const QString text = combo->currentText();
    const bool blocked = combo->blockSignals(true);
    combo->clear();
    combo->addItems(items);
    if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(int(items.indexOf(text)));
    combo->blockSignals(blocked);
}

TextTableModel::TextTableModel(QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), titles_(std::move(titles))
{
}

void TextTableModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(titles_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int((centred_.contains(index.column()) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    return rows_[index.row()].value(index.column());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return titles_.value(section);
    return section + 1;
}

QTableView* makeGrid(QWidget* parent, const QString& name, TextTableModel* model, const QList<int>& widths,
                     int stretchColumn)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    QHeaderView* header = view->horizontalHeader();
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    int total = 0;
    for (int c = 0; c < widths.size(); ++c) {
        const QString title = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        // Never narrower than the title, which some grids repeat in their rows.
        const int titleWidth =
            std::max(header->fontMetrics().horizontalAdvance(title), view->fontMetrics().horizontalAdvance(title)) + 20;
        const int width = std::max(widths[c], titleWidth);
        view->setColumnWidth(c, width);
        total += width;
        if (c == stretchColumn)
            header->setSectionResizeMode(c, QHeaderView::Stretch);
    }
    view->setMinimumWidth(total + view->frameWidth() * 2 + view->verticalScrollBar()->sizeHint().width());
    view->setWordWrap(false);
    return view;
}

} // namespace football

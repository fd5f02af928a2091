#include "football/ui/footballui.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/printout.h"
#include "football/recordset.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

namespace football {

namespace {

// A damaged database opens for reading only; the user hears why nothing will be saved.
void tellDamage(AppContext& context, const FootballDb& db)
{
    if (db.readOnly())
        context.services.messages.show(databaseDamagedMessage(db.damagedFile()), Messages::Exclamation, "Tietokanta");
}

std::unique_ptr<FootballDb> openOne(AppContext& context, const char* file, FootballDb::Kind kind)
{
    QString reason;
    auto db = FootballDb::open(QDir(context.state.ProgramDir).filePath(file), kind, &reason);
    if (!db)
        context.services.messages.show(databaseUnusableMessage(file, reason), Messages::Critical, "Tietokanta");
    else
        tellDamage(context, *db);
    return db;
}

} // namespace

std::unique_ptr<FootballDb> openTeamDatabase(AppContext& context)
{
    return openOne(context, kTeamDatabaseFile, FootballDb::Kind::Teams);
}

std::unique_ptr<FootballDb> openFormDatabase(AppContext& context)
{
    return openOne(context, kFormDatabaseFile, FootballDb::Kind::Form);
}

std::unique_ptr<FootballDb> openBothDatabases(AppContext& context)
{
    QString error;
    auto db = FootballDb::openWithForm(context.state.ProgramDir, &error);
    if (!db)
        context.services.messages.show(error, Messages::Critical, "Tietokanta");
    else
        tellDamage(context, *db);
    return db;
}

void showDatabaseError(AppContext& context, const QString& what, const QString& detail)
{
    QString text = what;
    if (!detail.isEmpty())
        text += kLineBreak + detail;
    context.services.messages.show(text, Messages::Critical, "Tietokanta");
}

bool commitEdits(AppContext& context, RecordBinder& binder)
{
    QString error;
    if (binder.save(&error))
        return true;
    showDatabaseError(context, "Muutoksia ei voitu tallentaa !", error);
    return false;
}

bool commitBeforeClosing(AppContext& context, RecordBinder& binder)
{
    QString error;
    if (binder.save(&error))
        return true;
    return context.services.messages.show(QStringLiteral("Muutoksia ei voitu tallentaa !") + kLineBreak + error +
                                              kLineBreak + "Suljetaanko ikkuna silti ?",
                                          Messages::YesNo | Messages::Question | Messages::DefaultButton2,
                                          "Tietokanta") == Messages::Yes;
}

bool addRecordDatedToday(AppContext& context, RecordSet& records, RecordBinder& binder, const QString& failure)
{
    if (!commitEdits(context, binder))
        return false;
    records.addNew();
    records.setValue("pvm", formatDate(context.services.clock.today()));
    if (records.update())
        return true;
    showDatabaseError(context, failure, records.lastError());
    return false;
}

bool deleteAfterAsking(AppContext& context, RecordSet& records, const QString& question, const QString& failure)
{
    if (!records.hasCurrent())
        return false;
    Messages& messages = context.services.messages;
    if (records.recordCount() == 1) {
        messages.show("Tietueita on vain yksi,  et voi poistaa tätä!", Messages::Exclamation, "Poista");
        return false;
    }
    if (messages.show(question, Messages::YesNo | Messages::Question | Messages::DefaultButton2, "Poista") !=
        Messages::Yes)
        return false;
    if (!records.deleteCurrent())
        showDatabaseError(context, failure, records.lastError());
    return true;
}

bool moveCurrentRecord(AppContext& context, RecordSet& records,
                       const std::function<bool(qint64 rowId, QString* error)>& move)
{
    QString error;
    bool moved;
    {
        BusyCursor busy;
        moved = move(records.rowId(), &error);
        records.refresh();
        records.moveFirst();
    }
    if (!moved)
        showDatabaseError(context, "Siirto ei onnistunut, tietokanta on ennallaan !", error);
    return moved;
}

bool printListing(AppContext& context, const Printout& printout, const QString& failureText)
{
    bool ok = false;
    {
        BusyCursor busy;
        PrintDevice& printer = context.services.printer;
        ok = printer.available() && printPaged(printer, printout);
    }
    if (!ok && !context.services.printer.cancelled())
        context.services.messages.show(failureText, Messages::Critical, "Tulosta");
    return ok;
}

namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            action_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

void onMouseClick(QLineEdit* edit, std::function<void()> action)
{
    edit->installEventFilter(new ClickFilter(edit, std::move(action)));
}

void enterMovesOn(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::returnPressed, edit, [edit] {
        if (QWidget* next = edit->nextInFocusChain())
            for (QWidget* w = next; w && w != edit; w = w->nextInFocusChain())
                if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) {
                    w->setFocus(Qt::TabFocusReason);
                    return;
                }
    });
}

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

DataNavigator::DataNavigator(QWidget* parent, const QString& name) : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    auto arrow = [this, row, &name](const char* suffix, Qt::ArrowType type, bool end, Move move, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(name + "_" + suffix);
        b->setArrowType(type);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        if (end) {
            b->setText(type == Qt::LeftArrow ? "|◀" : "▶|");
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, move] { emit moveRequested(move); });
        row->addWidget(b);
    };
    arrow("first", Qt::LeftArrow, true, First, "Ensimmäinen");
    arrow("previous", Qt::LeftArrow, false, Previous, "Edellinen");
    caption_ = new QLabel(this);
    caption_->setObjectName(name + "_caption");
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setMinimumWidth(120);
    row->addWidget(caption_, 1);
    arrow("next", Qt::RightArrow, false, Next, "Seuraava");
    arrow("last", Qt::RightArrow, true, Last, "Viimeinen");
}

void DataNavigator::setCaption(const QString& caption)
{
    caption_->setText(caption);
}

QString DataNavigator::caption() const
{
    return caption_->text();
}

void applyMove(RecordSet& records, DataNavigator::Move move)
{
    switch (move) {
    case DataNavigator::First:
        records.moveFirst();
        break;
    case DataNavigator::Previous:
        records.movePrevious();
        if (records.bof())
            records.moveFirst();
        break;
    case DataNavigator::Next:
        records.moveNext();
        if (records.eof())
            records.moveLast();
        break;
    case DataNavigator::Last:
        records.moveLast();
        break;
    }
}

void RecordBinder::bind(QLineEdit* edit, const QString& column, bool number)
{
    bindings_ << Binding{edit, column, number ? Binding::Number : Binding::Text};
}

void RecordBinder::bind(QComboBox* combo, const QString& column)
{
    bindings_ << Binding{combo, column, Binding::Combo};
}

void RecordBinder::bind(QCheckBox* check, const QString& column)
{
    bindings_ << Binding{check, column, Binding::Flag};
}

QString RecordBinder::shown(const Binding& b) const
{
    switch (b.kind) {
    case Binding::Text:
        return static_cast<QLineEdit*>(b.control.data())->text();
    case Binding::Number:
        return QString::number(leadingInt(static_cast<QLineEdit*>(b.control.data())->text()));
    case Binding::Combo:
        return static_cast<QComboBox*>(b.control.data())->currentText();
    case Binding::Flag:
        return static_cast<QCheckBox*>(b.control.data())->isChecked() ? "1" : "0";
    }
    return QString();
}

QVariant RecordBinder::stored(const Binding& b) const
{
    switch (b.kind) {
    case Binding::Number:
        return leadingInt(static_cast<QLineEdit*>(b.control.data())->text());
    case Binding::Flag:
        return static_cast<QCheckBox*>(b.control.data())->isChecked() ? 1 : 0;
    default:
        return shown(b);
    }
}

QString RecordBinder::recorded(const Binding& b) const
{
    switch (b.kind) {
    case Binding::Number:
        return QString::number(records_.number(b.column));
    case Binding::Flag:
        return records_.number(b.column) != 0 ? "1" : "0";
    default:
        return records_.text(b.column);
    }
}

void RecordBinder::load()
{
    const bool has = records_.hasCurrent();
    for (const Binding& b : bindings_) {
        QWidget* w = b.control;
        if (!w)
            continue;
        // Text boxes announce the new text (their scroll bars follow it); the
        // windows react to the user's own edits only.
        switch (b.kind) {
        case Binding::Text:
        case Binding::Number:
            static_cast<QLineEdit*>(w)->setText(has ? records_.text(b.column) : QString());
            static_cast<QLineEdit*>(w)->setCursorPosition(0);
            break;
        case Binding::Combo: {
            auto* combo = static_cast<QComboBox*>(w);
            const QString text = has ? records_.text(b.column) : QString();
            if (combo->isEditable())
                combo->setEditText(text);
            else
                combo->setCurrentIndex(combo->findText(text));
            break;
        }
        case Binding::Flag:
            static_cast<QCheckBox*>(w)->setChecked(has && records_.number(b.column) != 0);
            break;
        }
        w->setEnabled(has);
    }
}

bool RecordBinder::dirty() const
{
    if (!records_.hasCurrent())
        return false;
    for (const Binding& b : bindings_)
        if (b.control && shown(b) != recorded(b))
            return true;
    return false;
}

bool RecordBinder::save(QString* error)
{
    if (!dirty())
        return true;
    if (!records_.edit()) {
        if (error)
            *error = records_.lastError();
        return false;
    }
    for (const Binding& b : bindings_)
        if (b.control && shown(b) != recorded(b))
            records_.setValue(b.column, stored(b));
    if (!records_.update()) {
        if (error)
            *error = records_.lastError();
        records_.cancelUpdate();
        return false;
    }
    return true;
}

} // namespace football

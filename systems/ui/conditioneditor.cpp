#include "systems/ui/conditioneditor.h"

#include "base/textformat.h"
#include "base/ui/controls.h"
#include "systems/pruningfile.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char* const kKindNames[] = {"Merkkien määrä", "Suosikkien määrä",       "Pisin saman merkin putki",
                                  "Merkin vaihdot", "Todennäköisimmät rivit", "Todennäköisyys vähintään %",
                                  "Arvo vähintään"};
const ConditionKind kKinds[] = {ConditionKind::SignCount,   ConditionKind::Favourites,   ConditionKind::LongestRun,
                                ConditionKind::SignChanges, ConditionKind::MostProbable, ConditionKind::MinProbability,
                                ConditionKind::MinValue};

} // namespace

ConditionEditor::ConditionEditor(AppContext& context, QWidget* parent)
    : QGroupBox("Karsintaehdot", parent), context_(context)
{
    setObjectName("ehtoryhma");
    buildEditor();
    connect(list_, &QListWidget::currentRowChanged, this, &ConditionEditor::conditionSelected);
    connect(list_, &QListWidget::itemChanged, this, &ConditionEditor::itemChanged);
    connect(kindBox_, &QComboBox::currentIndexChanged, this, &ConditionEditor::kindChosen);
    connect(signBox_, &QComboBox::currentIndexChanged, this, &ConditionEditor::editorChanged);
    connect(leastBox_, &QSpinBox::valueChanged, this, &ConditionEditor::editorChanged);
    connect(mostBox_, &QSpinBox::valueChanged, this, &ConditionEditor::editorChanged);
    for (QLineEdit* edit : {matchesEdit_, favouritesEdit_, numberEdit_})
        connect(edit, &QLineEdit::textEdited, this, &ConditionEditor::editorChanged);
    connect(hintButton_, &QPushButton::clicked, this, &ConditionEditor::takeHintRow);
    connect(addButton_, &QPushButton::clicked, this, &ConditionEditor::addCondition);
    connect(removeButton_, &QPushButton::clicked, this, &ConditionEditor::removeCondition);
    kindChosen();
    showConditions(-1);
}

void ConditionEditor::buildEditor()
{
    list_ = new QListWidget(this);
    list_->setObjectName("ehdot");
    list_->setAccessibleName(QString::fromUtf8("Ehdot; välilyönti kytkee valitun päälle tai pois"));
    list_->setToolTip(QString::fromUtf8("Välilyönti tai rasti kytkee ehdon päälle tai pois"));
    kindBox_ = new QComboBox(this);
    kindBox_->setObjectName("ehtolaji");
    for (int k = 0; k < int(std::size(kKinds)); ++k)
        kindBox_->addItem(QString::fromUtf8(kKindNames[k]), int(kKinds[k]));
    signBox_ = new QComboBox(this);
    signBox_->setObjectName("merkki");
    signBox_->addItems({"1", "X", "2"});
    leastBox_ = new QSpinBox(this);
    leastBox_->setObjectName("vahintaan");
    leastBox_->setRange(0, kFrameMatches);
    mostBox_ = new QSpinBox(this);
    mostBox_->setObjectName("enintaan");
    mostBox_->setRange(0, kFrameMatches);
    mostBox_->setValue(kFrameMatches);
    matchesEdit_ = makeEdit(this, "kohteet", 20);
    matchesEdit_->setPlaceholderText("kaikki");
    matchesEdit_->setToolTip(QString::fromUtf8("Kohteiden numerot pilkuin erotettuina, esimerkiksi 1,2,3,4; "
                                               "tyhjä: kaikki kohteet"));
    favouritesEdit_ = makeEdit(this, "suosikit", 13);
    favouritesEdit_->setFont(listingFont());
    favouritesEdit_->setMaxLength(kFrameMatches);
    favouritesEdit_->setToolTip(QString::fromUtf8("Suosikkimerkki kohteittain: 1, X tai 2; - kun suosikkia ei ole"));
    hintButton_ = makeButton(this, "vihjerivi", QString::fromUtf8("V&ihjeriviltä"));
    hintButton_->setToolTip(QString::fromUtf8("Suosikeiksi Vihjerivi-ikkunan laskema vihjerivi"));
    numberEdit_ = makeEdit(this, "luku", 12);
    addButton_ = makeButton(this, "lisaa", QString::fromUtf8("Lis&ää"));
    removeButton_ = makeButton(this, "poista", "P&oista");
    addButton_->setToolTip(QString::fromUtf8("Lisää ehdon; valitun ehdon muutokset tulevat voimaan heti"));

    auto* favourites = new QHBoxLayout;
    favourites->addWidget(favouritesEdit_, 1);
    favourites->addWidget(hintButton_);
    auto* range = new QHBoxLayout;
    range->addWidget(leastBox_);
    range->addWidget(makeLabel(this, QString::fromUtf8("enintään")));
    range->addWidget(mostBox_);
    range->addStretch(1);
    editorLayout_ = new QFormLayout;
    editorLayout_->addRow(makeBuddyLabel(this, "La&ji:", kindBox_), kindBox_);
    editorLayout_->addRow(makeBuddyLabel(this, "&Merkki:", signBox_), signBox_);
    editorLayout_->addRow(makeBuddyLabel(this, QString::fromUtf8("Vä&hintään:"), leastBox_), range);
    editorLayout_->addRow(makeBuddyLabel(this, "Kohteet:", matchesEdit_), matchesEdit_);
    editorLayout_->addRow(makeBuddyLabel(this, "S&uosikit:", favouritesEdit_), favourites);
    editorLayout_->addRow(makeBuddyLabel(this, "&Luku:", numberEdit_), numberEdit_);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(addButton_);
    listButtons->addWidget(removeButton_);
    listButtons->addStretch(1);
    auto* conditionsLayout = new QVBoxLayout(this);
    conditionsLayout->addWidget(makeBuddyLabel(this, QString::fromUtf8("Eh&dot (rasti: ehto käytössä):"), list_));
    conditionsLayout->addWidget(list_, 1);
    conditionsLayout->addLayout(editorLayout_);
    conditionsLayout->addLayout(listButtons);
}

void ConditionEditor::setConditions(const std::vector<Condition>& conditions)
{
    conditions_ = conditions;
    showConditions(-1);
}

QList<QWidget*> ConditionEditor::tabOrder() const
{
    return {list_,           kindBox_,    signBox_,    leastBox_,  mostBox_,     matchesEdit_,
            favouritesEdit_, hintButton_, numberEdit_, addButton_, removeButton_};
}

bool ConditionEditor::editing(QWidget* focus) const
{
    for (QWidget* editor : std::initializer_list<QWidget*>{kindBox_, signBox_, leastBox_, mostBox_, matchesEdit_,
                                                           favouritesEdit_, numberEdit_})
        if (editor == focus || editor->isAncestorOf(focus))
            return true;
    return false;
}

void ConditionEditor::chooseKind(ConditionKind kind)
{
    for (int k = 0; k < kindBox_->count(); ++k)
        if (kindBox_->itemData(k).toInt() == int(kind))
            kindBox_->setCurrentIndex(k);
}

void ConditionEditor::kindChosen()
{
    const auto kind = ConditionKind(kindBox_->currentData().toInt());
    // Rows of the editor: kind, sign, range, matches, favourites, number.
    editorLayout_->setRowVisible(1, kind == ConditionKind::SignCount);
    editorLayout_->setRowVisible(2, conditionHasRange(kind));
    editorLayout_->setRowVisible(3, kind == ConditionKind::SignCount);
    editorLayout_->setRowVisible(4, kind == ConditionKind::Favourites);
    editorLayout_->setRowVisible(5, conditionUsesProbabilities(kind));
    numberEdit_->setToolTip(kind == ConditionKind::MostProbable     ? QString::fromUtf8("Pidettävien rivien määrä")
                            : kind == ConditionKind::MinProbability ? QString::fromUtf8("Rivin todennäköisyys "
                                                                                        "vähintään, prosentteina")
                                                                    : QString::fromUtf8("Todennäköisyys jaettuna "
                                                                                        "pelijakauman osuudella "
                                                                                        "vähintään"));
    editorChanged();
}

std::optional<Condition> ConditionEditor::editorCondition(QString& error) const
{
    Condition c;
    c.kind = ConditionKind(kindBox_->currentData().toInt());
    c.range = {leastBox_->value(), mostBox_->value()};
    switch (c.kind) {
    case ConditionKind::SignCount: {
        c.sign = std::uint8_t(signBox_->currentIndex());
        if (!matchesEdit_->text().trimmed().isEmpty()) {
            const auto matches = parseMatchList(matchesEdit_->text(), error);
            if (!matches)
                return std::nullopt;
            c.matches = *matches;
        }
        break;
    }
    case ConditionKind::Favourites: {
        const auto row = parseFavouriteRow(favouritesEdit_->text(), error);
        if (!row)
            return std::nullopt;
        c.favourites = *row;
        break;
    }
    case ConditionKind::MostProbable: {
        bool ok = false;
        c.rowsToKeep = numberEdit_->text().trimmed().toULongLong(&ok);
        if (!ok)
            c.rowsToKeep = 0;
        break;
    }
    case ConditionKind::MinProbability:
    case ConditionKind::MinValue:
        c.threshold = parseDecimal(numberEdit_->text()).value_or(-1);
        break;
    default:
        break;
    }
    error = conditionProblem(c);
    if (!error.isEmpty())
        return std::nullopt;
    return c;
}

void ConditionEditor::editorChanged()
{
    if (filling_)
        return;
    const int row = list_->currentRow();
    QString error;
    const std::optional<Condition> c = editorCondition(error);
    if (!c) {
        // The condition in the list stays as it was until the editor holds a good one.
        emit problem(error);
        return;
    }
    emit fine();
    if (row < 0 || row >= int(conditions_.size()))
        return;
    Condition edited = *c;
    edited.on = conditions_[std::size_t(row)].on;
    if (edited == conditions_[std::size_t(row)])
        return;
    conditions_[std::size_t(row)] = edited;
    showConditions(row);
    emit changed();
}

void ConditionEditor::conditionSelected()
{
    if (filling_)
        return;
    const int row = list_->currentRow();
    removeButton_->setEnabled(row >= 0);
    if (row >= 0 && row < int(conditions_.size()))
        showInEditor(conditions_[std::size_t(row)]);
}

void ConditionEditor::showInEditor(const Condition& c)
{
    filling_ = true;
    chooseKind(c.kind);
    if (conditionHasRange(c.kind)) {
        leastBox_->setValue(c.range.least);
        mostBox_->setValue(c.range.most);
    }
    if (c.kind == ConditionKind::SignCount) {
        signBox_->setCurrentIndex(c.sign);
        const QString text = signCountText(c);
        const qsizetype at = text.indexOf('@');
        matchesEdit_->setText(at < 0 ? QString() : text.mid(at + 1));
    }
    if (c.kind == ConditionKind::Favourites)
        favouritesEdit_->setText(favouriteRowText(c.favourites));
    if (c.kind == ConditionKind::MostProbable)
        numberEdit_->setText(QString::number(c.rowsToKeep));
    else if (conditionUsesProbabilities(c.kind))
        numberEdit_->setText(exactNumberText(c.threshold));
    filling_ = false;
    kindChosen();
}

void ConditionEditor::showConditions(int selected)
{
    filling_ = true;
    list_->clear();
    for (const Condition& c : conditions_) {
        auto* item = new QListWidgetItem(conditionText(c), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(c.on ? Qt::Checked : Qt::Unchecked);
    }
    list_->setCurrentRow(selected);
    filling_ = false;
    removeButton_->setEnabled(list_->currentRow() >= 0);
}

void ConditionEditor::addCondition()
{
    QString error;
    const std::optional<Condition> c = editorCondition(error);
    if (!c) {
        context_.services.messages.show(error, Messages::Exclamation, QString());
        return;
    }
    conditions_.push_back(*c);
    // The editor is free for the next condition; the one added is edited by choosing it.
    showConditions(-1);
    list_->scrollToBottom();
    emit notice(QString::fromUtf8("Ehto lisätty: %1").arg(conditionText(*c)));
    emit changed();
}

void ConditionEditor::removeCondition()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= int(conditions_.size()))
        return;
    conditions_.erase(conditions_.begin() + row);
    showConditions(std::min(row, int(conditions_.size()) - 1));
    emit changed();
}

void ConditionEditor::itemChanged(QListWidgetItem* item)
{
    if (filling_)
        return;
    const int row = list_->row(item);
    if (row < 0 || row >= int(conditions_.size()))
        return;
    conditions_[std::size_t(row)].on = item->checkState() == Qt::Checked;
    emit changed();
}

void ConditionEditor::takeHintRow()
{
    const MatchStrings& hint = context_.state.HintRow;
    QString row;
    bool any = false;
    for (const QString& sign : hint) {
        const bool known = sign == "1" || sign == "X" || sign == "2";
        row += known ? sign : QString("-");
        any = any || known;
    }
    if (!any) {
        context_.services.messages.show(
            QString::fromUtf8("Vihjeriviä ei ole vielä laskettu: laske se ensin Vihjerivi-ikkunassa."),
            Messages::Information, QString());
        return;
    }
    chooseKind(ConditionKind::Favourites);
    favouritesEdit_->setText(row);
    editorChanged();
    favouritesEdit_->setFocus();
}

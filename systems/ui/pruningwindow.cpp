#include "systems/ui/pruningwindow.h"

#include "base/rowfile.h"
#include "base/safewrite.h"
#include "base/textformat.h"
#include "base/ui/backgroundwork.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "base/ui/windownames.h"
#include "rows/rowentry.h"
#include "rows/ui/couponcolumn.h"
#include "systems/coveringsearch.h"
#include "systems/frametext.h"
#include "systems/ownsystem.h"
#include "systems/pruningfile.h"
#include "systems/ui/matchnumbersbox.h"
#include "systems/ui/pruningfileflows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

struct CountJob : BackgroundJob {
    PruningSet set;
    std::optional<std::vector<RowIndex>> kept;
    std::optional<double> chance; // that the correct row is kept, when chances are given
};

struct CoveringJob : BackgroundJob {
    std::atomic<std::size_t> bestSize{0};
    QElapsedTimer clock;
    int seconds = 0;
    CoveringResult result;
};

namespace {

constexpr int kCountPollMs = 10;
constexpr int kSearchPollMs = 100;
constexpr int kSearchSeconds = 10;

const char* const kKindNames[] = {"Merkkien määrä", "Suosikkien määrä",       "Pisin saman merkin putki",
                                  "Merkin vaihdot", "Todennäköisimmät rivit", "Todennäköisyys vähintään %",
                                  "Arvo vähintään"};
const ConditionKind kKinds[] = {ConditionKind::SignCount,   ConditionKind::Favourites,   ConditionKind::LongestRun,
                                ConditionKind::SignChanges, ConditionKind::MostProbable, ConditionKind::MinProbability,
                                ConditionKind::MinValue};

bool hasRange(ConditionKind kind)
{
    return kind == ConditionKind::SignCount || kind == ConditionKind::Favourites || kind == ConditionKind::LongestRun ||
           kind == ConditionKind::SignChanges;
}

bool hasNumber(ConditionKind kind)
{
    return kind == ConditionKind::MostProbable || kind == ConditionKind::MinProbability ||
           kind == ConditionKind::MinValue;
}

} // namespace

PruningWindow::PruningWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Pruning);
    setWindowTitle("Karsinta");

    coupon_ = new CouponColumn("karsintakaava", {"yksi", "risti", "kaksi"}, this);

    // The probabilities and the public's play, a line per match beside the coupon.
    numbersBox_ = new MatchNumbersBox(context, this);

    auto* countsBox = new QGroupBox(QString::fromUtf8("Rivit"), this);
    countsBox->setObjectName("rivimaarat");
    fullLabel_ = makeLabel(countsBox, QString(), "taysi");
    keptLabel_ = makeLabel(countsBox, QString(), "jaljella");
    QFont strong = keptLabel_->font();
    strong.setBold(true);
    keptLabel_->setFont(strong);
    chanceLabel_ = makeLabel(countsBox, QString(), "todennakoisyys");
    chanceLabel_->setToolTip(QString::fromUtf8("Pidettyjen rivien todennäköisyydet yhteensä: todennäköisyys, "
                                               "että oikea rivi on niiden joukossa"));
    auto* countsLayout = new QVBoxLayout(countsBox);
    countsLayout->addWidget(fullLabel_);
    countsLayout->addWidget(keptLabel_);
    countsLayout->addWidget(chanceLabel_);

    auto* conditionsBox = new QGroupBox("Karsintaehdot", this);
    conditionsBox->setObjectName("ehtoryhma");
    list_ = new QListWidget(conditionsBox);
    list_->setObjectName("ehdot");
    list_->setAccessibleName(QString::fromUtf8("Ehdot; välilyönti kytkee valitun päälle tai pois"));
    list_->setToolTip(QString::fromUtf8("Välilyönti tai rasti kytkee ehdon päälle tai pois"));
    kindBox_ = new QComboBox(conditionsBox);
    kindBox_->setObjectName("ehtolaji");
    for (int k = 0; k < int(std::size(kKinds)); ++k)
        kindBox_->addItem(QString::fromUtf8(kKindNames[k]), int(kKinds[k]));
    signBox_ = new QComboBox(conditionsBox);
    signBox_->setObjectName("merkki");
    signBox_->addItems({"1", "X", "2"});
    leastBox_ = new QSpinBox(conditionsBox);
    leastBox_->setObjectName("vahintaan");
    leastBox_->setRange(0, kFrameMatches);
    mostBox_ = new QSpinBox(conditionsBox);
    mostBox_->setObjectName("enintaan");
    mostBox_->setRange(0, kFrameMatches);
    mostBox_->setValue(kFrameMatches);
    matchesEdit_ = makeEdit(conditionsBox, "kohteet", 20);
    matchesEdit_->setPlaceholderText("kaikki");
    matchesEdit_->setToolTip(QString::fromUtf8("Kohteiden numerot pilkuin erotettuina, esimerkiksi 1,2,3,4; "
                                               "tyhjä: kaikki kohteet"));
    favouritesEdit_ = makeEdit(conditionsBox, "suosikit", 13);
    favouritesEdit_->setFont(listingFont());
    favouritesEdit_->setMaxLength(kFrameMatches);
    favouritesEdit_->setToolTip(QString::fromUtf8("Suosikkimerkki kohteittain: 1, X tai 2; - kun suosikkia ei ole"));
    hintButton_ = makeButton(conditionsBox, "vihjerivi", QString::fromUtf8("V&ihjeriviltä"));
    hintButton_->setToolTip(QString::fromUtf8("Suosikeiksi Vihjerivi-ikkunan laskema vihjerivi"));
    numberEdit_ = makeEdit(conditionsBox, "luku", 12);
    addButton_ = makeButton(conditionsBox, "lisaa", QString::fromUtf8("Lis&ää"));
    removeButton_ = makeButton(conditionsBox, "poista", "P&oista");
    addButton_->setToolTip(QString::fromUtf8("Lisää ehdon; valitun ehdon muutokset tulevat voimaan heti"));

    auto* favourites = new QHBoxLayout;
    favourites->addWidget(favouritesEdit_, 1);
    favourites->addWidget(hintButton_);
    auto* range = new QHBoxLayout;
    range->addWidget(leastBox_);
    range->addWidget(makeLabel(conditionsBox, QString::fromUtf8("enintään")));
    range->addWidget(mostBox_);
    range->addStretch(1);
    editorLayout_ = new QFormLayout;
    editorLayout_->addRow(makeBuddyLabel(conditionsBox, "La&ji:", kindBox_), kindBox_);
    editorLayout_->addRow(makeBuddyLabel(conditionsBox, "&Merkki:", signBox_), signBox_);
    editorLayout_->addRow(makeBuddyLabel(conditionsBox, QString::fromUtf8("Vä&hintään:"), leastBox_), range);
    editorLayout_->addRow(makeBuddyLabel(conditionsBox, "Kohteet:", matchesEdit_), matchesEdit_);
    editorLayout_->addRow(makeBuddyLabel(conditionsBox, "S&uosikit:", favouritesEdit_), favourites);
    editorLayout_->addRow(makeBuddyLabel(conditionsBox, "&Luku:", numberEdit_), numberEdit_);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(addButton_);
    listButtons->addWidget(removeButton_);
    listButtons->addStretch(1);
    auto* conditionsLayout = new QVBoxLayout(conditionsBox);
    conditionsLayout->addWidget(
        makeBuddyLabel(conditionsBox, QString::fromUtf8("Eh&dot (rasti: ehto käytössä):"), list_));
    conditionsLayout->addWidget(list_, 1);
    conditionsLayout->addLayout(editorLayout_);
    conditionsLayout->addLayout(listButtons);

    auto* guaranteeBox = new QGroupBox("Takuu", this);
    guaranteeBox->setObjectName("takuuryhma");
    guaranteeBox_ = new QComboBox(guaranteeBox);
    guaranteeBox_->setObjectName("takuu");
    guaranteeBox_->addItem("Ei takuuta", 0);
    for (int g = kHighestOwnGuarantee; g >= kLowestOwnGuarantee; --g)
        guaranteeBox_->addItem(QString("%1 oikein").arg(g), g);
    guaranteeBox_->setToolTip(QString::fromUtf8("Etsii ehdot täyttävistä riveistä pienemmän joukon, jossa "
                                                "jokaiselle niistä on vähintään takuun verran oikein"));
    searchButton_ = makeButton(guaranteeBox, "etsi", "&Etsi");
    stopButton_ = makeButton(guaranteeBox, "keskeyta", QString::fromUtf8("Keske&ytä"));
    progressBar_ = new QProgressBar(guaranteeBox);
    progressBar_->setObjectName("mittari");
    progressBar_->setTextVisible(false);
    auto* guaranteeLayout = new QHBoxLayout(guaranteeBox);
    guaranteeLayout->addWidget(makeBuddyLabel(guaranteeBox, "Ta&kuu:", guaranteeBox_));
    guaranteeLayout->addWidget(guaranteeBox_);
    guaranteeLayout->addWidget(searchButton_);
    guaranteeLayout->addWidget(stopButton_);
    guaranteeLayout->addWidget(progressBar_, 1);

    statusLabel_ = makeLabel(this, QString(), "tila");
    statusLabel_->setWordWrap(true);
    // Room for two lines whether or not a message shows, so the buttons
    // below never move under the pointer as messages come and go.
    statusLabel_->setMinimumHeight(2 * statusLabel_->fontMetrics().lineSpacing());
    saveButton_ = makeButton(this, "tallenna", "Tallenna ja &analysoi...");
    saveButton_->setToolTip(QString::fromUtf8("Tallentaa rivit uuteen rivitiedostoon ja avaa takuuanalyysin"));
    saveConditionsButton_ = makeButton(this, "tallennaehdot", "&Tallenna ehdot...");
    openConditionsButton_ = makeButton(this, "avaaehdot", "A&vaa ehdot...");
    closeButton_ = makeButton(this, "sulje", "&Sulje");
    addButton_->setDefault(true);

    auto* middle = new QVBoxLayout;
    middle->addWidget(countsBox);
    middle->addWidget(conditionsBox, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(coupon_, 0, Qt::AlignTop);
    top->addWidget(numbersBox_, 1);
    top->addLayout(middle, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveConditionsButton_);
    buttons->addWidget(openConditionsButton_);
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(guaranteeBox);
    layout->addWidget(statusLabel_);
    layout->addLayout(buttons);

    QList<QWidget*> order = coupon_->tabOrder();
    order << numbersBox_->tabOrder() << list_ << kindBox_ << signBox_ << leastBox_ << mostBox_ << matchesEdit_
          << favouritesEdit_ << hintButton_ << numberEdit_ << addButton_ << removeButton_ << guaranteeBox_
          << searchButton_ << stopButton_ << saveConditionsButton_ << openConditionsButton_ << saveButton_
          << closeButton_;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Enter adds the condition being edited only from the editor; in the
    // guarantee box it searches, and elsewhere it does nothing.
    bindDialogKeys(
        this,
        [this]() -> QPushButton* {
            QWidget* focus = QApplication::focusWidget();
            const auto holds = [focus](QWidget* w) { return w == focus || w->isAncestorOf(focus); };
            for (QWidget* editor : std::initializer_list<QWidget*>{kindBox_, signBox_, leastBox_, mostBox_,
                                                                   matchesEdit_, favouritesEdit_, numberEdit_})
                if (holds(editor))
                    return addButton_;
            return holds(guaranteeBox_) ? searchButton_ : nullptr;
        },
        [this] { close(); });

    countPoll_ = new QTimer(this);
    countPoll_->setInterval(kCountPollMs);
    searchPoll_ = new QTimer(this);
    searchPoll_->setInterval(kSearchPollMs);
    connect(countPoll_, &QTimer::timeout, this, &PruningWindow::pollCount);
    connect(searchPoll_, &QTimer::timeout, this, &PruningWindow::pollSearch);
    connect(coupon_, &CouponColumn::signClicked, this, &PruningWindow::markClicked);
    connect(numbersBox_, &MatchNumbersBox::changed, this, &PruningWindow::scheduleCount);
    connect(numbersBox_, &MatchNumbersBox::notice, statusLabel_, &QLabel::setText);
    connect(list_, &QListWidget::currentRowChanged, this, &PruningWindow::conditionSelected);
    connect(list_, &QListWidget::itemChanged, this, &PruningWindow::itemChanged);
    connect(kindBox_, &QComboBox::currentIndexChanged, this, &PruningWindow::kindChosen);
    connect(signBox_, &QComboBox::currentIndexChanged, this, &PruningWindow::editorChanged);
    connect(leastBox_, &QSpinBox::valueChanged, this, &PruningWindow::editorChanged);
    connect(mostBox_, &QSpinBox::valueChanged, this, &PruningWindow::editorChanged);
    for (QLineEdit* edit : {matchesEdit_, favouritesEdit_, numberEdit_})
        connect(edit, &QLineEdit::textEdited, this, &PruningWindow::editorChanged);
    connect(hintButton_, &QPushButton::clicked, this, &PruningWindow::takeHintRow);
    connect(addButton_, &QPushButton::clicked, this, &PruningWindow::addCondition);
    connect(removeButton_, &QPushButton::clicked, this, &PruningWindow::removeCondition);
    connect(guaranteeBox_, &QComboBox::currentIndexChanged, this, [this] {
        covering_.clear();
        scheduleCount();
    });
    connect(searchButton_, &QPushButton::clicked, this, &PruningWindow::searchGuarantee);
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        if (searchJob_)
            searchJob_->cancel = true;
    });
    connect(saveButton_, &QPushButton::clicked, this, &PruningWindow::saveAndAnalyse);
    connect(saveConditionsButton_, &QPushButton::clicked, this, &PruningWindow::saveConditions);
    connect(openConditionsButton_, &QPushButton::clicked, this, &PruningWindow::openConditions);
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });

    // Load: the pattern the shared state holds, as in the system pattern
    // window, and the work of the window's last closing in this run.
    restoreKeptWork();
    state().BasicSignCount = markCount(state().SystemMarks);
    kindChosen();
    showConditions(-1);
    showMarks();
    // Showing it fits it on the screen (a 1,024 × 768 one too).
    resize(sizeHint().expandedTo(QSize(960, 640)));
    coupon_->button(0, 0)->setFocus();
}

PruningWindow::~PruningWindow()
{
    stopWork();
}

namespace {

// What the window keeps for the rest of the run when it closes: closing it,
// with Escape too, throws no typed work away. The frame is the shared state's.
struct PruningWork {
    std::vector<Condition> conditions;
    std::optional<PoolRound> round;
    MatchNumbersBox::Typed numbers;
    int guaranteeIndex = 0;
};

} // namespace

void PruningWindow::closeEvent(QCloseEvent* event)
{
    // Closing never waits for the work: it is told to stop and left to end.
    stopWork();
    FeatureWindow::closeEvent(event);
    if (event->isAccepted())
        state().KeptWork[WindowName::Pruning] =
            PruningWork{conditions_, round_, numbersBox_->typed(), guaranteeBox_->currentIndex()};
}

void PruningWindow::restoreKeptWork()
{
    const auto kept = state().KeptWork.find(WindowName::Pruning);
    if (kept == state().KeptWork.end())
        return;
    const auto* work = std::any_cast<PruningWork>(&kept->second);
    if (!work)
        return;
    conditions_ = work->conditions;
    round_ = work->round;
    numbersBox_->showTyped(work->numbers);
    guaranteeBox_->setCurrentIndex(work->guaranteeIndex);
}

void PruningWindow::stopWork()
{
    if (countJob_)
        countJob_->cancel = true;
    if (searchJob_)
        searchJob_->cancel = true;
    countJob_.reset();
    searchJob_.reset();
    if (countPoll_)
        countPoll_->stop();
    if (searchPoll_)
        searchPoll_->stop();
}

void PruningWindow::markClicked(int sign, int match)
{
    toggleSystemMark(state(), sign, match);
    showMarks();
}

void PruningWindow::showMarks()
{
    const MatchTable& marks = state().SystemMarks;
    for (int s = 0; s < 3; ++s)
        for (int m = 0; m < kMatches; ++m)
            coupon_->setMarked(s, m, marks[s][m] == 1);
    const std::optional<Frame> frame = frameOfPattern(marks);
    fullLabel_->setText(QString::fromUtf8("Täysjärjestelmä: %1")
                            .arg(frame ? shownCount(outcomeCount(*frame)) + QString::fromUtf8(" riviä") : "-"));
    scheduleCount();
}

void PruningWindow::kindChosen()
{
    const auto kind = ConditionKind(kindBox_->currentData().toInt());
    // Rows of the editor: kind, sign, range, matches, favourites, number.
    editorLayout_->setRowVisible(1, kind == ConditionKind::SignCount);
    editorLayout_->setRowVisible(2, hasRange(kind));
    editorLayout_->setRowVisible(3, kind == ConditionKind::SignCount);
    editorLayout_->setRowVisible(4, kind == ConditionKind::Favourites);
    editorLayout_->setRowVisible(5, hasNumber(kind));
    numberEdit_->setToolTip(kind == ConditionKind::MostProbable     ? QString::fromUtf8("Pidettävien rivien määrä")
                            : kind == ConditionKind::MinProbability ? QString::fromUtf8("Rivin todennäköisyys "
                                                                                        "vähintään, prosentteina")
                                                                    : QString::fromUtf8("Todennäköisyys jaettuna "
                                                                                        "pelijakauman osuudella "
                                                                                        "vähintään"));
    editorChanged();
}

std::optional<Condition> PruningWindow::editorCondition(QString& error) const
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

void PruningWindow::editorChanged()
{
    if (filling_)
        return;
    const int row = list_->currentRow();
    QString error;
    const std::optional<Condition> c = editorCondition(error);
    if (!c) {
        // The condition in the list stays as it was until the editor holds a good one.
        statusLabel_->setText(error);
        statusIsProblem_ = true;
        return;
    }
    if (statusIsProblem_) {
        statusLabel_->clear();
        statusIsProblem_ = false;
    }
    if (row < 0 || row >= int(conditions_.size()))
        return;
    Condition changed = *c;
    changed.on = conditions_[std::size_t(row)].on;
    if (changed == conditions_[std::size_t(row)])
        return;
    conditions_[std::size_t(row)] = changed;
    showConditions(row);
    scheduleCount();
}

void PruningWindow::conditionSelected()
{
    if (filling_)
        return;
    const int row = list_->currentRow();
    removeButton_->setEnabled(row >= 0);
    if (row >= 0 && row < int(conditions_.size()))
        showInEditor(conditions_[std::size_t(row)]);
}

void PruningWindow::showInEditor(const Condition& c)
{
    filling_ = true;
    for (int k = 0; k < kindBox_->count(); ++k)
        if (kindBox_->itemData(k).toInt() == int(c.kind))
            kindBox_->setCurrentIndex(k);
    if (hasRange(c.kind)) {
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
    else if (hasNumber(c.kind))
        numberEdit_->setText(exactNumberText(c.threshold));
    filling_ = false;
    kindChosen();
}

void PruningWindow::showConditions(int selected)
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

void PruningWindow::addCondition()
{
    QString error;
    const std::optional<Condition> c = editorCondition(error);
    if (!c) {
        message(error, Messages::Exclamation);
        return;
    }
    conditions_.push_back(*c);
    // The editor is free for the next condition; the one added is edited by choosing it.
    showConditions(-1);
    list_->scrollToBottom();
    statusLabel_->setText(QString::fromUtf8("Ehto lisätty: %1").arg(conditionText(*c)));
    scheduleCount();
}

void PruningWindow::removeCondition()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= int(conditions_.size()))
        return;
    conditions_.erase(conditions_.begin() + row);
    showConditions(std::min(row, int(conditions_.size()) - 1));
    scheduleCount();
}

void PruningWindow::itemChanged(QListWidgetItem* item)
{
    if (filling_)
        return;
    const int row = list_->row(item);
    if (row < 0 || row >= int(conditions_.size()))
        return;
    conditions_[std::size_t(row)].on = item->checkState() == Qt::Checked;
    scheduleCount();
}

void PruningWindow::takeHintRow()
{
    const MatchStrings& hint = state().HintRow;
    QString row;
    bool any = false;
    for (const QString& sign : hint) {
        const bool known = sign == "1" || sign == "X" || sign == "2";
        row += known ? sign : QString("-");
        any = any || known;
    }
    if (!any) {
        message(QString::fromUtf8("Vihjeriviä ei ole vielä laskettu: laske se ensin Vihjerivi-ikkunassa."),
                Messages::Information);
        return;
    }
    for (int k = 0; k < kindBox_->count(); ++k)
        if (kindBox_->itemData(k).toInt() == int(ConditionKind::Favourites))
            kindBox_->setCurrentIndex(k);
    favouritesEdit_->setText(row);
    editorChanged();
    favouritesEdit_->setFocus();
}

std::optional<PruningSet> PruningWindow::currentSet(QString& problem)
{
    PruningSet set;
    const std::optional<Frame> frame = frameOfPattern(state().SystemMarks);
    if (!frame) {
        problem = QString::fromUtf8("Merkitse jokaiseen kohteeseen vähintään yksi merkki.");
        return std::nullopt;
    }
    set.frame = *frame;
    problem.clear();
    set.chances = numbersBox_->numbers(false, problem);
    if (!problem.isEmpty())
        return std::nullopt;
    set.publicShares = numbersBox_->numbers(true, problem);
    if (!problem.isEmpty())
        return std::nullopt;
    set.conditions = conditions_;
    set.round = round_;
    problem = pruningSetProblem(set);
    if (!problem.isEmpty())
        return std::nullopt;
    return set;
}

void PruningWindow::scheduleCount()
{
    covering_.clear();
    if (countJob_)
        countJob_->cancel = true;
    countJob_.reset();
    if (searchJob_) {
        searchJob_->cancel = true;
        searchJob_.reset();
        searchPoll_->stop();
    }
    kept_.clear();
    keptFor_.reset();
    QString problem;
    const std::optional<PruningSet> set = currentSet(problem);
    if (!set) {
        countPoll_->stop();
        keptLabel_->setText(QString::fromUtf8("Ehdot täyttäviä rivejä: -"));
        chanceLabel_->clear();
        statusLabel_->setText(problem);
        statusIsProblem_ = true;
        setBusy(false);
        return;
    }
    if (statusIsProblem_) {
        statusLabel_->clear();
        statusIsProblem_ = false;
    }
    // The latest change wins: the count before it is told to stop and forgotten.
    auto job = std::make_shared<CountJob>();
    job->set = *set;
    countJob_ = job;
    startInBackground<CountJob>(job, [](CountJob& j) {
        j.kept = applyPruning(j.set, &j.cancel);
        if (j.kept && j.set.chances)
            j.chance = probabilityOfRows(*j.kept, chancesOf(*j.set.chances));
    });
    setBusy(true);
    countPoll_->start();
}

void PruningWindow::pollCount()
{
    if (!countJob_ || !countJob_->finished())
        return;
    const std::shared_ptr<CountJob> job = std::move(countJob_);
    countPoll_->stop();
    if (job->outOfMemory || !job->kept) {
        keptLabel_->setText(QString::fromUtf8("Ehdot täyttäviä rivejä: -"));
        statusLabel_->setText(QString::fromUtf8("Muisti ei riitä karsintaan !"));
        setBusy(false);
        return;
    }
    kept_ = std::move(*job->kept);
    keptFor_ = job->set;
    keptLabel_->setText(QString::fromUtf8("Ehdot täyttäviä rivejä: %1").arg(shownCount(kept_.size())));
    chanceLabel_->setText(
        job->chance
            ? QString::fromUtf8("Oikea rivi niiden joukossa: %1 %").arg(QLocale().toString(100 * *job->chance, 'f', 2))
            : QString());
    if (kept_.size() > std::size_t(kMaxRows)) {
        statusLabel_->setText(
            QString::fromUtf8("Rivejä on yli %1: karsi lisää tai etsi takuu ennen tallennusta.").arg(kMaxRows));
        statusIsProblem_ = true;
    }
    setBusy(false);
}

void PruningWindow::searchGuarantee()
{
    const int guarantee = guaranteeBox_->currentData().toInt();
    if (guarantee == 0 || kept_.empty() || !keptFor_)
        return;
    CoveringRequest request;
    request.frame = keptFor_->frame;
    request.guarantee = guarantee;
    request.seconds = kSearchSeconds;
    request.seed = quint64(services().random.next() * 9007199254740992.0);
    request.outcomesToCover = rowsOfIndices(kept_);
    auto job = std::make_shared<CoveringJob>();
    job->seconds = kSearchSeconds;
    job->clock.start();
    searchJob_ = job;
    startInBackground<CoveringJob>(job, [request](CoveringJob& j) mutable {
        request.cancel = &j.cancel;
        request.progress = [&j](const CoveringProgress& progress) { j.bestSize = progress.bestSize; };
        j.result = searchCovering(request);
    });
    progressBar_->setRange(0, kSearchSeconds * 10);
    progressBar_->setValue(0);
    statusLabel_->setText(QString::fromUtf8("Etsitään takuuta…"));
    setBusy(true);
    stopButton_->setEnabled(true);
    // Enter or the space bar now stops the search, never adds a condition.
    stopButton_->setFocus();
    searchPoll_->start();
}

void PruningWindow::pollSearch()
{
    if (!searchJob_) {
        searchPoll_->stop();
        return;
    }
    const double elapsed = double(searchJob_->clock.elapsed()) / 1000;
    progressBar_->setValue(std::min(progressBar_->maximum(), int(elapsed * 10)));
    const std::size_t best = searchJob_->bestSize.load();
    if (best > 0)
        statusLabel_->setText(QString::fromUtf8("Etsitään takuuta… paras %1 riviä").arg(shownCount(best)));
    if (!searchJob_->finished())
        return;
    const std::shared_ptr<CoveringJob> job = std::move(searchJob_);
    searchPoll_->stop();
    setBusy(false);
    searchButton_->setFocus();
    // A full bar tells of a table found; a refused search leaves it empty.
    progressBar_->setValue(0);
    if (job->outOfMemory) {
        statusLabel_->clear();
        message(QString::fromUtf8("Muisti ei riitä tälle takuulle !"), Messages::Critical);
        return;
    }
    const QString failure = searchFailureMessage(job->result);
    if (!failure.isEmpty()) {
        statusLabel_->clear();
        message(failure, Messages::Critical);
        return;
    }
    progressBar_->setValue(progressBar_->maximum());
    covering_ = job->result.rows;
    const int guarantee = guaranteeBox_->currentData().toInt();
    keptLabel_->setText(QString::fromUtf8("Ehdot täyttäviä rivejä: %1; takuu %2 oikein: %3 riviä")
                            .arg(shownCount(kept_.size()))
                            .arg(guarantee)
                            .arg(shownCount(covering_.size())));
    statusLabel_->setText(job->result.cancelled ? QString::fromUtf8("Haku keskeytetty; paras löydetty jää.")
                                                : QString::fromUtf8("Takuu löytyi."));
    PlayEventSound(context(), 12);
}

void PruningWindow::saveAndAnalyse()
{
    if (!keptFor_)
        return;
    const std::vector<SignRow> rows = covering_.empty() ? rowsOfIndices(kept_) : covering_;
    if (rows.empty()) {
        message(QString::fromUtf8("Yksikään rivi ei täytä ehtoja !"), Messages::Exclamation);
        return;
    }
    if (rows.size() > std::size_t(kMaxRows)) {
        message(tooManyKeptRowsMessage(rows.size()), Messages::Critical);
        return;
    }
    SharedState& s = state();
    s.Rows = rowsOfSigns(rows);
    s.RowCount = int(s.Rows.size());
    if (!SaveRowsFile(context(), s.RowCount))
        return;
    statusLabel_->setText(QString::fromUtf8("Tallennettu: %1").arg(s.CurrentFileTitle));
    WindowTexts texts = {
        {"kaava", frameText(keptFor_->frame)},
        {"lahde", QString::fromUtf8("Karsinta: %1, %2 riviä").arg(s.CurrentFileTitle, shownCount(rows.size()))}};
    if (keptFor_->chances)
        texts.append({"todennakoisyydet", chancesHandOverText(chancesOf(*keptFor_->chances))});
    texts.append({"karsintaehdot", QString::fromLatin1(pruningFileBytes(*keptFor_).toBase64())});
    // The pruning window stays open beside the analysis, for the next try.
    services().windows.show(WindowName::GuaranteeAnalysis, texts, this);
}

void PruningWindow::saveConditions()
{
    QString problem;
    const std::optional<PruningSet> set = currentSet(problem);
    if (!set) {
        message(problem, Messages::Exclamation);
        return;
    }
    const QString saved = savePruningSetFile(context(), QString::fromUtf8("Tallenna karsintaehdot"), *set);
    if (!saved.isEmpty())
        statusLabel_->setText(QString::fromUtf8("Ehdot tallennettu: %1").arg(saved));
}

void PruningWindow::openConditions()
{
    // Nothing of the window changes when the file does not read: the player's conditions stay.
    const std::optional<OpenedPruningSet> opened =
        openPruningSetFile(context(), QString::fromUtf8("Avaa karsintaehdot"));
    if (!opened)
        return;
    const PruningSet* set = &opened->set;
    state().SystemMarks = patternOfFrame(set->frame);
    state().BasicSignCount = markCount(state().SystemMarks);
    conditions_ = set->conditions;
    round_ = set->round;
    numbersBox_->showNumbers(set->chances, false);
    numbersBox_->showNumbers(set->publicShares, true);
    showConditions(-1);
    showMarks();
    statusLabel_->setText(QString::fromUtf8("Ehdot luettu: %1").arg(opened->fileName));
}

void PruningWindow::setBusy(bool busy)
{
    const bool searching = searchJob_ != nullptr;
    const bool ready = !busy && keptFor_.has_value() && !kept_.empty();
    searchButton_->setEnabled(ready && !searching && guaranteeBox_->currentData().toInt() > 0);
    stopButton_->setEnabled(searching);
    saveButton_->setEnabled(ready && !searching && services().windows.available(WindowName::GuaranteeAnalysis));
}

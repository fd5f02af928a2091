#include "systems/ui/pruningwindow.h"

#include "base/rowfile.h"
#include "base/safewrite.h"
#include "base/textformat.h"
#include "base/ui/backgroundjob.h"
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
#include "systems/systemtexts.h"
#include "systems/ui/conditioneditor.h"
#include "systems/ui/analysishandover.h"
#include "systems/ui/matchnumbersbox.h"
#include "systems/ui/pruningfileflows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

struct CountOutcome {
    std::optional<std::vector<RowIndex>> kept;
    std::optional<double> chance; // that the correct row is kept, when chances are given
};

namespace {

// The search tells of a better table only now and then; the bar, which
// shows the time spent, moves on its own between.
constexpr int kClockTickMs = 100;
constexpr int kSearchSeconds = 10;

} // namespace

PruningWindow::PruningWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Pruning);
    setWindowTitle("Karsinta");

    coupon_ = new CouponColumn("karsintakaava", {"yksi", "risti", "kaksi"}, this);
    // The probabilities and the public's play, a line per match beside the coupon.
    numbersBox_ = new MatchNumbersBox(context, this);
    QGroupBox* countsBox = makeCountsBox();
    editor_ = new ConditionEditor(context, this);
    QGroupBox* guaranteeBox = makeGuaranteeBox();
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
    editor_->addButton()->setDefault(true);

    layOut(countsBox, guaranteeBox);
    bindKeys();
    connectControls();

    // Load: the pattern the shared state holds, as in the system pattern
    // window, and the work of the window's last closing in this run.
    restoreKeptWork();
    state().BasicSignCount = markCount(state().SystemMarks);
    showMarks();
    // Showing it fits it on the screen (a 1,024 × 768 one too).
    resize(sizeHint().expandedTo(QSize(960, 640)));
    coupon_->button(0, 0)->setFocus();
}

QGroupBox* PruningWindow::makeCountsBox()
{
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
    return countsBox;
}

QGroupBox* PruningWindow::makeGuaranteeBox()
{
    auto* guaranteeBox = new QGroupBox("Takuu", this);
    guaranteeBox->setObjectName("takuuryhma");
    guaranteeBox_ = new QComboBox(guaranteeBox);
    guaranteeBox_->setObjectName("takuu");
    guaranteeBox_->addItem("Ei takuuta", 0);
    for (int g = kHighestOwnGuarantee; g >= kLowestOwnGuarantee; --g)
        guaranteeBox_->addItem(QString::fromUtf8(SystemTexts::CorrectCount).arg(g), g);
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
    return guaranteeBox;
}

void PruningWindow::layOut(QGroupBox* countsBox, QGroupBox* guaranteeBox)
{
    auto* middle = new QVBoxLayout;
    middle->addWidget(countsBox);
    middle->addWidget(editor_, 1);
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
}

void PruningWindow::bindKeys()
{
    QList<QWidget*> order = coupon_->tabOrder();
    order << numbersBox_->tabOrder() << editor_->tabOrder() << guaranteeBox_ << searchButton_ << stopButton_
          << saveConditionsButton_ << openConditionsButton_ << saveButton_ << closeButton_;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Enter adds the condition being edited only from the editor; in the
    // guarantee box it searches, and elsewhere it does nothing.
    bindDialogKeys(
        this,
        [this]() -> QPushButton* {
            QWidget* focus = QApplication::focusWidget();
            if (editor_->editing(focus))
                return editor_->addButton();
            return guaranteeBox_ == focus || guaranteeBox_->isAncestorOf(focus) ? searchButton_ : nullptr;
        },
        [this] { close(); });
}

void PruningWindow::connectControls()
{
    countJob_ = new BackgroundJob<CountOutcome>(this);
    searchJob_ = new BackgroundJob<CoveringResult>(this);
    clockTick_ = new QTimer(this);
    clockTick_->setInterval(kClockTickMs);
    connect(countJob_, &QFutureWatcherBase::finished, this, &PruningWindow::countEnded);
    connect(searchJob_, &QFutureWatcherBase::progressValueChanged, this, &PruningWindow::showSearchProgress);
    connect(searchJob_, &QFutureWatcherBase::finished, this, &PruningWindow::searchEnded);
    connect(clockTick_, &QTimer::timeout, this, &PruningWindow::showSearchProgress);
    connect(coupon_, &CouponColumn::signClicked, this, &PruningWindow::markClicked);
    connect(numbersBox_, &MatchNumbersBox::changed, this, &PruningWindow::scheduleCount);
    connect(numbersBox_, &MatchNumbersBox::notice, statusLabel_, &QLabel::setText);
    connect(editor_, &ConditionEditor::changed, this, &PruningWindow::scheduleCount);
    connect(editor_, &ConditionEditor::notice, statusLabel_, &QLabel::setText);
    connect(editor_, &ConditionEditor::problem, this, [this](const QString& problem) {
        statusLabel_->setText(problem);
        statusIsProblem_ = true;
    });
    connect(editor_, &ConditionEditor::fine, this, [this] {
        if (statusIsProblem_) {
            statusLabel_->clear();
            statusIsProblem_ = false;
        }
    });
    connect(guaranteeBox_, &QComboBox::currentIndexChanged, this, [this] {
        covering_.clear();
        scheduleCount();
    });
    connect(searchButton_, &QPushButton::clicked, this, &PruningWindow::searchGuarantee);
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        if (searching_)
            searchJob_->cancel();
    });
    connect(saveButton_, &QPushButton::clicked, this, &PruningWindow::saveAndAnalyse);
    connect(saveConditionsButton_, &QPushButton::clicked, this, &PruningWindow::saveConditions);
    connect(openConditionsButton_, &QPushButton::clicked, this, &PruningWindow::openConditions);
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });
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
            PruningWork{editor_->conditions(), round_, numbersBox_->typed(), guaranteeBox_->currentIndex()};
}

void PruningWindow::restoreKeptWork()
{
    const auto kept = state().KeptWork.find(WindowName::Pruning);
    if (kept == state().KeptWork.end())
        return;
    const auto* work = std::any_cast<PruningWork>(&kept->second);
    if (!work)
        return;
    editor_->setConditions(work->conditions);
    round_ = work->round;
    numbersBox_->showTyped(work->numbers);
    guaranteeBox_->setCurrentIndex(work->guaranteeIndex);
}

void PruningWindow::stopWork()
{
    // What stopped work ends with is not heard of.
    if (counting_)
        countJob_->cancel();
    if (searching_)
        searchJob_->cancel();
    counting_.reset();
    searching_ = false;
    clockTick_->stop();
}

void PruningWindow::markClicked(int sign, int match)
{
    toggleSystemMark(state().SystemMarks, state().BasicSignCount, sign, match);
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

std::optional<PruningSet> PruningWindow::currentSet(QString& problem)
{
    PruningSet set;
    const std::optional<Frame> frame = frameOfPattern(state().SystemMarks);
    if (!frame) {
        problem = QString::fromUtf8(SystemTexts::MarkEveryMatch);
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
    set.conditions = editor_->conditions();
    set.round = round_;
    problem = pruningSetProblem(set);
    if (!problem.isEmpty())
        return std::nullopt;
    return set;
}

void PruningWindow::scheduleCount()
{
    covering_.clear();
    stopWork();
    kept_.clear();
    keptFor_.reset();
    QString problem;
    const std::optional<PruningSet> set = currentSet(problem);
    if (!set) {
        keptLabel_->setText(QString::fromUtf8(SystemTexts::KeptRowCount).arg(QString("-")));
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
    counting_ = set;
    countJob_->start([set = *set](JobControl& job) {
        CountOutcome outcome;
        outcome.kept = applyPruning(set, &job.cancelRequested());
        if (outcome.kept && set.chances)
            outcome.chance = probabilityOfRows(*outcome.kept, chancesOf(*set.chances));
        return outcome;
    });
    setBusy(true);
}

void PruningWindow::countEnded()
{
    if (!counting_)
        return;
    const PruningSet set = std::move(*counting_);
    counting_.reset();
    std::optional<CountOutcome> job = countJob_->take();
    if (!job || !job->kept) {
        keptLabel_->setText(QString::fromUtf8(SystemTexts::KeptRowCount).arg(QString("-")));
        statusLabel_->setText(QString::fromUtf8("Muisti ei riitä karsintaan !"));
        setBusy(false);
        emit workDone();
        return;
    }
    kept_ = std::move(*job->kept);
    keptFor_ = set;
    keptLabel_->setText(QString::fromUtf8(SystemTexts::KeptRowCount).arg(shownCount(kept_.size())));
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
    emit workDone();
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
    searchClock_.start();
    searching_ = true;
    searchJob_->start([request](JobControl& job) mutable {
        request.cancel = &job.cancelRequested();
        request.progress = [&job](const CoveringProgress& progress) { job.report(qint64(progress.bestSize)); };
        return searchCovering(request);
    });
    progressBar_->setRange(0, kSearchSeconds * 10);
    progressBar_->setValue(0);
    statusLabel_->setText(QString::fromUtf8("Etsitään takuuta…"));
    setBusy(true);
    stopButton_->setEnabled(true);
    // Enter or the space bar now stops the search, never adds a condition.
    stopButton_->setFocus();
    clockTick_->start();
}

void PruningWindow::showSearchProgress()
{
    if (!searching_)
        return;
    const double elapsed = double(searchClock_.elapsed()) / 1000;
    progressBar_->setValue(std::min(progressBar_->maximum(), int(elapsed * 10)));
    const auto best = std::uint64_t(searchJob_->progress());
    if (best > 0)
        statusLabel_->setText(QString::fromUtf8("Etsitään takuuta… paras %1 riviä").arg(shownCount(best)));
}

void PruningWindow::searchEnded()
{
    if (!searching_)
        return;
    searching_ = false;
    clockTick_->stop();
    const std::optional<CoveringResult> result = searchJob_->take();
    setBusy(false);
    searchButton_->setFocus();
    // A full bar tells of a table found; a refused search leaves it empty.
    progressBar_->setValue(0);
    const QString failure =
        result ? searchFailureMessage(*result) : QString::fromUtf8("Muisti ei riitä tälle takuulle !");
    if (!failure.isEmpty()) {
        statusLabel_->clear();
        message(failure, Messages::Critical);
        emit workDone();
        return;
    }
    progressBar_->setValue(progressBar_->maximum());
    covering_ = result->rows;
    const int guarantee = guaranteeBox_->currentData().toInt();
    keptLabel_->setText(QString::fromUtf8("Ehdot täyttäviä rivejä: %1; takuu %2 oikein: %3 riviä")
                            .arg(shownCount(kept_.size()))
                            .arg(guarantee)
                            .arg(shownCount(covering_.size())));
    statusLabel_->setText(result->cancelled ? QString::fromUtf8("Haku keskeytetty; paras löydetty jää.")
                                            : QString::fromUtf8("Takuu löytyi."));
    PlayEventSound(context(), 12);
    emit workDone();
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
    statusLabel_->setText(QString::fromUtf8(SystemTexts::Saved).arg(s.CurrentFileTitle));
    AnalysisHandOver handOver{keptFor_->frame,
                              QString::fromUtf8("Karsinta: %1, %2 riviä").arg(s.CurrentFileTitle, shownCount(rows.size())),
                              std::nullopt, *keptFor_};
    if (keptFor_->chances)
        handOver.chances = chancesOf(*keptFor_->chances);
    // The pruning window stays open beside the analysis, for the next try.
    services().windows.showWith(WindowName::GuaranteeAnalysis, handOver, {}, this);
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
    editor_->setConditions(set->conditions);
    round_ = set->round;
    numbersBox_->showNumbers(set->chances, false);
    numbersBox_->showNumbers(set->publicShares, true);
    showMarks();
    statusLabel_->setText(QString::fromUtf8("Ehdot luettu: %1").arg(opened->fileName));
}

void PruningWindow::setBusy(bool busy)
{
    const bool searching = searching_;
    const bool ready = !busy && keptFor_.has_value() && !kept_.empty();
    searchButton_->setEnabled(ready && !searching && guaranteeBox_->currentData().toInt() > 0);
    stopButton_->setEnabled(searching);
    saveButton_->setEnabled(ready && !searching && services().windows.available(WindowName::GuaranteeAnalysis));
}

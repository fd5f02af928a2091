#include "systems/ui/ownsystemwindow.h"

#include "base/rowfile.h"
#include "base/textformat.h"
#include "base/ui/backgroundjob.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "base/ui/windownames.h"
#include "rows/patternaccept.h"
#include "rows/rowentry.h"
#include "rows/ui/couponcolumn.h"
#include "systems/coveringsearch.h"
#include "systems/frametext.h"
#include "systems/ownsystem.h"
#include "systems/systemtables.h"
#include "systems/systemtexts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

struct SearchOutcome {
    CoveringResult result;
    Outcome<> kept;
};

namespace {

// The search tells of a better table only now and then; the clock shown
// beside the bar moves on its own between.
constexpr int kClockTickMs = 100;
constexpr int kDefaultSeconds = 30;
constexpr int kMostSeconds = 3600;

QString rowsText(std::uint64_t n)
{
    return QString::fromUtf8(n == 1 ? "%1 rivi" : "%1 riviä").arg(shownCount(n));
}

} // namespace

OwnSystemWindow::OwnSystemWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::OwnReducedSystem);
    setWindowTitle("Oma harava");

    coupon_ = new CouponColumn("omakaava", {"yksi", "risti", "kaksi"}, this);

    QGroupBox* askBox = makeAskBox();
    QGroupBox* factsBox = makeFactsBox();

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("mittari");
    progressBar_->setTextVisible(false);
    progressLabel_ = makeLabel(this, QString(), "tila");
    progressLabel_->setWordWrap(true);
    progressLabel_->setMinimumHeight(progressLabel_->fontMetrics().lineSpacing());

    searchButton_ = makeButton(this, "etsi", "&Etsi");
    stopButton_ = makeButton(this, "keskeyta", "&Keskeytä");
    saveButton_ = makeButton(this, "tallenna", "Ta&llenna...");
    analyseButton_ = makeButton(this, "analysoi", "&Analysoi");
    closeButton_ = makeButton(this, "sulje", "&Sulje");
    searchButton_->setDefault(true);
    stopButton_->setToolTip(QString::fromUtf8("Lopettaa haun; paras löydetty taulukko jää"));
    analyseButton_->setToolTip(QString::fromUtf8("Avaa taulukon takuuanalyysiin"));

    auto* right = new QVBoxLayout;
    right->addWidget(askBox);
    right->addWidget(factsBox);
    right->addWidget(progressBar_);
    right->addWidget(progressLabel_);
    auto* searchButtons = new QHBoxLayout;
    searchButtons->addWidget(searchButton_);
    searchButtons->addWidget(stopButton_);
    right->addLayout(searchButtons);
    right->addStretch(1);
    auto* tableButtons = new QHBoxLayout;
    tableButtons->addWidget(saveButton_);
    tableButtons->addWidget(analyseButton_);
    tableButtons->addWidget(closeButton_);
    right->addLayout(tableButtons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(coupon_, 0, Qt::AlignTop);
    layout->addLayout(right, 1);

    QList<QWidget*> order = coupon_->tabOrder();
    order << guaranteeBox_ << secondsBox_ << searchButton_ << stopButton_ << saveButton_ << analyseButton_
          << closeButton_;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    bindDialogKeys(this, searchButton_, [this] { close(); });

    job_ = new BackgroundJob<SearchOutcome>(this);
    clockTick_ = new QTimer(this);
    clockTick_->setInterval(kClockTickMs);
    connect(job_, &QFutureWatcherBase::progressValueChanged, this, &OwnSystemWindow::showSearchProgress);
    connect(job_, &QFutureWatcherBase::finished, this, &OwnSystemWindow::searchEnded);
    connect(clockTick_, &QTimer::timeout, this, &OwnSystemWindow::showSearchProgress);
    connect(coupon_, &CouponColumn::signClicked, this, &OwnSystemWindow::markClicked);
    connect(guaranteeBox_, &QComboBox::currentIndexChanged, this, [this] { showOutlook(); });
    connect(searchButton_, &QPushButton::clicked, this, &OwnSystemWindow::search);
    connect(stopButton_, &QPushButton::clicked, this, &OwnSystemWindow::stopSearch);
    connect(saveButton_, &QPushButton::clicked, this, &OwnSystemWindow::save);
    connect(analyseButton_, &QPushButton::clicked, this, &OwnSystemWindow::analyse);
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });

    // Load: the pattern the shared state holds, as in the system pattern window.
    SharedState& s = state();
    for (int sign = 0; sign < 3; ++sign)
        for (int k = 0; k < kMatches; ++k)
            coupon_->setMarked(sign, k, s.SystemMarks[sign][k] == 1);
    s.BasicSignCount = markCount(s.SystemMarks);
    setSearching(false);
    showOutlook();
    setMinimumWidth(sizeHint().width() + 60);
    coupon_->button(0, 0)->setFocus();
}

QGroupBox* OwnSystemWindow::makeAskBox()
{
    auto* askBox = new QGroupBox("Harava", this);
    askBox->setObjectName("kysymys");
    guaranteeBox_ = new QComboBox(askBox);
    guaranteeBox_->setObjectName("takuu");
    for (int g = kHighestOwnGuarantee; g >= kLowestOwnGuarantee; --g)
        guaranteeBox_->addItem(QString::fromUtf8(SystemTexts::CorrectCount).arg(g), g);
    secondsBox_ = new QSpinBox(askBox);
    secondsBox_->setObjectName("hakuaika");
    secondsBox_->setRange(1, kMostSeconds);
    secondsBox_->setValue(kDefaultSeconds);
    secondsBox_->setSuffix(" s");
    auto* askLayout = new QFormLayout(askBox);
    askLayout->addRow(makeBuddyLabel(askBox, "&Takuu:", guaranteeBox_), guaranteeBox_);
    askLayout->addRow(makeBuddyLabel(askBox, "&Hakuaika:", secondsBox_), secondsBox_);
    return askBox;
}

QGroupBox* OwnSystemWindow::makeFactsBox()
{
    auto* factsBox = new QGroupBox("Kaava ja taulukko", this);
    factsBox->setObjectName("tiedot");
    outcomeLabel_ = makeLabel(factsBox, QString(), "vaihtoehdot");
    boundLabel_ = makeLabel(factsBox, QString(), "alaraja");
    tableLabel_ = makeLabel(factsBox, QString(), "taulukko");
    tableLabel_->setWordWrap(true);
    // Room for the longer texts' two lines, and for the search's line below
    // even while it is empty: the buttons stay where the pointer left them.
    tableLabel_->setMinimumHeight(2 * tableLabel_->fontMetrics().lineSpacing());
    QFont strong = tableLabel_->font();
    strong.setBold(true);
    tableLabel_->setFont(strong);
    auto* factsLayout = new QVBoxLayout(factsBox);
    factsLayout->addWidget(outcomeLabel_);
    factsLayout->addWidget(boundLabel_);
    factsLayout->addWidget(tableLabel_);
    return factsBox;
}

void OwnSystemWindow::closeEvent(QCloseEvent* event)
{
    // The search stops; what it found by then is still kept for the frame's shape.
    job_->cancel();
    searching_ = false;
    clockTick_->stop();
    FeatureWindow::closeEvent(event);
}

int OwnSystemWindow::guarantee() const
{
    return guaranteeBox_->currentData().toInt();
}

std::optional<Frame> OwnSystemWindow::frame()
{
    return frameOfPattern(state().SystemMarks);
}

void OwnSystemWindow::markClicked(int sign, int match)
{
    toggleSystemMark(state().SystemMarks, state().BasicSignCount, sign, match);
    coupon_->setMarked(sign, match, state().SystemMarks[sign][match] == 1);
    showOutlook();
}

void OwnSystemWindow::showOutlook()
{
    const std::optional<Frame> marked = frame();
    progressBar_->setValue(0);
    progressLabel_->clear();
    if (!marked) {
        outcomeLabel_->setText(QString::fromUtf8(SystemTexts::OutcomeCount).arg(QString("-")));
        boundLabel_->setText("Alaraja: -");
        holdTable({}, QString());
        tableLabel_->setText(QString::fromUtf8(SystemTexts::MarkEveryMatch));
        return;
    }
    const OwnSystemOutlook outlook = ownSystemOutlook(*marked, guarantee());
    outcomeLabel_->setText(QString::fromUtf8(SystemTexts::OutcomeCount).arg(shownCount(outlook.outcomes)));
    boundLabel_->setText("Alaraja: " + rowsText(outlook.lowerBound) +
                         (outlook.tooManyRows ? QString::fromUtf8(" – liikaa rivitiedostoon") : QString()));
    if (outlook.tooManyRows) {
        holdTable({}, QString());
        return;
    }
    const OfferedTable offered = offeredTable(state().ProgramDir, *marked, guarantee());
    holdTable(offered.rows, offered.shipped            ? QString::fromUtf8("valmis taulukko")
                            : offered.source.isEmpty() ? QString::fromUtf8("tallessa aiemmasta hausta")
                                                       : "harava " + offered.source);
}

void OwnSystemWindow::holdTable(const std::vector<SignRow>& rows, const QString& source)
{
    table_ = rows;
    tableLabel_->setText(rows.empty() ? QString::fromUtf8("Ei valmista taulukkoa: paina Etsi.")
                                      : QString("Taulukko: %1 (%2)").arg(rowsText(rows.size()), source));
    setSearching(false);
}

void OwnSystemWindow::search()
{
    const std::optional<Frame> marked = frame();
    if (!marked) {
        message(patternRefusal(PatternOutcome::EmptyMatch), Messages::Critical);
        return;
    }
    const OwnSystemOutlook outlook = ownSystemOutlook(*marked, guarantee());
    if (outlook.tooManyRows) {
        message(tooManyRowsMessage(outlook.lowerBound), Messages::Critical);
        return;
    }
    CoveringRequest request;
    request.frame = *marked;
    request.guarantee = guarantee();
    request.seconds = secondsBox_->value();
    request.seed = quint64(services().random.next() * 9007199254740992.0);
    // A new search starts from the table held, so it never ends with a larger one.
    request.startingTable = table_;
    request.partialTables = gluedTables(request.frame, request.guarantee, kGluedTablesTried);

    searchClock_.start();
    searching_ = true;
    startingSize_ = table_.size();
    job_->start([request, programDir = state().ProgramDir](JobControl& control) mutable {
        request.cancel = &control.cancelRequested();
        request.progress = [&control](const CoveringProgress& progress) { control.report(qint64(progress.bestSize)); };
        SearchOutcome outcome;
        outcome.result = searchCovering(request);
        // Kept here rather than by the window: a window closed during the
        // search still leaves its best table for the next time.
        if (outcome.result.status == CoveringStatus::Found)
            outcome.kept = keepTable(programDir, request.frame, request.guarantee, outcome.result.rows);
        return outcome;
    });
    progressBar_->setRange(0, int(request.seconds * 10));
    progressBar_->setValue(0);
    progressLabel_->setText(QString::fromUtf8("Etsitään…"));
    setSearching(true);
    if (table_.empty())
        tableLabel_->setText(QString::fromUtf8("Haetaan taulukkoa…"));
    // Enter or the space bar now stops the search, never closes the window.
    stopButton_->setFocus();
    clockTick_->start();
}

void OwnSystemWindow::stopSearch()
{
    // The search ends with the best table found so far.
    if (searching_)
        job_->cancel();
}

void OwnSystemWindow::showSearchProgress()
{
    if (!searching_)
        return;
    const double elapsed = double(searchClock_.elapsed()) / 1000;
    progressBar_->setValue(std::min(progressBar_->maximum(), int(elapsed * 10)));
    // Until the search tells of its own, its best is the table it started from.
    const std::uint64_t best = job_->progress() > 0 ? std::uint64_t(job_->progress()) : startingSize_;
    progressLabel_->setText(QString::fromUtf8("Paras: %1, %2 s")
                                .arg(best ? rowsText(best) : QString::fromUtf8("ei vielä"))
                                .arg(QLocale().toString(elapsed, 'f', 1)));
}

void OwnSystemWindow::searchEnded()
{
    if (!searching_)
        return;
    searching_ = false;
    clockTick_->stop();
    const std::optional<SearchOutcome> outcome = job_->take();
    progressBar_->setValue(progressBar_->maximum());
    if (outcome)
        showSearchOutcome(*outcome);
    else {
        setSearching(false);
        progressLabel_->clear();
        message(QString::fromUtf8("Muisti ei riitä tälle haravalle !"), Messages::Critical);
    }
    (saveButton_->isEnabled() ? saveButton_ : searchButton_)->setFocus();
    emit workDone();
}

void OwnSystemWindow::showSearchOutcome(const SearchOutcome& outcome)
{
    const CoveringResult& result = outcome.result;
    const QString failure = searchFailureMessage(result);
    if (!failure.isEmpty()) {
        setSearching(false);
        progressLabel_->clear();
        message(failure, Messages::Critical);
        return;
    }
    const double seconds = double(searchClock_.elapsed()) / 1000;
    holdTable(result.rows,
              result.cancelled ? QString::fromUtf8("haku keskeytetty, paras löydetty") : QString::fromUtf8("löydetty"));
    progressLabel_->setText(
        QString::fromUtf8("Haku kesti %1 s.").arg(QLocale().toString(seconds, 'f', 1)) +
        (result.rows.size() == result.lowerBound ? QString::fromUtf8(" Pienin mahdollinen.") : QString()));
    PlayEventSound(context(), 12);
    if (!outcome.kept)
        message(QString::fromUtf8("Taulukkoa ei voi pitää tallessa seuraavaa kertaa varten.") + kLineBreak +
                    outcome.kept.failure().message,
                Messages::Exclamation);
}

void OwnSystemWindow::save()
{
    if (table_.empty())
        return;
    if (table_.size() > std::size_t(kMaxRows)) {
        message(tooManyRowsMessage(table_.size()), Messages::Critical);
        return;
    }
    SharedState& s = state();
    s.Rows = rowsOfSigns(table_);
    s.RowCount = int(s.Rows.size());
    if (SaveRowsFile(context(), s.RowCount))
        progressLabel_->setText(QString::fromUtf8(SystemTexts::Saved).arg(s.CurrentFileTitle));
}

void OwnSystemWindow::analyse()
{
    const std::optional<Frame> marked = frame();
    if (table_.empty() || !marked)
        return;
    SharedState& s = state();
    s.Rows = rowsOfSigns(table_);
    s.RowCount = int(s.Rows.size());
    handOver(WindowName::GuaranteeAnalysis,
             {{"kaava", frameText(*marked)}, {"lahde", QString("Oma harava: %1").arg(rowsText(table_.size()))}});
}

void OwnSystemWindow::setSearching(bool searching)
{
    coupon_->setEnabled(!searching);
    guaranteeBox_->setEnabled(!searching);
    secondsBox_->setEnabled(!searching);
    searchButton_->setEnabled(!searching);
    stopButton_->setEnabled(searching);
    saveButton_->setEnabled(!searching && !table_.empty());
    analyseButton_->setEnabled(!searching && !table_.empty() &&
                               services().windows.available(WindowName::GuaranteeAnalysis));
}

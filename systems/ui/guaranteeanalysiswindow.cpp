#include "systems/ui/guaranteeanalysiswindow.h"

#include "base/textformat.h"
#include "base/ui/backgroundjob.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "base/ui/windownames.h"
#include "rows/patternaccept.h"
#include "rows/signtext.h"
#include "rows/ui/couponcolumn.h"
#include "systems/analysisreport.h"
#include "systems/frametext.h"
#include "systems/guaranteeanalysis.h"
#include "systems/systemtexts.h"
#include "systems/ui/outcomechart.h"
#include "systems/ui/rowsource.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

struct AnalysisOutcome {
    std::optional<AnalysisResult> result;
    std::optional<int> keptGuarantee; // over the rows a pruning kept, when it handed them over
    std::size_t rowCount = 0;
};

namespace {

// Marks and typing settle for this long before the analysis runs again, so a
// pattern typed key by key is analysed once.
constexpr int kSettleMs = 250;

} // namespace

GuaranteeAnalysisWindow::GuaranteeAnalysisWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::GuaranteeAnalysis);
    setWindowTitle("Takuuanalyysi");

    coupon_ = new CouponColumn("kaavasarake", {"yksi", "risti", "kaksi"}, this);

    QGroupBox* sourceBox = makeSourceBox();
    QGroupBox* frameBox = makeFrameBox();
    QGroupBox* resultBox = makeResultBox();
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("mittari");
    progressBar_->setRange(0, 1000);
    progressBar_->setTextVisible(false);
    statusLabel_ = makeLabel(this, QString(), "tila");
    analyseButton_ = makeButton(this, "analysoi", "&Analysoi");
    cancelButton_ = makeButton(this, "keskeyta", "K&eskeytä");
    closeButton_ = makeButton(this, "sulje", "&Sulje");
    analyseButton_->setDefault(true);

    layOut(sourceBox, frameBox, resultBox);
    bindKeys();
    connectControls();

    // Load: the rows in memory, when there are any.
    setRunning(false);
    const RowBuffer inMemory = completeRowsInMemory(state().Rows);
    if (!inMemory.empty() && inMemory.size() <= kMostAnalysedRows) {
        useRows(signRowsOf(inMemory), QString::fromUtf8(SystemTexts::RowsInMemory));
    } else {
        setMarks(MatchTable{}, false);
        clearResult(QString::fromUtf8(SystemTexts::ChooseRowFileOrSystem));
        sourceLabel_->setText(QString::fromUtf8("Ei rivejä muistissa."));
    }
    resize(sizeHint().expandedTo(QSize(860, 600)));
    (rows_.empty() ? fileButton_ : static_cast<QWidget*>(analyseButton_))->setFocus();
}

QGroupBox* GuaranteeAnalysisWindow::makeSourceBox()
{
    auto* sourceBox = new QGroupBox("Rivit", this);
    sourceBox->setObjectName("rivilahde");
    sourceLabel_ = makeLabel(sourceBox, QString(), "lahde");
    sourceLabel_->setWordWrap(true);
    fileButton_ = makeButton(sourceBox, "tiedosto", "&Tiedosto...");
    auto* sourceLayout = new QHBoxLayout(sourceBox);
    sourceLayout->addWidget(sourceLabel_, 1);
    sourceLayout->addWidget(fileButton_);
    return sourceBox;
}

QGroupBox* GuaranteeAnalysisWindow::makeFrameBox()
{
    auto* frameBox = new QGroupBox(QString::fromUtf8("Pelatut merkit"), this);
    frameBox->setObjectName("kaavaryhma");
    patternEdit_ = makeEdit(frameBox, "kaava", 40);
    patternEdit_->setFont(listingFont());
    patternEdit_->setToolTip(QString::fromUtf8("Pelatut merkit kohteittain pilkuin erotettuina, kohde 1 ensin"));
    ownSignsButton_ = makeButton(frameBox, "rivienmerkit", "&Rivien merkit");
    ownSignsButton_->setToolTip(QString::fromUtf8("Kaavaksi merkit, joita rivit kussakin kohteessa pelaavat"));
    // Chances of 1, X and 2 per match ("p1 pX p2;…", 13 groups), as the
    // pruning window hands them over; with them the analysis also weighs
    // every outcome by its probability.
    auto* frameLayout = new QHBoxLayout(frameBox);
    frameLayout->addWidget(makeBuddyLabel(frameBox, "&Kaava:", patternEdit_));
    frameLayout->addWidget(patternEdit_, 1);
    frameLayout->addWidget(ownSignsButton_);
    return frameBox;
}

QGroupBox* GuaranteeAnalysisWindow::makeResultBox()
{
    auto* resultBox = new QGroupBox("Tulos", this);
    resultBox->setObjectName("tulos");
    rowCountLabel_ = makeLabel(resultBox, QString(), "rivimaara");
    outcomeCountLabel_ = makeLabel(resultBox, QString(), "vaihtoehdot");
    guaranteeLabel_ = makeLabel(resultBox, QString(), "takuuarvo");
    QFont strong = guaranteeLabel_->font();
    strong.setBold(true);
    guaranteeLabel_->setFont(strong);
    keptGuaranteeLabel_ = makeLabel(resultBox, QString(), "takuukarsitussa");
    keptGuaranteeLabel_->setFont(strong);
    keptGuaranteeLabel_->hide();
    auto* summary = new QHBoxLayout;
    summary->addWidget(rowCountLabel_);
    summary->addSpacing(16);
    summary->addWidget(outcomeCountLabel_);
    summary->addSpacing(16);
    summary->addWidget(guaranteeLabel_);
    summary->addSpacing(16);
    summary->addWidget(keptGuaranteeLabel_);
    summary->addStretch(1);

    figures_ = new QTableWidget(0, kAnalysisColumns, resultBox);
    figures_->setObjectName("luvut");
    figures_->setHorizontalHeaderLabels(analysisColumnHeadings());
    figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    figures_->setSelectionMode(QAbstractItemView::SingleSelection);
    figures_->setTabKeyNavigation(false);
    figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    figures_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    figures_->setAccessibleName("Analyysin luvut");
    chart_ = new OutcomeChart(resultBox);
    chart_->setObjectName("kuvaaja");
    chart_->setAccessibleName("Tulosvaihtoehdot parhaan rivin osumien mukaan");
    auto* resultLayout = new QVBoxLayout(resultBox);
    resultLayout->addLayout(summary);
    resultLayout->addWidget(figures_, 0);
    resultLayout->addWidget(makeLabel(resultBox, "Tulosvaihtoehdot parhaan rivin osumien mukaan:"));
    resultLayout->addWidget(chart_, 1);
    return resultBox;
}

void GuaranteeAnalysisWindow::layOut(QGroupBox* sourceBox, QGroupBox* frameBox, QGroupBox* resultBox)
{
    auto* right = new QVBoxLayout;
    right->addWidget(sourceBox);
    right->addWidget(frameBox);
    right->addWidget(resultBox, 1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(statusLabel_, 1);
    progress->addWidget(progressBar_, 1);
    right->addLayout(progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(analyseButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(closeButton_);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(coupon_, 0, Qt::AlignTop);
    layout->addLayout(right, 1);
}

void GuaranteeAnalysisWindow::bindKeys()
{
    QList<QWidget*> order{fileButton_};
    order << coupon_->tabOrder();
    order << patternEdit_ << ownSignsButton_ << analyseButton_ << cancelButton_ << closeButton_ << figures_;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    bindDialogKeys(this, analyseButton_, [this] { close(); });
}

void GuaranteeAnalysisWindow::connectControls()
{
    delay_ = new QTimer(this);
    delay_->setSingleShot(true);
    delay_->setInterval(kSettleMs);
    job_ = new BackgroundJob<AnalysisOutcome>(this);
    connect(delay_, &QTimer::timeout, this, &GuaranteeAnalysisWindow::startAnalysis);
    connect(job_, &QFutureWatcherBase::progressValueChanged, this, [this] {
        if (analysing_)
            progressBar_->setValue(int(job_->progress()));
    });
    connect(job_, &QFutureWatcherBase::finished, this, &GuaranteeAnalysisWindow::analysisEnded);
    connect(coupon_, &CouponColumn::signClicked, this, &GuaranteeAnalysisWindow::markClicked);
    connect(patternEdit_, &QLineEdit::textChanged, this, &GuaranteeAnalysisWindow::patternTyped);
    connect(fileButton_, &QPushButton::clicked, this, &GuaranteeAnalysisWindow::chooseFile);
    connect(ownSignsButton_, &QPushButton::clicked, this, &GuaranteeAnalysisWindow::useRowsOwnSigns);
    connect(analyseButton_, &QPushButton::clicked, this, &GuaranteeAnalysisWindow::startAnalysis);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        cancelAnalysis();
        statusLabel_->setText("Analyysi keskeytetty.");
    });
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });
}

void GuaranteeAnalysisWindow::receive(const AnalysisHandOver& handOver)
{
    chances_ = handOver.chances;
    keptBy_ = handOver.keptBy;
    sourceLabel_->setText(handOver.source);
    patternEdit_->setText(frameText(handOver.frame));
    scheduleAnalysis();
}

void GuaranteeAnalysisWindow::closeEvent(QCloseEvent* event)
{
    // Closing stops the analysis and never waits for it.
    cancelAnalysis();
    FeatureWindow::closeEvent(event);
}

void GuaranteeAnalysisWindow::chooseFile()
{
    if (chooseAndReadRows(context(), "Valitse analysoitava rivitiedosto tai oma systeemi !", DamagedRows::Used))
        useRows(signRowsOf(state().Rows), state().CurrentFileTitle);
}

void GuaranteeAnalysisWindow::useRows(const std::vector<SignRow>& rows, const QString& source)
{
    rows_ = rows;
    sourceLabel_->setText(QString::fromUtf8(SystemTexts::SourceRowCount).arg(source, shownCount(rows.size())));
    useRowsOwnSigns();
}

void GuaranteeAnalysisWindow::useRowsOwnSigns()
{
    setMarks(patternOfFrame(frameOfRows(rows_)), false);
}

void GuaranteeAnalysisWindow::markClicked(int sign, int match)
{
    MatchTable marks = marks_;
    marks[sign][match] = marks[sign][match] == 1 ? 0 : 1;
    setMarks(marks, false);
}

void GuaranteeAnalysisWindow::patternTyped()
{
    if (settingPattern_)
        return;
    QString error;
    const std::optional<MatchTable> marks = parsePattern(patternEdit_->text(), error);
    if (!marks) {
        cancelAnalysis();
        delay_->stop();
        clearResult(error);
        return;
    }
    setMarks(*marks, true);
}

void GuaranteeAnalysisWindow::setMarks(const MatchTable& marks, bool fromText)
{
    marks_ = marks;
    frame_ = frameOfPattern(marks);
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < kMatches; ++k)
            coupon_->setMarked(s, k, marks[s][k] == 1);
    if (!fromText) {
        settingPattern_ = true;
        patternEdit_->setText(patternText(marks));
        settingPattern_ = false;
    }
    scheduleAnalysis();
}

void GuaranteeAnalysisWindow::scheduleAnalysis()
{
    cancelAnalysis();
    if (rows_.empty()) {
        delay_->stop();
        clearResult(QString::fromUtf8(SystemTexts::ChooseRowFileOrSystem));
        return;
    }
    if (!frame_) {
        delay_->stop();
        clearResult(patternRefusal(PatternOutcome::EmptyMatch));
        return;
    }
    // Figures of another frame would mislead while the new ones are worked out.
    clearResult(QString::fromUtf8("Analysoidaan…"));
    delay_->start();
}

void GuaranteeAnalysisWindow::startAnalysis()
{
    delay_->stop();
    cancelAnalysis();
    // Without rows or with an empty match the status already says why.
    if (rows_.empty() || !frame_)
        return;
    // Over the kept rows only when they are of this very frame.
    std::optional<PruningSet> keptBy = keptBy_ && keptBy_->frame == *frame_ ? keptBy_ : std::nullopt;
    analysing_ = true;
    job_->start([rows = rows_, frame = *frame_, chances = chances_, keptBy = std::move(keptBy)](JobControl& job) {
        AnalysisControl control;
        control.cancel = &job.cancelRequested();
        control.progress = [&job](double done) { job.report(qint64(done * 1000)); };
        AnalysisOutcome outcome;
        outcome.rowCount = rows.size();
        outcome.result = analyseGuarantee(rows, frame, control, chances);
        if (!outcome.result || !keptBy)
            return outcome;
        const std::optional<std::vector<RowIndex>> kept = applyPruning(*keptBy, &job.cancelRequested());
        if (kept)
            outcome.keptGuarantee = guaranteeOverOutcomes(rows, frame, rowsOfIndices(*kept), control);
        return outcome;
    });
    statusLabel_->setText(QString::fromUtf8("Analysoidaan…"));
    setRunning(true);
}

void GuaranteeAnalysisWindow::cancelAnalysis()
{
    // What a stopped analysis ends with is not heard of.
    if (analysing_)
        job_->cancel();
    analysing_ = false;
    setRunning(false);
}

void GuaranteeAnalysisWindow::analysisEnded()
{
    if (!analysing_)
        return;
    analysing_ = false;
    setRunning(false);
    const std::optional<AnalysisOutcome> outcome = job_->take();
    if (!outcome || !outcome->result)
        clearResult(!outcome ? QString::fromUtf8("Muisti ei riitä analyysiin !")
                             : QString::fromUtf8("Analyysi ei onnistu !"));
    else
        showResult(*outcome);
    emit workDone();
}

void GuaranteeAnalysisWindow::showResult(const AnalysisOutcome& job)
{
    const AnalysisResult& result = *job.result;
    const GuaranteeAnalysis& a = result.plain;
    rowCountLabel_->setText(QString::fromUtf8(SystemTexts::RowCount).arg(shownCount(job.rowCount)));
    outcomeCountLabel_->setText(QString::fromUtf8(SystemTexts::OutcomeCount).arg(shownCount(a.outcomes)));
    guaranteeLabel_->setText(QString("Takuu: %1 oikein").arg(a.guarantee));
    keptGuaranteeLabel_->setText(job.keptGuarantee
                                     ? QString::fromUtf8("Takuu pidetyissä riveissä: %1 oikein").arg(*job.keptGuarantee)
                                     : QString());
    keptGuaranteeLabel_->setVisible(job.keptGuarantee.has_value());
    const QList<AnalysisTableLine> table = analysisTable(result);
    figures_->setRowCount(int(table.size()));
    QStringList headings;
    for (int r = 0; r < table.size(); ++r) {
        headings << table[r].heading;
        for (int c = 0; c < kAnalysisColumns; ++c) {
            auto* cell = new QTableWidgetItem(table[r].cells[std::size_t(c)]);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            figures_->setItem(r, c, cell);
        }
    }
    figures_->setVerticalHeaderLabels(headings);
    figures_->setFixedHeight(figures_->horizontalHeader()->height() + figures_->verticalHeader()->length() +
                             2 * figures_->frameWidth());
    chart_->setOutcomes(outcomesByColumn(a), analysisColumnHeadings());
    progressBar_->setValue(progressBar_->maximum());
    statusLabel_->setText("Valmis.");
}

void GuaranteeAnalysisWindow::clearResult(const QString& status)
{
    rowCountLabel_->setText(QString::fromUtf8(SystemTexts::RowCount).arg(shownCount(rows_.size())));
    outcomeCountLabel_->setText(
        QString::fromUtf8(SystemTexts::OutcomeCount).arg(frame_ ? shownCount(outcomeCount(*frame_)) : QString("-")));
    guaranteeLabel_->setText("Takuu: -");
    keptGuaranteeLabel_->hide();
    figures_->setRowCount(0);
    chart_->clear();
    progressBar_->setValue(0);
    statusLabel_->setText(status);
}

void GuaranteeAnalysisWindow::setRunning(bool running)
{
    cancelButton_->setEnabled(running);
    analyseButton_->setEnabled(!running && !rows_.empty() && frame_.has_value());
}

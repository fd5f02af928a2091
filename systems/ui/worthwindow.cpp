#include "systems/ui/worthwindow.h"

#include "base/rowfile.h"
#include "base/safewrite.h"
#include "base/textformat.h"
#include "base/ui/backgroundjob.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "base/ui/windownames.h"
#include "rows/ui/couponcolumn.h"
#include "systems/frametext.h"
#include "systems/pruningfile.h"
#include "systems/systemtexts.h"
#include "systems/ui/analysishandover.h"
#include "systems/ui/matchnumbersbox.h"
#include "systems/ui/pruningfileflows.h"
#include "systems/ui/returnchart.h"
#include "systems/ui/rowsource.h"
#include "systems/worthreport.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

struct WorthOutcome {
    std::optional<WorthReport> report;
    std::optional<std::vector<SignRow>> best;
};

namespace {

QString shownEuros(double x)
{
    return QLocale().toString(x, 'f', 2);
}

// Sorts by the number a cell holds rather than by its text.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(double value, const QString& text) : QTableWidgetItem(text), value_(value)
    {
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override
    {
        const auto* number = dynamic_cast<const NumberItem*>(&other);
        return number ? value_ < number->value_ : QTableWidgetItem::operator<(other);
    }

private:
    double value_;
};

// "131 250" as a player types it, or with the no-break space a Finnish number shows.
QString withoutSpaces(QString text)
{
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

QString rowText(const SignRow& row)
{
    QString text;
    for (std::uint8_t s : row)
        text += s < 3 ? QChar("1X2"[s]) : QChar('?');
    return text;
}

} // namespace

WorthWindow::WorthWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Worth);
    setWindowTitle("Odotusarvo");

    coupon_ = new CouponColumn("parhaatkaava", {"yksi", "risti", "kaksi"}, this);
    coupon_->setToolTip(QString::fromUtf8("Kaava, jonka sisältä parhaat rivit valitaan"));
    numbersBox_ = new MatchNumbersBox(context, this);

    QGroupBox* roundBox = makeRoundBox();
    QGroupBox* sourceBox = makeSourceBox();
    QGroupBox* resultBox = makeResultBox();
    bestCountBox_ = new QSpinBox(this);
    bestCountBox_->setObjectName("parhaidenmaara");
    bestCountBox_->setRange(1, kMaxRows);
    bestCountBox_->setValue(64);
    bestCountBox_->setAccessibleName(QString::fromUtf8("Parhaiden rivien määrä"));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("mittari");
    progressBar_->setRange(0, 1000);
    progressBar_->setTextVisible(false);
    statusLabel_ = makeLabel(this, QString(), "tila");
    computeButton_ = makeButton(this, "laske", "&Laske");
    bestButton_ = makeButton(this, "parhaat", "Parhaat ri&vit...");
    bestButton_->setToolTip(QString::fromUtf8("Valitse kaavasta rivit, jotka ovat yhdessä eniten arvoisia, "
                                              "tallenna ne uuteen rivitiedostoon ja analysoi"));
    cancelButton_ = makeButton(this, "keskeyta", "K&eskeytä");
    closeButton_ = makeButton(this, "sulje", "&Sulje");
    computeButton_->setDefault(true);

    layOut(roundBox, sourceBox, resultBox);
    bindKeys();
    connectControls();

    // Load: every sign of the frame marked, and the rows in memory when there are any.
    opened_.frame.played.fill(7);
    for (auto& sign : marks_)
        sign.fill(1);
    showMarks();
    const RowBuffer inMemory = completeRowsInMemory(state().Rows);
    if (!inMemory.empty()) {
        useRows(signRowsOf(inMemory), QString::fromUtf8(SystemTexts::RowsInMemory));
    } else {
        sourceLabel_->setText(QString::fromUtf8("Ei rivejä muistissa: valitse rivitiedosto tai oma systeemi."));
        clearReport(QString::fromUtf8("Anna todennäköisyydet, pelijakauma ja kierros."));
    }
    setRunning(false);
    // Showing it fits it on the screen, however large the fonts make the hint.
    resize(sizeHint().expandedTo(QSize(980, 640)));
    numbersBox_->tabOrder().first()->setFocus();
}

QGroupBox* WorthWindow::makeRoundBox()
{
    auto* roundBox = new QGroupBox("Kierros", this);
    roundBox->setObjectName("kierros");
    soldEdit_ = makeEdit(roundBox, "myydyt", 10);
    priceEdit_ = makeEdit(roundBox, "rivihinta", 6);
    auto* roundForm = new QFormLayout;
    roundForm->addRow(makeBuddyLabel(roundBox, "M&yydyt rivit:", soldEdit_), soldEdit_);
    for (std::size_t c = 0; c < poolEdits_.size(); ++c) {
        const int hits = kPrizeClassHits[c];
        poolEdits_[c] = makeEdit(roundBox, QString("potti%1").arg(hits), 10);
        poolEdits_[c]->setToolTip(QString::fromUtf8("Luokan %1 oikein potti euroina").arg(hits));
        roundForm->addRow(
            makeBuddyLabel(roundBox, QString::fromUtf8("Potti 1&%1 oikein, €:").arg(hits - 10), poolEdits_[c]),
            poolEdits_[c]);
    }
    poolEdits_[0]->setToolTip(QString::fromUtf8("Luokan 13 oikein potti euroina, siirtyvä jättipotti mukaan lukien"));
    roundForm->addRow(makeBuddyLabel(roundBox, "Rivi&hinta, €:", priceEdit_), priceEdit_);
    openRoundButton_ = makeButton(roundBox, "avaakierros", "&Avaa kierros...");
    saveRoundButton_ = makeButton(roundBox, "tallennakierros", "Tallenna kierr&os...");
    openRoundButton_->setToolTip(
        QString::fromUtf8("Todennäköisyydet, pelijakauma ja kierros karsintaehtojen tiedostosta"));
    auto* roundLayout = new QVBoxLayout(roundBox);
    roundLayout->addLayout(roundForm);
    auto* roundButtons = new QHBoxLayout;
    roundButtons->addWidget(openRoundButton_);
    roundButtons->addWidget(saveRoundButton_);
    roundLayout->addLayout(roundButtons);
    return roundBox;
}

QGroupBox* WorthWindow::makeSourceBox()
{
    auto* sourceBox = new QGroupBox("Rivit", this);
    sourceBox->setObjectName("rivilahde");
    sourceLabel_ = makeLabel(sourceBox, QString(), "lahde");
    sourceLabel_->setWordWrap(true);
    fileButton_ = makeButton(sourceBox, "tiedosto", "&Tiedosto...");
    memoryButton_ = makeButton(sourceBox, "muisti", "&Muistin rivit");
    auto* sourceLayout = new QVBoxLayout(sourceBox);
    sourceLayout->addWidget(sourceLabel_);
    auto* sourceButtons = new QHBoxLayout;
    sourceButtons->addWidget(fileButton_);
    sourceButtons->addWidget(memoryButton_);
    sourceLayout->addLayout(sourceButtons);
    sourceLayout->addStretch(1);
    return sourceBox;
}

QGroupBox* WorthWindow::makeResultBox()
{
    auto* resultBox = new QGroupBox("Tulos", this);
    resultBox->setObjectName("tulos");
    reportLabel_ = makeLabel(resultBox, QString(), "raportti");
    reportLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reportLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    reportLabel_->setMinimumWidth(reportLabel_->fontMetrics().horizontalAdvance("Voiton todennäköisyys: 100,0000 %"));
    chart_ = new ReturnChart(resultBox);
    chart_->setObjectName("kuvaaja");
    chart_->setAccessibleName(QString::fromUtf8("Todennäköisyys voittaa vähintään x euroa"));
    rowList_ = new QTableWidget(0, 2, resultBox);
    rowList_->setObjectName("rivilista");
    rowList_->setHorizontalHeaderLabels({"Rivi", QString::fromUtf8("Osuus, €")});
    rowList_->horizontalHeaderItem(1)->setToolTip(QString::fromUtf8("Rivin osuus odotusarvosta euroina"));
    rowList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rowList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rowList_->setTabKeyNavigation(false);
    rowList_->setSortingEnabled(true);
    rowList_->verticalHeader()->hide();
    rowList_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    rowList_->setAccessibleName(QString::fromUtf8("Rivien osuudet odotusarvosta"));
    rowList_->setFont(listingFont());
    auto* resultTop = new QHBoxLayout;
    resultTop->addWidget(reportLabel_);
    resultTop->addWidget(rowList_, 1);
    auto* resultLayout = new QVBoxLayout(resultBox);
    resultLayout->addLayout(resultTop, 1);
    resultLayout->addWidget(makeLabel(resultBox, QString::fromUtf8("Todennäköisyys voittaa vähintään x euroa:")));
    resultLayout->addWidget(chart_, 1);
    return resultBox;
}

void WorthWindow::layOut(QGroupBox* roundBox, QGroupBox* sourceBox, QGroupBox* resultBox)
{
    auto* right = new QVBoxLayout;
    auto* inputs = new QHBoxLayout;
    inputs->addWidget(roundBox);
    inputs->addWidget(sourceBox, 1);
    right->addLayout(inputs);
    right->addWidget(resultBox, 1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(statusLabel_, 1);
    progress->addWidget(progressBar_, 1);
    right->addLayout(progress);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(computeButton_);
    buttons->addSpacing(12);
    buttons->addWidget(makeBuddyLabel(this, "Rivej&ä:", bestCountBox_));
    buttons->addWidget(bestCountBox_);
    buttons->addWidget(bestButton_);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(closeButton_);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(coupon_, 0, Qt::AlignTop);
    layout->addWidget(numbersBox_, 2);
    layout->addLayout(right, 3);
}

void WorthWindow::bindKeys()
{
    QList<QWidget*> order = coupon_->tabOrder();
    order << numbersBox_->tabOrder() << soldEdit_;
    for (QLineEdit* edit : poolEdits_)
        order << edit;
    order << priceEdit_ << openRoundButton_ << saveRoundButton_ << fileButton_ << memoryButton_ << computeButton_
          << bestCountBox_ << bestButton_ << cancelButton_ << closeButton_ << rowList_;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    bindDialogKeys(this, computeButton_, [this] { close(); });
}

void WorthWindow::connectControls()
{
    job_ = new BackgroundJob<WorthOutcome>(this);
    connect(job_, &QFutureWatcherBase::progressValueChanged, this, [this] {
        if (task_)
            progressBar_->setValue(int(job_->progress()));
    });
    connect(job_, &QFutureWatcherBase::finished, this, &WorthWindow::workEnded);
    connect(coupon_, &CouponColumn::signClicked, this, &WorthWindow::markClicked);
    connect(numbersBox_, &MatchNumbersBox::notice, statusLabel_, &QLabel::setText);
    connect(fileButton_, &QPushButton::clicked, this, &WorthWindow::chooseFile);
    connect(memoryButton_, &QPushButton::clicked, this, [this] {
        const RowBuffer inMemory = completeRowsInMemory(state().Rows);
        if (inMemory.empty())
            message(QString::fromUtf8("Muistissa ei ole rivejä !"), Messages::Exclamation);
        else
            useRows(signRowsOf(inMemory), QString::fromUtf8(SystemTexts::RowsInMemory));
    });
    connect(openRoundButton_, &QPushButton::clicked, this, &WorthWindow::openRound);
    connect(saveRoundButton_, &QPushButton::clicked, this, &WorthWindow::saveRound);
    connect(computeButton_, &QPushButton::clicked, this, &WorthWindow::compute);
    connect(bestButton_, &QPushButton::clicked, this, &WorthWindow::chooseBest);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        stopWork();
        statusLabel_->setText("Laskenta keskeytetty.");
    });
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });
}

void WorthWindow::closeEvent(QCloseEvent* event)
{
    // Closing stops the work and never waits for it.
    stopWork();
    FeatureWindow::closeEvent(event);
}

void WorthWindow::chooseFile()
{
    if (chooseAndReadRows(context(), "Valitse rivitiedosto tai oma systeemi !", DamagedRows::Refused))
        useRows(signRowsOf(state().Rows), state().CurrentFileTitle);
}

void WorthWindow::useRows(const std::vector<SignRow>& rows, const QString& source)
{
    stopWork();
    rows_ = rows;
    sourceLabel_->setText(QString::fromUtf8(SystemTexts::SourceRowCount).arg(source, shownCount(rows.size())));
    clearReport(QString::fromUtf8("Paina Laske."));
    setRunning(false);
}

void WorthWindow::markClicked(int sign, int match)
{
    marks_[sign][match] = marks_[sign][match] == 1 ? 0 : 1;
    showMarks();
}

void WorthWindow::showMarks()
{
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < kMatches; ++k)
            coupon_->setMarked(s, k, marks_[s][k] == 1);
}

std::optional<PoolRound> WorthWindow::typedRound(QString& problem) const
{
    PoolRound round;
    const QString sold = withoutSpaces(soldEdit_->text());
    bool ok = false;
    round.rowsSold = double(sold.toLongLong(&ok));
    if (!ok || round.rowsSold < 0) {
        problem = QString::fromUtf8("Anna myytyjen rivien määrä !");
        return std::nullopt;
    }
    for (std::size_t c = 0; c < poolEdits_.size(); ++c) {
        const QString text = withoutSpaces(poolEdits_[c]->text());
        const std::optional<double> pool = text.isEmpty() ? 0.0 : parseDecimal(text);
        if (!pool) {
            problem = QString::fromUtf8("Luokan %1 oikein potti %2 ei kelpaa !").arg(kPrizeClassHits[c]).arg(text);
            return std::nullopt;
        }
        round.pools[c] = *pool;
    }
    const std::optional<double> price = parseDecimal(withoutSpaces(priceEdit_->text()));
    if (!price || *price <= 0) {
        problem = QString::fromUtf8("Anna rivihinta euroina !");
        return std::nullopt;
    }
    round.rowPrice = *price;
    return round;
}

void WorthWindow::showRound(const PoolRound& round)
{
    // Without group separators: what is shown must read back as the same number.
    QLocale shown;
    shown.setNumberOptions(QLocale::OmitGroupSeparator);
    soldEdit_->setText(shown.toString(round.rowsSold, 'f', QLocale::FloatingPointShortest));
    for (std::size_t c = 0; c < poolEdits_.size(); ++c)
        poolEdits_[c]->setText(shown.toString(round.pools[c], 'f', QLocale::FloatingPointShortest));
    priceEdit_->setText(shown.toString(round.rowPrice, 'f', QLocale::FloatingPointShortest));
}

std::optional<WorthModel> WorthWindow::currentModel(QString& problem) const
{
    problem.clear();
    const std::optional<MatchNumbers> chances = numbersBox_->numbers(false, problem);
    if (!chances) {
        if (problem.isEmpty())
            problem = QString::fromUtf8("Anna todennäköisyydet !");
        return std::nullopt;
    }
    const std::optional<MatchNumbers> shares = numbersBox_->numbers(true, problem);
    if (!shares) {
        if (problem.isEmpty())
            problem = QString::fromUtf8("Anna pelijakauma !");
        return std::nullopt;
    }
    const std::optional<PoolRound> round = typedRound(problem);
    if (!round)
        return std::nullopt;
    WorthModel model;
    model.chances = chancesOf(*chances);
    model.publicShares = fractionsPerMatch(shares->numbers);
    model.round = *round;
    return model;
}

void WorthWindow::compute()
{
    if (rows_.empty()) {
        statusLabel_->setText(QString::fromUtf8(SystemTexts::ChooseRowFileOrSystem));
        return;
    }
    QString problem;
    const std::optional<WorthModel> model = currentModel(problem);
    if (!model) {
        statusLabel_->setText(problem);
        return;
    }
    WorthTask task;
    task.model = *model;
    task.rows = rows_;
    start(task);
}

void WorthWindow::chooseBest()
{
    QString problem;
    const std::optional<WorthModel> model = currentModel(problem);
    const std::optional<Frame> frame = frameOfPattern(marks_);
    if (!frame)
        problem = QString::fromUtf8(SystemTexts::MarkEveryMatch);
    else if (std::uint64_t(bestCountBox_->value()) > outcomeCount(*frame))
        problem = QString::fromUtf8(SystemTexts::FrameHasOnlyRows).arg(shownCount(outcomeCount(*frame)));
    if (!model || !problem.isEmpty()) {
        statusLabel_->setText(problem);
        return;
    }
    WorthTask task;
    task.model = *model;
    task.bestOf = frame;
    task.bestCount = std::size_t(bestCountBox_->value());
    start(task);
}

void WorthWindow::start(const WorthTask& task)
{
    stopWork();
    task_ = task;
    job_->start([task](JobControl& job) {
        TransformControl control;
        control.cancel = &job.cancelRequested();
        control.progress = [&job](double done) { job.report(qint64(done * 1000)); };
        WorthOutcome outcome;
        if (task.bestOf)
            outcome.best = bestRows(task.model, *task.bestOf, task.bestCount, control);
        else
            outcome.report = worthOfRows(task.rows, task.model, true, control);
        return outcome;
    });
    clearReport(task.bestOf ? QString::fromUtf8("Valitaan parhaita rivejä…") : QString::fromUtf8("Lasketaan…"));
    setRunning(true);
}

void WorthWindow::stopWork()
{
    // What stopped work ends with is not heard of.
    if (task_)
        job_->cancel();
    task_.reset();
    setRunning(false);
}

void WorthWindow::workEnded()
{
    if (!task_)
        return;
    const WorthTask task = std::move(*task_);
    task_.reset();
    setRunning(false);
    const std::optional<WorthOutcome> outcome = job_->take();
    if (!outcome)
        clearReport(QString::fromUtf8("Muisti ei riitä laskentaan !"));
    else if (task.bestOf)
        finishBest(task, outcome->best);
    else if (!outcome->report)
        clearReport(QString::fromUtf8(SystemTexts::CalculationFailed));
    else
        showReport(*outcome->report);
    emit workDone();
}

void WorthWindow::finishBest(const WorthTask& task, const std::optional<std::vector<SignRow>>& best)
{
    if (!best || best->empty()) {
        clearReport(QString::fromUtf8(SystemTexts::CalculationFailed));
        return;
    }
    SharedState& s = state();
    s.Rows = rowsOfSigns(*best);
    s.RowCount = int(s.Rows.size());
    if (!SaveRowsFile(context(), s.RowCount)) {
        clearReport(QString::fromUtf8("Parhaita rivejä ei tallennettu."));
        return;
    }
    const QString title = s.CurrentFileTitle;
    useRows(*best, QString::fromUtf8("Parhaat rivit %1").arg(title));
    const AnalysisHandOver handOver{
        *task.bestOf, QString::fromUtf8("Parhaat rivit: %1, %2 riviä").arg(title, shownCount(best->size())),
        task.model.chances, std::nullopt};
    // This window stays open beside the analysis, with the report of the rows saved.
    services().windows.showWith(WindowName::GuaranteeAnalysis, handOver, {}, this);
    compute();
}

void WorthWindow::showReport(const WorthReport& report)
{
    reportLabel_->setText(shownWorthLines(report).join('\n'));
    chart_->setChances(report.returnChances);
    rowList_->setSortingEnabled(false);
    rowList_->setRowCount(int(rows_.size()));
    for (std::size_t r = 0; r < rows_.size() && r < report.rowWorth.size(); ++r) {
        auto* row = new NumberItem(double(r), rowText(rows_[r]));
        row->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        rowList_->setItem(int(r), 0, row);
        rowList_->setItem(int(r), 1, new NumberItem(report.rowWorth[r], shownEuros(report.rowWorth[r])));
    }
    rowList_->setSortingEnabled(true);
    rowList_->sortByColumn(1, Qt::DescendingOrder);
    progressBar_->setValue(progressBar_->maximum());
    statusLabel_->setText("Valmis.");
}

void WorthWindow::clearReport(const QString& status)
{
    reportLabel_->setText(QString::fromUtf8(SystemTexts::RowCount).arg(shownCount(rows_.size())));
    chart_->clear();
    rowList_->setRowCount(0);
    progressBar_->setValue(0);
    statusLabel_->setText(status);
}

void WorthWindow::openRound()
{
    const std::optional<OpenedPruningSet> opened = openPruningSetFile(context(), QString::fromUtf8("Avaa kierros"));
    if (!opened)
        return;
    opened_ = opened->set;
    numbersBox_->showNumbers(opened_.chances, false);
    numbersBox_->showNumbers(opened_.publicShares, true);
    if (opened_.round)
        showRound(*opened_.round);
    statusLabel_->setText(QString::fromUtf8("Kierros luettu: %1").arg(opened->fileName));
}

void WorthWindow::saveRound()
{
    QString problem;
    PruningSet set = opened_;
    set.chances = numbersBox_->numbers(false, problem);
    if (problem.isEmpty())
        set.publicShares = numbersBox_->numbers(true, problem);
    if (problem.isEmpty())
        set.round = typedRound(problem);
    if (!problem.isEmpty()) {
        message(problem, Messages::Exclamation);
        return;
    }
    const QString saved = savePruningSetFile(context(), QString::fromUtf8("Tallenna kierros"), set);
    if (saved.isEmpty())
        return;
    opened_ = set;
    statusLabel_->setText(QString::fromUtf8("Kierros tallennettu: %1").arg(saved));
}

void WorthWindow::setRunning(bool running)
{
    cancelButton_->setEnabled(running);
    computeButton_->setEnabled(!running);
    bestButton_->setEnabled(!running);
    fileButton_->setEnabled(!running);
    memoryButton_->setEnabled(!running);
}

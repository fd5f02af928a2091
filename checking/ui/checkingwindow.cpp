#include "checking/ui/checkingwindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/statsfiles.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "checking/rowcheck.h"
#include "checking/statistics.h"
#include "rows/harava.h"
#include "rows/ui/sharedtexts.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStringListModel>
#include <QStyle>
#include <QVBoxLayout>
#include <limits>
#include <new>
#include <optional>

namespace {

const QString kNotListed = QStringLiteral(" Rivit listataan vain hajariveillä!");

QLabel* sunkenLabel(QWidget* parent, const QString& text, const QString& name, int minWidth)
{
    QLabel* l = makeLabel(parent, text, name);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(minWidth);
    return l;
}

} // namespace

CheckingWindow::CheckingWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Checking);
    buildControls();

    // Load
    SharedState& s = state();
    setWindowTitle("Tarkastus - ( " + (s.HaravaTask == 1 ? s.SystemName : s.CurrentFileTitle) + " )");
    yearEdit_->setText(QString::number(services().clock.today().year()));
    for (int k = 0; k < kMatches; ++k) {
        findChild<QLabel*>(QString("nu_%1").arg(k))->setText(s.BasicSigns[k]);
        findChild<QLabel*>(QString("osu_%1").arg(k))->setText(s.BasicSigns[k]);
    }
}

void CheckingWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    top->addWidget(buildPrizeBox());
    top->addLayout(buildRowListing(), 1);
    layout->addWidget(buildMatchBox());
    layout->addLayout(buildButtons());
    orderTabsAndFocus();
    connectSignals();
}

// The prize table and the round of the check
QGroupBox* CheckingWindow::buildPrizeBox()
{
    auto* prizes = new QGroupBox(this);
    prizes->setObjectName("Frame1");
    auto* grid = new QGridLayout(prizes);
    grid->addWidget(makeLabel(prizes, " Voitonjako:"), 0, 2);
    auto* amountValidator = new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}([.,][0-9]{0,2})?"), this);
    const char* classCaptions[] = {" X 10 X", " X 11 X", " X 12 X", " X 13 X"};
    for (int i = 0; i < 4; ++i) {
        countLabels_ << sunkenLabel(prizes, " 0", QString("Label%1").arg(i + 1), 56);
        auto* box = new QLineEdit(prizes);
        box->setObjectName(QString("Text%1").arg(i + 1));
        box->setValidator(amountValidator);
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(110);
        prizeBoxes_ << box;
    }
    for (int i = 3; i >= 0; --i) {
        const int row = 4 - i;
        grid->addWidget(countLabels_[i], row, 0);
        grid->addWidget(makeLabel(prizes, classCaptions[i]), row, 1);
        grid->addWidget(prizeBoxes_[i], row, 2);
        grid->addWidget(makeLabel(prizes, " Mk."), row, 3);
    }
    rowCountLabel_ = sunkenLabel(prizes, QString(), "Label12", 56);
    winTotalLabel_ = sunkenLabel(prizes, QString(), "Label17", 110);
    winTotalLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fullHitRowLabel_ = sunkenLabel(prizes, " ?", "Label16", 56);
    grid->addWidget(makeLabel(prizes, " Rivimäärä:"), 5, 0, 1, 2);
    grid->addWidget(rowCountLabel_, 5, 2, Qt::AlignLeft);
    grid->addWidget(makeLabel(prizes, " Yht."), 6, 1);
    grid->addWidget(winTotalLabel_, 6, 2);
    grid->addWidget(makeLabel(prizes, " Mk."), 6, 3);
    grid->addWidget(makeLabel(prizes, " Rivillä"), 7, 0, 1, 2);
    grid->addWidget(fullHitRowLabel_, 7, 2, Qt::AlignLeft);
    grid->addLayout(buildRoundRow(prizes), 8, 0, 1, 4);
    grid->setRowStretch(9, 1);
    return prizes;
}

QHBoxLayout* CheckingWindow::buildRoundRow(QGroupBox* prizes)
{
    auto* roundRow = new QHBoxLayout;
    roundEdit_ = new QLineEdit(prizes);
    roundEdit_->setObjectName("Text5");
    roundEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), roundEdit_));
    roundEdit_->setMaximumWidth(50);
    yearEdit_ = new QLineEdit(prizes);
    yearEdit_->setObjectName("Text6");
    yearEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), yearEdit_));
    yearEdit_->setMaximumWidth(64);
    auto* roundCaption = makeLabel(prizes, "&Kierros");
    roundCaption->setBuddy(roundEdit_);
    auto* yearCaption = makeLabel(prizes, "&Vuosi");
    yearCaption->setBuddy(yearEdit_);
    roundRow->addWidget(roundCaption);
    roundRow->addWidget(roundEdit_);
    roundRow->addSpacing(12);
    roundRow->addWidget(yearCaption);
    roundRow->addWidget(yearEdit_);
    roundRow->addStretch(1);
    return roundRow;
}

// The correct row above the checked rows, sign over sign
QVBoxLayout* CheckingWindow::buildRowListing()
{
    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    lines_ = new QStringListModel(this);
    rowList_ = makeListing(this, "List1", lines_, 48);
    rowList_->setMinimumHeight(220);
    const QFont fixed = listingFont();
    const int cw = QFontMetrics(fixed).horizontalAdvance(QChar('0'));
    auto* correct = new QHBoxLayout;
    correct->setSpacing(0);
    // The signs of a list line start after " 1  > ".
    const int textMargin = rowList_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, rowList_) + 1;
    correct->addSpacing(rowList_->frameWidth() + textMargin + 6 * cw);
    for (int k = 0; k < kMatches; ++k) {
        if (k > 0)
            correct->addSpacing((k == 3 || k == 6 || k == 9) ? 2 * cw : cw);
        QLabel* sign = makeLabel(this, QString(), QString("osu_%1").arg(k));
        sign->setFont(fixed);
        sign->setFixedWidth(cw);
        correct->addWidget(sign);
    }
    auto* caption = makeLabel(this, " < Oikea rivi");
    caption->setFont(fixed);
    correct->addWidget(caption);
    correct->addStretch(1);
    right->addLayout(correct);
    right->addWidget(rowList_, 1);
    return right;
}

// Per match: the correct sign and how often the rows had it right
QGroupBox* CheckingWindow::buildMatchBox()
{
    auto* matches = new QGroupBox(this);
    matches->setObjectName("Frame2");
    auto* mgrid = new QGridLayout(matches);
    mgrid->setHorizontalSpacing(4);
    mgrid->addWidget(makeLabel(matches, "Ottelu"), 0, 0);
    mgrid->addWidget(makeLabel(matches, "Oikea"), 1, 0);
    mgrid->addWidget(makeLabel(matches, "Osumia"), 2, 0);
    for (int k = 0; k < kMatches; ++k) {
        auto* number = makeLabel(matches, QString::number(k + 1));
        number->setAlignment(Qt::AlignCenter);
        mgrid->addWidget(number, 0, k + 1);
        QLabel* sign = makeLabel(matches, QString(), QString("nu_%1").arg(k));
        sign->setAlignment(Qt::AlignCenter);
        mgrid->addWidget(sign, 1, k + 1);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        QLabel* percent = makeLabel(matches, QString(), QString("osui_%1").arg(k));
        percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        percent->setMinimumWidth(percent->fontMetrics().horizontalAdvance(" 100"));
        matchPercentLabels_ << percent;
        cell->addWidget(percent);
        cell->addWidget(makeLabel(matches, "%"));
        mgrid->addLayout(cell, 2, k + 1);
    }
    mgrid->addWidget(makeLabel(matches, "ka"), 0, kMatches + 1, Qt::AlignCenter);
    averageLabel_ = sunkenLabel(matches, QString(), "ka", 40);
    averageLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mgrid->addWidget(averageLabel_, 2, kMatches + 1);
    return matches;
}

QHBoxLayout* CheckingWindow::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    checkButton_ = makeButton(this, "Command1", "&TARKASTA");
    storeButton_ = makeButton(this, "tilastoi", "T&ilastoi");
    helpButton_ = makeButton(this, "Command2", "&Apua");
    quitButton_ = makeButton(this, "C1", "&Lopeta");
    checkButton_->setDefault(true);
    // Storing before the check would store nothing worth keeping.
    storeButton_->setEnabled(false);
    buttons->addWidget(checkButton_);
    buttons->addWidget(storeButton_);
    buttons->addStretch(1);
    buttons->addWidget(helpButton_);
    buttons->addWidget(quitButton_);
    return buttons;
}

void CheckingWindow::orderTabsAndFocus()
{
    setTabOrder(prizeBoxes_[3], prizeBoxes_[2]);
    setTabOrder(prizeBoxes_[2], prizeBoxes_[1]);
    setTabOrder(prizeBoxes_[1], prizeBoxes_[0]);
    setTabOrder(prizeBoxes_[0], roundEdit_);
    setTabOrder(roundEdit_, yearEdit_);
    setTabOrder(yearEdit_, checkButton_);
    setTabOrder(checkButton_, storeButton_);
    setTabOrder(storeButton_, helpButton_);
    setTabOrder(helpButton_, quitButton_);
    setTabOrder(quitButton_, rowList_);
    prizeBoxes_[3]->setFocus();
}

void CheckingWindow::connectSignals()
{
    connect(checkButton_, &QPushButton::clicked, this, [this] { check(); });
    connect(storeButton_, &QPushButton::clicked, this, [this] { storeWins(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    connect(quitButton_, &QPushButton::clicked, this, [this] { finish(); });
}

void CheckingWindow::check()
{
    SharedState& s = state();
    s.LastFullHitRow = 0;
    s.MatchHits.fill(0);
    s.MatchPercents.fill(0);
    s.ListedLines = 0;
    s.BlockBoundary = 0;
    checkButton_->setEnabled(false);
    quitButton_->setEnabled(false);
    lines_->setStringList({});
    running_ = true;

    if (s.CheckTask == 1) {
        checkSingleRows();
    } else if (s.HaravaTask == 1) {
        checkHarava();
    } else if (s.RowSource == 0) {
        checkTypedSystem();
    }
    // With nothing to check the window must still let the user out.
    running_ = false;
    quitButton_->setEnabled(true);
}

void CheckingWindow::checkSingleRows()
{
    SharedState& s = state();
    rowList_->setEnabled(false);
    std::optional<SingleRowCheck> result;
    {
        BusyCursor busy;
        result = ::checkSingleRows(s.Rows, s.RowCount, basicRow(s));
        lines_->setStringList(result->lines);
        if (result->selectedLine >= 0) {
            const QModelIndex line = lines_->index(result->selectedLine);
            rowList_->setCurrentIndex(line);
            rowList_->scrollTo(line);
        }
    }
    s.MatchHits = result->matchHits;
    s.ListedLines = result->listedLines;
    s.BlockBoundary = result->blockBoundary;
    showTally(result->tally);
    if (result->tally.lastFullHitRow > 0)
        fullHitRowLabel_->setText(signedNumber(result->tally.lastFullHitRow));
    finishCheck(Kind::SingleRows, result->tally);
}

void CheckingWindow::checkHarava()
{
    SharedState& s = state();
    lines_->setStringList({kNotListed});
    PrizeTally tally;
    bool read = false;
    {
        BusyCursor busy;
        const HaravaSystem* system = s.SystemLetter.isEmpty() ? nullptr : haravaByLetter(s.SystemLetter[0]);
        if (system) {
            const ::CodedResult coded{s.CodedResult, s.BankerHits};
            read = scoreHarava(*system, coded, [&tally](int r, int hits) { tally.add(r, hits); });
        }
    }
    showTally(tally);
    if (tally.lastFullHitRow > 0)
        fullHitRowLabel_->setText(signedNumber(tally.lastFullHitRow));
    if (!read)
        message(Texts::FileReadError + QString::number(s.SystemColumns));
    finishCheck(Kind::Harava, tally);
}

bool CheckingWindow::checkTypedSystem()
{
    SharedState& s = state();
    lines_->setStringList({kNotListed});
    message(QStringLiteral("Hajoitan järjestelmän ensin hajariveihin,") + " kuittaa 'OK'  ja odottele hetkinen...",
            Messages::Information);
    std::optional<BusyCursor> busy(std::in_place);
    const SystemShape shape = systemShape(s.SystemMarks);
    s.HalfGuardCount = shape.halfGuards;
    s.FullGuardCount = shape.fullGuards;
    s.FullSystemSize = qint32(std::min<qint64>(shape.rows, std::numeric_limits<qint32>::max()));
    rowCountLabel_->setText(signedNumber(s.FullSystemSize));
    // The row count, and the window under the closed message, show before the long expansion.
    repaint();

    bool expanded = shape.rows <= kMaxSystemRows;
    if (expanded) {
        try {
            services().random.reseed();
            s.Rows = expandSystem(s.SystemMarks, [this] { return services().random.next(); });
            s.RowCount = int(s.Rows.size());
        } catch (const std::bad_alloc&) {
            expanded = false;
        }
    }
    if (!expanded) {
        s.Rows.assign(2, Row{});
        s.RowCount = 0;
        busy.reset();
        message(Texts::NoMemoryForSystem, Messages::Critical);
        return false;
    }
    const PrizeTally tally = tallyRows(s.Rows, basicRow(s));
    showTally(tally);
    busy.reset();
    finishCheck(Kind::TypedSystem, tally);
    return true;
}

void CheckingWindow::showTally(const PrizeTally& tally)
{
    SharedState& s = state();
    s.PrizeClassCounts = tally.counts;
    s.LastFullHitRow = tally.lastFullHitRow;
    for (int i = 0; i < 4; ++i)
        countLabels_[i]->setText(signedNumber(tally.counts[i]));
    // The count follows the rows checked; with none it stays as it was.
    if (tally.rowsChecked > 0)
        rowCountLabel_->setText(signedNumber(tally.rowsChecked));
}

void CheckingWindow::finishCheck(Kind kind, const PrizeTally& tally)
{
    SharedState& s = state();
    std::array<double, 4> prizes{};
    for (int i = 0; i < 4; ++i)
        prizes[i] = prizeAmount(prizeBoxes_[i]->text());
    winTotalLabel_->setText(" " + groupedAmount(winTotal(prizes, tally)));

    quitButton_->setEnabled(true);
    // The stored result must belong to the prizes that were used.
    for (QLineEdit* box : prizeBoxes_)
        box->setEnabled(false);
    storeButton_->setEnabled(true);
    rowList_->setEnabled(true);
    if (tally.won())
        PlayEventSound(context(), 13);

    if (kind != Kind::SingleRows)
        return;
    // A file without rows has no percentages.
    const auto percentages = matchPercentages(s.MatchHits, s.RowCount);
    if (!percentages)
        return;
    for (int k = 0; k < kMatches; ++k) {
        matchPercentLabels_[k]->setText(signedNumber(percentages->whole[k]));
        s.MatchPercents[k] = percentages->rounded[k];
    }
    averageLabel_->setText(signedNumber(percentages->average));
}

void CheckingWindow::storeWins()
{
    SharedState& s = state();
    if (roundEdit_->text().trimmed().isEmpty()) {
        message(SharedText::RoundMissing, Messages::Question, "Tilastoi");
        roundEdit_->setFocus();
        return;
    }
    const WinRecordName name = winRecordName(s.CurrentFileTitle, s.HaravaTask == 1, s.SystemName, s.FullSystemSize);
    const VoitotRecord shown{name.field,
                             yearEdit_->text(),
                             roundEdit_->text(),
                             countLabels_[3]->text(),
                             countLabels_[2]->text(),
                             countLabels_[1]->text(),
                             countLabels_[0]->text(),
                             winTotalLabel_->text()};
    // A figure cut to its field would be listed later as another number.
    QString unfit;
    const std::optional<VoitotRecord> record = storedWinRecord(shown, &unfit);
    if (!record) {
        message(unfitFigureMessage(unfit), Messages::Critical, "Tilastoi");
        return;
    }
    Outcome<> stored;
    {
        BusyCursor busy;
        s.CurrentFileTitle = name.title;
        stored = appendRecord(QDir(s.ProgramDir).filePath(kWinsFile), encodeRecord(*record), kVoitotRecordLength);
    }
    if (!stored) {
        message(stored.failure().messageOr("Virhetilanne !"), Messages::Critical, "Virhe !");
        return;
    }
    message("Voitot tilastoitu !", Messages::Exclamation, "Tilastoi");
}

void CheckingWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape is "&Lopeta", and like it waits for the check to end.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (quitButton_->isEnabled())
            finish();
        return;
    }
    FeatureWindow::keyPressEvent(event);
}

#include "checking/ui/checkingwindow.h"
#include "base/ui/windownames.h"

#include "base/statsfiles.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "checking/rowcheck.h"
#include "checking/statistics.h"
#include "rows/harava.h"

#include <QCoreApplication>
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
    Text6->setText(QString::number(services().clock.today().year()));
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

    // The prize table and the round of the check
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
    Label12 = sunkenLabel(prizes, QString(), "Label12", 56);
    Label17 = sunkenLabel(prizes, QString(), "Label17", 110);
    Label17->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label16 = sunkenLabel(prizes, " ?", "Label16", 56);
    grid->addWidget(makeLabel(prizes, " Rivimäärä:"), 5, 0, 1, 2);
    grid->addWidget(Label12, 5, 2, Qt::AlignLeft);
    grid->addWidget(makeLabel(prizes, " Yht."), 6, 1);
    grid->addWidget(Label17, 6, 2);
    grid->addWidget(makeLabel(prizes, " Mk."), 6, 3);
    grid->addWidget(makeLabel(prizes, " Rivillä"), 7, 0, 1, 2);
    grid->addWidget(Label16, 7, 2, Qt::AlignLeft);

    auto* roundRow = new QHBoxLayout;
    Text5 = new QLineEdit(prizes);
    Text5->setObjectName("Text5");
    Text5->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), Text5));
    Text5->setMaximumWidth(50);
    Text6 = new QLineEdit(prizes);
    Text6->setObjectName("Text6");
    Text6->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), Text6));
    Text6->setMaximumWidth(64);
    auto* roundCaption = makeLabel(prizes, "&Kierros");
    roundCaption->setBuddy(Text5);
    auto* yearCaption = makeLabel(prizes, "&Vuosi");
    yearCaption->setBuddy(Text6);
    roundRow->addWidget(roundCaption);
    roundRow->addWidget(Text5);
    roundRow->addSpacing(12);
    roundRow->addWidget(yearCaption);
    roundRow->addWidget(Text6);
    roundRow->addStretch(1);
    grid->addLayout(roundRow, 8, 0, 1, 4);
    grid->setRowStretch(9, 1);
    top->addWidget(prizes);

    // The correct row above the checked rows, sign over sign
    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    lines_ = new QStringListModel(this);
    List1 = makeListing(this, "List1", lines_, 48);
    List1->setMinimumHeight(220);
    const QFont fixed = listingFont();
    const int cw = QFontMetrics(fixed).horizontalAdvance(QChar('0'));
    auto* correct = new QHBoxLayout;
    correct->setSpacing(0);
    // The signs of a list line start after " 1  > ".
    const int textMargin = List1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, List1) + 1;
    correct->addSpacing(List1->frameWidth() + textMargin + 6 * cw);
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
    right->addWidget(List1, 1);
    top->addLayout(right, 1);

    // Per match: the correct sign and how often the rows had it right
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
        osui_ << percent;
        cell->addWidget(percent);
        cell->addWidget(makeLabel(matches, "%"));
        mgrid->addLayout(cell, 2, k + 1);
    }
    mgrid->addWidget(makeLabel(matches, "ka"), 0, kMatches + 1, Qt::AlignCenter);
    ka = sunkenLabel(matches, QString(), "ka", 40);
    ka->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mgrid->addWidget(ka, 2, kMatches + 1);
    layout->addWidget(matches);

    auto* buttons = new QHBoxLayout;
    Command1 = makeButton(this, "Command1", "&TARKASTA");
    tilastoi = makeButton(this, "tilastoi", "T&ilastoi");
    Command2 = makeButton(this, "Command2", "&Apua");
    C1 = makeButton(this, "C1", "&Lopeta");
    Command1->setDefault(true);
    // Storing before the check would store nothing worth keeping.
    tilastoi->setEnabled(false);
    buttons->addWidget(Command1);
    buttons->addWidget(tilastoi);
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(C1);
    layout->addLayout(buttons);

    setTabOrder(prizeBoxes_[3], prizeBoxes_[2]);
    setTabOrder(prizeBoxes_[2], prizeBoxes_[1]);
    setTabOrder(prizeBoxes_[1], prizeBoxes_[0]);
    setTabOrder(prizeBoxes_[0], Text5);
    setTabOrder(Text5, Text6);
    setTabOrder(Text6, Command1);
    setTabOrder(Command1, tilastoi);
    setTabOrder(tilastoi, Command2);
    setTabOrder(Command2, C1);
    setTabOrder(C1, List1);
    prizeBoxes_[3]->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { check(); });
    connect(tilastoi, &QPushButton::clicked, this, [this] { storeWins(); });
    connect(Command2, &QPushButton::clicked, this, [this] { services().windows.runCommand("win"); });
    connect(C1, &QPushButton::clicked, this, [this] { finish(); });
}

void CheckingWindow::check()
{
    SharedState& s = state();
    s.LastFullHitRow = 0;
    s.MatchHits.fill(0);
    s.MatchPercents.fill(0);
    s.ListedLines = 0;
    s.BlockBoundary = 0;
    Command1->setEnabled(false);
    C1->setEnabled(false);
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
    C1->setEnabled(true);
}

void CheckingWindow::checkSingleRows()
{
    SharedState& s = state();
    List1->setEnabled(false);
    std::optional<SingleRowCheck> result;
    {
        BusyCursor busy;
        result = ::checkSingleRows(s.Rows, s.RowCount, basicRow(s));
        lines_->setStringList(result->lines);
        if (result->selectedLine >= 0) {
            const QModelIndex line = lines_->index(result->selectedLine);
            List1->setCurrentIndex(line);
            List1->scrollTo(line);
        }
    }
    s.MatchHits = result->matchHits;
    s.ListedLines = result->listedLines;
    s.BlockBoundary = result->blockBoundary;
    showTally(result->tally);
    if (result->tally.lastFullHitRow > 0)
        Label16->setText(signedNumber(result->tally.lastFullHitRow));
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
        Label16->setText(signedNumber(tally.lastFullHitRow));
    if (!read)
        message("Tiedoston lukuvirhe !" + QString::number(s.SystemColumns));
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
    Label12->setText(signedNumber(s.FullSystemSize));
    QCoreApplication::processEvents();

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
        message("Muisti ei riitä tälle järjestelmälle !", Messages::Critical);
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
        Label12->setText(signedNumber(tally.rowsChecked));
}

void CheckingWindow::finishCheck(Kind kind, const PrizeTally& tally)
{
    SharedState& s = state();
    std::array<double, 4> prizes{};
    for (int i = 0; i < 4; ++i)
        prizes[i] = prizeAmount(prizeBoxes_[i]->text());
    Label17->setText(" " + groupedAmount(winTotal(prizes, tally)));

    C1->setEnabled(true);
    // The stored result must belong to the prizes that were used.
    for (QLineEdit* box : prizeBoxes_)
        box->setEnabled(false);
    tilastoi->setEnabled(true);
    List1->setEnabled(true);
    if (tally.won())
        PlayEventSound(context(), 13);

    if (kind != Kind::SingleRows)
        return;
    // A file without rows has no percentages.
    const auto percentages = matchPercentages(s.MatchHits, s.RowCount);
    if (!percentages)
        return;
    for (int k = 0; k < kMatches; ++k) {
        osui_[k]->setText(signedNumber(percentages->whole[k]));
        s.MatchPercents[k] = percentages->rounded[k];
    }
    ka->setText(signedNumber(percentages->average));
}

void CheckingWindow::storeWins()
{
    SharedState& s = state();
    if (Text5->text().trimmed().isEmpty()) {
        message("Anna kierrosnumero !", Messages::Question, "Tilastoi");
        Text5->setFocus();
        return;
    }
    const WinRecordName name = winRecordName(s.CurrentFileTitle, s.HaravaTask == 1, s.SystemName, s.FullSystemSize);
    const VoitotRecord shown{name.field,
                             Text6->text(),
                             Text5->text(),
                             countLabels_[3]->text(),
                             countLabels_[2]->text(),
                             countLabels_[1]->text(),
                             countLabels_[0]->text(),
                             Label17->text()};
    // A figure cut to its field would be listed later as another number.
    QString unfit;
    const std::optional<VoitotRecord> record = storedWinRecord(shown, &unfit);
    if (!record) {
        message(unfitFigureMessage(unfit), Messages::Critical, "Tilastoi");
        return;
    }
    WriteStatus stored = WriteStatus::Failed;
    {
        BusyCursor busy;
        s.CurrentFileTitle = name.title;
        stored = appendRecord(QDir(s.ProgramDir).filePath(kWinsFile), encodeRecord(*record), kVoitotRecordLength);
    }
    if (stored != WriteStatus::Ok) {
        message(writeFailureMessage(stored, "Virhetilanne !"), Messages::Critical, "Virhe !");
        return;
    }
    message("Voitot tilastoitu !", Messages::Exclamation, "Tilastoi");
}

void CheckingWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape is "&Lopeta", and like it waits for the check to end.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (C1->isEnabled())
            finish();
        return;
    }
    FeatureWindow::keyPressEvent(event);
}

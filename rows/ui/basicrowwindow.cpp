#include "rows/ui/basicrowwindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "rows/correctrow.h"
#include "rows/rowentry.h"
#include "rows/ui/couponcolumn.h"
#include "rows/ui/sharedtexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const kNeedThirteen = Texts::RowNeedsThirteenSigns;

QLineEdit* numberBox(QWidget* parent, const QString& name, int digits)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    // The statistics file keeps the round in 3 characters and the year in 5.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(digits)), edit));
    edit->setMaxLength(digits);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(digits + 2, '0')) + 8);
    return edit;
}

} // namespace

BasicRowWindow::BasicRowWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::BasicRow);
    setWindowTitle("Perusrivi");

    promptLabel_ = makeLabel(this, " Laita perusrivisi sarakkeeseen.", "Label1");
    QFont strong = promptLabel_->font();
    strong.setBold(true);
    promptLabel_->setFont(strong);

    rowColumn_ = new CouponColumn("rtaus", {"Yksi", "Risti", "Kaksi"}, this);
    hintColumn_ = new MatchLabelColumn("taku", "osu", "Vihje", this);
    buildCorrectRowPanel();
    QFrame* panel = buildButtonPanel();

    auto* right = new QVBoxLayout;
    right->addWidget(correctRowPanel_);
    right->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(rowColumn_, 0, Qt::AlignTop);
    middle->addWidget(hintColumn_, 0, Qt::AlignTop);
    middle->addLayout(right);
    middle->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(promptLabel_);
    layout->addLayout(middle);
    layout->addWidget(panel);

    QList<QWidget*> order = rowColumn_->tabOrder();
    order << roundEdit_ << yearEdit_ << storeButton_ << hintRowButton_ << okButton_ << cancelButton_;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    bindDialogKeys(this, okButton_, [this] { cancelButton_->click(); });

    connect(rowColumn_, &CouponColumn::signClicked, this, &BasicRowWindow::signClicked);
    connect(hintRowButton_, &QPushButton::clicked, this, &BasicRowWindow::showHintRow);
    connect(okButton_, &QPushButton::clicked, this, &BasicRowWindow::accept);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { finish(); });
    connect(storeButton_, &QPushButton::clicked, this, &BasicRowWindow::storeCorrectRow);

    load();
}

// Storing the correct row of the round.
void BasicRowWindow::buildCorrectRowPanel()
{
    correctRowPanel_ = new QFrame(this);
    correctRowPanel_->setObjectName("bby");
    correctRowPanel_->setFrameShape(QFrame::StyledPanel);
    correctRowPanel_->setFrameShadow(QFrame::Raised);
    auto* roundLabel = makeLabel(correctRowPanel_, "Kierros", "hekyy");
    roundEdit_ = numberBox(correctRowPanel_, "Text1", 3);
    yearEdit_ = numberBox(correctRowPanel_, "Text2", 4);
    roundLabel->setBuddy(roundEdit_);
    storeButton_ = makeButton(correctRowPanel_, "Command1", "&Tilastoi oikea rivi");
    lastRoundLabel_ = makeLabel(correctRowPanel_, QString(), "ede");
    lastYearLabel_ = makeLabel(correctRowPanel_, QString(), "edev");
    for (QLabel* l : {lastRoundLabel_, lastYearLabel_}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(44);
        l->setAlignment(Qt::AlignCenter);
    }
    auto* previousLabel = makeLabel(correctRowPanel_, "< Edellinen", "Label2");
    auto* statsGrid = new QGridLayout(correctRowPanel_);
    statsGrid->addWidget(roundLabel, 0, 0);
    statsGrid->addWidget(roundEdit_, 0, 1);
    statsGrid->addWidget(yearEdit_, 0, 2);
    statsGrid->addWidget(storeButton_, 1, 0, 1, 3);
    statsGrid->addWidget(lastRoundLabel_, 2, 1);
    statsGrid->addWidget(lastYearLabel_, 2, 2);
    statsGrid->addWidget(previousLabel, 3, 1, 1, 2);
    statsGrid->setColumnStretch(0, 1);
}

QFrame* BasicRowWindow::buildButtonPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName("SSPanel1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    hintRowButton_ = makeButton(panel, "vihjeet", "&Vihjerivi");
    okButton_ = makeButton(panel, "sainperusrivin", "&OK");
    cancelButton_ = makeButton(panel, "kes", "&Peruuta");
    okButton_->setDefault(true);
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->addWidget(hintRowButton_);
    panelRow->addStretch(1);
    panelRow->addWidget(okButton_);
    panelRow->addWidget(cancelButton_);
    return panel;
}

void BasicRowWindow::load()
{
    {
        BusyCursor busy; // the correct-row file may be read
        const StoredRound last = lastStoredRound(services().settings, state().ProgramDir);
        showStoredRound(last.round, last.year);
    }
    yearEdit_->setText(QString::number(services().clock.today().year()));
    const SharedState& s = state();
    if (s.RandomTask == 1)
        correctRowPanel_->hide();
    if (s.CheckTask == 1 || s.HaravaTask == 1 || s.RowSource == 0) {
        hintRowButton_->hide();
        hintColumn_->hide();
    }
    showMarks();
    rowColumn_->button(0, 0)->setFocus();
}

void BasicRowWindow::showEvent(QShowEvent* event)
{
    FeatureWindow::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    // After the window is on screen, so the notice stands in front of it.
    QTimer::singleShot(0, this, &BasicRowWindow::activationNotice);
}

void BasicRowWindow::activationNotice()
{
    if (!correctRowPanel_->isHidden() && !lastRoundLabel_->text().isEmpty())
        message(QStringLiteral("Jos tilastoit oikean rivin tarkista tilastot") + kLineBreak +
                    "osasta viimeksi talletettu kierros !",
                Messages::Exclamation);
}

void BasicRowWindow::showMarks()
{
    // The buttons show the row the shared state holds, and the count agrees with them.
    SharedState& s = state();
    for (int s2 = 0; s2 < 3; ++s2)
        for (int k = 0; k < kMatches; ++k)
            rowColumn_->setMarked(s2, k, s.BasicMarks[s2][k] == 1);
    s.BasicSignCount = markedMatches(s.BasicMarks);
}

void BasicRowWindow::signClicked(int sign, int match)
{
    toggleBasicSign(state().BasicMarks, state().BasicSigns, state().BasicSignCount, sign, match);
    for (int s = 0; s < 3; ++s)
        rowColumn_->setMarked(s, match, state().BasicMarks[s][match] == 1);
}

void BasicRowWindow::showHintRow()
{
    const MatchStrings& hint = state().HintRow;
    if (hint[0].isEmpty()) {
        message("Vihjeriviä ei ole luotu!", Messages::Critical, "Vihjerivi");
        return;
    }
    for (int k = 0; k < kMatches; ++k)
        if (hint[k] == "1" || hint[k] == "X" || hint[k] == "2")
            hintColumn_->label(k)->setText(hint[k]);
}

void BasicRowWindow::accept()
{
    SharedState& s = state();
    if (s.BasicSignCount != 13) {
        message(kNeedThirteen, Messages::Critical);
        return;
    }
    if (markedMatches(s.BasicMarks) != kMatches)
        return;
    if (s.RowSource == 0) {
        handOver(WindowName::SystemPattern,
                 {{"", SharedText::TypedSystemTitle}, {"Label1", SharedText::TypedSystemPrompt}});
    } else if (s.CheckTask == 1) {
        handOver(WindowName::Checking);
    } else if (s.HaravaTask == 1) {
        // The harava window counts its own marks in BasicSignCount.
        s.BasicSignCount = 0;
        if (!handOver(WindowName::SystemPattern))
            s.BasicSignCount = kMatches;
    } else if (s.WeightedDraw == 1) {
        handOver(WindowName::MatchWeights);
    } else {
        handOver(WindowName::AverageWeight);
    }
}

void BasicRowWindow::storeCorrectRow()
{
    if (roundEdit_->text().trimmed().isEmpty()) {
        message(SharedText::RoundMissing, Messages::Question, "Tilastoi");
        roundEdit_->setFocus();
        return;
    }
    if (yearEdit_->text().trimmed().isEmpty()) {
        message("Anna vuosi !", Messages::Question, "Tilastoi");
        yearEdit_->setFocus();
        return;
    }
    if (state().BasicSignCount != 13) {
        message(kNeedThirteen, Messages::Critical);
        return;
    }
    Outcome<> written;
    {
        BusyCursor busy;
        written = appendCorrectRow(state().ProgramDir, state().BasicSigns, yearEdit_->text(), roundEdit_->text());
        if (written) {
            Settings& settings = services().settings;
            const Outcome<> saved = settings.write(
                {{keys::LastRound, roundEdit_->text().trimmed()}, {keys::LastYear, yearEdit_->text().trimmed()}});
            // The cause in the file's own words: the settings' message is for the settings window.
            if (!saved)
                written = fileFailure(saved.failure().cause);
            const StoredRound kept = keptRound(settings);
            if (!kept.round.isEmpty())
                lastRoundLabel_->setText(kept.round);
            if (!kept.year.isEmpty())
                lastYearLabel_->setText(kept.year);
        }
    }
    if (!written) {
        message(written.failure().messageOr("Tiedoston kirjoitusvirhe !"), Messages::Critical, "Tilastoi");
        return;
    }
    roundEdit_->clear();
    message("Oikea rivi tilastoitu !", Messages::Exclamation, "Tilastoi");
}

void BasicRowWindow::showStoredRound(const QString& round, const QString& year)
{
    lastRoundLabel_->setText(round);
    lastYearLabel_->setText(year);
}

#include "football/ui/resultswindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/scrollbars.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/recordset.h"
#include "football/results.h"
#include "football/ui/footballcontrols.h"
#include "football/ui/footballdatabaseflows.h"
#include "football/ui/footballtexts.h"
#include "football/ui/lineeditbehaviours.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace football;

namespace {

QScrollBar* goalBar(QWidget* parent, const QString& name)
{
    QScrollBar* bar = makeScrollBar(parent, name, Qt::Horizontal, 0, 100);
    bar->setPageStep(1);
    bar->setMinimumWidth(120);
    return bar;
}

QLineEdit* goalBox(QWidget* parent, const QString& name)
{
    auto* box = makeEdit(parent, name, 3);
    box->setText("0");
    box->setMaximumWidth(48);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

ResultsWindow::ResultsWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Results);
    setWindowTitle(kResultsTitle);

    auto* layout = new QGridLayout(this);
    buildLeagueChoice(layout);
    buildMatchBox(layout);
    buildScorerBox(layout);
    buildGoalTotals(layout);
    buildClosingButtons(layout);
    layout->setColumnStretch(0, 1);

    dateEdit_->setText(formatDate(services().clock.today()));
    connectMatchControls();
    // No default button: Enter must never save a match by accident.
    bindDialogKeys(this, nullptr, [this] { finish(); });
    addPlayerButton_->setEnabled(services().windows.available(WindowName::Players));
    openDatabase(context);
}

void ResultsWindow::buildLeagueChoice(QGridLayout* layout)
{
    auto* leagues = new QGroupBox("Sarja", this);
    auto* leagueGrid = new QGridLayout(leagues);
    for (int i = 0; i < 6; ++i) {
        leagueOptions_[i] = makeRadio(leagues, QString("O1_%1").arg(i), leagueCaption(i));
        leagueGrid->addWidget(leagueOptions_[i], i % 3, i / 3, Qt::AlignLeft);
    }
    leagueOptions_[0]->setChecked(true);
    layout->addWidget(leagues, 0, 0, 1, 2);
}

// The match: teams, goals and date.
void ResultsWindow::buildMatchBox(QGridLayout* layout)
{
    auto* match = new QGroupBox("Ottelu", this);
    auto* matchGrid = new QGridLayout(match);
    homeCombo_ = new PopupCombo(match, "Combo1");
    awayCombo_ = new PopupCombo(match, "Combo2");
    for (auto* combo : {homeCombo_, awayCombo_})
        combo->setMinimumContentsLength(20);
    homeGoalsBar_ = goalBar(match, "HScroll1");
    awayGoalsBar_ = goalBar(match, "HScroll2");
    homeGoalsEdit_ = goalBox(match, "Text1");
    awayGoalsEdit_ = goalBox(match, "Text2");
    for (auto* box : {homeGoalsEdit_, awayGoalsEdit_})
        box->setValidator(new QIntValidator(0, 100, box));
    auto* goalsTitle = makeLabel(match, "Maalit");
    goalsTitle->setAlignment(Qt::AlignCenter);
    matchGrid->addWidget(goalsTitle, 0, 2, 1, 2);
    matchGrid->addWidget(makeBuddyLabel(match, "&Kotijoukkue", homeCombo_), 1, 0);
    matchGrid->addWidget(homeCombo_, 1, 1);
    matchGrid->addWidget(homeGoalsBar_, 1, 2);
    matchGrid->addWidget(homeGoalsEdit_, 1, 3);
    matchGrid->addWidget(makeBuddyLabel(match, "&Vierailija", awayCombo_), 2, 0);
    matchGrid->addWidget(awayCombo_, 2, 1);
    matchGrid->addWidget(awayGoalsBar_, 2, 2);
    matchGrid->addWidget(awayGoalsEdit_, 2, 3);
    dateEdit_ = makeEdit(match, "Text6", 10);
    dateEdit_->setMaximumWidth(110);
    matchGrid->addWidget(makeBuddyLabel(match, "&Pvm.", dateEdit_), 3, 0);
    matchGrid->addWidget(dateEdit_, 3, 1, Qt::AlignLeft);
    saveMatchButton_ = makeButton(match, "Command1", "&Tallenna");
    matchGrid->addWidget(saveMatchButton_, 3, 2, 1, 2, Qt::AlignRight);
    matchGrid->setColumnStretch(1, 1);
    layout->addWidget(match, 1, 0, 1, 2);
}

// Scorers of the match.
void ResultsWindow::buildScorerBox(QGridLayout* layout)
{
    auto* scorers = new QGroupBox("Maalintekijät", this);
    auto* scorerGrid = new QGridLayout(scorers);
    scorerCombo_ = new PopupCombo(scorers, "Combo3");
    scorerCombo_->setMinimumContentsLength(30);
    scorerCombo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    scorerGoalsBar_ = goalBar(scorers, "HScroll3");
    scorerGoalsEdit_ = goalBox(scorers, "Text3");
    scorerGoalsEdit_->setReadOnly(true);
    saveScorerButton_ = makeButton(scorers, "Command3", "T&allenna");
    scorerGrid->addWidget(scorerCombo_, 0, 0, 1, 3);
    scorerGrid->addWidget(scorerGoalsBar_, 1, 0);
    scorerGrid->addWidget(scorerGoalsEdit_, 1, 1);
    scorerGrid->addWidget(saveScorerButton_, 1, 2);
    scorerGrid->setColumnStretch(0, 1);
    layout->addWidget(scorers, 2, 0);
}

void ResultsWindow::buildGoalTotals(QGridLayout* layout)
{
    auto* goals = new QGroupBox("Maalit", this);
    auto* goalForm = new QGridLayout(goals);
    teamGoalsEdit_ = goalBox(goals, "Text4");
    playerGoalsEdit_ = goalBox(goals, "Text5");
    for (auto* box : {teamGoalsEdit_, playerGoalsEdit_})
        box->setReadOnly(true);
    goalForm->addWidget(makeLabel(goals, "Joukkueet"), 0, 0);
    goalForm->addWidget(teamGoalsEdit_, 0, 1);
    goalForm->addWidget(makeLabel(goals, "Pelaajat"), 1, 0);
    goalForm->addWidget(playerGoalsEdit_, 1, 1);
    layout->addWidget(goals, 2, 1);
}

void ResultsWindow::buildClosingButtons(QGridLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    addPlayerButton_ = makeButton(this, "Command2", "&Lisää pelaaja");
    auto* helpButton = makeButton(this, "SSCommand1", "?");
    helpButton->setToolTip("Ohjeet");
    helpButton->setFixedWidth(helpButton->sizeHint().height() + 8);
    auto* webPageButton = makeButton(this, "Command9", kOpenWebPageCaption);
    auto* quitButton = makeButton(this, "poistu", "L&opeta");
    buttons->addWidget(addPlayerButton_);
    buttons->addWidget(helpButton);
    buttons->addStretch(1);
    buttons->addWidget(webPageButton);
    buttons->addWidget(quitButton);
    layout->addLayout(buttons, 3, 0, 1, 2);

    connect(helpButton, &QPushButton::clicked, this, [this] {
        message(QStringLiteral("Valitse ensin joukkueet ja näiden maalit.") + kLineBreak +
                    "Ennenkuin tallennat valitse maalintekijät," +
                    "niin näet listassa vain näiden joukkueiden pelaajat!.",
                Messages::Information);
    });
    connect(webPageButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::BookmarksPage); });
    connect(quitButton, &QPushButton::clicked, this, [this] { finish(); });
}

void ResultsWindow::connectMatchControls()
{
    for (QRadioButton* r : leagueOptions_)
        connect(r, &QRadioButton::clicked, this, [this] { leagueChosen(); });
    homeCombo_->beforePopup = [this] { fillTeams(homeCombo_); };
    awayCombo_->beforePopup = [this] { fillTeams(awayCombo_); };
    scorerCombo_->beforePopup = [this] { fillScorers(); };
    connect(homeGoalsBar_, &QScrollBar::valueChanged, this, [this](int v) {
        homeGoalsEdit_->setText(QString::number(v));
        goalsChanged();
    });
    connect(awayGoalsBar_, &QScrollBar::valueChanged, this, [this](int v) {
        awayGoalsEdit_->setText(QString::number(v));
        goalsChanged();
    });
    connect(homeGoalsEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { homeGoalsBar_->setValue(leadingInt(t)); });
    connect(awayGoalsEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { awayGoalsBar_->setValue(leadingInt(t)); });
    connect(scorerGoalsBar_, &QScrollBar::valueChanged, this, [this](int v) { scorerGoalsChanged(v); });
    for (QLineEdit* box : {teamGoalsEdit_, playerGoalsEdit_})
        onMouseClick(box, [this] {
            // Told after the click, so the box does not take the button's release.
            messageSoon("Älä editoi näitä kenttiä !", Messages::Critical);
            scorerGoalsBar_->setFocus();
        });
    connect(saveMatchButton_, &QPushButton::clicked, this, [this] { saveMatch(); });
    connect(saveScorerButton_, &QPushButton::clicked, this, [this] { creditScorer(); });
    connect(addPlayerButton_, &QPushButton::clicked, this, [this] { addPlayer(); });
}

// Without the databases the window only says why and closes.
void ResultsWindow::openDatabase(AppContext& context)
{
    db_ = openBothDatabases(context);
    if (!db_) {
        for (auto* b : {saveMatchButton_, saveScorerButton_, addPlayerButton_})
            b->setEnabled(false);
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    fillTeams(homeCombo_);
    fillTeams(awayCombo_);
    homeCombo_->setCurrentIndex(-1);
    awayCombo_->setCurrentIndex(-1);
}

ResultsWindow::~ResultsWindow() = default;

int ResultsWindow::leagueIndex() const
{
    for (int i = 0; i < 6; ++i)
        if (leagueOptions_[i]->isChecked())
            return i;
    return 0;
}

void ResultsWindow::leagueChosen()
{
    homeCombo_->clear();
    awayCombo_->clear();
    scorerCombo_->clear();
    fillTeams(homeCombo_);
    fillTeams(awayCombo_);
    homeCombo_->setCurrentIndex(-1);
    awayCombo_->setCurrentIndex(-1);
}

void ResultsWindow::fillTeams(PopupCombo* combo)
{
    if (!db_)
        return;
    RecordSet teams(*db_);
    teams.setRecordSource(QString::fromUtf8(league(leagueIndex()).teamTable));
    QStringList names;
    if (teams.refresh())
        for (teams.moveFirst(); !teams.eof(); teams.moveNext())
            names << teams.text(team::Name);
    fillCombo(combo, names);
}

void ResultsWindow::fillScorers()
{
    scorerCombo_->clear();
    if (!db_)
        return;
    const bool homeScored = homeGoalsEdit_->text() != "0" && !homeGoalsEdit_->text().isEmpty();
    const bool awayScored = awayGoalsEdit_->text() != "0" && !awayGoalsEdit_->text().isEmpty();
    if (!homeScored && !awayScored) {
        message("Joukkueilla ei ole maaleja !", Messages::Exclamation);
        return;
    }
    // Players that cannot be read are none to choose from.
    for (const ScorerCandidate& c : scorerCandidates(*db_, leagueIndex(), homeCombo_->currentText(), homeScored,
                                                     awayCombo_->currentText(), awayScored)
                                        .valueOr({}))
        scorerCombo_->addItem(scorerItemText(c), QStringList{c.player, c.team});
    scorerCombo_->setCurrentIndex(-1);
}

void ResultsWindow::goalsChanged()
{
    teamGoalsEdit_->setText(QString::number(leadingInt(homeGoalsEdit_->text()) + leadingInt(awayGoalsEdit_->text())));
}

void ResultsWindow::scorerGoalsChanged(int value)
{
    const int teamGoals = leadingInt(teamGoalsEdit_->text());
    if (credited_ + value > teamGoals) {
        // Back to the most the match still allows, and the bar let go, before
        // the user is told: a held arrow would otherwise step on behind the box.
        value = std::max(0, teamGoals - credited_);
        {
            const QSignalBlocker block(scorerGoalsBar_);
            scorerGoalsBar_->setValue(value);
        }
        releaseScrollBar(scorerGoalsBar_);
        messageSoon("Pelaajien maalit eivät voi olla yli joukkueiden maalien !", Messages::Exclamation, "Oops!");
    }
    scorerGoalsEdit_->setText(QString::number(value));
    playerGoalsEdit_->setText(QString::number(credited_ + value));
}

bool ResultsWindow::confirmSave()
{
    if (state().SaveConfirm != 1)
        return true;
    return message("Haluatko varmasti tallentaa ?", Messages::YesNo | Messages::Question, kSaveTitle) == Messages::Yes;
}

void ResultsWindow::saveMatch()
{
    if (homeCombo_->currentText().isEmpty() || awayCombo_->currentText().isEmpty()) {
        message("Valitse ensin joukkueet!", Messages::Critical, kSaveTitle);
        return;
    }
    if (!db_ || !confirmSave())
        return;
    PlayedMatch match;
    match.league = leagueIndex();
    match.home = homeCombo_->currentText();
    match.away = awayCombo_->currentText();
    match.homeGoals = leadingInt(homeGoalsEdit_->text());
    match.awayGoals = leadingInt(awayGoalsEdit_->text());
    match.date = dateEdit_->text().trimmed();
    Outcome<> saved;
    {
        BusyCursor busy;
        saved = ::saveMatch(*db_, match);
    }
    if (!saved) {
        showDatabaseError(context(), kSaveFailedNothingChanged, saved.failure().message);
        return;
    }
    clearMatch();
    message(kSaved, Messages::Exclamation);
}

void ResultsWindow::clearMatch()
{
    scorerCombo_->clear();
    credited_ = 0;
    {
        const QSignalBlocker b1(homeGoalsBar_), b2(awayGoalsBar_), b3(scorerGoalsBar_);
        homeGoalsBar_->setValue(0);
        awayGoalsBar_->setValue(0);
        scorerGoalsBar_->setValue(0);
    }
    for (QLineEdit* box : {homeGoalsEdit_, awayGoalsEdit_, scorerGoalsEdit_, teamGoalsEdit_, playerGoalsEdit_})
        box->setText("0");
}

void ResultsWindow::creditScorer()
{
    if (!db_ || scorerCombo_->currentIndex() < 0)
        return;
    if (!confirmSave())
        return;
    const QStringList who = scorerCombo_->currentData().toStringList();
    const int goals = leadingInt(scorerGoalsEdit_->text());
    Outcome<int> records = Failure{};
    {
        BusyCursor busy;
        records = ::creditScorer(*db_, leagueIndex(), {who.value(0), who.value(1)}, goals, dateEdit_->text().trimmed());
    }
    if (!records) {
        showDatabaseError(context(), kSaveFailedNothingChanged, records.failure().message);
        return;
    }
    credited_ += goals;
    {
        const QSignalBlocker block(scorerGoalsBar_);
        scorerGoalsBar_->setValue(0);
    }
    scorerGoalsEdit_->setText("0");
    playerGoalsEdit_->setText(QString::number(credited_));
    message(kSaved, Messages::Exclamation);
}

void ResultsWindow::addPlayer()
{
    const QString radio = QString("pel_%1").arg(leagueIndex());
    // The player window opened from here already: bring it forward.
    QWidget* players = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == WindowName::Players)
            players = w;
    if (!players) {
        // In front of this window, which stays open (and keeps the main window disabled).
        if (!services().windows.show(WindowName::Players, {}, this))
            return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == WindowName::Players)
                players = w;
        if (!players)
            return;
    }
    if (auto* option = players->findChild<QAbstractButton*>(radio))
        option->click();
    players->raise();
    players->activateWindow();
}

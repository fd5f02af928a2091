#include "football/ui/teamwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/scrollbars.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/players.h"
#include "football/recordset.h"
#include "football/teamstats.h"
#include "football/transfers.h"
#include "football/ui/datanavigator.h"
#include "football/ui/footballcontrols.h"
#include "football/ui/footballdatabaseflows.h"
#include "football/ui/footballtexts.h"
#include "football/ui/lineeditbehaviours.h"
#include "football/ui/listingprinting.h"
#include "football/ui/recordbinder.h"
#include "football/ui/recordediting.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace football;

namespace {

const char* const kStatCaptions[7] = {"Pisteet", "Ottelut", "Tehdyt ", "Päästetyt", "1", "X", "2"};

} // namespace

TeamWindow::TeamWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Teams);
    setWindowTitle(kTeamDatabaseTitle);

    auto* layout = new QGridLayout(this);
    buildLeagueHead(layout);
    auto* upper = new QHBoxLayout;
    upper->addWidget(buildTeamRecord(), 3);
    upper->addWidget(buildSearchBox(), 2);
    layout->addLayout(upper, 1, 0);
    buildFigures(layout);
    buildEditButtons(layout);
    buildPlayerList(layout);
    buildClosingButtons(layout);
    layout->setColumnStretch(1, 1);
    connectRecordControls();
    openDatabase(context);
}

void TeamWindow::buildLeagueHead(QGridLayout* layout)
{
    auto* head = new QHBoxLayout;
    leagueCombo_ = new QComboBox(this);
    leagueCombo_->setObjectName("Combo3");
    leagueCombo_->addItems(leagueCaptions());
    navigator_ = new DataNavigator(this, "Data1");
    positionLabel_ = makeLabel(this, "0", "num");
    positionLabel_->setMinimumWidth(30);
    head->addWidget(makeBuddyLabel(this, "Sarja", leagueCombo_));
    head->addWidget(leagueCombo_);
    head->addSpacing(12);
    head->addWidget(navigator_, 1);
    head->addWidget(makeLabel(this, "Nro:"));
    head->addWidget(positionLabel_);
    layout->addLayout(head, 0, 0, 1, 2);
}

QWidget* TeamWindow::buildTeamRecord()
{
    auto* teamBox = new QGroupBox("Joukkue", this);
    auto* form = new QGridLayout(teamBox);
    nameEdit_ = makeEdit(teamBox, "Text1", 22);
    homeTownEdit_ = makeEdit(teamBox, "Text2", 22);
    groundEdit_ = makeEdit(teamBox, "Text3", 22);
    managerEdit_ = makeEdit(teamBox, "Text5", 22);
    updatedEdit_ = makeEdit(teamBox, "Text26", 10);
    updatedEdit_->setMaximumWidth(110);
    managerLabel_ = makeBuddyLabel(teamBox, managerCaption(0), managerEdit_);
    managerLabel_->setObjectName("Label5");
    auto* todayButton = makeButton(teamBox, "Command12", "Pvm.");
    form->addWidget(makeBuddyLabel(teamBox, "Joukkue", nameEdit_), 0, 0);
    form->addWidget(nameEdit_, 0, 1, 1, 2);
    form->addWidget(makeBuddyLabel(teamBox, "Kotipaikka", homeTownEdit_), 1, 0);
    form->addWidget(homeTownEdit_, 1, 1, 1, 2);
    form->addWidget(makeBuddyLabel(teamBox, "Kotikenttä", groundEdit_), 2, 0);
    form->addWidget(groundEdit_, 2, 1, 1, 2);
    form->addWidget(managerLabel_, 3, 0);
    form->addWidget(managerEdit_, 3, 1, 1, 2);
    form->addWidget(makeBuddyLabel(teamBox, kUpdatedCaption, updatedEdit_), 4, 0);
    form->addWidget(updatedEdit_, 4, 1);
    form->addWidget(todayButton, 4, 2, Qt::AlignLeft);
    form->setColumnStretch(2, 1);

    connect(todayButton, &QPushButton::clicked, this,
            [this] { updatedEdit_->setText(formatDate(services().clock.today())); });
    return teamBox;
}

QWidget* TeamWindow::buildSearchBox()
{
    auto* searchBox = new QGroupBox(kSearchAndMoveCaption, this);
    auto* search = new QGridLayout(searchBox);
    findTeamCombo_ = makeSearchCombo(searchBox, "Combo1");
    moveTargetCombo_ = makeTransferCombo(searchBox, "Combo2");
    auto* findButton = makeButton(searchBox, "Command3", "&Etsi");
    auto* moveButton = makeButton(searchBox, "Command5", "&Siirrä");
    search->addWidget(makeLabel(searchBox, "Etsi joukkue"), 0, 0);
    search->addWidget(findTeamCombo_, 0, 1);
    search->addWidget(findButton, 0, 2);
    search->addWidget(makeLabel(searchBox, "Siirrä >"), 1, 0);
    search->addWidget(moveTargetCombo_, 1, 1);
    search->addWidget(moveButton, 1, 2);
    search->setColumnStretch(1, 1);
    search->setRowStretch(2, 1);

    databaseButtons_ << findButton << moveButton;
    connect(findButton, &QPushButton::clicked, this, [this] { findTeam(); });
    connect(moveButton, &QPushButton::clicked, this, [this] { moveTeam(); });
    return searchBox;
}

// The figures: all matches, at home and away.
void TeamWindow::buildFigures(QGridLayout* layout)
{
    using namespace team;
    auto* figures = new QHBoxLayout;
    figures->addWidget(buildStatistics("Yhteensä", {Points, Played, GoalsFor, GoalsAgainst, Wins, Draws, Losses}));
    figures->addWidget(buildStatistics(
        "Kotona", {HomePoints, HomePlayed, HomeGoalsFor, HomeGoalsAgainst, HomeWins, HomeDraws, HomeLosses}));
    figures->addWidget(buildStatistics(
        "Vieraissa", {AwayPoints, AwayPlayed, AwayGoalsFor, AwayGoalsAgainst, AwayWins, AwayDraws, AwayLosses}));
    layout->addLayout(figures, 2, 0);
}

void TeamWindow::buildEditButtons(QGridLayout* layout)
{
    auto* edits = new QHBoxLayout;
    auto* newButton = makeButton(this, "Command1", "&Uusi");
    auto* deleteButton = makeButton(this, "Command2", "&Poista");
    auto* reloadButton = makeButton(this, "Command4", "Pä&ivitä");
    auto* resetButton = makeButton(this, "Command7", "&Nollaa kentät");
    for (auto* b : {newButton, deleteButton, reloadButton, resetButton})
        edits->addWidget(b);
    edits->addStretch(1);
    layout->addLayout(edits, 3, 0);

    databaseButtons_ << newButton << deleteButton << reloadButton << resetButton;
    connect(newButton, &QPushButton::clicked, this, [this] { addTeam(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteTeam(); });
    connect(reloadButton, &QPushButton::clicked, this, [this] { reload(); });
    connect(resetButton, &QPushButton::clicked, this, [this] { resetFields(); });
}

void TeamWindow::buildPlayerList(QGridLayout* layout)
{
    auto* playerBox = new QGroupBox("Pelaajat", this);
    auto* playerColumn = new QVBoxLayout(playerBox);
    playerModel_ = new TextTableModel(teamPlayerTitles(), this);
    playerModel_->setCentredColumns({0});
    playerGrid_ = makeGrid(playerBox, "Grid1", playerModel_, {-1, 150, -1}, 1);
    playerColumn->addWidget(playerGrid_, 1);
    auto* countRow = new QHBoxLayout;
    playerCountLabel_ = makeLabel(playerBox, "0", "kuis");
    countRow->addWidget(makeLabel(playerBox, "Pelaajia:"));
    countRow->addWidget(playerCountLabel_);
    countRow->addStretch(1);
    playerColumn->addLayout(countRow);
    auto* playerButtons = new QHBoxLayout;
    auto* listPlayersButton = makeButton(playerBox, "Command11", "Pelaaja&t");
    auto* printButton = makeButton(playerBox, "Command6", "Tul&osta");
    playerButtons->addWidget(listPlayersButton);
    playerButtons->addWidget(printButton);
    playerColumn->addLayout(playerButtons);
    layout->addWidget(playerBox, 1, 1, 3, 1);

    databaseButtons_ << listPlayersButton << printButton;
    connect(printButton, &QPushButton::clicked, this, [this] { printPlayers(); });
    connect(listPlayersButton, &QPushButton::clicked, this, [this] { listPlayers(); });
}

void TeamWindow::buildClosingButtons(QGridLayout* layout)
{
    auto* bottom = new QHBoxLayout;
    auto* helpButton = makeButton(this, "Command8", "&Apua");
    auto* webPageButton = makeButton(this, "Command9", kOpenWebPageCaption);
    auto* quitButton = makeButton(this, "Command10", "&Lopeta");
    bottom->addWidget(helpButton);
    bottom->addWidget(webPageButton);
    bottom->addStretch(1);
    bottom->addWidget(quitButton);
    layout->addLayout(bottom, 4, 0, 1, 2);

    connect(helpButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    connect(webPageButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::BookmarksPage); });
    connect(quitButton, &QPushButton::clicked, this, [this] { finish(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { finish(); });
}

void TeamWindow::connectRecordControls()
{
    connect(leagueCombo_, &QComboBox::activated, this, [this] { loadLeague(); });
    connect(navigator_, &DataNavigator::moveRequested, this, [this](DataNavigator::Move move) {
        if (!records_ || !commitEdits(this->context(), *binder_))
            return;
        applyMove(*records_, move);
        showRecord();
    });
    for (QLineEdit* e : {nameEdit_, homeTownEdit_, groundEdit_})
        enterMovesOn(e);
    onMouseClick(updatedEdit_, [this] { message(kDoNotClearField, Messages::Exclamation); });
}

// Without the database the window only says why and closes.
void TeamWindow::openDatabase(AppContext& context)
{
    db_ = openTeamDatabase(context);
    if (!db_) {
        for (auto* b : std::as_const(databaseButtons_))
            b->setEnabled(false);
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    records_ = std::make_unique<RecordSet>(*db_);
    players_ = std::make_unique<RecordSet>(*db_);
    binder_ = std::make_unique<RecordBinder>(*records_);
    binder_->bind(nameEdit_, "Joukkue");
    binder_->bind(homeTownEdit_, "Kotipaikka");
    binder_->bind(groundEdit_, "Kotikenttä");
    binder_->bind(managerEdit_, "manageri");
    binder_->bind(updatedEdit_, "pvm");
    for (auto it = statBoxes_.begin(); it != statBoxes_.end(); ++it)
        binder_->bind(it.value(), teamColumns()[it.key()], true);
    loadLeague();
}

TeamWindow::~TeamWindow() = default;

QWidget* TeamWindow::buildStatistics(const QString& title, const QList<int>& positions)
{
    auto* frame = new QGroupBox(title, this);
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(3);
    for (int i = 0; i < positions.size(); ++i) {
        const int position = positions[i];
        const QString column = teamColumns()[position];
        auto* box = makeEdit(frame, column, 4);
        box->setMaximumWidth(60);
        box->setAlignment(Qt::AlignRight);
        // Up raises the figure: ▲, the wheel and dragging up alike.
        auto* bar = new ReversedScrollBar(frame, column + "_vs", Qt::Vertical, 0, 9999);
        bar->setPageStep(1);
        bar->setFixedSize(16, box->sizeHint().height());
        bar->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(makeBuddyLabel(frame, QString::fromUtf8(kStatCaptions[i]), box), i, 0);
        grid->addWidget(box, i, 1);
        grid->addWidget(bar, i, 2);
        statBoxes_.insert(position, box);

        connect(box, &QLineEdit::textChanged, bar, [bar](const QString& text) {
            const QSignalBlocker block(bar);
            bar->setFigure(leadingInt(text));
        });
        connect(box, &QLineEdit::textEdited, this, [this, position] { statisticEdited(position); });
        connect(bar, &ReversedScrollBar::figureChanged, this, [this, box, position](int figure) {
            box->setText(QString::number(figure));
            statisticEdited(position);
        });
    }
    grid->setColumnStretch(1, 1);
    return frame;
}

void TeamWindow::statisticEdited(int position)
{
    TeamStatistics stats{};
    for (auto it = statBoxes_.begin(); it != statBoxes_.end(); ++it)
        stats[it.key()] = leadingInt(it.value()->text());
    for (int changed : keepTotals(stats, position))
        statBoxes_.value(changed)->setText(QString::number(stats[changed]));
}

bool TeamWindow::canClose()
{
    return !binder_ || commitBeforeClosing(context(), *binder_);
}

int TeamWindow::leagueIndex() const
{
    return std::max(0, leagueCombo_->currentIndex());
}

void TeamWindow::loadLeague()
{
    if (!records_)
        return;
    commitEdits(context(), *binder_);
    const int league = leagueIndex();
    BusyCursor busy;
    records_->setRecordSource(teamBrowseQuery(league));
    if (const Outcome<> read = records_->refresh(); !read)
        showDatabaseError(context(), kTeamsUnreadable, read.failure().message);
    navigator_->setCaption(leagueCaption(league));
    managerLabel_->setText(managerCaption(league));
    refillTeamList();
    showRecord();
}

void TeamWindow::refillTeamList()
{
    QStringList names;
    for (int i = 0; i < records_->recordCount(); ++i)
        names << records_->textAt(i, "Joukkue");
    fillCombo(findTeamCombo_, names);
}

void TeamWindow::showRecord()
{
    binder_->load();
    positionLabel_->setText(QString::number(records_->absolutePosition() + 1));
    playerModel_->setRows({});
    playerCountLabel_->setText("0");
    listedTeam_.clear();
}

void TeamWindow::addTeam()
{
    if (!records_ || !addRecordDatedToday(context(), *records_, *binder_, "Uutta joukkuetta ei voitu lisätä !"))
        return;
    showRecord();
    nameEdit_->setFocus();
}

void TeamWindow::deleteTeam()
{
    // A whole season of figures goes with one click, so ask first.
    if (!records_ || !records_->hasCurrent() ||
        !deleteAfterAsking(context(), *records_, "Haluatko varmasti poistaa joukkueen " + records_->text("Joukkue") + " ?",
                           "Joukkuetta ei voitu poistaa !"))
        return;
    refillTeamList();
    showRecord();
}

void TeamWindow::findTeam()
{
    const QString name = findTeamCombo_->currentText().trimmed();
    if (!records_ || name.isEmpty() || !commitEdits(context(), *binder_))
        return;
    if (records_->findFirst("joukkue", name))
        showRecord();
    else
        message(kNameNotFound, Messages::Exclamation);
}

void TeamWindow::reload()
{
    if (!records_ || !commitEdits(context(), *binder_))
        return;
    {
        BusyCursor busy;
        records_->setRecordSource(teamBrowseQuery(leagueIndex()));
        if (const Outcome<> read = records_->refresh(); !read) {
            showDatabaseError(context(), kTeamsUnreadable, read.failure().message);
            return;
        }
        refillTeamList();
        showRecord();
    }
    message("Päivitetty !", Messages::Information);
}

void TeamWindow::moveTeam()
{
    const int to = leagueOfTransferCaption(moveTargetCombo_->currentText());
    const int from = leagueIndex();
    if (!records_ || to < 0 || !records_->hasCurrent() || !teamTransferAllowed(from, to))
        return;
    if (records_->recordCount() == 1) {
        message("Joukkueita on vain yksi,  et voi siirtää tätä!", Messages::Exclamation, kMoveTitle);
        return;
    }
    if (!commitEdits(context(), *binder_))
        return;
    if (moveCurrentRecord(context(), *records_,
                          [&](qint64 rowId) { return ::moveTeam(*db_, from, to, rowId); }))
        moveTargetCombo_->setCurrentIndex(-1);
    refillTeamList();
    showRecord();
}

void TeamWindow::resetFields()
{
    if (!records_ || !records_->hasCurrent())
        return;
    if (message("Haluatko varmasti nollata kentät ?", Messages::YesNo | Messages::Question | Messages::DefaultButton2,
                kDeleteTitle) != Messages::Yes)
        return;
    for (QLineEdit* box : std::as_const(statBoxes_))
        box->setText("0");
    updatedEdit_->setText(formatDate(services().clock.today()));
}

void TeamWindow::listPlayers()
{
    if (!records_ || !records_->hasCurrent())
        return;
    const QString team = records_->text("Joukkue");
    const Outcome<QList<ListRow>> rows = [&] {
        BusyCursor busy;
        return listTeamPlayers(*players_, leagueIndex(), team);
    }();
    if (!rows) {
        showDatabaseError(context(), kPlayersUnreadable, rows.failure().message);
        return;
    }
    playerModel_->setRows(*rows);
    playerCountLabel_->setText(QString::number(rows->size()));
    listedTeam_ = team;
}

void TeamWindow::printPlayers()
{
    if (playerModel_->rows().isEmpty()) {
        message(kListFirst, Messages::Critical, kPrintTitle);
        return;
    }
    printListing(context(), teamPlayersPrintout(nameEdit_->text(), playerModel_->rows(), services().clock.today()));
}

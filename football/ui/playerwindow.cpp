#include "football/ui/playerwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/scrollbars.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/players.h"
#include "football/recordset.h"
#include "football/transfers.h"
#include "football/ui/datanavigator.h"
#include "football/ui/footballcontrols.h"
#include "football/ui/footballdatabaseflows.h"
#include "football/ui/footballtexts.h"
#include "football/ui/lineeditbehaviours.h"
#include "football/ui/listingprinting.h"
#include "football/ui/recordbinder.h"
#include "football/ui/recordediting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace football;

PlayerWindow::PlayerWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Players);
    setWindowTitle(kPlayerDatabaseTitle);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top, 1);
    auto* left = new QVBoxLayout;
    top->addLayout(left);
    buildLeagueChoice(left);
    buildPlayerRecord(left);
    buildEditButtons(left);
    buildSearchBox(left);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    top->addLayout(right, 1);
    buildScorerList(right);
    buildClosingButtons(layout);
    buildStatusBar(layout);
    layout->setContentsMargins(9, 9, 9, 0);
    connectRecordControls();
    openDatabase(context);
}

void PlayerWindow::buildLeagueChoice(QVBoxLayout* column)
{
    auto* leagues = new QGroupBox("Sarja", this);
    auto* leagueGrid = new QGridLayout(leagues);
    for (int i = 0; i < 6; ++i) {
        leagueOptions_[i] = makeRadio(leagues, QString("pel_%1").arg(i), leagueCaption(i));
        leagueGrid->addWidget(leagueOptions_[i], i % 3, i / 3, Qt::AlignLeft);
    }
    leagueOptions_[0]->setChecked(true);
    column->addWidget(leagues);
}

void PlayerWindow::buildPlayerRecord(QVBoxLayout* column)
{
    auto* record = new QGroupBox("Pelaaja", this);
    auto* form = new QGridLayout(record);
    nameEdit_ = makeEdit(record, "Text4", 24);
    teamCombo_ = new QComboBox(record);
    teamCombo_->setObjectName("Combo2");
    teamCombo_->setEditable(true);
    teamCombo_->setInsertPolicy(QComboBox::NoInsert);
    positionEdit_ = makeEdit(record, "Text1", 16);
    goalsEdit_ = makeEdit(record, "Text10", 5);
    goalsEdit_->setMaximumWidth(64);
    goalsEdit_->setAlignment(Qt::AlignRight);
    goalsBar_ = makeScrollBar(record, "maalit", Qt::Horizontal, 0, 1000);
    goalsBar_->setPageStep(1);
    absentCheck_ = makeCheckBox(record, "Check5", "Poissa");
    updatedEdit_ = makeEdit(record, "Text2", 10);
    updatedEdit_->setMaximumWidth(110);
    auto* todayButton = makeButton(record, "Command13", "Pvm.");
    form->addWidget(makeBuddyLabel(record, "Pelaaja", nameEdit_), 0, 0);
    form->addWidget(nameEdit_, 0, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, "Joukkue", teamCombo_), 1, 0);
    form->addWidget(teamCombo_, 1, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, "Paikka kentällä", positionEdit_), 2, 0);
    form->addWidget(positionEdit_, 2, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, "Maaleja", goalsEdit_), 3, 0);
    form->addWidget(goalsEdit_, 3, 1);
    form->addWidget(goalsBar_, 3, 2, 1, 2);
    form->addWidget(absentCheck_, 4, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, kUpdatedCaption, updatedEdit_), 5, 0);
    form->addWidget(updatedEdit_, 5, 1);
    form->addWidget(todayButton, 5, 2, Qt::AlignLeft);
    form->setColumnStretch(3, 1);
    navigator_ = new DataNavigator(record, "Data2");
    form->addWidget(navigator_, 6, 0, 1, 4);
    column->addWidget(record);

    buttons_ << todayButton;
    connect(todayButton, &QPushButton::clicked, this,
            [this] { updatedEdit_->setText(formatDate(services().clock.today())); });
}

void PlayerWindow::buildEditButtons(QVBoxLayout* column)
{
    auto* edits = new QHBoxLayout;
    auto* newButton = makeButton(this, "Command7", "&Uusi");
    auto* deleteButton = makeButton(this, "Command9", "&Poista");
    auto* reloadButton = makeButton(this, "Command8", "Päivi&tä");
    auto* sortButton = makeButton(this, "Command5", "&Järjestä");
    for (auto* b : {newButton, deleteButton, reloadButton, sortButton})
        edits->addWidget(b);
    column->addLayout(edits);

    buttons_ << newButton << deleteButton << reloadButton << sortButton;
    connect(newButton, &QPushButton::clicked, this, [this] { addPlayer(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { deletePlayer(); });
    connect(reloadButton, &QPushButton::clicked, this, [this] { reload(); });
    connect(sortButton, &QPushButton::clicked, this, [this] { reload(); });
}

void PlayerWindow::buildSearchBox(QVBoxLayout* column)
{
    auto* search = new QGroupBox(kSearchAndMoveCaption, this);
    auto* searchGrid = new QGridLayout(search);
    findTeamCombo_ = makeSearchCombo(search, "Combo1");
    findPlayerCombo_ = makeSearchCombo(search, "Combo4");
    moveTargetCombo_ = makeTransferCombo(search, "siirto");
    auto* findTeamButton = makeButton(search, "Command4", "Ets&i");
    auto* findPlayerButton = makeButton(search, "Command12", "&Etsi");
    auto* moveButton = makeButton(search, "Command3", "&Siirrä");
    searchGrid->addWidget(makeLabel(search, "Joukkue >"), 0, 0);
    searchGrid->addWidget(findTeamCombo_, 0, 1);
    searchGrid->addWidget(findTeamButton, 0, 2);
    searchGrid->addWidget(makeLabel(search, "Pelaaja >"), 1, 0);
    searchGrid->addWidget(findPlayerCombo_, 1, 1);
    searchGrid->addWidget(findPlayerButton, 1, 2);
    searchGrid->addWidget(makeLabel(search, "Siirrä  >"), 2, 0);
    searchGrid->addWidget(moveTargetCombo_, 2, 1);
    searchGrid->addWidget(moveButton, 2, 2);
    searchGrid->setColumnStretch(1, 1);
    column->addWidget(search);

    buttons_ << findTeamButton << findPlayerButton << moveButton;
    connect(findTeamButton, &QPushButton::clicked, this, [this] { find(findTeamCombo_, "joukkue"); });
    connect(findPlayerButton, &QPushButton::clicked, this, [this] { find(findPlayerCombo_, "pelaaja"); });
    connect(moveButton, &QPushButton::clicked, this, [this] { movePlayer(); });
}

void PlayerWindow::buildScorerList(QVBoxLayout* column)
{
    scorerModel_ = new TextTableModel(scorerTitles(), this);
    scorerModel_->setCentredColumns({0});
    scorerGrid_ = makeGrid(this, "Grid1", scorerModel_, {-1, 150, 130, -1}, 1);
    column->addWidget(scorerGrid_, 1);
    auto* listButtons = new QHBoxLayout;
    auto* scorersButton = makeButton(this, "Command6", "&Maalintekijät");
    auto* printButton = makeButton(this, "Command2", "Tul&osta");
    listButtons->addWidget(scorersButton);
    listButtons->addWidget(printButton);
    listButtons->addStretch(1);
    column->addLayout(listButtons);

    buttons_ << scorersButton << printButton;
    connect(scorersButton, &QPushButton::clicked, this, [this] { listScorers(); });
    connect(printButton, &QPushButton::clicked, this, [this] { printScorers(); });
}

void PlayerWindow::buildClosingButtons(QVBoxLayout* layout)
{
    auto* bottom = new QHBoxLayout;
    auto* helpButton = makeButton(this, "Command10", "&Apua");
    auto* webPageButton = makeButton(this, "Command11", "A&vaa WWW-sivu");
    auto* quitButton = makeButton(this, "Command1", "&Lopeta");
    bottom->addWidget(helpButton);
    bottom->addWidget(webPageButton);
    bottom->addStretch(1);
    bottom->addWidget(quitButton);
    layout->addLayout(bottom);

    connect(helpButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    connect(webPageButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::BookmarksPage); });
    connect(quitButton, &QPushButton::clicked, this, [this] { finish(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { finish(); });
}

void PlayerWindow::buildStatusBar(QVBoxLayout* layout)
{
    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName("sek");
    statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        statusLabels_[i] = makeLabel(statusBar, QString(), QString("sek_%1").arg(i));
        statusBar->addWidget(statusLabels_[i]);
    }
    // Shown while the scorers are being looked for.
    searching_ = makeLabel(statusBar, "Etsitään maalintekijöitä, Hetkinen...", "Label8");
    progressBar_ = new QProgressBar(statusBar);
    progressBar_->setObjectName("porto");
    progressBar_->setTextVisible(false);
    progressBar_->setMaximumSize(160, 14);
    statusBar->addPermanentWidget(searching_);
    statusBar->addPermanentWidget(progressBar_);
    searching_->setVisible(false);
    progressBar_->setVisible(false);
    layout->addWidget(statusBar);
}

void PlayerWindow::connectRecordControls()
{
    connect(navigator_, &DataNavigator::moveRequested, this, [this](DataNavigator::Move move) {
        if (!records_ || !commitEdits(this->context(), *binder_))
            return;
        applyMove(*records_, move);
        showRecord();
    });
    for (QRadioButton* r : leagueOptions_)
        connect(r, &QRadioButton::clicked, this, [this] { loadLeague(); });
    connect(goalsBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (goalsEdit_->text() != QString::number(v))
            goalsEdit_->setText(QString::number(v));
    });
    connect(goalsEdit_, &QLineEdit::textChanged, this, [this](const QString& t) {
        const QSignalBlocker block(goalsBar_);
        goalsBar_->setValue(leadingInt(t));
    });
    onMouseClick(updatedEdit_, [this] { message(kDoNotClearField, Messages::Exclamation); });
    enterMovesOn(nameEdit_);
    enterMovesOn(positionEdit_);
}

// Without the database the window only says why and closes.
void PlayerWindow::openDatabase(AppContext& context)
{
    db_ = openTeamDatabase(context);
    if (!db_) {
        for (auto* b : buttons_)
            b->setEnabled(false);
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    records_ = std::make_unique<RecordSet>(*db_);
    binder_ = std::make_unique<RecordBinder>(*records_);
    binder_->bind(nameEdit_, "pelaaja");
    binder_->bind(teamCombo_, "joukkue");
    binder_->bind(positionEdit_, "paikka");
    binder_->bind(goalsEdit_, "maaleja", true);
    binder_->bind(absentCheck_, "poissa");
    binder_->bind(updatedEdit_, "pvm");
    loadLeague();
}

PlayerWindow::~PlayerWindow() = default;

bool PlayerWindow::canClose()
{
    if (busy_)
        return false;
    return !binder_ || commitBeforeClosing(context(), *binder_);
}

int PlayerWindow::leagueIndex() const
{
    for (int i = 0; i < 6; ++i)
        if (leagueOptions_[i]->isChecked())
            return i;
    return 0;
}

void PlayerWindow::loadLeague()
{
    if (!records_ || busy_)
        return;
    // Edits of the player shown go into his own league before the switch.
    commitEdits(context(), *binder_);
    // The scorers listed were the other league's: neither shown nor printed as this one's.
    scorerModel_->setRows({});
    listed_ = false;
    requery();
}

void PlayerWindow::reload()
{
    if (!records_ || !commitEdits(context(), *binder_))
        return;
    requery();
}

// Runs the league's browsing query again and shows its first record.
void PlayerWindow::requery()
{
    BusyCursor busy;
    records_->setRecordSource(playerBrowseQuery(leagueIndex()));
    if (const Outcome<> read = records_->refresh(); !read)
        showDatabaseError(context(), kPlayersUnreadable, read.failure().message);
    refillLists();
    showRecord();
}

void PlayerWindow::refillLists()
{
    RecordSet teams(*db_);
    teams.setRecordSource(teamBrowseQuery(leagueIndex()));
    QStringList teamNames;
    if (teams.refresh())
        for (teams.moveFirst(); !teams.eof(); teams.moveNext())
            teamNames << teams.text(team::Name);
    fillCombo(teamCombo_, teamNames);
    fillCombo(findTeamCombo_, teamNames);
    QStringList players;
    for (int i = 0; i < records_->recordCount(); ++i)
        players << records_->textAt(i, "pelaaja");
    players.removeDuplicates();
    players.sort(Qt::CaseInsensitive);
    fillCombo(findPlayerCombo_, players);
}

void PlayerWindow::showRecord()
{
    binder_->load();
    const int position = records_->absolutePosition();
    navigator_->setCaption(QStringLiteral("Pelaaja: %1").arg(position < 0 ? 0 : position + 1));
    showCount();
}

void PlayerWindow::showCount()
{
    statusLabels_[0]->setText(
        QStringLiteral(" Pelaajia tietokannassa: %1").arg(records_ ? records_->recordCount() : 0));
    statusLabels_[1]->clear();
}

void PlayerWindow::addPlayer()
{
    if (!records_ || !addRecordDatedToday(context(), *records_, *binder_, "Uutta pelaajaa ei voitu lisätä !"))
        return;
    showRecord();
    nameEdit_->setFocus();
}

void PlayerWindow::deletePlayer()
{
    if (!records_ ||
        !deleteAfterAsking(context(), *records_, "Haluatko varmasti poistaa pelaajan ?", "Pelaajaa ei voitu poistaa !"))
        return;
    refillLists();
    showRecord();
}

void PlayerWindow::find(QComboBox* box, const QString& column)
{
    const QString name = box->currentText().trimmed();
    if (!records_ || name.isEmpty() || !commitEdits(context(), *binder_))
        return;
    bool found;
    {
        BusyCursor busy;
        records_->refresh();
        records_->moveFirst();
        found = records_->findFirst(column, name);
    }
    showRecord();
    if (!found) {
        message(kNameNotFound, Messages::Exclamation);
        box->setEditText(QString());
    }
}

void PlayerWindow::movePlayer()
{
    const int to = leagueOfTransferCaption(moveTargetCombo_->currentText());
    if (!records_ || to < 0 || !records_->hasCurrent())
        return;
    if (records_->recordCount() == 1) {
        message("Tietueita on vain yksi,  et voi siirtää tätä!", Messages::Exclamation, kMoveTitle);
        return;
    }
    const int from = leagueIndex();
    if (to == from || !commitEdits(context(), *binder_))
        return;
    if (moveCurrentRecord(context(), *records_,
                          [&](qint64 rowId) { return ::movePlayer(*db_, from, to, rowId); }))
        moveTargetCombo_->setCurrentIndex(-1);
    refillLists();
    showRecord();
}

void PlayerWindow::setBusy(bool busy)
{
    busy_ = busy;
    for (auto* b : buttons_)
        b->setEnabled(!busy);
    for (auto* r : leagueOptions_)
        r->setEnabled(!busy);
    navigator_->setEnabled(!busy);
    searching_->setVisible(busy);
    progressBar_->setVisible(busy);
}

void PlayerWindow::listScorers()
{
    if (!records_ || busy_)
        return;
    const Outcome<QList<ListRow>> rows = [this] {
        BusyCursor busy;
        setBusy(true);
        progressBar_->setValue(0);
        RecordSet players(*db_);
        Outcome<QList<ListRow>> listed = ::listScorers(players, leagueIndex(), [this](int done, int total) {
            progressBar_->setMaximum(std::max(1, total));
            progressBar_->setValue(done);
            progressBar_->repaint();
        });
        setBusy(false);
        return listed;
    }();
    if (!rows) {
        showDatabaseError(context(), kPlayersUnreadable, rows.failure().message);
        return;
    }
    scorerModel_->setRows(*rows);
    listed_ = true;
    statusLabels_[0]->setText(QStringLiteral(" Pelaajia: %1").arg(records_->recordCount()));
    statusLabels_[1]->setText(QStringLiteral(" Maalintekijöitä: %1").arg(rows->size()));
}

void PlayerWindow::printScorers()
{
    if (!listed_) {
        message(kListFirst, Messages::Critical, kPrintTitle);
        return;
    }
    printListing(context(), scorersPrintout(scorerModel_->rows(), services().clock.today()));
}

#include "football/ui/teamwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/scrollbars.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/players.h"
#include "football/recordset.h"
#include "football/teamstats.h"
#include "football/transfers.h"
#include "football/ui/footballui.h"

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
    using namespace team;
    setObjectName(WindowName::Teams);
    setWindowTitle("Joukkue tietokanta");

    auto* layout = new QGridLayout(this);

    // League and browsing.
    auto* head = new QHBoxLayout;
    Combo3 = new QComboBox(this);
    Combo3->setObjectName("Combo3");
    Combo3->addItems(leagueCaptions());
    Data1 = new DataNavigator(this, "Data1");
    num = makeLabel(this, "0", "num");
    num->setMinimumWidth(30);
    head->addWidget(makeBuddyLabel(this, "Sarja", Combo3));
    head->addWidget(Combo3);
    head->addSpacing(12);
    head->addWidget(Data1, 1);
    head->addWidget(makeLabel(this, "Nro:"));
    head->addWidget(num);
    layout->addLayout(head, 0, 0, 1, 2);

    // The team.
    auto* teamBox = new QGroupBox("Joukkue", this);
    auto* form = new QGridLayout(teamBox);
    Text1 = makeEdit(teamBox, "Text1", 22);
    Text2 = makeEdit(teamBox, "Text2", 22);
    Text3 = makeEdit(teamBox, "Text3", 22);
    Text5 = makeEdit(teamBox, "Text5", 22);
    Text26 = makeEdit(teamBox, "Text26", 10);
    Text26->setMaximumWidth(110);
    Label5 = makeBuddyLabel(teamBox, managerCaption(0), Text5);
    Label5->setObjectName("Label5");
    auto* command12 = makeButton(teamBox, "Command12", "Pvm.");
    form->addWidget(makeBuddyLabel(teamBox, "Joukkue", Text1), 0, 0);
    form->addWidget(Text1, 0, 1, 1, 2);
    form->addWidget(makeBuddyLabel(teamBox, "Kotipaikka", Text2), 1, 0);
    form->addWidget(Text2, 1, 1, 1, 2);
    form->addWidget(makeBuddyLabel(teamBox, "Kotikenttä", Text3), 2, 0);
    form->addWidget(Text3, 2, 1, 1, 2);
    form->addWidget(Label5, 3, 0);
    form->addWidget(Text5, 3, 1, 1, 2);
    form->addWidget(makeBuddyLabel(teamBox, " Päivitetty", Text26), 4, 0);
    form->addWidget(Text26, 4, 1);
    form->addWidget(command12, 4, 2, Qt::AlignLeft);
    form->setColumnStretch(2, 1);

    // Searching and moving.
    auto* searchBox = new QGroupBox("Haku ja siirto", this);
    auto* search = new QGridLayout(searchBox);
    Combo1 = new QComboBox(searchBox);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setMinimumContentsLength(18);
    Combo2 = new QComboBox(searchBox);
    Combo2->setObjectName("Combo2");
    Combo2->addItems(transferCaptions());
    Combo2->setCurrentIndex(-1);
    auto* command3 = makeButton(searchBox, "Command3", "&Etsi");
    auto* command5 = makeButton(searchBox, "Command5", "&Siirrä");
    search->addWidget(makeLabel(searchBox, "Etsi joukkue"), 0, 0);
    search->addWidget(Combo1, 0, 1);
    search->addWidget(command3, 0, 2);
    search->addWidget(makeLabel(searchBox, "Siirrä >"), 1, 0);
    search->addWidget(Combo2, 1, 1);
    search->addWidget(command5, 1, 2);
    search->setColumnStretch(1, 1);
    search->setRowStretch(2, 1);

    auto* upper = new QHBoxLayout;
    upper->addWidget(teamBox, 3);
    upper->addWidget(searchBox, 2);
    layout->addLayout(upper, 1, 0);

    // The figures: all matches, at home and away.
    auto* figures = new QHBoxLayout;
    figures->addWidget(buildStatistics("Yhteensä", {Points, Played, GoalsFor, GoalsAgainst, Wins, Draws, Losses}));
    figures->addWidget(buildStatistics(
        "Kotona", {HomePoints, HomePlayed, HomeGoalsFor, HomeGoalsAgainst, HomeWins, HomeDraws, HomeLosses}));
    figures->addWidget(buildStatistics(
        "Vieraissa", {AwayPoints, AwayPlayed, AwayGoalsFor, AwayGoalsAgainst, AwayWins, AwayDraws, AwayLosses}));
    layout->addLayout(figures, 2, 0);

    auto* edits = new QHBoxLayout;
    auto* command1 = makeButton(this, "Command1", "&Uusi");
    auto* command2 = makeButton(this, "Command2", "&Poista");
    auto* command4 = makeButton(this, "Command4", "Pä&ivitä");
    auto* command7 = makeButton(this, "Command7", "&Nollaa kentät");
    for (auto* b : {command1, command2, command4, command7})
        edits->addWidget(b);
    edits->addStretch(1);
    layout->addLayout(edits, 3, 0);

    // The team's players.
    auto* playerBox = new QGroupBox("Pelaajat", this);
    auto* playerColumn = new QVBoxLayout(playerBox);
    model_ = new TextTableModel(teamPlayerTitles(), this);
    model_->setCentredColumns({0});
    Grid1 = makeGrid(playerBox, "Grid1", model_, {-1, 150, -1}, 1);
    playerColumn->addWidget(Grid1, 1);
    auto* countRow = new QHBoxLayout;
    kuis = makeLabel(playerBox, "0", "kuis");
    countRow->addWidget(makeLabel(playerBox, "Pelaajia:"));
    countRow->addWidget(kuis);
    countRow->addStretch(1);
    playerColumn->addLayout(countRow);
    auto* playerButtons = new QHBoxLayout;
    auto* command11 = makeButton(playerBox, "Command11", "Pelaaja&t");
    auto* command6 = makeButton(playerBox, "Command6", "Tul&osta");
    playerButtons->addWidget(command11);
    playerButtons->addWidget(command6);
    playerColumn->addLayout(playerButtons);
    layout->addWidget(playerBox, 1, 1, 3, 1);

    auto* bottom = new QHBoxLayout;
    auto* command8 = makeButton(this, "Command8", "&Apua");
    auto* command9 = makeButton(this, "Command9", "Avaa &WWW-sivu");
    auto* command10 = makeButton(this, "Command10", "&Lopeta");
    bottom->addWidget(command8);
    bottom->addWidget(command9);
    bottom->addStretch(1);
    bottom->addWidget(command10);
    layout->addLayout(bottom, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(Combo3, &QComboBox::activated, this, [this] { loadLeague(); });
    connect(Data1, &DataNavigator::moveRequested, this, [this](DataNavigator::Move move) {
        if (!records_ || !commitEdits(this->context(), *binder_))
            return;
        applyMove(*records_, move);
        showRecord();
    });
    for (QLineEdit* e : {Text1, Text2, Text3})
        enterMovesOn(e);
    onMouseClick(Text26, [this] { message("Älä tyhjennä tätä kenttää !", Messages::Exclamation); });
    connect(command12, &QPushButton::clicked, this, [this] { Text26->setText(formatDate(services().clock.today())); });
    connect(command1, &QPushButton::clicked, this, [this] { addTeam(); });
    connect(command2, &QPushButton::clicked, this, [this] { deleteTeam(); });
    connect(command3, &QPushButton::clicked, this, [this] { findTeam(); });
    connect(command4, &QPushButton::clicked, this, [this] { reload(); });
    connect(command5, &QPushButton::clicked, this, [this] { moveTeam(); });
    connect(command6, &QPushButton::clicked, this, [this] { printPlayers(); });
    connect(command7, &QPushButton::clicked, this, [this] { resetFields(); });
    connect(command11, &QPushButton::clicked, this, [this] { listPlayers(); });
    connect(command8, &QPushButton::clicked, this, [this] { services().windows.runCommand("win"); });
    connect(command9, &QPushButton::clicked, this, [this] { services().windows.runCommand("ava"); });
    connect(command10, &QPushButton::clicked, this, [this] { finish(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { finish(); });

    db_ = openTeamDatabase(context);
    if (!db_) {
        for (auto* b : {command1, command2, command3, command4, command5, command6, command7, command11})
            b->setEnabled(false);
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    records_ = std::make_unique<RecordSet>(*db_);
    players_ = std::make_unique<RecordSet>(*db_);
    binder_ = std::make_unique<RecordBinder>(*records_);
    binder_->bind(Text1, "Joukkue");
    binder_->bind(Text2, "Kotipaikka");
    binder_->bind(Text3, "Kotikenttä");
    binder_->bind(Text5, "manageri");
    binder_->bind(Text26, "pvm");
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
    return std::max(0, Combo3->currentIndex());
}

void TeamWindow::loadLeague()
{
    if (!records_)
        return;
    commitEdits(context(), *binder_);
    const int league = leagueIndex();
    BusyCursor busy;
    records_->setRecordSource(teamBrowseQuery(league));
    if (!records_->refresh())
        showDatabaseError(context(), "Joukkueita ei voi lukea !", records_->lastError());
    Data1->setCaption(leagueCaption(league));
    Label5->setText(managerCaption(league));
    refillTeamList();
    showRecord();
}

void TeamWindow::refillTeamList()
{
    QStringList names;
    for (int i = 0; i < records_->recordCount(); ++i)
        names << records_->textAt(i, "Joukkue");
    fillCombo(Combo1, names);
}

void TeamWindow::showRecord()
{
    binder_->load();
    num->setText(QString::number(records_->absolutePosition() + 1));
    model_->setRows({});
    kuis->setText("0");
    listedTeam_.clear();
}

void TeamWindow::addTeam()
{
    if (!records_ || !commitEdits(context(), *binder_))
        return;
    records_->addNew();
    records_->setValue("pvm", formatDate(services().clock.today()));
    if (!records_->update()) {
        showDatabaseError(context(), "Uutta joukkuetta ei voitu lisätä !", records_->lastError());
        return;
    }
    showRecord();
    Text1->setFocus();
}

void TeamWindow::deleteTeam()
{
    if (!records_ || !records_->hasCurrent())
        return;
    if (records_->recordCount() == 1) {
        message("Tietueita on vain yksi,  et voi poistaa tätä!", Messages::Exclamation, "Poista");
        return;
    }
    // A whole season of figures goes with one click, so ask first.
    if (message("Haluatko varmasti poistaa joukkueen " + records_->text("Joukkue") + " ?",
                Messages::YesNo | Messages::Question | Messages::DefaultButton2, "Poista") != Messages::Yes)
        return;
    if (!records_->deleteCurrent())
        showDatabaseError(context(), "Joukkuetta ei voitu poistaa !", records_->lastError());
    refillTeamList();
    showRecord();
}

void TeamWindow::findTeam()
{
    const QString name = Combo1->currentText().trimmed();
    if (!records_ || name.isEmpty() || !commitEdits(context(), *binder_))
        return;
    if (records_->findFirst("joukkue", name))
        showRecord();
    else
        message("Tällä nimellä ei löydy !", Messages::Exclamation);
}

void TeamWindow::reload()
{
    if (!records_ || !commitEdits(context(), *binder_))
        return;
    {
        BusyCursor busy;
        records_->setRecordSource(teamBrowseQuery(leagueIndex()));
        if (!records_->refresh()) {
            showDatabaseError(context(), "Joukkueita ei voi lukea !", records_->lastError());
            return;
        }
        refillTeamList();
        showRecord();
    }
    message("Päivitetty !", Messages::Information);
}

void TeamWindow::moveTeam()
{
    const int to = leagueOfTransferCaption(Combo2->currentText());
    const int from = leagueIndex();
    if (!records_ || to < 0 || !records_->hasCurrent() || !teamTransferAllowed(from, to))
        return;
    if (records_->recordCount() == 1) {
        message("Joukkueita on vain yksi,  et voi siirtää tätä!", Messages::Exclamation, "Siirrä");
        return;
    }
    if (!commitEdits(context(), *binder_))
        return;
    QString error;
    bool ok;
    {
        BusyCursor busy;
        ok = ::moveTeam(*db_, from, to, records_->rowId(), &error);
        records_->refresh();
        records_->moveFirst();
    }
    if (!ok)
        showDatabaseError(context(), "Siirto ei onnistunut, tietokanta on ennallaan !", error);
    else
        Combo2->setCurrentIndex(-1);
    refillTeamList();
    showRecord();
}

void TeamWindow::resetFields()
{
    if (!records_ || !records_->hasCurrent())
        return;
    if (message("Haluatko varmasti nollata kentät ?", Messages::YesNo | Messages::Question | Messages::DefaultButton2,
                "Poista") != Messages::Yes)
        return;
    for (QLineEdit* box : std::as_const(statBoxes_))
        box->setText("0");
    Text26->setText(formatDate(services().clock.today()));
}

void TeamWindow::listPlayers()
{
    if (!records_ || !records_->hasCurrent())
        return;
    const QString team = records_->text("Joukkue");
    QList<ListRow> rows;
    bool ok;
    {
        BusyCursor busy;
        ok = listTeamPlayers(*players_, leagueIndex(), team, rows);
    }
    if (!ok) {
        showDatabaseError(context(), "Pelaajia ei voi lukea !", players_->lastError());
        return;
    }
    model_->setRows(rows);
    kuis->setText(QString::number(rows.size()));
    listedTeam_ = team;
}

void TeamWindow::printPlayers()
{
    if (model_->rows().isEmpty()) {
        message("Listaa ensin taulukkoon!", Messages::Critical, "Tulosta");
        return;
    }
    printListing(context(), teamPlayersPrintout(Text1->text(), model_->rows(), services().clock.today()));
}

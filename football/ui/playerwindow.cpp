#include "football/ui/playerwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/scrollbars.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/players.h"
#include "football/recordset.h"
#include "football/transfers.h"
#include "football/ui/footballui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
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
    setWindowTitle("Pelaaja tietokanta");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top, 1);
    auto* left = new QVBoxLayout;
    top->addLayout(left);

    auto* leagues = new QGroupBox("Sarja", this);
    auto* leagueGrid = new QGridLayout(leagues);
    for (int i = 0; i < 6; ++i) {
        pel[i] = makeRadio(leagues, QString("pel_%1").arg(i), leagueCaption(i));
        leagueGrid->addWidget(pel[i], i % 3, i / 3, Qt::AlignLeft);
    }
    pel[0]->setChecked(true);
    left->addWidget(leagues);

    // The player record.
    auto* record = new QGroupBox("Pelaaja", this);
    auto* form = new QGridLayout(record);
    Text4 = makeEdit(record, "Text4", 24);
    Combo2 = new QComboBox(record);
    Combo2->setObjectName("Combo2");
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Text1 = makeEdit(record, "Text1", 16);
    Text10 = makeEdit(record, "Text10", 5);
    Text10->setMaximumWidth(64);
    Text10->setAlignment(Qt::AlignRight);
    maalit = makeScrollBar(record, "maalit", Qt::Horizontal, 0, 1000);
    maalit->setPageStep(1);
    Check5 = makeCheckBox(record, "Check5", "Poissa");
    Text2 = makeEdit(record, "Text2", 10);
    Text2->setMaximumWidth(110);
    auto* command13 = makeButton(record, "Command13", "Pvm.");
    form->addWidget(makeBuddyLabel(record, "Pelaaja", Text4), 0, 0);
    form->addWidget(Text4, 0, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, "Joukkue", Combo2), 1, 0);
    form->addWidget(Combo2, 1, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, "Paikka kentällä", Text1), 2, 0);
    form->addWidget(Text1, 2, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, "Maaleja", Text10), 3, 0);
    form->addWidget(Text10, 3, 1);
    form->addWidget(maalit, 3, 2, 1, 2);
    form->addWidget(Check5, 4, 1, 1, 3);
    form->addWidget(makeBuddyLabel(record, " Päivitetty", Text2), 5, 0);
    form->addWidget(Text2, 5, 1);
    form->addWidget(command13, 5, 2, Qt::AlignLeft);
    form->setColumnStretch(3, 1);
    Data2 = new DataNavigator(record, "Data2");
    form->addWidget(Data2, 6, 0, 1, 4);
    left->addWidget(record);

    auto* edits = new QHBoxLayout;
    auto* command7 = makeButton(this, "Command7", "&Uusi");
    auto* command9 = makeButton(this, "Command9", "&Poista");
    auto* command8 = makeButton(this, "Command8", "Päivi&tä");
    auto* command5 = makeButton(this, "Command5", "&Järjestä");
    for (auto* b : {command7, command9, command8, command5})
        edits->addWidget(b);
    left->addLayout(edits);

    // Searches and the move.
    auto* search = new QGroupBox("Haku ja siirto", this);
    auto* searchGrid = new QGridLayout(search);
    Combo1 = new QComboBox(search);
    Combo1->setObjectName("Combo1");
    Combo4 = new QComboBox(search);
    Combo4->setObjectName("Combo4");
    for (QComboBox* c : {Combo1, Combo4}) {
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMinimumContentsLength(18);
    }
    siirto = new QComboBox(search);
    siirto->setObjectName("siirto");
    siirto->addItems(transferCaptions());
    siirto->setCurrentIndex(-1);
    auto* command4 = makeButton(search, "Command4", "Ets&i");
    auto* command12 = makeButton(search, "Command12", "&Etsi");
    auto* command3 = makeButton(search, "Command3", "&Siirrä");
    searchGrid->addWidget(makeLabel(search, "Joukkue >"), 0, 0);
    searchGrid->addWidget(Combo1, 0, 1);
    searchGrid->addWidget(command4, 0, 2);
    searchGrid->addWidget(makeLabel(search, "Pelaaja >"), 1, 0);
    searchGrid->addWidget(Combo4, 1, 1);
    searchGrid->addWidget(command12, 1, 2);
    searchGrid->addWidget(makeLabel(search, "Siirrä  >"), 2, 0);
    searchGrid->addWidget(siirto, 2, 1);
    searchGrid->addWidget(command3, 2, 2);
    searchGrid->setColumnStretch(1, 1);
    left->addWidget(search);
    left->addStretch(1);

    // The scorer list.
    auto* right = new QVBoxLayout;
    top->addLayout(right, 1);
    model_ = new TextTableModel(scorerTitles(), this);
    model_->setCentredColumns({0});
    Grid1 = makeGrid(this, "Grid1", model_, {-1, 150, 130, -1}, 1);
    right->addWidget(Grid1, 1);
    auto* listButtons = new QHBoxLayout;
    auto* command6 = makeButton(this, "Command6", "&Maalintekijät");
    auto* command2 = makeButton(this, "Command2", "Tul&osta");
    listButtons->addWidget(command6);
    listButtons->addWidget(command2);
    listButtons->addStretch(1);
    right->addLayout(listButtons);

    auto* bottom = new QHBoxLayout;
    auto* command10 = makeButton(this, "Command10", "&Apua");
    auto* command11 = makeButton(this, "Command11", "A&vaa WWW-sivu");
    auto* command1 = makeButton(this, "Command1", "&Lopeta");
    bottom->addWidget(command10);
    bottom->addWidget(command11);
    bottom->addStretch(1);
    bottom->addWidget(command1);
    layout->addLayout(bottom);

    auto* sek = new QStatusBar(this);
    sek->setObjectName("sek");
    sek->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        sek_[i] = makeLabel(sek, QString(), QString("sek_%1").arg(i));
        sek->addWidget(sek_[i]);
    }
    // Shown while the scorers are being looked for.
    searching_ = makeLabel(sek, "Etsitään maalintekijöitä, Hetkinen...", "Label8");
    porto = new QProgressBar(sek);
    porto->setObjectName("porto");
    porto->setTextVisible(false);
    porto->setMaximumSize(160, 14);
    sek->addPermanentWidget(searching_);
    sek->addPermanentWidget(porto);
    searching_->setVisible(false);
    porto->setVisible(false);
    layout->addWidget(sek);
    layout->setContentsMargins(9, 9, 9, 0);
    buttons_ = {command7, command9, command8, command5, command4, command12, command3, command6, command2, command13};

    connect(Data2, &DataNavigator::moveRequested, this, [this](DataNavigator::Move move) {
        if (!records_ || !commitEdits(this->context(), *binder_))
            return;
        applyMove(*records_, move);
        showRecord();
    });
    for (QRadioButton* r : pel)
        connect(r, &QRadioButton::clicked, this, [this] { loadLeague(); });
    connect(maalit, &QScrollBar::valueChanged, this, [this](int v) {
        if (Text10->text() != QString::number(v))
            Text10->setText(QString::number(v));
    });
    connect(Text10, &QLineEdit::textChanged, this, [this](const QString& t) {
        const QSignalBlocker block(maalit);
        maalit->setValue(leadingInt(t));
    });
    onMouseClick(Text2, [this] { message("Älä tyhjennä tätä kenttää !", Messages::Exclamation); });
    enterMovesOn(Text4);
    enterMovesOn(Text1);
    connect(command13, &QPushButton::clicked, this, [this] { Text2->setText(formatDate(services().clock.today())); });
    connect(command7, &QPushButton::clicked, this, [this] { addPlayer(); });
    connect(command9, &QPushButton::clicked, this, [this] { deletePlayer(); });
    connect(command8, &QPushButton::clicked, this, [this] { reload(); });
    connect(command5, &QPushButton::clicked, this, [this] { reload(); });
    connect(command4, &QPushButton::clicked, this, [this] { find(Combo1, "joukkue"); });
    connect(command12, &QPushButton::clicked, this, [this] { find(Combo4, "pelaaja"); });
    connect(command3, &QPushButton::clicked, this, [this] { movePlayer(); });
    connect(command6, &QPushButton::clicked, this, [this] { listScorers(); });
    connect(command2, &QPushButton::clicked, this, [this] { printScorers(); });
    connect(command10, &QPushButton::clicked, this, [this] { services().windows.runCommand("win"); });
    connect(command11, &QPushButton::clicked, this, [this] { services().windows.runCommand("ava"); });
    connect(command1, &QPushButton::clicked, this, [this] { finish(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { finish(); });

    db_ = openTeamDatabase(context);
    if (!db_) {
        for (auto* b : buttons_)
            b->setEnabled(false);
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    records_ = std::make_unique<RecordSet>(*db_);
    binder_ = std::make_unique<RecordBinder>(*records_);
    binder_->bind(Text4, "pelaaja");
    binder_->bind(Combo2, "joukkue");
    binder_->bind(Text1, "paikka");
    binder_->bind(Text10, "maaleja", true);
    binder_->bind(Check5, "poissa");
    binder_->bind(Text2, "pvm");
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
        if (pel[i]->isChecked())
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
    model_->setRows({});
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
    if (!records_->refresh())
        showDatabaseError(context(), "Pelaajia ei voi lukea !", records_->lastError());
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
    fillCombo(Combo2, teamNames);
    fillCombo(Combo1, teamNames);
    QStringList players;
    for (int i = 0; i < records_->recordCount(); ++i)
        players << records_->textAt(i, "pelaaja");
    players.removeDuplicates();
    players.sort(Qt::CaseInsensitive);
    fillCombo(Combo4, players);
}

void PlayerWindow::showRecord()
{
    binder_->load();
    const int position = records_->absolutePosition();
    Data2->setCaption(QStringLiteral("Pelaaja: %1").arg(position < 0 ? 0 : position + 1));
    showCount();
}

void PlayerWindow::showCount()
{
    sek_[0]->setText(QStringLiteral(" Pelaajia tietokannassa: %1").arg(records_ ? records_->recordCount() : 0));
    sek_[1]->clear();
}

void PlayerWindow::addPlayer()
{
    if (!records_ || !commitEdits(context(), *binder_))
        return;
    records_->addNew();
    records_->setValue("pvm", formatDate(services().clock.today()));
    if (!records_->update()) {
        showDatabaseError(context(), "Uutta pelaajaa ei voitu lisätä !", records_->lastError());
        return;
    }
    showRecord();
    Text4->setFocus();
}

void PlayerWindow::deletePlayer()
{
    if (!records_ || !records_->hasCurrent())
        return;
    if (records_->recordCount() == 1) {
        message("Tietueita on vain yksi,  et voi poistaa tätä!", Messages::Exclamation, "Poista");
        return;
    }
    if (message("Haluatko varmasti poistaa pelaajan ?", Messages::YesNo | Messages::Question | Messages::DefaultButton2,
                "Poista") != Messages::Yes)
        return;
    if (!records_->deleteCurrent())
        showDatabaseError(context(), "Pelaajaa ei voitu poistaa !", records_->lastError());
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
        message("Tällä nimellä ei löydy !", Messages::Exclamation);
        box->setEditText(QString());
    }
}

void PlayerWindow::movePlayer()
{
    const int to = leagueOfTransferCaption(siirto->currentText());
    if (!records_ || to < 0 || !records_->hasCurrent())
        return;
    if (records_->recordCount() == 1) {
        message("Tietueita on vain yksi,  et voi siirtää tätä!", Messages::Exclamation, "Siirrä");
        return;
    }
    const int from = leagueIndex();
    if (to == from || !commitEdits(context(), *binder_))
        return;
    QString error;
    bool ok;
    {
        BusyCursor busy;
        ok = ::movePlayer(*db_, from, to, records_->rowId(), &error);
        records_->refresh();
        records_->moveFirst();
    }
    if (!ok)
        showDatabaseError(context(), "Siirto ei onnistunut, tietokanta on ennallaan !", error);
    else
        siirto->setCurrentIndex(-1);
    refillLists();
    showRecord();
}

void PlayerWindow::setBusy(bool busy)
{
    busy_ = busy;
    for (auto* b : buttons_)
        b->setEnabled(!busy);
    for (auto* r : pel)
        r->setEnabled(!busy);
    Data2->setEnabled(!busy);
    searching_->setVisible(busy);
    porto->setVisible(busy);
}

void PlayerWindow::listScorers()
{
    if (!records_ || busy_)
        return;
    QList<ListRow> rows;
    bool ok;
    {
        BusyCursor busy;
        setBusy(true);
        porto->setValue(0);
        RecordSet players(*db_);
        ok = ::listScorers(players, leagueIndex(), rows, [this](int done, int total) {
            porto->setMaximum(std::max(1, total));
            porto->setValue(done);
            QCoreApplication::processEvents();
        });
        setBusy(false);
    }
    if (!ok) {
        showDatabaseError(context(), "Pelaajia ei voi lukea !", QString());
        return;
    }
    model_->setRows(rows);
    listed_ = true;
    sek_[0]->setText(QStringLiteral(" Pelaajia: %1").arg(records_->recordCount()));
    sek_[1]->setText(QStringLiteral(" Maalintekijöitä: %1").arg(rows.size()));
}

void PlayerWindow::printScorers()
{
    if (!listed_) {
        message("Listaa ensin taulukkoon!", Messages::Critical, "Tulosta");
        return;
    }
    printListing(context(), scorersPrintout(model_->rows(), services().clock.today()));
}

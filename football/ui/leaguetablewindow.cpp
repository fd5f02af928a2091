#include "football/ui/leaguetablewindow.h"
#include "base/ui/windownames.h"

#include "base/safewrite.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/recordset.h"
#include "football/ui/footballui.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace football;

LeagueTableWindow::LeagueTableWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::LeagueTable);
    setWindowTitle("Sarjatilanne");

    auto* layout = new QGridLayout(this);

    auto* leagues = new QGroupBox("Sarja", this);
    auto* leagueList = new QVBoxLayout(leagues);
    for (int i = 0; i < 7; ++i) {
        sir[i] = makeRadio(leagues, QString("sir_%1").arg(i), standingsChoiceCaption(i));
        leagueList->addWidget(sir[i]);
    }
    sir[0]->setChecked(true);
    leagueList->addStretch(1);

    sara = makeLabel(this, viewName(StandingsView::Total), "sara");
    QFont bold = sara->font();
    bold.setBold(true);
    sara->setFont(bold);
    Label1 = makeLabel(this, "Järjestelen taulukkoa, Hetkinen...", "Label1");
    Label1->setVisible(false);

    model_ = new TextTableModel(standingsTitles(), this);
    model_->setCentredColumns({1, 2, 3, 4, 5, 6, 7});
    // 1700 and 900 twips.
    Grid1 = makeGrid(this, "Grid1", model_,
                     {1700 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15}, -1);
    Grid1->setMinimumHeight(320);

    auto* views = new QGroupBox("Näytä", this);
    auto* viewList = new QVBoxLayout(views);
    auto* command1 = makeButton(views, "Command1", "&Yhteensä");
    auto* command2 = makeButton(views, "Command2", "&Kotona");
    auto* command3 = makeButton(views, "Command3", "&Vieraissa");
    for (auto* b : {command1, command2, command3})
        viewList->addWidget(b);

    auto* print = new QGroupBox("Tulostus", this);
    auto* printList = new QVBoxLayout(print);
    tul[0] = makeRadio(print, "tul_0", "Printterille");
    tul[1] = makeRadio(print, "tul_1", "Tiedostoon");
    tul[0]->setChecked(true);
    auto* command4 = makeButton(print, "Command4", "&Tulosta");
    printList->addWidget(tul[0]);
    printList->addWidget(tul[1]);
    printList->addWidget(command4);

    auto* quit = makeButton(this, "MHCommand1", "&Lopeta");
    buttons_ = {command1, command2, command3, command4, quit};

    auto* side = new QVBoxLayout;
    side->addWidget(views);
    side->addWidget(print);
    side->addStretch(1);
    side->addWidget(quit);

    layout->addWidget(leagues, 0, 0, 3, 1);
    layout->addWidget(sara, 0, 1);
    layout->addWidget(Grid1, 1, 1);
    layout->addWidget(Label1, 2, 1);
    layout->addLayout(side, 0, 2, 3, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    resize(800, 520);

    connect(command1, &QPushButton::clicked, this, [this] { list(StandingsView::Total); });
    connect(command2, &QPushButton::clicked, this, [this] { list(StandingsView::Home); });
    connect(command3, &QPushButton::clicked, this, [this] { list(StandingsView::Away); });
    connect(command4, &QPushButton::clicked, this, [this] { output(); });
    connect(quit, &QPushButton::clicked, this, [this] { finish(); });
    bindDialogKeys(this, command1, [this] { finish(); });

    db_ = openTeamDatabase(context);
    if (!db_) {
        for (auto* b : buttons_)
            b->setEnabled(b == quit);
        QTimer::singleShot(0, this, [this] { finish(); });
    }
}

LeagueTableWindow::~LeagueTableWindow() = default;

int LeagueTableWindow::chosenLeague() const
{
    for (int i = 0; i < 7; ++i)
        if (sir[i]->isChecked())
            return i;
    return kAllLeagues;
}

void LeagueTableWindow::setBusy(bool busy)
{
    busy_ = busy;
    for (auto* b : buttons_)
        b->setEnabled(!busy);
    Label1->setVisible(busy);
}

void LeagueTableWindow::list(StandingsView view)
{
    if (!db_ || busy_)
        return;
    view_ = view;
    sara->setText(viewName(view));
    const int choice = chosenLeague();
    QList<GridRow> rows;
    QString error;
    bool ok = false;
    {
        BusyCursor busy;
        setBusy(true);
        model_->setRows({});
        QCoreApplication::processEvents();
        RecordSet teams(*db_);
        int count = 0;
        ok = listStandings(teams, choice, view, rows, &error, [&count] {
            // Let the window breathe now and then, not after every record.
            if (++count % 25 == 0)
                QCoreApplication::processEvents();
        });
        model_->setRows(rows);
        setBusy(false);
    }
    listed_ = ok;
    listedCaption_ = standingsChoiceCaption(choice);
    if (!ok)
        showDatabaseError(context(), "Sarjataulukkoa ei voi lukea !", error);
}

void LeagueTableWindow::output()
{
    if (!listed_) {
        message("Listaa ensin taulukkoon!", Messages::Critical, "Tulosta");
        return;
    }
    if (tul[1]->isChecked()) {
        writeFile();
        return;
    }
    printListing(context(), standingsPrintout(view_, listedCaption_, model_->rows(), services().clock.today()),
                 "Tulostus ei onnistu! ");
}

void LeagueTableWindow::writeFile()
{
    FileDialogRequest request;
    request.title = "Anna tiedostolle nimi";
    request.filter = "Tekstit (*.txt)|*.txt";
    request.defaultExt = ".txt";
    request.directory = state().ProgramDir;
    const QString path = services().fileDialogs.saveFile(request);
    restoreProgramDir();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)) {
        message("Tiedosto on jo olemassa, anna uusi nimi !", Messages::Exclamation, "Tallenna");
        return;
    }
    const QByteArray bytes = standingsFile(view_, listedCaption_, model_->rows(), services().clock.today());
    WriteStatus status;
    {
        BusyCursor busy;
        status = createNewFile(path, bytes);
    }
    if (status == WriteStatus::Exists)
        message("Tiedosto on jo olemassa, anna uusi nimi !", Messages::Exclamation, "Tallenna");
    else if (status != WriteStatus::Ok)
        message(writeFailureMessage(status), Messages::Critical, "Tallenna");
}

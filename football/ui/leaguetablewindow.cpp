#include "base/texts.h"
#include "football/ui/leaguetablewindow.h"
#include "base/ui/windownames.h"

#include "base/safewrite.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/recordset.h"
#include "football/ui/footballcontrols.h"
#include "football/ui/footballdatabaseflows.h"
#include "football/ui/footballtexts.h"
#include "football/ui/listingprinting.h"

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
    setWindowTitle(kLeagueTableTitle);

    auto* layout = new QGridLayout(this);

    auto* leagues = new QGroupBox("Sarja", this);
    auto* leagueList = new QVBoxLayout(leagues);
    for (int i = 0; i < 7; ++i) {
        leagueOptions_[i] = makeRadio(leagues, QString("sir_%1").arg(i), standingsChoiceCaption(i));
        leagueList->addWidget(leagueOptions_[i]);
    }
    leagueOptions_[0]->setChecked(true);
    leagueList->addStretch(1);

    viewLabel_ = makeLabel(this, viewName(StandingsView::Total), "sara");
    QFont bold = viewLabel_->font();
    bold.setBold(true);
    viewLabel_->setFont(bold);
    sortingLabel_ = makeLabel(this, "Järjestelen taulukkoa, Hetkinen...", "Label1");
    sortingLabel_->setVisible(false);

    tableModel_ = new TextTableModel(standingsTitles(), this);
    tableModel_->setCentredColumns({1, 2, 3, 4, 5, 6, 7});
    // 1700 and 900 twips.
    tableGrid_ = makeGrid(this, "Grid1", tableModel_,
                          {1700 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15, 900 / 15}, -1);
    tableGrid_->setMinimumHeight(320);

    auto* views = new QGroupBox("Näytä", this);
    auto* viewList = new QVBoxLayout(views);
    auto* totalButton = makeButton(views, "Command1", "&Yhteensä");
    auto* homeButton = makeButton(views, "Command2", "&Kotona");
    auto* awayButton = makeButton(views, "Command3", "&Vieraissa");
    for (auto* b : {totalButton, homeButton, awayButton})
        viewList->addWidget(b);

    auto* print = new QGroupBox("Tulostus", this);
    auto* printList = new QVBoxLayout(print);
    outputOptions_[0] = makeRadio(print, "tul_0", "Printterille");
    outputOptions_[1] = makeRadio(print, "tul_1", "Tiedostoon");
    outputOptions_[0]->setChecked(true);
    auto* printButton = makeButton(print, "Command4", "&Tulosta");
    printList->addWidget(outputOptions_[0]);
    printList->addWidget(outputOptions_[1]);
    printList->addWidget(printButton);

    auto* quitButton = makeButton(this, "MHCommand1", "&Lopeta");
    buttons_ = {totalButton, homeButton, awayButton, printButton, quitButton};

    auto* side = new QVBoxLayout;
    side->addWidget(views);
    side->addWidget(print);
    side->addStretch(1);
    side->addWidget(quitButton);

    layout->addWidget(leagues, 0, 0, 3, 1);
    layout->addWidget(viewLabel_, 0, 1);
    layout->addWidget(tableGrid_, 1, 1);
    layout->addWidget(sortingLabel_, 2, 1);
    layout->addLayout(side, 0, 2, 3, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    resize(800, 520);

    connect(totalButton, &QPushButton::clicked, this, [this] { list(StandingsView::Total); });
    connect(homeButton, &QPushButton::clicked, this, [this] { list(StandingsView::Home); });
    connect(awayButton, &QPushButton::clicked, this, [this] { list(StandingsView::Away); });
    connect(printButton, &QPushButton::clicked, this, [this] { output(); });
    connect(quitButton, &QPushButton::clicked, this, [this] { finish(); });
    bindDialogKeys(this, totalButton, [this] { finish(); });

    db_ = openTeamDatabase(context);
    if (!db_) {
        for (auto* b : buttons_)
            b->setEnabled(b == quitButton);
        QTimer::singleShot(0, this, [this] { finish(); });
    }
}

LeagueTableWindow::~LeagueTableWindow() = default;

int LeagueTableWindow::chosenLeague() const
{
    for (int i = 0; i < 7; ++i)
        if (leagueOptions_[i]->isChecked())
            return i;
    return kAllLeagues;
}

void LeagueTableWindow::setBusy(bool busy)
{
    busy_ = busy;
    for (auto* b : buttons_)
        b->setEnabled(!busy);
    sortingLabel_->setVisible(busy);
}

void LeagueTableWindow::list(StandingsView view)
{
    if (!db_ || busy_)
        return;
    view_ = view;
    viewLabel_->setText(viewName(view));
    const int choice = chosenLeague();
    QList<GridRow> rows;
    Outcome<> listing;
    {
        BusyCursor busy;
        setBusy(true);
        tableModel_->setRows({});
        // The emptied table shows while the standings are counted.
        repaint();
        RecordSet teams(*db_);
        listing = listStandings(teams, choice, view, rows);
        tableModel_->setRows(rows);
        setBusy(false);
    }
    listed_ = listing.ok();
    listedCaption_ = standingsChoiceCaption(choice);
    if (!listing)
        showDatabaseError(context(), "Sarjataulukkoa ei voi lukea !", listing.failure().message);
}

void LeagueTableWindow::output()
{
    if (!listed_) {
        message(kListFirst, Messages::Critical, kPrintTitle);
        return;
    }
    if (outputOptions_[1]->isChecked()) {
        writeFile();
        return;
    }
    printListing(context(), standingsPrintout(view_, listedCaption_, tableModel_->rows(), services().clock.today()),
                 "Tulostus ei onnistu! ");
}

void LeagueTableWindow::writeFile()
{
    FileDialogRequest request;
    request.title = "Anna tiedostolle nimi";
    request.filter = "Tekstit (*.txt)|*.txt";
    request.defaultExt = ".txt";
    const QString path = services().fileDialogs.saveFile(request);
    restoreProgramDir();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)) {
        message(Texts::FileExistsGiveNewName, Messages::Exclamation, kSaveTitle);
        return;
    }
    const QByteArray bytes = standingsFile(view_, listedCaption_, tableModel_->rows(), services().clock.today());
    Outcome<> written;
    {
        BusyCursor busy;
        written = createNewFile(path, bytes);
    }
    if (written.failedWith(Cause::Exists))
        message(Texts::FileExistsGiveNewName, Messages::Exclamation, kSaveTitle);
    else if (!written)
        message(written.failure().message, Messages::Critical, kSaveTitle);
}

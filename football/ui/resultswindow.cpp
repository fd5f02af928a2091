#include "football/ui/resultswindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/scrollbars.h"
#include "football/footballdb.h"
#include "football/leagues.h"
#include "football/recordset.h"
#include "football/results.h"
#include "football/ui/footballui.h"

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
    setWindowTitle("Tulokset");

    auto* layout = new QGridLayout(this);

    auto* leagues = new QGroupBox("Sarja", this);
    auto* leagueGrid = new QGridLayout(leagues);
    for (int i = 0; i < 6; ++i) {
        O1[i] = makeRadio(leagues, QString("O1_%1").arg(i), leagueCaption(i));
        leagueGrid->addWidget(O1[i], i % 3, i / 3, Qt::AlignLeft);
    }
    O1[0]->setChecked(true);
    layout->addWidget(leagues, 0, 0, 1, 2);

    // The match: teams, goals and date.
    auto* match = new QGroupBox("Ottelu", this);
    auto* matchGrid = new QGridLayout(match);
    Combo1 = new PopupCombo(match, "Combo1");
    Combo2 = new PopupCombo(match, "Combo2");
    for (auto* combo : {Combo1, Combo2})
        combo->setMinimumContentsLength(20);
    HScroll1 = goalBar(match, "HScroll1");
    HScroll2 = goalBar(match, "HScroll2");
    Text1 = goalBox(match, "Text1");
    Text2 = goalBox(match, "Text2");
    for (auto* box : {Text1, Text2})
        box->setValidator(new QIntValidator(0, 100, box));
    auto* goalsTitle = makeLabel(match, "Maalit");
    goalsTitle->setAlignment(Qt::AlignCenter);
    matchGrid->addWidget(goalsTitle, 0, 2, 1, 2);
    matchGrid->addWidget(makeBuddyLabel(match, "&Kotijoukkue", Combo1), 1, 0);
    matchGrid->addWidget(Combo1, 1, 1);
    matchGrid->addWidget(HScroll1, 1, 2);
    matchGrid->addWidget(Text1, 1, 3);
    matchGrid->addWidget(makeBuddyLabel(match, "&Vierailija", Combo2), 2, 0);
    matchGrid->addWidget(Combo2, 2, 1);
    matchGrid->addWidget(HScroll2, 2, 2);
    matchGrid->addWidget(Text2, 2, 3);
    Text6 = makeEdit(match, "Text6", 10);
    Text6->setMaximumWidth(110);
    matchGrid->addWidget(makeBuddyLabel(match, "&Pvm.", Text6), 3, 0);
    matchGrid->addWidget(Text6, 3, 1, Qt::AlignLeft);
    auto* command1 = makeButton(match, "Command1", "&Tallenna");
    matchGrid->addWidget(command1, 3, 2, 1, 2, Qt::AlignRight);
    matchGrid->setColumnStretch(1, 1);
    layout->addWidget(match, 1, 0, 1, 2);

    // Scorers of the match.
    auto* scorers = new QGroupBox("Maalintekijät", this);
    auto* scorerGrid = new QGridLayout(scorers);
    Combo3 = new PopupCombo(scorers, "Combo3");
    Combo3->setMinimumContentsLength(30);
    Combo3->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    HScroll3 = goalBar(scorers, "HScroll3");
    Text3 = goalBox(scorers, "Text3");
    Text3->setReadOnly(true);
    auto* command3 = makeButton(scorers, "Command3", "T&allenna");
    scorerGrid->addWidget(Combo3, 0, 0, 1, 3);
    scorerGrid->addWidget(HScroll3, 1, 0);
    scorerGrid->addWidget(Text3, 1, 1);
    scorerGrid->addWidget(command3, 1, 2);
    scorerGrid->setColumnStretch(0, 1);
    layout->addWidget(scorers, 2, 0);

    auto* goals = new QGroupBox("Maalit", this);
    auto* goalForm = new QGridLayout(goals);
    Text4 = goalBox(goals, "Text4");
    Text5 = goalBox(goals, "Text5");
    for (auto* box : {Text4, Text5})
        box->setReadOnly(true);
    goalForm->addWidget(makeLabel(goals, "Joukkueet"), 0, 0);
    goalForm->addWidget(Text4, 0, 1);
    goalForm->addWidget(makeLabel(goals, "Pelaajat"), 1, 0);
    goalForm->addWidget(Text5, 1, 1);
    layout->addWidget(goals, 2, 1);

    auto* buttons = new QHBoxLayout;
    auto* command2 = makeButton(this, "Command2", "&Lisää pelaaja");
    auto* help = makeButton(this, "SSCommand1", "?");
    help->setToolTip("Ohjeet");
    help->setFixedWidth(help->sizeHint().height() + 8);
    auto* command9 = makeButton(this, "Command9", "Avaa &WWW-sivu");
    auto* quit = makeButton(this, "poistu", "L&opeta");
    buttons->addWidget(command2);
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(command9);
    buttons->addWidget(quit);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    Text6->setText(formatDate(services().clock.today()));

    for (QRadioButton* r : O1)
        connect(r, &QRadioButton::clicked, this, [this] { leagueChosen(); });
    Combo1->beforePopup = [this] { fillTeams(Combo1); };
    Combo2->beforePopup = [this] { fillTeams(Combo2); };
    Combo3->beforePopup = [this] { fillScorers(); };
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        Text1->setText(QString::number(v));
        goalsChanged();
    });
    connect(HScroll2, &QScrollBar::valueChanged, this, [this](int v) {
        Text2->setText(QString::number(v));
        goalsChanged();
    });
    connect(Text1, &QLineEdit::textEdited, this, [this](const QString& t) { HScroll1->setValue(leadingInt(t)); });
    connect(Text2, &QLineEdit::textEdited, this, [this](const QString& t) { HScroll2->setValue(leadingInt(t)); });
    connect(HScroll3, &QScrollBar::valueChanged, this, [this](int v) { scorerGoalsChanged(v); });
    for (QLineEdit* box : {Text4, Text5})
        onMouseClick(box, [this] {
            // Told after the click, so the box does not take the button's release.
            messageSoon("Älä editoi näitä kenttiä !", Messages::Critical);
            HScroll3->setFocus();
        });
    connect(command1, &QPushButton::clicked, this, [this] { saveMatch(); });
    connect(command3, &QPushButton::clicked, this, [this] { creditScorer(); });
    connect(command2, &QPushButton::clicked, this, [this] { addPlayer(); });
    connect(help, &QPushButton::clicked, this, [this] {
        message(QStringLiteral("Valitse ensin joukkueet ja näiden maalit.") + kLineBreak +
                    "Ennenkuin tallennat valitse maalintekijät," +
                    "niin näet listassa vain näiden joukkueiden pelaajat!.",
                Messages::Information);
    });
    connect(command9, &QPushButton::clicked, this, [this] { services().windows.runCommand("ava"); });
    connect(quit, &QPushButton::clicked, this, [this] { finish(); });
    // No default button: Enter must never save a match by accident.
    bindDialogKeys(this, nullptr, [this] { finish(); });
    command2->setEnabled(services().windows.available(WindowName::Players));

    db_ = openBothDatabases(context);
    if (!db_) {
        for (auto* b : {command1, command3, command2})
            b->setEnabled(false);
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    fillTeams(Combo1);
    fillTeams(Combo2);
    Combo1->setCurrentIndex(-1);
    Combo2->setCurrentIndex(-1);
}

ResultsWindow::~ResultsWindow() = default;

int ResultsWindow::leagueIndex() const
{
    for (int i = 0; i < 6; ++i)
        if (O1[i]->isChecked())
            return i;
    return 0;
}

void ResultsWindow::leagueChosen()
{
    Combo1->clear();
    Combo2->clear();
    Combo3->clear();
    fillTeams(Combo1);
    fillTeams(Combo2);
    Combo1->setCurrentIndex(-1);
    Combo2->setCurrentIndex(-1);
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
    Combo3->clear();
    if (!db_)
        return;
    const bool homeScored = Text1->text() != "0" && !Text1->text().isEmpty();
    const bool awayScored = Text2->text() != "0" && !Text2->text().isEmpty();
    if (!homeScored && !awayScored) {
        message("Joukkueilla ei ole maaleja !", Messages::Exclamation);
        return;
    }
    for (const ScorerCandidate& c :
         scorerCandidates(*db_, leagueIndex(), Combo1->currentText(), homeScored, Combo2->currentText(), awayScored))
        Combo3->addItem(scorerItemText(c), QStringList{c.player, c.team});
    Combo3->setCurrentIndex(-1);
}

void ResultsWindow::goalsChanged()
{
    Text4->setText(QString::number(leadingInt(Text1->text()) + leadingInt(Text2->text())));
}

void ResultsWindow::scorerGoalsChanged(int value)
{
    const int teamGoals = leadingInt(Text4->text());
    if (credited_ + value > teamGoals) {
        // Back to the most the match still allows, and the bar let go, before
        // the user is told: a held arrow would otherwise step on behind the box.
        value = std::max(0, teamGoals - credited_);
        {
            const QSignalBlocker block(HScroll3);
            HScroll3->setValue(value);
        }
        releaseScrollBar(HScroll3);
        messageSoon("Pelaajien maalit eivät voi olla yli joukkueiden maalien !", Messages::Exclamation, "Oops!");
    }
    Text3->setText(QString::number(value));
    Text5->setText(QString::number(credited_ + value));
}

bool ResultsWindow::confirmSave()
{
    if (state().SaveConfirm != 1)
        return true;
    return message("Haluatko varmasti tallentaa ?", Messages::YesNo | Messages::Question, "Tallenna") == Messages::Yes;
}

void ResultsWindow::saveMatch()
{
    if (Combo1->currentText().isEmpty() || Combo2->currentText().isEmpty()) {
        message("Valitse ensin joukkueet!", Messages::Critical, "Tallenna");
        return;
    }
    if (!db_ || !confirmSave())
        return;
    PlayedMatch match;
    match.league = leagueIndex();
    match.home = Combo1->currentText();
    match.away = Combo2->currentText();
    match.homeGoals = leadingInt(Text1->text());
    match.awayGoals = leadingInt(Text2->text());
    match.date = Text6->text().trimmed();
    QString error;
    bool ok;
    {
        BusyCursor busy;
        ok = ::saveMatch(*db_, match, &error);
    }
    if (!ok) {
        showDatabaseError(context(), "Tallennus ei onnistunut, tietokanta on ennallaan !", error);
        return;
    }
    clearMatch();
    message("Tallennettu", Messages::Exclamation);
}

void ResultsWindow::clearMatch()
{
    Combo3->clear();
    credited_ = 0;
    {
        const QSignalBlocker b1(HScroll1), b2(HScroll2), b3(HScroll3);
        HScroll1->setValue(0);
        HScroll2->setValue(0);
        HScroll3->setValue(0);
    }
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5})
        box->setText("0");
}

void ResultsWindow::creditScorer()
{
    if (!db_ || Combo3->currentIndex() < 0)
        return;
    if (!confirmSave())
        return;
    const QStringList who = Combo3->currentData().toStringList();
    const int goals = leadingInt(Text3->text());
    QString error;
    int records;
    {
        BusyCursor busy;
        records =
            ::creditScorer(*db_, leagueIndex(), {who.value(0), who.value(1)}, goals, Text6->text().trimmed(), &error);
    }
    if (records < 0) {
        showDatabaseError(context(), "Tallennus ei onnistunut, tietokanta on ennallaan !", error);
        return;
    }
    credited_ += goals;
    {
        const QSignalBlocker block(HScroll3);
        HScroll3->setValue(0);
    }
    Text3->setText("0");
    Text5->setText(QString::number(credited_));
    message("Tallennettu", Messages::Exclamation);
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

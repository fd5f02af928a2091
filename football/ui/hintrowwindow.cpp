#include "football/ui/hintrowwindow.h"
#include "base/ui/windownames.h"

#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/scrollbars.h"
#include "football/footballdb.h"
#include "football/hint.h"
#include "football/leagues.h"
#include "football/recordset.h"
#include "football/ui/footballcontrols.h"
#include "football/ui/footballdatabaseflows.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace football;

namespace {

// Colours 14 and 15 of the standard 16-colour palette.
const char* const kChosenStyle = "background: #ffff00; border: 1px solid #808080;";
const char* const kOtherStyle = "background: #ffffff; border: 1px solid #808080;";

QLabel* signCell(QWidget* parent, const QString& name)
{
    auto* l = makeLabel(parent, QString(), name);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedSize(28, 20);
    l->setStyleSheet(kOtherStyle);
    return l;
}

} // namespace

HintRowWindow::HintRowWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::HintRow);
    setWindowTitle("Vihjerivi");

    auto* layout = new QGridLayout(this);
    layout->addWidget(buildSide(home_, "Kotijoukkue", "Tilastoja kotona", "O1", "Combo1", "k", "Text2"), 0, 0);
    layout->addWidget(buildSide(away_, "Vierailija", "Tilastoja vieraissa", "O2", "Combo2", "v", "Text3"), 0, 2);
    layout->addWidget(buildHintGrid(), 0, 1, 2, 1, Qt::AlignHCenter | Qt::AlignTop);
    layout->addWidget(buildMatchSelector(), 1, 0);
    layout->addWidget(buildCriteria(), 1, 2);
    buildButtons(layout);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);

    connectControls();
    matchChanged(1);
    openDatabases(context);
}

// The result grid: a row per match, a column per sign and the marker.
QWidget* HintRowWindow::buildHintGrid()
{
    auto* results = new QGroupBox("Vihjerivi", this);
    auto* grid = new QGridLayout(results);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    int column = 1;
    for (const char* title : {"1", "X", "2"}) {
        auto* head = makeLabel(results, title);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, column++);
    }
    for (int k = 0; k < 13; ++k) {
        auto* number = makeLabel(results, QString::number(k + 1));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, k + 1, 0);
        const char* const cellNames[3] = {"osu", "osui", "Label7"};
        for (int i = 0; i < 3; ++i) {
            signCells_[k][i] = signCell(results, QString("%1_%2").arg(cellNames[i]).arg(k));
            grid->addWidget(signCells_[k][i], k + 1, i + 1);
        }
        matchMarkers_[k] = makeLabel(results, QString(), QString("oso_%1").arg(k));
        matchMarkers_[k]->setMinimumWidth(20);
        grid->addWidget(matchMarkers_[k], k + 1, 4);
    }
    return results;
}

QWidget* HintRowWindow::buildMatchSelector()
{
    auto* target = new QGroupBox(this);
    auto* targetRow = new QHBoxLayout(target);
    matchBar_ = makeScrollBar(target, "HS1", Qt::Horizontal, 1, 13);
    matchBar_->setPageStep(1);
    matchBar_->setMinimumWidth(140);
    matchEdit_ = makeEdit(target, "Text1", 3);
    matchEdit_->setReadOnly(true);
    matchEdit_->setMaximumWidth(44);
    matchEdit_->setAlignment(Qt::AlignCenter);
    targetRow->addWidget(matchBar_, 1);
    targetRow->addWidget(matchEdit_);
    targetRow->addWidget(makeLabel(target, " Kohde"));
    return target;
}

QWidget* HintRowWindow::buildCriteria()
{
    auto* criteria = new QGroupBox("Ota huomioon:", this);
    auto* criteriaGrid = new QGridLayout(criteria);
    winRatioCheck_ = makeCheckBox(criteria, "su1", "Voittosuhde");
    goalRatioCheck_ = makeCheckBox(criteria, "su2", "Maalisuhde");
    pointsCheck_ = makeCheckBox(criteria, "su3", "Pisteet");
    formCheck_ = makeCheckBox(criteria, "su4", "Kunto");
    sunspotsCheck_ = makeCheckBox(criteria, "auri", "Auringonpilkut");
    winRatioCheck_->setChecked(true);
    winRatioCheck_->setEnabled(false);
    criteriaGrid->addWidget(winRatioCheck_, 0, 0);
    criteriaGrid->addWidget(goalRatioCheck_, 1, 0);
    criteriaGrid->addWidget(pointsCheck_, 2, 0);
    criteriaGrid->addWidget(formCheck_, 0, 1);
    criteriaGrid->addWidget(sunspotsCheck_, 1, 1);
    return criteria;
}

void HintRowWindow::buildButtons(QGridLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    hintButton_ = makeButton(this, "Command1", "Anna &Vihje");
    auto* helpButton = makeButton(this, "Command2", "&Apua");
    auto* quitButton = makeButton(this, "MhCommand1", "&Lopeta");
    hintButton_->setDefault(true);
    buttons->addWidget(hintButton_);
    buttons->addStretch(1);
    buttons->addWidget(helpButton);
    buttons->addWidget(quitButton);
    layout->addLayout(buttons, 2, 0, 1, 3);

    connect(hintButton_, &QPushButton::clicked, this, [this] { giveHint(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    connect(quitButton, &QPushButton::clicked, this, [this] { finish(); });
    bindDialogKeys(this, hintButton_, [this] { finish(); });
}

void HintRowWindow::connectControls()
{
    connect(matchBar_, &QScrollBar::valueChanged, this, [this](int v) { matchChanged(v); });
    connect(sunspotsCheck_, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            message("Auringossa on nyt aika rauhallinen vaihe !", Messages::Information);
    });
    for (Side* side : {&home_, &away_}) {
        for (QRadioButton* r : side->league)
            connect(r, &QRadioButton::clicked, this, [this, side] { leagueChosen(*side); });
        side->team->beforePopup = [this, side] { fillTeams(*side); };
        connect(side->team, &QComboBox::activated, this, [this, side] { teamChosen(*side); });
    }
}

// Without both databases the window only says why and closes.
void HintRowWindow::openDatabases(AppContext& context)
{
    teams_ = openTeamDatabase(context);
    form_ = teams_ ? openFormDatabase(context) : nullptr;
    if (!teams_ || !form_) {
        hintButton_->setEnabled(false);
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    records_ = std::make_unique<RecordSet>(*teams_);
    fillTeams(home_);
    fillTeams(away_);
}

HintRowWindow::~HintRowWindow() = default;

QWidget* HintRowWindow::buildSide(Side& side, const QString& title, const QString& statsTitle,
                                  const QString& leagueName, const QString& comboName, const QString& boxPrefix,
                                  const QString& dateName)
{
    auto* frame = new QGroupBox(title, this);
    auto* column = new QVBoxLayout(frame);
    auto* leagues = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        side.league[i] = makeRadio(frame, QString("%1_%2").arg(leagueName).arg(i), leagueCaption(i));
        leagues->addWidget(side.league[i], i % 3, i / 3, Qt::AlignLeft);
    }
    side.league[0]->setChecked(true);
    column->addLayout(leagues);
    side.team = new PopupCombo(frame, comboName);
    side.team->setMinimumContentsLength(18);
    column->addWidget(side.team);

    auto* stats = new QGroupBox(statsTitle, frame);
    auto* form = new QFormLayout(stats);
    const char* const captions[4] = {"Pisteitä:", "Maalisuhde:", "Voittosuhde:", "Kunto:"};
    for (int i = 0; i < 4; ++i) {
        side.box[i] = makeEdit(stats, QString("%1%2").arg(boxPrefix).arg(i + 1), 6);
        side.box[i]->setReadOnly(true);
        side.box[i]->setMaximumWidth(80);
        form->addRow(QString::fromUtf8(captions[i]), side.box[i]);
    }
    side.updated = makeEdit(stats, dateName, 10);
    side.updated->setReadOnly(true);
    side.updated->setMaximumWidth(110);
    form->addRow("Päivitetty:", side.updated);
    column->addWidget(stats);
    column->addStretch(1);
    return frame;
}

int HintRowWindow::leagueOf(const Side& side) const
{
    for (int i = 0; i < 6; ++i)
        if (side.league[i]->isChecked())
            return i;
    return 0;
}

void HintRowWindow::clearBoxes(Side& side)
{
    for (QLineEdit* box : side.box)
        box->clear();
    side.updated->clear();
}

void HintRowWindow::leagueChosen(Side& side)
{
    side.team->clear();
    clearBoxes(side);
    fillTeams(side);
    side.team->setCurrentIndex(-1);
}

void HintRowWindow::fillTeams(Side& side)
{
    if (!records_)
        return;
    records_->setRecordSource(QString::fromUtf8(league(leagueOf(side)).teamTable));
    QStringList names;
    if (records_->refresh())
        for (records_->moveFirst(); !records_->eof(); records_->moveNext())
            names << records_->text(team::Name);
    fillCombo(side.team, names);
}

void HintRowWindow::teamChosen(Side& side)
{
    clearBoxes(side);
    const QString name = side.team->currentText();
    if (!records_ || name.isEmpty())
        return;
    records_->setRecordSource(QString::fromUtf8(league(leagueOf(side)).teamTable));
    if (records_->refresh() && records_->findFirst("joukkue", name)) {
        const QString date = records_->text(team::Updated);
        if (!date.isEmpty())
            side.updated->setText(date);
    }
}

void HintRowWindow::matchChanged(int match)
{
    matchEdit_->setText(QString::number(match));
    for (int k = 0; k < 13; ++k)
        matchMarkers_[k]->setText(k == match - 1 ? "<-" : "");
}

void HintRowWindow::showSign(int match, QChar sign, bool chosen)
{
    QLabel* const* cells = signCells_[match];
    const int at = sign == '1' ? 0 : sign == 'X' ? 1 : 2;
    if (chosen) {
        for (int i = 0; i < 3; ++i) {
            cells[i]->setText(i == at ? QString(sign) : QString());
            cells[i]->setStyleSheet(i == at ? kChosenStyle : kOtherStyle);
        }
    } else {
        cells[at]->setText(QString(sign));
    }
}

void HintRowWindow::giveHint()
{
    const QString homeName = home_.team->currentText();
    const QString awayName = away_.team->currentText();
    if (!records_ || homeName.isEmpty() || awayName.isEmpty())
        return;
    if (homeName == awayName) {
        message(homeName + " ei voi pelata itseään vastaan !", Messages::Critical);
        return;
    }
    BusyCursor busy;
    const int match = matchBar_->value();
    for (Side* side : {&home_, &away_})
        for (int i = 1; i < 4; ++i)
            side->box[i]->clear();

    const HintSide home = readHintSide(*records_, leagueOf(home_), homeName, Venue::Home).value_or(HintSide{});
    home_.box[0]->setText(QString::number(home.points));
    const std::optional<int> homeForm = readForm(*form_, homeName);
    const HintSide away = readHintSide(*records_, leagueOf(away_), awayName, Venue::Away).value_or(HintSide{});
    away_.box[0]->setText(QString::number(away.points));
    const std::optional<int> awayForm = readForm(*form_, awayName);
    const int hf = homeForm.value_or(0);
    const int af = awayForm.value_or(0);

    const QChar sign = hintSign(hintScores(home, away, pointsCheck_->isChecked()));
    state().HintRow[match - 1] = QString(sign);
    showSign(match - 1, sign, true);
    const auto marks = signMarks(sign);
    home_.box[2]->setText(marks.first);
    away_.box[2]->setText(marks.second);

    if (goalRatioCheck_->isChecked()) {
        const QChar ratio = goalRatioSign(home.goalRatio, away.goalRatio);
        showSign(match - 1, ratio, false);
        home_.box[1]->setText(signMarks(ratio).first);
        away_.box[1]->setText(signMarks(ratio).second);
    }
    if ((hf > 0 || af > 0) && formCheck_->isChecked()) {
        const QChar form = formSign(hf, af);
        showSign(match - 1, form, false);
        home_.box[3]->setText(signMarks(form).first);
        away_.box[3]->setText(signMarks(form).second);
    } else {
        home_.box[3]->setText("?");
        away_.box[3]->setText("?");
    }
    if (match < 13)
        matchBar_->setValue(match + 1);
}

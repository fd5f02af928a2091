#include "rows/ui/basicrowwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "rows/correctrow.h"
#include "rows/rowentry.h"
#include "rows/ui/couponcolumn.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const kNeedThirteen = "Rivissä pitäisi olla 13 merkkiä !";

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

    Label1 = makeLabel(this, " Laita perusrivisi sarakkeeseen.", "Label1");
    QFont strong = Label1->font();
    strong.setBold(true);
    Label1->setFont(strong);

    rtaus = new CouponColumn("rtaus", {"Yksi", "Risti", "Kaksi"}, this);
    taku = new MatchLabelColumn("taku", "osu", "Vihje", this);

    // Storing the correct row of the round.
    bby = new QFrame(this);
    bby->setObjectName("bby");
    bby->setFrameShape(QFrame::StyledPanel);
    bby->setFrameShadow(QFrame::Raised);
    auto* hekyy = makeLabel(bby, "Kierros", "hekyy");
    Text1 = numberBox(bby, "Text1", 3);
    Text2 = numberBox(bby, "Text2", 4);
    hekyy->setBuddy(Text1);
    Command1 = makeButton(bby, "Command1", "&Tilastoi oikea rivi");
    ede = makeLabel(bby, QString(), "ede");
    edev = makeLabel(bby, QString(), "edev");
    for (QLabel* l : {ede, edev}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(44);
        l->setAlignment(Qt::AlignCenter);
    }
    auto* label2 = makeLabel(bby, "< Edellinen", "Label2");
    auto* statsGrid = new QGridLayout(bby);
    statsGrid->addWidget(hekyy, 0, 0);
    statsGrid->addWidget(Text1, 0, 1);
    statsGrid->addWidget(Text2, 0, 2);
    statsGrid->addWidget(Command1, 1, 0, 1, 3);
    statsGrid->addWidget(ede, 2, 1);
    statsGrid->addWidget(edev, 2, 2);
    statsGrid->addWidget(label2, 3, 1, 1, 2);
    statsGrid->setColumnStretch(0, 1);

    auto* panel = new QFrame(this);
    panel->setObjectName("SSPanel1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    vihjeet = makeButton(panel, "vihjeet", "&Vihjerivi");
    sainperusrivin = makeButton(panel, "sainperusrivin", "&OK");
    kes = makeButton(panel, "kes", "&Peruuta");
    sainperusrivin->setDefault(true);
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->addWidget(vihjeet);
    panelRow->addStretch(1);
    panelRow->addWidget(sainperusrivin);
    panelRow->addWidget(kes);

    auto* right = new QVBoxLayout;
    right->addWidget(bby);
    right->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(rtaus, 0, Qt::AlignTop);
    middle->addWidget(taku, 0, Qt::AlignTop);
    middle->addLayout(right);
    middle->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1);
    layout->addLayout(middle);
    layout->addWidget(panel);

    QList<QWidget*> order = rtaus->tabOrder();
    order << Text1 << Text2 << Command1 << vihjeet << sainperusrivin << kes;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    bindDialogKeys(this, sainperusrivin, [this] { kes->click(); });

    connect(rtaus, &CouponColumn::signClicked, this, &BasicRowWindow::signClicked);
    connect(vihjeet, &QPushButton::clicked, this, &BasicRowWindow::showHintRow);
    connect(sainperusrivin, &QPushButton::clicked, this, &BasicRowWindow::accept);
    connect(kes, &QPushButton::clicked, this, [this] { finish(); });
    connect(Command1, &QPushButton::clicked, this, &BasicRowWindow::storeCorrectRow);

    // Load
    {
        BusyCursor busy; // the correct-row file may be read
        const StoredRound last = lastStoredRound(services().settings, state().ProgramDir);
        showStoredRound(last.round, last.year);
    }
    Text2->setText(QString::number(services().clock.today().year()));
    const SharedState& s = state();
    if (s.RandomTask == 1)
        bby->hide();
    if (s.CheckTask == 1 || s.HaravaTask == 1 || s.RowSource == 0) {
        vihjeet->hide();
        taku->hide();
    }
    showMarks();
    rtaus->button(0, 0)->setFocus();
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
    if (!bby->isHidden() && !ede->text().isEmpty())
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
            rtaus->setMarked(s2, k, s.BasicMarks[s2][k] == 1);
    s.BasicSignCount = markedMatches(s.BasicMarks);
}

void BasicRowWindow::signClicked(int sign, int match)
{
    toggleBasicSign(state(), sign, match);
    for (int s = 0; s < 3; ++s)
        rtaus->setMarked(s, match, state().BasicMarks[s][match] == 1);
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
            taku->label(k)->setText(hint[k]);
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
        handOver(WindowName::SystemPattern, {{"", QString::fromUtf8("JÄRJESTELMÄ")},
                                             {"Label1", QString::fromUtf8("         Anna järjestelmäsi ")}});
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
    if (Text1->text().trimmed().isEmpty()) {
        message("Anna kierrosnumero !", Messages::Question, "Tilastoi");
        Text1->setFocus();
        return;
    }
    if (Text2->text().trimmed().isEmpty()) {
        message("Anna vuosi !", Messages::Question, "Tilastoi");
        Text2->setFocus();
        return;
    }
    if (state().BasicSignCount != 13) {
        message(kNeedThirteen, Messages::Critical);
        return;
    }
    WriteStatus written = WriteStatus::Failed;
    {
        BusyCursor busy;
        written = appendCorrectRow(state().ProgramDir, state().BasicSigns, Text2->text(), Text1->text());
        if (written == WriteStatus::Ok) {
            Settings& settings = services().settings;
            if (!settings.write(keys::LastRound, Text1->text().trimmed()) ||
                !settings.write(keys::LastYear, Text2->text().trimmed()))
                written = WriteStatus::Failed;
            QCoreApplication::processEvents();
            const StoredRound kept = keptRound(settings);
            if (!kept.round.isEmpty())
                ede->setText(kept.round);
            if (!kept.year.isEmpty())
                edev->setText(kept.year);
        }
    }
    if (written != WriteStatus::Ok) {
        message(writeFailureMessage(written, "Tiedoston kirjoitusvirhe !"), Messages::Critical, "Tilastoi");
        return;
    }
    Text1->clear();
    message("Oikea rivi tilastoitu !", Messages::Exclamation, "Tilastoi");
}

void BasicRowWindow::showStoredRound(const QString& round, const QString& year)
{
    ede->setText(round);
    edev->setText(year);
}

#include "random/ui/matchweightswindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/dialogkeys.h"
#include "random/ui/controls.h"
#include "rows/ui/sharedtexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Columns of the match grid; the frame "Käytä näitä" is laid under columns
// kFrameLeft ... kFrameRight, the sign boxes sit in the three between.
enum Column {
    kNumber,
    kSign,
    kBar,
    kPercent,
    kBanker,
    kGap,
    kFrameLeft,
    kFirstBox,
    kFrameRight = kFirstBox + 3,
};
constexpr int kTitleRow = 0;
constexpr int kHeadingRow = 1;
constexpr int kFirstMatchRow = 2;
constexpr int kBottomRow = kFirstMatchRow + 13;
const char* const kSignHeadings[3] = {"1", "X", "2"};

} // namespace

MatchWeightsWindow::MatchWeightsWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::MatchWeights);
    setWindowTitle("Valitse ottelukohtaiset painotukset ja varmat !");

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    layout->addLayout(grid);

    QGroupBox* frame = buildFrame(grid);
    for (int k = 0; k < kMatches; ++k)
        buildMatchLine(grid, k);
    frame->lower();
    buildButtons(layout);
}

// The frame "Käytä näitä" around the sign boxes, and the signs over their columns.
QGroupBox* MatchWeightsWindow::buildFrame(QGridLayout* grid)
{
    auto* frame = new QGroupBox("Käytä näitä", this);
    frame->setObjectName("Frame1");
    grid->addWidget(frame, kTitleRow, kFrameLeft, kBottomRow - kTitleRow + 1, kFrameRight - kFrameLeft + 1);
    grid->setRowMinimumHeight(kTitleRow, fontMetrics().height() + 2);
    grid->setRowMinimumHeight(kBottomRow, 6);
    grid->setColumnMinimumWidth(kGap, 10);
    grid->setColumnMinimumWidth(kFrameLeft, 12);
    grid->setColumnMinimumWidth(kFrameRight, 12);

    for (int s = 0; s < 3; ++s) {
        auto* heading = makeLabel(this, kSignHeadings[s], QString("otsikko_%1").arg(s));
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, kHeadingRow, kFirstBox + s, Qt::AlignCenter);
    }
    return frame;
}

void MatchWeightsWindow::buildMatchLine(QGridLayout* grid, int k)
{
    const SharedState& s = state();
    QFont bold = font();
    bold.setBold(true);
    const int row = kFirstMatchRow + k;
    auto* number = makeLabel(this, signedNumber(k + 1), QString("nro_%1").arg(k));
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(number, row, kNumber);

    auto* sign = makeLabel(this, s.BasicSigns[k], QString("Label1_%1").arg(k));
    sign->setFont(bold);
    sign->setAlignment(Qt::AlignCenter);
    sign->setMinimumWidth(fontMetrics().horizontalAdvance("XX"));
    grid->addWidget(sign, row, kSign);

    weightBars_[k] = makeWeightBar(this, QString("HH1_%1").arg(k), kMinWeight, kMaxWeight, kMinWeight);
    weightBars_[k]->setMinimumWidth(150);
    grid->addWidget(weightBars_[k], row, kBar);

    weightPercents_[k] = makeLabel(this, weightLabel(kMinWeight), QString("L1_%1").arg(k));
    weightPercents_[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    weightPercents_[k]->setMinimumWidth(fontMetrics().horizontalAdvance("100 %"));
    grid->addWidget(weightPercents_[k], row, kPercent);
    connect(weightBars_[k], &QScrollBar::valueChanged, this,
            [this, k](int value) { weightPercents_[k]->setText(weightLabel(value)); });

    const QString bankerCaption = " < " + QString::number(k + 1) + (k + 1 < 10 ? "   " : " ") + "Varma";
    bankers_[k] = new QCheckBox(bankerCaption, this);
    bankers_[k]->setObjectName(QString("Check%1").arg(k + 1));
    grid->addWidget(bankers_[k], row, kBanker);
    connect(bankers_[k], &QCheckBox::toggled, this, [this, k](bool on) { bankerToggled(k, on); });

    // The basic sign cannot be left out, so its box is not offered.
    const int basic = signIndex(s.BasicSigns[k].isEmpty() ? 0 : s.BasicSigns[k][0].toLatin1());
    for (int sg = 0; sg < 3; ++sg) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QString("j%1_%2").arg(k + 1).arg(sg));
        box->setChecked(true);
        box->setVisible(sg != basic);
        box->setToolTip(QString(SharedText::MatchSignName).arg(k + 1).arg(kSignHeadings[sg]));
        grid->addWidget(box, row, kFirstBox + sg, Qt::AlignCenter);
        signBoxes_[k][sg] = box;
        connect(box, &QCheckBox::clicked, this, [this, k, sg](bool checked) { signBoxToggled(k, sg, checked); });
    }
    state().ExcludedSigns[k] = kNoExcludedSign;
}

void MatchWeightsWindow::buildButtons(QVBoxLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    auto* hint = makeButton(this, "Command1", "Vinkki");
    auto* ok = makeButton(this, "Ovalmis", "&OK");
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(hint);
    buttons->addWidget(ok);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab goes along each line, then to the next match.
    QWidget* previous = nullptr;
    for (int k = 0; k < kMatches; ++k) {
        for (QWidget* w : {static_cast<QWidget*>(weightBars_[k]), static_cast<QWidget*>(bankers_[k]),
                           static_cast<QWidget*>(signBoxes_[k][0]), static_cast<QWidget*>(signBoxes_[k][1]),
                           static_cast<QWidget*>(signBoxes_[k][2])}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, hint);
    setTabOrder(hint, ok);

    connect(hint, &QPushButton::clicked, this, [this] { showHint(); });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, ok, [this] { close(); });
    weightBars_[0]->setFocus();
}

void MatchWeightsWindow::signBoxToggled(int match, int sign, bool checked)
{
    SignBoxes& boxes = signChoices_[match];
    boxes.on[sign] = checked;
    signBoxClicked(boxes, sign);
    for (int s = 0; s < 3; ++s) {
        const QSignalBlocker block(signBoxes_[match][s]);
        signBoxes_[match][s]->setChecked(boxes.on[s]);
    }
    state().ExcludedSigns[match] = boxes.excluded;
}

void MatchWeightsWindow::bankerToggled(int match, bool banker)
{
    // A banker always takes the basic sign: its weight and signs do not matter then.
    weightBars_[match]->setEnabled(!banker);
    weightPercents_[match]->setEnabled(!banker);
    for (QCheckBox* box : signBoxes_[match])
        box->setEnabled(!banker);
}

void MatchWeightsWindow::showHint()
{
    message(QString("Normaalisti arvonnassa on käytössä kaikki merkit.") + kLineBreak +
                "Voit hylätä joka kohteesta yhden merkin" + kLineBreak + "joka ei tule mukaan arvottaviin riveihin." +
                kLineBreak + "Poista vain merkki jota et halua mukaan.",
            Messages::Information);
}

void MatchWeightsWindow::accept()
{
    MatchValues weights{};
    for (int k = 0; k < kMatches; ++k)
        weights[k] = bankers_[k]->isChecked() ? kBankerWeight : weightBars_[k]->value();
    const WeightTotals totals = weightTotals(weights);
    SharedState& s = state();
    s.BankerCount = totals.bankerCount;
    if (totals.bankerCount > 12) {
        message(Texts::TooManyBankers, Messages::Exclamation);
        return;
    }
    s.MatchWeights = weights;
    s.FreeMatchCount = totals.freeMatchCount;
    s.FullSystemSize = totals.fullSystemSize;
    s.PerMatchWeights = 1;
    handOver(WindowName::RowCount);
}

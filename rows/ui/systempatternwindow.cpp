#include "rows/ui/systempatternwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/dialogkeys.h"
#include "rows/harava.h"
#include "rows/patternaccept.h"
#include "rows/rowentry.h"
#include "rows/ui/couponcolumn.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const HaravaSystem* chosenSystem(const SharedState& s)
{
    if (s.HaravaTask != 1 || s.SystemLetter.isEmpty())
        return nullptr;
    return haravaByLetter(s.SystemLetter[0]);
}

} // namespace

SystemPatternWindow::SystemPatternWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::SystemPattern);
    setWindowTitle("Harava");

    Label1 = new QLabel(" Laita haravasi sarakkeeseen.", this);
    Label1->setObjectName("Label1");
    Label1->setTextFormat(Qt::PlainText);
    QFont strong = Label1->font();
    strong.setBold(true);
    Label1->setFont(strong);

    auto* panel1 = new QFrame(this);
    panel1->setObjectName("SSPanel1");
    auto* panel1Layout = new QHBoxLayout(panel1);
    panel1Layout->setContentsMargins(0, 0, 0, 0);
    column_ = new CouponColumn("rtaus", {"yksi", "risti", "kaksi"}, panel1);
    panel1Layout->addWidget(column_, 0, Qt::AlignTop);

    muoto = new QLabel(panel1);
    muoto->setObjectName("muoto");
    muoto->setTextFormat(Qt::PlainText);
    muoto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    muoto->setFrameShape(QFrame::StyledPanel);
    muoto->setMargin(6);
    muoto->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    panel1Layout->addWidget(muoto, 0, Qt::AlignTop);
    panel1Layout->addStretch(1);

    auto* panel2 = new QFrame(this);
    panel2->setObjectName("SSPanel2");
    panel2->setFrameShape(QFrame::StyledPanel);
    panel2->setFrameShadow(QFrame::Raised);
    auto* kes = new QPushButton("&Peruuta", panel2);
    kes->setObjectName("kes");
    auto* sainperusrivin = new QPushButton("&OK", panel2);
    sainperusrivin->setObjectName("sainperusrivin");
    sainperusrivin->setDefault(true);
    auto* buttons = new QHBoxLayout(panel2);
    buttons->addStretch(1);
    buttons->addWidget(sainperusrivin);
    buttons->addWidget(kes);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1);
    layout->addWidget(panel1);
    layout->addWidget(panel2);

    QList<QWidget*> order = column_->tabOrder();
    order << sainperusrivin << kes;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    bindDialogKeys(this, sainperusrivin, [kes] { kes->click(); });

    connect(column_, &CouponColumn::signClicked, this, &SystemPatternWindow::markClicked);
    connect(sainperusrivin, &QPushButton::clicked, this, &SystemPatternWindow::accept);
    connect(kes, &QPushButton::clicked, this, [this] { finish(); });

    // Load
    SharedState& s = state();
    s.BankerHits = 0;
    if (s.HaravaTask == 1)
        setWindowTitle("Harava - ( " + s.SystemName + " )");
    // The buttons show the pattern the shared state holds, and the count agrees with them.
    for (int sign = 0; sign < 3; ++sign)
        for (int k = 0; k < kMatches; ++k)
            column_->setMarked(sign, k, s.SystemMarks[sign][k] == 1);
    s.BasicSignCount = markCount(s.SystemMarks);
    muoto->setVisible(chosenSystem(s) != nullptr);
    showShape();
    column_->button(0, 0)->setFocus();
}

void SystemPatternWindow::markClicked(int sign, int match)
{
    toggleSystemMark(state(), sign, match);
    column_->setMarked(sign, match, state().SystemMarks[sign][match] == 1);
    showShape();
}

void SystemPatternWindow::showShape()
{
    const HaravaSystem* system = chosenSystem(state());
    if (!system)
        return;
    const PatternCounts counts = countPattern(state().SystemMarks);
    const auto line = [](const char* what, int now, int needed) {
        return QStringLiteral("%1 %2 / %3").arg(QString::fromUtf8(what), -22).arg(now, 2).arg(needed, 2);
    };
    muoto->setText(QStringList{line("Varmoja:", counts.oneSign, system->oneSign),
                               line("Osittainvaihdeltuja:", counts.twoSign, system->twoSign),
                               line("Täysinvaihdeltuja:", counts.threeSign, system->threeSign),
                               line("Merkkejä:", counts.marks, system->totalMarks)}
                       .join('\n'));
}

void SystemPatternWindow::accept()
{
    SharedState& s = state();
    const int marks = s.BasicSignCount;
    const PatternOutcome outcome = acceptPattern(s);
    bool handedOver = false;
    switch (outcome) {
    case PatternOutcome::TooFewMarks:
    case PatternOutcome::EmptyMatch:
    case PatternOutcome::WrongShape:
        message(patternRefusal(outcome), Messages::Critical);
        return;
    case PatternOutcome::CheckTypedSystem:
    case PatternOutcome::CheckHarava:
        handedOver = handOver(WindowName::Checking);
        break;
    case PatternOutcome::DrawRandomSystem:
        handedOver = handOver(WindowName::RowCount);
        break;
    }
    // While the next window is missing the marks stay usable here.
    if (!handedOver)
        s.BasicSignCount = marks;
}

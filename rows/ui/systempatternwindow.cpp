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

    promptLabel_ = new QLabel(" Laita haravasi sarakkeeseen.", this);
    promptLabel_->setObjectName("Label1");
    promptLabel_->setTextFormat(Qt::PlainText);
    QFont strong = promptLabel_->font();
    strong.setBold(true);
    promptLabel_->setFont(strong);

    auto* patternPanel = new QFrame(this);
    patternPanel->setObjectName("SSPanel1");
    auto* patternLayout = new QHBoxLayout(patternPanel);
    patternLayout->setContentsMargins(0, 0, 0, 0);
    patternColumn_ = new CouponColumn("rtaus", {"yksi", "risti", "kaksi"}, patternPanel);
    patternLayout->addWidget(patternColumn_, 0, Qt::AlignTop);

    shapeLabel_ = new QLabel(patternPanel);
    shapeLabel_->setObjectName("muoto");
    shapeLabel_->setTextFormat(Qt::PlainText);
    shapeLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shapeLabel_->setFrameShape(QFrame::StyledPanel);
    shapeLabel_->setMargin(6);
    shapeLabel_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    patternLayout->addWidget(shapeLabel_, 0, Qt::AlignTop);
    patternLayout->addStretch(1);

    auto* buttonPanel = new QFrame(this);
    buttonPanel->setObjectName("SSPanel2");
    buttonPanel->setFrameShape(QFrame::StyledPanel);
    buttonPanel->setFrameShadow(QFrame::Raised);
    auto* cancelButton = new QPushButton("&Peruuta", buttonPanel);
    cancelButton->setObjectName("kes");
    auto* okButton = new QPushButton("&OK", buttonPanel);
    okButton->setObjectName("sainperusrivin");
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout(buttonPanel);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(promptLabel_);
    layout->addWidget(patternPanel);
    layout->addWidget(buttonPanel);

    QList<QWidget*> order = patternColumn_->tabOrder();
    order << okButton << cancelButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    bindDialogKeys(this, okButton, [cancelButton] { cancelButton->click(); });

    connect(patternColumn_, &CouponColumn::signClicked, this, &SystemPatternWindow::markClicked);
    connect(okButton, &QPushButton::clicked, this, &SystemPatternWindow::accept);
    connect(cancelButton, &QPushButton::clicked, this, [this] { finish(); });

    // Load
    SharedState& s = state();
    s.BankerHits = 0;
    if (s.HaravaTask == 1)
        setWindowTitle("Harava - ( " + s.SystemName + " )");
    // The buttons show the pattern the shared state holds, and the count agrees with them.
    for (int sign = 0; sign < 3; ++sign)
        for (int k = 0; k < kMatches; ++k)
            patternColumn_->setMarked(sign, k, s.SystemMarks[sign][k] == 1);
    s.BasicSignCount = markCount(s.SystemMarks);
    shapeLabel_->setVisible(chosenSystem(s) != nullptr);
    showShape();
    patternColumn_->button(0, 0)->setFocus();
}

void SystemPatternWindow::markClicked(int sign, int match)
{
    toggleSystemMark(state().SystemMarks, state().BasicSignCount, sign, match);
    patternColumn_->setMarked(sign, match, state().SystemMarks[sign][match] == 1);
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
    shapeLabel_->setText(QStringList{line("Varmoja:", counts.oneSign, system->oneSign),
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

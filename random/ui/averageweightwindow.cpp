#include "random/ui/averageweightwindow.h"
#include "base/ui/windownames.h"

#include "base/ui/dialogkeys.h"
#include "random/ui/controls.h"
#include "random/weights.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

AverageWeightWindow::AverageWeightWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::AverageWeight);
    setWindowTitle("Valitse painotus % ( keskim. )");

    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(panel);
    weightBar_ = makeWeightBar(panel, "Jana", kMinWeight, kMaxWeight, kMinWeight);
    weightBar_->setMinimumWidth(260);
    weightPercent_ = makeLabel(panel, weightLabel(kMinWeight), "Arvo");
    weightPercent_->setMinimumWidth(weightPercent_->fontMetrics().horizontalAdvance("100 %"));
    weightPercent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(weightBar_, 1);
    row->addSpacing(8);
    row->addWidget(weightPercent_);
    layout->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    auto* ok = makeButton(this, "Valittup", "&OK");
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(weightBar_, &QScrollBar::valueChanged, this,
            [this](int value) { weightPercent_->setText(weightLabel(value)); });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, ok, [this] { close(); });
    weightBar_->setFocus();
}

void AverageWeightWindow::accept()
{
    state().CommonWeight = weightBar_->value();
    state().DrawCount = 0;
    handOver(WindowName::RowCount);
}

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
    Jana = makeWeightBar(panel, "Jana", kMinWeight, kMaxWeight, kMinWeight);
    Jana->setMinimumWidth(260);
    Arvo = makeLabel(panel, weightLabel(kMinWeight), "Arvo");
    Arvo->setMinimumWidth(Arvo->fontMetrics().horizontalAdvance("100 %"));
    Arvo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(Jana, 1);
    row->addSpacing(8);
    row->addWidget(Arvo);
    layout->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    auto* ok = makeButton(this, "Valittup", "&OK");
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Jana, &QScrollBar::valueChanged, this, [this](int value) { Arvo->setText(weightLabel(value)); });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, ok, [this] { close(); });
    Jana->setFocus();
}

void AverageWeightWindow::accept()
{
    state().CommonWeight = Jana->value();
    state().DrawCount = 0;
    handOver(WindowName::RowCount);
}

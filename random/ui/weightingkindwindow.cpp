#include "random/ui/weightingkindwindow.h"
#include "base/ui/windownames.h"

#include "base/ui/dialogkeys.h"
#include "random/ui/controls.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

WeightingKindWindow::WeightingKindWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::WeightingKind);
    setWindowTitle("Valitse painotus !");

    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* options = new QVBoxLayout(panel);
    perMatch_ = makeOption(panel, "Option1_1", "< Ottelukohtainen painotus");
    common_ = makeOption(panel, "Option1_0", "< Sama painotus kaikille");
    options->addWidget(perMatch_);
    options->addSpacing(6);
    options->addWidget(common_);
    common_->setChecked(true);
    layout->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    auto* ok = makeButton(this, "ValittuPainotus", "&OK");
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(260);

    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, ok, [this] { close(); });
}

void WeightingKindWindow::accept()
{
    if (perMatch_->isChecked())
        state().WeightedDraw = 1;
    else if (common_->isChecked())
        state().WeightedDraw = 0;
    handOver(WindowName::BasicRow);
}

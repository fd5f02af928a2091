#include "rows/ui/reducedsystemchoicewindow.h"
#include "base/ui/windownames.h"

#include "base/ui/dialogkeys.h"
#include "rows/harava.h"
#include "rows/ui/couponcolumn.h"
#include "rows/ui/sharedtexts.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// What the player has to mark for a system, in the coupon's own words.
QString shapeText(const HaravaSystem& system)
{
    // One takes the singular, more the partitive.
    const auto count = [](int n, const char* one, const char* more) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : more));
    };
    QStringList parts;
    parts << count(system.oneSign, "varma", "varmaa");
    if (system.twoSign > 0)
        parts << count(system.twoSign, "osittainvaihdeltu", "osittainvaihdeltua");
    parts << count(system.threeSign, "täysinvaihdeltu", "täysinvaihdeltua");
    return parts.join(", ") + QStringLiteral(" – %1 riviä").arg(system.rows);
}

} // namespace

ReducedSystemChoiceWindow::ReducedSystemChoiceWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::ReducedSystemChoice);
    setWindowTitle("Valitse harava");

    auto* panel = new QFrame(this);
    panel->setObjectName("SSPanel1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(16);
    const auto& systems = haravaSystems();
    for (int i = 0; i < int(systems.size()); ++i) {
        systemOptions_[i] = new QRadioButton(systems[i].name, panel);
        systemOptions_[i]->setObjectName(QStringLiteral("hara_%1").arg(i));
        auto* shape = new QLabel(shapeText(systems[i]), panel);
        shape->setObjectName(QStringLiteral("muoto_%1").arg(i));
        grid->addWidget(systemOptions_[i], i, 0);
        grid->addWidget(shape, i, 1);
    }

    auto* okButton = new QPushButton("&OK", this);
    okButton->setObjectName("Command1");
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton("&Peruuta", this);
    cancelButton->setObjectName("kes");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    bindDialogKeys(this, okButton, [cancelButton] { cancelButton->click(); });

    connect(okButton, &QPushButton::clicked, this, &ReducedSystemChoiceWindow::choose);
    connect(cancelButton, &QPushButton::clicked, this, [this] { finish(); });
    for (QRadioButton* option : systemOptions_)
        connect(option, &QRadioButton::toggled, okButton, [this, okButton] {
            // Nothing to accept until a system is chosen.
            okButton->setEnabled(
                std::any_of(systemOptions_.begin(), systemOptions_.end(), [](auto* b) { return b->isChecked(); }));
        });
    okButton->setEnabled(false);
    systemOptions_[0]->setFocus();
}

void ReducedSystemChoiceWindow::choose()
{
    SharedState& s = state();
    const HaravaSystem* system = nullptr;
    for (int i = 0; i < int(systemOptions_.size()); ++i)
        if (systemOptions_[i]->isChecked())
            system = &haravaSystems()[i];
    if (!system)
        return;
    s.SystemColumns = system->columns;
    s.CurrentFileTitle = system->workFile;
    s.SystemName = system->name;
    s.CurrentFile = QDir(s.ProgramDir).filePath(s.CurrentFileTitle);
    s.SystemLetter = s.CurrentFileTitle.left(1);
    s.RowCount = system->rows;
    s.CodedResult.fill(QStringLiteral(" "));
    handOver(WindowName::BasicRow, {{"", SharedText::CorrectRowTitle}, {"Label1", "             Anna oikea rivi."}});
}

#include "random/ui/drawkindwindow.h"
#include "base/ui/windownames.h"

#include "base/ui/dialogkeys.h"
#include "random/ui/controls.h"
#include "rows/ui/sharedtexts.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

DrawKindWindow::DrawKindWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::DrawKind);
    setWindowTitle("Painotetut vai Järjestelmä ?");

    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->setVerticalSpacing(2);
    grid->setColumnMinimumWidth(0, 24);

    const QString captions[3] = {"<  Arvo painotetut hajarivit. ", "<  Arvo hajarivijärjestelmä.",
                                 "<  Luo oma systeemi."};
    const QString notes[3] = {"    Kaikki merkit käytössä !", "Vain halutut merkit käytössä !", QString()};
    auto* group = new QButtonGroup(this);
    QLabel* noteOf[3] = {};
    int row = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            grid->setRowMinimumHeight(row++, 10);
        auto* option = makeOption(panel, QString("Option1_%1").arg(i), captions[i]);
        group->addButton(option, i);
        grid->addWidget(option, row++, 0, 1, 2);
        if (!notes[i].isEmpty()) {
            // Right-aligned, so the notes line up whatever blanks lead them.
            noteOf[i] = makeLabel(panel, notes[i], QString("Label%1").arg(i + 1));
            grid->addWidget(noteOf[i], row++, 1, Qt::AlignRight);
        }
        connect(option, &QRadioButton::clicked, this, [this, i] { state().DrawMode = i; });
    }
    // A random-row system needs the pattern window, an own system its own windows.
    const bool available[3] = {true, services().windows.available(WindowName::SystemPattern),
                               services().windows.available(WindowName::OwnSystemShape)};
    for (int i = 1; i < 3; ++i) {
        group->button(i)->setEnabled(available[i]);
        if (noteOf[i])
            noteOf[i]->setEnabled(available[i]);
    }
    group->button(0)->setChecked(true);
    state().DrawMode = 0;
    layout->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    auto* ok = makeButton(this, "Command1", "&OK");
    auto* help = makeButton(this, "Command2", "&Apua");
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(help, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    bindDialogKeys(this, ok, [this] { close(); });
}

void DrawKindWindow::accept()
{
    switch (state().DrawMode) {
    case 1:
        handOver(WindowName::SystemPattern,
                 {{"", SharedText::TypedSystemTitle}, {"Label1", SharedText::TypedSystemPrompt}});
        break;
    case 2:
        handOver(WindowName::OwnSystemShape);
        break;
    default:
        handOver(WindowName::WeightingKind);
        break;
    }
}

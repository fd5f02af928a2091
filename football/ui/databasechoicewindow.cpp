#include "football/ui/databasechoicewindow.h"
#include "base/ui/windownames.h"

#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "football/ui/footballtexts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace football;

namespace {
const char* const kTargets[4] = {WindowName::Teams, WindowName::Players, WindowName::Results, WindowName::LeagueTable};
}

DatabaseChoiceWindow::DatabaseChoiceWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::DatabaseChoice);
    setWindowTitle("Tietokannat");

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    auto* options = new QVBoxLayout(frame);
    const char* const captions[4] = {kTeamDatabaseTitle, kPlayerDatabaseTitle, kResultsTitle, kLeagueTableTitle};
    for (int i = 0; i < 4; ++i) {
        targetOptions_[i] = makeRadio(frame, QString("Option1_%1").arg(i), QString::fromUtf8(captions[i]));
        targetOptions_[i]->setEnabled(services().windows.available(kTargets[i]));
        options->addWidget(targetOptions_[i]);
    }
    targetOptions_[0]->setChecked(true);
    layout->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    auto* okButton = makeButton(this, "MhCommand1", "&OK");
    okButton->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    layout->addLayout(buttons);
    setMinimumWidth(240);

    connect(okButton, &QPushButton::clicked, this, [this] { openChoice(); });
    bindDialogKeys(this, okButton, [this] { finish(); });
}

void DatabaseChoiceWindow::openChoice()
{
    for (int i = 0; i < 4; ++i) {
        if (!targetOptions_[i]->isChecked())
            continue;
        BusyCursor busy;
        handOver(kTargets[i]);
        return;
    }
}

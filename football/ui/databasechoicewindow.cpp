#include "football/ui/databasechoicewindow.h"
#include "base/ui/windownames.h"

#include "base/ui/busycursor.h"
#include "base/ui/dialogkeys.h"
#include "football/ui/footballui.h"

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
    const char* const captions[4] = {"Joukkue tietokanta", "Pelaaja tietokanta", "Tulokset", "Sarjatilanne"};
    for (int i = 0; i < 4; ++i) {
        Option1[i] = makeRadio(frame, QString("Option1_%1").arg(i), QString::fromUtf8(captions[i]));
        Option1[i]->setEnabled(services().windows.available(kTargets[i]));
        options->addWidget(Option1[i]);
    }
    Option1[0]->setChecked(true);
    layout->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    auto* ok = makeButton(this, "MhCommand1", "&OK");
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    setMinimumWidth(240);

    connect(ok, &QPushButton::clicked, this, [this] { openChoice(); });
    bindDialogKeys(this, ok, [this] { finish(); });
}

void DatabaseChoiceWindow::openChoice()
{
    for (int i = 0; i < 4; ++i) {
        if (!Option1[i]->isChecked())
            continue;
        BusyCursor busy;
        handOver(kTargets[i]);
        return;
    }
}

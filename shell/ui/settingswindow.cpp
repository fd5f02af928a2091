#include "shell/ui/settingswindow.h"
#include "base/ui/windownames.h"

#include "base/platformpaths.h"
#include "base/textformat.h"
#include "base/ui/controls.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

} // namespace

SettingsWindow::SettingsWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Settings);
    setWindowTitle(kProgramTitle);

    auto* layout = new QVBoxLayout(this);
    auto pathFrame = [this, layout](const QString& title, const QString& buttonName, const QString& caption,
                                    const QString& editName) {
        auto* frame = new QGroupBox(title, this);
        auto* row = new QHBoxLayout(frame);
        auto* b = makeButton(frame, buttonName, caption);
        auto* edit = new QLineEdit(frame);
        edit->setObjectName(editName);
        edit->setMinimumWidth(280);
        row->addWidget(b);
        row->addWidget(edit, 1);
        layout->addWidget(frame);
        return std::make_pair(b, edit);
    };
    auto [command6, text3] = pathFrame("Muistio", "Command6", "Valitse &muistio", "Text3");
    auto [command5, text2] = pathFrame("Kalenteri", "Command5", "V&alitse kalenteri", "Text2");
    auto [command3, text1] = pathFrame("WWW-lukija", "Command3", "&Valitse WWW-lukija", "Text1");
    Text1 = text1;
    Text2 = text2;
    Text3 = text3;

    auto* switches = new QGroupBox(this);
    switches->setObjectName("Frame4");
    auto* grid = new QGridLayout(switches);
    auto* command4 = makeButton(switches, "Command4", "Valitse &kirjoitin");
    info = makeCheckBox(switches, "info", "Näytä info");
    aanet = makeCheckBox(switches, "aanet", "Äänet");
    varmis = makeCheckBox(switches, "varmis", "Tallennusvarmistukset");
    grid->addWidget(command4, 0, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(info, 0, 1);
    grid->addWidget(aanet, 1, 1);
    grid->addWidget(varmis, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addWidget(switches);

    auto* buttons = new QHBoxLayout;
    auto* command1 = makeButton(this, "Command1", "&Tallenna");
    auto* command2 = makeButton(this, "Command2", "&Peruuta");
    command1->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(command1);
    buttons->addWidget(command2);
    layout->addLayout(buttons);

    connect(command6, &QPushButton::clicked, this,
            [this] { browse(Text3, "Valitse muistio !", "Teksturit (*.EXE)|*.EXE"); });
    connect(command5, &QPushButton::clicked, this,
            [this] { browse(Text2, "Valitse kalenteri !", "Kalenterit (*.EXE)|*.EXE"); });
    connect(command3, &QPushButton::clicked, this,
            [this] { browse(Text1, "Valitse WWW-lukija !", "WWW-lukijat (*.EXE)|*.EXE"); });
    connect(command4, &QPushButton::clicked, this, [this] { services().printer.setup(); });
    connect(command1, &QPushButton::clicked, this, [this] { save(); });
    connect(command2, &QPushButton::clicked, this, [this] { finish(); });

    // Load
    Settings& settings = services().settings;
    aanet->setChecked(leadingInt(settings.read(keys::Sounds)) == 1);
    state().SoundOn = aanet->isChecked() ? 1 : 0;
    info->setChecked(leadingInt(settings.read(keys::InfoInSettingsWindow)) == 1);
    varmis->setChecked(leadingInt(settings.read(keys::SaveConfirm)) == 1);
    Text1->setText(settings.read(keys::WwwReader, defaultProgramPath(HelperProgram::WwwReader)));
    Text2->setText(settings.read(keys::Calendar, defaultProgramPath(HelperProgram::Calendar)));
    Text3->setText(settings.read(keys::Notepad, defaultProgramPath(HelperProgram::Notepad)));
}

void SettingsWindow::browse(QLineEdit* target, const QString& title, const QString& filter)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    const QString path = services().fileDialogs.openFile(request);
    QCoreApplication::processEvents();
    if (!path.isEmpty())
        target->setText(path);
    restoreProgramDir();
}

void SettingsWindow::save()
{
    Settings& settings = services().settings;
    bool saved = settings.write(keys::Sounds, aanet->isChecked() ? "1" : "0");
    saved = settings.write(keys::Info, info->isChecked() ? "1" : "0") && saved;
    saved = settings.write(keys::SaveConfirm, varmis->isChecked() ? "1" : "0") && saved;
    saved = settings.write(keys::WwwReader, Text1->text()) && saved;
    saved = settings.write(keys::Calendar, Text2->text()) && saved;
    saved = settings.write(keys::Notepad, Text3->text()) && saved;
    if (!saved) {
        // The choices stay in the window, so the user can free the file and save again or cancel.
        message(QStringLiteral("Asetuksia ei voitu tallentaa !") + kLineBreak + settings.fileName(), Messages::Critical,
                "Tallenna");
        return;
    }
    state().SoundOn = aanet->isChecked() ? 1 : 0;
    state().SaveConfirm = varmis->isChecked() ? 1 : 0;
    finish();
}

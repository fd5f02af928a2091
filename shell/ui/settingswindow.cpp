#include "shell/ui/settingswindow.h"
#include "base/ui/windownames.h"

#include "base/platformpaths.h"
#include "base/textformat.h"
#include "base/ui/controls.h"

#include <QCheckBox>
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
    auto [notepadButton, notepadEdit] = pathFrame("Muistio", "Command6", "Valitse &muistio", "Text3");
    auto [calendarButton, calendarEdit] = pathFrame("Kalenteri", "Command5", "V&alitse kalenteri", "Text2");
    auto [wwwReaderButton, wwwReaderEdit] = pathFrame("WWW-lukija", "Command3", "&Valitse WWW-lukija", "Text1");
    wwwReaderEdit_ = wwwReaderEdit;
    calendarEdit_ = calendarEdit;
    notepadEdit_ = notepadEdit;

    auto* switches = new QGroupBox(this);
    switches->setObjectName("Frame4");
    auto* grid = new QGridLayout(switches);
    auto* printerButton = makeButton(switches, "Command4", "Valitse &kirjoitin");
    showInfoCheck_ = makeCheckBox(switches, "info", "Näytä info");
    soundsCheck_ = makeCheckBox(switches, "aanet", "Äänet");
    saveConfirmCheck_ = makeCheckBox(switches, "varmis", "Tallennusvarmistukset");
    grid->addWidget(printerButton, 0, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(showInfoCheck_, 0, 1);
    grid->addWidget(soundsCheck_, 1, 1);
    grid->addWidget(saveConfirmCheck_, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addWidget(switches);

    auto* buttons = new QHBoxLayout;
    auto* saveButton = makeButton(this, "Command1", "&Tallenna");
    auto* cancelButton = makeButton(this, "Command2", "&Peruuta");
    saveButton->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    connect(notepadButton, &QPushButton::clicked, this,
            [this] { browse(notepadEdit_, "Valitse muistio !", "Teksturit (*.EXE)|*.EXE"); });
    connect(calendarButton, &QPushButton::clicked, this,
            [this] { browse(calendarEdit_, "Valitse kalenteri !", "Kalenterit (*.EXE)|*.EXE"); });
    connect(wwwReaderButton, &QPushButton::clicked, this,
            [this] { browse(wwwReaderEdit_, "Valitse WWW-lukija !", "WWW-lukijat (*.EXE)|*.EXE"); });
    connect(printerButton, &QPushButton::clicked, this, [this] { services().printer.setup(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { finish(); });

    // Load
    Settings& settings = services().settings;
    soundsCheck_->setChecked(leadingInt(settings.read(keys::Sounds)) == 1);
    state().SoundOn = soundsCheck_->isChecked() ? 1 : 0;
    showInfoCheck_->setChecked(leadingInt(settings.read(keys::InfoInSettingsWindow)) == 1);
    saveConfirmCheck_->setChecked(leadingInt(settings.read(keys::SaveConfirm)) == 1);
    wwwReaderEdit_->setText(settings.read(keys::WwwReader, defaultProgramPath(HelperProgram::WwwReader)));
    calendarEdit_->setText(settings.read(keys::Calendar, defaultProgramPath(HelperProgram::Calendar)));
    notepadEdit_->setText(settings.read(keys::Notepad, defaultProgramPath(HelperProgram::Notepad)));
}

void SettingsWindow::browse(QLineEdit* target, const QString& title, const QString& filter)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    // Programs are no files of the player's: the dialog starts where it always did.
    request.directory = state().ProgramDir;
    const QString path = services().fileDialogs.openFile(request);
    if (!path.isEmpty())
        target->setText(path);
    restoreProgramDir();
}

void SettingsWindow::save()
{
    Settings& settings = services().settings;
    // After a failed write the others would only wait and fail the same way.
    const Outcome<> saved = settings.write({{keys::Sounds, soundsCheck_->isChecked() ? "1" : "0"},
                                            {keys::Info, showInfoCheck_->isChecked() ? "1" : "0"},
                                            {keys::SaveConfirm, saveConfirmCheck_->isChecked() ? "1" : "0"},
                                            {keys::WwwReader, wwwReaderEdit_->text()},
                                            {keys::Calendar, calendarEdit_->text()},
                                            {keys::Notepad, notepadEdit_->text()}});
    if (!saved) {
        // The choices stay in the window, so the user can free the file and save again or cancel.
        message(saved.failure().message, Messages::Critical, "Tallenna");
        return;
    }
    state().SoundOn = soundsCheck_->isChecked() ? 1 : 0;
    state().SaveConfirm = saveConfirmCheck_->isChecked() ? 1 : 0;
    finish();
}

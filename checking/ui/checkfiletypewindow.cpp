#include "checking/ui/checkfiletypewindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/ui/rowfileflows.h"
#include "rows/ui/sharedtexts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const WindowTexts kCorrectRowTexts = {{"", SharedText::CorrectRowTitle}, {"Label1", SharedText::CorrectRowPrompt}};

} // namespace

CheckFileTypeWindow::CheckFileTypeWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::CheckFileType);
    setWindowTitle("Valitse tiedostotyyppi.");

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    auto* options = new QVBoxLayout(frame);
    fileTypeOptions_ = new QButtonGroup(this);
    const char* captions[] = {" < Hajarivit.", " < Vakio järjestelmä.", " < Oma systeemi."};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        option->setObjectName(QString("O1_%1").arg(i));
        fileTypeOptions_->addButton(option, i);
        options->addWidget(option);
    }
    layout->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("Command1");
    ok->setDefault(true);
    auto* help = new QPushButton("&Apua", this);
    help->setObjectName("Command2");
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(fileTypeOptions_, &QButtonGroup::idClicked, this, [this](int id) { choose(id); });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(help, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });

    fileTypeOptions_->button(0)->setChecked(true);
    fileTypeOptions_->button(0)->setFocus();
    state().CheckFileType = 1;
    state().RowSource = 1;
}

void CheckFileTypeWindow::choose(int option)
{
    SharedState& s = state();
    s.RowSource = option == 1 ? 0 : 1;
    s.CheckTask = option == 1 ? 0 : 1;
    s.CheckFileType = option + 1;
}

void CheckFileTypeWindow::accept()
{
    SharedState& s = state();
    if (s.RowSource == 0) {
        handOver(WindowName::BasicRow, kCorrectRowTexts);
        return;
    }
    s.DialogMode = 1;
    s.SystemLoaded = 0;
    const bool ownSystem = s.CheckFileType == 3;
    s.CurrentFile = ownSystem ? ChooseRowFile(context(), "Valitse oma systeemi !", "Rivitiedostot (*.STM)|*.STM")
                              : ChooseRowFile(context(), "Valitse hajarivit !", "Rivitiedostot (*.1X2)|*.1X2");
    restoreProgramDir();
    if (s.CurrentFile.isEmpty())
        return;
    if (isSystemFileName(s.CurrentFile))
        s.SystemLoaded = 1;
    if (!ReadRowFile(context(), RowReader::Checking, Texts::ThisFileUnreadable))
        return;
    if (s.SystemLoaded == 1)
        handOver(WindowName::Conversion);
    else
        handOver(WindowName::BasicRow, kCorrectRowTexts);
}

#include "printing/ui/printtargetwindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/rowfile.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "printing/listing.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// PrintTarget of each option, top to bottom.
constexpr int kTargets[3] = {1, 0, 2};

} // namespace

PrintTargetWindow::PrintTargetWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::PrintTarget);
    setWindowTitle("Valitse tulostuskohde");

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    auto* options = new QVBoxLayout(frame);
    const char* captions[3] = {"< Tulosta näyttöön.", "< Tulosta paperille.", "< Tulosta kupongeille."};
    for (int i = 0; i < 3; ++i) {
        targetOptions_[i] = new QRadioButton(captions[i], frame);
        targetOptions_[i]->setObjectName(QString("Option1_%1").arg(i));
        options->addWidget(targetOptions_[i], 0, Qt::AlignLeft);
        connect(targetOptions_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                state().PrintTarget = kTargets[i];
        });
    }
    layout->addWidget(frame);

    auto* row = new QHBoxLayout;
    auto* okButton = new QPushButton("&OK", this);
    okButton->setObjectName("Command1");
    auto* cancelButton = new QPushButton("&Peruuta", this);
    cancelButton->setObjectName("MHCommand1");
    auto* helpButton = new QPushButton("&Apua", this);
    helpButton->setObjectName("Command2");
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    row->addStretch(1);
    row->addWidget(helpButton);
    layout->addLayout(row);
    interfering_ = {frame, okButton, cancelButton, helpButton};

    connect(okButton, &QPushButton::clicked, this, [this] { go(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { finish(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    bindDialogKeys(this, okButton, [this] { finish(); });

    const int target = state().PrintTarget;
    targetOptions_[target == 0 ? 1 : target == 2 ? 2 : 0]->setChecked(true);
    setMinimumWidth(300);
    setMinimumSize(sizeHint());
}

void PrintTargetWindow::go()
{
    SharedState& s = state();
    if (s.SystemLoaded != 1 && !ReadRowFile(context(), RowReader::PrintTarget, Texts::FileUnreadable))
        return;
    if (s.PrintTarget == 1) {
        restoreProgramDir();
        handOver(WindowName::ScreenListing);
    } else if (s.PrintTarget == 2) {
        restoreProgramDir();
        handOver(WindowName::CouponPrint);
    } else {
        printOnPaper();
    }
}

void PrintTargetWindow::printOnPaper()
{
    const SharedState& s = state();
    message("Jos käytät jatkolomaketta, aloita arkin alusta!", Messages::Information);
    PrintDevice& printer = services().printer;
    printing_ = true;
    for (QWidget* w : interfering_)
        w->setEnabled(false);
    bool ok = printer.available();
    {
        BusyCursor busy;
        const QList<QStringList> pages =
            paperListingPages(s.Rows, s.RowCount, listedFileName(s.CurrentFileTitle, s.CurrentFile));
        if (ok) {
            printer.setFont(Texts::ListingFont, 12, false);
            printer.setCurrentX(0);
            printer.setCurrentY(0);
        }
        for (qsizetype p = 0; ok && p < pages.size(); ++p) {
            if (p > 0)
                printer.newPage();
            for (const QString& line : pages[p])
                printer.print(line);
            ok = !printer.failed();
        }
        if (ok) {
            printer.endDoc();
            ok = !printer.failed();
        } else {
            printer.killDoc();
            printer.endDoc();
        }
    }
    for (QWidget* w : interfering_)
        w->setEnabled(true);
    printing_ = false;
    if (ok)
        message("Rivit lähetetty printterille !", Messages::Information);
    else if (!printer.cancelled())
        message("En löydä printteriä !", Messages::Critical);
}

#include "printing/ui/printtargetwindow.h"
#include "base/ui/windownames.h"

#include "base/rowfile.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "printing/listing.h"

#include <QCoreApplication>
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
        Option1[i] = new QRadioButton(captions[i], frame);
        Option1[i]->setObjectName(QString("Option1_%1").arg(i));
        options->addWidget(Option1[i], 0, Qt::AlignLeft);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                state().PrintTarget = kTargets[i];
        });
    }
    layout->addWidget(frame);

    auto* row = new QHBoxLayout;
    auto* command1 = new QPushButton("&OK", this);
    command1->setObjectName("Command1");
    auto* cancel = new QPushButton("&Peruuta", this);
    cancel->setObjectName("MHCommand1");
    auto* help = new QPushButton("&Apua", this);
    help->setObjectName("Command2");
    row->addWidget(command1);
    row->addWidget(cancel);
    row->addStretch(1);
    row->addWidget(help);
    layout->addLayout(row);
    buttons_ = {frame, command1, cancel, help};

    connect(command1, &QPushButton::clicked, this, [this] { go(); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(); });
    connect(help, &QPushButton::clicked, this, [this] { services().windows.runCommand("win"); });
    bindDialogKeys(this, command1, [this] { finish(); });

    const int target = state().PrintTarget;
    Option1[target == 0 ? 1 : target == 2 ? 2 : 0]->setChecked(true);
    setMinimumWidth(300);
    setMinimumSize(sizeHint());
}

void PrintTargetWindow::go()
{
    SharedState& s = state();
    if (s.SystemLoaded != 1 && !ReadRowFile(context(), RowReader::PrintTarget, "Tiedoston luku ei onnistu !"))
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
    for (QWidget* w : buttons_)
        w->setEnabled(false);
    bool ok = printer.available();
    {
        BusyCursor busy;
        const QList<QStringList> pages = paperListingPages(s.Rows, s.RowCount, listedFileName(s));
        if (ok) {
            printer.setFont("Courier New", 12, false);
            printer.setCurrentX(0);
            printer.setCurrentY(0);
        }
        for (qsizetype p = 0; ok && p < pages.size(); ++p) {
            if (p > 0)
                printer.newPage();
            for (const QString& line : pages[p])
                printer.print(line);
            ok = !printer.failed();
            QCoreApplication::processEvents();
        }
        if (ok) {
            printer.endDoc();
        } else {
            printer.killDoc();
            printer.endDoc();
        }
    }
    for (QWidget* w : buttons_)
        w->setEnabled(true);
    printing_ = false;
    if (ok)
        message("Rivit lähetetty printterille !", Messages::Information);
    else
        message("En löydä printteriä !", Messages::Critical);
}

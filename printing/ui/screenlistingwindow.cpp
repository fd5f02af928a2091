#include "printing/ui/screenlistingwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "printing/listing.h"
#include "printing/ui/pictures.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

} // namespace

ScreenListingWindow::ScreenListingWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::ScreenListing);
    setWindowTitle("TULOSTA NÄYTTÖÖN");

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QHBoxLayout;
    heading->addWidget(makeLabel(this, " Rivejä:"));
    Label25 = makeLabel(this, QString::number(state().RowCount), "Label25");
    heading->addWidget(Label25);
    heading->addSpacing(16);
    Label2 = makeLabel(this, shortenedName(listedFileName(state())), "Label2");
    Label2->setToolTip(state().CurrentFile);
    heading->addWidget(Label2);
    heading->addStretch(1);
    heading->addWidget(makeLabel(this, " Rivit vaakasuorassa !.", "Label3"));
    layout->addLayout(heading);

    auto* middle = new QHBoxLayout;
    taulu = new QListView(this);
    taulu->setObjectName("taulu");
    model_ = new QStringListModel(this);
    taulu->setModel(model_);
    taulu->setUniformItemSizes(true);
    taulu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    taulu->setFont(listingFont());
    const QFontMetrics metrics(taulu->font());
    taulu->setMinimumWidth(metrics.horizontalAdvance(QString(36, '0')) + 24);
    taulu->setMinimumHeight(metrics.lineSpacing() * 16);
    middle->addWidget(taulu, 1);

    auto* distribution = new QGroupBox(this);
    distribution->setObjectName("Frame1");
    auto* grid = new QGridLayout(distribution);
    grid->setVerticalSpacing(1);
    grid->addWidget(makeLabel(distribution, " Merkkijakautuma:", "Label1"), 0, 0, 1, 4);
    const char* headings[3] = {" 1", " X", " 2"};
    const char* names[3] = {"L1", "Lx", "L2"};
    for (int s = 0; s < 3; ++s) {
        auto* h = makeLabel(distribution, headings[s]);
        h->setAlignment(Qt::AlignRight);
        grid->addWidget(h, 1, s + 1);
    }
    for (int k = 0; k < kMatches; ++k) {
        auto* number = makeLabel(distribution, QString::number(k + 1), QString("Label4_%1").arg(k));
        number->setAlignment(Qt::AlignRight);
        grid->addWidget(number, k + 2, 0);
        for (int s = 0; s < 3; ++s) {
            auto* count = makeLabel(distribution, QString(), QString("%1_%2").arg(names[s]).arg(k));
            count->setAlignment(Qt::AlignRight);
            count->setMinimumWidth(metrics.horizontalAdvance("000000"));
            count->setFrameShape(QFrame::StyledPanel);
            count->setFrameShadow(QFrame::Sunken);
            counts_[s][k] = count;
            grid->addWidget(count, k + 2, s + 1);
        }
    }
    grid->setRowStretch(kMatches + 2, 1);
    middle->addWidget(distribution);
    layout->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    auto* calculator = new QToolButton(this);
    calculator->setObjectName("Picture1");
    calculator->setIcon(QIcon(calculatorPicture()));
    calculator->setIconSize(calculatorPicture().size());
    calculator->setAutoRaise(true);
    calculator->setToolTip("Laskin");
    bottom->addWidget(calculator);
    bottom->addStretch(1);
    auto* command2 = new QPushButton("&TULOSTA", this);
    command2->setObjectName("Command2");
    auto* command1 = new QPushButton("&OK", this);
    command1->setObjectName("Command1");
    bottom->addWidget(command2);
    bottom->addWidget(command1);
    layout->addLayout(bottom);

    connect(command2, &QPushButton::clicked, this, [this] { fill(); });
    connect(command1, &QPushButton::clicked, this, [this] { finish(); });
    connect(calculator, &QToolButton::clicked, this, [this] { services().windows.runCommand("calc"); });
    bindDialogKeys(this, command2, [this] { finish(); });

    setMinimumSize(sizeHint());
    resize(sizeHint().width(), std::max(sizeHint().height(), 520));
}

void ScreenListingWindow::fill()
{
    const SharedState& s = state();
    SignDistribution distribution;
    {
        BusyCursor busy;
        model_->setStringList(screenListing(s.Rows, s.RowCount));
        distribution = signDistribution(s.Rows, s.RowCount);
        for (int sign = 0; sign < 3; ++sign)
            for (int k = 0; k < kMatches; ++k)
                counts_[sign][k]->setText(QString::number(distribution.counts[sign][k]));
    }
    if (distribution.faultyRows > 0)
        message("Viallinen rivitiedosto ?", Messages::Critical, "Tulosta näyttöön");
}

#include "printing/ui/screenlistingwindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowtextflows.h"
#include "printing/listing.h"
#include "printing/ui/pictures.h"

#include <QAction>
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

ScreenListingWindow::ScreenListingWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::ScreenListing);
    setWindowTitle("TULOSTA NÄYTTÖÖN");

    auto* layout = new QVBoxLayout(this);
    buildHeading(layout);
    auto* middle = new QHBoxLayout;
    buildListingView(middle);
    buildDistribution(middle);
    layout->addLayout(middle, 1);
    buildButtons(layout);
    buildExportActions();
    bindDialogKeys(this, showButton_, [this] { finish(); });

    setMinimumSize(sizeHint());
    resize(sizeHint().width(), std::max(sizeHint().height(), 520));
}

void ScreenListingWindow::buildHeading(QVBoxLayout* layout)
{
    auto* heading = new QHBoxLayout;
    heading->addWidget(makeLabel(this, " Rivejä:"));
    rowCountLabel_ = makeLabel(this, QString::number(state().RowCount), "Label25");
    heading->addWidget(rowCountLabel_);
    heading->addSpacing(16);
    fileNameLabel_ =
        makeLabel(this, shortenedName(listedFileName(state().CurrentFileTitle, state().CurrentFile)), "Label2");
    fileNameLabel_->setToolTip(state().CurrentFile);
    heading->addWidget(fileNameLabel_);
    heading->addStretch(1);
    heading->addWidget(makeLabel(this, " Rivit vaakasuorassa !.", "Label3"));
    layout->addLayout(heading);
}

void ScreenListingWindow::buildListingView(QHBoxLayout* row)
{
    listingView_ = new QListView(this);
    listingView_->setObjectName("taulu");
    model_ = new QStringListModel(this);
    listingView_->setModel(model_);
    listingView_->setUniformItemSizes(true);
    listingView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listingView_->setFont(listingFont());
    const QFontMetrics metrics(listingView_->font());
    listingView_->setMinimumWidth(metrics.horizontalAdvance(QString(36, '0')) + 24);
    listingView_->setMinimumHeight(metrics.lineSpacing() * 16);
    row->addWidget(listingView_, 1);
}

// How many rows carry each sign, a line per match.
void ScreenListingWindow::buildDistribution(QHBoxLayout* row)
{
    // The counts are as wide as six figures of the listing's font.
    const QFontMetrics metrics(listingView_->font());
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
    row->addWidget(distribution);
}

void ScreenListingWindow::buildButtons(QVBoxLayout* layout)
{
    auto* bottom = new QHBoxLayout;
    auto* calculator = new QToolButton(this);
    calculator->setObjectName("Picture1");
    calculator->setIcon(QIcon(calculatorPicture()));
    calculator->setIconSize(calculatorPicture().size());
    calculator->setAutoRaise(true);
    calculator->setToolTip("Laskin");
    bottom->addWidget(calculator);
    bottom->addStretch(1);
    showButton_ = new QPushButton("&TULOSTA", this);
    showButton_->setObjectName("Command2");
    auto* okButton = new QPushButton("&OK", this);
    okButton->setObjectName("Command1");
    bottom->addWidget(showButton_);
    bottom->addWidget(okButton);
    layout->addLayout(bottom);

    connect(showButton_, &QPushButton::clicked, this, [this] { fill(); });
    connect(okButton, &QPushButton::clicked, this, [this] { finish(); });
    connect(calculator, &QToolButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Calculator); });
}

// The listed rows leave as text from the list's own menu; the window itself
// shows what it always has.
void ScreenListingWindow::buildExportActions()
{
    listingView_->setContextMenuPolicy(Qt::ActionsContextMenu);
    const struct {
        const char* caption;
        const char* name;
        RowExportTarget target;
        QKeySequence keys;
    } exports[] = {
        {"Vie &tekstitiedostoon", "vieTeksti", RowExportTarget::TextFile, {}},
        {Texts::ExportToCsv, "vieCsv", RowExportTarget::CsvFile, {}},
        {"&Kopioi leikepöydälle", "kopioi", RowExportTarget::Clipboard, QKeySequence::Copy},
    };
    for (const auto& e : exports) {
        auto* action = new QAction(QString::fromUtf8(e.caption), listingView_);
        action->setObjectName(e.name);
        action->setShortcut(e.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        listingView_->addAction(action);
        addAction(action); // its keys work wherever the focus is in the window
        const RowExportTarget target = e.target;
        connect(action, &QAction::triggered, this,
                [this, target] { ExportRows(this->context(), state().Rows, state().RowCount, target); });
    }
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
        message(Texts::RowFileDamaged, Messages::Critical, "Tulosta näyttöön");
}

#include "printing/ui/listaus.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
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

QFont listingFont()
{
    QFont font("Courier New");
    font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

QLabel* label(QWidget* parent, const QString& text, const QString& name = QString())
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

} // namespace

listaus::listaus(AppContext& context) : FeatureWindow(context)
{
    setObjectName("listaus");
    setWindowTitle("TULOSTA NÄYTTÖÖN");

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QHBoxLayout;
    heading->addWidget(label(this, " Rivejä:"));
    Label25 = label(this, QString::number(state().RowCount), "Label25");
    heading->addWidget(Label25);
    heading->addSpacing(16);
    Label2 = label(this, shortenedName(listedFileName(state())), "Label2");
    Label2->setToolTip(state().CurrentFile);
    heading->addWidget(Label2);
    heading->addStretch(1);
    heading->addWidget(label(this, " Rivit vaakasuorassa !.", "Label3"));
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
    grid->addWidget(label(distribution, " Merkkijakautuma:", "Label1"), 0, 0, 1, 4);
    const char* headings[3] = {" 1", " X", " 2"};
    const char* names[3] = {"L1", "Lx", "L2"};
    for (int s = 0; s < 3; ++s) {
        auto* h = label(distribution, headings[s]);
        h->setAlignment(Qt::AlignRight);
        grid->addWidget(h, 1, s + 1);
    }
    for (int k = 0; k < kMatches; ++k) {
        auto* number = label(distribution, QString::number(k + 1), QString("Label4_%1").arg(k));
        number->setAlignment(Qt::AlignRight);
        grid->addWidget(number, k + 2, 0);
        for (int s = 0; s < 3; ++s) {
            auto* count = label(distribution, QString(), QString("%1_%2").arg(names[s]).arg(k));
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

void listaus::fill()
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

#include "rows/ui/ownsystementrywindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "rows/ui/sharedtexts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kButtonNames[3] = {"Yksi", "Risti", "Kaksi"};
const char* const kSignTexts[3] = {"1", "X", "2"};
} // namespace

OwnSystemEntryWindow::OwnSystemEntryWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::OwnSystemEntry);
    setWindowTitle("Systeemin luonti");

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSignPanel());
    layout->addLayout(buildSideColumn());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    bindDialogKeys(this, nullptr, [this] { close(); });
    load();
}

// A button for every sign of every match, laid out as on the coupon.
QFrame* OwnSystemEntryWindow::buildSignPanel()
{
    auto* signPanel = new QFrame(this);
    signPanel->setObjectName("rtaus");
    signPanel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(signPanel);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    QFont bold = font();
    bold.setBold(true);
    const int side = fontMetrics().height() + 8;
    // Which sign each column of buttons stands for, as on the coupon.
    for (int s = 0; s < 3; ++s) {
        auto* heading = new QLabel(kSignTexts[s], signPanel);
        heading->setObjectName(QString("otsikko_%1").arg(s));
        heading->setFont(bold);
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, 1 + s);
    }
    for (int k = 0; k < kMatches; ++k) {
        auto* number = new QLabel(QString::number(k + 1), signPanel);
        number->setObjectName(QString("nro_%1").arg(k));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setMinimumWidth(fontMetrics().horizontalAdvance("00"));
        grid->addWidget(number, k + 1, 0);
        for (int s = 0; s < 3; ++s) {
            auto* button = new QPushButton(signPanel);
            button->setObjectName(QString("%1_%2").arg(kButtonNames[s]).arg(k));
            button->setFixedSize(side + 8, side);
            button->setFont(bold);
            button->setAccessibleName(QString(SharedText::MatchSignName).arg(k + 1).arg(kSignTexts[s]));
            grid->addWidget(button, k + 1, 1 + s);
            signButtons_[s][k] = button;
            connect(button, &QPushButton::clicked, this, [this, s, k] { signClicked(s, k); });
        }
    }
    return signPanel;
}

QVBoxLayout* OwnSystemEntryWindow::buildSideColumn()
{
    auto* sideColumn = new QVBoxLayout;
    auto* prompt = new QLabel("   Syötä systeemisi rivit.", this);
    prompt->setObjectName("Label1");
    sideColumn->addWidget(prompt);
    sideColumn->addSpacing(10);
    auto* storedRow = new QHBoxLayout;
    auto* storedCaption = new QLabel("Tallennettu:", this);
    storedCaption->setObjectName("Label3");
    storedCountLabel_ = new QLabel("0", this);
    storedCountLabel_->setObjectName("Label2");
    storedCountLabel_->setFrameShape(QFrame::Panel);
    storedCountLabel_->setFrameShadow(QFrame::Sunken);
    storedCountLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    storedCountLabel_->setMinimumWidth(fontMetrics().horizontalAdvance("00000"));
    storedRow->addWidget(storedCaption);
    storedRow->addWidget(storedCountLabel_);
    storedRow->addStretch(1);
    sideColumn->addLayout(storedRow);
    auto* saveButton = new QPushButton("Tallenna", this);
    saveButton->setObjectName("Command1");
    sideColumn->addWidget(saveButton);
    sideColumn->addSpacing(14);
    auto* hint = new QLabel(QString("Tulostuksessa ja tarkastuksessa voit\n") + "vaihtaa kohteita sekä varmojen ja\n" +
                                "osittainvaihdeltujen merkkejä.",
                            this);
    hint->setObjectName("Label4");
    sideColumn->addWidget(hint);
    sideColumn->addStretch(1);
    auto* okButton = new QPushButton("&OK", this);
    okButton->setObjectName("Sainperusrivin");
    sideColumn->addWidget(okButton);

    connect(saveButton, &QPushButton::clicked, this, [this] { saveRow(); });
    connect(okButton, &QPushButton::clicked, this, [this] { done(); });
    return sideColumn;
}

// The O matches offer "1" and "2", the bankers a fixed "1".
void OwnSystemEntryWindow::load()
{
    SharedState& st = state();
    const int half = st.HalfGuardCount;
    const int full = st.FullGuardCount;
    for (auto& marks : st.BasicMarks)
        marks.fill(0);
    for (int k = 0; k < kMatches; ++k) {
        st.BasicSigns[k].clear();
        if (k < half) {
            signButtons_[1][k]->hide();
        } else if (k >= half + full) {
            signButtons_[1][k]->hide();
            signButtons_[2][k]->hide();
            signButtons_[0][k]->setText("1");
            signButtons_[0][k]->setEnabled(false);
            st.BasicSigns[k] = "1";
        }
    }
    nextRecord_ = 2;
    st.BasicSignCount = kMatches - half - full;
    st.CurrentFile.clear();
}

void OwnSystemEntryWindow::signClicked(int s, int k)
{
    SharedState& st = state();
    if (st.BasicMarks[s][k] == 1) {
        st.BasicMarks[s][k] = 0;
        --st.BasicSignCount;
        signButtons_[s][k]->setText(QString());
        return;
    }
    st.BasicMarks[s][k] = 1;
    ++st.BasicSignCount;
    st.BasicSigns[k] = kSignTexts[s];
    signButtons_[s][k]->setText(kSignTexts[s]);
    for (int t = 0; t < 3; ++t) {
        if (t != s && st.BasicMarks[t][k] == 1) {
            st.BasicMarks[t][k] = 0;
            signButtons_[t][k]->setText(QString());
            --st.BasicSignCount;
        }
    }
}

void OwnSystemEntryWindow::saveRow()
{
    SaveSystemRow(context(), nextRecord_, [this](int stored) { storedCountLabel_->setText(QString::number(stored)); });
}

void OwnSystemEntryWindow::done()
{
    restoreProgramDir();
    finish();
}

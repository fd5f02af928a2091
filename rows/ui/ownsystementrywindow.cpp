#include "rows/ui/ownsystementrywindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"

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
    auto* rtaus = new QFrame(this);
    rtaus->setObjectName("rtaus");
    rtaus->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(rtaus);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    QFont bold = font();
    bold.setBold(true);
    const int side = fontMetrics().height() + 8;
    // Which sign each column of buttons stands for, as on the coupon.
    for (int s = 0; s < 3; ++s) {
        auto* heading = new QLabel(kSignTexts[s], rtaus);
        heading->setObjectName(QString("otsikko_%1").arg(s));
        heading->setFont(bold);
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, 1 + s);
    }
    for (int k = 0; k < kMatches; ++k) {
        auto* number = new QLabel(QString::number(k + 1), rtaus);
        number->setObjectName(QString("nro_%1").arg(k));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setMinimumWidth(fontMetrics().horizontalAdvance("00"));
        grid->addWidget(number, k + 1, 0);
        for (int s = 0; s < 3; ++s) {
            auto* button = new QPushButton(rtaus);
            button->setObjectName(QString("%1_%2").arg(kButtonNames[s]).arg(k));
            button->setFixedSize(side + 8, side);
            button->setFont(bold);
            button->setAccessibleName(QString("Ottelu %1, merkki %2").arg(k + 1).arg(kSignTexts[s]));
            grid->addWidget(button, k + 1, 1 + s);
            buttons_[s][k] = button;
            connect(button, &QPushButton::clicked, this, [this, s, k] { signClicked(s, k); });
        }
    }
    layout->addWidget(rtaus);

    auto* side_ = new QVBoxLayout;
    auto* prompt = new QLabel("   Syötä systeemisi rivit.", this);
    prompt->setObjectName("Label1");
    side_->addWidget(prompt);
    side_->addSpacing(10);
    auto* storedRow = new QHBoxLayout;
    auto* storedCaption = new QLabel("Tallennettu:", this);
    storedCaption->setObjectName("Label3");
    Label2 = new QLabel("0", this);
    Label2->setObjectName("Label2");
    Label2->setFrameShape(QFrame::Panel);
    Label2->setFrameShadow(QFrame::Sunken);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setMinimumWidth(fontMetrics().horizontalAdvance("00000"));
    storedRow->addWidget(storedCaption);
    storedRow->addWidget(Label2);
    storedRow->addStretch(1);
    side_->addLayout(storedRow);
    auto* save = new QPushButton("Tallenna", this);
    save->setObjectName("Command1");
    side_->addWidget(save);
    side_->addSpacing(14);
    auto* hint = new QLabel(QString("Tulostuksessa ja tarkastuksessa voit\n") + "vaihtaa kohteita sekä varmojen ja\n" +
                                "osittainvaihdeltujen merkkejä.",
                            this);
    hint->setObjectName("Label4");
    side_->addWidget(hint);
    side_->addStretch(1);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("Sainperusrivin");
    side_->addWidget(ok);
    layout->addLayout(side_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(save, &QPushButton::clicked, this, [this] { saveRow(); });
    connect(ok, &QPushButton::clicked, this, [this] { done(); });
    bindDialogKeys(this, nullptr, [this] { close(); });

    // Load: the O matches offer "1" and "2", the bankers a fixed "1".
    SharedState& st = state();
    const int half = st.HalfGuardCount;
    const int full = st.FullGuardCount;
    for (auto& marks : st.BasicMarks)
        marks.fill(0);
    for (int k = 0; k < kMatches; ++k) {
        st.BasicSigns[k].clear();
        if (k < half) {
            buttons_[1][k]->hide();
        } else if (k >= half + full) {
            buttons_[1][k]->hide();
            buttons_[2][k]->hide();
            buttons_[0][k]->setText("1");
            buttons_[0][k]->setEnabled(false);
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
        buttons_[s][k]->setText(QString());
        return;
    }
    st.BasicMarks[s][k] = 1;
    ++st.BasicSignCount;
    st.BasicSigns[k] = kSignTexts[s];
    buttons_[s][k]->setText(kSignTexts[s]);
    for (int t = 0; t < 3; ++t) {
        if (t != s && st.BasicMarks[t][k] == 1) {
            st.BasicMarks[t][k] = 0;
            buttons_[t][k]->setText(QString());
            --st.BasicSignCount;
        }
    }
}

void OwnSystemEntryWindow::saveRow()
{
    SaveSystemRow(context(), nextRecord_, [this](int stored) { Label2->setText(QString::number(stored)); });
}

void OwnSystemEntryWindow::done()
{
    restoreProgramDir();
    finish();
}

#include "rows/ui/ownsystemshapewindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/scrollbars.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

OwnSystemShapeWindow::OwnSystemShapeWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::OwnSystemShape);
    setWindowTitle("Valitse vaihtoehdot");

    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(10);

    auto pair = [this, panel, grid](int column, const QString& heading, const QString& barName,
                                    const QString& boxName) {
        auto* label = new QLabel(heading, panel);
        label->setObjectName("otsikko" + heading);
        label->setAlignment(Qt::AlignCenter);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        QScrollBar* bar = makeScrollBar(panel, barName, Qt::Horizontal, 0, kMatches);
        bar->setPageStep(1);
        bar->setValue(2);
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->setMinimumWidth(130);
        auto* box = new QLineEdit("2", panel);
        box->setObjectName(boxName);
        box->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), box));
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance("0000") + 12);
        grid->addWidget(label, 0, column);
        grid->addWidget(bar, 1, column);
        grid->addWidget(box, 2, column, Qt::AlignHCenter);
        connect(bar, &QScrollBar::valueChanged, this, [box](int value) { box->setText(QString::number(value)); });
        // A typed count moves the bar too, as far as the bar goes.
        connect(box, &QLineEdit::textEdited, this, [bar](const QString& text) {
            const QSignalBlocker block(bar);
            bar->setValue(std::clamp(leadingInt(text), 0, int(kMatches)));
        });
        return std::make_pair(bar, box);
    };
    std::tie(halfGuardBar_, halfGuardEdit_) = pair(0, "O", "HScroll1", "Text1");
    std::tie(fullGuardBar_, fullGuardEdit_) = pair(1, "T", "HScroll2", "Text2");

    auto* explainO = new QLabel("O = osittainvaihdeltuja kohteita", panel);
    explainO->setObjectName("Label3");
    auto* explainT = new QLabel("T = täysinvaihdeltuja kohteita", panel);
    explainT->setObjectName("Label4");
    grid->setRowMinimumHeight(3, 6);
    grid->addWidget(explainO, 4, 0, 1, 2);
    grid->addWidget(explainT, 5, 0, 1, 2);
    layout->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    auto* okButton = new QPushButton("&OK", this);
    okButton->setObjectName("Command1");
    okButton->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(halfGuardBar_, halfGuardEdit_);
    setTabOrder(halfGuardEdit_, fullGuardBar_);
    setTabOrder(fullGuardBar_, fullGuardEdit_);
    setTabOrder(fullGuardEdit_, okButton);
    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, okButton, [this] { close(); });
    halfGuardBar_->setFocus();
}

void OwnSystemShapeWindow::accept()
{
    const int halfGuards = leadingInt(halfGuardEdit_->text());
    const int fullGuards = leadingInt(fullGuardEdit_->text());
    if (halfGuards + fullGuards > kMatches) {
        message("Kohteita on vain 13 !");
        return;
    }
    state().HalfGuardCount = halfGuards;
    state().FullGuardCount = fullGuards;
    handOver(WindowName::OwnSystemEntry);
}

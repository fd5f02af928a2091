#include "random/ui/rowcountwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/dialogkeys.h"
#include "random/rowcount.h"
#include "random/ui/controls.h"
#include "random/ui/drawtask.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

namespace {

// The numbers under the slider, each centred where the handle stands for it.
class SliderScale : public QWidget {
public:
    SliderScale(QSlider* slider, QWidget* parent) : QWidget(parent), slider_(slider)
    {
        setObjectName("Skaala");
        setMinimumHeight(fontMetrics().height() + 6);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStyleOptionSlider option;
        option.initFrom(slider_);
        option.orientation = Qt::Horizontal;
        option.minimum = slider_->minimum();
        option.maximum = slider_->maximum();
        option.sliderPosition = slider_->sliderPosition();
        option.sliderValue = slider_->value();
        const QRect groove =
            slider_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider_);
        const QRect handle =
            slider_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider_);
        const int span = groove.width() - handle.width();
        const int offset = slider_->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        for (int value : {1, 10, 20, 30, 40, 50}) {
            const int centre = offset + groove.x() + handle.width() / 2 +
                               QStyle::sliderPositionFromValue(option.minimum, option.maximum, value, span);
            painter.drawLine(centre, 0, centre, 3);
            const QString text = QString::number(value * 10);
            const int width = fontMetrics().horizontalAdvance(text);
            const int left = std::clamp(centre - width / 2, 0, this->width() - width);
            painter.drawText(QRect(left, 4, width, height() - 4), Qt::AlignHCenter | Qt::AlignTop, text);
        }
    }

private:
    QSlider* slider_;
};

} // namespace

RowCountWindow::RowCountWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::RowCount);
    setWindowTitle("Rivimäärä ?  (max. 500)");

    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* inner = new QVBoxLayout(panel);

    auto* countRow = new QHBoxLayout;
    auto* question = makeLabel(panel, "    Montako riviä arvotaan?  ", "Label1");
    rowCountEdit_ = new QLineEdit(panel);
    rowCountEdit_->setObjectName("Rivimaara");
    rowCountEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), rowCountEdit_));
    rowCountEdit_->setMaxLength(5);
    rowCountEdit_->setAlignment(Qt::AlignRight);
    rowCountEdit_->setFixedWidth(rowCountEdit_->fontMetrics().horizontalAdvance("000000") + 12);
    question->setBuddy(rowCountEdit_);
    auto* explain = makeButton(panel, "SSCommand1", "?");
    explain->setToolTip("Vajaat kupongit");
    explain->setFixedWidth(explain->sizeHint().height() + 4);
    countRow->addWidget(question);
    countRow->addWidget(rowCountEdit_);
    countRow->addStretch(1);
    countRow->addWidget(explain);
    inner->addLayout(countRow);

    rowCountSlider_ = new QSlider(Qt::Horizontal, panel);
    rowCountSlider_->setObjectName("Slider1");
    rowCountSlider_->setRange(1, kMaxDrawCount / 10);
    rowCountSlider_->setPageStep(5);
    rowCountSlider_->setMinimumWidth(300);
    inner->addSpacing(6);
    inner->addWidget(rowCountSlider_);
    inner->addWidget(new SliderScale(rowCountSlider_, panel));
    layout->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    auto* ok = makeButton(this, "SainRivimaaran", "&OK");
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(rowCountEdit_, &QLineEdit::textChanged, this, [this](const QString& text) { countTyped(text); });
    connect(rowCountSlider_, &QSlider::valueChanged, this,
            [this](int position) { rowCountEdit_->setText(QString::number(position * 10)); });
    connect(explain, &QPushButton::clicked, this, [this] {
        message("Jos arvot vajaita kuponkeja voit kirjoittaa rivimäärän kenttään.", Messages::Information);
    });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, ok, [this] { close(); });

    // Load
    SharedState& s = state();
    s.DrawCount = 10;
    rowCountEdit_->setText("10");
    if (s.DrawMode == 1) {
        s.HalfCombinations = systemSize(s.HalfGuardCount, 0);
        s.FullCombinations = systemSize(0, s.FullGuardCount);
        s.FullSystemSize = s.HalfCombinations * s.FullCombinations;
        message("Tämä hajarivijärjestelmä vaatisi täydellisenä  " + signedNumber(s.FullSystemSize) + " riviä !" +
                    "  Maximi rivimäärä on 500 !",
                Messages::Information);
        if (s.FullSystemSize <= kMaxDrawCount)
            rowCountEdit_->setText(QString::number(s.FullSystemSize));
    }
    rowCountEdit_->selectAll();
    rowCountEdit_->setFocus();
}

void RowCountWindow::countTyped(const QString& text)
{
    const QString trimmed = text.trimmed();
    state().DrawCount = trimmed.isEmpty() ? 0 : leadingInt(trimmed);
    // The slider follows a typed count as far as its scale goes.
    const QSignalBlocker block(rowCountSlider_);
    rowCountSlider_->setValue(
        std::clamp((state().DrawCount + 5) / 10, rowCountSlider_->minimum(), rowCountSlider_->maximum()));
}

void RowCountWindow::accept()
{
    const RowCountCheck check =
        checkRowCount(rowCountEdit_->text(), drawPlanOfTask(state()), rowCountLimitsOfTask(state()));
    if (!check.ok) {
        if (!check.message.isEmpty())
            message(check.message, Messages::Critical, check.title);
        rowCountEdit_->setFocus();
        rowCountEdit_->selectAll();
        return;
    }
    handOver(WindowName::Drawing);
}

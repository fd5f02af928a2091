#include "shell/ui/informationwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "shell/systeminfo.h"

#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The ball keeps the pace it always had: 65 twips along each axis per step of
// the old, coarse system timer. Measured in time, it moves as smoothly as the
// timer below allows, whatever the machine's load.
constexpr double kBallPixelsPerMs = (65.0 / 15.0) / 50.0;
constexpr int kTimerMs = 16;
// A stalled window (a busy machine, a message box) must not make the ball jump.
constexpr int kLongestStepMs = 100;

// A line of the figures. Its text stays exactly as built ("Josta vapaana" and
// blanks, then the figure); it is drawn with the caption at the left edge and
// the figure at the right, so the figures line up in any font.
class FigureLabel : public QLabel {
public:
    using QLabel::QLabel;

    QSize sizeHint() const override
    {
        const auto [caption, figure] = parts();
        const QFontMetrics metrics(font());
        const int gap = figure.isEmpty() ? 0 : 4 * metrics.horizontalAdvance(' ') + 16;
        const QMargins m = contentsMargins();
        return {metrics.horizontalAdvance(caption) + gap + metrics.horizontalAdvance(figure) + m.left() + m.right(),
                metrics.height() + m.top() + m.bottom()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const auto [caption, figure] = parts();
        QPainter painter(this);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const QRect area = contentsRect();
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, caption);
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, figure);
    }

private:
    std::pair<QString, QString> parts() const
    {
        const QString line = text();
        const qsizetype gap = line.indexOf(QLatin1String("   "));
        if (gap < 0)
            return {line, QString()};
        return {line.left(gap).trimmed(), line.mid(gap).trimmed()};
    }
};

} // namespace

InformationWindow::InformationWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Information);
    setWindowTitle("Info");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(buildHeading());

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel3D1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* lines = new QVBoxLayout(panel);
    lines->setContentsMargins(14, 10, 14, 10);
    lines->setSpacing(6);
    for (int i = 0; i < 5; ++i) {
        auto* label = new FigureLabel(panel);
        label->setObjectName(QString("Lblinfo_%1").arg(i));
        lines->addWidget(label);
    }
    panel->setMinimumWidth(400);
    layout->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    auto* okButton = new QPushButton("&OK", this);
    okButton->setObjectName("Command1");
    okButton->setDefault(true);
    okButton->setMinimumWidth(90);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    layout->addLayout(buttons);
    connect(okButton, &QPushButton::clicked, this, [this] { finish(); });
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Escape)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] { finish(); });
    }

    ballPicture_ = new QLabel(this);
    ballPicture_->setObjectName("picBall");
    ballPicture_->setPixmap(QPixmap(":/pictures/Image12.png"));
    ballPicture_->resize(ballPicture_->sizeHint());
    ballPicture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    ballPicture_->raise();

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(kTimerMs);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { tick(); });

    fillFigures();
    okButton->setFocus();
}

// The program's picture and name over the figures.
QHBoxLayout* InformationWindow::buildHeading()
{
    auto* heading = new QHBoxLayout;
    heading->setSpacing(14);
    auto* logo = new QLabel(this);
    logo->setObjectName("Image1");
    logo->setPixmap(QPixmap(":/pictures/rivikone.png"));
    logo->setFixedSize(logo->sizeHint());
    auto* title = new QLabel(QString::fromLatin1(kMainTitle), this);
    title->setObjectName("titleLabel");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* subtitle = new QLabel(QStringLiteral("Järjestelmän tiedot"), this);
    subtitle->setObjectName("subtitleLabel");
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addStretch(1);
    titles->addWidget(title);
    titles->addWidget(subtitle);
    titles->addStretch(1);
    heading->addWidget(logo);
    heading->addLayout(titles, 1);
    return heading;
}

void InformationWindow::fillFigures()
{
    auto setLine = [this](int index, const QString& text) {
        if (auto* label = findChild<QLabel*>(QString("Lblinfo_%1").arg(index)))
            label->setText(text);
    };
    // The system's own name for itself says more than a family name would.
    setLine(0, operatingSystemName());
    const auto disk = diskFigures(state().ProgramDir.isEmpty() ? QDir::currentPath() : state().ProgramDir);
    setLine(1, diskSizeLine(disk));
    setLine(2, diskFreeLine(disk));
    const auto memory = memoryFigures();
    setLine(3, memorySizeLine(memory));
    setLine(4, memoryFreeLine(memory));
}

QSize InformationWindow::ballArea() const
{
    return {width() - ballPicture_->width(), height() - ballPicture_->height()};
}

void InformationWindow::showEvent(QShowEvent* event)
{
    FeatureWindow::showEvent(event);
    if (!placed_) {
        placed_ = true;
        // It sets off from the lower left corner, up and to the right.
        ball_ = BouncingBall(12, std::max(0, ballArea().height() - 12), 2);
        ballPicture_->move(int(ball_.x()), int(ball_.y()));
    }
    clock_.start();
    timer_->start();
}

void InformationWindow::hideEvent(QHideEvent* event)
{
    timer_->stop();
    FeatureWindow::hideEvent(event);
}

void InformationWindow::tick()
{
    const int elapsed = clock_.isValid() ? int(clock_.restart()) : kTimerMs;
    advanceBall(elapsed);
}

void InformationWindow::advanceBall(int elapsedMs)
{
    // Playing a sound lets events run, and with them perhaps the next tick.
    if (moving_)
        return;
    moving_ = true;
    const double step = std::clamp(elapsedMs, 0, kLongestStepMs) * kBallPixelsPerMs;
    const QSize area = ballArea();
    const bool turned = ball_.advance(step, area.width(), area.height());
    ballPicture_->move(int(std::lround(ball_.x())), int(std::lround(ball_.y())));
    if (turned)
        PlayEventSound(context(), 14);
    moving_ = false;
}

#include "systems/ui/outcomechart.h"

#include <QLocale>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kMargin = 8;
} // namespace

OutcomeChart::OutcomeChart(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void OutcomeChart::setOutcomes(const std::array<std::uint64_t, kAnalysisColumns>& outcomes, const QStringList& captions)
{
    outcomes_ = outcomes;
    captions_ = captions;
    shown_ = true;
    QStringList spoken;
    for (int c = 0; c < int(outcomes.size()) && c < captions.size(); ++c)
        spoken << QStringLiteral("%1: %2").arg(captions[c], QLocale().toString(qulonglong(outcomes[std::size_t(c)])));
    // What the bars say, for a screen reader.
    setAccessibleDescription(spoken.join(", "));
    update();
}

void OutcomeChart::clear()
{
    shown_ = false;
    setAccessibleDescription(QString());
    update();
}

void OutcomeChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const QRect area = rect().adjusted(kMargin, kMargin + line, -kMargin, -(kMargin + 2 * line));
    painter.setPen(QColor(150, 150, 150));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    if (!shown_ || area.height() <= 0)
        return;
    std::uint64_t total = 0, most = 1;
    for (std::uint64_t n : outcomes_) {
        total += n;
        most = std::max(most, n);
    }
    const int columns = int(outcomes_.size());
    const double slot = double(area.width()) / columns;
    const QLocale locale;
    painter.setRenderHint(QPainter::Antialiasing);
    for (int c = 0; c < columns; ++c) {
        const std::uint64_t n = outcomes_[std::size_t(c)];
        const int left = area.left() + int(c * slot + slot * 0.2);
        const int width = std::max(4, int(slot * 0.6));
        // A count above zero always shows as a sliver, however small its share.
        const int height = n == 0 ? 0 : std::max(2, int(double(area.height()) * double(n) / double(most)));
        const QRect bar(left, area.bottom() - height + 1, width, height);
        // The best classes in the coupon's gold, the rest fading to grey.
        const QColor colours[kAnalysisColumns] = {QColor(214, 158, 22), QColor(232, 190, 70), QColor(120, 150, 200),
                                                  QColor(160, 180, 215), QColor(190, 190, 190)};
        painter.fillRect(bar, colours[c]);
        painter.setPen(QColor(60, 60, 60));
        const QRect countBox(int(area.left() + c * slot), bar.top() - line, int(slot), line);
        painter.drawText(countBox, Qt::AlignHCenter | Qt::AlignBottom, locale.toString(qulonglong(n)));
        const QRect captionBox(int(area.left() + c * slot), area.bottom() + 2, int(slot), line);
        painter.drawText(captionBox, Qt::AlignHCenter | Qt::AlignTop, c < captions_.size() ? captions_[c] : QString());
        const double share = total ? 100.0 * double(n) / double(total) : 0;
        const QRect shareBox(int(area.left() + c * slot), area.bottom() + 2 + line, int(slot), line);
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(shareBox, Qt::AlignHCenter | Qt::AlignTop, locale.toString(share, 'f', 1) + " %");
    }
}

#include "systems/ui/returnchart.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

ReturnChart::ReturnChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReturnChart::setChances(const std::vector<ReturnChance>& chances)
{
    chances_ = chances;
    update();
}

void ReturnChart::clear()
{
    chances_.clear();
    update();
}

void ReturnChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().text().color());
    const QFontMetrics metrics = painter.fontMetrics();
    if (chances_.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, QString::fromUtf8("Ei laskettua tulosta."));
        return;
    }
    const QLocale locale;
    const double top = chances_.front().chance;
    const double least = chances_.front().euros, most = chances_.back().euros;
    const QString topText = locale.toString(100 * top, 'f', 2) + " %";
    const int left = metrics.horizontalAdvance(topText) + 8;
    const QRect plot(left, metrics.height() / 2 + 2, width() - left - 12, height() - 2 * metrics.height() - 10);
    if (plot.width() < 20 || plot.height() < 20 || top <= 0)
        return;
    const auto xOf = [&](double euros) {
        const double f = most > least ? std::log(euros / least) / std::log(most / least) : 1.0;
        return plot.left() + f * plot.width();
    };
    const auto yOf = [&](double chance) { return plot.bottom() - chance / top * plot.height(); };

    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRect(0, plot.top() - metrics.height() / 2, left - 4, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, topText);
    painter.drawText(QRect(0, plot.bottom() - metrics.height() / 2, left - 4, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, "0 %");
    const int textTop = plot.bottom() + 4;
    painter.drawText(QRect(plot.left(), textTop, plot.width() / 2, metrics.height()), Qt::AlignLeft,
                     locale.toString(least, 'f', 2) + QString::fromUtf8(" €"));
    painter.drawText(QRect(plot.center().x(), textTop, plot.width() / 2, metrics.height()), Qt::AlignRight,
                     locale.toString(most, 'f', 2) + QString::fromUtf8(" €"));

    QPainterPath path;
    path.moveTo(xOf(chances_.front().euros), yOf(chances_.front().chance));
    for (std::size_t i = 1; i < chances_.size(); ++i) {
        const double x = xOf(chances_[i].euros);
        path.lineTo(x, yOf(chances_[i - 1].chance));
        path.lineTo(x, yOf(chances_[i].chance));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawPath(path);
}

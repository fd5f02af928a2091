#include "random/ui/drawchart.h"

#include <QFrame>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr double kTop = 13;
constexpr int kMargin = 4;
} // namespace

DrawChart::DrawChart(QWidget* parent) : QWidget(parent)
{
    setObjectName("Pic");
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    averageLine_ = new QFrame(this);
    averageLine_->setObjectName("Line1");
    averageLine_->setFrameShape(QFrame::NoFrame);
    averageLine_->setAutoFillBackground(true);
    QPalette red = averageLine_->palette();
    red.setColor(QPalette::Window, QColor(200, 0, 0));
    averageLine_->setPalette(red);
    averageLine_->hide();
}

void DrawChart::setRowCount(int rows)
{
    rowCount_ = std::max(1, rows);
    points_.clear();
    points_.reserve(std::size_t(rowCount_));
    update();
}

void DrawChart::addRow(int rowNumber, int basicSigns)
{
    points_.push_back({rowNumber, basicSigns});
}

void DrawChart::showAverage(double average)
{
    average_ = average;
    placeAverageLine();
    averageLine_->show();
}

QPointF DrawChart::point(double row, double height) const
{
    const double w = width() - 2 * kMargin;
    const double h = this->height() - 2 * kMargin;
    return {kMargin + w * row / rowCount_, kMargin + h * (kTop - height) / kTop};
}

void DrawChart::placeAverageLine()
{
    if (average_ < 0)
        return;
    const QPointF left = point(0, average_);
    averageLine_->setGeometry(kMargin, int(left.y()) - 1, width() - 2 * kMargin, 2);
}

void DrawChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeAverageLine();
}

void DrawChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Faint guides at every second count make the heights readable.
    painter.setPen(QColor(225, 225, 225));
    for (int h = 1; h <= 13; ++h)
        if (h % 2 == 0)
            painter.drawLine(point(0, h), point(rowCount_, h));
    painter.setPen(QColor(150, 150, 150));
    painter.drawLine(point(0, 0), point(rowCount_, 0));

    QPainterPath path;
    int previous = 0;
    for (const Point& p : points_) {
        path.moveTo(point(previous, 0));
        path.lineTo(point(p.rowNumber, p.basicSigns));
        previous = p.rowNumber;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 160), 1));
    painter.drawPath(path);
}

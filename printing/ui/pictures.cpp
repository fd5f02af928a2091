#include "printing/ui/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap blank(int w, int h)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap couponPicture()
{
    QPixmap pixmap = blank(kCouponPictureWidth, kCouponPictureHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect paper(0, 0, kCouponPictureWidth - 1, kCouponPictureHeight - 1);
    p.fillRect(paper, QColor(255, 244, 214));
    p.setPen(QColor(196, 120, 40));
    p.drawRect(paper);

    // The operator's band along the top with the feed arrow.
    p.fillRect(QRect(1, 1, kCouponPictureWidth - 2, 9), QColor(222, 96, 40));
    p.setPen(Qt::white);
    p.setBrush(Qt::white);
    const QPoint arrow[] = {QPoint(8, 5), QPoint(14, 2), QPoint(14, 8)};
    p.drawPolygon(arrow, 3);
    p.drawLine(14, 5, 24, 5);

    // Mark boxes: match 1 at the right, as on the real coupon.
    const int columns = 13;
    const int right = kCouponPictureWidth - 8;
    const int pitch = 9;
    for (int row = 0; row < 10; ++row) {
        const int top = 14 + row * 9;
        p.setPen(Qt::NoPen);
        if (row % 2 == 0)
            p.fillRect(QRect(3, top - 1, kCouponPictureWidth - 6, 9), QColor(255, 232, 190));
        for (int line = 0; line < 3; ++line) {
            const int y = top + line * 3;
            for (int c = 0; c < columns; ++c) {
                const int x = right - (c + 1) * pitch;
                p.fillRect(QRect(x, y, 5, 2), QColor(214, 130, 70));
            }
        }
    }
    // The extra column for weeks and jokers.
    for (int line = 0; line < 3; ++line)
        p.fillRect(QRect(right - 15 * pitch + 2, 14 + line * 3, 5, 2), QColor(60, 120, 200));
    return pixmap;
}

QPixmap markerPicture()
{
    QPixmap pixmap = blank(kMarkerWidth, kMarkerHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(QColor(220, 30, 30, 40));
    QPen pen(QColor(200, 20, 20));
    pen.setWidth(2);
    p.setPen(pen);
    p.drawRect(QRectF(1, 1, kMarkerWidth - 2, kMarkerHeight - 2));
    // Corner ticks make the frame readable over the coupon's own boxes.
    pen.setWidth(3);
    p.setPen(pen);
    const int t = 8;
    p.drawLine(1, 1, t, 1);
    p.drawLine(1, 1, 1, t);
    p.drawLine(kMarkerWidth - 2, kMarkerHeight - 2, kMarkerWidth - 2 - t, kMarkerHeight - 2);
    p.drawLine(kMarkerWidth - 2, kMarkerHeight - 2, kMarkerWidth - 2, kMarkerHeight - 2 - t);
    return pixmap;
}

QPixmap printerPicture()
{
    QPixmap pixmap = blank(64, 56);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Paper standing in the tray.
    p.setPen(QColor(150, 150, 150));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 2, 28, 22));
    p.setPen(QColor(120, 120, 120));
    for (int y = 7; y < 22; y += 4)
        p.drawLine(22, y, 42, y);
    // Body.
    QLinearGradient body(0, 18, 0, 48);
    body.setColorAt(0, QColor(236, 236, 232));
    body.setColorAt(1, QColor(170, 170, 164));
    p.setPen(QColor(90, 90, 90));
    p.setBrush(body);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(3, 18, 58, 28), 5, 5);
    p.drawPath(shape);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(12, 36, 40, 5));
    // Printed sheet coming out.
    p.setPen(QColor(150, 150, 150));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(16, 40, 32, 14));
    p.setPen(QColor(220, 96, 40));
    p.drawLine(20, 45, 44, 45);
    p.drawLine(20, 49, 38, 49);
    // Power light.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QPointF(54, 25), 2.5, 2.5);
    return pixmap;
}

QPixmap calculatorPicture()
{
    QPixmap pixmap = blank(40, 52);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QColor(50, 50, 60));
    p.setBrush(QColor(80, 84, 96));
    p.drawRoundedRect(QRectF(1, 1, 38, 50), 4, 4);
    p.setBrush(QColor(190, 214, 170));
    p.setPen(QColor(40, 40, 40));
    p.drawRect(QRectF(5, 5, 30, 10));
    p.setPen(QColor(40, 60, 30));
    QFont font = p.font();
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(5, 5, 28, 10), Qt::AlignRight | Qt::AlignVCenter, "1X2");
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            p.setPen(Qt::NoPen);
            p.setBrush(c == 3 ? QColor(230, 140, 60) : QColor(225, 225, 220));
            p.drawRoundedRect(QRectF(5 + c * 8, 19 + r * 8, 6, 6), 1, 1);
        }
    return pixmap;
}

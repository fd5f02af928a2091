#include "artwork.h"
#include "palette.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>
#include <array>
#include <functional>

namespace artwork {

namespace {

using namespace palette;

// Every outline is this wide. Shapes sit on whole-pixel coordinates so a
// two-pixel line covers exactly two pixel columns and stays sharp at 32 px.
constexpr qreal kStroke = 2.0;

QPen inkPen(qreal width = kStroke)
{
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void outlined(QPainter& p, const QPainterPath& path, const QColor& fill)
{
    p.setPen(inkPen());
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath roundedRect(QRectF r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath circle(QPointF c, qreal r)
{
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

QPainterPath glyph(const QString& text, int pixelSize, QPointF centre)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    return path;
}

// A pools coupon: a sheet with rows of three boxes and one box marked per row.
void drawCoupon(QPainter& p)
{
    outlined(p, roundedRect(QRectF(3, 2, 18, 27), 1.5), paper);
    p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(6, 5.5), QPointF(18, 5.5));
    p.setPen(Qt::NoPen);
    const std::array<int, 5> marks{0, 2, 1, 0, 2};
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF cell(6 + col * 4.5, 9 + row * 4, 3, 3);
            p.fillRect(cell, col == marks[row] ? blue : greyLight);
        }
    }
}

void drawBadge(QPainter& p, const QColor& colour)
{
    outlined(p, circle(QPointF(23, 23), 7.5), colour);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void drawSheetWithCorner(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(5, 2);
    sheet.lineTo(18, 2);
    sheet.lineTo(25, 9);
    sheet.lineTo(25, 29);
    sheet.lineTo(5, 29);
    sheet.closeSubpath();
    outlined(p, sheet, paper);
    QPainterPath fold;
    fold.moveTo(18, 2);
    fold.lineTo(18, 9);
    fold.lineTo(25, 9);
    outlined(p, fold, paperShade);
    p.setPen(QPen(greyLight, 2, Qt::SolidLine, Qt::FlatCap));
    for (int y : {13, 17, 21})
        p.drawLine(QPointF(9, y), QPointF(y < 16 ? 21 : 15, y));
}

void iconDraw(QPainter& p)
{
    drawCoupon(p);
    p.save();
    p.translate(22.5, 21.5);
    p.rotate(-12);
    outlined(p, roundedRect(QRectF(-7.5, -7.5, 15, 15), 3), red);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (QPointF pip : {QPointF(-3.5, -3.5), QPointF(3.5, -3.5), QPointF(0, 0), QPointF(-3.5, 3.5), QPointF(3.5, 3.5)})
        p.drawEllipse(pip, 1.6, 1.6);
    p.restore();
}

void iconCheck(QPainter& p)
{
    drawCoupon(p);
    drawBadge(p, green);
    QPainterPath tick;
    tick.moveTo(19.5, 23.2);
    tick.lineTo(22.2, 25.8);
    tick.lineTo(26.6, 20.4);
    p.drawPath(tick);
}

void iconRake(QPainter& p)
{
    p.save();
    p.translate(16.5, 16);
    p.rotate(30);
    outlined(p, roundedRect(QRectF(-1.75, -15.5, 3.5, 20), 1.5), wood);
    p.setPen(inkPen());
    for (int i = 0; i < 6; ++i) {
        const qreal x = -9 + i * 3.6;
        p.drawLine(QPointF(x, 6), QPointF(x, 11.5));
    }
    outlined(p, roundedRect(QRectF(-11, 3, 22, 4), 1.5), grey);
    p.restore();
}

void iconDelete(QPainter& p)
{
    drawSheetWithCorner(p);
    drawBadge(p, red);
    p.drawLine(QPointF(20.5, 20.5), QPointF(25.5, 25.5));
    p.drawLine(QPointF(25.5, 20.5), QPointF(20.5, 25.5));
}

void iconSettings(QPainter& p)
{
    const QPointF c(16, 16);
    const int teeth = 8;
    const qreal outer = 14, root = 10.5;
    QPolygonF outline;
    for (int k = 0; k < teeth; ++k) {
        const qreal a = k * 360.0 / teeth;
        for (auto [r, da] : {std::pair{root, -15.0}, {outer, -8.5}, {outer, 8.5}, {root, 15.0}}) {
            const qreal rad = qDegreesToRadians(a + da);
            outline << c + QPointF(r * qCos(rad), r * qSin(rad));
        }
    }
    QPainterPath gear;
    gear.addPolygon(outline);
    gear.closeSubpath();
    gear.addEllipse(c, 4.5, 4.5);
    gear.setFillRule(Qt::OddEvenFill);
    outlined(p, gear, grey);
}

void iconPrint(QPainter& p)
{
    outlined(p, roundedRect(QRectF(9, 3, 14, 10), 1), paper);
    outlined(p, roundedRect(QRectF(3, 11, 26, 13), 3), grey);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawEllipse(QPointF(25, 15), 1.5, 1.5);
    outlined(p, roundedRect(QRectF(8, 19, 16, 10), 1), paper);
    p.setPen(QPen(greyLight, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(11, 23), QPointF(21, 23));
    p.drawLine(QPointF(11, 26), QPointF(18, 26));
}

void iconQuit(QPainter& p)
{
    outlined(p, roundedRect(QRectF(4, 3, 15, 26), 1), ink);
    QPolygonF leaf{QPointF(4, 3), QPointF(12, 6), QPointF(12, 30), QPointF(4, 29)};
    QPainterPath leafPath;
    leafPath.addPolygon(leaf);
    leafPath.closeSubpath();
    outlined(p, leafPath, wood);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(10, 17.5), 1.2, 1.2);
    QPolygonF arrow{QPointF(14, 13.5), QPointF(21, 13.5), QPointF(21, 9), QPointF(29, 16),
                    QPointF(21, 23), QPointF(21, 18.5), QPointF(14, 18.5)};
    QPainterPath arrowPath;
    arrowPath.addPolygon(arrow);
    arrowPath.closeSubpath();
    outlined(p, arrowPath, red);
}

void iconDatabase(QPainter& p)
{
    const qreal left = 6, width = 20, ry = 3.5, top = 7, bottom = 26;
    QPainterPath body;
    body.moveTo(left, top);
    body.lineTo(left, bottom);
    body.arcTo(QRectF(left, bottom - ry, width, 2 * ry), 180, 180);
    body.lineTo(left + width, top);
    body.closeSubpath();
    outlined(p, body, blue);
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    for (qreal y : {top + (bottom - top) / 3, top + 2 * (bottom - top) / 3})
        p.drawArc(QRectF(left, y - ry, width, 2 * ry), 180 * 16, 180 * 16);
    QPainterPath lid;
    lid.addEllipse(QRectF(left, top - ry, width, 2 * ry));
    outlined(p, lid, blueLight);
}

void iconStatistics(QPainter& p)
{
    const std::array<std::pair<qreal, QColor>, 3> bars{{{18, blue}, {11, green}, {5, yellow}}};
    for (size_t i = 0; i < bars.size(); ++i) {
        const qreal x = 8 + i * 7.5;
        outlined(p, roundedRect(QRectF(x, bars[i].first, 5.5, 27 - bars[i].first), 0.5), bars[i].second);
    }
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(4, 3), QPointF(4, 28), QPointF(29, 28)});
}

void iconHint(QPainter& p)
{
    p.setPen(QPen(wood, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(16, 12);
    for (qreal a : {180.0, -135.0, -45.0, 0.0}) {
        const qreal rad = qDegreesToRadians(a);
        const QPointF dir(qCos(rad), qSin(rad));
        p.drawLine(c + dir * 11, c + dir * 13.5);
    }
    QPainterPath glass = circle(c, 8);
    QPainterPath neck;
    neck.addPolygon(QPolygonF{QPointF(10.2, 15), QPointF(21.8, 15), QPointF(19.5, 21), QPointF(12.5, 21)});
    neck.closeSubpath();
    outlined(p, glass.united(neck).simplified(), yellow);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(11, 7, 10, 10), 110 * 16, 60 * 16);
    outlined(p, roundedRect(QRectF(12.5, 21, 7, 6), 1), grey);
    p.setPen(inkPen(1.2));
    p.drawLine(QPointF(13, 24), QPointF(19, 24));
    outlined(p, roundedRect(QRectF(14.5, 27, 3, 2), 0.5), ink);
}

void iconNotepad(QPainter& p)
{
    outlined(p, roundedRect(QRectF(5, 5, 20, 24), 1.5), yellowLight);
    p.setPen(QPen(blueLight, 1.5, Qt::SolidLine, Qt::FlatCap));
    for (int y : {12, 16, 20, 24})
        p.drawLine(QPointF(8, y), QPointF(22, y));
    p.setPen(inkPen());
    for (int x : {9, 15, 21})
        p.drawLine(QPointF(x, 2.5), QPointF(x, 7.5));

    // Pencil lying across the corner of the pad.
    p.save();
    p.translate(25, 20);
    p.rotate(35);
    outlined(p, roundedRect(QRectF(-2.5, -10, 5, 14), 0.8), yellow);
    QPainterPath tip;
    tip.moveTo(-2.5, 4);
    tip.lineTo(2.5, 4);
    tip.lineTo(0, 9);
    tip.closeSubpath();
    outlined(p, tip, wood);
    p.restore();
}

void iconWeb(QPainter& p)
{
    const QPointF c(16, 16);
    const qreal r = 13;
    outlined(p, circle(c, r), blue);
    p.save();
    p.setClipPath(circle(c, r));
    p.setPen(QPen(blueLight, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 6, r);
    p.drawLine(QPointF(16, 3), QPointF(16, 29));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    p.drawLine(QPointF(3, 9.5), QPointF(29, 9.5));
    p.drawLine(QPointF(3, 22.5), QPointF(29, 22.5));
    p.restore();
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
}

void iconPhone(QPainter& p)
{
    // Built as a receiver lying with its ends down, then turned to the usual slant.
    QPainterPath handle;
    handle.moveTo(-8, -1);
    handle.cubicTo(-5, -6.5, 5, -6.5, 8, -1);
    QPainterPathStroker stroker;
    stroker.setWidth(5);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath shape = stroker.createStroke(handle);
    QPainterPath ends;
    ends.addRoundedRect(QRectF(-13, -2, 9, 6), 2.5, 2.5);
    ends.addRoundedRect(QRectF(4, -2, 9, 6), 2.5, 2.5);
    shape = shape.united(ends).simplified();
    QTransform t;
    t.translate(16, 16.5);
    t.rotate(-135);
    t.scale(1.2, 1.2);
    outlined(p, t.map(shape), green);
}

void iconHelp(QPainter& p)
{
    outlined(p, circle(QPointF(16, 16), 13.5), blue);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(glyph(QStringLiteral("?"), 22, QPointF(16, 16)));
}

void iconInfo(QPainter& p)
{
    outlined(p, circle(QPointF(16, 16), 13.5), paper);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QPointF(16, 9), 2.3, 2.3);
    p.drawRoundedRect(QRectF(14, 13, 4, 11), 1, 1);
}

void iconCalendar(QPainter& p)
{
    const QPainterPath page = roundedRect(QRectF(4, 5, 24, 24), 2);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawPath(page);
    p.save();
    p.setClipPath(page);
    p.fillRect(QRectF(4, 5, 24, 6), red);
    p.restore();
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(page);
    p.drawLine(QPointF(4, 11), QPointF(28, 11));
    for (int x : {10, 22})
        p.drawLine(QPointF(x, 2.5), QPointF(x, 7.5));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRectF cell(7 + col * 5, 14 + row * 4.5, 3, 3);
            p.fillRect(cell, (row == 1 && col == 2) ? red : greyLight);
        }
    }
}

} // namespace

QVector<QImage> toolbarIcons()
{
    const std::array<std::function<void(QPainter&)>, 16> painters{
        iconDraw, iconCheck, iconRake, iconDelete, iconSettings, iconPrint, iconQuit, iconDatabase,
        iconStatistics, iconHint, iconNotepad, iconWeb, iconPhone, iconHelp, iconInfo, iconCalendar};
    QVector<QImage> icons;
    for (const auto& paint : painters) {
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p);
        p.end();
        icons << image.convertToFormat(QImage::Format_ARGB32);
    }
    return icons;
}

} // namespace artwork

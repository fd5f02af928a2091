#include "artwork.h"
#include "palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QTextStream>
#include <QtMath>
#include <array>

namespace artwork {

namespace {

using namespace palette;

const QColor kGrassLight(0x5d, 0xb5, 0x62);
const QColor kGrassDark(0x50, 0xa8, 0x57);
const QColor kLine(255, 255, 255, 215);

// Marks on the big coupon, columns 1, X, 2 as bits; a few rows carry two or
// three marks the way a reduced system does.
constexpr std::array<int, 13> kCouponMarks{1, 2, 4, 1, 3, 1, 4, 2, 1, 7, 4, 1, 6};

QImage softShadow(QSize size, const QPainterPath& shape, QPointF offset, int blur, int alpha)
{
    QImage shadow(size, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    QPainter p(&shadow);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 30, alpha));
    p.translate(offset);
    p.drawPath(shape);
    p.end();
    return blurred(shadow, blur);
}

void drawPitchLines(QPainter& p, const QRectF& field)
{
    // Proportions of a 105 x 68 m pitch.
    const qreal sx = field.width() / 105.0, sy = field.height() / 68.0;
    const qreal midX = field.center().x(), midY = field.center().y();
    p.setPen(QPen(kLine, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(field);
    p.drawLine(QPointF(midX, field.top()), QPointF(midX, field.bottom()));
    p.drawEllipse(QPointF(midX, midY), 9.15 * sy, 9.15 * sy);
    for (int side : {-1, 1}) {
        const qreal goalLine = side < 0 ? field.left() : field.right();
        const qreal inward = -side;
        const auto box = [&](qreal depth, qreal height) {
            const qreal x0 = goalLine, x1 = goalLine + inward * depth * sx;
            return QRectF(QPointF(std::min(x0, x1), midY - height * sy / 2),
                          QPointF(std::max(x0, x1), midY + height * sy / 2));
        };
        p.drawRect(box(16.5, 40.3));
        p.drawRect(box(5.5, 18.3));
        const QPointF spot(goalLine + inward * 11 * sx, midY);
        p.setBrush(kLine);
        p.drawEllipse(spot, 1.5, 1.5);
        p.setBrush(Qt::NoBrush);
        // The arc outside the penalty area.
        const qreal r = 9.15 * sy;
        const qreal edge = goalLine + inward * 16.5 * sx;
        const qreal half = qRadiansToDegrees(std::acos(std::clamp((edge - spot.x()) * inward / r, -1.0, 1.0)));
        const qreal start = side < 0 ? -half : 180 - half;
        p.drawArc(QRectF(spot.x() - r, spot.y() - r, 2 * r, 2 * r), int(start * 16), int(2 * half * 16));
        // Goal beyond the line.
        p.drawRect(box(-2.2, 7.32));
    }
    p.setBrush(kLine);
    p.drawEllipse(QPointF(midX, midY), 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
    const qreal corner = 1.0 * sy * 2;
    p.drawArc(QRectF(field.left() - corner, field.top() - corner, 2 * corner, 2 * corner), 270 * 16, 90 * 16);
    p.drawArc(QRectF(field.right() - corner, field.top() - corner, 2 * corner, 2 * corner), 180 * 16, 90 * 16);
    p.drawArc(QRectF(field.left() - corner, field.bottom() - corner, 2 * corner, 2 * corner), 0, 90 * 16);
    p.drawArc(QRectF(field.right() - corner, field.bottom() - corner, 2 * corner, 2 * corner), 90 * 16, 90 * 16);
}

void drawPitch(QPainter& p, const QRectF& pitch)
{
    QPainterPath shape;
    shape.addRoundedRect(pitch, 14, 14);
    p.save();
    p.setClipPath(shape);
    const int stripes = 10;
    const qreal stripe = pitch.width() / stripes;
    for (int i = 0; i < stripes; ++i)
        p.fillRect(QRectF(pitch.left() + i * stripe, pitch.top(), stripe + 0.5, pitch.height()),
                   i % 2 ? kGrassDark : kGrassLight);
    QRadialGradient light(pitch.center() - QPointF(0, pitch.height() * 0.15), pitch.width() * 0.6);
    light.setColorAt(0.0, QColor(255, 255, 230, 55));
    light.setColorAt(0.6, QColor(255, 255, 230, 0));
    light.setColorAt(1.0, QColor(10, 50, 20, 60));
    p.fillRect(pitch, light);
    drawPitchLines(p, pitch.adjusted(16, 14, -16, -14));
    p.restore();
    p.setPen(QPen(QColor(0x3a, 0x80, 0x42), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

QFont uiFont(int pixelSize, bool bold, bool italic = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// The coupon is drawn around its own origin so the caller can turn it.
void drawBigCoupon(QPainter& p, const QSizeF& size)
{
    const QRectF sheet(-size.width() / 2, -size.height() / 2, size.width(), size.height());
    QPainterPath shape;
    shape.addRoundedRect(sheet, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xfd, 0xfc, 0xf7));
    p.drawPath(shape);

    p.save();
    p.setClipPath(shape);
    const qreal headerHeight = 24;
    QLinearGradient header(sheet.topLeft(), sheet.topLeft() + QPointF(0, headerHeight));
    header.setColorAt(0, blue.lighter(112));
    header.setColorAt(1, blue);
    p.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), headerHeight), header);
    p.restore();

    const qreal numberWidth = 22;
    const qreal columnWidth = (sheet.width() - numberWidth - 10) / 3;
    const auto columnCentre = [&](int c) { return sheet.left() + numberWidth + columnWidth * (c + 0.5); };
    p.setPen(Qt::white);
    p.setFont(uiFont(13, true));
    const std::array<QString, 3> labels{QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")};
    for (int c = 0; c < 3; ++c)
        p.drawText(QRectF(columnCentre(c) - 10, sheet.top(), 20, headerHeight), Qt::AlignCenter, labels[c]);

    const qreal top = sheet.top() + headerHeight + 6;
    const qreal rowHeight = (sheet.bottom() - 8 - top) / 13;
    const QColor boxLine(0x9f, 0xb4, 0xcc);
    const QColor markInk(0x1d, 0x4e, 0x9a);
    p.setFont(uiFont(8, true));
    for (int row = 0; row < 13; ++row) {
        const qreal y = top + row * rowHeight;
        if (row % 2 == 0)
            p.fillRect(QRectF(sheet.left() + 3, y, sheet.width() - 6, rowHeight), QColor(0xee, 0xf3, 0xf9));
        p.setPen(QColor(0x55, 0x66, 0x77));
        p.drawText(QRectF(sheet.left() + 2, y, numberWidth - 4, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(row + 1));
        for (int c = 0; c < 3; ++c) {
            const QRectF box(columnCentre(c) - 6, y + rowHeight / 2 - 4, 12, 8);
            p.setPen(QPen(boxLine, 1));
            p.setBrush(Qt::white);
            p.drawRect(box);
            if (kCouponMarks[row] & (1 << c)) {
                p.setPen(QPen(markInk, 1.8, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(box.topLeft() + QPointF(2, 1), box.bottomRight() - QPointF(2, 1));
                p.drawLine(box.topRight() + QPointF(-2, 1), box.bottomLeft() + QPointF(2, -1));
            }
        }
    }
    p.setPen(QPen(QColor(0xb8, 0xc2, 0xcc), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

// A smaller coupon for the application icon: fewer, bolder rows.
// The small coupon's five rows of three boxes, one marked in each.
QRectF iconCouponCell(const QRectF& sheet, int row, int column)
{
    return QRectF(sheet.left() + 6 + column * 8, sheet.top() + 14 + row * 7, 5, 5);
}

bool iconCouponMarked(int row, int column)
{
    const std::array<int, 5> marks{0, 2, 1, 0, 1};
    return column == marks[row];
}

void drawIconCoupon(QPainter& p, const QRectF& sheet)
{
    QPainterPath shape;
    shape.addRoundedRect(sheet, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 9), blue);
    p.restore();
    for (int row = 0; row < 5; ++row)
        for (int c = 0; c < 3; ++c)
            p.fillRect(iconCouponCell(sheet, row, c), iconCouponMarked(row, c) ? blue : greyLight);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage backgroundPicture()
{
    const QSize size(420, 220);
    const QRectF pitch(8, 10, 322, 196);
    const QPointF couponCentre(352, 110);
    const QSizeF couponSize(100, 190);
    const qreal couponTurn = 4;
    const QPointF ballCentre(150, 132);
    const qreal ballRadius = 23;

    QPainterPath pitchShape;
    pitchShape.addRoundedRect(pitch, 14, 14);
    QPainterPath couponShape;
    couponShape.addRoundedRect(QRectF(QPointF(-couponSize.width() / 2, -couponSize.height() / 2), couponSize), 5, 5);
    QTransform couponTransform;
    couponTransform.translate(couponCentre.x(), couponCentre.y());
    couponTransform.rotate(couponTurn);

    QImage image = transparentImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.drawImage(0, 0, softShadow(size, pitchShape, QPointF(0, 3), 4, 90));
    drawPitch(p, pitch);

    // Ball: its shadow lies on the grass, offset towards the lower right.
    QPainterPath ballShadow;
    ballShadow.addEllipse(ballCentre + QPointF(8, ballRadius - 2), ballRadius * 0.95, ballRadius * 0.35);
    p.save();
    p.setClipPath(pitchShape);
    p.drawImage(0, 0, softShadow(size, ballShadow, QPointF(0, 0), 4, 110));
    p.restore();
    drawBall(p, ballCentre, ballRadius, 22);

    // Name on the grass with a dark halo so it reads over the pitch lines.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(40);
    font.setBold(true);
    font.setItalic(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("Rivikone"));
    word.translate(QPointF(pitch.center().x(), 50) - word.boundingRect().center());
    p.drawImage(0, 0, softShadow(size, word, QPointF(1.5, 2.5), 2, 150));
    p.setPen(Qt::NoPen);
    QLinearGradient wordFill(0, word.boundingRect().top(), 0, word.boundingRect().bottom());
    wordFill.setColorAt(0, QColor(0xff, 0xff, 0xff));
    wordFill.setColorAt(1, QColor(0xf0, 0xf4, 0xe8));
    p.setBrush(wordFill);
    p.drawPath(word);

    p.drawImage(0, 0, softShadow(size, couponTransform.map(couponShape), QPointF(2, 4), 5, 110));
    p.save();
    p.setTransform(couponTransform);
    drawBigCoupon(p, couponSize);
    p.restore();
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage ballPicture()
{
    QImage image = transparentImage(QSize(32, 32));
    QPainter p(&image);
    drawBall(p, QPointF(16, 16), 14.5, 22);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

namespace {

// The icon on its 64x64 grid: a coupon leaning left, the ball in front of it.
const QPointF kIconCouponCentre(23, 31);
const qreal kIconCouponTurn = -8;
const QRectF kIconCouponSheet(-17, -26, 34, 52);
const QPointF kIconBallCentre(43, 42);
const qreal kIconBallRadius = 18.5;
const qreal kIconBallTurn = 22;
const QPointF kIconShadowCentre(44, 44);
const qreal kIconShadowRadius = 18;
const QPointF kIconShadowOffset(1, 2);
const int kIconShadowAlpha = 90;

QString number(qreal x)
{
    return QString::number(x, 'f', 2).remove(QRegularExpression("\\.?0+$"));
}

QString colour(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

} // namespace

QImage applicationIcon(int size)
{
    const qreal scale = size / 64.0;
    QImage image = transparentImage(QSize(size, size));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.save();
    p.translate(kIconCouponCentre);
    p.rotate(kIconCouponTurn);
    drawIconCoupon(p, kIconCouponSheet);
    p.restore();
    QPainterPath shadow;
    shadow.addEllipse(kIconShadowCentre * scale, kIconShadowRadius * scale, kIconShadowRadius * scale);
    p.resetTransform();
    p.drawImage(
        0, 0,
        softShadow(image.size(), shadow, kIconShadowOffset * scale, std::max(1, qRound(2 * scale)), kIconShadowAlpha));
    p.scale(scale, scale);
    drawBall(p, kIconBallCentre, kIconBallRadius, kIconBallTurn);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray applicationIconSvg()
{
    QString svg;
    QTextStream out(&svg);
    const QRectF& c = kIconCouponSheet;
    const BallShapes ball = ballShapes(kIconBallCentre, kIconBallRadius, kIconBallTurn);
    const QPointF shadeCentre = ball.centre - QPointF(ball.radius * 0.35, ball.radius * 0.4);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
        << "<defs>\n"
        << "<clipPath id=\"sheet\"><rect x=\"" << number(c.x()) << "\" y=\"" << number(c.y()) << "\" width=\""
        << number(c.width()) << "\" height=\"" << number(c.height()) << "\" rx=\"3\"/></clipPath>\n"
        << "<clipPath id=\"ball\"><circle cx=\"" << number(ball.centre.x()) << "\" cy=\"" << number(ball.centre.y())
        << "\" r=\"" << number(ball.radius) << "\"/></clipPath>\n"
        << "<radialGradient id=\"shade\" gradientUnits=\"userSpaceOnUse\" cx=\"" << number(shadeCentre.x())
        << "\" cy=\"" << number(shadeCentre.y()) << "\" r=\"" << number(ball.radius * 1.45) << "\">\n";
    for (const auto& [at, stop] : kBallShade)
        out << "<stop offset=\"" << number(at) << "\" stop-color=\"" << colour(stop) << "\" stop-opacity=\""
            << number(stop.alphaF()) << "\"/>\n";
    out << "</radialGradient>\n"
        << "<filter id=\"blur\" x=\"-20%\" y=\"-20%\" width=\"140%\" height=\"140%\">"
        << "<feGaussianBlur stdDeviation=\"1.5\"/></filter>\n"
        << "</defs>\n";

    out << "<g transform=\"translate(" << number(kIconCouponCentre.x()) << " " << number(kIconCouponCentre.y())
        << ") rotate(" << number(kIconCouponTurn) << ")\">\n"
        << "<rect x=\"" << number(c.x()) << "\" y=\"" << number(c.y()) << "\" width=\"" << number(c.width())
        << "\" height=\"" << number(c.height()) << "\" rx=\"3\" fill=\"" << colour(paper) << "\"/>\n"
        << "<rect x=\"" << number(c.x()) << "\" y=\"" << number(c.y()) << "\" width=\"" << number(c.width())
        << "\" height=\"9\" fill=\"" << colour(blue) << "\" clip-path=\"url(#sheet)\"/>\n";
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column) {
            const QRectF cell = iconCouponCell(c, row, column);
            out << "<rect x=\"" << number(cell.x()) << "\" y=\"" << number(cell.y())
                << "\" width=\"5\" height=\"5\" fill=\"" << colour(iconCouponMarked(row, column) ? blue : greyLight)
                << "\"/>\n";
        }
    out << "<rect x=\"" << number(c.x()) << "\" y=\"" << number(c.y()) << "\" width=\"" << number(c.width())
        << "\" height=\"" << number(c.height()) << "\" rx=\"3\" fill=\"none\" stroke=\"" << colour(ink)
        << "\" stroke-width=\"2\" stroke-linejoin=\"round\"/>\n"
        << "</g>\n";

    const QPointF shadow = kIconShadowCentre + kIconShadowOffset;
    out << "<circle cx=\"" << number(shadow.x()) << "\" cy=\"" << number(shadow.y()) << "\" r=\""
        << number(kIconShadowRadius) << "\" fill=\"#14281e\" fill-opacity=\"" << number(kIconShadowAlpha / 255.0)
        << "\" filter=\"url(#blur)\"/>\n";
    out << "<circle cx=\"" << number(ball.centre.x()) << "\" cy=\"" << number(ball.centre.y()) << "\" r=\""
        << number(ball.radius) << "\" fill=\"#ffffff\"/>\n"
        << "<g clip-path=\"url(#ball)\">\n<path fill=\"none\" stroke=\"" << colour(kSeam) << "\" stroke-width=\""
        << number(ball.seamWidth) << "\" stroke-linecap=\"round\" d=\"";
    for (const QLineF& seam : ball.seams)
        out << "M" << number(seam.x1()) << " " << number(seam.y1()) << "L" << number(seam.x2()) << " "
            << number(seam.y2());
    out << "\"/>\n<path fill=\"" << colour(kPanel) << "\" d=\"";
    for (const QPolygonF& panel : ball.panels) {
        for (qsizetype i = 0; i < panel.size(); ++i)
            out << (i == 0 ? "M" : "L") << number(panel[i].x()) << " " << number(panel[i].y());
        out << "Z";
    }
    out << "\"/>\n<circle cx=\"" << number(ball.centre.x()) << "\" cy=\"" << number(ball.centre.y()) << "\" r=\""
        << number(ball.radius) << "\" fill=\"url(#shade)\"/>\n</g>\n"
        << "<circle cx=\"" << number(ball.centre.x()) << "\" cy=\"" << number(ball.centre.y()) << "\" r=\""
        << number(ball.radius) << "\" fill=\"none\" stroke=\"" << colour(ink) << "\" stroke-width=\""
        << number(ball.outlineWidth) << "\"/>\n"
        << "</svg>\n";
    out.flush();
    return svg.toUtf8();
}

} // namespace artwork

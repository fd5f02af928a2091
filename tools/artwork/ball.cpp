#include "artwork.h"
#include "palette.h"

#include <QMatrix4x4>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVector3D>
#include <QtMath>
#include <algorithm>
#include <array>
#include <numeric>

namespace artwork {

namespace {

// The ball's panels are the faces of a truncated icosahedron. Building them
// from the real solid keeps the pattern right at any turn and size.
struct BallGeometry {
    QVector<QVector3D> vertices; // on the unit sphere
    QVector<std::array<int, 5>> pentagons;
    QVector<std::pair<int, int>> edges;
};

BallGeometry makeGeometry()
{
    const float phi = (1.0f + std::sqrt(5.0f)) / 2.0f;
    const std::array<QVector3D, 3> bases{QVector3D(0, 1, 3 * phi), QVector3D(1, 2 + phi, 2 * phi),
                                         QVector3D(phi, 2, 2 * phi + 1)};
    QVector<QVector3D> raw;
    for (const QVector3D& b : bases) {
        for (int signs = 0; signs < 8; ++signs) {
            const QVector3D v((signs & 1 ? -1 : 1) * b.x(), (signs & 2 ? -1 : 1) * b.y(), (signs & 4 ? -1 : 1) * b.z());
            // Cyclic permutations only: the solid is built from the even ones.
            for (const QVector3D& w : {v, QVector3D(v.y(), v.z(), v.x()), QVector3D(v.z(), v.x(), v.y())}) {
                const bool known =
                    std::any_of(raw.begin(), raw.end(), [&](const QVector3D& u) { return (u - w).length() < 1e-3f; });
                if (!known)
                    raw << w;
            }
        }
    }

    BallGeometry g;
    for (int i = 0; i < raw.size(); ++i)
        for (int j = i + 1; j < raw.size(); ++j)
            if (std::abs((raw[i] - raw[j]).length() - 2.0f) < 1e-3f)
                g.edges.append({i, j});
    for (const QVector3D& v : raw)
        g.vertices << v.normalized();

    // A pentagon sits over each vertex of the icosahedron.
    QVector<QVector3D> centres;
    for (float s1 : {-1.0f, 1.0f})
        for (float s2 : {-1.0f, 1.0f}) {
            centres << QVector3D(0, s1, s2 * phi) << QVector3D(s1, s2 * phi, 0) << QVector3D(s2 * phi, 0, s1);
        }
    for (const QVector3D& c0 : centres) {
        const QVector3D c = c0.normalized();
        QVector<int> order(g.vertices.size());
        std::iota(order.begin(), order.end(), 0);
        std::partial_sort(order.begin(), order.begin() + 5, order.end(), [&](int a, int b) {
            return QVector3D::dotProduct(g.vertices[a], c) > QVector3D::dotProduct(g.vertices[b], c);
        });
        const QVector3D u = (g.vertices[order[0]] - c * QVector3D::dotProduct(g.vertices[order[0]], c)).normalized();
        const QVector3D w = QVector3D::crossProduct(c, u);
        std::sort(order.begin(), order.begin() + 5, [&](int a, int b) {
            const auto angle = [&](int k) {
                return std::atan2(QVector3D::dotProduct(g.vertices[k], w), QVector3D::dotProduct(g.vertices[k], u));
            };
            return angle(a) < angle(b);
        });
        g.pentagons.append({order[0], order[1], order[2], order[3], order[4]});
    }
    return g;
}

const BallGeometry& geometry()
{
    static const BallGeometry g = makeGeometry();
    return g;
}

QVector<QVector3D> arc(const QVector3D& a, const QVector3D& b, int steps)
{
    QVector<QVector3D> points;
    for (int i = 0; i <= steps; ++i) {
        const float t = float(i) / steps;
        points << (a * (1 - t) + b * t).normalized();
    }
    return points;
}

} // namespace

BallShapes ballShapes(QPointF centre, qreal radius, qreal turnDegrees)
{
    const BallGeometry& g = geometry();
    QMatrix4x4 turn;
    turn.rotate(float(turnDegrees), 0, 0, 1);
    turn.rotate(-25, 1, 0, 0);
    turn.rotate(float(turnDegrees) * 0.7f, 0, 1, 0);

    const auto project = [&](const QVector3D& v) {
        QVector3D q = turn.map(v);
        // Points round the back are pushed out to the rim so a panel that is
        // half hidden ends at the silhouette instead of folding back inwards.
        if (q.z() < 0) {
            const QVector2D flat(q.x(), q.y());
            const QVector2D rim = flat.length() > 1e-6f ? flat.normalized() : QVector2D(1, 0);
            q = QVector3D(rim.x(), rim.y(), 0);
        }
        return centre + QPointF(q.x(), -q.y()) * radius;
    };

    BallShapes shapes;
    shapes.centre = centre;
    shapes.radius = radius;
    const int steps = 8;
    shapes.seamWidth = std::max<qreal>(0.6, radius / 28.0);
    shapes.outlineWidth = std::max<qreal>(1.0, radius / 12.0);
    for (auto [a, b] : g.edges) {
        const QVector<QVector3D> points = arc(g.vertices[a], g.vertices[b], steps);
        for (int i = 0; i < steps; ++i) {
            if (turn.map(points[i]).z() > 0 && turn.map(points[i + 1]).z() > 0)
                shapes.seams << QLineF(project(points[i]), project(points[i + 1]));
        }
    }
    for (const auto& face : g.pentagons) {
        QVector3D middle;
        for (int k : face)
            middle += g.vertices[k];
        if (turn.map(middle.normalized()).z() < -0.4f)
            continue;
        QPolygonF outline;
        for (int i = 0; i < 5; ++i)
            for (const QVector3D& v : arc(g.vertices[face[i]], g.vertices[face[(i + 1) % 5]], steps))
                outline << project(v);
        shapes.panels << outline;
    }
    return shapes;
}

void drawBall(QPainter& p, QPointF centre, qreal radius, qreal turnDegrees)
{
    const BallShapes shapes = ballShapes(centre, radius, turnDegrees);
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(disc);
    p.setClipPath(disc, Qt::IntersectClip);

    p.setPen(QPen(kSeam, shapes.seamWidth, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& seam : shapes.seams)
        p.drawLine(seam);

    p.setPen(Qt::NoPen);
    p.setBrush(kPanel);
    for (const QPolygonF& panel : shapes.panels)
        p.drawPolygon(panel);

    // Light from the upper left: a soft shade towards the lower right rim.
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.45);
    for (const auto& [at, colour] : kBallShade)
        shade.setColorAt(at, colour);
    p.setBrush(shade);
    p.drawPath(disc);
    p.restore();

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette::ink, shapes.outlineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPath(disc);
    p.restore();
}

QImage blurred(const QImage& image, int radius)
{
    // Three box blurs in a row come close to a gaussian and are cheap.
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = out.width(), h = out.height();
    QVector<int> line;
    for (int pass = 0; pass < 3; ++pass) {
        for (int horizontal = 0; horizontal < 2; ++horizontal) {
            const int length = horizontal ? w : h;
            const int lines = horizontal ? h : w;
            line.resize(length * 4);
            for (int l = 0; l < lines; ++l) {
                const auto pixel = [&](int i) -> QRgb& {
                    return reinterpret_cast<QRgb*>(out.scanLine(horizontal ? l : i))[horizontal ? i : l];
                };
                for (int i = 0; i < length; ++i) {
                    const QRgb c = pixel(i);
                    line[i * 4 + 0] = qAlpha(c);
                    line[i * 4 + 1] = qRed(c);
                    line[i * 4 + 2] = qGreen(c);
                    line[i * 4 + 3] = qBlue(c);
                }
                for (int i = 0; i < length; ++i) {
                    std::array<int, 4> sum{};
                    for (int k = std::max(0, i - radius); k <= std::min(length - 1, i + radius); ++k)
                        for (int ch = 0; ch < 4; ++ch)
                            sum[ch] += line[k * 4 + ch];
                    // Pixels beyond the edge count as transparent, so shadows fade out there.
                    const int count = 2 * radius + 1;
                    pixel(i) = qRgba(sum[1] / count, sum[2] / count, sum[3] / count, sum[0] / count);
                }
            }
        }
    }
    return out;
}

} // namespace artwork

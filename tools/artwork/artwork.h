#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <QVector>

namespace artwork {

// Toolbar images in the order the toolbar uses them (1.png is index 0).
QVector<QImage> toolbarIcons();

QImage backgroundPicture(); // 420x220, main window background
QImage ballPicture();       // 32x32
// The program's icon, drawn on a 64x64 grid and scaled to `size`.
QImage applicationIcon(int size = 64);
// The same icon as an SVG document, for the desktop's icon theme.
QByteArray applicationIconSvg();

// A ball as its flat parts: seam lines, dark panels, the light's shade.
struct BallShapes {
    QPointF centre;
    qreal radius = 0;
    qreal seamWidth = 0;
    qreal outlineWidth = 0;
    QVector<QLineF> seams;
    QVector<QPolygonF> panels;
};
BallShapes ballShapes(QPointF centre, qreal radius, qreal turnDegrees);
inline const QColor kSeam{0x9a, 0xa4, 0xae};
inline const QColor kPanel{0x22, 0x2b, 0x35};
// The shade's stops, centred up and left of the middle, 1.45 radii wide.
inline const QVector<QPair<qreal, QColor>> kBallShade = {{0.0, QColor(255, 255, 255, 70)},
                                                         {0.45, QColor(255, 255, 255, 0)},
                                                         {0.8, QColor(20, 30, 45, 40)},
                                                         {1.0, QColor(20, 30, 45, 110)}};

// A football seen from the front, rotated so that the panels do not look
// like a diagram. Drawn inside the circle (centre, radius).
void drawBall(QPainter& p, QPointF centre, qreal radius, qreal turnDegrees = 18.0);

// Gaussian-like blur of an ARGB image, used for soft shadows.
QImage blurred(const QImage& image, int radius);

struct Sound {
    QString name;
    qint64 fileBytes; // exact size of the finished file
    QVector<float> (*synthesise)(int sampleCount);
};
QVector<Sound> sounds();
QByteArray wavFile(const QVector<float>& samples);

constexpr int kSampleRate = 22050;

} // namespace artwork

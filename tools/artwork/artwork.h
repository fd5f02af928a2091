#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QVector>

namespace artwork {

// Toolbar images in the order the toolbar uses them (1.png is index 0).
QVector<QImage> toolbarIcons();

QImage backgroundPicture();   // 420x220, main window background
QImage ballPicture();         // 32x32
QImage applicationIcon();     // 64x64

// A football seen from the front, rotated so that the panels do not look
// like a diagram. Drawn inside the circle (centre, radius).
void drawBall(QPainter& p, QPointF centre, qreal radius, qreal turnDegrees = 18.0);

// Gaussian-like blur of an ARGB image, used for soft shadows.
QImage blurred(const QImage& image, int radius);

struct Sound {
    QString name;
    qint64 fileBytes;              // exact size of the finished file
    QVector<float> (*synthesise)(int sampleCount);
};
QVector<Sound> sounds();
QByteArray wavFile(const QVector<float>& samples);

constexpr int kSampleRate = 22050;

} // namespace artwork

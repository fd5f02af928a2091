// make_bookmark_pictures [data-directory] [--keep-png folder] [--pad-only]
//
// Draws the background, the logo and the bullet of the bookmarks page and
// writes them as GIF files RK_GIF/15, 16 and 17 of the data directory (the
// repository's data/ by default). GIF has one transparent colour and no
// partial transparency, so the soft edges are drawn onto the page's own
// background colour.
//
// The pictures keep the byte sizes the program has always carried (3,964,
// 2,732 and 1,120): comment blocks before the GIF's end make up the
// difference, and viewers skip them. --pad-only pads the GIFs already in the
// data directory without drawing them again.

#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

// The page: pale pitch green under dark ink.
const QColor kPage(0xf1, 0xf7, 0xec);
const QColor kNet(0xd9, 0xe9, 0xd0);
const QColor kGrassBand(0xec, 0xf4, 0xe6);
const QColor kNetShade(0xe6, 0xf0, 0xdf);
const QColor kInk(0x1f, 0x3d, 0x2a);
const QColor kGreen(0x2e, 0x8b, 0x4e);

QFont font(int pixelSize, bool bold, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// A goal net seen square on: a diamond mesh with a faint shadow of a second
// layer behind it. The tile repeats seamlessly in both directions.
QImage backgroundTile()
{
    const int size = 126;
    const int mesh = 21;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kPage);
    QPainter p(&image);
    // Mown grass shows through the net in faint bands, light and lighter.
    for (int x = 0; x < size; x += 2 * mesh)
        p.fillRect(QRect(x, 0, mesh, size), kGrassBand);
    for (int y = 0; y < size; y += 3)
        for (int x = (y * 7) % 5; x < size; x += 5)
            image.setPixelColor(x, y, image.pixelColor(x, y).darker(101 + (x * y) % 2));
    p.setRenderHint(QPainter::Antialiasing);
    auto diagonals = [&](const QColor& colour, qreal width, QPointF offset) {
        p.setPen(QPen(colour, width));
        for (int k = -size; k <= 2 * size; k += mesh) {
            p.drawLine(QPointF(k, 0) + offset, QPointF(k + size, size) + offset);
            p.drawLine(QPointF(k, 0) + offset, QPointF(k - size, size) + offset);
        }
    };
    diagonals(kNetShade, 2.0, QPointF(3, 2));
    diagonals(kNet, 1.2, QPointF(0, 0));
    // Knots where the cords cross.
    p.setPen(Qt::NoPen);
    p.setBrush(kNet.darker(104));
    for (int y = 0; y <= size; y += mesh)
        for (int x = (y / mesh) % 2 ? 0 : mesh / 2; x <= size + mesh; x += mesh) {
            const QPointF knot(x + (y / mesh % 2 ? mesh / 2.0 : 0) - mesh / 2.0, y);
            p.drawEllipse(knot, 1.6, 1.6);
        }
    return image;
}

QImage logo()
{
    QImage image(268, 74, QImage::Format_ARGB32_Premultiplied);
    image.fill(kPage);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A ground shadow, then the ball above it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0xd9, 0xbf));
    p.drawEllipse(QRectF(10, 62, 50, 8));
    artwork::drawBall(p, QPointF(35, 35), 27, 24);

    p.setFont(font(34, true));
    p.setPen(kInk);
    p.drawText(QPointF(74, 40), QStringLiteral("Rivikone"));
    p.setFont(font(14, true, true));
    p.setPen(kGreen);
    p.drawText(QPointF(77, 60), QStringLiteral("PRO v1.0  ·  linkkisivu"));
    return image;
}

QImage bullet()
{
    QImage image(26, 26, QImage::Format_ARGB32_Premultiplied);
    image.fill(kPage);
    QPainter p(&image);
    artwork::drawBall(p, QPointF(13, 13), 11.6, 30);
    return image;
}

// A GIF comment extension carrying `length` bytes of text: introducer, label,
// sub-blocks of at most 255 bytes each with its length first, terminator.
QByteArray gifComment(int length)
{
    static const QByteArray text = QByteArrayLiteral("Rivikone PRO v1.0 - linkkisivun kuva. ");
    QByteArray block = QByteArrayLiteral("\x21\xfe");
    for (int written = 0; written < length;) {
        const int part = std::min(255, length - written);
        block += char(part);
        for (int i = 0; i < part; ++i)
            block += text[(written + i) % text.size()];
        written += part;
    }
    return block + '\0';
}

int gifCommentSize(int length)
{
    return 3 + length + (length + 254) / 255;
}

// Pads a GIF89a file to exactly `size` bytes with comments before its trailer.
// False when it is larger already or the gap cannot be filled (1, 2 or 4 bytes).
bool padGif(QByteArray& gif, qsizetype size)
{
    if (!gif.startsWith("GIF89a") || !gif.endsWith('\x3b') || gif.size() > size)
        return false;
    QByteArray comments;
    qsizetype missing = size - gif.size();
    while (missing > 0) {
        int length = -1;
        for (int n = 0; n <= missing && length < 0; ++n)
            if (gifCommentSize(n) == missing)
                length = n;
        if (length < 0) {
            // No single comment fills the gap: an empty one, and another for the rest.
            if (missing < 6)
                return false;
            length = 0;
        }
        comments += gifComment(length);
        missing -= gifCommentSize(length);
    }
    gif.insert(gif.size() - 1, comments);
    return gif.size() == size;
}

bool padGifFile(const QString& path, qsizetype size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray gif = file.readAll();
    file.close();
    if (gif.size() == size)
        return true;
    if (!padGif(gif, size)) {
        std::fprintf(stderr, "%s: %lld bytes cannot be padded to %lld\n", qPrintable(path), qint64(gif.size()),
                     qint64(size));
        return false;
    }
    return file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size();
}

QString convertProgram()
{
    // The real ImageMagick, not a stand-in that may shadow it on the PATH.
    for (const QString& candidate : {QStringLiteral("/usr/bin/convert"), QStringLiteral("convert")}) {
        const QString found = candidate.startsWith('/') ? (QFile::exists(candidate) ? candidate : QString())
                                                        : QStandardPaths::findExecutable(candidate);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

// PNG to GIF with at most `colours` colours; `transparent` makes the page
// colour see-through so the picture sits on the tiled background.
bool toGif(const QString& convert, const QString& png, const QString& gif, int colours, bool transparent)
{
    QStringList arguments{png, QStringLiteral("+dither"), QStringLiteral("-colors"), QString::number(colours)};
    if (transparent)
        arguments << QStringLiteral("-fuzz") << QStringLiteral("1%") << QStringLiteral("-transparent") << kPage.name();
    arguments << QStringLiteral("GIF:") + gif;
    QProcess process;
    process.start(convert, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "convert failed for %s: %s\n", qPrintable(gif),
                     process.readAllStandardError().constData());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString dataDir = QStringLiteral(RK_DEFAULT_DATA_DIR);
    QString keepPng;
    bool padOnly = false;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--keep-png") && i + 1 < args.size())
            keepPng = args[++i];
        else if (args[i] == QLatin1String("--pad-only"))
            padOnly = true;
        else
            dataDir = args[i];
    }
    const QDir out(dataDir);
    const QList<QPair<int, qsizetype>> sizes = {{15, 3964}, {16, 2732}, {17, 1120}};
    if (padOnly) {
        bool padded = true;
        for (const auto& [number, size] : sizes)
            padded &= padGifFile(out.filePath(QStringLiteral("RK_GIF/%1").arg(number)), size);
        return padded ? 0 : 1;
    }

    const QString convert = convertProgram();
    if (convert.isEmpty()) {
        std::fprintf(stderr, "ImageMagick's convert is needed\n");
        return 1;
    }
    QTemporaryDir work;
    const QString pngDir = keepPng.isEmpty() ? work.path() : keepPng;
    QDir().mkpath(pngDir);
    out.mkpath(QStringLiteral("RK_GIF"));

    struct Picture {
        QImage image;
        int number;
        int colours;
        bool transparent;
        qsizetype size;
    };
    const QList<Picture> pictures = {
        {backgroundTile(), 15, 64, false, sizes[0].second},
        {logo(), 16, 16, true, sizes[1].second},
        {bullet(), 17, 256, true, sizes[2].second},
    };
    bool ok = true;
    for (const Picture& picture : pictures) {
        const QString png = QDir(pngDir).filePath(QString::number(picture.number) + QStringLiteral(".png"));
        const QString gif = out.filePath(QStringLiteral("RK_GIF/%1").arg(picture.number));
        ok &= picture.image.save(png, "PNG") && toGif(convert, png, gif, picture.colours, picture.transparent) &&
              padGifFile(gif, picture.size);
        std::printf("RK_GIF/%d: %lld bytes\n", picture.number, QFileInfo(gif).size());
    }
    return ok ? 0 : 1;
}

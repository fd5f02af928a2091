// make_artwork [data-directory] [--desktop desktop-directory] [--sheet preview.png]
//
// Writes the toolbar images, the pictures and the event sounds into the data
// directory (the repository's data/ by default), and the program's icon theme
// (SVG and PNG sizes) into the desktop directory (the repository's desktop/).
// With --sheet it also renders a preview of everything on a window-coloured
// background for review.

#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

bool save(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage previewSheet(const QVector<QImage>& icons, const QImage& background, const QImage& ball, const QImage& appIcon)
{
    const QColor window(0xf0, 0xf0, 0xf0);
    QImage sheet(700, 840, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(window);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (int i = 0; i < icons.size(); ++i) {
        const int x = 10 + i * 42;
        p.fillRect(QRect(x - 2, 8, 36, 36), Qt::white);
        p.drawImage(x, 10, icons[i]);
        p.drawImage(QRect(x, 52, 32, 32), icons[i]);
        p.drawText(QRect(x, 86, 32, 14), Qt::AlignCenter, QString::number(i + 1));
    }
    // Twice the size, pixel for pixel, to judge edges.
    for (int i = 0; i < icons.size(); ++i)
        p.drawImage(QRect(10 + (i % 8) * 72, 106 + (i / 8) * 72, 64, 64), icons[i]);
    // As a toolbar scaled to 24 px.
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (int i = 0; i < icons.size(); ++i)
        p.drawImage(QRect(600 + (i % 4) * 26, 106 + (i / 4) * 26, 24, 24), icons[i]);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(600, 230, ball);
    p.drawImage(QRect(600, 270, 64, 64), ball);
    p.drawImage(600, 345, appIcon);

    // The background as the main window shows it: centred near the bottom.
    const QRect mainWindow(10, 260, 634 * 3 / 4, 434 * 3 / 4);
    p.end();
    QImage windowShot(634, 434, QImage::Format_ARGB32_Premultiplied);
    windowShot.fill(window);
    QPainter w(&windowShot);
    w.fillRect(QRect(0, 0, 634, 40), QColor(0xe4, 0xe4, 0xe4));
    for (int i = 0; i < icons.size(); ++i)
        w.drawImage(QRect(6 + i * 30, 8, 24, 24),
                    icons[i].scaled(24, 24, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    w.drawImage((634 - background.width()) / 2, 434 - background.height() - 20, background);
    w.end();
    QPainter q(&sheet);
    q.drawImage(mainWindow, windowShot.scaled(mainWindow.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    q.drawImage(10, 600, background);
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString dataDir = QStringLiteral(RK_DEFAULT_DATA_DIR);
    QString sheetPath;
    QString desktopDir = QStringLiteral(RK_DEFAULT_DESKTOP_DIR);
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sheet") && i + 1 < args.size())
            sheetPath = args[++i];
        else if (args[i] == QLatin1String("--desktop") && i + 1 < args.size())
            desktopDir = args[++i];
        else
            dataDir = args[i];
    }
    const QDir out(dataDir);

    const QVector<QImage> icons = artwork::toolbarIcons();
    bool ok = true;
    for (int i = 0; i < icons.size(); ++i)
        ok &= save(icons[i], out.filePath(QStringLiteral("ImageList1/%1.png").arg(i + 1)));
    const QImage background = artwork::backgroundPicture();
    const QImage ball = artwork::ballPicture();
    const QImage appIcon = artwork::applicationIcon();
    ok &= save(background, out.filePath(QStringLiteral("pictures/Picture8.png")));
    ok &= save(ball, out.filePath(QStringLiteral("pictures/Image12.png")));
    ok &= save(appIcon, out.filePath(QStringLiteral("pictures/rivikone.png")));

    // The icon theme: the desktop picks the size it needs.
    const QDir theme(QDir(desktopDir).filePath(QStringLiteral("icons/hicolor")));
    const QString iconName = QStringLiteral("fi.rivikone.Rivikone");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        ok &= save(artwork::applicationIcon(size),
                   theme.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(iconName)));
    theme.mkpath(QStringLiteral("scalable/apps"));
    QFile svg(theme.filePath(QStringLiteral("scalable/apps/%1.svg").arg(iconName)));
    const QByteArray svgBytes = artwork::applicationIconSvg();
    if (!svg.open(QIODevice::WriteOnly) || svg.write(svgBytes) != svgBytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
        ok = false;
    }

    out.mkpath(QStringLiteral("RK_SOUND"));
    for (const artwork::Sound& sound : artwork::sounds()) {
        // The player expects these exact lengths, so the sample count follows from the file size.
        const int samples = int((sound.fileBytes - 44) / 2);
        const QByteArray bytes = artwork::wavFile(sound.synthesise(samples));
        QFile file(out.filePath(QStringLiteral("RK_SOUND/") + sound.name));
        if (bytes.size() != sound.fileBytes || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write sound %s\n", qPrintable(sound.name));
            ok = false;
        }
    }

    if (!sheetPath.isEmpty())
        ok &= save(previewSheet(icons, background, ball, appIcon), sheetPath);
    return ok ? 0 : 1;
}

#include "shell/programfiles.h"

#include <QFile>
#include <QRegularExpression>
#include <QImage>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

// The carried sounds and pictures are generated once and committed; these
// checks catch a file that was cut short, re-encoded or left out of the resources.

namespace {

QByteArray resource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint32 le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

struct SoundCase {
    const char* path;
    qint64 bytes;
};

// Test names stay the same from run to run.
void PrintTo(const SoundCase& c, std::ostream* os)
{
    *os << c.path;
}

class SoundResource : public ::testing::TestWithParam<SoundCase> {};

TEST_P(SoundResource, IsMono16BitPcmWaveOfTheExpectedLength)
{
    const SoundCase c = GetParam();
    const QByteArray b = resource(QString::fromLatin1(c.path));
    ASSERT_EQ(b.size(), c.bytes) << c.path;

    EXPECT_EQ(b.mid(0, 4), "RIFF");
    EXPECT_EQ(le32(b, 4), quint32(b.size() - 8));
    EXPECT_EQ(b.mid(8, 4), "WAVE");
    EXPECT_EQ(b.mid(12, 4), "fmt ");
    EXPECT_EQ(le32(b, 16), 16u);
    EXPECT_EQ(le16(b, 20), 1u);          // PCM
    EXPECT_EQ(le16(b, 22), 1u);          // mono
    EXPECT_EQ(le32(b, 24), 22050u);
    EXPECT_EQ(le32(b, 28), 22050u * 2);
    EXPECT_EQ(le16(b, 32), 2u);
    EXPECT_EQ(le16(b, 34), 16u);
    EXPECT_EQ(b.mid(36, 4), "data");
    EXPECT_EQ(le32(b, 40), quint32(b.size() - 44));

    // Audible but not clipped, and silent at both ends so playback does not click.
    int peak = 0;
    for (int at = 44; at + 1 < b.size(); at += 2)
        peak = std::max(peak, std::abs(int(qint16(le16(b, at)))));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767);
    EXPECT_LT(std::abs(int(qint16(le16(b, 44)))), 200);
    EXPECT_LT(std::abs(int(qint16(le16(b, int(b.size()) - 2)))), 200);
}

INSTANTIATE_TEST_SUITE_P(Artwork, SoundResource,
                         ::testing::Values(SoundCase{":/RK_SOUND/11", 174792}, SoundCase{":/RK_SOUND/12", 21868},
                                           SoundCase{":/RK_SOUND/13", 27624}, SoundCase{":/RK_SOUND/14", 1144}),
                         [](const ::testing::TestParamInfo<SoundCase>& info) {
                             return "Sound" + std::to_string(11 + info.index);
                         });

TEST(ArtworkImages, ToolbarImagesAre32PixelsWithTransparency)
{
    for (int i = 1; i <= 16; ++i) {
        const QString path = QStringLiteral(":/ImageList1/%1.png").arg(i);
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), QSize(32, 32)) << path.toStdString();
        EXPECT_TRUE(image.hasAlphaChannel()) << path.toStdString();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << path.toStdString();
    }
}

TEST(ArtworkImages, PicturesLoadAtTheirSizes)
{
    const struct {
        const char* path;
        QSize size;
    } pictures[] = {{":/pictures/Picture8.png", QSize(420, 220)},
                    {":/pictures/Image12.png", QSize(32, 32)},
                    {":/pictures/rivikone.png", QSize(64, 64)}};
    for (const auto& picture : pictures) {
        const QImage image(QString::fromLatin1(picture.path));
        ASSERT_FALSE(image.isNull()) << picture.path;
        EXPECT_EQ(image.size(), picture.size) << picture.path;
    }
}

} // namespace

// The page is laid out for its pictures: the title picture at the size its
// tag gives, the bullet within the space its list items leave for it.
TEST(ArtworkImages, TheBookmarksPagesPicturesDecodeAtTheSizesThePageNames)
{
    const QList<CarriedFile>& files = bookmarkFiles();
    const QString page = QString::fromUtf8(resource(QString::fromLatin1(files.front().resource)));
    const auto picture = [&](const QString& name) {
        for (const CarriedFile& file : files)
            if (name == QLatin1String(file.fileName))
                return QImage::fromData(resource(QString::fromLatin1(file.resource)), "GIF");
        return QImage();
    };
    const QRegularExpression sized(QStringLiteral("<img src=\"([^\"]+)\" width=\"(\\d+)\" height=\"(\\d+)\""));
    int tags = 0;
    for (const auto& match : sized.globalMatch(page)) {
        ++tags;
        EXPECT_EQ(picture(match.captured(1)).size(), QSize(match.captured(2).toInt(), match.captured(3).toInt()))
            << match.captured(1).toStdString();
    }
    EXPECT_GE(tags, 1);

    // The bullet is the list items' background, drawn in their padding box.
    const QRegularExpression item(
        QStringLiteral("li \\{[^}]*min-height: (\\d+)px; padding: (\\d+)(?:px)? \\d+(?:px)? (\\d+)(?:px)? (\\d+)px; "
                       "background: url\\(\"([^\"]+)\"\\) no-repeat 0 (\\d+)px"));
    const QRegularExpressionMatch bullet = item.match(page);
    ASSERT_TRUE(bullet.hasMatch());
    const auto number = [&](int n) { return bullet.captured(n).toInt(); };
    const QImage mark = picture(bullet.captured(5));
    ASSERT_FALSE(mark.isNull());
    EXPECT_LE(mark.width(), number(4)) << "beside the text, not under it";
    EXPECT_LE(number(6) + mark.height(), number(2) + number(1) + number(3)) << "within its item";

    const QRegularExpression background(QStringLiteral("body \\{[^}]*url\\(\"([^\"]+)\"\\)"));
    EXPECT_FALSE(picture(background.match(page).captured(1)).isNull()) << "the tiled background";
}

#include <QFile>
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

TEST(ArtworkImages, TheBookmarksPageAndItsPicturesKeepTheirSizes)
{
    EXPECT_EQ(resource(":/RK_HTM/20").size(), 10664);
    const struct {
        const char* path;
        qsizetype bytes;
        QSize size;
    } pictures[] = {{":/RK_GIF/15", 3964, QSize(126, 126)},
                    {":/RK_GIF/16", 2732, QSize(268, 74)},
                    {":/RK_GIF/17", 1120, QSize(26, 26)}};
    for (const auto& picture : pictures) {
        const QByteArray bytes = resource(QString::fromLatin1(picture.path));
        EXPECT_EQ(bytes.size(), picture.bytes) << picture.path;
        EXPECT_TRUE(bytes.startsWith("GIF89a")) << picture.path;
        EXPECT_EQ(QImage::fromData(bytes, "GIF").size(), picture.size) << picture.path << " draws whole";
    }
}

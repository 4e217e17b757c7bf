#include "app/JpegImage.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

// The resources sit in a static library; register them before the first use.
static void loadResources() {
    Q_INIT_RESOURCE(app);
}

namespace {

QByteArray pictureBytes() {
    loadResources();
    QFile file(QStringLiteral(":/app/zalvotech.jpg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(JpegImage, DecodesTheEmbeddedPicture) {
    loadResources();
    const QImage image = JpegImage::fromResource(QStringLiteral(":/app/zalvotech.jpg"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(320, 480));
    // Sky at the top is blue, the hills at the bottom green.
    const QColor sky = image.pixelColor(10, 10);
    EXPECT_GT(sky.blue(), sky.red());
    EXPECT_GT(sky.blue(), sky.green());
    const QColor hill = image.pixelColor(10, 470);
    EXPECT_GT(hill.green(), hill.red());
    EXPECT_GT(hill.green(), hill.blue());
}

TEST(JpegImage, RejectsWhatIsNotAJpeg) {
    EXPECT_TRUE(JpegImage::decode(QByteArray()).isNull());
    EXPECT_TRUE(JpegImage::decode(QByteArray("not a picture at all")).isNull());
    EXPECT_TRUE(JpegImage::decode(nullptr, 10).isNull());
    EXPECT_TRUE(JpegImage::fromResource(QStringLiteral(":/app/missing.jpg")).isNull());
}

TEST(JpegImage, CorruptDataDoesNotEndTheProgram) {
    QByteArray bytes = pictureBytes();
    ASSERT_GT(bytes.size(), 1000);
    // A damaged header (frame marker replaced) is refused instead of exiting the process.
    QByteArray damaged = bytes;
    const int frame = damaged.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GE(frame, 0);
    damaged[frame + 1] = '\x01';
    EXPECT_TRUE(JpegImage::decode(damaged).isNull());
    // A picture cut short still yields its size; libjpeg fills the missing rows.
    const QImage cut = JpegImage::decode(bytes.left(bytes.size() / 2));
    EXPECT_EQ(cut.size(), QSize(320, 480));
}

// A picture kept as its file's bytes until its pixels are needed.
#include "model/GraphicProperties.h"
#include "model/LazyPicture.h"

#include <QBuffer>
#include <QCborMap>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace {
QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

QImage filled(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}
} // namespace

TEST(LazyPicture, WaitsUntilItsPixelsAreAskedForAndDecodesOnceForAllCopies)
{
    const LazyPicture picture = LazyPicture::fromEncoded(encoded(filled(40, 30, Qt::red), "png"), QStringLiteral("/pics/image1o.PNG"));
    EXPECT_FALSE(picture.isNull());
    EXPECT_FALSE(picture.isDecoded());
    EXPECT_TRUE(picture.isAsRead());
    EXPECT_EQ(picture.size(), QSize(40, 30)); // from the header
    EXPECT_FALSE(picture.isDecoded());

    const LazyPicture copy = picture;
    const int before = LazyPicture::decodeCount();
    EXPECT_EQ(copy.image().pixelColor(3, 3), QColor(Qt::red));
    EXPECT_TRUE(picture.isDecoded());
    EXPECT_EQ(picture.image().size(), QSize(40, 30));
    EXPECT_EQ(LazyPicture::decodeCount(), before + 1);

    // Pixels set later make a picture that is no longer the one read.
    LazyPicture replaced = picture;
    replaced = filled(5, 5, Qt::blue);
    EXPECT_FALSE(replaced.isAsRead());
    EXPECT_TRUE(replaced.sourcePath().isEmpty());
    EXPECT_TRUE(picture.isAsRead());
    EXPECT_TRUE(LazyPicture().isNull());
    EXPECT_TRUE(LazyPicture(QImage()).isNull());
}

TEST(LazyPicture, PropertiesAndTheClipboardFormCarryTheBytesWithoutDecoding)
{
    const QByteArray bytes = encoded(filled(16, 8, Qt::green), "jpeg");
    struct Case {
        const char *name;
        LazyPicture picture;
        bool asRead;
    } cases[] = {
        {"waiting", LazyPicture::fromEncoded(bytes, QStringLiteral("/p/image2o.JPG")), true},
        {"decoded", LazyPicture::fromEncoded(bytes, QStringLiteral("/p/image2o.JPG")), true},
        {"pixels", LazyPicture(filled(16, 8, Qt::green)), false},
    };
    cases[1].picture.image();
    for (const Case &c : cases) {
        GraphicProperties p;
        c.picture.write(p, QStringLiteral("image"));
        const GraphicProperties back = GraphicProperties::fromCbor(p.toCbor().toMap());
        LazyPicture read;
        const int before = LazyPicture::decodeCount();
        read.read(back, QStringLiteral("image"));
        EXPECT_EQ(LazyPicture::decodeCount(), before) << c.name;
        EXPECT_EQ(read.isAsRead(), c.asRead) << c.name;
        if (c.asRead) {
            EXPECT_EQ(read.encoded(), bytes) << c.name;
            EXPECT_EQ(read.sourcePath(), QStringLiteral("/p/image2o.JPG")) << c.name;
        }
        EXPECT_EQ(read.image().size(), QSize(16, 8)) << c.name;
    }

    // Nothing stored leaves the picture held as it was.
    LazyPicture kept = filled(2, 2, Qt::black);
    kept.read(GraphicProperties(), QStringLiteral("image"));
    EXPECT_EQ(kept.size(), QSize(2, 2));
}

TEST(LazyPicture, BytesThatAreNoPictureDecodeToNothing)
{
    for (const QByteArray &bytes : {QByteArray("not a picture"), encoded(filled(20, 20, Qt::red), "png").left(40)}) {
        const LazyPicture picture = LazyPicture::fromEncoded(bytes, QStringLiteral("/p/bad.PNG"));
        EXPECT_FALSE(picture.isNull()); // not known until decoded
        EXPECT_TRUE(picture.image().isNull());
        EXPECT_TRUE(picture.isNull());
    }
    // A file that went missing reads as no picture as well.
    EXPECT_TRUE(LazyPicture::fromEncoded({}, QStringLiteral("/no/such/file.PNG")).image().isNull());
}

#include "config/DataCentre.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Left half red, right half blue.
QImage twoColourImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::red);
    return image;
}

QImage decode(const QByteArray &data)
{
    QBuffer buffer(const_cast<QByteArray *>(&data));
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).read();
}

bool isRed(QRgb c) { return qRed(c) > 200 && qBlue(c) < 60; }
bool isBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60; }

} // namespace

TEST(Images, SizesToAWidth)
{
    using D = DataCentre;
    EXPECT_EQ(D::returnNewSizeMatchWidthRegardlessOfHeight({400, 300}, 100), QSizeF(100, 75));
    EXPECT_EQ(D::returnNewSizeMatchWidthRegardlessOfHeight({3, 2}, 100), QSizeF(100, 66));
    EXPECT_EQ(D::returnNewSizeMatchWidthRegardlessOfHeight({0, 0}, 100), QSizeF(100, 100));
    EXPECT_EQ(D::returnNewSizeWithWidth({400, 300}, 200), QSizeF(200, 150));
    EXPECT_EQ(D::returnNewSizeWithWidth({300, 400}, 200), QSizeF(150, 200));
    EXPECT_EQ(D::returnNewSizeWithWidth({0, 0}, 200), QSizeF(200, 200));
    EXPECT_EQ(D::returnNewSizeWithWidth({400.9, 300.9}, 200), QSizeF(200, 150));
    EXPECT_EQ(D::returnNewSizeWithWidth({50, 50}, 200), QSizeF(200, 200)); // scaled up too
    // Products past 32 bits stay exact.
    EXPECT_EQ(D::returnNewSizeWithWidth({60000, 40000}, 60000), QSizeF(60000, 40000));
}

TEST(Images, JpegQualityIsAlwaysExplicit)
{
    EXPECT_EQ(DataCentre::jpegQualityForFactor(0.0f), DataCentre::kDefaultJpegQuality);
    EXPECT_EQ(DataCentre::jpegQualityForFactor(1.0f), DataCentre::kDefaultJpegQuality);
    EXPECT_EQ(DataCentre::jpegQualityForFactor(3.0f), DataCentre::kDefaultJpegQuality);
    EXPECT_EQ(DataCentre::jpegQualityForFactor(0.7f), 70);
    EXPECT_EQ(DataCentre::jpegQualityForFactor(0.001f), 1);

    const QImage image = twoColourImage(64, 32);
    const QByteArray best = DataCentre::JPEGRepresentationOfImage(image, 1.0f);
    const QByteArray poor = DataCentre::JPEGRepresentationOfImage(image, 0.1f);
    ASSERT_TRUE(best.startsWith("\xFF\xD8"));
    EXPECT_LT(poor.size(), best.size());
    EXPECT_EQ(decode(best).size(), QSize(64, 32));
    EXPECT_TRUE(DataCentre::JPEGRepresentationOfImage(QImage(), 1.0f).isEmpty());
}

TEST(Images, EncodingKeepsPixelsAndTransparency)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(2, 3, QColor(10, 200, 30));
    const QImage png = decode(DataCentre::PNGRepresentationOfImage(image));
    EXPECT_EQ(png.pixelColor(2, 3), QColor(10, 200, 30));
    EXPECT_EQ(png.pixelColor(0, 0).alpha(), 0);
    EXPECT_TRUE(DataCentre::PNGRepresentationOfImage(QImage()).isEmpty());
    // JPEG has no alpha: transparent parts come out white, not black.
    const QImage jpeg = decode(DataCentre::JPEGRepresentationOfImage(image, 1.0f));
    EXPECT_GT(qGray(jpeg.pixel(7, 7)), 240);
}

TEST(Images, ScalingGivesTheRequestedPixelsAndLeavesTheSource)
{
    const QImage source = twoColourImage(400, 200);
    const QImage copy = source;
    const QImage scaled = DataCentre::imageWithImage(source, QSizeF(200, 100));
    EXPECT_EQ(scaled.size(), QSize(200, 100));
    EXPECT_TRUE(isRed(scaled.pixel(10, 50)));
    EXPECT_TRUE(isBlue(scaled.pixel(190, 50)));
    EXPECT_EQ(DataCentre::imageWithImage(source, QSizeF(0, 100)).size(), QSize(400, 200));
    EXPECT_EQ(source, copy);
}

TEST(Images, FailedScalingIsReportedNotReplaced)
{
    EXPECT_TRUE(DataCentre::imageWithImage(QImage(), QSizeF(10, 10)).isNull());
    EXPECT_TRUE(DataCentre::imageWithImage(twoColourImage(4, 4), QSizeF(-5, 10)).isNull());
    // Far past what memory allows: a null image, never a stand-in picture.
    EXPECT_TRUE(DataCentre::imageWithImage(twoColourImage(4, 4), QSizeF(2000000, 2000000)).isNull());
}

class ImageFiles : public TempDirTest {};

TEST_F(ImageFiles, LargeJpegsDecodeAtTheSizeNeeded)
{
    const QImage big = twoColourImage(1600, 800);
    const QString path = this->path("big.jpg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(DataCentre::JPEGRepresentationOfImage(big, 0.9f));
    file.close();

    const QImage full = DataCentre::readImage(path);
    EXPECT_EQ(full.size(), QSize(1600, 800));
    const QImage small = DataCentre::readImage(path, QSize(400, 400));
    EXPECT_EQ(small.size(), QSize(400, 200));
    EXPECT_TRUE(isRed(small.pixel(20, 100)));
    EXPECT_TRUE(isBlue(small.pixel(380, 100)));
    // A limit larger than the picture does not scale it up.
    EXPECT_EQ(DataCentre::readImage(path, QSize(4000, 4000)).size(), QSize(1600, 800));
    EXPECT_TRUE(DataCentre::readImage(this->path("missing.jpg")).isNull());

    // Straight at the size a page file needs.
    const QImage exact = DataCentre::readImageAtSize(path, QSize(1000, 500));
    EXPECT_EQ(exact.size(), QSize(1000, 500));
    EXPECT_TRUE(isRed(exact.pixel(100, 250)));
    EXPECT_TRUE(isBlue(exact.pixel(900, 250)));
    EXPECT_TRUE(DataCentre::readImageAtSize(this->path("missing.jpg"), QSize(10, 10)).isNull());
}

TEST(Images, CropDrawsTheSourcePartIntoTheTarget)
{
    const QImage source = twoColourImage(100, 50);
    const QImage right = DataCentre::cropImage(source, QRectF(50, 0, 50, 50), QRectF(0, 0, 20, 20));
    EXPECT_EQ(right.size(), QSize(20, 20));
    EXPECT_TRUE(isBlue(right.pixel(10, 10)));
    // Parts outside the image stay transparent.
    const QImage outside = DataCentre::cropImage(source, QRectF(90, 0, 20, 50), QRectF(0, 0, 20, 50));
    EXPECT_TRUE(isBlue(outside.pixel(5, 25)));
    EXPECT_EQ(qAlpha(outside.pixel(15, 25)), 0);
    const QImage empty = DataCentre::cropImage(QImage(), QRectF(0, 0, 10, 10), QRectF(0, 0, 30, 40));
    EXPECT_EQ(empty.size(), QSize(30, 40));
    EXPECT_EQ(qAlpha(empty.pixel(3, 3)), 0);
}

TEST(Images, RotationCanvasesAndDirection)
{
    const QImage image = twoColourImage(100, 50);
    EXPECT_EQ(DataCentre::rotateImage(image, 90).size(), QSize(50, 100));
    EXPECT_EQ(DataCentre::rotateImage(image, -450).size(), QSize(50, 100));
    EXPECT_EQ(DataCentre::rotateImage(image, 180).size(), QSize(100, 50));
    EXPECT_EQ(DataCentre::rotateImage(image, 0).size(), QSize(120, 120));
    EXPECT_EQ(DataCentre::rotateImage(image, 45).size(), QSize(120, 120));
    EXPECT_EQ(DataCentre::rotateImage(image, 360).size(), QSize(120, 120));

    // A quarter turn counter-clockwise on screen: the right (blue) half ends
    // on top, the left (red) half at the bottom.
    const QImage turned = DataCentre::rotateImage(image, 90);
    EXPECT_TRUE(isBlue(turned.pixel(25, 10)));
    EXPECT_TRUE(isRed(turned.pixel(25, 90)));
    const QImage back = DataCentre::rotateImage(image, -90);
    EXPECT_TRUE(isRed(back.pixel(25, 10)));
    const QImage flipped = DataCentre::rotateImage(image, 180);
    EXPECT_TRUE(isBlue(flipped.pixel(10, 25)));
}

TEST(Images, TintPaintsOnlyCoveredPixels)
{
    QImage icon(10, 10, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter(&icon).fillRect(0, 0, 5, 10, Qt::black);
    QImage &same = DataCentre::imageTintedWithColor(icon, QColor(Qt::green));
    EXPECT_EQ(&same, &icon);
    EXPECT_EQ(QColor(icon.pixel(2, 2)), QColor(Qt::green));
    EXPECT_EQ(qAlpha(icon.pixel(7, 2)), 0);

    QImage untouched = twoColourImage(4, 4);
    const QImage before = untouched;
    EXPECT_EQ(DataCentre::imageTintedWithColor(untouched, QColor()), before);
}

TEST(Images, RotationAboutAPoint)
{
    QTransform transform;
    QTransform &same = DataCentre::transformRotatingAroundPoint(QPointF(10, 10), 90, transform);
    EXPECT_EQ(&same, &transform);
    // The point stays; a point to its right turns to below it (y-down).
    const QPointF centre = transform.map(QPointF(10, 10));
    EXPECT_NEAR(centre.x(), 10, 1e-9);
    EXPECT_NEAR(centre.y(), 10, 1e-9);
    const QPointF moved = transform.map(QPointF(11, 10));
    EXPECT_NEAR(moved.x(), 10, 1e-9);
    EXPECT_NEAR(moved.y(), 11, 1e-9);
}

TEST_F(ImageFiles, PicturesPastTheAllocationLimitAreRefused)
{
    // A small JPEG whose header claims 60000 x 60000 pixels (14 GB decoded).
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::gray);
    QByteArray data = DataCentre::JPEGRepresentationOfImage(small, 0.9f);
    const qsizetype sof = data.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (qsizetype at : {sof + 5, sof + 7}) {
        data[at] = char(60000 >> 8);
        data[at + 1] = char(60000 & 0xff);
    }
    QFile file(path("huge.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    EXPECT_TRUE(DataCentre::readImage(path("huge.jpg")).isNull());
    EXPECT_TRUE(DataCentre::readImageAtSize(path("huge.jpg"), QSize(60000, 60000)).isNull());
}

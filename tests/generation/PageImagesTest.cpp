// The image files of the page folder.
#include "PageFixture.h"

#include "model/SKTImage.h"

#include <QDir>
#include <QImageReader>

namespace {
std::shared_ptr<SKTImage> pictureImage(const QString &name, const QString &type, const QSize &picture, const QRectF &bounds)
{
    auto image = std::make_shared<SKTImage>();
    QImage pixels(picture, QImage::Format_RGB32);
    pixels.fill(Qt::darkRed);
    image->setContents(pixels);
    image->setInputImage(pixels);
    image->setImageName(name);
    image->setImageType(type);
    image->setBounds(bounds);
    image->setSlideShowNumber(-99);
    image->setGalleryNumber(-99);
    return image;
}

QSize imageSize(const QString &filePath)
{
    return QImageReader(filePath).size();
}
} // namespace

TEST_F(PageTest, SaveImageWritesRetinaAndOriginalOnce)
{
    auto image = pictureImage(QStringLiteral("image1"), QStringLiteral("PNG"), {400, 200}, {0, 0, 100, 50});
    add(image);
    ASSERT_TRUE(doc->saveImage(ImageElement(image.get())));
    EXPECT_EQ(imageSize(path(QStringLiteral("index/image1@2x.PNG"))), QSize(200, 100));
    EXPECT_EQ(imageSize(path(QStringLiteral("index/image1o.PNG"))), QSize(400, 200));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("index/image1.PNG"))));

    // The original is kept once written; the retina version follows the bounds.
    image->setBounds({0, 0, 50, 25});
    QImage other(10, 10, QImage::Format_RGB32);
    other.fill(Qt::blue);
    image->setInputImage(other);
    ASSERT_TRUE(doc->saveImage(ImageElement(image.get())));
    EXPECT_EQ(imageSize(path(QStringLiteral("index/image1o.PNG"))), QSize(400, 200));

    // A JPG type is JPEG data; forcing a single resolution adds the plain file.
    auto jpeg = pictureImage(QStringLiteral("image2"), QStringLiteral("JPG"), {40, 20}, {0, 0, 40, 20});
    jpeg->setForceNonRetinaFlag(true);
    ASSERT_TRUE(doc->saveImage(ImageElement(jpeg.get())));
    EXPECT_EQ(QImageReader(path(QStringLiteral("index/image2o.JPG"))).format(), QByteArray("jpeg"));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("index/image2.JPG"))));
    // No temporary files are left behind.
    EXPECT_EQ(QDir(path(QStringLiteral("index"))).entryList(QDir::Files).size(), 5);
}

TEST_F(PageTest, SaveImageHandlesEnlargementSmallOriginalsAndMasks)
{
    auto image = pictureImage(QStringLiteral("image3"), QStringLiteral("PNG"), {4, 4}, {0, 0, 300, 300});
    ASSERT_TRUE(doc->saveImage(ImageElement(image.get())));
    EXPECT_EQ(imageSize(path(QStringLiteral("index/image3@2x.PNG"))), QSize(600, 600));
    ASSERT_TRUE(doc->saveImage(ImageElement(image.get())));
    // Once the 4 x 4 original is on disk and smaller than the scaled version, it is served instead.
    EXPECT_EQ(imageSize(path(QStringLiteral("index/image3@2x.PNG"))), QSize(4, 4));

    image->setImageEnlargeFlag(1);
    ASSERT_TRUE(doc->saveImage(ImageElement(image.get())));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("index/image3@2x.PNG"))));

    QImage mask(4, 4, QImage::Format_Grayscale8);
    mask.fill(128);
    image->setMaskImage(mask);
    ASSERT_TRUE(doc->saveMaskImage(ImageElement(image.get())));
    EXPECT_EQ(QImageReader(path(QStringLiteral("index/image3_mask.png"))).format(), QByteArray("png"));
}

TEST_F(PageTest, ImageNamesThatAreNotPlainWriteNothing)
{
    const QPair<QString, QString> names[] = {
        {QStringLiteral("../../escape"), QStringLiteral("PNG")},
        {QStringLiteral("image1"), QStringLiteral("PNG/../../x")},
        {QString(), QStringLiteral("PNG")},
        {QStringLiteral("image1"), QString()},
    };
    for (const auto &n : names) {
        auto image = pictureImage(n.first, n.second, {10, 10}, {0, 0, 10, 10});
        image->setMaskImage(QImage(2, 2, QImage::Format_Grayscale8));
        EXPECT_FALSE(doc->saveImage(ImageElement(image.get())));
        if (n.first != QLatin1String("image1")) {
            EXPECT_FALSE(doc->saveMaskImage(ImageElement(image.get())));
        }
    }
    EXPECT_TRUE(QDir(path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty()
                || QDir(path(QStringLiteral("index"))).isEmpty());

    doc->pageName = QStringLiteral("..");
    auto image = pictureImage(QStringLiteral("image1"), QStringLiteral("PNG"), {10, 10}, {0, 0, 10, 10});
    EXPECT_FALSE(doc->saveImage(ImageElement(image.get())));
}

TEST_F(PageTest, BackgroundFilesKeepTheirOriginal)
{
    doc->backgroundImageFlag = 1;
    doc->backgroundImageType = QStringLiteral("PNG");
    doc->backgroundImage = QImage(6, 6, QImage::Format_RGB32);
    doc->backgroundImage.fill(Qt::green);
    ASSERT_TRUE(doc->saveBackgroundImage());
    const QByteArray original = readFile(path(QStringLiteral("index/backgroundo.PNG")));
    ASSERT_FALSE(original.isEmpty());
    doc->backgroundImage.fill(Qt::yellow);
    ASSERT_TRUE(doc->saveBackgroundImage());
    EXPECT_EQ(readFile(path(QStringLiteral("index/backgroundo.PNG"))), original);
    EXPECT_NE(readFile(path(QStringLiteral("index/background.PNG"))), original);
}

TEST_F(PageTest, EmptyImageFilesAreNoticed)
{
    EXPECT_TRUE(doc->originalImagesLookSaved()); // no folder yet
    QDir().mkpath(path(QStringLiteral("index")));
    QFile(path(QStringLiteral("index/image1o.PNG"))).open(QIODevice::WriteOnly);
    QFile(path(QStringLiteral("index/notes.txt"))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(doc->originalImagesLookSaved());
    QFile f(path(QStringLiteral("index/image2o.JPG")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("data");
    f.close();
    EXPECT_TRUE(doc->originalImagesLookSaved());
}

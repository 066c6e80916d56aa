// Page image names, original files, the picture loader and the image factory.
#include "InsertionFixture.h"

#include "insertion/ImageFactory.h"
#include "insertion/PageImageService.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/TransformView.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace {
std::shared_ptr<TransformView> item(const QString &name)
{
    auto view = std::make_shared<TransformView>();
    view->imageName = name;
    return view;
}

QImage picture(int w, int h, QColor colour = Qt::darkGreen)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST_F(InsertionTest, ImageNamesNeverMeetANameInUseAFileOrAnEarlierName)
{
    PageImageService images(*doc);
    EXPECT_EQ(images.getNextImageName(), QStringLiteral("image0"));
    // Issued before, even though nothing uses it now.
    EXPECT_EQ(images.getNextImageName(), QStringLiteral("image1"));

    auto free = std::make_shared<SKTImage>();
    free->setImageName(QStringLiteral("image5"));
    auto gallery = std::make_shared<SKTGalleryGrid>();
    gallery->setImageArray({item(QStringLiteral("image7")), item(QString())});
    place({free, gallery});
    EXPECT_EQ(images.getNextImageName(), QStringLiteral("image8"));

    // Table pictures count whatever the edition shows.
    gTableImagesEnabled = false;
    auto table = makeSection(1, {0, 0}, {100}, 100, QStringLiteral("table"));
    table->setImageArray({item(QStringLiteral("image20"))});
    table->setTableBackgroundImage(item(QStringLiteral("image30")));
    place({table});
    EXPECT_EQ(images.getNextImageName(), QStringLiteral("image31"));

    // A file left in the page folder blocks its number too.
    QDir().mkpath(pageFolder());
    QFile leftover(QDir(pageFolder()).filePath(QStringLiteral("image44o.JPG")));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    EXPECT_EQ(images.getNextImageName(), QStringLiteral("image45"));
}

TEST_F(InsertionTest, OriginalsAreScaledToTheLimitCopiedWhenTheyFitAndNeverOverwritten)
{
    PageImageService images(*doc);
    gImageSizeLimit = -999;
    EXPECT_EQ(PageImageService::originalSizeLimit(), 2000); // no user default: 2000
    defaults.defaults().setInteger(0, QStringLiteral("DovrinMaxImageSize"));
    EXPECT_EQ(PageImageService::originalSizeLimit(), 2000);
    defaults.defaults().setInteger(2000, QStringLiteral("DovrinMaxImageSize"));

    ASSERT_TRUE(images.saveOriginalImage(picture(3000, 1000), QStringLiteral("image1"), QStringLiteral("JPG"), {},
                                         QSizeF(3000, 1000)));
    EXPECT_EQ(QImageReader(QDir(pageFolder()).filePath(QStringLiteral("image1o.JPG"))).size(), QSize(2000, 666));
    ASSERT_TRUE(images.saveOriginalImage(picture(100, 300), QStringLiteral("image2"), QStringLiteral("PNG"), {},
                                         QSizeF(100, 300)));
    EXPECT_EQ(QImageReader(QDir(pageFolder()).filePath(QStringLiteral("image2o.PNG"))).size(), QSize(100, 300));
    // Never over an existing original.
    QString error;
    EXPECT_FALSE(images.saveOriginalImage(picture(10, 10), QStringLiteral("image2"), QStringLiteral("PNG"), {},
                                          QSizeF(10, 10), &error));
    EXPECT_FALSE(error.isEmpty());

    // A PNG within the limit is stored byte for byte.
    const QString source = path(QStringLiteral("drop.png"));
    ASSERT_TRUE(picture(40, 30, Qt::red).save(source));
    ASSERT_TRUE(images.saveOriginalImage(QImage(source), QStringLiteral("image3"), QStringLiteral("PNG"), source,
                                         QSizeF(40, 30)));
    EXPECT_EQ(bytes(QDir(pageFolder()).filePath(QStringLiteral("image3o.PNG"))), bytes(source));
}

TEST_F(InsertionTest, CopiesOfOriginalsComeFromTheSourcePageAndKeepExistingFiles)
{
    const QString otherFolder = path(QStringLiteral("other/page2"));
    QDir().mkpath(otherFolder);
    ASSERT_TRUE(picture(5, 5).save(QDir(otherFolder).filePath(QStringLiteral("image3o.PNG"))));
    gCopySourcePagePath = path(QStringLiteral("other/page2.html"));
    PageImageService images(*doc);
    EXPECT_TRUE(images.makeCopyOfOriginalImage(QStringLiteral("image9o.PNG"), QStringLiteral("image3o.PNG")));
    EXPECT_TRUE(QFile::exists(QDir(pageFolder()).filePath(QStringLiteral("image9o.PNG"))));
    EXPECT_FALSE(images.makeCopyOfOriginalImage(QStringLiteral("image9o.PNG"), QStringLiteral("image3o.PNG")));
    EXPECT_FALSE(images.makeCopyOfOriginalImage(QStringLiteral("x.PNG"), QStringLiteral("missing.PNG")));
    EXPECT_FALSE(images.makeCopyOfOriginalImage(QStringLiteral("../x.PNG"), QStringLiteral("image3o.PNG")));
}

TEST_F(InsertionTest, UnreadablePicturesAreRefusedByNameWithNothingLeftBehind)
{
    const QString text = path(QStringLiteral("notes.jpg"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("these are words, not a picture");
    f.close();
    QImage(50, 20, QImage::Format_RGB32).save(path(QStringLiteral("good.png")));
    const QByteArray png = bytes(path(QStringLiteral("good.png")));
    QFile damaged(path(QStringLiteral("broken.png")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(png.left(60));
    damaged.close();

    ImageFactory factory(*frame);
    const auto inserted = factory.addPictureFiles(
        {path(QStringLiteral("notes.jpg")), path(QStringLiteral("broken.png")), path(QStringLiteral("good.png"))},
        QPointF(10, 10));
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(doc->graphics().size(), 1);
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("\"notes.jpg\": The file is not a picture.")));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("broken.png")));
    EXPECT_EQ(QDir(pageFolder()).entryList(QDir::Files), QStringList{QStringLiteral("image0o.PNG")});
    EXPECT_EQ(doc->undoManager().undoActionName(), QStringLiteral("Insert Image"));

    // An empty picture from the program: no graphic, no file.
    ImageInsertion empty;
    EXPECT_EQ(factory.addImageIntoArray(empty), nullptr);
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_EQ(doc->graphics().size(), 1);
}

TEST_F(InsertionTest, ImageFactoryBuildsTheGraphicAndPlacesItInTheCell)
{
    ImageFactory factory(*frame);
    ImageInsertion in;
    in.picture = picture(1200, 800);
    in.type = QStringLiteral("PNG");
    in.point = QPointF(20, 20);
    in.pixelSize = in.picture.size();
    in.displaySize = ImageFactory::displaySizeFor(in.pixelSize);
    in.frame = QRectF(in.point, in.displaySize);
    EXPECT_EQ(in.displaySize, QSizeF(600, 400));
    auto plain = std::dynamic_pointer_cast<SKTImage>(factory.addImageIntoArray(in));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->bounds(), QRectF(20, 20, 600, 400));
    EXPECT_EQ(plain->imageName(), QStringLiteral("image0"));
    EXPECT_EQ(plain->imageType(), QStringLiteral("PNG"));
    EXPECT_EQ(gImageType, QStringLiteral("PNG"));
    EXPECT_FALSE(plain->retinaFlag());
    EXPECT_EQ(gRetinaFlag, 0);
    EXPECT_EQ(plain->slideShowNumber(), -99);
    EXPECT_EQ(doc->documentChangedCounter, 1);

    gResponsiveEdition = true;
    auto section = makeSection(2, {0, 500}, {600}, 400);
    place({section});
    in.point = QPointF(10, 510);
    in.type = QStringLiteral("JPG");
    auto fitted = factory.addImageIntoArray(in);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(doc->graphics().front(), fitted);
    EXPECT_EQ(fitted->bounds(), QRectF(0, 510, 600, 300));
    EXPECT_EQ(fitted->leftPadding(), 12);
    EXPECT_EQ(fitted->rightPaddingType(), QStringLiteral("%"));
    EXPECT_EQ(fitted->sectionNumber(), 2);
    EXPECT_EQ(gImageType, QStringLiteral("JPG"));
}

TEST_F(InsertionTest, PictureFilesBecomeOriginalsCopiedOrScaledOnWorkers)
{
    gImageSizeLimit = 100;
    ASSERT_TRUE(picture(300, 150, Qt::blue).save(path(QStringLiteral("wide.jpg"))));
    ASSERT_TRUE(picture(60, 20, Qt::red).save(path(QStringLiteral("small.png"))));
    ImageFactory factory(*frame);
    const auto inserted =
        factory.addPictureFiles({path(QStringLiteral("wide.jpg")), path(QStringLiteral("small.png"))}, QPointF(0, 0));
    ASSERT_EQ(inserted.size(), 2);
    EXPECT_EQ(alerts.count(), 0);
    const QDir folder(pageFolder());
    EXPECT_EQ(QImageReader(folder.filePath(QStringLiteral("image0o.JPG"))).size(), QSize(100, 50));
    EXPECT_EQ(bytes(folder.filePath(QStringLiteral("image1o.PNG"))), bytes(path(QStringLiteral("small.png"))));
    // Shown at their own size (under 600 wide), side by side.
    EXPECT_EQ(inserted[0]->bounds(), QRectF(0, 0, 300, 150));
    EXPECT_EQ(inserted[1]->bounds(), QRectF(310, 0, 60, 20));
    // One step for the whole command.
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_TRUE(doc->graphics().isEmpty());
}

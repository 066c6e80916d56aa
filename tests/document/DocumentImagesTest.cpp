// Image files of a saved page: written and packaged, read back with their
// pictures, originals shrunk by type, and images without an inner area.
#include "DocumentFixture.h"

#include "document/DocumentController.h"

#include "document/ImageElement.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "support/PageGraphics.h"
#include "support/ScopedUserDefaults.h"

#include <QImageReader>

namespace {
std::shared_ptr<SKTImage> photo(const QString &name, const QString &type, const QSize &picture, const QRectF &bounds)
{
    QImage pixels(picture, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            pixels.setPixel(x, y, qRgb((x * 7) & 255, (y * 3) & 255, (x * y) & 255));
    auto image = testpage::image(pixels, name, type, bounds);
    // As placed on the canvas.
    image->setSelectable(true);
    image->setValue(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
    return image;
}

QByteArray formatOf(const QString &file)
{
    return QImageReader(file).format();
}
} // namespace

TEST_F(DocumentTest, ImagesAreSavedPackagedReadBackAndCompressedByType)
{
    doc->insertGraphics({photo(QStringLiteral("image1"), QStringLiteral("JPG"), {1600, 800}, {0, 0, 200, 100}),
                         photo(QStringLiteral("image2"), QStringLiteral("PNG"), {300, 300}, {0, 200, 100, 100})},
                        {0, 1});
    ++doc->documentChangedCounter;
    const QString package = packagePath(QStringLiteral("index"));
    ASSERT_TRUE(doc->saveThisPage(package, false)) << doc->lastSaveError.toStdString();
    const QDir folder(QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index")));
    EXPECT_EQ(formatOf(folder.filePath(QStringLiteral("image1o.JPG"))), QByteArray("jpeg"));
    EXPECT_EQ(QImageReader(folder.filePath(QStringLiteral("image1@2x.JPG"))).size(), QSize(400, 200));
    EXPECT_EQ(formatOf(folder.filePath(QStringLiteral("image2o.PNG"))), QByteArray("png"));

    SKTDocument opened;
    ASSERT_TRUE(opened.readFromFile(package)) << opened.lastSaveError.toStdString();
    ASSERT_EQ(opened.images().size(), 2);
    for (SKTImage *image : opened.images())
        EXPECT_FALSE(ImageElement(image).picture().isNull()) << image->imageName().toStdString();
    EXPECT_EQ(opened.generateSourceCode(opened.pageName, false, false).toStdString(),
              doc->generateSourceCode(doc->pageName, false, false).toStdString());

    // Shrinking the originals keeps each type's encoding and marks the page.
    ScopedUserDefaults defaults;
    defaults.defaults().setInteger(500, QStringLiteral("DovrinMaxImageSize"));
    ASSERT_TRUE(opened.compressAllOriginals());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("All Images Compressed"));
    const QDir openedFolder(QFileInfo(opened.pagePath).path() + QStringLiteral("/") + opened.pageName);
    EXPECT_EQ(formatOf(openedFolder.filePath(QStringLiteral("image1o.JPG"))), QByteArray("jpeg"));
    EXPECT_EQ(QImageReader(openedFolder.filePath(QStringLiteral("image1o.JPG"))).size(), QSize(500, 250));
    EXPECT_EQ(QImageReader(openedFolder.filePath(QStringLiteral("image2o.PNG"))).size(), QSize(300, 300));
    EXPECT_TRUE(opened.isDocumentEdited());
    EXPECT_GE(opened.documentChangedCounter, 1);
}

TEST_F(DocumentTest, AnImageWithoutInnerAreaWritesNoRetinaFileAndThePageStillSaves)
{
    auto image = photo(QStringLiteral("image1"), QStringLiteral("PNG"), {50, 50}, {0, 0, 4, 4});
    image->setValue(QStringLiteral("borderWidth"), 3);
    doc->insertGraphics({image}, {0});
    ++doc->documentChangedCounter;
    ASSERT_TRUE(doc->saveThisPage(packagePath(QStringLiteral("index")), false)) << doc->lastSaveError.toStdString();
    const QDir folder(doc->pageFolderPath());
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("image1@2x.PNG"))));
    EXPECT_EQ(QImageReader(folder.filePath(QStringLiteral("image1o.PNG"))).size(), QSize(50, 50));
}

TEST_F(DocumentTest, ResponsiveSlidesKeepTheirCropAndScreenshotsFitTheirBox)
{
    gResponsiveEdition = true;
    auto show = std::make_shared<SKTSlideshow>();
    show->setBounds({0, 0, 200, 50});
    doc->insertGraphics({show}, {0});
    doc->slideshowArray = {show.get()};
    auto slide = photo(QStringLiteral("image1"), QStringLiteral("PNG"), {400, 400}, {0, 0, 200, 200});
    slide->setSlideShowNumber(0);
    bool cropped = false;
    const QImage band = doc->cropRetinaToSlideshow(ImageElement(slide.get()), QImage(400, 400, QImage::Format_RGB32), &cropped);
    EXPECT_TRUE(cropped);
    EXPECT_EQ(band.size(), QSize(400, 50));
    // Outside responsive editions, or for an ordinary image, nothing is cut.
    slide->setSlideShowNumber(-99);
    doc->cropRetinaToSlideshow(ImageElement(slide.get()), QImage(400, 400, QImage::Format_RGB32), &cropped);
    EXPECT_FALSE(cropped);
    gResponsiveEdition = false;

    // Screenshots: the canvas at its own size fitted into S and 2S boxes.
    gScreenshotWidth = 200;
    doc->setPageCanvas(1, 1000, 500);
    ASSERT_TRUE(doc->saveScreenshot());
    EXPECT_EQ(QImageReader(QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index.png"))).size(), QSize(200, 100));
    EXPECT_EQ(QImageReader(QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index@2x.png"))).size(), QSize(400, 200));
}

// A base template opened as an untitled page (the copy is renamed) keeps
// every piece, pictures included; saved under its new name, the pieces are
// that page's own.
TEST_F(DocumentTest, ABaseTemplateOpenedUnderAnotherNameKeepsItsPieces)
{
    auto base = newPage(QStringLiteral("basetemplate"));
    base->pageOfficialName = QStringLiteral("Base template");
    base->insertGraphics({makeText({20, 30, 200, 40}, QStringLiteral("Site header")),
                          photo(QStringLiteral("image1"), QStringLiteral("PNG"), {120, 60}, {20, 100, 120, 60}),
                          makeLine({10, 200, 300, 0})},
                         {0, 1, 2});
    ++base->documentChangedCounter;
    const QString package = packagePath(QStringLiteral("basetemplate"));
    ASSERT_TRUE(base->saveThisPage(package, false)) << base->lastSaveError.toStdString();
    // The pieces are marked as the base template's in the stored page.
    ASSERT_TRUE(readAll(QDir(base->tempSavePathLocal).filePath(QStringLiteral("basetemplate.html")))
                    .contains("templateName:basetemplate"));

    const auto keepsAll = [](const SKTDocument &page) {
        EXPECT_EQ(page.graphics().size(), 3);
        ASSERT_EQ(page.images().size(), 1);
        EXPECT_FALSE(ImageElement(page.images().first()).picture().isNull());
        EXPECT_EQ(page.textAreas().size(), 1);
    };

    DocumentController controller;
    SKTDocument *untitled = controller.openUntitledDocument(package);
    ASSERT_NE(untitled, nullptr);
    EXPECT_NE(untitled->pageName, QStringLiteral("basetemplate"));
    keepsAll(*untitled);
    // A second untitled page from it, while the first is open.
    SKTDocument *again = controller.openUntitledDocument(package);
    ASSERT_NE(again, nullptr);
    keepsAll(*again);

    // Opened under its own name it is the base template, as before.
    SKTDocument itself;
    ASSERT_TRUE(itself.readFromFile(package));
    EXPECT_EQ(itself.pageName, QStringLiteral("basetemplate"));
    keepsAll(itself);

    const QString chosen = packagePath(QStringLiteral("from-base"));
    ASSERT_TRUE(untitled->saveThisPage(chosen, false)) << untitled->lastSaveError.toStdString();
    SKTDocument reopened;
    ASSERT_TRUE(reopened.readFromFile(chosen));
    keepsAll(reopened);
    EXPECT_FALSE(reopened.generateSourceCode(reopened.pageName, false, false).contains(QStringLiteral("templateName:basetemplate")));
}

TEST_F(DocumentTest, OpeningDecodesNoPictureUntilOneIsNeededAndResavingKeepsTheOriginals)
{
    doc->insertGraphics({photo(QStringLiteral("image1"), QStringLiteral("JPG"), {640, 320}, {0, 0, 200, 100}),
                         photo(QStringLiteral("image2"), QStringLiteral("PNG"), {300, 300}, {0, 200, 100, 100})},
                        {0, 1});
    ++doc->documentChangedCounter;
    const QString package = packagePath(QStringLiteral("index"));
    ASSERT_TRUE(doc->saveThisPage(package, false)) << doc->lastSaveError.toStdString();

    SKTDocument opened;
    ASSERT_TRUE(opened.readFromFile(package)) << opened.lastSaveError.toStdString();
    const QList<SKTImage *> images = opened.images();
    ASSERT_EQ(images.size(), 2);
    for (SKTImage *image : images)
        EXPECT_FALSE(image->isPictureDecoded()) << image->imageName().toStdString();

    // The picture files as the opened page found them in its working folder.
    const QDir folder(QDir(opened.tempSavePathLocal).filePath(QStringLiteral("index")));
    QMap<QString, QByteArray> before;
    for (const QString &name : folder.entryList({QStringLiteral("image*")}, QDir::Files))
        before.insert(name, readAll(folder.filePath(name)));
    ASSERT_EQ(before.size(), 4) << before.keys().join(QLatin1Char(' ')).toStdString();

    // Asked for, one picture is decoded (upright, at its original size); the other still waits.
    SKTImage *first = images[0]->imageName() == QLatin1String("image1") ? images[0] : images[1];
    SKTImage *second = first == images[0] ? images[1] : images[0];
    EXPECT_EQ(first->contents().size(), QSize(640, 320));
    EXPECT_TRUE(first->isPictureDecoded());
    EXPECT_FALSE(second->isPictureDecoded());
    EXPECT_EQ(second->naturalImageSize(), QSizeF(300, 300));

    // A copy of a waiting image carries the same picture.
    SKTDocument again;
    ASSERT_TRUE(again.readFromFile(package)) << again.lastSaveError.toStdString();
    for (SKTImage *image : again.images()) {
        const std::unique_ptr<SKTGraphic> copy = image->copy();
        EXPECT_EQ(static_cast<SKTImage *>(copy.get())->contents().size(),
                  image->imageName() == QLatin1String("image1") ? QSize(640, 320) : QSize(300, 300));
    }

    // Saving again keeps the originals as they were written, byte for byte,
    // and the untouched pictures' retina files too.
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (it.key().contains(QLatin1String("o.")) || it.key().contains(QLatin1String("@2x.")))
            EXPECT_EQ(readAll(folder.filePath(it.key())), it.value()) << it.key().toStdString();

    // Resized, or given another picture, an image gets a new retina file.
    second->setBounds(QRectF(0, 200, 50, 50));
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    const QString retina = folder.filePath(second->imageName() + QStringLiteral("@2x.PNG"));
    EXPECT_EQ(QImageReader(retina).size(), QSize(100, 100));
    QImage red(64, 32, QImage::Format_RGB32);
    red.fill(Qt::red);
    first->setContents(red);
    first->setInputImage(red);
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    EXPECT_NE(readAll(folder.filePath(first->imageName() + QStringLiteral("@2x.JPG"))), before.value(first->imageName() + QStringLiteral("@2x.JPG")));
}

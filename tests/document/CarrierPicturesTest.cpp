// Pictures held inside slideshows, galleries and tables: opening a page reads
// their bytes without decoding them, and saving leaves their files alone
// while picture, size, type and crop are the ones read.
#include "RoundTripFixture.h"

#include "model/LazyPicture.h"

#include <QCborMap>
#include <QImageReader>

namespace {

// A picture with detail, so that encoding it again would not give the same bytes by chance.
QImage grain(int w, int h, int seed)
{
    QImage pixels(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.setPixel(x, y, qRgb((x * 7 + seed * 31) & 255, (y * 5 + seed) & 255, (x * y + seed * 13) & 255));
    return pixels;
}

std::shared_ptr<TransformView> member(const QString &name, const QString &type, int seed, int row, int column)
{
    auto item = testpage::carrier(name, grain(800, 600, seed), type);
    item->rowSpot = row;
    item->columnSpot = column;
    return item;
}

QMap<QString, QByteArray> pictureFiles(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.PNG"), QStringLiteral("*.JPG")}, QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

QStringList changedFiles(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after)
{
    QStringList changed;
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (before.value(it.key()) != it.value())
            changed << it.key();
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!after.contains(it.key()))
            changed << it.key() + QStringLiteral(" (removed)");
    return changed;
}

template <typename G>
G *first(SKTDocument &doc)
{
    for (const auto &g : doc.graphics())
        if (auto *found = dynamic_cast<G *>(g.get()))
            return found;
    return nullptr;
}

} // namespace

class CarrierPicturesTest : public RoundTripTest {
protected:
    void SetUp() override
    {
        RoundTripTest::SetUp();
        gTableImagesEnabled = true;
    }

    // A slideshow of a JPEG and a PNG slide, a gallery of two pictures and a
    // table with a cell picture and a background picture, saved once.
    QString savedPage()
    {
        auto show = slideshow({20, 200, 300, 200}, {member(QStringLiteral("image2"), QStringLiteral("JPG"), 1, 0, 0),
                                                    member(QStringLiteral("image3"), QStringLiteral("PNG"), 2, 0, 0)});
        auto g = std::make_shared<SKTGalleryGrid>();
        placeOnPage(*g, {400, 200, 300, 200});
        g->setNumOfRows(1);
        g->setNumOfColumns(2);
        g->setPadding(10);
        g->addIntoImageArray(member(QStringLiteral("image4"), QStringLiteral("JPG"), 3, 0, 0));
        g->addIntoImageArray(member(QStringLiteral("image5"), QStringLiteral("PNG"), 4, 0, 1));
        auto t = table({20, 450}, 1, 2);
        t->addIntoImageArray(member(QStringLiteral("image6"), QStringLiteral("PNG"), 5, 0, 1));
        auto background = member(QStringLiteral("image7"), QStringLiteral("JPG"), 6, 0, 0);
        background->frame = t->bounds();
        t->setTableBackgroundImage(background);
        doc->insertGraphics({show, g, t}, {0, 1, 2});
        doc->documentChangedCounter = 1;
        const QString package = packagePath(QStringLiteral("index"));
        if (!doc->saveThisPage(package, false))
            ADD_FAILURE() << doc->lastSaveError.toStdString();
        return package;
    }

    static QString folderOf(const SKTDocument &page) { return page.pageFolderPath(); }
};

TEST_F(CarrierPicturesTest, OpeningDecodesNoCarrierPictureAndResavingLeavesTheirFilesAlone)
{
    const QString first = savedPage();
    const QMap<QString, QByteArray> written = pictureFiles(folderOf(*doc));
    for (const char *name : {"image2o.JPG", "image3o.PNG", "image4o.JPG", "image5o.PNG", "image6o.PNG"})
        EXPECT_TRUE(written.contains(QString::fromLatin1(name))) << name << ": " << written.keys().join(' ').toStdString();
    // Opened and saved once, the page is as our own saves leave it.
    SKTDocument settled;
    ASSERT_TRUE(settled.readFromFile(first)) << settled.lastSaveError.toStdString();
    const QString package = packagePath(QStringLiteral("settled"));
    ++settled.documentChangedCounter;
    ASSERT_TRUE(settled.saveThisPage(package, false)) << settled.lastSaveError.toStdString();

    SKTDocument opened;
    const int decodesBefore = LazyPicture::decodeCount();
    ASSERT_TRUE(opened.readFromFile(package)) << opened.lastSaveError.toStdString();
    EXPECT_EQ(LazyPicture::decodeCount(), decodesBefore) << "opening decoded pictures";
    auto *show = ::first<SKTSlideshow>(opened);
    auto *gallery = ::first<SKTGalleryGrid>(opened);
    auto *grid = ::first<SKTTable>(opened);
    ASSERT_TRUE(show && gallery && grid);
    ASSERT_EQ(show->imageArray().size(), 2);
    ASSERT_EQ(gallery->imageArray().size(), 2);
    ASSERT_FALSE(grid->imageArray().isEmpty());
    QList<std::shared_ptr<TransformView>> carriers = show->imageArray() + gallery->imageArray() + grid->imageArray();
    if (grid->tableBackgroundImage() && !carriers.contains(grid->tableBackgroundImage()))
        carriers << grid->tableBackgroundImage();
    for (const auto &c : carriers) {
        EXPECT_TRUE(c->image.isAsRead()) << c->imageName.toStdString();
        EXPECT_FALSE(c->image.isDecoded()) << c->imageName.toStdString();
    }
    // Its size is known from the file's header without decoding.
    const auto hidden = show->imageArray()[1];
    EXPECT_EQ(hidden->image.size(), QSize(800, 600));
    EXPECT_FALSE(hidden->image.isDecoded());

    // Undo records and copies carry a waiting picture without decoding it.
    SKTSlideshow copy;
    copy.readProperties(GraphicProperties::fromCbor(show->properties().toCbor().toMap()));
    ASSERT_EQ(copy.imageArray().size(), 2);
    EXPECT_FALSE(copy.imageArray()[1]->image.isDecoded());
    EXPECT_EQ(copy.imageArray()[1]->image.image().size(), QSize(800, 600));
    EXPECT_FALSE(hidden->image.isDecoded());

    // Saving again: every picture file byte for byte as it was. Only the
    // page's screenshot needs pixels, of the pictures it shows: the slide
    // out of sight stays undecoded, and a second save decodes nothing.
    const QString folder = folderOf(opened);
    const QMap<QString, QByteArray> before = pictureFiles(folder);
    ASSERT_FALSE(before.isEmpty());
    const int beforeSave = LazyPicture::decodeCount();
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    EXPECT_EQ(changedFiles(before, pictureFiles(folder)), QStringList());
    EXPECT_FALSE(hidden->image.isDecoded());
    EXPECT_LE(LazyPicture::decodeCount() - beforeSave, carriers.size() - 1);
    const int afterFirstSave = LazyPicture::decodeCount();
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    EXPECT_EQ(LazyPicture::decodeCount(), afterFirstSave);
    EXPECT_EQ(changedFiles(before, pictureFiles(folder)), QStringList());
    EXPECT_TRUE(gallery->imageArray()[0]->image.isAsRead()) << "drawn, still the picture read";

    // A new picture in one slide rewrites that slide's retina file alone.
    show->imageArray()[0]->image = grain(800, 600, 9);
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    EXPECT_EQ(changedFiles(before, pictureFiles(folder)), QStringList {QStringLiteral("image2@2x.JPG")});
    // Saved again unchanged, the new picture's files are left alone too.
    const QString slideRetina = QDir(folder).filePath(QStringLiteral("image2@2x.JPG"));
    const QDateTime slideWritten = QFileInfo(slideRetina).lastModified();
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    EXPECT_EQ(QFileInfo(slideRetina).lastModified(), slideWritten);

    // A gallery whose cells grew gives its pictures retina files of the new
    // size; their originals stay.
    const QString retina = QDir(folder).filePath(QStringLiteral("image5@2x.PNG"));
    const QSize oldRetina = QImageReader(retina).size();
    gallery->setBounds(QRectF(400, 200, 700, 500));
    ++opened.documentChangedCounter;
    ASSERT_TRUE(opened.saveThisPage(package, false)) << opened.lastSaveError.toStdString();
    EXPECT_NE(QImageReader(retina).size(), oldRetina);
    EXPECT_EQ(pictureFiles(folder).value(QStringLiteral("image5o.PNG")), before.value(QStringLiteral("image5o.PNG")));
}

#include "DrawingProbe.h"

#include "model/CarrierList.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"

#include <gtest/gtest.h>

namespace {
std::shared_ptr<TransformView> picture(int w, int h, QColor colour, int row = 0, int column = 0)
{
    auto image = std::make_shared<TransformView>();
    QImage pixels(w, h, QImage::Format_RGB32);
    pixels.fill(colour);
    image->image = pixels;
    image->originalWidth = w;
    image->originalHeight = h;
    image->rowSpot = row;
    image->columnSpot = column;
    return image;
}

std::unique_ptr<SKTGalleryGrid> makeGallery(int rows, int columns, QRectF bounds, int padding)
{
    GraphicProperties p;
    p.setRect("bounds", bounds);
    p.setIntString("numOfRows", rows);
    p.setIntString("numOfColumns", columns);
    p.setIntString("padding", padding);
    auto gallery = std::make_unique<SKTGalleryGrid>();
    gallery->readProperties(p);
    return gallery;
}
} // namespace

TEST(GalleryGrid, SpotsAndImagesByCell)
{
    auto gallery = makeGallery(2, 3, {10, 20, 301, 200}, 5);
    EXPECT_EQ(gallery->grabRowSpot(110, 20), 0);
    EXPECT_EQ(gallery->grabColumnSpot(110, 20), 1); // a right edge belongs to the next cell
    EXPECT_EQ(gallery->grabColumnSpot(310, 20), -99);
    EXPECT_EQ(gallery->grabNextSpot(0, 2), QPoint(1, 0));
    EXPECT_EQ(gallery->grabMaxNumToAdd({110, 120}), 2);

    gallery->addIntoImageArray(picture(10, 10, Qt::red, 0, 1));
    gallery->addIntoImageArray(picture(10, 10, Qt::blue, 0, 1));
    EXPECT_EQ(gallery->imageArray().size(), 1);
    EXPECT_TRUE(gallery->isSpotAlreadyPopulated(0, 1));
    EXPECT_EQ(gallery->grabImageSelected(150, 50)->image.image().pixelColor(0, 0), QColor(Qt::blue));
    gallery->addIntoImageArray(picture(10, 10, Qt::green, 1, -99));
    EXPECT_EQ(gallery->imageArray().size(), 1);
    EXPECT_EQ(gallery->grabImageSelected(15, 150), nullptr);
}

TEST(GalleryGrid, PicturesAreFittedCentredAndDrawn)
{
    auto gallery = makeGallery(1, 2, {0, 0, 200, 100}, 5);
    auto landscape = picture(180, 90, Qt::red, 0, 0);
    auto portrait = picture(90, 180, Qt::blue, 0, 1);
    gallery->addIntoImageArray(landscape);
    gallery->addIntoImageArray(portrait);
    const QImage image = renderOne(*gallery);
    EXPECT_EQ(landscape->galleryDimension, QRectF(5, 27, 90, 45));
    EXPECT_EQ(portrait->galleryDimension, QRectF(127, 5, 45, 90));
    EXPECT_TRUE(near(image.pixelColor(50, 50), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(150, 50), Qt::blue));
    EXPECT_TRUE(near(image.pixelColor(50, 10), Qt::white));
    EXPECT_EQ(gallery->grabTransformViewBounds(50, 50), QRectF(5, 27, 90, 45));

    // A picture of height 0 and a grid of no columns draw nothing and never divide by zero.
    auto flat = makeGallery(1, 1, {0, 0, 100, 100}, 0);
    flat->addIntoImageArray(picture(10, 10, Qt::red, 0, 0));
    flat->imageArray().first()->originalHeight = 0;
    EXPECT_EQ(inkIn(renderOne(*flat), QRect(0, 0, 200, 200)), 0);
    auto none = makeGallery(1, 0, {0, 0, 100, 100}, 0);
    none->addIntoImageArray(picture(10, 10, Qt::red, 0, 0));
    EXPECT_EQ(inkIn(renderOne(*none, {200, 200}, RenderOptions()), QRect(0, 30, 200, 170)), 0);
}

TEST(GalleryGrid, PropertiesKeepTheGridAndPictures)
{
    auto gallery = makeGallery(2, 2, {0, 0, 100, 100}, 3);
    auto image = picture(10, 10, Qt::red, 1, 1);
    image->sectionNumber = 4;
    gallery->addIntoImageArray(image);
    SKTGalleryGrid back;
    back.readProperties(gallery->properties());
    EXPECT_EQ(back.numOfRows(), 2);
    EXPECT_EQ(back.padding(), 3);
    ASSERT_EQ(back.imageArray().size(), 1);
    EXPECT_EQ(back.sectionNumber(), 4); // placement comes from the first picture
    EXPECT_EQ(back.captionFrame(), QRectF(0, 5, 100, 40));
}

TEST(Slideshow, ArrowsStepWithinTheSlides)
{
    SKTSlideshow show;
    show.setBounds({0, 0, 300, 200});
    EXPECT_EQ(show.captionText(), QStringLiteral("Right click to edit slideshow"));
    show.addIntoImageArray(picture(300, 200, Qt::red));
    show.addIntoImageArray(picture(300, 200, Qt::green));
    show.addIntoImageArray(picture(300, 200, Qt::blue));
    EXPECT_EQ(show.currentImageIndex(), 2); // adding a slide shows it
    EXPECT_TRUE(show.isContentsUnderPoint({280, 120})); // next arrow on the last slide: clamped
    EXPECT_EQ(show.currentImageIndex(), 2);
    show.isContentsUnderPoint({10, 120});
    show.isContentsUnderPoint({10, 120});
    show.isContentsUnderPoint({10, 120});
    EXPECT_EQ(show.currentImageIndex(), 0);
    show.isContentsUnderPoint({280, 120});
    EXPECT_EQ(show.currentImageIndex(), 1);
    EXPECT_EQ(show.captionText(), QStringLiteral("Right click to edit slideshow (2/3)"));
    EXPECT_FALSE(show.isContentsUnderPoint({300, 10}));
}

TEST(Slideshow, ShowsTheCurrentSlideCentredAndArrowsOnTheCanvasOnly)
{
    SKTSlideshow show;
    show.setBounds({0, 0, 200, 100});
    show.addIntoImageArray(picture(200, 100, Qt::red));
    show.addIntoImageArray(picture(50, 100, Qt::blue)); // portrait: as high as the show is wide
    show.setCurrentImageIndex(0);
    QImage paper = renderOne(show);
    EXPECT_TRUE(near(paper.pixelColor(100, 50), Qt::red));
    EXPECT_TRUE(near(paper.pixelColor(190, 60), Qt::red)); // no arrow on paper
    const QImage canvas = renderOne(show, {200, 200}, RenderOptions());
    EXPECT_FALSE(near(canvas.pixelColor(190, 70), Qt::red)); // the next arrow
    EXPECT_TRUE(near(canvas.pixelColor(10, 70), Qt::red));   // no previous arrow on the first slide

    show.moveSlideForward();
    paper = renderOne(show);
    EXPECT_EQ(show.imageArray()[1]->frame, QRectF(200 + 50, 0, 100, 200));
    EXPECT_TRUE(near(paper.pixelColor(100, 50), Qt::blue));
    EXPECT_TRUE(near(paper.pixelColor(30, 50), Qt::white));
    EXPECT_TRUE(near(paper.pixelColor(100, 150), Qt::white)); // cut at the slideshow's edge
}

TEST(Slideshow, PropertiesKeepTheSlidesAndStartAtTheFirst)
{
    SKTSlideshow show;
    show.setBounds({0, 0, 300, 200});
    show.addIntoImageArray(picture(30, 20, Qt::red));
    show.addIntoImageArray(picture(30, 20, Qt::blue));
    SKTSlideshow back;
    back.readProperties(show.properties());
    EXPECT_EQ(back.totalNumofSlides(), 2);
    EXPECT_EQ(back.currentImageIndex(), 0);
    GraphicProperties empty;
    SKTSlideshow none;
    none.readProperties(empty);
    EXPECT_EQ(none.totalNumofSlides(), 0);
    EXPECT_EQ(inkIn(renderOne(none), QRect(0, 0, 200, 200)), 0);
    EXPECT_EQ(none.presentablePropertyNameForKey("undoContents2"), QStringLiteral("Text"));
    EXPECT_FALSE(none.keysForValuesToObserveForUndo().contains("undoContents2"));
}

#include "support/FakeGraphicEnvironment.h"

#include "model/SlideShow.h"
#include "platform/UserDefaults.h"

#include <QTemporaryDir>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {
QImage picture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image;
}
} // namespace

TEST(SlideShowView, EmptyViewShowsNoButtonsAndACountOfZero)
{
    SlideShow view(QRectF(0, 0, 400, 300));
    EXPECT_FALSE(view.nextButtonShown());
    EXPECT_FALSE(view.previousButtonShown());
    EXPECT_EQ(view.caption(), QStringLiteral("Right click to edit slideshow (0/0)"));
    EXPECT_EQ(view.nextButtonFrame(), QRectF(360, 150, 40, 50));
    view.showPrevious();
    view.showNext();
    EXPECT_EQ(view.slideNumber, 0);
}

TEST(SlideShowView, AddingSlidesStoresOriginalsAndEndsOnTheLast)
{
    QTemporaryDir dir;
    FakeGraphicEnvironment env;
    env.docPath = dir.path();
    UserDefaults::standard().setInteger(300, QStringLiteral("DovrinMaxImageSize"));
    SKTGraphic container;
    SlideShow view(QRectF(0, 0, 400, 300), &container);

    view.addNewSlide(picture(200, 100), SlideShow::imageTypeForExtension(QStringLiteral("png")));
    EXPECT_FALSE(view.nextButtonShown()); // one slide: no buttons
    EXPECT_FALSE(view.previousButtonShown());
    view.addNewSlide(picture(600, 300), SlideShow::imageTypeForExtension(QStringLiteral("jpeg")));
    view.addNewSlide(picture(100, 400), SlideShow::imageTypeForExtension(QStringLiteral("PNG")));
    ASSERT_EQ(view.imageArray.size(), 3);
    EXPECT_EQ(view.slideNumber, 2);
    EXPECT_EQ(view.caption(), QStringLiteral("Right click to edit slideshow (3/3)"));
    EXPECT_TRUE(view.previousButtonShown());
    EXPECT_FALSE(view.nextButtonShown());
    EXPECT_DOUBLE_EQ(view.scrollOffsetX(), 800);

    // Slides side by side, scaled by their longer side, centred in their slot.
    EXPECT_EQ(view.imageArray[0]->frame, QRectF(0, 50, 400, 200));
    EXPECT_EQ(view.imageArray[2]->frame, QRectF(150 + 800, -50, 100, 400));
    EXPECT_EQ(view.imageArray[1]->imageName, QStringLiteral("image2"));

    // Originals: narrower than the limit kept, wider ones scaled down.
    QImageReader small(dir.path() + QStringLiteral("/image1o.PNG"));
    EXPECT_EQ(small.format(), QByteArray("png"));
    EXPECT_EQ(small.size(), QSize(200, 100));
    QImageReader wide(dir.path() + QStringLiteral("/image2o.JPG"));
    EXPECT_EQ(wide.format(), QByteArray("jpeg"));
    EXPECT_EQ(wide.size(), QSize(300, 150));

    view.showPrevious();
    view.showPrevious();
    view.showPrevious();
    EXPECT_EQ(view.slideNumber, 0);
    EXPECT_FALSE(view.previousButtonShown());
    view.deleteCurrentSlide();
    EXPECT_EQ(view.imageArray.size(), 2);
    EXPECT_EQ(view.slideNumber, 0);

    view.switchSlideshowAsAutomatic();
    EXPECT_EQ(container.slideShowAutomaticFlag(), 1);
    UserDefaults::standard().removeObjectForKey(QStringLiteral("DovrinMaxImageSize"));
}

#include "DrawingProbe.h"

#include "model/SKTImage.h"

#include <gtest/gtest.h>

namespace {
// Left half red, right half blue.
QImage twoColourPicture(int w = 100, int h = 80)
{
    QImage picture(w, h, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::red);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            picture.setPixelColor(x, y, Qt::blue);
    return picture;
}

std::unique_ptr<SKTImage> makeImage(QRectF bounds = {20, 20, 100, 80})
{
    auto image = std::make_unique<SKTImage>();
    image->setBounds(bounds);
    image->setInputImage(twoColourPicture());
    image->setContents(image->inputImage());
    return image;
}
} // namespace

TEST(ImageGraphic, PictureFillsTheContentBoxAndFlips)
{
    auto image = makeImage();
    QImage drawn = renderOne(*image);
    EXPECT_TRUE(near(drawn.pixelColor(30, 60), Qt::red));
    EXPECT_TRUE(near(drawn.pixelColor(110, 60), Qt::blue));
    EXPECT_TRUE(near(drawn.pixelColor(130, 60), Qt::white));

    image->flipHorizontally();
    EXPECT_TRUE(image->isFlippedHorizontally());
    drawn = renderOne(*image);
    EXPECT_TRUE(near(drawn.pixelColor(30, 60), Qt::blue));
    EXPECT_TRUE(near(drawn.pixelColor(110, 60), Qt::red));

    // Members of a slideshow leave the picture to the slideshow.
    image->setSlideShowNumber(3);
    EXPECT_EQ(inkIn(renderOne(*image), QRect(20, 20, 100, 80)), 0);
}

TEST(ImageGraphic, RotationTurnsThePictureAboutItsCentre)
{
    auto image = makeImage({50, 50, 100, 80});
    image->setRotationAngle(180);
    const QImage drawn = renderOne(*image);
    EXPECT_TRUE(near(drawn.pixelColor(60, 90), Qt::blue));
    EXPECT_TRUE(near(drawn.pixelColor(140, 90), Qt::red));
}

TEST(ImageGraphic, MaskedPixelsAreClear)
{
    auto image = makeImage();
    QImage mask(10, 10, QImage::Format_Grayscale8);
    mask.fill(255);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 3; ++x)
            mask.setPixelColor(x, y, Qt::black);
    image->setMaskImage(mask);
    const QImage drawn = renderOne(*image);
    EXPECT_TRUE(near(drawn.pixelColor(25, 60), Qt::white)); // black in the mask: hidden
    EXPECT_TRUE(near(drawn.pixelColor(60, 60), Qt::red));
    EXPECT_EQ(image->maskFlag(), 0); // drawing writes nothing
}

TEST(ImageGraphic, BubbleClipsToTheEllipse)
{
    auto image = makeImage();
    image->setBubbleFlag(1);
    const QImage drawn = renderOne(*image);
    EXPECT_EQ(image->bubbleShape(), QStringLiteral("circle"));
    EXPECT_TRUE(near(drawn.pixelColor(21, 21), Qt::white));
    EXPECT_TRUE(near(drawn.pixelColor(40, 60), Qt::red));

    // A named outline clips to the shape scaled to the picture.
    image->setBubbleShape(QStringLiteral("triangle"));
    const QImage triangle = renderOne(*image);
    EXPECT_TRUE(near(triangle.pixelColor(22, 96), Qt::white)); // a bottom corner of the box
    EXPECT_TRUE(near(triangle.pixelColor(70, 60), Qt::blue));  // inside the triangle, right half
    EXPECT_TRUE(near(triangle.pixelColor(25, 25), Qt::white)); // beside the apex
}

TEST(ImageGraphic, ReflectionIsDrawnBelowAndGrowsTheBounds)
{
    auto image = makeImage();
    image->setReflection(0.5);
    image->applyReflection();
    EXPECT_EQ(image->bounds(), QRectF(20, 20, 100, 120));
    EXPECT_EQ(image->contents().size(), QSize(100, 120));
    const QImage drawn = renderOne(*image);
    const QColor below = drawn.pixelColor(30, 102);
    EXPECT_FALSE(near(below, Qt::white, 3)); // a faint red reflection
    EXPECT_GT(below.red(), below.blue());
    EXPECT_TRUE(near(drawn.pixelColor(30, 138), Qt::white, 4));

    // Back to no reflection: the plain picture, the bounds as they are.
    image->setReflection(0);
    image->applyReflection();
    EXPECT_EQ(image->contents().size(), QSize(100, 80));
    EXPECT_EQ(image->bounds().height(), 120);
}

TEST(ImageGraphic, PropertiesRoundTripAndClampStoredReflection)
{
    auto image = makeImage();
    image->setImageName(QStringLiteral("image3"));
    image->setImageType(QStringLiteral("PNG"));
    image->setReflection(0.5);
    image->applyReflection();
    image->setFlippedVertically(true);
    GraphicProperties p = image->properties();
    EXPECT_EQ(p.string("reflection"), QStringLiteral("0.500000"));
    EXPECT_EQ(p.string("slideShowNumber"), QStringLiteral("-99"));

    SKTImage back;
    back.readProperties(p);
    EXPECT_EQ(back.inputImage().size(), QSize(100, 80));
    EXPECT_EQ(back.contents().size(), QSize(100, 120));
    EXPECT_EQ(back.originalImageRect().height(), 80);
    EXPECT_TRUE(back.isFlippedVertically());
    EXPECT_EQ(back.imageName(), QStringLiteral("image3"));

    // A stored reflection above 1 loads, capped at a full-height reflection.
    p.setFloatString("reflection", 2.5);
    SKTImage capped;
    capped.readProperties(p);
    EXPECT_EQ(capped.reflection(), 1.0);
    EXPECT_EQ(capped.contents().height(), 160);
}

TEST(ImageGraphic, ShadowFallsUnderThePictureOnlyWithoutBorder)
{
    auto image = makeImage();
    image->setShadowFlag(1);
    QImage drawn = renderOne(*image);
    EXPECT_LT(drawn.pixelColor(60, 101).red(), 230); // shadow just below the picture

    image->setBorderWidth(2);
    image->setBorderColor(Qt::black);
    drawn = renderOne(*image);
    EXPECT_EQ(image->borderStyle(), QStringLiteral("solid"));
    EXPECT_LT(drawn.pixelColor(60, 20).red(), 100); // the border
}

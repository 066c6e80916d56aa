// Shadows, reflections and masks, probed pixel by pixel.
#include "DrawingProbe.h"

#include "model/GraphicPainter.h"
#include "model/ImageEffects.h"
#include "model/ShadowBlur.h"

#include <gtest/gtest.h>

namespace {
QImage blank(int w, int h, QColor fill = Qt::white)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}
} // namespace

TEST(ShadowBlur, SpreadsAlphaSymmetricallyAndKeepsTotal)
{
    QImage alpha(41, 41, QImage::Format_Alpha8);
    alpha.fill(0);
    for (int y = 15; y <= 25; ++y)
        for (int x = 15; x <= 25; ++x)
            alpha.scanLine(y)[x] = 255;
    ShadowBlur::blur(alpha, 6);
    auto at = [&](int x, int y) { return int(alpha.constScanLine(y)[x]); };
    EXPECT_GT(at(20, 20), 200);              // the middle stays nearly opaque
    EXPECT_GT(at(13, 20), 0);                // alpha reaches beyond the edge
    EXPECT_LT(at(13, 20), at(16, 20));       // and falls off
    EXPECT_NEAR(at(12, 20), at(28, 20), 2);  // symmetrically
    EXPECT_EQ(at(0, 0), 0);                  // not everywhere
    QImage untouched(5, 5, QImage::Format_Alpha8);
    untouched.fill(7);
    ShadowBlur::blur(untouched, 0);
    EXPECT_EQ(untouched.constScanLine(2)[2], 7);
}

TEST(GraphicPainter, CurrentShadowFallsUnderEveryFillUntilCleared)
{
    QImage image = blank(120, 60);
    {
        QPainter p(&image);
        GraphicPainter gp(p);
        gp.setShadow({QColor(0, 0, 0), 3, QPointF(0, 6)});
        QPainterPath box;
        box.addRect(10, 10, 30, 30);
        gp.fillPath(box, Qt::red);
        gp.clearShadow();
        QPainterPath second;
        second.addRect(70, 10, 30, 30);
        gp.fillPath(second, Qt::red);
    }
    EXPECT_EQ(image.pixelColor(25, 25), QColor(Qt::red));
    // Below the first box the shadow darkens the white; below the second nothing.
    EXPECT_LT(image.pixelColor(25, 42).red(), 200);
    EXPECT_EQ(image.pixelColor(85, 42), QColor(Qt::white));
}

TEST(GraphicPainter, ShadowsGrowWithTheDrawingScale)
{
    // The same scene at twice the size: the shadow's offset doubles too.
    QImage image = blank(240, 120);
    {
        QPainter p(&image);
        p.scale(2, 2);
        GraphicPainter gp(p);
        gp.setShadow({QColor(0, 0, 0), 0.5, QPointF(0, 6)});
        QPainterPath box;
        box.addRect(10, 10, 30, 30);
        gp.fillPath(box, Qt::red);
    }
    EXPECT_TRUE(near(image.pixelColor(50, 50), Qt::red));
    EXPECT_LT(image.pixelColor(50, 88).red(), 120);           // 6 canvas pixels below: 12 device pixels
    EXPECT_TRUE(near(image.pixelColor(50, 96), Qt::white, 30)); // and no further
}

TEST(GraphicPainter, BorderPensByStyle)
{
    EXPECT_FALSE(GraphicPainter::borderPen("none", 2, Qt::black).has_value());
    EXPECT_FALSE(GraphicPainter::borderPen("groove", 2, Qt::black).has_value());
    const auto solid = GraphicPainter::borderPen("solid", 2, Qt::black);
    ASSERT_TRUE(solid.has_value());
    EXPECT_EQ(solid->style(), Qt::SolidLine);
    const auto dashed = GraphicPainter::borderPen("dashed", 2, Qt::black);
    ASSERT_TRUE(dashed.has_value());
    // Dashes of 3 x width in pixels, expressed in pen widths.
    EXPECT_EQ(dashed->dashPattern(), (QList<qreal>{3, 3}));
    EXPECT_EQ(GraphicPainter::borderPen("dotted", 4, Qt::black)->dashPattern(), (QList<qreal>{1, 1}));
}

TEST(ImageEffects, ReflectionMirrorsTheLowerRowsAndFades)
{
    // 100 x 80: top half red, bottom half blue.
    QImage picture = blank(100, 80, Qt::red);
    for (int y = 40; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
            picture.setPixelColor(x, y, Qt::blue);
    const QImage reflected = ImageEffects::addReflection(picture, 0.5);
    ASSERT_EQ(reflected.size(), QSize(100, 120));
    EXPECT_EQ(reflected.pixelColor(50, 10), QColor(Qt::red));
    // Just below the picture: the mirrored blue bottom rows, faint.
    const QColor top = reflected.pixelColor(50, 81);
    EXPECT_GT(top.blue(), top.red());
    EXPECT_NEAR(top.alpha(), 51, 6);
    EXPECT_LT(reflected.pixelColor(50, 118).alpha(), 5);
    // Stored values above 1 are capped at a full-height reflection.
    EXPECT_EQ(ImageEffects::addReflection(picture, 3.0).height(), 160);
    EXPECT_EQ(ImageEffects::addReflection(picture, 0).size(), picture.size());
}

TEST(ImageEffects, MaskClearsWhereItIsBlack)
{
    const QImage picture = blank(20, 20, Qt::green);
    QImage mask = blank(10, 10, Qt::white);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x)
            mask.setPixelColor(x, y, Qt::black);
    EXPECT_EQ(ImageEffects::maskBitmap(mask, {20, 20}).format(), QImage::Format_Grayscale8);
    const QImage masked = ImageEffects::applyMask(picture, mask);
    EXPECT_EQ(masked.pixelColor(2, 10).alpha(), 0);
    EXPECT_EQ(masked.pixelColor(17, 10), QColor(Qt::green));
}

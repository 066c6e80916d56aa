// The colour buttons' swatches and the fixed panel's colour captions.
#include "sidebar/ColorSwatchStyle.h"

#include <gtest/gtest.h>

TEST(ColorSwatchStyleTest, SwatchShowsTheHexInTheInvertedColourOrClear)
{
    const auto red = ColorSwatchStyle::swatch(QColor(255, 0, 0), 270);
    EXPECT_EQ(red.title, QStringLiteral("FF0000"));
    EXPECT_EQ(red.titleColor, QColor(0, 255, 255));
    EXPECT_EQ(red.image.size(), QSize(200, 30));
    EXPECT_EQ(red.image.pixelColor(100, 15), QColor(255, 0, 0));
    EXPECT_EQ(red.image.pixelColor(0, 0), QColor(0, 0, 0));  // the outline
    EXPECT_EQ(red.frame, QRectF(20, 55, 230, 30));

    for (const QColor &none : {QColor(), QColor(Qt::transparent)}) {
        const auto clear = ColorSwatchStyle::swatch(none, 270);
        EXPECT_EQ(clear.title, QStringLiteral("Clear"));
        EXPECT_EQ(clear.titleColor, QColor(Qt::black));
    }
    const QColor half = ColorSwatchStyle::invertedColor(QColor(10, 20, 30, 128));
    EXPECT_EQ(half, QColor(245, 235, 225, 128));
}

TEST(ColorSwatchStyleTest, FixedPanelCaptionsStandAboveTheirButtons)
{
    const auto plain = ColorSwatchStyle::fixedPanelCaptions(false, false);
    ASSERT_EQ(plain.size(), 6);
    EXPECT_EQ(plain[2].text, QStringLiteral("Border"));
    EXPECT_EQ(plain[3].frame, QRectF(35, 225, 200, 20));
    EXPECT_EQ(plain[3].buttonName, QStringLiteral("canvasColorButton"));
    EXPECT_EQ(plain[3].buttonFrame, QRectF(35, 250, 200, 30));
    EXPECT_FALSE(plain[4].shown);
    EXPECT_FALSE(plain[5].shown);
    const auto wide = ColorSwatchStyle::fixedPanelCaptions(true, true);
    EXPECT_EQ(wide[2].text, QStringLiteral("Border / Line"));
    EXPECT_TRUE(wide[5].shown);
    EXPECT_EQ(wide[5].frame.y(), 355);
}

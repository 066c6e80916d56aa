#include "model/GalleryLayout.h"
#include "model/SlideshowLayout.h"

#include <gtest/gtest.h>

TEST(GalleryLayout, CellsSpotsAndHalfOpenEdges)
{
    const GalleryLayout layout(QRectF(10, 20, 301, 200), 3, 2, 5);
    EXPECT_EQ(layout.cellWidth(), 100);
    EXPECT_EQ(layout.cellHeight(), 100);
    EXPECT_EQ(layout.cellRect(1, 2), QRectF(210, 120, 100, 100));
    struct Case {
        int32_t x, y;
        QPoint spot;
    };
    const Case cases[] = {
        {10, 20, {0, 0}},    {109, 119, {0, 0}}, {110, 20, {0, 1}}, // right edge belongs to the next cell
        {309, 219, {1, 2}},  {310, 20, {-99, -99}},                  // the leftover pixel right of the grid
        {9, 20, {-99, -99}}, {10, 220, {-99, -99}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(layout.spotAt(c.x, c.y), c.spot) << c.x << "," << c.y;
}

TEST(GalleryLayout, EmptyGridsDivideByNothing)
{
    const GalleryLayout noColumns(QRectF(0, 0, 100, 100), 0, 2, 0);
    EXPECT_EQ(noColumns.cellWidth(), 0);
    EXPECT_EQ(noColumns.spotAt(5, 5), QPoint(-99, -99));
    EXPECT_TRUE(noColumns.pictureRect(0, 0, 10, 10).isEmpty());
    const GalleryLayout noRows(QRectF(0, 0, 100, 100), 2, 0, 0);
    EXPECT_EQ(noRows.spotAt(5, 5), QPoint(-99, -99));
}

TEST(GalleryLayout, PicturesAreFittedAndCentredNeverNegatively)
{
    const GalleryLayout layout(QRectF(0, 0, 200, 100), 2, 1, 5);
    // Landscape in a square cell: cell width less padding, centred vertically.
    EXPECT_EQ(layout.pictureRect(0, 0, 180, 90), QRectF(5, 5 + 22, 90, 45));
    // Portrait: cell height less padding, centred horizontally.
    EXPECT_EQ(layout.pictureRect(0, 1, 90, 180), QRectF(100 + 5 + 22, 5, 45, 90));
    // A picture whose height is 0 is not drawn instead of dividing by zero.
    EXPECT_TRUE(layout.pictureRect(0, 0, 50, 0).isEmpty());
    // Padding larger than the cell leaves no room.
    const GalleryLayout tight(QRectF(0, 0, 20, 20), 1, 1, 12);
    EXPECT_TRUE(tight.pictureRect(0, 0, 10, 10).isEmpty());
}

TEST(SlideshowLayout, SlidesArrowsAndCaption)
{
    // A portrait slide in a landscape slideshow is as high as the slideshow is
    // wide; the vertical offset never goes negative.
    const QSize portrait(150, 300);
    EXPECT_EQ(SlideshowLayout::slideFrame(1, QSizeF(300, 200), portrait), QRectF(75 + 300, 0, 150, 300));
    const QRectF bounds(10, 20, 300, 200);
    EXPECT_EQ(SlideshowLayout::nextArrowRect(bounds), QRectF(270, 120, 40, 50));
    EXPECT_EQ(SlideshowLayout::previousArrowRect(bounds), QRectF(10, 120, 40, 50));
    EXPECT_EQ(SlideshowLayout::clampIndex(5, 3), 2);
    EXPECT_EQ(SlideshowLayout::clampIndex(-1, 3), 0);
    EXPECT_EQ(SlideshowLayout::clampIndex(2, 0), 0);
    EXPECT_EQ(SlideshowLayout::caption(0, 0), QStringLiteral("Right click to edit slideshow"));
    EXPECT_EQ(SlideshowLayout::caption(1, 3), QStringLiteral("Right click to edit slideshow (2/3)"));
}

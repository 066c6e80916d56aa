#include "model/TableGeometry.h"
#include "model/TableGridIndex.h"

#include <gtest/gtest.h>
#include <cmath>

TEST(TableGeometry, TotalSizeCountsOneGapMoreThanCells)
{
    // 3 columns of 50, padding 4, border 1: 4 gaps of 5 + 150 + 10 of box model.
    EXPECT_EQ(TableGeometry::totalSize({50, 50, 50}, 4, 1, 10.0), 180);
    // Fractions of the box model are dropped before the sizes are added.
    EXPECT_EQ(TableGeometry::totalSize({10}, 0, 0, 2.9), 12);
    EXPECT_EQ(TableGeometry::totalSize({}, 2, 0, 0.0), 2);
}

TEST(TableGeometry, AverageDividesByCountLessOneAndNeverByZero)
{
    // The caller counts the appended, still empty column in.
    EXPECT_FLOAT_EQ(TableGeometry::averageSize({40, 60, 0}), 50.0f);
    EXPECT_TRUE(std::isfinite(TableGeometry::averageSize({40})));
    EXPECT_FLOAT_EQ(TableGeometry::averageSize({40}), 40.0f);
    EXPECT_FLOAT_EQ(TableGeometry::averageSize({0}), 0.0f);
    EXPECT_FLOAT_EQ(TableGeometry::averageSize({}), 0.0f);
}

TEST(TableGeometry, SpanAtUsesDrawnStartsAndHalfOpenEdges)
{
    const QList<int32_t> sizes{30, 20, 40};
    const QList<int32_t> starts = TableGeometry::starts(sizes, 100, 4, 2);
    EXPECT_EQ(starts, (QList<int32_t>{106, 142, 168}));
    struct Case {
        int32_t coordinate;
        int32_t span;
    };
    const Case cases[] = {
        {105, -99}, // the padding and border before the first cell
        {106, 0},   {135, 0},
        {136, -99}, // right edge of cell 0 and the gap after it
        {141, -99}, {142, 1}, {161, 1}, {162, -99}, {168, 2}, {207, 2}, {208, -99}, {5000, -99},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TableGeometry::spanAt(starts, sizes, c.coordinate), c.span) << c.coordinate;
    EXPECT_EQ(TableGeometry::spanAt({}, {}, 0), -99);
}

TEST(TableGeometry, SpreadingKeepsSmallCellsAndTruncates)
{
    struct Case {
        int32_t requested, total, changeable, step;
    };
    const Case cases[] = {{110, 100, 2, 5}, {111, 100, 2, 5}, {90, 100, 2, -5}, {91, 100, 2, -4},
                          {120, 100, 0, 0}, {100, 100, 3, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(TableGeometry::spreadStep(c.requested, c.total, c.changeable), c.step);
    EXPECT_EQ(TableGeometry::applySpreadStep(30, 5), 35);
    EXPECT_EQ(TableGeometry::applySpreadStep(30, -5), 25);
    EXPECT_EQ(TableGeometry::applySpreadStep(20, -5), 20); // narrower than 21: never shrunk
    EXPECT_EQ(TableGeometry::applySpreadStep(21, -5), 16);
    EXPECT_EQ(TableGeometry::applySpreadStep(50, -96), 0); // never negative
    EXPECT_EQ(TableGeometry::applySpreadStep(5, 3), 8);
}

TEST(TableGeometry, NextSpotAndCellsToEnd)
{
    EXPECT_EQ(TableGeometry::nextSpot(0, 0, 3), QPoint(0, 1));
    EXPECT_EQ(TableGeometry::nextSpot(0, 2, 3), QPoint(1, 0));
    EXPECT_EQ(TableGeometry::nextSpot(1, 2, 3), QPoint(2, 0)); // the row is not checked
    EXPECT_EQ(TableGeometry::cellsToEnd(0, 0, 2, 3), 6);
    EXPECT_EQ(TableGeometry::cellsToEnd(1, 1, 2, 3), 2);
}

TEST(TableGeometry, FitIntoKeepsProportionsAndGuardsEmptyPictures)
{
    EXPECT_EQ(TableGeometry::fitInto(100, 100, 200, 100), QSize(100, 50)); // landscape: full width
    EXPECT_EQ(TableGeometry::fitInto(100, 100, 100, 200), QSize(50, 100)); // portrait: full height
    // A picture already as wide as the box keeps its height exactly (no
    // rounded ratio cutting 53 to 52), and one as high keeps its width.
    EXPECT_EQ(TableGeometry::fitInto(80, 80, 80, 53), QSize(80, 53));
    EXPECT_EQ(TableGeometry::fitInto(80, 80, 53, 80), QSize(53, 80));
    EXPECT_EQ(TableGeometry::fitInto(100, 100, 200, 0), QSize(0, 0));
    EXPECT_EQ(TableGeometry::fitInto(100, 100, 0, 50), QSize(0, 0));
    EXPECT_EQ(TableGeometry::fitInto(-4, 100, 10, 10), QSize(0, 0));
}

TEST(TableGridIndex, FindsFirstCellOfASpot)
{
    TableGridIndex index;
    index.rebuild({{1, 0}, {0, 0}, {0, 1}, {0, 0}});
    EXPECT_EQ(index.indexAt(0, 0), 1);
    EXPECT_EQ(index.indexAt(1, 0), 0);
    EXPECT_EQ(index.indexAt(0, 1), 2);
    EXPECT_EQ(index.indexAt(1, 1), -1);
    EXPECT_EQ(index.indexAt(-99, -99), -1);
}

#include "model/LineGeometry.h"

#include <gtest/gtest.h>

TEST(LineGeometry, PlacementKeepsDirection)
{
    const auto p = LineGeometry::placementFor({100, 50}, {20, 80});
    EXPECT_EQ(p.bounds, QRectF(20, 50, 80, 30));
    EXPECT_FALSE(p.pointsRight);
    EXPECT_TRUE(p.pointsDown);
    EXPECT_EQ(LineGeometry::beginPoint(p), QPointF(100, 50));
    EXPECT_EQ(LineGeometry::endPoint(p), QPointF(20, 80));
    // Moving the end point to (120, 10) turns it right and up.
    const auto moved = LineGeometry::placementFor(LineGeometry::beginPoint(p), {120, 10});
    EXPECT_EQ(moved.bounds, QRectF(100, 10, 20, 40));
    EXPECT_TRUE(moved.pointsRight);
    EXPECT_FALSE(moved.pointsDown);
}

TEST(LineGeometry, ArrowHeadIsRightAngledWithSidesOfTwiceTheWidth)
{
    const QPointF from(0, 0), to(100, 0);
    EXPECT_NEAR(LineGeometry::arrowBasePoint(from, to, 4).x(), 96.0, 1e-4);
    const QPainterPath head = LineGeometry::arrowPath(from, to, 4);
    ASSERT_GE(head.elementCount(), 3);
    const QPointF tip = head.elementAt(0), a = head.elementAt(1), b = head.elementAt(2);
    EXPECT_EQ(tip, to);
    EXPECT_NEAR(QLineF(tip, a).length(), 8.0, 1e-4);
    EXPECT_NEAR(QLineF(tip, b).length(), 8.0, 1e-4);
    const double between = QLineF(tip, a).angleTo(QLineF(tip, b));
    EXPECT_NEAR(std::min(between, 360.0 - between), 90.0, 1e-3);
    EXPECT_LT(a.x(), tip.x()); // the head points away from the begin point
}

TEST(LineGeometry, HitTestStaysWithinTheGrownBounds)
{
    // A vertical line of width 2: 1 pixel beside it hits, 3 pixels does not
    // (outside the bounds grown by 2) although the tolerance is 10.2.
    const QPointF b(50, 0), e(50, 100);
    EXPECT_TRUE(LineGeometry::hitTest(b, e, 2, {51, 50}));
    EXPECT_TRUE(LineGeometry::hitTest(b, e, 2, {49, 50}));
    EXPECT_FALSE(LineGeometry::hitTest(b, e, 2, {53, 50}));
    // A slanted line: near the line hits, far from it misses.
    EXPECT_TRUE(LineGeometry::hitTest({0, 0}, {100, 100}, 2, {50, 55}));
    EXPECT_FALSE(LineGeometry::hitTest({0, 0}, {100, 100}, 2, {50, 80}));
    // A horizontal hairline has no height of its own but can still be clicked.
    EXPECT_TRUE(LineGeometry::hitTest({0, 40}, {100, 40}, 0, {50, 40}));
    EXPECT_FALSE(LineGeometry::hitTest({0, 40}, {100, 40}, 0, {50, 42}));
}

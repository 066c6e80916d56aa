#include "config/DataCentre.h"

#include <QTransform>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QPointF point(const QPainterPath &path, int i)
{
    const QPainterPath::Element e = path.elementAt(i);
    return {e.x, e.y};
}

} // namespace

// The canvas is y-down with its origin top-left: a star's tip is at the top.
TEST(Outlines, StarsPointUpOnTheCanvas)
{
    const QPainterPath star = DataCentre::grabShapeBezierPath("star");
    EXPECT_EQ(point(star, 0), QPointF(50, 0));
    EXPECT_EQ(point(star, 5), QPointF(50, 80)); // the inner corner between the legs
    EXPECT_EQ(star.elementCount(), 11);         // ten corners and the closing line
    EXPECT_EQ(point(DataCentre::grabShapeBezierPath("star2"), 0), QPointF(50, 100));
    EXPECT_TRUE(star.contains(QPointF(50, 5)));
    EXPECT_FALSE(star.contains(QPointF(50, 95)));
}

TEST(Outlines, TrianglesAndPolygons)
{
    const QPainterPath triangle = DataCentre::grabShapeBezierPath("triangle");
    EXPECT_EQ(point(triangle, 0), QPointF(50, 0));
    EXPECT_EQ(point(triangle, 1), QPointF(93.3, 75));
    EXPECT_EQ(point(triangle, 2), QPointF(6.7, 75));
    const QPainterPath triangle2 = DataCentre::grabShapeBezierPath("triangle2");
    EXPECT_EQ(point(triangle2, 0), QPointF(50, 80));
    EXPECT_EQ(point(triangle2, 1), QPointF(93.3, 5));
    const struct { const char *name; int corners; } table[] = {
        {"star4", 8}, {"star4b", 8}, {"star10", 20}, {"star25", 50}, {"octagon", 16}, {"pyramid", 6},
        {"polygon5", 5}, {"polygon6", 6}, {"polygon7", 7}, {"polygon10", 10}, {"polygon12", 12}};
    for (const auto &row : table) {
        const QPainterPath path = DataCentre::grabShapeBezierPath(row.name);
        EXPECT_EQ(path.elementCount(), row.corners + 1) << row.name;
        // Centred on (50, 50) with the first corner straight above or below.
        const QPointF first = point(path, 0);
        EXPECT_TRUE(first.y() == 0 || first.y() == 100) << row.name;
        EXPECT_TRUE(QRectF(0, 0, 101, 100).contains(path.boundingRect())) << row.name;
    }
    const QRectF octagon = DataCentre::grabShapeBezierPath("octagon").boundingRect();
    EXPECT_DOUBLE_EQ(octagon.left(), 1);
    EXPECT_DOUBLE_EQ(octagon.right(), 101);
}

TEST(Outlines, BoxesKeepTheirPlace)
{
    EXPECT_EQ(DataCentre::grabShapeBezierPath("square").boundingRect(), QRectF(10, 10, 80, 80));
    EXPECT_EQ(DataCentre::grabShapeBezierPath("square_roundcorners").boundingRect(), QRectF(10, 10, 80, 80));
    EXPECT_EQ(DataCentre::grabShapeBezierPath("rectangle").boundingRect(), QRectF(10, 20, 80, 60));
    EXPECT_EQ(DataCentre::grabShapeBezierPath("rectangle_roundcorners").boundingRect(), QRectF(10, 20, 80, 60));
    // The oversized radius makes a circle of diameter 80 about (50, 50).
    const QPainterPath circle = DataCentre::grabShapeBezierPath("circle");
    EXPECT_EQ(circle.boundingRect(), QRectF(10, 10, 80, 80));
    EXPECT_FALSE(circle.contains(QPointF(12, 12)));
    EXPECT_TRUE(circle.contains(QPointF(50, 11)));
    const QPainterPath rounded = DataCentre::grabShapeBezierPath("square_roundcorners");
    EXPECT_FALSE(rounded.contains(QPointF(10.5, 10.5)));
    EXPECT_TRUE(rounded.contains(QPointF(15, 15)));
}

TEST(Outlines, UnknownNamesGiveAnEmptyPath)
{
    for (const char *name : {"Star", "star ", "polygon8", "polygon9", "polygon11", ""})
        EXPECT_TRUE(DataCentre::grabShapeBezierPath(name).isEmpty()) << name;
    EXPECT_TRUE(DataCentre::grabShapeBezierPath(QString()).isEmpty());
    EXPECT_EQ(DataCentre::shapeOutlineNames().size(), 20);
}

TEST(Outlines, EachCallGivesItsOwnPath)
{
    QPainterPath first = DataCentre::grabShapeBezierPath("star");
    first.translate(100, 100);
    EXPECT_EQ(point(DataCentre::grabShapeBezierPath("star"), 0), QPointF(50, 0));
}

// Graphics scale an outline to their bounds and rotate about their centre;
// on the y-down canvas a positive angle turns clockwise on screen.
TEST(Outlines, ScaledAndRotatedOnTheCanvas)
{
    const QPainterPath star = DataCentre::grabShapeBezierPath("star");
    const QRectF bounds(200, 100, 50, 20);
    const QPainterPath fitted =
        QTransform::fromTranslate(bounds.x(), bounds.y()).scale(bounds.width() / 100, bounds.height() / 100).map(star);
    EXPECT_EQ(point(fitted, 0), QPointF(225, 100));
    QTransform turn;
    DataCentre::transformRotatingAroundPoint(bounds.center(), 90, turn);
    const QPointF tip = turn.map(point(fitted, 0)); // from straight above the centre...
    EXPECT_NEAR(tip.x(), bounds.center().x() + 10, 1e-9); // ...to its right: clockwise
    EXPECT_NEAR(tip.y(), bounds.center().y(), 1e-9);
}

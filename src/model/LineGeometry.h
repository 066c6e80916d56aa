#pragma once
// Geometry of a straight line with optional arrow heads: the line is kept as
// a rectangle plus two direction flags, the arrow heads are right-angled
// triangles whose sides are twice the line width, and a click hits the line
// within a tolerance that grows with its width.
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class LineGeometry {
public:
    struct Placement {
        QRectF bounds;
        bool pointsRight = false;
        bool pointsDown = false;
    };
    static Placement placementFor(const QPointF &begin, const QPointF &end);
    static QPointF beginPoint(const Placement &placement);
    static QPointF endPoint(const Placement &placement);

    // The point lineWidth back from `to` along the line from `from`.
    static QPointF arrowBasePoint(const QPointF &from, const QPointF &to, double lineWidth);
    // Closed triangle with its tip at `to`, pointing away from `from`.
    static QPainterPath arrowPath(const QPointF &from, const QPointF &to, double lineWidth);
    static bool hitTest(const QPointF &begin, const QPointF &end, double lineWidth, const QPointF &point);
};

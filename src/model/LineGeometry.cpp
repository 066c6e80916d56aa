#include "model/LineGeometry.h"

#include <algorithm>
#include <cmath>

LineGeometry::Placement LineGeometry::placementFor(const QPointF &begin, const QPointF &end)
{
    Placement placement;
    placement.bounds = QRectF(std::min(begin.x(), end.x()), std::min(begin.y(), end.y()),
                              std::fabs(end.x() - begin.x()), std::fabs(end.y() - begin.y()));
    placement.pointsRight = end.x() > begin.x();
    placement.pointsDown = end.y() > begin.y();
    return placement;
}

QPointF LineGeometry::beginPoint(const Placement &p)
{
    return {p.pointsRight ? p.bounds.x() : p.bounds.x() + p.bounds.width(),
            p.pointsDown ? p.bounds.y() : p.bounds.y() + p.bounds.height()};
}

QPointF LineGeometry::endPoint(const Placement &p)
{
    return {p.pointsRight ? p.bounds.x() + p.bounds.width() : p.bounds.x(),
            p.pointsDown ? p.bounds.y() + p.bounds.height() : p.bounds.y()};
}

QPointF LineGeometry::arrowBasePoint(const QPointF &from, const QPointF &to, double lineWidth)
{
    const float angle = std::atan2(float(to.y() - from.y()), float(to.x() - from.x()));
    const auto w = float(lineWidth);
    return {to.x() - std::cos(angle) * w, to.y() - std::sin(angle) * w};
}

QPainterPath LineGeometry::arrowPath(const QPointF &from, const QPointF &to, double lineWidth)
{
    const float angle = std::atan2(float(to.y() - from.y()), float(to.x() - from.x()));
    const float side = 2.0f * float(lineWidth);
    const float quarter = float(M_PI) / 4.0f;
    QPainterPath path(to);
    path.lineTo(to.x() - std::cos(angle - quarter) * side, to.y() - std::sin(angle - quarter) * side);
    path.lineTo(to.x() - std::cos(angle + quarter) * side, to.y() - std::sin(angle + quarter) * side);
    path.closeSubpath();
    return path;
}

bool LineGeometry::hitTest(const QPointF &begin, const QPointF &end, double lineWidth, const QPointF &point)
{
    const Placement placement = placementFor(begin, end);
    // A hairline (width 0) is drawn one pixel wide, so it can be hit there too.
    const double reach = std::max(lineWidth, 1.0);
    const QRectF grown = placement.bounds.adjusted(-reach, -reach, reach, reach);
    // Minimum edges inside, maximum edges outside.
    if (point.x() < grown.left() || point.x() >= grown.right() || point.y() < grown.top()
        || point.y() >= grown.bottom())
        return false;
    const float tolerance = float(lineWidth) / 10.0f + 10.0f;
    if (end.x() == begin.x())
        return std::fabs(point.x() - begin.x()) <= tolerance;
    const double along = (point.x() - begin.x()) * (end.y() - begin.y()) / (end.x() - begin.x());
    return std::fabs(along - (point.y() - begin.y())) <= tolerance;
}

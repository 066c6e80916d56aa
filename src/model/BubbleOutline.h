#pragma once
// The outline paths of zoom bubbles, fitted to a graphic: "circle" is the
// ellipse in the box, "rectangle" the box itself, any other name the named
// shape outline (drawn in a 100 x 100 box) scaled to the box and moved to its
// origin. Shared by text and image graphics.
#include <QPainterPath>
#include <QRectF>
#include <QString>

class BubbleOutline {
public:
    // The named outline in its 100 x 100 design box (empty for unknown names).
    static QPainterPath designPath(const QString &name);
    // designPath scaled by (scale.width / 100, scale.height / 100) and moved to `origin`.
    static QPainterPath fitted(const QString &name, const QPointF &origin, const QSizeF &scale);
    static QPainterPath ellipse(const QRectF &box);
    // The path rotated by degrees about a centre.
    static QPainterPath rotated(const QPainterPath &path, const QPointF &centre, double degrees);
};

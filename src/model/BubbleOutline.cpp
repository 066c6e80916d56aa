#include "model/BubbleOutline.h"

#include "config/DataCentre.h"

#include <QTransform>

QPainterPath BubbleOutline::designPath(const QString &name)
{
    return DataCentre::grabShapeBezierPath(name);
}

QPainterPath BubbleOutline::fitted(const QString &name, const QPointF &origin, const QSizeF &scale)
{
    QTransform t;
    t.translate(origin.x(), origin.y());
    t.scale(scale.width() / 100.0, scale.height() / 100.0);
    return t.map(designPath(name));
}

QPainterPath BubbleOutline::ellipse(const QRectF &box)
{
    QPainterPath path;
    path.addEllipse(box);
    return path;
}

QPainterPath BubbleOutline::rotated(const QPainterPath &path, const QPointF &centre, double degrees)
{
    if (degrees == 0.0)
        return path;
    QTransform t;
    return DataCentre::transformRotatingAroundPoint(centre, degrees, t).map(path);
}

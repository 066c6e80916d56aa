#include "model/BubbleOutline.h"

#include <QTransform>
#include <cmath>

QPainterPath BubbleOutline::designPath(const QString &name)
{
    // Stand-in until the shared shape outlines land: the shapes graphics use most.
    QPainterPath path;
    if (name == QLatin1String("circle")) {
        path.addEllipse(QRectF(10, 10, 80, 80));
    } else if (name == QLatin1String("rectangle") || name == QLatin1String("square")) {
        path.addRect(QRectF(10, 10, 80, 80));
    } else if (name == QLatin1String("star")) {
        for (int i = 0; i < 10; ++i) {
            const double radius = i % 2 == 0 ? 50.0 : 30.0;
            const double angle = M_PI / 2 + i * M_PI / 5;
            const QPointF p(50 + radius * std::cos(angle), 100 - (50 + radius * std::sin(angle)));
            i == 0 ? path.moveTo(p) : path.lineTo(p);
        }
        path.closeSubpath();
    }
    return path;
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
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    t.translate(-centre.x(), -centre.y());
    return t.map(path);
}

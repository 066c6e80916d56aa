#include "model/SKTCircle.h"

#include "model/GraphicPainter.h"
#include "model/SKTRectangle.h"

QPainterPath SKTCircle::oval() const
{
    QPainterPath path;
    path.addEllipse(bounds());
    return path;
}

QPainterPath SKTCircle::bezierPathForDrawing(GraphicPainter &)
{
    return oval();
}

void SKTCircle::drawContents(GraphicPainter &painter, bool)
{
    SKTRectangle::drawShape(*this, painter, oval());
}

bool SKTCircle::isContentsUnderPoint(const QPointF &point)
{
    return oval().contains(point);
}

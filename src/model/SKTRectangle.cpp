#include "model/SKTRectangle.h"

#include "model/GraphicPainter.h"

QPainterPath SKTRectangle::bezierPathForDrawing(GraphicPainter &)
{
    QPainterPath path;
    path.addRoundedRect(bounds(), cornerRadius(), cornerRadius());
    return path;
}

void SKTRectangle::drawContents(GraphicPainter &painter, bool)
{
    drawShape(*this, painter, bezierPathForDrawing(painter));
}

void SKTRectangle::drawShape(SKTGraphic &graphic, GraphicPainter &painter, const QPainterPath &path)
{
    if (graphic.isDrawingFill() && graphic.fillColor().isValid())
        painter.fillPath(path, GraphicPainter::withAlpha(graphic.fillColor(), graphic.opacity()));
    if (graphic.isDrawingStroke() && graphic.strokeWidth() > 0) {
        const QColor stroke = graphic.strokeColor().isValid() ? graphic.strokeColor() : QColor(Qt::black);
        painter.strokePath(path, QPen(GraphicPainter::withAlpha(stroke, graphic.opacity()), graphic.strokeWidth()));
    }
}

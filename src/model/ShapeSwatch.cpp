#include "model/ShapeSwatch.h"

#include "model/GraphicPainter.h"

QPainterPath ShapeSwatch::bezierPathForDrawing(const ShapeSelectionView &swatch, GraphicPainter &painter)
{
    if (swatch.shadowFlag)
        painter.setShadow(GraphicShadow{QColor(Qt::black), 3.0, QPointF(0, 2)});

    QPainterPath path;
    const QRectF bounds(QPointF(0, 0), swatch.frame.size());
    path.addRoundedRect(bounds, swatch.cornerRadius, swatch.cornerRadius);

    const double width = swatch.borderWidth;
    if (swatch.borderStyle == QLatin1String("solid")) {
        QPen pen(swatch.borderColor, width);
        painter.strokePath(path, pen);
    } else if (swatch.borderStyle == QLatin1String("dashed")) {
        painter.strokePath(path, GraphicPainter::dashedPen(swatch.borderColor, width, {5, 5}, 5.0));
    } else if (swatch.borderStyle == QLatin1String("dotted")) {
        painter.strokePath(path, GraphicPainter::dashedPen(swatch.borderColor, width, {3, 1}, 3.0));
    }

    if (swatch.isDrawingFill) {
        // A clear fill stays clear whatever the opacity.
        const QColor fill = GraphicPainter::withAlpha(swatch.fillColor, swatch.opacity);
        painter.fillPath(path, fill);
    }

    if (swatch.shadowFlag)
        painter.clearShadow();
    return path;
}

#pragma once
// Rectangles and circles are reachable only through the document's scripting
// collections; they draw their shape path filled and stroked with the
// graphic's fill and stroke settings.
#include "model/SKTGraphic.h"

class SKTRectangle : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("SKTRectangle"); }
    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;

    // Plain values the scripting side may set; the path does not use them.
    QString borderLine;
    float borderRed = 0, borderBlue = 0, borderGreen = 0;
    QString textLink;

    // Fills and strokes a shape path with the graphic's fill and stroke.
    static void drawShape(SKTGraphic &graphic, GraphicPainter &painter, const QPainterPath &path);
};

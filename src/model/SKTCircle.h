#pragma once
// The oval inscribed in the bounds; see SKTRectangle.
#include "model/SKTGraphic.h"

class SKTCircle : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("SKTCircle"); }
    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;
    bool isContentsUnderPoint(const QPointF &point) override;

private:
    QPainterPath oval() const;
};

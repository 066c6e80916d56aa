#pragma once
// Drawing of a preset shape swatch (ShapeSelectionView): a rounded rectangle
// over the swatch's own bounds with its border, fill and optional shadow.
#include "config/ShapeSelectionView.h"

#include <QPainterPath>

class GraphicPainter;

class ShapeSwatch {
public:
    ShapeSwatch() = delete;
    // Draws the swatch at the painter's origin and returns its outline.
    static QPainterPath bezierPathForDrawing(const ShapeSelectionView &swatch, GraphicPainter &painter);
};

#pragma once
// The small marks the canvas draws over graphics: the check mark of a
// selected table cell and the previous/next arrows of a slideshow. Drawn as
// vectors so they stay sharp on paper and at any zoom.
#include <QRectF>
#include <QString>

class QPainter;

class CanvasIcons {
public:
    static void drawCheckMark(QPainter &painter, const QRectF &rect);
    // Forward arrow points right, the other left.
    static void drawArrow(QPainter &painter, const QRectF &rect, bool forward);
    // The caption bar of galleries and slideshows: white centred text on half-transparent black.
    static void drawCaption(QPainter &painter, const QRectF &rect, const QString &text);
};

#pragma once
// Bringing a page's design onto its canvas after the canvas took another
// size (a new print template, a card's fold): when any piece lies beyond the
// new canvas, the whole design (the old canvas and whatever stood beyond it)
// is scaled down evenly to fit, centred across and at the top, so that its
// pieces keep their places to one another and none is cut off or lost. A
// design that already fits is left where it is.
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

class SKTDocument;

class CanvasFit {
public:
    // A point p of the design goes to p * scale + offset.
    struct Placement {
        double scale = 1.0;
        QPointF offset;
        QRectF map(const QRectF &rect) const;
    };

    // The placement that brings pieces (the union of the pieces' frames) inside
    // a canvas of size canvas, for a design laid out on previousCanvas (empty
    // when unknown); nothing when the pieces lie inside already.
    static std::optional<Placement> placementFor(const QRectF &pieces, const QSizeF &previousCanvas,
                                                 const QSizeF &canvas);

    // Places the page's graphics inside its canvas (pageCanvasSize) as above,
    // text sizes scaled with their frames. Not an undoable step: the canvas
    // change that called for it is none either. Answers whether anything moved.
    static bool bringInside(SKTDocument &document, const QSizeF &previousCanvas);
};

#pragma once
// The drawing surface every graphic kind draws on: a QPainter (on a widget,
// a QImage, a QPrinter or a QPdfWriter) plus the state the kinds share while
// they draw - above all a "current shadow" that stays in force for every
// fill, stroke, picture or text drawn until it is switched off, so that a
// kind can cast one shadow under its shape and its text alike.
#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <functional>
#include <optional>

struct GraphicShadow {
    QColor color;
    double blurRadius = 0.0;
    QPointF offset; // canvas pixels, y down
    bool isActive() const { return color.alpha() > 0 && (blurRadius > 0.0 || !offset.isNull()); }
};

class GraphicPainter {
public:
    explicit GraphicPainter(QPainter &painter);

    QPainter &painter() const { return *qp; }

    // Editing aids (dashed guides, captions, arrows of slideshows, the outline
    // of base-template texts) are drawn on the canvas only, not on paper.
    bool editingAids() const { return aids; }
    void setEditingAids(bool on) { aids = on; }

    void setShadow(const GraphicShadow &shadow) { current = shadow; }
    void clearShadow() { current = GraphicShadow{}; }
    const GraphicShadow &shadow() const { return current; }

    void fillPath(const QPainterPath &path, const QBrush &brush);
    void strokePath(const QPainterPath &path, const QPen &pen);
    // `source` empty means the whole picture.
    void drawImage(const QRectF &target, const QImage &image, double opacity = 1.0,
                   QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver,
                   const QRectF &source = {});
    // Runs `operation` on the painter, first casting the current shadow of
    // whatever it paints. localBounds (in the painter's current coordinates)
    // must cover the painting.
    void paint(const QRectF &localBounds, const std::function<void(QPainter &)> &operation);

    // Pens of the border styles: "solid" at `width`; "dashed" with dashes of
    // 3 x width and "dotted" of width, both at phase 1; none for any other
    // style. Lengths are canvas pixels whatever the width.
    static std::optional<QPen> borderPen(const QString &style, double width, const QColor &color);
    static QPen dashedPen(const QColor &color, double width, const QList<qreal> &dashesInPixels, double phase);

    // Colour with its alpha replaced (the fill and border colours of the kinds
    // carry the graphic's opacity); a fully clear colour stays clear.
    static QColor withAlpha(const QColor &color, double alpha);

private:
    void castShadow(const QRectF &localBounds, const std::function<void(QPainter &)> &operation);

    QPainter *qp;
    GraphicShadow current;
    bool aids = true;
};

#pragma once
// A uniform-grid index of graphics by bounds, so overlap questions about one
// rectangle look only at the graphics near it instead of the whole page. The
// canvas keeps one per page and updates it when a graphic's bounds change;
// with it, moving a selection costs time linear in the page.
#include <QHash>
#include <QList>
#include <QRectF>

class SKTGraphic;

class GraphicSpatialIndex {
public:
    explicit GraphicSpatialIndex(double cellSize = 128.0);

    void clear();
    void insert(SKTGraphic *graphic);
    void remove(SKTGraphic *graphic);
    // Call after the graphic's bounds changed.
    void update(SKTGraphic *graphic);
    // Adds the graphic at rect, or moves it there: for graphics kept by a
    // rectangle other than their bounds.
    void place(SKTGraphic *graphic, const QRectF &rect);
    bool contains(SKTGraphic *graphic) const { return m_rects.contains(graphic); }
    qsizetype size() const { return m_rects.size(); }

    // The indexed graphics whose bounds intersect rect (with a non-empty
    // area), other than except; each once, in no particular order.
    QList<SKTGraphic *> graphicsIntersecting(const QRectF &rect, const SKTGraphic *except = nullptr) const;

    // The indexed graphics in the cells rect touches, whatever their area:
    // a superset of those meeting it, each once. A query wider than the
    // index answers every graphic.
    QList<SKTGraphic *> graphicsNear(const QRectF &rect) const;

private:
    struct CellRange {
        qint64 x0, y0, x1, y1;
    };
    CellRange cellsOf(const QRectF &rect) const;
    static quint64 key(qint64 x, qint64 y);
    static bool isLarge(const CellRange &range);
    void add(SKTGraphic *graphic, const QRectF &rect);
    void drop(SKTGraphic *graphic, const QRectF &rect);

    double m_cellSize;
    QHash<quint64, QList<SKTGraphic *>> m_cells;
    QHash<SKTGraphic *, QRectF> m_rects;
    QList<SKTGraphic *> m_large;
};

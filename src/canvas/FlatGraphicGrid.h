#pragma once
// Graphics without area (horizontal and vertical lines, empty boxes), which an
// area index never answers, kept in cells of their own so that a query finds
// those near it without visiting every one of them on a large page.
#include <QHash>
#include <QList>
#include <QRectF>
#include <QSet>

class SKTGraphic;

class FlatGraphicGrid {
public:
    void clear();
    bool isEmpty() const { return m_rects.isEmpty(); }
    bool contains(SKTGraphic *graphic) const { return m_rects.contains(graphic); }
    // Adds the graphic at rect, or moves it there.
    void insert(SKTGraphic *graphic, const QRectF &rect);
    void remove(SKTGraphic *graphic);
    // The graphics in the cells rect touches (a superset of those meeting it).
    QList<SKTGraphic *> near(const QRectF &rect) const;

private:
    static constexpr double kCell = 128.0;
    static constexpr qint64 kMaxCells = 1024;
    struct Range {
        qint64 x0, y0, x1, y1;
        qint64 count() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
    };
    static Range cellsOf(const QRectF &rect);
    static quint64 key(qint64 x, qint64 y);
    void add(SKTGraphic *graphic, const Range &range);
    void drop(SKTGraphic *graphic, const Range &range);
    QHash<SKTGraphic *, QRectF> m_rects;
    QHash<quint64, QList<SKTGraphic *>> m_cells;
    // Graphics spanning too many cells: every query looks at them.
    QSet<SKTGraphic *> m_long;
};

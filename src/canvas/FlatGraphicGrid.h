#pragma once
// Graphics without area (horizontal and vertical lines, empty boxes), which an
// area index never answers, kept in cells of their own so that a query finds
// those near it without visiting every one of them on a large page.
#include "model/GraphicSpatialIndex.h"

#include <QList>
#include <QRectF>

class SKTGraphic;

class FlatGraphicGrid {
public:
    void clear() { m_index.clear(); }
    bool isEmpty() const { return m_index.size() == 0; }
    bool contains(SKTGraphic *graphic) const { return m_index.contains(graphic); }
    // Adds the graphic at rect, or moves it there.
    void insert(SKTGraphic *graphic, const QRectF &rect) { m_index.place(graphic, rect); }
    void remove(SKTGraphic *graphic) { m_index.remove(graphic); }
    // The graphics in the cells rect touches (a superset of those meeting it).
    QList<SKTGraphic *> near(const QRectF &rect) const { return m_index.graphicsNear(rect); }

private:
    GraphicSpatialIndex m_index;
};

#include "model/GraphicSpatialIndex.h"

#include "model/Geometry.h"
#include "model/SKTGraphic.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace {
// A graphic covering more cells than this is kept on a short list that every
// query checks, so one huge graphic cannot make the index huge.
constexpr qint64 kMaxCells = 1024;
} // namespace

GraphicSpatialIndex::GraphicSpatialIndex(double cellSize) : m_cellSize(cellSize > 1.0 ? cellSize : 1.0) {}

void GraphicSpatialIndex::clear()
{
    m_cells.clear();
    m_rects.clear();
    m_large.clear();
}

GraphicSpatialIndex::CellRange GraphicSpatialIndex::cellsOf(const QRectF &r) const
{
    auto cell = [this](double v) {
        const double c = std::floor(v / m_cellSize);
        return qint64(std::isfinite(c) ? std::clamp(c, -1e9, 1e9) : 0.0);
    };
    // A rectangle of negative width or height covers the same cells as its
    // normalised self.
    return CellRange{cell(std::min(r.left(), r.right())), cell(std::min(r.top(), r.bottom())),
                     cell(std::max(r.left(), r.right())), cell(std::max(r.top(), r.bottom()))};
}

quint64 GraphicSpatialIndex::key(qint64 x, qint64 y)
{
    return (quint64(quint32(qint32(x))) << 32) | quint32(qint32(y));
}

bool GraphicSpatialIndex::isLarge(const CellRange &c)
{
    return (c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1) > kMaxCells;
}

void GraphicSpatialIndex::add(SKTGraphic *graphic, const QRectF &rect)
{
    const CellRange c = cellsOf(rect);
    if (isLarge(c)) {
        m_large.append(graphic);
        return;
    }
    for (qint64 x = c.x0; x <= c.x1; ++x)
        for (qint64 y = c.y0; y <= c.y1; ++y)
            m_cells[key(x, y)].append(graphic);
}

void GraphicSpatialIndex::drop(SKTGraphic *graphic, const QRectF &rect)
{
    const CellRange c = cellsOf(rect);
    if (isLarge(c)) {
        m_large.removeOne(graphic);
        return;
    }
    for (qint64 x = c.x0; x <= c.x1; ++x) {
        for (qint64 y = c.y0; y <= c.y1; ++y) {
            auto it = m_cells.find(key(x, y));
            if (it == m_cells.end())
                continue;
            it->removeOne(graphic);
            if (it->isEmpty())
                m_cells.erase(it);
        }
    }
}

void GraphicSpatialIndex::insert(SKTGraphic *graphic)
{
    if (!graphic || m_rects.contains(graphic))
        return;
    const QRectF r = graphic->bounds();
    m_rects.insert(graphic, r);
    add(graphic, r);
}

void GraphicSpatialIndex::remove(SKTGraphic *graphic)
{
    const auto it = m_rects.find(graphic);
    if (it == m_rects.end())
        return;
    drop(graphic, it.value());
    m_rects.erase(it);
}

void GraphicSpatialIndex::update(SKTGraphic *graphic)
{
    const auto it = m_rects.find(graphic);
    if (it == m_rects.end())
        return;
    const QRectF now = graphic->bounds();
    if (now == it.value())
        return;
    drop(graphic, it.value());
    it.value() = now;
    add(graphic, now);
}

void GraphicSpatialIndex::place(SKTGraphic *graphic, const QRectF &rect)
{
    if (!graphic)
        return;
    const auto it = m_rects.find(graphic);
    if (it != m_rects.end()) {
        if (it.value() == rect)
            return;
        drop(graphic, it.value());
        it.value() = rect;
    } else {
        m_rects.insert(graphic, rect);
    }
    add(graphic, rect);
}

QList<SKTGraphic *> GraphicSpatialIndex::graphicsNear(const QRectF &rect) const
{
    const CellRange c = cellsOf(rect);
    const qint64 cells = (c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1);
    if (isLarge(c) || cells > m_rects.size())
        return m_rects.keys();
    QList<SKTGraphic *> found = m_large;
    QSet<SKTGraphic *> seen(m_large.cbegin(), m_large.cend());
    for (qint64 x = c.x0; x <= c.x1; ++x)
        for (qint64 y = c.y0; y <= c.y1; ++y) {
            const auto it = m_cells.constFind(key(x, y));
            if (it == m_cells.constEnd())
                continue;
            for (SKTGraphic *g : it.value())
                if (!seen.contains(g)) {
                    seen.insert(g);
                    found.append(g);
                }
        }
    return found;
}

QList<SKTGraphic *> GraphicSpatialIndex::graphicsIntersecting(const QRectF &rect, const SKTGraphic *except) const
{
    QList<SKTGraphic *> found;
    if (Geometry::isEmpty(rect))
        return found;
    QSet<SKTGraphic *> seen;
    for (SKTGraphic *g : m_large) {
        seen.insert(g);
        if (g != except && Geometry::intersects(m_rects.value(g), rect))
            found.append(g);
    }
    CellRange c = cellsOf(rect);
    // A huge query rectangle only needs the occupied cells it touches.
    if (isLarge(c)) {
        for (auto it = m_rects.constBegin(); it != m_rects.constEnd(); ++it) {
            if (it.key() != except && !seen.contains(it.key()) && Geometry::intersects(it.value(), rect))
                found.append(it.key());
        }
        return found;
    }
    for (qint64 x = c.x0; x <= c.x1; ++x) {
        for (qint64 y = c.y0; y <= c.y1; ++y) {
            const auto it = m_cells.constFind(key(x, y));
            if (it == m_cells.constEnd())
                continue;
            for (SKTGraphic *g : it.value()) {
                if (g == except || seen.contains(g))
                    continue;
                seen.insert(g);
                if (Geometry::intersects(m_rects.value(g), rect))
                    found.append(g);
            }
        }
    }
    return found;
}

#include "canvas/FlatGraphicGrid.h"

#include <algorithm>
#include <cmath>

FlatGraphicGrid::Range FlatGraphicGrid::cellsOf(const QRectF &r)
{
    auto cell = [](double v) {
        const double c = std::floor(v / kCell);
        return qint64(std::isfinite(c) ? std::clamp(c, -1e9, 1e9) : 0.0);
    };
    return Range{cell(std::min(r.left(), r.right())), cell(std::min(r.top(), r.bottom())),
                 cell(std::max(r.left(), r.right())), cell(std::max(r.top(), r.bottom()))};
}

quint64 FlatGraphicGrid::key(qint64 x, qint64 y)
{
    return (quint64(quint32(qint32(x))) << 32) | quint32(qint32(y));
}

void FlatGraphicGrid::clear()
{
    m_rects.clear();
    m_cells.clear();
    m_long.clear();
}

void FlatGraphicGrid::add(SKTGraphic *graphic, const Range &c)
{
    if (c.count() > kMaxCells) {
        m_long.insert(graphic);
        return;
    }
    for (qint64 x = c.x0; x <= c.x1; ++x)
        for (qint64 y = c.y0; y <= c.y1; ++y)
            m_cells[key(x, y)].append(graphic);
}

void FlatGraphicGrid::drop(SKTGraphic *graphic, const Range &c)
{
    if (c.count() > kMaxCells) {
        m_long.remove(graphic);
        return;
    }
    for (qint64 x = c.x0; x <= c.x1; ++x)
        for (qint64 y = c.y0; y <= c.y1; ++y) {
            auto it = m_cells.find(key(x, y));
            if (it == m_cells.end())
                continue;
            it->removeOne(graphic);
            if (it->isEmpty())
                m_cells.erase(it);
        }
}

void FlatGraphicGrid::insert(SKTGraphic *graphic, const QRectF &rect)
{
    const auto it = m_rects.constFind(graphic);
    if (it != m_rects.constEnd()) {
        if (*it == rect)
            return;
        drop(graphic, cellsOf(*it));
    }
    m_rects.insert(graphic, rect);
    add(graphic, cellsOf(rect));
}

void FlatGraphicGrid::remove(SKTGraphic *graphic)
{
    const auto it = m_rects.find(graphic);
    if (it == m_rects.end())
        return;
    drop(graphic, cellsOf(*it));
    m_rects.erase(it);
}

QList<SKTGraphic *> FlatGraphicGrid::near(const QRectF &rect) const
{
    const Range c = cellsOf(rect);
    if (c.count() > kMaxCells || c.count() > m_rects.size())
        return m_rects.keys();
    QList<SKTGraphic *> found(m_long.cbegin(), m_long.cend());
    QSet<SKTGraphic *> seen = m_long;
    for (qint64 x = c.x0; x <= c.x1; ++x)
        for (qint64 y = c.y0; y <= c.y1; ++y) {
            const auto it = m_cells.constFind(key(x, y));
            if (it == m_cells.constEnd())
                continue;
            for (SKTGraphic *g : *it)
                if (!seen.contains(g)) {
                    seen.insert(g);
                    found.append(g);
                }
        }
    return found;
}

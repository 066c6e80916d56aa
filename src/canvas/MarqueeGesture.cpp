#include "canvas/MarqueeGesture.h"

#include "canvas/SKTGraphicView.h"
#include "model/SKTGraphic.h"

#include <cmath>

MarqueeGesture::MarqueeGesture(SKTGraphicView &view, const QPointF &press)
    : CanvasGesture(view), m_anchor(press), m_old(view.selectedGraphics())
{
}

MarqueeGesture::~MarqueeGesture()
{
    end();
}

void MarqueeGesture::drag(const QPointF &c)
{
    if (!std::isfinite(c.x()) || !std::isfinite(c.y()))
        return;
    const QRectF rect(std::min(m_anchor.x(), c.x()), std::min(m_anchor.y(), c.y()), std::fabs(c.x() - m_anchor.x()),
                      std::fabs(c.y() - m_anchor.y()));
    if (rect == m_view.marqueeSelectionBounds())
        return;
    m_view.setMarqueeSelectionBounds(rect);
    QSet<SKTGraphic *> next(m_old.cbegin(), m_old.cend());
    for (SKTGraphic *g : m_view.selectableGraphicsIntersectingRect(rect)) {
        if (next.contains(g))
            next.remove(g);
        else
            next.insert(g);
    }
    m_view.setSelectedGraphics(QList<SKTGraphic *>(next.cbegin(), next.cend()));
}

void MarqueeGesture::finish(const QPointF &)
{
    end();
}

void MarqueeGesture::cancel()
{
    end();
}

void MarqueeGesture::end()
{
    if (!m_open)
        return;
    m_open = false;
    m_view.setMarqueeSelectionBounds(QRectF());
}

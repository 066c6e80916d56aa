#include "canvas/MoveGesture.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"

#include <cmath>

MoveGesture::MoveGesture(SKTGraphicView &view, const QPointF &press) : CanvasGesture(view), m_last(press)
{
    const QList<SKTGraphic *> selection = view.selectedGraphics();
    // The peers are found once: the group numbers cannot change mid-drag.
    m_moving = view.withGroupPeers(selection);
    m_startBounds = SKTGraphic::boundsOfGraphics(selection);
    m_offset = press - m_startBounds.topLeft();
    if (view.document())
        view.document()->undoManager().beginUndoGrouping();
    if (view.rulersVisible)
        view.beginEchoingMoveToRulers(m_startBounds);
}

MoveGesture::~MoveGesture()
{
    end();
}

void MoveGesture::drag(const QPointF &point)
{
    QPointF c = point;
    if (!m_isMoving) {
        if (std::fabs(c.x() - m_last.x()) < kThreshold && std::fabs(c.y() - m_last.y()) < kThreshold)
            return;
        m_isMoving = true;
        m_view.setHidingHandles(true);
    }
    if (SKTGrid *grid = m_view.grid())
        c = grid->constrainedPoint(c - m_offset) + m_offset;
    if (c != m_last) {
        const QPointF delta = c - m_last;
        SKTGraphic::translateGraphics(m_moving, delta.x(), delta.y());
        m_view.pasteCascadeDelta += delta;
        m_view.continueEchoingMoveToRulers(QRectF(c - m_offset, m_startBounds.size()));
        m_moved = true;
    }
    m_last = c;
}

void MoveGesture::finish(const QPointF &)
{
    end();
}

void MoveGesture::cancel()
{
    end();
}

void MoveGesture::end()
{
    if (!m_open)
        return;
    m_open = false;
    m_view.lastTouchPointValue = m_last;
    m_view.stopEchoingMoveToRulers();
    if (m_isMoving)
        m_view.setHidingHandles(false);
    if (SKTDocument *document = m_view.document()) {
        if (m_moved)
            m_view.nameUndoAction(QStringLiteral("Move"));
        document->undoManager().endUndoGrouping();
    }
}

#include "canvas/ResizeGesture.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"

ResizeGesture::ResizeGesture(SKTGraphicView &view, SKTGraphic &graphic, int handle)
    : CanvasGesture(view), m_graphic(&graphic), m_handle(handle)
{
    if (view.document())
        view.document()->undoManager().beginUndoGrouping();
    if (view.rulersVisible)
        view.beginEchoingMoveToRulers(graphic.bounds());
}

ResizeGesture::~ResizeGesture()
{
    end();
}

void ResizeGesture::drag(const QPointF &point)
{
    QPointF c = point;
    if (!std::isfinite(c.x()) || !std::isfinite(c.y()))
        return;
    if (SKTGrid *grid = m_view.grid())
        c = grid->constrainedPoint(c);
    const QRectF before = m_graphic->bounds();
    m_handle = m_graphic->resizeByMovingHandle(m_handle, c);
    if (m_graphic->bounds() != before)
        m_resized = true;
    m_view.continueEchoingMoveToRulers(m_graphic->bounds());
}

void ResizeGesture::finish(const QPointF &)
{
    end();
}

void ResizeGesture::cancel()
{
    end();
}

void ResizeGesture::end()
{
    if (!m_open)
        return;
    m_open = false;
    m_view.stopEchoingMoveToRulers();
    if (SKTDocument *document = m_view.document()) {
        if (m_resized)
            m_view.nameUndoAction(QStringLiteral("Resize"));
        document->undoManager().endUndoGrouping();
    }
}

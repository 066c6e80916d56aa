#pragma once
// One mouse gesture on the canvas, from the press to the release: a move,
// a resize or a marquee. Each gesture is one undo step: it opens an undo
// group when it starts and closes it when it ends, whether by a release or
// by being cut short (Escape, focus lost, a release that never came).
#include <QPointF>

class SKTGraphicView;

class CanvasGesture {
public:
    explicit CanvasGesture(SKTGraphicView &view) : m_view(view) {}
    virtual ~CanvasGesture() = default;
    CanvasGesture(const CanvasGesture &) = delete;
    CanvasGesture &operator=(const CanvasGesture &) = delete;

    virtual void drag(const QPointF &point) = 0;
    // The button went up at point.
    virtual void finish(const QPointF &point) = 0;
    // Cut short: what was done so far stays, as one step.
    virtual void cancel() = 0;

protected:
    SKTGraphicView &m_view;
};

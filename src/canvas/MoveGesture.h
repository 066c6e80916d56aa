#pragma once
// Moves the selection (and the other members of its groups) with the mouse.
// Nothing moves until the pointer has gone 2 points from the press; with a
// snapping grid the selection's top-left corner follows the lattice.
#include "canvas/CanvasGesture.h"

#include <QList>
#include <QRectF>

class SKTGraphic;

class MoveGesture : public CanvasGesture {
public:
    MoveGesture(SKTGraphicView &view, const QPointF &press);
    ~MoveGesture() override;
    void drag(const QPointF &point) override;
    void finish(const QPointF &point) override;
    void cancel() override;

    static constexpr double kThreshold = 2.0;

private:
    void end();

    QList<SKTGraphic *> m_moving;
    QRectF m_startBounds;
    QPointF m_offset;
    QPointF m_last;
    bool m_isMoving = false;
    bool m_moved = false;
    bool m_open = true;
};

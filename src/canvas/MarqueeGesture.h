#pragma once
// Draws the rubber band: the graphics it touches swap their selection state
// relative to the selection at the press.
#include "canvas/CanvasGesture.h"

#include <QList>
#include <QSet>

class SKTGraphic;

class MarqueeGesture : public CanvasGesture {
public:
    MarqueeGesture(SKTGraphicView &view, const QPointF &press);
    ~MarqueeGesture() override;
    void drag(const QPointF &point) override;
    void finish(const QPointF &point) override;
    void cancel() override;

private:
    void end();

    QPointF m_anchor;
    QList<SKTGraphic *> m_old;
    bool m_open = true;
};

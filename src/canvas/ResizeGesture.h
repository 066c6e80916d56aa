#pragma once
// Resizes one graphic by one of its handles; the handle may change when the
// graphic flips over. Points snap to the grid when it constrains.
#include "canvas/CanvasGesture.h"

#include <cmath>

#include <memory>

class SKTGraphic;

class ResizeGesture : public CanvasGesture {
public:
    ResizeGesture(SKTGraphicView &view, SKTGraphic &graphic, int handle);
    ~ResizeGesture() override;
    void drag(const QPointF &point) override;
    void finish(const QPointF &point) override;
    void cancel() override;

private:
    void end();

    SKTGraphic *m_graphic;
    int m_handle;
    bool m_resized = false;
    bool m_open = true;
};

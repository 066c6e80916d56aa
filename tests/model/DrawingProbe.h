#pragma once
// Renders small scenes offscreen and answers questions about pixels.
#include "model/GraphicRenderer.h"
#include "model/SKTGraphic.h"

#include <QImage>
#include <QRect>
#include <memory>
#include <vector>

inline QImage renderScene(const QList<SKTGraphic *> &graphics, QSize size = {200, 200},
                          const RenderOptions &options = GraphicRenderer::paperOptions())
{
    return GraphicRenderer::renderImage(graphics, size, Qt::white, 1.0, options);
}

inline QImage renderOne(SKTGraphic &graphic, QSize size = {200, 200},
                        const RenderOptions &options = GraphicRenderer::paperOptions())
{
    return renderScene({&graphic}, size, options);
}

// Pixels in the area that differ clearly from white.
inline int inkIn(const QImage &image, const QRect &area)
{
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 235 || c.green() < 235 || c.blue() < 235)
                ++count;
        }
    return count;
}

// First row (from the top) of the area holding ink, -1 when none.
inline int firstInkRow(const QImage &image, const QRect &area)
{
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        if (inkIn(image, QRect(r.left(), y, r.width(), 1)) > 0)
            return y;
    return -1;
}

inline bool near(const QColor &a, const QColor &b, int tolerance = 8)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

#include "model/GraphicRenderer.h"

#include "model/GraphicPainter.h"
#include "model/SKTGraphic.h"
#include "model/ShadowBlur.h"

#include <QDebug>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <exception>

void GraphicRenderer::render(QPainter &painter, const QList<SKTGraphic *> &graphics, const RenderOptions &options)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (qsizetype i = graphics.size() - 1; i >= 0; --i) {
        SKTGraphic *graphic = graphics.at(i);
        if (!graphic)
            continue;
        // Shadows may fall beyond the drawing bounds by their blur and offset.
        const double shadow = ShadowBlur::reach(std::max(double(graphic->shadowRadius()), 3.0))
                              + std::fabs(graphic->shadowHorizontalOffset())
                              + std::fabs(graphic->shadowVerticalOffset()) + 2.0;
        const QRectF reach = graphic->drawingBounds().adjusted(-shadow, -shadow, shadow, shadow);
        if (!options.exposed.isEmpty() && !reach.intersects(options.exposed))
            continue;
        painter.save();
        painter.setClipRect(reach, Qt::IntersectClip);
        GraphicPainter gp(painter);
        gp.setEditingAids(options.editingAids);
        try {
            graphic->drawContents(gp, graphic == options.beingEdited);
        } catch (const std::exception &error) {
            // One faulty graphic must not stop the page from drawing.
            qWarning("Drawing %s failed: %s", qPrintable(graphic->className()), error.what());
        }
        painter.restore();
    }
    for (const SKTGraphic *selected : options.selection) {
        if (!selected || !graphics.contains(const_cast<SKTGraphic *>(selected)))
            continue;
        painter.save();
        const_cast<SKTGraphic *>(selected)->drawHandles(painter);
        painter.restore();
    }
    painter.restore();
}

QImage GraphicRenderer::renderImage(const QList<SKTGraphic *> &graphics, const QSize &canvasSize,
                                    const QColor &background, double scale, const RenderOptions &options)
{
    const QSize pixels = (QSizeF(canvasSize) * scale).toSize();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(background.isValid() ? background : QColor(Qt::transparent));
    QPainter painter(&image);
    painter.scale(scale, scale);
    render(painter, graphics, options);
    return image;
}

bool GraphicRenderer::renderPdf(const QList<SKTGraphic *> &graphics, const QSizeF &canvasSize, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(canvasSize, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    render(painter, graphics, paperOptions());
    return painter.end();
}

bool GraphicRenderer::renderFitted(QPaintDevice &device, const QList<SKTGraphic *> &graphics, const QSizeF &canvasSize,
                                   const RenderOptions &options)
{
    if (canvasSize.isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = std::min(device.width() / canvasSize.width(), device.height() / canvasSize.height());
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(QPointF(0, 0), canvasSize));
    render(painter, graphics, options);
    return painter.end();
}

SKTGraphic *GraphicRenderer::graphicAt(const QList<SKTGraphic *> &graphics, const QPointF &point)
{
    for (SKTGraphic *graphic : graphics) {
        if (!graphic)
            continue;
        // Every kind answers no outside its bounds grown by its border (lines
        // reach that far), so the full test runs only near the graphic.
        const double reach = std::max(graphic->borderWidth(), 1) + 1.0;
        if (!graphic->bounds().adjusted(-reach, -reach, reach, reach).contains(point))
            continue;
        if (graphic->isContentsUnderPoint(point))
            return graphic;
    }
    return nullptr;
}

RenderOptions GraphicRenderer::paperOptions()
{
    RenderOptions options;
    options.editingAids = false;
    return options;
}

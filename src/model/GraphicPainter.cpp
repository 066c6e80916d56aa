#include "model/GraphicPainter.h"

#include "model/ShadowBlur.h"

#include <QPaintDevice>
#include <cmath>

GraphicPainter::GraphicPainter(QPainter &painter) : qp(&painter) {}

void GraphicPainter::fillPath(const QPainterPath &path, const QBrush &brush)
{
    if (path.isEmpty())
        return;
    paint(path.boundingRect(), [&](QPainter &p) { p.fillPath(path, brush); });
}

void GraphicPainter::strokePath(const QPainterPath &path, const QPen &pen)
{
    if (path.isEmpty())
        return;
    const double half = std::max(pen.widthF(), 1.0) / 2.0 + 1.0;
    paint(path.boundingRect().adjusted(-half, -half, half, half), [&](QPainter &p) { p.strokePath(path, pen); });
}

void GraphicPainter::drawImage(const QRectF &target, const QImage &image, double opacity,
                               QPainter::CompositionMode mode, const QRectF &source)
{
    if (image.isNull() || target.isEmpty())
        return;
    paint(target, [&](QPainter &p) {
        p.save();
        p.setOpacity(p.opacity() * opacity);
        p.setCompositionMode(mode);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(target, image, source.isEmpty() ? QRectF(image.rect()) : source);
        p.restore();
    });
}

void GraphicPainter::paint(const QRectF &localBounds, const std::function<void(QPainter &)> &operation)
{
    if (current.isActive() && !localBounds.isEmpty())
        castShadow(localBounds, operation);
    operation(*qp);
}

void GraphicPainter::castShadow(const QRectF &localBounds, const std::function<void(QPainter &)> &operation)
{
    // Blur and offset are canvas pixels: on a zoomed canvas or a printer page
    // they grow with the drawing.
    const QTransform world = qp->worldTransform();
    const double scale = std::sqrt(std::fabs(world.determinant()));
    const QPointF offset = world.map(current.offset) - world.map(QPointF(0, 0));
    const double blur = current.blurRadius * scale;
    const int32_t reach = ShadowBlur::reach(blur);
    QRectF area = world.mapRect(localBounds).adjusted(-reach, -reach, reach, reach);
    // Never build a layer larger than what can show on the device.
    const QPaintDevice *device = qp->device();
    const double dpr = device ? device->devicePixelRatioF() : 1.0;
    if (device) {
        const double margin = reach + std::fabs(offset.x()) + std::fabs(offset.y());
        area = area.intersected(QRectF(-margin, -margin, device->width() / dpr + 2 * margin,
                                       device->height() / dpr + 2 * margin));
    }
    if (area.isEmpty())
        return;
    // Very large shadows (a full page on a high-resolution printer) are
    // blurred at a lower resolution; a blurred edge loses nothing by it.
    constexpr double kMaxLayerPixels = 8.0e6;
    double resolution = dpr;
    const double pixelsAtFull = area.width() * area.height() * dpr * dpr;
    if (pixelsAtFull > kMaxLayerPixels)
        resolution = dpr * std::sqrt(kMaxLayerPixels / pixelsAtFull);
    // So are wide blurs: worked out at about 16 layer pixels of blur they look
    // the same, and a shadow as wide as a page costs what a small one does.
    constexpr double kFullResolutionBlur = 16.0;
    if (blur > kFullResolutionBlur)
        resolution = std::min(resolution, dpr * kFullResolutionBlur / blur);
    const QRect pixels = QRectF(area.topLeft() * resolution, area.size() * resolution).toAlignedRect();
    if (pixels.isEmpty())
        return;
    QImage layer(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHints(qp->renderHints());
        lp.setTransform(world * QTransform::fromScale(resolution, resolution)
                        * QTransform::fromTranslate(-pixels.x(), -pixels.y()));
        operation(lp);
    }
    const QImage shadowImage = ShadowBlur::shadowOf(layer, blur * resolution, current.color);
    qp->save();
    qp->resetTransform();
    qp->setCompositionMode(QPainter::CompositionMode_SourceOver);
    qp->setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRectF target(QPointF(pixels.x(), pixels.y()) / resolution + offset, QSizeF(pixels.size()) / resolution);
    qp->drawImage(target, shadowImage);
    qp->restore();
}

std::optional<QPen> GraphicPainter::borderPen(const QString &style, double width, const QColor &color)
{
    if (style == QLatin1String("solid")) {
        QPen pen(color, width);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }
    if (style == QLatin1String("dashed"))
        return dashedPen(color, width, {3 * width, 3 * width}, 1);
    if (style == QLatin1String("dotted"))
        return dashedPen(color, width, {width, width}, 1);
    return std::nullopt;
}

QPen GraphicPainter::dashedPen(const QColor &color, double width, const QList<qreal> &dashesInPixels, double phase)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    // Qt measures dashes in pen widths; a zero width draws one pixel wide.
    const double unit = width > 0 ? width : 1.0;
    QList<qreal> pattern;
    for (qreal length : dashesInPixels)
        pattern.append(std::max(length, 0.01) / unit);
    pen.setDashPattern(pattern);
    pen.setDashOffset(phase / unit);
    return pen;
}

QColor GraphicPainter::withAlpha(const QColor &color, double alpha)
{
    if (!color.isValid() || color.alpha() == 0)
        return QColor(Qt::transparent);
    QColor result = color;
    result.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return result;
}

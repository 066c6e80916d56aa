#include "model/ImageEffects.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

QImage ImageEffects::addReflection(const QImage &picture, double fraction)
{
    if (picture.isNull() || !(fraction > 0.0))
        return picture;
    // Stored pages can carry values above 1; a reflection taller than the
    // picture itself is not meaningful, so it is capped rather than refused.
    fraction = std::min(fraction, 1.0);
    const int w = picture.width();
    const int h = picture.height();
    const int total = int((fraction + 1.0) * h);
    QImage result(w, total, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter p(&result);
    const QRect strip(0, h, w, total - h);
    QLinearGradient gradient(0, h, 0, total);
    gradient.setColorAt(0, QColor(255, 255, 255, 51));
    gradient.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(strip, gradient);
    p.save();
    p.setClipRect(strip);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.translate(0, 2.0 * h);
    p.scale(1, -1);
    p.drawImage(0, 0, picture);
    p.restore();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(0, 0, picture);
    p.end();
    return result;
}

QImage ImageEffects::maskBitmap(const QImage &mask, const QSize &size)
{
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    if (!mask.isNull() && !size.isEmpty()) {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRect(QPoint(0, 0), size), mask);
    }
    return canvas.convertToFormat(QImage::Format_Grayscale8);
}

QImage ImageEffects::applyMask(const QImage &picture, const QImage &mask)
{
    if (picture.isNull())
        return picture;
    const QImage grey = maskBitmap(mask, picture.size());
    QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        const uchar *m = grey.constScanLine(y);
        for (int x = 0; x < result.width(); ++x) {
            const QRgb px = line[x];
            const int k = m[x];
            // Premultiplied: every channel scales with the alpha.
            line[x] = qRgba(qRed(px) * k / 255, qGreen(px) * k / 255, qBlue(px) * k / 255, qAlpha(px) * k / 255);
        }
    }
    return result;
}

#include "model/SlideshowLayout.h"

#include "model/Geometry.h"

#include <QString>
#include <algorithm>

QRectF SlideshowLayout::slideFrame(int32_t index, const QSizeF &slideshowSize, const QSize &slideSize)
{
    // Truncated like the stored slot width, but saturated: a slideshow as wide
    // as anything a damaged file names must not wrap round.
    const int32_t x = Geometry::clampToInt(std::max(0.0, (slideshowSize.width() - slideSize.width()) / 2));
    const int32_t y = Geometry::clampToInt(std::max(0.0, (slideshowSize.height() - slideSize.height()) / 2));
    return {double(x) + double(index) * Geometry::clampToInt(slideshowSize.width()), double(y),
            double(slideSize.width()), double(slideSize.height())};
}

QRectF SlideshowLayout::nextArrowRect(const QRectF &bounds)
{
    return {bounds.right() - kArrowWidth, bounds.y() + bounds.height() / 2, double(kArrowWidth),
            double(kArrowHeight)};
}

QRectF SlideshowLayout::previousArrowRect(const QRectF &bounds)
{
    return {bounds.x(), bounds.y() + bounds.height() / 2, double(kArrowWidth), double(kArrowHeight)};
}

int32_t SlideshowLayout::clampIndex(int32_t index, int32_t count)
{
    if (count <= 0)
        return 0;
    return std::clamp(index, 0, count - 1);
}

QString SlideshowLayout::caption(int32_t currentIndex, int32_t count)
{
    if (count <= 0)
        return QStringLiteral("Right click to edit slideshow");
    return QStringLiteral("Right click to edit slideshow (%1/%2)").arg(std::min(count, currentIndex + 1)).arg(count);
}

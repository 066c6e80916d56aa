#include "model/GalleryLayout.h"

#include "model/Geometry.h"
#include "model/TableGeometry.h"

#include <algorithm>
#include <cmath>

GalleryLayout::GalleryLayout(const QRectF &bounds, int32_t numOfColumns, int32_t numOfRows, int32_t padding)
    : bounds(bounds), columns(numOfColumns), rows(numOfRows), padding(padding)
{
    cw = columns > 0 ? Geometry::clampToInt(bounds.width() / columns) : 0;
    ch = rows > 0 ? Geometry::clampToInt(bounds.height() / rows) : 0;
}

QRectF GalleryLayout::cellRect(int32_t row, int32_t column) const
{
    return {bounds.x() + double(column) * cw, bounds.y() + double(row) * ch, double(cw), double(ch)};
}

QPoint GalleryLayout::spotAt(int32_t x, int32_t y) const
{
    const QPoint none(TableGeometry::kNoSpot, TableGeometry::kNoSpot);
    if (rows < 1 || columns < 1 || cw <= 0 || ch <= 0)
        return none;
    const int32_t column = Geometry::clampToInt(std::floor((double(x) - bounds.x()) / cw));
    const int32_t row = Geometry::clampToInt(std::floor((double(y) - bounds.y()) / ch));
    if (column < 0 || column >= columns || row < 0 || row >= rows)
        return none;
    return {row, column};
}

QRectF GalleryLayout::pictureRect(int32_t row, int32_t column, int32_t pictureWidth, int32_t pictureHeight) const
{
    // 64 bits: a padding as large as the cell must not wrap round.
    const int32_t roomX = Geometry::saturate(int64_t(cw) - 2 * int64_t(padding));
    const int32_t roomY = Geometry::saturate(int64_t(ch) - 2 * int64_t(padding));
    const QSize fitted = TableGeometry::fitInto(roomX, roomY, pictureWidth, pictureHeight);
    if (fitted.isEmpty())
        return {};
    const int32_t dx = std::max(0, (roomX - fitted.width()) / 2);
    const int32_t dy = std::max(0, (roomY - fitted.height()) / 2);
    const QRectF cell = cellRect(row, column);
    return {cell.x() + padding + dx, cell.y() + padding + dy, double(fitted.width()), double(fitted.height())};
}

#pragma once
// Arithmetic of a gallery grid: equal cells over the bounds, the cell under a
// point, and where a picture sits inside its cell. Free of the graphic so it
// can be tested on plain numbers; guards every division.
#include <QPoint>
#include <QRectF>
#include <cstdint>

class GalleryLayout {
public:
    GalleryLayout(const QRectF &bounds, int32_t numOfColumns, int32_t numOfRows, int32_t padding);

    // Cell size, truncated; 0 in a direction with no columns (rows).
    int32_t cellWidth() const { return cw; }
    int32_t cellHeight() const { return ch; }
    QRectF cellRect(int32_t row, int32_t column) const;
    // (row, column) of the cell holding the point, half-open edges; (-99, -99) when none.
    QPoint spotAt(int32_t x, int32_t y) const;
    // Rectangle a picture of that pixel size is drawn in at the cell: fitted
    // inside the cell less the padding on every side and centred; empty when
    // the picture or the room left is empty.
    QRectF pictureRect(int32_t row, int32_t column, int32_t pictureWidth, int32_t pictureHeight) const;

private:
    QRectF bounds;
    int32_t columns;
    int32_t rows;
    int32_t padding;
    int32_t cw = 0;
    int32_t ch = 0;
};

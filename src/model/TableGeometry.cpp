#include "model/TableGeometry.h"

#include "model/Geometry.h"

#include <algorithm>
#include <cmath>

int32_t TableGeometry::totalSize(const QList<int32_t> &sizes, int32_t padding, int32_t borderWidth,
                                 double extraPx)
{
    // 64 bits throughout and saturated at the end: a hostile size, padding or
    // margin gives a huge total, never a wrapped one.
    const double gaps = double(sizes.size() + 1) * (double(padding) + double(borderWidth)) + extraPx;
    int64_t total = Geometry::clampToInt(std::trunc(gaps));
    for (int32_t size : sizes)
        total += size;
    return Geometry::saturate(total);
}

float TableGeometry::averageSize(const QList<int32_t> &sizes)
{
    float sum = 0.0f;
    for (int32_t size : sizes)
        sum += float(size);
    const qsizetype divisor = std::max<qsizetype>(sizes.size() - 1, 1);
    return sizes.isEmpty() ? 0.0f : sum / float(divisor);
}

QList<int32_t> TableGeometry::starts(const QList<int32_t> &sizes, int32_t origin, int32_t padding,
                                     int32_t borderWidth)
{
    QList<int32_t> result;
    result.reserve(sizes.size());
    const int64_t gap = int64_t(padding) + borderWidth;
    int64_t position = int64_t(origin) + gap;
    for (int32_t size : sizes) {
        result.append(Geometry::saturate(position));
        // Saturated as it goes, so the starts never wrap round and stay in order.
        position = Geometry::saturate(position + size + gap);
    }
    return result;
}

int32_t TableGeometry::spanAt(const QList<int32_t> &starts, const QList<int32_t> &sizes, int32_t coordinate)
{
    if (starts.isEmpty() || starts.size() != sizes.size())
        return kNoSpot;
    // Starts grow with the index (sizes are never negative), so the candidate
    // is the last span starting at or before the coordinate.
    auto it = std::upper_bound(starts.cbegin(), starts.cend(), coordinate);
    if (it == starts.cbegin())
        return kNoSpot;
    const auto index = int32_t(std::distance(starts.cbegin(), it) - 1);
    // Half-open: the right (bottom) edge belongs to whatever follows.
    return coordinate < int64_t(starts[index]) + sizes[index] ? index : kNoSpot;
}

int32_t TableGeometry::spreadStep(int32_t requested, int32_t total, int32_t changeableCount)
{
    return changeableCount >= 1 ? Geometry::saturate((int64_t(requested) - total) / changeableCount) : 0;
}

int32_t TableGeometry::applySpreadStep(int32_t size, int32_t step)
{
    if (step > 0)
        return Geometry::saturate(int64_t(size) + step);
    // A fast drag can ask for more than a cell has: it stops at nothing
    // rather than going negative, which would undo the grid's order.
    if (step < 0 && size >= kMinShrinkableSize)
        return Geometry::saturate(std::max<int64_t>(int64_t(size) + step, 0));
    return size;
}

QPoint TableGeometry::nextSpot(int32_t row, int32_t column, int32_t numOfColumns)
{
    if (column < numOfColumns - 1)
        return {row, column + 1};
    return {row + 1, 0};
}

int32_t TableGeometry::cellsToEnd(int32_t row, int32_t column, int32_t numOfRows, int32_t numOfColumns)
{
    return Geometry::saturate(int64_t(numOfRows) * numOfColumns - (int64_t(row) * numOfColumns + column));
}

QSize TableGeometry::fitInto(int32_t boxWidth, int32_t boxHeight, int32_t pictureWidth, int32_t pictureHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {0, 0};
    const double ratio = double(pictureWidth) / double(pictureHeight);
    const double heightAtFullWidth = double(boxWidth) / ratio;
    if (heightAtFullWidth <= double(boxHeight))
        return {boxWidth, int32_t(heightAtFullWidth)};
    return {int32_t(ratio * double(boxHeight)), boxHeight};
}

#pragma once
// What a page can hold: the range of every number that enters a graphic from
// outside (a pasted clipboard payload, a page being loaded, a value typed
// into the inspector). One table, beside the attribute defaults, so that the
// same number is accepted or cut back the same way whichever way it came in.
// Within these ranges no geometry sum of the model overflows.
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>

class GraphicLimits {
public:
    GraphicLimits() = delete;

    // Positions and sizes on the canvas, in pixels (both signs for positions).
    static constexpr double kMaxCoordinate = 100000.0;
    // Border widths, paddings, margins, radii, blur and shadow offsets.
    static constexpr double kMaxLength = 10000.0;
    // Rows or columns of a grid, as the insertion and grid editors allow.
    static constexpr int kMaxGridCount = 1000;
    // Members one composite may list (cells, pictures, slides): a full grid.
    static constexpr int kMaxListLength = kMaxGridCount * kMaxGridCount;

    struct Range {
        double low;
        double high;
    };
    // The range of a numeric key, or none for keys that only name or flag
    // something (identifiers, tags, flags), which keep the int32 range.
    static std::optional<Range> rangeOf(const QString &key);

    // The value cut back into the key's range; none for NaN and infinities,
    // which fall back to the key's default wherever they are read.
    static std::optional<double> clamp(const QString &key, double value);
    // The same with the default given: what the inspector stores for a typed value.
    static double clamp(const QString &key, double value, double fallback);
    // Every rectangle and point of a graphic lies on the canvas.
    static QRectF clampRect(const QRectF &rect);
    static QPointF clampPoint(const QPointF &point);
    static double clampCoordinate(double value);
};

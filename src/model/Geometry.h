#pragma once
// Rectangle and point rules that stored pages and hit-testing rely on. They
// follow the original canvas rather than Qt's own conventions: a point on the
// right or bottom edge is outside, and an empty rectangle (zero or negative
// width or height) adds nothing to a union.
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>

class Geometry {
public:
    Geometry() = delete;

    static bool isEmpty(const QRectF &r);
    // Half-open: min <= p < max on both axes.
    static bool pointInRect(const QPointF &p, const QRectF &r);
    // Union that ignores empty rectangles; two empty ones give the zero rectangle.
    static QRectF unionRect(const QRectF &a, const QRectF &b);
    // True when inner is not empty and lies entirely inside outer (edges may touch).
    static bool containsRect(const QRectF &outer, const QRectF &inner);
    // True when the two overlap with a non-empty area.
    static bool intersects(const QRectF &a, const QRectF &b);
    static QRectF intersection(const QRectF &a, const QRectF &b);
    // Grows the rectangle by dx, dy on each side (negative shrinks).
    static QRectF inset(const QRectF &r, double dx, double dy);

    // Text forms "{{x, y}, {w, h}}" and "{x, y}"; C locale, shortest exact digits.
    static QString rectToString(const QRectF &r);
    static QString pointToString(const QPointF &p);
    // Tolerant readers: any four (two) numbers in the string; otherwise zero.
    static QRectF rectFromString(const QString &s);
    static QPointF pointFromString(const QString &s);

    // Float-to-int conversion of parsed values, clamped to the int32 range
    // first (NaN gives 0), so a stored huge number cannot overflow.
    static int32_t clampToInt(double v);
    // A 64-bit sum or product cut back to the int32 range: the grid and
    // layout arithmetic works in 64 bits and stores through this.
    static int32_t saturate(int64_t v);
    // The same for 32-bit floats: out-of-range values become the largest float.
    static float clampToFloat(double v);
};

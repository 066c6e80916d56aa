#include "model/GraphicLimits.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kCoordinate = GraphicLimits::kMaxCoordinate;
constexpr double kLength = GraphicLimits::kMaxLength;
constexpr double kGrid = GraphicLimits::kMaxGridCount;
// -99 marks "no cell" in every grid spot.
constexpr double kNoSpot = -99.0;

struct Limit {
    const char *key;
    GraphicLimits::Range range;
};

// Keys of graphics and of their carriers share names, so one entry serves both.
constexpr Limit kLimits[] = {
    // Positions on the canvas.
    {"originX", {-kCoordinate, kCoordinate}},
    {"originY", {-kCoordinate, kCoordinate}},
    {"bottomEdgeY", {-kCoordinate, kCoordinate}},
    // Sizes of cells, pictures and slides.
    {"width", {0, kCoordinate}},
    {"height", {0, kCoordinate}},
    {"originalWidth", {0, kCoordinate}},
    {"originalHeight", {0, kCoordinate}},
    {"slideWidth", {0, kCoordinate}},
    {"textHeight", {0, kCoordinate}},
    // Counts and spots of grids.
    {"numOfRows", {0, kGrid}},
    {"numOfColumns", {0, kGrid}},
    {"rowSpot", {kNoSpot, kGrid}},
    {"columnSpot", {kNoSpot, kGrid}},
    {"sectionRowSpot", {kNoSpot, kGrid}},
    {"sectionColumnSpot", {kNoSpot, kGrid}},
    {"xsGridColumns", {0, kGrid}},
    {"smallGridColumns", {0, kGrid}},
    {"mediumGridColumns", {0, kGrid}},
    {"largeGridColumns", {0, kGrid}},
    {"totalNumofSlide", {0, GraphicLimits::kMaxListLength}},
    {"totalNumOfSlides", {0, GraphicLimits::kMaxListLength}},
    // Widths, paddings, margins, radii and blur.
    {"borderWidth", {0, kLength}},
    {"strokeWidth", {0, kLength}},
    {"padding", {0, kLength}},
    {"topPadding", {0, kLength}},
    {"bottomPadding", {0, kLength}},
    {"leftPadding", {0, kLength}},
    {"rightPadding", {0, kLength}},
    {"topMargin", {0, kLength}},
    {"bottomMargin", {0, kLength}},
    {"leftMargin", {0, kLength}},
    {"rightMargin", {0, kLength}},
    {"cornerRadius", {0, kLength}},
    {"tableCellCornerRadius", {0, kLength}},
    {"shadowRadius", {0, kLength}},
    {"shadowHorizontalOffset", {-kLength, kLength}},
    {"shadowVerticalOffset", {-kLength, kLength}},
    {"arrowWidth", {0, kLength}},
    {"arrowHeight", {0, kLength}},
    // Box-model pixel values a carrier keeps: a percentage of a canvas size.
    {"topPaddingInPx", {0, kLength * kCoordinate / 100}},
    {"bottomPaddingInPx", {0, kLength * kCoordinate / 100}},
    {"leftPaddingInPx", {0, kLength * kCoordinate / 100}},
    {"rightPaddingInPx", {0, kLength * kCoordinate / 100}},
    {"topMarginInPx", {0, kLength * kCoordinate / 100}},
    {"bottomMarginInPx", {0, kLength * kCoordinate / 100}},
    {"leftMarginInPx", {0, kLength * kCoordinate / 100}},
    {"rightMarginInPx", {0, kLength * kCoordinate / 100}},
    // Text.
    {"fontSize", {0, kLength}},
    {"fontPointSize", {0, kLength}},
    {"lineSpacing", {0, 100}},
    // Transparency and reflection.
    {"opacity", {0, 1}},
    {"alphaValue", {0, 1}},
    {"alpha", {0, 1}},
    {"reflection", {0, 1}},
    // Angles: any finite turn, kept to a hundred turns either way.
    {"rotationAngle", {-36000, 36000}},
};

const QHash<QString, GraphicLimits::Range> &table()
{
    static const QHash<QString, GraphicLimits::Range> byKey = [] {
        QHash<QString, GraphicLimits::Range> h;
        for (const Limit &limit : kLimits)
            h.insert(QLatin1String(limit.key), limit.range);
        return h;
    }();
    return byKey;
}
} // namespace

std::optional<GraphicLimits::Range> GraphicLimits::rangeOf(const QString &key)
{
    const auto &limits = table();
    const auto it = limits.constFind(key);
    if (it == limits.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<double> GraphicLimits::clamp(const QString &key, double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (const auto range = rangeOf(key))
        return std::clamp(value, range->low, range->high);
    return value;
}

double GraphicLimits::clamp(const QString &key, double value, double fallback)
{
    return clamp(key, value).value_or(fallback);
}

double GraphicLimits::clampCoordinate(double value)
{
    return std::isfinite(value) ? std::clamp(value, -kMaxCoordinate, kMaxCoordinate) : 0.0;
}

QRectF GraphicLimits::clampRect(const QRectF &rect)
{
    return {clampCoordinate(rect.x()), clampCoordinate(rect.y()), clampCoordinate(rect.width()),
            clampCoordinate(rect.height())};
}

QPointF GraphicLimits::clampPoint(const QPointF &point)
{
    return {clampCoordinate(point.x()), clampCoordinate(point.y())};
}

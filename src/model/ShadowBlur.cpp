#include "model/ShadowBlur.h"

#include "model/Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Box sizes of three passes approximating a Gaussian of the given sigma.
std::array<int, 3> boxRadii(double sigma)
{
    const double ideal = std::sqrt(12.0 * sigma * sigma / 3.0 + 1.0);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double m = std::round((12.0 * sigma * sigma - 3.0 * lower * lower - 12.0 * lower - 9.0)
                                / (-4.0 * lower - 4.0));
    std::array<int, 3> radii{};
    for (int i = 0; i < 3; ++i)
        radii[size_t(i)] = std::max(0, ((i < m ? lower : upper) - 1) / 2);
    return radii;
}

// One running-sum pass along `count` lines of `length` samples each.
void boxPass(uchar *data, int length, int count, qsizetype step, qsizetype lineStep, int radius,
             std::vector<uchar> &scratch)
{
    if (radius <= 0 || length <= 0)
        return;
    scratch.resize(size_t(length));
    const int window = 2 * radius + 1;
    for (int line = 0; line < count; ++line) {
        uchar *p = data + line * lineStep;
        for (int i = 0; i < length; ++i)
            scratch[size_t(i)] = p[i * step];
        int sum = 0;
        // Samples beyond the edges count as transparent.
        for (int i = 0; i <= std::min(radius, length - 1); ++i)
            sum += scratch[size_t(i)];
        for (int i = 0; i < length; ++i) {
            p[i * step] = uchar((sum + window / 2) / window);
            const int add = i + radius + 1;
            const int drop = i - radius;
            if (add < length)
                sum += scratch[size_t(add)];
            if (drop >= 0)
                sum -= scratch[size_t(drop)];
        }
    }
}

} // namespace

int32_t ShadowBlur::reach(double blurRadius)
{
    if (!(blurRadius > 0))
        return 0;
    // No shadow reaches further than a picture can be wide; a stored radius
    // of 5e38 must not turn into an undefined conversion.
    return Geometry::clampToInt(std::ceil(std::min(blurRadius, kMaxRadius) * 1.5)) + 1;
}

void ShadowBlur::blur(QImage &channel, double blurRadius)
{
    if (!(blurRadius > 0) || channel.isNull())
        return;
    blurRadius = std::min(blurRadius, kMaxRadius);
    Q_ASSERT(channel.depth() == 8);
    const auto radii = boxRadii(blurRadius / 2.0);
    std::vector<uchar> scratch;
    uchar *bits = channel.bits();
    const qsizetype stride = channel.bytesPerLine();
    for (int radius : radii) {
        boxPass(bits, channel.width(), channel.height(), 1, stride, radius, scratch);
        boxPass(bits, channel.height(), channel.width(), stride, 1, radius, scratch);
    }
}

QImage ShadowBlur::shadowOf(const QImage &painted, double blurRadius, const QColor &color)
{
    QImage alpha = painted.convertToFormat(QImage::Format_Alpha8);
    blur(alpha, blurRadius);
    QImage shadow(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    const QRgb tint = color.rgba();
    const int a0 = qAlpha(tint);
    for (int y = 0; y < alpha.height(); ++y) {
        const uchar *src = alpha.constScanLine(y);
        auto *dst = reinterpret_cast<QRgb *>(shadow.scanLine(y));
        for (int x = 0; x < alpha.width(); ++x) {
            const int a = src[x] * a0 / 255;
            dst[x] = qPremultiply(qRgba(qRed(tint), qGreen(tint), qBlue(tint), a));
        }
    }
    return shadow;
}

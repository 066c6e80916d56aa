#pragma once
// Soft drop shadows for the renderer: the alpha of whatever was painted is
// blurred (three box passes, close to a Gaussian of sigma = radius / 2, the
// way a blur radius is usually read) and tinted with the shadow colour.
#include <QColor>
#include <QImage>

class ShadowBlur {
public:
    // Larger radii blur as much as this one: beyond it every picture is a haze.
    static constexpr double kMaxRadius = 1.0e6;
    // Pixels a shadow of this blur radius reaches beyond the shape.
    static int32_t reach(double blurRadius);
    // Blurs an 8-bit single-channel image (Alpha8 or Grayscale8) in place.
    static void blur(QImage &channel, double blurRadius);
    // The blurred alpha of `painted` (any format) filled with `color`, premultiplied ARGB.
    static QImage shadowOf(const QImage &painted, double blurRadius, const QColor &color);
};

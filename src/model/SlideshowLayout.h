#pragma once
// Arithmetic of a slideshow: slides stand side by side one slot (the
// slideshow's width) apart, each scaled by its longer side and centred in its
// slot; the arrows sit at the left and right edge at half height.
#include <QRectF>
#include <QSize>
#include <cstdint>

class SlideshowLayout {
public:
    static constexpr int32_t kArrowWidth = 40;
    static constexpr int32_t kArrowHeight = 50;

    // Frame of slide i inside a slideshow of that size, relative to its slot row.
    static QRectF slideFrame(int32_t index, const QSizeF &slideshowSize, const QSize &slideSize);
    static QRectF nextArrowRect(const QRectF &bounds);
    static QRectF previousArrowRect(const QRectF &bounds);
    // Index kept within 0 .. count - 1 (0 for no slides).
    static int32_t clampIndex(int32_t index, int32_t count);
    // "Right click to edit slideshow (n/m)" or, with no slides, without the count.
    static QString caption(int32_t currentIndex, int32_t count);
};

#pragma once
// Picture effects of image graphics: the fading mirror reflection below a
// picture, and the grey-scale mask (white shows the picture, black hides it).
#include <QImage>

class ImageEffects {
public:
    // The picture with a reflection of `fraction` of its height below it,
    // fading from 20 % white-weighted alpha to nothing. Fractions are clamped
    // to (0, 1]; 0 or less returns the picture itself.
    static QImage addReflection(const QImage &picture, double fraction);
    // Greyscale8 image of the given size holding the mask drawn over black.
    static QImage maskBitmap(const QImage &mask, const QSize &size);
    // The picture with its alpha multiplied by the mask's grey.
    static QImage applyMask(const QImage &picture, const QImage &mask);
};

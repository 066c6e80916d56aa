#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
// Images are QImages in pixels; rectangles and points use the program's
// y-down coordinates (origin top-left).
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <cstdint>

class DataCentreImages {
public:
    // The quality used when a caller asks for the encoder's default (a
    // factor of 0 or of 1 and above): high enough to look lossless on a page.
    static constexpr int kDefaultJpegQuality = 92;
    // The most memory one decoded image may take, in megabytes.
    static constexpr int kImageAllocationLimitMB = 1024;

    // JPEG data of the image. A factor of 0, or 1 and above, means the
    // default quality; a factor below 1 is the quality (0.7 -> 70). Empty
    // data for a null image.
    static QByteArray JPEGRepresentationOfImage(const QImage &image, float compressionFactor);
    static int jpegQualityForFactor(float compressionFactor);
    static QByteArray PNGRepresentationOfImage(const QImage &image);

    // Width n, height in proportion (whole numbers; a zero side counts as 1).
    static QSizeF returnNewSizeMatchWidthRegardlessOfHeight(const QSizeF &size, int32_t width);
    // The longer side becomes n, the other in proportion (whole numbers; a
    // zero side counts as 1). Smaller sizes are scaled up too.
    static QSizeF returnNewSizeWithWidth(const QSizeF &size, int32_t longestSide);

    // A copy drawn at the given pixel size with smooth filtering; a zero
    // width or height keeps the source's size. A null image when the source
    // is null or the copy cannot be made (too large): the caller must not
    // store anything in its place. The source is never changed.
    static QImage imageWithImage(const QImage &image, const QSizeF &scaledToSize);

    // Reads an image file, decoded directly at a smaller size when it is
    // larger than maxSize in either direction (JPEGs then decode at a
    // fraction of the cost); proportions kept. A null image when the file
    // cannot be read or is past the allocation limit.
    static QImage readImage(const QString &path, const QSize &maxSize = QSize());
    // Reads an image file straight at the given pixel size (JPEGs decode at
    // the nearest larger fraction first); a null image as above.
    static QImage readImageAtSize(const QString &path, const QSize &size);

    // The source rectangle of the image drawn into the target rectangle of a
    // new transparent image of the target's size.
    static QImage cropImage(const QImage &image, const QRectF &sourceRect, const QRectF &targetRect);

    // The image turned about its centre by the angle in degrees; positive
    // angles turn counter-clockwise as seen on screen. Multiples of 90 give a
    // tight canvas; other angles a square canvas of the longer side plus 20.
    static QImage rotateImage(const QImage &image, float degrees);

    // Paints the colour over the covered pixels of the image, keeping its
    // transparency, and returns the same image; an invalid colour leaves it.
    static QImage &imageTintedWithColor(QImage &image, const QColor &color);

    // Turns the transform about the point by the angle in degrees (in the
    // y-down canvas a positive angle turns clockwise on screen); returns it.
    static QTransform &transformRotatingAroundPoint(const QPointF &point, double degrees, QTransform &transform);
};

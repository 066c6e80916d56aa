#include "config/DataCentreImages.h"

#include <QBuffer>
#include <QDebug>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// 1 GiB of 32-bit pixels (16384 x 16384).
constexpr qint64 kMaxScaledBytes = qint64(1) << 30;

QByteArray encode(const QImage &image, const char *format, int quality)
{
    if (image.isNull())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    // JPEG has no alpha: flatten onto white rather than the encoder's black.
    QImage source = image;
    if (qstrcmp(format, "jpeg") == 0 && image.hasAlphaChannel()) {
        source = QImage(image.size(), QImage::Format_RGB32);
        source.setDevicePixelRatio(image.devicePixelRatio());
        source.fill(Qt::white);
        QPainter painter(&source);
        painter.drawImage(0, 0, image);
    }
    if (!writer.write(source)) {
        qWarning() << "image encoding failed:" << writer.errorString();
        return {};
    }
    return data;
}

// Reads the file at the size `choose` picks from the picture's size as shown
// (after its orientation tag); an invalid or empty choice reads it whole.
// The decoder then works at a reduced size where it can (JPEG).
QImage readScaled(const QString &path, const std::function<QSize(const QSize &)> &choose)
{
    QImageReader::setAllocationLimit(DataCentreImages::kImageAllocationLimitMB);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    QSize shown = reader.size();
    if (turned)
        shown.transpose();
    QSize wanted = choose(shown);
    if (wanted.isValid() && !wanted.isEmpty()) {
        if (turned)
            wanted.transpose();
        reader.setScaledSize(wanted);
    }
    QImage image = reader.read();
    if (image.isNull())
        qWarning() << "cannot read image" << path << reader.errorString();
    return image;
}

int32_t wholeSide(double side)
{
    const auto whole = int32_t(side);
    return whole == 0 ? 1 : whole;
}

} // namespace

int DataCentreImages::jpegQualityForFactor(float compressionFactor)
{
    if (compressionFactor == 0.0f || compressionFactor >= 1.0f)
        return kDefaultJpegQuality;
    return std::clamp(int(std::lround(compressionFactor * 100.0f)), 1, 100);
}

QByteArray DataCentreImages::JPEGRepresentationOfImage(const QImage &image, float compressionFactor)
{
    return encode(image, "jpeg", jpegQualityForFactor(compressionFactor));
}

QByteArray DataCentreImages::PNGRepresentationOfImage(const QImage &image)
{
    return encode(image, "png", -1);
}

QSizeF DataCentreImages::returnNewSizeMatchWidthRegardlessOfHeight(const QSizeF &size, int32_t width)
{
    const int64_t w = wholeSide(size.width());
    const int64_t h = wholeSide(size.height());
    // 64-bit products: large sides times large targets stay exact.
    return QSizeF(width, double(h * width / w));
}

QSizeF DataCentreImages::returnNewSizeWithWidth(const QSizeF &size, int32_t longestSide)
{
    const int64_t w = wholeSide(size.width());
    const int64_t h = wholeSide(size.height());
    if (w < h)
        return QSizeF(double(w * longestSide / h), longestSide);
    return QSizeF(longestSide, double(h * longestSide / w));
}

QImage DataCentreImages::imageWithImage(const QImage &image, const QSizeF &scaledToSize)
{
    if (image.isNull())
        return {};
    QSize target(int(float(scaledToSize.width())), int(float(scaledToSize.height())));
    if (target.width() == 0 || target.height() == 0)
        target = image.size();
    if (target.width() < 0 || target.height() < 0)
        return {};
    // A size past any picture a page shows is refused before memory is asked for.
    if (qint64(target.width()) * target.height() * 4 > kMaxScaledBytes) {
        qWarning() << "image scaling to" << target << "refused: too large";
        return {};
    }
    const QImage scaled = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        qWarning() << "image scaling to" << target << "failed";
    return scaled;
}

QImage DataCentreImages::readImage(const QString &path, const QSize &maxSize)
{
    return readScaled(path, [&maxSize](const QSize &shown) {
        if (!maxSize.isValid() || maxSize.isEmpty() || !shown.isValid()
            || (shown.width() <= maxSize.width() && shown.height() <= maxSize.height()))
            return QSize();
        return shown.scaled(maxSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    });
}

QImage DataCentreImages::readImageAtSize(const QString &path, const QSize &size)
{
    return readScaled(path, [&size](const QSize &) { return size; });
}

QImage DataCentreImages::cropImage(const QImage &image, const QRectF &sourceRect, const QRectF &targetRect)
{
    const QSize size = targetRect.size().toSize();
    if (size.isEmpty())
        return {};
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    if (!image.isNull()) {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(targetRect, image, sourceRect);
    }
    return result;
}

QImage DataCentreImages::rotateImage(const QImage &image, float degrees)
{
    const float a = float(std::fmod(double(degrees), 360.0));
    const double w = image.width();
    const double h = image.height();
    QSizeF canvas;
    if (a == 90 || a == -90 || a == 270 || a == -270)
        canvas = QSizeF(h, w);
    else if (a == 180 || a == -180)
        canvas = QSizeF(w, h);
    else
        canvas = QSizeF(std::max(w, h) + 20, std::max(w, h) + 20);
    QImage result(canvas.toSize(), QImage::Format_ARGB32_Premultiplied);
    if (result.isNull())
        return {};
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(canvas.width() / 2, canvas.height() / 2);
    // Counter-clockwise on screen: with y growing downwards that is a
    // negative turn.
    painter.rotate(-a);
    painter.drawImage(QPointF(-w / 2, -h / 2), image);
    return result;
}

QImage &DataCentreImages::imageTintedWithColor(QImage &image, const QColor &color)
{
    if (!color.isValid() || image.isNull())
        return image;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(image.rect(), color);
    return image;
}

QTransform &DataCentreImages::transformRotatingAroundPoint(const QPointF &point, double degrees,
                                                           QTransform &transform)
{
    transform.translate(point.x(), point.y());
    transform.rotate(degrees);
    transform.translate(-point.x(), -point.y());
    return transform;
}

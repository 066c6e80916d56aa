#include "model/SKTImage.h"

#include "config/DataCentre.h"
#include "config/DataCentreImages.h"
#include "model/BubbleOutline.h"
#include "model/GraphicColours.h"
#include "model/GraphicPainter.h"
#include "model/ImageEffects.h"

#include <QBuffer>
#include <QDir>
#include <QtDebug>
#include <QImageReader>
#include <cmath>

namespace {
const QColor kDarkGrey(85, 85, 85);
constexpr int kImageAllocationLimitMb = 512;

} // namespace

SKTImage::SKTImage()
{
    // A new image belongs to no slideshow.
    setSlideShowNumber(-99);
}

std::unique_ptr<SKTGraphic> SKTImage::copy() const
{
    std::unique_ptr<SKTGraphic> c = SKTGraphic::copy();
    if (auto *image = dynamic_cast<SKTImage *>(c.get())) {
        // A picture still waiting stays waiting in the copy (it shares the
        // one decode); a shown picture is copied as shown.
        if (isPictureDecoded()) {
            image->m_contents = contents();
        } else {
            const QMutexLocker locker(&m_lock);
            image->m_source = m_source;
            image->m_pendingReflection = m_pendingReflection;
            image->m_pending.store(true, std::memory_order_release);
        }
        image->setSlideShowNumber(slideShowNumber());
    }
    return c;
}

bool SKTImage::setFilePath(const QString &path)
{
    QImageReader::setAllocationLimit(kImageAllocationLimitMb);
    QImageReader reader(QDir::cleanPath(path));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    setContents(image);
    return true;
}

void SKTImage::setContents(const QImage &image)
{
    decodePending();
    const QMutexLocker locker(&m_lock);
    m_source = LazyPicture();
    m_contents = image;
}

void SKTImage::setInputImage(const QImage &image)
{
    decodePending();
    const QMutexLocker locker(&m_lock);
    m_source = LazyPicture();
    m_inputImage = image;
}

void SKTImage::setPictureSource(const LazyPicture &picture)
{
    const QMutexLocker locker(&m_lock);
    m_source = picture;
    m_inputImage = picture.isDecoded() ? picture.image() : QImage();
    m_pendingReflection = clampedReflection();
    m_contents = m_pendingReflection > 0.0 ? ImageEffects::addReflection(m_inputImage, m_pendingReflection) : m_inputImage;
    m_pending.store(!picture.isDecoded(), std::memory_order_release);
}

void SKTImage::decodePending() const
{
    if (!m_pending.load(std::memory_order_acquire))
        return;
    const QMutexLocker locker(&m_lock);
    if (!m_pending.load(std::memory_order_relaxed))
        return; // another thread decoded it while this one waited
    m_inputImage = m_source.image();
    m_contents = m_pendingReflection > 0.0 ? ImageEffects::addReflection(m_inputImage, m_pendingReflection) : m_inputImage;
    m_pending.store(false, std::memory_order_release);
}

void SKTImage::setMaskImage(const QImage &mask)
{
    if (mask.isNull() && m_maskImage.isNull())
        return;
    if (!mask.isNull() && mask.cacheKey() == m_maskImage.cacheKey())
        return;
    // Through the change path, so that the document records it for undo and redraws.
    const QImage old = m_maskImage;
    m_maskImage = mask;
    reportChange(QStringLiteral("maskImage"), old);
}

double SKTImage::clampedReflection() const
{
    const double r = reflection();
    return std::isfinite(r) ? std::clamp(r, 0.0, 1.0) : 0.0;
}

void SKTImage::makeNaturalSize()
{
    QRectF b = bounds();
    b.setSize(contents().size());
    setBounds(b);
    setFlippedHorizontally(false);
    setFlippedVertically(false);
}

void SKTImage::setBounds(const QRectF &b)
{
    SKTGraphic::setBounds(b);
    if (reflection() == 0.0)
        m_originalImageRect = bounds();
}

void SKTImage::updateOriginalRect()
{
    if (reflection() > 0.0) {
        QRectF r = bounds();
        r.setHeight(double(float(bounds().height() / (clampedReflection() + 1.0))));
        m_originalImageRect = r;
    }
}

void SKTImage::applyReflection()
{
    if (reflection() > 1.0)
        setReflection(1.0);
    decodePending();
    if (reflection() > 0.0) {
        m_contents = ImageEffects::addReflection(m_inputImage, clampedReflection());
        QRectF b = bounds();
        const double h = m_originalImageRect.height();
        b.setHeight(std::floor(h * clampedReflection() + h));
        setBounds(b);
    } else {
        m_contents = m_inputImage;
    }
}

QVariant SKTImage::value(const QString &key) const
{
    if (key == QLatin1String("flippedHorizontally"))
        return m_flippedHorizontally;
    if (key == QLatin1String("flippedVertically"))
        return m_flippedVertically;
    if (key == QLatin1String("bubbleFlag"))
        return m_bubbleFlag;
    if (key == QLatin1String("maskImage"))
        return m_maskImage;
    return SKTGraphic::value(key);
}

bool SKTImage::setValue(const QString &key, const QVariant &value)
{
    if (key == QLatin1String("flippedHorizontally")) {
        setFlippedHorizontally(value.toBool());
        return true;
    }
    if (key == QLatin1String("flippedVertically")) {
        setFlippedVertically(value.toBool());
        return true;
    }
    if (key == QLatin1String("maskImage")) {
        setMaskImage(value.value<QImage>());
        return true;
    }
    if (key == QLatin1String("bubbleFlag")) {
        setBubbleFlag(value.toInt());
        return true;
    }
    return SKTGraphic::setValue(key, value);
}

void SKTImage::writeProperties(GraphicProperties &p)
{
    SKTGraphic::writeProperties(p);
    // A picture as read travels as its bytes, so that copies and undo
    // records neither decode it nor lose that it is the one read.
    const LazyPicture source = pictureSource();
    if (source.isAsRead())
        source.write(p, QStringLiteral("contents"));
    else
        p.setImage(QStringLiteral("contents"), inputImage());
    p.setImage(QStringLiteral("maskImage"), m_maskImage);
    p.setFlag(QStringLiteral("flippedHorizontally"), m_flippedHorizontally);
    p.setFlag(QStringLiteral("flippedVertically"), m_flippedVertically);
    p.setString(QStringLiteral("imageName"), imageName().isNull() ? QStringLiteral("") : imageName());
    p.setString(QStringLiteral("imageType"), imageType().isNull() ? QStringLiteral("") : imageType());
    if (imageLastModDate().isValid())
        p.setDate(QStringLiteral("imageLastModDate"), imageLastModDate());
    else
        p.setString(QStringLiteral("imageLastModDate"), QStringLiteral(""));
    p.setIntString(QStringLiteral("slideShowNumber"), slideShowNumber());
    p.setFloatString(QStringLiteral("reflection"), reflection());
    p.setString(QStringLiteral("bubbleShape"), bubbleShape().isNull() ? QStringLiteral("") : bubbleShape());
    p.setIntString(QStringLiteral("bubbleFlag"), m_bubbleFlag);
}

void SKTImage::readProperties(const GraphicProperties &p)
{
    SKTGraphic::readProperties(p);
    LazyPicture read;
    read.read(p, QStringLiteral("contents"));
    const bool deferred = read.isAsRead();
    if (deferred) {
        // Set below, once the reflection it is shown with is known.
    } else if (!read.isNull()) {
        setInputImage(read.image());
    } else {
        // The picture already held is kept; the shown picture is rebuilt from it below.
        decodePending();
    }
    setMaskFlag(0);
    const QImage mask = p.image(QStringLiteral("maskImage"));
    if (!mask.isNull()) {
        m_maskImage = mask;
        setMaskFlag(1);
    }
    if (p.number(QStringLiteral("flippedHorizontally")))
        m_flippedHorizontally = p.flag(QStringLiteral("flippedHorizontally"), false);
    if (p.number(QStringLiteral("flippedVertically")))
        m_flippedVertically = p.flag(QStringLiteral("flippedVertically"), false);
    if (p.contains(QStringLiteral("imageName")))
        setImageName(p.string(QStringLiteral("imageName")));
    if (p.contains(QStringLiteral("imageType")))
        setImageType(p.string(QStringLiteral("imageType")));
    if (p.contains(QStringLiteral("imageLastModDate")))
        setImageLastModDate(p.date(QStringLiteral("imageLastModDate")));
    setRetinaFlag(p.integer(QStringLiteral("retinaFlag"), 0) == 1);
    // A stored reflection above 1 is capped instead of stopping the load.
    const double stored = p.number(QStringLiteral("reflection"), 0.0);
    setReflection(std::isfinite(stored) ? std::clamp(stored, 0.0, 1.0) : 0.0);
    if (deferred)
        setPictureSource(read);
    else
        m_contents = reflection() > 0.0 ? ImageEffects::addReflection(m_inputImage, reflection()) : m_inputImage;
    if (reflection() == 0.0) {
        m_originalImageRect = bounds();
    } else {
        QRectF r = bounds();
        r.setHeight(std::floor(bounds().height() / (reflection() + 1.0)));
        m_originalImageRect = r;
    }
    const QRectF focus = p.rect(QStringLiteral("focusRect"));
    if (p.contains(QStringLiteral("focusRect")) && !focus.isEmpty())
        m_focusRect = focus;
    m_bubbleFlag = p.integer(QStringLiteral("bubbleFlag"), 0);
    setBubbleShape(p.string(QStringLiteral("bubbleShape"), QStringLiteral("")));
}

QPainterPath SKTImage::bezierPathForDrawing(GraphicPainter &painter)
{
    if (borderWidth() > 0 && borderStyle() == QLatin1String("none"))
        setBorderStyle(QStringLiteral("solid"));
    const QPointF centre = bounds().center();
    QPainterPath path;
    path.addRect(drawRect());
    path = BubbleOutline::rotated(path, centre, rotationAngle());
    if (m_bubbleFlag == 1) {
        if (bubbleShape().isEmpty())
            setBubbleShape(QStringLiteral("circle"));
        if (bubbleShape() == QLatin1String("circle"))
            path = BubbleOutline::ellipse(drawRect());
        else
            path = BubbleOutline::rotated(
                BubbleOutline::fitted(bubbleShape(), drawRect().topLeft(), drawRect().size()), centre,
                rotationAngle());
    }
    if (shadowFlag() == 1)
        painter.setShadow({kDarkGrey, 3.0, QPointF(0, 2)});
    else if (shadowRadius() != 0)
        painter.setShadow({kDarkGrey, shadowRadius(), QPointF(shadowHorizontalOffset(), shadowVerticalOffset())});
    if (const auto pen = GraphicPainter::borderPen(borderStyle(), borderWidth(), GraphicColours::border(*this)))
        painter.strokePath(path, *pen);
    // With a border the shadow belongs to the border alone.
    if (shadowFlag() == 1 && borderWidth() > 0)
        painter.clearShadow();
    return path;
}

const QImage &SKTImage::maskedContents()
{
    // Masking is per pixel; keep the result while picture and mask stay the same.
    const QPair<qint64, qint64> key(m_contents.cacheKey(), m_maskImage.cacheKey());
    if (m_maskedKey != key || m_masked.isNull()) {
        m_masked = ImageEffects::applyMask(m_contents, m_maskImage);
        m_maskedKey = key;
    }
    return m_masked;
}

void SKTImage::drawContents(GraphicPainter &painter, bool)
{
    drawBoxModel();
    bezierPathForDrawing(painter);
    if (slideShowNumber() != -99 || contents().isNull())
        return;
    const QSizeF picture = m_contents.size();
    const QRectF content = contentRect();
    const double dx = std::fabs(std::trunc(shadowHorizontalOffset()));
    const double dy = std::fabs(std::trunc(shadowVerticalOffset()));
    const double drawWidth = content.width() - 2 * dx;
    const double drawHeight = content.height() - 2 * dy;
    if (drawWidth <= 0 || drawHeight <= 0)
        return;

    QPainter &p = painter.painter();
    p.save();
    const QPointF centre = bounds().center();
    p.translate(centre);
    p.rotate(rotationAngle());
    p.translate(-centre);
    p.translate(content.x() + shadowHorizontalOffset(), content.y() + shadowVerticalOffset());
    if (m_flippedHorizontally) {
        p.translate(drawWidth, 0);
        p.scale(-1, 1);
    }
    if (m_flippedVertically) {
        p.translate(0, drawHeight);
        p.scale(1, -1);
    }
    p.scale(drawWidth / picture.width(), drawHeight / picture.height());
    const QRectF whole(QPointF(0, 0), picture);
    if (m_bubbleFlag == 1) {
        const QPainterPath clip = bubbleShape() == QLatin1String("circle")
                                      ? BubbleOutline::ellipse(whole)
                                      : BubbleOutline::fitted(bubbleShape(), QPointF(0, 0), picture);
        p.setClipPath(clip, Qt::IntersectClip);
        painter.drawImage(whole, m_contents, opacity());
    } else if (!m_maskImage.isNull()) {
        // Drawing only reads: the mask and its flag are set together by whoever changes them.
        painter.drawImage(whole, maskedContents(), opacity());
    } else {
        painter.drawImage(whole, m_contents, opacity());
    }
    p.restore();
}

QStringList SKTImage::keyPathsForValuesAffectingDrawingContents() const
{
    return SKTGraphic::keyPathsForValuesAffectingDrawingContents()
        + QStringList { QStringLiteral("flippedHorizontally"), QStringLiteral("flippedVertically"),
              QStringLiteral("opacity"), QStringLiteral("shadowFlag"), QStringLiteral("reflection"),
              QStringLiteral("borderWidth"), QStringLiteral("borderHexColorString"), QStringLiteral("borderStyle") };
}

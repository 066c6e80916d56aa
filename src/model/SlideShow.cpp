#include "model/SlideShow.h"

#include "config/DataCentre.h"
#include "model/SKTGraphic.h"
#include "platform/UserDefaults.h"

#include <QDebug>
#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

SlideShow::SlideShow(const QRectF &frame, SKTGraphic *container) : slideshowSize(frame), m_container(container)
{
    totalNumofSlides = int32_t(imageArray.size());
    adjustButtons();
    reAlignImageSize();
}

QRectF SlideShow::nextButtonFrame() const
{
    const QRectF b = bounds();
    return QRectF(b.right() - kArrowWidth, b.y() + b.height() / 2, kArrowWidth, kArrowHeight);
}

QRectF SlideShow::previousButtonFrame() const
{
    const QRectF b = bounds();
    return QRectF(b.x(), b.y() + b.height() / 2, kArrowWidth, kArrowHeight);
}

QString SlideShow::caption() const
{
    const auto count = int32_t(imageArray.size());
    return QStringLiteral("Right click to edit slideshow (%1/%2)").arg(std::min(count, slideNumber + 1)).arg(count);
}

void SlideShow::showNext()
{
    // The next button is hidden on the last slide; stay within the slides anyway.
    if (slideNumber + 1 >= imageArray.size())
        return;
    ++slideNumber;
    moveSlide(true);
}

void SlideShow::showPrevious()
{
    if (slideNumber <= 0)
        return;
    --slideNumber;
    moveSlide(false);
}

void SlideShow::moveSlide(bool)
{
    m_scrollX = std::max(0.0, std::trunc(slideNumber * slideshowSize.width()));
    adjustButtons();
}

void SlideShow::adjustButtons()
{
    const auto count = int32_t(imageArray.size());
    m_nextShown = count > 0 && slideNumber < count - 1;
    m_previousShown = count > 0 && slideNumber > 0;
}

void SlideShow::reAlignImageSize()
{
    adjustButtons();
    const double frameWidth = slideshowSize.width();
    const auto count = int32_t(imageArray.size());
    m_clipFrame = QRectF(0, 0, count * frameWidth, slideshowSize.height());
    const QRectF b = bounds();
    for (int32_t i = 0; i < count; ++i) {
        TransformView &slide = *imageArray[i];
        slide.slideWidth = int32_t(frameWidth);
        const QSizeF picture = slide.image.isNull() ? slide.frame.size() : QSizeF(slide.image.size());
        const QSizeF size = DataCentre::returnNewSizeWithWidth(picture, int32_t(b.width()));
        if (size != slide.frame.size())
            slide.imageLastModDate = QDateTime::currentDateTime();
        slide.frame = QRectF(std::max(0.0, (b.width() - size.width()) / 2) + i * frameWidth,
                             (b.height() - size.height()) / 2, size.width(), size.height());
    }
}

std::shared_ptr<TransformView> SlideShow::grabSlide(int32_t number) const
{
    for (const auto &slide : imageArray) {
        if (slide->slideNumber == number)
            return slide;
    }
    return nullptr;
}

QString SlideShow::imageTypeForExtension(const QString &extension)
{
    return extension == QLatin1String("png") || extension == QLatin1String("PNG") ? QStringLiteral("PNG")
                                                                                  : QStringLiteral("JPG");
}

std::shared_ptr<TransformView> SlideShow::createNewSlideshowImage(const QImage &image, const QString &imageType)
{
    if (image.isNull())
        return nullptr;
    const int32_t maxWidth = UserDefaults::standard().integerForKey(QStringLiteral("DovrinMaxImageSize"));
    double storedWidth = image.width();
    double factor = 1.0;
    if (maxWidth > 0 && image.width() > maxWidth) {
        storedWidth = maxWidth;
        factor = double(image.width()) / maxWidth;
    }
    auto slide = std::make_shared<TransformView>();
    slide->image = image;
    slide->imageName = m_container ? m_container->getNextImageName() : QString();
    slide->frame = QRectF(QPointF(0, 0), DataCentre::returnNewSizeWithWidth(QSizeF(image.size()), int32_t(slideshowSize.width())));
    slide->imageType = imageType;
    slide->borderWidth = 0;
    slide->borderStyle = QStringLiteral("none");
    slide->link = QLatin1String("");
    slide->retinaFlag = UserDefaults::standard().integerForKey(QStringLiteral("DovrinRetinaFlag")) != 0;
    slide->alpha = 1.0f;
    slide->scrollFlag = 0;
    slide->moveLock = false;
    if (imageArray.size() >= 2)
        moveSlide(true);

    // The full-size original beside the page, replaced when it exists.
    const QString folder = m_container ? m_container->getCurrentDocPath() : QString();
    if (!folder.isEmpty() && !slide->imageName.isEmpty()) {
        const QString path = QDir(folder).filePath(slide->imageName + QStringLiteral("o.") + imageType);
        const QImage scaled = DataCentre::imageWithImage(image, QSizeF(storedWidth, image.height() / factor));
        const QByteArray data = imageType == QLatin1String("JPG") ? DataCentre::JPEGRepresentationOfImage(scaled, 1.0f)
                                                                  : DataCentre::PNGRepresentationOfImage(scaled);
        QSaveFile file(path);
        if (scaled.isNull() || data.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(data) != data.size()
            || !file.commit())
            qWarning("could not write the slide original %s", qPrintable(path));
    }
    return slide;
}

void SlideShow::addNewSlide(const QImage &image, const QString &imageType)
{
    auto slide = createNewSlideshowImage(image, imageType);
    if (!slide)
        return;
    slideNumber = int32_t(imageArray.size());
    slide->slideNumber = slideNumber;
    imageArray.append(slide);
    reAlignImageSize();
    moveSlide(true);
}

void SlideShow::replaceCurrentSlide(const QImage &image, const QString &imageType)
{
    if (slideNumber < 0 || slideNumber >= imageArray.size())
        return;
    auto slide = createNewSlideshowImage(image, imageType);
    if (!slide)
        return;
    slide->slideNumber = slideNumber;
    imageArray[slideNumber] = slide;
    reAlignImageSize();
    moveSlide(true);
}

void SlideShow::deleteCurrentSlide()
{
    if (slideNumber < 0 || slideNumber >= imageArray.size())
        return;
    imageArray.removeAt(slideNumber);
    reAlignImageSize();
    if (slideNumber > 0) {
        showPrevious();
    } else {
        moveSlide(false);
    }
}

void SlideShow::linkCurrentSlide(const QString &link)
{
    if (slideNumber >= 0 && slideNumber < imageArray.size())
        imageArray[slideNumber]->link = link;
}

void SlideShow::switchSlideshowAsAutomatic()
{
    if (m_container)
        m_container->setSlideShowAutomaticFlag(m_container->slideShowAutomaticFlag() == 1 ? 0 : 1);
}

#include "insertion/ZoomBubbleMaker.h"

#include "config/DataCentreImages.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/ImageFactory.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionStep.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <QPainter>
#include <cmath>

ZoomBubbleMaker::Underneath ZoomBubbleMaker::grabImageUnderneath(const SKTGraphic &graphic)
{
    const SKTDocument &doc = m_frame.document();
    const qsizetype start = doc.indexOfGraphic(&graphic);
    if (start < 0)
        return {};
    const QRectF r = graphic.bounds();
    const QPointF touch = m_frame.context().lastTouchPoint();
    const auto &graphics = doc.graphics();
    for (qsizetype i = start; i < graphics.size(); ++i) {
        SKTGraphic *g = graphics.at(i).get();
        if (g == &graphic)
            continue;
        if (auto *image = dynamic_cast<SKTImage *>(g)) {
            if (image->bounds().intersects(r))
                return {image->contents(), image->bounds()};
        } else if (auto *gallery = dynamic_cast<SKTGalleryGrid *>(g)) {
            const auto item = gallery->grabImageSelected(int32_t(std::trunc(touch.x())), int32_t(std::trunc(touch.y())));
            if (item && item->galleryDimension.intersects(r))
                return {item->image, item->galleryDimension};
        }
    }
    return {};
}

bool ZoomBubbleMaker::shouldShowCreateZoomBubble()
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    if (selection.size() != 1)
        return false;
    auto *bubble = dynamic_cast<SKTText *>(selection.front());
    if (!bubble || bubble->zoomBubbleFlag() != 1 || bubble->width() < 1 || bubble->height() < 1)
        return false;
    return grabImageUnderneath(*bubble).found();
}

QImage ZoomBubbleMaker::magnify(const QImage &picture, const QRectF &shownAt, const QRectF &bubble)
{
    if (picture.isNull() || shownAt.width() <= 0 || shownAt.height() <= 0 || bubble.width() < 1
        || bubble.height() < 1)
        return {};
    const double sx = picture.width() / shownAt.width();
    const double sy = picture.height() / shownAt.height();
    const QRectF wanted(std::trunc(bubble.x() - shownAt.x()) * sx, std::trunc(bubble.y() - shownAt.y()) * sy,
                        std::trunc(bubble.width()) * sx, std::trunc(bubble.height()) * sy);
    const QRectF clamped = wanted.intersected(QRectF(QPointF(0, 0), picture.size()));
    const QSizeF outSize(3 * bubble.width(), 3 * bubble.height());
    if (clamped.isEmpty())
        return {};
    // The part of the bubble outside the picture stays transparent.
    const double kx = outSize.width() / wanted.width();
    const double ky = outSize.height() / wanted.height();
    const QRectF target((clamped.x() - wanted.x()) * kx, (clamped.y() - wanted.y()) * ky, clamped.width() * kx,
                        clamped.height() * ky);
    QImage out(outSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    const QImage part = DataCentreImages::cropImage(picture, clamped, QRectF(QPointF(0, 0), target.size()));
    QPainter painter(&out);
    painter.drawImage(target.topLeft(), part);
    painter.end();
    return out;
}

bool ZoomBubbleMaker::createZoomBubble()
{
    if (!shouldShowCreateZoomBubble())
        return false;
    auto *bubble = static_cast<SKTText *>(m_frame.context().selectedGraphics().front());
    return generateZoomBubble(bubble->cornerRadius() > 0 ? 1 : 0, bubble->bubbleShape());
}

bool ZoomBubbleMaker::generateZoomBubble(int32_t roundFlag, const QString &bubbleShape)
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    if (selection.isEmpty())
        return false;
    SKTGraphic *bubble = selection.front();
    const Underneath under = grabImageUnderneath(*bubble);
    if (!under.found())
        return false;
    const QRectF bb = bubble->bounds();
    const QImage magnified = magnify(under.picture, under.bounds, bb);
    if (magnified.isNull())
        return false;
    const int32_t limit = gMaxInsertedImageSize != 0 ? gMaxInsertedImageSize : 600;
    QSizeF display = magnified.size();
    if (display.width() > limit)
        display = QSizeF(limit, std::trunc(display.height() / (float(display.width()) / float(limit))));
    InsertionStep step(m_frame.document(), QStringLiteral("Create Zoom Bubble"));
    ImageInsertion in;
    in.picture = magnified;
    in.type = QStringLiteral("PNG");
    in.point = bb.topLeft();
    in.pixelSize = magnified.size();
    in.displaySize = display;
    in.borderStyle = QStringLiteral("solid");
    in.borderHexColorString = QStringLiteral("FFFFFF");
    in.borderWidth = 3;
    in.shadow = 1;
    in.bubbleFlag = roundFlag;
    in.bubbleShape = bubbleShape;
    in.frame = QRectF(bb.topLeft(), display);
    return ImageFactory(m_frame).addImageIntoArray(in) != nullptr;
}

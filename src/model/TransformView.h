#pragma once
// Carrier of one image: a top-level image while a page loads, and for their
// whole life the images of tables, gallery grids and the slides of slideshows.
#include "model/ElementCarrier.h"

#include <QList>

#define ZOV_TRANSFORMVIEW_FIELDS(X) \
    ZOV_CARRIER_PLACEMENT_FIELDS(X) \
    ZOV_CARRIER_BOX_FIELDS(X) \
    X(LazyPicture, image, LazyPicture()) \
    X(QString, imageName, QString()) \
    X(QString, imageType, QString()) \
    X(QString, link, QString()) \
    X(QString, linkOption, QString()) \
    X(QString, altText, QString()) \
    X(bool, selected, false) \
    X(bool, moveLock, false) \
    X(bool, shadowFlag, false) \
    X(int32_t, scrollFlag, 0) \
    X(bool, retinaFlag, false) \
    X(bool, forceNonRetinaFlag, false) \
    X(int32_t, slideShowNumber, 0) \
    X(int32_t, slideNumber, 0) \
    X(int32_t, slideWidth, 0) \
    X(int32_t, galleryNumber, 0) \
    X(int32_t, tableNumber, 0) \
    X(int32_t, rowSpot, 0) \
    X(int32_t, columnSpot, 0) \
    X(QDateTime, imageLastModDate, QDateTime()) \
    X(float, alpha, 0.0f) \
    X(float, opacity, 0.0f) \
    X(int32_t, originX, 0) \
    X(int32_t, originY, 0) \
    X(int32_t, originalWidth, 0) \
    X(int32_t, originalHeight, 0) \
    X(QRectF, galleryDimension, QRectF()) \
    X(int32_t, groupNumber, 0) \
    X(int32_t, imageEnlargeFlag, 0) \
    X(int32_t, backdropLightingFlag, 0) \
    X(bool, toRemoveFlag, false) \
    X(QString, templateName, QString()) \
    X(bool, selectable, false) \
    X(int32_t, manualLayerIndex, 0) \
    X(float, reflection, 0.0f) \
    X(QString, borderStyle, QString()) \
    X(int32_t, borderWidth, 0) \
    X(QString, borderHexColorString, QString()) \
    X(int32_t, bubbleFlag, 0) \
    X(QString, bubbleShape, QString()) \
    X(QImage, maskImage, QImage())

class TransformView : public ElementCarrier {
public:
    using ElementCarrier::ElementCarrier;
    QString carrierClassName() const override { return QStringLiteral("TransformView"); }
    ZOV_TRANSFORMVIEW_FIELDS(ZOV_CARRIER_MEMBER)

    // The slideShowNumber of a gallery grid's pictures: not a slide, and not
    // one of the page's own images either.
    static constexpr int32_t kGalleryMemberSlideShowNumber = -66;

    // Images in name order, by the number of their names (image2 before
    // image10); a stable sort, so equal numbers keep their order.
    static QList<std::shared_ptr<TransformView>> sortedByImageNameIndex(QList<std::shared_ptr<TransformView>> images);

protected:
    void writeFields(GraphicProperties &p) const override;
    void readFields(const GraphicProperties &p) override;
};

#pragma once
// Carrier of one gallery grid while a page loads; its images are the image
// carriers of the page with the same galleryNumber.
#include "model/CarrierList.h"
#include "model/ElementCarrier.h"
#include "model/TransformView.h"

#define ZOV_GALLERYGRIDVIEW_FIELDS(X) \
    ZOV_CARRIER_GRID_FIELDS(X) \
    X(int32_t, galleryNumber, 0) \
    X(int32_t, numOfRows, 0) \
    X(int32_t, numOfColumns, 0) \
    X(int32_t, padding, 0) \
    X(QString, templateName, QString()) \
    X(int32_t, tag, 0)

class GalleryGridView : public ElementCarrier {
public:
    using ElementCarrier::ElementCarrier;
    QString carrierClassName() const override { return QStringLiteral("GalleryGridView"); }
    ZOV_GALLERYGRIDVIEW_FIELDS(ZOV_CARRIER_MEMBER)
    // Images the reader may have attached to the carrier itself; loading
    // gathers the members from the page's carrier list instead.
    QList<std::shared_ptr<TransformView>> imageArray;

protected:
    void writeFields(GraphicProperties &p) const override
    {
        ZOV_GALLERYGRIDVIEW_FIELDS(ZOV_CARRIER_PUT) CarrierList::put(p, QStringLiteral("imageArray"), imageArray);
    }
    void readFields(const GraphicProperties &p) override
    {
        ZOV_GALLERYGRIDVIEW_FIELDS(ZOV_CARRIER_GET) CarrierList::get(p, QStringLiteral("imageArray"), imageArray);
    }
};

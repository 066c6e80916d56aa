#pragma once
// Carrier of one gallery grid while a page loads; its images are the image
// carriers of the page with the same galleryNumber.
#include "model/ElementCarrier.h"

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
    QString carrierClassName() const override { return QStringLiteral("GalleryGridView"); }
    ZOV_GALLERYGRIDVIEW_FIELDS(ZOV_CARRIER_MEMBER)

protected:
    void writeFields(GraphicProperties &p) const override { ZOV_GALLERYGRIDVIEW_FIELDS(ZOV_CARRIER_PUT) }
    void readFields(const GraphicProperties &p) override { ZOV_GALLERYGRIDVIEW_FIELDS(ZOV_CARRIER_GET) }
};

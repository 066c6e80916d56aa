#pragma once
// Carrier of one slideshow while a page loads; its slides are the image
// carriers of the page with the same slideShowNumber.
#include "model/ElementCarrier.h"

#define ZOV_OUTERSLIDESHOW_FIELDS(X) \
    X(QString, textType, QString()) \
    X(bool, moveLock, false) \
    X(bool, selected, false) \
    X(int32_t, arrowWidth, 40) \
    X(int32_t, arrowHeight, 50) \
    X(int32_t, originX, 0) \
    X(int32_t, originY, 0) \
    X(int32_t, tag, 0) \
    X(int32_t, totalNumOfSlides, 0) \
    X(int32_t, groupNumber, 0) \
    X(int32_t, slideShowAutomaticFlag, 0) \
    X(QString, templateName, QString()) \
    X(int32_t, slideShowNumber, 0) \
    X(int32_t, scrollFlag, 0) \
    X(int32_t, manualLayerIndex, 0)

class OuterSlideShow : public ElementCarrier {
public:
    using ElementCarrier::ElementCarrier;
    QString carrierClassName() const override { return QStringLiteral("OuterSlideShow"); }
    ZOV_OUTERSLIDESHOW_FIELDS(ZOV_CARRIER_MEMBER)

    // The arrow buttons' frames, relative to the carrier's own frame.
    QRectF nextButtonFrame() const;
    QRectF previousButtonFrame() const;

protected:
    void writeFields(GraphicProperties &p) const override { ZOV_OUTERSLIDESHOW_FIELDS(ZOV_CARRIER_PUT) }
    void readFields(const GraphicProperties &p) override { ZOV_OUTERSLIDESHOW_FIELDS(ZOV_CARRIER_GET) }
};

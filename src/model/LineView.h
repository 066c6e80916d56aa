#pragma once
// Carrier of one line element while a page loads.
#include "model/ElementCarrier.h"

#include <QPointF>

#define ZOV_LINEVIEW_FIELDS(X) \
    X(QPointF, beginPoint, QPointF()) \
    X(QPointF, endPoint, QPointF()) \
    X(bool, drawBeginArrow, false) \
    X(bool, drawEndArrow, false) \
    X(QString, borderStyle, QString()) \
    X(int32_t, borderWidth, 0) \
    X(QString, borderHexColorString, QString()) \
    X(int32_t, groupNumber, 0) \
    X(int32_t, moveLock, 0) \
    X(int32_t, scrollFlag, 0) \
    X(int32_t, manualLayerIndex, 0) \
    X(QString, templateName, QString()) \
    X(int32_t, tag, 0) \
    X(float, alphaValue, 1.0f)

class LineView : public ElementCarrier {
public:
    using ElementCarrier::ElementCarrier;
    QString carrierClassName() const override { return QStringLiteral("LineView"); }
    ZOV_LINEVIEW_FIELDS(ZOV_CARRIER_MEMBER)

protected:
    void writeFields(GraphicProperties &p) const override { ZOV_LINEVIEW_FIELDS(ZOV_CARRIER_PUT) }
    void readFields(const GraphicProperties &p) override { ZOV_LINEVIEW_FIELDS(ZOV_CARRIER_GET) }
};

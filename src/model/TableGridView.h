#pragma once
// Carrier of one table grid (table, section, navigation bar, ...) while a
// page loads; its cells and images are the carriers of the page with the
// same tableNumber.
#include "model/CarrierList.h"
#include "model/ElementCarrier.h"
#include "model/TransformView.h"

#define ZOV_TABLEGRIDVIEW_FIELDS(X) \
    ZOV_CARRIER_BOX_FIELDS(X) \
    ZOV_CARRIER_BOX_LEVELS(X) \
    ZOV_CARRIER_GRID_FIELDS(X) \
    X(int32_t, tableNumber, 0) \
    X(QString, gridType, QString()) \
    X(int32_t, numOfRows, 0) \
    X(int32_t, numOfColumns, 0) \
    X(int32_t, padding, 0) \
    X(QString, borderStyle, QString()) \
    X(int32_t, borderWidth, 0) \
    X(QString, borderHexColorString, QString()) \
    X(QString, templateName, QString()) \
    X(int32_t, tag, 0) \
    X(QString, sectionIDString, QString()) \
    X(int32_t, initialLaunchStateFlag, 0)

class TableGridView : public ElementCarrier {
public:
    using ElementCarrier::ElementCarrier;
    QString carrierClassName() const override { return QStringLiteral("TableGridView"); }
    ZOV_TABLEGRIDVIEW_FIELDS(ZOV_CARRIER_MEMBER)
    // Images the reader may have attached to the carrier itself; loading
    // gathers the members from the page's carrier list instead.
    QList<std::shared_ptr<TransformView>> imageArray;

protected:
    void writeFields(GraphicProperties &p) const override
    {
        ZOV_TABLEGRIDVIEW_FIELDS(ZOV_CARRIER_PUT) CarrierList::put(p, QStringLiteral("imageArray"), imageArray);
    }
    void readFields(const GraphicProperties &p) override
    {
        ZOV_TABLEGRIDVIEW_FIELDS(ZOV_CARRIER_GET) CarrierList::get(p, QStringLiteral("imageArray"), imageArray);
    }
};

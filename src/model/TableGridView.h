#pragma once
// Carrier of one table grid (table, section, navigation bar, ...) while a
// page loads; its cells and images are the carriers of the page with the
// same tableNumber.
#include "model/ElementCarrier.h"

#define ZOV_TABLEGRIDVIEW_FIELDS(X) \
    X(int32_t, tableNumber, 0) \
    X(QString, gridType, QString()) \
    X(int32_t, numOfRows, 0) \
    X(int32_t, numOfColumns, 0) \
    X(int32_t, padding, 0) \
    X(int32_t, shadowFlag, 0) \
    X(int32_t, backdropLightingFlag, 0) \
    X(int32_t, groupNumber, 0) \
    X(int32_t, moveLock, 0) \
    X(int32_t, scrollFlag, 0) \
    X(int32_t, manualLayerIndex, 0) \
    X(QString, borderStyle, QString()) \
    X(int32_t, borderWidth, 0) \
    X(QString, borderHexColorString, QString()) \
    X(QString, templateName, QString()) \
    X(int32_t, tag, 0) \
    X(QString, sectionIDString, QString()) \
    X(int32_t, initialLaunchStateFlag, 0) \
    X(int32_t, topPadding, 0) \
    X(int32_t, bottomPadding, 0) \
    X(int32_t, leftPadding, 0) \
    X(int32_t, rightPadding, 0) \
    X(int32_t, topMargin, 0) \
    X(int32_t, bottomMargin, 0) \
    X(int32_t, leftMargin, 0) \
    X(int32_t, rightMargin, 0) \
    X(QString, topPaddingType, QString()) \
    X(QString, bottomPaddingType, QString()) \
    X(QString, leftPaddingType, QString()) \
    X(QString, rightPaddingType, QString()) \
    X(QString, topMarginType, QString()) \
    X(QString, bottomMarginType, QString()) \
    X(QString, leftMarginType, QString()) \
    X(QString, rightMarginType, QString()) \
    X(QString, topPaddingLevelString, QString()) \
    X(QString, bottomPaddingLevelString, QString()) \
    X(QString, leftPaddingLevelString, QString()) \
    X(QString, rightPaddingLevelString, QString()) \
    X(QString, topMarginLevelString, QString()) \
    X(QString, bottomMarginLevelString, QString()) \
    X(QString, leftMarginLevelString, QString()) \
    X(QString, rightMarginLevelString, QString())

class TableGridView : public ElementCarrier {
public:
    QString carrierClassName() const override { return QStringLiteral("TableGridView"); }
    ZOV_TABLEGRIDVIEW_FIELDS(ZOV_CARRIER_MEMBER)

protected:
    void writeFields(GraphicProperties &p) const override { ZOV_TABLEGRIDVIEW_FIELDS(ZOV_CARRIER_PUT) }
    void readFields(const GraphicProperties &p) override { ZOV_TABLEGRIDVIEW_FIELDS(ZOV_CARRIER_GET) }
};

#pragma once
// Carrier of one text element: a text box, an HTML snippet, a form field or a
// table cell. A table keeps its cells as these carriers for its whole life.
#include "model/ElementCarrier.h"
#include "model/MTextView.h"

#include <QColor>

#define ZOV_MYTEXTVIEW_FIELDS(X) \
    ZOV_CARRIER_PLACEMENT_FIELDS(X) \
    ZOV_CARRIER_BOX_FIELDS(X) \
    ZOV_CARRIER_BOX_LEVELS(X) \
    X(QString, textType, QString()) \
    X(QString, link, QString()) \
    X(QString, linkOption, QString()) \
    X(QString, linkType, QString()) \
    X(int32_t, nlines, 0) \
    X(bool, selected, false) \
    X(bool, moveLock, false) \
    X(QString, colorString, QLatin1String("")) \
    X(QString, textColorString, QLatin1String("")) \
    /* the table's font colour as last pushed into the cell (the text is drawn from textColorString) */ \
    X(QColor, textColor, QColor()) \
    X(int32_t, originX, 0) \
    X(int32_t, originY, 0) \
    X(int32_t, width, 0) \
    X(int32_t, height, 0) \
    X(bool, shadowFlag, false) \
    X(int32_t, scrollFlag, 0) \
    X(int32_t, indentFlag, 0) \
    X(int32_t, tag, 0) \
    X(QColor, borderColor, QColor()) \
    X(float, cornerRadius, 0.0f) \
    X(float, tableCellCornerRadius, 0.0f) \
    X(int32_t, shapeFlag, 0) \
    X(QString, familyName, QString()) \
    X(int32_t, fontSize, 0) \
    X(int32_t, groupNumber, 0) \
    X(QString, templateName, QString()) \
    X(int32_t, rowSpot, 0) \
    X(int32_t, columnSpot, 0) \
    X(bool, toRemoveFlag, false) \
    X(int32_t, tableNumber, 0) \
    X(float, strokeWidth, 0.0f) \
    X(bool, partOfTableFlag, false) \
    X(QString, textAlignment, QString()) \
    X(QString, backgroundHexColorString, QString()) \
    X(QString, textHexColorString, QString()) \
    X(QString, textStorage, QString()) \
    X(QString, hoverColorString, QString()) \
    X(QString, hoverTextColorString, QString()) \
    X(bool, selectable, false) \
    X(QString, formType, QString()) \
    X(int32_t, formTag, 0) \
    X(int32_t, formOptionTag, 0) \
    X(int32_t, formRequiredFlag, 0) \
    X(bool, matchScreenFlag, false) \
    X(int32_t, manualLayerIndex, 0) \
    X(int32_t, borderWidth, 0) \
    X(QString, borderHexColorString, QString()) \
    X(bool, snippetFormatFlag, false) \
    X(int32_t, fixedWidthFlag, 0) \
    X(int32_t, fixedHeightFlag, 0) \
    X(int32_t, zoomBubbleFlag, 0) \
    X(QString, bubbleShape, QString()) \
    X(int32_t, xsGridColumns, 0) \
    X(int32_t, smallGridColumns, 0) \
    X(int32_t, mediumGridColumns, 0) \
    X(int32_t, largeGridColumns, 0) \
    X(float, lineSpacing, 0.0f) \
    X(int32_t, markAsReplyToEmailFlag, 0) \
    X(QString, onClickHideString, QString()) \
    X(QString, onClickShowString, QString()) \
    X(int32_t, containsLinkFlag, 0) \
    X(float, opacity, 0.0f) \
    X(QString, borderStyle, QString()) \
    X(int32_t, verticalAlignment, 0) \
    X(float, topMarginInPx, 0.0f) \
    X(float, bottomMarginInPx, 0.0f) \
    X(float, leftMarginInPx, 0.0f) \
    X(float, rightMarginInPx, 0.0f) \
    X(float, topPaddingInPx, 0.0f) \
    X(float, bottomPaddingInPx, 0.0f) \
    X(float, leftPaddingInPx, 0.0f) \
    X(float, rightPaddingInPx, 0.0f) \
    X(int32_t, textHeight, 0) \
    /* the carrier's own transparency (the view's alpha), written as "opacity" at load */ \
    X(float, alphaValue, 1.0f)

class myTextView : public ElementCarrier {
public:
    using ElementCarrier::ElementCarrier;
    QString carrierClassName() const override { return QStringLiteral("myTextView"); }
    MTextView textView; // inner text: characters, font, border line
    ZOV_MYTEXTVIEW_FIELDS(ZOV_CARRIER_MEMBER)

protected:
    void writeFields(GraphicProperties &p) const override;
    void readFields(const GraphicProperties &p) override;
};

#pragma once
// One text element that the page generator writes: a text graphic of the
// page (text box, HTML snippet or form field) or a table cell carrier.
// Both answer the same attribute names; this handle reads and writes them
// alike. A carrier's size, font and text come from its inner text view, its
// opacity from its alpha and its corner radius from the cell corner radius.
#include "document/ElementHandle.h"
#include "model/SKTText.h"
#include "model/myTextView.h"

#include <memory>

class TextElement : public ElementHandle<SKTText, myTextView> {
public:
    using ElementHandle::ElementHandle;

    QRectF bounds() const;
    // The element's plain text (a carrier's text view string).
    QString text() const;
    // Font family as stored (never a substitute) and whole point size; a
    // table cell's are its own, the font the canvas draws it in.
    QString fontFamily() const;
    int32_t fontSize() const;
    // 0 left, 1 right, 2 centre, 3 justified (a carrier's alignment word mapped).
    int32_t alignment() const;
    double lineSpacing() const;

    QString textType() const;
    QString textHexColorString() const;
    void setTextHexColorString(const QString &v);
    QString backgroundHexColorString() const;
    QString borderHexColorString() const;
    void setBorderHexColorString(const QString &v);
    QString borderStyle() const; // a carrier's border line
    int32_t borderWidth() const;
    double cornerRadius() const; // a carrier's cell corner radius
    double opacity() const;      // a carrier's alpha
    int32_t shadowFlag() const;
    int32_t moveLock() const;
    int32_t indentFlag() const;
    int32_t scrollFlag() const;
    bool matchScreenFlag() const;
    int32_t shapeFlag() const;
    int32_t groupNumber() const;
    QString templateName() const;
    void setTemplateName(const QString &v);
    int32_t manualLayerIndex() const;
    QString link() const;
    QString linkOption() const;
    void setLinkOption(const QString &v);
    QString linkType() const;
    QString hoverColorString() const;
    QString hoverTextColorString() const;
    int32_t tableNumber() const; // -99 for a graphic
    int32_t rowSpot() const;     // -99 for a graphic
    int32_t columnSpot() const;  // -99 for a graphic
    int32_t fixedWidthFlag() const;
    int32_t fixedHeightFlag() const;
    int32_t zoomBubbleFlag() const;
    QString bubbleShape() const;
    int32_t xsGridColumns() const;
    int32_t smallGridColumns() const;
    int32_t mediumGridColumns() const;
    int32_t largeGridColumns() const;
    float shadowRadius() const;
    float shadowHorizontalOffset() const;
    float shadowVerticalOffset() const;
    float rotationAngle() const;
    int32_t responsiveResizeFlag() const;
    int32_t responsiveAlignment() const;
    bool partOfTableFlag() const;
    int32_t sectionNumber() const;
    int32_t sectionRowSpot() const;
    int32_t sectionColumnSpot() const;
    int32_t markAsReplyToEmailFlag() const;
    QString onClickShowString() const;
    QString onClickHideString() const;
    int32_t verticalAlignment() const;
    bool snippetFormatFlag() const;
    QString formType() const;
    int32_t formTag() const;
    void setFormTag(const int32_t &v);
    int32_t formOptionTag() const;
    int32_t formRequiredFlag() const;

    // Paddings and margins: top, bottom, left, right padding, then margins
    // (index 0 to 7); their unit strings likewise.
    int32_t boxValue(int index) const;
    QString boxType(int index) const;
    QString boxLevel(int index) const;
};

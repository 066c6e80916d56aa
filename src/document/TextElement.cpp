#include "document/TextElement.h"

#include "document/ElementBox.h"
#include "model/SKTTable.h"

#define ZOV_TEXT_GET(Type, name) ZOV_ELEMENT_GET(TextElement, Type, name)
#define ZOV_TEXT_SET(Type, name, Setter) ZOV_ELEMENT_SET(TextElement, Type, name, Setter)

ZOV_TEXT_GET(QString, textType)
ZOV_TEXT_GET(QString, textHexColorString)
ZOV_TEXT_SET(QString, textHexColorString, TextHexColorString)
ZOV_TEXT_GET(QString, backgroundHexColorString)
ZOV_TEXT_GET(QString, borderHexColorString)
ZOV_TEXT_SET(QString, borderHexColorString, BorderHexColorString)
ZOV_TEXT_GET(int32_t, borderWidth)
ZOV_TEXT_GET(int32_t, shadowFlag)
ZOV_TEXT_GET(int32_t, moveLock)
ZOV_TEXT_GET(int32_t, indentFlag)
ZOV_TEXT_GET(int32_t, scrollFlag)
ZOV_TEXT_GET(bool, matchScreenFlag)
ZOV_TEXT_GET(int32_t, shapeFlag)
ZOV_TEXT_GET(int32_t, groupNumber)
ZOV_TEXT_GET(QString, templateName)
ZOV_TEXT_SET(QString, templateName, TemplateName)
ZOV_TEXT_GET(int32_t, manualLayerIndex)
ZOV_TEXT_GET(QString, link)
ZOV_TEXT_GET(QString, linkOption)
ZOV_TEXT_SET(QString, linkOption, LinkOption)
ZOV_TEXT_GET(QString, linkType)
ZOV_TEXT_GET(QString, hoverColorString)
ZOV_TEXT_GET(QString, hoverTextColorString)
ZOV_TEXT_GET(int32_t, fixedWidthFlag)
ZOV_TEXT_GET(int32_t, fixedHeightFlag)
ZOV_TEXT_GET(int32_t, zoomBubbleFlag)
ZOV_TEXT_GET(QString, bubbleShape)
ZOV_TEXT_GET(int32_t, xsGridColumns)
ZOV_TEXT_GET(int32_t, smallGridColumns)
ZOV_TEXT_GET(int32_t, mediumGridColumns)
ZOV_TEXT_GET(int32_t, largeGridColumns)
ZOV_TEXT_GET(float, shadowRadius)
ZOV_TEXT_GET(float, shadowHorizontalOffset)
ZOV_TEXT_GET(float, shadowVerticalOffset)
ZOV_TEXT_GET(float, rotationAngle)
ZOV_TEXT_GET(int32_t, responsiveResizeFlag)
ZOV_TEXT_GET(int32_t, responsiveAlignment)
ZOV_TEXT_GET(bool, partOfTableFlag)
ZOV_TEXT_GET(int32_t, sectionNumber)
ZOV_TEXT_GET(int32_t, sectionRowSpot)
ZOV_TEXT_GET(int32_t, sectionColumnSpot)
ZOV_TEXT_GET(int32_t, markAsReplyToEmailFlag)
ZOV_TEXT_GET(QString, onClickShowString)
ZOV_TEXT_GET(QString, onClickHideString)
ZOV_TEXT_GET(int32_t, verticalAlignment)
ZOV_TEXT_GET(bool, snippetFormatFlag)
ZOV_TEXT_GET(QString, formType)
ZOV_TEXT_GET(int32_t, formTag)
ZOV_TEXT_SET(int32_t, formTag, FormTag)
ZOV_TEXT_GET(int32_t, formOptionTag)
ZOV_TEXT_GET(int32_t, formRequiredFlag)

QRectF TextElement::bounds() const
{
    if (m_graphic)
        return m_graphic->bounds();
    return m_carrier ? m_carrier->frame : QRectF();
}

QString TextElement::text() const
{
    if (m_graphic)
        return m_graphic->contents();
    return m_carrier ? m_carrier->textView.string : QString();
}

QString TextElement::fontFamily() const
{
    if (m_graphic)
        return m_graphic->fontFamily();
    return m_carrier ? SKTTable::cellFamily(*m_carrier) : QString();
}

int32_t TextElement::fontSize() const
{
    if (m_graphic)
        return m_graphic->fontSize();
    return m_carrier ? SKTTable::cellFontSize(*m_carrier) : 0;
}

int32_t TextElement::alignment() const
{
    if (m_graphic) {
        // A graphic keeps 0 left, 1 centre, 2 right, 3 justified; swapped
        // into this order, or a centred text would be written aligned right.
        switch (m_graphic->fontAlignment()) {
        case 1: return 2;
        case 2: return 1;
        case 3: return 3;
        default: return 0;
        }
    }
    if (!m_carrier)
        return 0;
    const QString &a = m_carrier->textAlignment;
    if (a == QLatin1String("right"))
        return 1;
    if (a == QLatin1String("center"))
        return 2;
    if (a == QLatin1String("justify"))
        return 3;
    return 0;
}

double TextElement::lineSpacing() const
{
    if (m_graphic)
        return m_graphic->lineSpacing();
    return m_carrier ? double(m_carrier->lineSpacing) : 0.0;
}

QString TextElement::borderStyle() const
{
    if (m_graphic)
        return m_graphic->borderStyle();
    return m_carrier ? m_carrier->textView.borderLine : QString();
}

double TextElement::cornerRadius() const
{
    if (m_graphic)
        return m_graphic->cornerRadius();
    return m_carrier ? double(m_carrier->tableCellCornerRadius) : 0.0;
}

double TextElement::opacity() const
{
    if (m_graphic)
        return m_graphic->opacity();
    return m_carrier ? double(m_carrier->alphaValue) : 1.0;
}

int32_t TextElement::tableNumber() const { return m_carrier ? m_carrier->tableNumber : -99; }
int32_t TextElement::rowSpot() const { return m_carrier ? m_carrier->rowSpot : -99; }
int32_t TextElement::columnSpot() const { return m_carrier ? m_carrier->columnSpot : -99; }

int32_t TextElement::boxValue(int index) const
{
    return ElementBox::value<myTextView>(m_graphic, m_carrier.get(), index);
}

QString TextElement::boxType(int index) const
{
    return ElementBox::type<myTextView>(m_graphic, m_carrier.get(), index);
}

QString TextElement::boxLevel(int index) const
{
    if (index < 0 || index > 7)
        return QString();
    if (m_graphic) {
        const SKTGraphic &g = *m_graphic;
        const QString v[] = {g.topPaddingLevelString(), g.bottomPaddingLevelString(), g.leftPaddingLevelString(),
                             g.rightPaddingLevelString(), g.topMarginLevelString(), g.bottomMarginLevelString(),
                             g.leftMarginLevelString(), g.rightMarginLevelString()};
        return v[index];
    }
    if (m_carrier) {
        const myTextView &c = *m_carrier;
        const QString v[] = {c.topPaddingLevelString, c.bottomPaddingLevelString, c.leftPaddingLevelString,
                             c.rightPaddingLevelString, c.topMarginLevelString, c.bottomMarginLevelString,
                             c.leftMarginLevelString, c.rightMarginLevelString};
        return v[index];
    }
    return QString();
}

#include "generation/ImageElement.h"

#define ZOV_IMAGE_GET(Type, name) \
    Type ImageElement::name() const \
    { \
        if (m_graphic) \
            return Type(m_graphic->name()); \
        return m_carrier ? Type(m_carrier->name) : Type(); \
    }
#define ZOV_IMAGE_SET(Type, name, Setter) \
    void ImageElement::set##Setter(const Type &v) \
    { \
        if (m_graphic) \
            m_graphic->set##Setter(v); \
        else if (m_carrier) \
            m_carrier->name = v; \
    }

ZOV_IMAGE_GET(QString, imageName)
ZOV_IMAGE_SET(QString, imageName, ImageName)
ZOV_IMAGE_GET(QString, imageType)
ZOV_IMAGE_GET(QString, altText)
ZOV_IMAGE_SET(QString, altText, AltText)
ZOV_IMAGE_GET(QString, link)
ZOV_IMAGE_SET(QString, link, Link)
ZOV_IMAGE_GET(QString, linkOption)
ZOV_IMAGE_SET(QString, linkOption, LinkOption)
ZOV_IMAGE_GET(QString, templateName)
ZOV_IMAGE_SET(QString, templateName, TemplateName)
ZOV_IMAGE_GET(QString, borderStyle)
ZOV_IMAGE_SET(QString, borderStyle, BorderStyle)
ZOV_IMAGE_GET(QString, borderHexColorString)
ZOV_IMAGE_SET(QString, borderHexColorString, BorderHexColorString)
ZOV_IMAGE_GET(QString, bubbleShape)
ZOV_IMAGE_GET(int32_t, borderWidth)
ZOV_IMAGE_GET(double, reflection)
ZOV_IMAGE_GET(int32_t, slideShowNumber)
ZOV_IMAGE_SET(int32_t, slideShowNumber, SlideShowNumber)
ZOV_IMAGE_GET(int32_t, galleryNumber)
ZOV_IMAGE_GET(int32_t, shadowFlag)
ZOV_IMAGE_GET(int32_t, scrollFlag)
ZOV_IMAGE_GET(int32_t, moveLock)
ZOV_IMAGE_GET(bool, selectable)
ZOV_IMAGE_GET(int32_t, manualLayerIndex)
ZOV_IMAGE_GET(bool, retinaFlag)
ZOV_IMAGE_GET(bool, forceNonRetinaFlag)
ZOV_IMAGE_GET(int32_t, groupNumber)
ZOV_IMAGE_GET(int32_t, imageEnlargeFlag)
ZOV_IMAGE_GET(int32_t, backdropLightingFlag)
ZOV_IMAGE_GET(int32_t, bubbleFlag)
ZOV_IMAGE_GET(float, shadowRadius)
ZOV_IMAGE_GET(float, shadowHorizontalOffset)
ZOV_IMAGE_GET(float, shadowVerticalOffset)
ZOV_IMAGE_GET(float, rotationAngle)
ZOV_IMAGE_GET(int32_t, responsiveResizeFlag)
ZOV_IMAGE_GET(int32_t, responsiveAlignment)
ZOV_IMAGE_GET(int32_t, sectionNumber)
ZOV_IMAGE_GET(int32_t, sectionRowSpot)
ZOV_IMAGE_GET(int32_t, sectionColumnSpot)

QRectF ImageElement::bounds() const
{
    if (m_graphic)
        return m_graphic->bounds();
    return m_carrier ? m_carrier->frame : QRectF();
}

QImage ImageElement::picture() const
{
    if (m_graphic)
        return m_graphic->inputImage().isNull() ? m_graphic->contents() : m_graphic->inputImage();
    return m_carrier ? m_carrier->image : QImage();
}

QImage ImageElement::maskImage() const
{
    if (m_graphic)
        return m_graphic->maskImage();
    return m_carrier ? m_carrier->maskImage : QImage();
}

double ImageElement::opacity() const
{
    if (m_graphic)
        return m_graphic->opacity();
    return m_carrier ? double(m_carrier->alpha) : 1.0;
}

int32_t ImageElement::tableNumber() const
{
    // A top-level image graphic is in no table.
    return m_carrier ? m_carrier->tableNumber : -99;
}

int32_t ImageElement::rowSpot() const { return m_carrier ? m_carrier->rowSpot : -99; }
int32_t ImageElement::columnSpot() const { return m_carrier ? m_carrier->columnSpot : -99; }

int32_t ImageElement::boxValue(int index) const
{
    if (index < 0 || index > 7)
        return 0;
    if (m_graphic) {
        const SKTGraphic &g = *m_graphic;
        const int32_t v[] = {g.topPadding(), g.bottomPadding(), g.leftPadding(), g.rightPadding(),
                             g.topMargin(),  g.bottomMargin(),  g.leftMargin(),  g.rightMargin()};
        return v[index];
    }
    if (m_carrier) {
        const TransformView &c = *m_carrier;
        const int32_t v[] = {c.topPadding, c.bottomPadding, c.leftPadding, c.rightPadding,
                             c.topMargin,  c.bottomMargin,  c.leftMargin,  c.rightMargin};
        return v[index];
    }
    return 0;
}

QString ImageElement::boxType(int index) const
{
    if (index < 0 || index > 7)
        return QString();
    if (m_graphic) {
        const SKTGraphic &g = *m_graphic;
        const QString v[] = {g.topPaddingType(), g.bottomPaddingType(), g.leftPaddingType(), g.rightPaddingType(),
                             g.topMarginType(),  g.bottomMarginType(),  g.leftMarginType(),  g.rightMarginType()};
        return v[index];
    }
    if (m_carrier) {
        const TransformView &c = *m_carrier;
        const QString v[] = {c.topPaddingType, c.bottomPaddingType, c.leftPaddingType, c.rightPaddingType,
                             c.topMarginType,  c.bottomMarginType,  c.leftMarginType,  c.rightMarginType};
        return v[index];
    }
    return QString();
}

float ImageElement::boxValueInPx(int index) const
{
    if (m_graphic && index >= 0 && index < 8) {
        const SKTGraphic &g = *m_graphic;
        const float v[] = {g.topPaddingInPx(), g.bottomPaddingInPx(), g.leftPaddingInPx(), g.rightPaddingInPx(),
                           g.topMarginInPx(),  g.bottomMarginInPx(),  g.leftMarginInPx(),  g.rightMarginInPx()};
        return v[index];
    }
    return float(boxValue(index));
}

void ImageElement::setBoxType(int index, const QString &v)
{
    if (m_graphic) {
        switch (index) {
        case 0: m_graphic->setTopPaddingType(v); break;
        case 1: m_graphic->setBottomPaddingType(v); break;
        case 2: m_graphic->setLeftPaddingType(v); break;
        case 3: m_graphic->setRightPaddingType(v); break;
        case 4: m_graphic->setTopMarginType(v); break;
        case 5: m_graphic->setBottomMarginType(v); break;
        case 6: m_graphic->setLeftMarginType(v); break;
        case 7: m_graphic->setRightMarginType(v); break;
        default: break;
        }
    } else if (m_carrier) {
        QString *fields[] = {&m_carrier->topPaddingType, &m_carrier->bottomPaddingType, &m_carrier->leftPaddingType,
                             &m_carrier->rightPaddingType, &m_carrier->topMarginType, &m_carrier->bottomMarginType,
                             &m_carrier->leftMarginType, &m_carrier->rightMarginType};
        if (index >= 0 && index < 8)
            *fields[index] = v;
    }
}

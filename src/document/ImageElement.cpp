#include "document/ImageElement.h"

#include "document/ElementBox.h"

#define ZOV_IMAGE_GET(Type, name) ZOV_ELEMENT_GET(ImageElement, Type, name)
#define ZOV_IMAGE_SET(Type, name, Setter) ZOV_ELEMENT_SET(ImageElement, Type, name, Setter)

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
    return m_carrier ? m_carrier->image.image() : QImage();
}

LazyPicture ImageElement::pictureAsRead() const
{
    if (m_graphic)
        return m_graphic->pictureSource();
    if (m_carrier && m_carrier->image.isAsRead())
        return m_carrier->image;
    return LazyPicture();
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
    return ElementBox::value<TransformView>(m_graphic, m_carrier.get(), index);
}

QString ImageElement::boxType(int index) const
{
    return ElementBox::type<TransformView>(m_graphic, m_carrier.get(), index);
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
    ElementBox::setType<TransformView>(m_graphic, m_carrier.get(), index, v);
}

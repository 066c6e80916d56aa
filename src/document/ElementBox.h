#pragma once
// What ImageElement and TextElement share: a graphic of the page and the
// carrier inside a composite answer the same attribute names (a getter on the
// graphic, a field on the carrier), and both keep paddings and margins in
// eight slots read in one order.
#include "model/SKTGraphic.h"

#include <QString>
#include <cstdint>

// Defines Class::name() reading the graphic's getter or the carrier's field.
#define ZOV_ELEMENT_GET(Class, Type, name) \
    Type Class::name() const \
    { \
        if (m_graphic) \
            return Type(m_graphic->name()); \
        return m_carrier ? Type(m_carrier->name) : Type(); \
    }
// Defines Class::setSetter(v) writing through the graphic's setter or to the
// carrier's field.
#define ZOV_ELEMENT_SET(Class, Type, name, Setter) \
    void Class::set##Setter(const Type &v) \
    { \
        if (m_graphic) \
            m_graphic->set##Setter(v); \
        else if (m_carrier) \
            m_carrier->name = v; \
    }

namespace ElementBox {

// Top, bottom, left, right padding, then the margins in the same order.
template <class Carrier>
int32_t value(const SKTGraphic *graphic, const Carrier *carrier, int index)
{
    if (index < 0 || index > 7)
        return 0;
    if (graphic) {
        const SKTGraphic &g = *graphic;
        const int32_t v[] = {g.topPadding(), g.bottomPadding(), g.leftPadding(), g.rightPadding(),
                             g.topMargin(),  g.bottomMargin(),  g.leftMargin(),  g.rightMargin()};
        return v[index];
    }
    if (carrier) {
        const Carrier &c = *carrier;
        const int32_t v[] = {c.topPadding, c.bottomPadding, c.leftPadding, c.rightPadding,
                             c.topMargin,  c.bottomMargin,  c.leftMargin,  c.rightMargin};
        return v[index];
    }
    return 0;
}

// The unit strings of the same eight slots.
template <class Carrier>
QString type(const SKTGraphic *graphic, const Carrier *carrier, int index)
{
    if (index < 0 || index > 7)
        return QString();
    if (graphic) {
        const SKTGraphic &g = *graphic;
        const QString v[] = {g.topPaddingType(), g.bottomPaddingType(), g.leftPaddingType(), g.rightPaddingType(),
                             g.topMarginType(),  g.bottomMarginType(),  g.leftMarginType(),  g.rightMarginType()};
        return v[index];
    }
    if (carrier) {
        const Carrier &c = *carrier;
        const QString v[] = {c.topPaddingType, c.bottomPaddingType, c.leftPaddingType, c.rightPaddingType,
                             c.topMarginType,  c.bottomMarginType,  c.leftMarginType,  c.rightMarginType};
        return v[index];
    }
    return QString();
}

// Sets the unit string of one slot; an index outside 0 to 7 changes nothing.
template <class Carrier>
void setType(SKTGraphic *graphic, Carrier *carrier, int index, const QString &v)
{
    if (graphic) {
        switch (index) {
        case 0: graphic->setTopPaddingType(v); break;
        case 1: graphic->setBottomPaddingType(v); break;
        case 2: graphic->setLeftPaddingType(v); break;
        case 3: graphic->setRightPaddingType(v); break;
        case 4: graphic->setTopMarginType(v); break;
        case 5: graphic->setBottomMarginType(v); break;
        case 6: graphic->setLeftMarginType(v); break;
        case 7: graphic->setRightMarginType(v); break;
        default: break;
        }
    } else if (carrier) {
        QString *fields[] = {&carrier->topPaddingType, &carrier->bottomPaddingType, &carrier->leftPaddingType,
                             &carrier->rightPaddingType, &carrier->topMarginType, &carrier->bottomMarginType,
                             &carrier->leftMarginType, &carrier->rightMarginType};
        if (index >= 0 && index < 8)
            *fields[index] = v;
    }
}

} // namespace ElementBox

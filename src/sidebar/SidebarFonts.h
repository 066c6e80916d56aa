#pragma once
// The inspector's font list: the web fonts sorted without regard to case,
// then "Arial" and "Helvetica" (all marked as custom fonts, shown in orange),
// then the system's families that are none of those names.
#include "config/CustomFont.h"

#include <QList>
#include <QStringList>

class InspectorFonts {
public:
    InspectorFonts() = delete;
    // hideCustomFonts leaves the first part out; the system families that
    // share its names stay out all the same.
    static QList<CustomFont> fontList(bool hideCustomFonts, const QStringList &systemFamilies);
    static QList<CustomFont> fontList();  // with the edition's flag and the font database
};

#include "sidebar/SidebarFonts.h"

#include "config/DataCentreFonts.h"
#include "config/EditionSettings.h"

#include <QFontDatabase>
#include <QSet>
#include <algorithm>

QList<CustomFont> InspectorFonts::fontList(bool hideCustomFonts, const QStringList &systemFamilies)
{
    QStringList custom;
    for (const CustomFont &f : DataCentreFonts::customFontRecords())
        custom.append(f.fontName);
    std::stable_sort(custom.begin(), custom.end(), [](const QString &a, const QString &b) {
        return a.toLower().localeAwareCompare(b.toLower()) < 0;
    });
    custom << QStringLiteral("Arial") << QStringLiteral("Helvetica");
    const QSet<QString> taken(custom.begin(), custom.end());
    QList<CustomFont> list;
    if (!hideCustomFonts) {
        for (const QString &name : custom) {
            CustomFont f;
            f.fontName = name;
            f.isCustomFont = true;
            list.append(f);
        }
    }
    for (const QString &family : systemFamilies) {
        if (taken.contains(family))
            continue;
        CustomFont f;
        f.fontName = family;
        list.append(f);
    }
    return list;
}

QList<CustomFont> InspectorFonts::fontList()
{
    return fontList(gHideCustomFontsInInspector, QFontDatabase::families());
}

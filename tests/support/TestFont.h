#pragma once
// The pinned font of drawing tests: DejaVu Sans from the Debian package
// fonts-dejavu-core (scripts/packages.txt), loaded by path so that text
// metrics never depend on what fontconfig would pick.
#include <QFontDatabase>
#include <QString>
#include <QStringList>

inline QString testFontFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

#pragma once
// The zip command's arguments for packing the current folder into archive the
// way PageZip packs a page: pictures and other compressed files stored, the
// rest deflated, so the two are compared on the same work.
#include "platform/PageZip.h"

#include <QString>
#include <QStringList>

inline QStringList zipToolArguments(const QString &archive)
{
    QStringList suffixes;
    for (const QString &type : PageZip::storedTypes())
        suffixes << QStringLiteral(".") + type;
    return {QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-n"), suffixes.join(QLatin1Char(':')),
            archive, QStringLiteral(".")};
}

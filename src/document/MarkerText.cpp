#include "document/MarkerText.h"

#include <QRegularExpression>

QString MarkerText::cleanMarkerValue(const QString &value)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\r\\n|[\\n\\r\\x0B\\x0C\\x{85}\\x{2028}\\x{2029}]"));
    QString clean = value;
    clean.replace(lineBreaks, QStringLiteral(" "));
    while (clean.contains(QLatin1String("--")))
        clean.replace(QLatin1String("--"), QLatin1String("-"));
    clean.replace(QLatin1String("?>"), QLatin1String("? >"));
    return clean;
}

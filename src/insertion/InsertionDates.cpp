#include "insertion/InsertionDates.h"

#include <QLocale>

namespace {
QString format(const QDateTime &when, const QString &pattern)
{
    return QLocale::c().toString(when, pattern);
}
} // namespace

QString InsertionDates::stampDate(const QDateTime &when)
{
    return format(when, QStringLiteral("MMM dd yyyy"));
}

QString InsertionDates::stampDateTime(const QDateTime &when)
{
    return format(when, QStringLiteral("MMM dd yyyy h:mm AP"));
}

QString InsertionDates::longDate(const QDateTime &when)
{
    return format(when, QStringLiteral("MMM dd yyyy,  dddd h:mm AP"));
}

QString InsertionDates::longDateAt(const QDateTime &when)
{
    return format(when, QStringLiteral("MMM dd yyyy,  dddd 'at' h:mm AP"));
}

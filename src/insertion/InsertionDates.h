#pragma once
// The date texts new objects carry, in English whatever the locale: the
// calendar year and a 12-hour clock with AM or PM.
#include <QDateTime>
#include <QString>

class InsertionDates {
public:
    InsertionDates() = delete;
    // "Dec 09 2026"
    static QString stampDate(const QDateTime &when);
    // "Dec 09 2026 5:30 PM"
    static QString stampDateTime(const QDateTime &when);
    // "Dec 09 2026,  Wednesday 5:30 PM" (two blanks after the comma)
    static QString longDate(const QDateTime &when);
    // "Dec 09 2026,  Wednesday at 5:30 PM"
    static QString longDateAt(const QDateTime &when);
};

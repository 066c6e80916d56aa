#pragma once
// The record of a record page (a pet with its owner, or a person) as field
// blocks in the page: one codec for creating a record and for updating one.
// Dates are stored as "MMM dd yyyy" in the C locale, so a record written on
// one machine reads the same on any other.
#include <QDate>
#include <QMap>
#include <QRectF>
#include <QString>
#include <QStringList>

class ProfileRecord {
public:
    enum class Kind { Pet, Person };

    // The labels a record of the kind writes, in their order in the page.
    static QStringList labels(Kind kind);
    // The record text appended to a new page: "\n\n" before every block.
    static QString recordText(Kind kind, const QMap<QString, QString> &fields);
    // The page title of a new record.
    static QString pageTitle(Kind kind, const QMap<QString, QString> &fields);
    // Updating: the sheet's fields replace the stored ones; the labels the
    // sheet does not show (a person sheet over a pet record) stay as stored.
    static void updateFields(Kind kind, const QMap<QString, QString> &sheet, QMap<QString, QString> &stored);

    static QString formatBirthDate(const QDate &date);
    // Reads "MMM dd yyyy" in the C locale, and, for records written under
    // another locale before, in the system's; invalid when neither reads.
    static QDate parseBirthDate(const QString &text);
    // The file name proposed from the typed names, cleaned for the edition.
    static QString proposedFileName(const QString &first, const QString &last, const QString &chart);
    // The largest font size from 5 up whose text fits the rectangle: 4 when
    // even 5 does not fit, 299 when 299 still fits (and for no text).
    static int calcFontSizeToFitRect(const QRectF &rect, const QString &text, const QString &family);
};

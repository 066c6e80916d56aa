#pragma once
// Readers of address-book exports: vCard 3.0 and 4.0 (folded lines, escapes, grouped
// and repeated properties) and CSV with a header row (quoted fields, the column names
// of the common mail programs, home/work address columns).
#include "platform/Contacts.h"

#include <QByteArray>
#include <QString>

class ContactFileReader {
public:
    ContactFileReader() = delete;

    // Picks the format from the content. An error only when nothing could be read.
    static QList<Contacts::Person> read(const QByteArray &data, QString *error = nullptr);
    static QList<Contacts::Person> readVCards(const QByteArray &data, QString *error = nullptr);
    static QList<Contacts::Person> readCsv(const QByteArray &data, QString *error = nullptr);

    // Splits CSV text into rows of fields (RFC 4180 quoting; the separator is the
    // first of , ; or tab found in the header line).
    static QList<QStringList> csvRows(const QString &text);
};

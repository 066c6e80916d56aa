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

    // Picks the format from the content. An error only when nothing could be read;
    // *skipped gets one line per CSV line that held no contact ("line 4: …").
    static QList<Contacts::Person> read(const QByteArray &data, QString *error = nullptr,
                                        QStringList *skipped = nullptr);
    static QList<Contacts::Person> readVCards(const QByteArray &data, QString *error = nullptr);
    // Reads UTF-8 and UTF-16 (with or without a byte-order mark) and, when the bytes
    // are not UTF-8, the Windows Western code page that spreadsheet programs write.
    static QList<Contacts::Person> readCsv(const QByteArray &data, QString *error = nullptr,
                                           QStringList *skipped = nullptr);

    // Splits CSV text into rows of fields (RFC 4180 quoting; the separator is the
    // first of , ; or tab found in the header line). *lines gets the line number
    // (from 1) each row starts on.
    static QList<QStringList> csvRows(const QString &text, QList<int> *lines = nullptr);

    // The text of an address-book export: UTF-16 by its byte-order mark or its zero
    // bytes, UTF-8 when it is valid UTF-8, else Windows-1252.
    static QString decodeText(const QByteArray &data);
};

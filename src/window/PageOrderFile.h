#pragma once
// "order.index": one line per page, "<file name>,<position>\n", in listing
// order. Written ASCII when it can be, else UTF-16 with a byte-order mark;
// read as UTF-8, or UTF-16 after a byte-order mark. A file name may hold a
// comma, so a line is split at its last comma.
#include "window/PageEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

class PageOrderFile {
public:
    static QByteArray encode(const QList<PageEntry> &pages);
    // Replaces the file in one step; false, with the reason, when it could not.
    static bool write(const QString &path, const QList<PageEntry> &pages, QString *error = nullptr);
    // Gives each page its number from the file (the position when there is
    // no file) and sorts the pages by it, keeping the order of equal numbers.
    static void apply(const QString &path, QList<PageEntry> &pages);
};

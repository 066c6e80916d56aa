#pragma once
// Where the page listing puts each page: which pages pass the search text
// (ignoring case and accents), the columns and rows, each cell's frame, the
// thumbnail's frame inside it and the captions it shows. The window's listing
// realises the plan; computing it needs no widget, so a keystroke in the
// search field costs only this and the redraw.
#include "window/PageEntry.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

struct ListingCell {
    int page = 0;        // index into the page list
    int column = 0;
    int row = 0;
    QRect frame;         // in the listing, y from its top
    QRect buttonFrame;   // in the cell, y from its bottom
    QString titleCaption;   // "" when hidden
    QString nameCaption;
    QString timeCaption;
    bool showTitle = true;
    bool showName = true;
    bool showTime = true;
};

struct ListingPlan {
    QList<ListingCell> cells;
    int columns = 1;
    int rows = 0;
    int listingWidth = 0;
    int listingHeight = 0;
};

class PageListingPlan {
public:
    // Case and accents dropped, for the search filter.
    static QString foldForSearch(const QString &text);
    static bool matchesSearch(const PageEntry &page, const QString &searchText);
    // The columns the user chose ("numOfColumnListings"), else the edition's,
    // else 1.
    static int columnCount(int userColumns, int editionColumns);
    // A size fitted into a square of side keeping proportions; a zero side
    // counts as 1.
    static QSize returnNewSize(QSize size, int side);
    // imageSizes[i] is the screenshot size of pages[i] (empty when missing);
    // pages beyond the list use the size the scan read.
    static ListingPlan layout(const QList<PageEntry> &pages, const QList<QSize> &imageSizes, const QString &searchText,
                              int listingWidth, int columns);
    // "%d Documents\n%@" (singular for one page).
    static QString summaryText(int pageCount, const QString &folderName);
    // The name caption: the published file name, without its extension
    // unless the edition shows it.
    static QString nameCaptionFor(const PageEntry &page);
};

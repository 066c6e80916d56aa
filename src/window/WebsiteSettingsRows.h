#pragma once
// The rows of the project settings sheet: one per page, in page order, each
// with the values the user edits (selection, title, file name, publishing
// extension, the three inheritance boxes). The row actions (move up, move
// down, delete, duplicate) work on this list; nothing reaches the disk until
// the sheet is saved (WebsiteSettingsSave).
#include "window/PageEntry.h"

#include <QList>
#include <QString>

struct WebsiteSettingsRow {
    PageEntry page;           // the page as listed when the sheet opened
    bool selected = false;
    bool inheritBaseTemplate = false;
    bool inheritMetadata = false;
    bool inheritCustomHeaderCode = false;
    // Unticking the base-template box disables the other two.
    bool inheritBoxesEnabled = true;
    QString title;
    QString fileName;         // without extension
    QString publishExt;
    // A row added by Duplicate: saving makes a new page, a copy of page.
    bool duplicate = false;

    static WebsiteSettingsRow fromPage(const PageEntry &page);
    QString extension() const;
    // The file name the row stands for, with the page's extension.
    QString newPageName() const { return fileName + QLatin1Char('.') + extension(); }
    bool isBaseTemplate() const;
};

class WebsiteSettingsRows {
public:
    QList<WebsiteSettingsRow> rows;

    static WebsiteSettingsRows fromPages(const QList<PageEntry> &pages);

    // Each ticked row moves one place up (down); a ticked row at the top
    // (bottom) stays.
    void moveSelectedButtonsUp();
    void moveSelectedButtonsDown();
    // Drops the ticked rows.
    void updateDeletedButtons();
    // Each ticked row is followed by a copy named after it plus "Copy".
    void updateDuplicateButtons();
    // The base-template box of a row: its two inherit boxes follow it.
    void checkSwitchStates(int row, bool on);
    // The row label "Page %d" of editions that keep a page order (from 0).
    static QString pageNumberLabel(int row) { return QStringLiteral("Page %1").arg(row); }
};

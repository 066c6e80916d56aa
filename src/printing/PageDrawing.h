#pragma once
// A page's graphics recorded for the sheets, so that each sheet draws the page
// afresh at its own resolution instead of enlarging a canvas-sized picture.
// Recording reads documents and belongs to the main thread; the recorded
// drawing may then be played on any thread.
#include "printing/SheetComposer.h"

class SKTDocument;

class PageDrawing {
public:
    PageDrawing() = delete;

    // The open page as it stands.
    static SheetPicture fromDocument(const SKTDocument &document, const QString &pageName, float rotation = 0.0f);
    // A saved page, read into a document of its own; the sheet in force is
    // kept. A page that cannot be read keeps its cached picture.
    static SheetPicture fromPackage(const SheetPicture &cached, const QString &packagePath);

    // Gives every picture of pages that have a file its drawing; the open
    // page (by name) takes `open` as it stands.
    static void sharpen(QList<SheetPicture> &pictures, const QList<SheetPage> &pages, const QString &openPageName,
                        const std::function<SheetPicture()> &open);
};

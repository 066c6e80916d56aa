#pragma once
// A page's graphics recorded for the sheets, so that each sheet draws the page
// afresh at its own resolution instead of enlarging a canvas-sized picture.
// Recording reads documents and belongs to the main thread; the recorded
// drawing may then be played on any thread.
#include "printing/PdfBook.h"
#include "printing/SheetComposer.h"

class SKTDocument;

class QPainter;
class QPicture;

class PageDrawing {
public:
    PageDrawing() = delete;

    // The open page as it stands.
    static SheetPicture fromDocument(const SKTDocument &document, const QString &pageName, float rotation = 0.0f);
    // A saved page, read into a document of its own; the sheet in force is
    // kept. A page that cannot be read keeps its cached picture.
    static SheetPicture fromPackage(const SheetPicture &cached, const QString &packagePath);

    // The drawing painted over its canvas enlarged `scale` times (never
    // fewer pixels than the canvas); a null image without a drawing.
    static QImage render(const SheetPicture &picture, double scale);
    // Plays a recorded drawing on painter with one recorded pixel to one unit
    // of the painter's current coordinates, whatever the device's resolution.
    static void playAtCanvasScale(const QPicture &drawing, QPainter &painter);
    // The scale that gives the piece `dpi` dots per inch when the canvas has
    // `canvasPixelsPerInch`; at least 1.
    static double scaleFor(int dpi, float canvasPixelsPerInch);

    // The open page as a page of a PDF book, drawn as vectors.
    static BookPlan::Page bookPage(const SKTDocument &document);

    // Canvas pixels per inch of the sheet in force (0 when none is).
    static float currentCanvasPixelsPerInch();
    // The open page for paper: drawn at 300 dpi or more of the sheet in force,
    // and at 300 dpi when stretched across `paperInches` (its longer side).
    static QImage sharpPage(const SKTDocument &document, double paperInches = 0.0);

    // Gives every picture of pages that have a file its drawing; the open
    // page (by name) takes `open` as it stands.
    static void sharpen(QList<SheetPicture> &pictures, const QList<SheetPage> &pages, const QString &openPageName,
                        const std::function<SheetPicture()> &open);
};

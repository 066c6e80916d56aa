#pragma once
// The two simpler print paths of a document window, each behind the print
// dialog (window-modal over the window): the composed sheet view inside the
// layout's margins, and the open page alone.
#include "printing/SheetComposer.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>

class QPrinter;

class PrintDialogs {
public:
    PrintDialogs() = delete;

    // startPrinting: every sheet of the composition, scaled down to fit inside
    // the layout's margins and centred; the template's paper when it names one.
    // done gets the number of pages printed (0: cancelled or nothing printed).
    static void startPrinting(const SheetComposition &composition, const SheetGeometry &geometry,
                              const QString &templatePaper, QObject *window, std::function<void(int pages)> done = {});
    // printPage: the page picture across the paper's width, running on over
    // pages; with a template paper, flyers fit both ways, and the canvas's shape
    // decides the orientation.
    static void printPage(const QImage &page, const QString &templatePaper, QObject *window,
                          std::function<void(int pages)> done = {});

    // The painting after the dialog, on a printer already set up.
    static int paintSheetView(QPrinter &printer, const SheetComposition &composition, const SheetGeometry &geometry);
    static int paintPage(QPrinter &printer, const QImage &page, bool fitBothWays);
    // The printer set-up of each path before the dialog shows.
    static void prepareSheetViewPrinter(QPrinter &printer, const QString &templatePaper);
    // Answers whether the page fits both ways (flyers with a template paper).
    static bool preparePagePrinter(QPrinter &printer, const QString &templatePaper);
};

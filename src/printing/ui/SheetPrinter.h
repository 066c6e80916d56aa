#pragma once
// Composed sheets sent to a printer: the paper and orientation of the sheet,
// the full page with no margins, and the sheet painter scaled from 144 units
// per inch to the printer's resolution. Queues differ in whether they make
// copies themselves (a PDF queue does not), so the painter paints the copies
// and the job goes out as one copy.
#include "printing/SheetPainter.h"

class QPrinter;

class SheetPrinter {
public:
    SheetPrinter() = delete;

    // Prints the composition on `printer` (already chosen, e.g. through the
    // print dialog) with the copies it asks for.
    static SheetPaintResult print(QPrinter &printer, const SheetComposition &composition, const SheetPaper &paper,
                                  const std::atomic<bool> *cancel = nullptr);

    // The resolution page pictures are drawn at for this printer: its own,
    // at least 300 dpi and at most 600 (finer adds nothing a label shows but
    // memory).
    static int pictureDpiFor(const QPrinter &printer);

    // What the print system said when it refused the last job of this
    // thread, or "" when it took it.
    static QString refusal();

    // Sets the printer's page to the paper, full page, no margins.
    static void preparePrinter(QPrinter &printer, const SheetPaper &paper);
};

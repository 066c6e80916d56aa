#pragma once
// Prints the project book: the print dialog window-modal over the document
// window, paper from the template (else the paper control's letter or A4),
// each page scaled to fit and centred. Packages are read on the main thread,
// the pages painted on a worker behind the progress window.
#include "printing/PdfBook.h"

#include <QObject>

#include <functional>

class BookPrinter {
public:
    BookPrinter() = delete;

    // "A4" when the paper control shows A4 (segment 1), else "na-letter",
    // unless the template names its paper.
    static QString paperName(const QString &templatePaper, int paperSegment);
    // The paper control's segment as the window last set it: the window's
    // letter/A4 choice picks the print sheet, so the sheet's paper tells it.
    // 0 in editions without the choice.
    static int currentPaperSegment();

    // done runs on the main thread (not at all when the dialog is cancelled or
    // the window is gone by then).
    static void printManual(const QList<BookPage> &projectPages, PdfBook::Source source, const QString &paper,
                            QObject *window, std::function<void(const BookResult &result)> done,
                            const PdfBook::Progress &progress = {});
};

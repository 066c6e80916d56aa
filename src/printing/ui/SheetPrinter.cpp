#include "printing/ui/SheetPrinter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

void SheetPrinter::preparePrinter(QPrinter &printer, const SheetPaper &paper)
{
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(paper.pageSize, paper.orientation, QMarginsF()));
}

SheetPaintResult SheetPrinter::print(QPrinter &printer, const SheetComposition &composition, const SheetPaper &paper,
                                     const std::atomic<bool> *cancel)
{
    SheetPaintResult result;
    if (!composition.isPrintable()) {
        result.ok = false;
        result.errorText = composition.problemText();
        return result;
    }
    const int copies = std::max(printer.copyCount(), 1);
    printer.setCopyCount(1);
    preparePrinter(printer, paper);
    QPainter painter;
    if (!painter.begin(&printer)) {
        result.ok = false;
        result.errorText = QCoreApplication::translate("SheetPrinter", "The printer \"%1\" could not be opened.")
                               .arg(printer.printerName());
        return result;
    }
    const float unitsPerInch = composition.geometry.unitsPerInch > 0.0f ? composition.geometry.unitsPerInch : 144.0f;
    const double scale = printer.resolution() / static_cast<double>(unitsPerInch);
    result = SheetPainter::paint(painter, printer, composition, paper, scale, copies, cancel);
    if (!result.ok)
        printer.abort();
    painter.end();
    return result;
}

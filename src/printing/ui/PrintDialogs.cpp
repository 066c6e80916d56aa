#include "printing/ui/PrintDialogs.h"

#include "config/DataCentreFiles.h"
#include "config/EditionSettings.h"
#include "printing/PagePainter.h"
#include "printing/SheetPainter.h"
#include "printing/SheetViewLayout.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <memory>

namespace {

void runDialog(const std::shared_ptr<QPrinter> &printer, QObject *window, std::function<int(QPrinter &)> paint,
               std::function<void(int)> done)
{
    auto *dialog = new QPrintDialog(printer.get(), qobject_cast<QWidget *>(window));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setOptions(dialog->options() | QAbstractPrintDialog::PrintShowPageSize);
    // The progress window gives way to the dialog, and the window comes back.
    DataCentreFiles::updateProgressBar(10, 10, QString());
    QObject::connect(dialog, &QDialog::finished, dialog, [printer, paint, done](int code) {
        const int pages = code == QDialog::Accepted ? paint(*printer) : 0;
        if (done)
            done(pages);
    });
    dialog->open();
}

}  // namespace

void PrintDialogs::prepareSheetViewPrinter(QPrinter &printer, const QString &templatePaper)
{
    if (!templatePaper.isEmpty())
        printer.setPageSize(SheetPainter::pageSizeForPaper(templatePaper));
    printer.setFullPage(false);
    printer.setPageMargins(SheetViewLayout::marginsInPoints(), QPageLayout::Point);
}

bool PrintDialogs::preparePagePrinter(QPrinter &printer, const QString &templatePaper)
{
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(), QPageLayout::Point);
    if (templatePaper.isEmpty())
        return false;
    printer.setPageSize(SheetPainter::pageSizeForPaper(templatePaper));
    printer.setPageOrientation(PagePainter::orientationFor(gCanvasWidth, gCanvasMaxHeight));
    return gPageNoun == QLatin1String("flyer");
}

int PrintDialogs::paintSheetView(QPrinter &printer, const SheetComposition &composition, const SheetGeometry &geometry)
{
    if (!composition.isPrintable())
        return 0;
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
    const double deviceUnitsPerViewUnit =
        geometry.unitsPerInch > 0.0f ? double(printer.resolution()) / double(geometry.unitsPerInch) : 1.0;
    const SheetViewLayout::Placement placement =
        SheetViewLayout::fit(QSizeF(geometry.sheetWidth, geometry.sheetHeight), printable.size(), deviceUnitsPerViewUnit);
    painter.translate(placement.origin);
    const SheetPaintResult result =
        SheetPainter::paint(painter, printer, composition, SheetPainter::framePaper(geometry), placement.scale);
    painter.end();
    return result.ok ? result.pagesPainted : 0;
}

int PrintDialogs::paintPage(QPrinter &printer, const QImage &page, bool fitBothWays)
{
    QPainter painter;
    if (page.isNull() || !painter.begin(&printer))
        return 0;
    const int pages = PagePainter::paint(painter, printer, page, fitBothWays);
    painter.end();
    return pages;
}

void PrintDialogs::startPrinting(const SheetComposition &composition, const SheetGeometry &geometry,
                                 const QString &templatePaper, QObject *window, std::function<void(int)> done)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    prepareSheetViewPrinter(*printer, templatePaper);
    runDialog(
        printer, window,
        [composition, geometry](QPrinter &p) { return paintSheetView(p, composition, geometry); }, std::move(done));
}

void PrintDialogs::printPage(const QImage &page, const QString &templatePaper, QObject *window,
                             std::function<void(int)> done)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    const bool fitBothWays = preparePagePrinter(*printer, templatePaper);
    runDialog(
        printer, window, [page, fitBothWays](QPrinter &p) { return paintPage(p, page, fitBothWays); }, std::move(done));
}

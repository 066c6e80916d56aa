#include "printing/ui/SheetPrinter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

#include <dlfcn.h>

namespace {

constexpr int kIppStatusErrorBadRequest = 0x0400;

}  // namespace

int SheetPrinter::pictureDpiFor(const QPrinter &printer)
{
    return std::clamp(printer.resolution(), 300, 600);
}

QString SheetPrinter::refusal()
{
    // Qt hands finished jobs to the print system's library; its last status
    // belongs to the thread that ended the job.
    void *library = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr)
        return {};
    QString said;
    using LastError = int (*)();
    using LastErrorString = const char *(*)();
    const auto lastError = reinterpret_cast<LastError>(::dlsym(library, "cupsLastError"));
    const auto lastErrorString = reinterpret_cast<LastErrorString>(::dlsym(library, "cupsLastErrorString"));
    if (lastError != nullptr && lastErrorString != nullptr && lastError() >= kIppStatusErrorBadRequest) {
        const char *text = lastErrorString();
        said = QString::fromUtf8(text != nullptr && *text != '\0' ? text : "the job was refused");
    }
    ::dlclose(library);
    return said;
}

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
    const bool ended = painter.end();
    const QString refused = refusal();
    if (result.ok && (!ended || printer.printerState() == QPrinter::Error || !refused.isEmpty())) {
        result.ok = false;
        result.errorText = QCoreApplication::translate("SheetPrinter", "The printer \"%1\" did not take the job: %2")
                               .arg(printer.printerName(),
                                    refused.isEmpty() ? QCoreApplication::translate("SheetPrinter", "the job failed.")
                                                      : refused);
    }
    return result;
}

#include "printing/ui/BookPrinter.h"

#include "config/DataCentreFiles.h"
#include "config/EditionSettings.h"
#include "config/DataCentrePrinting.h"
#include "platform/Tasks.h"
#include "printing/SheetPainter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <memory>

QString BookPrinter::paperName(const QString &templatePaper, int paperSegment)
{
    if (!templatePaper.isEmpty())
        return templatePaper;
    return paperSegment == 1 ? QStringLiteral("A4") : QStringLiteral("na-letter");
}

int BookPrinter::currentPaperSegment()
{
    return gPaperSizeOption && DataCentrePrinting::currentSheetPaper() == QLatin1String("A4") ? 1 : 0;
}

void BookPrinter::printManual(const QList<BookPage> &projectPages, PdfBook::Source source, const QString &paper,
                              QObject *window, std::function<void(const BookResult &result)> done,
                              const PdfBook::Progress &progress)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(SheetPainter::pageSizeForPaper(paper));
    auto *dialog = new QPrintDialog(printer.get(), qobject_cast<QWidget *>(window));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    QObject::connect(dialog, &QDialog::finished, dialog, [printer, projectPages, source, done, window, progress](int code) {
        if (code != QDialog::Accepted)
            return;
        // Page documents are read here, on the main thread; the painting runs
        // on a worker behind the progress window.
        DataCentreFiles::showProgressIndicator();
        auto plan = std::make_shared<const BookPlan>(PdfBook::plan(projectPages, source));
        Tasks::runInBackground<BookResult>(
            window,
            [printer, plan, progress] {
                QPainter painter;
                if (!painter.begin(printer.get())) {
                    BookResult failed;
                    failed.ok = false;
                    failed.errorText =
                        QObject::tr("The printer \"%1\" could not be opened.").arg(printer->printerName());
                    return failed;
                }
                BookResult result = PdfBook::paintFitted(painter, *printer, *plan, progress);
                painter.end();
                return result;
            },
            [plan, done](BookResult result) {
                DataCentreFiles::dismissProgressIndicator();
                if (done)
                    done(result);
            });
    });
    dialog->open();
}

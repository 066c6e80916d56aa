#include "printing/ui/BookPrinter.h"

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

void BookPrinter::printManual(const QList<BookPage> &projectPages, PdfBook::Source source, const QString &paper,
                              QObject *window, std::function<void(const BookResult &result)> done)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(SheetPainter::pageSizeForPaper(paper));
    auto *dialog = new QPrintDialog(printer.get(), qobject_cast<QWidget *>(window));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    QObject::connect(dialog, &QDialog::finished, dialog, [printer, projectPages, source, done](int code) {
        if (code != QDialog::Accepted)
            return;
        QPainter painter;
        BookResult result;
        if (!painter.begin(printer.get())) {
            result.ok = false;
            result.errorText = QObject::tr("The printer \"%1\" could not be opened.").arg(printer->printerName());
        } else {
            result = PdfBook::paintFitted(painter, *printer, projectPages, source);
            painter.end();
        }
        if (done)
            done(result);
    });
    dialog->open();
}

#include "printing/ui/QtSheetPrintTarget.h"

#include "config/DataCentreFiles.h"
#include "printing/ui/SheetPrinter.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>
#include <QWidget>

#include <memory>

void QtSheetPrintTarget::printSheets(const SheetComposition &composition, const SheetPaper &paper, QObject *window,
                                     std::function<void(const SheetPaintResult &result)> done)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SheetPrinter::preparePrinter(*printer, paper);
    auto *dialog = new QPrintDialog(printer.get(), qobject_cast<QWidget *>(window));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setOptions(dialog->options() | QAbstractPrintDialog::PrintShowPageSize);
    QObject::connect(dialog, &QDialog::finished, dialog, [printer, composition, paper, done, window](int code) {
        if (code != QDialog::Accepted)
            return;
        auto result = std::make_shared<SheetPaintResult>();
        SheetComposition sharp = composition;
        sharp.pictureDpi = SheetPrinter::pictureDpiFor(*printer);
        QThread *worker = QThread::create([printer, sharp, paper, result] {
            *result = SheetPrinter::print(*printer, sharp, paper);
        });
        QObject *receiver = window != nullptr ? window : QCoreApplication::instance();
        // The sheets are painted behind the progress window.
        DataCentreFiles::showProgressIndicator();
        QObject::connect(worker, &QThread::finished, receiver, [worker, result, done] {
            worker->deleteLater();
            DataCentreFiles::dismissProgressIndicator();
            if (done)
                done(*result);
        });
        worker->start();
    });
    dialog->open();
}

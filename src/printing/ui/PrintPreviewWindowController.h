#pragma once
// Composed sheets shown page by page on their paper, with a Print button that
// opens the print dialog for them.
#include "printing/SheetPainter.h"

#include <QDialog>

#include <memory>

class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

class PrintPreviewWindowController : public QDialog {
    Q_OBJECT
public:
    PrintPreviewWindowController(SheetComposition composition, const SheetPaper &paper, QWidget *window);
    ~PrintPreviewWindowController() override;

    QPrintPreviewWidget *pdfView() const { return preview_; }
    QPushButton *printPreviewButton() const { return printButton_; }

signals:
    // The dialog was accepted: print these sheets.
    void printRequested();

private:
    SheetComposition composition_;
    SheetPaper paper_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget *preview_ = nullptr;
    QPushButton *printButton_ = nullptr;
};

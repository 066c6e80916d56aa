#include "printing/ui/PrintPreviewWindowController.h"

#include "printing/ui/SheetPrinter.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

PrintPreviewWindowController::PrintPreviewWindowController(SheetComposition composition, const SheetPaper &paper,
                                                           QWidget *window)
    : QDialog(window)
    , composition_(std::move(composition))
    , paper_(paper)
    , printer_(std::make_unique<QPrinter>(QPrinter::ScreenResolution))
{
    setWindowTitle(tr("Print Preview"));
    setWindowModality(Qt::WindowModal);
    SheetPrinter::preparePrinter(*printer_, paper_);
    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        QPainter painter(printer);
        const float unitsPerInch =
            composition_.geometry.unitsPerInch > 0.0f ? composition_.geometry.unitsPerInch : 144.0f;
        SheetPainter::paint(painter, *printer, composition_, paper_, printer->resolution() / double(unitsPerInch));
    });

    printButton_ = new QPushButton(tr("Print"), this);
    printButton_->setDefault(true);
    auto *close = new QPushButton(tr("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton_, &QPushButton::clicked, this, [this] {
        accept();
        emit printRequested();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(printButton_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    resize(640, 760);
}

PrintPreviewWindowController::~PrintPreviewWindowController() = default;

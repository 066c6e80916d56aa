// The document window's print-template pop-ups, preset pickers, print
// layout sheet and listing columns.
#include "window/ui/SKTWindowController.h"

#include "canvas/ui/CanvasRuler.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "config/EditionSettings.h"
#include "platform/UserDefaults.h"
#include "printing/DataCentrePrinting.h"
#include "sidebar/ui/FloatWindowController.h"
#include "sidebar/ui/PresetPickers.h"

#include <QComboBox>
#include <QPointer>

void SKTWindowController::buildTemplatePopUps()
{
    templateChoice_ = std::make_unique<PrintTemplateChoice>(*project_, this);
    const QStringList titles = PrintTemplateChoice::templateTitles(gLabelTemplates);
    const QStringList &names = PrintTemplateChoice::popUpNames();
    for (int i = 0; i < names.size(); ++i) {
        auto *popUp = new QComboBox(this);
        popUp->setObjectName(names.at(i));
        popUp->addItems(titles);
        popUp->hide();
        const auto which = PrintTemplateChoice::PopUp(i);
        connect(popUp, &QComboBox::activated, this, [this, which](int index) {
            templateChoice_->templateSelectionUpdated(which, index);
            setCurrentTemplateSelectionValue();
        });
        templatePopUps_ << popUp;
    }
    setCurrentTemplateSelectionValue();
}

void SKTWindowController::setCurrentTemplateSelectionValue()
{
    const DocumentLabelTemplate &t = doc_.labelTemplateHelper;
    const QString title = QStringLiteral("%1 %2 %3").arg(t.brand, t.templateNumber, t.templateDescription).trimmed();
    for (QComboBox *popUp : std::as_const(templatePopUps_)) {
        const int at = popUp->findText(title);
        if (at >= 0)
            popUp->setCurrentIndex(at);
    }
}

void SKTWindowController::resetPrintCanvas(const QString &sheetDescription)
{
    const auto sheet = DataCentrePrinting::grabLabelHelper(sheetDescription);
    if (!sheet)
        return;
    DataCentrePrinting::resetPrintCanvas(sheet);
    // The sheet registered its own inches and centimetres: rulers showing
    // them draw again in the new size.
    if (zoom_) {
        for (CanvasRuler *ruler : {zoom_->horizontalRuler(), zoom_->verticalRuler()})
            if (ruler)
                ruler->update();
    }
}

void SKTWindowController::selectFoldingCardTemplateTitle(const QString &title)
{
    if (QComboBox *popUp = templatePopUp(PrintTemplateChoice::PopUp::FoldingCard)) {
        const int at = popUp->findText(title);
        if (at >= 0)
            popUp->setCurrentIndex(at);
    }
}

FloatWindowController *SKTWindowController::showShapePopOver()
{
    return PresetPickers::createShapePopover(this, [this](int tag) {
        ActionItemState sender;
        sender.action = QStringLiteral("addNewShape");
        sender.tag = tag;
        ResponderChain::send(responderChain(), sender.action, sender);
    });
}

FloatWindowController *SKTWindowController::showTextViewPopOver()
{
    return PresetPickers::createTextViewPopover(this, [this](int tag) {
        ActionItemState sender;
        sender.action = QStringLiteral("addNewSelectedTextView");
        sender.tag = tag;
        ResponderChain::send(responderChain(), sender.action, sender);
    });
}

FloatWindowController *SKTWindowController::setupPrintLayoutView()
{
    auto *sheet = new FloatWindowController(this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    auto *container = new QWidget;
    container->resize(300, 200);
    sheet->setContent(container);
    const QList<PrintTemplateChoice::PopUp> shown = {PrintTemplateChoice::PopUp::BusinessCard,
                                                     PrintTemplateChoice::PopUp::ECard,
                                                     PrintTemplateChoice::PopUp::Envelope};
    int y = 0;
    for (PrintTemplateChoice::PopUp which : shown) {
        QComboBox *popUp = templatePopUp(which);
        popUp->setParent(sheet->mainView());
        popUp->setGeometry(10, y, 280, which == PrintTemplateChoice::PopUp::BusinessCard ? 50 : 30);
        popUp->show();
        y += popUp->height() + 10;
    }
    // The pop-ups belong to the window: they go back to it when the sheet closes.
    connect(sheet, &QDialog::finished, this, [this, shown] {
        for (PrintTemplateChoice::PopUp which : shown) {
            QComboBox *popUp = templatePopUp(which);
            popUp->hide();
            popUp->setParent(this);
        }
    });
    sheet->open();
    setCurrentTemplateSelectionValue();
    return sheet;
}

void SKTWindowController::adjustViewColumn(int columns)
{
    UserDefaults::standard().setInteger(columns, QStringLiteral("numOfColumnListings"));
    refreshPageIcons();
}

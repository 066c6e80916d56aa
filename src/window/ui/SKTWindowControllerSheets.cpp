// The document window's print-template pop-ups, preset pickers, print
// layout sheet and listing columns.
#include "window/ui/SKTWindowController.h"

#include "canvas/ui/CanvasRuler.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "config/EditionSettings.h"
#include "platform/UserDefaults.h"
#include "config/DataCentrePrinting.h"
#include "sidebar/ui/FloatWindowController.h"
#include "sidebar/ui/PresetPickers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
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
            // The pop-ups show the page's template again, now and once a
            // change is made.
            templateChoice_->templateSelectionUpdated(which, index, [this] { setCurrentTemplateSelectionValue(); });
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
    // The canvas takes the sheet's size.
    doc_.announceCanvasSizeChange();
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
    sheet->setWindowTitle(tr("Templates"));
    const PrintTemplateChoice::PopUp which = PrintTemplateChoice::popUpFor(gAppName);
    auto *container = new QWidget;
    auto *layout = new QFormLayout(container);
    QComboBox *popUp = templatePopUp(which);
    popUp->setParent(container);
    popUp->setMinimumWidth(420);
    popUp->setToolTip(tr("Choosing another template resizes the canvas to it."));
    popUp->show();
    auto *label = new QLabel(PrintTemplateChoice::popUpLabel(which), container);
    label->setBuddy(popUp);
    layout->addRow(label, popUp);
    if (popUp->count() == 0)
        layout->addRow(new QLabel(tr("This edition has no templates to choose from."), container));
    container->adjustSize();
    sheet->setContent(container);
    sheet->cancelButton()->setText(tr("Done"));
    // The pop-up belongs to the window: it goes back to it when the sheet closes.
    connect(sheet, &QDialog::finished, this, [this, which] {
        QComboBox *popUp = templatePopUp(which);
        popUp->hide();
        popUp->setParent(this);
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

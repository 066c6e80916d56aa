#include "window/PrintTemplateChoice.h"

#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "config/DataCentrePrinting.h"
#include "window/CanvasFit.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>
#include <memory>

const QStringList &PrintTemplateChoice::popUpNames()
{
    static const QStringList names = {
        QStringLiteral("templateSelectionPopupButton"),         QStringLiteral("flyerTemplateSelectionPopupButton"),
        QStringLiteral("manualTemplateSelectionPopupButton"),   QStringLiteral("foldingCardTemplateSelectionPopupButton"),
        QStringLiteral("drubbBusinessCardDesignerPopupButton"), QStringLiteral("drubbEcardDesignerPopupButton"),
        QStringLiteral("ostravelEnvelopePopupButton"),
    };
    return names;
}

PrintTemplateChoice::PopUp PrintTemplateChoice::popUpFor(const QString &edition)
{
    static const QHash<QString, PopUp> popUps = {
        {QStringLiteral("Tovra Dazed Irizi Pro"), PopUp::Flyer},
        {QStringLiteral("Tovra PDF Author"), PopUp::Manual},
        {QStringLiteral("Tovra Greeting Card Designer"), PopUp::FoldingCard},
        {QStringLiteral("Ostravel Business Card Designer"), PopUp::BusinessCard},
        {QStringLiteral("Mollivan Brennix"), PopUp::BusinessCard},
        {QStringLiteral("Ostravel eCard Designer"), PopUp::ECard},
        {QStringLiteral("Ostravel Envelope Designer"), PopUp::Envelope},
    };
    return popUps.value(edition, PopUp::Label);
}

QString PrintTemplateChoice::popUpLabel(PopUp popUp)
{
    switch (popUp) {
    case PopUp::Label:
        return QCoreApplication::translate("PrintTemplateChoice", "Label sheet:");
    case PopUp::Flyer:
        return QCoreApplication::translate("PrintTemplateChoice", "Flyer size:");
    case PopUp::Manual:
        return QCoreApplication::translate("PrintTemplateChoice", "Page size:");
    case PopUp::FoldingCard:
        return QCoreApplication::translate("PrintTemplateChoice", "Card fold:");
    case PopUp::BusinessCard:
        return QCoreApplication::translate("PrintTemplateChoice", "Card sheet:");
    case PopUp::ECard:
        return QCoreApplication::translate("PrintTemplateChoice", "Card size:");
    case PopUp::Envelope:
        return QCoreApplication::translate("PrintTemplateChoice", "Envelope:");
    }
    return {};
}

QString PrintTemplateChoice::templateTitle(const LabelTemplateHelper &helper)
{
    return QStringLiteral("%1 %2 %3").arg(helper.brand, helper.templateNumber, helper.templateDescription).trimmed();
}

QStringList PrintTemplateChoice::templateTitles(const QList<LabelTemplateHelper> &templates)
{
    QStringList titles;
    for (const LabelTemplateHelper &t : templates)
        titles << templateTitle(t);
    return titles;
}

QString PrintTemplateChoice::chosenName(PopUp popUp, const QString &title)
{
    const QString trimmed = title.trimmed();
    if (popUp != PopUp::Label)
        return trimmed;
    const qsizetype at = trimmed.indexOf(QLatin1String("Label"));
    return at < 0 ? trimmed : trimmed.mid(at);
}

QString PrintTemplateChoice::zoomTitle(float handleScale)
{
    // Truncated, and read through a float as it is stored (0.35 shows 35%).
    return QStringLiteral("%1%").arg(int(std::floor(double(handleScale) * 100.0 + 1e-4)));
}

PrintTemplateChoice::PrintTemplateChoice(ProjectPages &project, ProjectWindowHost *host)
    : project_(project), host_(host ? host : &defaultHost_)
{
}

bool PrintTemplateChoice::templateSelectionUpdated(PopUp popUp, int index, std::function<void()> changed)
{
    if (index < 0 || index >= gLabelTemplates.size())
        return false;
    const LabelTemplateHelper record = gLabelTemplates.at(index);
    const QString name = chosenName(popUp, templateTitle(record));
    if (name == gDefaultPrintSheet)
        return false;
    Alert alert;
    alert.messageText = QStringLiteral("Template Selection Changed");
    alert.informativeText =
        QStringLiteral("New template selected: %1\nExisting template: %2\n\nAre you sure you wish to make this change?\n\n"
                       "In order to meet size requirements for the newly selected template, your current canvas size "
                       "may change.")
            .arg(name, gDefaultPrintSheet);
    alert.buttons = {QStringLiteral("Change"), QStringLiteral("Cancel")};
    // The alert may answer after this returns (a window-modal sheet): the
    // change is made when it does.
    auto applied = std::make_shared<bool>(false);
    Alerts::ask(alert, host_->alertWindow(), [this, popUp, record, name, applied, changed](int response) {
        if (response != Alert::FirstButton)
            return;
        *applied = true;
        applyChange(popUp, record, name);
        if (changed)
            changed();
    });
    return *applied;
}

void PrintTemplateChoice::applyChange(PopUp popUp, const LabelTemplateHelper &record, const QString &name)
{
    SKTDocument &doc = project_.document();
    const QSizeF before = doc.pageCanvasSize();
    host_->resetPrintCanvas(name);
    // What lay on the old canvas stays on the new one.
    CanvasFit::bringInside(doc, before);
    const DocumentLabelTemplate chosen{record.brand, record.templateNumber, record.templateDescription};
    doc.labelTemplateHelper = chosen;
    doc.documentChangedCounter += 1;
    doc.askPageToSaveItself();
    host_->refreshPageListingDisplay();

    // The question about the other pages, answered whenever it is.
    auto ask = [this](const QString &message, const QString &informative, std::function<void()> yes) {
        Alert question;
        question.messageText = message;
        question.informativeText = informative;
        question.buttons = {QStringLiteral("Yes"), QStringLiteral("No")};
        Alerts::ask(question, host_->alertWindow(), [this, yes = std::move(yes)](int response) {
            if (response == Alert::FirstButton) {
                yes();
                host_->refreshPageListingDisplay();
            }
        });
    };
    const int pages = int(project_.scan.siteIconArray.size());
    if (popUp == PopUp::FoldingCard) {
        ask(QStringLiteral("Would you like to refresh other folding tabs?"),
            QStringLiteral("Would you like to auto adjust canvas dimensions for other designs (folding tabs) in this "
                           "project?"),
            [this, chosen, name] { project_.refreshTabs(chosen, name); });
    } else if (popUp == PopUp::Manual) {
        if (pages > 0)
            ask(QStringLiteral("Would you like to refresh all pages?"),
                QStringLiteral("Would you like to refresh canvas dimensions for other pages in this project?"),
                [this, chosen, name] { project_.applyTemplateToAllPages(chosen, name); });
    } else if (popUp == PopUp::Label) {
        if (pages >= 2)
            ask(QStringLiteral("Would you like to refresh all designs?"),
                QStringLiteral("Would you like to refresh canvas dimensions for other designs saved in this project?"),
                [this, chosen, name] {
                    project_.applyTemplateToAllPages(chosen, name);
                    project_.document().refreshDocument();
                });
    }
}

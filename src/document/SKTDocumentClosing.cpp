// Closing a page with unsaved changes.
#include "document/SKTDocument.h"

#include "platform/Alerts.h"

void SKTDocument::canCloseDocument(const std::function<void(bool mayClose)> &answer)
{
    if (windowHooks.hideAllDocPanels)
        windowHooks.hideAllDocPanels();
    if (!isDocumentEdited()) {
        answer(true);
        return;
    }
    Alert alert;
    alert.messageText = QStringLiteral("This file has changed");
    alert.informativeText = QStringLiteral("Do you want to save the changes?");
    alert.buttons = {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")};
    Alerts::ask(alert, windowHooks.window, [this, answer](int response) {
        if (response == Alert::FirstButton) {
            // The window closes only when the page really was saved, which
            // for a new page is known once its save panel has answered.
            saveDocument([answer](bool saved) { answer(saved); });
        } else {
            answer(response == Alert::FirstButton + 1);
        }
    });
}

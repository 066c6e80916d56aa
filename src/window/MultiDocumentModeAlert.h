#pragma once
// The question a page opened alone gets when a command needs a project:
// "Open in multi-document mode" (the first button) or "Dismiss".
#include "platform/Alerts.h"

inline Alert multiDocumentModeAlert()
{
    Alert alert;
    alert.messageText = QStringLiteral("Please launch editor in multi-document mode");
    alert.informativeText = QStringLiteral(
        "You're currently running in single document editor.  This feature requires the editor to be launched in "
        "multi-document mode:\nPlease choose \"Open in multi-document mode\" and select the \"directory\" (folder) "
        "containing saved files");
    alert.buttons = {QStringLiteral("Open in multi-document mode"), QStringLiteral("Dismiss")};
    alert.style = Alert::Style::Warning;
    return alert;
}

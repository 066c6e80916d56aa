#include "publishing/ImageHostingOption.h"

#include "platform/Alerts.h"
#include "platform/UserDefaults.h"

ImageHostingOption::Option ImageHostingOption::current()
{
    const QString option = UserDefaults::standard().stringForKey(QStringLiteral("uploadOption"));
    if (option == QLatin1String("dropbox"))
        return Option::Dropbox;
    if (option == QLatin1String("ftp"))
        return Option::Ftp;
    return Option::Attachment;
}

QString ImageHostingOption::currentOptionText()
{
    switch (current()) {
    case Option::Dropbox:
        return QStringLiteral("Current option selected: Dropbox");
    case Option::Ftp:
        return QStringLiteral("Current option selected: FTP");
    case Option::Attachment:
        break;
    }
    return QStringLiteral("Current option selected: Attachment");
}

void ImageHostingOption::selectedAttachmentOption()
{
    UserDefaults::standard().setString(QStringLiteral("attachment"), QStringLiteral("uploadOption"));
}

void ImageHostingOption::selectedImageStorageFTPOption(QObject *window, std::function<void()> closeSheet,
                                                       std::function<void()> openServerSettings)
{
    UserDefaults::standard().setString(QStringLiteral("ftp"), QStringLiteral("uploadOption"));
    Alert alert;
    alert.messageText = QStringLiteral("FTP Selected");
    alert.informativeText = QStringLiteral("Image option updated to FTP");
    alert.buttons = {QStringLiteral("Configure FTP Settings"), QStringLiteral("OK")};
    alert.style = Alert::Style::Informational;
    Alerts::ask(alert, window, [closeSheet, openServerSettings](int response) {
        if (response != Alert::FirstButton)
            return;
        if (closeSheet)
            closeSheet();
        if (openServerSettings)
            openServerSettings();
    });
}

#include "publishing/DropboxAccountLink.h"

#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/DropboxClient.h"
#include "platform/Tasks.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace {

struct Service {
    QString appKey;
    QString baseAddress;
    DropboxAccountLink::BrowserOpener opener;
};

Service &service()
{
    static Service s;
    return s;
}

QString appKey()
{
    return service().appKey.isEmpty() ? Bundle::dropboxAppKey() : service().appKey;
}

}  // namespace

bool DropboxAccountLink::isAvailable()
{
    return !appKey().isEmpty();
}

std::shared_ptr<DropboxClient> DropboxAccountLink::newClient()
{
    auto client = std::make_shared<DropboxClient>(appKey());
    if (!service().baseAddress.isEmpty())
        client->setBaseAddress(service().baseAddress);
    return client;
}

void DropboxAccountLink::setServiceForTesting(const QString &key, const QString &baseAddress)
{
    service().appKey = key;
    service().baseAddress = key.isEmpty() ? QString() : baseAddress;
}

void DropboxAccountLink::setBrowserOpener(BrowserOpener opener)
{
    service().opener = std::move(opener);
}

bool DropboxAccountLink::linkDropbox(QObject *window, const Hooks &hooks)
{
    if (!isAvailable())
        return false;
    UserDefaults::standard().setString(QStringLiteral("dropbox"), QStringLiteral("uploadOption"));
    if (hooks.setupButtons)
        hooks.setupButtons();
    std::shared_ptr<DropboxClient> client = newClient();
    if (!client->isLinked()) {
        authenticate(client, window, hooks.finished);
        return true;
    }
    Alert alert;
    alert.messageText = QStringLiteral("Dropbox Linked");
    alert.informativeText = QStringLiteral("Image option updated to Dropbox");
    alert.buttons = {QStringLiteral("Re-Link Dropbox Account"), QStringLiteral("OK")};
    alert.style = Alert::Style::Informational;
    Alerts::ask(alert, window, [client, window, hooks](int response) {
        if (response != Alert::FirstButton) {
            if (hooks.finished)
                hooks.finished(true);
            return;
        }
        if (hooks.closeImageSettingsSheet)
            hooks.closeImageSettingsSheet();
        // The old account's tokens are revoked off the main thread, then sign-in starts.
        Tasks::runInBackground<bool>(
            window ? window : QCoreApplication::instance(),
            [client] {
                client->unlink();
                return true;
            },
            [client, window, hooks](bool) { authenticate(client, window, hooks.finished); });
    });
    return true;
}

void DropboxAccountLink::authenticate(const std::shared_ptr<DropboxClient> &client, QObject *window,
                                      std::function<void(bool linked)> finished)
{
    const QString address = client->beginSignIn();
    if (service().opener)
        service().opener(address);
    else
        QDesktopServices::openUrl(QUrl(address));
    Alert alert;
    alert.messageText = QStringLiteral("Link Your Dropbox Account");
    alert.informativeText = QStringLiteral("Allow access in the browser window that opened, then paste here the code "
                                           "Dropbox shows.");
    alert.hasTextField = true;
    alert.textFieldPlaceholder = QStringLiteral("Code from Dropbox");
    alert.buttons = {QStringLiteral("Link"), QStringLiteral("Cancel")};
    alert.style = Alert::Style::Informational;
    Alerts::current().show(alert, window, [client, window, finished](const AlertReply &reply) {
        if (reply.response != Alert::FirstButton || reply.text.trimmed().isEmpty()) {
            if (finished)
                finished(client->isLinked());
            return;
        }
        const QString code = reply.text;
        Tasks::runInBackground<QString>(
            window ? window : QCoreApplication::instance(),
            [client, code] { return client->finishSignIn(code) ? QString() : client->lastError(); },
            [client, window, finished](QString error) {
                if (error.isEmpty()) {
                    Alerts::inform(QStringLiteral("Dropbox Linked"), QStringLiteral("Image option updated to Dropbox"),
                                   window, Alert::Style::Informational);
                } else {
                    Alerts::inform(QStringLiteral("Dropbox Sign-In Failed"), error, window);
                }
                if (finished)
                    finished(error.isEmpty());
            });
    });
}

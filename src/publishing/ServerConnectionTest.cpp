#include "publishing/ServerConnectionTest.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "platform/Alerts.h"
#include "platform/HttpClient.h"
#include "platform/SafeFileWrite.h"
#include "platform/Tasks.h"
#include "platform/UserDefaults.h"
#include "publishing/ServerSettings.h"
#include "publishing/UploadFTPS.h"

#include <QDir>
#include <QPointer>

#include <memory>

namespace {

const QString kTestFileName = QStringLiteral("app_ftp_test.html");

// Keeps the log of the last report.
class LogDelegate : public UploadFTPSViewDelegate {
public:
    void UploadUpdate(UploadFTPS *, bool, const QString &uploadDetails, int32_t) override { log = uploadDetails; }
    QString log;
};

}  // namespace

ServerConnectionTest::ServerConnectionTest(QObject *parent) : QObject(parent) {}

ServerConnectionTest::~ServerConnectionTest() = default;

void ServerConnectionTest::askToTest(std::function<void()> verifyAndStore)
{
    Alert alert;
    alert.messageText = QStringLiteral("Would you like to test connection?");
    alert.informativeText = QStringLiteral("This App will try to upload a test file named app_ftp_test.html to the FTP server to test connection");
    alert.buttons = {tr("Yes"), tr("Cancel")};
    QPointer<ServerConnectionTest> guard(this);
    Alerts::ask(alert, window_, [guard, verifyAndStore = std::move(verifyAndStore)](int response) {
        if (!guard || response != Alert::FirstButton)
            return;
        if (verifyAndStore)
            verifyAndStore();
        guard->testFTPServer();
    });
}

bool ServerConnectionTest::testFTPServer()
{
    if (running_)
        return false;
    const QString folder = gWorkFolder.isEmpty() ? QDir::tempPath() : gWorkFolder;
    const QString testFile = QDir(folder).filePath(kTestFileName);
    QDir().mkpath(folder);
    QString error;
    if (!SafeFileWrite::write(testFile, QByteArrayLiteral("Test file"), &error)) {
        Alerts::inform(QStringLiteral("Upload Failed - Please Check Settings"), error, window_, Alert::Style::Informational);
        return false;
    }
    running_ = true;
    ProgressModel::instance().show();

    // Everything the worker needs is read here, on the main thread.
    auto transport = std::make_shared<UploadFTPS>();
    transport->currentSiteFolder = QStringLiteral("Haverloft");
    transport->grabCurrentSettings();
    transport->setUploadItemArray({UploadItem{testFile, QString(), kTestFileName, {}, {}, 0, false}});
    const QString url = UserDefaults::standard().stringForKey(QStringLiteral("baseurl")) + QLatin1Char('/') + kTestFileName;

    QPointer<ServerConnectionTest> guard(this);
    Tasks::runInBackground([transport, url, guard] {
        LogDelegate delegate;
        transport->setDelegate(&delegate);
        transport->createNewFolder(QStringLiteral("Test"));
        transport->uploadSingleFile();
        transport->setDelegate(nullptr);
        Result result;
        result.url = url;
        result.log = delegate.log;
        result.uploaded = transport->pendingItems().isEmpty();
        if (result.uploaded) {
            HttpClient client;
            const HttpClient::Response response = client.get(url, 60000, 1024 * 1024);
            result.webAccess = response.ok && response.status == 200 && response.body == "Test file";
        }
        Tasks::runOnMainThread([guard, result] {
            if (guard)
                guard->finish(result);
        });
    });
    return true;
}

void ServerConnectionTest::finish(const Result &result)
{
    running_ = false;
    connectionLog_ = result.log;
    ProgressModel::instance().dismiss();
    if (!result.uploaded) {
        Alert alert;
        alert.messageText = QStringLiteral("Upload Failed - Please Check Settings");
        alert.buttons = {tr("View Connection Log"), tr("OK")};
        alert.style = Alert::Style::Informational;
        QPointer<ServerConnectionTest> guard(this);
        Alerts::ask(alert, window_, [guard](int response) {
            if (guard && response == Alert::FirstButton && guard->showLog_)
                guard->showLog_(guard->connectionLog_);
        });
    } else {
        showFTPConnectionAlerts(result.webAccess, result.url, window_);
    }
    emit finished(result);
}

void ServerConnectionTest::showFTPConnectionAlerts(bool webAccess, const QString &url, QObject *window)
{
    if (webAccess)
        Alerts::inform(url, QStringLiteral("File Upload Test:  Success \nWeb Access Test: Success"), window, Alert::Style::Informational);
    else
        Alerts::inform(QStringLiteral("File Upload Test:  Success \nWeb Access Test: Failed"), ServerSettings::webAccessFailedText(url),
                       window, Alert::Style::Informational);
}

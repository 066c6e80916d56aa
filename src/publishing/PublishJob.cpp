#include "publishing/PublishJob.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "platform/Alerts.h"
#include "platform/Tasks.h"
#include "platform/TrustStore.h"
#include "platform/UserDefaults.h"
#include "publishing/PublishJobHost.h"
#include "publishing/UploadFTPS.h"

#include <QPointer>
#include <QUrl>

#include <future>

namespace {

// Hands each report of the transport to the main thread as a value; keeps the log of
// the last report for the outcome.
class WorkerDelegate : public UploadFTPSViewDelegate {
public:
    WorkerDelegate(std::function<void(const PublishReport &)> deliver, int32_t total)
        : deliver_(std::move(deliver)), total_(total)
    {
    }
    void UploadUpdate(UploadFTPS *, bool uploadResult, const QString &uploadDetails, int32_t fileCounter) override
    {
        lastDetails = uploadDetails;
        // A failure is told once, by the outcome the job hands over at its end.
        if (!uploadResult)
            return;
        const PublishReport report{fileCounter, total_};
        Tasks::runOnMainThread([deliver = deliver_, report] { deliver(report); });
    }
    QString lastDetails;

private:
    std::function<void(const PublishReport &)> deliver_;
    int32_t total_;
};

}  // namespace

PublishJob::PublishJob(PublishJobHost *host, QObject *parent) : QObject(parent), host_(host) {}

PublishJob::~PublishJob()
{
    // A worker still running keeps its transport; it stops before its next file.
    if (transport_)
        transport_->cancel();
}

bool PublishJob::isMailEdition(const QString &appName)
{
    return appName == QLatin1String("Glentor Mails Pro 2") || appName == QLatin1String("Glentor Mails Express");
}

QString PublishJob::statusText(int32_t uploadCounter, int32_t total, const QString &appName)
{
    if (isMailEdition(appName))
        return QStringLiteral("Please wait...");
    return QStringLiteral("Please wait: %1/%2 completed").arg(uploadCounter).arg(total);
}

QString PublishJob::fileText(const QList<UploadItem> &items, int32_t uploadCounter)
{
    if (uploadCounter < 0 || uploadCounter >= items.size() - 1)
        return {};
    const UploadItem &item = items.at(uploadCounter);
    return QStringLiteral("Uploading: %1/%2").arg(item.remoteFolder, item.remoteFileName);
}

QString PublishJob::linkTo(const QString &base, const QString &name)
{
    return base + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QString PublishJob::listOfFiles(const QList<UploadItem> &items)
{
    QStringList lines;
    for (const UploadItem &item : items) {
        QString folder = item.remoteFolder;
        while (folder.startsWith(QLatin1Char('/')))
            folder.remove(0, 1);
        lines << (folder.isEmpty() ? item.remoteFileName : folder + QLatin1Char('/') + item.remoteFileName);
    }
    return lines.join(QLatin1Char('\n'));
}

bool PublishJob::start(const QList<UploadItem> &items, const QString &pageName, const QString &publishExt, Kind kind)
{
    if (running_ || items.isEmpty())
        return false;
    allItems_ = items;
    pageName_ = pageName;
    publishExt_ = publishExt;
    kind_ = kind;
    return run(items);
}

bool PublishJob::run(const QList<UploadItem> &items)
{
    running_ = true;
    cancelRequested_ = false;
    runItems_ = items;
    if (host_)
        host_->publishingChanged(true);

    ProgressModel &progress = ProgressModel::instance();
    progress.show();
    progress.setTexts(QStringLiteral("Please wait..."), QString(), 0, items.size());
    QPointer<PublishJob> guard(this);
    progress.setCancelHandler([guard] {
        if (guard)
            guard->cancel();
    });

    // Settings and password are read here, on the main thread; the worker gets the
    // transport ready to run and touches nothing else of ours.
    auto transport = std::make_shared<UploadFTPS>();
    transport->currentSiteFolder = QStringLiteral("Haverloft");
    transport->grabCurrentSettings();
    transport->setUploadItemArray(items);
    transport->setHostKeyConsent([guard](const QString &host, const QString &fingerprint) {
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> future = answer->get_future();
        const bool queued = Tasks::runOnMainThread([guard, answer, host, fingerprint] {
            if (!guard) {
                answer->set_value(false);
                return;
            }
            guard->askHostKeyThen(host, fingerprint, [answer](bool yes) { answer->set_value(yes); });
        });
        return queued && future.get();
    });
    transport_ = transport;

    const QString folder = pageName_;
    const int32_t total = int32_t(items.size());
    const QString server = transport->server_local;
    auto deliver = [guard](const PublishReport &report) {
        if (guard)
            guard->report(report);
    };
    Tasks::runInBackground([transport, guard, deliver, folder, total, server] {
        WorkerDelegate delegate(deliver, total);
        transport->setDelegate(&delegate);
        transport->createNewFolder(folder);
        transport->uploadSingleFile();
        transport->setDelegate(nullptr);
        PublishOutcome outcome;
        outcome.pending = transport->pendingItems();
        outcome.success = outcome.pending.isEmpty();
        outcome.server = server;
        outcome.rejectedCertificatePem = transport->rejectedCertificatePem();
        outcome.rejectedCertificateFingerprint = transport->rejectedCertificateFingerprint();
        outcome.rejectedCertificateServer = transport->rejectedCertificateServer();
        outcome.rejectedHostKeyFingerprint = transport->rejectedHostKeyFingerprint();
        outcome.hostKeyChanged = transport->hostKeyChanged();
        outcome.log = delegate.lastDetails;
        Tasks::runOnMainThread([guard, outcome] {
            if (guard)
                guard->finish(outcome);
        });
    });
    return true;
}

void PublishJob::cancel()
{
    if (!running_)
        return;
    cancelRequested_ = true;
    if (transport_)
        transport_->cancel();
}

void PublishJob::report(const PublishReport &report)
{
    if (!running_)
        return;
    const int32_t uploadCounter = report.counter + 1;
    ProgressModel::instance().setTexts(statusText(uploadCounter, report.total, gAppName),
                                       fileText(runItems_, uploadCounter), uploadCounter, report.total);
    emit progressed(report);
}

void PublishJob::finish(const PublishOutcome &outcome)
{
    outcome_ = outcome;
    outcome_.cancelled = cancelRequested_ && !outcome.success;
    connectionLog_ = outcome.log;
    transport_.reset();
    running_ = false;
    ProgressModel::instance().dismiss();
    if (host_)
        host_->publishingChanged(false);
    if (outcome_.success)
        succeed();
    else if (!outcome_.rejectedCertificateFingerprint.isEmpty())
        askToTrustCertificate();
    else
        fail();
    emit finished(outcome_);
}

void PublishJob::succeed()
{
    if (isMailEdition(gAppName)) {
        if (host_)
            host_->mailDesignUploaded();
        return;
    }
    QObject *window = host_ ? host_->publishWindow() : nullptr;
    const QString baseUrl = UserDefaults::standard().stringForKey(QStringLiteral("baseurl"));
    if (baseUrl.isEmpty()) {
        Alerts::inform(QStringLiteral("Upload Complete!"), QStringLiteral("Upload has been successful completed!"), window,
                       Alert::Style::Informational);
        return;
    }
    if (kind_ == Kind::UserFiles) {
        const QString address = linkTo(baseUrl, pageName_);
        Alert alert;
        alert.messageText = QStringLiteral("Upload Complete!");
        alert.informativeText = QStringLiteral("Files have been uploaded to the following folder:\n\n%1").arg(address);
        alert.buttons = {tr("Generate Links to Uploaded Files"), tr("Cancel")};
        alert.style = Alert::Style::Informational;
        QPointer<PublishJob> guard(this);
        Alerts::ask(alert, window, [guard](int response) {
            if (guard && response == Alert::FirstButton)
                guard->generateLinksToUploadedDocuments();
        });
        return;
    }
    const QString address = linkTo(baseUrl, pageName_ + QLatin1Char('.') + publishExt_);
    shareLink_ = address;
    if (host_)
        host_->showShareWindow(address, QStringLiteral("Successfully published!\n\n%1").arg(address));
}

void PublishJob::generateLinksToUploadedDocuments()
{
    if (!host_)
        return;
    const QString folder = linkTo(UserDefaults::standard().stringForKey(QStringLiteral("baseurl")), pageName_);
    for (qsizetype i = 0; i < allItems_.size(); ++i) {
        const QString name = allItems_.at(i).remoteFileName;
        host_->addLinkTextBox(name, linkTo(folder, name), QRectF(100, 100 + 50 * double(i), 300, 40));
    }
}

void PublishJob::fail()
{
    QObject *window = host_ ? host_->publishWindow() : nullptr;
    Alert alert;
    if (outcome_.cancelled) {
        alert.messageText = QStringLiteral("Upload Cancelled");
        alert.informativeText = QStringLiteral("The upload was cancelled.");
    } else {
        alert.messageText = QStringLiteral("Uhoh!  We have a problem");
        alert.informativeText = QStringLiteral("The upload was not successful.  Please check FTP Settings.");
        if (outcome_.hostKeyChanged)
            alert.informativeText += QStringLiteral("\n\nThe server's key has changed since the last connection, so it was refused: "
                                                    "someone may be posing as your server.");
    }
    alert.informativeText += QStringLiteral("\n\nNot on the server:\n") + listOfFiles(outcome_.pending);
    alert.buttons = {tr("View Connection Log"), tr("Retry"), tr("OK")};
    QPointer<PublishJob> guard(this);
    Alerts::ask(alert, window, [guard](int response) {
        if (!guard)
            return;
        if (response == Alert::FirstButton && guard->host_)
            guard->host_->showConnectionLog(guard->connectionLog_);
        else if (response == Alert::FirstButton + 1 && !guard->running_)
            guard->run(guard->outcome_.pending);
    });
}

void PublishJob::askToTrustCertificate()
{
    QObject *window = host_ ? host_->publishWindow() : nullptr;
    Alert alert;
    alert.messageText = QStringLiteral("Certificate Not Trusted");
    alert.informativeText = QStringLiteral("The certificate of %1 could not be verified, so nothing was sent.\n\n"
                                           "SHA-256 fingerprint:\n%2\n\n"
                                           "Trust it for %1 only if your web host confirms this fingerprint.")
                                .arg(outcome_.rejectedCertificateServer.isEmpty() ? outcome_.server
                                                                                  : outcome_.rejectedCertificateServer,
                                     outcome_.rejectedCertificateFingerprint);
    alert.buttons = {tr("Trust and Retry"), tr("View Connection Log"), tr("Cancel")};
    QPointer<PublishJob> guard(this);
    Alerts::ask(alert, window, [guard](int response) {
        if (!guard)
            return;
        if (response == Alert::FirstButton) {
            QString error;
            if (!TrustStore::trustCertificate(guard->outcome_.rejectedCertificatePem,
                                              guard->outcome_.rejectedCertificateServer, &error)) {
                Alerts::inform(QStringLiteral("Certificate Not Saved"), error, guard->host_ ? guard->host_->publishWindow() : nullptr);
                return;
            }
            if (!guard->running_)
                guard->run(guard->outcome_.pending);
        } else if (response == Alert::FirstButton + 1 && guard->host_) {
            guard->host_->showConnectionLog(guard->connectionLog_);
        }
    });
}

void PublishJob::askHostKeyThen(const QString &host, const QString &fingerprint, std::function<void(bool)> answer)
{
    Alert alert;
    alert.messageText = QStringLiteral("Unknown Server Key");
    alert.informativeText = QStringLiteral("This computer has not connected to %1 before. Its key has the fingerprint\n%2\n\n"
                                           "Connect only if your web host confirms this fingerprint; the key is then remembered.")
                                .arg(host, fingerprint);
    alert.buttons = {tr("Connect"), tr("Cancel")};
    Alerts::ask(alert, host_ ? host_->publishWindow() : nullptr,
                [answer = std::move(answer)](int response) { answer(response == Alert::FirstButton); });
}

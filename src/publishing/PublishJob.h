#pragma once
// One document's publish job: an upload list sent by UploadFTPS on a worker thread
// while the progress window counts the files, ending in the success step (share
// window, links or a plain alert) or in an alert that names the files not on the
// server and offers to send exactly those again.
//
// The settings are read and the transport made on the main thread; the worker only
// runs the transport, and its reports come back to the main thread as values. One
// job at a time: start() refuses while a job runs, and every job ends.
#include "publishing/UploadItem.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class PublishJobHost;
class UploadFTPS;

// A file confirmed on the server, as the main thread hears of it.
struct PublishReport {
    int32_t counter = 0;  // index of the file just sent
    int32_t total = 0;
};

// How a job ended.
struct PublishOutcome {
    bool success = false;
    bool cancelled = false;
    QString log;
    QList<UploadItem> pending;  // not confirmed on the server
    QString server;
    QByteArray rejectedCertificatePem;
    QString rejectedCertificateFingerprint;
    QString rejectedCertificateServer; // "host:port": what trusting the certificate covers
    QString rejectedHostKeyFingerprint;
    bool hostKeyChanged = false;
};

class PublishJob : public QObject {
    Q_OBJECT
public:
    enum class Kind { Page, AllPages, UserFiles };

    explicit PublishJob(PublishJobHost *host, QObject *parent = nullptr);
    ~PublishJob() override;

    // Starts sending items (on the main thread). pageName names the remote folder
    // made first and the published address; publishExt the page's extension there.
    // False, with nothing started, while a job runs or when items is empty.
    bool start(const QList<UploadItem> &items, const QString &pageName, const QString &publishExt, Kind kind);
    bool isRunning() const { return running_; }
    // Stops the job before its next file; it ends in the cancelled alert.
    void cancel();

    // The whole list of the last job started by start() (a retry sends part of it).
    const QList<UploadItem> &uploadItemArray() const { return allItems_; }
    const QString &connectionLog() const { return connectionLog_; }
    const QString &shareLink() const { return shareLink_; }
    const PublishOutcome &lastOutcome() const { return outcome_; }

    // Texts of the progress window: "Please wait: %d/%d completed" (counts only
    // outside the mail editions) and "Uploading: %@/%@" for the item at uploadCounter
    // while it is not the last.
    static QString statusText(int32_t uploadCounter, int32_t total, const QString &appName);
    static QString fileText(const QList<UploadItem> &items, int32_t uploadCounter);
    // "%@/%@" of base and name, name percent-encoded as UTF-8.
    static QString linkTo(const QString &base, const QString &name);
    // The lines naming the files of items, as the failure alert lists them.
    static QString listOfFiles(const QList<UploadItem> &items);
    static bool isMailEdition(const QString &appName);

    // Adds the link text boxes for the files of the last user-file job.
    void generateLinksToUploadedDocuments();

signals:
    void progressed(const PublishReport &report);
    // After the success or failure step has been shown.
    void finished(const PublishOutcome &outcome);

private:
    bool run(const QList<UploadItem> &items);
    void report(const PublishReport &report);
    void finish(const PublishOutcome &outcome);
    void succeed();
    void fail();
    void askToTrustCertificate();
    void askHostKeyThen(const QString &host, const QString &fingerprint, std::function<void(bool)> answer);

    PublishJobHost *host_;
    bool running_ = false;
    bool cancelRequested_ = false;
    QList<UploadItem> allItems_;
    QList<UploadItem> runItems_;
    QString pageName_;
    QString publishExt_;
    Kind kind_ = Kind::Page;
    QString connectionLog_;
    QString shareLink_;
    PublishOutcome outcome_;
    std::shared_ptr<UploadFTPS> transport_;
};

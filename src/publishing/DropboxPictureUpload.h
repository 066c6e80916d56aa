#pragma once
// A document's pictures hosted in the user's Dropbox: its upload list sent one item
// after the other, each answered with a public direct-download link that becomes the
// picture address of the e-mail.
//
// The transfers run off the main thread, one at a time; every result, the progress
// and the end arrive on the main thread. The first failure ends the list: the items
// after it are not sent and the user is told to check the link to Dropbox.
#include "publishing/UploadItem.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class DropboxClient;

class DropboxPictureUpload : public QObject {
    Q_OBJECT
public:
    // window: where the failure alert goes (may be null).
    explicit DropboxPictureUpload(QObject *window = nullptr, QObject *parent = nullptr);
    ~DropboxPictureUpload() override;

    QList<UploadItem> uploadItemArray;
    int uploadCounter = 0;   // the item being sent
    QString dropboxLink;     // link of the last item sent

    // The progress window's side of the job.
    std::function<void()> updateProgressBar;              // after each link
    std::function<void()> updateProgressBarDoneSuccess;   // after the last link
    std::function<void()> orderOutProgressWindow;         // before the failure alert

    // The client every upload uses; made on first use for the user's account.
    void setClient(std::shared_ptr<DropboxClient> client) { restClient_ = std::move(client); }

    // Sends uploadItemArray from its first item.
    void startDropboxUpload();
    // Sends one file as remoteFolder/remoteFileName, then asks for its link.
    void uploadFileDB(const QString &remoteFolder, const QString &remoteFileName, const QString &localPath);
    // Ends the job with the failure alert.
    void showDropboxError();

    bool isRunning() const { return running_; }
    // Why the last item failed, as Dropbox or the connection said.
    QString lastError() const { return lastError_; }

private:
    struct Outcome {
        bool uploaded = false;
        bool linked = false;
        QString link;
        QString error;
    };
    void finishItem(const Outcome &outcome);

    QObject *window_ = nullptr;
    std::shared_ptr<DropboxClient> restClient_;
    bool running_ = false;
    QString lastError_;
};

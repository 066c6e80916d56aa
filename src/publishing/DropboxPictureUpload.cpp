#include "publishing/DropboxPictureUpload.h"

#include "platform/Alerts.h"
#include "platform/DropboxClient.h"
#include "platform/Tasks.h"
#include "publishing/DropboxAccountLink.h"

#include <QDebug>

DropboxPictureUpload::DropboxPictureUpload(QObject *window, QObject *parent)
    : QObject(parent)
    , window_(window)
{
}

DropboxPictureUpload::~DropboxPictureUpload() = default;

void DropboxPictureUpload::startDropboxUpload()
{
    uploadCounter = 0;
    lastError_.clear();
    if (uploadItemArray.isEmpty()) {
        if (updateProgressBarDoneSuccess)
            updateProgressBarDoneSuccess();
        return;
    }
    const UploadItem &item = uploadItemArray.at(0);
    uploadFileDB(item.remoteFolder, item.remoteFileName, item.localPath);
}

void DropboxPictureUpload::uploadFileDB(const QString &remoteFolder, const QString &remoteFileName,
                                        const QString &localPath)
{
    if (!restClient_)
        restClient_ = DropboxAccountLink::newClient();
    running_ = true;
    std::shared_ptr<DropboxClient> client = restClient_;
    Tasks::runInBackground<Outcome>(
        this,
        [client, remoteFolder, remoteFileName, localPath] {
            Outcome outcome;
            DropboxClient::Uploaded uploaded;
            outcome.uploaded = client->upload(localPath, remoteFolder, remoteFileName, &uploaded);
            if (outcome.uploaded)
                outcome.linked = client->sharedLink(uploaded.path, &outcome.link);
            if (!outcome.linked)
                outcome.error = client->lastError();
            return outcome;
        },
        [this](Outcome outcome) { finishItem(outcome); });
}

void DropboxPictureUpload::finishItem(const Outcome &outcome)
{
    if (!outcome.uploaded || !outcome.linked) {
        running_ = false;
        lastError_ = outcome.error;
        qWarning().noquote() << (outcome.uploaded ? "load sharable link failed" : "file upload failed") << outcome.error;
        showDropboxError();
        return;
    }
    const QString link = DropboxClient::directLink(outcome.link);
    if (uploadCounter >= 0 && uploadCounter < uploadItemArray.size())
        uploadItemArray[uploadCounter].dropboxLink = link;
    dropboxLink = link;
    ++uploadCounter;
    if (updateProgressBar)
        updateProgressBar();
    if (uploadCounter < uploadItemArray.size()) {
        const UploadItem &next = uploadItemArray.at(uploadCounter);
        uploadFileDB(next.remoteFolder, next.remoteFileName, next.localPath);
        return;
    }
    running_ = false;
    if (updateProgressBarDoneSuccess)
        updateProgressBarDoneSuccess();
}

void DropboxPictureUpload::showDropboxError()
{
    if (orderOutProgressWindow)
        orderOutProgressWindow();
    Alert alert;
    alert.messageText = QStringLiteral("Image Upload Failed");
    alert.informativeText = QStringLiteral("Please check Settings and re-link your Dropbox account.");
    alert.buttons = {QStringLiteral("Cancel")};
    Alerts::current().show(alert, window_, {});
}

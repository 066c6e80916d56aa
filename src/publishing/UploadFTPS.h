#pragma once
// The transport of one publishing job: packing and unpacking page packages, and the
// server side (folders, upload, deletion over FTP, FTPS and SFTP); mail joins it in the
// same class.
//
// One object per job: made, given its work, used once or twice, dropped.
#include "document/PagePackage.h"

#include <QString>

// ---- mail: includes ----
#include "platform/SmtpSender.h"
#include "publishing/UploadFTPSViewDelegate.h"

#include <QStringList>

#include <cstdint>
// ---- end mail: includes ----
// ---- server transport: includes ----
#include "platform/SftpSession.h"
#include "publishing/UploadItem.h"

#include <QList>

#include <atomic>
#include <memory>

class FtpSession;
// ---- end server transport: includes ----

class UploadFTPS : public PagePackage {
public:
    UploadFTPS();
    ~UploadFTPS();
    UploadFTPS(const UploadFTPS &) = delete;
    UploadFTPS &operator=(const UploadFTPS &) = delete;

    // Packing and unpacking page packages (zipDocument, unzipDocument, zipLog) come
    // from PagePackage.

    // ---- mail ----
    //
    // Sends one HTML e-mail through the mail account of the preferences. Safe to run on
    // a worker thread when populateMail() was called on the main thread first (the
    // preferences are read there, not on the worker).

    // The mail account as populateMail() read it.
    struct MailAccount {
        QString senderName;
        QString senderAddress;
        QString smtpServer;
        QString smtpUsername;  // the sender address when none is stored
        QString smtpPassword;
        int32_t smtpPort = 587;  // 587 when the stored text reads as 0
        QString connectionType;
        QString emailOption;   // "coder": the file is the body as it is; else pictures embedded
    };

    // delegate, setDelegate, smtpSSLFlag and smtpTLSFlag are declared in the
    // server-transport block below and shared by both halves.

    // Reads the mail account from the preferences: "SSL" sets smtpSSLFlag, "None"
    // neither flag, anything else smtpTLSFlag.
    void populateMail();
    const MailAccount &mailAccount() const { return mailAccount_; }
    // Sends the HTML file at htmlPath to the lists (addresses are trimmed, empty ones
    // dropped; an empty To list sends to the sender). The sender always gets a copy;
    // every address gets one copy. True once the server accepted the message; the
    // delegate hears the outcome and the log before this returns, on this thread.
    bool sendMail(const QString &htmlPath, const QString &subject, const QStringList &toList,
                  const QStringList &ccList, const QStringList &bccList);
    // What the last send did in detail: refused addresses, delivered ones, the error.
    const SmtpSender::Result &lastSendResult() const { return sendResult_; }
    // Test hook: the certificates a send verifies against (default: system + trusted).
    void setMailCertificateBundle(const QByteArray &pem) { mailBundle_ = pem; }

private:
    bool buildMailBody(const QString &htmlPath, MimeMessage &message, QString &log);
    bool finishMail(bool result, const QString &log);

    MailAccount mailAccount_;
    bool mailAccountLoaded_ = false;
    SmtpSender::Result sendResult_;
    QByteArray mailBundle_;

public:
    // ---- end mail ----
    // ---- server transport (FTP, FTPS, SFTP) ----
    //
    // One connection serves the whole job: the first operation opens it, the upload
    // closes it at its end (or a failure drops it). A file counts as sent only when
    // the server reports its whole size; every other outcome ends the job with one
    // failure report, and pendingItems() then names what is not on the server.

    UploadFTPSViewDelegate *delegate = nullptr;  // not owned
    QList<UploadItem> uploadItemArray;
    QString server_local;
    QString userName_local;
    QString password_local;
    QString remoteDirectory_local;
    int32_t portnumber_local = 0;
    QString FTPProtocolType_local;
    bool FTPPassiveMode = true;
    QStringList fileArray;       // remote names for deleteSingleFile / deleteFolder
    QString currentSiteFolder;   // callers set "Haverloft"; nothing depends on it
    bool smtpSSLFlag = false;
    bool smtpTLSFlag = false;

    void setDelegate(UploadFTPSViewDelegate *d) { delegate = d; }
    void setUploadItemArray(const QList<UploadItem> &items) { uploadItemArray = items; }

    // Loads the server settings from the preferences (the password from the
    // credential store).
    void grabCurrentSettings();
    // Reloads the passive/active choice alone.
    void determineFTPMode();
    // Creates the folder name under the remote path; failures stay quiet.
    void createNewFolder(const QString &folderName);
    // Sends uploadItemArray, reporting each file to the delegate.
    void uploadSingleFile();
    // FTP and FTPS only: empties and removes the folder name, then deletes fileArray.
    void deleteFolder(const QString &folderName);
    // FTP and FTPS only: deletes each name of fileArray in the remote path.
    void deleteSingleFile();

    // The HTML text as well-formed XML (UTF-8, with its declaration); empty when the
    // text cannot be read as HTML at all.
    QString convertHTML(const QString &html);

    // Asked from the job's thread about an SSH host key the program has not met.
    void setHostKeyConsent(SftpSession::HostKeyConsent consent) { hostKeyConsent_ = std::move(consent); }
    // Stops the upload before its next file (any thread); it ends with a failure report.
    void cancel() { cancelled_ = true; }
    // The items not confirmed on the server by the last upload (all of them before it).
    QList<UploadItem> pendingItems() const;
    // After a failure: the certificate or host key that was refused, if that was why.
    QByteArray rejectedCertificatePem() const { return rejectedPem_; }
    QString rejectedCertificateFingerprint() const { return rejectedCertificate_; }
    // The server ("host:port") the refused certificate was shown for.
    QString rejectedCertificateServer() const { return rejectedCertificateServer_; }
    QString rejectedHostKeyFingerprint() const { return rejectedHostKey_; }
    bool hostKeyChanged() const { return hostKeyChanged_; }

    // Paths joined as components: one "/" between parts, none doubled, an empty part
    // adding nothing.
    static QString joinPath(const QString &first, const QString &second);
    // The absolute folder an FTP upload of item works in.
    QString ftpFolderFor(const UploadItem &item) const;
    // The remote path an SFTP upload of item writes.
    QString sftpPathFor(const UploadItem &item) const;

private:
    bool isSftp() const { return FTPProtocolType_local == QLatin1String("SFTP"); }
    bool isFtps() const { return FTPProtocolType_local == QLatin1String("FTPS"); }
    bool connectFtp();
    bool connectSftp();
    void noteRefusal();
    void report(bool result, const QString &details, int32_t counter);
    void createFolder(const QString &folderName);
    void createFTPSFolder(const QString &folderName);
    void upload();
    void uploadFTPS();
    void deleteFTPFolder(const QString &folderName);
    void deleteFile();

    std::unique_ptr<FtpSession> ftp_;
    std::unique_ptr<SftpSession> sftp_;
    SftpSession::HostKeyConsent hostKeyConsent_;
    std::atomic<bool> cancelled_{false};
    int32_t confirmed_ = -1;  // index of the last item confirmed by the last upload
    bool uploadRan_ = false;
    QByteArray rejectedPem_;
    QString rejectedCertificate_;
    QString rejectedCertificateServer_;
    QString rejectedHostKey_;
    bool hostKeyChanged_ = false;
    // ---- end server transport ----
};

#pragma once
// The transport of one publishing job: packing and unpacking page packages here; the
// server side (upload, folders, mail) joins it in the same class.
//
// One object per job: made, given its work, used once or twice, dropped.
#include <QString>

// ---- mail: includes ----
#include "platform/SmtpSender.h"
#include "publishing/UploadFTPSViewDelegate.h"

#include <QStringList>

#include <cstdint>
// ---- end mail: includes ----

class UploadFTPS {
public:
    UploadFTPS() = default;

    // Packs a page in the flat layout: the contents of folder (W/N) at the root of the
    // archive, then the page file beside the folder (N.php for a "trelkoforms"
    // package, else N.html), N.png and N@2x.png, each when it exists. True when the
    // archive was started, the folder added and the archive written.
    bool zipDocument(const QString &folder, const QString &packagePath);
    // Packs a page in the mirrored layout: names relative to the folder's parent (W),
    // so the archive holds N/… and then N.html and N.php (each when it exists), N.png
    // and N@2x.png.
    bool zipDocument_mailchimp(const QString &folder, const QString &packagePath);
    // Unpacks a package into targetFolder; true when it was unpacked whole.
    bool unzipDocument(const QString &packagePath, const QString &targetFolder);

    // What the last package operation did: "Zip Created!" or "Unzipped N files", or
    // the reason it failed.
    QString zipLog() const { return zipLog_; }

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

    // Shared with the server-transport block (keep one declaration of each on merge).
    UploadFTPSViewDelegate *delegate = nullptr;  // not owned
    bool smtpSSLFlag = false;
    bool smtpTLSFlag = false;
    void setDelegate(UploadFTPSViewDelegate *d) { delegate = d; }

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

private:
    bool zip(const QString &folder, const QString &packagePath, bool mirrored);

    QString zipLog_;
};

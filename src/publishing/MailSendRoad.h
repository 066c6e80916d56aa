#pragma once
// How one page document of an e-mail edition goes out as an e-mail: the recipient
// sheet's send button leads here, the settings are checked, the lists prepared, the
// user reviews what will go, and the send runs on a worker while the progress window
// shows; its outcome comes back on the main thread as the "Mail Sent" or the failure
// alert, with the conversation kept for the error log.
//
// Two kinds of design travel this road. A responsive e-mail edition sends its page
// itself, its pictures inside the message. The other mail editions send one picture of
// the whole design, put online first (the FTP server, Dropbox, or nowhere when the
// picture goes as a file), inside a small image-map page whose rectangles are the
// design's links (MailSendRoadImageMap.cpp).
//
// The windows (recipient sheet, review sheet, error log, source window, settings) are
// reached through Hooks, so the road runs and is tested without any of them.
#include "publishing/PublishJobHost.h"
#include "publishing/UploadItem.h"
#include "platform/SmtpSender.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DropboxPictureUpload;
class DropboxClient;
class PublishJob;
class SKTDocument;

class MailSendRoad : public QObject, public PublishJobHost {
    Q_OBJECT
public:
    // What the recipient sheet holds when its send button is pressed.
    struct RecipientSheet {
        QString to;   // comma-separated, as typed
        QString cc;
        QString bcc;
        QString subject;
        QString header;   // the image-map editions' texts above and below the picture
        QString footer;
        QString tooltip;  // the picture's alt text
    };

    struct Hooks {
        // The recipient sheet's fields as they stand (empty fields when unset).
        std::function<RecipientSheet()> recipientSheet;
        // Closes the recipient sheet (before the settings check, and after a send).
        std::function<void()> cancelMailRecipientSheet;
        // Shows the review text; its Send button calls sendNow(), Cancel
        // hideReviewMailDataPanel. Unset: nothing is shown and nothing sent.
        std::function<void(const QString &review)> showReview;
        std::function<void()> hideReviewMailDataPanel;
        // "Check SMTP Settings" of the incomplete-settings alert.
        std::function<void()> showMailSettings;
        // The "Error log" window with a log text.
        std::function<void(const QString &log)> showConnectionLog;
        // The "HTML Code" source window with a text.
        std::function<void(const QString &code)> presentSource;
        // The canvas drops its selection before the design is drawn.
        std::function<void()> deselectAll;
    };

    // window: where alerts and the picture upload's windows belong (may be null).
    explicit MailSendRoad(SKTDocument &document, QObject *window = nullptr, QObject *parent = nullptr);
    ~MailSendRoad() override;

    Hooks hooks;

    // --- the send road ----------------------------------------------------------
    // The recipient sheet's send button: takes its texts, then puts the picture
    // online (image-map editions) or goes straight on (responsive editions).
    void getReadyToSendEmail();
    // Closes the recipient sheet, checks the settings, writes the page, prepares the
    // lists and shows the review.
    void sendHTMLEmail();
    // Prepares the lists and refuses, in an alert naming each address and its field,
    // what could not be sent; the recipient sheet stays open. True when all is sendable.
    bool reviewAddresses();
    // The settings check (sender address and server stored); sendMailInCompleteString
    // names what is missing.
    bool grabSendMailSettings();
    // The three lists from the recipient sheet: trimmed, empty parts dropped.
    void prepMailingList();
    // The review text (also reads the sender and the subject).
    QString prepSendMailAlertMsg();
    // How many different addresses get a copy (besides the sender).
    int getMailingListCount() const;
    int countRecipients() const { return getMailingListCount(); }
    // The review sheet's Send: sendEmailNow() or, in a responsive edition,
    // sendHTMLEmailNow().
    void sendNow();
    // Sends the image-map page.
    void sendEmailNow();
    // Sends the page itself, its pictures inside the message.
    void sendHTMLEmailNow();
    void mailSentSuccessfully();
    void mailSentFailed();
    // The "Error log" window with log (also the picture upload's log).
    void showConnectionLog(const QString &log) override;
    bool isSending() const { return sending_; }

    // --- the image-map design (MailSendRoadImageMap.cpp) -------------------------
    // Draws the design, writes "glentormails.png" to the work folder and puts it
    // where "uploadOption" says, then goes on to the send (or the source window when
    // showCodeOnlyFlag is set).
    void uploadPNG();
    // Draws the design into mailImage and writes it as PNG at path.
    bool savePNG(const QString &path);
    // The image-map page of the design (also kept as the generated source).
    QString generateEmailCode();
    // Writes generateEmailCode() to "imagemap.html" in the work folder; its path, or
    // empty when it could not be written.
    QString generateImageMapEmail();
    // Shows the image-map page in the document's source window ("HTML Code").
    void presentGeneratedSourceCode();
    // The picture address of the image-map page for the stored "uploadOption".
    QString pictureAddress() const;

    // --- what the road keeps -------------------------------------------------------
    QString mailHeader;
    QString mailFooter;
    QString mailTooltipText;
    QString sendMailInCompleteString;
    QString sendMailResults;        // the log of the last send
    QStringList mailToList;
    QStringList mailCCList;
    QStringList mailBCCList;
    QString mailSubject;
    QString mailSenderAddress;
    QString mailSenderName;
    QList<UploadItem> uploadItemArray;
    int32_t uploadCounter = 0;
    QString uploadTimeStampFolder;
    QString dropboxLink;
    QImage mailImage;
    // What the last send did in detail (delivered, refused, error).
    SmtpSender::Result lastSendResult;

    // Tests: the certificates sends verify against.
    void setMailCertificateBundle(const QByteArray &pem) { mailBundle_ = pem; }
    // Tests and the window: the picture upload's Dropbox client and FTP job.
    void setDropboxClient(std::shared_ptr<DropboxClient> client);
    PublishJob &publishJob();
    DropboxPictureUpload &dropboxUpload();

    // PublishJobHost: the picture's FTP upload.
    QObject *publishWindow() override { return window_; }
    void showShareWindow(const QString &, const QString &) override {}
    void mailDesignUploaded() override;

signals:
    // A send has ended (after its alert was shown).
    void sendFinished(bool success);

private:
    struct SendOutcome {
        bool success = false;
        QString log;
        SmtpSender::Result result;
    };
    void startSend(const QString &htmlPath, bool withProgress);
    void finishSend(const SendOutcome &outcome, bool withProgress);
    void pictureOnline();
    // The page to mail for the page file at pagePath: the file itself, or, when it
    // carries its editing form, the page alone written beside it. Empty on failure.
    static QString mailPageFor(const QString &pagePath);
    // "Refused: …" lines of the last send.
    QString refusedText() const;

    SKTDocument &document_;
    QObject *window_ = nullptr;
    bool sending_ = false;
    QByteArray mailBundle_;
    std::unique_ptr<PublishJob> publishJob_;
    std::unique_ptr<DropboxPictureUpload> dropboxUpload_;
    std::shared_ptr<DropboxClient> dropboxClient_;
};

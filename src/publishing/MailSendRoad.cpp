#include "publishing/MailSendRoad.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "document/PageEditingCopy.h"
#include "document/SKTDocument.h"
#include "platform/Alerts.h"
#include "platform/DropboxClient.h"
#include "platform/Tasks.h"
#include "platform/TextCodec.h"
#include "platform/UserDefaults.h"
#include "publishing/DropboxPictureUpload.h"
#include "publishing/MailSendReview.h"
#include "publishing/PageExport.h"
#include "publishing/PublishJob.h"
#include "publishing/UploadFTPS.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

MailSendRoad::MailSendRoad(SKTDocument &document, QObject *window, QObject *parent)
    : QObject(parent)
    , document_(document)
    , window_(window)
{
}

MailSendRoad::~MailSendRoad() = default;

void MailSendRoad::getReadyToSendEmail()
{
    const RecipientSheet sheet = hooks.recipientSheet ? hooks.recipientSheet() : RecipientSheet();
    mailHeader = sheet.header;
    mailFooter = sheet.footer;
    mailTooltipText = sheet.tooltip;
    // Nothing goes online or out while an address cannot be sent to.
    if (!reviewAddresses())
        return;
    if (gResponsiveEdition)
        sendHTMLEmail();
    else
        uploadPNG();
}

bool MailSendRoad::grabSendMailSettings()
{
    return MailSendReview::grabSendMailSettings(UserDefaults::standard(), &sendMailInCompleteString);
}

bool MailSendRoad::reviewAddresses()
{
    prepMailingList();
    const QString subject = hooks.recipientSheet ? hooks.recipientSheet().subject : QString();
    const QStringList problems = MailSendReview::addressProblems(subject, mailToList, mailCCList, mailBCCList);
    if (problems.isEmpty())
        return true;
    // The recipient sheet stays open, so the addresses are corrected where they were typed.
    Alerts::inform(QString::fromLatin1(MailSendReview::kBadAddressesTitle),
                   QString::fromLatin1(MailSendReview::kBadAddressesText).arg(problems.join(QLatin1Char('\n'))), window_);
    return false;
}

void MailSendRoad::sendHTMLEmail()
{
    if (!reviewAddresses())
        return;
    if (hooks.cancelMailRecipientSheet)
        hooks.cancelMailRecipientSheet();
    if (!grabSendMailSettings()) {
        Alert alert;
        alert.messageText = QString::fromLatin1(MailSendReview::kIncompleteTitle);
        alert.informativeText = QStringLiteral("%1\n%2").arg(QString::fromLatin1(MailSendReview::kIncompleteText),
                                                             sendMailInCompleteString);
        alert.buttons = {QString::fromLatin1(MailSendReview::kCheckSettingsButton),
                         QString::fromLatin1(MailSendReview::kDismissButton)};
        auto open = hooks.showMailSettings;
        Alerts::ask(alert, window_, [open](int response) {
            if (response == Alert::FirstButton && open)
                open();
        });
        return;
    }
    if (!PageExport(document_, window_).prepForPresentation(true)) {
        Alerts::inform(QStringLiteral("Mail Not Sent"),
                       QStringLiteral("The page could not be written before sending: %1").arg(document_.lastSaveError),
                       window_);
        return;
    }
    prepMailingList();
    const QString review = prepSendMailAlertMsg();
    if (hooks.showReview)
        hooks.showReview(review);
}

void MailSendRoad::prepMailingList()
{
    const RecipientSheet sheet = hooks.recipientSheet ? hooks.recipientSheet() : RecipientSheet();
    mailToList = MailSendReview::prepMailingList(sheet.to);
    mailCCList = MailSendReview::prepMailingList(sheet.cc);
    mailBCCList = MailSendReview::prepMailingList(sheet.bcc);
}

QString MailSendRoad::prepSendMailAlertMsg()
{
    UserDefaults &defaults = UserDefaults::standard();
    mailSenderAddress = defaults.stringForKey(QStringLiteral("mailAddress")).trimmed();
    mailSenderName = defaults.stringForKey(QStringLiteral("mailName"));
    const RecipientSheet sheet = hooks.recipientSheet ? hooks.recipientSheet() : RecipientSheet();
    mailSubject = sheet.subject;
    return MailSendReview::prepSendMailAlertMsg(mailSenderAddress, mailSenderName, mailSubject, mailToList,
                                                mailCCList, mailBCCList);
}

int MailSendRoad::getMailingListCount() const
{
    return MailSendReview::getMailingListCount(mailToList, mailCCList, mailBCCList);
}

void MailSendRoad::sendNow()
{
    if (gResponsiveEdition)
        sendHTMLEmailNow();
    else
        sendEmailNow();
}

void MailSendRoad::sendEmailNow()
{
    if (hooks.hideReviewMailDataPanel)
        hooks.hideReviewMailDataPanel();
    const QString path = generateImageMapEmail();
    if (path.isEmpty()) {
        sendMailResults = QStringLiteral("The image-map page could not be written to the work folder.\n");
        lastSendResult = SmtpSender::Result();
        mailSentFailed();
        return;
    }
    startSend(path, true);
}

void MailSendRoad::sendHTMLEmailNow()
{
    UserDefaults::standard().setString(QStringLiteral("editor"), QStringLiteral("emailOption"));
    if (hooks.hideReviewMailDataPanel)
        hooks.hideReviewMailDataPanel();
    gPreviewMode = true;
    const bool written = PageExport(document_, window_).prepForPresentation(true);
    gPreviewMode = false;
    const QString extension = document_.pageFileExtension.isEmpty() ? QStringLiteral("html") : document_.pageFileExtension;
    const QString path = QDir(document_.tempSavePathLocal).filePath(document_.pageName + QLatin1Char('.') + extension);
    const QString mailPath = written && QFileInfo::exists(path) ? mailPageFor(path) : QString();
    if (mailPath.isEmpty()) {
        sendMailResults = QStringLiteral("The page could not be written before sending: %1\n").arg(document_.lastSaveError);
        lastSendResult = SmtpSender::Result();
        mailSentFailed();
        return;
    }
    startSend(mailPath, true);
}

QString MailSendRoad::mailPageFor(const QString &pagePath)
{
    QFile file(pagePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = TextCodec::decodePageText(file.readAll());
    if (!PageEditingCopy::hasEditingCopy(text))
        return pagePath;
    // The page file carries its editing form in a script block: the mail gets the
    // page alone, written beside it so its pictures are found where the page names them.
    const QString mailPath = QFileInfo(pagePath).dir().filePath(QFileInfo(pagePath).completeBaseName()
                                                                + QStringLiteral(".mail.html"));
    QSaveFile out(mailPath);
    if (!out.open(QIODevice::WriteOnly))
        return {};
    out.write(PageEditingCopy::publishedPage(text).toUtf8());
    return out.commit() ? mailPath : QString();
}

void MailSendRoad::startSend(const QString &htmlPath, bool withProgress)
{
    if (sending_)
        return;
    sending_ = true;
    if (withProgress)
        ProgressModel::instance().show();
    // The preferences and the password are read here, on the main thread; the worker
    // only talks to the server.
    auto transport = std::make_shared<UploadFTPS>();
    transport->populateMail();
    if (!mailBundle_.isEmpty())
        transport->setMailCertificateBundle(mailBundle_);
    const QString subject = hooks.recipientSheet ? hooks.recipientSheet().subject : mailSubject;
    const QStringList to = mailToList;
    const QStringList cc = mailCCList;
    const QStringList bcc = mailBCCList;
    struct Capture : UploadFTPSViewDelegate {
        QString details;
        void UploadUpdate(UploadFTPS *, bool, const QString &, int32_t) override {}
        void sendMailUpdate(UploadFTPS *, bool, const QString &text) override { details = text; }
    };
    Tasks::runInBackground<SendOutcome>(
        this,
        [transport, htmlPath, subject, to, cc, bcc] {
            Capture capture;
            transport->delegate = &capture;
            SendOutcome outcome;
            outcome.success = transport->sendMail(htmlPath, subject, to, cc, bcc);
            transport->delegate = nullptr;
            outcome.log = capture.details;
            outcome.result = transport->lastSendResult();
            return outcome;
        },
        [this, withProgress](SendOutcome outcome) { finishSend(outcome, withProgress); });
}

void MailSendRoad::finishSend(const SendOutcome &outcome, bool withProgress)
{
    sending_ = false;
    // What sendMailUpdate:sendResult:sendDetails: keeps: the log for the error log.
    sendMailResults = outcome.log;
    lastSendResult = outcome.result;
    if (withProgress)
        ProgressModel::instance().dismiss();
    if (outcome.success)
        mailSentSuccessfully();
    else
        mailSentFailed();
    if (hooks.cancelMailRecipientSheet)
        hooks.cancelMailRecipientSheet();
    emit sendFinished(outcome.success);
}

void MailSendRoad::mailSentSuccessfully()
{
    ProgressModel::instance().hide();
    Alert alert;
    alert.messageText = QString::fromLatin1(MailSendReview::kSentTitle);
    alert.informativeText = QString::fromLatin1(MailSendReview::kSentText).arg(mailSenderAddress);
    alert.style = Alert::Style::Informational;
    if (!lastSendResult.refused.isEmpty()) {
        // Everyone else has the mail; the user learns exactly who has not.
        alert.informativeText += QStringLiteral("\n\nThe server refused %1 of the addresses; everyone else has it.\n%2")
                                     .arg(lastSendResult.refused.size())
                                     .arg(refusedText());
        alert.buttons = {QStringLiteral("OK"), QString::fromLatin1(MailSendReview::kViewLogButton)};
    }
    const QString log = sendMailResults;
    Alerts::ask(alert, window_, [this, log](int response) {
        if (response == Alert::FirstButton + 1)
            showConnectionLog(log);
    });
}

void MailSendRoad::mailSentFailed()
{
    ProgressModel::instance().hide();
    Alert alert;
    alert.messageText = QString::fromLatin1(MailSendReview::kFailedTitle);
    // The sender settings are blamed only when the server refused them.
    using Failure = SmtpSender::Failure;
    switch (lastSendResult.failure) {
    case Failure::Login:
    case Failure::Sender:
        alert.informativeText = QString::fromLatin1(MailSendReview::kFailedText);
        break;
    case Failure::Recipients:
        alert.informativeText = QString::fromLatin1(MailSendReview::kRefusedAllText).arg(refusedText());
        break;
    case Failure::Connection:
        alert.informativeText = QString::fromLatin1(MailSendReview::kUnreachableText);
        break;
    case Failure::Data:
        alert.informativeText = QString::fromLatin1(MailSendReview::kNotTakenText);
        break;
    case Failure::Message:
    case Failure::None:
        alert.informativeText = QStringLiteral("The mail was not sent.\n\n%1")
                                    .arg(lastSendResult.error.isEmpty() ? sendMailResults.trimmed() : lastSendResult.error);
        break;
    }
    alert.buttons = {QString::fromLatin1(MailSendReview::kViewLogButton), QStringLiteral("Cancel")};
    const QString log = sendMailResults;
    Alerts::ask(alert, window_, [this, log](int response) {
        if (response == Alert::FirstButton)
            showConnectionLog(log);
    });
}

QString MailSendRoad::refusedText() const
{
    QList<QPair<QString, QString>> refused;
    for (const SmtpSender::Refusal &refusal : lastSendResult.refused)
        refused.append({refusal.address, refusal.reply});
    return MailSendReview::refusedLines(refused);
}

void MailSendRoad::showConnectionLog(const QString &log)
{
    if (hooks.showConnectionLog)
        hooks.showConnectionLog(log);
}

void MailSendRoad::setDropboxClient(std::shared_ptr<DropboxClient> client)
{
    dropboxClient_ = std::move(client);
    if (dropboxUpload_)
        dropboxUpload_->setClient(dropboxClient_);
}

PublishJob &MailSendRoad::publishJob()
{
    if (!publishJob_)
        publishJob_ = std::make_unique<PublishJob>(this);
    return *publishJob_;
}

DropboxPictureUpload &MailSendRoad::dropboxUpload()
{
    if (!dropboxUpload_) {
        dropboxUpload_ = std::make_unique<DropboxPictureUpload>(window_);
        if (dropboxClient_)
            dropboxUpload_->setClient(dropboxClient_);
        dropboxUpload_->updateProgressBarDoneSuccess = [this] {
            ProgressModel::instance().dismiss();
            dropboxLink = dropboxUpload_->dropboxLink;
            uploadItemArray = dropboxUpload_->uploadItemArray;
            uploadCounter = dropboxUpload_->uploadCounter;
            pictureOnline();
        };
        dropboxUpload_->orderOutProgressWindow = [] { ProgressModel::instance().dismiss(); };
    }
    return *dropboxUpload_;
}

void MailSendRoad::mailDesignUploaded()
{
    pictureOnline();
}

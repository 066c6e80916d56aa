// The mail half of UploadFTPS: one HTML e-mail per send, over SmtpSender.
#include "publishing/UploadFTPS.h"

#include "platform/CredentialStore.h"
#include "platform/MhtBuilder.h"
#include "platform/TextCodec.h"
#include "platform/UserDefaults.h"

#include <QFile>

namespace {

QStringList cleanList(const QStringList &list)
{
    QStringList result;
    for (const QString &address : list) {
        const QString trimmed = address.trimmed();
        if (!trimmed.isEmpty())
            result.append(trimmed);
    }
    return result;
}

}  // namespace

void UploadFTPS::populateMail()
{
    UserDefaults &defaults = UserDefaults::standard();
    MailAccount account;
    account.senderAddress = defaults.stringForKey(QStringLiteral("mailAddress")).trimmed();
    account.senderName = defaults.stringForKey(QStringLiteral("mailName"));
    account.smtpServer = defaults.stringForKey(QStringLiteral("mailSMTPServer")).trimmed();
    account.smtpUsername = defaults.stringForKey(QStringLiteral("mailSMTPUsername"));
    account.smtpPort = defaults.stringForKey(QStringLiteral("mailPortnumber")).trimmed().toInt();
    account.smtpPassword = CredentialStore(&defaults).password(QStringLiteral("mailPassword"));
    account.connectionType = defaults.stringForKey(QStringLiteral("connectionType"));
    account.emailOption = defaults.stringForKey(QStringLiteral("emailOption"));
    if (account.smtpUsername.isEmpty())
        account.smtpUsername = account.senderAddress;
    if (account.smtpPort <= 0)
        account.smtpPort = 587;
    smtpSSLFlag = account.connectionType == QLatin1String("SSL");
    smtpTLSFlag = !smtpSSLFlag && account.connectionType != QLatin1String("None");
    mailAccount_ = account;
    mailAccountLoaded_ = true;
}

bool UploadFTPS::buildMailBody(const QString &htmlPath, MimeMessage &message, QString &log)
{
    if (mailAccount_.emailOption == QLatin1String("coder")) {
        QFile file(htmlPath);
        if (!file.open(QIODevice::ReadOnly)) {
            log += QStringLiteral("Could not read %1: %2\n").arg(htmlPath, file.errorString());
            return false;
        }
        message.setHtmlBody(TextCodec::decodePageText(file.readAll()));
        return true;
    }
    MhtBuilder builder;
    if (!builder.build(htmlPath, message)) {
        log += builder.LastErrorText() + QLatin1Char('\n');
        return false;
    }
    return true;
}

bool UploadFTPS::finishMail(bool result, const QString &log)
{
    if (delegate)
        delegate->sendMailUpdate(this, result, log);
    return result;
}

bool UploadFTPS::sendMail(const QString &htmlPath, const QString &subject, const QStringList &toList,
                          const QStringList &ccList, const QStringList &bccList)
{
    if (!mailAccountLoaded_)
        populateMail();
    sendResult_ = SmtpSender::Result();
    QString log;
    log.reserve(1000);

    MimeMessage message;
    if (!buildMailBody(htmlPath, message, log))
        return finishMail(false, log);
    message.setSubject(subject);
    const MailAccount &account = mailAccount_;
    const QStringList to = cleanList(toList);
    for (const QString &address : to)
        message.addTo({}, address);
    if (to.isEmpty())
        message.addTo(account.senderName, account.senderAddress);
    for (const QString &address : cleanList(ccList))
        message.addCc({}, address);
    for (const QString &address : cleanList(bccList))
        message.addBcc({}, address);
    // The sender always gets a copy; the envelope holds each address once, so a
    // sender already in To gets just the one.
    message.addBcc(account.senderName, account.senderAddress);
    message.setFrom(account.senderName, account.senderAddress);

    SmtpSender::Settings settings;
    settings.host = account.smtpServer;
    settings.port = account.smtpPort;
    settings.security = SmtpSender::securityFor(account.connectionType, account.smtpPort);
    settings.username = account.smtpUsername;
    settings.password = account.smtpPassword;
    SmtpSender sender(settings);
    if (!mailBundle_.isEmpty())
        sender.setCertificateBundle(mailBundle_);
    sendResult_ = sender.send(message);
    const SmtpSender::Result &result = sendResult_;

    if (!result.sent) {
        log += (result.error.isEmpty() ? QStringLiteral("The server took the message for no recipient.") : result.error)
            + QLatin1Char('\n');
        for (const SmtpSender::Refusal &refusal : result.refused)
            log += QStringLiteral("Not delivered to %1: %2\n").arg(refusal.address, refusal.reply);
        if (!result.log.isEmpty())
            log += QStringLiteral("\n") + result.log;
        return finishMail(false, log);
    }
    // Taken by the server: a success even when some addresses were refused or the
    // connection broke afterwards, so nobody sends it twice. What did not go is listed.
    for (const SmtpSender::Refusal &refusal : result.refused)
        log += QStringLiteral("Not delivered to %1: %2\n").arg(refusal.address, refusal.reply);
    if (!result.error.isEmpty()) {
        log += result.error + QLatin1Char('\n');
        // The connection broke between transactions: name who is still waiting.
        QStringList done = result.delivered;
        for (const SmtpSender::Refusal &refusal : result.refused)
            done.append(refusal.address);
        for (const QString &address : message.envelopeRecipients()) {
            if (!done.contains(address, Qt::CaseInsensitive))
                log += QStringLiteral("Not delivered to %1: %2\n").arg(address, result.error);
        }
    }
    log += QStringLiteral("HTML Email Sent!\n");
    return finishMail(true, log);
}

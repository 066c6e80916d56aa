#include "publishing/MailSendReview.h"

#include "platform/UserDefaults.h"

#include <QSet>

bool MailSendReview::grabSendMailSettings(const UserDefaults &defaults, QString *incomplete)
{
    QString text;
    bool complete = true;
    if (defaults.stringForKey(QStringLiteral("mailAddress")).trimmed().isEmpty()) {
        text = QStringLiteral("Sender Mail is missing");
        complete = false;
    } else if (defaults.stringForKey(QStringLiteral("mailSMTPServer")).trimmed().isEmpty()) {
        text = text + QLatin1Char('\n') + QStringLiteral("Sender Mail Server is missing");
        complete = false;
    }
    if (incomplete)
        *incomplete = text;
    return complete;
}

QStringList MailSendReview::prepMailingList(const QString &text)
{
    QStringList addresses;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString address = part.trimmed();
        if (!address.isEmpty())
            addresses.append(address);
    }
    return addresses;
}

int MailSendReview::getMailingListCount(const QStringList &to, const QStringList &cc, const QStringList &bcc)
{
    QSet<QString> distinct;
    for (const QStringList *list : {&to, &cc, &bcc}) {
        for (const QString &address : *list)
            distinct.insert(address.trimmed().toLower());
    }
    distinct.remove(QString());
    return int(distinct.size());
}

QString MailSendReview::prepSendMailAlertMsg(const QString &senderAddress, const QString &senderName,
                                             const QString &subject, const QStringList &to, const QStringList &cc,
                                             const QStringList &bcc)
{
    QString list;
    for (const QString &address : to)
        list += QStringLiteral("To:  %1\n").arg(address);
    for (const QString &address : cc)
        list += QStringLiteral("CC:  %1\n").arg(address);
    for (const QString &address : bcc)
        list += QStringLiteral("BCC: %1\n").arg(address);
    const QString note = QStringLiteral(
        "Note compatibility of HTML emails vary by mail client, always send a copy to yourself first to test out the "
        "look and feel.");
    const QString count = QString::number(getMailingListCount(to, cc, bcc));
    // Filled with one multi-argument arg(), so a subject holding "%1" stays as typed.
    if (!to.isEmpty()) {
        return QStringLiteral("%1\n\nFrom: %2\n\nSubject: %3\n\nTotal Number of Recipients: %4\n\n"
                              "The sender, %5 (%6), will also receive a copy of this email\n\n%7")
            .arg(note, senderAddress, subject, count, senderName, senderAddress, list);
    }
    return QStringLiteral("%1\n\nFrom: %2\n\nSubject: %3\n\nTotal Number of Recipients: %4\n\n"
                          "There are NO RECIPIENTS specified in the To: field, %5 will be populated in the To: field "
                          "for this email.\n\nThe sender, %6 (%7), will also receive a copy of this email\n\n%8")
        .arg(note, senderAddress, subject, count, senderAddress, senderName, senderAddress, list);
}

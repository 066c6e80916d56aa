#include "publishing/MailSendReview.h"

#include "platform/MimeMessage.h"
#include "platform/UserDefaults.h"

#include <QSet>

bool MailSendReview::grabSendMailSettings(const UserDefaults &defaults, QString *incomplete)
{
    QString text;
    bool complete = true;
    const QString sender = defaults.stringForKey(QStringLiteral("mailAddress")).trimmed();
    if (sender.isEmpty()) {
        text = QStringLiteral("Sender Mail is missing");
        complete = false;
    } else if (!MimeMessage::isValidAddress(sender)) {
        text = QStringLiteral("Sender Mail \u201c%1\u201d is not an e-mail address").arg(sender);
        complete = false;
    } else if (defaults.stringForKey(QStringLiteral("mailSMTPServer")).trimmed().isEmpty()) {
        text = text + QLatin1Char('\n') + QStringLiteral("Sender Mail Server is missing");
        complete = false;
    }
    if (incomplete)
        *incomplete = text;
    return complete;
}

QStringList MailSendReview::addressProblems(const QString &subject, const QStringList &to, const QStringList &cc,
                                            const QStringList &bcc)
{
    const auto hasLineBreak = [](const QString &text) {
        return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    };
    QStringList problems;
    if (hasLineBreak(subject))
        problems << QStringLiteral("Subject: holds a line break");
    const struct {
        const QStringList *list;
        const char *field;
    } fields[] = {{&to, "To"}, {&cc, "CC"}, {&bcc, "BCC"}};
    for (const auto &entry : fields) {
        for (const QString &address : *entry.list) {
            QString shown = address;
            shown.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            if (hasLineBreak(address))
                problems << QStringLiteral("%1: \u201c%2\u201d holds a line break (separate addresses with commas)")
                                .arg(QLatin1String(entry.field), shown);
            else if (!MimeMessage::isValidAddress(address))
                problems << QStringLiteral("%1: \u201c%2\u201d is not an e-mail address").arg(QLatin1String(entry.field), shown);
        }
    }
    return problems;
}

QString MailSendReview::refusedLines(const QList<QPair<QString, QString>> &refused)
{
    QStringList lines;
    for (const auto &[address, reply] : refused)
        lines << (reply.isEmpty() ? QStringLiteral("Refused: %1").arg(address)
                                  : QStringLiteral("Refused: %1 (%2)").arg(address, reply));
    return lines.join(QLatin1Char('\n'));
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

#include "publishing/MailRecipientList.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/SavedMailingLists.h"

namespace {

const QString kTo = QStringLiteral("toFieldArrayStringMail");
const QString kCc = QStringLiteral("ccFieldArrayStringMail");
const QString kBcc = QStringLiteral("bccFieldArrayStringMail");
const QString kSubject = QStringLiteral("mailSubject");

std::optional<QString> stored(const QString &key)
{
    UserDefaults &d = UserDefaults::standard();
    if (!d.hasStoredValue(key))
        return std::nullopt;
    return d.stringForKey(key);
}

}  // namespace

MailRecipientList::Stored MailRecipientList::refreshRecipientList()
{
    return {stored(kTo), stored(kCc), stored(kBcc), stored(kSubject)};
}

QString MailRecipientList::storageLabel()
{
    const QString option = UserDefaults::standard().stringForKey(QStringLiteral("uploadOption"));
    const QString shown = option == QLatin1String("ftp")       ? QStringLiteral("FTP")
                          : option == QLatin1String("dropbox") ? QStringLiteral("Dropbox")
                                                               : QStringLiteral("Attachment");
    return QStringLiteral("Mail Storage Option Selected: %1").arg(shown);
}

void MailRecipientList::saveAsDefault(const Texts &texts)
{
    UserDefaults &d = UserDefaults::standard();
    d.setString(texts.to, kTo);
    d.setString(texts.cc, kCc);
    d.setString(texts.bcc, kBcc);
}

void MailRecipientList::saveAsDefaultSettings(const Texts &texts, const QString &subject)
{
    UserDefaults::standard().setString(subject, kSubject);
    saveAsDefault(texts);
}

void MailRecipientList::saveMailingList(const Texts &texts, const QString &title, QObject *sender)
{
    const QString name = title.trimmed().isEmpty() ? SavedMailingLists::createMailingListName() : title.trimmed();
    SavedMailingLists(UserDefaults::standard()).append({texts.to, texts.cc, texts.bcc, name});
    saveAsDefault(texts);
    NotificationCenter::defaultCenter().postNotification(Notifications::mailingListUpdatedMail, sender);
}

bool MailRecipientList::grabContacts(Field field, const QStringList &picked, QObject *sender)
{
    QStringList addresses;
    for (const QString &address : picked) {
        if (!address.trimmed().isEmpty())
            addresses << address.trimmed();
    }
    if (addresses.isEmpty())
        return false;
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.postNotification(Notifications::grabCurrentListAsShown, sender);
    const QString key = field == Field::To ? kTo : field == Field::CC ? kCc : kBcc;
    UserDefaults &d = UserDefaults::standard();
    d.setString(SavedMailingLists::appendPicked(d.stringForKey(key), addresses), key);
    center.postNotification(Notifications::contactUpdatedMail, sender);
    return true;
}

QString MailRecipientList::savedText(Field field)
{
    return field == Field::To ? QStringLiteral("TO: mailing list saved")
           : field == Field::CC ? QStringLiteral("CC: mailing list saved")
                                : QStringLiteral("BCC: mailing list saved");
}

#include "publishing/ServerProfiles.h"

#include "platform/CredentialStore.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"

#include <QCryptographicHash>
#include <QStringList>
#include <QVariantMap>

namespace {

const QString kKey = QStringLiteral("savedMailingListArray");

}  // namespace

ServerProfiles::ServerProfiles(UserDefaults &defaults) : defaults_(defaults) {}

QString ServerProfiles::passwordKey(const ServerAccount &p)
{
    // Hashed: the account's texts may hold characters a preferences key cannot.
    const QString identity = QStringList{p.connectiontype, p.username, p.server, p.portnumber, p.remotepath, p.connectionmode}
                                 .join(QChar(0));
    return QStringLiteral("serverProfilePassword-")
           + QString::fromLatin1(QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
}

QList<ServerAccount> ServerProfiles::profiles() const
{
    QList<ServerAccount> list;
    CredentialStore credentials;
    for (const QVariant &value : defaults_.arrayForKey(kKey)) {
        const QVariantMap map = value.toMap();
        ServerAccount p;
        p.server = map.value(QStringLiteral("server")).toString();
        p.remotepath = map.value(QStringLiteral("remotepath")).toString();
        p.username = map.value(QStringLiteral("username")).toString();
        p.baseurl = map.value(QStringLiteral("baseurl")).toString();
        p.portnumber = map.value(QStringLiteral("portnumber")).toString();
        p.connectionmode = map.value(QStringLiteral("connectionmode")).toString();
        p.connectiontype = map.value(QStringLiteral("connectiontype")).toString();
        // A list written before passwords moved out of it still carries them.
        p.password = map.value(QStringLiteral("password")).toString();
        if (p.password.isEmpty())
            p.password = credentials.password(passwordKey(p));
        list.append(p);
    }
    return list;
}

void ServerProfiles::store(const QList<ServerAccount> &profiles)
{
    QVariantList array;
    CredentialStore credentials;
    for (const ServerAccount &p : profiles) {
        QString password = p.password;
        // Kept in the list only when the credential store cannot hold it.
        if (credentials.setPassword(passwordKey(p), p.password))
            password.clear();
        array.append(QVariantMap{{QStringLiteral("server"), p.server},
                                 {QStringLiteral("remotepath"), p.remotepath},
                                 {QStringLiteral("username"), p.username},
                                 {QStringLiteral("baseurl"), p.baseurl},
                                 {QStringLiteral("portnumber"), p.portnumber},
                                 {QStringLiteral("password"), password},
                                 {QStringLiteral("connectionmode"), p.connectionmode},
                                 {QStringLiteral("connectiontype"), p.connectiontype}});
    }
    defaults_.setObject(array, kKey);
}

bool ServerProfiles::sameAccount(const ServerAccount &a, const ServerAccount &b)
{
    return a.username == b.username && a.server == b.server && a.remotepath == b.remotepath
           && a.portnumber == b.portnumber && a.connectionmode == b.connectionmode
           && a.connectiontype == b.connectiontype;
}

bool ServerProfiles::record(const ServerAccount &account, QObject *sender)
{
    QList<ServerAccount> list = profiles();
    bool changed = false;
    qsizetype i = 0;
    for (; i < list.size(); ++i)
        if (sameAccount(list.at(i), account))
            break;
    if (i == list.size()) {
        list.append(account);
        changed = true;
    } else if (list.at(i).password != account.password || list.at(i).baseurl != account.baseurl) {
        // A new password or web address replaces the old one: the profile is the
        // same account, and applying it later must not bring back stale values.
        list[i].password = account.password;
        list[i].baseurl = account.baseurl;
        changed = true;
    }
    if (!changed)
        return false;
    store(list);
    NotificationCenter::defaultCenter().postNotification(Notifications::mailingListUpdated, sender);
    return true;
}

bool ServerProfiles::apply(int index, QObject *sender)
{
    const QList<ServerAccount> list = profiles();
    if (index < 0 || index >= list.size())
        return false;
    ServerSettings::store(list.at(index), defaults_);
    NotificationCenter::defaultCenter().postNotification(Notifications::contactUpdated, sender);
    return true;
}

bool ServerProfiles::remove(int index)
{
    QList<ServerAccount> list = profiles();
    if (index < 0 || index >= list.size())
        return false;
    CredentialStore().removePassword(passwordKey(list.at(index)));
    list.removeAt(index);
    store(list);
    return true;
}

QString ServerProfiles::rowText(const ServerAccount &p)
{
    return QStringLiteral("%1 %2 %3\n%4\n%5\n").arg(p.connectiontype, p.username, p.server, p.baseurl, p.remotepath);
}

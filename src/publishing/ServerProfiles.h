#pragma once
// Saved server accounts ("savedMailingListArray", newest last). A profile's password
// lives in the credential store under a key named after the account, never in the
// list itself.
#include "publishing/ServerSettings.h"

#include <QList>
#include <QString>

class QObject;
class UserDefaults;

class ServerProfiles {
public:
    explicit ServerProfiles(UserDefaults &defaults);

    // The profiles with their passwords.
    QList<ServerAccount> profiles() const;
    // Records account: appended when no profile is the same account (same user,
    // server, remote path, port, mode and protocol); else that profile takes the
    // account's password and base URL. Posts "mailingListUpdated" when the list
    // changed. Answers whether it changed.
    bool record(const ServerAccount &account, QObject *sender = nullptr);
    // Makes profile index the current account and posts "contactUpdated". False for
    // an index out of range.
    bool apply(int index, QObject *sender = nullptr);
    // Removes profile index (and its password). False for an index out of range.
    bool remove(int index);

    // "%@ %@ %@\n%@\n%@\n" of protocol, user, server, base URL and remote path.
    static QString rowText(const ServerAccount &profile);
    static bool sameAccount(const ServerAccount &a, const ServerAccount &b);
    // The credential-store key of a profile's password.
    static QString passwordKey(const ServerAccount &profile);

private:
    void store(const QList<ServerAccount> &profiles);

    UserDefaults &defaults_;
};

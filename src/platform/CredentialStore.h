#pragma once
// Passwords the program keeps (the publish server's "password", the mail account's
// "mailPassword", …), under the same key names the preferences file uses.
//
// When a keyring answers on the session bus (the Secret Service), passwords live
// there; otherwise in the preferences file, which only its owner can read. A password
// still found in the file while a keyring answers moves into the keyring the first
// time it is read, and leaves the file.
//
// The keyring's calls are asynchronous; the store waits for each in a local event
// loop, so it may be used from any thread that can run one (the main thread or a
// background job), never while holding a lock the main thread needs.
#include <QString>

class UserDefaults;

class CredentialStore {
public:
    // Works with the given preferences (the program's own by default).
    explicit CredentialStore(UserDefaults *defaults = nullptr);

    // True when a keyring answers on the session bus.
    static bool keyringAvailable();

    // The password stored under key, or empty. *error (when given) gets the
    // keyring's complaint when it failed and the file was used instead.
    QString password(const QString &key, QString *error = nullptr);
    // Stores password under key; an empty password removes it. False, with the reason
    // in *error, when nothing could hold it.
    bool setPassword(const QString &key, const QString &password, QString *error = nullptr);
    bool removePassword(const QString &key, QString *error = nullptr);

    // The service name the keyring entries carry.
    static QString serviceName();

private:
    UserDefaults &defaults() const;

    UserDefaults *defaults_ = nullptr;
};

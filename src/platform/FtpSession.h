#pragma once
// A conversation with an FTP server, plain or with explicit TLS (AUTH TLS on the
// usual port, control and data channels encrypted), passive or active.
//
// One session is one login: connect() opens it, every later call goes over the same
// connection, disconnect() (or the destructor) ends it. The session keeps a current
// folder of its own, always absolute, as the remote side of putFile and friends.
// Every call answers true on success; after false, lastErrorText() says why (libcurl's
// message and what the server said, passwords masked).
#include "platform/CurlConnection.h"

#include <QString>
#include <QStringList>

class FtpSession {
public:
    struct Settings {
        QString host;
        int port = 21;
        QString user;
        QString password;
        bool passive = true;
        bool explicitTls = false;
        int connectTimeoutMs = 15000;
    };

    explicit FtpSession(Settings settings);

    const Settings &settings() const { return settings_; }

    // Connects and logs in.
    bool connect();
    bool isConnected() const { return connected_; }
    void disconnect();

    // Makes path (absolute, sent as it stands) the current folder when it exists.
    bool changeDirectory(const QString &path);
    QString currentDirectory() const { return cwd_; }
    // Creates the folder path: absolute, or relative to the current folder.
    bool createDirectory(const QString &path);
    // Sends the file at localPath as remoteName in the current folder, replacing one
    // there; true only when the server then reports the file's whole size.
    bool putFile(const QString &localPath, const QString &remoteName);
    // Size of remoteName in the current folder, or -1.
    qint64 remoteSize(const QString &remoteName);
    bool deleteFile(const QString &remoteName);
    // Empties the current folder, sub-folders included.
    bool deleteTree();
    // Removes the empty folder name inside the current folder.
    bool removeDirectory(const QString &name);
    // Names in the current folder ("." and ".." left out); folders end with "/".
    bool list(QStringList *names);

    QString lastErrorText() const { return connection_.lastErrorText(); }
    QString transcript() const { return connection_.transcript(); }
    // The refused server certificate after a verification failure, else empty.
    QByteArray rejectedCertificatePem() const { return connection_.rejectedCertificatePem(); }
    QString rejectedCertificateFingerprint() const { return connection_.rejectedCertificateFingerprint(); }
    QString rejectedCertificateServer() const { return connection_.rejectedCertificateServer(); }

private:
    // Starts a call on url (a folder path, with an optional file name).
    void prepare(const QString &folder, const QString &file = {});
    bool run(const QStringList &commands = {}, bool nobody = true);
    bool activeUnavailable() const;
    bool deleteTreeIn(const QString &folder);
    bool listIn(const QString &folder, QStringList *names);
    static QString resolve(const QString &base, const QString &path);

    Settings settings_;
    CurlConnection connection_;
    QString cwd_ = QStringLiteral("/");
    bool connected_ = false;
    bool cwdVerified_ = false;
    struct curl_slist *commands_ = nullptr;
};

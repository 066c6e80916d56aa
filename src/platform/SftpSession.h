#pragma once
// A conversation with an SSH server's file service (SFTP), logged in by password or
// by a key file.
//
// The server's host key is checked against the program's known-hosts file: a key
// found there goes on, a changed key is refused, an unknown key is asked about through
// the consent callback (no callback: refused) and remembered once accepted.
//
// One session is one login: connect() opens it and every later call goes over the
// same connection. Remote paths are relative to the login folder unless they start
// with "/". Calls answer true on success; after false, lastErrorText() says why.
#include "platform/CurlConnection.h"

#include <QString>
#include <QStringList>

#include <functional>

class SftpSession {
public:
    struct Settings {
        QString host;
        int port = 22;
        QString user;
        QString password;
        // Private key file, with its public half beside it (".pub"); empty: password.
        QString privateKeyPath;
        int connectTimeoutMs = 15000;
    };
    // Where connect() stopped.
    enum class Stage { None, Connect, Authenticate, Initialize };
    // Asked about a host key that the known-hosts file lacks: host ("host:port") and
    // the key's fingerprint ("SHA256:…"); true accepts and remembers it.
    using HostKeyConsent = std::function<bool(const QString &host, const QString &fingerprint)>;

    explicit SftpSession(Settings settings);

    void setHostKeyConsent(HostKeyConsent consent) { consent_ = std::move(consent); }

    bool connect();
    Stage failedStage() const { return failedStage_; }
    bool isConnected() const { return connected_; }
    void disconnect();

    bool createDirectory(const QString &path);
    // Sends localPath to remotePath (replacing a file there, making missing folders);
    // true only when the server then reports the whole size.
    bool uploadFile(const QString &remotePath, const QString &localPath);
    qint64 remoteSize(const QString &remotePath);
    // True when the remote file has exactly size bytes (size > 0), asked in one
    // request; what each upload checks before it counts as sent.
    bool holdsExactly(const QString &remotePath, qint64 size);
    bool deleteFile(const QString &remotePath);
    bool removeDirectory(const QString &remotePath);
    // Names in folder; sub-folders end with "/".
    bool list(const QString &folder, QStringList *names, QList<qint64> *sizes = nullptr);

    QString lastErrorText() const { return connection_.lastErrorText(); }
    QString transcript() const { return connection_.transcript(); }
    // The host key's fingerprint when the last call refused it (changed, or unknown
    // and not accepted), else empty.
    QString rejectedHostKeyFingerprint() const { return rejectedFingerprint_; }
    bool hostKeyChanged() const { return hostKeyChanged_; }

private:
    void prepare(const QString &path);
    bool run(const QStringList &commands = {}, bool nobody = true);
    static size_t countTwoBytes(char *data, size_t size, size_t count, void *counter);
    static int keyCallback(CURL *, const struct curl_khkey *known, const struct curl_khkey *found,
                           enum curl_khmatch match, void *self);

    Settings settings_;
    CurlConnection connection_;
    HostKeyConsent consent_;
    Stage failedStage_ = Stage::None;
    bool connected_ = false;
    QString rejectedFingerprint_;
    bool hostKeyChanged_ = false;
    struct curl_slist *commands_ = nullptr;
};

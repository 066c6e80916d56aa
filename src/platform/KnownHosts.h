#pragma once
// The SSH host keys the user accepted, in OpenSSH's known-hosts format. A
// server on port 22 is written by its host name; any other port as
// "[host]:port", as OpenSSH does, so that a key accepted for one port of a
// machine answers for that port only.
#include <QByteArray>
#include <QString>

class KnownHosts {
public:
    KnownHosts() = delete;

    // "host" for port 22, "[host]:port" for any other.
    static QString hostPattern(const QString &host, int port);
    // Whether a line of the file names exactly this pattern (hashed names are
    // not looked into).
    static bool hasEntry(const QString &path, const QString &pattern);
    // Adds "pattern keytype base64" for a key blob in SSH wire form (its type
    // is the blob's first field). The file stays owner-only. False, with the
    // reason in *error, when the key cannot be read or the file written.
    static bool add(const QString &path, const QString &pattern, const QByteArray &keyBlob, QString *error = nullptr);
};

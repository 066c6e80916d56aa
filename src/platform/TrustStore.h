#pragma once
// What the program trusts beyond the system: server certificates the user accepted
// (PEM, in <XDG config>/zov/trusted-certificates.pem, each under a line naming the
// server and the fingerprint) and SSH host keys (OpenSSH known-hosts format, in
// <XDG config>/zov/known_hosts).
//
// A certificate that fails verification is refused; its SHA-256 fingerprint and PEM
// text travel back with the failure so that the caller can ask the user and, on
// consent, add it here for that server ("host:port"). TLS connections verify against
// the system authorities; only where that fails is the server's own certificate
// compared with those trusted for that very server (CertificatePins). A trusted
// certificate is never an authority for anything else.
#include <QByteArray>
#include <QString>
#include <QStringList>

class TrustStore {
public:
    TrustStore() = delete;

    static QString folder();
    static QString trustedCertificatesPath();
    static QString knownHostsPath();

    // "host:port" (an IPv6 address in brackets), the host in lower case: how a
    // server is named in the file.
    static QString serverName(const QString &host, int port);

    // The fingerprints ("AB:CD:…") of the certificates trusted for server
    // ("host:port"); entries of older files that name no port match no server.
    static QStringList fingerprintsTrustedFor(const QString &server);

    // Adds a certificate (PEM) the user chose to trust for server ("host:port"),
    // noting the server and the fingerprint above it. False, with the reason in
    // *error, when the file could not be written.
    static bool trustCertificate(const QByteArray &pem, const QString &server, QString *error = nullptr);

    // "AB:CD:…", the SHA-256 of the certificate's DER form, upper-case pairs.
    static QString fingerprintOfPem(const QByteArray &pem);
};

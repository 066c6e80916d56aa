#pragma once
// What the program trusts beyond the system: server certificates the user accepted
// (PEM, in <XDG config>/zov/trusted-certificates.pem) and SSH host keys (OpenSSH
// known-hosts format, in <XDG config>/zov/known_hosts).
//
// A certificate that fails verification is refused; its SHA-256 fingerprint and PEM
// text travel back with the failure so that the caller can ask the user and, on
// consent, add it here. TLS connections then verify against the system authorities
// plus this file; verification itself is never switched off.
#include <QByteArray>
#include <QString>

class TrustStore {
public:
    TrustStore() = delete;

    static QString folder();
    static QString trustedCertificatesPath();
    static QString knownHostsPath();

    // The certificates the user trusted, as PEM text (empty when none).
    static QByteArray trustedCertificatesPem();

    // Adds a certificate (PEM) the user chose to trust for server, noting the server
    // and the fingerprint above it. False, with the reason in *error, when the file
    // could not be written.
    static bool trustCertificate(const QByteArray &pem, const QString &server, QString *error = nullptr);

    // "AB:CD:…", the SHA-256 of the certificate's DER form, upper-case pairs.
    static QString fingerprintOfPem(const QByteArray &pem);
};

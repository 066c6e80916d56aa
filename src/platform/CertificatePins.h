#pragma once
// Certificates the user trusted, each for the one server ("host:port") it was
// shown for. A handshake verifies as usual against the system authorities;
// only where that fails is the server's own certificate (never one above it)
// compared, by its SHA-256 fingerprint, with those trusted for this server. A
// trusted certificate is never an authority: it vouches for nothing it signed
// and for no other server, and a server whose certificate changes is refused
// (and asked about) again.
#include <QList>
#include <QString>

#include <curl/curl.h>

class CertificatePins {
public:
    // The pins of one server, loaded from the trust store.
    void load(const QString &server);
    const QString &server() const { return server_; }
    // Whether the DER form of a server's own certificate is trusted for this server.
    bool trusts(const QByteArray &der) const;

    // "host:port" of the handshake's address (the scheme's port where none is written).
    static QString serverOfUrl(const QString &url);
    static QString serverOf(CURL *curl);

    // For CURLOPT_SSL_CTX_FUNCTION, with the pins (loaded for the handle's
    // server as the handshake starts) as data.
    static CURLcode contextCallback(CURL *curl, void *sslContext, void *pins);
    // Installs the pin check on a handshake's context (its verification is
    // OpenSSL's own, then the pins where it fails).
    static void install(void *sslContext, CertificatePins *pins);

private:
    QString server_;
    QList<QByteArray> fingerprints_; // SHA-256 of the DER form, raw bytes
};

#include "platform/CertificatePins.h"

#include "platform/TrustStore.h"

#include <QCryptographicHash>
#include <QUrl>

#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

namespace {

int defaultPort(const QString &scheme)
{
    static const QList<QPair<QString, int>> ports = {
        {QStringLiteral("ftp"), 21},     {QStringLiteral("ftps"), 990},  {QStringLiteral("smtp"), 25},
        {QStringLiteral("smtps"), 465},  {QStringLiteral("http"), 80},   {QStringLiteral("https"), 443},
        {QStringLiteral("imap"), 143},   {QStringLiteral("imaps"), 993}, {QStringLiteral("sftp"), 22},
    };
    for (const auto &p : ports)
        if (p.first == scheme)
            return p.second;
    return -1;
}

// OpenSSL's own verification first; where it fails, the server's own
// certificate against the pins of this server.
int verifyWithPins(X509_STORE_CTX *store, void *arg)
{
    const int verdict = X509_verify_cert(store);
    if (verdict > 0)
        return verdict;
    const auto *pins = static_cast<const CertificatePins *>(arg);
    X509 *leaf = X509_STORE_CTX_get0_cert(store);
    if (!pins || !leaf)
        return verdict;
    unsigned char *der = nullptr;
    const int length = i2d_X509(leaf, &der);
    const bool pinned = length > 0 && pins->trusts(QByteArray(reinterpret_cast<const char *>(der), length));
    OPENSSL_free(der);
    if (!pinned)
        return verdict;
    X509_STORE_CTX_set_error(store, X509_V_OK);
    return 1;
}

} // namespace

void CertificatePins::load(const QString &server)
{
    server_ = server;
    fingerprints_.clear();
    for (const QString &fingerprint : TrustStore::fingerprintsTrustedFor(server))
        fingerprints_.append(QByteArray::fromHex(fingerprint.toLatin1()));
}

bool CertificatePins::trusts(const QByteArray &der) const
{
    if (fingerprints_.isEmpty())
        return false;
    return fingerprints_.contains(QCryptographicHash::hash(der, QCryptographicHash::Sha256));
}

QString CertificatePins::serverOfUrl(const QString &url)
{
    const QUrl u(url);
    if (!u.isValid() || u.host().isEmpty())
        return {};
    const int port = u.port(defaultPort(u.scheme().toLower()));
    return TrustStore::serverName(u.host(), port);
}

QString CertificatePins::serverOf(CURL *curl)
{
    char *url = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &url) != CURLE_OK || !url)
        return {};
    return serverOfUrl(QString::fromUtf8(url));
}

CURLcode CertificatePins::contextCallback(CURL *curl, void *sslContext, void *pins)
{
    auto *p = static_cast<CertificatePins *>(pins);
    if (p)
        p->load(serverOf(curl));
    install(sslContext, p);
    return CURLE_OK;
}

void CertificatePins::install(void *sslContext, CertificatePins *pins)
{
    SSL_CTX_set_cert_verify_callback(static_cast<SSL_CTX *>(sslContext), &verifyWithPins, pins);
}

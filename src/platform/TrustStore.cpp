#include "platform/TrustStore.h"
#include "platform/PrivateFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <openssl/pem.h>
#include <openssl/x509.h>

namespace {

// The first certificate of a PEM text, in DER form; empty when there is none.
QByteArray derOfPem(const QByteArray &pem)
{
    BIO *bio = BIO_new_mem_buf(pem.constData(), int(pem.size()));
    if (!bio)
        return {};
    X509 *certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    if (!certificate)
        return {};
    unsigned char *der = nullptr;
    const int length = i2d_X509(certificate, &der);
    QByteArray result;
    if (length > 0)
        result = QByteArray(reinterpret_cast<const char *>(der), length);
    OPENSSL_free(der);
    X509_free(certificate);
    return result;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

}  // namespace

QString TrustStore::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zov");
}

QString TrustStore::trustedCertificatesPath()
{
    return folder() + QStringLiteral("/trusted-certificates.pem");
}

QString TrustStore::knownHostsPath()
{
    return folder() + QStringLiteral("/known_hosts");
}

QString TrustStore::serverName(const QString &host, int port)
{
    QString h = host.trimmed().toLower();
    if (h.contains(QLatin1Char(':')) && !h.startsWith(QLatin1Char('[')))
        h = QLatin1Char('[') + h + QLatin1Char(']');
    return h + QLatin1Char(':') + QString::number(port);
}

QStringList TrustStore::fingerprintsTrustedFor(const QString &server)
{
    QStringList found;
    const QString wanted = server.trimmed().toLower();
    if (wanted.isEmpty())
        return found;
    for (const QByteArray &line : readAll(trustedCertificatesPath()).split('\n')) {
        if (!line.startsWith("# "))
            continue;
        const QList<QByteArray> fields = line.mid(2).trimmed().split(' ');
        if (fields.size() == 2 && QString::fromUtf8(fields[0]).toLower() == wanted)
            found.append(QString::fromLatin1(fields[1]));
    }
    return found;
}

bool TrustStore::trustCertificate(const QByteArray &pem, const QString &server, QString *error)
{
    const QByteArray der = derOfPem(pem);
    if (der.isEmpty()) {
        if (error)
            *error = QStringLiteral("The certificate could not be read.");
        return false;
    }
    PrivateFolder::ensure(folder());
    QByteArray content = readAll(trustedCertificatesPath());
    if (!content.isEmpty() && !content.endsWith('\n'))
        content += '\n';
    content += "# " + server.trimmed().toLower().toUtf8() + ' ' + fingerprintOfPem(pem).toLatin1() + '\n';
    content += "-----BEGIN CERTIFICATE-----\n";
    const QByteArray base64 = der.toBase64();
    for (qsizetype i = 0; i < base64.size(); i += 64)
        content += base64.mid(i, 64) + '\n';
    content += "-----END CERTIFICATE-----\n";
    QSaveFile file(trustedCertificatesPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString TrustStore::fingerprintOfPem(const QByteArray &pem)
{
    const QByteArray der = derOfPem(pem);
    if (der.isEmpty())
        return {};
    const QByteArray digest = QCryptographicHash::hash(der, QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex(':').toUpper());
}

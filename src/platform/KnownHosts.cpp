#include "platform/KnownHosts.h"

#include "platform/PrivateFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The key type named at the start of a key blob: a 32-bit big-endian length
// and that many characters ("ssh-ed25519", "ecdsa-sha2-nistp256", ...).
QByteArray keyType(const QByteArray &blob)
{
    if (blob.size() < 4)
        return {};
    const auto *b = reinterpret_cast<const unsigned char *>(blob.constData());
    const quint32 length = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
    if (length == 0 || length > 64 || qsizetype(length) > blob.size() - 4)
        return {};
    const QByteArray type = blob.mid(4, qsizetype(length));
    for (char c : type)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '@' || c == '.'))
            return {};
    return type;
}

} // namespace

QString KnownHosts::hostPattern(const QString &host, int port)
{
    if (port == 22 || port <= 0)
        return host;
    return QLatin1Char('[') + host + QStringLiteral("]:") + QString::number(port);
}

bool KnownHosts::hasEntry(const QString &path, const QString &pattern)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = pattern.toUtf8();
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QByteArray hosts = line.left(line.indexOf(' '));
        if (hosts.startsWith('@')) { // a marker: the names follow it
            const QList<QByteArray> fields = line.simplified().split(' ');
            hosts = fields.value(1);
        }
        for (const QByteArray &name : hosts.split(','))
            if (name == wanted)
                return true;
    }
    return false;
}

bool KnownHosts::add(const QString &path, const QString &pattern, const QByteArray &keyBlob, QString *error)
{
    const QByteArray type = keyType(keyBlob);
    if (type.isEmpty()) {
        if (error)
            *error = QStringLiteral("The server's host key could not be read.");
        return false;
    }
    PrivateFolder::ensure(QFileInfo(path).absolutePath());
    QByteArray content;
    {
        QFile old(path);
        if (old.open(QIODevice::ReadOnly))
            content = old.readAll();
    }
    if (!content.isEmpty() && !content.endsWith('\n'))
        content += '\n';
    content += pattern.toUtf8() + ' ' + type + ' ' + keyBlob.toBase64() + '\n';
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly)
                    && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                    && file.write(content) == content.size() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

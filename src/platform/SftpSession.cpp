#include "platform/SftpSession.h"
#include "platform/KnownHosts.h"
#include "platform/PrivateFolder.h"

#include "platform/TrustStore.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// Quotes a path for libcurl's SFTP commands.
QString quoted(const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

}  // namespace

SftpSession::SftpSession(Settings settings)
    : settings_(std::move(settings))
{
    connection_.addSecret(settings_.password);
}

void SftpSession::prepare(const QString &path)
{
    connection_.begin(settings_.connectTimeoutMs);
    CURL *curl = connection_.handle();
    QByteArray url = "sftp://" + QUrl::toPercentEncoding(settings_.host, ".:[]") + ':'
                     + QByteArray::number(settings_.port);
    if (path.startsWith(QLatin1Char('/')))
        url += QUrl::toPercentEncoding(path, "/");
    else
        url += "/~/" + QUrl::toPercentEncoding(path, "/");
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, settings_.user.toUtf8().constData());
    if (settings_.privateKeyPath.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_PASSWORD, settings_.password.toUtf8().constData());
        curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, long(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
    } else {
        curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, long(CURLSSH_AUTH_PUBLICKEY));
        curl_easy_setopt(curl, CURLOPT_SSH_PRIVATE_KEYFILE, settings_.privateKeyPath.toUtf8().constData());
        curl_easy_setopt(curl, CURLOPT_SSH_PUBLIC_KEYFILE, (settings_.privateKeyPath + QStringLiteral(".pub")).toUtf8().constData());
        if (!settings_.password.isEmpty())
            curl_easy_setopt(curl, CURLOPT_KEYPASSWD, settings_.password.toUtf8().constData());
    }
    PrivateFolder::ensure(TrustStore::folder());
    curl_easy_setopt(curl, CURLOPT_SSH_KNOWNHOSTS, TrustStore::knownHostsPath().toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_SSH_KEYFUNCTION, &SftpSession::keyCallback);
    curl_easy_setopt(curl, CURLOPT_SSH_KEYDATA, this);
}

bool SftpSession::run(const QStringList &commands, bool nobody)
{
    CURL *curl = connection_.handle();
    curl_slist_free_all(commands_);
    commands_ = nullptr;
    for (const QString &command : commands)
        commands_ = curl_slist_append(commands_, command.toUtf8().constData());
    if (commands_)
        curl_easy_setopt(curl, CURLOPT_QUOTE, commands_);
    if (nobody)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    rejectedFingerprint_.clear();
    hostKeyChanged_ = false;
    const CURLcode code = connection_.perform();
    curl_slist_free_all(commands_);
    commands_ = nullptr;
    if (code == CURLE_OK || code == CURLE_QUOTE_ERROR || code == CURLE_REMOTE_FILE_NOT_FOUND
        || code == CURLE_REMOTE_ACCESS_DENIED || code == CURLE_UPLOAD_FAILED || code == CURLE_REMOTE_DISK_FULL)
        return code == CURLE_OK;
    if (!rejectedFingerprint_.isEmpty()) {
        connection_.setLastError(
            (hostKeyChanged_ ? QStringLiteral("The server's host key has changed since it was last accepted: %1. "
                                              "Someone may be in between; the connection was refused.")
                             : QStringLiteral("The server's host key is not known: %1. It was not accepted."))
                .arg(rejectedFingerprint_));
    }
    // Anything else leaves no usable connection behind.
    const bool authenticated = connection_.callTranscript().contains(QLatin1String("Authentication complete"));
    if (code == CURLE_LOGIN_DENIED)
        failedStage_ = Stage::Authenticate;
    else if (authenticated)
        failedStage_ = Stage::Initialize;
    else
        failedStage_ = Stage::Connect;
    connected_ = false;
    return false;
}

bool SftpSession::connect()
{
    failedStage_ = Stage::None;
    prepare(QString());
    connected_ = run();
    return connected_;
}

void SftpSession::disconnect()
{
    if (!connected_)
        return;
    connection_.closeConnections();
    connected_ = false;
}

bool SftpSession::createDirectory(const QString &path)
{
    prepare(QString());
    return run({QStringLiteral("mkdir ") + quoted(path)});
}

bool SftpSession::uploadFile(const QString &remotePath, const QString &localPath)
{
    const qint64 localSize = QFileInfo(localPath).size();
    prepare(remotePath);
    curl_easy_setopt(connection_.handle(), CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR));
    curl_easy_setopt(connection_.handle(), CURLOPT_NEW_FILE_PERMS, 0644L);
    QString error;
    if (!connection_.uploadFile(localPath, &error)) {
        connection_.setLastError(error);
        return false;
    }
    if (!run({}, false))
        return false;
    if (holdsExactly(remotePath, localSize))
        return true;
    const qint64 remote = remoteSize(remotePath);
    if (remote != localSize) {
        connection_.setLastError(QStringLiteral("The server holds %1 bytes of %2 instead of %3.")
                                     .arg(remote)
                                     .arg(remotePath)
                                     .arg(localSize));
        return false;
    }
    return true;
}

bool SftpSession::list(const QString &folder, QStringList *names, QList<qint64> *sizes)
{
    prepare(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    connection_.collectBody();
    if (!run({}, false))
        return false;
    names->clear();
    if (sizes)
        sizes->clear();
    const QList<QByteArray> lines = connection_.body().split('\n');
    for (const QByteArray &raw : lines) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 9)
            continue;
        const QString name = line.section(QLatin1Char(' '), 8, -1, QString::SectionSkipEmpty);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        names->append(line.startsWith(QLatin1Char('d')) ? name + QLatin1Char('/') : name);
        if (sizes)
            sizes->append(fields.at(4).toLongLong());
    }
    return true;
}

bool SftpSession::holdsExactly(const QString &remotePath, qint64 size)
{
    // Reading from the last expected byte on answers in one request what a listing
    // of the whole folder would: exactly one byte comes back only when the file
    // has that size. (Listing after every file made a folder of n files cost n².)
    if (size <= 0)
        return false;
    prepare(remotePath);
    connection_.collectBody();
    const QByteArray range = QByteArray::number(size - 1) + '-';
    curl_easy_setopt(connection_.handle(), CURLOPT_RANGE, range.constData());
    // Two bytes are enough to know the file is longer.
    curl_easy_setopt(connection_.handle(), CURLOPT_WRITEFUNCTION, &SftpSession::countTwoBytes);
    qint64 received = 0;
    curl_easy_setopt(connection_.handle(), CURLOPT_WRITEDATA, &received);
    const bool ok = run({}, false);
    return ok && received == 1;
}

size_t SftpSession::countTwoBytes(char *, size_t size, size_t count, void *counter)
{
    auto *received = static_cast<qint64 *>(counter);
    *received += qint64(size * count);
    return *received > 1 ? 0 : size * count;
}

qint64 SftpSession::remoteSize(const QString &remotePath)
{
    // The folder's long listing carries the size as the server stores it.
    QStringList names;
    QList<qint64> sizes;
    QString folder = parentOf(remotePath);
    if (!list(folder, &names, &sizes))
        return -1;
    const QString name = remotePath.mid(remotePath.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype index = names.indexOf(name);
    return index < 0 ? -1 : sizes.at(index);
}

bool SftpSession::deleteFile(const QString &remotePath)
{
    prepare(QString());
    return run({QStringLiteral("rm ") + quoted(remotePath)});
}

bool SftpSession::removeDirectory(const QString &remotePath)
{
    prepare(QString());
    return run({QStringLiteral("rmdir ") + quoted(remotePath)});
}

int SftpSession::keyCallback(CURL *, const curl_khkey *, const curl_khkey *found, curl_khmatch match, void *self)
{
    auto *session = static_cast<SftpSession *>(self);
    QByteArray blob;
    if (found) {
        blob = found->len == 0 ? QByteArray::fromBase64(QByteArray(found->key))
                               : QByteArray(found->key, qsizetype(found->len));
    }
    const QString fingerprint = QStringLiteral("SHA256:")
                                + QString::fromLatin1(QCryptographicHash::hash(blob, QCryptographicHash::Sha256)
                                                          .toBase64(QByteArray::OmitTrailingEquals));
    const QString pattern = KnownHosts::hostPattern(session->settings_.host, session->settings_.port);
    // A key remembered under the bare host name (as older files hold it, for
    // whatever port) that differs says nothing about this port's server: only
    // a key remembered for this very port counts as changed.
    const bool changed = match == CURLKHMATCH_MISMATCH
                         && (pattern == session->settings_.host
                             || KnownHosts::hasEntry(TrustStore::knownHostsPath(), pattern));
    if (match == CURLKHMATCH_OK)
        return CURLKHSTAT_FINE;
    if (changed) {
        // A key other than the one remembered: possibly someone in between.
        session->hostKeyChanged_ = true;
        session->rejectedFingerprint_ = fingerprint;
        return CURLKHSTAT_REJECT;
    }
    const QString host = session->settings_.host + QLatin1Char(':') + QString::number(session->settings_.port);
    if (session->consent_ && session->consent_(host, fingerprint)) {
        // Written here rather than by the library, which would name the host
        // without its port.
        QString error;
        if (!KnownHosts::add(TrustStore::knownHostsPath(), pattern, blob, &error))
            qWarning().noquote() << "The accepted host key could not be remembered:" << error;
        return CURLKHSTAT_FINE;
    }
    session->rejectedFingerprint_ = fingerprint;
    return CURLKHSTAT_REJECT;
}

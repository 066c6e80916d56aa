#include "platform/FtpSession.h"

#include <QFileInfo>
#include <QUrl>

namespace {

QByteArray encodedSegment(const QString &text)
{
    // The whole folder path is one URL segment, slashes included, so that libcurl
    // sends it in a single CWD exactly as written (a "//" in it stays).
    return QUrl::toPercentEncoding(text);
}

}  // namespace

FtpSession::FtpSession(Settings settings)
    : settings_(std::move(settings))
{
    connection_.addSecret(settings_.password);
}

QString FtpSession::resolve(const QString &base, const QString &path)
{
    if (path.startsWith(QLatin1Char('/')))
        return path;
    if (path.isEmpty())
        return base;
    return base.endsWith(QLatin1Char('/')) ? base + path : base + QLatin1Char('/') + path;
}

void FtpSession::prepare(const QString &folder, const QString &file)
{
    connection_.begin(settings_.connectTimeoutMs);
    CURL *curl = connection_.handle();
    QByteArray url = "ftp://" + QUrl::toPercentEncoding(settings_.host, ".:[]") + ':'
                     + QByteArray::number(settings_.port) + '/';
    if (!folder.isEmpty())
        url += encodedSegment(folder) + '/';
    url += QUrl::toPercentEncoding(file);
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, settings_.user.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, settings_.password.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_FTP_RESPONSE_TIMEOUT, long(qMax(15, settings_.connectTimeoutMs / 1000)));
    if (!settings_.passive && !activeUnavailable())
        curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    if (settings_.explicitTls) {
        curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, long(CURLFTPAUTH_TLS));
        // libcurl before 8.9 ends an upload's TLS 1.3 data channel before the server has
        // read it all, and servers such as vsftpd then answer 426 and keep a partial
        // file: TLS 1.2 has no such race.
        if (curl_version_info(CURLVERSION_NOW)->version_num < 0x080900)
            curl_easy_setopt(curl, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2));
        connection_.verifyTls();
    }
}

bool FtpSession::run(const QStringList &commands, bool nobody)
{
    CURL *curl = connection_.handle();
    if (commands_) {
        curl_slist_free_all(commands_);
        commands_ = nullptr;
    }
    for (const QString &command : commands)
        commands_ = curl_slist_append(commands_, command.toUtf8().constData());
    // Without a transfer the commands go right after the login; with one, after it.
    if (commands_)
        curl_easy_setopt(curl, nobody ? CURLOPT_QUOTE : CURLOPT_POSTQUOTE, commands_);
    if (nobody)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    const CURLcode code = connection_.perform();
    curl_slist_free_all(commands_);
    commands_ = nullptr;
    if (code != CURLE_OK) {
        // A broken control connection is not re-opened behind the caller's back.
        if (code == CURLE_COULDNT_CONNECT || code == CURLE_LOGIN_DENIED || code == CURLE_SEND_ERROR
            || code == CURLE_RECV_ERROR || code == CURLE_OPERATION_TIMEDOUT || code == CURLE_GOT_NOTHING
            || code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_CONNECT_ERROR
            || code == CURLE_USE_SSL_FAILED || code == CURLE_FTP_WEIRD_SERVER_REPLY
            || code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_PARTIAL_FILE)
            connected_ = false;
        return false;
    }
    return true;
}

bool FtpSession::activeUnavailable() const
{
    // libcurl 7.87 and 7.88 never start TLS on an active data connection: the server
    // refuses the clear data or stores nothing. Passive is what works there.
    const unsigned version = curl_version_info(CURLVERSION_NOW)->version_num;
    return settings_.explicitTls && version >= 0x075700 && version < 0x080000;
}

bool FtpSession::connect()
{
    if (!settings_.passive && activeUnavailable())
        connection_.addNote(QStringLiteral("Active mode is not available over TLS with this libcurl: passive mode used."));
    prepare({});
    connected_ = run();
    cwdVerified_ = false;
    if (connected_)
        cwd_ = QStringLiteral("/");
    return connected_;
}

void FtpSession::disconnect()
{
    if (!connected_)
        return;
    connection_.closeConnections();
    connected_ = false;
}

bool FtpSession::changeDirectory(const QString &path)
{
    const QString target = resolve(cwd_, path);
    // Already there (and proven when we went there): spare the server a round trip.
    if (connected_ && target == cwd_ && cwdVerified_)
        return true;
    prepare(target);
    if (!run())
        return false;
    cwd_ = target;
    cwdVerified_ = true;
    return true;
}

bool FtpSession::createDirectory(const QString &path)
{
    prepare({});
    return run({QStringLiteral("MKD ") + resolve(cwd_, path)});
}

qint64 FtpSession::remoteSize(const QString &remoteName)
{
    prepare({});
    if (!run({QStringLiteral("TYPE I"), QStringLiteral("SIZE ") + resolve(cwd_, remoteName)}))
        return -1;
    const QStringList &replies = connection_.replies();
    for (qsizetype i = replies.size() - 1; i >= 0; --i) {
        if (replies.at(i).startsWith(QLatin1String("213 "))) {
            bool ok = false;
            const qint64 size = replies.at(i).mid(4).trimmed().toLongLong(&ok);
            return ok ? size : -1;
        }
    }
    return -1;
}

bool FtpSession::putFile(const QString &localPath, const QString &remoteName)
{
    const qint64 localSize = QFileInfo(localPath).size();
    prepare(cwd_, remoteName);
    QString error;
    if (!connection_.uploadFile(localPath, &error)) {
        connection_.setLastError(error);
        return false;
    }
    // The server's own count of what arrived, asked on the same connection right after.
    if (!run({QStringLiteral("SIZE ") + resolve(cwd_, remoteName)}, false))
        return false;
    qint64 remote = -1;
    const QStringList &replies = connection_.replies();
    for (qsizetype i = replies.size() - 1; i >= 0 && remote < 0; --i) {
        if (replies.at(i).startsWith(QLatin1String("213 ")))
            remote = replies.at(i).mid(4).trimmed().toLongLong();
    }
    if (remote != localSize) {
        connection_.setLastError(QStringLiteral("The server holds %1 bytes of %2 instead of %3.")
                                     .arg(remote)
                                     .arg(remoteName)
                                     .arg(localSize));
        return false;
    }
    return true;
}

bool FtpSession::deleteFile(const QString &remoteName)
{
    prepare({});
    return run({QStringLiteral("DELE ") + resolve(cwd_, remoteName)});
}

bool FtpSession::removeDirectory(const QString &name)
{
    prepare({});
    return run({QStringLiteral("RMD ") + resolve(cwd_, name)});
}

bool FtpSession::listIn(const QString &folder, QStringList *names)
{
    // MLSD tells files from folders without guessing at a listing format; servers
    // without it get LIST, read in the usual Unix layout.
    for (const char *command : {"MLSD", "LIST"}) {
        const bool machine = qstrcmp(command, "MLSD") == 0;
        prepare(folder);
        curl_easy_setopt(connection_.handle(), CURLOPT_CUSTOMREQUEST, command);
        connection_.collectBody();
        if (!run({}, false)) {
            if (machine && connected_)
                continue;
            return false;
        }
        names->clear();
        const QList<QByteArray> lines = connection_.body().split('\n');
        for (const QByteArray &raw : lines) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.isEmpty())
                continue;
            QString name;
            bool isFolder = false;
            if (machine) {
                const qsizetype space = line.indexOf(QLatin1Char(' '));
                if (space < 0)
                    continue;
                const QString facts = line.left(space).toLower();
                if (facts.contains(QLatin1String("type=cdir")) || facts.contains(QLatin1String("type=pdir")))
                    continue;
                name = line.mid(space + 1);
                isFolder = facts.contains(QLatin1String("type=dir"));
            } else {
                const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                if (fields.size() < 9)
                    continue;
                name = line.section(QLatin1Char(' '), 8, -1, QString::SectionSkipEmpty);
                isFolder = line.startsWith(QLatin1Char('d'));
            }
            if (name == QLatin1String(".") || name == QLatin1String(".."))
                continue;
            names->append(isFolder ? name + QLatin1Char('/') : name);
        }
        return true;
    }
    return false;
}

bool FtpSession::list(QStringList *names)
{
    return listIn(cwd_, names);
}

bool FtpSession::deleteTreeIn(const QString &folder)
{
    QStringList names;
    if (!listIn(folder, &names))
        return false;
    for (const QString &name : names) {
        if (name.endsWith(QLatin1Char('/'))) {
            const QString sub = resolve(folder, name.chopped(1));
            if (!deleteTreeIn(sub))
                return false;
            prepare({});
            if (!run({QStringLiteral("RMD ") + sub}))
                return false;
        } else {
            prepare({});
            if (!run({QStringLiteral("DELE ") + resolve(folder, name)}))
                return false;
        }
    }
    return true;
}

bool FtpSession::deleteTree()
{
    return deleteTreeIn(cwd_);
}

// The server half of UploadFTPS: folder creation, upload and deletion over FTP, FTPS
// and SFTP, each step written into the connection log and reported to the delegate.
#include "publishing/UploadFTPS.h"

#include "platform/CredentialStore.h"
#include "platform/FtpSession.h"
#include "platform/UserDefaults.h"
#include "publishing/UploadFTPSTexts.h"

namespace {

const QString kLogTitle = QStringLiteral("Connection Log");

// Fills "%@" and "%d" in order, each with the next argument.
QString fill(const char *format, const QStringList &arguments)
{
    const QString text = QString::fromUtf8(format);
    QString result;
    result.reserve(text.size() + 256);
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('%') && i + 1 < text.size()
            && (text.at(i + 1) == QLatin1Char('@') || text.at(i + 1) == QLatin1Char('d'))) {
            result += next < arguments.size() ? arguments.at(next) : QString();
            ++next;
            ++i;
        } else {
            result += text.at(i);
        }
    }
    return result;
}

QString parentFolder(const QString &path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral("/");
    return slash == 0 ? QStringLiteral("/") : trimmed.left(slash);
}

}  // namespace

UploadFTPS::UploadFTPS() = default;
UploadFTPS::~UploadFTPS() = default;

QString UploadFTPS::joinPath(const QString &first, const QString &second)
{
    if (second.isEmpty())
        return first;
    if (first.isEmpty())
        return second;
    QString left = first;
    while (left.size() > 1 && left.endsWith(QLatin1Char('/')))
        left.chop(1);
    QString right = second;
    while (right.startsWith(QLatin1Char('/')))
        right.remove(0, 1);
    if (right.isEmpty())
        return left;
    return left == QLatin1String("/") ? left + right : left + QLatin1Char('/') + right;
}

QString UploadFTPS::ftpFolderFor(const UploadItem &item) const
{
    return QLatin1Char('/') + joinPath(remoteDirectory_local, item.remoteFolder);
}

QString UploadFTPS::sftpPathFor(const UploadItem &item) const
{
    // The item's folder ("/name") lies under the remote path even when that is empty:
    // its slash must not turn the path into one from the server's root, where the
    // page's images would part from the page itself.
    QString folder = item.remoteFolder;
    while (folder.startsWith(QLatin1Char('/')))
        folder.remove(0, 1);
    return joinPath(remoteDirectory_local, joinPath(folder, item.remoteFileName));
}

void UploadFTPS::grabCurrentSettings()
{
    UserDefaults &defaults = UserDefaults::standard();
    server_local = defaults.stringForKey(QStringLiteral("server"));
    userName_local = defaults.stringForKey(QStringLiteral("username"));
    password_local = CredentialStore().password(QStringLiteral("password"));
    remoteDirectory_local = defaults.stringForKey(QStringLiteral("remotepath"));
    portnumber_local = defaults.stringForKey(QStringLiteral("portnumber")).trimmed().toInt();
    if (portnumber_local == 0)
        portnumber_local = 21;
    FTPProtocolType_local = defaults.stringForKey(QStringLiteral("connectiontype"));
    if (FTPProtocolType_local.isEmpty())
        FTPProtocolType_local = QStringLiteral("FTP");
    determineFTPMode();
}

void UploadFTPS::determineFTPMode()
{
    FTPPassiveMode = UserDefaults::standard().stringForKey(QStringLiteral("connectionmode")) != QLatin1String("Active");
}

void UploadFTPS::report(bool result, const QString &details, int32_t counter)
{
    if (result)
        confirmed_ = counter;
    if (delegate)
        delegate->UploadUpdate(this, result, details, counter);
}

void UploadFTPS::noteRefusal()
{
    if (ftp_) {
        rejectedPem_ = ftp_->rejectedCertificatePem();
        rejectedCertificate_ = ftp_->rejectedCertificateFingerprint();
        rejectedCertificateServer_ = ftp_->rejectedCertificateServer();
    }
    if (sftp_) {
        rejectedHostKey_ = sftp_->rejectedHostKeyFingerprint();
        hostKeyChanged_ = sftp_->hostKeyChanged();
    }
}

QList<UploadItem> UploadFTPS::pendingItems() const
{
    if (!uploadRan_)
        return uploadItemArray;
    return uploadItemArray.mid(confirmed_ + 1);
}

bool UploadFTPS::connectFtp()
{
    // One attempt per job: a server that did not answer the folder creation is not
    // made to time out a second time for the upload; the upload reports that failure.
    if (ftp_)
        return ftp_->isConnected();
    determineFTPMode();
    FtpSession::Settings settings;
    settings.host = server_local;
    settings.port = portnumber_local;
    settings.user = userName_local;
    settings.password = password_local;
    settings.passive = FTPPassiveMode;
    settings.explicitTls = isFtps();
    ftp_ = std::make_unique<FtpSession>(settings);
    const bool ok = ftp_->connect();
    if (!ok)
        noteRefusal();
    return ok;
}

bool UploadFTPS::connectSftp()
{
    if (sftp_)
        return sftp_->isConnected();
    SftpSession::Settings settings;
    settings.host = server_local;
    settings.port = portnumber_local;
    settings.user = userName_local;
    settings.password = password_local;
    settings.connectTimeoutMs = 15000;
    sftp_ = std::make_unique<SftpSession>(settings);
    sftp_->setHostKeyConsent(hostKeyConsent_);
    const bool ok = sftp_->connect();
    if (!ok)
        noteRefusal();
    return ok;
}

void UploadFTPS::createNewFolder(const QString &folderName)
{
    if (isSftp())
        createFTPSFolder(folderName);
    else
        createFolder(folderName);
}

void UploadFTPS::uploadSingleFile()
{
    if (isSftp())
        uploadFTPS();
    else
        upload();
}

void UploadFTPS::deleteFolder(const QString &folderName)
{
    if (isSftp())
        return;
    deleteFTPFolder(folderName);
    deleteFile();
}

void UploadFTPS::deleteSingleFile()
{
    if (isSftp())
        return;
    deleteFile();
}

void UploadFTPS::createFolder(const QString &folderName)
{
    // Quiet: the upload makes any folder it cannot reach. The connection stays open for it.
    if (!connectFtp())
        return;
    ftp_->createDirectory(QLatin1Char('/') + joinPath(remoteDirectory_local, folderName));
}

void UploadFTPS::createFTPSFolder(const QString &folderName)
{
    if (!connectSftp())
        return;
    sftp_->createDirectory(joinPath(remoteDirectory_local, folderName));
}

void UploadFTPS::upload()
{
    uploadRan_ = true;
    confirmed_ = -1;
    const QString protocolName = isFtps() ? QStringLiteral("FTP/SSL") : QStringLiteral("FTP");
    QString log = kLogTitle;
    const bool connected = connectFtp();
    // Named after the connection, which reads the mode afresh.
    const QString modeName = FTPPassiveMode ? QStringLiteral("Passive") : QStringLiteral("Active");
    if (!connected) {
        const FtpSession::Settings &used = ftp_->settings();
        const QString port = QString::number(used.port);
        if (isFtps())
            report(false,
                   fill(UploadFTPSTexts::kConnectFailedFtps,
                        {log, used.host, port, protocolName, modeName, used.user, protocolName, protocolName, port,
                         ftp_->lastErrorText()}),
                   0);
        else
            report(false,
                   fill(UploadFTPSTexts::kConnectFailedFtp,
                        {log, used.host, port, protocolName, modeName, used.user, protocolName, port,
                         ftp_->lastErrorText()}),
                   0);
        ftp_.reset();
        return;
    }
    const FtpSession::Settings &used = ftp_->settings();
    log = fill(UploadFTPSTexts::kConnectedFtp, {log, used.host, QString::number(used.port), protocolName});
    for (qsizetype index = 0; index < uploadItemArray.size(); ++index) {
        const UploadItem &item = uploadItemArray.at(index);
        const auto counter = int32_t(index);
        if (cancelled_) {
            report(false, fill(UploadFTPSTexts::kCancelled, {log}), counter);
            ftp_.reset();
            return;
        }
        const QString folder = ftpFolderFor(item);
        if (!ftp_->changeDirectory(folder)) {
            if (ftp_->isConnected())
                ftp_->createDirectory(folder);
            if (!ftp_->isConnected() || !ftp_->changeDirectory(folder)) {
                report(false, fill(UploadFTPSTexts::kFolderUnreachable, {log, folder, ftp_->lastErrorText()}), counter);
                ftp_.reset();
                return;
            }
        }
        log = fill(UploadFTPSTexts::kChangedFolder, {log, folder});
        if (!ftp_->putFile(item.localPath, item.remoteFileName)) {
            report(false, fill(UploadFTPSTexts::kUploadFailedFtp, {log, item.remoteFileName, ftp_->lastErrorText()}),
                   counter);
            ftp_->disconnect();
            ftp_.reset();
            return;
        }
        log = fill(UploadFTPSTexts::kUploadedFile, {log, item.remoteFileName});
        report(true, log, counter);
    }
    ftp_->disconnect();
    ftp_.reset();
}

void UploadFTPS::uploadFTPS()
{
    uploadRan_ = true;
    confirmed_ = -1;
    const QString protocol = QStringLiteral("SFTP");
    const QString port = QString::number(portnumber_local);
    QString log = kLogTitle;
    if (!connectSftp()) {
        const SftpSession::Stage stage = sftp_->failedStage();
        if (stage == SftpSession::Stage::Authenticate) {
            log = fill(UploadFTPSTexts::kConnectedSftp, {log, server_local, port, protocol});
            report(false, fill(UploadFTPSTexts::kLoginFailedSftp, {log, userName_local}), 0);
        } else if (stage == SftpSession::Stage::Initialize) {
            log = fill(UploadFTPSTexts::kConnectedSftp, {log, server_local, port, protocol});
            log = fill(UploadFTPSTexts::kLoggedInSftp, {log, userName_local});
            report(false, fill(UploadFTPSTexts::kInitFailedSftp, {log}), 0);
        } else {
            report(false,
                   fill(UploadFTPSTexts::kConnectFailedSftp, {log, server_local, port, protocol, protocol, protocol, port})
                       + QStringLiteral("\n\nRaw Log:\n\n") + sftp_->lastErrorText(),
                   0);
        }
        sftp_.reset();
        return;
    }
    log = fill(UploadFTPSTexts::kConnectedSftp, {log, server_local, port, protocol});
    log = fill(UploadFTPSTexts::kLoggedInSftp, {log, userName_local});
    log = fill(UploadFTPSTexts::kInitializedSftp, {log});
    for (qsizetype index = 0; index < uploadItemArray.size(); ++index) {
        const UploadItem &item = uploadItemArray.at(index);
        const auto counter = int32_t(index);
        if (cancelled_) {
            report(false, fill(UploadFTPSTexts::kCancelled, {log}), counter);
            sftp_.reset();
            return;
        }
        const QString remotePath = sftpPathFor(item);
        if (!sftp_->uploadFile(remotePath, item.localPath)) {
            report(false,
                   fill(UploadFTPSTexts::kUploadFailedSftp, {log, remotePath}) + QStringLiteral("\n\nRaw Log:\n\n")
                       + sftp_->lastErrorText(),
                   counter);
            sftp_.reset();
            return;
        }
        log = fill(UploadFTPSTexts::kUploadedFile, {log, remotePath});
        report(true, QStringLiteral("Success"), counter);
    }
    sftp_->disconnect();
    sftp_.reset();
}

void UploadFTPS::deleteFTPFolder(const QString &folderName)
{
    if (!connectFtp())
        return;
    const QString folder = QLatin1Char('/') + joinPath(remoteDirectory_local, folderName);
    if (!ftp_->changeDirectory(folder) || !ftp_->deleteTree())
        return;
    const QString parent = parentFolder(folder);
    if (!ftp_->changeDirectory(parent))
        return;
    QString name = folder;
    while (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    ftp_->removeDirectory(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1));
}

void UploadFTPS::deleteFile()
{
    if (!connectFtp()) {
        report(false, ftp_->lastErrorText(), 0);
        ftp_.reset();
        return;
    }
    const QString folder = QLatin1Char('/') + remoteDirectory_local;
    for (qsizetype index = 0; index < fileArray.size(); ++index) {
        const auto counter = int32_t(index);
        if (!ftp_->changeDirectory(folder)) {
            report(false, ftp_->lastErrorText(), counter);
            ftp_.reset();
            return;
        }
        if (!ftp_->deleteFile(fileArray.at(index))) {
            report(false, ftp_->lastErrorText(), counter);
            ftp_.reset();
            return;
        }
        report(true, QStringLiteral("Success"), counter);
    }
    ftp_->disconnect();
    ftp_.reset();
}

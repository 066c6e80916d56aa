#include "platform/SafeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
QString reasonText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

void setError(QString *error, const QString &path, const QString &why)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
}

bool syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
} // namespace

QString SafeFileWrite::partPathFor(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".zovpart"));
}

bool SafeFileWrite::syncFile(const QString &path)
{
    return syncPath(path, O_RDONLY);
}

bool SafeFileWrite::syncFolder(const QString &folder)
{
    return syncPath(folder, O_RDONLY | O_DIRECTORY);
}

bool SafeFileWrite::commit(const QString &from, const QString &to, QString *error)
{
    if (!syncFile(from)) {
        setError(error, to, reasonText(errno));
        return false;
    }
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        const int err = errno;
        QFile::remove(from);
        setError(error, to, reasonText(err));
        return false;
    }
    syncFolder(QFileInfo(to).absolutePath());
    return true;
}

bool SafeFileWrite::write(const QString &path, const QByteArray &data, QString *error)
{
    const QString part = partPathFor(path);
    const QByteArray partName = QFile::encodeName(part);
    ::unlink(partName.constData());
    const int fd = ::open(partName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        setError(error, path, reasonText(errno));
        return false;
    }
    const char *bytes = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, bytes, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            ::close(fd);
            ::unlink(partName.constData());
            setError(error, path, reasonText(err));
            return false;
        }
        bytes += n;
        left -= n;
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int err = errno;
        ::unlink(partName.constData());
        setError(error, path, reasonText(err));
        return false;
    }
    if (::rename(partName.constData(), QFile::encodeName(path).constData()) != 0) {
        const int err = errno;
        ::unlink(partName.constData());
        setError(error, path, reasonText(err));
        return false;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

int SafeFileWrite::removeStaleParts(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral(".*.zovpart"), QStringLiteral(".*.zovpart.*")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        if (QFile::remove(dir.filePath(name)))
            ++removed;
    return removed;
}

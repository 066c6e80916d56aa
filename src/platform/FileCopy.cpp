#include "platform/FileCopy.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool copyContents(int in, int out, off_t size)
{
    off_t left = size;
    // The kernel copies (or clones) without bringing the bytes to us.
    while (left > 0) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, size_t(left), 0);
        if (copied < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
                break;  // not between these files: copy by hand from where we are
            return false;
        }
        if (copied == 0)
            break;  // the file got shorter meanwhile
        left -= copied;
    }
    if (left == 0)
        return true;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(out, buffer + written, size_t(got - written));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return false;
            written += put;
        }
    }
}

}  // namespace

bool FileCopy::copyFile(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    Descriptor in{::open(source.constData(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0)
        return false;
    struct stat info {};
    if (::fstat(in.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    Descriptor out{::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777)};
    if (out.fd < 0)
        return false;
    const bool ok = copyContents(in.fd, out.fd, info.st_size);
    const int closed = ::close(out.fd);
    out.fd = -1;
    if (!ok || closed != 0) {
        ::unlink(target.constData());
        return false;
    }
    return true;
}

#include "platform/WorkFolder.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace {

constexpr QFileDevice::Permissions kPrivateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
const QString kLockSuffix = QStringLiteral(".lock");
const QString kInstancePrefix = QStringLiteral("instance-");

bool makePrivateFolder(const QString &path, QString *error)
{
    if (!QDir().mkpath(path)) {
        *error = QStringLiteral("The folder %1 could not be created.").arg(path);
        return false;
    }
    if (!QFile::setPermissions(path, kPrivateFolder)) {
        *error = QStringLiteral("The permissions of %1 could not be set.").arg(path);
        return false;
    }
    return true;
}

std::unique_ptr<QLockFile> makeLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A live instance's lock never goes stale with age; only a lock whose process is
    // gone counts as stale.
    lock->setStaleLockTime(0);
    return lock;
}

}  // namespace

WorkFolder::WorkFolder(const QString &basePath)
    : base_(QDir::cleanPath(basePath.isEmpty() ? defaultBasePath() : QDir(basePath).absolutePath()))
{
}

WorkFolder::~WorkFolder()
{
    close();
}

void WorkFolder::close()
{
    if (!path_.isEmpty() && !QDir(path_).removeRecursively())
        qWarning().noquote() << "The work folder" << path_ << "could not be removed completely.";
    path_.clear();
    if (lock_)
        lock_->unlock();
    lock_.reset();
}

WorkFolder &WorkFolder::shared()
{
    static WorkFolder folder;
    // Closed with the application rather than among the static objects at
    // exit: by then whatever made the cache folder (a test's temporary home)
    // may have removed it, lock file and all.
    static const bool closesWithApplication = [] {
        if (QCoreApplication::instance())
            qAddPostRoutine([] { shared().close(); });
        return true;
    }();
    Q_UNUSED(closesWithApplication);
    return folder;
}

QString WorkFolder::defaultBasePath()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache + QStringLiteral("/zov/work");
}

bool WorkFolder::open()
{
    if (isOpen())
        return true;
    error_.clear();
    if (base_.isEmpty() || base_ == QLatin1String("/")) {
        error_ = QStringLiteral("No cache folder is known for this user.");
        return false;
    }
    // The program's own cache folder (…/zov) is private as well; a base folder given by a
    // caller only has itself made private.
    if (base_ == QDir::cleanPath(defaultBasePath()) &&
        !makePrivateFolder(QFileInfo(base_).absolutePath(), &error_))
        return false;
    if (!makePrivateFolder(base_, &error_))
        return false;

    removeStaleInstances(base_);

    const QDir base(base_);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = kInstancePrefix + QString::number(QCoreApplication::applicationPid()) +
                             QLatin1Char('-') +
                             QString::number(QRandomGenerator::global()->generate(), 36);
        const QString folder = base.filePath(name);
        if (QFileInfo::exists(folder))
            continue;
        // The lock is taken before the folder exists, so a stale-folder sweep by another
        // instance can never see this folder unlocked.
        auto lock = makeLock(folder + kLockSuffix);
        if (!lock->tryLock(0))
            continue;
        if (!base.mkdir(name) || !QFile::setPermissions(folder, kPrivateFolder)) {
            lock->unlock();
            error_ = QStringLiteral("The work folder %1 could not be created.").arg(folder);
            return false;
        }
        lock_ = std::move(lock);
        path_ = folder;
        return true;
    }
    error_ = QStringLiteral("No work folder could be reserved in %1.").arg(base_);
    return false;
}

bool WorkFolder::isOpen() const
{
    return !path_.isEmpty();
}

QString WorkFolder::errorString() const
{
    return error_;
}

QString WorkFolder::basePath() const
{
    return base_;
}

QString WorkFolder::path()
{
    if (!isOpen() && !open())
        return {};
    return path_;
}

QString WorkFolder::subfolder(const QString &relativePath)
{
    const QString root = path();
    if (root.isEmpty())
        return {};
    const QString cleaned = QDir::cleanPath(relativePath);
    if (cleaned.isEmpty() || QDir::isAbsolutePath(cleaned) || cleaned == QLatin1String("..") ||
        cleaned.startsWith(QLatin1String("../"))) {
        error_ = QStringLiteral("%1 is not a folder name inside the work folder.").arg(relativePath);
        return {};
    }
    const QString folder = QDir(root).filePath(cleaned);
    if (!QDir().mkpath(folder)) {
        error_ = QStringLiteral("The folder %1 could not be created.").arg(folder);
        return {};
    }
    return folder;
}

int WorkFolder::removeStaleInstances(const QString &basePath)
{
    int removed = 0;
    const QDir base(basePath);
    const QStringList folders =
        base.entryList({kInstancePrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &name : folders) {
        const QString folder = base.filePath(name);
        auto lock = makeLock(folder + kLockSuffix);
        if (!lock->tryLock(0))
            continue;  // a running instance
        if (QDir(folder).removeRecursively())
            ++removed;
        lock->unlock();
    }
    // Locks whose folder is gone (an instance that ended between creating both).
    const QStringList locks = base.entryList({kInstancePrefix + QLatin1Char('*') + kLockSuffix}, QDir::Files);
    for (const QString &name : locks) {
        const QString folder = base.filePath(name.chopped(kLockSuffix.size()));
        if (QFileInfo::exists(folder))
            continue;
        auto lock = makeLock(base.filePath(name));
        if (lock->tryLock(0))
            lock->unlock();  // unlocking removes the lock file
    }
    return removed;
}

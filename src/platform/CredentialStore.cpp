#include "platform/CredentialStore.h"

#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QThread>

#include <functional>
#include <future>
#include <mutex>

#include <qt6keychain/keychain.h>

namespace {

const QString kSecretsService = QStringLiteral("org.freedesktop.secrets");

// The keyring library is not made for several threads: it queues every job in one
// object that belongs to the thread of the first job, and that object hears of a
// job's end there and touches the job then. So every job runs on one thread of its
// own, whichever thread asks (the publish job reads passwords in the background),
// and the asking thread waits for the answer without needing an event loop.
class KeyringThread
{
public:
    // Runs work on the keyring thread (started on first use) and returns at once.
    static void post(const std::function<void()> &work)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!thread_) {
            thread_ = new QThread;
            thread_->setObjectName(QStringLiteral("keyring"));
            context_ = new QObject;
            context_->moveToThread(thread_);
            thread_->start();
            // Stopped with the application, so no thread outlives it.
            if (QCoreApplication::instance())
                qAddPostRoutine(&KeyringThread::stop);
        }
        QMetaObject::invokeMethod(context_, work, Qt::QueuedConnection);
    }

private:
    static void stop()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!thread_)
            return;
        thread_->quit();
        thread_->wait();
        delete context_;
        delete thread_;
        context_ = nullptr;
        thread_ = nullptr;
    }

    static inline std::mutex mutex_;
    static inline QThread *thread_ = nullptr;
    static inline QObject *context_ = nullptr;
};

// Makes a keyring job with make(), runs it to its end on the keyring thread and reads
// it in done() there. The job goes once the library's own handler of finished() is
// through with it.
template <typename JobType>
void runJob(const std::function<JobType *()> &make, const std::function<void(JobType *)> &done)
{
    std::promise<void> over;
    KeyringThread::post([&] {
        JobType *job = make();
        job->setAutoDelete(false);
        QObject::connect(job, &QKeychain::Job::finished, job, [&, job](QKeychain::Job *) {
            done(job);
            job->deleteLater();
            over.set_value();
        });
        job->start();
    });
    over.get_future().wait();
}

// The preferences file holds secrets: only its owner may read it.
void restrictFile(UserDefaults &defaults)
{
    defaults.synchronize();
    QFile::setPermissions(defaults.filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

CredentialStore::CredentialStore(UserDefaults *defaults)
    : defaults_(defaults)
{
}

UserDefaults &CredentialStore::defaults() const
{
    return defaults_ ? *defaults_ : UserDefaults::standard();
}

QString CredentialStore::serviceName()
{
    return QStringLiteral("zov");
}

bool CredentialStore::keyringAvailable()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (bus.interface()->isServiceRegistered(kSecretsService))
        return true;
    const QStringList activatable = bus.interface()->activatableServiceNames();
    return activatable.contains(kSecretsService);
}

QString CredentialStore::password(const QString &key, QString *error)
{
    const QString inFile = defaults().stringForKey(key);
    if (!keyringAvailable())
        return inFile;
    QKeychain::Error code = QKeychain::NoError;
    QString failure;
    QString stored;
    runJob<QKeychain::ReadPasswordJob>(
        [&] {
            auto *read = new QKeychain::ReadPasswordJob(serviceName());
            read->setKey(key);
            return read;
        },
        [&](QKeychain::ReadPasswordJob *job) {
            code = job->error();
            failure = code == QKeychain::NoError ? QString() : job->errorString();
            stored = job->textData();
        });
    if (failure.isEmpty()) {
        // Both may hold one: the file's is the older copy from before the keyring.
        if (defaults().hasStoredValue(key)) {
            defaults().removeObjectForKey(key);
            restrictFile(defaults());
        }
        return stored;
    }
    if (code == QKeychain::EntryNotFound) {
        if (inFile.isEmpty())
            return {};
        // Moves the password over; the file keeps it only when the keyring refused.
        QString moveError;
        if (setPassword(key, inFile, &moveError))
            return inFile;
        if (error)
            *error = moveError;
        return inFile;
    }
    if (error)
        *error = failure;
    return inFile;
}

bool CredentialStore::setPassword(const QString &key, const QString &password, QString *error)
{
    if (password.isEmpty())
        return removePassword(key, error);
    if (keyringAvailable()) {
        QString failure;
        runJob<QKeychain::WritePasswordJob>(
            [&] {
                auto *write = new QKeychain::WritePasswordJob(serviceName());
                write->setKey(key);
                write->setTextData(password);
                return write;
            },
            [&](QKeychain::WritePasswordJob *job) {
                failure = job->error() == QKeychain::NoError ? QString() : job->errorString();
            });
        if (failure.isEmpty()) {
            if (defaults().hasStoredValue(key)) {
                defaults().removeObjectForKey(key);
                restrictFile(defaults());
            }
            return true;
        }
        if (error)
            *error = failure;
    }
    defaults().setString(password, key);
    restrictFile(defaults());
    QString writeError;
    if (!defaults().synchronize(&writeError)) {
        if (error)
            *error = writeError;
        return false;
    }
    return true;
}

bool CredentialStore::removePassword(const QString &key, QString *error)
{
    bool ok = true;
    if (keyringAvailable()) {
        QKeychain::Error code = QKeychain::NoError;
        QString failure;
        runJob<QKeychain::DeletePasswordJob>(
            [&] {
                auto *remove = new QKeychain::DeletePasswordJob(serviceName());
                remove->setKey(key);
                return remove;
            },
            [&](QKeychain::DeletePasswordJob *job) {
                code = job->error();
                failure = code == QKeychain::NoError ? QString() : job->errorString();
            });
        if (!failure.isEmpty() && code != QKeychain::EntryNotFound) {
            ok = false;
            if (error)
                *error = failure;
        }
    }
    if (defaults().hasStoredValue(key)) {
        defaults().removeObjectForKey(key);
        restrictFile(defaults());
    }
    return ok;
}

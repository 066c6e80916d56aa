#include "platform/CredentialStore.h"

#include "platform/UserDefaults.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QFile>

#include <functional>
#include <memory>

#include <qt6keychain/keychain.h>

namespace {

const QString kSecretsService = QStringLiteral("org.freedesktop.secrets");

// Runs a keyring job to its end and reads it in done() before it goes. The job is
// made on the heap and deletes itself later: the library still posts events to it
// after it has finished.
template <typename JobType>
void runJob(JobType *job, const std::function<void(JobType *)> &done)
{
    // Owned here and freed once its loop has ended: a deferred deletion would
    // wait for an event loop that may never run again (a command-line run).
    const std::unique_ptr<JobType> owned(job);
    job->setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job *) {
        done(job);
        loop.quit();
    });
    job->start();
    loop.exec();
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
    auto *read = new QKeychain::ReadPasswordJob(serviceName());
    read->setKey(key);
    runJob<QKeychain::ReadPasswordJob>(read, [&](QKeychain::ReadPasswordJob *job) {
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
        auto *write = new QKeychain::WritePasswordJob(serviceName());
        write->setKey(key);
        write->setTextData(password);
        runJob<QKeychain::WritePasswordJob>(write, [&](QKeychain::WritePasswordJob *job) {
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
        auto *remove = new QKeychain::DeletePasswordJob(serviceName());
        remove->setKey(key);
        runJob<QKeychain::DeletePasswordJob>(remove, [&](QKeychain::DeletePasswordJob *job) {
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

#include "platform/CredentialStore.h"

#include "platform/UserDefaults.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QFile>

#include <qt6keychain/keychain.h>

namespace {

const QString kSecretsService = QStringLiteral("org.freedesktop.secrets");

// Runs a keyring job to its end; answers the job's error text, empty on success.
QString runJob(QKeychain::Job *job, QKeychain::Error *code = nullptr)
{
    job->setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job->start();
    loop.exec();
    if (code)
        *code = job->error();
    return job->error() == QKeychain::NoError ? QString() : job->errorString();
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
    QKeychain::ReadPasswordJob read(serviceName());
    read.setKey(key);
    QKeychain::Error code = QKeychain::NoError;
    const QString failure = runJob(&read, &code);
    if (failure.isEmpty()) {
        // Both may hold one: the file's is the older copy from before the keyring.
        if (defaults().hasStoredValue(key)) {
            defaults().removeObjectForKey(key);
            restrictFile(defaults());
        }
        return read.textData();
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
        QKeychain::WritePasswordJob write(serviceName());
        write.setKey(key);
        write.setTextData(password);
        const QString failure = runJob(&write);
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
        QKeychain::DeletePasswordJob remove(serviceName());
        remove.setKey(key);
        QKeychain::Error code = QKeychain::NoError;
        const QString failure = runJob(&remove, &code);
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

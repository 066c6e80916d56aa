#include "platform/UserDefaults.h"
#include "platform/PrivateFolder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QStandardPaths>

#include <cmath>

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

struct StandardHolder {
    QMutex mutex;
    QString filePath;
    std::unique_ptr<UserDefaults> defaults;
};

StandardHolder &holder()
{
    static StandardHolder h;
    return h;
}

// Makes sure the file exists with owner-only permissions before QSettings writes it:
// QSettings keeps the permissions of the file it replaces.
void prepareFile(const QString &path)
{
    const QFileInfo info(path);
    PrivateFolder::ensure(info.absolutePath());
    if (!info.exists()) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.close();
    }
    QFile::setPermissions(path, kOwnerOnly);
}

bool textIsTrue(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes"))
        return true;
    bool ok = false;
    const double number = t.toDouble(&ok);
    return ok && number != 0.0;
}

}  // namespace

UserDefaults::UserDefaults(const QString &filePath, QObject *parent)
    : QObject(parent), path_(filePath)
{
    prepareFile(path_);
    settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
}

UserDefaults::~UserDefaults()
{
    QString error;
    if (!synchronize(&error))
        qWarning().noquote() << error;
}

QString UserDefaults::defaultFilePath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/zov/zov.ini");
}

UserDefaults &UserDefaults::standard()
{
    StandardHolder &h = holder();
    QMutexLocker lock(&h.mutex);
    if (!h.defaults)
        h.defaults = std::make_unique<UserDefaults>(h.filePath.isEmpty() ? defaultFilePath() : h.filePath);
    return *h.defaults;
}

void UserDefaults::setStandardFilePath(const QString &filePath)
{
    StandardHolder &h = holder();
    QMutexLocker lock(&h.mutex);
    h.filePath = filePath;
    h.defaults.reset();
}

QString UserDefaults::filePath() const
{
    return path_;
}

void UserDefaults::registerDefaults(const QVariantMap &defaults)
{
    QMutexLocker lock(&mutex_);
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        registered_.insert(it.key(), it.value());
}

QVariant UserDefaults::objectForKey(const QString &key) const
{
    QMutexLocker lock(&mutex_);
    const QVariant stored = settings_->value(key);
    return stored.isValid() ? stored : registered_.value(key);
}

bool UserDefaults::hasStoredValue(const QString &key) const
{
    QMutexLocker lock(&mutex_);
    return settings_->contains(key);
}

QString UserDefaults::stringForKey(const QString &key) const
{
    const QVariant value = objectForKey(key);
    if (value.canConvert<QString>())
        return value.toString();
    return {};
}

int32_t UserDefaults::integerForKey(const QString &key) const
{
    const QVariant value = objectForKey(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (ok && std::isfinite(number))
        return int32_t(number);
    return 0;
}

float UserDefaults::floatForKey(const QString &key) const
{
    return float(doubleForKey(key));
}

double UserDefaults::doubleForKey(const QString &key) const
{
    const QVariant value = objectForKey(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1.0 : 0.0;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok ? number : 0.0;
}

bool UserDefaults::boolForKey(const QString &key) const
{
    const QVariant value = objectForKey(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return textIsTrue(value.toString());
}

QVariantList UserDefaults::arrayForKey(const QString &key) const
{
    const QVariant value = objectForKey(key);
    if (value.typeId() == QMetaType::QVariantList)
        return value.toList();
    if (value.typeId() == QMetaType::QStringList) {
        QVariantList list;
        for (const QString &s : value.toStringList())
            list << s;
        return list;
    }
    // QSettings reads a one-element string list written to INI back as a plain string.
    if (value.typeId() == QMetaType::QString)
        return {value};
    return {};
}

QStringList UserDefaults::stringArrayForKey(const QString &key) const
{
    QStringList list;
    for (const QVariant &v : arrayForKey(key)) {
        if (!v.canConvert<QString>())
            return {};
        list << v.toString();
    }
    return list;
}

QVariantMap UserDefaults::dictionaryForKey(const QString &key) const
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

void UserDefaults::setObject(const QVariant &value, const QString &key)
{
    {
        QMutexLocker lock(&mutex_);
        if (value.isValid())
            settings_->setValue(key, value);
        else
            settings_->remove(key);
    }
    emit valueChanged(key);
}

void UserDefaults::removeObjectForKey(const QString &key)
{
    setObject(QVariant(), key);
}

bool UserDefaults::synchronize(QString *error)
{
    QMutexLocker lock(&mutex_);
    prepareFile(path_);
    settings_->sync();
    const bool madePrivate = QFile::setPermissions(path_, kOwnerOnly);
    switch (settings_->status()) {
    case QSettings::NoError:
        // The file holds server and mail passwords: say so when others could read it.
        if (!madePrivate) {
            if (error)
                *error = QStringLiteral("The settings file %1 could not be made private to its owner.").arg(path_);
            return false;
        }
        return true;
    case QSettings::AccessError:
        if (error)
            *error = QStringLiteral("The settings file %1 could not be written.").arg(path_);
        return false;
    case QSettings::FormatError:
        if (error)
            *error = QStringLiteral("The settings file %1 is damaged.").arg(path_);
        return false;
    }
    return false;
}

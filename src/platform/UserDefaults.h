#pragma once
// The user's preferences: key/value pairs kept in an INI file in the XDG config
// folder (readable by the user alone), with registered defaults behind them.
//
// Typed reads convert what is stored (INI files hold text): a missing key answers the
// registered default, else 0 / false / empty; a stored value that does not convert
// answers 0 / false / empty (it hides the registered default, as a stored value does).
// Safe to use from any thread.
#include <QMutex>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

class UserDefaults : public QObject {
    Q_OBJECT
public:
    // Opens (creating when missing) the INI file at filePath.
    explicit UserDefaults(const QString &filePath, QObject *parent = nullptr);
    ~UserDefaults() override;

    // The program's defaults, in <XDG config>/zov/zov.ini.
    static UserDefaults &standard();
    // Points standard() at another file (tests); an empty path restores the usual one.
    static void setStandardFilePath(const QString &filePath);
    static QString defaultFilePath();

    QString filePath() const;

    void registerDefaults(const QVariantMap &defaults);

    // The stored value, else the registered default, else an invalid QVariant.
    QVariant objectForKey(const QString &key) const;
    bool hasStoredValue(const QString &key) const;
    QString stringForKey(const QString &key) const;
    int32_t integerForKey(const QString &key) const;
    float floatForKey(const QString &key) const;
    double doubleForKey(const QString &key) const;
    // "1", "true" and "YES" (any case) and non-zero numbers are true.
    bool boolForKey(const QString &key) const;
    QVariantList arrayForKey(const QString &key) const;
    QStringList stringArrayForKey(const QString &key) const;
    QVariantMap dictionaryForKey(const QString &key) const;

    void setObject(const QVariant &value, const QString &key);
    void setString(const QString &value, const QString &key) { setObject(value, key); }
    void setInteger(int32_t value, const QString &key) { setObject(value, key); }
    void setFloat(float value, const QString &key) { setObject(value, key); }
    void setBool(bool value, const QString &key) { setObject(value, key); }
    void removeObjectForKey(const QString &key);

    // Writes pending changes. False, with the reason in *error, when the file could
    // not be written or read.
    bool synchronize(QString *error = nullptr);

signals:
    void valueChanged(const QString &key);

private:
    QString path_;
    mutable QMutex mutex_;
    std::unique_ptr<QSettings> settings_;
    QVariantMap registered_;
};

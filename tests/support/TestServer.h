#pragma once
// Starts one of the servers of tests/servers (a Python script run by Debian's
// /usr/bin/python3) and keeps it for the life of this object.
//
// The script prints "READY <json>" once it accepts connections; info() holds that
// JSON (port, user, password, …). Closing the script's standard input ends it, and
// it cleans up after itself. A server that does not come up fails the test.
#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

class TestServer {
public:
    TestServer(const QString &script, const QStringList &arguments = {}, int timeoutMs = 20000)
    {
        process_.setProgram(QStringLiteral("/usr/bin/python3"));
        process_.setArguments(QStringList{QStringLiteral(ZOV_TEST_SERVERS "/") + script} + arguments);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(timeoutMs)) {
            ADD_FAILURE() << "could not start " << script.toStdString();
            return;
        }
        QByteArray line;
        while (!line.endsWith('\n')) {
            if (!process_.waitForReadyRead(timeoutMs)) {
                ADD_FAILURE() << script.toStdString() << " did not report ready: " << line.toStdString();
                return;
            }
            line += process_.readAll();
        }
        const qsizetype at = line.indexOf("READY ");
        if (at < 0) {
            ADD_FAILURE() << script.toStdString() << " said: " << line.toStdString();
            return;
        }
        info_ = QJsonDocument::fromJson(line.mid(at + 6).trimmed()).object();
        ok_ = !info_.isEmpty();
    }

    ~TestServer()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }

    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    bool ok() const { return ok_; }
    const QJsonObject &info() const { return info_; }
    int port() const { return info_.value(QStringLiteral("port")).toInt(); }
    QString value(const char *key) const { return info_.value(QLatin1String(key)).toVariant().toString(); }

    // The names pyftpd_server.py's --log file records as stored (STOR), in order.
    static QStringList ftpStoredNames(const QString &logPath)
    {
        QStringList names;
        QFile log(logPath);
        if (!log.open(QIODevice::ReadOnly))
            return names;
        for (const QByteArray &line : log.readAll().split('\n'))
            if (line.startsWith("STOR "))
                names.append(QString::fromUtf8(line.mid(5)));
        return names;
    }

private:
    QProcess process_;
    QJsonObject info_;
    bool ok_ = false;
};

#pragma once
// Starts tests/servers/smtp_server.py on a free port for one test and stops it after.
// Also makes a throw-away certificate for 127.0.0.1 and reads stored mail back through
// Python's email package.
#include "support/PortFileServer.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

class SmtpTestServer {
public:
    ~SmtpTestServer() { stop(); }

    // A certificate for 127.0.0.1/localhost, made once per run.
    static const QTemporaryDir &certificateDir()
    {
        static QTemporaryDir dir;
        static bool made = [] {
            QProcess openssl;
            openssl.start(QStringLiteral("openssl"),
                          {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                           QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                           QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                           QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1"),
                           QStringLiteral("-keyout"), dir.filePath(QStringLiteral("key.pem")),
                           QStringLiteral("-out"), dir.filePath(QStringLiteral("cert.pem"))});
            return openssl.waitForFinished(30000) && openssl.exitCode() == 0;
        }();
        EXPECT_TRUE(made) << "openssl could not make the test certificate";
        return dir;
    }
    static QString certificatePath() { return certificateDir().filePath(QStringLiteral("cert.pem")); }
    static QByteArray certificatePem()
    {
        QFile f(certificatePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // tls: "none", "starttls" or "implicit"; extra: further options of the server.
    bool start(const QString &tls = QStringLiteral("none"), const QStringList &extra = {})
    {
        const QString portFile = dir_.filePath(QStringLiteral("port"));
        QStringList args = {QStringLiteral(ZOV_TEST_SERVERS "/smtp_server.py"),
                            QStringLiteral("--port-file"), portFile,
                            QStringLiteral("--mail-dir"), mailDir(),
                            QStringLiteral("--tls"), tls};
        if (tls != QLatin1String("none")) {
            args << QStringLiteral("--cert") << certificatePath()
                 << QStringLiteral("--key") << certificateDir().filePath(QStringLiteral("key.pem"));
        }
        args += extra;
        port_ = PortFileServer::start(process_, args, portFile);
        return port_ > 0;
    }

    void stop() { PortFileServer::stop(process_); }

    int port() const { return port_; }
    QString mailDir() const { return dir_.filePath(QStringLiteral("mail")); }
    int storedCount() const
    {
        return int(QDir(mailDir()).entryList({QStringLiteral("*.json")}, QDir::Files).size());
    }

    // Every stored message as Python's email package reads it.
    QJsonArray messages() const { return readMessages(mailDir()); }

    // Reads <n>.eml/<n>.json pairs in folder, as the server stores them.
    static QJsonArray readMessages(const QString &folder)
    {
        QProcess reader;
        reader.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(ZOV_TEST_SERVERS "/read_mail.py"), folder});
        reader.waitForFinished(60000);
        EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().constData();
        return QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    }

    // One message read back without a server.
    static QJsonObject readBack(const QByteArray &mime)
    {
        QTemporaryDir folder;
        QFile eml(folder.filePath(QStringLiteral("1.eml")));
        QFile json(folder.filePath(QStringLiteral("1.json")));
        if (!eml.open(QIODevice::WriteOnly) || !json.open(QIODevice::WriteOnly))
            return {};
        eml.write(mime);
        json.write(R"({"from": "", "to": [], "auth": null})");
        eml.close();
        json.close();
        return readMessages(folder.path()).at(0).toObject();
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

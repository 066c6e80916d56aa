#pragma once
// Starts tests/servers/dropbox_server.py over TLS on a free port for one test and
// stops it after. Its certificate (the one the mail tests make) is trusted through the
// user's trusted-certificates file, as the program would after asking.
#include "platform/HttpClient.h"
#include "platform/TrustStore.h"
#include "support/PortFileServer.h"
#include "support/SmtpTestServer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

class DropboxTestServer {
public:
    ~DropboxTestServer() { stop(); }

    static constexpr const char *appKey = "testkey";

    // extra: further options of the server ("--short-size", "--rate-limit", "2", …).
    bool start(const QStringList &extra = {})
    {
        const QString portFile = dir_.filePath(QStringLiteral("port"));
        QStringList args = {QStringLiteral(ZOV_TEST_SERVERS "/dropbox_server.py"),
                            QStringLiteral("--port-file"), portFile,
                            QStringLiteral("--files-dir"), filesDir(),
                            QStringLiteral("--app-key"), QString::fromLatin1(appKey),
                            QStringLiteral("--log"), dir_.filePath(QStringLiteral("log.jsonl")),
                            QStringLiteral("--cert"), SmtpTestServer::certificatePath(),
                            QStringLiteral("--key"), SmtpTestServer::certificateDir().filePath(QStringLiteral("key.pem"))};
        args += extra;
        port_ = PortFileServer::start(process_, args, portFile);
        // Its certificate trusted for this server, as a user would after the alert.
        return port_ > 0
               && TrustStore::trustCertificate(SmtpTestServer::certificatePem(),
                                               TrustStore::serverName(QStringLiteral("127.0.0.1"), port_));
    }

    void stop() { PortFileServer::stop(process_); }

    QString base() const { return QStringLiteral("https://127.0.0.1:%1").arg(port_); }
    QString filesDir() const { return dir_.filePath(QStringLiteral("files")); }

    // Every request the server answered: {"path", "status", "arg"}.
    QJsonArray log() const
    {
        QJsonArray entries;
        QFile f(dir_.filePath(QStringLiteral("log.jsonl")));
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : f.readAll().split('\n')) {
                if (!line.trimmed().isEmpty())
                    entries.append(QJsonDocument::fromJson(line).object());
            }
        }
        return entries;
    }

    // What the user does in the browser: opens the sign-in address and reads the code
    // the page shows.
    static QString codeShownAt(const QString &address)
    {
        HttpClient browser;
        const HttpClient::Response page = browser.get(address);
        EXPECT_EQ(page.status, 200) << page.error.toStdString() << page.body.constData();
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("<code id=\"code\">([^<]+)</code>"))
                                              .match(QString::fromUtf8(page.body));
        return m.hasMatch() ? m.captured(1) : QString();
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

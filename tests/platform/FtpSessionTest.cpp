// FtpSession against real servers: vsftpd (FTP and explicit FTPS, a system user
// logged in through PAM) and pyftpdlib (plain FTP with injected faults).
#include "platform/FtpSession.h"
#include "platform/TrustStore.h"
#include "support/FileHelpers.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char &c : data)
        c = char(generator.bounded(256));
    return data;
}

// Trusts the server's certificate as a user would after the alert, once.
void trustServerCertificate(const TestServer &server)
{
    const QByteArray pem = testfiles::readFile(server.value("certificate"));
    const QString name = TrustStore::serverName(QStringLiteral("127.0.0.1"), server.port());
    if (!TrustStore::fingerprintsTrustedFor(name).contains(TrustStore::fingerprintOfPem(pem))) {
        ASSERT_TRUE(TrustStore::trustCertificate(pem, name));
    }
}

class FtpSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        vsftpd = new TestServer(QStringLiteral("vsftpd_server.py"));
        pyftpdRoot = new QTemporaryDir;
        pyftpd = new TestServer(QStringLiteral("pyftpd_server.py"),
                                {pyftpdRoot->path(), QStringLiteral("--refuse"), QStringLiteral("refused.bin"),
                                 QStringLiteral("--truncate"), QStringLiteral("cut.bin")});
    }
    static void TearDownTestSuite()
    {
        delete vsftpd;
        delete pyftpd;
        delete pyftpdRoot;
    }

    static FtpSession::Settings settingsFor(const TestServer &server, bool passive = true, bool tls = false)
    {
        FtpSession::Settings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = server.port();
        settings.user = server.value("user");
        settings.password = server.value("password");
        settings.passive = passive;
        settings.explicitTls = tls;
        settings.connectTimeoutMs = 5000;
        return settings;
    }

    QTemporaryDir local;
    static TestServer *vsftpd;
    static TestServer *pyftpd;
    static QTemporaryDir *pyftpdRoot;
};

TestServer *FtpSessionTest::vsftpd = nullptr;
TestServer *FtpSessionTest::pyftpd = nullptr;
QTemporaryDir *FtpSessionTest::pyftpdRoot = nullptr;

TEST_F(FtpSessionTest, SendsListsAndDeletesOnEveryServerAndMode)
{
    ASSERT_TRUE(vsftpd->ok() && pyftpd->ok());
    trustServerCertificate(*vsftpd);
    struct Case {
        const char *name;
        TestServer *server;
        QString root;
        bool passive;
        bool tls;
    } cases[] = {
        {"vsftpd passive", vsftpd, vsftpd->value("home"), true, false},
        {"vsftpd active", vsftpd, vsftpd->value("home"), false, false},
        {"vsftpd TLS passive", vsftpd, vsftpd->value("home"), true, true},
        {"vsftpd TLS active", vsftpd, vsftpd->value("home"), false, true},
        {"pyftpdlib passive", pyftpd, pyftpdRoot->path(), true, false},
        {"pyftpdlib active", pyftpd, pyftpdRoot->path(), false, false},
    };
    int round = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = QStringLiteral("site%1").arg(++round);
        const QByteArray big = randomBytes(300000, quint32(round));
        const QByteArray small = "<html>page " + QByteArray::number(round) + "</html>";
        ASSERT_TRUE(testfiles::writeFile(local.filePath(QStringLiteral("big.bin")), big));
        ASSERT_TRUE(testfiles::writeFile(local.filePath(QStringLiteral("page one.html")), small));

        FtpSession session(settingsFor(*c.server, c.passive, c.tls));
        ASSERT_TRUE(session.connect()) << session.lastErrorText().toStdString();
        EXPECT_FALSE(session.changeDirectory(QLatin1Char('/') + folder + QStringLiteral("/images")));
        ASSERT_TRUE(session.createDirectory(folder)) << session.lastErrorText().toStdString();
        ASSERT_TRUE(session.createDirectory(QLatin1Char('/') + folder + QStringLiteral("/images")));
        ASSERT_TRUE(session.changeDirectory(QLatin1Char('/') + folder + QStringLiteral("/images")));
        ASSERT_TRUE(session.putFile(local.filePath(QStringLiteral("big.bin")), QStringLiteral("big.bin")))
            << session.lastErrorText().toStdString();
        ASSERT_TRUE(session.changeDirectory(QLatin1Char('/') + folder));
        ASSERT_TRUE(session.putFile(local.filePath(QStringLiteral("page one.html")), QStringLiteral("page one.html")));
        // Sending again replaces the file.
        ASSERT_TRUE(session.putFile(local.filePath(QStringLiteral("page one.html")), QStringLiteral("page one.html")));

        EXPECT_EQ(testfiles::readFile(c.root + QLatin1Char('/') + folder + QStringLiteral("/images/big.bin")), big);
        EXPECT_EQ(testfiles::readFile(c.root + QLatin1Char('/') + folder + QStringLiteral("/page one.html")), small);
        EXPECT_EQ(session.remoteSize(QStringLiteral("page one.html")), small.size());
        EXPECT_EQ(session.remoteSize(QStringLiteral("missing.html")), -1);

        QStringList names;
        ASSERT_TRUE(session.list(&names));
        names.sort();
        EXPECT_EQ(names, (QStringList{QStringLiteral("images/"), QStringLiteral("page one.html")}));

        ASSERT_TRUE(session.deleteFile(QStringLiteral("page one.html")));
        ASSERT_TRUE(session.deleteTree());
        ASSERT_TRUE(session.changeDirectory(QStringLiteral("/")));
        ASSERT_TRUE(session.removeDirectory(folder));
        EXPECT_FALSE(QFileInfo::exists(c.root + QLatin1Char('/') + folder));
        EXPECT_TRUE(session.isConnected());
        EXPECT_FALSE(session.transcript().contains(c.server->value("password")));
        EXPECT_TRUE(session.transcript().contains(QLatin1String("PASS ********")));
    }
}

TEST_F(FtpSessionTest, ConnectionFailuresSayWhy)
{
    ASSERT_TRUE(vsftpd->ok() && pyftpd->ok());
    trustServerCertificate(*vsftpd);
    struct Case {
        const char *name;
        FtpSession::Settings settings;
        const char *expected;
    };
    FtpSession::Settings wrongPassword = settingsFor(*vsftpd);
    wrongPassword.password = QStringLiteral("not-the-password");
    FtpSession::Settings wrongPort = settingsFor(*vsftpd);
    wrongPort.port = 1;  // nobody listens there
    FtpSession::Settings tlsToPlainServer = settingsFor(*pyftpd, true, true);
    FtpSession::Settings wrongTlsPassword = settingsFor(*vsftpd, true, true);
    wrongTlsPassword.password = QStringLiteral("nope");
    const Case cases[] = {
        {"wrong password", wrongPassword, "530 Login incorrect"},
        {"wrong password over TLS", wrongTlsPassword, "530"},
        {"wrong port", wrongPort, "Failed to connect"},
        {"TLS asked of a server without it", tlsToPlainServer, "AUTH"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FtpSession session(c.settings);
        EXPECT_FALSE(session.connect());
        EXPECT_FALSE(session.isConnected());
        EXPECT_TRUE(session.lastErrorText().contains(QLatin1String(c.expected))) << session.lastErrorText().toStdString();
        EXPECT_FALSE(session.lastErrorText().contains(c.settings.password));
    }
}

TEST_F(FtpSessionTest, StoreRefusedOrCutShortIsNotSent)
{
    ASSERT_TRUE(pyftpd->ok());
    ASSERT_TRUE(testfiles::writeFile(local.filePath(QStringLiteral("refused.bin")), randomBytes(5000, 1)));
    ASSERT_TRUE(testfiles::writeFile(local.filePath(QStringLiteral("cut.bin")), randomBytes(5000, 2)));
    ASSERT_TRUE(testfiles::writeFile(local.filePath(QStringLiteral("fine.bin")), randomBytes(5000, 3)));
    FtpSession session(settingsFor(*pyftpd));
    ASSERT_TRUE(session.connect());
    EXPECT_FALSE(session.putFile(local.filePath(QStringLiteral("refused.bin")), QStringLiteral("refused.bin")));
    EXPECT_TRUE(session.lastErrorText().contains(QLatin1String("550"))) << session.lastErrorText().toStdString();
    // The server answered 226 but kept half: the size read back tells.
    EXPECT_FALSE(session.putFile(local.filePath(QStringLiteral("cut.bin")), QStringLiteral("cut.bin")));
    EXPECT_TRUE(session.lastErrorText().contains(QLatin1String("holds 2500 bytes of cut.bin instead of 5000")))
        << session.lastErrorText().toStdString();
    // The connection goes on serving.
    EXPECT_TRUE(session.putFile(local.filePath(QStringLiteral("fine.bin")), QStringLiteral("fine.bin")));
    EXPECT_FALSE(session.putFile(local.filePath(QStringLiteral("absent.bin")), QStringLiteral("absent.bin")));
}

TEST_F(FtpSessionTest, UntrustedCertificateIsRefusedWithItsFingerprintUntilTrusted)
{
    ASSERT_TRUE(vsftpd->ok());
    QFile::remove(TrustStore::trustedCertificatesPath());
    const QByteArray pem = testfiles::readFile(vsftpd->value("certificate"));
    const QString fingerprint = TrustStore::fingerprintOfPem(pem);
    ASSERT_EQ(fingerprint.size(), 32 * 3 - 1);

    FtpSession refused(settingsFor(*vsftpd, true, true));
    EXPECT_FALSE(refused.connect());
    EXPECT_EQ(refused.rejectedCertificateFingerprint(), fingerprint);
    EXPECT_TRUE(refused.lastErrorText().contains(fingerprint));
    // The password never went out over the unverified connection.
    EXPECT_FALSE(refused.transcript().contains(QLatin1String("PASS")));

    EXPECT_EQ(refused.rejectedCertificateServer(), QStringLiteral("127.0.0.1:%1").arg(vsftpd->port()));
    ASSERT_TRUE(TrustStore::trustCertificate(refused.rejectedCertificatePem(), refused.rejectedCertificateServer()));
    FtpSession trusted(settingsFor(*vsftpd, true, true));
    EXPECT_TRUE(trusted.connect()) << trusted.lastErrorText().toStdString();
}

}  // namespace

// Trusted certificates against real TLS servers whose certificates come from one
// self-made authority: vsftpd (explicit FTPS) shows the authority's own
// certificate (it says CA:TRUE), aiosmtpd (SMTPS) one issued by it. Trusting the
// first for its server vouches for nothing else; a server whose certificate
// changes is refused, and asked about, again.
#include "platform/FtpSession.h"
#include "platform/KnownHosts.h"
#include "platform/PrivateFolder.h"
#include "platform/SmtpSender.h"
#include "platform/TrustStore.h"
#include "support/FileHelpers.h"
#include "support/SmtpTestServer.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// openssl with its arguments; false (and a failure) when it does not succeed.
bool openssl(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("openssl"), arguments);
    const bool ok = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    EXPECT_TRUE(ok) << "openssl " << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                    << p.readAllStandardError().toStdString();
    return ok;
}

// An authority (self-signed, CA:TRUE, naming 127.0.0.1 so that a server can
// show it as its own) and certificates issued by it.
class Authority {
public:
    Authority()
    {
        const QString ext = dir_.filePath(QStringLiteral("ca.ext"));
        testfiles::writeFile(ext, "basicConstraints=critical,CA:TRUE\nkeyUsage=keyCertSign,digitalSignature\n"
                                  "subjectAltName=IP:127.0.0.1,DNS:localhost\n");
        ok_ = openssl({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                       QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                       QStringLiteral("-keyout"), key(QStringLiteral("ca")), QStringLiteral("-out"), cert(QStringLiteral("ca")),
                       QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                       QStringLiteral("-addext"), QStringLiteral("basicConstraints=critical,CA:TRUE"),
                       QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost")});
    }

    // A certificate for 127.0.0.1 issued by the authority.
    bool issue(const QString &name)
    {
        const QString request = dir_.filePath(name + QStringLiteral(".csr"));
        const QString ext = dir_.filePath(name + QStringLiteral(".ext"));
        testfiles::writeFile(ext, "basicConstraints=CA:FALSE\nsubjectAltName=IP:127.0.0.1,DNS:localhost\n");
        return openssl({QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                        QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                        key(name), QStringLiteral("-out"), request, QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")})
               && openssl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), request,
                           QStringLiteral("-CA"), cert(QStringLiteral("ca")), QStringLiteral("-CAkey"),
                           key(QStringLiteral("ca")), QStringLiteral("-CAcreateserial"), QStringLiteral("-days"),
                           QStringLiteral("2"), QStringLiteral("-extfile"), ext, QStringLiteral("-out"), cert(name)});
    }

    bool ok() const { return ok_; }
    QString cert(const QString &name) const { return dir_.filePath(name + QStringLiteral(".pem")); }
    QString key(const QString &name) const { return dir_.filePath(name + QStringLiteral(".key")); }
    QByteArray pem(const QString &name) const { return testfiles::readFile(cert(name)); }

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

class CertificatePinsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(TrustStore::trustedCertificatesPath());
        ASSERT_TRUE(authority.ok());
    }
    void TearDown() override { QFile::remove(TrustStore::trustedCertificatesPath()); }

    static FtpSession::Settings ftps(const TestServer &server)
    {
        FtpSession::Settings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server.port();
        s.user = server.value("user");
        s.password = server.value("password");
        s.passive = true;
        s.explicitTls = true;
        s.connectTimeoutMs = 5000;
        return s;
    }

    static SmtpSender::Result sendThrough(const SmtpTestServer &server)
    {
        SmtpSender::Settings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = server.port();
        s.security = SmtpSender::Security::ImplicitTls;
        s.connectTimeoutMs = 5000;
        s.responseTimeoutMs = 5000;
        MimeMessage m;
        m.setFrom(QStringLiteral("Sender"), QStringLiteral("sender@example.org"));
        m.addTo(QStringLiteral("To"), QStringLiteral("to@example.org"));
        m.setSubject(QStringLiteral("Pinned"));
        m.setHtmlBody(QStringLiteral("<p>Hello</p>"));
        return SmtpSender(s).send(m);
    }

    Authority authority;
};

TEST_F(CertificatePinsTest, TrustingOneServerTrustsNeitherItsIssuedCertificatesNorOtherServers)
{
    ASSERT_TRUE(authority.issue(QStringLiteral("mail")));
    TestServer vsftpd(QStringLiteral("vsftpd_server.py"),
                      {QStringLiteral("--cert"), authority.cert(QStringLiteral("ca")), QStringLiteral("--key"),
                       authority.key(QStringLiteral("ca"))});
    ASSERT_TRUE(vsftpd.ok());
    SmtpTestServer smtps;
    ASSERT_TRUE(smtps.start(QStringLiteral("implicit"),
                            {QStringLiteral("--cert"), authority.cert(QStringLiteral("mail")), QStringLiteral("--key"),
                             authority.key(QStringLiteral("mail"))}));

    // Unknown at first: the FTP server is refused with its certificate and server.
    FtpSession refused(ftps(vsftpd));
    EXPECT_FALSE(refused.connect());
    EXPECT_EQ(refused.rejectedCertificateFingerprint(), TrustStore::fingerprintOfPem(authority.pem(QStringLiteral("ca"))));
    const QString ftpServer = QStringLiteral("127.0.0.1:%1").arg(vsftpd.port());
    EXPECT_EQ(refused.rejectedCertificateServer(), ftpServer);
    EXPECT_FALSE(sendThrough(smtps).sent);

    // "Trust and Retry" on the FTP server's certificate (an authority's).
    ASSERT_TRUE(TrustStore::trustCertificate(refused.rejectedCertificatePem(), refused.rejectedCertificateServer()));
    FtpSession trusted(ftps(vsftpd));
    EXPECT_TRUE(trusted.connect()) << trusted.lastErrorText().toStdString();
    trusted.disconnect();

    // The mail server's certificate, issued by it, is not trusted through it.
    const SmtpSender::Result mail = sendThrough(smtps);
    EXPECT_FALSE(mail.sent);
    EXPECT_FALSE(mail.error.isEmpty());
    EXPECT_TRUE(smtps.messages().isEmpty());

    // Nor is the FTP server's certificate good for another server (port) of the same host.
    EXPECT_TRUE(TrustStore::fingerprintsTrustedFor(QStringLiteral("127.0.0.1:%1").arg(smtps.port())).isEmpty());

    // Trusted for the mail server itself, its own certificate then is.
    ASSERT_TRUE(TrustStore::trustCertificate(authority.pem(QStringLiteral("mail")),
                                             TrustStore::serverName(QStringLiteral("127.0.0.1"), smtps.port())));
    const SmtpSender::Result pinned = sendThrough(smtps);
    EXPECT_TRUE(pinned.complete()) << pinned.error.toStdString();
}

TEST_F(CertificatePinsTest, ServerWhoseCertificateChangesIsAskedAboutAgain)
{
    ASSERT_TRUE(authority.issue(QStringLiteral("first")));
    ASSERT_TRUE(authority.issue(QStringLiteral("second")));
    int port = 0;
    {
        TestServer vsftpd(QStringLiteral("vsftpd_server.py"),
                          {QStringLiteral("--cert"), authority.cert(QStringLiteral("first")), QStringLiteral("--key"),
                           authority.key(QStringLiteral("first"))});
        ASSERT_TRUE(vsftpd.ok());
        port = vsftpd.port();
        FtpSession refused(ftps(vsftpd));
        ASSERT_FALSE(refused.connect());
        ASSERT_TRUE(TrustStore::trustCertificate(refused.rejectedCertificatePem(), refused.rejectedCertificateServer()));
        FtpSession trusted(ftps(vsftpd));
        EXPECT_TRUE(trusted.connect()) << trusted.lastErrorText().toStdString();
        trusted.disconnect();
    }

    // The same server (host and port) now shows another certificate from the same authority.
    TestServer changed(QStringLiteral("vsftpd_server.py"),
                       {QStringLiteral("--port"), QString::number(port), QStringLiteral("--cert"),
                        authority.cert(QStringLiteral("second")), QStringLiteral("--key"),
                        authority.key(QStringLiteral("second"))});
    ASSERT_TRUE(changed.ok());
    ASSERT_EQ(changed.port(), port);
    FtpSession again(ftps(changed));
    EXPECT_FALSE(again.connect());
    EXPECT_EQ(again.rejectedCertificateFingerprint(), TrustStore::fingerprintOfPem(authority.pem(QStringLiteral("second"))));
    EXPECT_EQ(again.rejectedCertificateServer(), QStringLiteral("127.0.0.1:%1").arg(port));
    // The password never went out over the connection that was not trusted.
    EXPECT_FALSE(again.transcript().contains(QLatin1String("PASS")));
}

TEST(TrustFiles, OlderEntriesWithoutAPortTrustNoServer)
{
    QFile::remove(TrustStore::trustedCertificatesPath());
    ASSERT_TRUE(TrustStore::trustCertificate(SmtpTestServer::certificatePem(), QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(TrustStore::fingerprintsTrustedFor(QStringLiteral("127.0.0.1:21")).isEmpty());
    ASSERT_TRUE(TrustStore::trustCertificate(SmtpTestServer::certificatePem(), QStringLiteral("Example.ORG:990")));
    EXPECT_EQ(TrustStore::fingerprintsTrustedFor(QStringLiteral("example.org:990")),
              QStringList{TrustStore::fingerprintOfPem(SmtpTestServer::certificatePem())});
    EXPECT_EQ(TrustStore::serverName(QStringLiteral("::1"), 21), QStringLiteral("[::1]:21"));
    QFile::remove(TrustStore::trustedCertificatesPath());
}

TEST(TrustFiles, ConfigFolderIsOwnerOnlyWhoeverMakesIt)
{
    QDir(TrustStore::folder()).removeRecursively();
    ASSERT_TRUE(TrustStore::trustCertificate(SmtpTestServer::certificatePem(), QStringLiteral("127.0.0.1:21")));
    EXPECT_EQ(QFileInfo(TrustStore::folder()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                                              | QFileDevice::ReadOther | QFileDevice::ExeOther),
              QFileDevice::Permissions());
    QFile::remove(TrustStore::trustedCertificatesPath());

    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("a/zov"));
    ASSERT_TRUE(PrivateFolder::ensure(fresh));
    EXPECT_EQ(QFileInfo(fresh).permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                               | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther),
              QFileDevice::Permissions());
}

TEST(TrustFiles, HostKeysOfOtherPortsAreWrittenAsOpenSshDoes)
{
    EXPECT_EQ(KnownHosts::hostPattern(QStringLiteral("127.0.0.1"), 22), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(KnownHosts::hostPattern(QStringLiteral("127.0.0.1"), 2222), QStringLiteral("[127.0.0.1]:2222"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("known_hosts"));
    const QByteArray blob = QByteArray::fromBase64("AAAAC3NzaC1lZDI1NTE5AAAAIBcMk3aJ2wPqX2ZkEJd1cHkCw8hGxBvUq8Xb7c4FMk8h");
    ASSERT_TRUE(KnownHosts::add(path, QStringLiteral("[127.0.0.1]:2222"), blob));
    EXPECT_EQ(testfiles::readFile(path),
              "[127.0.0.1]:2222 ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIBcMk3aJ2wPqX2ZkEJd1cHkCw8hGxBvUq8Xb7c4FMk8h\n");
    EXPECT_TRUE(KnownHosts::hasEntry(path, QStringLiteral("[127.0.0.1]:2222")));
    EXPECT_FALSE(KnownHosts::hasEntry(path, QStringLiteral("127.0.0.1")));
    EXPECT_EQ(QFileInfo(path).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
    EXPECT_FALSE(KnownHosts::add(path, QStringLiteral("x"), QByteArray("junk")));
}

}  // namespace

// SftpSession against OpenSSH's sshd with a throw-away host key and user.
#include "platform/SftpSession.h"
#include "platform/TrustStore.h"
#include "support/FileHelpers.h"
#include "support/TestServer.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SftpSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sshd = new TestServer(QStringLiteral("sshd_server.py")); }
    static void TearDownTestSuite() { delete sshd; }

    void SetUp() override
    {
        ASSERT_TRUE(sshd->ok());
        QFile::remove(TrustStore::knownHostsPath());
    }

    static SftpSession::Settings settings()
    {
        SftpSession::Settings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = sshd->port();
        s.user = sshd->value("user");
        s.password = sshd->value("password");
        s.connectTimeoutMs = 5000;
        return s;
    }

    // The fingerprint OpenSSH shows for the server's host key.
    static QString hostKeyFingerprint()
    {
        const QStringList fields = sshd->value("hostkey").split(QLatin1Char(' '));
        const QByteArray blob = QByteArray::fromBase64(fields.value(1).toLatin1());
        return QStringLiteral("SHA256:")
               + QString::fromLatin1(QCryptographicHash::hash(blob, QCryptographicHash::Sha256)
                                         .toBase64(QByteArray::OmitTrailingEquals));
    }

    static SftpSession::HostKeyConsent accept(int *asked)
    {
        return [asked](const QString &, const QString &) {
            ++*asked;
            return true;
        };
    }

    QTemporaryDir local;
    static TestServer *sshd;
};

TestServer *SftpSessionTest::sshd = nullptr;

TEST_F(SftpSessionTest, UnknownHostKeyNeedsConsentAndIsThenRemembered)
{
    SftpSession refused(settings());
    EXPECT_FALSE(refused.connect());
    EXPECT_EQ(refused.failedStage(), SftpSession::Stage::Connect);
    EXPECT_EQ(refused.rejectedHostKeyFingerprint(), hostKeyFingerprint());
    EXPECT_FALSE(refused.hostKeyChanged());

    int asked = 0;
    QString askedHost;
    QString askedFingerprint;
    SftpSession accepted(settings());
    accepted.setHostKeyConsent([&](const QString &host, const QString &fingerprint) {
        ++asked;
        askedHost = host;
        askedFingerprint = fingerprint;
        return true;
    });
    ASSERT_TRUE(accepted.connect()) << accepted.lastErrorText().toStdString();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedHost, QStringLiteral("127.0.0.1:%1").arg(sshd->port()));
    EXPECT_EQ(askedFingerprint, hostKeyFingerprint());

    // Remembered for this port only, as OpenSSH writes it.
    const QByteArray known = testfiles::readFile(TrustStore::knownHostsPath());
    EXPECT_TRUE(known.startsWith("[127.0.0.1]:" + QByteArray::number(sshd->port()) + ' ')) << known.toStdString();

    // Known now: nobody is asked again.
    SftpSession again(settings());
    EXPECT_TRUE(again.connect()) << again.lastErrorText().toStdString();
}

TEST_F(SftpSessionTest, ChangedHostKeyIsRefusedEvenWithConsent)
{
    // The file remembers another key for this server.
    const QByteArray other = "[127.0.0.1]:" + QByteArray::number(sshd->port())
                             + " ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIBcMk3aJ2wPqX2ZkEJd1cHkCw8hGxBvUq8Xb7c4FMk8h\n";
    ASSERT_TRUE(testfiles::writeFile(TrustStore::knownHostsPath(), other));
    int asked = 0;
    SftpSession session(settings());
    session.setHostKeyConsent(accept(&asked));
    EXPECT_FALSE(session.connect());
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(session.hostKeyChanged());
    EXPECT_EQ(session.rejectedHostKeyFingerprint(), hostKeyFingerprint());
    EXPECT_EQ(session.failedStage(), SftpSession::Stage::Connect);
    EXPECT_EQ(testfiles::readFile(TrustStore::knownHostsPath()), other);
}

TEST_F(SftpSessionTest, SendsFilesByPasswordAndByKey)
{
    const QString home = sshd->value("home");
    QByteArray big(200000, Qt::Uninitialized);
    for (int i = 0; i < big.size(); ++i)
        big[i] = char((i * 7919) >> 3);
    ASSERT_TRUE(testfiles::writeFile(local.filePath(QStringLiteral("big.bin")), big));
    ASSERT_TRUE(testfiles::writeFile(local.filePath(QStringLiteral("index.html")), "<p>hi</p>"));
    int asked = 0;

    SftpSession byPassword(settings());
    byPassword.setHostKeyConsent(accept(&asked));
    ASSERT_TRUE(byPassword.connect()) << byPassword.lastErrorText().toStdString();
    EXPECT_TRUE(byPassword.createDirectory(QStringLiteral("www")));
    EXPECT_FALSE(byPassword.createDirectory(QStringLiteral("www")));  // exists already
    ASSERT_TRUE(byPassword.uploadFile(QStringLiteral("www/page one/big.bin"), local.filePath(QStringLiteral("big.bin"))))
        << byPassword.lastErrorText().toStdString();
    ASSERT_TRUE(byPassword.uploadFile(QStringLiteral("www/index.html"), local.filePath(QStringLiteral("index.html"))));
    // An absolute path names the same place from the server's root.
    ASSERT_TRUE(byPassword.uploadFile(home + QStringLiteral("/www/copy.html"), local.filePath(QStringLiteral("index.html"))));
    EXPECT_EQ(testfiles::readFile(home + QStringLiteral("/www/page one/big.bin")), big);
    EXPECT_EQ(testfiles::readFile(home + QStringLiteral("/www/index.html")), QByteArray("<p>hi</p>"));
    EXPECT_EQ(testfiles::readFile(home + QStringLiteral("/www/copy.html")), QByteArray("<p>hi</p>"));
    EXPECT_EQ(byPassword.remoteSize(QStringLiteral("www/page one/big.bin")), big.size());
    EXPECT_EQ(byPassword.remoteSize(QStringLiteral("www/none.bin")), -1);
    // The check each upload makes: the exact size only.
    const struct {
        const char *path;
        qint64 size;
        bool holds;
    } sizes[] = {{"www/page one/big.bin", big.size(), true}, {"www/page one/big.bin", big.size() - 1, false},
                 {"www/page one/big.bin", big.size() + 1, false}, {"www/index.html", 9, true},
                 {"www/index.html", 1, false}, {"www/none.bin", 9, false}, {"www/index.html", 0, false}};
    for (const auto &c : sizes)
        EXPECT_EQ(byPassword.holdsExactly(QString::fromLatin1(c.path), c.size), c.holds) << c.path << " " << c.size;
    EXPECT_FALSE(byPassword.uploadFile(QStringLiteral("www/x.bin"), local.filePath(QStringLiteral("absent.bin"))));
    EXPECT_FALSE(byPassword.transcript().contains(sshd->value("password")));

    SftpSession::Settings keySettings = settings();
    keySettings.password.clear();
    keySettings.privateKeyPath = sshd->value("key");
    SftpSession byKey(keySettings);
    ASSERT_TRUE(byKey.connect()) << byKey.lastErrorText().toStdString();
    QStringList names;
    ASSERT_TRUE(byKey.list(QStringLiteral("www"), &names));
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("copy.html"), QStringLiteral("index.html"), QStringLiteral("page one/")}));
    EXPECT_TRUE(byKey.deleteFile(QStringLiteral("www/copy.html")));
    EXPECT_TRUE(byKey.deleteFile(QStringLiteral("www/page one/big.bin")));
    EXPECT_TRUE(byKey.removeDirectory(QStringLiteral("www/page one")));
    EXPECT_FALSE(QFile::exists(home + QStringLiteral("/www/copy.html")));
    EXPECT_EQ(asked, 1);
}

TEST_F(SftpSessionTest, FailuresNameTheStage)
{
    int asked = 0;
    SftpSession::Settings wrongPassword = settings();
    wrongPassword.password = QStringLiteral("wrong");
    SftpSession denied(wrongPassword);
    denied.setHostKeyConsent(accept(&asked));
    EXPECT_FALSE(denied.connect());
    EXPECT_EQ(denied.failedStage(), SftpSession::Stage::Authenticate);

    SftpSession::Settings wrongPort = settings();
    wrongPort.port = 1;
    SftpSession unreachable(wrongPort);
    unreachable.setHostKeyConsent(accept(&asked));
    EXPECT_FALSE(unreachable.connect());
    EXPECT_EQ(unreachable.failedStage(), SftpSession::Stage::Connect);
    EXPECT_FALSE(unreachable.lastErrorText().isEmpty());
}

}  // namespace

// The publish job's trust questions: a refused FTPS certificate offered for trust by
// its fingerprint (vsftpd), and an SSH host key not met before (sshd).
#include "platform/CredentialStore.h"
#include "platform/TrustStore.h"
#include "publishing/PublishJob.h"
#include "publishing/PublishJobHost.h"
#include "support/FileHelpers.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class Host : public PublishJobHost {
public:
    QObject *publishWindow() override { return nullptr; }
    void showShareWindow(const QString &, const QString &label) override { shareLabel = label; }
    void showConnectionLog(const QString &) override {}
    QString shareLabel;
};

// A folder on the server's side owned by the server's user.
void makeRemoteFolder(const QString &home, const QString &name)
{
    const QString folder = home + QLatin1Char('/') + name;
    ASSERT_TRUE(QDir().mkpath(folder));
    struct stat owner {};
    ASSERT_EQ(::stat(home.toLocal8Bit().constData(), &owner), 0);
    ASSERT_EQ(::chown(folder.toLocal8Bit().constData(), owner.st_uid, owner.st_gid), 0);
}

class PublishJobTrustTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Nothing trusted yet; what other tests trusted comes back afterwards.
        savedCertificates = testfiles::readFile(TrustStore::trustedCertificatesPath());
        savedKnownHosts = testfiles::readFile(TrustStore::knownHostsPath());
        QFile::remove(TrustStore::trustedCertificatesPath());
        QFile::remove(TrustStore::knownHostsPath());
    }
    void TearDown() override
    {
        QFile::remove(TrustStore::trustedCertificatesPath());
        QFile::remove(TrustStore::knownHostsPath());
        if (!savedCertificates.isEmpty())
            testfiles::writeFile(TrustStore::trustedCertificatesPath(), savedCertificates);
        if (!savedKnownHosts.isEmpty())
            testfiles::writeFile(TrustStore::knownHostsPath(), savedKnownHosts);
    }
    void account(const TestServer &server, const QString &type)
    {
        UserDefaults &d = UserDefaults::standard();
        d.setString(QStringLiteral("127.0.0.1"), QStringLiteral("server"));
        d.setString(server.value("user"), QStringLiteral("username"));
        d.setString(QStringLiteral("pubtrust"), QStringLiteral("remotepath"));
        d.setString(QString::number(server.port()), QStringLiteral("portnumber"));
        d.setString(type, QStringLiteral("connectiontype"));
        d.setString(QStringLiteral("http://127.0.0.1:9"), QStringLiteral("baseurl"));
        ASSERT_TRUE(CredentialStore().setPassword(QStringLiteral("password"), server.value("password")));
        makeRemoteFolder(server.value("home"), QStringLiteral("pubtrust"));
    }
    QList<UploadItem> items()
    {
        const QString file = local.filePath(QStringLiteral("page.html"));
        testfiles::writeFile(file, "<html>trusted</html>");
        return {{file, QString(), QStringLiteral("page.html"), {}, {}, 0, false}};
    }
    int run(PublishJob &job, int jobs)
    {
        int done = 0;
        QObject::connect(&job, &PublishJob::finished, &job, [&done] { ++done; });
        EXPECT_TRUE(job.start(items(), QStringLiteral("page"), QStringLiteral("html"), PublishJob::Kind::Page));
        QDeadlineTimer deadline(60000);
        while (done < jobs && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done;
    }

    QByteArray savedCertificates;
    QByteArray savedKnownHosts;
    ScopedUserDefaults scopedDefaults;
    QTemporaryDir local;
    ScriptedAlerts alerts;
    Host host;
};

TEST_F(PublishJobTrustTest, ARefusedCertificateIsTrustedByItsFingerprintThenSent)
{
    TestServer vsftpd(QStringLiteral("vsftpd_server.py"));
    ASSERT_TRUE(vsftpd.ok());
    account(vsftpd, QStringLiteral("FTPS"));
    const QString fingerprint = TrustStore::fingerprintOfPem(testfiles::readFile(vsftpd.value("certificate")));
    alerts.answer(QStringLiteral("Trust and Retry"));
    PublishJob job(&host);
    ASSERT_EQ(run(job, 2), 2);
    ASSERT_GE(alerts.count(), 1);
    const Alert &question = alerts.shown().first().alert;
    EXPECT_EQ(question.messageText, QStringLiteral("Certificate Not Trusted"));
    EXPECT_TRUE(question.informativeText.contains(fingerprint)) << question.informativeText.toStdString();
    EXPECT_EQ(alerts.count(), 1);
    EXPECT_TRUE(job.lastOutcome().success);
    EXPECT_TRUE(testfiles::readFile(TrustStore::trustedCertificatesPath()).contains(fingerprint.toLatin1()));
    EXPECT_EQ(testfiles::readFile(vsftpd.value("home") + QStringLiteral("/pubtrust/page.html")), QByteArray("<html>trusted</html>"));
}

TEST_F(PublishJobTrustTest, AnUnknownHostKeyNeedsConsent)
{
    TestServer sshd(QStringLiteral("sshd_server.py"));
    ASSERT_TRUE(sshd.ok());
    account(sshd, QStringLiteral("SFTP"));

    // Refused: nothing is sent and the key is not remembered.
    alerts.answer(QStringLiteral("Cancel"));
    alerts.answer(QStringLiteral("OK"));
    {
        PublishJob job(&host);
        ASSERT_EQ(run(job, 1), 1);
        EXPECT_FALSE(job.lastOutcome().success);
    }
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_EQ(alerts.shown().first().alert.messageText, QStringLiteral("Unknown Server Key"));
    EXPECT_TRUE(alerts.shown().first().alert.informativeText.contains(QLatin1String("SHA256:")));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Uhoh!  We have a problem"));

    // Accepted: sent, and the next job asks no more.
    alerts.answer(QStringLiteral("Connect"));
    {
        PublishJob job(&host);
        ASSERT_EQ(run(job, 1), 1);
        EXPECT_TRUE(job.lastOutcome().success);
    }
    PublishJob again(&host);
    ASSERT_EQ(run(again, 1), 1);
    EXPECT_TRUE(again.lastOutcome().success);
    EXPECT_EQ(alerts.count(), 3);
    EXPECT_EQ(testfiles::readFile(sshd.value("home") + QStringLiteral("/pubtrust/page.html")), QByteArray("<html>trusted</html>"));
}

}  // namespace

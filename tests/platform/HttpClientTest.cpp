// HttpClient against Python's web server over http and https.
#include "platform/HttpClient.h"
#include "platform/TrustStore.h"
#include "support/FileHelpers.h"
#include "support/TestServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class HttpClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root = new QTemporaryDir;
        testfiles::writeFile(root->filePath(QStringLiteral("app_ftp_test.html")), "Test file");
        web = new TestServer(QStringLiteral("http_server.py"), {root->path()});
    }
    static void TearDownTestSuite()
    {
        delete web;
        delete root;
    }
    void SetUp() override { ASSERT_TRUE(web->ok()); }

    static QString http(const QString &path) { return QStringLiteral("http://127.0.0.1:%1%2").arg(web->port()).arg(path); }
    static QString https(const QString &path)
    {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(web->info().value(QStringLiteral("tlsport")).toInt()).arg(path);
    }

    static QTemporaryDir *root;
    static TestServer *web;
};

QTemporaryDir *HttpClientTest::root = nullptr;
TestServer *HttpClientTest::web = nullptr;

TEST_F(HttpClientTest, FetchesOverHttpAndTrustedHttpsFollowingRedirects)
{
    HttpClient client;
    HttpClient::Response plain = client.get(http(QStringLiteral("/app_ftp_test.html")));
    ASSERT_TRUE(plain.ok) << plain.error.toStdString();
    EXPECT_EQ(plain.status, 200);
    EXPECT_EQ(plain.body, QByteArray("Test file"));

    HttpClient::Response missing = client.get(http(QStringLiteral("/none.html")));
    EXPECT_TRUE(missing.ok);
    EXPECT_EQ(missing.status, 404);

    // A certificate nobody trusts is refused, with what the user needs to decide.
    QFile::remove(TrustStore::trustedCertificatesPath());
    HttpClient::Response refused = client.get(https(QStringLiteral("/app_ftp_test.html")));
    EXPECT_FALSE(refused.ok);
    const QByteArray pem = testfiles::readFile(web->value("certificate"));
    EXPECT_EQ(refused.rejectedCertificateFingerprint, TrustStore::fingerprintOfPem(pem));
    EXPECT_TRUE(refused.error.contains(refused.rejectedCertificateFingerprint));

    ASSERT_TRUE(TrustStore::trustCertificate(refused.rejectedCertificatePem, refused.rejectedCertificateServer));
    HttpClient fresh;
    const QString target = https(QStringLiteral("/app_ftp_test.html"));
    HttpClient::Response redirected = fresh.get(http(QStringLiteral("/redirect?to=")) + QString::fromLatin1(QUrl::toPercentEncoding(target)));
    ASSERT_TRUE(redirected.ok) << redirected.error.toStdString();
    EXPECT_EQ(redirected.body, QByteArray("Test file"));
    EXPECT_EQ(redirected.finalUrl, target);
}

TEST_F(HttpClientTest, RefusesOtherSchemesTooLargeAnswersAndSlowServers)
{
    HttpClient client;
    struct Case {
        const char *name;
        QString url;
        int timeoutMs;
        qint64 maxBytes;
        bool ok;
    } cases[] = {
        {"ftp address", QStringLiteral("ftp://127.0.0.1/"), 5000, 1000, false},
        {"file address", QStringLiteral("file:///etc/passwd"), 5000, 1000, false},
        {"redirect to a file", http(QStringLiteral("/redirect?to=file%3A%2F%2F%2Fetc%2Fpasswd")), 5000, 1000, false},
        {"at the limit", http(QStringLiteral("/bytes?count=1000")), 5000, 1000, true},
        {"past the limit", http(QStringLiteral("/bytes?count=1001")), 5000, 1000, false},
        {"too slow", http(QStringLiteral("/slow?seconds=3")), 500, 1000, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        HttpClient::Response response = client.get(c.url, c.timeoutMs, c.maxBytes);
        EXPECT_EQ(response.ok, c.ok) << response.error.toStdString();
        EXPECT_EQ(response.error.isEmpty(), c.ok);
        EXPECT_LT(timer.elapsed(), 2500);
        if (c.ok) {
            EXPECT_EQ(response.body.size(), 1000);
        }
    }
}

}  // namespace

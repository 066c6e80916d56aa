// The settings sheet's server test: a page sent by FTP (pyftpdlib) and fetched back
// over http (http.server serving the same folder).
#include "config/EditionSettings.h"
#include "platform/CredentialStore.h"
#include "publishing/ServerConnectionTest.h"
#include "publishing/ServerSettings.h"
#include "support/FileHelpers.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ServerConnectionTestTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root = new QTemporaryDir;
        ftp = new TestServer(QStringLiteral("pyftpd_server.py"), {root->path()});
        web = new TestServer(QStringLiteral("http_server.py"), {root->path()});
    }
    static void TearDownTestSuite()
    {
        delete ftp;
        delete web;
        delete root;
    }
    void SetUp() override
    {
        ASSERT_TRUE(ftp->ok() && web->ok());
        savedWorkFolder = gWorkFolder;
        gWorkFolder = work.path();
    }
    void TearDown() override { gWorkFolder = savedWorkFolder; }

    // The sheet's fields as typed; verification cleans and stores them.
    ServerAccount typed(const QString &baseUrl, const QString &password) const
    {
        ServerAccount a;
        a.server = QStringLiteral("127.0.0.1/");
        a.username = ftp->value("user");
        a.password = password;
        a.portnumber = QString::number(ftp->port()) + QStringLiteral(" ");
        a.baseurl = baseUrl;
        return a;
    }
    ServerConnectionTest::Result run(const ServerAccount &fields, const QString &thenAnswer = {})
    {
        ServerConnectionTest test;
        test.setLogViewer([this](const QString &log) { shownLog = log; });
        bool done = false;
        ServerConnectionTest::Result result;
        QObject::connect(&test, &ServerConnectionTest::finished, &test, [&](const ServerConnectionTest::Result &r) {
            result = r;
            done = true;
        });
        alerts.answer(QStringLiteral("Yes"));
        if (!thenAnswer.isEmpty())
            alerts.answer(thenAnswer);
        test.askToTest([&] {
            ServerSettings::runValueVerifications(fields, UserDefaults::standard());
            ServerSettings::storePassword(fields.password);
        });
        QDeadlineTimer deadline(30000);
        while (!done && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_TRUE(done);
        return result;
    }

    static QTemporaryDir *root;
    static TestServer *ftp;
    static TestServer *web;
    QString savedWorkFolder;
    QTemporaryDir work;
    ScopedUserDefaults scopedDefaults;
    ScriptedAlerts alerts;
    QString shownLog;
};
QTemporaryDir *ServerConnectionTestTest::root = nullptr;
TestServer *ServerConnectionTestTest::ftp = nullptr;
TestServer *ServerConnectionTestTest::web = nullptr;

TEST_F(ServerConnectionTestTest, TheTestFileIsSentAndFetchedBack)
{
    const QString base = QStringLiteral("127.0.0.1:%1/").arg(web->port());
    const ServerConnectionTest::Result result = run(typed(base, ftp->value("password")));
    const QString url = QStringLiteral("http://127.0.0.1:%1/app_ftp_test.html").arg(web->port());
    EXPECT_TRUE(result.uploaded);
    EXPECT_TRUE(result.webAccess);
    EXPECT_EQ(result.url, url);
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_EQ(alerts.shown().first().alert.messageText, QStringLiteral("Would you like to test connection?"));
    EXPECT_EQ(alerts.last().messageText, url);
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("File Upload Test:  Success \nWeb Access Test: Success"));
    EXPECT_EQ(testfiles::readFile(root->filePath(QStringLiteral("app_ftp_test.html"))), QByteArray("Test file"));
    EXPECT_TRUE(QFileInfo(root->filePath(QStringLiteral("Test"))).isDir());
    // The settings were cleaned and stored before the test ran.
    EXPECT_EQ(UserDefaults::standard().stringForKey(QStringLiteral("server")), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(UserDefaults::standard().stringForKey(QStringLiteral("portnumber")), QString::number(ftp->port()));
}

TEST_F(ServerConnectionTestTest, AWrongBaseAddressFailsTheWebCheckAndAWrongPasswordTheUpload)
{
    const QString base = QStringLiteral("http://127.0.0.1:%1/elsewhere").arg(web->port());
    ServerConnectionTest::Result result = run(typed(base, ftp->value("password")));
    EXPECT_TRUE(result.uploaded);
    EXPECT_FALSE(result.webAccess);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Upload Test:  Success \nWeb Access Test: Failed"));
    EXPECT_EQ(alerts.last().informativeText, ServerSettings::webAccessFailedText(base + QStringLiteral("/app_ftp_test.html")));

    result = run(typed(base, QStringLiteral("wrong")), QStringLiteral("View Connection Log"));
    EXPECT_FALSE(result.uploaded);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Upload Failed - Please Check Settings"));
    EXPECT_TRUE(shownLog.contains(QLatin1String("**Not able to connect to 127.0.0.1"))) << shownLog.toStdString();
}

}  // namespace

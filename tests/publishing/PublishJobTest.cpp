// The publish job against a real FTP server (pyftpdlib): progress, the success step,
// the failure alert naming what is not on the server, Retry and Cancel.
#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "platform/CredentialStore.h"
#include "publishing/PublishJob.h"
#include "publishing/PublishJobHost.h"
#include "support/FileHelpers.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class RecordingHost : public PublishJobHost {
public:
    QObject *publishWindow() override { return nullptr; }
    void publishingChanged(bool running) override { changes.append(running); }
    void showShareWindow(const QString &address, const QString &label) override
    {
        shareAddress = address;
        shareLabel = label;
    }
    void showConnectionLog(const QString &log) override { shownLog = log; }
    void addLinkTextBox(const QString &text, const QString &link, const QRectF &frame) override
    {
        links.append(text + QLatin1Char(' ') + link);
        frames.append(frame);
    }

    QList<bool> changes;
    QString shareAddress;
    QString shareLabel;
    QString shownLog;
    QStringList links;
    QList<QRectF> frames;
};

bool waitFor(const std::function<bool()> &condition, int ms = 30000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

TEST(PublishJobTextsTest, ProgressLinesLinksAndLists)
{
    const QList<UploadItem> items{{QStringLiteral("/l/a.png"), QStringLiteral("/home"), QStringLiteral("a.png"), {}, {}, 0, false},
                                  {QStringLiteral("/l/b.png"), QStringLiteral("/basetemplate"), QStringLiteral("b.png"), {}, {}, 0, false},
                                  {QStringLiteral("/l/home.html"), QString(), QStringLiteral("home.html"), {}, {}, 0, false}};
    EXPECT_EQ(PublishJob::statusText(2, 3, QStringLiteral("Zov Sites")), QStringLiteral("Please wait: 2/3 completed"));
    EXPECT_EQ(PublishJob::statusText(2, 3, QStringLiteral("Glentor Mails Express")), QStringLiteral("Please wait..."));
    EXPECT_EQ(PublishJob::statusText(2, 3, QStringLiteral("Glentor Mails Pro 2")), QStringLiteral("Please wait..."));
    // The file line names the next item, never the last one.
    EXPECT_EQ(PublishJob::fileText(items, 1), QStringLiteral("Uploading: /basetemplate/b.png"));
    EXPECT_EQ(PublishJob::fileText(items, 2), QString());
    EXPECT_EQ(PublishJob::fileText(items, 3), QString());

    struct Case {
        const char *base;
        const char *name;
        const char *link;
    } cases[] = {
        {"https://example.test/site", "home.html", "https://example.test/site/home.html"},
        {"https://example.test/site", "my page.html", "https://example.test/site/my%20page.html"},
        {"https://example.test", "caf\xc3\xa9 & co?#1.html", "https://example.test/caf%C3%A9%20%26%20co%3F%231.html"},
        {"https://example.test/", "a.html", "https://example.test//a.html"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PublishJob::linkTo(QString::fromUtf8(c.base), QString::fromUtf8(c.name)), QString::fromUtf8(c.link));
    EXPECT_EQ(PublishJob::listOfFiles(items), QStringLiteral("home/a.png\nbasetemplate/b.png\nhome.html"));
}

class PublishJobTest : public ::testing::Test {
protected:
    void SetUp() override { savedAppName = gAppName; gAppName = QStringLiteral("Zov Sites"); }
    void TearDown() override { gAppName = savedAppName; }

    void start(const QStringList &options = {}, const QString &password = {})
    {
        root = std::make_unique<QTemporaryDir>();
        server = std::make_unique<TestServer>(QStringLiteral("pyftpd_server.py"),
                                              QStringList{root->path(), QStringLiteral("--log"), local.filePath(QStringLiteral("ftp.log"))} + options);
        ASSERT_TRUE(server->ok());
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setString(QStringLiteral("127.0.0.1"), QStringLiteral("server"));
        defaults.setString(server->value("user"), QStringLiteral("username"));
        defaults.setString(QString(), QStringLiteral("remotepath"));
        defaults.setString(QString::number(server->port()), QStringLiteral("portnumber"));
        defaults.setString(QStringLiteral("http://127.0.0.1:9/site"), QStringLiteral("baseurl"));
        ASSERT_TRUE(CredentialStore().setPassword(QStringLiteral("password"), password.isEmpty() ? server->value("password") : password));
    }
    // Pictures in the page's folder, the page last.
    QList<UploadItem> pageItems(int pictures, const QString &page = QStringLiteral("my page"))
    {
        QList<UploadItem> list;
        for (int i = 0; i < pictures; ++i) {
            const QString name = QStringLiteral("p%1.png").arg(i);
            const QString path = local.filePath(page + QLatin1Char('/') + name);
            testfiles::writeFile(path, QByteArray(2000 + 10 * i, char('a' + i % 26)));
            list.append({path, QLatin1Char('/') + page, name, {}, {}, 0, false});
        }
        const QString html = local.filePath(page + QStringLiteral(".html"));
        testfiles::writeFile(html, QByteArray("<html><body>page</body></html>"));
        list.append({html, QString(), page + QStringLiteral(".html"), {}, {}, 0, false});
        return list;
    }
    QStringList stored() const { return TestServer::ftpStoredNames(local.filePath(QStringLiteral("ftp.log"))); }
    QByteArray onServer(const UploadItem &item) const
    {
        QString folder = item.remoteFolder;
        return testfiles::readFile(root->filePath(folder.mid(1).isEmpty() ? item.remoteFileName : folder.mid(1) + QLatin1Char('/') + item.remoteFileName));
    }
    // Runs the job until count jobs have finished.
    void runUntilFinished(PublishJob &job, int count = 1)
    {
        int done = 0;
        QObject::connect(&job, &PublishJob::finished, &job, [&done] { ++done; });
        ASSERT_TRUE(waitFor([&] { return done >= count; }));
    }

    QString savedAppName;
    ScopedUserDefaults scopedDefaults;
    QTemporaryDir local;
    std::unique_ptr<QTemporaryDir> root;
    std::unique_ptr<TestServer> server;
    RecordingHost host;
    ScriptedAlerts alerts;
};

TEST_F(PublishJobTest, APageIsPublishedAndItsAddressShownInTheShareWindow)
{
    start();
    PublishJob job(&host);
    const QList<UploadItem> items = pageItems(2);
    QList<PublishReport> reports;
    QObject::connect(&job, &PublishJob::progressed, &job, [&](const PublishReport &r) { reports.append(r); });
    ASSERT_TRUE(job.start(items, QStringLiteral("my page"), QStringLiteral("html"), PublishJob::Kind::Page));
    // One job per document: a second waits for the first to end.
    EXPECT_FALSE(job.start(items, QStringLiteral("my page"), QStringLiteral("html"), PublishJob::Kind::Page));
    EXPECT_TRUE(ProgressModel::instance().state().cancelVisible);
    runUntilFinished(job);

    EXPECT_TRUE(job.lastOutcome().success);
    EXPECT_EQ(alerts.count(), 0) << alerts.messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(host.changes, (QList<bool>{true, false}));
    EXPECT_EQ(host.shareAddress, QStringLiteral("http://127.0.0.1:9/site/my%20page.html"));
    EXPECT_EQ(host.shareLabel, QStringLiteral("Successfully published!\n\nhttp://127.0.0.1:9/site/my%20page.html"));
    EXPECT_EQ(job.shareLink(), host.shareAddress);
    ASSERT_EQ(reports.size(), 3);
    EXPECT_EQ(reports.last().counter, 2);
    for (const UploadItem &item : items)
        EXPECT_EQ(onServer(item), testfiles::readFile(item.localPath)) << item.remoteFileName.toStdString();
    EXPECT_FALSE(ProgressModel::instance().state().visible);
    EXPECT_FALSE(job.start({}, QStringLiteral("my page"), QStringLiteral("html"), PublishJob::Kind::Page));
}

TEST_F(PublishJobTest, WithoutABaseAddressThePlainAlertEndsTheJob)
{
    start();
    UserDefaults::standard().setString(QString(), QStringLiteral("baseurl"));
    PublishJob job(&host);
    ASSERT_TRUE(job.start(pageItems(1), QStringLiteral("my page"), QStringLiteral("html"), PublishJob::Kind::Page));
    runUntilFinished(job);
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Upload Complete!"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Upload has been successful completed!"));
    EXPECT_TRUE(host.shareLabel.isEmpty());
}

TEST_F(PublishJobTest, UserFilesOfferLinkTextBoxes)
{
    start();
    QList<UploadItem> items = pageItems(2, QStringLiteral("docs"));
    items.removeLast();
    items.append({local.filePath(QStringLiteral("docs/p1.png")), QStringLiteral("/docs"), QStringLiteral("price list.png"), {}, {}, 0, false});
    alerts.answer(QStringLiteral("Generate Links to Uploaded Files"));
    PublishJob job(&host);
    ASSERT_TRUE(job.start(items, QStringLiteral("docs"), QString(), PublishJob::Kind::UserFiles));
    runUntilFinished(job);
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Files have been uploaded to the following folder:\n\nhttp://127.0.0.1:9/site/docs"));
    EXPECT_EQ(host.links, (QStringList{QStringLiteral("p0.png http://127.0.0.1:9/site/docs/p0.png"),
                                       QStringLiteral("p1.png http://127.0.0.1:9/site/docs/p1.png"),
                                       QStringLiteral("price list.png http://127.0.0.1:9/site/docs/price%20list.png")}));
    EXPECT_EQ(host.frames.last(), QRectF(100, 200, 300, 40));
}

TEST_F(PublishJobTest, AWrongPasswordEndsInTheFailureAlertAndItsLog)
{
    start({}, QStringLiteral("wrong"));
    alerts.answer(QStringLiteral("View Connection Log"));
    PublishJob job(&host);
    const QList<UploadItem> items = pageItems(1);
    ASSERT_TRUE(job.start(items, QStringLiteral("my page"), QStringLiteral("html"), PublishJob::Kind::Page));
    runUntilFinished(job);
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Uhoh!  We have a problem"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("The upload was not successful.  Please check FTP Settings.\n\n"
                                                            "Not on the server:\nmy page/p0.png\nmy page.html"));
    EXPECT_EQ(alerts.last().buttons, (QStringList{QStringLiteral("View Connection Log"), QStringLiteral("Retry"), QStringLiteral("OK")}));
    EXPECT_TRUE(host.shownLog.contains(QLatin1String("**Not able to connect to 127.0.0.1 on port"))) << host.shownLog.toStdString();
    EXPECT_EQ(job.connectionLog(), host.shownLog);
    EXPECT_FALSE(job.isRunning());
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(PublishJobTest, AfterADropRetrySendsExactlyTheFilesNotOnTheServer)
{
    start({QStringLiteral("--drop-after"), QStringLiteral("p1.png")});
    alerts.answer(QStringLiteral("Retry"));
    PublishJob job(&host);
    const QList<UploadItem> items = pageItems(3);
    ASSERT_TRUE(job.start(items, QStringLiteral("my page"), QStringLiteral("html"), PublishJob::Kind::Page));
    runUntilFinished(job, 2);
    ASSERT_GE(alerts.count(), 1);
    EXPECT_EQ(alerts.shown().first().alert.informativeText,
              QStringLiteral("The upload was not successful.  Please check FTP Settings.\n\n"
                             "Not on the server:\nmy page/p1.png\nmy page/p2.png\nmy page.html"));
    EXPECT_EQ(alerts.count(), 1);
    // p1.png arrived before the drop but was never confirmed: it goes again, p0 does not.
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("p0.png"), QStringLiteral("p1.png"), QStringLiteral("p1.png"),
                                     QStringLiteral("p2.png"), QStringLiteral("my page.html")}));
    for (const UploadItem &item : items)
        EXPECT_EQ(onServer(item), testfiles::readFile(item.localPath)) << item.remoteFileName.toStdString();
    EXPECT_EQ(host.shareLabel, QStringLiteral("Successfully published!\n\nhttp://127.0.0.1:9/site/my%20page.html"));
    EXPECT_EQ(job.uploadItemArray().size(), items.size());
}

TEST_F(PublishJobTest, CancelStopsBeforeTheNextFileAndNamesWhatIsMissing)
{
    start();
    PublishJob job(&host);
    const QList<UploadItem> items = pageItems(60);
    QObject::connect(&job, &PublishJob::progressed, &job, [](const PublishReport &r) {
        if (r.counter == 0)
            ProgressModel::instance().cancel();  // the window's Cancel button
    });
    ASSERT_TRUE(job.start(items, QStringLiteral("my page"), QStringLiteral("html"), PublishJob::Kind::Page));
    runUntilFinished(job);
    const PublishOutcome &outcome = job.lastOutcome();
    ASSERT_TRUE(outcome.cancelled);
    ASSERT_FALSE(outcome.pending.isEmpty());
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Upload Cancelled"));
    EXPECT_TRUE(alerts.last().informativeText.endsWith(QStringLiteral("\nmy page.html")));
    // What was sent and what is pending make up the list, without overlap.
    const QStringList sent = stored();
    EXPECT_EQ(sent.size() + outcome.pending.size(), items.size());
    for (const UploadItem &item : outcome.pending)
        EXPECT_FALSE(sent.contains(item.remoteFileName)) << item.remoteFileName.toStdString();
    EXPECT_TRUE(host.shareLabel.isEmpty());
    EXPECT_EQ(host.changes, (QList<bool>{true, false}));
}

}  // namespace

// Linking Dropbox and hosting a design's pictures there, against the API stand-in.
#include "platform/Bundle.h"
#include "platform/CredentialStore.h"
#include "platform/DropboxClient.h"
#include "publishing/DropboxAccountLink.h"
#include "publishing/DropboxPictureUpload.h"
#include "support/DropboxTestServer.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace {

bool waitFor(const std::function<bool()> &done, int timeoutMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return done();
}

QStringList calls(const QJsonArray &log)
{
    QStringList out;
    for (const auto &v : log)
        out << v.toObject()["path"].toString().section(QLatin1Char('/'), -1) + QLatin1Char(' ')
                   + QString::number(v.toObject()["status"].toInt());
    return out;
}

}  // namespace

class DropboxPictureUploadTest : public TempDirTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        DropboxAccountLink::setServiceForTesting(QString::fromLatin1(DropboxTestServer::appKey), server.base());
        // The user's browser: it shows the code, which the user pastes into the alert.
        DropboxAccountLink::setBrowserOpener(
            [this](const QString &address) { alerts.answer(QStringLiteral("Link"), DropboxTestServer::codeShownAt(address)); });
    }
    void TearDown() override
    {
        DropboxAccountLink::setServiceForTesting({}, {});
        DropboxAccountLink::setBrowserOpener({});
    }

    bool link()
    {
        std::optional<bool> result;
        DropboxAccountLink::Hooks hooks;
        hooks.finished = [&](bool linked) { result = linked; };
        EXPECT_TRUE(DropboxAccountLink::linkDropbox(nullptr, hooks));
        return waitFor([&] { return result.has_value(); }) && *result;
    }

    UploadItem item(const QString &name, const QByteArray &bytes = "picture")
    {
        UploadItem i;
        i.localPath = path(name);
        QFile f(i.localPath);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        i.remoteFolder = QStringLiteral("/mails");
        i.remoteFileName = name;
        return i;
    }

    ScopedUserDefaults prefs;
    ScriptedAlerts alerts;
    DropboxTestServer server;
};

TEST_F(DropboxPictureUploadTest, LinkingSignsInOnceThenOffersToRelink)
{
    int setupButtons = 0, sheetClosed = 0;
    DropboxAccountLink::Hooks hooks;
    std::optional<bool> finished;
    hooks.setupButtons = [&] { ++setupButtons; };
    hooks.closeImageSettingsSheet = [&] { ++sheetClosed; };
    hooks.finished = [&](bool linked) { finished = linked; };

    ASSERT_TRUE(DropboxAccountLink::linkDropbox(nullptr, hooks));
    ASSERT_TRUE(waitFor([&] { return finished.has_value(); }));
    EXPECT_TRUE(*finished);
    EXPECT_EQ(prefs.defaults().stringForKey(QStringLiteral("uploadOption")), QStringLiteral("dropbox"));
    EXPECT_EQ(setupButtons, 1);
    EXPECT_EQ(alerts.messages(), (QStringList{QStringLiteral("Link Your Dropbox Account"), QStringLiteral("Dropbox Linked")}));
    const QString firstToken = CredentialStore().password(DropboxClient::refreshTokenKey());
    EXPECT_FALSE(firstToken.isEmpty());

    // Linked already: "OK" keeps the account.
    finished.reset();
    alerts.answer(QStringLiteral("OK"));
    ASSERT_TRUE(DropboxAccountLink::linkDropbox(nullptr, hooks));
    ASSERT_TRUE(waitFor([&] { return finished.has_value(); }));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Dropbox Linked"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Image option updated to Dropbox"));
    EXPECT_EQ(alerts.last().buttons, (QStringList{QStringLiteral("Re-Link Dropbox Account"), QStringLiteral("OK")}));
    EXPECT_EQ(CredentialStore().password(DropboxClient::refreshTokenKey()), firstToken);
    EXPECT_EQ(sheetClosed, 0);

    // "Re-Link Dropbox Account": the sheet closes, the old grant is revoked, a new sign-in runs.
    finished.reset();
    alerts.answer(QStringLiteral("Re-Link Dropbox Account"));
    ASSERT_TRUE(DropboxAccountLink::linkDropbox(nullptr, hooks));
    ASSERT_TRUE(waitFor([&] { return finished.has_value(); }));
    EXPECT_TRUE(*finished);
    EXPECT_EQ(sheetClosed, 1);
    EXPECT_TRUE(calls(server.log()).contains(QStringLiteral("revoke 200")));
    const QString secondToken = CredentialStore().password(DropboxClient::refreshTokenKey());
    EXPECT_FALSE(secondToken.isEmpty());
    EXPECT_NE(secondToken, firstToken);
    EXPECT_TRUE(alerts.mismatches().isEmpty());

    // A wrong code links nothing and says why.
    CredentialStore().removePassword(DropboxClient::refreshTokenKey());
    DropboxAccountLink::setBrowserOpener([this](const QString &) { alerts.answer(QStringLiteral("Link"), QStringLiteral("made-up")); });
    finished.reset();
    ASSERT_TRUE(DropboxAccountLink::linkDropbox(nullptr, hooks));
    ASSERT_TRUE(waitFor([&] { return finished.has_value(); }));
    EXPECT_FALSE(*finished);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Dropbox Sign-In Failed"));
}

TEST_F(DropboxPictureUploadTest, WithoutAnAppKeyDropboxIsNotOffered)
{
    if (!Bundle::dropboxAppKey().isEmpty())
        GTEST_SKIP() << "this build has a Dropbox app key";
    DropboxAccountLink::setServiceForTesting({}, {});
    EXPECT_FALSE(DropboxAccountLink::isAvailable());
    EXPECT_FALSE(DropboxAccountLink::linkDropbox(nullptr));
    EXPECT_TRUE(prefs.defaults().stringForKey(QStringLiteral("uploadOption")).isEmpty());
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(DropboxPictureUploadTest, SendsTheItemsOneAfterTheOtherWithDirectLinks)
{
    ASSERT_TRUE(link());
    DropboxPictureUpload upload;
    upload.uploadItemArray = {item(QStringLiteral("a.png")), item(QStringLiteral("b.png")), item(QStringLiteral("c.png"))};
    int progress = 0, done = 0;
    upload.updateProgressBar = [&] { ++progress; };
    upload.updateProgressBarDoneSuccess = [&] { ++done; };
    upload.startDropboxUpload();
    ASSERT_TRUE(waitFor([&] { return done > 0 || !upload.isRunning(); }));
    EXPECT_EQ(done, 1) << upload.lastError().toStdString();
    EXPECT_EQ(progress, 3);
    EXPECT_EQ(upload.uploadCounter, 3);
    for (const UploadItem &i : upload.uploadItemArray) {
        EXPECT_TRUE(i.dropboxLink.startsWith(QStringLiteral("https://www.dropbox.com/scl/fi/"))) << i.dropboxLink.toStdString();
        EXPECT_TRUE(i.dropboxLink.endsWith(QStringLiteral("&dl=1"))) << i.dropboxLink.toStdString();
        EXPECT_TRUE(i.dropboxLink.contains(i.remoteFileName));
    }
    EXPECT_EQ(upload.dropboxLink, upload.uploadItemArray.last().dropboxLink);
    QStringList sent = calls(server.log());
    sent = sent.mid(sent.indexOf(QStringLiteral("upload 200")));
    const QString pair = QStringLiteral("upload 200,create_shared_link_with_settings 200");
    EXPECT_EQ(sent.join(QLatin1Char(',')), QStringList({pair, pair, pair}).join(QLatin1Char(',')));
    EXPECT_TRUE(QFile::exists(server.filesDir() + QStringLiteral("/mails/c.png")));
    EXPECT_EQ(alerts.count(), 2) << "only the sign-in alerts";
}

TEST_F(DropboxPictureUploadTest, AFailureStopsTheListAndAsksToRelink)
{
    ASSERT_TRUE(link());
    // The second name is taken in the account: Dropbox answers 409 for it.
    QDir().mkpath(server.filesDir() + QStringLiteral("/mails"));
    QFile taken(server.filesDir() + QStringLiteral("/mails/b.png"));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();

    DropboxPictureUpload upload;
    upload.uploadItemArray = {item(QStringLiteral("a.png")), item(QStringLiteral("b.png")), item(QStringLiteral("c.png"))};
    int done = 0, orderedOut = 0;
    upload.updateProgressBarDoneSuccess = [&] { ++done; };
    upload.orderOutProgressWindow = [&] { ++orderedOut; };
    upload.startDropboxUpload();
    ASSERT_TRUE(waitFor([&] { return !upload.isRunning(); }));
    EXPECT_EQ(done, 0);
    EXPECT_EQ(orderedOut, 1);
    EXPECT_EQ(upload.uploadCounter, 1);
    EXPECT_FALSE(upload.uploadItemArray[0].dropboxLink.isEmpty());
    EXPECT_TRUE(upload.uploadItemArray[1].dropboxLink.isEmpty());
    EXPECT_TRUE(upload.uploadItemArray[2].dropboxLink.isEmpty());
    EXPECT_FALSE(QFile::exists(server.filesDir() + QStringLiteral("/mails/c.png")));
    EXPECT_TRUE(upload.lastError().contains(QStringLiteral("path/conflict"))) << upload.lastError().toStdString();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Image Upload Failed"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Please check Settings and re-link your Dropbox account."));
    EXPECT_EQ(alerts.last().buttons, QStringList{QStringLiteral("Cancel")});
}

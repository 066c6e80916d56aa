// DropboxClient against the Dropbox API stand-in over TLS.
#include "platform/CredentialStore.h"
#include "platform/DropboxClient.h"
#include "support/DropboxTestServer.h"
#include "support/ScopedUserDefaults.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QThread>
#include <QUrlQuery>

namespace {

QStringList pathsAndStatuses(const QJsonArray &log)
{
    QStringList out;
    for (const auto &v : log)
        out << v.toObject()["path"].toString() + QLatin1Char(' ') + QString::number(v.toObject()["status"].toInt());
    return out;
}

}  // namespace

class DropboxClientTest : public TempDirTest {
protected:
    // A client of the stand-in, signed in as the user would: browser, code, paste.
    std::unique_ptr<DropboxClient> linkedClient()
    {
        auto client = newClient();
        const QString code = DropboxTestServer::codeShownAt(client->beginSignIn());
        EXPECT_FALSE(code.isEmpty());
        EXPECT_TRUE(client->finishSignIn(code)) << client->lastError().toStdString();
        return client;
    }
    std::unique_ptr<DropboxClient> newClient()
    {
        auto client = std::make_unique<DropboxClient>(QString::fromLatin1(DropboxTestServer::appKey), &prefs.defaults());
        client->setBaseAddress(server.base());
        return client;
    }
    QString picture(const QByteArray &bytes = QByteArray(3000, 'p'))
    {
        const QString file = path(QStringLiteral("picture.png"));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file;
    }

    ScopedUserDefaults prefs;
    DropboxTestServer server;
};

TEST_F(DropboxClientTest, SignInTradesTheCodeWithItsOwnVerifierAndKeepsTheRefreshToken)
{
    ASSERT_TRUE(server.start());
    auto client = newClient();
    EXPECT_FALSE(client->isLinked());
    const QString address = client->beginSignIn();
    const QUrlQuery query{QUrl(address)};
    EXPECT_EQ(query.queryItemValue(QStringLiteral("code_challenge_method")), QStringLiteral("S256"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("token_access_type")), QStringLiteral("offline"));
    const QString code = DropboxTestServer::codeShownAt(address);

    // Another sign-in's verifier does not fit this code.
    auto other = newClient();
    other->beginSignIn();
    EXPECT_FALSE(other->finishSignIn(code));
    EXPECT_TRUE(other->lastError().contains(QStringLiteral("invalid_grant"))) << other->lastError().toStdString();

    const QString second = DropboxTestServer::codeShownAt(address);
    EXPECT_TRUE(client->finishSignIn(QStringLiteral("  ") + second + QStringLiteral("\n"))) << client->lastError().toStdString();
    const QString stored = CredentialStore(&prefs.defaults()).password(DropboxClient::refreshTokenKey());
    EXPECT_FALSE(stored.isEmpty());
    EXPECT_TRUE(newClient()->isLinked());

    // A new client (the next start of the program) renews its access from the stored token.
    auto later = newClient();
    DropboxClient::Uploaded uploaded;
    ASSERT_TRUE(later->upload(picture(), QStringLiteral("pictures"), QStringLiteral("a.png"), &uploaded))
        << later->lastError().toStdString();
    const QStringList calls = pathsAndStatuses(server.log());
    EXPECT_EQ(calls.mid(calls.size() - 2), (QStringList{QStringLiteral("/oauth2/token 200"), QStringLiteral("/2/files/upload 200")}));
}

TEST_F(DropboxClientTest, UploadsWithItsArgumentHeaderAndSharesADirectLink)
{
    ASSERT_TRUE(server.start({QStringLiteral("--bare-conflict")}));
    auto client = linkedClient();
    const QByteArray bytes("\x89PNG\r\n\x1a\n picture bytes", 20);
    DropboxClient::Uploaded uploaded;
    ASSERT_TRUE(client->upload(picture(bytes), QStringLiteral("/Mail Pictures/"), QStringLiteral("Grüße.png"), &uploaded))
        << client->lastError().toStdString();
    EXPECT_EQ(uploaded.path, QStringLiteral("/Mail Pictures/Grüße.png"));
    EXPECT_EQ(uploaded.size, bytes.size());
    QFile stored(server.filesDir() + QStringLiteral("/mail pictures/grüße.png"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), bytes);
    const QJsonObject arg = server.log().last().toObject()["arg"].toObject();
    EXPECT_EQ(arg["path"].toString(), QStringLiteral("/Mail Pictures/Grüße.png"));
    EXPECT_EQ(arg["mode"].toString(), QStringLiteral("add"));

    // The first request makes the link; the second finds it taken and lists it.
    QString first, again;
    ASSERT_TRUE(client->sharedLink(uploaded.path, &first)) << client->lastError().toStdString();
    ASSERT_TRUE(client->sharedLink(uploaded.path, &again)) << client->lastError().toStdString();
    EXPECT_EQ(first, again);
    const QStringList calls = pathsAndStatuses(server.log());
    EXPECT_EQ(calls.mid(calls.size() - 3),
              (QStringList{QStringLiteral("/2/sharing/create_shared_link_with_settings 200"),
                           QStringLiteral("/2/sharing/create_shared_link_with_settings 409"),
                           QStringLiteral("/2/sharing/list_shared_links 200")}));
    const QString direct = DropboxClient::directLink(first);
    EXPECT_TRUE(direct.endsWith(QStringLiteral("&dl=1"))) << direct.toStdString();
    EXPECT_EQ(direct.count(QStringLiteral("dl=")), 1);
}

TEST_F(DropboxClientTest, DirectLinkSetsTheDownloadItemOnce)
{
    const struct {
        const char *in, *out;
    } cases[] = {
        {"https://www.dropbox.com/scl/fi/ab/p%20q.png?rlkey=x1&dl=0", "https://www.dropbox.com/scl/fi/ab/p%20q.png?rlkey=x1&dl=1"},
        {"https://www.dropbox.com/s/ab/p.png?dl=1", "https://www.dropbox.com/s/ab/p.png?dl=1"},
        {"https://www.dropbox.com/s/ab/p.png", "https://www.dropbox.com/s/ab/p.png?dl=1"},
        {"https://www.dropbox.com/s/ab/p.png?dl=0&x=1&dl=0", "https://www.dropbox.com/s/ab/p.png?x=1&dl=1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DropboxClient::directLink(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

TEST_F(DropboxClientTest, AnExpiredAccessIsRenewedOnceAndARevokedOneAsksForANewLink)
{
    ASSERT_TRUE(server.start({QStringLiteral("--token-lifetime"), QStringLiteral("1")}));
    auto client = linkedClient();
    QThread::msleep(1100);
    DropboxClient::Uploaded uploaded;
    ASSERT_TRUE(client->upload(picture(), QString(), QStringLiteral("a.png"), &uploaded)) << client->lastError().toStdString();
    QStringList calls = pathsAndStatuses(server.log());
    EXPECT_EQ(calls.mid(calls.size() - 3), (QStringList{QStringLiteral("/2/files/upload 401"), QStringLiteral("/oauth2/token 200"),
                                                        QStringLiteral("/2/files/upload 200")}));

    // A refresh token Dropbox no longer knows: the link is gone, the user is told.
    ASSERT_TRUE(CredentialStore(&prefs.defaults()).setPassword(DropboxClient::refreshTokenKey(), QStringLiteral("forgotten")));
    auto stale = newClient();
    EXPECT_FALSE(stale->upload(picture(), QString(), QStringLiteral("b.png"), &uploaded));
    EXPECT_TRUE(stale->needsRelink());
    EXPECT_TRUE(stale->lastError().contains(QStringLiteral("invalid_grant"))) << stale->lastError().toStdString();
    EXPECT_FALSE(newClient()->isLinked());
}

TEST_F(DropboxClientTest, ConflictsRateLimitsAndShortUploadsAreReported)
{
    ASSERT_TRUE(server.start({QStringLiteral("--rate-limit"), QStringLiteral("2"), QStringLiteral("--short-size")}));
    auto client = linkedClient();
    DropboxClient::Uploaded uploaded;

    // Told to wait longer than it may: fails at once, saying how long.
    client->setMaximumRetryWaitMs(0);
    EXPECT_FALSE(client->upload(picture(), QString(), QStringLiteral("a.png"), &uploaded));
    EXPECT_TRUE(client->lastError().contains(QStringLiteral("wait 1 seconds"))) << client->lastError().toStdString();

    // Told to wait a second: waits, then the upload goes through, but Dropbox holds one
    // byte less than the file, so it does not count.
    client->setMaximumRetryWaitMs(5000);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(client->upload(picture(), QString(), QStringLiteral("a.png"), &uploaded));
    EXPECT_GE(timer.elapsed(), 900);
    EXPECT_TRUE(client->lastError().contains(QStringLiteral("2999 of the 3000 bytes"))) << client->lastError().toStdString();

    // The name is taken now: Dropbox's conflict comes back in words.
    EXPECT_FALSE(client->upload(picture(), QString(), QStringLiteral("a.png"), &uploaded));
    EXPECT_TRUE(client->lastError().contains(QStringLiteral("409: path/conflict"))) << client->lastError().toStdString();
    EXPECT_FALSE(client->needsRelink());

    // No link for a path that is not there.
    QString link;
    EXPECT_FALSE(client->sharedLink(QStringLiteral("/missing.png"), &link));
    EXPECT_TRUE(client->lastError().contains(QStringLiteral("path/not_found"))) << client->lastError().toStdString();
}

TEST_F(DropboxClientTest, UnlinkRevokesTheTokensAndForgetsThem)
{
    ASSERT_TRUE(server.start());
    auto client = linkedClient();
    client->unlink();
    EXPECT_EQ(pathsAndStatuses(server.log()).last(), QStringLiteral("/2/auth/token/revoke 200"));
    EXPECT_FALSE(client->isLinked());
    EXPECT_TRUE(CredentialStore(&prefs.defaults()).password(DropboxClient::refreshTokenKey()).isEmpty());
    DropboxClient::Uploaded uploaded;
    EXPECT_FALSE(client->upload(picture(), QString(), QStringLiteral("a.png"), &uploaded));
    EXPECT_TRUE(client->needsRelink());
}

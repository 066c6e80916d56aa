#include "publishing/UploadFTPS.h"
#include "support/ScopedUserDefaults.h"
#include "support/SmtpTestServer.h"
#include "support/TempDir.h"

#include "platform/CredentialStore.h"
#include "platform/TextCodec.h"

#include <QFile>

namespace {

struct RecordingDelegate : UploadFTPSViewDelegate {
    void UploadUpdate(UploadFTPS *, bool, const QString &, int32_t) override {}
    void sendMailUpdate(UploadFTPS *sender, bool result, const QString &details) override
    {
        ++calls;
        lastSender = sender;
        lastResult = result;
        lastDetails = details;
    }
    int calls = 0;
    UploadFTPS *lastSender = nullptr;
    bool lastResult = false;
    QString lastDetails;
};

QStringList sortedEnvelope(const QJsonObject &message)
{
    QStringList to;
    for (const auto &v : message["envelope"].toObject()["to"].toArray())
        to << v.toString();
    to.sort();
    return to;
}

}  // namespace

class UploadFTPSMail : public TempDirTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start(QStringLiteral("none"), {QStringLiteral("--refuse"), QStringLiteral("gone@example.org")}));
        UserDefaults &d = prefs.defaults();
        d.setString(QStringLiteral("me@example.org"), QStringLiteral("mailAddress"));
        d.setString(QStringLiteral("Me Myself"), QStringLiteral("mailName"));
        d.setString(QStringLiteral("127.0.0.1"), QStringLiteral("mailSMTPServer"));
        d.setString(QString::number(server.port()), QStringLiteral("mailPortnumber"));
        d.setString(QStringLiteral("None"), QStringLiteral("connectionType"));
        QDir().mkpath(path(QStringLiteral("page/images")));
        QFile picture(path(QStringLiteral("page/images/a.png")));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write("PNG");
        QFile page(path(QStringLiteral("page/index.html")));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(TextCodec::encodePageText(QStringLiteral("<p>Grüße</p><img src=\"images/a.png\"><img src=\"../x.png\">")));
    }

    ScopedUserDefaults prefs;
    SmtpTestServer server;
    RecordingDelegate delegate;
};

TEST_F(UploadFTPSMail, PopulateMailReadsTheAccountWithItsDefaults)
{
    const struct {
        const char *type, *port;
        bool ssl, tls;
        int32_t expectedPort;
    } cases[] = {{"SSL", "465", true, false, 465}, {"None", "abc", false, false, 587},
                 {"STARTTLS", "0", false, true, 587}, {"", " 2525 ", false, true, 2525}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        prefs.defaults().setString(QString::fromLatin1(c.type), QStringLiteral("connectionType"));
        prefs.defaults().setString(QString::fromLatin1(c.port), QStringLiteral("mailPortnumber"));
        UploadFTPS transport;
        transport.populateMail();
        EXPECT_EQ(transport.smtpSSLFlag, c.ssl);
        EXPECT_EQ(transport.smtpTLSFlag, c.tls);
        EXPECT_EQ(transport.mailAccount().smtpPort, c.expectedPort);
        EXPECT_EQ(transport.mailAccount().smtpUsername, QStringLiteral("me@example.org"));
    }
}

TEST_F(UploadFTPSMail, PopulateMailTakesThePasswordFromTheCredentialStore)
{
    ASSERT_TRUE(CredentialStore(&prefs.defaults()).setPassword(QStringLiteral("mailPassword"), QStringLiteral("m41l")));
    UploadFTPS transport;
    transport.populateMail();
    EXPECT_EQ(transport.mailAccount().smtpPassword, QStringLiteral("m41l"));
}

// Untrimmed and empty parts, an address twice and an empty BCC: each address gets
// one copy, the sender too; the page's own picture travels inside, the one outside
// its folder does not.
TEST_F(UploadFTPSMail, SendsThePageOnceToEveryAddressAndTheSender)
{
    UploadFTPS transport;
    transport.setDelegate(&delegate);
    const bool sent = transport.sendMail(path(QStringLiteral("page/index.html")), QStringLiteral("News"),
                                         {QStringLiteral(" a@example.org"), QString(), QStringLiteral("b@example.org ")},
                                         {QStringLiteral("A@example.org"), QStringLiteral("  ")}, {});
    EXPECT_TRUE(sent) << delegate.lastDetails.toStdString();
    EXPECT_EQ(delegate.calls, 1);
    EXPECT_EQ(delegate.lastSender, &transport);
    EXPECT_TRUE(delegate.lastResult);
    EXPECT_EQ(delegate.lastDetails, QStringLiteral("HTML Email Sent!\n"));
    const QJsonArray stored = server.messages();
    ASSERT_EQ(stored.size(), 1);
    const QJsonObject m = stored[0].toObject();
    EXPECT_EQ(sortedEnvelope(m), (QStringList{QStringLiteral("a@example.org"), QStringLiteral("b@example.org"),
                                              QStringLiteral("me@example.org")}));
    EXPECT_EQ(m["headers"].toObject()["To"].toString(), QStringLiteral("a@example.org, b@example.org"));
    EXPECT_FALSE(m["headers"].toObject().contains(QStringLiteral("Bcc")));
    int pictures = 0;
    QString html;
    for (const auto &v : m["parts"].toArray()) {
        pictures += v.toObject()["type"].toString() == QLatin1String("image/png");
        if (v.toObject()["type"].toString() == QLatin1String("text/html"))
            html = v.toObject()["text"].toString();
    }
    EXPECT_EQ(pictures, 1);
    EXPECT_TRUE(html.contains(QStringLiteral("Grüße")));
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"../x.png\"")));
}

TEST_F(UploadFTPSMail, AnEmptyToListSendsToTheSenderOnce)
{
    prefs.defaults().setString(QStringLiteral("coder"), QStringLiteral("emailOption"));
    UploadFTPS transport;
    transport.setDelegate(&delegate);
    ASSERT_TRUE(transport.sendMail(path(QStringLiteral("page/index.html")), QStringLiteral("Self"), {}, {}, {}));
    const QJsonObject m = server.messages().at(0).toObject();
    EXPECT_EQ(sortedEnvelope(m), QStringList{QStringLiteral("me@example.org")});
    EXPECT_EQ(m["headers"].toObject()["To"].toString(), QStringLiteral("Me Myself <me@example.org>"));
    for (const auto &v : m["parts"].toArray())
        EXPECT_NE(v.toObject()["type"].toString(), QStringLiteral("image/png")) << "the coder road embeds nothing";
}

TEST_F(UploadFTPSMail, RefusedAddressesAreNamedAndTheRestDelivered)
{
    UploadFTPS transport;
    transport.setDelegate(&delegate);
    EXPECT_TRUE(transport.sendMail(path(QStringLiteral("page/index.html")), QStringLiteral("News"),
                                   {QStringLiteral("gone@example.org"), QStringLiteral("here@example.org")}, {}, {}));
    EXPECT_TRUE(delegate.lastDetails.startsWith(QStringLiteral("Not delivered to gone@example.org: 550")))
        << delegate.lastDetails.toStdString();
    EXPECT_TRUE(delegate.lastDetails.endsWith(QStringLiteral("HTML Email Sent!\n")));
    EXPECT_EQ(transport.lastSendResult().refused.size(), 1);
    EXPECT_EQ(sortedEnvelope(server.messages().at(0).toObject()),
              (QStringList{QStringLiteral("here@example.org"), QStringLiteral("me@example.org")}));
}

TEST_F(UploadFTPSMail, FailuresAreReportedWithTheReasonAndNothingIsSent)
{
    const struct {
        const char *what;
        QString subject;
        QStringList to;
        const char *expected;
    } cases[] = {
        {"line break", QStringLiteral("Hi\nBcc: x@example.org"), {QStringLiteral("a@example.org")}, "subject"},
        {"bad address", QStringLiteral("Hi"), {QStringLiteral("a@example.org;b@example.org")}, "To address"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        UploadFTPS transport;
        transport.setDelegate(&delegate);
        EXPECT_FALSE(transport.sendMail(path(QStringLiteral("page/index.html")), c.subject, c.to, {}, {}));
        EXPECT_FALSE(delegate.lastResult);
        EXPECT_TRUE(delegate.lastDetails.contains(QLatin1String(c.expected))) << delegate.lastDetails.toStdString();
        EXPECT_TRUE(delegate.lastDetails.endsWith(QLatin1Char('\n')));
    }
    EXPECT_EQ(server.storedCount(), 0);

    // No server at all.
    server.stop();
    UploadFTPS transport;
    transport.setDelegate(&delegate);
    EXPECT_FALSE(transport.sendMail(path(QStringLiteral("page/index.html")), QStringLiteral("Hi"),
                                    {QStringLiteral("a@example.org")}, {}, {}));
    EXPECT_FALSE(delegate.lastDetails.isEmpty());
}

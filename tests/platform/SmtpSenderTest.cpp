#include "support/SmtpTestServer.h"
#include "platform/SmtpSender.h"
#include "platform/TrustStore.h"

#include <QElapsedTimer>
#include <QSet>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

MimeMessage simpleMessage(const QStringList &to, const QStringList &bcc = {})
{
    MimeMessage m;
    m.setFrom(QStringLiteral("Sender"), QStringLiteral("sender@example.org"));
    m.setSubject(QStringLiteral("Spring offers"));
    for (const QString &a : to)
        m.addTo(a, a);
    for (const QString &a : bcc)
        m.addBcc(a, a);
    m.setHtmlBody(QStringLiteral("<p>Hello</p>"));
    return m;
}

SmtpSender::Settings settingsFor(const SmtpTestServer &server, SmtpSender::Security security)
{
    SmtpSender::Settings s;
    s.host = QStringLiteral("127.0.0.1");
    s.port = server.port();
    s.security = security;
    s.connectTimeoutMs = 5000;
    s.responseTimeoutMs = 5000;
    return s;
}

QStringList envelopeTo(const QJsonObject &message)
{
    QStringList result;
    for (const auto &v : message.value(QStringLiteral("envelope")).toObject().value(QStringLiteral("to")).toArray())
        result.append(v.toString());
    return result;
}

}  // namespace

TEST(SmtpSender, SecurityFollowsTheSettingAndPort465IsAlwaysImplicitTls)
{
    using S = SmtpSender::Security;
    EXPECT_EQ(SmtpSender::securityFor(QStringLiteral("STARTTLS"), 587), S::StartTls);
    EXPECT_EQ(SmtpSender::securityFor(QString(), 587), S::StartTls);
    EXPECT_EQ(SmtpSender::securityFor(QStringLiteral("SSL"), 587), S::ImplicitTls);
    EXPECT_EQ(SmtpSender::securityFor(QStringLiteral("None"), 25), S::None);
    EXPECT_EQ(SmtpSender::securityFor(QStringLiteral("None"), 465), S::ImplicitTls);
    EXPECT_EQ(SmtpSender::securityFor(QStringLiteral("STARTTLS"), 465), S::ImplicitTls);
}

// Each security mode against a server speaking it, with AUTH; the certificate is
// trusted for that server in the user's trusted-certificates file, as the program would.
TEST(SmtpSender, SendsWithEachSecurityModeAndLogsIn)
{
    const QString trusted = TrustStore::trustedCertificatesPath();
    QFile::remove(trusted);
    const struct {
        const char *tls;
        SmtpSender::Security security;
    } cases[] = {{"none", SmtpSender::Security::None},
                 {"starttls", SmtpSender::Security::StartTls},
                 {"implicit", SmtpSender::Security::ImplicitTls}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tls);
        SmtpTestServer server;
        ASSERT_TRUE(server.start(QString::fromLatin1(c.tls), {QStringLiteral("--auth"), QStringLiteral("ann:s3cret pw")}));
        ASSERT_TRUE(TrustStore::trustCertificate(SmtpTestServer::certificatePem(),
                                                 TrustStore::serverName(QStringLiteral("127.0.0.1"), server.port())));
        auto settings = settingsFor(server, c.security);
        settings.username = QStringLiteral("ann");
        settings.password = QStringLiteral("s3cret pw");
        SmtpSender sender(settings);
        const auto result = sender.send(simpleMessage({QStringLiteral("to@example.org")}));
        EXPECT_TRUE(result.complete()) << result.error.toStdString() << result.log.toStdString();
        EXPECT_FALSE(result.log.contains(QStringLiteral("s3cret"))) << "the password must stay out of the log";
        const QJsonArray stored = server.messages();
        ASSERT_EQ(stored.size(), 1);
        EXPECT_EQ(stored[0].toObject()["envelope"].toObject()["auth"].toString(), QStringLiteral("ann"));
        EXPECT_EQ(envelopeTo(stored[0].toObject()), QStringList{QStringLiteral("to@example.org")});
    }
    QFile::remove(trusted);
}

// Failures that must stop the send with nothing delivered: no fall back to plain text
// when STARTTLS is missing, a certificate nobody trusts, a wrong password.
TEST(SmtpSender, RefusesToSendInsecurelyOrWithoutValidLogin)
{
    {
        SmtpTestServer plainOnly;
        ASSERT_TRUE(plainOnly.start(QStringLiteral("none")));
        SmtpSender sender(settingsFor(plainOnly, SmtpSender::Security::StartTls));
        const auto result = sender.send(simpleMessage({QStringLiteral("to@example.org")}));
        EXPECT_FALSE(result.sent);
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(plainOnly.storedCount(), 0);
    }
    for (const char *tls : {"starttls", "implicit"}) {
        SCOPED_TRACE(tls);
        SmtpTestServer server;
        ASSERT_TRUE(server.start(QString::fromLatin1(tls)));
        SmtpSender sender(settingsFor(server, QLatin1String(tls) == QLatin1String("implicit")
                                                  ? SmtpSender::Security::ImplicitTls
                                                  : SmtpSender::Security::StartTls));
        sender.setCertificateBundle("-----BEGIN CERTIFICATE-----\n-----END CERTIFICATE-----\n");
        const auto result = sender.send(simpleMessage({QStringLiteral("to@example.org")}));
        EXPECT_FALSE(result.sent);
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(server.storedCount(), 0);
    }
    {
        SmtpTestServer server;
        ASSERT_TRUE(server.start(QStringLiteral("none"), {QStringLiteral("--auth"), QStringLiteral("ann:right")}));
        auto settings = settingsFor(server, SmtpSender::Security::None);
        settings.username = QStringLiteral("ann");
        settings.password = QStringLiteral("wrong");
        const auto result = SmtpSender(settings).send(simpleMessage({QStringLiteral("to@example.org")}));
        EXPECT_FALSE(result.sent);
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(server.storedCount(), 0);
    }
}

TEST(SmtpSender, AFieldWithALineBreakOrABadAddressSendsNothing)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.start());
    const struct {
        const char *what;
        std::function<void(MimeMessage &)> spoil;
        const char *named;
    } cases[] = {
        {"subject", [](MimeMessage &m) { m.setSubject(QStringLiteral("Hi\r\nBcc: victim@example.org")); }, "subject"},
        {"sender name", [](MimeMessage &m) { m.setFrom(QStringLiteral("A\nB"), QStringLiteral("sender@example.org")); }, "sender name"},
        {"to address", [](MimeMessage &m) { m.addTo({}, QStringLiteral("x@example.org\r\nRCPT TO:<y@example.org>")); }, "To address"},
        {"cc name", [](MimeMessage &m) { m.addCc(QStringLiteral("Eve\r\n"), QStringLiteral("eve@example.org")); }, "CC name"},
        {"bad bcc", [](MimeMessage &m) { m.addBcc({}, QStringLiteral("not an address")); }, "BCC address"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MimeMessage m = simpleMessage({QStringLiteral("to@example.org")});
        c.spoil(m);
        const auto result = SmtpSender(settingsFor(server, SmtpSender::Security::None)).send(m);
        EXPECT_FALSE(result.sent);
        EXPECT_TRUE(result.error.contains(QLatin1String(c.named))) << result.error.toStdString();
        EXPECT_TRUE(result.log.isEmpty());
    }
    EXPECT_EQ(server.storedCount(), 0);
}

// Refused addresses are listed one by one; the rest arrive, those deferred with 452
// in further transactions, every address exactly once.
TEST(SmtpSender, RefusedAddressesAreListedAndDeferredOnesGoInAnotherTransaction)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.start(QStringLiteral("none"),
                             {QStringLiteral("--refuse"), QStringLiteral("r3@example.org"),
                              QStringLiteral("--refuse"), QStringLiteral("R11@example.org"),
                              QStringLiteral("--max-recipients"), QStringLiteral("7")}));
    QStringList to;
    for (int i = 0; i < 20; ++i)
        to << QStringLiteral("r%1@example.org").arg(i);
    // Repeats in To and BCC (any case) get one copy.
    const auto result = SmtpSender(settingsFor(server, SmtpSender::Security::None))
                            .send(simpleMessage(to, {QStringLiteral("R0@Example.org"), QStringLiteral("r5@example.org")}));
    EXPECT_TRUE(result.sent) << result.error.toStdString();
    ASSERT_EQ(result.refused.size(), 2);
    EXPECT_EQ(result.refused[0].address, QStringLiteral("r3@example.org"));
    EXPECT_EQ(result.refused[0].code, 550);
    EXPECT_TRUE(result.refused[0].reply.contains(QLatin1String("rejected")));
    EXPECT_EQ(result.refused[1].address, QStringLiteral("r11@example.org"));
    EXPECT_EQ(result.delivered.size(), 18);

    QStringList arrived;
    const QJsonArray stored = server.messages();
    EXPECT_GE(stored.size(), 3);
    for (const auto &m : stored) {
        const QStringList rcpt = envelopeTo(m.toObject());
        EXPECT_LE(rcpt.size(), 7);
        arrived += rcpt;
    }
    arrived.sort();
    QStringList expected = to;
    expected.removeAll(QStringLiteral("r3@example.org"));
    expected.removeAll(QStringLiteral("r11@example.org"));
    expected.sort();
    EXPECT_EQ(arrived, expected);
}

TEST(SmtpSender, AMessageTakenBeforeTheConnectionDropsAtQuitCountsAsSent)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.start(QStringLiteral("none"), {QStringLiteral("--drop-at-quit")}));
    const auto result = SmtpSender(settingsFor(server, SmtpSender::Security::None))
                            .send(simpleMessage({QStringLiteral("to@example.org")}));
    EXPECT_TRUE(result.complete()) << result.error.toStdString();
    EXPECT_EQ(server.storedCount(), 1);
}

TEST(SmtpSender, AServerThatNeverAnswersTimesOut)
{
    // A socket that listens but never accepts: the connection opens, no greeting comes.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 4), 0);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    SmtpSender::Settings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = ntohs(address.sin_port);
    settings.security = SmtpSender::Security::None;
    settings.responseTimeoutMs = 1000;
    QElapsedTimer timer;
    timer.start();
    const auto result = SmtpSender(settings).send(simpleMessage({QStringLiteral("to@example.org")}));
    EXPECT_FALSE(result.sent);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_LT(timer.elapsed(), 10000);
    ::close(fd);
}

// A thousand recipients, a few refused, the server taking 100 per transaction: every
// other address gets the design exactly once, the sender too, and no copy shows a Bcc.
TEST(SmtpSender, AThousandRecipientsEachGetTheMessageOnce)
{
    SmtpTestServer server;
    QStringList refuse;
    for (int i : {7, 500, 999})
        refuse << QStringLiteral("--refuse") << QStringLiteral("p%1@example.org").arg(i);
    ASSERT_TRUE(server.start(QStringLiteral("none"), refuse + QStringList{QStringLiteral("--max-recipients"), QStringLiteral("100")}));
    QStringList to, bcc;
    for (int i = 0; i < 1000; ++i)
        (i % 2 ? to : bcc) << QStringLiteral("p%1@example.org").arg(i);
    MimeMessage m = simpleMessage(to, bcc);
    m.addBcc(QStringLiteral("Sender"), QStringLiteral("sender@example.org"));
    const auto result = SmtpSender(settingsFor(server, SmtpSender::Security::None)).send(m);
    EXPECT_TRUE(result.sent) << result.error.toStdString();
    ASSERT_EQ(result.refused.size(), 3);
    EXPECT_EQ(result.delivered.size(), 998);

    const QJsonArray stored = server.messages();
    QStringList arrived;
    for (const auto &v : stored) {
        const QJsonObject message = v.toObject();
        arrived += envelopeTo(message);
        EXPECT_FALSE(message["headers"].toObject().contains(QStringLiteral("Bcc")));
        EXPECT_TRUE(message["defects"].toArray().isEmpty());
    }
    EXPECT_EQ(arrived.size(), 998);
    EXPECT_EQ(QSet<QString>(arrived.begin(), arrived.end()).size(), 998);
    EXPECT_TRUE(arrived.contains(QStringLiteral("sender@example.org")));
    EXPECT_FALSE(arrived.contains(QStringLiteral("p500@example.org")));
}

// A send that stops says where: what the user must look at differs (the sender
// settings only for a refused log-in or sender).
TEST(SmtpSender, AStoppedSendSaysWhereItStopped)
{
    using Failure = SmtpSender::Failure;
    const struct {
        const char *what;
        QStringList serverOptions;
        QString username;
        QStringList to;
        Failure expected;
    } cases[] = {
        {"wrong password", {QStringLiteral("--auth"), QStringLiteral("ann:right")}, QStringLiteral("ann"),
         {QStringLiteral("to@example.org")}, Failure::Login},
        {"sender refused", {QStringLiteral("--refuse-sender"), QStringLiteral("sender@example.org")}, {},
         {QStringLiteral("to@example.org")}, Failure::Sender},
        {"every recipient refused",
         {QStringLiteral("--refuse"), QStringLiteral("a@example.org"), QStringLiteral("--refuse"), QStringLiteral("b@example.org")},
         {}, {QStringLiteral("a@example.org"), QStringLiteral("b@example.org")}, Failure::Recipients},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SmtpTestServer server;
        ASSERT_TRUE(server.start(QStringLiteral("none"), c.serverOptions));
        auto settings = settingsFor(server, SmtpSender::Security::None);
        settings.username = c.username;
        settings.password = QStringLiteral("wrong");
        const auto result = SmtpSender(settings).send(simpleMessage(c.to));
        EXPECT_FALSE(result.sent);
        EXPECT_EQ(result.failure, c.expected) << result.error.toStdString() << "\n" << result.log.toStdString();
        EXPECT_EQ(server.storedCount(), 0);
    }
    {
        SmtpTestServer server;
        ASSERT_TRUE(server.start());
        const int port = server.port();
        server.stop();
        SmtpSender::Settings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = port;
        settings.security = SmtpSender::Security::None;
        EXPECT_EQ(SmtpSender(settings).send(simpleMessage({QStringLiteral("to@example.org")})).failure, Failure::Connection);
    }
    {
        MimeMessage m = simpleMessage({QStringLiteral("to@example.org")});
        m.setSubject(QStringLiteral("Hi\nthere"));
        SmtpSender::Settings settings;
        settings.host = QStringLiteral("127.0.0.1");
        EXPECT_EQ(SmtpSender(settings).send(m).failure, Failure::Message);
    }
}

// The connection breaks while recipients are still being named: the send is an error,
// not a quiet success for the ones answered before.
TEST(SmtpSender, AConnectionLostAmongTheRecipientsIsAnError)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.start(QStringLiteral("none"),
                             {QStringLiteral("--refuse"), QStringLiteral("r0@example.org"),
                              QStringLiteral("--refuse"), QStringLiteral("r1@example.org"),
                              QStringLiteral("--drop-at-rcpt"), QStringLiteral("3")}));
    QStringList to;
    for (int i = 0; i < 6; ++i)
        to << QStringLiteral("r%1@example.org").arg(i);
    const auto result = SmtpSender(settingsFor(server, SmtpSender::Security::None)).send(simpleMessage(to));
    EXPECT_FALSE(result.sent);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(server.storedCount(), 0);
}

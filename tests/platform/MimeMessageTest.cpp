#include "support/SmtpTestServer.h"
#include "platform/MimeMessage.h"

#include <QTimeZone>

namespace {

QJsonObject partOfType(const QJsonObject &message, const QString &type, int nth = 0)
{
    for (const auto &v : message["parts"].toArray()) {
        if (v.toObject()["type"].toString() == type && nth-- == 0)
            return v.toObject();
    }
    return {};
}

}  // namespace

// The whole message as a mail program reads it: encoded headers decode to the text
// given, long headers fold, no Bcc header exists, the body survives quoted-printable
// (dots at line starts, long lines, non-ASCII) and pictures arrive by Content-ID.
TEST(MimeMessage, AMailReaderGetsBackWhatWasWritten)
{
    MimeMessage m;
    m.setFrom(QStringLiteral("Zoë Müller"), QStringLiteral("zoe@example.org"));
    m.setSubject(QStringLiteral("Frühlingsangebote – jetzt 20 % günstiger für alle Kunden, die schon einmal bei uns bestellt haben 🌷"));
    QStringList to;
    for (int i = 0; i < 12; ++i) {
        to << QStringLiteral("person%1@example.org").arg(i);
        m.addTo(QStringLiteral("Person %1").arg(i), to.last());
    }
    m.addCc(QStringLiteral("Smith, John \"JJ\""), QStringLiteral("john@example.org"));
    m.addBcc(QStringLiteral("Hidden"), QStringLiteral("hidden@example.org"));
    const QString html = QStringLiteral("<html><head><style>p{color:red}</style></head><body>\n"
                                        "<p>Grüße &amp; more</p>\n.\n.leading dot\n")
        + QString(200, QLatin1Char('x')) + QStringLiteral(" =sign= end \n<img src=\"cid:pic1@zov\"></body></html>");
    m.setHtmlBody(html);
    static const char kPng[] = "\x89PNG\r\n\x1a\n\0\0\0binary\r\n.\r\n";
    const QByteArray png(kPng, sizeof(kPng) - 1);
    m.addRelatedPart({png, QStringLiteral("image/png"), QStringLiteral("pic1@zov"), QStringLiteral("logo.png")});
    m.setDate(QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9), QTimeZone(3600)));

    const QByteArray mime = m.toMime();
    for (const QByteArray &line : mime.split('\n'))
        EXPECT_LE(line.size(), 78 + 1) << line.constData();
    EXPECT_TRUE(mime.startsWith("Date: Thu, 05 Mar 2026 14:07:09 +0100\r\n"));

    const QJsonObject read = SmtpTestServer::readBack(mime);
    EXPECT_TRUE(read["defects"].toArray().isEmpty());
    const QJsonObject headers = read["headers"].toObject();
    EXPECT_EQ(headers["Subject"].toString(), m.subject());
    EXPECT_EQ(headers["From"].toString(), QStringLiteral("Zoë Müller <zoe@example.org>"));
    EXPECT_TRUE(headers["To"].toString().contains(QStringLiteral("Person 11 <person11@example.org>")));
    EXPECT_EQ(headers["Cc"].toString(), QStringLiteral("\"Smith, John \\\"JJ\\\"\" <john@example.org>"));
    EXPECT_FALSE(headers.contains(QStringLiteral("Bcc")));
    EXPECT_FALSE(read["rawHead"].toString().contains(QStringLiteral("hidden@example.org")));
    EXPECT_TRUE(headers["Message-ID"].toString().endsWith(QStringLiteral("@example.org>")));
    EXPECT_EQ(headers["MIME-Version"].toString(), QStringLiteral("1.0"));

    EXPECT_EQ(read["parts"].toArray()[0].toObject()["type"].toString(), QStringLiteral("multipart/related"));
    const auto textOf = [&](const QString &type) {
        return partOfType(read, type)["text"].toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    EXPECT_EQ(textOf(QStringLiteral("text/html")).toStdString(), html.toStdString());
    const QString plain = textOf(QStringLiteral("text/plain"));
    EXPECT_EQ(plain.left(14).toStdString(), "Grüße & more\n\n");
    EXPECT_FALSE(plain.contains(QStringLiteral("color:red")));
    const QJsonObject picture = partOfType(read, QStringLiteral("image/png"));
    EXPECT_EQ(picture["cid"].toString(), QStringLiteral("<pic1@zov>"));
    EXPECT_EQ(picture["filename"].toString(), QStringLiteral("logo.png"));
    EXPECT_EQ(QByteArray::fromHex(picture["hex"].toString().toLatin1()), png);
}

TEST(MimeMessage, ValidationNamesTheFieldAtFault)
{
    const struct {
        std::function<void(MimeMessage &)> change;
        const char *expected;  // empty: accepted
    } cases[] = {
        {[](MimeMessage &) {}, ""},
        {[](MimeMessage &m) { m.setSubject(QStringLiteral("a\rb")); }, "subject"},
        {[](MimeMessage &m) { m.setFrom(QStringLiteral("Me"), QStringLiteral("me@")); }, "sender address"},
        {[](MimeMessage &m) { m.addTo(QStringLiteral("x\ny"), QStringLiteral("a@b.org")); }, "To name"},
        {[](MimeMessage &m) { m.addCc({}, QStringLiteral("a b@c.org")); }, "CC address"},
        {[](MimeMessage &m) { m.addBcc({}, QStringLiteral("a..b@c.org")); }, "BCC address"},
        {[](MimeMessage &m) { m.addBcc({}, QStringLiteral("<a@c.org>")); }, "BCC address"},
        {[](MimeMessage &m) { m.addTo(QStringLiteral("Ünï \"q\""), QStringLiteral("o'neil+tag@sub.example-x.org")); }, ""},
    };
    for (const auto &c : cases) {
        MimeMessage m;
        m.setFrom(QStringLiteral("Me"), QStringLiteral("me@example.org"));
        m.setSubject(QStringLiteral("Hi"));
        c.change(m);
        const QString error = m.validate();
        if (*c.expected)
            EXPECT_TRUE(error.contains(QLatin1String(c.expected))) << c.expected << " / " << error.toStdString();
        else
            EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    }
}

TEST(MimeMessage, TheEnvelopeHoldsEachAddressOnceAndSkipsEmptyOnes)
{
    MimeMessage m;
    m.addTo({}, QStringLiteral("a@x.org"));
    m.addTo({}, QStringLiteral(" b@x.org "));
    m.addCc({}, QStringLiteral("A@X.org"));
    m.addBcc({}, QStringLiteral("   "));
    m.addBcc({}, QStringLiteral("c@x.org"));
    m.addBcc({}, QStringLiteral("b@x.org"));
    EXPECT_EQ(m.envelopeRecipients(),
              (QStringList{QStringLiteral("a@x.org"), QStringLiteral("b@x.org"), QStringLiteral("c@x.org")}));
}

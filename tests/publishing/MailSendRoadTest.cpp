// A page document sent as an e-mail through a real SMTP server on 127.0.0.1: the
// responsive page with its pictures inside the message, the image-map design with its
// picture, the settings check, the review text, and 1,000 recipients of whom the server
// refuses some.
#include "document/DocumentFixture.h"
#include "support/ScopedUserDefaults.h"
#include "support/SmtpTestServer.h"
#include "support/DropboxTestServer.h"
#include "support/TestServer.h"

#include "config/EditionSettings.h"
#include "model/SKTImage.h"
#include "platform/CredentialStore.h"
#include "publishing/DropboxAccountLink.h"
#include "publishing/MailSendReview.h"
#include "publishing/MailSendRoad.h"
#include "support/PageGraphics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QSet>
#include <QTimer>

namespace {

QStringList envelopeTo(const QJsonObject &message)
{
    QStringList to;
    for (const auto &v : message["envelope"].toObject()["to"].toArray())
        to << v.toString();
    return to;
}

QString htmlOf(const QJsonObject &message)
{
    for (const auto &v : message["parts"].toArray()) {
        const QJsonObject part = v.toObject();
        if (part["type"].toString() == QLatin1String("text/html"))
            return part["text"].toString();
    }
    return {};
}

QStringList cidsOf(const QJsonObject &message)
{
    QStringList cids;
    for (const auto &v : message["parts"].toArray()) {
        const QString cid = v.toObject()["cid"].toString();
        if (!cid.isEmpty())
            cids << cid;
    }
    return cids;
}

}  // namespace

class MailSendRoadTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        UserDefaults &d = prefs.defaults();
        d.setString(QStringLiteral("me@example.org"), QStringLiteral("mailAddress"));
        d.setString(QStringLiteral("Me Myself"), QStringLiteral("mailName"));
        d.setString(QStringLiteral("127.0.0.1"), QStringLiteral("mailSMTPServer"));
        d.setString(QStringLiteral("None"), QStringLiteral("connectionType"));
        doc->insertGraphicAtIndex(makeText({20, 30, 300, 40}, QStringLiteral("Spring sale")), 0);
        road = std::make_unique<MailSendRoad>(*doc);
        road->hooks.recipientSheet = [this] { return sheet; };
        road->hooks.showReview = [this](const QString &text) {
            review = text;
            if (sendFromReview)
                road->sendNow();
        };
        road->hooks.cancelMailRecipientSheet = [this] { ++sheetClosed; };
        road->hooks.showConnectionLog = [this](const QString &log) { shownLog = log; };
    }
    void TearDown() override
    {
        road.reset();
        DocumentTest::TearDown();
    }

    bool startServer(const QStringList &extra = {})
    {
        if (!server.start(QStringLiteral("none"), extra))
            return false;
        prefs.defaults().setString(QString::number(server.port()), QStringLiteral("mailPortnumber"));
        return true;
    }

    // Runs the road from the send button and waits until the send has ended.
    // pictureFirst: the picture goes online before the send starts, so the send is
    // waited for even when it has not started when the road returns.
    bool sendAndWait(bool pictureFirst = false)
    {
        bool ended = false;
        bool success = false;
        QEventLoop loop;
        QObject::connect(road.get(), &MailSendRoad::sendFinished, &loop, [&](bool ok) {
            ended = true;
            success = ok;
            loop.quit();
        });
        road->getReadyToSendEmail();
        if (road->isSending() || pictureFirst) {
            QTimer::singleShot(120000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return ended && success;
    }

    ScopedUserDefaults prefs;
    SmtpTestServer server;
    std::unique_ptr<MailSendRoad> road;
    MailSendRoad::RecipientSheet sheet;
    QString review;
    bool sendFromReview = true;
    int sheetClosed = 0;
    QString shownLog;
};

TEST_F(MailSendRoadTest, AResponsivePageGoesOnceToEachAddressWithItsPicturesInside)
{
    gResponsiveEdition = true;
    ASSERT_TRUE(startServer());
    auto picture = testpage::image(testpage::picture(40, 30, Qt::red), QStringLiteral("image1"), QStringLiteral("PNG"),
                                   {20, 100, 40, 30});
    picture->setSelectable(true);  // the page's own picture, not the base template's
    doc->insertGraphicAtIndex(picture, 0);
    // A responsive page is its sections: the text and the picture sit in one.
    auto section = testpage::section(1, {0, 0}, {1200}, 300);
    doc->insertGraphic(section);
    for (const auto &g : doc->graphics()) {
        if (g == section)
            continue;
        g->setSectionNumber(1);
        g->setSectionRowSpot(0);
        g->setSectionColumnSpot(0);
    }
    // The picture as inserting it left it in the page folder.
    QDir().mkpath(doc->tempSavePathLocal + QStringLiteral("/index"));
    ASSERT_TRUE(testpage::picture(40, 30, Qt::red).save(doc->tempSavePathLocal + QStringLiteral("/index/image1@2x.PNG"), "PNG"));
    sheet.to = QStringLiteral(" ann@example.org,, bob@example.org ,ANN@example.org,");
    sheet.cc = QStringLiteral("cy@example.org");
    sheet.bcc = QStringLiteral("me@example.org, dee@example.org");
    sheet.subject = QStringLiteral("Grüße zum Frühling");

    ASSERT_TRUE(sendAndWait()) << road->sendMailResults.toStdString();
    EXPECT_EQ(UserDefaults::standard().stringForKey(QStringLiteral("emailOption")), QStringLiteral("editor"));
    EXPECT_EQ(road->mailToList, (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("bob@example.org"),
                                             QStringLiteral("ANN@example.org")}));
    EXPECT_TRUE(review.contains(QStringLiteral("Subject: Grüße zum Frühling")));
    EXPECT_TRUE(review.contains(QStringLiteral("Total Number of Recipients: 5")));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent"));
    EXPECT_EQ(alerts.last().informativeText,
              QStringLiteral("This mail has been sent.\n\nA copy of this email has been sent to me@example.org"));
    EXPECT_GE(sheetClosed, 2);  // before the check and after the send

    const QJsonArray stored = server.messages();
    ASSERT_EQ(stored.size(), 1);
    const QJsonObject message = stored.at(0).toObject();
    QStringList to = envelopeTo(message);
    to.sort(Qt::CaseInsensitive);
    EXPECT_EQ(to, (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("bob@example.org"),
                               QStringLiteral("cy@example.org"), QStringLiteral("dee@example.org"),
                               QStringLiteral("me@example.org")}));
    EXPECT_EQ(message["headers"].toObject()["Subject"].toString(), QStringLiteral("Grüße zum Frühling"));
    EXPECT_FALSE(message["headers"].toObject().contains(QStringLiteral("Bcc")));
    const QString html = htmlOf(message);
    EXPECT_TRUE(html.contains(QStringLiteral("Spring sale")));
    // Every picture the page names travels inside the message.
    const QStringList cids = cidsOf(message);
    ASSERT_EQ(cids.size(), 1) << html.toStdString();
    for (const QString &cid : cids)
        EXPECT_TRUE(html.contains(QStringLiteral("cid:") + cid.mid(1, cid.size() - 2))) << cid.toStdString();
}

TEST_F(MailSendRoadTest, IncompleteSettingsOrABadAddressSendNothingAndSayWhy)
{
    gResponsiveEdition = true;
    ASSERT_TRUE(startServer());
    bool settingsOpened = false;
    road->hooks.showMailSettings = [&] { settingsOpened = true; };

    UserDefaults::standard().setString(QString(), QStringLiteral("mailSMTPServer"));
    alerts.answer(QStringLiteral("Check SMTP Settings"));
    EXPECT_FALSE(sendAndWait());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Sender SMTP Settings Incomplete"));
    EXPECT_EQ(alerts.last().informativeText,
              QStringLiteral("SMTP Settings contain information about your email.  Please check to ensure this setting "
                             "is complete with your email and accurate mail server information.\n\nSender Mail Server "
                             "is missing"));
    EXPECT_TRUE(settingsOpened);
    EXPECT_TRUE(review.isEmpty());

    // A line break in the subject or an address, or an address that is not one, is
    // refused at the review, naming each and its field; the sheet stays open and
    // nothing reaches the server.
    UserDefaults::standard().setString(QStringLiteral("127.0.0.1"), QStringLiteral("mailSMTPServer"));
    const struct {
        QString to, cc, subject;
        QStringList named;
    } refusedAtReview[] = {
        {QStringLiteral("a@example.org"), {}, QStringLiteral("Hi\r\nBcc: x@evil.org"), {QStringLiteral("Subject:")}},
        {QStringLiteral("a@example.org, not an address, bob@"), QStringLiteral("c@example.org\nd@example.org"),
         QStringLiteral("Hi"),
         {QStringLiteral("To: \u201cnot an address\u201d"), QStringLiteral("To: \u201cbob@\u201d"),
          QStringLiteral("CC: \u201cc@example.org d@example.org\u201d holds a line break")}},
    };
    for (const auto &c : refusedAtReview) {
        sheet.to = c.to;
        sheet.cc = c.cc;
        sheet.subject = c.subject;
        review.clear();
        const int closedBefore = sheetClosed;
        EXPECT_FALSE(sendAndWait());
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Please Correct the Recipients"));
        for (const QString &named : c.named)
            EXPECT_TRUE(alerts.last().informativeText.contains(named)) << alerts.last().informativeText.toStdString();
        EXPECT_TRUE(review.isEmpty());
        EXPECT_EQ(sheetClosed, closedBefore);
    }
    sheet.cc.clear();
    EXPECT_EQ(server.storedCount(), 0);

    // A sender that is no address is the settings' fault, and said so.
    UserDefaults::standard().setString(QStringLiteral("me at example"), QStringLiteral("mailAddress"));
    sheet.to = QStringLiteral("a@example.org");
    sheet.subject = QStringLiteral("Hi");
    alerts.answer(QStringLiteral("Dismiss"));
    EXPECT_FALSE(sendAndWait());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Sender SMTP Settings Incomplete"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("me at example")));
    UserDefaults::standard().setString(QStringLiteral("me@example.org"), QStringLiteral("mailAddress"));

    // No server listening: the failure alert says the server was not reached, not
    // that the sender settings are wrong, and the log tells what happened.
    server.stop();
    alerts.answer(QStringLiteral("View Error Log"));
    EXPECT_FALSE(sendAndWait());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Oops, we seem to have run into an error"));
    EXPECT_EQ(alerts.last().informativeText, QString::fromLatin1(MailSendReview::kUnreachableText));
    EXPECT_FALSE(shownLog.isEmpty());
}

// What the server refuses decides what the alert says: one refused recipient leaves
// the others delivered and is listed; only a refused sender or log-in blames the
// sender settings.
TEST_F(MailSendRoadTest, TheServersRefusalsAreNamedAndOnlyARefusedSenderBlamesTheSettings)
{
    gResponsiveEdition = true;
    sheet.subject = QStringLiteral("Hi");
    {
        ASSERT_TRUE(startServer({QStringLiteral("--refuse"), QStringLiteral("bob@example.org")}));
        sheet.to = QStringLiteral("ann@example.org, bob@example.org");
        sheet.cc = QStringLiteral("cy@example.org");
        ASSERT_TRUE(sendAndWait()) << road->sendMailResults.toStdString();
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent"));
        EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("Refused: bob@example.org (550")))
            << alerts.last().informativeText.toStdString();
        ASSERT_EQ(server.storedCount(), 1);
        QStringList to = envelopeTo(server.messages().at(0).toObject());
        to.sort();
        EXPECT_EQ(to, (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("cy@example.org"),
                                   QStringLiteral("me@example.org")}));
        server.stop();
    }
    const struct {
        const char *what;
        QStringList serverOptions;
        QString to;
        QString expectedText;
    } failures[] = {
        {"refused sender", {QStringLiteral("--refuse-sender"), QStringLiteral("me@example.org")},
         QStringLiteral("ann@example.org"), QString::fromLatin1(MailSendReview::kFailedText)},
        {"wrong log-in", {QStringLiteral("--auth"), QStringLiteral("me@example.org:other")},
         QStringLiteral("ann@example.org"), QString::fromLatin1(MailSendReview::kFailedText)},
    };
    for (const auto &f : failures) {
        SCOPED_TRACE(f.what);
        SmtpTestServer other;
        ASSERT_TRUE(other.start(QStringLiteral("none"), f.serverOptions));
        prefs.defaults().setString(QString::number(other.port()), QStringLiteral("mailPortnumber"));
        sheet.to = f.to;
        sheet.cc.clear();
        alerts.answer(QStringLiteral("Cancel"));
        EXPECT_FALSE(sendAndWait());
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Oops, we seem to have run into an error"));
        EXPECT_EQ(alerts.last().informativeText, f.expectedText) << road->sendMailResults.toStdString();
        EXPECT_EQ(other.storedCount(), 0);
    }
}

TEST_F(MailSendRoadTest, AThousandRecipientsEachGetTheDesignOnceAndRefusedOnesAreNamed)
{
    gResponsiveEdition = true;
    QStringList refuse;
    for (int i : {3, 404, 998})
        refuse << QStringLiteral("--refuse") << QStringLiteral("p%1@example.org").arg(i);
    ASSERT_TRUE(startServer(refuse + QStringList{QStringLiteral("--max-recipients"), QStringLiteral("250")}));
    QStringList to, cc, bcc;
    for (int i = 0; i < 1000; ++i)
        (i % 3 == 0 ? to : i % 3 == 1 ? cc : bcc) << QStringLiteral("p%1@example.org").arg(i);
    // Repeated addresses in several lists still get one copy.
    to << QStringLiteral("p1@example.org") << QStringLiteral("P2@example.org");
    sheet.to = to.join(QStringLiteral(", "));
    sheet.cc = cc.join(QLatin1Char(','));
    sheet.bcc = bcc.join(QStringLiteral(" ,"));
    sheet.subject = QStringLiteral("To everyone");

    ASSERT_TRUE(sendAndWait()) << road->sendMailResults.toStdString();
    EXPECT_TRUE(review.contains(QStringLiteral("Total Number of Recipients: 1000")));
    // The user learns exactly who did not get it.
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent"));
    for (int i : {3, 404, 998}) {
        EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("p%1@example.org").arg(i)));
        EXPECT_TRUE(road->sendMailResults.contains(QStringLiteral("Not delivered to p%1@example.org").arg(i)));
    }

    QStringList arrived;
    for (const auto &v : server.messages())
        arrived += envelopeTo(v.toObject());
    const QSet<QString> distinct(arrived.begin(), arrived.end());
    EXPECT_EQ(arrived.size(), 998);  // 997 recipients and the sender, once each
    EXPECT_EQ(distinct.size(), 998);
    EXPECT_TRUE(distinct.contains(QStringLiteral("me@example.org")));
    EXPECT_FALSE(distinct.contains(QStringLiteral("p404@example.org")));
}

TEST_F(MailSendRoadTest, TheImageMapDesignTravelsAsOnePictureWithItsLinks)
{
    gAppName = QStringLiteral("Glentor Mails Pro 2");
    gResponsiveEdition = false;
    gNoCanvasMargin = false;
    ASSERT_TRUE(startServer());
    auto linked = makeText({10, 20, 200, 40}, QStringLiteral("Shop now"));
    linked->setLink(QStringLiteral("https://shop.example.org/a b?x=1&y=2"));
    doc->insertGraphicAtIndex(linked, 0);
    auto picture = testpage::image(testpage::picture(100, 80, Qt::blue), QStringLiteral("image1"),
                                   QStringLiteral("PNG"), {-10, 100, 100, 80});
    picture->setLink(QStringLiteral("http://"));  // no real link: no area
    doc->insertGraphicAtIndex(picture, 0);
    doc->documentColorHexString = QStringLiteral("336699");
    sheet.to = QStringLiteral("ann@example.org");
    sheet.subject = QStringLiteral("Picture mail");
    sheet.header = QStringLiteral("Dear <friend>\nsee below");
    sheet.tooltip = QStringLiteral("Our \"sale\"");

    // Shown instead of sent: the source window gets the page, nothing goes out.
    QString shownCode;
    road->hooks.presentSource = [&](const QString &code) { shownCode = code; };
    doc->showCodeOnlyFlag = true;
    road->getReadyToSendEmail();
    EXPECT_FALSE(doc->showCodeOnlyFlag);
    EXPECT_TRUE(shownCode.contains(QStringLiteral("<img src=glentormails.png")));
    EXPECT_EQ(shownCode.count(QStringLiteral("<area ")), 1);
    EXPECT_TRUE(shownCode.contains(QStringLiteral("href=\"https://shop.example.org/a b?x=1&amp;y=2\"")));
    EXPECT_TRUE(shownCode.contains(QStringLiteral("Dear &lt;friend&gt;<br>see below")));
    EXPECT_TRUE(shownCode.contains(QStringLiteral("alt=\"Our &quot;sale&quot;\"")));
    EXPECT_TRUE(shownCode.contains(QStringLiteral("bgcolor=\"#336699\"")));
    const QString size = QStringLiteral("width=%1 height=%2").arg(road->mailImage.width() + 50).arg(road->mailImage.height() + 50);
    EXPECT_TRUE(shownCode.contains(size)) << shownCode.toStdString();
    EXPECT_EQ(server.storedCount(), 0);

    // Sent as an attachment: the picture goes inside the message beside the page.
    ASSERT_TRUE(sendAndWait()) << road->sendMailResults.toStdString();
    const QJsonArray stored = server.messages();
    ASSERT_EQ(stored.size(), 1);
    const QJsonObject message = stored.at(0).toObject();
    const QString html = htmlOf(message);
    EXPECT_TRUE(html.contains(QStringLiteral("usemap=\"#map1\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("coords=\"10,20,210,60\"")));
    EXPECT_FALSE(html.contains(QStringLiteral("glentormails.png ")));
    ASSERT_EQ(cidsOf(message).size(), 1);
    EXPECT_TRUE(html.contains(QStringLiteral("src=cid:")));
}

TEST_F(MailSendRoadTest, DropboxChosenWithoutALinkedAccountStopsBeforeAnything)
{
    gAppName = QStringLiteral("Glentor Mails Pro 2");
    gResponsiveEdition = false;
    UserDefaults::standard().setString(QStringLiteral("dropbox"), QStringLiteral("uploadOption"));
    road->getReadyToSendEmail();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Dropbox Account Not Linked"));
    EXPECT_TRUE(review.isEmpty());
    EXPECT_FALSE(road->isSending());
    // The upload name keeps its form: a stamp, then "_glentormails.png".
    ASSERT_EQ(road->uploadItemArray.size(), 1);
    EXPECT_TRUE(road->uploadItemArray.at(0).remoteFileName.endsWith(QStringLiteral("_glentormails.png")));
    EXPECT_EQ(road->uploadItemArray.at(0).remoteFolder, QStringLiteral("/"));
    EXPECT_TRUE(road->uploadItemArray.at(0).remoteFileName.startsWith(road->uploadTimeStampFolder));
}

TEST_F(MailSendRoadTest, APictureHostedOnDropboxIsLinkedFromTheMail)
{
    gAppName = QStringLiteral("Glentor Mails Pro 2");
    gResponsiveEdition = false;
    ASSERT_TRUE(startServer());
    DropboxTestServer dropbox;
    ASSERT_TRUE(dropbox.start());
    DropboxAccountLink::setServiceForTesting(QString::fromLatin1(DropboxTestServer::appKey), dropbox.base());
    DropboxAccountLink::setBrowserOpener(
        [this](const QString &address) { alerts.answer(QStringLiteral("Link"), DropboxTestServer::codeShownAt(address)); });
    std::optional<bool> linked;
    DropboxAccountLink::Hooks hooks;
    hooks.finished = [&](bool ok) { linked = ok; };
    ASSERT_TRUE(DropboxAccountLink::linkDropbox(nullptr, hooks));
    QElapsedTimer timer;
    timer.start();
    while (!linked && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    ASSERT_TRUE(linked.value_or(false)) << alerts.messages().join(QLatin1Char(';')).toStdString() << " / " << alerts.last().informativeText.toStdString();
    EXPECT_EQ(UserDefaults::standard().stringForKey(QStringLiteral("uploadOption")), QStringLiteral("dropbox"));

    sheet.to = QStringLiteral("ann@example.org");
    sheet.subject = QStringLiteral("Hosted picture");
    const bool sent = sendAndWait(true);
    DropboxAccountLink::setServiceForTesting({}, {});
    DropboxAccountLink::setBrowserOpener({});
    ASSERT_TRUE(sent) << road->sendMailResults.toStdString();
    // The picture went up under its stamped name (kept in lower case by the service) and
    // the mail points at its direct link.
    ASSERT_EQ(road->uploadItemArray.size(), 1);
    const QString name = road->uploadItemArray.at(0).remoteFileName;
    EXPECT_TRUE(QFile::exists(dropbox.filesDir() + QLatin1Char('/') + name.toLower())) << name.toStdString();
    EXPECT_TRUE(road->dropboxLink.endsWith(QStringLiteral("dl=1"))) << road->dropboxLink.toStdString();
    const QJsonArray stored = server.messages();
    ASSERT_EQ(stored.size(), 1);
    const QString html = htmlOf(stored.at(0).toObject());
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=https://www.dropbox.com/"))) << html.toStdString();
    EXPECT_TRUE(cidsOf(stored.at(0).toObject()).isEmpty());
}

TEST_F(MailSendRoadTest, APictureHostedOnTheFtpServerIsLinkedUnderTheBaseAddress)
{
    gAppName = QStringLiteral("Glentor Mails Pro 2");
    gResponsiveEdition = false;
    ASSERT_TRUE(startServer());
    QTemporaryDir root;
    TestServer ftp(QStringLiteral("pyftpd_server.py"), {root.path()});
    ASSERT_TRUE(ftp.ok());
    UserDefaults &d = UserDefaults::standard();
    d.setString(QStringLiteral("ftp"), QStringLiteral("uploadOption"));
    d.setString(QStringLiteral("127.0.0.1"), QStringLiteral("server"));
    d.setString(ftp.value("user"), QStringLiteral("username"));
    d.setString(QString::number(ftp.port()), QStringLiteral("portnumber"));
    d.setString(QStringLiteral("https://mail.example.org/pictures"), QStringLiteral("baseurl"));
    ASSERT_TRUE(CredentialStore().setPassword(QStringLiteral("password"), ftp.value("password")));
    sheet.to = QStringLiteral("ann@example.org");
    sheet.subject = QStringLiteral("Hosted on our server");

    ASSERT_TRUE(sendAndWait(true)) << road->sendMailResults.toStdString();
    ASSERT_EQ(road->uploadItemArray.size(), 1);
    const QString name = road->uploadItemArray.at(0).remoteFileName;
    EXPECT_EQ(road->uploadItemArray.at(0).remoteFolder, QString());
    EXPECT_TRUE(QFile::exists(root.filePath(name))) << name.toStdString();
    const QJsonArray stored = server.messages();
    ASSERT_EQ(stored.size(), 1);
    const QString html = htmlOf(stored.at(0).toObject());
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=https://mail.example.org/pictures/") + name)) << html.toStdString();
}

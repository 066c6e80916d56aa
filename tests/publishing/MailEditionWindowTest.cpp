// The mail editions as a person meets them: in the real document window of each
// e-mail edition a design is made, the toolbar's Send (or "Publish/Send Email…")
// opens the recipient sheet, the review follows, and the mail reaches an SMTP
// server of the test's own. Personalised designs are made from contacts imported
// from a CSV file and ticked in the contacts sheet.
#include "support/RealProgram.h"
#include "support/SmtpTestServer.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "platform/PageZip.h"
#include "platform/UserDefaults.h"
#include "publishing/ui/ContactViewController.h"
#include "publishing/ui/MailRecipientWindowController.h"
#include "publishing/ui/MailSettingWindowController.h"
#include "publishing/ui/ReviewMailDataWindowController.h"
#include "window/ui/SKTWindowController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QString htmlOf(const QJsonObject &message)
{
    for (const auto &v : message[QStringLiteral("parts")].toArray()) {
        const QJsonObject part = v.toObject();
        if (part[QStringLiteral("type")].toString() == QLatin1String("text/html"))
            return part[QStringLiteral("text")].toString();
    }
    return {};
}

QStringList envelopeTo(const QJsonObject &message)
{
    QStringList to;
    for (const auto &v : message[QStringLiteral("envelope")].toObject()[QStringLiteral("to")].toArray())
        to << v.toString();
    to.sort();
    return to;
}

QStringList picturePartsOf(const QJsonObject &message)
{
    QStringList cids;
    for (const auto &v : message[QStringLiteral("parts")].toArray()) {
        const QJsonObject part = v.toObject();
        if (part[QStringLiteral("type")].toString().startsWith(QLatin1String("image/")))
            cids << part[QStringLiteral("cid")].toString();
    }
    return cids;
}

// The page HTML inside a page package.
QString pageHtml(const QString &package, const QString &scratch)
{
    QDir(scratch).removeRecursively();
    PageZip zip;
    if (!zip.OpenZip(package) || zip.Unzip(scratch) < 0)
        return {};
    QString html;
    QDirIterator it(scratch, {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            html += QString::fromUtf8(f.readAll());
    }
    return html;
}

template <typename T>
T *shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

class MailEditionWindowTest : public RealProgramTest {
protected:
    // The mail account as the Mail Settings sheet stores it, typed into the sheet
    // where the edition's menu offers it.
    void enterMailSettings(SKTWindowController *window, int port)
    {
        QString why;
        ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Settings/Mail Settings..."), &why)) << qPrintable(why);
        auto *sheet = shown<MailSettingWindowController>();
        ASSERT_NE(sheet, nullptr);
        sheet->mailName()->setText(QStringLiteral("Me Myself"));
        sheet->mailAddress()->setText(QStringLiteral("me@example.org"));
        sheet->mailServer()->setText(QStringLiteral("127.0.0.1"));
        sheet->mailServerPortNumber()->setText(QString::number(port));
        sheet->mailUsername()->clear();
        sheet->connectionSegmentedControl()->button(2)->click();  // "None"
        sheet->saveAndCloseButton()->click();
        settleEvents();
        EXPECT_EQ(UserDefaults::standard().stringForKey(QStringLiteral("mailSMTPServer")), QStringLiteral("127.0.0.1"));
    }

    // The graphic a menu item of the Insert menu added, or null.
    SKTGraphic *insertFromMenu(SKTWindowController *window, const QString &menuPath)
    {
        QString why;
        QSet<const SKTGraphic *> before;
        for (const auto &g : window->document().graphics())
            before.insert(g.get());
        EXPECT_TRUE(MenuPath::trigger(window, menuPath, &why)) << qPrintable(why);
        for (const auto &g : window->document().graphics())
            if (!before.contains(g.get()))
                return g.get();
        return nullptr;
    }

    // The design's words typed into the template's first text box.
    SKTText *typeIntoFirstText(SKTWindowController *window, const QString &words)
    {
        const QList<SKTText *> texts = window->document().textAreas();
        if (texts.isEmpty())
            return nullptr;
        texts.first()->setTextString(words);
        return texts.first();
    }

    // The recipient sheet, filled with two To addresses and one CC; its Send.
    void addressAndSend(const QString &to, const QString &cc)
    {
        auto *sheet = shown<MailRecipientWindowController>();
        ASSERT_NE(sheet, nullptr) << "the recipient sheet did not open";
        sheet->toFieldTextView()->setPlainText(to);
        sheet->ccFieldTextView()->setPlainText(cc);
        sheet->bccFieldTextView()->clear();
        sheet->mailSubjectTextField()->setText(QStringLiteral("Spring news"));
        sheet->sendMailButton()->click();
        settleEvents();
    }

    // Mails the design from the toolbar's Send through the review; the server gets
    // one message to the three addresses and the sender's copy. Answers the message.
    QJsonObject mailFromToolbar(SKTWindowController *window, SmtpTestServer &smtp, const QString &words)
    {
        QString why;
        EXPECT_TRUE(ToolbarButton::click(window, QStringLiteral("Send"), &why)) << qPrintable(why);
        addressAndSend(QStringLiteral("ann@example.org, bob@example.org"), QStringLiteral("cy@example.org"));
        auto *review = shown<ReviewMailDataWindowController>();
        EXPECT_NE(review, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        if (!review)
            return {};
        const QString text = review->textView()->toPlainText();
        EXPECT_TRUE(text.contains(QStringLiteral("Total Number of Recipients: 3"))) << qPrintable(text);
        EXPECT_TRUE(text.contains(QStringLiteral("CC:  cy@example.org"))) << qPrintable(text);
        const int before = alerts.count();
        review->sendButton()->click();
        EXPECT_TRUE(spinUntil([&] { return alerts.count() > before; }, 30000));
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent")) << qPrintable(alerts.last().informativeText);
        EXPECT_EQ(smtp.storedCount(), 1);
        if (smtp.storedCount() != 1)
            return {};
        const QJsonObject message = smtp.messages().at(0).toObject();
        EXPECT_EQ(envelopeTo(message), (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("bob@example.org"),
                                                    QStringLiteral("cy@example.org"), QStringLiteral("me@example.org")}));
        const QString html = htmlOf(message);
        EXPECT_FALSE(html.contains(QStringLiteral("<script"), Qt::CaseInsensitive)) << qPrintable(html.left(2000));
        Q_UNUSED(words);
        return message;
    }
};

// The image-map editions: the design goes as one picture inside the message (the
// attachment hosting), wrapped in the image-map page.
class ImageMapEditionTest : public MailEditionWindowTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(ImageMapEditionTest, DesignedAddressedReviewedAndSentFromTheWindow)
{
    launchAs(QString::fromLatin1(GetParam()));
    SmtpTestServer smtp;
    ASSERT_TRUE(smtp.start());
    SKTWindowController *window = newPageFromTemplate();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    enterMailSettings(window, smtp.port());
    UserDefaults::standard().setString(QStringLiteral("attachment"), QStringLiteral("uploadOption"));
    ASSERT_NE(typeIntoFirstText(window, QStringLiteral("Spring sale this week")), nullptr);

    // The menu item leads to the same sheet.
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Publish/Send Email..."), &why)) << qPrintable(why);
    auto *sheet = shown<MailRecipientWindowController>();
    ASSERT_NE(sheet, nullptr);
    sheet->cancelButton()->click();
    settleEvents();
    ASSERT_EQ(shown<MailRecipientWindowController>(), nullptr);

    const QJsonObject message = mailFromToolbar(window, smtp, QStringLiteral("Spring sale this week"));
    const QString html = htmlOf(message);
    EXPECT_TRUE(html.contains(QStringLiteral("usemap=\"#map1\""))) << qPrintable(html);
    // The picture of the design travels inside the message and the page names it.
    const QStringList pictures = picturePartsOf(message);
    ASSERT_EQ(pictures.size(), 1) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("cid:") + pictures.first().mid(1, pictures.first().size() - 2)))
        << qPrintable(html);
}

INSTANTIATE_TEST_SUITE_P(Editions, ImageMapEditionTest, ::testing::Values("Glentor Mails Pro 2", "Glentor Mails Express"),
                         [](const auto &info) { return std::string(info.index == 0 ? "Pro2" : "Express"); });

// The responsive e-mail edition mails its e-mail page itself: the 100 %-wide table
// page with no script, its pictures inside the message.
TEST_F(MailEditionWindowTest, ResponsiveEmailDesignIsSentAsItsEmailPage)
{
    launchAs(QStringLiteral("Mirvel Responsive Email Designer"));
    SmtpTestServer smtp;
    ASSERT_TRUE(smtp.start());
    SKTWindowController *window = newPageFromTemplate(QStringLiteral("Templates"));
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    enterMailSettings(window, smtp.port());
    ASSERT_NE(typeIntoFirstText(window, QStringLiteral("Spring sale this week")), nullptr);

    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Publish/Send Email..."), &why)) << qPrintable(why);
    ASSERT_NE(shown<MailRecipientWindowController>(), nullptr);
    shown<MailRecipientWindowController>()->cancelButton()->click();
    settleEvents();

    const QJsonObject message = mailFromToolbar(window, smtp, QStringLiteral("Spring sale this week"));
    const QString html = htmlOf(message);
    EXPECT_TRUE(html.contains(QStringLiteral("Spring sale this week"))) << qPrintable(html.left(3000));
    EXPECT_TRUE(html.contains(QStringLiteral("<table width=\"100%\""))) << qPrintable(html.left(3000));
    EXPECT_FALSE(html.contains(QStringLiteral("bootstrap"), Qt::CaseInsensitive));
    EXPECT_FALSE(html.contains(QStringLiteral("position:absolute")));
    // The template's bands arrive with their colour, the heading and the button's
    // label inside them (white on the band, not on the page's light grey).
    for (const char *onBand : {"Templates</div>", "Read more</div>"}) {
        const qsizetype text = html.indexOf(QLatin1String(onBand));
        ASSERT_GE(text, 0) << onBand;
        const qsizetype band = html.lastIndexOf(QStringLiteral("bgcolor=\"#C0392B\""), text);
        ASSERT_GE(band, 0) << onBand;
        EXPECT_FALSE(html.mid(band, text - band).contains(QStringLiteral("</table>"))) << onBand;
    }
    // Every picture the page shows travels inside the message.
    const QStringList pictures = picturePartsOf(message);
    for (const QString &cid : pictures)
        EXPECT_TRUE(html.contains(QStringLiteral("cid:") + cid.mid(1, cid.size() - 2))) << qPrintable(cid);
    EXPECT_FALSE(html.contains(QStringLiteral("src=\"http")));
}

// An address that is no address stops at the review, named with its field, and
// nothing reaches the server; a recipient the server refuses leaves the others
// served and is listed.
TEST_F(MailEditionWindowTest, BadAddressesStopAtTheReviewAndRefusedOnesAreListed)
{
    launchAs(QStringLiteral("Glentor Mails Pro 2"));
    SmtpTestServer smtp;
    ASSERT_TRUE(smtp.start(QStringLiteral("none"), {QStringLiteral("--refuse"), QStringLiteral("bob@example.org")}));
    SKTWindowController *window = newPageFromTemplate();
    ASSERT_NE(window, nullptr);
    enterMailSettings(window, smtp.port());
    UserDefaults::standard().setString(QStringLiteral("attachment"), QStringLiteral("uploadOption"));

    QString why;
    ASSERT_TRUE(ToolbarButton::click(window, QStringLiteral("Send"), &why)) << qPrintable(why);
    addressAndSend(QStringLiteral("ann@example.org, bob@"), QStringLiteral("cy at example.org"));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Please Correct the Recipients"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("To: \u201cbob@\u201d")));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("CC: \u201ccy at example.org\u201d")));
    EXPECT_EQ(shown<ReviewMailDataWindowController>(), nullptr);
    ASSERT_NE(shown<MailRecipientWindowController>(), nullptr) << "the sheet stays open for the correction";
    EXPECT_EQ(smtp.storedCount(), 0);

    addressAndSend(QStringLiteral("ann@example.org, bob@example.org"), QStringLiteral("cy@example.org"));
    auto *review = shown<ReviewMailDataWindowController>();
    ASSERT_NE(review, nullptr);
    const int before = alerts.count();
    review->sendButton()->click();
    ASSERT_TRUE(spinUntil([&] { return alerts.count() > before; }, 30000));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("Refused: bob@example.org (550")))
        << qPrintable(alerts.last().informativeText);
    ASSERT_EQ(smtp.storedCount(), 1);
    EXPECT_EQ(envelopeTo(smtp.messages().at(0).toObject()),
              (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("cy@example.org"),
                           QStringLiteral("me@example.org")}));
}

// Three contacts from a CSV file, ticked in the contacts sheet: "Generate" makes one
// page per contact with every tag filled, and the design itself keeps its tags.
TEST_F(MailEditionWindowTest, PersonalisedDesignsForContactsFromACsvFile)
{
    launchAs(QStringLiteral("Glentor Mails Pro 2"));
    SKTWindowController *window = newPageFromTemplate();
    ASSERT_NE(window, nullptr);
    SKTDocument &doc = window->document();
    // The greeting typed into the template's text; the e-mail tag from the Insert menu.
    ASSERT_NE(typeIntoFirstText(window, QStringLiteral("Dear [TITLE] [FIRST_NAME] [LAST_NAME],\n[CITY]")), nullptr);
    auto *email = dynamic_cast<SKTText *>(insertFromMenu(window, QStringLiteral("Add New/Personalization/Email")));
    ASSERT_NE(email, nullptr);
    EXPECT_EQ(email->contents(), QStringLiteral("[EMAIL]"));
    ASSERT_TRUE(sendAction(QStringLiteral("saveDocument")));
    const QString source = doc.fileURLPath;
    const QString project = QFileInfo(source).absolutePath();
    const QStringList pagesBefore = QDir(project).entryList({QStringLiteral("*.") + gDocumentExtension}, QDir::Files);

    // Names and e-mail addresses only for two of them, an address for the third;
    // one line with nothing usable.
    const QString csv = path(QStringLiteral("people.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Title,First Name,Last Name,E-mail Address,Home City\r\n"
               "Dr.,Ann,Lee,ann@example.org,\r\n"
               ",Bo,Ray,bo@example.org,\r\n"
               ",,,,\r\n"
               "Ms.,Cy,Moe,cy@example.org,Springfield\r\n");
    file.close();

    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Publish/Contacts..."), &why)) << qPrintable(why);
    auto *contacts = shown<ContactViewController>();
    ASSERT_NE(contacts, nullptr);
    panels.answer(csv);
    contacts->importButton()->click();
    settleEvents();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Some Lines Not Imported"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("line 4:"))) << qPrintable(alerts.last().informativeText);
    QTreeWidget *tree = contacts->peoplePickerView();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        tree->topLevelItem(i)->setCheckState(0, Qt::Checked);
    alerts.answer(QStringLiteral("Generate"));
    contacts->saveContactsButton()->click();
    settleEvents();
    ASSERT_TRUE(spinUntil([&] {
        return QDir(project).entryList({QStringLiteral("*.") + gDocumentExtension}, QDir::Files).size()
            == pagesBefore.size() + 3;
    }, 30000)) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    EXPECT_TRUE(alerts.messages().contains(QStringLiteral("3 records selected")))
        << qPrintable(alerts.messages().join(QLatin1Char('\n')));

    // Each page holds its contact's values and no tag is left.
    const QStringList expected[] = {
        {QStringLiteral("Dear Dr. Ann Lee,"), QStringLiteral("ann@example.org")},
        {QStringLiteral("Bo Ray,"), QStringLiteral("bo@example.org")},
        {QStringLiteral("Dear Ms. Cy Moe,"), QStringLiteral("cy@example.org"), QStringLiteral("Springfield")},
    };
    QStringList made = QDir(project).entryList({QStringLiteral("*.") + gDocumentExtension}, QDir::Files);
    for (const QString &page : pagesBefore)
        made.removeAll(page);
    ASSERT_EQ(made.size(), 3);
    for (const QStringList &words : expected) {
        bool found = false;
        for (const QString &page : made) {
            const QString html = pageHtml(QDir(project).filePath(page), path(QStringLiteral("unpacked")));
            if (!html.contains(words.first()))
                continue;
            found = true;
            for (const QString &w : words)
                EXPECT_TRUE(html.contains(w)) << qPrintable(page) << " lacks " << qPrintable(w);
            for (const QString &tag : gPersonalizationTags)
                EXPECT_FALSE(html.contains(tag)) << qPrintable(page) << " keeps " << qPrintable(tag);
        }
        EXPECT_TRUE(found) << qPrintable(words.first());
    }
    // The design itself is unchanged.
    const QString design = pageHtml(source, path(QStringLiteral("unpacked")));
    EXPECT_TRUE(design.contains(QStringLiteral("[FIRST_NAME]"))) ;
}

}  // namespace

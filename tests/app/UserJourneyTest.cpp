// A person's way through the program, end to end, through the real program
// objects: the shell launched as main() launches it, a new project from the
// welcome window's button, a text box added from the Insert menu and its text
// changed, undone and redone, the page saved and the project opened again,
// published to a local FTP server, exported to PDF and mailed to a local SMTP
// server; and in the e-mail edition, a design from the template chooser,
// edited and mailed.
// Every step goes by action name through the responder chain, as a menu item
// or button sends it, so a name that nobody answers fails here. Alerts and
// file panels are scripted.
#include "app/SKTAppDelegate.h"
#include "app/ui/AppShell.h"
#include "app/ui/TemplateCommands.h"
#include "app/ui/TemplateWindowController.h"
#include "app/ui/WelcomeWindowController.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "canvas/ui/CompositeCommands.h"
#include "canvas/ui/InsertionCommands.h"
#include "canvas/ui/SidebarCommands.h"
#include "model/SKTText.h"
#include "platform/ActionResponder.h"
#include "platform/Bundle.h"
#include "printing/ui/PrintingCommands.h"
#include "publishing/ui/MailCommands.h"
#include "publishing/ui/PublishingCommands.h"
#include "support/PublishSettings.h"
#include "support/RealProgram.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"
#include "support/TestServer.h"
#include "support/SmtpTestServer.h"
#include "publishing/ui/MailRecipientWindowController.h"
#include "platform/CredentialStore.h"
#include "platform/UserDefaults.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/DocumentWindows.h"
#include "window/ui/SKTWindowController.h"
#include "window/ui/WindowSheetCommands.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

void settle()
{
    settleEvents();
}

// The text boxes of a page whose text is text.
int textBoxesHolding(const SKTDocument &doc, const QString &text)
{
    int found = 0;
    for (const auto &graphic : doc.graphics())
        if (auto *box = dynamic_cast<SKTText *>(graphic.get()); box && box->textString() == text)
            ++found;
    return found;
}

class UserJourneyTest : public RealProgramTest {
protected:
    // Sends the action as a menu item would: validated first, then sent.
    void menuItem(const QString &action, int tag = 0)
    {
        ActionItemState item;
        item.action = action;
        item.tag = tag;
        item.enabled = true;
        ASSERT_TRUE(ResponderChain::validate(item)) << qPrintable(action) << " is disabled or answered by nobody";
        ASSERT_TRUE(ResponderChain::send(action, item)) << qPrintable(action);
        settle();
    }

    // A welcome window button, clicked: it sends its action name along the chain.
    void clickWelcomeButton(QPushButton *button)
    {
        ASSERT_NE(button, nullptr);
        shell->welcomeWindowController()->activateWindow();
        shell->welcomeWindowController()->validateButtons();
        ASSERT_TRUE(button->isEnabled()) << qPrintable(button->text()) << " answered by nobody";
        button->click();
        settle();
    }

    // Mails the window's page to an SMTP server of our own: the recipient sheet
    // from its command, its Send shows the review, and the review's Send command
    // mails it. One message arrives, holding text.
    void mailPage(SKTWindowController &window, const QString &text)
    {
        SmtpTestServer smtp;
        ASSERT_TRUE(smtp.start());
        UserDefaults &settings = UserDefaults::standard();
        settings.setString(QStringLiteral("me@example.org"), QStringLiteral("mailAddress"));
        settings.setString(QStringLiteral("127.0.0.1"), QStringLiteral("mailSMTPServer"));
        settings.setString(QString::number(smtp.port()), QStringLiteral("mailPortnumber"));
        settings.setString(QStringLiteral("None"), QStringLiteral("connectionType"));
        menuItem(QStringLiteral("showRecipientSettings"));
        auto *sheet = window.findChild<MailRecipientWindowController *>();
        ASSERT_NE(sheet, nullptr);
        sheet->toFieldTextView()->setPlainText(QStringLiteral("ann@example.org"));
        sheet->mailSubjectTextField()->setText(QStringLiteral("Journey"));
        sheet->sendMailButton()->click();
        settle();
        const int alertsBefore = alerts.count();
        menuItem(QStringLiteral("sendHTMLEmailNow"));
        ASSERT_TRUE(spinUntil([&] { return alerts.count() > alertsBefore; }, 15000));
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent")) << qPrintable(alerts.last().informativeText);
        ASSERT_EQ(smtp.storedCount(), 1);
        EXPECT_TRUE(QJsonDocument(smtp.messages()).toJson().contains(text.toUtf8()));
    }

};

}  // namespace

TEST_F(UserJourneyTest, NewProjectEditedUndoneRedoneSavedAndReopened)
{
    // 1. The launch leaves the welcome window on screen.
    launchAs(QStringLiteral("HTML Zov Pro"));
    ASSERT_NE(shell->welcomeWindowController(), nullptr);
    ASSERT_TRUE(shell->welcomeWindowController()->isVisible());

    // 2. The welcome window's new button: a project in a folder the panel answers.
    const QString folder = path(QStringLiteral("My Site"));
    panels.answer(folder);
    clickWelcomeButton(shell->welcomeWindowController()->addNewWebsiteButton());
    ASSERT_TRUE(spinUntil([] { return SKTWindowController::allWindows().size() == 1; }))
        << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    SKTWindowController *w = frontWindow();
    ASSERT_NE(w, nullptr);
    SKTDocument &doc = w->document();
    const qsizetype before = doc.graphics().size();

    // 3. A text box from the Insert menu, its text changed; undone and redone.
    menuItem(QStringLiteral("addNewSelectedTextView"), 0);
    ASSERT_EQ(doc.graphics().size(), before + 1);
    auto *box = dynamic_cast<SKTText *>(doc.graphics().last().get());
    ASSERT_NE(box, nullptr);
    const QString words = QStringLiteral("Hello from the journey");
    box->setTextString(words);
    EXPECT_EQ(textBoxesHolding(doc, words), 1);
    menuItem(QStringLiteral("undo"));
    menuItem(QStringLiteral("undo"));
    EXPECT_EQ(doc.graphics().size(), before);
    EXPECT_EQ(textBoxesHolding(doc, words), 0);
    menuItem(QStringLiteral("redo"));
    menuItem(QStringLiteral("redo"));
    EXPECT_EQ(doc.graphics().size(), before + 1);
    EXPECT_EQ(textBoxesHolding(doc, words), 1);

    // 4. Saved, the window closed and the project opened again: the edit is there.
    menuItem(QStringLiteral("saveDocument"));
    EXPECT_FALSE(doc.isDocumentEdited()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    w->close();
    settle();
    ASSERT_TRUE(spinUntil([] { return SKTWindowController::allWindows().isEmpty(); }));
    panels.answer(folder);
    ASSERT_TRUE(spinUntil([this] { return shell->welcomeWindowController() && shell->welcomeWindowController()->isVisible(); }));
    clickWelcomeButton(shell->welcomeWindowController()->openNewWebsiteButton());
    ASSERT_TRUE(spinUntil([] { return SKTWindowController::allWindows().size() == 1; }))
        << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    SKTWindowController *again = frontWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(textBoxesHolding(again->document(), words), 1);
    EXPECT_TRUE(alerts.messages().isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));

    // 5. Published to an FTP server of our own, its settings stored as the
    // server settings sheet stores them: the uploaded page holds the text.
    const QString root = path(QStringLiteral("ftp-root"));
    QDir().mkpath(root);
    TestServer server(QStringLiteral("pyftpd_server.py"), {root});
    ASSERT_TRUE(server.ok());
    ASSERT_TRUE(storePublishSettings(server));
    alerts.answer(QStringLiteral("Proceed"));
    menuItem(QStringLiteral("publishSinglePageWithImages"));
    const auto published = [&root, &words] {
        for (const QFileInfo &file : QDir(root).entryInfoList({QStringLiteral("*.html")}, QDir::Files)) {
            QFile f(file.filePath());
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains(words.toUtf8()))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(spinUntil(published, 15000)) << qPrintable(QDir(root).entryList().join(QLatin1Char(' ')) + QLatin1Char(' ')
                                                           + alerts.messages().join(QLatin1Char('\n')));

    // 7. Exported to PDF through the page's export command: a PDF with a page.
    const QString pdf = path(QStringLiteral("exported.pdf"));
    panels.answer(pdf);
    menuItem(QStringLiteral("exportPDFPage"));
    QFile exported(pdf);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly)) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    const QByteArray bytes = exported.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Type /Page") || bytes.contains("/Type/Page"));

    // And the printing commands' PDF of the whole project, written behind the
    // progress window: complete, with a page.
    const QString book = path(QStringLiteral("book.pdf"));
    panels.answer(book);
    menuItem(QStringLiteral("generateTruePDFFile"));
    const auto bookWritten = [&book] {
        QFile f(book);
        return f.open(QIODevice::ReadOnly) && f.readAll().trimmed().endsWith("%%EOF");
    };
    ASSERT_TRUE(spinUntil(bookWritten, 15000)) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    QFile bookFile(book);
    ASSERT_TRUE(bookFile.open(QIODevice::ReadOnly));
    const QByteArray bookBytes = bookFile.readAll();
    EXPECT_TRUE(bookBytes.startsWith("%PDF"));
    EXPECT_TRUE(bookBytes.contains("/Type /Page") || bookBytes.contains("/Type/Page"));

    // 6. Mailed to an SMTP server of our own.
    mailPage(*again, words);
}

TEST_F(UserJourneyTest, MailDesignFromATemplateEditedAndMailed)
{
    launchAs(QStringLiteral("Glentor Mails Pro 2"));
    ASSERT_NE(shell->welcomeWindowController(), nullptr);
    ASSERT_TRUE(shell->welcomeWindowController()->isVisible());

    // The welcome window's new button opens the template chooser; a template
    // picked there and its Select button make the design's window.
    panels.answer(path(QStringLiteral("New Mail Design")));
    clickWelcomeButton(shell->welcomeWindowController()->addNewWebsiteButton());
    SKTAppDelegate &delegate = SKTAppDelegate::shared();
    ASSERT_TRUE(spinUntil([&delegate] { return !delegate.templatePreparationRunning(); }));
    auto *chooser = dynamic_cast<TemplateWindowController *>(delegate.templateWindowController());
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(chooser->isVisible());
    ASSERT_FALSE(delegate.siteIconArray().isEmpty());
    delegate.templateSelected(0);
    chooser->selectButton()->click();
    ASSERT_TRUE(spinUntil([] { return SKTWindowController::allWindows().size() == 1; }))
        << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    SKTWindowController *w = frontWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->document().graphics().isEmpty());

    // A text box from the Insert menu with the design's words, then mailed.
    const qsizetype before = w->document().graphics().size();
    menuItem(QStringLiteral("addNewSelectedTextView"), 0);
    ASSERT_EQ(w->document().graphics().size(), before + 1);
    auto *box = dynamic_cast<SKTText *>(w->document().graphics().last().get());
    ASSERT_NE(box, nullptr);
    const QString words = QStringLiteral("Spring news from the journey");
    box->setTextString(words);
    mailPage(*w, words);
}

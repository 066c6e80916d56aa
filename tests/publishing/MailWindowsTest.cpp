// The mail editions' windows: mail settings with its presets and test e-mail (sent to
// a real SMTP server on 127.0.0.1), the recipient sheet with its saved lists, the
// contacts pickers, the image hosting sheet, and the commands that open them. With
// ZOV_SCREENSHOTS=folder each window is saved there as a picture.
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/SmtpTestServer.h"
#include "support/TempDir.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "platform/ActionResponder.h"
#include "platform/Contacts.h"
#include "platform/CredentialStore.h"
#include "platform/NotificationCenter.h"
#include "publishing/ContactMergeList.h"
#include "publishing/SavedMailingLists.h"
#include "publishing/ui/ContactViewController.h"
#include "publishing/ui/ImageSettingsWindowController.h"
#include "publishing/ui/MailCommands.h"
#include "publishing/ui/MailListWindowController.h"
#include "publishing/ui/MailRecipientWindowController.h"
#include "publishing/ui/MailSettingWindowController.h"
#include "publishing/ui/PopOverViewController.h"
#include "publishing/ui/ReviewMailDataWindowController.h"
#include "publishing/ui/SavedMailingListWindowController.h"
#include "platform/ui/CommandRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

void snapshot(QWidget *window, const char *name)
{
    const QByteArray folder = qgetenv("ZOV_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    window->show();
    QApplication::processEvents();
    window->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

}  // namespace

class MailWindowsTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("Glentor Mails Pro 2");
        gWorkFolder = path(QStringLiteral("work"));
        QDir().mkpath(gWorkFolder);
        // The contacts live in the test's folder, never the user's.
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toLocal8Bit());
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", savedDataHome);
        EditionSettings::resetToInitialState();
        gContactMergeList.clear();
    }

    ScopedUserDefaults prefs;
    ScriptedAlerts alerts;
    QByteArray savedDataHome;
};

TEST_F(MailWindowsTest, MailSettingsStoreWhatIsTypedPresetsFillTheFormAndTheTestMailArrives)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.start());
    UserDefaults &d = prefs.defaults();
    d.setString(QStringLiteral("SSL"), QStringLiteral("connectionType"));
    MailSettingWindowController sheet;
    EXPECT_EQ(sheet.connectionSegmentedControl()->checkedId(), 1);

    // A preset: server, port, the address as user name, and the security its port needs
    // stored at once; Cancel keeps that but nothing typed.
    sheet.mailAddress()->setText(QStringLiteral("me@example.org"));
    sheet.autoconfigureMyMailServers(QStringLiteral("Comcast"));
    EXPECT_EQ(sheet.mailServerPortNumber()->text(), QStringLiteral("587"));
    EXPECT_EQ(sheet.mailUsername()->text(), QStringLiteral("me@example.org"));
    EXPECT_FALSE(sheet.mailServer()->text().isEmpty());
    EXPECT_EQ(sheet.connectionSegmentedControl()->checkedId(), 0);
    EXPECT_EQ(d.stringForKey(QStringLiteral("connectionType")), QStringLiteral("STARTTLS"));
    sheet.cancelMailSettingSheet();
    EXPECT_TRUE(d.stringForKey(QStringLiteral("mailAddress")).isEmpty());
    snapshot(&sheet, "mail_settings");

    // An empty port is saved as 25 and shown; the password goes to the credential store.
    sheet.mailName()->setText(QStringLiteral("Me"));
    sheet.mailServer()->setText(QStringLiteral("127.0.0.1"));
    sheet.mailUsername()->clear();
    sheet.mailPassword()->setText(QStringLiteral("s3cret"));
    sheet.mailServerPortNumber()->clear();
    sheet.hideMailSettingsPanel();
    EXPECT_EQ(d.stringForKey(QStringLiteral("mailPortnumber")), QStringLiteral("25"));
    EXPECT_EQ(sheet.mailServerPortNumber()->text(), QStringLiteral("25"));
    EXPECT_EQ(CredentialStore().password(QStringLiteral("mailPassword")), QStringLiteral("s3cret"));

    // The test e-mail, with what is typed (a plain local server), asked first.
    sheet.mailServerPortNumber()->setText(QString::number(server.port()));
    sheet.connectionSegmentedControl()->button(2)->click();
    QEventLoop loop;
    bool sent = false;
    QObject::connect(&sheet, &MailSettingWindowController::testSendFinished, &loop, [&](bool ok) {
        sent = ok;
        loop.quit();
    });
    alerts.answer(QStringLiteral("Proceed"));
    sheet.testEmail();
    EXPECT_EQ(alerts.shown().at(0).alert.messageText, QStringLiteral("Test Settings"));
    EXPECT_EQ(alerts.shown().at(0).alert.informativeText,
              QStringLiteral("This App will send a test email to me@example.org using the mail settings entered here.\n"
                             "SMTP Server: 127.0.0.1\nUsername: "));
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(sent) << sheet.sendMailResults.toStdString();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent"));
    const QJsonArray stored = server.messages();
    ASSERT_EQ(stored.size(), 1);
    const QJsonObject message = stored.at(0).toObject();
    EXPECT_EQ(message["headers"].toObject()["Subject"].toString(), QStringLiteral("Test email from Glentor Mails Pro 2"));
    QStringList to;
    for (const auto &v : message["envelope"].toObject()["to"].toArray())
        to << v.toString();
    EXPECT_EQ(to, QStringList{QStringLiteral("me@example.org")});
    // Logged in with the sender address (no AUTH on this server: the user name is
    // what the transport was given).
    EXPECT_EQ(d.stringForKey(QStringLiteral("mailSMTPUsername")), QString());
}

TEST_F(MailWindowsTest, TheRecipientSheetKeepsDefaultsSavesListsAndTakesPickedAddresses)
{
    UserDefaults &d = prefs.defaults();
    d.setString(QStringLiteral("ftp"), QStringLiteral("uploadOption"));
    d.setString(QStringLiteral("Hello"), QStringLiteral("mailSubject"));
    MailRecipientWindowController sheet;
    EXPECT_EQ(sheet.mailStorageOptionTextField()->text(), QStringLiteral("Mail Storage Option Selected: FTP"));
    EXPECT_EQ(sheet.mailSubjectTextField()->text(), QStringLiteral("Hello"));
    // No stored lists: the fields keep what they show.
    sheet.toFieldTextView()->setPlainText(QStringLiteral("typed@example.org"));
    sheet.refreshRecipientList();
    EXPECT_EQ(sheet.toFieldTextView()->toPlainText(), QStringLiteral("typed@example.org"));
    EXPECT_TRUE(sheet.optionalTextContent()->isVisibleTo(&sheet));

    sheet.headerTextView()->setPlainText(QStringLiteral("Top"));
    sheet.tooltipTextView()->setText(QStringLiteral("Tip"));
    sheet.ccFieldTextView()->setPlainText(QStringLiteral("cc@example.org"));
    const MailSendRoad::RecipientSheet fields = sheet.recipientSheet();
    EXPECT_EQ(fields.to, QStringLiteral("typed@example.org"));
    EXPECT_EQ(fields.header, QStringLiteral("Top"));
    EXPECT_EQ(fields.tooltip, QStringLiteral("Tip"));

    // Saving a list appends it, stores the defaults, and the open saved-lists window
    // shows it at once.
    sheet.toggleSavedMailingListDrawer();
    SavedMailingListWindowController *lists = sheet.savedMailingListViewController();
    ASSERT_NE(lists, nullptr);
    EXPECT_EQ(lists->tableView()->count(), 0);
    sheet.showSaveMailingListPopoverAction();
    EXPECT_FALSE(sheet.popOverViewController()->mailingListTitleTextField()->text().isEmpty());
    snapshot(sheet.popOverViewController(), "mail_list_popover");
    sheet.popOverViewController()->mailingListTitleTextField()->setText(QStringLiteral("Friends"));
    sheet.popOverViewController()->saveMailingListButton()->click();
    EXPECT_EQ(sheet.saveAsDefaultButton()->text(), QStringLiteral("Saved!"));
    EXPECT_EQ(d.stringForKey(QStringLiteral("toFieldArrayStringMail")), QStringLiteral("typed@example.org"));
    ASSERT_EQ(lists->tableView()->count(), 1);
    EXPECT_EQ(lists->tableView()->item(0)->text(), QStringLiteral("Friends"));
    snapshot(&sheet, "mail_recipients");

    // Edited in the saved-lists window, renamed, then used: the sheet shows it.
    lists->tableView()->setCurrentRow(0);
    EXPECT_EQ(lists->ccTextView()->toPlainText(), QStringLiteral("cc@example.org"));
    lists->toTextView()->setPlainText(QStringLiteral("new@example.org,"));
    lists->ccTextView()->clear();
    lists->listNameTextField()->setText(QStringLiteral("Family"));
    lists->updateSavedMailListRecord();
    EXPECT_EQ(lists->tableView()->item(0)->text(), QStringLiteral("Family"));
    EXPECT_EQ(lists->tableView()->currentRow(), 0);
    lists->populateCurrentTrueMailingList();
    EXPECT_EQ(sheet.toFieldTextView()->toPlainText(), QStringLiteral("new@example.org,"));
    EXPECT_EQ(sheet.ccFieldTextView()->toPlainText(), QString());
    EXPECT_EQ(d.stringForKey(QStringLiteral("ccFieldArrayStringMail")), QString());
    snapshot(lists, "mail_saved_lists");
    lists->deleteSavedMailListRecord();
    EXPECT_EQ(lists->tableView()->count(), 0);
    EXPECT_TRUE(lists->listNameTextField()->text().isEmpty());
    EXPECT_TRUE(SavedMailingLists(d).records().isEmpty());

    // Picked addresses: the sheet's unsaved text is kept first, then the addresses go
    // after one comma, and the sheet shows the result.
    Contacts book;
    Contacts::Person ann, bo;
    ann.uid = QStringLiteral("1");
    ann.firstName = QStringLiteral("Ann");
    ann.lastName = QStringLiteral("Lee");
    ann.emails = {QStringLiteral("ann@example.org")};
    bo.uid = QStringLiteral("2");
    bo.firstName = QStringLiteral("Bo");
    bo.emails = {QStringLiteral("bo@example.org"), QStringLiteral("bo@work.example.org")};
    book.setPeople({ann, bo});
    ASSERT_TRUE(book.save());
    sheet.bccFieldTextView()->setPlainText(QStringLiteral("typed@example.org"));
    MailListWindowController picker(&sheet);
    ASSERT_EQ(picker.peoplePickerView()->count(), 3);
    picker.grabBCCContacts();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("No email selected"));
    picker.peoplePickerView()->item(0)->setSelected(true);
    picker.peoplePickerView()->item(2)->setSelected(true);
    picker.grabBCCContacts();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Selected contacts have been added"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("BCC: mailing list saved"));
    EXPECT_EQ(sheet.bccFieldTextView()->toPlainText(),
              QStringLiteral("typed@example.org,ann@example.org,bo@work.example.org,"));
    snapshot(&picker, "mail_contacts_picker");
}

TEST_F(MailWindowsTest, ChosenPostalAddressesBecomeTheMergeListAndTheReviewShowsItsText)
{
    Contacts book;
    Contacts::Person ann;
    ann.uid = QStringLiteral("u-1");
    ann.firstName = QStringLiteral("Ann");
    ann.lastName = QStringLiteral("Lee");
    ann.organisation = QStringLiteral("Acme");
    Contacts::PostalAddress home, work, elm;
    home.label = QStringLiteral("home");
    home.street = QStringLiteral("1 Main St");
    home.city = QStringLiteral("Springfield");
    work.label = QStringLiteral("work");
    work.street = QStringLiteral("2 High St");
    work.city = QStringLiteral("Shelbyville");
    ann.addresses = {home, work};
    Contacts::Person bo;
    bo.uid = QStringLiteral("u-2");
    bo.firstName = QStringLiteral("Bo");
    elm.label = QStringLiteral("home");
    elm.street = QStringLiteral("3 Elm St");
    bo.addresses = {elm};
    book.setPeople({ann, bo});
    ASSERT_TRUE(book.save());

    ContactViewController contacts;
    QTreeWidget *tree = contacts.peoplePickerView();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    contacts.saveSelectedContacts();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("No contact selected"));
    tree->topLevelItem(0)->child(0)->setCheckState(0, Qt::Checked);
    tree->topLevelItem(0)->child(1)->setCheckState(0, Qt::Checked);
    snapshot(&contacts, "mail_contacts_merge");
    // "Generate" sends the command along the chain; nobody takes it here.
    alerts.answer(QStringLiteral("Dismiss"));
    contacts.saveSelectedContacts();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("2 records selected"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Now ready to generate personalized designs."));
    ASSERT_EQ(gContactMergeList.size(), 2);
    EXPECT_EQ(gContactMergeList.at(0).value(QStringLiteral("[CITY]")), QStringLiteral("Springfield"));
    EXPECT_EQ(gContactMergeList.at(1).value(QStringLiteral("Address_Number")), QStringLiteral("1"));
    EXPECT_EQ(gContactMergeList.at(1).value(QStringLiteral("[COMPANY_NAME]")), QStringLiteral("Acme"));

    ReviewMailDataWindowController review;
    int sends = 0;
    QObject::connect(&review, &ReviewMailDataWindowController::sendRequested, [&] { ++sends; });
    review.present(QStringLiteral("Note compatibility of HTML emails vary by mail client…\n\nFrom: me@example.org"));
    EXPECT_TRUE(review.textView()->isReadOnly());
    snapshot(&review, "mail_review");
    review.sendButton()->click();
    EXPECT_EQ(sends, 1);
    review.cancelButton()->click();
    EXPECT_FALSE(review.isVisible());
}

TEST_F(MailWindowsTest, TheImageHostingSheetShowsTheChoiceInGreen)
{
    ImageSettingsWindowController sheet;
    EXPECT_EQ(sheet.currentOptionTextField()->text(), QStringLiteral("Current option selected: Attachment"));
    EXPECT_TRUE(sheet.attachmentButton()->styleSheet().contains(QStringLiteral("#30B34F")));
    EXPECT_FALSE(sheet.ftpButton()->styleSheet().contains(QStringLiteral("#30B34F")));
    // FTP: stored, recoloured, and the alert offers the server settings.
    alerts.answer(QStringLiteral("OK"));
    sheet.selectedImageStorageFTPOption();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("FTP Selected"));
    EXPECT_EQ(prefs.defaults().stringForKey(QStringLiteral("uploadOption")), QStringLiteral("ftp"));
    EXPECT_TRUE(sheet.ftpButton()->styleSheet().contains(QStringLiteral("#30B34F")));
    EXPECT_EQ(sheet.currentOptionTextField()->text(), QStringLiteral("Current option selected: FTP"));
    snapshot(&sheet, "mail_image_hosting");
    sheet.selectedAttachmentOption();
    EXPECT_EQ(prefs.defaults().stringForKey(QStringLiteral("uploadOption")), QStringLiteral("attachment"));
    EXPECT_TRUE(sheet.attachmentButton()->styleSheet().contains(QStringLiteral("#30B34F")));
}

TEST_F(MailWindowsTest, MailCommandsAreRegisteredForWindowsAndTheApplication)
{
    CommandRegistry::clear();
    registerMailCommands();
    ActionMap application;
    CommandRegistry::installApplicationCommands(application);
    for (const char *action : {"showMailSettings", "launchContactList", "launchImageSettingsModalSheet", "linkDropbox",
                               "selectedImageStorageFTPOption"})
        EXPECT_TRUE(application.respondsToAction(QString::fromLatin1(action))) << action;

    // A window without a page: the sending commands are there but disabled.
    ActionMap window;
    DocumentWindowContext context;
    context.document = [] { return static_cast<SKTDocument *>(nullptr); };
    CommandRegistry::installWindowCommands(window, context);
    for (const char *action : {"showRecipientSettings", "getReadyToSendEmail", "sendEmailNow", "sendHTMLEmailNow",
                               "showMailSourceCode", "populatePersonalizedDocuments"}) {
        ActionItemState item;
        item.action = QString::fromLatin1(action);
        EXPECT_TRUE(window.respondsToAction(item.action)) << action;
        EXPECT_FALSE(window.validateAction(item)) << action;
    }
    // The settings sheet opens from the application's command.
    application.performAction(QStringLiteral("showMailSettings"), {});
    QWidget *sheet = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("MailSettingWindowController") && w->isVisible())
            sheet = w;
    }
    ASSERT_NE(sheet, nullptr);
    static_cast<MailSettingWindowController *>(sheet)->cancelMailSettingSheet();
    CommandRegistry::clear();
}

// The whole road as the user goes it: the command opens the recipient sheet, Send
// shows the review, its Send mails the page, and the alert says so.
TEST_F(MailWindowsTest, FromTheRecipientSheetThroughTheReviewToTheMailSentAlert)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.start());
    gResponsiveEdition = true;
    gDocumentExtension = QStringLiteral("kx");
    UserDefaults &d = prefs.defaults();
    d.setString(QStringLiteral("me@example.org"), QStringLiteral("mailAddress"));
    d.setString(QStringLiteral("127.0.0.1"), QStringLiteral("mailSMTPServer"));
    d.setString(QString::number(server.port()), QStringLiteral("mailPortnumber"));
    d.setString(QStringLiteral("None"), QStringLiteral("connectionType"));

    SKTDocument page;
    page.pageName = QStringLiteral("index");
    page.pageOfficialName = QStringLiteral("Spring");
    page.pageFileExtension = QStringLiteral("html");
    page.mainTemplateName = QStringLiteral("index");
    page.encodingType = QStringLiteral("UTF-8");
    page.tempSavePathLocal = path(QStringLiteral("page"));
    QDir().mkpath(page.tempSavePathLocal);
    auto text = std::make_shared<SKTText>();
    text->setTextType(QStringLiteral("Text"));
    text->setBounds({20, 30, 300, 40});
    text->setTextString(QStringLiteral("Spring sale"));
    page.insertGraphicAtIndex(text, 0);

    QWidget window;
    CommandRegistry::clear();
    registerMailCommands();
    ActionMap commands;
    DocumentWindowContext context;
    context.window = &window;
    context.document = [&page] { return &page; };
    CommandRegistry::installWindowCommands(commands, context);
    ActionItemState item;
    item.action = QStringLiteral("showRecipientSettings");
    ASSERT_TRUE(commands.validateAction(item));
    commands.performAction(item.action, item);
    auto *sheet = window.findChild<MailRecipientWindowController *>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(sheet->optionalTextContent()->isVisibleTo(sheet));
    sheet->toFieldTextView()->setPlainText(QStringLiteral("ann@example.org, bob@example.org,"));
    sheet->mailSubjectTextField()->setText(QStringLiteral("Spring"));
    sheet->sendMailButton()->click();

    auto *review = window.findChild<ReviewMailDataWindowController *>();
    ASSERT_NE(review, nullptr);
    EXPECT_TRUE(review->isVisible());
    EXPECT_TRUE(review->textView()->toPlainText().contains(QStringLiteral("Total Number of Recipients: 2")));
    snapshot(review, "mail_review_real");
    item.action = QStringLiteral("sendHTMLEmailNow");
    EXPECT_TRUE(commands.validateAction(item));

    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (alerts.count() > 0)
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    review->sendButton()->click();
    loop.exec();
    ASSERT_GT(alerts.count(), 0);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Mail Sent"));
    EXPECT_FALSE(review->isVisible());
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(server.storedCount(), 1);
    CommandRegistry::clear();
}

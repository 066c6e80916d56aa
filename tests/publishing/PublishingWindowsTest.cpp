// The settings sheet, its profile drawer, the connection log and share windows, and
// the progress window's Cancel. With ZOV_SCREENSHOTS=folder each window is saved
// there as a picture.
#include "config/ProgressModel.h"
#include "config/ui/ProgressWindowPresenter.h"
#include "platform/CredentialStore.h"
#include "platform/UserDefaults.h"
#include "publishing/ServerProfiles.h"
#include "publishing/ui/ConnectionLogWindowController.h"
#include "publishing/ui/PreferenceWindowController.h"
#include "publishing/ui/SavedMailingListViewController.h"
#include "publishing/ui/ShareWindowController.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

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

void type(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

TEST(PreferenceWindowControllerTest, FieldsAreCleanedStoredAndRecordedAsAProfile)
{
    ScopedUserDefaults scoped;
    UserDefaults &defaults = scoped.defaults();
    ScriptedAlerts alerts;
    PreferenceWindowController sheet;
    // A fresh installation: empty fields, FTP, passive.
    EXPECT_TRUE(sheet.FTPServer()->text().isEmpty());
    EXPECT_EQ(sheet.FTPTypeSegmentedControl()->checkedId(), 0);
    EXPECT_TRUE(sheet.FTPPassiveModeCheckbox()->isChecked());

    type(sheet.FTPServer(), QStringLiteral("/ftp.example.test/"));
    type(sheet.FTPUsername(), QStringLiteral("me"));
    type(sheet.FTPWebsiteBaseURL(), QStringLiteral("example.test/"));
    type(sheet.FTPServerPortNumber(), QStringLiteral("2121x"));
    type(sheet.FTPRemotePath(), QStringLiteral("/public html/"));
    // The protocol is stored at once, even if the sheet is then cancelled.
    sheet.FTPTypeSegmentedControl()->button(1)->click();
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("connectiontype")), QStringLiteral("SFTP"));

    // No password: the completeness alert; "Save Anyways" still records the profile.
    alerts.answer(QStringLiteral("Save Anyways"));
    sheet.saveAndCloseButton()->click();
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Required Values Incomplete"));
    EXPECT_EQ(sheet.FTPServer()->text(), QStringLiteral("ftp.example.test"));
    EXPECT_EQ(sheet.FTPWebsiteBaseURL()->text(), QStringLiteral("http://example.test"));
    EXPECT_EQ(sheet.FTPServerPortNumber()->text(), QStringLiteral("2121"));
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("remotepath")), QStringLiteral("publichtml"));
    EXPECT_EQ(sheet.tableView()->count(), 1);
    EXPECT_EQ(sheet.tableView()->item(0)->text(), QStringLiteral("SFTP me ftp.example.test\nhttp://example.test\npublichtml"));

    // "Check Settings Again" keeps the sheet and records nothing.
    alerts.answer(QStringLiteral("Check Settings Again"));
    sheet.FTPTypeSegmentedControl()->button(2)->click();
    sheet.saveAndCloseButton()->click();
    EXPECT_EQ(sheet.tableView()->count(), 1);

    // Complete: saved without an alert, as a second profile (another protocol).
    type(sheet.FTPPassword(), QStringLiteral("secret"));
    EXPECT_EQ(CredentialStore().password(QStringLiteral("password")), QStringLiteral("secret"));
    sheet.saveAndCloseButton()->click();
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_EQ(sheet.tableView()->count(), 2);
    EXPECT_FALSE(defaults.hasStoredValue(QStringLiteral("password")) && CredentialStore::keyringAvailable());

    snapshot(&sheet, "preferences-sheet");
    // Rows read from their top line: no blank band above the protocol line.
    EXPECT_EQ(sheet.tableView()->item(0)->textAlignment(), int(Qt::AlignLeft | Qt::AlignTop));

    // Choosing the first profile in the drawer shows it in the sheet at once.
    sheet.toggleSavedMailingListDrawer();
    SavedMailingListViewController *drawer = sheet.savedMailingListViewController();
    ASSERT_EQ(drawer->tableView()->count(), 2);
    drawer->tableView()->setCurrentRow(0);
    drawer->chooseButton()->click();
    EXPECT_EQ(sheet.FTPTypeSegmentedControl()->checkedId(), 1);
    EXPECT_TRUE(sheet.FTPPassword()->text().isEmpty());
    EXPECT_EQ(drawer->tableView()->item(0)->textAlignment(), int(Qt::AlignLeft | Qt::AlignTop));
    snapshot(&sheet, "preferences");
    // The open drawer takes the place of the sheet's own list: each profile once.
    EXPECT_TRUE(drawer->isVisibleTo(&sheet));
    EXPECT_FALSE(sheet.profilesBox()->isVisibleTo(&sheet));
    drawer->deleteRecordButton()->click();
    EXPECT_EQ(drawer->tableView()->count(), 1);
    // Closed again: the sheet's list is back, without the deleted profile.
    sheet.toggleSavedMailingListDrawer();
    EXPECT_FALSE(drawer->isVisibleTo(&sheet));
    EXPECT_TRUE(sheet.profilesBox()->isVisibleTo(&sheet));
    EXPECT_EQ(sheet.tableView()->count(), 1);
}

TEST(PublishingWindowsTest, LogShareAndProgressWindows)
{
    ScriptedAlerts alerts;
    ConnectionLogWindowController log;
    log.showLog(QStringLiteral("Connection Log\n\n**Connected successfully to 127.0.0.1 on port 21 using protocol FTP."));
    EXPECT_EQ(log.windowTitle(), QStringLiteral("Connection log"));
    log.button()->click();
    EXPECT_EQ(QApplication::clipboard()->text(), log.textView()->toPlainText());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Copied to Clipboard"));
    snapshot(&log, "connection-log");

    ShareWindowController share;
    share.showWithLabel(QStringLiteral("Successfully published!\n\nhttp://example.test/my%20page.html"),
                        QStringLiteral("http://example.test/my%20page.html"));
    EXPECT_TRUE(share.isVisible());
    EXPECT_EQ(share.label()->text(), QStringLiteral("Successfully published!\n\nhttp://example.test/my%20page.html"));
    snapshot(&share, "share");
    share.hideShareWindow();
    EXPECT_FALSE(share.isVisible());

    ProgressWindowPresenter *presenter = ProgressWindowPresenter::install();
    ProgressModel &model = ProgressModel::instance();
    int cancels = 0;
    model.show();
    model.setTexts(QStringLiteral("Please wait: 1/3 completed"), QStringLiteral("Uploading: /my page/p1.png"), 1, 3);
    model.setCancelHandler([&cancels] { ++cancels; });
    presenter->refresh();
    ASSERT_NE(presenter->window(), nullptr);
    QPushButton *cancel = presenter->window()->cancelButton();
    EXPECT_FALSE(cancel->isHidden());
    snapshot(presenter->window(), "progress");
    cancel->click();
    EXPECT_EQ(cancels, 1);
    model.dismiss();
    presenter->refresh();
    EXPECT_FALSE(model.state().cancelVisible);
}

}  // namespace

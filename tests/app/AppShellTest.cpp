// The launch and the shell's windows: one welcome window after launch and a
// fresh one at every show, the received-pages folder emptied, the welcome
// window back when the last window closes and the program ending when the
// welcome window itself is closed, the shared menus on document windows, the
// update item of builds that update themselves, the grid panel, the feedback
// sheet and the text categories.
#include "app/SKTAppDelegate.h"
#include "app/ui/AdHocViewController.h"
#include "app/ui/AppShell.h"
#include "app/ui/CustomizeCategoriesWindowController.h"
#include "app/ui/FeedbackWindowController.h"
#include "app/ui/GridPanel.h"
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/Bundle.h"
#include "platform/NotificationCenter.h"
#include "support/ScopedUserDefaults.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

class DocumentWindow : public QMainWindow, public ResponderHost {
public:
    DocumentWindow() { setAttribute(Qt::WA_DeleteOnClose); }
    QList<ActionResponder *> responderChain() override { return {&commands}; }
    ActionMap commands;
};

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bundle::setDisplayName(QStringLiteral("Glentor Mails Pro 2"));
        shell = std::make_unique<AppShell>(delegate);
        shell->setQuitHandler([this] { ++quits; });
        delegate.setOpenURL([this](const QUrl &url) { opened << url; });
    }
    void TearDown() override
    {
        shell.reset();
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
        settle();
        ResponderChain::setProvider({});
        Bundle::setDisplayName({});
        EditionSettings::resetToInitialState();
    }

    ScopedUserDefaults defaults;
    SKTAppDelegate delegate;
    std::unique_ptr<AppShell> shell;
    int quits = 0;
    QList<QUrl> opened;
};

}  // namespace

TEST_F(AppShellTest, LaunchLeavesOnlyTheWelcomeWindowAndAnEmptyReceivedFolder)
{
    shell->applicationWillFinishLaunching();
    EXPECT_EQ(gAppName, "Glentor Mails Pro 2");
    EXPECT_EQ(delegate.dropboxSession(), nullptr) << "the test build has no Dropbox app key";
    const QString received = QDir(gWorkFolder).filePath(gReceivedPagesFolder);
    QDir().mkpath(received + QStringLiteral("/old"));
    QFile leftover(received + QStringLiteral("/old/page.glentormails"));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    shell->applicationDidFinishLaunching();
    settle();
    EXPECT_FALSE(delegate.autosaves());
    EXPECT_TRUE(QDir(received).exists());
    EXPECT_TRUE(QDir(received).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(AppShell::visibleWindowCount(), 1);
    ASSERT_NE(shell->welcomeWindowController(), nullptr);
    EXPECT_TRUE(shell->welcomeWindowController()->isVisible());
    EXPECT_EQ(shell->welcomeWindowController()->windowTitle(), "Welcome to Glentor Mails Pro 2");
    // The welcome window carries the main menu too, and the store channel no update item.
    EXPECT_TRUE(shell->menus()->isAttachedTo(shell->welcomeWindowController()->menuBar()));
    for (QAction *item : shell->menus()->menu("mainAppMenu")->actions())
        EXPECT_NE(item->text(), "Update");

    // Becoming active with a window on screen changes nothing.
    WelcomeWindowController *first = shell->welcomeWindowController();
    shell->applicationDidBecomeActive();
    EXPECT_EQ(shell->welcomeWindowController(), first);
}

TEST_F(AppShellTest, EachShowMakesAFreshWelcomeWindow)
{
    shell->launch();
    QPointer<WelcomeWindowController> first = shell->welcomeWindowController();
    shell->showWelcomeWindow();
    settle();
    EXPECT_NE(shell->welcomeWindowController(), first.data());
    EXPECT_TRUE(first.isNull()) << "the old window is gone, not toggled off";
    EXPECT_EQ(AppShell::visibleWindowCount(), 1);
    EXPECT_EQ(quits, 0);
}

TEST_F(AppShellTest, ClosingTheLastWindowBringsTheWelcomeWindowBack)
{
    shell->launch();
    auto *document = new DocumentWindow;
    document->show();
    settle();
    EXPECT_TRUE(shell->menus()->isAttachedTo(document->menuBar())) << "document windows share the main menu";
    EXPECT_FALSE(shell->welcomeWindowController()->isVisible()) << "the welcome window steps aside";
    shell->showWelcomeWindow();
    shell->welcomeWindowController()->close();
    settle();
    EXPECT_EQ(quits, 0) << "a document window is still open";
    EXPECT_EQ(AppShell::visibleWindowCount(), 1);

    document->close();
    settle();
    ASSERT_NE(shell->welcomeWindowController(), nullptr);
    EXPECT_TRUE(shell->welcomeWindowController()->isVisible());
    EXPECT_EQ(quits, 0);

    // Closing the welcome window with nothing else open ends the program.
    shell->welcomeWindowController()->close();
    settle();
    EXPECT_EQ(quits, 1);
}

TEST_F(AppShellTest, ActivationWithNothingVisibleShowsTheWelcomeWindow)
{
    shell->launch();
    shell->welcomeWindowController()->hide();
    EXPECT_EQ(AppShell::visibleWindowCount(), 0);
    shell->applicationDidBecomeActive();
    EXPECT_EQ(AppShell::visibleWindowCount(), 1);
}

TEST_F(AppShellTest, UpdateItemOnlyInBuildsThatUpdateThemselves)
{
    EXPECT_EQ(AdHocViewController::create(QStringLiteral("AppStore")), nullptr);
    const auto adHoc = AdHocViewController::create(QStringLiteral("AdHoc"));
    ASSERT_NE(adHoc, nullptr);
    QMenu appMenu;
    for (const char *title : {"About", "Preferences", "Services", "Quit"})
        appMenu.addAction(QString::fromLatin1(title));
    adHoc->insertInto(&appMenu);
    ASSERT_EQ(appMenu.actions().size(), 5);
    EXPECT_EQ(appMenu.actions().at(2), adHoc->updateMenuItem()) << "two places above the end";

    int unbinds = 0;
    QObject observer;
    NotificationCenter::defaultCenter().addObserver(&observer, Notifications::unbindEverything, nullptr,
                                                    [&unbinds](const Notification &) { ++unbinds; });
    emit adHoc->updateMenu()->hovered(adHoc->updateMenuItem());
    EXPECT_EQ(unbinds, 1) << "highlighting is enough";
    QAction other(QStringLiteral("Release Notes"));
    emit adHoc->updateMenu()->hovered(&other);
    EXPECT_EQ(unbinds, 1);
}

TEST_F(AppShellTest, GridPanelTogglesAndKeepsItsWindow)
{
    shell->showOrHideGridInspector();
    GridPanel *panel = shell->gridInspectorController();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    shell->showOrHideGridInspector();
    EXPECT_FALSE(panel->isVisible());
    shell->showOrHideGridInspector();
    EXPECT_EQ(shell->gridInspectorController(), panel);
    EXPECT_TRUE(panel->isVisible());
    panel->hide();
    EXPECT_NE(shell->detachableWindowForPopover(true), shell->detachableWindowForPopover(false));
    EXPECT_EQ(shell->detachableWindowForPopover(true), shell->detachableWindowForPopover(true));
}

TEST_F(AppShellTest, FeedbackSheetStartsAfreshAndSendsPlainText)
{
    shell->launch();
    gSupportEmail = QStringLiteral("help@example.org");
    shell->launchFeedbackModalSheet();
    FeedbackWindowController *sheet = shell->feedbackWindowController();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->feedbackTextView()->toPlainText(), FeedbackWindowController::promptText());
    sheet->feedbackTextView()->setPlainText(QStringLiteral("typed before"));
    sheet->cancelButton()->click();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(opened.isEmpty());

    shell->launchFeedbackModalSheet();
    EXPECT_EQ(shell->feedbackWindowController(), sheet);
    EXPECT_EQ(sheet->feedbackTextView()->toPlainText(), FeedbackWindowController::promptText());
    sheet->feedbackTextView()->setPlainText(QStringLiteral("<i>more</i> colours"));
    sheet->sendEmailButton()->click();
    EXPECT_FALSE(sheet->isVisible());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(QUrlQuery(opened.first()).queryItemValue("body", QUrl::FullyDecoded).endsWith("Feedback details:\n<i>more</i> colours"));
}

TEST_F(AppShellTest, TextCategoriesAreRenamedSavedAndReset)
{
    shell->applicationWillFinishLaunching();
    const QStringList edition = gDefaultCategories;
    ASSERT_EQ(edition.size(), 10);
    shell->showCustomizeCategoriesWindowController();
    CustomizeCategoriesWindowController *window = shell->customizeCategoriesWindowController();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Customize Category Title");
    ASSERT_EQ(window->tableView()->rowCount(), 10);
    EXPECT_EQ(window->tableView()->item(0, 0)->text(), "Category 0");
    EXPECT_EQ(window->tableView()->item(9, 0)->text(), "Category 9");
    EXPECT_EQ(window->categoryTextFields().at(3)->text(), edition.at(3));

    window->categoryTextFields().at(0)->setText(QStringLiteral("Headline"));
    window->saveButton()->click();
    window->categoryTextFields().at(1)->setText(QStringLiteral("Caption"));
    window->saveButton()->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(defaults.defaults().boolForKey("TextCategoryOverRide"));
    const QVariantList saved = defaults.defaults().arrayForKey("CustomTextCategoryDescriptions");
    ASSERT_EQ(saved.size(), 10);
    EXPECT_EQ(saved.at(0).toString(), "Headline");
    EXPECT_EQ(saved.at(1).toString(), "Caption");
    EXPECT_EQ(gPresetTextStyles.at(0).textString, "Headline");

    shell->showCustomizeCategoriesWindowController();
    EXPECT_EQ(shell->customizeCategoriesWindowController(), window) << "made once, then reused";
    window->resetButton()->click();
    EXPECT_FALSE(defaults.defaults().boolForKey("TextCategoryOverRide"));
    EXPECT_EQ(window->categoryTextFields().at(0)->text(), edition.at(0));
    EXPECT_EQ(gPresetTextStyles.at(0).textString, edition.at(0));
}

TEST_F(AppShellTest, PagesNamedAtLaunchOpenAfterTheWelcomeWindow)
{
    DataCentre::initializeData();
    QTemporaryDir folder;
    const QString package = folder.filePath(QStringLiteral("news.") + gDocumentExtension);
    {
        SKTDocument page;
        page.pageName = QStringLiteral("news");
        page.pageFileExtension = QStringLiteral("html");
        page.mainTemplateName = page.pageName;
        page.encodingType = QStringLiteral("UTF-8");
        page.tempSavePathLocal = folder.filePath(QStringLiteral("work"));
        QDir().mkpath(page.tempSavePathLocal);
        ASSERT_TRUE(page.saveThisPage(package, false)) << page.lastSaveError.toStdString();
    }
    shell->launch({package});
    EXPECT_NE(shell->welcomeWindowController(), nullptr);
    SKTDocument *opened = DocumentController::shared().documentForPackage(package);
    ASSERT_NE(opened, nullptr);
    DocumentController::shared().closeDocument(opened);
}

TEST_F(AppShellTest, OnlyThisInstancesReceivedPagesAreCleared)
{
    shell->applicationWillFinishLaunching();
    // Another running instance: its own folder beside ours, its lock held.
    const QString base = QFileInfo(gWorkFolder).absolutePath();
    const QString other = base + QStringLiteral("/instance-other");
    QLockFile lock(other + QStringLiteral(".lock"));
    ASSERT_TRUE(lock.tryLock());
    const QString otherPage = other + QLatin1Char('/') + gReceivedPagesFolder + QStringLiteral("/page.glentormails");
    QDir().mkpath(QFileInfo(otherPage).absolutePath());
    QFile page(otherPage);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    delegate.prepareReceivedPagesFolder();
    EXPECT_TRUE(QFile::exists(otherPage));
    QDir(other).removeRecursively();
}

TEST_F(AppShellTest, DropboxSessionOnlyWithAnAppKey)
{
    gDropboxAppKey.clear();
    delegate.openDropboxSession();
    EXPECT_EQ(delegate.dropboxSession(), nullptr);
    gDropboxAppKey = QStringLiteral("app-key");
    delegate.openDropboxSession();
    ASSERT_NE(delegate.dropboxSession(), nullptr);
    EXPECT_TRUE(delegate.dropboxSession()->isAvailable());
    EXPECT_FALSE(delegate.dropboxSession()->isLinked()) << "opening the session signs nobody in";
}

// The document window with real widgets and events: a new project made,
// pages added and switched by clicking their icons, the panes' rules, the
// command chain, closing and reopening.
#include "WindowFixture.h"

#include "app/SKTAppDelegate.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "document/DocumentController.h"
#include "sidebar/PaletteDrag.h"
#include "canvas/ui/DocumentSidebar.h"
#include "sidebar/ui/SidebarView.h"
#include "insertion/ui/PageInsertions.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "platform/NotificationCenter.h"
#include "support/ScriptedFilePanels.h"
#include "window/SiteSettingsFile.h"
#include "platform/ui/CommandRegistry.h"
#include "sidebar/ui/FloatWindowController.h"
#include "window/ui/DocumentWindows.h"
#include "window/ui/PageListingClipView.h"
#include "window/ui/SKTWindowController.h"
#include "window/ui/TemplateSiteChooser.h"
#include "window/ui/ZovNSButton.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>
#include <QToolBar>

class WindowControllerTest : public DocumentWindowTest {
protected:
    void SetUp() override
    {
        DocumentWindowTest::SetUp();
        gInspectorExpanded = true;
    }
    static QStringList listedIn(SKTWindowController *w)
    {
        QStringList names;
        for (const PageEntry &e : w->project().scan.siteIconArray)
            names << e.pageName;
        return names;
    }
    static ZovNSButton *button(SKTWindowController *w, const QString &page)
    {
        for (ZovNSButton *b : w->pageListing()->buttons())
            if (b->entry.pageName == page)
                return b;
        return nullptr;
    }
    static bool send(SKTWindowController *w, const QString &action)
    {
        return ResponderChain::send(w->responderChain(), action, {});
    }

    ScriptedFilePanels panels;
};

TEST_F(WindowControllerTest, ANewProjectGrowsSwitchesByClicksAndReopensInTheSameOrder)
{
    const QString folder = path(QStringLiteral("Fresh Site"));
    panels.answer(folder);
    SKTAppDelegate::shared().addNewWebsite();
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(w->openWebsiteFolder(), QStringLiteral("FreshSite"));
    ASSERT_EQ(listedIn(w), QStringList{"page1.zovweb"});

    ASSERT_TRUE(send(w, QStringLiteral("directlyAddBlankPage")));
    ASSERT_TRUE(send(w, QStringLiteral("directlyAddBlankPage")));
    settle();
    const QStringList three = {"page1.zovweb", "page2.zovweb", "page3.zovweb"};
    ASSERT_EQ(listedIn(w), three);
    EXPECT_EQ(QFileInfo(w->document().fileURLPath).fileName(), QStringLiteral("page3.zovweb"));
    ASSERT_EQ(w->pageListing()->buttons().size(), 3);
    EXPECT_TRUE(button(w, QStringLiteral("page3.zovweb"))->borderFlag());

    // A click on a page icon shows that page in the same window.
    ZovNSButton *second = button(w, QStringLiteral("page2.zovweb"));
    ASSERT_NE(second, nullptr);
    QTest::mouseClick(second, Qt::LeftButton, {}, second->rect().center());
    settle();
    EXPECT_EQ(QFileInfo(w->document().fileURLPath).fileName(), QStringLiteral("page2.zovweb"));
    EXPECT_TRUE(button(w, QStringLiteral("page2.zovweb"))->borderFlag());
    EXPECT_FALSE(button(w, QStringLiteral("page3.zovweb"))->borderFlag());
    // The canvas still answers the window's commands first (after the Add New
    // menu's placement, which hands every insertion on).
    CanvasResponder *canvasResponder = nullptr;
    for (ActionResponder *responder : w->responderChain())
        if (!canvasResponder)
            canvasResponder = dynamic_cast<CanvasResponder *>(responder);
    EXPECT_EQ(&w->graphicView(), canvasResponder ? &canvasResponder->view() : nullptr);

    // Typing in the search field narrows the listing.
    QTest::keyClicks(w->pageListing()->searchField(), QStringLiteral("PAGE3"));
    settle();
    EXPECT_EQ(w->pageListing()->buttons().size(), 1);
    w->pageListing()->searchField()->clear();
    settle();

    w->close();
    settle();
    EXPECT_TRUE(SKTWindowController::allWindows().isEmpty());
    EXPECT_TRUE(DocumentController::shared().documents().isEmpty());

    SKTAppDelegate::shared().launchSelectedWebsite(folder, false);
    settle();
    w = onlyWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(listedIn(w), three);
    // Opening the same folder again brings its window forward instead.
    EXPECT_EQ(SKTAppDelegate::shared().launchSelectedWebsite(folder, false), nullptr);
    EXPECT_EQ(SKTWindowController::allWindows().size(), 1);
}

// A palette entry dropped on the window's own canvas lands on its page, and
// the inspector beside it is the one that follows this canvas.
TEST_F(WindowControllerTest, APaletteDropOnTheWindowsCanvasInsertsThroughTheOneDispatcher)
{
    PageInsertions::registerDropMakers();
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    SKTAppDelegate::shared().launchSelectedWebsite(project, false);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    settle();
    ASSERT_NE(w->documentInspector(), nullptr);
    EXPECT_EQ(w->findChild<DocumentInspector *>(), w->documentInspector());

    const qsizetype before = w->document().graphics().size();
    const std::unique_ptr<QMimeData> data = PaletteDrag::mimeData(QStringLiteral("zov_navbar"));
    const QPointF at(60, 60);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->canvasWidget(), &enter);
    QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->canvasWidget(), &drop);
    settle();
    EXPECT_GT(w->document().graphics().size(), before);
}

TEST_F(WindowControllerTest, PanesFollowTheLayoutRules)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    makePage(project, QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("two"));
    SKTAppDelegate::shared().launchSelectedWebsite(project, false);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    w->resize(1200, 700);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    settle();

    QSplitter *split = w->splitView();
    EXPECT_TRUE(split->handle(1)->isEnabled());
    EXPECT_FALSE(split->handle(2)->isEnabled());
    const int listing = w->pageListing()->width();
    const int inspector = w->inspectorView()->width();
    const int canvas = w->zoomingScrollView()->width();
    w->resize(1400, 700);
    settle();
    EXPECT_EQ(w->pageListing()->width(), listing);
    EXPECT_EQ(w->inspectorView()->width(), inspector);
    EXPECT_EQ(w->zoomingScrollView()->width(), canvas + 200);

    send(w, QStringLiteral("toggleInspector"));
    EXPECT_TRUE(w->inspectorView()->isHidden());
    settle();
    // The canvas takes the inspector's room.
    EXPECT_EQ(w->zoomingScrollView()->width(), canvas + 200 + inspector + split->handleWidth());
    send(w, QStringLiteral("toggleInspector"));
    EXPECT_FALSE(w->inspectorView()->isHidden());

    // Many quick resizes of the listing rebuild it once, a tenth of a second after the last.
    const int before = w->pendingListingRebuilds();
    for (int i = 0; i < 6; ++i) {
        split->setSizes({200 + 10 * i, 800, inspector});
        QTest::qWait(20);
    }
    EXPECT_EQ(w->pendingListingRebuilds(), before);
    QTest::qWait(250);
    EXPECT_EQ(w->pendingListingRebuilds(), before + 1);

    // The edition's toolbar sends its items by name.
    EXPECT_EQ(w->editionToolbar()->objectName(), QStringLiteral("zovToolbar"));
    EXPECT_FALSE(w->editionToolbar()->actions().isEmpty());
}

TEST_F(WindowControllerTest, CommandsChainFromCanvasToWindowToDocumentAndCloseAsksFirst)
{
    CommandRegistry::clear();
    QString reached;
    CommandRegistry::addWindowCommands(QStringLiteral("probe"), [&reached](ActionMap &map, const DocumentWindowContext &c) {
        map.add(QStringLiteral("probeCommand"), [&reached, c](const ActionItemState &) {
            reached = QFileInfo(c.currentDocument()->fileURLPath).fileName() + QLatin1Char('@') + c.currentProjectFolder();
        });
    });
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    SKTAppDelegate::shared().launchSelectedWebsite(project, false);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    CommandRegistry::clear();
    EXPECT_TRUE(send(w, QStringLiteral("probeCommand")));
    EXPECT_EQ(reached, QStringLiteral("a.zovweb@") + project);
    EXPECT_NE(ResponderChain::target(w->responderChain(), QStringLiteral("saveDocument")), nullptr);

    // Menu validation reaches the window's table: no page under a context click yet.
    ActionItemState item;
    item.action = QStringLiteral("deletePage");
    EXPECT_FALSE(ResponderChain::validate(w->responderChain(), item));

    // With unsaved changes, closing asks; "Cancel" keeps the window.
    w->document().updateChangeCount();
    ASSERT_TRUE(w->document().isDocumentEdited());
    alerts.answer(QStringLiteral("Cancel"));
    w->close();
    settle();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("This file has changed"));
    EXPECT_EQ(SKTWindowController::allWindows().size(), 1);
    alerts.answer(QStringLiteral("No"));
    w->close();
    settle();
    EXPECT_TRUE(SKTWindowController::allWindows().isEmpty());
}

TEST_F(WindowControllerTest, APageAloneHasNoListingAndProjectFeaturesOfferToOpenAProject)
{
    // A project-only command, as the add-page sheet registers it.
    CommandRegistry::clear();
    CommandRegistry::addWindowCommands(QStringLiteral("projectOnly"), [](ActionMap &map, const DocumentWindowContext &c) {
        map.add(QStringLiteral("showAddNewPageWindow"), [](const ActionItemState &) {},
                [c](ActionItemState &) { return !c.currentProjectFolder().isEmpty(); });
    });
    const QString page = makePage(project, QStringLiteral("alone"), QStringLiteral("Alone"), QStringLiteral("one"));
    ASSERT_NE(SKTAppDelegate::shared().openPageAlone(page), nullptr);
    settle();
    SKTWindowController *w = onlyWindow();
    CommandRegistry::clear();
    ASSERT_NE(w, nullptr);
    w->show();
    EXPECT_TRUE(w->pageListing()->isHidden());
    QAction *addPage = w->editionToolbar()->findChild<QAction *>(QStringLiteral("showAddNewPageWindow"));
    ASSERT_NE(addPage, nullptr);
    EXPECT_FALSE(addPage->isEnabled());
    EXPECT_EQ(w->resetZoomScrollViewSize(), -1);
    alerts.answer(QStringLiteral("Dismiss"));
    EXPECT_FALSE(w->isEditorInMultiDocMode());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Please launch editor in multi-document mode"));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(WindowControllerTest, ANewProjectOverAnExistingFolderTrashesItOnlyAfterYes)
{
    const QString folder = path(QStringLiteral("Taken"));
    QDir().mkpath(folder);
    QFile keep(QDir(folder).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("mine");
    keep.close();
    // Answered as the alert on screen answers, after the call has returned.
    alerts.setAnswersLater(true);
    panels.answer(folder);
    alerts.answer(QStringLiteral("Cancel"));
    SKTAppDelegate::shared().addNewWebsite();
    settle();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Confirm replacing folder \"Taken\""));
    EXPECT_TRUE(QFileInfo::exists(keep.fileName()));
    EXPECT_TRUE(SKTWindowController::allWindows().isEmpty());

    panels.answer(folder);
    alerts.answer(QStringLiteral("Yes"));
    SKTAppDelegate::shared().addNewWebsite();
    settle();
    EXPECT_EQ(alerts.unansweredScripts(), 0);
    EXPECT_FALSE(QFileInfo::exists(keep.fileName()));  // in the trash
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->openWebsiteFolder(), QStringLiteral("Taken"));
    EXPECT_EQ(listedIn(w), QStringList{"page1.zovweb"});
    EXPECT_EQ(alerts.mismatches(), QStringList());
}

TEST_F(WindowControllerTest, ColumnsPickersAndThePrintLayoutSheet)
{
    for (const char *name : {"a", "b", "c"})
        makePage(project, QString::fromLatin1(name), QString::fromLatin1(name), QStringLiteral("text"));
    gPresetShapes = QList<ShapeSelectionView>(14, ShapeSelectionView(QRectF(0, 0, 68, 68)));
    gLabelTemplates = {{QStringLiteral("Avery"), QStringLiteral("5160"), QStringLiteral("Letter"), QStringLiteral("Label 30")}};
    SKTAppDelegate::shared().launchSelectedWebsite(project, false);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    w->show();

    ASSERT_TRUE(send(w, QStringLiteral("view2Column")));
    EXPECT_EQ(UserDefaults::standard().integerForKey(QStringLiteral("numOfColumnListings")), 2);
    EXPECT_EQ(w->pageListing()->plan().columns, 2);

    // Every template pop-up lists the edition's templates.
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(w->templatePopUp(PrintTemplateChoice::PopUp(i))->itemText(0), QStringLiteral("Avery 5160 Label 30"));

    FloatWindowController *shapes = w->showShapePopOver();
    settle();
    EXPECT_EQ(shapes->windowModality(), Qt::WindowModal);
    EXPECT_EQ(shapes->mainView()->findChildren<QPushButton *>().size(), 14);
    QTest::mouseClick(shapes->cancelButton(), Qt::LeftButton);
    settle();

    // The Templates sheet shows the edition's own pop-up with a label.
    QPointer<FloatWindowController> layout = w->setupPrintLayoutView();
    const PrintTemplateChoice::PopUp own = PrintTemplateChoice::popUpFor(gAppName);
    QComboBox *card = w->templatePopUp(own);
    EXPECT_TRUE(layout->mainView()->isAncestorOf(card));
    EXPECT_TRUE(card->isVisibleTo(layout));
    const QList<QLabel *> labels = layout->mainView()->findChildren<QLabel *>();
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.first()->buddy(), card);
    EXPECT_EQ(labels.first()->text(), PrintTemplateChoice::popUpLabel(own));
    EXPECT_EQ(layout->windowTitle(), QStringLiteral("Templates"));
    QTest::mouseClick(layout->cancelButton(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(layout.isNull());
    // The pop-ups outlive the sheet.
    EXPECT_EQ(card->parentWidget(), w);
}

TEST_F(WindowControllerTest, ATemplateSiteIsCopiedIntoTheNewProjectAndAReplacedFolderGoesToTheTrash)
{
    const QString site = path(QStringLiteral("resources/templates/websiteLevel/Bakery"));
    QDir().mkpath(site);
    makePage(site, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("Fresh bread"));
    ASSERT_TRUE(SiteSettingsFile::write(QDir(site).filePath(QStringLiteral("site.zovs")),
                                        {QStringLiteral("Bäckerei"), QStringLiteral("Bread and cakes")}));
    const auto sites = SKTAppDelegate::shared().templateSites();
    ASSERT_EQ(sites.size(), 1);
    EXPECT_EQ(sites.first().websiteTitle, QStringLiteral("Bäckerei"));

    const QString destination = path(QStringLiteral("My Bakery"));
    QDir().mkpath(destination);
    QFile old(QDir(destination).filePath(QStringLiteral("old.txt")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    // The folder question answers as the alert on screen does, after the
    // call has returned: nothing is replaced until "Yes" comes.
    alerts.setAnswersLater(true);
    alerts.answer(QStringLiteral("Yes"));
    SKTDocument *opened = nullptr;
    bool answered = false;
    SKTAppDelegate::shared().proceedToLaunchSelectedTemplateWebsite(site, destination, [&](SKTDocument *doc) {
        opened = doc;
        answered = true;
    });
    EXPECT_FALSE(answered);
    EXPECT_TRUE(QFileInfo::exists(old.fileName()));
    settle();
    ASSERT_TRUE(answered);
    EXPECT_NE(opened, nullptr);
    EXPECT_FALSE(QFileInfo::exists(old.fileName()));  // in the trash, not in the new project
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(listedIn(w), QStringList{"home.zovweb"});
    EXPECT_EQ(w->openWebsiteFolder(), QStringLiteral("MyBakery"));
}

TEST_F(WindowControllerTest, ANoticeFromAnotherPageOrAboutAnUnlistedPageChangesNoButton)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("Alpha"), QStringLiteral("one"));
    makePage(project, QStringLiteral("b"), QStringLiteral("Beta"), QStringLiteral("two"));
    SKTAppDelegate::shared().launchSelectedWebsite(project, false);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    const QList<PageEntry> before = w->project().scan.siteIconArray;

    // Another document's notice is not this window's.
    SKTDocument other;
    w->document().pageOfficialName = QStringLiteral("Renamed");
    NotificationCenter::defaultCenter().postNotification(Notifications::refreshDocIcon, &other.events());
    EXPECT_EQ(w->project().scan.siteIconArray, before);

    // The page shown is not listed: no button takes its title.
    const QString shown = w->document().fileURLPath;
    w->document().fileURLPath = path(QStringLiteral("elsewhere/z.zovweb"));
    NotificationCenter::defaultCenter().postNotification(Notifications::refreshDocIcon, &w->document().events());
    EXPECT_EQ(w->project().scan.siteIconArray.first().pageTitle, before.first().pageTitle);

    // Its own page's notice retitles its own button.
    w->document().fileURLPath = shown;
    NotificationCenter::defaultCenter().postNotification(Notifications::refreshDocIcon, &w->document().events());
    const int at = w->project().scan.grabZovButtonWithPageName(QFileInfo(shown).fileName());
    ASSERT_GE(at, 0);
    EXPECT_EQ(w->project().scan.siteIconArray.at(at).pageTitle, QStringLiteral("Renamed"));
}

TEST_F(WindowControllerTest, TheTemplateChooserListsTheSitesAndAClickStartsAProjectFromOne)
{
    const QString site = path(QStringLiteral("resources/templates/websiteLevel/Garden"));
    QDir().mkpath(site);
    makePage(site, QStringLiteral("index"), QStringLiteral("Garden"), QStringLiteral("Plants"));
    ASSERT_TRUE(SiteSettingsFile::write(QDir(site).filePath(QStringLiteral("site.zovs")),
                                        {QStringLiteral("Garden"), QStringLiteral("Green things")}));
    // Reached by name, as the menus and the welcome window reach it.
    ActionMap application;
    CommandRegistry::installApplicationCommands(application);
    ASSERT_TRUE(application.respondsToAction(QStringLiteral("showSiteLevelTemplate")));
    application.performAction(QStringLiteral("showSiteLevelTemplate"), {});
    TemplateSiteChooser *chooser = TemplateSiteChooser::showShared();
    EXPECT_EQ(chooser->siteCount(), 1);
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Please Choose Template (1 Themes in Collection)"));
    auto *button = chooser->findChild<QPushButton *>(QStringLiteral("site0"));
    ASSERT_NE(button, nullptr);
    panels.answer(path(QStringLiteral("From Garden")));
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(listedIn(w), QStringList{"index.zovweb"});
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("From Garden/site.zovs"))));
    EXPECT_FALSE(chooser->isVisible());
    delete chooser;
}

TEST_F(WindowControllerTest, OutsidePageFilesAreCopiedAfterAskingAndOtherDragsAreRefusedWhileHovering)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    QDir().mkpath(path(QStringLiteral("elsewhere")));
    const QString outside = makePage(path(QStringLiteral("elsewhere")), QStringLiteral("b"), QStringLiteral("B"),
                                     QStringLiteral("two"));
    SKTAppDelegate::shared().launchSelectedWebsite(project, false);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    w->show();
    QWidget *grid = w->pageListing()->gridView();
    const QPointF point(20, 20);

    auto hover = [&](QMimeData &data) {
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &enter);
        return enter.isAccepted();
    };
    QMimeData picture;
    picture.setUrls({QUrl::fromLocalFile(path(QStringLiteral("photo.png")))});
    EXPECT_FALSE(hover(picture));
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    EXPECT_FALSE(hover(text));

    QMimeData page;
    page.setUrls({QUrl::fromLocalFile(outside)});
    EXPECT_TRUE(hover(page));
    alerts.answer(QStringLiteral("Proceed"));
    QDropEvent drop(point, Qt::CopyAction, &page, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid, &drop);
    settle();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Copying New Page"));
    EXPECT_TRUE(alerts.last().informativeText.endsWith(outside));
    EXPECT_EQ(listedIn(w).size(), 2);
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("b.zovweb"))));
}

TEST_F(WindowControllerTest, LeavingTheWindowSavesItsPageUnlessTheEditionKeepsOneDocument)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    SKTAppDelegate::shared().launchSelectedWebsite(project, false);
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    w->show();
    w->activateWindow();
    settle();
    QWidget other;
    // Another window becomes the active one, then the page's window again.
    auto leave = [&] {
        other.show();
        other.activateWindow();
        settle();
        w->activateWindow();
        settle();
    };
    gSingleDocumentMode = true;
    auto t = std::make_shared<SKTText>();
    t->setTextType(QStringLiteral("Text"));
    t->setBounds({20, 200, 300, 40});
    t->setTextString(QStringLiteral("added"));
    w->document().insertGraphicAtIndex(t, 0);
    w->document().undoManager().closeAutomaticGroup();
    ASSERT_TRUE(w->document().isDocumentEdited());
    leave();
    EXPECT_TRUE(w->document().isDocumentEdited());
    gSingleDocumentMode = false;
    leave();
    EXPECT_FALSE(w->document().isDocumentEdited());
    SKTDocument reread;
    gOpenFromWebsiteFolder = false;
    ASSERT_TRUE(reread.readFromFile(QDir(project).filePath(QStringLiteral("a.zovweb"))));
    EXPECT_EQ(reread.graphics().size(), 2);
}

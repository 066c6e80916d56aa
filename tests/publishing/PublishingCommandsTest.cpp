// Publishing's commands as a document window and the application receive them:
// which are offered and when, a page exported to a folder through the window's
// command, the share window's book buttons handed along the window's chain, and
// the server settings sheet kept once for the whole run.
#include "document/DocumentFixture.h"
#include "platform/ActionResponder.h"
#include "publishing/PageExport.h"
#include "publishing/ui/PreferenceWindowController.h"
#include "publishing/ui/PublishingCommands.h"
#include "publishing/ui/PublishingWindowSession.h"
#include "publishing/ui/ServerSettingsSheetHolder.h"
#include "publishing/ui/ShareWindowController.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedFilePanels.h"
#include "window/ProjectPages.h"
#include "platform/ui/CommandRegistry.h"

#include <QApplication>
#include <QWidget>

namespace {

class PublishingCommandsTest : public DocumentTest {
protected:
    void TearDown() override
    {
        ResponderChain::setProvider({});
        CommandRegistry::clear();
        DocumentTest::TearDown();
    }

    DocumentWindowContext contextFor(SKTDocument **current, ProjectPages *project = nullptr)
    {
        DocumentWindowContext context;
        context.window = &window;
        context.document = [current] { return *current; };
        context.project = project;
        return context;
    }

    bool enabled(ActionMap &commands, const QString &action, bool *visible = nullptr)
    {
        ActionItemState item;
        item.action = action;
        const bool on = commands.validateAction(item);
        if (visible)
            *visible = item.visible;
        return on;
    }

    ScopedUserDefaults scopedDefaults;
    QWidget window;
};

TEST_F(PublishingCommandsTest, WindowAndApplicationGetTheirCommandsThroughTheRegistry)
{
    registerPublishingCommands();
    SKTDocument *current = doc.get();
    ActionMap windowCommands;
    CommandRegistry::installWindowCommands(windowCommands, contextFor(&current));
    for (const char *name : {"publishSinglePageWithImages", "publishSinglePageNoImages", "publishWebsiteWithImages",
                             "publishWebsiteNoImages", "selectDocumentsToUpload", "exportFileTo", "exportZip",
                             "exportPDFPage", "exportPNGPage", "exportJPEGPage", "showWebPreview",
                             "showMobileWebPreview", "showShareWindowController", "showPagePreferences",
                             "showFormPreferences", "showOrHideSourceCode", "showOrHideSourceCodeStatic"})
        EXPECT_TRUE(windowCommands.respondsToAction(QString::fromLatin1(name))) << name;
    ActionMap applicationCommands;
    CommandRegistry::installApplicationCommands(applicationCommands);
    for (const char *name : {"showPreferencesPanel", "askToTest", "showPageImport"})
        EXPECT_TRUE(applicationCommands.respondsToAction(QString::fromLatin1(name))) << name;
}

TEST_F(PublishingCommandsTest, MenuStateFollowsThePageAndTheProject)
{
    SKTDocument *current = doc.get();
    ProjectPages project(*doc);
    ActionMap commands;
    installPublishingWindowCommands(commands, contextFor(&current, &project));

    // A page alone: its own publish commands; the site's are hidden.
    bool visible = false;
    EXPECT_TRUE(enabled(commands, QStringLiteral("publishSinglePageWithImages"), &visible));
    EXPECT_TRUE(visible);
    EXPECT_FALSE(enabled(commands, QStringLiteral("publishWebsiteNoImages"), &visible));
    EXPECT_FALSE(visible);

    // A project that lists pages offers the site.
    PageEntry page;
    page.pageName = QStringLiteral("index.html");
    page.pagePublishFileName = QStringLiteral("index.html");
    project.scan.siteIconArray.append(page);
    EXPECT_TRUE(enabled(commands, QStringLiteral("publishWebsiteWithImages"), &visible));
    EXPECT_TRUE(visible);

    // No page in the window: nothing that needs one.
    current = nullptr;
    for (const char *name : {"publishSinglePageNoImages", "publishWebsiteWithImages", "exportFileTo", "exportPNGPage",
                             "showWebPreview", "showShareWindowController"})
        EXPECT_FALSE(enabled(commands, QString::fromLatin1(name))) << name;
}

TEST_F(PublishingCommandsTest, ExportCommandWritesThePageOfTheWindowIntoTheChosenFolder)
{
    ScriptedFilePanels panels;
    doc->insertGraphicAtIndex(makeText({20, 30, 200, 40}, QStringLiteral("Exported by command")), 0);
    doc->fileURLPath = packagePath(QStringLiteral("index"));
    const QString out = path(QStringLiteral("out"));
    QDir().mkpath(out);
    panels.answer(out);

    SKTDocument *current = doc.get();
    ActionMap commands;
    installPublishingWindowCommands(commands, contextFor(&current));
    alerts.answer(QStringLiteral("OK"));
    commands.performAction(QStringLiteral("exportFileTo"), {});

    ASSERT_EQ(panels.openPanels().size(), 1);
    EXPECT_TRUE(readAll(QDir(out).filePath(QStringLiteral("index.html"))).contains("Exported by command"));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("popup-image-scaling.js"))));
    ASSERT_FALSE(alerts.shown().isEmpty());
    EXPECT_EQ(alerts.shown().last().alert.messageText, QStringLiteral("Export Complete"));

    // The next page the window shows is the one the command exports.
    auto second = newPage(QStringLiteral("about"));
    second->insertGraphicAtIndex(makeText({20, 30, 200, 40}, QStringLiteral("Second page")), 0);
    second->fileURLPath = packagePath(QStringLiteral("about"));
    current = second.get();
    panels.answer(out);
    alerts.answer(QStringLiteral("OK"));
    commands.performAction(QStringLiteral("exportFileTo"), {});
    EXPECT_TRUE(readAll(QDir(out).filePath(QStringLiteral("about.html"))).contains("Second page"));
}

TEST_F(PublishingCommandsTest, ShareWindowShowsTheLastAddressAndHandsTheBookToTheWindowsChain)
{
    SKTDocument *current = doc.get();
    ActionMap commands;
    PublishingWindowSession *session = installPublishingWindowCommands(commands, contextFor(&current));

    // The printing side answers the book through the chain.
    ActionMap printing;
    QStringList sent;
    printing.add(QStringLiteral("generateTruePDFFile"), [&](const ActionItemState &) { sent << QStringLiteral("book"); });
    printing.add(QStringLiteral("generateTruePDFFileFast"), [&](const ActionItemState &) { sent << QStringLiteral("fast"); });
    ResponderChain::setProvider([&] { return QList<ActionResponder *>{&commands, &printing}; });

    gAppName = QStringLiteral("HTML Zov Pro");
    session->showShareWindow(QStringLiteral("http://127.0.0.1/index.html"),
                             QStringLiteral("Successfully published!\n\nhttp://127.0.0.1/index.html"));
    ShareWindowController *share = session->shareWindowController();
    ASSERT_NE(share, nullptr);
    EXPECT_EQ(share->shareLink(), QStringLiteral("http://127.0.0.1/index.html"));
    EXPECT_FALSE(share->shareButtons().isEmpty());
    if (const QByteArray folder = qgetenv("ZOV_SCREENSHOTS"); !folder.isEmpty())
        share->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/share-from-command.png"));
    share->hide();

    // Shown again from the menu: the same window, the same address.
    commands.performAction(QStringLiteral("showShareWindowController"), {});
    EXPECT_EQ(session->shareWindowController(), share);
    EXPECT_TRUE(share->isVisible());
    EXPECT_EQ(share->shareLink(), QStringLiteral("http://127.0.0.1/index.html"));

    emit share->exportRequested(QStringLiteral("exportAllPDF"));
    emit share->exportRequested(QStringLiteral("exportAllPDFFast"));
    EXPECT_EQ(sent, (QStringList{QStringLiteral("book"), QStringLiteral("fast")}));
    commands.performAction(QStringLiteral("hideShareWindowControllerPanel"), {});
    EXPECT_FALSE(share->isVisible());

    // Files the user published become link boxes on the window's page.
    const qsizetype before = doc->graphicPointers().size();
    session->addLinkTextBox(QStringLiteral("price list.pdf"), QStringLiteral("http://127.0.0.1/index/price%20list.pdf"),
                            QRectF(100, 150, 300, 40));
    ASSERT_EQ(doc->graphicPointers().size(), before + 1);
    SKTGraphic *box = doc->graphicPointers().first();
    EXPECT_EQ(box->textString(), QStringLiteral("price list.pdf"));
    EXPECT_EQ(box->bounds(), QRectF(100, 150, 300, 40));
    EXPECT_EQ(box->value(QStringLiteral("link")).toString(), QStringLiteral("http://127.0.0.1/index/price%20list.pdf"));
}

TEST_F(PublishingCommandsTest, OneServerSettingsSheetServesTheRun)
{
    ActionMap commands;
    installPublishingApplicationCommands(commands);
    ActionItemState test;
    test.action = QStringLiteral("askToTest");

    commands.performAction(QStringLiteral("showPreferencesPanel"), {});
    PreferenceWindowController *sheet = ServerSettingsSheetHolder::shared().ftpSettingsPanelController();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(commands.validateAction(test));

    commands.performAction(QStringLiteral("cancelPreferencesModalSheet"), {});
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(commands.validateAction(test));

    commands.performAction(QStringLiteral("showPreferencesPanel"), {});
    EXPECT_EQ(ServerSettingsSheetHolder::shared().ftpSettingsPanelController(), sheet);
    sheet->cancelPreferencesModalSheet();
    delete sheet;
}

}  // namespace

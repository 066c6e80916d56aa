// The main menu's items reach a real document window: every item a window
// is meant to answer has a target in its chain, and the items that stand for
// a choice (rotating the canvas) do what their title says.
#include "ProjectFixture.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/ActionResponder.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/SKTWindowController.h"
#include "window/ui/WindowSheetCommands.h"
#include "window/ui/PageImportCommands.h"
#include "window/ProjectPages.h"
#include "support/ScriptedFilePanels.h"

#include <QFileInfo>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>

namespace {
// Every action named by an item of the main menu's data.
void collectActions(const QJsonArray &items, QSet<QString> &out)
{
    for (const QJsonValue &v : items) {
        const QJsonObject item = v.toObject();
        if (item.contains(QStringLiteral("action")))
            out.insert(item.value(QStringLiteral("action")).toString());
        collectActions(item.value(QStringLiteral("items")).toArray(), out);
    }
}
}  // namespace

class WindowMenuCommandsTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        registerWindowSheetCommands();
    }
    void TearDown() override
    {
        CommandRegistry::clear();
        gCanvasRotation = 0;
        ProjectTest::TearDown();
    }
};

TEST_F(WindowMenuCommandsTest, WindowAnswersItsMenuItems)
{
    SKTDocument page;
    SKTWindowController window(page);
    const QList<ActionResponder *> chain = window.responderChain();
    // The window's own items, the submenu holders, the add-branch item (the
    // canvas's) and the sheets' commands.
    for (const char *name : {"saveDocument", "insertBlankPage", "toggleInspector", "toggleSidebarDrawer",
                             "toggleGridShowing", "toggleGridConstraining", "view1Column", "view2Column",
                             "view3Column", "showProfilePopOver", "addIntoGroup", "showViewOptions",
                             "addFormObjects", "multiplyNewShapes", "rotateCanvas", "saveDocumentAs",
                             "switchSideBarView"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(ResponderChain::target(chain, QString::fromLatin1(name)), nullptr);
    }

    // The add-branch item sends the canvas's branch command.
    QFile file(QStringLiteral(ZOV_TEST_FIXTURES "/../../data/menus/mainmenu.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonDocument menus = QJsonDocument::fromJson(file.readAll());
    QSet<QString> actions;
    for (const QJsonValue &menu : menus.object().value(QStringLiteral("menus")).toArray())
        collectActions(menu.toObject().value(QStringLiteral("items")).toArray(), actions);
    ASSERT_FALSE(actions.isEmpty());
    EXPECT_TRUE(actions.contains(QStringLiteral("multiplyNewShapes")));
    EXPECT_FALSE(actions.contains(QStringLiteral("addBranch")));
    // "Upload Files..." is the upload of files the user picks.
    EXPECT_TRUE(actions.contains(QStringLiteral("selectDocumentsToUpload")));
    EXPECT_FALSE(actions.contains(QStringLiteral("uploadFile")));
}

// "Rotate Canvas" turns the canvas a quarter to the right, and back upright
// when it is already turned.
TEST_F(WindowMenuCommandsTest, RotateCanvasTurnsAndTurnsBack)
{
    SKTDocument page;
    SKTWindowController window(page);
    const QList<ActionResponder *> chain = window.responderChain();
    struct Step {
        int before, after;
    };
    gCanvasRotation = 0;
    for (const Step &step : {Step{0, 90}, Step{90, 0}, Step{0, 90}}) {
        SCOPED_TRACE(step.before);
        ASSERT_EQ(gCanvasRotation, step.before);
        ActionItemState sender;
        sender.action = QStringLiteral("rotateCanvas");
        EXPECT_TRUE(ResponderChain::send(chain, sender.action, sender));
        EXPECT_EQ(gCanvasRotation, step.after);
    }
}

// "Save As..." writes the page alone where the user says and later saves go
// there; a cancelled panel writes nothing; in a project the item hides.
TEST_F(WindowMenuCommandsTest, SaveAsWritesThePageWhereTheUserSays)
{
    QDir().mkpath(path(QStringLiteral("alone")));
    const QString original = makePage(path(QStringLiteral("alone")), QStringLiteral("note"), QStringLiteral("Note"),
                                      QStringLiteral("hello"));
    SKTDocument page;
    ASSERT_TRUE(page.readFromFile(original));
    SKTWindowController window(page);
    ScriptedFilePanels panels;
    const QString copy = path(QStringLiteral("copy.zovweb"));
    auto send = [&window](const char *name) {
        ActionItemState sender;
        sender.action = QString::fromLatin1(name);
        return ResponderChain::send(window.responderChain(), sender.action, sender);
    };
    ActionItemState item;
    item.action = QStringLiteral("saveDocumentAs");
    EXPECT_TRUE(ResponderChain::validate(window.responderChain(), item));
    EXPECT_TRUE(item.visible);

    panels.answerCancel();
    EXPECT_TRUE(send("saveDocumentAs"));
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(page.fileURLPath, original);

    panels.answer(copy);
    EXPECT_TRUE(send("saveDocumentAs"));
    ASSERT_EQ(panels.savePanels().size(), 2);
    EXPECT_EQ(panels.savePanels().last().nameFieldValue, QStringLiteral("note"));
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_EQ(page.fileURLPath, copy);
    SKTDocument reread;
    ASSERT_TRUE(reread.readFromFile(copy));
    ASSERT_EQ(reread.graphics().size(), 1);
    EXPECT_EQ(reread.graphics().first()->textString(), QStringLiteral("hello"));

    makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("first"));
    window.setOpenWebsiteFolderPath(project);
    ActionItemState inProject;
    inProject.action = QStringLiteral("saveDocumentAs");
    ResponderChain::validate(window.responderChain(), inProject);
    EXPECT_FALSE(inProject.visible);
    page.markClean();
}

// Pages chosen together come into the project; one whose name is taken is
// refused on its own and the project's page stays as it was.
TEST_F(WindowMenuCommandsTest, ImportMultiplePagesCopiesEachChosenPage)
{
    registerPageImportCommands();
    const QString outside = path(QStringLiteral("outside"));
    QDir().mkpath(outside);
    const QString fresh = makePage(outside, QStringLiteral("news"), QStringLiteral("News"), QStringLiteral("new"));
    const QString taken = makePage(outside, QStringLiteral("home"), QStringLiteral("Other"), QStringLiteral("other"));
    const QString home = makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("first"));
    const QByteArray homeBefore = [&] { QFile f(home); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    ProjectPages &p = openProject();
    ActionMap map;
    DocumentWindowContext c;
    c.document = [&p] { return &p.document(); };
    c.project = &p;
    c.projectFolder = [&p] { return p.openWebsiteFolderPath(); };
    CommandRegistry::installWindowCommands(map, c);
    ActionItemState item;
    item.action = QStringLiteral("importMultiplePages");
    EXPECT_TRUE(map.validateAction(item));

    ScriptedFilePanels panels;
    panels.answer(QStringList{taken, fresh});
    const int shown = alerts.count();
    map.performAction(item.action, item);
    ASSERT_EQ(panels.openPanels().size(), 1);
    EXPECT_TRUE(panels.openPanels().first().allowsMultipleSelection);
    EXPECT_EQ(alerts.count(), shown + 1);
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("news.zovweb"))));
    QFile f(home);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), homeBefore);
    EXPECT_GE(p.scan.grabZovButtonWithPageName(QStringLiteral("news.zovweb")), 0);
}

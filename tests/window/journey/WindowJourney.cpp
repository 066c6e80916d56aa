// A user's journey through the document window on a real X server (Xvfb),
// driven by real mouse and key events from xdotool: a new project from an
// empty folder, pages added from the listing's menu, one renamed in the
// project settings sheet, one page icon dragged onto another, one page
// deleted, the page saved, the window closed and the project opened again.
// Alerts and file panels are scripted.
#include "app/SKTAppDelegate.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"
#include "window/ui/DocumentWindows.h"
#include "window/ui/WebsiteSettingsWindowController.h"
#include "window/ui/WindowSheetCommands.h"
#include "window/ui/PageListingClipView.h"
#include "window/ui/SKTWindowController.h"
#include "window/ui/ZovNSButton.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs xdotool with the given commands and waits for it, the event loop turning.
void xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(process.waitForStarted()) << "xdotool is missing (apt-get install xdotool)";
    for (int i = 0; i < 200 && process.state() != QProcess::NotRunning; ++i)
        QTest::qWait(25);
    QTest::qWait(150);
}

QStringList at(const QPoint &global)
{
    return {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())};
}

// Clicks the named item of the next menu that pops up (the menu runs its own
// loop, so the click is armed before the menu opens).
void armMenuClick(const QString &actionName)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, actionName] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        for (QAction *action : menu->actions()) {
            if (action->objectName() != actionName || !action->isEnabled())
                continue;
            const QPoint point = menu->mapToGlobal(menu->actionGeometry(action).center());
            QProcess::startDetached(QStringLiteral("xdotool"), at(point) + QStringList{QStringLiteral("sleep"),
                                                                                        QStringLiteral("0.2"),
                                                                                        QStringLiteral("click"),
                                                                                        QStringLiteral("1")});
            return;
        }
        menu->close();
    });
    timer->start();
}

void contextClick(QWidget *widget, const QPoint &local)
{
    const QPoint global = widget->mapToGlobal(local);
    xdotool(at(global) + QStringList{QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("click"),
                                     QStringLiteral("3")});
    QTest::qWait(300);
}

QStringList listed(SKTWindowController *w)
{
    QStringList names;
    for (const PageEntry &e : w->project().scan.siteIconArray)
        names << e.pageName;
    return names;
}

ZovNSButton *icon(SKTWindowController *w, const QString &page)
{
    for (ZovNSButton *b : w->pageListing()->buttons())
        if (b->entry.pageName == page)
            return b;
    return nullptr;
}

QString readText(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class WindowJourney : public TempDirTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run with QT_QPA_PLATFORM=xcb";
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("HTML Zov Pro");
        gDocumentExtension = QStringLiteral("zovpage");
        gPageNoun = QStringLiteral("page");
        gBaseTemplateName = QStringLiteral("basetemplate.zovpage");
        gWorkFolder = path(QStringLiteral("work"));
        gReceivedPagesFolder = QStringLiteral("Received");
        gUsesPageOrderIndex = true;
        gCanvasDragOption = true;
        gInspectorExpanded = true;
        gPageTitleEnabled = true;
        QDir().mkpath(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
        SKTAppDelegate::shared().setResourcesFolder(path(QStringLiteral("resources")));
        registerDocumentWindows();
        registerWindowSheetCommands();
    }
    void TearDown() override
    {
        for (SKTWindowController *w : SKTWindowController::allWindows()) {
            w->document().markClean();
            w->close();
        }
        QTest::qWait(100);
        DocumentController::shared().setWindowControllerFactory({});
        SKTAppDelegate::shared().setProjectWindows({});
        EditionSettings::resetToInitialState();
    }
    SKTWindowController *window()
    {
        const auto all = SKTWindowController::allWindows();
        return all.size() == 1 ? all.first() : nullptr;
    }

    ScopedUserDefaults defaults;
    ScriptedAlerts alerts;
    ScriptedFilePanels panels;
};

TEST_F(WindowJourney, FromAnEmptyFolderToAReopenedProject)
{
    const QString folder = path(QStringLiteral("Journey Site"));
    panels.answer(folder);
    SKTAppDelegate::shared().addNewWebsite();
    QTest::qWait(200);
    SKTWindowController *w = window();
    ASSERT_NE(w, nullptr);
    w->move(0, 0);
    w->resize(1280, 800);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    w->activateWindow();
    QTest::qWait(300);
    ASSERT_EQ(listed(w), QStringList{"page1.zovpage"});

    // Two pages added from the listing's menu, opened by a right click below the icons.
    for (int i = 0; i < 2; ++i) {
        QWidget *grid = w->pageListing()->gridView();
        armMenuClick(QStringLiteral("directlyAddBlankPage"));
        contextClick(grid, QPoint(grid->width() / 2, grid->height() - 20));
        QTest::qWaitFor([&] { return listed(w).size() == i + 2; }, 10000);
    }
    ASSERT_EQ(listed(w), (QStringList{"page1.zovpage", "page2.zovpage", "page3.zovpage"}));

    // page2 renamed "contact" in the project settings sheet, opened from the toolbar.
    QAction *settings = w->editionToolbar()->findChild<QAction *>(QStringLiteral("showWebsitePreferences"));
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(settings->isEnabled());
    QWidget *settingsButton = w->editionToolbar()->widgetForAction(settings);
    ASSERT_NE(settingsButton, nullptr);
    xdotool(at(settingsButton->mapToGlobal(settingsButton->rect().center())) + QStringList{"click", "1"});
    WebsiteSettingsWindowController *sheet = nullptr;
    QTest::qWaitFor([&] {
        sheet = w->findChild<WebsiteSettingsWindowController *>();
        return sheet && sheet->isVisible();
    }, 10000);
    ASSERT_NE(sheet, nullptr);
    QLineEdit *nameField = nullptr;
    for (QLineEdit *field : sheet->tableView()->findChildren<QLineEdit *>())
        if (field->text() == QLatin1String("page2") || field->text() == QLatin1String("page2.zovpage"))
            nameField = field;
    ASSERT_NE(nameField, nullptr);
    QTest::qWait(300);
    xdotool(at(nameField->mapToGlobal(nameField->rect().center()))
            + QStringList{"click", "1", "sleep", "0.2", "key", "ctrl+a", "sleep", "0.1", "type", "--delay", "30", "contact"});
    QTest::qWaitFor([&] { return nameField->text().startsWith(QLatin1String("contact")); }, 5000);
    ASSERT_TRUE(nameField->text().startsWith(QLatin1String("contact"))) << nameField->text().toStdString();
    xdotool(at(sheet->saveButton->mapToGlobal(sheet->saveButton->rect().center())) + QStringList{"click", "1"});
    QTest::qWaitFor([&] { return listed(w).contains(QStringLiteral("contact.zovpage")); }, 10000);
    const QStringList renamed = {"page1.zovpage", "contact.zovpage", "page3.zovpage"};
    ASSERT_EQ(listed(w), renamed);
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("page2.zovpage"))));

    // page1's icon dragged onto page3's: page1 moves after page3.
    ZovNSButton *from = icon(w, QStringLiteral("page1.zovpage"));
    ZovNSButton *onto = icon(w, QStringLiteral("page3.zovpage"));
    ASSERT_TRUE(from && onto);
    const QPoint start = from->mapToGlobal(from->rect().center());
    const QPoint end = onto->mapToGlobal(onto->rect().center());
    QStringList drag = at(start) + QStringList{"sleep", "0.2", "mousedown", "1", "sleep", "0.2"};
    for (int step = 1; step <= 10; ++step) {
        const QPoint p = start + (end - start) * step / 10;
        drag += at(p) + QStringList{"sleep", "0.1"};
    }
    drag += QStringList{"sleep", "0.3", "mouseup", "1"};
    xdotool(drag);
    const QStringList moved = {"contact.zovpage", "page3.zovpage", "page1.zovpage"};
    QTest::qWaitFor([&] { return listed(w) == moved; }, 10000);
    ASSERT_EQ(listed(w), moved);

    // page3 deleted from its icon's menu; the confirmation is answered "Delete".
    alerts.answer(QStringLiteral("Delete"));
    ZovNSButton *doomed = icon(w, QStringLiteral("page3.zovpage"));
    ASSERT_NE(doomed, nullptr);
    armMenuClick(QStringLiteral("deletePage"));
    contextClick(doomed, doomed->rect().center());
    const QStringList remaining = {"contact.zovpage", "page1.zovpage"};
    QTest::qWaitFor([&] { return listed(w) == remaining; }, 10000);
    EXPECT_EQ(alerts.messages().last(), QStringLiteral("Confirm File Deletion"));
    ASSERT_EQ(listed(w), remaining);

    // The page shown is clicked, saved and the window closed.
    ZovNSButton *first = icon(w, QStringLiteral("page1.zovpage"));
    ASSERT_NE(first, nullptr);
    xdotool(at(first->mapToGlobal(first->rect().center())) + QStringList{"click", "1"});
    QTest::qWaitFor([&] { return QFileInfo(w->document().fileURLPath).fileName() == QLatin1String("page1.zovpage"); }, 10000);
    EXPECT_EQ(QFileInfo(w->document().fileURLPath).fileName(), QStringLiteral("page1.zovpage"));
    EXPECT_TRUE(ResponderChain::send(w->responderChain(), QStringLiteral("saveDocument"), {}));
    w->close();
    QTest::qWait(300);
    EXPECT_TRUE(SKTWindowController::allWindows().isEmpty());

    // The folder holds the two pages and their order; reopened, the listing shows it.
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    files.removeAll(QStringLiteral("site.zovs"));  // the settings sheet writes the site's texts
    EXPECT_EQ(files, (QStringList{"contact.zovpage", "order.index", "page1.zovpage"}));
    EXPECT_EQ(readText(QDir(folder).filePath(QStringLiteral("order.index"))),
              QStringLiteral("contact.zovpage,0\npage1.zovpage,1\n"));
    SKTAppDelegate::shared().launchSelectedWebsite(folder, false);
    QTest::qWait(300);
    w = window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(listed(w), remaining);
    EXPECT_EQ(w->pageListing()->buttons().size(), 2);
}

#pragma once
// Real document windows over a project folder in the web edition: the
// windows the application opens, closed again after each test.
#include "ProjectFixture.h"
#include "support/ScopedEnvironment.h"

#include "app/SKTAppDelegate.h"
#include "document/DocumentController.h"
#include "window/ui/DocumentWindows.h"
#include "window/ui/SKTWindowController.h"

#include <QCoreApplication>
#include <memory>

class DocumentWindowTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        // Deleted pages go to a trash of the test's own.
        dataHome = std::make_unique<ScopedEnvironment>("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        gAppName = QStringLiteral("HTML Zov Pro");
        gUsesPageOrderIndex = true;
        SKTAppDelegate::shared().setResourcesFolder(path(QStringLiteral("resources")));
        registerDocumentWindows();
    }
    void TearDown() override
    {
        for (SKTWindowController *w : SKTWindowController::allWindows()) {
            w->document().markClean();
            w->close();
        }
        settle();
        DocumentController::shared().setWindowControllerFactory({});
        SKTAppDelegate::shared().setProjectWindows({});
        dataHome.reset();
        ProjectTest::TearDown();
    }
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    static SKTWindowController *onlyWindow()
    {
        const auto windows = SKTWindowController::allWindows();
        return windows.size() == 1 ? windows.first() : nullptr;
    }
    std::unique_ptr<ScopedEnvironment> dataHome;
};

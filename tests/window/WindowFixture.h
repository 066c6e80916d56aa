#pragma once
// Real document windows over a project folder in the web edition: the
// windows the application opens, closed again after each test.
#include "ProjectFixture.h"

#include "app/SKTAppDelegate.h"
#include "document/DocumentController.h"
#include "window/ui/DocumentWindows.h"
#include "window/ui/SKTWindowController.h"

#include <QCoreApplication>

class DocumentWindowTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
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
};

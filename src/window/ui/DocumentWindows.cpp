#include "window/ui/DocumentWindows.h"

#include "window/ProjectLauncher.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "platform/ui/ActionBinding.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/PageImportCommands.h"
#include "window/ui/RecordCommands.h"
#include "window/ui/SKTWindowController.h"
#include "window/ui/TemplateSiteChooser.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

void registerDocumentWindows(const QStringList &paths)
{
    // Menus and toolbars reach the active document window; the application
    // shell installs the same chain with its delegate at the end.
    ActionBinding::installActiveWindowChain(nullptr);
    DocumentController::shared().setWindowControllerFactory([](SKTDocument &document) {
        auto *window = new SKTWindowController(document);
        window->setAttribute(Qt::WA_DeleteOnClose);
        // The document goes once its window, which shows it, is gone.
        SKTDocument *doc = &document;
        QObject::connect(window, &QObject::destroyed, qApp, [doc] { DocumentController::shared().closeDocument(doc); },
                         Qt::QueuedConnection);
        window->show();
    });
    ProjectLauncher::ProjectWindows windows;
    windows.focusProject = [](const QString &folder) {
        SKTWindowController *window = SKTWindowController::windowForProject(folder);
        if (!window)
            return false;
        window->show();
        window->raise();
        window->activateWindow();
        return true;
    };
    windows.attachProject = [](SKTDocument &document, const QString &folder) {
        if (SKTWindowController *window = SKTWindowController::windowForDocument(&document)) {
            window->setOpenWebsiteFolderPath(folder);
            window->addPlaceHolder();
        }
    };
    ProjectLauncher::shared().setProjectWindows(windows);

    registerRecordCommands();
    registerPageImportCommands();
    // Opening and creating projects and pages, from the application's menus
    // and the welcome window.
    CommandRegistry::addApplicationCommands(QStringLiteral("projects"), [](ActionMap &commands) {
        ProjectLauncher &delegate = ProjectLauncher::shared();
        commands.add(QStringLiteral("addNewWebsite"), [&delegate](const ActionItemState &) { delegate.addNewWebsite(); });
        commands.add(QStringLiteral("openWebsite"), [&delegate](const ActionItemState &) { delegate.openWebsite(); });
        commands.add(QStringLiteral("openNewDoc"), [&delegate](const ActionItemState &) { delegate.openNewDoc(); });
        commands.add(QStringLiteral("openSample"), [&delegate](const ActionItemState &) { delegate.openSample(); },
                     [](ActionItemState &) { return !gSampleDocumentFile.isEmpty(); });
        commands.add(QStringLiteral("showSiteLevelTemplate"),
                     [](const ActionItemState &) { TemplateSiteChooser::showShared(); });
    });
    if (paths.isEmpty())
        return;
    QTimer::singleShot(0, qApp, [paths] {
        for (const QString &path : paths) {
            const QFileInfo info(path);
            if (info.isDir())
                ProjectLauncher::shared().launchSelectedWebsite(info.absoluteFilePath(), false);
            else
                ProjectLauncher::shared().openPageAlone(info.absoluteFilePath());
        }
    });
}

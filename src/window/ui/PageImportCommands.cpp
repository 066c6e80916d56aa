#include "window/ui/PageImportCommands.h"

#include "config/EditionSettings.h"
#include "platform/FilePanels.h"
#include "window/ProjectPages.h"
#include "platform/ui/CommandRegistry.h"

#include <QWidget>

void registerPageImportCommands()
{
    CommandRegistry::addWindowCommands(QStringLiteral("pageImport"), [](ActionMap &commands, const DocumentWindowContext &c) {
        commands.add(
            QStringLiteral("importMultiplePages"),
            [c](const ActionItemState &) {
                ProjectPages *project = c.project;
                if (!project)
                    return;
                OpenPanelOptions options;
                options.title = QStringLiteral("Import Multiple Pages");
                options.prompt = QStringLiteral("Import");
                options.allowedTypes = {gDocumentExtension};
                options.allowsMultipleSelection = true;
                FilePanels::current().showOpenPanel(options, c.window, [project](const QStringList &paths) {
                    // A page that cannot come in (its name taken, not a page)
                    // is reported on its own; the others are still copied.
                    for (const QString &path : paths)
                        project->grabDraggedInPage(path);
                });
            },
            // Pages come into a project, never into a page opened alone.
            [c](ActionItemState &) { return !c.currentProjectFolder().isEmpty(); });
    });
}

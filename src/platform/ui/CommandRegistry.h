#pragma once
// Where each part of the program adds its commands. A document window builds
// its command table from every window installer when it opens; the
// application delegate builds its own from the application installers. Each
// subsystem registers once, from main(), before any window exists, so the
// window knows nothing of mail, publishing or printing and they know nothing
// of its widgets.
#include "platform/ActionResponder.h"

#include <QString>

#include <functional>

class ProjectPages;
class ProjectWindowHost;
class QWidget;
class SKTDocument;
class SKTGraphicView;

// What a window command may reach. The page open in a project window changes
// as the user switches pages, so the document and the canvas are asked for at
// the moment the command runs.
struct DocumentWindowContext {
    QWidget *window = nullptr;                       // parent for sheets and alerts
    std::function<SKTDocument *()> document;         // the page in the window, or null
    std::function<SKTGraphicView *()> canvas;        // its canvas, or null
    std::function<QString()> projectFolder;          // empty for a page opened alone
    ProjectWindowHost *host = nullptr;               // refreshes the listing, icons ...
    ProjectPages *project = nullptr;                 // the project's pages (switching, adding ...)

    SKTDocument *currentDocument() const { return document ? document() : nullptr; }
    SKTGraphicView *currentCanvas() const { return canvas ? canvas() : nullptr; }
    QString currentProjectFolder() const { return projectFolder ? projectFolder() : QString(); }
};

namespace CommandRegistry {

using WindowInstaller = std::function<void(ActionMap &commands, const DocumentWindowContext &context)>;
using ApplicationInstaller = std::function<void(ActionMap &commands)>;

// Registering again under the same name replaces the earlier installer.
void addWindowCommands(const QString &name, WindowInstaller installer);
void addApplicationCommands(const QString &name, ApplicationInstaller installer);

void installWindowCommands(ActionMap &commands, const DocumentWindowContext &context);
void installApplicationCommands(ActionMap &commands);

// For tests: forgets every installer.
void clear();

}  // namespace CommandRegistry

#include "app/ui/ProgramCommands.h"

#include "app/ui/TemplateCommands.h"
#include "canvas/ui/CompositeCommands.h"
#include "canvas/ui/InsertionCommands.h"
#include "printing/ui/PrintingCommands.h"
#include "publishing/ui/MailCommands.h"
#include "publishing/ui/PublishingCommands.h"
#include "canvas/ui/SidebarCommands.h"
#include "window/ui/DocumentWindows.h"
#include "window/ui/WindowSheetCommands.h"

void registerProgramCommands()
{
    registerDocumentWindows();      // document windows: projects and pages alone
    registerPublishingCommands();   // publishing: window and application commands
    registerPrintingCommands();     // printing: window commands
    registerTemplateCommands();     // templates: chooser and new documents from templates
    registerWindowSheetCommands();  // window sheets: add page, settings, canvas size, export, photo pages
    registerInsertionCommands();    // canvas: the Insert menu's makers, answered by the canvas
    registerMailCommands();         // mail: send road, recipients, contacts, image hosting
    registerInspectorCommands();    // inspector: its panes, saved texts, pickers and pop-overs
    registerCompositeCommands();    // tables, composites, grid pictures, slides and form fields
}

#pragma once
// The document-window commands of composites and pictures: table rows and
// columns, joins, the table of contents and site map, tables, and the
// picture and PDF inserts, replacement, crop and click-to-enlarge. Each
// command builds its insertion context when it runs, on the page the window
// shows then.
class ActionMap;
struct DocumentWindowContext;

void installCompositeCommands(ActionMap &commands, const DocumentWindowContext &context);
// Pictures of galleries, tables and sections, and slideshow slides.
void installGridPictureCommands(ActionMap &commands, const DocumentWindowContext &context);
// Form fields, groups, options and their flags.
void installFormCommands(ActionMap &commands, const DocumentWindowContext &context);
// Adds all three to every document window.
void registerCompositeCommands();

#pragma once
// Printing's commands in every document window: sheets of the same or of
// different labels printed or exported as PDF, folding and business cards,
// chosen label spots, the composed sheet view and the page alone, and the
// project as a PDF book or on paper. The window's pages, its template and its
// canvas are read when a command runs.
class ActionMap;
struct DocumentWindowContext;
struct PrintContext;

// Registers the window commands with CommandRegistry; main() calls it once.
void registerPrintingCommands();

void installPrintingWindowCommands(ActionMap &commands, const DocumentWindowContext &context);

// What a print command knows of the window at the moment it runs: the project's
// pages and their cached pictures, the open page, the document's label template
// (with the paper of its stock) and the project's folder name.
PrintContext printContextFor(const DocumentWindowContext &context);

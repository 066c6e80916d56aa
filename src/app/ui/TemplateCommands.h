#pragma once
// The template commands of the application: the chooser for new work or a new
// page, and new untitled documents from the chosen template or the blank page.
// Also lets the delegate make the chooser window.
void registerTemplateCommands();

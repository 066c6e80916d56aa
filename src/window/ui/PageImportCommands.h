#pragma once
// "Import Multiple Pages...": page files chosen together are copied into the
// open project, each as if it had been dropped on the page listing.
void registerPageImportCommands();

#pragma once
// Every document the program opens gets its window: a page alone, or the
// page of a project with the project's listing.
#include <QStringList>

// paths: folders open as projects, page files alone, once the event loop runs.
void registerDocumentWindows(const QStringList &paths = {});

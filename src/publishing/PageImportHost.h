#pragma once
// What the "Import Page" window and the publishing commands ask of the
// program's page import: the application delegate implements it, and
// shared() is defined beside the delegate, so neither includes it.
#include "publishing/ImportPageWindow.h"

#include <functional>
#include <memory>

class PageImportHost {
public:
    virtual ~PageImportHost() = default;

    // The program's page import (the application delegate).
    static PageImportHost &shared();

    // Makes the "Import Page" window (installed by the program's widgets).
    virtual void setImportPageWindowFactory(std::function<std::unique_ptr<ImportPageWindow>()> make) = 0;
    virtual void showPageImport() = 0;
    // Reads the window on the main thread, then imports on a worker.
    virtual void syncPage() = 0;
};

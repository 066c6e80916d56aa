#pragma once
// Finds and loads the web view module on first use: beside the program (the
// build tree), in ../lib/zov from it (an installed program), or in the build
// tree the program was built in (test programs). Loaded once and kept.
#include "publishing/ui/EmbeddedWebView.h"

#include <QString>
#include <memory>

class QWidget;

class WebViewModule {
public:
    WebViewModule() = delete;
    // A new view inside parent; null when the module is missing or could not
    // be loaded (the preview then opens in the default browser).
    static std::unique_ptr<EmbeddedWebView> create(QWidget *parent);
    // Whether this process has loaded the module (and with it the engine).
    static bool isLoaded();
    // The module's file that was loaded, or the reason it was not.
    static QString describe();
};

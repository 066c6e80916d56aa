#pragma once
// The embedded web view of the previews, as the program sees it. The view
// itself (and the web engine behind it) is a module of its own, loaded on
// the first preview (WebViewModule), so that starting the program never
// loads the engine. Everything here is inline: the module needs nothing
// from the program but this header.
#include <functional>

class QUrl;
class QWidget;

class EmbeddedWebView {
public:
    virtual ~EmbeddedWebView() = default;
    // The view's widget; its parent is the one the view was made for.
    virtual QWidget *widget() = 0;
    // Loads the file afresh: no page or picture comes from a cache.
    virtual void load(const QUrl &url) = 0;

    // A load of the main page ended (ok: it was shown).
    std::function<void(bool ok)> finished;
    // The engine behind the view stopped.
    std::function<void()> failed;
};

// The module's one entry: a new view inside parent.
using CreateEmbeddedWebView = EmbeddedWebView *(*)(QWidget *parent);
#define ZOV_WEBVIEW_ENTRY "zovCreateEmbeddedWebView"

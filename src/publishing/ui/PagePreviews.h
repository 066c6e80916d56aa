#pragma once
// A page document's two previews: the desktop preview (a fresh copy of the page's
// folder, in a new 1200-wide "Preview" window each time) and the mobile preview
// (the page file in place, in one "Mobile Preview" window reused). Whoever owns
// this for the document (its window) lets it go when the document closes; the
// desktop copies go with it.
#include "publishing/WebPreviewFolder.h"

#include <QObject>
#include <QPointer>
#include <memory>

class SKTDocument;
class WebPreviewWindow;

class PagePreviews : public QObject {
    Q_OBJECT
public:
    explicit PagePreviews(SKTDocument &document, QObject *parent = nullptr);
    ~PagePreviews() override;

    // Both write the page first; false when it could not be written.
    bool showWebPreview();
    bool showMobileWebPreview();

    WebPreviewWindow *webPreviewWindowController() const { return desktop_.get(); }
    WebPreviewWindow *mobileWebPreviewWindowController() const { return mobile_.get(); }
    const WebPreviewFolder &copies() const { return copies_; }

private:
    SKTDocument &document_;
    WebPreviewFolder copies_;
    std::unique_ptr<WebPreviewWindow> desktop_;
    std::unique_ptr<WebPreviewWindow> mobile_;
};

#pragma once
// What insertion needs of the canvas and its window: the page document, the
// visible part of the canvas, the zoom, the selection, the last click, the
// containers the menu validation found, alerts, file panels, the project's
// page list and the saved-text store. The canvas implements it; tests fill
// a double. Nothing here is a widget.
#include <QList>
#include <QPointF>
#include <QString>
#include <QRectF>
#include <functional>
#include <optional>

class Alerts;
class InsertionFrame;
class FilePanels;
class QObject;
class SKTDocument;
class SKTGraphic;
class SavedTextStore;

// One page of the project as the page list shows it.
struct InsertionPageEntry {
    QString pageTitle;
    QString pagePublishFileName;
};

// The containers the menu validation remembered for the command that follows.
// Plain pointers into the page: InsertionContext::stillOnPage checks them
// before use, so a graphic removed since is never touched.
// Runs work with a frame over the page the context shows then; false, running
// nothing, once that is no longer possible.
using InsertionFrameRunner = std::function<bool(const std::function<void(InsertionFrame &)> &)>;

struct InsertionSelectionCache {
    SKTGraphic *selectedTable = nullptr;
    SKTGraphic *selectedGalleryGrid = nullptr;
    SKTGraphic *selectedSlideshow = nullptr;
    SKTGraphic *selectedImage = nullptr;
    SKTGraphic *selectedTextbox = nullptr;
    SKTGraphic *selectedSnippet = nullptr;
    SKTGraphic *styleTextbox = nullptr;
};

class InsertionContext {
public:
    virtual ~InsertionContext() = default;

    virtual SKTDocument &document() = 0;
    // Top-left corner of the visible part of the canvas; none when the
    // canvas is not inside a scroll view.
    virtual std::optional<QPointF> visibleOrigin() const = 0;
    virtual double zoomFactor() const { return 1.0; }
    // The visible part of the canvas in page coordinates; null when not known.
    virtual QRectF visibleRect() const { return {}; }
    // The selected graphics, in page order.
    virtual QList<SKTGraphic *> selectedGraphics() const = 0;
    // Makes these the selection (a new object from a menu is selected).
    virtual void selectGraphics(const QList<SKTGraphic *> &) {}
    // Scrolls the canvas so that this part of the page shows.
    virtual void reveal(const QRectF &) {}
    // The point of the last mouse-down on the canvas.
    virtual QPointF lastTouchPoint() const = 0;
    virtual InsertionSelectionCache &cache() = 0;
    virtual Alerts &alerts() = 0;
    virtual FilePanels &filePanels() = 0;
    virtual QObject *window() const { return nullptr; }
    // Frames for work that finishes later (an open panel's answer, pictures
    // read on workers); none when this context cannot give them.
    virtual InsertionFrameRunner frameRunner() { return {}; }
    virtual QList<InsertionPageEntry> pageList() const { return {}; }
    virtual SavedTextStore &savedTexts() = 0;
    // The window re-applies a section's responsive alignment after its
    // objects were re-aligned.
    virtual void refocusResponsiveAlignment(SKTGraphic &) {}

    // The graphic when it is still on the page, else null.
    SKTGraphic *stillOnPage(SKTGraphic *graphic);
};

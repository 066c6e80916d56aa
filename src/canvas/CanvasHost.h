#pragma once
// What the canvas asks of the window that shows it and of the palette beside
// it: inspector refreshes, the layer listing, the zoom factor, the page path,
// and the window over which alerts appear. Every member has a harmless
// default, so a canvas without a window (tests, screenshots) needs no host.
#include "sidebar/LinkEditing.h"

#include <QColor>
#include <QList>
#include <QString>

class QObject;

class CanvasHost {
public:
    virtual ~CanvasHost() = default;

    // The selection changed: the inspector shows the new one. The canvas
    // calls this at most once per pass of the event loop.
    virtual void refreshInspector() {}
    virtual void refreshLayerListing() {}
    // A press on the canvas or beside it (the palette's pop-overs close).
    virtual void graphicTouched() {}
    virtual void setZoomFactor(double) {}
    // The project's pages in listing order (the link pop-over's page list).
    virtual QList<ProjectPage> projectPages() const { return {}; }
    // The window alerts are shown over (null: application-wide).
    virtual QObject *alertWindow() const { return nullptr; }
};

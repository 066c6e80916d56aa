#include "insertion/ui/CanvasInsertionContext.h"

#include "canvas/SKTGraphicView.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "window/ProjectPages.h"

#include <QWidget>

CanvasInsertionContext::CanvasInsertionContext(SKTDocument &document, SKTGraphicView *canvas, QWidget *window,
                                               ProjectPages *project, InsertionSelectionCache &cache)
    : m_document(document), m_canvas(canvas), m_window(window), m_project(project), m_cache(cache)
{
}

double CanvasInsertionContext::zoomFactor() const
{
    return m_canvas ? m_canvas->zoomFactor : 1.0;
}

QList<SKTGraphic *> CanvasInsertionContext::selectedGraphics() const
{
    return m_canvas ? m_canvas->selectedGraphics() : QList<SKTGraphic *>();
}

QPointF CanvasInsertionContext::lastTouchPoint() const
{
    return m_canvas ? m_canvas->lastTouchPoint() : QPointF();
}

Alerts &CanvasInsertionContext::alerts()
{
    return Alerts::current();
}

FilePanels &CanvasInsertionContext::filePanels()
{
    return FilePanels::current();
}

QObject *CanvasInsertionContext::window() const
{
    return m_window;
}

QList<InsertionPageEntry> CanvasInsertionContext::pageList() const
{
    QList<InsertionPageEntry> pages;
    if (!m_project)
        return pageListProvider ? pageListProvider() : pages;
    for (const PageEntry &entry : m_project->scan.siteIconArray)
        pages.append({entry.pageTitle, entry.pagePublishFileName});
    return pages;
}

#pragma once
// The insertion context of a document window's canvas: its page, selection,
// last click and zoom, the window for alerts and panels, and the project's
// page list. Made afresh for each command, since the page in the window
// changes as the user switches pages.
#include "insertion/InsertionContext.h"
#include "insertion/SavedTextStore.h"

#include <functional>

class QWidget;
class SKTGraphicView;
class ProjectPages;

class CanvasInsertionContext : public InsertionContext {
public:
    CanvasInsertionContext(SKTDocument &document, SKTGraphicView *canvas, QWidget *window, ProjectPages *project,
                           InsertionSelectionCache &cache);

    SKTDocument &document() override { return m_document; }
    std::optional<QPointF> visibleOrigin() const override { return std::nullopt; }
    double zoomFactor() const override;
    QList<SKTGraphic *> selectedGraphics() const override;
    QPointF lastTouchPoint() const override;
    InsertionSelectionCache &cache() override { return m_cache; }
    Alerts &alerts() override;
    FilePanels &filePanels() override;
    QObject *window() const override;
    QList<InsertionPageEntry> pageList() const override;
    SavedTextStore &savedTexts() override { return m_savedTexts; }

    // The page list when no project is given (a canvas that knows its own).
    std::function<QList<InsertionPageEntry>()> pageListProvider;

private:
    SKTDocument &m_document;
    SKTGraphicView *m_canvas;
    QWidget *m_window;
    ProjectPages *m_project;
    InsertionSelectionCache &m_cache;
    SavedTextStore m_savedTexts;
};

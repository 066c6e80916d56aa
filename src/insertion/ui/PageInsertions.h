#pragma once
// The canvas's insertion operations, answered by this subsystem: table
// copies for Duplicate and paste, the option controls that go with deleted
// labels, and the palette's dropped code names (sections, tables,
// composites, slideshows, form fields, pictures and PDF pages, section
// backgrounds). The document window hands one to its canvas
// (SKTGraphicView::setInsertions).
#include "canvas/CanvasInsertions.h"

#include "insertion/InsertionContext.h"

#include <QPointer>
#include <functional>

class QWidget;
class SKTGraphicView;
class ProjectPages;

class PageInsertions : public CanvasInsertions {
public:
    PageInsertions(SKTGraphicView *canvas = nullptr, QWidget *window = nullptr, ProjectPages *project = nullptr)
        : m_canvas(canvas), m_window(window), m_project(project)
    {
    }

    SKTGraphic *duplicateTable(SKTDocument &document, SKTTable &table, int32_t y) override;
    QList<SKTGraphic *> fetchAllPartnerViews(SKTDocument &document, const QList<SKTGraphic *> &selection) override;
    bool insertCodeName(SKTDocument &document, const DropCodeName &code, const QPointF &point) override;

    // The page list when no project is given.
    std::function<QList<InsertionPageEntry>()> pageListProvider;

    // The drop actions answered here.
    static QStringList dropActions();
    // Hands these makers to the canvas's insertion adapter by action name, so
    // that a drop on any canvas reaches them through the one dispatcher.
    static void registerDropMakers();

private:
    SKTGraphicView *m_canvas;
    QPointer<QWidget> m_window;
    ProjectPages *m_project;
};

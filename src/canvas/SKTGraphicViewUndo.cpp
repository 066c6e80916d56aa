// Undo and redo that select what the step brought back or changed, and the
// selection commands.
#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

void SKTGraphicView::undo() { undoOrRedo(true); }
void SKTGraphicView::redo() { undoOrRedo(false); }

void SKTGraphicView::undoOrRedo(bool backwards)
{
    if (!m_document)
        return;
    // Collects what the step inserts or changes (graphicNeedsDisplay).
    m_undoSelection.emplace();
    if (backwards)
        m_document->undoManager().undo();
    else
        m_document->undoManager().redo();
    QList<SKTGraphic *> touched;
    for (SKTGraphic *g : graphics())
        if (m_undoSelection->contains(g))
            touched.append(g);
    m_undoSelection.reset();
    if (!touched.isEmpty())
        setSelectedGraphics(touched);
}

void SKTGraphicView::noteUndoTouched(const SKTGraphic *graphic)
{
    if (m_undoSelection)
        m_undoSelection->insert(graphic);
}

QList<SKTGraphic *> SKTGraphicView::grabSelectableArray(const QList<SKTGraphic *> &graphics)
{
    QList<SKTGraphic *> list;
    for (SKTGraphic *g : graphics)
        if (g->selectable())
            list.append(g);
    return list;
}

void SKTGraphicView::selectAll()
{
    // Exactly the selectable graphics, wherever they stand in the page: a
    // page whose base-template graphics are not all at the back must not get
    // them selected.
    const QList<SKTGraphic *> selectable = grabSelectableArray(graphics());
    if (selectable.isEmpty())
        return;
    setSelectedGraphics(selectable);
    if (m_host)
        m_host->graphicTouched();
}

void SKTGraphicView::manuallySelectObject(qsizetype objectIndex)
{
    const QList<SKTGraphic *> all = graphics();
    if (objectIndex < 0 || objectIndex >= all.size())
        return;
    QList<qsizetype> indexes = selectionIndexes();
    if (!indexes.contains(objectIndex))
        indexes.append(objectIndex);
    std::sort(indexes.begin(), indexes.end());
    setSelectionIndexes(indexes);
}

QList<SKTGraphic *> SKTGraphicView::textAreas() const { return graphicsWithClass<SKTText>(); }
QList<SKTGraphic *> SKTGraphicView::images() const { return graphicsWithClass<SKTImage>(); }
QList<SKTGraphic *> SKTGraphicView::slideshows() const { return graphicsWithClass<SKTSlideshow>(); }
QList<SKTGraphic *> SKTGraphicView::galleries() const { return graphicsWithClass<SKTGalleryGrid>(); }
QList<SKTGraphic *> SKTGraphicView::tables() const { return graphicsWithClass<SKTTable>(); }

#include "canvas/SKTGraphicView.h"

#include "canvas/CanvasHost.h"
#include "canvas/CanvasInsertions.h"
#include "canvas/CanvasMenuValidator.h"
#include "canvas/MarqueeGesture.h"
#include "canvas/MoveGesture.h"
#include "canvas/ResizeGesture.h"
#include "canvas/SKTGrid.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/GraphicRenderer.h"
#include "model/SKTGraphic.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "model/ShadowBlur.h"
#include "platform/Alerts.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
// Graphics with no area are not found by an area index; few exist (a flat
// line), so they are kept in a list and checked one by one.
bool hasArea(const QRectF &r)
{
    return r.width() > 0 && r.height() > 0;
}

CanvasInsertions &noInsertions()
{
    static CanvasInsertions none;
    return none;
}

} // namespace

SKTGraphicView::SKTGraphicView(QObject *parent) : QObject(parent)
{
    m_handleTimer.setSingleShot(true);
    connect(&m_handleTimer, &QTimer::timeout, this, [this] { setHidingHandles(false); });
}

SKTGraphicView::~SKTGraphicView()
{
    if (m_gesture)
        cancelGesture();
    if (GraphicEnvironment::current() == this)
        GraphicEnvironment::setCurrent(nullptr);
}

CanvasInsertions *SKTGraphicView::insertions() const
{
    return m_insertions ? m_insertions : &noInsertions();
}

// --- bindings ----------------------------------------------------------------

void SKTGraphicView::setDocument(SKTDocument *document)
{
    if (m_gesture)
        cancelGesture();
    stopEditing();
    if (m_documentEvents)
        disconnect(m_documentEvents, nullptr, this, nullptr);
    m_document = document;
    m_documentEvents = document ? &document->events() : nullptr;
    m_selection.clear();
    m_present.clear();
    m_index.clear();
    m_reach.clear();
    if (document) {
        DocumentEvents *events = &document->events();
        connect(events, &DocumentEvents::graphicsChanged, this, &SKTGraphicView::graphicsChanged);
        connect(events, &DocumentEvents::graphicNeedsDisplay, this, &SKTGraphicView::graphicNeedsDisplay);
        connect(events, &DocumentEvents::canvasSizeChanged, this, [this] {
            m_frameSize = QSizeF();
            emit canvasSizeChanged();
        });
    }
    rebuildIndex();
    emit needsDisplay();
    emit selectionChanged();
}

QList<SKTGraphic *> SKTGraphicView::graphics() const
{
    return m_document ? m_document->graphicPointers() : QList<SKTGraphic *>();
}

void SKTGraphicView::setGrid(SKTGrid *grid)
{
    if (m_grid == grid)
        return;
    if (m_grid)
        disconnect(m_grid, nullptr, this, nullptr);
    m_grid = grid;
    if (grid)
        connect(grid, &SKTGrid::changed, this, &SKTGraphicView::needsDisplay);
    emit needsDisplay();
}

void SKTGraphicView::setCanvasFrameSize(const QSizeF &size)
{
    m_frameSize = size.isValid() && !size.isEmpty() ? size : QSizeF();
    emit canvasSizeChanged();
    emit needsDisplay();
}

QRectF SKTGraphicView::canvasBounds() const
{
    if (!m_frameSize.isEmpty())
        return QRectF(QPointF(0, 0), m_frameSize);
    const QSizeF size = m_document ? m_document->pageCanvasSize() : QSizeF(gCanvasWidth, gCanvasMaxHeight);
    return QRectF(QPointF(0, 0), size.isValid() && !size.isEmpty() ? size : QSizeF(1000, 1000));
}

QRectF SKTGraphicView::paintReach(SKTGraphic &graphic)
{
    // The same room the renderer clips each graphic to.
    const double shadow = ShadowBlur::reach(std::max(double(graphic.shadowRadius()), 3.0))
                          + std::fabs(graphic.shadowHorizontalOffset()) + std::fabs(graphic.shadowVerticalOffset())
                          + 2.0;
    return graphic.drawingBounds().adjusted(-shadow, -shadow, shadow, shadow);
}

void SKTGraphicView::rebuildIndex()
{
    m_index.clear();
    m_reach.clear();
    m_present.clear();
    m_flat.clear();
    m_reachPad = 0;
    for (SKTGraphic *g : graphics())
        graphicNeedsDisplay(g);
    rebuildOrder();
}

void SKTGraphicView::rebuildOrder()
{
    m_order.clear();
    const QList<SKTGraphic *> all = graphics();
    m_order.reserve(all.size());
    for (qsizetype i = 0; i < all.size(); ++i)
        m_order.insert(all[i], i);
}

void SKTGraphicView::graphicNeedsDisplay(SKTGraphic *graphic)
{
    if (!graphic)
        return;
    noteUndoTouched(graphic);
    const QRectF reach = paintReach(*graphic);
    const QRectF bounds = graphic->bounds();
    const auto old = m_reach.constFind(graphic);
    if (old != m_reach.constEnd() && *old != reach)
        emit needsDisplayInRect(*old);
    emit needsDisplayInRect(reach);
    m_reach.insert(graphic, reach);
    m_present.insert(graphic);
    if (m_index.contains(graphic))
        m_index.update(graphic);
    else
        m_index.insert(graphic);
    // How far any paint reaches beyond its bounds: a query widened by this
    // finds every graphic whose paint meets the query.
    // Filed by their paint reach, which has area, so a query meets them.
    if (!hasArea(bounds))
        m_flat.insert(graphic, reach);
    else
        m_flat.remove(graphic);
    if (hasArea(bounds)) {
        m_reachPad = std::max({m_reachPad, bounds.left() - reach.left(), bounds.top() - reach.top(),
                               reach.right() - bounds.right(), reach.bottom() - bounds.bottom()});
    }
}

void SKTGraphicView::graphicsChanged()
{
    const QList<SKTGraphic *> now = graphics();
    QSet<const SKTGraphic *> nowSet(now.cbegin(), now.cend());
    // Graphics that left the page: stop editing them, drop them from the
    // selection and the index, and redraw where they were.
    if (m_editingGraphic && !nowSet.contains(m_editingGraphic))
        stopEditing();
    const QSet<const SKTGraphic *> before = m_selection;
    for (const SKTGraphic *g : std::as_const(m_present)) {
        if (nowSet.contains(g))
            continue;
        emit needsDisplayInRect(m_reach.value(g));
        m_reach.remove(g);
        m_index.remove(const_cast<SKTGraphic *>(g));
        m_flat.remove(const_cast<SKTGraphic *>(g));
        m_selection.remove(g);
    }
    m_present.intersect(nowSet);
    for (SKTGraphic *g : now)
        if (!m_present.contains(g))
            graphicNeedsDisplay(g);
    rebuildOrder();
    if (m_selection != before)
        selectionDidChange(before);
}

// --- selection -----------------------------------------------------------------

QList<qsizetype> SKTGraphicView::selectionIndexes() const
{
    QList<qsizetype> indexes;
    if (m_selection.isEmpty())
        return indexes;
    if (selectionByOrder(&indexes))
        return indexes;
    const QList<SKTGraphic *> all = graphics();
    for (qsizetype i = 0; i < all.size(); ++i)
        if (m_selection.contains(all[i]))
            indexes.append(i);
    return indexes;
}

QList<SKTGraphic *> SKTGraphicView::selectedGraphics() const
{
    QList<SKTGraphic *> list;
    if (m_selection.isEmpty())
        return list;
    QList<qsizetype> indexes;
    if (selectionByOrder(&indexes)) {
        const auto &all = m_document->graphics();
        list.reserve(indexes.size());
        for (qsizetype i : std::as_const(indexes))
            list.append(all[i].get());
        return list;
    }
    for (SKTGraphic *g : graphics())
        if (m_selection.contains(g))
            list.append(g);
    return list;
}

bool SKTGraphicView::selectionByOrder(QList<qsizetype> *indexes) const
{
    // A small selection on a large page is asked for often (menus, the
    // inspector): found from the selection itself, it costs what it holds.
    // Each remembered index is checked against the page; a page changed
    // before the view heard of it is walked instead.
    if (!m_document)
        return false;
    const auto &all = m_document->graphics();
    indexes->reserve(m_selection.size());
    for (const SKTGraphic *g : std::as_const(m_selection)) {
        const qsizetype i = m_order.value(g, -1);
        if (i < 0 || i >= all.size() || all[i].get() != g) {
            indexes->clear();
            return false;
        }
        indexes->append(i);
    }
    std::sort(indexes->begin(), indexes->end());
    return true;
}

void SKTGraphicView::setSelectionIndexes(const QList<qsizetype> &indexes)
{
    const QList<SKTGraphic *> all = graphics();
    QList<SKTGraphic *> list;
    for (qsizetype i : indexes)
        if (i >= 0 && i < all.size())
            list.append(all[i]);
    setSelectedGraphics(list);
}

void SKTGraphicView::setSelectedGraphics(const QList<SKTGraphic *> &list)
{
    QSet<const SKTGraphic *> next;
    for (SKTGraphic *g : list)
        if (g && m_present.contains(g))
            next.insert(g);
    if (next == m_selection)
        return;
    const QSet<const SKTGraphic *> before = m_selection;
    m_selection = next;
    selectionDidChange(before);
}

void SKTGraphicView::selectionDidChange(const QSet<const SKTGraphic *> &before)
{
    // Only graphics whose state changed are drawn again.
    for (const SKTGraphic *g : before)
        if (!m_selection.contains(g) && m_reach.contains(g))
            emit needsDisplayInRect(m_reach.value(g));
    for (const SKTGraphic *g : std::as_const(m_selection))
        if (!before.contains(g))
            emit needsDisplayInRect(m_reach.value(g));
    emit selectionChanged();
    scheduleInspectorRefresh();
}

void SKTGraphicView::scheduleInspectorRefresh()
{
    if (m_inspectorRefreshPending)
        return;
    m_inspectorRefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_inspectorRefreshPending = false;
        if (m_host)
            m_host->refreshInspector();
    });
}

// --- hit tests -----------------------------------------------------------------

QList<SKTGraphic *> SKTGraphicView::candidatesNear(const QRectF &rect) const
{
    const double pad = m_reachPad + 1;
    QList<SKTGraphic *> candidates = m_index.graphicsIntersecting(rect.adjusted(-pad, -pad, pad, pad));
    if (!m_flat.isEmpty()) {
        QSet<SKTGraphic *> seen(candidates.cbegin(), candidates.cend());
        for (SKTGraphic *g : m_flat.near(rect.adjusted(-pad, -pad, pad, pad)))
            if (!seen.contains(g))
                candidates.append(g);
    }
    return candidates;
}

QList<SKTGraphic *> SKTGraphicView::graphicsReaching(const QRectF &rect) const
{
    QList<SKTGraphic *> found;
    if (!m_document || !rect.isValid())
        return found;
    for (SKTGraphic *g : candidatesNear(rect))
        if (m_reach.value(g).intersects(rect))
            found.append(g);
    std::sort(found.begin(), found.end(),
              [this](SKTGraphic *a, SKTGraphic *b) { return m_order.value(a) < m_order.value(b); });
    return found;
}

SKTGraphic *SKTGraphicView::graphicUnderPoint(const QPointF &point, qsizetype *index, bool *selected, int *handle)
{
    // Only graphics whose drawing bounds may hold the point are asked, front
    // first: those the index finds near it, when their order is the page's.
    QList<std::pair<qsizetype, SKTGraphic *>> near;
    bool fromIndex = m_document && std::isfinite(point.x()) && std::isfinite(point.y());
    if (fromIndex) {
        const auto &page = m_document->graphics();
        for (SKTGraphic *g : candidatesNear(QRectF(point, QSizeF(0, 0)))) {
            const qsizetype i = m_order.value(g, -1);
            if (i < 0 || i >= page.size() || page[i].get() != g) {
                fromIndex = false;
                break;
            }
            near.append({i, g});
        }
    }
    if (fromIndex) {
        std::sort(near.begin(), near.end());
    } else {
        near.clear();
        const QList<SKTGraphic *> all = graphics();
        for (qsizetype i = 0; i < all.size(); ++i)
            near.append({i, all[i]});
    }
    for (const auto &[i, g] : std::as_const(near)) {
        if (!g->drawingBounds().contains(point))
            continue;
        const bool isSel = m_selection.contains(g);
        int h = 0;
        if (isSel)
            h = g->handleUnderPoint(point);
        const bool contents = m_onlyPointing && dynamic_cast<SKTSlideshow *>(g) ? g->bounds().contains(point)
                                                                               : g->isContentsUnderPoint(point);
        if (h == 0 && !contents)
            continue;
        if (index)
            *index = i;
        if (selected)
            *selected = isSel;
        if (handle)
            *handle = h;
        return g;
    }
    return nullptr;
}

SKTGraphic *SKTGraphicView::graphicPointedAt(const QPointF &point, bool *selected)
{
    const bool was = m_onlyPointing;
    m_onlyPointing = true;
    SKTGraphic *hit = graphicUnderPoint(point, nullptr, selected);
    m_onlyPointing = was;
    return hit;
}

QList<SKTGraphic *> SKTGraphicView::selectableGraphicsIntersectingRect(const QRectF &rect) const
{
    QList<SKTGraphic *> found;
    if (!m_document)
        return found;
    // Drawing bounds lie inside the paint reach, so the index finds them all.
    for (SKTGraphic *g : candidatesNear(rect))
        if (g->showsHandles() && g->drawingBounds().intersects(rect))
            found.append(g);
    return found;
}

QList<qsizetype> SKTGraphicView::indexesOfGraphicsIntersectingRect(const QRectF &rect) const
{
    QList<qsizetype> indexes;
    for (SKTGraphic *g : selectableGraphicsIntersectingRect(rect))
        indexes.append(m_order.value(g));
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

namespace {
// Plain shapes never join a group's moves.
bool joinsGroups(const SKTGraphic *g)
{
    return dynamic_cast<const SKTText *>(g) || dynamic_cast<const SKTImage *>(g)
           || dynamic_cast<const SKTGalleryGrid *>(g) || dynamic_cast<const SKTTable *>(g)
           || dynamic_cast<const SKTSlideshow *>(g) || dynamic_cast<const SKTLine *>(g);
}
} // namespace

QList<SKTGraphic *> SKTGraphicView::findMatchingGroupObjects(const SKTGraphic &graphic) const
{
    QList<SKTGraphic *> list;
    for (SKTGraphic *g : graphics())
        if (g != &graphic && joinsGroups(g) && g->groupNumber() == graphic.groupNumber())
            list.append(g);
    return list;
}

QList<SKTGraphic *> SKTGraphicView::withGroupPeers(const QList<SKTGraphic *> &selection) const
{
    QList<SKTGraphic *> moving = selection;
    QSet<SKTGraphic *> taken(selection.cbegin(), selection.cend());
    QSet<int32_t> groups;
    for (SKTGraphic *g : selection)
        if (g->groupNumber() != -99)
            groups.insert(g->groupNumber());
    if (groups.isEmpty())
        return moving;
    // One walk over the page for all groups: every peer once.
    for (SKTGraphic *g : graphics())
        if (!taken.contains(g) && joinsGroups(g) && groups.contains(g->groupNumber())) {
            taken.insert(g);
            moving.append(g);
        }
    return moving;
}

// --- gestures ---------------------------------------------------------------------

void SKTGraphicView::mouseDown(const QPointF &point, int clickCount, bool shift)
{
    if (m_gesture) // the last release never came
        cancelGesture();
    lastTouchPointValue = point;
    stopEditing();
    if (m_host)
        m_host->graphicTouched();
    if (!m_document)
        return;
    if (clickCount >= 2) {
        if (SKTGraphic *hit = graphicUnderPoint(point)) {
            startEditingGraphic(hit);
            return;
        }
    }
    if (gTableCellSelection && clickCount < 2)
        markSelectedTableCell();
    selectAndTrack(point, shift);
}

void SKTGraphicView::contextMenuClick(const QPointF &point)
{
    if (m_gesture)
        cancelGesture();
    stopEditing();
    contextMenuAt(point);
    if (m_host)
        m_host->graphicTouched();
    if (!m_document)
        return;
    bool selected = false;
    SKTGraphic *hit = graphicPointedAt(point, &selected);
    if (hit && !hit->showsHandles())
        hit = nullptr;
    if (!hit)
        deselectAll();
    else if (!selected)
        setSelectedGraphics({hit});
}

void SKTGraphicView::markSelectedTableCell()
{
    const QList<SKTGraphic *> selection = selectedGraphics();
    auto *table = selection.size() == 1 ? dynamic_cast<SKTTable *>(selection.front()) : nullptr;
    if (table && !table->isSection()) {
        if (const SKTTable::Cell cell = table->grabCurrentTableCellHelper()) {
            cell->selected = !cell->selected;
            if (cell->selected)
                table->reflectSelectedCellProperties(*cell);
            graphicNeedsDisplay(table);
        }
        return;
    }
    for (SKTTable *t : m_document->tables()) {
        for (const SKTTable::Cell &cell : t->cellHelperArray()) {
            if (cell && cell->selected) {
                cell->selected = false;
                graphicNeedsDisplay(t);
            }
        }
    }
}

void SKTGraphicView::selectAndTrack(const QPointF &point, bool shift)
{
    qsizetype index = -1;
    bool selected = false;
    int handle = 0;
    SKTGraphic *hit = graphicUnderPoint(point, &index, &selected, &handle);
    if (hit && !hit->showsHandles())
        hit = nullptr;
    if (!hit) {
        if (!shift)
            deselectAll();
        m_gesture = std::make_unique<MarqueeGesture>(*this, point);
        return;
    }
    if (handle != 0) {
        m_gesture = std::make_unique<ResizeGesture>(*this, *hit, handle);
        return;
    }
    if (shift) {
        QList<SKTGraphic *> next = selectedGraphics();
        if (selected)
            next.removeAll(hit);
        else
            next.append(hit);
        setSelectedGraphics(next);
    } else if (!selected) {
        setSelectedGraphics({hit});
    }
    if (!isSelected(hit))
        return; // a Shift-click took it out: the drag does nothing
    m_gesture = std::make_unique<MoveGesture>(*this, point);
}

void SKTGraphicView::mouseDragged(const QPointF &point)
{
    if (m_gesture)
        m_gesture->drag(point);
}

void SKTGraphicView::mouseUp(const QPointF &point)
{
    if (!m_gesture)
        return;
    std::unique_ptr<CanvasGesture> gesture = std::move(m_gesture);
    gesture->finish(point);
}

void SKTGraphicView::cancelGesture()
{
    if (!m_gesture)
        return;
    std::unique_ptr<CanvasGesture> gesture = std::move(m_gesture);
    gesture->cancel();
}

void SKTGraphicView::setMarqueeSelectionBounds(const QRectF &rect)
{
    if (rect == m_marquee)
        return;
    // The marquee is an outline: only the strips along its old and new edges
    // change, not the whole area inside (a step costs the same on any page).
    const double z = zoomFactor > 0 && std::isfinite(zoomFactor) ? zoomFactor : 1.0;
    const double pad = std::max(2.0, 2.0 / z);
    auto outline = [this, pad](const QRectF &r) {
        if (r.isNull())
            return;
        const QRectF o = r.adjusted(-pad, -pad, pad, pad);
        emit needsDisplayInRect(QRectF(o.left(), o.top(), o.width(), 2 * pad));
        emit needsDisplayInRect(QRectF(o.left(), o.bottom() - 2 * pad, o.width(), 2 * pad));
        emit needsDisplayInRect(QRectF(o.left(), o.top(), 2 * pad, o.height()));
        emit needsDisplayInRect(QRectF(o.right() - 2 * pad, o.top(), 2 * pad, o.height()));
    };
    outline(m_marquee);
    m_marquee = rect;
    outline(rect);
}

void SKTGraphicView::nameUndoAction(const QString &name)
{
    if (m_document)
        m_document->undoManager().setActionName(name);
}


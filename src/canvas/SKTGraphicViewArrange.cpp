// Arrangement commands of the canvas: edges, centres, equal spacing, the
// grid, same and natural size, and the stacking order. They change graphics
// only through setBounds and the document's insert and remove, so each change
// is part of the document's undo step.
#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"

#include <algorithm>
#include <cmath>
#include <memory>

SKTGraphic *SKTGraphicView::lastSelectedGraphic() const
{
    const QPointF p = lastTouchPointValue;
    for (SKTGraphic *g : selectedGraphics()) {
        const QRectF b = g->bounds();
        if (p.x() >= b.x() && p.x() < b.x() + b.width() && p.y() >= b.y() && p.y() < b.y() + b.height())
            return g;
    }
    return nullptr;
}

QList<SKTGraphic *> SKTGraphicView::selectableGraphics() const
{
    QList<SKTGraphic *> list;
    for (SKTGraphic *g : graphics())
        if (g->selectable())
            list.append(g);
    return list;
}

SKTGraphic *SKTGraphicView::alignmentReference() const
{
    // After a marquee that ended on empty canvas no selected graphic holds the
    // touch point; measuring against nothing would send the selection to 0.
    if (SKTGraphic *g = lastSelectedGraphic())
        return g;
    const QList<SKTGraphic *> selected = selectedGraphics();
    return selected.isEmpty() ? nullptr : selected.first();
}

void SKTGraphicView::alignEach(const std::function<QRectF(const QRectF &, const QRectF &)> &target,
                               const QString &name)
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (selected.size() >= 2) {
        if (SKTGraphic *ref = target ? alignmentReference() : nullptr) {
            const QRectF r = ref->bounds();
            for (SKTGraphic *g : selected) {
                const QRectF wanted = target(g->bounds(), r);
                // Unchanged graphics add nothing to the undo step.
                if (wanted != g->bounds())
                    g->setBounds(wanted);
            }
            nameUndoAction(name);
        }
    }
    reAlignFormOptions();
}

void SKTGraphicView::alignLeftEdges()
{
    alignEach([](const QRectF &b, const QRectF &r) { return QRectF(r.x(), b.y(), b.width(), b.height()); },
              QStringLiteral("Align Left Edges"));
}

void SKTGraphicView::alignRightEdges()
{
    alignEach([](const QRectF &b, const QRectF &r) {
        return QRectF(r.x() + r.width() - b.width(), b.y(), b.width(), b.height());
    }, QStringLiteral("Align Right Edges"));
}

void SKTGraphicView::alignTopEdges()
{
    alignEach([](const QRectF &b, const QRectF &r) { return QRectF(b.x(), r.y(), b.width(), b.height()); },
              QStringLiteral("Align Top Edges"));
}

void SKTGraphicView::alignBottomEdges()
{
    alignEach([](const QRectF &b, const QRectF &r) {
        return QRectF(b.x(), r.y() + r.height() - b.height(), b.width(), b.height());
    }, QStringLiteral("Align Bottom Edges"));
}

void SKTGraphicView::alignHorizontalCenters()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (selected.size() >= 2) {
        const QRectF r = selected.first()->bounds();
        const double x = (r.x() + r.width() / 2);
        for (SKTGraphic *g : selected) {
            const QRectF b = g->bounds();
            const double wanted = x - b.width() / 2;
            if (wanted != b.x())
                g->setBounds(QRectF(wanted, b.y(), b.width(), b.height()));
        }
        nameUndoAction(QStringLiteral("Align Horizontal Centers"));
    }
    reAlignFormOptions();
}

void SKTGraphicView::alignVerticalCenters()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (selected.size() >= 2) {
        const QRectF r = selected.first()->bounds();
        const double y = (r.y() + r.height() / 2);
        for (SKTGraphic *g : selected) {
            const QRectF b = g->bounds();
            const double wanted = y - b.height() / 2;
            if (wanted != b.y())
                g->setBounds(QRectF(b.x(), wanted, b.width(), b.height()));
        }
        nameUndoAction(QStringLiteral("Align Vertical Centers"));
    }
    reAlignFormOptions();
}

void SKTGraphicView::alignSpacing(bool horizontal)
{
    QList<SKTGraphic *> sorted = selectedGraphics();
    auto start = [horizontal](const SKTGraphic *g) { return horizontal ? g->bounds().x() : g->bounds().y(); };
    auto extent = [horizontal](const SKTGraphic *g) {
        return horizontal ? g->bounds().width() : g->bounds().height();
    };
    if (sorted.size() >= 3) {
        std::stable_sort(sorted.begin(), sorted.end(), [&](const SKTGraphic *a, const SKTGraphic *b) {
            return std::trunc(start(a)) < std::trunc(start(b));
        });
        const SKTGraphic *a = sorted[0];
        const SKTGraphic *b = sorted[1];
        const double endA = std::trunc(start(a) + extent(a));
        const double endB = std::trunc(start(b) + extent(b));
        double gap, edge;
        if (endB > endA) {
            gap = std::fabs(std::trunc(start(b)) - endA);
            edge = endB;
        } else {
            gap = std::fabs(std::trunc(start(a)) - endB);
            edge = endA;
        }
        for (qsizetype i = 2; i < sorted.size(); ++i) {
            SKTGraphic *g = sorted[i];
            const QRectF bounds = g->bounds();
            const double at = edge + gap;
            g->setBounds(horizontal ? QRectF(at, bounds.y(), bounds.width(), bounds.height())
                                    : QRectF(bounds.x(), at, bounds.width(), bounds.height()));
            edge = std::trunc(at + extent(g));
        }
    }
    reAlignFormOptions();
}

void SKTGraphicView::alignHorizontalSpacing() { alignSpacing(true); }
void SKTGraphicView::alignVerticalSpacing() { alignSpacing(false); }

void SKTGraphicView::makeSameWidth()
{
    alignEach([](const QRectF &b, const QRectF &r) { return QRectF(b.x(), b.y(), r.width(), b.height()); },
              QStringLiteral("Make Same Width"));
}

void SKTGraphicView::makeSameHeight()
{
    alignEach([](const QRectF &b, const QRectF &r) { return QRectF(b.x(), b.y(), b.width(), r.height()); },
              QStringLiteral("Make Same Height"));
}

void SKTGraphicView::makeSameSize()
{
    makeSameWidth();
    makeSameHeight();
}

void SKTGraphicView::alignWithGrid()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (selected.isEmpty() || !m_grid)
        return;
    for (SKTGraphic *g : selected) {
        const QRectF wanted = m_grid->alignedRect(g->bounds());
        if (wanted != g->bounds())
            g->setBounds(wanted);
    }
    nameUndoAction(QStringLiteral("Grid Selected Graphics"));
}

void SKTGraphicView::makeNaturalSize()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    for (SKTGraphic *g : selected)
        g->makeNaturalSize();
    nameUndoAction(QStringLiteral("Make Natural Size"));
}

void SKTGraphicView::moveGraphicToIndex(SKTGraphic *graphic, qsizetype at)
{
    const qsizetype from = m_document->indexOfGraphic(graphic);
    if (from < 0 || from == at)
        return;
    const QList<SKTGraphic *> keep = selectedGraphics();
    const std::shared_ptr<SKTGraphic> shared = m_document->graphics().at(from);
    m_document->removeGraphicAtIndex(from);
    m_document->insertGraphicAtIndex(shared, at);
    setSelectedGraphics(keep);
}

void SKTGraphicView::bringForward()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (m_document && !selected.isEmpty()) {
        SKTGraphic *g = selected.first();
        const QList<SKTGraphic *> all = graphics();
        const qsizetype i = all.indexOf(g);
        for (qsizetype k = 0; k < i; ++k)
            if (all[k]->bounds().intersects(g->bounds())) {
                moveGraphicToIndex(g, k);
                break;
            }
    }
    if (m_host)
        m_host->refreshLayerListing();
}

void SKTGraphicView::sendBackward()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (m_document && !selected.isEmpty()) {
        SKTGraphic *g = selected.first();
        const QList<SKTGraphic *> candidates = selectableGraphics();
        const qsizetype j = candidates.indexOf(g);
        if (j >= 0)
            for (qsizetype k = j + 1; k < candidates.size(); ++k)
                if (candidates[k]->bounds().intersects(g->bounds())) {
                    // T's index before G leaves is where G lands once it has left:
                    // just behind T.
                    moveGraphicToIndex(g, m_document->indexOfGraphic(candidates[k]));
                    break;
                }
    }
    if (m_host)
        m_host->refreshLayerListing();
}

void SKTGraphicView::bringToFront()
{
    const QList<qsizetype> indexes = selectionIndexes();
    if (m_document && !indexes.isEmpty()) {
        QList<std::shared_ptr<SKTGraphic>> moving;
        QList<qsizetype> targets;
        for (qsizetype i : indexes) {
            moving.append(m_document->graphics().at(i));
            targets.append(targets.size());
        }
        m_document->removeGraphicsAtIndexes(indexes);
        m_document->insertGraphics(moving, targets);
        setSelectionIndexes(targets);
        nameUndoAction(QStringLiteral("Bring To Front"));
    }
    if (m_host)
        m_host->refreshLayerListing();
}

void SKTGraphicView::sendToBack()
{
    const QList<qsizetype> indexes = selectionIndexes();
    if (m_document && !indexes.isEmpty()) {
        const QList<SKTGraphic *> all = graphics();
        qsizetype barrier = all.size();
        for (qsizetype i = 0; i < all.size(); ++i)
            if (!all[i]->selectable()) {
                barrier = i;
                break;
            }
        QList<std::shared_ptr<SKTGraphic>> moving;
        qsizetype before = 0;
        for (qsizetype i : indexes) {
            moving.append(m_document->graphics().at(i));
            if (i < barrier)
                ++before;
        }
        // Where the barrier graphic stands once the selection has left.
        const qsizetype at = barrier - before;
        QList<qsizetype> targets;
        for (qsizetype k = 0; k < moving.size(); ++k)
            targets.append(at + k);
        m_document->removeGraphicsAtIndexes(indexes);
        m_document->insertGraphics(moving, targets);
        setSelectionIndexes(targets);
        nameUndoAction(QStringLiteral("Send To Back"));
    }
    if (m_host)
        m_host->refreshLayerListing();
}

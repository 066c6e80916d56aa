#include "insertion/InsertionPlacement.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "model/SKTGraphic.h"

#include <algorithm>
#include <cmath>

namespace {
bool collides(const QRectF &rect, const QList<QRectF> &occupied)
{
    for (const QRectF &o : occupied)
        if (rect.intersects(o))
            return true;
    return false;
}

// Inside the area; an object wider than the area only has to fit its height.
bool inside(const QRectF &rect, const QRectF &area)
{
    if (area.isNull())
        return rect.left() >= 0 && rect.top() >= 0;
    const bool across = rect.width() > area.width()
                            ? true
                            : rect.left() >= area.left() && rect.right() <= area.right() + 0.5;
    return across && rect.top() >= area.top() && rect.bottom() <= area.bottom() + 0.5;
}

QList<double> sortedUnique(QList<double> values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}
} // namespace

QRectF InsertionPlacement::freeSpot(const QRectF &rect, const QList<QRectF> &occupied, const QRectF &visible,
                                    const QRectF &page, double gap)
{
    if (!collides(rect, occupied))
        return rect;
    // Candidate edges: the point itself and just past every occupied frame.
    QList<double> xs{rect.x()};
    QList<double> ys{rect.y()};
    // An object wider than the visible area keeps its left edge and goes down.
    const bool wide = !visible.isNull() && rect.width() > visible.width();
    for (const QRectF &o : occupied) {
        if (!wide && o.right() + gap >= rect.x())
            xs << std::ceil(o.right() + gap);
        if (o.bottom() + gap >= rect.y())
            ys << std::ceil(o.bottom() + gap);
    }
    xs = sortedUnique(xs);
    ys = sortedUnique(ys);
    for (double x : xs) {
        if (x < rect.x())
            continue;
        for (double y : ys) {
            if (y < rect.y())
                continue;
            const QRectF candidate(QPointF(x, y), rect.size());
            if (inside(candidate, visible) && !collides(candidate, occupied))
                return candidate;
        }
    }
    // The visible area is full: the first free spot further down the page in
    // the same column, just below what is there.
    if (!page.isNull()) {
        const QRectF column(visible.isNull() ? QRectF(0, 0, page.width(), page.height())
                                             : QRectF(visible.left(), visible.top(), visible.width(),
                                                      page.bottom() - visible.top()));
        for (double y : ys) {
            if (y < rect.y())
                continue;
            const QRectF candidate(QPointF(rect.x(), y), rect.size());
            if (inside(candidate, column) && !collides(candidate, occupied))
                return candidate;
        }
    }
    // The page is full too: cascade from the point so that each new object
    // still shows its own corner.
    for (int step = 1; step < 200; ++step) {
        const QRectF candidate = rect.translated(20.0 * step, 20.0 * step);
        bool taken = false;
        for (const QRectF &o : occupied)
            if (std::abs(o.x() - candidate.x()) < 2 && std::abs(o.y() - candidate.y()) < 2)
                taken = true;
        if (!taken)
            return candidate;
    }
    return rect;
}

QList<QRectF> InsertionPlacement::occupiedBy(const QList<SKTGraphic *> &graphics, const QList<SKTGraphic *> &fresh,
                                             const QRectF &rect)
{
    QList<QRectF> occupied;
    for (SKTGraphic *g : graphics) {
        if (!g || fresh.contains(g) || g->isSection())
            continue;
        // A much larger frame holding the whole object is its background (a
        // band, a panel), not content it would hide.
        const QRectF frame = g->bounds();
        if (frame.contains(rect) && frame.width() * frame.height() >= 4 * rect.width() * rect.height())
            continue;
        occupied << frame;
    }
    return occupied;
}

void InsertionPlacement::placeAndSelect(InsertionFrame &frame, const QList<SKTGraphic *> &fresh)
{
    if (fresh.isEmpty())
        return;
    SKTDocument &document = frame.document();
    const QRectF bounds = SKTGraphic::boundsOfGraphics(fresh);
    bool movable = bounds.width() > 0 || bounds.height() > 0;
    for (SKTGraphic *g : fresh)
        if (g->isSection())
            movable = false;
    if (movable && gResponsiveEdition && frame.sectionCellAt(bounds.topLeft()).section)
        movable = false;
    if (movable) {
        const QList<QRectF> occupied = occupiedBy(document.graphicPointers(), fresh, bounds);
        QRectF spot = freeSpot(bounds, occupied, frame.context().visibleRect(),
                               QRectF(QPointF(0, 0), document.pageCanvasSize()));
        // Form-field editions keep their fields on the field lattice.
        if (spot != bounds && gFormFieldSizing && gFormFieldSize > 0) {
            const double g = gFormFieldSize;
            spot.moveTopLeft(QPointF(std::ceil(spot.x() / g) * g, std::ceil(spot.y() / g) * g));
        }
        const QPointF delta = spot.topLeft() - bounds.topLeft();
        if (!delta.isNull()) {
            QList<QPair<SKTGraphic *, QRectF>> moves;
            for (SKTGraphic *g : fresh)
                moves.append({g, g->bounds().translated(delta)});
            InsertionStep::setBounds(document, moves);
            frame.context().reveal(spot);
        }
    }
    frame.context().selectGraphics(fresh);
}

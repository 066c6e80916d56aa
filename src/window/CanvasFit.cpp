#include "window/CanvasFit.h"

#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "platform/UndoManager.h"

#include <algorithm>
#include <cmath>

namespace {
// Frames computed in floating point may stand a hair beyond an edge.
constexpr double kSlack = 0.5;
}  // namespace

QRectF CanvasFit::Placement::map(const QRectF &rect) const
{
    return {rect.topLeft() * scale + offset, rect.size() * scale};
}

std::optional<CanvasFit::Placement> CanvasFit::placementFor(const QRectF &pieces, const QSizeF &previousCanvas,
                                                            const QSizeF &canvas)
{
    const QRectF target(QPointF(0, 0), canvas);
    if (pieces.isEmpty() || target.isEmpty() || target.adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(pieces))
        return std::nullopt;
    // The design is what was laid out on the old canvas, and anything that
    // stood beyond it: both go onto the new canvas together.
    // Its corner is the canvas's, or further out where a piece is.
    QRectF design = pieces;
    design.setTopLeft(QPointF(std::min(design.left(), 0.0), std::min(design.top(), 0.0)));
    if (!previousCanvas.isEmpty())
        design |= QRectF(QPointF(0, 0), previousCanvas);
    Placement placement;
    placement.scale = std::min({1.0, target.width() / design.width(), target.height() / design.height()});
    // Centred across, and at the top, where a page's title and bands begin.
    const QSizeF placed = design.size() * placement.scale;
    const QPointF corner((target.width() - placed.width()) / 2.0, 0.0);
    placement.offset = corner - design.topLeft() * placement.scale;
    return placement;
}

bool CanvasFit::bringInside(SKTDocument &document, const QSizeF &previousCanvas)
{
    QRectF pieces;
    for (const auto &graphic : document.graphics())
        if (graphic)
            pieces |= graphic->bounds();
    const std::optional<Placement> placement = placementFor(pieces, previousCanvas, document.pageCanvasSize());
    if (!placement)
        return false;
    UndoManager &undo = document.undoManager();
    undo.disableUndoRegistration();
    for (const auto &graphic : document.graphics()) {
        if (!graphic)
            continue;
        graphic->setBounds(placement->map(graphic->bounds()));
        if (placement->scale < 1.0 && graphic->fontSize() > 0)
            graphic->setFontSize(std::max<int32_t>(1, int32_t(std::lround(graphic->fontSize() * placement->scale))));
    }
    undo.enableUndoRegistration();
    return true;
}

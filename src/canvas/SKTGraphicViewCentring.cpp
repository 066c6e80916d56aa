// Horizontal centring of the selection: within the page's content, on the
// canvas, or within the group of its first graphic. y never changes; x and
// sizes are written as whole pixels.
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"

namespace {
// Images shown inside a slideshow or gallery are laid out by their owner and
// are neither measured nor moved.
bool countsForEdges(const SKTGraphic *g)
{
    const auto *image = dynamic_cast<const SKTImage *>(g);
    return !(image && (image->slideShowNumber() != -99 || image->galleryNumber() != -99));
}

bool anyCounts(const QList<SKTGraphic *> &graphics)
{
    return std::any_of(graphics.cbegin(), graphics.cend(), countsForEdges);
}
} // namespace

bool SKTGraphicView::centerGroupShown() const { return !gHideCenterGroup && !m_selection.isEmpty(); }

void SKTGraphicView::centerGroup()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (!m_document || !anyCounts(selected))
        return;
    const int32_t l = SKTDocument::findMinScreenXForArray(selected);
    const int32_t r = SKTDocument::findMaxScreenWidthForArray(selected);
    const QList<SKTGraphic *> all = graphics();
    const int32_t contentLeft = SKTDocument::findMinScreenXForArray(all);
    const int32_t contentRight = SKTDocument::findMaxScreenWidthForArray(all);
    // The selection's centre goes to the centre of the content span.
    const int32_t centre = contentLeft + (contentRight - contentLeft) / 2;
    const int32_t d = (r - l) / 2 + l - centre;
    SKTDocument::trimAllObjects(d, selected);
}

void SKTGraphicView::centerOnCanvas()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (!anyCounts(selected))
        return;
    const int32_t l = SKTDocument::findMinScreenXForArray(selected);
    const int32_t r = SKTDocument::findMaxScreenWidthForArray(selected);
    const int32_t d = ((r - l) / 2 + l) - gCanvasWidth / 2;
    SKTDocument::trimAllObjects(d, selected);
}

void SKTGraphicView::centerWithinGroup()
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (!anyCounts(selected))
        return;
    SKTGraphic *first = selected.first();
    // A graphic in no group has no peers (every ungrouped graphic shares -99).
    const QList<SKTGraphic *> peers
        = first->groupNumber() == -99 ? QList<SKTGraphic *>() : findMatchingGroupObjects(*first);
    int32_t gl, gr;
    if (anyCounts(peers)) {
        gl = SKTDocument::findMinScreenXForArray(peers);
        gr = SKTDocument::findMaxScreenWidthForArray(peers);
    } else {
        gl = int32_t(first->bounds().x());
        gr = int32_t(first->bounds().x() + first->bounds().width());
    }
    const int32_t l = SKTDocument::findMinScreenXForArray(selected);
    const int32_t r = SKTDocument::findMaxScreenWidthForArray(selected);
    const int32_t d = l - gl - (gr - gl) / 2 + (r - l) / 2;
    SKTDocument::trimAllObjects(d, selected);
}

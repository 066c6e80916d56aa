// How far the page's content reaches, and shifting it sideways. Every
// coordinate is truncated to whole pixels before it is added or compared.
#include "document/SKTDocument.h"
#include "document/Fmt.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <algorithm>
#include <optional>

namespace {

// Images of a slideshow or a gallery never count and never move.
bool isMemberImage(const SKTGraphic *g)
{
    const auto *image = dynamic_cast<const SKTImage *>(g);
    return image && (image->slideShowNumber() != -99 || image->galleryNumber() != -99);
}

bool countsForWidth(const SKTGraphic *g)
{
    if (!g || isMemberImage(g))
        return false;
    const auto *text = dynamic_cast<const SKTText *>(g);
    return !(text && text->matchScreenFlag());
}

template <typename Counts, typename Value>
std::optional<int32_t> extreme(const QList<SKTGraphic *> &graphics, Counts counts, Value value, bool largest)
{
    std::optional<int32_t> best;
    for (const SKTGraphic *g : graphics) {
        if (!counts(g))
            continue;
        const int32_t v = value(g);
        if (!best || (largest ? v > *best : v < *best))
            best = v;
    }
    return best;
}

int32_t rightEdge(const SKTGraphic *g)
{
    const QRectF b = g->bounds();
    return Fmt::trunc(b.x()) + Fmt::trunc(b.width());
}

int32_t leftEdge(const SKTGraphic *g) { return Fmt::trunc(g->bounds().x()); }

int32_t bottomEdge(const SKTGraphic *g)
{
    const QRectF b = g->bounds();
    return Fmt::trunc(b.y()) + Fmt::trunc(b.height());
}

bool countsForHeight(const SKTGraphic *g) { return g && !isMemberImage(g); }

QList<SKTGraphic *> rawList(const QList<std::shared_ptr<SKTGraphic>> &graphics)
{
    QList<SKTGraphic *> list;
    list.reserve(graphics.size());
    for (const auto &g : graphics)
        list.append(g.get());
    return list;
}

} // namespace

int32_t SKTDocument::findMaxScreenWidth() const
{
    return extreme(rawList(m_graphics), countsForWidth, rightEdge, true).value_or(200);
}

int32_t SKTDocument::findMaxScreenWidthForArray(const QList<SKTGraphic *> &graphics)
{
    // Callers use the answer as a width: never 0, also for an empty list.
    const int32_t v = extreme(graphics, countsForWidth, rightEdge, true).value_or(0);
    return v == 0 ? 1 : v;
}

int32_t SKTDocument::findMinScreenX() const
{
    return findMinScreenXForArray(rawList(m_graphics));
}

int32_t SKTDocument::findMinScreenXForArray(const QList<SKTGraphic *> &graphics)
{
    // Nothing that counts: no shift (0).
    return extreme(graphics, countsForHeight, leftEdge, false).value_or(0);
}

int32_t SKTDocument::findMaxScreenHeight() const
{
    return extreme(rawList(m_graphics), countsForHeight, bottomEdge, true).value_or(50);
}

void SKTDocument::trimAllObjects(int32_t xOffset, const QList<SKTGraphic *> &graphics)
{
    for (SKTGraphic *g : graphics) {
        if (!g || isMemberImage(g))
            continue;
        const QRectF b = g->bounds();
        g->setBounds(QRectF(Fmt::trunc(b.x() - xOffset), Fmt::trunc(b.y()), Fmt::trunc(b.width()),
                            Fmt::trunc(b.height())));
    }
}

void SKTDocument::trimAndCenter()
{
    trimAllObjects(findMinScreenX(), rawList(m_graphics));
}

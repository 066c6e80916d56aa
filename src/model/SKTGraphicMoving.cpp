// SKTGraphic: operations on sets of graphics - union of bounds, moving, and
// the section rules of the responsive editions.
#include "model/SKTGraphic.h"

#include "config/EditionSettings.h"
#include "model/Geometry.h"
#include "model/GraphicEnvironment.h"

#include <QHash>
#include <QTimer>
#include <QVariant>
#include <cmath>

namespace {
// The change whose move a pending overlap repair follows, kept on its timer.
constexpr const char *kChangeProperty = "change";

// Section lookups of one move, so a selection of many graphics asks the
// window once per section number instead of once per graphic.
class SectionCache {
public:
    explicit SectionCache(GraphicEnvironment *env) : m_env(env) {}
    SKTGraphic *sectionOf(const SKTGraphic &graphic)
    {
        if (!m_env)
            return nullptr;
        const int32_t number = graphic.sectionNumber();
        const auto it = m_sections.constFind(number);
        if (it != m_sections.constEnd())
            return it.value();
        SKTGraphic *section = m_env->grabMySection(number);
        m_sections.insert(number, section);
        return section;
    }

private:
    GraphicEnvironment *m_env;
    QHash<int32_t, SKTGraphic *> m_sections;
};

bool outsideOfSection(SKTGraphic &graphic, int32_t dy, SKTGraphic *section)
{
    if (!section || section == &graphic)
        return false;
    section->drawBoxModel(); // the content rectangle follows the section's current bounds
    const QRectF c = section->contentRect();
    const QRectF g = graphic.bounds();
    return c.y() + 2 > g.y() + dy || g.y() + g.height() + dy > c.y() + 2 + (c.height() - 4);
}

bool notWithinSection(const QRectF &rect, SKTGraphic *section)
{
    QRectF allowed(-2, -2, 4, 4);
    if (section) {
        section->drawBoxModel();
        allowed = Geometry::inset(section->contentRect(), -2, -2);
    }
    return !Geometry::containsRect(allowed, rect);
}
} // namespace

QRectF SKTGraphic::boundsOfGraphics(const QList<SKTGraphic *> &graphics)
{
    QRectF r;
    for (qsizetype i = 0; i < graphics.size(); ++i)
        r = i == 0 ? graphics[i]->bounds() : Geometry::unionRect(r, graphics[i]->bounds());
    return r;
}

QRectF SKTGraphic::drawingBoundsOfGraphics(const QList<SKTGraphic *> &graphics)
{
    QRectF r;
    for (qsizetype i = 0; i < graphics.size(); ++i)
        r = i == 0 ? graphics[i]->drawingBounds() : Geometry::unionRect(r, graphics[i]->drawingBounds());
    return r;
}

void SKTGraphic::translateGraphics(const QList<SKTGraphic *> &graphics, double dx, double dy)
{
    GraphicEnvironment *env = GraphicEnvironment::current();
    SectionCache sections(env);
    // dx and dy carry over from one graphic to the next: once a graphic stops
    // the vertical move, the ones after it stay too.
    for (SKTGraphic *g : graphics) {
        if (!g)
            continue;
        // Moved by itself, a graphic is not carried by its section: a mark
        // left by an earlier look at the section's contents would otherwise
        // keep it from joining the cell it is released over.
        if (!g->isSection())
            g->setMovingAsPartOfSection(false);
        if (gPreventOverlap) {
            if (!env || !env->isThereGraphicAtNewLocation(*g, g->bounds()))
                g->setLastNoOverlapRect(g->bounds());
            if (outsideOfSection(*g, Geometry::clampToInt(std::trunc(dy)), sections.sectionOf(*g)))
                dy = 0;
        }
        if (gResponsiveEdition) {
            dx = 0;
            if (dy < 0 && g->bounds().top() < 0)
                dy = 0;
        }
        if (g->moveLock() != 1 && g->selectable())
            g->setBounds(g->bounds().translated(dx, dy));
        if (g->isSection()) {
            if (env) {
                for (SKTGraphic *inside : env->findObjectsInSection(*g)) {
                    if (inside && inside->movingAsPartOfSection())
                        inside->setBounds(inside->bounds().translated(0, dy));
                }
            }
            dx = 0;
        }
        if (gPreventOverlap)
            g->scheduleOverlapCheck();
    }
    // Realigning the form options once, after every graphic has moved, keeps a
    // large move linear in the page.
    if (env && !graphics.isEmpty())
        env->reAlignFormOptions();
}

bool SKTGraphic::isGraphicOutsideOfSection(SKTGraphic &graphic, int32_t dy)
{
    SectionCache sections(GraphicEnvironment::current());
    return outsideOfSection(graphic, dy, sections.sectionOf(graphic));
}

bool SKTGraphic::isGraphicContainedWithinSection(SKTGraphic &graphic, const QRectF &rect)
{
    SectionCache sections(GraphicEnvironment::current());
    return notWithinSection(rect, sections.sectionOf(graphic));
}

void SKTGraphic::checkforOverlap(SKTGraphic &graphic)
{
    // Without a window there is nothing to overlap, but the section marks
    // are still cleared so the graphic does not stay "carried".
    GraphicEnvironment *env = GraphicEnvironment::current();
    const bool isSectionTable = graphic.gridType() == QLatin1String("section");
    // In a responsive page a graphic first takes the cell it was released
    // over, so the overlap is judged where it ends up: a cell that takes a
    // new graphic places it clear of what it holds, and a graphic that
    // stayed in its cell and covers another goes back.
    bool joinedAnotherCell = false;
    if (gResponsiveEdition && !isSectionTable) {
        if (!graphic.movingAsPartOfSection()) {
            const int32_t section = graphic.sectionNumber();
            const int32_t row = graphic.sectionRowSpot();
            const int32_t column = graphic.sectionColumnSpot();
            if (SKTGraphic *kept = env ? env->isObjectStillInSameSectionGrid(graphic, graphic.getLastTouchPoint()) : nullptr)
                kept->setMovingAsPartOfSection(false);
            joinedAnotherCell = section != graphic.sectionNumber() || row != graphic.sectionRowSpot()
                || column != graphic.sectionColumnSpot();
        } else {
            graphic.setMovingAsPartOfSection(false);
        }
    }
    // A graphic that overlapped another from the start of its move has no
    // place to go back to: it stays, rather than shrink to nothing at the
    // page's corner.
    if (env && !joinedAnotherCell && !graphic.lastNoOverlapRect().isNull()
        && env->isThereGraphicAtNewLocation(graphic, graphic.bounds())) {
        const QRectF last = graphic.lastNoOverlapRect();
        const int32_t d = Geometry::clampToInt(std::trunc(last.y() - graphic.bounds().y()));
        graphic.setBounds(last);
        for (SKTGraphic *inside : env->findObjectsInSection(graphic)) {
            if (inside && inside->movingAsPartOfSection())
                inside->setBounds(inside->bounds().translated(0, d));
        }
    }
    if (gResponsiveEdition && isSectionTable) {
        if (env)
            env->reAlignSectionObjects(graphic);
        graphic.setMovingAsPartOfSection(false);
    }
}

void SKTGraphic::scheduleOverlapCheck()
{
    // The timer belongs to the graphic, so a pending repair dies with it;
    // restarting cancels the one already pending. The repair (a snap back, a
    // join with its re-layout, a section's growth) belongs to the move that
    // asked for it: one undo takes back both.
    GraphicEnvironment *env = GraphicEnvironment::current();
    const quint64 change = env ? env->currentChange() : 0;
    if (!m_overlapTimer) {
        m_overlapTimer = std::make_unique<QTimer>();
        m_overlapTimer->setSingleShot(true);
        m_overlapTimer->setInterval(kOverlapCheckDelayMs);
        QObject::connect(m_overlapTimer.get(), &QTimer::timeout, m_overlapTimer.get(), [this] {
            if (GraphicEnvironment *now = GraphicEnvironment::current())
                now->continueChange(m_overlapTimer->property(kChangeProperty).toULongLong(),
                                    [this] { checkforOverlap(*this); });
            else
                checkforOverlap(*this);
        });
    }
    m_overlapTimer->setProperty(kChangeProperty, QVariant::fromValue(change));
    m_overlapTimer->start();
}

bool SKTGraphic::hasPendingOverlapCheck() const
{
    return m_overlapTimer && m_overlapTimer->isActive();
}

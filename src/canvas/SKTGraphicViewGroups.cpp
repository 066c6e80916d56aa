// Groups and locks. A group is a number carried by each member (-99: none);
// the locks are flags. Grouping touches only the selection; locking one
// member of a group locks the whole group.
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

#include <climits>
#include <optional>

namespace {
constexpr int32_t kNoGroup = -99;

bool isScrollLockable(const SKTGraphic *g)
{
    return dynamic_cast<const SKTText *>(g) || dynamic_cast<const SKTImage *>(g)
           || dynamic_cast<const SKTGalleryGrid *>(g) || dynamic_cast<const SKTTable *>(g)
           || dynamic_cast<const SKTSlideshow *>(g);
}

bool isGroupable(const SKTGraphic *g) { return isScrollLockable(g) || dynamic_cast<const SKTLine *>(g); }

// The distinct group numbers of the groupable graphics, in selection order.
QList<int32_t> distinctGroups(const QList<SKTGraphic *> &selected)
{
    QList<int32_t> numbers;
    for (SKTGraphic *g : selected)
        if (isGroupable(g) && !SKTGraphicView::existInArray(g->groupNumber(), numbers))
            numbers.append(g->groupNumber());
    return numbers;
}
} // namespace

int32_t SKTGraphicView::findNextGroupNumber() const
{
    const QList<SKTGraphic *> all = graphics();
    if (all.isEmpty())
        return 1;
    int32_t highest = INT32_MIN;
    for (SKTGraphic *g : all)
        highest = std::max(highest, g->groupNumber());
    return highest < INT32_MAX ? highest + 1 : highest;
}

void SKTGraphicView::groupObjects()
{
    const int32_t number = findNextGroupNumber();
    for (SKTGraphic *g : selectedGraphics())
        if (isGroupable(g))
            g->setGroupNumber(number);
}

void SKTGraphicView::unGroupObjects()
{
    for (SKTGraphic *g : selectedGraphics())
        if (isGroupable(g))
            g->setGroupNumber(kNoGroup);
}

void SKTGraphicView::setLockAttribute(bool scroll, int32_t value)
{
    for (SKTGraphic *g : withGroupPeers(selectedGraphics())) {
        if (scroll) {
            if (isScrollLockable(g))
                g->setScrollFlag(value);
        } else if (isGroupable(g)) {
            g->setMoveLock(value);
        }
    }
}

void SKTGraphicView::lockObjects() { setLockAttribute(false, 1); }
void SKTGraphicView::unLockObjects() { setLockAttribute(false, 0); }
void SKTGraphicView::scrollLockObjects() { setLockAttribute(true, 1); }
void SKTGraphicView::unScrollLockObjects() { setLockAttribute(true, 0); }

bool SKTGraphicView::groupShown() const
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (gHideGroup || selected.size() < 2)
        return false;
    const QList<int32_t> groups = distinctGroups(selected);
    return !(groups.size() == 1 && groups.first() != kNoGroup);
}

bool SKTGraphicView::ungroupShown() const
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (selected.isEmpty())
        return false;
    const QList<int32_t> groups = distinctGroups(selected);
    return !(groups.size() == 1 && groups.first() == kNoGroup);
}

namespace {
bool anyWith(const QList<SKTGraphic *> &selected, bool scroll, int32_t value)
{
    for (SKTGraphic *g : selected)
        if (scroll ? isScrollLockable(g) && g->scrollFlag() == value : isGroupable(g) && g->moveLock() == value)
            return true;
    return false;
}
} // namespace

bool SKTGraphicView::lockShown() const { return !gHideLock && anyWith(selectedGraphics(), false, 0); }
bool SKTGraphicView::unLockShown() const { return !gHideLock && anyWith(selectedGraphics(), false, 1); }
bool SKTGraphicView::scrollShown() const { return !gHidePositionSettings && anyWith(selectedGraphics(), true, 0); }
bool SKTGraphicView::unScrollShown() const { return anyWith(selectedGraphics(), true, 1); }
bool SKTGraphicView::positionSettingsShown() const { return !gHidePositionSettings && !m_selection.isEmpty(); }

bool SKTGraphicView::addBranchShown() const
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (!gShowAddBranch || selected.isEmpty())
        return false;
    for (SKTGraphic *g : selected)
        if (!dynamic_cast<const SKTText *>(g))
            return false;
    return true;
}

#include "document/SectionMembership.h"

#include "model/SKTGraphic.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <limits>

namespace {
constexpr int32_t kFree = -99;

bool isCellOf(const SKTTable &section, int32_t row, int32_t column)
{
    for (const auto &cell : section.cellHelperArray())
        if (cell && cell->rowSpot == row && cell->columnSpot == column)
            return true;
    return false;
}

void setFree(SKTGraphic &graphic)
{
    graphic.setSectionNumber(kFree);
    graphic.setSectionRowSpot(kFree);
    graphic.setSectionColumnSpot(kFree);
}
} // namespace

namespace SectionMembership {

int settle(const QList<std::shared_ptr<SKTGraphic>> &graphics)
{
    int32_t highest = 0;
    for (const auto &g : graphics)
        if (g)
            highest = std::max(highest, g->sectionNumber());
    // The sections by the number the page gave them, in page order.
    QHash<int32_t, QList<SKTTable *>> byWrittenNumber;
    QSet<int32_t> taken;
    for (const auto &g : graphics) {
        auto *section = g && g->isSection() ? dynamic_cast<SKTTable *>(g.get()) : nullptr;
        if (!section)
            continue;
        const int32_t written = section->sectionNumber();
        byWrittenNumber[written].append(section);
        // Free graphics carry 0 or -99: a section by that number would claim
        // them all. A number two sections share goes to the first.
        if (written > 0 && !taken.contains(written)) {
            taken.insert(written);
            continue;
        }
        if (highest == std::numeric_limits<int32_t>::max())
            continue; // no number left: it keeps its own
        const int32_t number = ++highest;
        section->setSectionNumber(number);
        for (const auto &cell : section->cellHelperArray())
            if (cell)
                cell->sectionNumber = number;
    }
    int freed = 0;
    for (const auto &g : graphics) {
        if (!g || g->isSection())
            continue;
        const int32_t written = g->sectionNumber();
        if (written == 0 || written == kFree)
            continue; // free already
        const auto candidates = byWrittenNumber.constFind(written);
        // The section of that number that has the graphic's column and
        // where the graphic lies in it.
        SKTTable *home = nullptr;
        if (candidates != byWrittenNumber.constEnd())
            for (SKTTable *section : *candidates)
                if (!home && isCellOf(*section, g->sectionRowSpot(), g->sectionColumnSpot())
                    && section->bounds().intersects(g->bounds().normalized().adjusted(-1, -1, 1, 1)))
                    home = section;
        if (home) {
            g->setSectionNumber(home->sectionNumber());
            continue;
        }
        setFree(*g);
        ++freed;
    }
    return freed;
}

}  // namespace SectionMembership

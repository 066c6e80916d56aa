#include "insertion/SectionOperations.h"

#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionStep.h"
#include "model/SKTTable.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace {
int32_t whole(double v)
{
    return static_cast<int32_t>(std::trunc(v));
}

// The space left between a graphic that joins a cell and what it is put below.
constexpr double kJoinGap = 10;
// A section that grows leaves this much free below its lowest member, so
// the next object can be dropped under it.
constexpr double kRoomBelow = 40;

bool isChoiceOption(const SKTGraphic &g)
{
    const QString type = g.formType();
    return type == QLatin1String("checkbox") || type == QLatin1String("radio");
}

// The bot check's question and answer field sit side by side and keep
// their sizes; an option's label sits right of its check box or button.
constexpr int32_t kBotCheckTag = -22;
constexpr double kOptionIndent = 30;

bool isOptionLabel(const SKTGraphic &g)
{
    return g.formType() == QLatin1String("textLabel") && g.formOptionTag() > 0;
}

// Each member of one cell laid into the cell's rectangle: it starts at the
// cell's left edge (no higher than the cell's top) and takes the cell's
// width, unless it keeps its size. The members of a bot check keep their
// places relative to each other, so the answer stays beside its question.
// A member laid over another that it did not cover before goes below it,
// the one that moved giving way to the one that stayed.
QList<QPair<SKTGraphic *, QRectF>> cellLayout(const QList<SKTGraphic *> &members, const QRectF &cell)
{
    QHash<int32_t, double> botCheckLeft;
    for (SKTGraphic *g : members) {
        if (g->formOptionTag() != kBotCheckTag)
            continue;
        const auto it = botCheckLeft.find(g->groupNumber());
        if (it == botCheckLeft.end())
            botCheckLeft.insert(g->groupNumber(), g->bounds().x());
        else
            *it = std::min(*it, g->bounds().x());
    }
    QList<QPair<SKTGraphic *, QRectF>> laid;
    for (SKTGraphic *g : members) {
        const QRectF b = g->bounds();
        const double y = std::max(b.y(), cell.y());
        double width = cell.width();
        double height = b.height() - std::max(0.0, cell.y() - b.y());
        // Wholly above the cell (it joined from a section higher up): it
        // keeps its height at the cell's top instead of turning inside out.
        if (height < 1)
            height = b.height();
        double x = cell.x();
        if (g->formOptionTag() == kBotCheckTag) {
            x += b.x() - botCheckLeft.value(g->groupNumber());
            width = b.width();
            height = b.height();
        } else if (g->responsiveResizeFlag() == 1) {
            width = b.width();
            height = b.height();
        } else if (isOptionLabel(*g)) {
            x += kOptionIndent;
            width -= kOptionIndent;
        }
        laid.append({g, QRectF(whole(x), whole(y), whole(width), whole(height))});
    }
    // Members already in place keep it; those the layout moves come after
    // them, top first, each clear of every member placed before it.
    std::stable_sort(laid.begin(), laid.end(), [](const auto &a, const auto &b) {
        const bool aStays = a.first->bounds() == a.second;
        const bool bStays = b.first->bounds() == b.second;
        if (aStays != bStays)
            return aStays;
        return a.second.y() < b.second.y() || (a.second.y() == b.second.y() && a.second.x() < b.second.x());
    });
    // Every round moves the member below one more of those placed before it.
    for (qsizetype i = 1; i < laid.size(); ++i) {
        for (bool moved = true; moved;) {
            moved = false;
            for (qsizetype j = 0; j < i; ++j) {
                QRectF &mine = laid[i].second;
                if (!mine.intersects(laid[j].second) || laid[i].first->bounds().intersects(laid[j].first->bounds()))
                    continue;
                mine.moveTop(std::ceil(laid[j].second.bottom()) + kJoinGap);
                moved = true;
            }
        }
    }
    return laid;
}
} // namespace

void SectionOperations::layOutCell(const QList<SKTGraphic *> &members, const QRectF &cell)
{
    for (const auto &[g, bounds] : cellLayout(members, cell))
        if (g->bounds() != bounds)
            g->setBounds(bounds);
}

SKTGraphic *SectionOperations::grabOverLappingSection(const QRectF &rect)
{
    // The top-most section (by whole y; page order among equals) that the
    // rectangle touches.
    SKTGraphic *best = nullptr;
    int32_t bestY = 0;
    for (const auto &g : m_frame.document().graphics()) {
        if (!InsertionFrame::isSection(*g) || !g->bounds().intersects(rect))
            continue;
        const int32_t y = whole(g->yPosition());
        if (!best || y < bestY) {
            best = g.get();
            bestY = y;
        }
    }
    return best;
}

void SectionOperations::pushDown(const QRectF &rect, SKTGraphic &section, int32_t distance)
{
    // Collect first: moving changes the bounds that the test reads.
    QList<SKTGraphic *> moving;
    for (const auto &g : m_frame.document().graphics())
        if (g.get() == &section || (InsertionFrame::isSection(*g) && g->yPosition() > rect.y()))
            moving.append(g.get());
    QSet<int32_t> numbers;
    QList<QPair<SKTGraphic *, QRectF>> moves;
    for (SKTGraphic *g : moving) {
        moves.append({g, g->bounds().translated(0, distance)});
        numbers.insert(g->sectionNumber());
    }
    // The contents of every moved section, found in the same single pass.
    for (const auto &g : m_frame.document().graphics())
        if (numbers.contains(g->sectionNumber()) && g->gridType() != QLatin1String("section"))
            moves.append({g.get(), g->bounds().translated(0, distance)});
    InsertionStep::setBounds(m_frame.document(), moves);
}

void SectionOperations::identifyAndPushSectionsDownward(const QRectF &rect)
{
    SKTGraphic *section = grabOverLappingSection(rect);
    if (!section)
        return;
    pushDown(rect, *section, whole(whole(rect.y() + rect.height()) - section->yPosition()));
}

void SectionOperations::identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect)
{
    SKTGraphic *section = grabOverLappingSection(rect);
    if (!section)
        return;
    pushDown(rect, *section, whole(whole(rect.y()) - section->yPosition()));
}

void SectionOperations::pushSectionObjectsDown(int32_t sectionNumber, int32_t distance)
{
    QList<QPair<SKTGraphic *, QRectF>> moves;
    for (const auto &g : m_frame.document().graphics())
        if (g->sectionNumber() == sectionNumber && g->gridType() != QLatin1String("section"))
            moves.append({g.get(), g->bounds().translated(0, distance)});
    InsertionStep::setBounds(m_frame.document(), moves);
}

void SectionOperations::shiftObjectsInSection(const QPointF &point, const QRectF &rect)
{
    // Without a section under the rectangle there is nothing to make room in.
    SKTGraphic *section = grabOverLappingSection(rect);
    if (!section)
        return;
    QList<SKTGraphic *> below;
    if (const auto cell = grabOverLappingSectionCellView(point)) {
        for (SKTGraphic *g : findObjectsInSectionCell(*cell))
            if (whole(g->yPosition()) > rect.y())
                below.append(g);
        std::stable_sort(below.begin(), below.end(), [](SKTGraphic *a, SKTGraphic *b) {
            return whole(a->yPosition()) < whole(b->yPosition());
        });
    }
    SKTGraphic *last = nullptr;
    if (!below.isEmpty()) {
        const int32_t shift = whole(rect.y() + rect.height() - whole(below.front()->yPosition()));
        QList<QPair<SKTGraphic *, QRectF>> moves;
        for (SKTGraphic *g : below)
            moves.append({g, g->bounds().translated(0, shift)});
        InsertionStep::setBounds(m_frame.document(), moves);
        last = below.back();
    }
    section->drawBoxModel();
    const QRectF content = section->contentRect();
    const int32_t contentBottom = whole(content.y() + content.height());
    const double lowest = last ? last->yPosition() + last->height() : rect.y() + rect.height();
    const int32_t overflow = whole(lowest - contentBottom);
    if (overflow > 0) {
        const QRectF s = section->bounds();
        identifyAndPushSectionsDownward(QRectF(s.x(), s.y() + s.height(), s.width(), overflow + 50));
        QRectF grown = section->bounds();
        grown.setHeight(grown.height() + overflow);
        section->setBounds(grown);
    }
}

void SectionOperations::reAlignSectionObjects(SKTGraphic &sectionGraphic)
{
    auto *section = dynamic_cast<SKTTable *>(&sectionGraphic);
    if (!section)
        return;
    // One pass over the page groups the objects by cell.
    QHash<QPair<int32_t, int32_t>, QList<SKTGraphic *>> byCell;
    for (const auto &g : m_frame.document().graphics()) {
        if (g->gridType() == QLatin1String("section") || isChoiceOption(*g))
            continue;
        byCell[{g->sectionRowSpot(), g->sectionColumnSpot()}].append(g.get());
    }
    for (const auto &cellHelper : section->cellHelperArray()) {
        if (!cellHelper)
            continue;
        const auto found = byCell.constFind({cellHelper->rowSpot, cellHelper->columnSpot});
        if (found == byCell.constEnd())
            continue;
        const QRectF cell = section->grabSelectedCellRect(cellHelper->rowSpot, cellHelper->columnSpot);
        QList<SKTGraphic *> members;
        for (SKTGraphic *g : *found)
            if (g->sectionNumber() == cellHelper->sectionNumber)
                members.append(g);
        layOutCell(members, cell);
    }
    growToHoldContents(sectionGraphic);
    m_frame.context().refocusResponsiveAlignment(sectionGraphic);
}

void SectionOperations::growToHoldContents(SKTGraphic &section)
{
    if (section.gridType() != QLatin1String("section"))
        return;
    const QList<SKTGraphic *> members = findObjectsInSection(section);
    if (members.isEmpty())
        return;
    double lowest = members.front()->bounds().bottom();
    for (SKTGraphic *g : members)
        lowest = std::max(lowest, g->bounds().bottom());
    // Paddings given in % of the height grow with it: measure again until
    // the content holds the lowest member (a few rounds at most).
    for (int round = 0; round < 4; ++round) {
        section.drawBoxModel();
        const QRectF content = section.contentRect();
        const double contentBottom = content.y() + content.height();
        if (lowest + 2 <= contentBottom)
            return;
        const int32_t overflow = whole(std::ceil(lowest + kRoomBelow - contentBottom));
        const QRectF s = section.bounds();
        identifyAndPushSectionsDownward(QRectF(s.x(), s.y() + s.height(), s.width(), overflow));
        InsertionStep::setBounds(m_frame.document(), {{&section, QRectF(s.x(), s.y(), s.width(), s.height() + overflow)}});
    }
}

void SectionOperations::growSectionOf(const SKTGraphic &graphic)
{
    if (InsertionFrame::isSection(graphic))
        return;
    if (SKTGraphic *section = grabMySection(graphic.sectionNumber()))
        growToHoldContents(*section);
}

void SectionOperations::placeClearOfOthers(SKTGraphic &graphic)
{
    // Below the lowest graphic it covers, again until it covers none: each
    // round ends below one more graphic, so the page's size bounds the rounds.
    const auto &graphics = m_frame.document().graphics();
    QRectF b = graphic.bounds();
    for (qsizetype round = 0; round <= graphics.size(); ++round) {
        bool covers = false;
        double below = 0;
        for (const auto &g : graphics) {
            if (g.get() == &graphic || InsertionFrame::isSection(*g) || !g->bounds().intersects(b))
                continue;
            below = covers ? std::max(below, g->bounds().bottom()) : g->bounds().bottom();
            covers = true;
        }
        if (!covers)
            break;
        b.moveTop(std::ceil(below) + kJoinGap);
    }
    if (b != graphic.bounds())
        InsertionStep::setBounds(m_frame.document(), {{&graphic, b}});
}

SKTGraphic *SectionOperations::isObjectStillInSameSectionGrid(const QPointF &point, SKTGraphic &graphic)
{
    const int32_t x = whole(point.x());
    const int32_t y = whole(point.y());
    for (const auto &g : m_frame.document().graphics()) {
        if (!InsertionFrame::isSection(*g))
            continue;
        auto *table = static_cast<SKTTable *>(g.get());
        const int32_t column = table->grabColumnSpot(x, y);
        const int32_t row = table->grabRowSpot(x, y);
        if (column < 0 || row < 0)
            continue;
        // Still in its own cell: nothing to do. Another cell of the same
        // section counts as a move as much as a cell of another section.
        if (table->sectionNumber() == graphic.sectionNumber() && row == graphic.sectionRowSpot()
            && column == graphic.sectionColumnSpot())
            break;
        InsertionStep::recordValues(m_frame.document(), graphic,
                                    {QStringLiteral("sectionNumber"), QStringLiteral("sectionRowSpot"),
                                     QStringLiteral("sectionColumnSpot")});
        graphic.setSectionNumber(table->sectionNumber());
        graphic.setSectionRowSpot(row);
        graphic.setSectionColumnSpot(column);
        reAlignSectionObjects(*table);
        // Laid out in its new cell, it may cover what the cell already
        // holds: it goes below that, and the section grows to hold it.
        placeClearOfOthers(graphic);
        growToHoldContents(*table);
        break;
    }
    return &graphic;
}

std::shared_ptr<myTextView> SectionOperations::grabOverLappingSectionCellView(const QPointF &point)
{
    const InsertionFrame::SectionHit hit = m_frame.sectionCellAt(point);
    if (!hit.section)
        return {};
    m_frame.context().cache().selectedTable = hit.section;
    return hit.section->grabSelectedTableCellHelper(hit.row, hit.column);
}

SKTGraphic *SectionOperations::grabMySection(int32_t sectionNumber)
{
    for (SKTTable *table : m_frame.document().tables())
        if (table->sectionNumber() == sectionNumber && table->gridType() == QLatin1String("section"))
            return table;
    return nullptr;
}

QList<SKTGraphic *> SectionOperations::findObjectsInSection(SKTGraphic &section)
{
    QList<SKTGraphic *> objects;
    for (const auto &g : m_frame.document().graphics()) {
        if (g.get() == &section || InsertionFrame::isSection(*g) || g->sectionNumber() != section.sectionNumber())
            continue;
        objects.append(g.get());
    }
    return objects;
}

QList<SKTGraphic *> SectionOperations::findObjectsInSectionCell(const myTextView &cell)
{
    QList<SKTGraphic *> objects;
    for (const auto &g : m_frame.document().graphics()) {
        if (InsertionFrame::isSection(*g) || g->sectionNumber() != cell.sectionNumber
            || g->sectionRowSpot() != cell.rowSpot || g->sectionColumnSpot() != cell.columnSpot)
            continue;
        objects.append(g.get());
    }
    return objects;
}

SKTGraphic *SectionOperations::grabTopMostObjectInSection(SKTGraphic &section)
{
    SKTGraphic *best = nullptr;
    for (SKTGraphic *g : findObjectsInSection(section))
        if (!best || whole(g->yPosition()) < whole(best->yPosition()))
            best = g;
    return best;
}

SKTGraphic *SectionOperations::grabBottomMostObjectInSection(SKTGraphic &section)
{
    SKTGraphic *best = nullptr;
    auto bottom = [](SKTGraphic *g) { return whole(g->yPosition() + g->height()); };
    for (SKTGraphic *g : findObjectsInSection(section))
        if (!best || bottom(g) > bottom(best))
            best = g;
    return best;
}

bool SectionOperations::isThereGraphicAtRect(const QRectF &rect)
{
    for (const auto &g : m_frame.document().graphics())
        if (!InsertionFrame::isSection(*g) && g->bounds().intersects(rect))
            return true;
    return false;
}

bool SectionOperations::isThereGraphicAtRect_includingSection(const QRectF &rect)
{
    for (const auto &g : m_frame.document().graphics())
        if (g->bounds().intersects(rect))
            return true;
    return false;
}

bool SectionOperations::isThereGraphicAtPoint(const QPointF &point)
{
    for (const auto &g : m_frame.document().graphics())
        if (!InsertionFrame::isSection(*g) && g->bounds().contains(point))
            return true;
    return false;
}

bool SectionOperations::isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect)
{
    const bool movingSection = InsertionFrame::isSection(graphic);
    for (const auto &g : m_frame.document().graphics()) {
        if (g.get() == &graphic || !g->bounds().intersects(rect))
            continue;
        if (InsertionFrame::isSection(*g) == movingSection)
            return true;
    }
    return false;
}

int32_t SectionOperations::findNextSectionNumber()
{
    const auto &graphics = m_frame.document().graphics();
    if (graphics.isEmpty())
        return 1;
    int32_t highest = 0;
    for (const auto &g : graphics)
        highest = std::max(highest, g->sectionNumber());
    return highest == std::numeric_limits<int32_t>::max() ? highest : highest + 1;
}

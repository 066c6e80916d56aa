#include "insertion/InsertionFrame.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/SectionOperations.h"
#include "model/GraphicFactory.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UserDefaults.h"

#include <algorithm>
#include <cmath>

SKTGraphic *InsertionContext::stillOnPage(SKTGraphic *graphic)
{
    return graphic && document().indexOfGraphic(graphic) >= 0 ? graphic : nullptr;
}

SKTDocument &InsertionFrame::document()
{
    return m_context.document();
}

bool InsertionFrame::isSection(const SKTGraphic &graphic)
{
    // The kind's name first: it is empty for everything but grids, and cheaper
    // than a cast on every graphic of a large page.
    const QString type = graphic.gridType();
    if (type != QLatin1String("section") && type != QLatin1String("sectionTemplate"))
        return false;
    return dynamic_cast<const SKTTable *>(&graphic) != nullptr;
}

QPointF InsertionFrame::calculateOriginPoint()
{
    const bool atEnd = UserDefaults::standard().boolForKey(QStringLiteral("InsertNewAtEndFlag"));
    double x = 100;
    double y = 30;
    if (const auto origin = m_context.visibleOrigin()) {
        x = std::trunc(origin->x() + 100);
        y = std::trunc(origin->y() + 30);
    }
    if (atEnd)
        y = document().findMaxScreenHeight() + 30;
    return {x, y};
}

QPointF InsertionFrame::menuPoint()
{
    const QPointF p = calculateOriginPoint();
    return {std::trunc(p.x()), std::trunc(p.y())};
}

InsertionFrame::SectionHit InsertionFrame::sectionCellAt(const QPointF &point)
{
    const auto x = static_cast<int32_t>(std::trunc(point.x()));
    const auto y = static_cast<int32_t>(std::trunc(point.y()));
    for (const auto &g : document().graphics()) {
        if (!isSection(*g))
            continue;
        auto *table = static_cast<SKTTable *>(g.get());
        const int32_t column = table->grabColumnSpot(x, y);
        const int32_t row = table->grabRowSpot(x, y);
        if (column >= 0 && row >= 0)
            return {table, row, column};
    }
    return {};
}

QRectF InsertionFrame::grabOverLappingSectionCell(const QPointF &point)
{
    const SectionHit hit = sectionCellAt(point);
    if (!hit.section)
        return QRectF();
    QRectF cell = hit.section->grabSelectedCellRect(hit.row, hit.column);
    m_context.cache().selectedTable = hit.section;
    if (gResponsiveEdition) {
        cell.translate(0, hit.section->topMarginInPx() + hit.section->topPaddingInPx());
        cell.setHeight(cell.height() - hit.section->bottomPaddingInPx() - hit.section->bottomMarginInPx());
    }
    return cell;
}

QRectF InsertionFrame::grabSectionRect(const QPointF &point, const QRectF &rect)
{
    const QRectF cell = grabOverLappingSectionCell(point);
    if (cell.isNull())
        return rect;
    return {cell.x(), point.y(), cell.width(), std::trunc(rect.height())};
}

bool InsertionFrame::applySection(const QPointF &point, SKTGraphic &graphic)
{
    const SectionHit hit = sectionCellAt(point);
    if (!hit.section)
        return false;
    graphic.setSectionNumber(hit.section->sectionNumber());
    graphic.setSectionRowSpot(hit.row);
    graphic.setSectionColumnSpot(hit.column);
    return true;
}

std::shared_ptr<SKTGraphic> InsertionFrame::makeGraphic(const QString &className, const GraphicProperties &properties)
{
    std::unique_ptr<SKTGraphic> made = GraphicFactory::create(className);
    if (!made)
        return {};
    made->readProperties(properties);
    return std::shared_ptr<SKTGraphic>(std::move(made));
}

void InsertionFrame::insertAtFront(const std::shared_ptr<SKTGraphic> &graphic)
{
    if (!graphic)
        return;
    document().insertGraphicAtIndex(graphic, 0);
    growSectionToHold(*graphic);
}

void InsertionFrame::insertAtBack(const std::shared_ptr<SKTGraphic> &graphic)
{
    if (!graphic)
        return;
    document().insertGraphicAtIndex(graphic, document().graphics().size());
    growSectionToHold(*graphic);
}

void InsertionFrame::growSectionToHold(const SKTGraphic &graphic)
{
    // A new object of a section that reaches below its bottom makes the
    // section grow rather than hang out of it.
    if (gResponsiveEdition)
        SectionOperations(m_context).growSectionOf(graphic);
}

int32_t InsertionFrame::findNextGroupNumber(const SKTDocument &document)
{
    if (document.graphics().isEmpty())
        return 1;
    int32_t highest = std::numeric_limits<int32_t>::min();
    for (const auto &g : document.graphics())
        highest = std::max(highest, g->groupNumber());
    return highest == std::numeric_limits<int32_t>::max() ? highest : highest + 1;
}

int32_t InsertionFrame::findNextFormTag(const SKTDocument &document)
{
    bool any = false;
    int32_t highest = 0;
    for (SKTText *text : document.textAreas()) {
        if (text->textType() != QLatin1String("Text"))
            continue;
        any = true;
        highest = std::max(highest, text->formTag());
    }
    if (!any)
        return 1;
    return highest == std::numeric_limits<int32_t>::max() ? highest : highest + 1;
}

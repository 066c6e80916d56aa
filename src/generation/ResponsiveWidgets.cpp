#include "generation/ResponsiveWidgets.h"

#include "document/SKTDocument.h"
#include "generation/GenerationContext.h"
#include "generation/NavigationBars.h"
#include "generation/Panels.h"
#include "generation/ResponsiveArrangement.h"
#include "generation/TableGenerator.h"
#include "model/SKTTable.h"

#include <QHash>
#include <functional>

bool ResponsiveWidgets::isInSectionCell(const GenerationContext &ctx, const QPointF &point)
{
    for (SKTTable *section : ctx.doc.tableArray) {
        if (!ResponsiveArrangement::isSection(section))
            continue;
        for (const auto &cell : section->cellHelperArray())
            if (cell && QRectF(cell->originX, cell->originY, cell->width, cell->height).contains(point))
                return true;
    }
    return false;
}

void ResponsiveWidgets::add(GenerationContext &ctx, SKTTable *table)
{
    if (!table || ResponsiveArrangement::isSection(table))
        return;
    SKTDocument &doc = ctx.doc;
    using Generator = std::function<CodeWidgetHelper(SKTDocument &, SKTTable *)>;
    static const QHash<QString, Generator> kWidgets = {
        {QStringLiteral("photo_hover_caption"), Panels::generatePhoto_Hover_Caption},
        {QStringLiteral("text_carousel"), Panels::generateTextCarousel},
        {QStringLiteral("collapsible_text_panel"), Panels::generateCollapsibleTextPanel},
        {QStringLiteral("collapsible_image_panel"), Panels::generateCollapsibleImagePanel},
        {QStringLiteral("navbar"), NavigationBars::generateNavBar},
        {QStringLiteral("navbar_centered"), NavigationBars::generateNavBar_centered},
        {QStringLiteral("dropdownmenu"), NavigationBars::generateDropdownmenu},
        {QStringLiteral("navbar_fixed"), NavigationBars::generateNavBar_Fixed},
        {QStringLiteral("navbar_fixed_centered"), NavigationBars::generateNavBar_Fixed_Centered},
    };
    const auto widget = kWidgets.constFind(table->gridType());
    if (widget == kWidgets.constEnd()) {
        doc.sourceCodeArray.append(TableGenerator::generateTableCode(doc, table, ctx.responsiveFlag));
        return;
    }
    CodeWidgetHelper code = widget.value()(doc, table);
    const QRectF b = table->bounds();
    if (isInSectionCell(ctx, b.topLeft())) {
        code.setRect(b);
        doc.sourceCodeArray.append(code);
    } else {
        ctx.freeFragments.append(code);
    }
}

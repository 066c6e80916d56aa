#pragma once
// Bootstrap components of the responsive layout built from composite
// graphics: the collapsible text and image panels, the text (quote)
// carousel and the photo with a hover caption, each from a table, and the
// image carousel of a slideshow.
#include "document/CodeWidgetHelper.h"
#include "model/SKTTable.h"

#include <functional>
#include <optional>

class SKTDocument;
class SKTSlideshow;

class Panels {
public:
    Panels() = delete;

    // The text element generator's fragment for one cell (cell flag 1).
    using CellCode = std::function<CodeWidgetHelper(const SKTTable::Cell &cell)>;

    // An empty fragment (no markup) for a slideshow without images.
    static CodeWidgetHelper generateCarousel(SKTDocument &doc, SKTSlideshow *slideshow);
    static CodeWidgetHelper generatePhoto_Hover_Caption(SKTDocument &doc, SKTTable *table);
    static CodeWidgetHelper generateTextCarousel(SKTDocument &doc, SKTTable *table);
    static CodeWidgetHelper generateCollapsibleTextPanel(SKTDocument &doc, SKTTable *table);
    static CodeWidgetHelper generateCollapsibleImagePanel(SKTDocument &doc, SKTTable *table);

    // The table component that matches the table's gridType, with the cells'
    // fragments from cellCode; nothing for another kind.
    static std::optional<CodeWidgetHelper> generate(const SKTDocument &doc, const SKTTable &table,
                                                    const CellCode &cellCode);

    // The element number of a page graphic: the page's graphic count minus
    // its index (the number its stored rule carries).
    static int32_t elementNumber(const SKTDocument &doc, const SKTGraphic *graphic);
    // "folder/nameo.type" of an image: the page's folder, or the image's
    // template folder when it belongs to the base template.
    static QString fullSizePath(const SKTDocument &doc, const TransformView &image);
};

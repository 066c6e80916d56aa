#pragma once
// The five Bootstrap navigation bars of the responsive layout (plain,
// centred, dropdown menu, fixed, fixed and centred), each one fragment. A bar
// is a one-row table whose cells are the menu entries; a dropdown menu is a
// table whose first row holds the top entries and whose further rows hold,
// column by column, the entries of each list. One style cell colours the bar.
#include "document/CodeWidgetHelper.h"
#include "model/SKTTable.h"

#include <functional>
#include <optional>

class SKTDocument;

class NavigationBars {
public:
    NavigationBars() = delete;

    // The text element generator's fragment for one cell (cell flag 1).
    using CellCode = std::function<CodeWidgetHelper(const SKTTable::Cell &cell)>;

    // The generators of the page, cells through the document's text element
    // generator. A table without cells gives an empty fragment (no markup).
    static CodeWidgetHelper generateNavBar(SKTDocument &doc, SKTTable *table);
    static CodeWidgetHelper generateNavBar_centered(SKTDocument &doc, SKTTable *table);
    static CodeWidgetHelper generateDropdownmenu(SKTDocument &doc, SKTTable *table);
    static CodeWidgetHelper generateNavBar_Fixed(SKTDocument &doc, SKTTable *table);
    static CodeWidgetHelper generateNavBar_Fixed_Centered(SKTDocument &doc, SKTTable *table);

    // The bar that matches the table's gridType, with the cells' fragments
    // from cellCode; nothing for a table without cells or of another kind.
    static std::optional<CodeWidgetHelper> generate(const SKTTable &table, const CellCode &cellCode);
    // The document's text element generator for the cells of table.
    static CellCode textGenerator(SKTDocument &doc, SKTTable *table);
};

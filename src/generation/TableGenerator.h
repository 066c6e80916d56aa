#pragma once
// The table generator of the responsive layout: a table of grid type
// "table" (or of any kind without a generator of its own) as an HTML table
// whose cells hold the cell's picture or the cell's content as a snippet.
#include "document/CodeWidgetHelper.h"
#include "model/SKTTable.h"

#include <functional>

class SKTDocument;

class TableGenerator {
public:
    TableGenerator() = delete;

    // The snippet generator's fragment for one cell of the table.
    using CellCode = std::function<CodeWidgetHelper(const SKTTable::Cell &cell)>;

    // Without snippetCode the cells go through the document's snippet generator.
    static CodeWidgetHelper generateTableCode(SKTDocument &doc, SKTTable *table, bool responsive,
                                              const CellCode &snippetCode = {});
    // The table's padding and margin declaration; a missing unit is "%".
    static QString boxDeclaration(const SKTGraphic &graphic);
};

#pragma once
// The walk that navigation bars and panels made of a table share: each cell's
// own code, its CSS gathered in one string, its markup handed on to where
// the bar or panel puts it.
#include "document/CodeWidgetHelper.h"
#include "document/Fmt.h"
#include "model/SKTTable.h"

#include <QString>
#include <cstdint>

// Runs cellCode over the table's cells from firstRow on, row by row, skipping
// empty places; appends each part's CSS to css on a line of its own and
// gives take(row, column, cell, part) the rest.
template <class CellCode, class Take>
void collectTableCellParts(const SKTTable &table, int32_t firstRow, const CellCode &cellCode, QString &css,
                           Take take)
{
    for (int32_t r = firstRow; r < table.numOfRows(); ++r) {
        for (int32_t c = 0; c < table.numOfColumns(); ++c) {
            const SKTTable::Cell cell = table.grabSelectedTableCellHelper(r, c);
            if (!cell)
                continue;
            const CodeWidgetHelper part = cellCode(cell);
            Fmt::append(css, u"\n%@", {part.headerString});
            take(r, c, cell, part);
        }
    }
}

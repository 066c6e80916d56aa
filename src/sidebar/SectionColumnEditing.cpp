#include "sidebar/SectionColumnEditing.h"

#include "document/SKTDocument.h"
#include "insertion/GridInsertion.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"
#include "platform/UndoManager.h"

#include <algorithm>
#include <cmath>

QList<SectionColumn> SectionColumnEditing::columnsOf(const SKTTable &section)
{
    QList<SectionColumn> columns;
    const int count = std::clamp(section.numOfColumns(), 0, maximumColumns);
    for (int c = 0; c < count; ++c) {
        const SKTTable::Cell cell = section.grabSelectedTableCellHelper(0, c);
        SectionColumn column;
        if (cell) {
            column.width = cell->width;
            column.xs = cell->xsGridColumns;
            column.small = cell->smallGridColumns;
            column.medium = cell->mediumGridColumns;
            column.large = cell->largeGridColumns;
        }
        columns.append(column);
    }
    return columns;
}

int SectionColumnEditing::columnWidth(int pane, int shownPane, int originalWidth)
{
    if (pane == shownPane && originalWidth > 0)
        return originalWidth;
    return std::max(1, pane * 2);
}

SectionColumn SectionColumnEditing::withSpans(SectionColumn column, int count)
{
    const int share = std::max(1, maximumColumns / std::max(1, count));
    auto fix = [](int span, int fallback) { return span >= 1 && span <= maximumColumns ? span : fallback; };
    column.xs = fix(column.xs, maximumColumns);
    column.small = fix(column.small, share);
    column.medium = fix(column.medium, share);
    column.large = fix(column.large, share);
    return column;
}

int SectionColumnEditing::snappedPaneWidth(double width)
{
    if (!std::isfinite(width))
        return addedPaneWidth;
    const double n = std::floor(width / 50.0 + 0.5);
    return int(std::trunc(n * 50 + 50));
}

namespace {
struct Layout {
    QList<myTextView> cells;
    int32_t columns = 0;
};

// Puts the cells in exactly as given. The table's layout spreads any
// difference between its bounds and its cells over the cells, so the cells
// first go in fixed (the bounds take their total), then with their own flags.
// Recorded as one closure that puts the other layout back, for undo and redo.
void applyLayout(UndoManager &undo, SKTTable *section, const Layout &to, const Layout &from)
{
    undo.registerUndo([&undo, section, from, to] { applyLayout(undo, section, from, to); });
    undo.disableUndoRegistration();
    section->setNumOfColumns(to.columns);
    QList<myTextView> fixed = to.cells;
    for (myTextView &c : fixed) {
        c.fixedWidthFlag = 1;
        c.fixedHeightFlag = 1;
    }
    section->setValue(QStringLiteral("cellStyles"), QVariant::fromValue(fixed));
    section->setValue(QStringLiteral("cellStyles"), QVariant::fromValue(to.cells));
    undo.enableUndoRegistration();
}
} // namespace

bool SectionColumnEditing::save(SKTDocument &document, GridInsertion &insertion, SKTTable &section, int count,
                                const QList<SectionColumn> &columns)
{
    if (count < 1 || count > maximumColumns)
        return false;
    Layout before;
    before.cells = section.value(QStringLiteral("cellStyles")).value<QList<myTextView>>();
    before.columns = section.numOfColumns();

    UndoManager &undo = document.undoManager();
    undo.beginUndoGrouping();
    undo.disableUndoRegistration();
    section.setNumOfColumns(count);
    insertion.refreshTable(section);
    // Row 0 holds exactly count columns: the ones beyond go, missing ones are
    // made like the last column there is.
    QList<myTextView> cells = section.value(QStringLiteral("cellStyles")).value<QList<myTextView>>();
    undo.enableUndoRegistration();
    cells.erase(std::remove_if(cells.begin(), cells.end(),
                               [count](const myTextView &c) { return c.rowSpot == 0 && c.columnSpot >= count; }),
                cells.end());
    for (int c = 0; c < count; ++c) {
        auto it = std::find_if(cells.begin(), cells.end(),
                               [c](const myTextView &v) { return v.rowSpot == 0 && v.columnSpot == c; });
        if (it == cells.end()) {
            myTextView added;
            for (const myTextView &v : std::as_const(cells))
                if (v.rowSpot == 0)
                    added = v;
            added.rowSpot = 0;
            added.columnSpot = c;
            cells.append(added);
            it = cells.end() - 1;
        }
        const SectionColumn column = withSpans(c < columns.size() ? columns[c] : SectionColumn{}, count);
        it->width = std::max(1, column.width > 0 ? column.width : addedPaneWidth * 2);
        it->xsGridColumns = column.xs;
        it->smallGridColumns = column.small;
        it->mediumGridColumns = column.medium;
        it->largeGridColumns = column.large;
    }
    Layout after;
    after.cells = cells;
    after.columns = count;
    applyLayout(undo, &section, after, before);
    undo.setActionName(QStringLiteral("Section Grid"));
    undo.endUndoGrouping();
    undo.closeAutomaticGroup();
    return true;
}

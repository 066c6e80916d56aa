#pragma once
// Editing the grid of the table the user works on: rows and columns
// inserted, deleted and moved, the grid transposed, two tables joined, a
// table rebuilt after its counts changed, a table of contents rebuilt from
// the page list, and a gallery trimmed to its grid. Pictures placed in a
// table's cells follow their cells and go with a deleted row or column.
// Every command is one named undo step that gives the grid back whole.
#include "model/myTextView.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

class InsertionFrame;
class SKTGalleryGrid;
class SKTTable;

class TableGridEditing {
public:
    using Cell = std::shared_ptr<myTextView>;
    // Counts a table may be given in one go.
    static constexpr int32_t kMinimumCount = 1;
    static constexpr int32_t kMaximumCount = 100;

    explicit TableGridEditing(InsertionFrame &frame) : m_frame(frame) {}

    // The cell every table maker starts from: Helvetica Neue 15, "4f4c4c"
    // text on a clear background, a 1 px black solid border, left aligned,
    // spacing 1.2, pixel margins and paddings; spots and sizes 0.
    static Cell createNewTableCell();
    // A new cell's values that a stored page would give back otherwise: a
    // clear background and no padding or margin level, as a cell reads back.
    static void setReadBackDefaults(myTextView &cell);
    // The largest spot among the cells; -1 for no cells.
    static int32_t findMaxRowSpot(const QList<Cell> &cells);
    static int32_t findMaxColumnSpot(const QList<Cell> &cells);

    // Rebuilds the grid after numOfRows or numOfColumns changed: cells and
    // pictures outside the counts go, missing rows then missing columns are
    // added styled after their neighbours, and the bounds follow the cells.
    // Counts below 1 are taken as 1. Records nothing: callers wrap it.
    static void refreshTable(SKTTable &table);
    // Drops the gallery's pictures outside its rows and columns.
    static void refreshGalleryImage(SKTGalleryGrid &gallery);

    // --- commands on the context's selected table --------------------------------
    // Each returns false when it changed nothing (no table, an edge, a refusal).
    bool insertTableRow();
    bool insertTableColumn();
    bool deleteTableRow();
    bool deleteTableColumn();
    bool moveTableRowUp();
    bool moveTableRowDown();
    bool moveTableRowLeft();
    bool moveTableRowRight();
    bool transformTable();
    // The two selected tables; the front one's rows (columns) go below
    // (right of) the one further back, which keeps its place.
    bool joinTablesVertically();
    bool joinTablesHorizontally();
    // The selected table of contents rebuilt from the project's page list.
    bool refreshTableOfContents();

    // The row and column of the cell under the last click; 0 for none.
    int32_t currentRow(SKTTable &table) const;
    int32_t currentColumn(SKTTable &table) const;

private:
    SKTTable *selectedTable() const;
    bool insertLine(bool rows);
    bool deleteLine(bool rows);
    bool moveLine(bool rows, int delta);
    bool join(bool vertically);
    InsertionFrame &m_frame;
};

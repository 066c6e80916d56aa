#pragma once
// Arithmetic of grid-shaped graphics (tables, sections, navigation bars and
// the other grid kinds), kept free of the graphic so that it can be tested on
// plain numbers. Sizes are whole pixels; positions are canvas coordinates,
// y growing downwards. -99 stands for "no cell" in every spot.
#include <QList>
#include <QPoint>
#include <QRect>
#include <cstdint>

class TableGeometry {
public:
    static constexpr int32_t kNoSpot = -99;
    // Cells narrower (lower) than this are never shrunk when a table shrinks.
    static constexpr int32_t kMinShrinkableSize = 21;

    // Total extent of a row of columns (or a column of rows): one gap of
    // padding + border before each cell and after the last, the box model's
    // paddings and margins on both sides (extraPx), and the sizes themselves.
    static int32_t totalSize(const QList<int32_t> &sizes, int32_t padding, int32_t borderWidth,
                             double extraPx);

    // Average size of the existing columns (rows) after one new, still empty
    // one has been counted in: the sum divided by count - 1. Guarded so that a
    // grid of one or no columns yields a finite value (the sum itself, or 0).
    static float averageSize(const QList<int32_t> &sizes);

    // Start positions of every column (row) as drawn: the first starts at
    // origin + padding + border, each next one after size + padding + border.
    static QList<int32_t> starts(const QList<int32_t> &sizes, int32_t origin, int32_t padding,
                                 int32_t borderWidth);

    // Index of the column (row) whose drawn span [start, start + size) holds
    // the coordinate, or kNoSpot. starts must come from starts() of sizes.
    static int32_t spanAt(const QList<int32_t> &starts, const QList<int32_t> &sizes, int32_t coordinate);

    // Per-cell change when a table is resized: (requested - total) spread
    // evenly (truncating division) over the cells that may change.
    static int32_t spreadStep(int32_t requested, int32_t total, int32_t changeableCount);
    // A cell's size after one spread step; small cells are not shrunk.
    static int32_t applySpreadStep(int32_t size, int32_t step);

    // The spot after (row, column) in reading order, as (row, column).
    static QPoint nextSpot(int32_t row, int32_t column, int32_t numOfColumns);
    // Number of cells from (row, column) to the end of the grid.
    static int32_t cellsToEnd(int32_t row, int32_t column, int32_t numOfRows, int32_t numOfColumns);

    // Size of a picture fitted into a box keeping its proportions: full width
    // when the scaled height fits, else full height. An empty picture or box
    // gives an empty size rather than a division by zero.
    static QSize fitInto(int32_t boxWidth, int32_t boxHeight, int32_t pictureWidth, int32_t pictureHeight);
};

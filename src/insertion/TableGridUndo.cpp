#include "insertion/TableGridUndo.h"

#include "document/SKTDocument.h"
#include "model/SKTTable.h"

namespace {
std::shared_ptr<SKTGraphic> sharedOnPage(SKTDocument &document, const SKTGraphic &graphic)
{
    for (const auto &g : document.graphics())
        if (g.get() == &graphic)
            return g;
    return {};
}

void registerReturn(SKTDocument &document, const std::shared_ptr<SKTGraphic> &graphic,
                    const TableGridUndo::State &state)
{
    document.undoManager().registerUndo([&document, graphic, state] {
        auto *grid = dynamic_cast<GridGraphic *>(graphic.get());
        if (!grid)
            return;
        registerReturn(document, graphic, TableGridUndo::capture(*grid));
        document.undoManager().disableUndoRegistration();
        TableGridUndo::apply(*grid, state);
        document.undoManager().enableUndoRegistration();
    });
}
} // namespace

TableGridUndo::State TableGridUndo::capture(const GridGraphic &grid)
{
    State state;
    if (const auto *table = dynamic_cast<const SKTTable *>(&grid)) {
        state.cells = table->cellSnapshot();
        if (const auto background = table->tableBackgroundImage()) {
            state.hasBackground = true;
            state.background = *background;
        }
    }
    state.images.reserve(grid.imageArray().size());
    for (const auto &image : grid.imageArray())
        if (image)
            state.images.append(*image);
    state.numOfRows = grid.numOfRows();
    state.numOfColumns = grid.numOfColumns();
    state.padding = grid.padding();
    state.bounds = grid.bounds();
    return state;
}

void TableGridUndo::apply(GridGraphic &grid, const State &state)
{
    // Bounds first and through the plain setter: a table's own setter would
    // spread the difference over the cells that follow.
    grid.SKTGraphic::setBounds(state.bounds);
    grid.setNumOfRows(state.numOfRows);
    grid.setNumOfColumns(state.numOfColumns);
    grid.setPadding(state.padding);
    QList<GridGraphic::Image> images;
    images.reserve(state.images.size());
    for (const TransformView &image : state.images)
        images.append(std::make_shared<TransformView>(image));
    grid.setImageArray(images);
    if (auto *table = dynamic_cast<SKTTable *>(&grid)) {
        QList<SKTTable::Cell> cells;
        cells.reserve(state.cells.size());
        for (const myTextView &cell : state.cells)
            cells.append(std::make_shared<myTextView>(cell));
        table->setCellHelperArray(cells);
        // Setting the background also tells observers to redraw.
        table->setTableBackgroundImage(state.hasBackground ? std::make_shared<TransformView>(state.background)
                                                           : GridGraphic::Image());
    }
}

void TableGridUndo::record(SKTDocument &document, GridGraphic &grid, const State &before)
{
    if (!document.undoManager().isUndoRegistrationEnabled())
        return;
    if (const auto shared = sharedOnPage(document, grid))
        registerReturn(document, shared, before);
}

void TableGridUndo::suspend(SKTDocument &document, bool off)
{
    if (off)
        document.undoManager().disableUndoRegistration();
    else
        document.undoManager().enableUndoRegistration();
}

bool TableGridUndo::recording(SKTDocument &document)
{
    return document.undoManager().isUndoRegistrationEnabled();
}

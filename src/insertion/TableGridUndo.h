#pragma once
// Undo of a whole grid: the cells, pictures, background, counts and bounds
// of a table or gallery as they were before a command. Grid edits change
// many cells, spots and pictures at once; recording the grid whole and
// putting it back whole is what makes undo restore the page exactly.
#include "model/GridGraphic.h"
#include "model/myTextView.h"

#include <QList>
#include <QRectF>
#include <memory>

class SKTDocument;
class SKTTable;

class TableGridUndo {
public:
    // Copies of everything a grid edit may change.
    struct State {
        QList<myTextView> cells;
        QList<TransformView> images;
        bool hasBackground = false;
        TransformView background;
        int32_t numOfRows = 0;
        int32_t numOfColumns = 0;
        int32_t padding = 0;
        QRectF bounds;
    };

    static State capture(const GridGraphic &grid);
    // Puts the state back without recording anything.
    static void apply(GridGraphic &grid, const State &state);

    // Registers, in the document's current undo group, the return of the
    // grid to before; undo registers the way forward again, so redo works.
    // The grid must be on the page; nothing is registered otherwise.
    static void record(SKTDocument &document, GridGraphic &grid, const State &before);

    // Runs an edit of the grid with the document's own recording off and
    // records it as one grid change.
    template <typename Edit>
    static void edit(SKTDocument &document, GridGraphic &grid, Edit &&change);

private:
    static void suspend(SKTDocument &document, bool off);
    static bool recording(SKTDocument &document);
};

template <typename Edit>
void TableGridUndo::edit(SKTDocument &document, GridGraphic &grid, Edit &&change)
{
    const State before = capture(grid);
    const bool wasRecording = recording(document);
    if (wasRecording)
        suspend(document, true);
    change();
    if (wasRecording) {
        suspend(document, false);
        record(document, grid, before);
    }
}

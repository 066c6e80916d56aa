#pragma once
// The section column editor's effect on a section: its column count, each
// column's width and its spans of the twelve-column grid on extra-small,
// small, medium and large screens. The editor shows columns at half scale;
// a column whose pane was not moved keeps its exact width, and a column that
// has no spans yet (one added in the editor) spans all twelve on extra-small
// screens and an equal share, at least one, elsewhere. Save is one undo step.
#include <QList>
#include <QString>

class GridInsertion;
class SKTDocument;
class SKTTable;

struct SectionColumn {
    int width = 0;  // page pixels
    int xs = 0;
    int small = 0;
    int medium = 0;
    int large = 0;
    bool operator==(const SectionColumn &) const = default;
};

class SectionColumnEditing {
public:
    SectionColumnEditing() = delete;
    static constexpr int maximumColumns = 12;
    // Pane width of a column that the editor adds (50 points: 100 pixels).
    static constexpr int addedPaneWidth = 50;

    // The section's row-0 columns in column order (at most twelve).
    static QList<SectionColumn> columnsOf(const SKTTable &section);
    // The pane width the editor shows for a column width: halved, toward zero.
    static int paneWidth(int columnWidth) { return columnWidth / 2; }
    // The column width a pane stands for: the column's own when the pane
    // still has the width it was shown with, else twice the pane's.
    static int columnWidth(int paneWidth, int shownPaneWidth, int originalWidth);
    // Spans that a column without any gets when the section has count columns.
    static SectionColumn withSpans(SectionColumn column, int count);
    // The 50-point steps of a dragged pane: n = floor(w / 50 + 0.5), n x 50 + 50.
    static int snappedPaneWidth(double width);

    // Sets the count (1-12) and the first count columns on the section as one
    // undo step "Section Grid"; false (nothing changes) for a count out of range.
    static bool save(SKTDocument &document, GridInsertion &insertion, SKTTable &section, int count,
                     const QList<SectionColumn> &columns);
};

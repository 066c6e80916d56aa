#pragma once
// The table and gallery grid editors' effects on their item. Typed values are
// checked first: counts are whole numbers 1-100, spacing lies within its
// slider, cell sizes are 1-20,000; anything else is refused with a message
// and changes nothing. Every change is one named undo step of the document.
#include <QString>

#include <functional>
#include <optional>

class GridInsertion;
class SKTDocument;
class SKTGalleryGrid;
class SKTTable;
class myTextView;

struct GridCheck {
    std::optional<int> value;
    QString message;  // why the text was refused
};

class GridEditing {
public:
    static constexpr int maximumCount = 100;
    static constexpr int maximumCellSize = 20000;
    static constexpr int tableSpacingMaximum = 40;
    static constexpr int gallerySpacingMaximum = 20;

    static GridCheck checkCount(const QString &text);
    static GridCheck checkSpacing(const QString &text, int maximum);
    static GridCheck checkCellSize(const QString &text);
    // The size of each cell when all share total: never below 1; none for a count below 1.
    static std::optional<int> sameCellSize(double total, int count, int borderWidth, int padding);

    GridEditing(SKTDocument &document, GridInsertion &insertion);

    // Cell sizes and fixed flags apply at once to a whole column or row (0-based).
    QString updateColumnWidth(SKTTable &table, int column, const QString &text);
    QString updateRowHeight(SKTTable &table, int row, const QString &text);
    void updateFixedWidth(SKTTable &table, int column, bool fixed);
    void updateFixedHeight(SKTTable &table, int row, bool fixed);

    struct TableValues {
        QString columns, rows, spacing;
        bool sameWidth = false, sameHeight = false;
        int chosenColumn = 0, chosenRow = 0;
        QString width, height;
    };
    // The Save button: checks everything first, then applies it as one step.
    // Answers the refusal, or an empty text when saved.
    QString saveTableSettings(SKTTable &table, const TableValues &values);

    QString setGalleryCount(SKTGalleryGrid &gallery, bool columns, const QString &text);
    void adjustGallerySpacing(SKTGalleryGrid &gallery, int spacing);
    void adjustGalleryShadow(SKTGalleryGrid &gallery, int segment);
    void adjustGalleryBackdrop(SKTGalleryGrid &gallery, int segment);
    // Takes the typed spacing and drops the pictures outside the grid; undo brings them back.
    QString saveGallerySettings(SKTGalleryGrid &gallery, const QString &spacing);

private:
    template <typename Fn> void step(const QString &name, Fn &&fn);
    void editCells(SKTTable &table, bool byColumn, int index, const std::function<void(myTextView &)> &change);

    SKTDocument &m_document;
    GridInsertion &m_insertion;
};

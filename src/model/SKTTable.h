#pragma once
// The one graphic behind every grid-shaped container: plain tables, page
// sections and section templates, tables of contents, text carousels,
// navigation bars, dropdown menus, collapsible panels and photo hover
// captions, told apart by gridType. Cells are text carriers that hold their
// own sizes and grid spots; images placed in cells are image carriers.
// Cells are found through a (row, column) index, so laying out, hit-testing
// and drawing are linear in the cells.
#include "model/GridGraphic.h"
#include "model/TableGridIndex.h"
#include "model/TextBlockLayout.h"
#include "model/myTextView.h"

#include <QHash>
#include <functional>

class SKTTable : public GridGraphic {
public:
    using Cell = std::shared_ptr<myTextView>;

    QString className() const override { return QStringLiteral("SKTTable"); }
    std::unique_ptr<SKTGraphic> copy() const override;

    // --- data --------------------------------------------------------------
    const QList<Cell> &cellHelperArray() const { return m_cells; }
    // Replaces the cells. Spots changed in place are picked up by the next
    // look-up; cellsChanged() says so at once.
    void setCellHelperArray(const QList<Cell> &cells);
    void cellsChanged() { m_indexBuiltFor = -1; }
    const QList<Image> &tableBackgroundArray() const { return m_backgroundArray; }
    Image tableBackgroundImage() const { return m_backgroundImage; }
    void setTableBackgroundImage(const Image &image)
    {
        m_backgroundImage = image;
        reportRedraw(QStringLiteral("numOfColumns"), m_numOfColumns);
    }
    QString gridType() const override { return m_gridType; }
    void setGridType(const QString &type) { changeAttribute(m_gridType, type, QStringLiteral("gridType")); }
    int32_t sameColumnWidth = 0;
    int32_t sameRowHeight = 0;
    bool interimCopyFlag = false;
    int32_t interimTranslatedY = 0;

    Cell grabSelectedTableCellHelper(int32_t row, int32_t column) const;
    Cell grabFirstCellAtColumn(int32_t column) const { return grabSelectedTableCellHelper(0, column); }
    Cell grabFirstCellAtRow(int32_t row) const { return grabSelectedTableCellHelper(row, 0); }

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    void readProperties(const GraphicProperties &properties) override;
    QStringList keyPathsForValuesAffectingDrawingContents() const override;

    // --- geometry ------------------------------------------------------------
    int32_t grabColumnWidth(int32_t column) const;
    int32_t grabRowHeight(int32_t row) const;
    int32_t tableTotalCellWidth();
    int32_t tableTotalCellHeight();
    float averageColumnWidth() const;
    float averageRowHeight() const;
    int32_t numOfNonFixedColumns() const;
    int32_t numOfNonFixedRows() const;
    // Where the cell's box is drawn (hit-testing uses the same rectangles).
    QRectF grabSelectedCellRect(int32_t row, int32_t column);
    int32_t grabRowSpot(int32_t x, int32_t y);
    int32_t grabColumnSpot(int32_t x, int32_t y);
    // (row, column) under the point, (-99, -99) for none.
    QPoint spotAt(int32_t x, int32_t y);
    QRectF grabCurrentCellRect(int32_t x, int32_t y);
    Cell grabCurrentTableCellHelper();
    // The text of that cell; null when no cell is under the last touch point.
    QString grabCurrentTextStorage();
    int32_t grabMaxNumToAdd(const QPointF &point);
    void alignCells();
    void setBounds(const QRectF &bounds) override;
    void refreshLayout();
    QSizeF naturalSize();

    // --- drawing, editing and style ------------------------------------------
    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;
    // Re-spreads the sizes and writes what every cell shares with the table
    // (kind of text, origin, placement, border) and where each image sits in
    // its cell. Drawing calls it; so must page generation of an undrawn page.
    void pushSettingsIntoCells();
    // Measures each cell's text as it is drawn into the cell's textHeight,
    // which page generation reads; drawing does the same.
    void measureCellTextHeights();
    // The cell edited in place under the last touch point, or null when the
    // table offers no editor there; the editor edits its textStorage.
    Cell editingCell();
    void finalizeEditing() { m_editedCell.reset(); }
    // Replaces a cell's text through the table's change path, so that the
    // document records undo for it ("cellText": row, column and old text).
    void setCellText(const Cell &cell, const QString &text);
    Cell cellBeingEdited() const { return m_editedCell; }

    void updateHoverTextColor();
    void updateHoverBackgroundColor();
    void updateTextColor();
    void updateLineSpacing();
    void updateBorderColor();
    void updateBackgroundColor();
    void updateFontSize();
    void updateFontFamily();
    void updateTextAlignment();
    void updateOpacity();
    void updateShadow();
    void refreshStyle();
    void reflectSelectedCellProperties(const myTextView &cell);
    // Copies of every cell as it is now; a style operation reports the copies
    // from before it under "cellStyles", and setting them back restores the
    // cells in place (undo of a style change made through the inspector).
    QList<myTextView> cellSnapshot() const;
    void restoreCells(const QList<myTextView> &snapshot);

    // The text a cell shows and the font it is drawn in. The cell's own
    // family and size are its whole text's font: the canvas draws them, the
    // inspector shows them and the page is written with them; the inner text
    // view's font stands in only where the cell has none.
    static QString cellText(const myTextView &cell);
    static QString cellFamily(const myTextView &cell);
    static int32_t cellFontSize(const myTextView &cell);

protected:
    void writeProperties(GraphicProperties &properties) override;

private:
    struct Layout {
        QList<int32_t> columnWidths, rowHeights, columnStarts, rowStarts;
    };
    void ensureIndex() const;
    // Visits the cells column by column, each column from the top.
    void forEachCell(const std::function<void(int32_t row, int32_t column, const Cell &cell)> &visit) const;
    Layout layout();
    QList<int32_t> columnWidths() const;
    QList<int32_t> rowHeights() const;
    QList<Cell> cellsInScope() const;
    void endStyleChange();
    // Applies a change to every cell in scope, then re-spreads and redraws.
    void applyToScope(const std::function<void(myTextView &)> &change);
    QString backgroundForCells() const;
    void copyCellStyleUp(const myTextView &cell, bool withBoxAndPlacement);
    void drawCellText(GraphicPainter &painter, myTextView &cell, const QPointF &at);
    static TextBlockStyle cellStyle(const myTextView &cell);
    static void placeCellImage(TransformView &image, const myTextView &cell);

    QList<Cell> m_cells;
    QList<Image> m_backgroundArray;
    Image m_backgroundImage;
    Cell m_editedCell;
    QString m_gridType = QStringLiteral("table");

    // One pass over the grid (laying out, drawing, hit-testing): the index is
    // rebuilt once at its start and trusted for misses until it ends, so the
    // pass stays linear in the cells.
    class IndexPass {
    public:
        explicit IndexPass(const SKTTable &table);
        ~IndexPass();
        IndexPass(const IndexPass &) = delete;
        IndexPass &operator=(const IndexPass &) = delete;

    private:
        const SKTTable &table;
        bool outer;
    };

    mutable TableGridIndex m_index;
    mutable qsizetype m_indexBuiltFor = -1;
    mutable bool m_trustIndex = false;
};

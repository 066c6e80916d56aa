#include "sidebar/GridEditing.h"

#include "document/SKTDocument.h"
#include "insertion/GridInsertion.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTTable.h"
#include "platform/UndoManager.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
GridCheck wholeNumber(const QString &text, int low, int high, const QString &what)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return {std::nullopt, QStringLiteral("%1 must be a whole number from %2 to %3.")
                                  .arg(what, QLocale::c().toString(low), QLocale::c().toString(high))};
    return {v, {}};
}

// Puts the pictures back, registering the way forward again for redo.
void setImagesUndoably(UndoManager &undo, const std::shared_ptr<SKTGalleryGrid> &gallery,
                       const QList<GridGraphic::Image> &images)
{
    const QList<GridGraphic::Image> current = gallery->imageArray();
    undo.registerUndo([&undo, gallery, current] { setImagesUndoably(undo, gallery, current); });
    gallery->setImageArray(images);
    // The pictures are not an attribute; redraw through a key that is.
    gallery->setNumOfColumns(gallery->numOfColumns());
}
} // namespace

GridCheck GridEditing::checkCount(const QString &text)
{
    return wholeNumber(text, 1, maximumCount, QStringLiteral("The number of rows and columns"));
}

GridCheck GridEditing::checkSpacing(const QString &text, int maximum)
{
    return wholeNumber(text, 0, maximum, QStringLiteral("The spacing"));
}

GridCheck GridEditing::checkCellSize(const QString &text)
{
    return wholeNumber(text, 1, maximumCellSize, QStringLiteral("A cell size"));
}

std::optional<int> GridEditing::sameCellSize(double total, int count, int borderWidth, int padding)
{
    if (count < 1)
        return std::nullopt;
    const double share = std::trunc((total - double(count + 1) * double(borderWidth + padding)) / count);
    return std::max(1, int(share));
}

GridEditing::GridEditing(SKTDocument &document, GridInsertion &insertion)
    : m_document(document), m_insertion(insertion)
{
}

template <typename Fn> void GridEditing::step(const QString &name, Fn &&fn)
{
    UndoManager &undo = m_document.undoManager();
    undo.beginUndoGrouping();
    fn();
    undo.setActionName(name);
    undo.endUndoGrouping();
    undo.closeAutomaticGroup();
}

void GridEditing::editCells(SKTTable &table, bool byColumn, int index, const std::function<void(myTextView &)> &change)
{
    // Setting the changed copy back through "cellStyles" lets the document
    // record the cells as they were.
    QList<myTextView> cells = table.value(QStringLiteral("cellStyles")).value<QList<myTextView>>();
    bool any = false;
    for (myTextView &cell : cells) {
        if ((byColumn ? cell.columnSpot : cell.rowSpot) == index) {
            change(cell);
            any = true;
        }
    }
    if (!any)
        return;
    table.setValue(QStringLiteral("cellStyles"), QVariant::fromValue(cells));
    table.refreshLayout();
}

QString GridEditing::updateColumnWidth(SKTTable &table, int column, const QString &text)
{
    const GridCheck size = checkCellSize(text);
    if (!size.value)
        return size.message;
    step(QStringLiteral("Column Width"), [&] { editCells(table, true, column, [&](myTextView &c) { c.width = *size.value; }); });
    return {};
}

QString GridEditing::updateRowHeight(SKTTable &table, int row, const QString &text)
{
    const GridCheck size = checkCellSize(text);
    if (!size.value)
        return size.message;
    step(QStringLiteral("Row Height"), [&] { editCells(table, false, row, [&](myTextView &c) { c.height = *size.value; }); });
    return {};
}

void GridEditing::updateFixedWidth(SKTTable &table, int column, bool fixed)
{
    step(QStringLiteral("Fixed Width"), [&] { editCells(table, true, column, [&](myTextView &c) { c.fixedWidthFlag = fixed ? 1 : 0; }); });
}

void GridEditing::updateFixedHeight(SKTTable &table, int row, bool fixed)
{
    step(QStringLiteral("Fixed Height"), [&] { editCells(table, false, row, [&](myTextView &c) { c.fixedHeightFlag = fixed ? 1 : 0; }); });
}

QString GridEditing::saveTableSettings(SKTTable &table, const TableValues &v)
{
    const GridCheck columns = checkCount(v.columns);
    if (!columns.value)
        return columns.message;
    const GridCheck rows = checkCount(v.rows);
    if (!rows.value)
        return rows.message;
    std::optional<int> spacing;
    if (!v.spacing.trimmed().isEmpty()) {
        const GridCheck s = checkSpacing(v.spacing, tableSpacingMaximum);
        if (!s.value)
            return s.message;
        spacing = s.value;
    }
    if (!v.sameWidth) {
        const GridCheck w = checkCellSize(v.width);
        if (!w.value)
            return w.message;
    }
    if (!v.sameHeight) {
        const GridCheck h = checkCellSize(v.height);
        if (!h.value)
            return h.message;
    }

    step(QStringLiteral("Table Grid"), [&] {
        table.setSameHeightForAllRowsFlag(v.sameHeight ? 1 : 0);
        table.setSameWidthForAllColumnsFlag(v.sameWidth ? 1 : 0);
        const QRectF b = table.bounds();
        if (!table.cellHelperArray().isEmpty()) {
            QList<myTextView> cells = table.value(QStringLiteral("cellStyles")).value<QList<myTextView>>();
            const auto height = sameCellSize(b.height(), table.numOfRows(), table.borderWidth(), table.padding());
            const auto width = sameCellSize(b.width(), table.numOfColumns(), table.borderWidth(), table.padding());
            for (myTextView &cell : cells) {
                if (v.sameHeight && height)
                    cell.height = *height;
                if (v.sameWidth && width)
                    cell.width = *width;
            }
            if (v.sameHeight || v.sameWidth) {
                table.setValue(QStringLiteral("cellStyles"), QVariant::fromValue(cells));
                table.refreshLayout();
            }
        }
        if (!v.sameWidth)
            editCells(table, true, v.chosenColumn, [&](myTextView &c) { c.width = v.width.trimmed().toInt(); });
        if (!v.sameHeight)
            editCells(table, false, v.chosenRow, [&](myTextView &c) { c.height = v.height.trimmed().toInt(); });
        if (spacing)
            table.setPadding(*spacing);
        table.setNumOfColumns(*columns.value);
        table.setNumOfRows(*rows.value);
        m_insertion.refreshTable(table);
    });
    return {};
}

QString GridEditing::setGalleryCount(SKTGalleryGrid &gallery, bool columns, const QString &text)
{
    const GridCheck count = checkCount(text);
    if (!count.value)
        return count.message;
    step(columns ? QStringLiteral("Gallery Columns") : QStringLiteral("Gallery Rows"), [&] {
        if (columns)
            gallery.setNumOfColumns(*count.value);
        else
            gallery.setNumOfRows(*count.value);
    });
    return {};
}

void GridEditing::adjustGallerySpacing(SKTGalleryGrid &gallery, int spacing)
{
    step(QStringLiteral("Gallery Spacing"), [&] { gallery.setPadding(std::clamp(spacing, 0, gallerySpacingMaximum)); });
}

void GridEditing::adjustGalleryShadow(SKTGalleryGrid &gallery, int segment)
{
    step(QStringLiteral("Gallery Shadow"), [&] { gallery.setShadowFlag(segment != 0 ? 1 : 0); });
}

void GridEditing::adjustGalleryBackdrop(SKTGalleryGrid &gallery, int segment)
{
    step(QStringLiteral("Gallery Backdrop"), [&] { gallery.setBackdropLightingFlag(segment); });
}

QString GridEditing::saveGallerySettings(SKTGalleryGrid &gallery, const QString &spacing)
{
    std::optional<int> padding;
    if (!spacing.trimmed().isEmpty()) {
        const GridCheck s = checkSpacing(spacing, gallerySpacingMaximum);
        if (!s.value)
            return s.message;
        padding = s.value;
    }
    std::shared_ptr<SKTGalleryGrid> shared;
    for (const std::shared_ptr<SKTGraphic> &g : m_document.graphics())
        if (g.get() == &gallery)
            shared = std::dynamic_pointer_cast<SKTGalleryGrid>(g);
    step(QStringLiteral("Gallery Grid"), [&] {
        if (padding)
            gallery.setPadding(*padding);
        const QList<GridGraphic::Image> before = gallery.imageArray();
        m_insertion.refreshGalleryImage(gallery);
        if (shared && gallery.imageArray() != before) {
            // Dropped pictures come back with undo.
            const QList<GridGraphic::Image> after = gallery.imageArray();
            gallery.setImageArray(before);
            setImagesUndoably(m_document.undoManager(), shared, after);
        }
    });
    return {};
}

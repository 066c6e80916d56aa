#include "insertion/TableGridEditing.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/TableGridUndo.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTTable.h"
#include "platform/Alerts.h"

#include <algorithm>
#include <cmath>

namespace {
int32_t &spotOf(myTextView &cell, bool rows) { return rows ? cell.rowSpot : cell.columnSpot; }
int32_t &spotOf(TransformView &image, bool rows) { return rows ? image.rowSpot : image.columnSpot; }

// The style a new row or column takes from its neighbour.
void copyNeighbourStyle(myTextView &cell, const myTextView &from)
{
    cell.colorString = from.colorString;
    cell.backgroundHexColorString = from.backgroundHexColorString;
    cell.textHexColorString = from.textHexColorString;
    cell.textColorString = from.textColorString;
    cell.familyName = from.familyName;
    cell.fontSize = from.fontSize;
    cell.textAlignment = from.textAlignment;
    cell.borderHexColorString = from.borderHexColorString;
}

// Removes what the predicate picks, keeping the order of the rest.
template <typename T, typename Pick>
void removeWhere(QList<T> &list, Pick pick)
{
    list.erase(std::remove_if(list.begin(), list.end(), [&](const T &item) { return !item || pick(*item); }),
               list.end());
}

void inform(InsertionFrame &frame, const QString &message, const QString &informative)
{
    Alert alert;
    alert.messageText = message;
    alert.informativeText = informative;
    alert.style = Alert::Style::Informational;
    frame.context().alerts().show(alert, frame.context().window(), {});
}
} // namespace

TableGridEditing::Cell TableGridEditing::createNewTableCell()
{
    auto cell = std::make_shared<myTextView>();
    cell->textStorage = QString();
    cell->textView.string = QString();
    cell->familyName = QStringLiteral("Helvetica Neue");
    cell->fontSize = 15;
    cell->textView.fontName = cell->familyName;
    cell->textView.fontPointSize = 15;
    cell->alphaValue = 1.0f;
    cell->shadowFlag = false;
    cell->textColorString = QStringLiteral("4f4c4c");
    cell->textHexColorString = QStringLiteral("4f4c4c");
    cell->colorString = QStringLiteral("CLEAR0");
    cell->linkType = QStringLiteral("shape");
    cell->formType = QLatin1String("");
    cell->formTag = 0;
    cell->formOptionTag = -99;
    cell->formRequiredFlag = 0;
    cell->textView.borderLine = QStringLiteral("solid");
    cell->borderWidth = 1;
    cell->borderHexColorString = QStringLiteral("000000");
    cell->textAlignment = QStringLiteral("left");
    cell->lineSpacing = 1.2f;
    const QString pixel = QStringLiteral("pixel");
    cell->topMarginType = cell->bottomMarginType = cell->leftMarginType = cell->rightMarginType = pixel;
    cell->topPaddingType = cell->bottomPaddingType = cell->leftPaddingType = cell->rightPaddingType = pixel;
    setReadBackDefaults(*cell);
    return cell;
}

void TableGridEditing::setReadBackDefaults(myTextView &cell)
{
    if (cell.backgroundHexColorString.isEmpty())
        cell.backgroundHexColorString = cell.colorString.isEmpty() ? QStringLiteral("CLEAR0") : cell.colorString;
    const QString none = QStringLiteral("None");
    for (QString *level : {&cell.topPaddingLevelString, &cell.bottomPaddingLevelString, &cell.leftPaddingLevelString,
                           &cell.rightPaddingLevelString, &cell.topMarginLevelString, &cell.bottomMarginLevelString,
                           &cell.leftMarginLevelString, &cell.rightMarginLevelString})
        if (level->isEmpty())
            *level = none;
}

int32_t TableGridEditing::findMaxRowSpot(const QList<Cell> &cells)
{
    int32_t most = -1;
    for (const Cell &cell : cells)
        if (cell)
            most = std::max(most, cell->rowSpot);
    return most;
}

int32_t TableGridEditing::findMaxColumnSpot(const QList<Cell> &cells)
{
    int32_t most = -1;
    for (const Cell &cell : cells)
        if (cell)
            most = std::max(most, cell->columnSpot);
    return most;
}

void TableGridEditing::refreshTable(SKTTable &table)
{
    // A table keeps at least one row and one column: with none, the grid
    // has no largest spot to grow from.
    if (table.numOfRows() < kMinimumCount)
        table.setNumOfRows(kMinimumCount);
    if (table.numOfColumns() < kMinimumCount)
        table.setNumOfColumns(kMinimumCount);
    const int32_t rows = table.numOfRows();
    const int32_t columns = table.numOfColumns();

    QList<Cell> cells = table.cellHelperArray();
    removeWhere(cells, [&](const myTextView &c) { return c.rowSpot >= rows || c.columnSpot >= columns; });
    // Pictures go with the cells that held them.
    QList<GridGraphic::Image> images = table.imageArray();
    removeWhere(images, [&](const TransformView &i) { return i.rowSpot >= rows || i.columnSpot >= columns; });
    table.setImageArray(images);

    // Averages before anything is added.
    const int32_t averageWidth = int32_t(table.averageColumnWidth());
    const int32_t averageHeight = int32_t(table.averageRowHeight());
    if (cells.isEmpty()) {
        Cell first = createNewTableCell();
        first->width = averageWidth > 0 ? averageWidth : 100;
        first->height = averageHeight > 0 ? averageHeight : 50;
        cells.append(first);
    }
    table.setCellHelperArray(cells);

    // Sizes and neighbours are looked up once and then carried along, so
    // growing by many rows and columns stays linear in the cells.
    int32_t maxRow = findMaxRowSpot(cells);
    int32_t maxCol = findMaxColumnSpot(cells);
    if (maxRow < rows - 1 || maxCol < columns - 1) {
        QList<int32_t> columnWidths(maxCol + 1);
        for (int32_t c = 0; c <= maxCol; ++c)
            columnWidths[c] = table.grabColumnWidth(c);
        const int32_t firstRowHeight = table.grabRowHeight(0);
        const int32_t firstColumnWidth = table.grabColumnWidth(0);
        QList<Cell> neighbours(maxCol + 1);
        for (const Cell &cell : cells)
            if (cell->rowSpot == maxRow && cell->columnSpot >= 0 && cell->columnSpot <= maxCol)
                neighbours[cell->columnSpot] = cell;
        const int32_t height = (gTableUniformSizing && table.sameHeightForAllRowsFlag() == 0) ? averageHeight
                                                                                            : firstRowHeight;
        for (int32_t row = maxRow + 1; row < rows; ++row) {
            for (int32_t c = 0; c <= maxCol; ++c) {
                Cell cell = createNewTableCell();
                cell->rowSpot = row;
                cell->columnSpot = c;
                cell->width = columnWidths[c];
                cell->height = height;
                // Without a neighbour the new cell keeps the default cell's values.
                if (const Cell &above = neighbours[c]) {
                    cell->fixedWidthFlag = above->fixedWidthFlag;
                    copyNeighbourStyle(*cell, *above);
                }
                neighbours[c] = cell;
                cells.append(cell);
            }
        }
        maxRow = std::max(maxRow, rows - 1);

        QList<int32_t> rowHeights(maxRow + 1, firstRowHeight);
        QList<Cell> left(maxRow + 1);
        for (const Cell &cell : cells)
            if (cell->columnSpot == maxCol && cell->rowSpot >= 0 && cell->rowSpot <= maxRow)
                left[cell->rowSpot] = cell;
        for (const Cell &cell : cells)
            if (cell->columnSpot == 0 && cell->rowSpot >= 0 && cell->rowSpot <= maxRow)
                rowHeights[cell->rowSpot] = cell->height;
        int32_t width = firstColumnWidth;
        if (table.sameWidthForAllColumnsFlag() == 0 && gTableUniformSizing)
            width = averageWidth;
        for (int32_t column = maxCol + 1; column < columns; ++column) {
            for (int32_t r = 0; r <= maxRow; ++r) {
                Cell cell = createNewTableCell();
                cell->rowSpot = r;
                cell->columnSpot = column;
                cell->height = rowHeights[r];
                cell->width = width;
                if (const Cell &neighbour = left[r]) {
                    cell->fixedHeightFlag = neighbour->fixedHeightFlag;
                    copyNeighbourStyle(*cell, *neighbour);
                }
                left[r] = cell;
                cells.append(cell);
            }
        }
        table.setCellHelperArray(cells);
    }

    const QRectF bounds = table.bounds();
    int32_t width = table.tableTotalCellWidth();
    if (gResponsiveEdition && table.gridType() == QLatin1String("section"))
        width = gSectionWidth;
    table.setBounds(QRectF(bounds.x(), bounds.y(), width, table.tableTotalCellHeight()));
}

void TableGridEditing::refreshGalleryImage(SKTGalleryGrid &gallery)
{
    QList<GridGraphic::Image> images = gallery.imageArray();
    removeWhere(images, [&](const TransformView &i) {
        return i.rowSpot >= gallery.numOfRows() || i.columnSpot >= gallery.numOfColumns();
    });
    gallery.setImageArray(images);
}

SKTTable *TableGridEditing::selectedTable() const
{
    InsertionContext &context = m_frame.context();
    return dynamic_cast<SKTTable *>(context.stillOnPage(context.cache().selectedTable));
}

int32_t TableGridEditing::currentRow(SKTTable &table) const
{
    const QPointF touch = m_frame.context().lastTouchPoint();
    const QPoint spot = table.spotAt(int32_t(std::floor(touch.x())), int32_t(std::floor(touch.y())));
    return spot.x() < 0 ? 0 : spot.x();
}

int32_t TableGridEditing::currentColumn(SKTTable &table) const
{
    const QPointF touch = m_frame.context().lastTouchPoint();
    const QPoint spot = table.spotAt(int32_t(std::floor(touch.x())), int32_t(std::floor(touch.y())));
    return spot.y() < 0 ? 0 : spot.y();
}

bool TableGridEditing::insertTableRow() { return insertLine(true); }
bool TableGridEditing::insertTableColumn() { return insertLine(false); }
bool TableGridEditing::deleteTableRow() { return deleteLine(true); }
bool TableGridEditing::deleteTableColumn() { return deleteLine(false); }
bool TableGridEditing::moveTableRowUp() { return moveLine(true, -1); }
bool TableGridEditing::moveTableRowDown() { return moveLine(true, 1); }
bool TableGridEditing::moveTableRowLeft() { return moveLine(false, -1); }
bool TableGridEditing::moveTableRowRight() { return moveLine(false, 1); }
bool TableGridEditing::joinTablesVertically() { return join(true); }
bool TableGridEditing::joinTablesHorizontally() { return join(false); }

bool TableGridEditing::insertLine(bool rows)
{
    SKTTable *table = selectedTable();
    if (!table)
        return false;
    const int32_t count = rows ? table->numOfRows() : table->numOfColumns();
    if (count >= kMaximumCount) {
        inform(m_frame, rows ? QStringLiteral("No more rows can be added") : QStringLiteral("No more columns can be added"),
               QStringLiteral("A table holds at most %1 rows and %1 columns.").arg(kMaximumCount));
        return false;
    }
    const int32_t at = rows ? currentRow(*table) : currentColumn(*table);
    InsertionStep step(m_frame.document(), rows ? QStringLiteral("Insert Row") : QStringLiteral("Insert Column"));
    TableGridUndo::edit(m_frame.document(), *table, [&] {
        if (rows)
            table->setNumOfRows(count + 1);
        else
            table->setNumOfColumns(count + 1);
        refreshTable(*table);
        // The new cells were added as the last line; everything from the
        // current line down (right) moves one on, and the new line takes its place.
        for (const Cell &cell : table->cellHelperArray()) {
            int32_t &spot = spotOf(*cell, rows);
            if (spot >= at)
                ++spot;
        }
        for (const Cell &cell : table->cellHelperArray()) {
            int32_t &spot = spotOf(*cell, rows);
            if (spot == count + 1)
                spot = at;
        }
        for (const GridGraphic::Image &image : table->imageArray()) {
            int32_t &spot = spotOf(*image, rows);
            if (spot >= at)
                ++spot;
        }
        table->cellsChanged();
        table->alignCells();
        table->refreshLayout();
    });
    return true;
}

bool TableGridEditing::deleteLine(bool rows)
{
    SKTTable *table = selectedTable();
    if (!table)
        return false;
    const int32_t count = rows ? table->numOfRows() : table->numOfColumns();
    if (count <= kMinimumCount) {
        inform(m_frame, rows ? QStringLiteral("The last row cannot be deleted")
                             : QStringLiteral("The last column cannot be deleted"),
               QStringLiteral("A table keeps at least one row and one column. Delete the table itself instead."));
        return false;
    }
    const int32_t at = rows ? currentRow(*table) : currentColumn(*table);
    InsertionStep step(m_frame.document(), rows ? QStringLiteral("Delete Row") : QStringLiteral("Delete Column"));
    TableGridUndo::edit(m_frame.document(), *table, [&] {
        QList<Cell> cells = table->cellHelperArray();
        removeWhere(cells, [&](myTextView &c) { return spotOf(c, rows) == at; });
        for (const Cell &cell : cells)
            if (spotOf(*cell, rows) > at)
                --spotOf(*cell, rows);
        table->setCellHelperArray(cells);
        // The pictures of the deleted line go with it; the others follow their cells.
        QList<GridGraphic::Image> images = table->imageArray();
        removeWhere(images, [&](TransformView &i) { return spotOf(i, rows) == at; });
        for (const GridGraphic::Image &image : images)
            if (spotOf(*image, rows) > at)
                --spotOf(*image, rows);
        table->setImageArray(images);
        if (rows)
            table->setNumOfRows(count - 1);
        else
            table->setNumOfColumns(count - 1);
        refreshTable(*table);
    });
    return true;
}

bool TableGridEditing::moveLine(bool rows, int delta)
{
    SKTTable *table = selectedTable();
    if (!table)
        return false;
    const int32_t s = rows ? currentRow(*table) : currentColumn(*table);
    const int32_t t = s + delta;
    const int32_t count = rows ? table->numOfRows() : table->numOfColumns();
    if (t < 0 || t >= count)
        return false;
    InsertionStep step(m_frame.document(), rows ? QStringLiteral("Move Row") : QStringLiteral("Move Column"));
    TableGridUndo::edit(m_frame.document(), *table, [&] {
        auto swap = [&](int32_t &spot) {
            if (spot == s)
                spot = t;
            else if (spot == t)
                spot = s;
        };
        for (const Cell &cell : table->cellHelperArray())
            swap(spotOf(*cell, rows));
        if (gTableImagesEnabled)
            for (const GridGraphic::Image &image : table->imageArray())
                swap(spotOf(*image, rows));
        table->cellsChanged();
        table->alignCells();
        table->refreshLayout();
    });
    return true;
}

bool TableGridEditing::transformTable()
{
    SKTTable *table = selectedTable();
    if (!table)
        return false;
    InsertionStep step(m_frame.document(), QStringLiteral("Transform Table"));
    TableGridUndo::edit(m_frame.document(), *table, [&] {
        for (const Cell &cell : table->cellHelperArray())
            std::swap(cell->rowSpot, cell->columnSpot);
        if (gTableImagesEnabled)
            for (const GridGraphic::Image &image : table->imageArray())
                std::swap(image->rowSpot, image->columnSpot);
        const int32_t rows = table->numOfRows();
        table->setNumOfRows(table->numOfColumns());
        table->setNumOfColumns(rows);
        table->cellsChanged();
        table->alignCells();
        table->refreshLayout();
    });
    return true;
}

bool TableGridEditing::join(bool vertically)
{
    if (gResponsiveEdition)
        return false;
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    if (selection.size() != 2)
        return false;
    auto *back = dynamic_cast<SKTTable *>(selection[1]);
    auto *front = dynamic_cast<SKTTable *>(selection[0]);
    if (!back || !front || back == front)
        return false;
    if (vertically ? back->numOfColumns() != front->numOfColumns() : back->numOfRows() != front->numOfRows()) {
        if (vertically)
            inform(m_frame, QStringLiteral("Table columns not the same"),
                   QStringLiteral("Only tables with the same number of columns can be joined vertically"));
        else
            inform(m_frame, QStringLiteral("Table rows are not the same"),
                   QStringLiteral("Only tables with the same number of rows can be joined horizontally"));
        return false;
    }
    SKTDocument &document = m_frame.document();
    InsertionStep step(document, QStringLiteral("Join Tables"));
    TableGridUndo::edit(document, *back, [&] {
        const int32_t shift = vertically ? back->numOfRows() : back->numOfColumns();
        // Copies, so that undo gives the front table back as it was.
        QList<Cell> cells = back->cellHelperArray();
        for (const Cell &cell : front->cellHelperArray()) {
            auto moved = std::make_shared<myTextView>(*cell);
            spotOf(*moved, vertically) += shift;
            moved->sectionNumber = back->sectionNumber();
            cells.append(moved);
        }
        QList<GridGraphic::Image> images = back->imageArray();
        for (const GridGraphic::Image &image : front->imageArray()) {
            auto moved = std::make_shared<TransformView>(*image);
            spotOf(*moved, vertically) += shift;
            images.append(moved);
        }
        back->setCellHelperArray(cells);
        back->setImageArray(images);
        const QRectF a = back->bounds();
        const QRectF b = front->bounds();
        if (vertically) {
            back->setNumOfRows(back->numOfRows() + front->numOfRows());
            back->SKTGraphic::setBounds(QRectF(a.x(), a.y(), a.width(), a.height() + b.height()));
        } else {
            back->setNumOfColumns(back->numOfColumns() + front->numOfColumns());
            back->SKTGraphic::setBounds(QRectF(a.x(), a.y(), a.width() + b.width(), a.height()));
        }
        back->alignCells();
        back->refreshLayout();
    });
    const auto &graphics = document.graphics();
    for (qsizetype i = 0; i < graphics.size(); ++i)
        if (graphics[i].get() == front) {
            document.removeGraphicAtIndex(i);
            break;
        }
    return true;
}

bool TableGridEditing::refreshTableOfContents()
{
    SKTTable *table = selectedTable();
    if (!table)
        return false;
    const QList<InsertionPageEntry> pages = m_frame.context().pageList();
    InsertionStep step(m_frame.document(), QStringLiteral("Refresh Table of Contents"));
    TableGridUndo::edit(m_frame.document(), *table, [&] {
        const int32_t titleWidth = table->grabColumnWidth(0);
        const int32_t numberWidth = table->grabColumnWidth(1);
        const int32_t height = table->grabRowHeight(0);
        QList<Cell> cells;
        int32_t row = 0;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            const InsertionPageEntry &page = pages[i];
            if (page.pageTitle.isEmpty())
                continue;
            Cell title = createNewTableCell();
            title->textStorage = title->textView.string = page.pageTitle;
            title->width = titleWidth;
            title->height = height;
            title->textView.fontName = QStringLiteral("Helvetica Neue");
            title->textView.fontPointSize = 16;
            title->textColorString = QStringLiteral("555555");
            title->hoverColorString = QStringLiteral("4682B4");
            title->colorString = title->backgroundHexColorString = QStringLiteral("CLEAR0");
            title->textView.borderLine = QStringLiteral("none");
            title->link = page.pagePublishFileName;
            title->rowSpot = row;
            title->columnSpot = 0;
            Cell number = createNewTableCell();
            number->textStorage = number->textView.string = QString::number(i);
            number->width = numberWidth;
            number->height = height;
            number->link = page.pagePublishFileName;
            number->fixedWidthFlag = 1;
            number->rowSpot = row;
            number->columnSpot = 1;
            cells << title << number;
            ++row;
        }
        table->setCellHelperArray(cells);
        table->setNumOfColumns(2);
        table->setNumOfRows(row);
        refreshTable(*table);
    });
    return true;
}

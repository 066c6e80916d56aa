// SKTTable: data, properties and geometry. Drawing is in SKTTableDrawing.cpp,
// the style operations in SKTTableStyle.cpp.
#include "model/SKTTable.h"

#include "model/CarrierList.h"
#include "model/Geometry.h"
#include "model/TableGeometry.h"
#include "model/TextBlockLayout.h"
#include "platform/TextCodec.h"

namespace {
constexpr int32_t kNone = TableGeometry::kNoSpot;
} // namespace

std::unique_ptr<SKTGraphic> SKTTable::copy() const
{
    // Tables are duplicated through their properties; the plain copy keeps
    // what every graphic copies.
    return GridGraphic::copy();
}

void SKTTable::setCellHelperArray(const QList<Cell> &cells)
{
    m_cells = cells;
    cellsChanged();
}

void SKTTable::ensureIndex() const
{
    if (m_indexBuiltFor == m_cells.size())
        return;
    QList<QPair<int32_t, int32_t>> spots;
    spots.reserve(m_cells.size());
    for (const Cell &cell : m_cells)
        spots.append(cell ? qMakePair(cell->rowSpot, cell->columnSpot) : qMakePair(kNone, kNone));
    m_index.rebuild(spots);
    m_indexBuiltFor = m_cells.size();
}

SKTTable::IndexPass::IndexPass(const SKTTable &table) : table(table), outer(!table.m_trustIndex)
{
    if (outer) {
        table.m_indexBuiltFor = -1;
        table.ensureIndex();
        table.m_trustIndex = true;
    }
}

SKTTable::IndexPass::~IndexPass()
{
    if (outer)
        table.m_trustIndex = false;
}

SKTTable::Cell SKTTable::grabSelectedTableCellHelper(int32_t row, int32_t column) const
{
    ensureIndex();
    int32_t i = m_index.indexAt(row, column);
    const bool moved = i >= 0 && (m_cells[i]->rowSpot != row || m_cells[i]->columnSpot != column);
    if (moved || (i < 0 && !m_trustIndex)) {
        // A spot may have been changed in place since the index was built.
        m_indexBuiltFor = -1;
        ensureIndex();
        i = m_index.indexAt(row, column);
    }
    return i >= 0 ? m_cells[i] : Cell();
}

void SKTTable::setCellText(const Cell &cell, const QString &raw)
{
    if (!cell)
        return;
    // Typed text keeps no control characters but tab, line feed and carriage return.
    const QString text = TextCodec::withoutControlCharacters(raw);
    const QString old = cellText(*cell);
    cell->textStorage = text;
    cell->textView.string = text;
    if (old != text)
        reportChange(QStringLiteral("cellText"), QVariantList{cell->rowSpot, cell->columnSpot, old});
}

QVariant SKTTable::value(const QString &key) const
{
    if (key == QLatin1String("gridType"))
        return m_gridType;
    if (key == QLatin1String("cellStyles"))
        return QVariant::fromValue(cellSnapshot());
    if (key == QLatin1String("cellText")) {
        // The cell under the last touch point, the one edited in place.
        const Cell cell = const_cast<SKTTable *>(this)->grabCurrentTableCellHelper();
        return cell ? QVariantList{cell->rowSpot, cell->columnSpot, cellText(*cell)} : QVariantList();
    }
    return GridGraphic::value(key);
}

bool SKTTable::setValue(const QString &key, const QVariant &value)
{
    if (key == QLatin1String("gridType")) {
        setGridType(value.toString());
        return true;
    }
    if (key == QLatin1String("cellStyles")) {
        if (!value.canConvert<QList<myTextView>>())
            return false;
        restoreCells(value.value<QList<myTextView>>());
        return true;
    }
    if (key == QLatin1String("cellText")) {
        // (row, column, text): the cell's text as it was before an edit.
        const QVariantList spotAndText = value.toList();
        if (spotAndText.isEmpty())
            return value.canConvert<QVariantList>(); // no cell: nothing to set
        if (spotAndText.size() != 3)
            return false;
        const Cell cell = grabSelectedTableCellHelper(spotAndText[0].toInt(), spotAndText[1].toInt());
        if (!cell)
            return false;
        setCellText(cell, spotAndText[2].toString());
        return true;
    }
    return GridGraphic::setValue(key, value);
}

void SKTTable::writeProperties(GraphicProperties &p)
{
    GridGraphic::writeProperties(p);
    if (!m_gridType.isNull())
        p.setString(QStringLiteral("gridType"), m_gridType);
    // A copy keeps its cells and background too, so that a table pasted on
    // its own comes back whole.
    p.setList(QStringLiteral("cellArray"), CarrierList::toProperties(m_cells));
    if (m_backgroundImage)
        p.setList(QStringLiteral("tableBackgroundArray"), CarrierList::toProperties(QList<Image>{m_backgroundImage}));
}

void SKTTable::readProperties(const GraphicProperties &p)
{
    GridGraphic::readProperties(p);
    m_gridType = p.contains(QStringLiteral("gridType")) ? p.string(QStringLiteral("gridType")) : QStringLiteral("table");
    if (m_gridType.isNull())
        m_gridType = QStringLiteral("table");
    m_backgroundImage.reset();
    m_backgroundArray.clear();
    if (p.contains(QStringLiteral("tableBackgroundArray"))) {
        m_backgroundArray = CarrierList::fromProperties<TransformView>(p.list(QStringLiteral("tableBackgroundArray")));
        if (!m_backgroundArray.isEmpty())
            m_backgroundImage = m_backgroundArray.first();
    }
    setCellHelperArray(CarrierList::fromProperties<myTextView>(p.list(QStringLiteral("cellArray"))));
    if (!m_cells.isEmpty())
        copyCellStyleUp(*m_cells.first(), true);
}

// --- geometry ----------------------------------------------------------------

int32_t SKTTable::grabColumnWidth(int32_t column) const
{
    const Cell cell = grabSelectedTableCellHelper(0, column);
    return cell ? cell->width : 0;
}

int32_t SKTTable::grabRowHeight(int32_t row) const
{
    const Cell cell = grabSelectedTableCellHelper(row, 0);
    return cell ? cell->height : 0;
}

QList<int32_t> SKTTable::columnWidths() const
{
    QList<int32_t> widths;
    for (int32_t c = 0; c < m_numOfColumns; ++c)
        widths.append(grabColumnWidth(c));
    return widths;
}

QList<int32_t> SKTTable::rowHeights() const
{
    QList<int32_t> heights;
    for (int32_t r = 0; r < m_numOfRows; ++r)
        heights.append(grabRowHeight(r));
    return heights;
}

int32_t SKTTable::tableTotalCellWidth()
{
    drawBoxModel();
    return TableGeometry::totalSize(columnWidths(), m_padding, borderWidth(),
                                    double(leftPaddingInPx()) + rightPaddingInPx() + leftMarginInPx()
                                        + rightMarginInPx());
}

int32_t SKTTable::tableTotalCellHeight()
{
    drawBoxModel();
    return TableGeometry::totalSize(rowHeights(), m_padding, borderWidth(),
                                    double(topPaddingInPx()) + bottomPaddingInPx() + topMarginInPx()
                                        + bottomMarginInPx());
}

float SKTTable::averageColumnWidth() const
{
    return TableGeometry::averageSize(columnWidths());
}

float SKTTable::averageRowHeight() const
{
    return TableGeometry::averageSize(rowHeights());
}

int32_t SKTTable::numOfNonFixedColumns() const
{
    int32_t count = 0;
    for (int32_t c = 0; c < m_numOfColumns; ++c) {
        const Cell cell = grabSelectedTableCellHelper(0, c);
        if (!cell || cell->fixedWidthFlag != 1)
            ++count;
    }
    return count;
}

int32_t SKTTable::numOfNonFixedRows() const
{
    int32_t count = 0;
    for (int32_t r = 0; r < m_numOfRows; ++r) {
        const Cell cell = grabSelectedTableCellHelper(r, 0);
        if (!cell || cell->fixedHeightFlag == 0)
            ++count;
    }
    return count;
}

SKTTable::Layout SKTTable::layout()
{
    drawBoxModel();
    Layout l;
    l.columnWidths = columnWidths();
    l.rowHeights = rowHeights();
    l.columnStarts = TableGeometry::starts(l.columnWidths, Geometry::clampToInt(contentRect().x()), m_padding,
                                           borderWidth());
    l.rowStarts = TableGeometry::starts(l.rowHeights, Geometry::clampToInt(contentRect().y()), m_padding, borderWidth());
    return l;
}

QRectF SKTTable::grabSelectedCellRect(int32_t row, int32_t column)
{
    const IndexPass pass(*this);
    const Layout l = layout();
    if (row < 0 || row >= l.rowStarts.size() || column < 0 || column >= l.columnStarts.size())
        return {};
    const Cell cell = grabSelectedTableCellHelper(row, column);
    return {double(l.columnStarts[column]), double(l.rowStarts[row]), cell ? double(cell->width) : 0.0,
            cell ? double(cell->height) : 0.0};
}

QPoint SKTTable::spotAt(int32_t x, int32_t y)
{
    const QPoint none(kNone, kNone);
    if (m_cells.isEmpty())
        return none;
    const IndexPass pass(*this);
    const Layout l = layout();
    const int32_t column = TableGeometry::spanAt(l.columnStarts, l.columnWidths, x);
    const int32_t row = TableGeometry::spanAt(l.rowStarts, l.rowHeights, y);
    if (column == kNone || row == kNone)
        return none;
    const Cell cell = grabSelectedTableCellHelper(row, column);
    // The cell's own size decides, half-open like every canvas rectangle.
    if (!cell || x >= int64_t(l.columnStarts[column]) + cell->width || y >= int64_t(l.rowStarts[row]) + cell->height)
        return none;
    return {row, column};
}

int32_t SKTTable::grabRowSpot(int32_t x, int32_t y)
{
    return spotAt(x, y).x();
}

int32_t SKTTable::grabColumnSpot(int32_t x, int32_t y)
{
    return spotAt(x, y).y();
}

QRectF SKTTable::grabCurrentCellRect(int32_t x, int32_t y)
{
    const QPoint spot = spotAt(x, y);
    return grabSelectedCellRect(spot.x(), spot.y());
}

SKTTable::Cell SKTTable::grabCurrentTableCellHelper()
{
    const QPointF touch = getLastTouchPoint();
    const QPoint spot = spotAt(Geometry::clampToInt(touch.x()), Geometry::clampToInt(touch.y()));
    return grabSelectedTableCellHelper(spot.x(), spot.y());
}

QString SKTTable::grabCurrentTextStorage()
{
    const Cell cell = grabCurrentTableCellHelper();
    return cell ? cellText(*cell) : QString();
}

int32_t SKTTable::grabMaxNumToAdd(const QPointF &point)
{
    const QPoint spot = spotAt(Geometry::clampToInt(point.x()), Geometry::clampToInt(point.y()));
    return TableGeometry::cellsToEnd(spot.x(), spot.y(), m_numOfRows, m_numOfColumns);
}

void SKTTable::alignCells()
{
    const IndexPass pass(*this);
    for (const Cell &cell : m_cells) {
        if (!cell)
            continue;
        if (const Cell top = grabSelectedTableCellHelper(0, cell->columnSpot)) {
            cell->width = top->width;
            cell->fixedWidthFlag = top->fixedWidthFlag;
        }
        if (const Cell first = grabSelectedTableCellHelper(cell->rowSpot, 0)) {
            cell->height = first->height;
            cell->fixedHeightFlag = first->fixedHeightFlag;
        }
    }
}

void SKTTable::setBounds(const QRectF &requested)
{
    const IndexPass pass(*this);
    // Totals are taken before any cell changes, so one call spreads the whole difference.
    const int32_t columns = numOfNonFixedColumns();
    const int32_t totalWidth = tableTotalCellWidth();
    const int32_t rows = numOfNonFixedRows();
    const int32_t totalHeight = tableTotalCellHeight();
    double width = requested.width();
    double height = requested.height();
    if (columns >= 1) {
        const int32_t step = TableGeometry::spreadStep(Geometry::clampToInt(requested.width()), totalWidth, columns);
        for (const Cell &cell : m_cells)
            if (cell && cell->fixedWidthFlag != 1)
                cell->width = TableGeometry::applySpreadStep(cell->width, step);
    } else {
        width = totalWidth;
    }
    if (rows >= 1) {
        const int32_t step = TableGeometry::spreadStep(Geometry::clampToInt(requested.height()), totalHeight, rows);
        for (const Cell &cell : m_cells)
            if (cell && cell->fixedHeightFlag == 0)
                cell->height = TableGeometry::applySpreadStep(cell->height, step);
    } else {
        height = totalHeight;
    }
    SKTGraphic::setBounds(QRectF(requested.x(), requested.y(), width, height));
}

void SKTTable::refreshLayout()
{
    setBounds(bounds());
    // Setting the column count again makes observers redraw even when the
    // bounds came out the same.
    reportRedraw(QStringLiteral("numOfColumns"), m_numOfColumns);
}

QSizeF SKTTable::naturalSize()
{
    const Cell cell = grabCurrentTableCellHelper();
    if (!cell)
        return {};
    const int32_t size = cellFontSize(*cell);
    const TextBlockStyle style{TextBlockLayout::fontFor(cellFamily(*cell), size), Qt::black,
                               TextBlockLayout::alignmentCode(cell->textAlignment),
                               double(cell->lineSpacing) * size};
    return TextBlockLayout(cellText(*cell), style, cell->width).usedSize();
}

QString SKTTable::cellText(const myTextView &cell)
{
    return cell.textStorage.isNull() ? cell.textView.string : cell.textStorage;
}

QString SKTTable::cellFamily(const myTextView &cell)
{
    return cell.familyName.isEmpty() ? cell.textView.fontName : cell.familyName;
}

int32_t SKTTable::cellFontSize(const myTextView &cell)
{
    return cell.fontSize > 0 ? cell.fontSize : Geometry::clampToInt(cell.textView.fontPointSize);
}

QStringList SKTTable::keyPathsForValuesAffectingDrawingContents() const
{
    return SKTGraphic::keyPathsForValuesAffectingDrawingContents()
        + QStringList { QStringLiteral("imageArray"), QStringLiteral("numOfRows"), QStringLiteral("numOfColumns"),
              QStringLiteral("padding"), QStringLiteral("borderStyle"), QStringLiteral("borderWidth"),
              QStringLiteral("borderHexColorString"), QStringLiteral("topPadding"), QStringLiteral("bottomPadding"),
              QStringLiteral("leftPadding"), QStringLiteral("rightPadding"), QStringLiteral("cellText"),
              QStringLiteral("cellStyles") };
}

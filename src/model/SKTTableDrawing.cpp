// SKTTable: drawing the background image, the cell boxes, the cell text and
// the images placed in cells; in-place editing of one cell.
#include "model/Geometry.h"
#include "model/SKTTable.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "model/CanvasIcons.h"
#include "model/GraphicPainter.h"
#include "model/TableGeometry.h"
#include "model/TextBlockLayout.h"

namespace {
const QColor kDarkGrey(85, 85, 85);
const QColor kLightGrey(170, 170, 170);

// A cell's background colour, or nothing for none ("CLEAR0", empty, "(null)").
std::optional<QColor> cellFill(const myTextView &cell)
{
    const QString hex = cell.backgroundHexColorString;
    if (hex.isEmpty() || hex == QLatin1String("CLEAR0") || hex == QLatin1String("(null)"))
        return std::nullopt;
    const QColor colour = DataCentre::colorWithHexString(hex);
    if (!colour.isValid() || colour.alpha() == 0)
        return std::nullopt;
    return colour;
}

QColor hexOrBlack(const QString &hex)
{
    return hex.isEmpty() ? QColor(Qt::black) : DataCentre::colorWithHexString(hex);
}
} // namespace

void SKTTable::forEachCell(const std::function<void(int32_t, int32_t, const Cell &)> &visit) const
{
    for (int32_t c = 0; c < m_numOfColumns; ++c)
        for (int32_t r = 0; r < m_numOfRows; ++r)
            if (const Cell cell = grabSelectedTableCellHelper(r, c))
                visit(r, c, cell);
}

QPainterPath SKTTable::bezierPathForDrawing(GraphicPainter &painter)
{
    if (m_gridType == QLatin1String("section") && fillColor().isValid() && fillColor().alpha() > 0) {
        QPainterPath area;
        area.addRect(noMarginRect());
        painter.fillPath(area, GraphicPainter::withAlpha(fillColor(), opacity()));
    }
    const bool styled = borderStyle() == QLatin1String("solid") || borderStyle() == QLatin1String("dashed")
                        || borderStyle() == QLatin1String("dotted");
    if (styled && borderWidth() == 0)
        settleBorderWidth(1);
    const IndexPass pass(*this);
    const int32_t b = borderWidth();
    const Layout l = layout();
    const bool section = m_gridType == QLatin1String("section");
    forEachCell([&](int32_t r, int32_t c, const Cell &cell) {
        const double x = l.columnStarts[c];
        const double y = l.rowStarts[r];
        const double w = cell->width;
        const double h = cell->height;
        if (cell->shadowFlag)
            painter.setShadow({kDarkGrey, 3.0, QPointF(0, 0)});
        if (const std::optional<QColor> fill = cellFill(*cell)) {
            QPainterPath box;
            box.addRoundedRect(QRectF(x, y, w, h), cell->cornerRadius, cornerRadius());
            painter.fillPath(box, GraphicPainter::withAlpha(*fill, cell->alphaValue));
        }
        // A section's cell borders mark its columns for editing; the page
        // itself draws none, so paper and exported pictures leave them out.
        if (section && !painter.editingAids()) {
            if (cell->shadowFlag)
                painter.clearShadow();
            return;
        }
        QPainterPath border;
        border.addRoundedRect(QRectF(x + b / 2, y + b / 2, w - b, h - b), cornerRadius(), cornerRadius());
        const QColor colour = GraphicPainter::withAlpha(hexOrBlack(cell->borderHexColorString), cell->alphaValue);
        if (const auto pen = GraphicPainter::borderPen(borderStyle(), b, colour))
            painter.strokePath(border, *pen);
        else if (borderStyle() == QLatin1String("none") && gOutlineTables && painter.editingAids())
            painter.strokePath(border, GraphicPainter::dashedPen(kLightGrey, 1, {1, 1}, 1));
        if (cell->shadowFlag)
            painter.clearShadow();
    });
    if (gResponsiveEdition && m_gridType == QLatin1String("section") && painter.editingAids()) {
        QPainterPath outline;
        outline.addRect(bounds());
        painter.strokePath(outline, GraphicPainter::dashedPen(kLightGrey, borderWidth(), {2, 3}, 1));
    }
    return {};
}

void SKTTable::pushSettingsIntoCells()
{
    const IndexPass pass(*this);
    setBounds(bounds());
    const Layout l = layout();
    const int32_t b = borderWidth();
    if (gTableImagesEnabled) {
        for (const Image &image : m_images) {
            if (!image)
                continue;
            sharePlacement(*image);
            image->opacity = 1.0f;
            image->alpha = 1.0f;
        }
    }
    const QHash<quint64, Image> bySpot = gTableImagesEnabled ? imagesBySpot() : QHash<quint64, Image>();
    forEachCell([&](int32_t r, int32_t c, const Cell &cell) {
        // What every cell shares with its table, for page generation.
        if (gResponsiveEdition) {
            cell->textType = QStringLiteral("HTMLSnippet");
            cell->snippetFormatFlag = true;
        } else {
            cell->textType = QStringLiteral("Text");
        }
        cell->originX = l.columnStarts[c] - b;
        cell->originY = l.rowStarts[r] - b;
        cell->selectable = selectable();
        cell->responsiveResizeFlag = responsiveResizeFlag();
        cell->responsiveAlignment = responsiveAlignment();
        cell->manualLayerIndex = manualLayerIndex();
        cell->sectionNumber = sectionNumber();
        cell->sectionRowSpot = sectionRowSpot();
        cell->sectionColumnSpot = sectionColumnSpot();
        cell->borderWidth = b;
        cell->verticalAlignment = verticalAlignment();
        cell->partOfTableFlag = true;
        cell->textView.borderLine = borderStyle();
        cell->borderStyle = borderStyle();
        cell->cornerRadius = float(cornerRadius());
        cell->tableCellCornerRadius = float(cornerRadius());
        if (const Image image = bySpot.value(spotKey(r, c)))
            placeCellImage(*image, *cell);
    });
}

void SKTTable::placeCellImage(TransformView &image, const myTextView &cell)
{
    if (!cell.link.isEmpty())
        image.link = cell.link;
    const QSize fitted = TableGeometry::fitInto(cell.width, cell.height, image.originalWidth, image.originalHeight);
    const QRectF target = fitted.isEmpty() ? QRectF()
                                           : QRectF(cell.originX,
                                                    cell.originY + std::max(0, (cell.height - fitted.height()) / 2),
                                                    fitted.width(), fitted.height());
    image.galleryDimension = target;
    image.frame = target;
}

void SKTTable::drawContents(GraphicPainter &painter, bool beingCreatedOrEdited)
{
    const IndexPass pass(*this);
    pushSettingsIntoCells();
    if (m_backgroundImage && !m_backgroundImage->image.isNull()) {
        m_backgroundImage->selectable = selectable();
        const QRectF area = noMarginRect();
        // The picture's top-left part of the area's size, unscaled.
        painter.drawImage(area, m_backgroundImage->image, opacity(), QPainter::CompositionMode_SourceOver,
                          QRectF(QPointF(0, 0), area.size()));
    }
    bezierPathForDrawing(painter);

    const Cell edited = beingCreatedOrEdited ? m_editedCell : Cell();
    const QHash<quint64, Image> bySpot = gTableImagesEnabled ? imagesBySpot() : QHash<quint64, Image>();
    forEachCell([&](int32_t r, int32_t c, const Cell &cell) {
        if (cell != edited)
            drawCellText(painter, *cell, QPointF(cell->originX, cell->originY));
        if (cell->selected && painter.editingAids())
            CanvasIcons::drawCheckMark(painter.painter(),
                                       QRectF(cell->originX + cell->width - 20, cell->originY, 20, 16));
        const Image image = bySpot.value(spotKey(r, c));
        if (image && !image->galleryDimension.isEmpty()) {
            const GraphicShadow saved = painter.shadow();
            if (shadowFlag() == 1)
                painter.setShadow({QColor(128, 128, 128), 1.0, QPointF(1, 0)});
            painter.drawImage(image->galleryDimension, image->image);
            painter.setShadow(saved);
        }
    });
}

TextBlockStyle SKTTable::cellStyle(const myTextView &cell)
{
    // An empty alignment reads as left; any other unknown word as right.
    int32_t alignment = 2;
    if (cell.textAlignment.isEmpty() || cell.textAlignment == QLatin1String("left"))
        alignment = 0;
    else if (cell.textAlignment == QLatin1String("center"))
        alignment = 1;
    else if (cell.textAlignment == QLatin1String("justify"))
        alignment = 3;
    const QColor colour = GraphicPainter::withAlpha(hexOrBlack(cell.textColorString), cell.alphaValue);
    const int32_t size = cellFontSize(cell);
    return {TextBlockLayout::fontFor(cellFamily(cell), size), colour, alignment, double(cell.lineSpacing) * size};
}

void SKTTable::measureCellTextHeights()
{
    const int32_t b = borderWidth();
    for (const Cell &cell : m_cells) {
        if (!cell || cellText(*cell).isEmpty())
            continue;
        const TextBlockLayout laidOut(cellText(*cell), cellStyle(*cell), cell->width - 2 * b);
        cell->textHeight = Geometry::clampToInt(laidOut.usedSize().height());
    }
}

void SKTTable::drawCellText(GraphicPainter &painter, myTextView &cell, const QPointF &at)
{
    const QString text = cellText(cell);
    if (text.isEmpty())
        return;
    const int32_t b = borderWidth();
    const double w = cell.width;
    const double h = cell.height;
    const TextBlockLayout laidOut(text, cellStyle(cell), w - 2 * b);
    cell.textHeight = Geometry::clampToInt(laidOut.usedSize().height());
    if (laidOut.isEmpty())
        return;
    QPointF origin;
    switch (verticalAlignment()) {
    case 1: origin = QPointF(at.x(), at.y() + Geometry::clampToInt(h) / 2 - cell.textHeight / 2); break;
    case 2: origin = QPointF(at.x(), at.y() + h - cell.textHeight - bottomMarginInPx() - bottomPaddingInPx()); break;
    default: origin = QPointF(at.x() + b, at.y() + b); break;
    }
    painter.paint(QRectF(origin, QSizeF(w, laidOut.usedSize().height())).adjusted(-2, -2, 2, 2),
                  [&](QPainter &p) { laidOut.draw(p, origin); });
}

SKTTable::Cell SKTTable::editingCell()
{
    m_editedCell.reset();
    if (!selectable() || isSection())
        return {};
    const Cell cell = grabCurrentTableCellHelper();
    if (cell)
        m_editedCell = cell;
    return cell;
}

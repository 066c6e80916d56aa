// SKTTable: the style operations through which the inspector applies a
// table-level setting to all cells, or to the selected cells when single
// cells can be selected, and the copy of one cell's style up into the table.
#include "model/Geometry.h"
#include "model/SKTTable.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "model/TextBlockLayout.h"

namespace {
QString alignmentWord(int32_t code)
{
    switch (code) {
    case 0: return QStringLiteral("left");
    case 1: return QStringLiteral("center");
    case 2: return QStringLiteral("right");
    default: return QStringLiteral("justify");
    }
}
} // namespace

QList<SKTTable::Cell> SKTTable::cellsInScope() const
{
    if (gTableCellSelection) {
        QList<Cell> selected;
        for (const Cell &cell : m_cells)
            if (cell && cell->selected)
                selected.append(cell);
        if (!selected.isEmpty())
            return selected;
    }
    QList<Cell> all;
    for (const Cell &cell : m_cells)
        if (cell)
            all.append(cell);
    return all;
}

void SKTTable::endStyleChange()
{
    refreshLayout();
}

void SKTTable::applyToScope(const std::function<void(myTextView &)> &change)
{
    // Cells are plain records: the table reports their state from before the
    // change, so that undo restores them with the table's own attributes.
    const QList<myTextView> before = owner() ? cellSnapshot() : QList<myTextView>();
    for (const Cell &cell : cellsInScope())
        change(*cell);
    if (owner())
        reportChange(QStringLiteral("cellStyles"), QVariant::fromValue(before));
    endStyleChange();
}

QList<myTextView> SKTTable::cellSnapshot() const
{
    QList<myTextView> snapshot;
    snapshot.reserve(m_cells.size());
    for (const Cell &cell : m_cells)
        snapshot.append(cell ? *cell : myTextView());
    return snapshot;
}

void SKTTable::restoreCells(const QList<myTextView> &snapshot)
{
    const QList<myTextView> current = cellSnapshot();
    if (snapshot.size() == m_cells.size()) {
        // In place: an editor or the inspector may hold a cell.
        for (qsizetype i = 0; i < m_cells.size(); ++i)
            if (m_cells[i])
                *m_cells[i] = snapshot[i];
    } else {
        QList<Cell> cells;
        for (const myTextView &cell : snapshot)
            cells.append(std::make_shared<myTextView>(cell));
        m_cells = cells;
    }
    cellsChanged();
    reportChange(QStringLiteral("cellStyles"), QVariant::fromValue(current));
    endStyleChange();
}

void SKTTable::updateHoverTextColor()
{
    applyToScope([this](myTextView &cell) { cell.hoverTextColorString = hoverTextColorString(); });
}

void SKTTable::updateHoverBackgroundColor()
{
    applyToScope([this](myTextView &cell) { cell.hoverColorString = hoverColorString(); });
}

void SKTTable::updateTextColor()
{
    applyToScope([this](myTextView &cell) {
        cell.textColor = fontColor();
        cell.textColorString = textHexColorString();
        cell.textHexColorString = textHexColorString();
    });
}

void SKTTable::updateLineSpacing()
{
    applyToScope([this](myTextView &cell) { cell.lineSpacing = lineSpacing(); });
}

void SKTTable::updateBorderColor()
{
    applyToScope([this](myTextView &cell) { cell.borderHexColorString = borderHexColorString(); });
}

void SKTTable::updateBackgroundColor()
{
    const QString hex = backgroundForCells();
    applyToScope([&hex](myTextView &cell) {
        cell.backgroundHexColorString = hex;
        cell.colorString = hex;
    });
}

void SKTTable::updateFontSize()
{
    applyToScope([this](myTextView &cell) {
        cell.textView.fontName = cellFamily(cell);
        cell.textView.fontPointSize = fontSize();
        cell.fontSize = fontSize();
    });
}

void SKTTable::updateFontFamily()
{
    applyToScope([this](myTextView &cell) {
        cell.textView.fontName = fontFamily();
        cell.textView.fontPointSize = cell.fontSize;
        cell.familyName = fontFamily();
    });
}

void SKTTable::updateTextAlignment()
{
    applyToScope([this](myTextView &cell) { cell.textAlignment = alignmentWord(fontAlignment()); });
}

void SKTTable::updateOpacity()
{
    applyToScope([this](myTextView &cell) {
        cell.alphaValue = float(opacity());
        cell.opacity = float(opacity());
    });
}

void SKTTable::updateShadow()
{
    applyToScope([this](myTextView &cell) { cell.shadowFlag = shadowFlag() != 0; });
}

QString SKTTable::backgroundForCells() const
{
    const bool clear = !fillColor().isValid() || fillColor().alpha() == 0;
    return clear ? QStringLiteral("CLEAR0") : backgroundHexColorString();
}

void SKTTable::refreshStyle()
{
    const QString background = backgroundForCells();
    applyToScope([&](myTextView &c) {
        myTextView *cell = &c;
        cell->lineSpacing = lineSpacing();
        cell->textAlignment = alignmentWord(fontAlignment());
        cell->alphaValue = float(opacity());
        cell->opacity = float(opacity());
        cell->shapeFlag = shapeFlag();
        cell->shadowFlag = shadowFlag() != 0;
        cell->backgroundHexColorString = background;
        cell->colorString = background;
        cell->textColor = fontColor();
        cell->textColorString = textHexColorString();
        cell->textHexColorString = textHexColorString();
        cell->hoverTextColorString = hoverTextColorString();
        cell->hoverColorString = hoverColorString();
        cell->textView.borderLine = borderStyle();
        cell->borderStyle = borderStyle();
        cell->borderWidth = borderWidth();
        cell->borderHexColorString = borderHexColorString();
        cell->textView.fontName = fontFamily();
        cell->textView.fontPointSize = fontSize();
        cell->templateName = templateName();
        cell->cornerRadius = float(cornerRadius());
        cell->familyName = fontFamily();
        cell->fontSize = fontSize();
        // A styled cell is plain text again, not a form field.
        cell->groupNumber = -99;
        cell->formType = QStringLiteral("");
        cell->formRequiredFlag = 0;
        cell->formOptionTag = -99;
        cell->formTag = -99;
        cell->scrollFlag = scrollFlag();
        cell->strokeWidth = float(strokeWidth());
    });
}

void SKTTable::copyCellStyleUp(const myTextView &cell, bool withBoxAndPlacement)
{
    const QString background = cell.backgroundHexColorString;
    const bool clear = background.isEmpty() || background == QLatin1String("CLEAR0");
    setFillColor(clear ? QColor(Qt::transparent) : DataCentre::colorWithHexString(background));
    setBackgroundHexColorString(background);
    setOpacity(cell.alphaValue);
    setFontColor(DataCentre::colorWithHexString(cell.textColorString));
    // The font the cell is drawn and written with.
    setFontFamily(cellFamily(cell));
    setFontSize(cellFontSize(cell));
    setShadowFlag(cell.shadowFlag ? 1 : 0);
    setHoverTextColorString(cell.hoverTextColorString);
    setHoverColorString(cell.hoverColorString);
    setTextHexColorString(cell.textColorString);
    setBorderHexColorString(cell.borderHexColorString);
    setBorderColor(DataCentre::colorWithHexString(cell.borderHexColorString));
    setFontAlignment(TextBlockLayout::alignmentCode(cell.textAlignment));
    setLineSpacing(cell.lineSpacing);
    if (!withBoxAndPlacement)
        return;
    setCornerRadius(cell.cornerRadius);
    setBorderStyle(cell.textView.borderLine);
    setBorderWidth(cell.borderWidth);
    setResponsiveResizeFlag(cell.responsiveResizeFlag);
    setResponsiveAlignment(cell.responsiveAlignment);
    setSectionNumber(cell.sectionNumber);
    setSectionRowSpot(cell.sectionRowSpot);
    setSectionColumnSpot(cell.sectionColumnSpot);
    setVerticalAlignment(cell.verticalAlignment);
}

void SKTTable::reflectSelectedCellProperties(const myTextView &cell)
{
    copyCellStyleUp(cell, false);
}

#include "printing/SheetGeometry.h"

#include "config/EditionSettings.h"

SheetGeometry SheetGeometry::fromCurrentLayout()
{
    SheetGeometry g;
    const float k = gPrintPixelsPerInch;
    g.unitsPerInch = k;
    g.rows = gPrintRowsPerSheet;
    g.columns = gPrintColumnsPerSheet;
    g.pieceWidth = gPrintLabelWidthInch * k;
    g.pieceHeight = gPrintLabelHeightInch * k;
    g.columnGap = gPrintColumnSpacingInch * k;
    g.rowGap = gPrintRowSpacingInch * k;
    if (g.rows > 0 && g.columns > 0) {
        g.sheetWidth = static_cast<float>(g.columns - 1) * g.columnGap + static_cast<float>(g.columns) * g.pieceWidth;
        g.sheetHeight = static_cast<float>(g.rows - 1) * g.rowGap + static_cast<float>(g.rows) * g.pieceHeight;
    }
    return g;
}

QRectF SheetGeometry::spotRect(int32_t row, int32_t column) const
{
    const auto c = static_cast<float>(column);
    const auto r = static_cast<float>(row);
    const float x = c * columnGap + c * pieceWidth;
    const float y = r * rowGap + r * pieceHeight;
    return {x, y, pieceWidth, pieceHeight};
}

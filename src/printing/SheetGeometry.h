#pragma once
// The grid of the current print sheet in print-view units (gPrintPixelsPerInch
// per inch), worked out in single precision exactly as the print view has
// always placed its pieces, so that printed spots line up with the stock.
#include <QRectF>

#include <cstdint>

class SheetGeometry {
public:
    int32_t rows = 0;
    int32_t columns = 0;
    float pieceWidth = 0.0f;   // W
    float pieceHeight = 0.0f;  // H
    float columnGap = 0.0f;    // CG
    float rowGap = 0.0f;       // RG
    float sheetWidth = 0.0f;   // SW = (columns - 1) * CG + columns * W
    float sheetHeight = 0.0f;  // SH = (rows - 1) * RG + rows * H
    float unitsPerInch = 0.0f;

    // From the print-layout values that resetPrintCanvas copied from the
    // current sheet.
    static SheetGeometry fromCurrentLayout();

    int32_t spotsPerSheet() const { return rows > 0 && columns > 0 ? rows * columns : 0; }
    bool isEmpty() const { return spotsPerSheet() == 0; }

    // The 0-based spot's rectangle in the sheet frame (0, 0, SW, SH).
    QRectF spotRect(int32_t row, int32_t column) const;
    QRectF frame() const { return {0.0, 0.0, sheetWidth, sheetHeight}; }
};

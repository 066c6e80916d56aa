#pragma once
// One print-sheet definition: the grid of pieces (labels, cards, flyers,
// envelopes) on a sheet of paper, their size in inches and the canvas a
// single piece is designed on. Rows are built once and shared read-only.
#include <QString>
#include <cstdint>
#include <memory>

class LabelHelper {
public:
    int32_t printNumOfRowsPerSheet = 0;
    int32_t printNumOfColumnsPerSheet = 0;
    float printSingleLabelWidthInch = 0.0f;
    float printSingleLabelHeightInch = 0.0f;
    float printLabelColumnSpacingInch = 0.0f;
    float printLabelRowSpacingInch = 0.0f;
    float printSheetTopMarginInch = 0.0f;
    float printSheetBottomMarginInch = 0.0f;
    float printSheetLeftMarginInch = 0.0f;
    float printSheetRightMarginInch = 0.0f;
    QString printObjectType;
    QString printDescription;
    int32_t canvasHeight = 0;
    int32_t canvasWidth = 0;
    QString paperSize;
    float canvasPixelFactor = 0.0f;

    // Canvas pixels for a length in inches: the single-precision product
    // truncated toward zero (3.34646 in at 300 px/in is 1003 px). A negative,
    // non-finite or out-of-range product gives 0 rather than undefined
    // behaviour in the conversion.
    static int32_t canvasPixels(float inches, float pixelFactor);

    // Sets canvasWidth and canvasHeight from the piece size and pixel factor.
    void updateCanvasSize();

    // Usable for laying out a sheet: at least one row and column, a finite
    // positive piece size, pixel factor and canvas, and gaps and margins that
    // are finite and not negative.
    bool isWellFormed() const;
};

using LabelHelperPtr = std::shared_ptr<const LabelHelper>;

#include "config/LabelHelper.h"

#include <cmath>
#include <limits>

int32_t LabelHelper::canvasPixels(float inches, float pixelFactor)
{
    const float product = inches * pixelFactor;
    if (!std::isfinite(product) || product <= 0.0f)
        return 0;
    // Largest float below 2^31, so the truncation below stays defined.
    constexpr float limit = 2147483520.0f;
    if (product >= limit)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(product);
}

void LabelHelper::updateCanvasSize()
{
    canvasWidth = canvasPixels(printSingleLabelWidthInch, canvasPixelFactor);
    canvasHeight = canvasPixels(printSingleLabelHeightInch, canvasPixelFactor);
}

bool LabelHelper::isWellFormed() const
{
    const auto positive = [](float v) { return std::isfinite(v) && v > 0.0f; };
    const auto notNegative = [](float v) { return std::isfinite(v) && v >= 0.0f; };
    return printNumOfRowsPerSheet >= 1 && printNumOfColumnsPerSheet >= 1
        && positive(printSingleLabelWidthInch) && positive(printSingleLabelHeightInch)
        && positive(canvasPixelFactor) && canvasWidth > 0 && canvasHeight > 0
        && notNegative(printLabelColumnSpacingInch) && notNegative(printLabelRowSpacingInch)
        && notNegative(printSheetTopMarginInch) && notNegative(printSheetBottomMarginInch)
        && notNegative(printSheetLeftMarginInch) && notNegative(printSheetRightMarginInch);
}

#include "printing/SheetViewLayout.h"

#include "config/EditionSettings.h"

#include <algorithm>
#include <cmath>

QMarginsF SheetViewLayout::marginsInPoints()
{
    auto points = [](float inches) { return std::isfinite(inches) && inches > 0.0f ? 72.0 * double(inches) : 0.0; };
    return {points(gPrintLeftMarginInch), points(gPrintTopMarginInch), points(gPrintRightMarginInch),
            points(gPrintBottomMarginInch)};
}

SheetViewLayout::Placement SheetViewLayout::fit(const QSizeF &frame, const QSizeF &printable,
                                                double deviceUnitsPerViewUnit)
{
    Placement placement;
    if (frame.isEmpty() || printable.isEmpty() || !(deviceUnitsPerViewUnit > 0.0))
        return placement;
    // Pagination "fit": wider or taller than the area, the view is scaled down.
    const double trueScale = deviceUnitsPerViewUnit;
    const double fitScale = std::min(printable.width() / frame.width(), printable.height() / frame.height());
    placement.scale = std::min(trueScale, fitScale);
    const QSizeF placed(frame.width() * placement.scale, frame.height() * placement.scale);
    placement.origin = QPointF((printable.width() - placed.width()) / 2.0, (printable.height() - placed.height()) / 2.0);
    return placement;
}

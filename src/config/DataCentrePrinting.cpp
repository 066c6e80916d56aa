#include "config/DataCentrePrinting.h"

#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "config/PrintSheetTable.h"
#include "config/RulerUnits.h"

#include <QtGlobal>

#include <algorithm>

QList<LabelHelperPtr> gPrintLabels;

namespace {

// Centimetres per inch as the rulers have always used it (160 / 63).
constexpr double kCentimetersPerInch = 2.5396825396825395;

struct HandleScaleStep {
    int32_t minimumWidth;
    float scale;
};

// First match wins; narrower canvases keep full-size handles.
constexpr HandleScaleStep kHandleScales[] = {
    {2001, 0.3f}, {1501, 0.4f}, {1201, 0.5f}, {1101, 0.6f},
    {901, 0.7f},  {801, 0.8f},  {701, 0.9f},
};
constexpr float kFullHandleScale = 1.0f;

void registerSheetRulerUnits(float pixelFactor)
{
    const QList<double> stepUp = {10.0};
    const QList<double> stepDown = {0.5, 0.2};
    const QString inches = QStringLiteral("Inches");
    const QString centimeters = QStringLiteral("Centimeters");
    RulerUnits::registerUnit({inches, inches, pixelFactor, stepUp, stepDown});
    const auto perCentimeter = static_cast<float>(static_cast<double>(pixelFactor) / kCentimetersPerInch);
    RulerUnits::registerUnit({centimeters, centimeters, perCentimeter, stepUp, stepDown});
}

// Length of a run of `count` pieces with `gap` between neighbours, in
// print-view units of k per inch. An empty run has no length.
float gridLength(int32_t count, float piece, float gap, float k)
{
    if (count <= 0)
        return 0.0f;
    return static_cast<float>(count - 1) * (gap * k) + static_cast<float>(count) * (piece * k);
}

} // namespace

void DataCentrePrinting::loadPrintLabels()
{
    gPrintLabels = PrintSheetTable::build();
}

LabelHelperPtr DataCentrePrinting::grabLabelHelper(const QString &description)
{
    const auto found = std::find_if(gPrintLabels.cbegin(), gPrintLabels.cend(), [&](const LabelHelperPtr &sheet) {
        return sheet && sheet->printDescription == description;
    });
    if (found == gPrintLabels.cend())
        return nullptr;
    const LabelHelperPtr &sheet = *found;
    gDefaultPrintSheet = description;
    registerSheetRulerUnits(sheet->canvasPixelFactor);
    return sheet;
}

LabelHelperPtr DataCentrePrinting::grabLabelHelperBasedOnSelection(int32_t count, const QString &paper)
{
    for (const LabelHelperPtr &sheet : std::as_const(gPrintLabels)) {
        if (!sheet || sheet->paperSize != paper)
            continue;
        // 64-bit product: a corrupt row must not overflow into a false match.
        const qint64 pieces = qint64(sheet->printNumOfRowsPerSheet) * sheet->printNumOfColumnsPerSheet;
        if (pieces == count)
            return sheet;
    }
    return nullptr;
}

namespace {
QString gLaidOutSheetPaper;
}

QString DataCentrePrinting::currentSheetPaper()
{
    return gLaidOutSheetPaper;
}

void DataCentrePrinting::resetPrintCanvas(const LabelHelperPtr &labelHelper)
{
    if (!labelHelper)
        return;
    const LabelHelper &sheet = *labelHelper;
    if (!sheet.isWellFormed()) {
        qWarning("Print sheet \"%s\" cannot be laid out; the print canvas is left as it was",
                 qUtf8Printable(sheet.printDescription));
        return;
    }

    gLaidOutSheetPaper = sheet.paperSize;
    gPrintRowsPerSheet = sheet.printNumOfRowsPerSheet;
    gPrintColumnsPerSheet = sheet.printNumOfColumnsPerSheet;
    gPrintLabelWidthInch = sheet.printSingleLabelWidthInch;
    gPrintLabelHeightInch = sheet.printSingleLabelHeightInch;
    gPrintColumnSpacingInch = sheet.printLabelColumnSpacingInch;
    gPrintRowSpacingInch = sheet.printLabelRowSpacingInch;
    gPrintTopMarginInch = sheet.printSheetTopMarginInch;
    gPrintBottomMarginInch = sheet.printSheetBottomMarginInch;
    gPrintLeftMarginInch = sheet.printSheetLeftMarginInch;
    gPrintRightMarginInch = sheet.printSheetRightMarginInch;

    // Only the canvas turns with the rotation; the grid on paper does not.
    const bool rotated = gCanvasRotation == 90;
    gCanvasWidth = rotated ? sheet.canvasHeight : sheet.canvasWidth;
    gCanvasMaxHeight = rotated ? sheet.canvasWidth : sheet.canvasHeight;
    gPreviewCanvasWidth = gCanvasWidth;
    gPreviewCanvasHeight = gCanvasMaxHeight;
    gScreenshotWidth = sheet.canvasWidth;
    gHandleScale = handleScaleForCanvasWidth(gCanvasWidth);

    const float k = gPrintPixelsPerInch;
    gPrintSheetWidth = gridLength(gPrintColumnsPerSheet, gPrintLabelWidthInch, gPrintColumnSpacingInch, k);
    gPrintSheetHeight = gridLength(gPrintRowsPerSheet, gPrintLabelHeightInch, gPrintRowSpacingInch, k);
}

float DataCentrePrinting::handleScaleForCanvasWidth(int32_t canvasWidth)
{
    for (const HandleScaleStep &step : kHandleScales) {
        if (canvasWidth >= step.minimumWidth)
            return step.scale;
    }
    return kFullHandleScale;
}

void DataCentrePrinting::showMainThreadProgressIndicator()
{
    // Brought forward in the label edition, as the ordinary progress window is.
    ProgressModel::instance().showMainThreadForm(gAppName == QLatin1String("Tovra Label Maker"));
}

void DataCentrePrinting::hideMainThreadProgressIndicator()
{
    ProgressModel::instance().hide();
}

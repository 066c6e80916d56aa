// Setting the print canvas and layout values from a sheet.
#include "PrintingFixture.h"

#include "config/ProgressModel.h"

#include <functional>
#include <limits>

namespace {

struct CanvasCase {
    const char *description;
    int32_t rotation;
    int32_t canvasWidth;
    int32_t canvasHeight;
    int32_t screenshotWidth;
    float handleScale;
    float gridWidth;  // print-view units, 144 per inch
    float gridHeight;
};

const CanvasCase kCanvasCases[] = {
    {"Business Card - 10 Per Letter Sheet", 0, 1050, 600, 1050, 0.7f, 1008.0f, 1440.0f},
    {"Label - 30 Per Letter Sheet", 0, 1575, 600, 1575, 0.4f, 2 * 18.141696f + 3 * 378.0f, 1440.0f},
    // The canvas turns; the grid on paper does not.
    {"Post Card - 4\" x 6\"", 90, 1200, 1800, 1800, 0.6f, 864.0f, 576.0f},
    {"Post Card - 4\" x 6\"", 0, 1800, 1200, 1800, 0.4f, 864.0f, 576.0f},
    {"Envelope #10 4.125\" x 9.5\"", 0, 684, 297, 684, 1.0f, 1368.0f, 594.0f},
    {"US Letter - Portrait HD", 0, 1275, 1650, 1275, 0.5f, 1224.0f, 1584.0f},
    {"Label - 20 Per A4 Sheet", 0, 200, 1417, 200, 1.0f, 10 * 0.669291f * 144.0f, 2 * 4.72441f * 144.0f},
    {"Label - 20 Per A4 Sheet", 90, 1417, 200, 200, 0.5f, 10 * 0.669291f * 144.0f, 2 * 4.72441f * 144.0f},
    // Only exactly 90 counts as rotated.
    {"Post Card - 4\" x 6\"", 270, 1800, 1200, 1800, 0.4f, 864.0f, 576.0f},
    {"Post Card - 4\" x 6\"", -90, 1800, 1200, 1800, 0.4f, 864.0f, 576.0f},
};

// A one-piece sheet whose canvas is `width` pixels wide.
LabelHelperPtr sheetOfWidth(int32_t width)
{
    auto sheet = std::make_shared<LabelHelper>();
    sheet->printNumOfRowsPerSheet = 1;
    sheet->printNumOfColumnsPerSheet = 1;
    sheet->printSingleLabelWidthInch = float(width);
    sheet->printSingleLabelHeightInch = 1.0f;
    sheet->canvasPixelFactor = 1.0f;
    sheet->printDescription = QStringLiteral("test");
    sheet->updateCanvasSize();
    return sheet;
}

void setEveryLayoutValue(float value)
{
    const auto i = static_cast<int32_t>(value);
    gPrintRowsPerSheet = gPrintColumnsPerSheet = i;
    gCanvasWidth = gCanvasMaxHeight = gPreviewCanvasWidth = gPreviewCanvasHeight = gScreenshotWidth = i;
    gPrintLabelWidthInch = gPrintLabelHeightInch = gPrintColumnSpacingInch = gPrintRowSpacingInch = value;
    gPrintTopMarginInch = gPrintBottomMarginInch = gPrintLeftMarginInch = gPrintRightMarginInch = value;
    gHandleScale = gPrintSheetWidth = gPrintSheetHeight = value;
}

void expectEveryLayoutValue(float value)
{
    const auto i = static_cast<int32_t>(value);
    for (int32_t v : {gPrintRowsPerSheet, gPrintColumnsPerSheet, gCanvasWidth, gCanvasMaxHeight, gPreviewCanvasWidth,
                      gPreviewCanvasHeight, gScreenshotWidth})
        EXPECT_EQ(v, i);
    for (float v : {gPrintLabelWidthInch, gPrintLabelHeightInch, gPrintColumnSpacingInch, gPrintRowSpacingInch,
                    gPrintTopMarginInch, gPrintBottomMarginInch, gPrintLeftMarginInch, gPrintRightMarginInch,
                    gHandleScale, gPrintSheetWidth, gPrintSheetHeight})
        EXPECT_EQ(v, value);
}

} // namespace

TEST_F(PrintingTest, CanvasHandlesAndGridFollowTheSheet)
{
    for (const CanvasCase &c : kCanvasCases) {
        SCOPED_TRACE(std::string(c.description) + " rotated " + std::to_string(c.rotation));
        gCanvasRotation = c.rotation;
        DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(c.description));
        EXPECT_EQ(gCanvasWidth, c.canvasWidth);
        EXPECT_EQ(gCanvasMaxHeight, c.canvasHeight);
        EXPECT_EQ(gPreviewCanvasWidth, c.canvasWidth);
        EXPECT_EQ(gPreviewCanvasHeight, c.canvasHeight);
        EXPECT_EQ(gScreenshotWidth, c.screenshotWidth);
        EXPECT_FLOAT_EQ(gHandleScale, c.handleScale);
        EXPECT_NEAR(gPrintSheetWidth, c.gridWidth, 1e-3);
        EXPECT_NEAR(gPrintSheetHeight, c.gridHeight, 1e-3);
    }
}

TEST_F(PrintingTest, LayoutValuesAreCopiedUnrotated)
{
    gCanvasRotation = 90;
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper("Business Card - 8 Per A4 Sheet"));
    EXPECT_EQ(gPrintColumnsPerSheet, 2);
    EXPECT_EQ(gPrintRowsPerSheet, 4);
    EXPECT_FLOAT_EQ(gPrintLabelWidthInch, 3.34646f);
    EXPECT_FLOAT_EQ(gPrintLabelHeightInch, 2.12598f);
    EXPECT_FLOAT_EQ(gPrintColumnSpacingInch, 0.23622f);
    EXPECT_FLOAT_EQ(gPrintRowSpacingInch, 0.23622f);
    EXPECT_FLOAT_EQ(gPrintTopMarginInch, 1.240157f);
    EXPECT_FLOAT_EQ(gPrintBottomMarginInch, 1.240157f);
    EXPECT_FLOAT_EQ(gPrintLeftMarginInch, 0.669291f);
    EXPECT_FLOAT_EQ(gPrintRightMarginInch, 0.669291f);
    EXPECT_EQ(gCanvasWidth, 637);
    EXPECT_EQ(gCanvasMaxHeight, 1003);
    EXPECT_EQ(gScreenshotWidth, 1003);
}

TEST_F(PrintingTest, HandleScaleStepsAtTheWidthBoundaries)
{
    const QList<QPair<int32_t, float>> cases = {
        {5000, 0.3f}, {2001, 0.3f}, {2000, 0.4f}, {1501, 0.4f}, {1500, 0.5f}, {1201, 0.5f},
        {1200, 0.6f}, {1101, 0.6f}, {1100, 0.7f}, {901, 0.7f},  {900, 0.8f},  {801, 0.8f},
        {800, 0.9f},  {701, 0.9f},  {700, 1.0f},  {1, 1.0f},
    };
    for (const auto &[width, scale] : cases) {
        SCOPED_TRACE(width);
        DataCentre::resetPrintCanvas(sheetOfWidth(width));
        EXPECT_EQ(gCanvasWidth, width);
        EXPECT_FLOAT_EQ(gHandleScale, scale);
    }
    EXPECT_FLOAT_EQ(DataCentre::handleScaleForCanvasWidth(0), 1.0f);
    EXPECT_FLOAT_EQ(DataCentre::handleScaleForCanvasWidth(-5), 1.0f);
}

TEST_F(PrintingTest, NoSheetOrAMalformedSheetLeavesTheCanvasAlone)
{
    setEveryLayoutValue(7.0f);
    DataCentre::resetPrintCanvas(nullptr);
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper("No Such Sheet"));
    expectEveryLayoutValue(7.0f);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const QList<std::function<void(LabelHelper &)>> faults = {
        [](LabelHelper &s) { s.printNumOfRowsPerSheet = 0; },
        [](LabelHelper &s) { s.printNumOfColumnsPerSheet = -1; },
        [](LabelHelper &s) { s.printSingleLabelWidthInch = 0.0f; },
        [=](LabelHelper &s) { s.printSingleLabelHeightInch = nan; },
        [](LabelHelper &s) { s.canvasPixelFactor = 0.0f; },
        [=](LabelHelper &s) { s.printLabelColumnSpacingInch = inf; },
        [](LabelHelper &s) { s.printSheetTopMarginInch = -0.5f; },
    };
    int index = 0;
    for (const auto &fault : faults) {
        SCOPED_TRACE(index++);
        LabelHelper broken = *DataCentre::grabLabelHelper("Label - 30 Per Letter Sheet");
        fault(broken);
        broken.updateCanvasSize();
        EXPECT_FALSE(broken.isWellFormed());
        DataCentre::resetPrintCanvas(std::make_shared<LabelHelper>(broken));
        expectEveryLayoutValue(7.0f);
    }
}

TEST_F(PrintingTest, CanvasPixelsTruncateAndStayDefined)
{
    EXPECT_EQ(LabelHelper::canvasPixels(3.34646f, 300.0f), 1003);
    EXPECT_EQ(LabelHelper::canvasPixels(0.6666f, 300.0f), 199);
    EXPECT_EQ(LabelHelper::canvasPixels(8.3f, 72.0f), 597);
    EXPECT_EQ(LabelHelper::canvasPixels(0.0f, 300.0f), 0);
    EXPECT_EQ(LabelHelper::canvasPixels(-2.0f, 300.0f), 0);
    EXPECT_EQ(LabelHelper::canvasPixels(std::numeric_limits<float>::quiet_NaN(), 300.0f), 0);
    EXPECT_EQ(LabelHelper::canvasPixels(std::numeric_limits<float>::infinity(), 300.0f), 0);
    EXPECT_EQ(LabelHelper::canvasPixels(1e30f, 300.0f), std::numeric_limits<int32_t>::max());
}

// Composing sheets shows the spinner form of the progress window and puts it
// away afterwards without dropping it.
TEST_F(PrintingTest, CompositionProgressWindowShowsTheSpinnerForm)
{
    DataCentre::showMainThreadProgressIndicator();
    ProgressState state = ProgressModel::instance().state();
    EXPECT_TRUE(state.visible);
    EXPECT_FALSE(state.levelVisible);
    EXPECT_TRUE(state.spinner2Visible);
    EXPECT_FALSE(state.raiseWhenShown);

    DataCentre::hideMainThreadProgressIndicator();
    state = ProgressModel::instance().state();
    EXPECT_FALSE(state.visible);
    EXPECT_TRUE(state.hasController);

    gAppName = QStringLiteral("Tovra Label Maker");
    DataCentre::showMainThreadProgressIndicator();
    EXPECT_TRUE(ProgressModel::instance().state().raiseWhenShown);
    DataCentre::hideMainThreadProgressIndicator();
}

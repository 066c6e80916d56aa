// The print-sheet catalogue: its rows, canvas sizes, look-ups and the label
// templates file that names its rows.
#include "PrintingFixture.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <cmath>

namespace {

// Portrait paper sizes in inches.
const QHash<QString, QSizeF> &paperInches()
{
    static const QHash<QString, QSizeF> papers = {
        {"na-letter", {8.5, 11}},       {"na-legal", {8.5, 14}},
        {"Tabloid", {11, 17}},          {"Tabloid Oversize", {12, 18}},
        {"A3", {11.69, 16.54}},         {"A4", {8.27, 11.69}},
        {"A5", {5.83, 8.27}},           {"B5", {6.93, 9.84}},
        {"na-number-10-envelope", {4.125, 9.5}},
        {"iso-designated-long-envelope", {4.33, 8.66}},
        {"monarch-envelope", {3.875, 7.5}},
        {"na-number-9-envelope", {3.875, 8.875}},
    };
    return papers;
}

struct CanvasCase {
    const char *description;
    int32_t columns;
    int32_t rows;
    float pixelFactor;
    const char *paper;
    int32_t canvasWidth;
    int32_t canvasHeight;
};

// Every row whose canvas the catalogue states outright, plus the other kinds'
// worked examples.
const CanvasCase kCanvasCases[] = {
    {"Post Card - 4\" x 6\"", 1, 1, 300, "na-letter", 1800, 1200},
    {"Post Card - 5\" x 7\"", 1, 1, 300, "na-letter", 2100, 1500},
    {"Post Card - 6\" x 9\"", 1, 1, 300, "A4", 2700, 1800},
    {"Post Card - 6\" x 11\"", 1, 1, 300, "A4", 3300, 1800},
    {"Business Card - 10 Per Letter Sheet", 2, 5, 300, "na-letter", 1050, 600},
    {"Business Card - 8 Per Letter Sheet", 2, 4, 300, "na-letter", 1050, 600},
    {"Business Card - 10 Per A4 Sheet", 2, 5, 300, "A4", 1003, 637},
    {"Business Card - 8 Per A4 Sheet", 2, 4, 300, "A4", 1003, 637},
    {"Label - 30 Per Letter Sheet", 3, 10, 600, "na-letter", 1575, 600},
    {"Label - 30 Per Letter Sheet Foil", 3, 10, 600, "na-letter", 1350, 450},
    {"Label - 30 Filing Label Per Letter Sheet", 2, 15, 300, "na-letter", 1031, 200},
    {"Label - 32 Per Letter Sheet", 4, 8, 300, "na-letter", 525, 375},
    {"Label - 6 Per Letter Sheet", 2, 3, 300, "na-letter", 1200, 1000},
    {"Label - 14 Per Letter Sheet", 2, 7, 300, "na-letter", 1200, 400},
    {"Label - 80 Per Letter Sheet", 4, 20, 300, "na-letter", 525, 150},
    {"Label - 10 Per Letter Sheet", 2, 5, 300, "na-letter", 1200, 600},
    {"Label - 33 Per Letter Sheet", 3, 11, 300, "na-letter", 840, 300},
    {"Label - 2 Per Letter Sheet", 1, 2, 300, "na-letter", 2550, 1650},
    {"Label - 4 Per Letter Sheet", 2, 2, 300, "na-letter", 1050, 1500},
    {"Label - 20 Per Letter Sheet", 2, 10, 300, "na-letter", 1200, 300},
    {"Label - 12 Per Letter Sheet", 2, 6, 300, "na-letter", 1200, 450},
    {"Label - 12 Square Per Letter Sheet", 3, 4, 300, "na-letter", 600, 600},
    {"Label - 60 Per Letter Sheet", 4, 15, 300, "na-letter", 525, 199},
    {"Label - 65 Per A4 Sheet", 5, 13, 300, "A4", 450, 250},
    {"Label - 1 Per Letter Sheet", 1, 1, 300, "na-letter", 2400, 3450},
    {"Label - 1 Per A4 Sheet", 1, 1, 300, "A4", 2357, 3414},
    {"Label - 8 Per A4 Sheet", 2, 4, 300, "A4", 1170, 799},
    {"Label - 10 Per A4 Sheet", 2, 5, 300, "A4", 1170, 676},
    {"Label - 10 Diskette Labels Per A4 Sheet", 2, 5, 300, "A4", 826, 614},
    {"Label - 4 Per A4 Sheet", 1, 4, 300, "A4", 2362, 708},
    {"Label - 6 Per A4 Sheet", 2, 3, 300, "A4", 1170, 1099},
    {"Label - 21 Per A4 Sheet", 3, 7, 300, "A4", 750, 450},
    {"Label - 20 Per A4 Sheet", 10, 2, 300, "A4", 200, 1417},
    {"Label - 14 Per A4 Sheet", 2, 7, 300, "A4", 1170, 450},
    {"Label - 14 Wide Per A4 Sheet", 2, 7, 300, "A4", 1240, 499},
    {"Label - 16 Per A4 Sheet", 2, 8, 300, "A4", 1170, 400},
    {"Label - 18 Per A4 Sheet", 3, 6, 300, "A4", 750, 550},
    {"Label - 24 Per A4 Sheet", 3, 8, 300, "A4", 750, 400},
    {"Label - 24 Large Labels Per A4 Sheet", 3, 8, 300, "A4", 826, 425},
    {"Label - 24 File Label Per A4 Sheet", 1, 24, 300, "A4", 1582, 129},
    {"Label - 12 Per A4 Sheet", 3, 4, 300, "A4", 826, 798},
    {"Label - 12 Envelope Labels Per A4 Sheet", 2, 6, 300, "A4", 1145, 499},
    {"Label - 64 Per A4 Sheet", 4, 16, 300, "A4", 572, 199},
    {"Label - 80 Per A4 Sheet", 5, 16, 300, "A4", 420, 199},
    {"Label - 7 Per A4 Sheet", 1, 7, 300, "A4", 2267, 448},
    {"Label - 4 Per A4 Sheet Binder", 1, 4, 300, "A4", 2267, 720},
    {"Card - A4 Sheet Horizontal Half Fold (8.3\" x 5.85\")", 1, 2, 150, "A4", 1245, 877},
    {"Card - Letter Sheet Vertical Half Fold (5.5\" x 8.5\")", 2, 1, 150, "na-letter", 825, 1275},
    {"Card - A5 Sheet Vertical Quarter Fold (2.9\" x 4.15\")", 2, 2, 150, "A5", 435, 622},
    {"US Letter - Portrait HD", 1, 1, 150, "na-letter", 1275, 1650},
    {"A3 - Landscape", 1, 1, 150, "A3", 2475, 1755},
    {"4.15\" x 5.85\" HD", 1, 1, 150, "A4", 622, 877},
    {"US Letter - Portrait - 72 DPI", 1, 1, 72, "na-letter", 612, 792},
    {"A4 - Portrait - 72 DPI", 1, 1, 72, "A4", 597, 842},
    {"Envelope #10 4.125\" x 9.5\"", 1, 1, 72, "na-number-10-envelope", 684, 297},
    {"Envelope DL 4.4\" x 8.8\"", 1, 1, 72, "iso-designated-long-envelope", 633, 316},
    {"Monarch 3.875\" x 7.5\"", 1, 1, 72, "monarch-envelope", 540, 279},
    {"Envelope #9 3.875\" x 8.875\"", 1, 1, 72, "na-number-9-envelope", 639, 279},
};

} // namespace

TEST_F(PrintingTest, CatalogueHoldsTheKindsInOrder)
{
    const QList<QPair<QString, int>> expected = {
        {"Post Card", 4}, {"Business Card", 4}, {"Label", 38},
        {"Cards", 12},    {"Flyer", 45},        {"Envelope", 4},
    };
    QList<QPair<QString, int>> blocks;
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        if (blocks.isEmpty() || blocks.last().first != row->printObjectType)
            blocks.append({row->printObjectType, 0});
        ++blocks.last().second;
    }
    EXPECT_EQ(blocks, expected);
    EXPECT_EQ(gPrintLabels.size(), 107);

    // Building again replaces the list; rows a caller still holds stay valid.
    const LabelHelperPtr held = gPrintLabels.first();
    DataCentre::loadPrintLabels();
    EXPECT_EQ(gPrintLabels.size(), 107);
    EXPECT_EQ(held->printDescription, "Post Card - 4\" x 6\"");
}

TEST_F(PrintingTest, CanvasSizesAreTruncatedProductsOfInchesAndPixelFactor)
{
    for (const CanvasCase &c : kCanvasCases) {
        SCOPED_TRACE(c.description);
        const LabelHelperPtr row = sheet(c.description);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->printNumOfColumnsPerSheet, c.columns);
        EXPECT_EQ(row->printNumOfRowsPerSheet, c.rows);
        EXPECT_EQ(row->canvasPixelFactor, c.pixelFactor);
        EXPECT_EQ(row->paperSize, QLatin1String(c.paper));
        EXPECT_EQ(row->canvasWidth, c.canvasWidth);
        EXPECT_EQ(row->canvasHeight, c.canvasHeight);
    }
}

TEST_F(PrintingTest, EveryRowIsWellFormedAndFitsItsPaper)
{
    // Catalogued larger than their paper; stored pages name them, so they stay.
    const QSet<QString> oversize = {"Label - 1 Per Letter Sheet", "12\" x 12\" HD"};
    constexpr double tolerance = 0.15; // inches: rounded metric sizes, DL envelope
    QSet<QString> descriptions;
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        SCOPED_TRACE(row->printDescription.toStdString());
        EXPECT_TRUE(row->isWellFormed());
        EXPECT_FALSE(descriptions.contains(row->printDescription)) << "duplicate description";
        descriptions.insert(row->printDescription);
        EXPECT_EQ(row->printSheetTopMarginInch, row->printSheetBottomMarginInch);
        EXPECT_EQ(row->printSheetLeftMarginInch, row->printSheetRightMarginInch);
        EXPECT_EQ(row->canvasWidth, LabelHelper::canvasPixels(row->printSingleLabelWidthInch, row->canvasPixelFactor));
        EXPECT_EQ(row->canvasHeight, LabelHelper::canvasPixels(row->printSingleLabelHeightInch, row->canvasPixelFactor));

        const bool seventyTwo = row->printDescription.endsWith(" - 72 DPI") || row->printObjectType == "Envelope";
        const bool sixHundred = row->printDescription.startsWith("Label - 30 Per Letter Sheet");
        const bool oneFifty = row->printObjectType == "Cards" || row->printObjectType == "Flyer";
        EXPECT_EQ(row->canvasPixelFactor, seventyTwo ? 72.0f : sixHundred ? 600.0f : oneFifty ? 150.0f : 300.0f);

        ASSERT_TRUE(paperInches().contains(row->paperSize)) << row->paperSize.toStdString();
        if (oversize.contains(row->printDescription))
            continue;
        const QSizeF paper = paperInches().value(row->paperSize);
        const int columns = row->printNumOfColumnsPerSheet;
        const int rows = row->printNumOfRowsPerSheet;
        const double width = 2.0 * row->printSheetLeftMarginInch + columns * double(row->printSingleLabelWidthInch)
                           + (columns - 1) * double(row->printLabelColumnSpacingInch);
        const double height = 2.0 * row->printSheetTopMarginInch + rows * double(row->printSingleLabelHeightInch)
                            + (rows - 1) * double(row->printLabelRowSpacingInch);
        const bool portrait = width <= paper.width() + tolerance && height <= paper.height() + tolerance;
        const bool landscape = width <= paper.height() + tolerance && height <= paper.width() + tolerance;
        EXPECT_TRUE(portrait || landscape) << width << " x " << height << " on " << row->paperSize.toStdString();
    }
}

namespace {

// Gaps and margins (inches) of the business-card and label rows, whose values
// are irregular: column gap, row gap, top-and-bottom margin, left-and-right margin.
struct SpacingCase {
    const char *description;
    float columnGap;
    float rowGap;
    float topBottomMargin;
    float leftRightMargin;
};

const SpacingCase kSpacingCases[] = {
    {"Business Card - 10 Per Letter Sheet", 0, 0, 0.5f, 0.75f},
    {"Business Card - 8 Per Letter Sheet", 0.5f, 0.5f, 0.75f, 0.5f},
    {"Business Card - 10 Per A4 Sheet", 0.393701f, 0, 0.5314961f, 0.590551f},
    {"Business Card - 8 Per A4 Sheet", 0.23622f, 0.23622f, 1.240157f, 0.669291f},
    {"Label - 30 Per Letter Sheet", 0.125984f, 0, 0.5f, 0.21975f},
    {"Label - 30 Per Letter Sheet Foil", 0.5f, 0.25f, 0.625f, 0.375f},
    {"Label - 30 Filing Label Per Letter Sheet", 0.55f, 0, 0.4975f, 0.5375f},
    {"Label - 32 Per Letter Sheet", 0.16666666f, 0, 0.5f, 0.468f},
    {"Label - 6 Per Letter Sheet", 0.19685f, 0, 0.5f, 0.156f},
    {"Label - 14 Per Letter Sheet", 0.1875f, 0, 0.8333333f, 0.15625f},
    {"Label - 80 Per Letter Sheet", 0.3125f, 0, 0.5f, 0.28125f},
    {"Label - 10 Per Letter Sheet", 0.1875f, 0, 0.5f, 0.1625f},
    {"Label - 33 Per Letter Sheet", 0, 0, 0, 0},
    {"Label - 2 Per Letter Sheet", 0, 0, 0, 0},
    {"Label - 4 Per Letter Sheet", 0.5f, 0, 0.5f, 0.5f},
    {"Label - 20 Per Letter Sheet", 0.1876f, 0, 0.5f, 0.1562f},
    {"Label - 12 Per Letter Sheet", 0.166f, 0, 1.0f, 0.167f},
    {"Label - 12 Square Per Letter Sheet", 0.6f, 0.6f, 0.6f, 0.65f},
    {"Label - 60 Per Letter Sheet", 0.295f, 0, 0.505f, 0.3075f},
    {"Label - 65 Per A4 Sheet", 0.0787402f, 0, 0.4212598f, 0.226378f},
    {"Label - 1 Per Letter Sheet", 0, 0, 0, 0},
    {"Label - 1 Per A4 Sheet", 0, 0, 0.15748f, 0.19685f},
    {"Label - 8 Per A4 Sheet", 0.0984252f, 0, 0.515748f, 0.177165f},
    {"Label - 10 Per A4 Sheet", 0.0787402f, 0, 0.2066929f, 0.192913f},
    {"Label - 10 Diskette Labels Per A4 Sheet", 0.9094488f, 0, 0.7559055f, 0.9173228f},
    {"Label - 4 Per A4 Sheet", 0, 0, 1.122047f, 0.19685f},
    {"Label - 6 Per A4 Sheet", 0.01023622f, 0, 0.03740157f, 0.0185039f},
    {"Label - 21 Per A4 Sheet", 0.1f, 0, 0, 0.279921f},
    {"Label - 20 Per A4 Sheet", 0, 0, 1.06299f, 0.787402f},
    {"Label - 14 Per A4 Sheet", 0.0984252f, 0, 0, 0.1830709f},
    {"Label - 14 Wide Per A4 Sheet", 0, 0, 0.019685f, 0},
    {"Label - 16 Per A4 Sheet", 0.0787402f, 0, 0.5362205f, 0.192913f},
    {"Label - 18 Per A4 Sheet", 0.1f, 0, 0.374016f, 0.283465f},
    {"Label - 24 Per A4 Sheet", 0, 0, 0.519685f, 0.275591f},
    {"Label - 24 Large Labels Per A4 Sheet", 0, 0, 0.177165f, 0},
    {"Label - 24 File Label Per A4 Sheet", 0, 0, 0.6496063f, 1.49606f},
    {"Label - 12 Per A4 Sheet", 0, 0, 0, 0},
    {"Label - 12 Envelope Labels Per A4 Sheet", 0, 0, 0.8503937f, 0.314961f},
    {"Label - 64 Per A4 Sheet", 0, 0, 0, 0},
    {"Label - 80 Per A4 Sheet", 0.0984252f, 0, 0, 0},
    {"Label - 7 Per A4 Sheet", 0, 0, 0, 0},
    {"Label - 4 Per A4 Sheet Binder", 0, 0, 0, 0},
};

} // namespace

// Composition places pieces by these values, so a slip in one of them prints
// every sheet of that stock off its labels.
TEST_F(PrintingTest, GapsAndMarginsMatchTheirStock)
{
    QSet<QString> listed;
    for (const SpacingCase &c : kSpacingCases) {
        SCOPED_TRACE(c.description);
        const LabelHelperPtr row = sheet(c.description);
        ASSERT_TRUE(row);
        listed.insert(row->printDescription);
        EXPECT_EQ(row->printLabelColumnSpacingInch, c.columnGap);
        EXPECT_EQ(row->printLabelRowSpacingInch, c.rowGap);
        EXPECT_EQ(row->printSheetTopMarginInch, c.topBottomMargin);
        EXPECT_EQ(row->printSheetLeftMarginInch, c.leftRightMargin);
    }
    EXPECT_EQ(listed.size(), 42);
    // Every other kind is one piece or a fold edge to edge: no gaps, no margins.
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        if (listed.contains(row->printDescription))
            continue;
        SCOPED_TRACE(row->printDescription.toStdString());
        EXPECT_TRUE(row->printObjectType != "Label" && row->printObjectType != "Business Card");
        EXPECT_EQ(row->printLabelColumnSpacingInch, 0.0f);
        EXPECT_EQ(row->printLabelRowSpacingInch, 0.0f);
        EXPECT_EQ(row->printSheetTopMarginInch, 0.0f);
        EXPECT_EQ(row->printSheetLeftMarginInch, 0.0f);
    }
}

TEST_F(PrintingTest, LookUpByDescriptionMakesTheSheetCurrent)
{
    const LabelHelperPtr labels = DataCentre::grabLabelHelper("Label - 30 Per Letter Sheet");
    ASSERT_TRUE(labels);
    EXPECT_EQ(labels->printDescription, "Label - 30 Per Letter Sheet");
    EXPECT_EQ(gDefaultPrintSheet, "Label - 30 Per Letter Sheet");
    ASSERT_TRUE(RulerUnits::unit("Inches"));
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 600.0);
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Centimeters")->pixelsPerUnit, 236.25);
    EXPECT_EQ(RulerUnits::unit("Centimeters")->abbreviation, "Centimeters");
    EXPECT_EQ(RulerUnits::unit("Inches")->stepUpCycle, QList<double>({10.0}));
    EXPECT_EQ(RulerUnits::unit("Inches")->stepDownCycle, QList<double>({0.5, 0.2}));

    // Another sheet re-registers both units with its factor.
    ASSERT_TRUE(DataCentre::grabLabelHelper("Business Card - 10 Per Letter Sheet"));
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 300.0);
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Centimeters")->pixelsPerUnit, 118.125);
    EXPECT_EQ(gDefaultPrintSheet, "Business Card - 10 Per Letter Sheet");

    ASSERT_TRUE(DataCentre::grabLabelHelper("Envelope #10 4.125\" x 9.5\""));
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 72.0);
}

TEST_F(PrintingTest, LookUpMissChangesNothing)
{
    ASSERT_TRUE(DataCentre::grabLabelHelper("Label - 30 Per Letter Sheet"));
    for (const char *miss : {"label - 30 per letter sheet", "Label - 30 Per Letter Sheet ", " Label - 30 Per Letter Sheet",
                             "Label - 30 Per Letter", "", "Post Card - 4'' x 6''"}) {
        SCOPED_TRACE(miss);
        EXPECT_FALSE(DataCentre::grabLabelHelper(QString::fromLatin1(miss)));
        EXPECT_EQ(gDefaultPrintSheet, "Label - 30 Per Letter Sheet");
        EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 600.0);
    }
    EXPECT_FALSE(DataCentre::grabLabelHelper(QString()));

    // Without a catalogue every look-up misses.
    gPrintLabels.clear();
    EXPECT_FALSE(DataCentre::grabLabelHelper("Label - 30 Per Letter Sheet"));
    EXPECT_FALSE(DataCentre::grabLabelHelperBasedOnSelection(30, "na-letter"));
}

TEST_F(PrintingTest, LookUpByCountAndPaperTakesTheFirstRowInTableOrder)
{
    struct Case {
        int32_t count;
        const char *paper;
        const char *expected; // nullptr: no sheet
    };
    const Case cases[] = {
        {10, "na-letter", "Business Card - 10 Per Letter Sheet"},
        {8, "na-letter", "Business Card - 8 Per Letter Sheet"},
        {10, "A4", "Business Card - 10 Per A4 Sheet"},
        {8, "A4", "Business Card - 8 Per A4 Sheet"},
        {30, "na-letter", "Label - 30 Per Letter Sheet"},
        {65, "A4", "Label - 65 Per A4 Sheet"},
        {20, "A4", "Label - 20 Per A4 Sheet"},
        {1, "na-legal", "US Legal - Landscape"},
        {10, "A5", nullptr},
        {30, "a4", nullptr},
        {0, "na-letter", nullptr},
        {-10, "na-letter", nullptr},
        {10, "", nullptr},
    };
    gDefaultPrintSheet = "unchanged";
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " on " + c.paper);
        const LabelHelperPtr found = DataCentre::grabLabelHelperBasedOnSelection(c.count, QString::fromLatin1(c.paper));
        if (c.expected) {
            ASSERT_TRUE(found);
            EXPECT_EQ(found->printDescription, QLatin1String(c.expected));
        } else {
            EXPECT_FALSE(found);
        }
    }
    EXPECT_EQ(gDefaultPrintSheet, "unchanged");
    EXPECT_DOUBLE_EQ(RulerUnits::unit("Inches")->pixelsPerUnit, 72.0);
}

TEST_F(PrintingTest, LabelTemplatesFileIsCleanAndNamesCatalogueRows)
{
    QFile file(QStringLiteral(ZOV_SOURCE_RESOURCES "/labels.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_FALSE(bytes.isEmpty());
    // A line break at the end or a CR would make an empty, short line.
    EXPECT_FALSE(bytes.contains('\r'));
    EXPECT_FALSE(bytes.endsWith('\n'));
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(text.toUtf8(), bytes) << "not UTF-8";

    bool hasDefaultTemplate = false;
    QSet<QString> offered;
    for (const QString &line : text.split('\n')) {
        SCOPED_TRACE(line.toStdString());
        const QStringList fields = line.split(',');
        ASSERT_EQ(fields.size(), 4);
        for (const QString &field : fields)
            EXPECT_EQ(field, field.trimmed());
        const QString paper = fields[3] == "US Letter" ? QStringLiteral("na-letter") : fields[3];
        const LabelHelperPtr row = DataCentre::grabLabelHelper(fields[2]);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->paperSize, paper);
        hasDefaultTemplate |= fields[0] == "Avery" && fields[1] == "5160" && fields[2] == "Label - 30 Per Letter Sheet";
        offered.insert(fields[2]);
        // A brand goes with a product number, and neither without the other.
        EXPECT_EQ(fields[0].isEmpty(), fields[1].isEmpty());
    }
    EXPECT_TRUE(hasDefaultTemplate);
    // Every label sheet of the catalogue can be chosen.
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        if (row->printObjectType == QLatin1String("Label")) {
            EXPECT_TRUE(offered.contains(row->printDescription)) << row->printDescription.toStdString();
        }
    }
}

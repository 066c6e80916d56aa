// Sheets composed from page pictures: spot rectangles in points, the paper and
// orientation a sheet prints on, the start spot, card folds and the spot map.
#include "PrintingFixture.h"
#include "printing/CardPlan.h"
#include "config/DataCentrePrinting.h"
#include "printing/LabelSpotPlan.h"
#include "printing/SheetComposer.h"
#include "printing/SheetPainter.h"
#include "support/QtPrinters.h"

#include <vector>

namespace {

constexpr double kPointsPerUnit = 72.0 / 144.0;

struct SheetCase {
    const char *description;
    std::vector<double> columnX;  // points
    std::vector<double> rowY;     // points
    double pieceWidth, pieceHeight;
    double frameWidth, frameHeight;
    const char *pageSize;  // QPageSize key
    QPageLayout::Orientation orientation;
    double originX, originY;  // grid corner on the paper, points
};

const SheetCase kSheetCases[] = {
    // Margins add up to the paper: the grid sits at them.
    {"Business Card - 10 Per Letter Sheet", {0, 252}, {0, 144, 288, 432, 576}, 252, 144, 504, 720, "Letter",
     QPageLayout::Portrait, 54, 36},
    // Catalogue margins that do not add up: centred.
    {"Label - 30 Per Letter Sheet",
     {0, 198.0708, 396.1417},
     {0, 72, 144, 216, 288, 360, 432, 504, 576, 648},
     189, 72, 585.1417, 720, "Letter", QPageLayout::Portrait, 13.4291, 36},
    {"Label - 20 Per A4 Sheet",
     {0, 48.1890, 96.3779, 144.5669, 192.7559, 240.9448, 289.1338, 337.3228, 385.5117, 433.7007},
     {0, 340.1575},
     48.1890, 340.1575, 481.8897, 680.3150, "A4", QPageLayout::Portrait, 56.6929, 80.7866},
    {"Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", {0}, {0, 396}, 612, 396, 612, 792, "Letter",
     QPageLayout::Portrait, 0, 0},
    {"Card - Letter Sheet Vertical Half Fold (5.5\" x 8.5\")", {0, 396}, {0}, 396, 612, 792, 612, "Letter",
     QPageLayout::Landscape, 0, 0},
    {"Card - Letter Sheet Vertical Quarter Fold (4.25\" x 5.5\")", {0, 306}, {0, 396}, 306, 396, 612, 792, "Letter",
     QPageLayout::Portrait, 0, 0},
    {"Envelope #10 4.125\" x 9.5\"", {0}, {0}, 684, 297, 684, 297, "Env10", QPageLayout::Landscape, 0, 0},
    {"US Letter - Landscape", {0}, {0}, 792, 612, 792, 612, "Letter", QPageLayout::Landscape, 0, 0},
};

class SheetLayoutTest : public PrintingTest {
protected:
    SheetGeometry select(const char *description)
    {
        const LabelHelperPtr row = sheet(description);
        DataCentrePrinting::resetPrintCanvas(row);
        return SheetGeometry::fromCurrentLayout();
    }

    static QList<SheetPage> pages(const QStringList &names)
    {
        QList<SheetPage> out;
        for (const QString &name : names)
            out.append(SheetPage(name, "/pictures/" + name + ".png"));
        return out;
    }
};

TEST_F(SheetLayoutTest, EverySpotOfTheCatalogueSheetsInPointsOnItsPaper)
{
    for (const SheetCase &c : kSheetCases) {
        SCOPED_TRACE(c.description);
        const LabelHelperPtr row = sheet(c.description);
        ASSERT_TRUE(row);
        const SheetGeometry g = select(c.description);
        EXPECT_NEAR(g.sheetWidth * kPointsPerUnit, c.frameWidth, 0.01);
        EXPECT_NEAR(g.sheetHeight * kPointsPerUnit, c.frameHeight, 0.01);

        const auto different = SheetComposer::composeDifferentLabels(
            g, pages(QStringList(c.columnX.size() * c.rowY.size(), "p")), 0.0f, 1, 1);
        ASSERT_EQ(different.sheets.size(), 1);
        const PrintRenderingView &view = different.sheets.first();
        ASSERT_EQ(view.placements.size(), static_cast<qsizetype>(c.columnX.size() * c.rowY.size()));
        for (qsizetype i = 0; i < view.placements.size(); ++i) {
            const QRectF rect = view.placements.at(i).rect;
            EXPECT_EQ(view.placements.at(i).picture, i);
            EXPECT_NEAR(rect.x() * kPointsPerUnit, c.columnX.at(i % c.columnX.size()), 0.01) << "spot " << i;
            EXPECT_NEAR(rect.y() * kPointsPerUnit, c.rowY.at(i / c.columnX.size()), 0.01) << "spot " << i;
            EXPECT_NEAR(rect.width() * kPointsPerUnit, c.pieceWidth, 0.01);
            EXPECT_NEAR(rect.height() * kPointsPerUnit, c.pieceHeight, 0.01);
        }

        const SheetPaper paper = SheetPainter::paperFor(g, *row, {}, {});
        EXPECT_EQ(paper.pageSize.key(), QString(c.pageSize));
        EXPECT_EQ(paper.orientation, c.orientation);
        EXPECT_NEAR(paper.gridOrigin.x() * kPointsPerUnit, c.originX, 0.01);
        EXPECT_NEAR(paper.gridOrigin.y() * kPointsPerUnit, c.originY, 0.01);
    }
}

TEST_F(SheetLayoutTest, TemplatePaperWinsAndTheGreetingCardEditionTurnsByTheFold)
{
    const LabelHelperPtr labels = sheet("Label - 30 Per Letter Sheet");
    const SheetGeometry g = select("Label - 30 Per Letter Sheet");
    EXPECT_EQ(SheetPainter::paperFor(g, *labels, "A4", {}).pageSize.id(), QPageSize::A4);
    EXPECT_EQ(SheetPainter::pageSizeForPaper("Tabloid Oversize").size(QPageSize::Inch), QSizeF(12, 18));
    EXPECT_EQ(SheetPainter::pageSizeForPaper("no such paper").id(), QPageSize::Letter);

    gAppName = "Tovra Greeting Card Designer";
    const struct {
        const char *description;
        QPageLayout::Orientation orientation;
    } folds[] = {
        {"Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", QPageLayout::Portrait},
        {"Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")", QPageLayout::Landscape},
        {"Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")", QPageLayout::Landscape},
        {"Card - Letter Sheet Vertical Quarter Fold (4.25\" x 5.5\")", QPageLayout::Portrait},
    };
    for (const auto &fold : folds) {
        SCOPED_TRACE(fold.description);
        const SheetGeometry cardGeometry = select(fold.description);
        const LabelHelperPtr row = sheet(fold.description);
        EXPECT_EQ(SheetPainter::paperFor(cardGeometry, *row, {}, fold.description).orientation, fold.orientation);
    }
}

TEST_F(SheetLayoutTest, SameLabelFillsTheSheetFromTheStartSpotWithOnePicture)
{
    const SheetGeometry cards = select("Business Card - 10 Per Letter Sheet");
    const auto full = SheetComposer::composeSameLabel(cards, {"/p.png", {}, 0.0f, "p"}, 1, 1);
    ASSERT_TRUE(full.isPrintable());
    ASSERT_EQ(full.sheets.size(), 1);
    EXPECT_EQ(full.pictures.size(), 1);
    EXPECT_EQ(full.sheets.first().frame, QRectF(0, 0, 1008, 1440));
    ASSERT_EQ(full.sheets.first().placements.size(), 10);
    EXPECT_EQ(full.sheets.first().placements.at(9).rect, QRectF(504, 1152, 504, 288));

    // Row 3, column 2 on 3 x 10: the 23 free spots, nothing spills to a second sheet.
    const SheetGeometry labels = select("Label - 30 Per Letter Sheet");
    const auto later = SheetComposer::composeSameLabel(labels, {"/p.png", {}, 0.0f, "p"}, 3, 2);
    ASSERT_EQ(later.sheets.size(), 1);
    const auto &placements = later.sheets.first().placements;
    ASSERT_EQ(placements.size(), 23);
    EXPECT_EQ(placements.first().rect, labels.spotRect(2, 1));
    EXPECT_EQ(placements.at(1).rect, labels.spotRect(2, 2));
    EXPECT_EQ(placements.at(2).rect, labels.spotRect(3, 0));
    EXPECT_EQ(placements.last().rect, labels.spotRect(9, 2));
    for (const PrintPlacement &placement : placements)
        EXPECT_EQ(placement.picture, 0);
}

TEST_F(SheetLayoutTest, TheStartSpotAppliesToTheFirstSheetOnlyAndNoLabelIsDropped)
{
    const SheetGeometry g = select("Label - 30 Per Letter Sheet");
    QStringList names;
    for (int i = 0; i < 35; ++i)
        names << QString::number(i);
    const struct {
        int row, column;
        std::vector<int> perSheet;
    } cases[] = {
        {1, 1, {30, 5}}, {0, -4, {30, 5}}, {1, 2, {29, 6}}, {10, 3, {1, 30, 4}}, {2, 1, {27, 8}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << " x " << c.column);
        const auto composed = SheetComposer::composeDifferentLabels(g, pages(names), 0.0f, c.row, c.column);
        ASSERT_EQ(composed.sheets.size(), static_cast<qsizetype>(c.perSheet.size()));
        int next = 0;
        for (qsizetype s = 0; s < composed.sheets.size(); ++s) {
            const auto &placements = composed.sheets.at(s).placements;
            ASSERT_EQ(placements.size(), c.perSheet.at(s));
            if (s > 0) {
                EXPECT_EQ(placements.first().rect, g.spotRect(0, 0));
            }
            for (const PrintPlacement &placement : placements)
                EXPECT_EQ(placement.picture, next++);
        }
        EXPECT_EQ(next, 35);
    }
}

TEST_F(SheetLayoutTest, ImpossibleJobsSayWhyAndHoldNoSheets)
{
    const SheetGeometry g = select("Label - 30 Per Letter Sheet");
    const auto beyondRows = SheetComposer::composeSameLabel(g, {"/p.png", {}, 0.0f, "p"}, 11, 1);
    EXPECT_EQ(beyondRows.problem, SheetComposition::Problem::StartSpotOutside);
    EXPECT_TRUE(beyondRows.sheets.isEmpty());
    EXPECT_TRUE(beyondRows.problemText().contains("10 rows and 3 columns"));
    EXPECT_EQ(SheetComposer::composeDifferentLabels(g, pages({"a"}), 0.0f, 1, 4).problem,
              SheetComposition::Problem::StartSpotOutside);
    EXPECT_EQ(SheetComposer::composeDifferentLabels(g, {}, 0.0f, 1, 1).problem,
              SheetComposition::Problem::NothingToPlace);
    EXPECT_EQ(SheetComposer::layOutSpots(g, {"/p.png", {}, 0.0f, "p"}, {}).problem,
              SheetComposition::Problem::NothingToPlace);

    const SheetGeometry none;
    const auto noSheet = SheetComposer::composeSameLabel(none, {"/p.png", {}, 0.0f, "p"}, 1, 1);
    EXPECT_EQ(noSheet.problem, SheetComposition::Problem::NoSheet);
    EXPECT_FALSE(noSheet.isPrintable());
    EXPECT_FALSE(noSheet.problemText().isEmpty());
}

TEST_F(SheetLayoutTest, ASingleSpotTakesTheOnePicture)
{
    const SheetGeometry g = select("Label - 10 Per Letter Sheet");
    ASSERT_EQ(g.columns, 2);
    ASSERT_EQ(g.rows, 5);
    const auto one = SheetComposer::layOutSingleSpot(g, {"/p.png", {}, 0.0f, "p"}, 4, 1);
    ASSERT_TRUE(one.isPrintable());
    ASSERT_EQ(one.sheets.first().placements.size(), 1);
    const QRectF rect = one.sheets.first().placements.first().rect;
    EXPECT_FLOAT_EQ(rect.x(), g.columnGap + g.pieceWidth);
    EXPECT_FLOAT_EQ(rect.y(), 4 * (g.rowGap + g.pieceHeight));
    EXPECT_EQ(SheetComposer::layOutSingleSpot(g, {"/p.png", {}, 0.0f, "p"}, 5, 0).problem,
              SheetComposition::Problem::StartSpotOutside);
}

struct FoldCase {
    const char *description;
    enum { Front, Inside, Quarter } side;
    QStringList pageNames;
    QStringList expected;  // page name, "^" when upside down
};

TEST_F(SheetLayoutTest, FoldsOrderAndTurnTheCardPages)
{
    const QStringList card = {"1.html", "2.html", "3.html", "4.html"};
    const FoldCase cases[] = {
        {"Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")", FoldCase::Front, card, {"2.html", "1.html"}},
        {"Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", FoldCase::Front, card, {"1.html^", "2.html"}},
        {"Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")", FoldCase::Front, card,
         {"1.html", "2.html"}},
        {"Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", FoldCase::Inside, card, {"3.html", "4.html"}},
        {"Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")", FoldCase::Quarter, card,
         {"1.html^", "2.html^", "3.html", "4.html"}},
        // A missing page moves the rest up one panel.
        {"Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", FoldCase::Front, {"2.html", "3.html"},
         {"2.html"}},
        // Pages that are no card pages make no card.
        {"Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", FoldCase::Front, {"a.html", "b.html"}, {}},
        {"Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", FoldCase::Inside, {"a.html", "b.html"}, {}},
        {"Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")", FoldCase::Quarter, {"a.html"}, {}},
    };
    for (const FoldCase &c : cases) {
        SCOPED_TRACE(c.description);
        const QList<SheetPage> project = pages(c.pageNames);
        QList<SheetPicture> pictures;
        if (c.side == FoldCase::Front)
            pictures = CardPlan::frontPictures(project, c.description);
        else if (c.side == FoldCase::Inside)
            pictures = CardPlan::insidePictures(project);
        else
            pictures = CardPlan::quarterFoldPictures(project);
        QStringList got;
        for (const SheetPicture &picture : pictures)
            got << picture.pageName + (picture.rotation == 180.0f ? "^" : "");
        EXPECT_EQ(got, c.expected);
    }
    EXPECT_FALSE(CardPlan::asksFrontOrInside("Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")"));
    EXPECT_TRUE(CardPlan::asksFrontOrInside("Card - Letter Sheet Vertical Half Fold (5.5\" x 8.5\")"));

    // Vertical half fold on two columns: page 2 on the left, page 1 on the right.
    const SheetGeometry g = select("Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")");
    const auto composed = SheetComposer::layOutGrid(
        g, CardPlan::frontPictures(pages(card), "Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")"), {}, 1, 1);
    ASSERT_EQ(composed.sheets.size(), 1);
    EXPECT_EQ(composed.pictures.at(composed.sheets.first().placements.at(0).picture).pageName, "2.html");
    EXPECT_EQ(composed.sheets.first().placements.at(1).rect, g.spotRect(0, 1));
}

TEST_F(SheetLayoutTest, TheSpotMapNamesTogglesAndPlacesTheChosenSpots)
{
    gPrintScaleDivisor = 2.0f;
    const SheetGeometry labels = select("Label - 30 Per Letter Sheet");
    LabelSpotPlan map = LabelSpotPlan::build(labels, gPrintScaleDivisor);
    ASSERT_EQ(map.spots.size(), 30);
    EXPECT_EQ(map.divisor, 3);
    EXPECT_EQ(map.spots.first().title, "1 x 1");
    EXPECT_EQ(map.spots.last().title, "10 x 3");
    EXPECT_EQ(map.spots.at(5).tag, 5);
    EXPECT_EQ(map.spots.at(5).title, "2 x 3");
    EXPECT_EQ(map.spots.at(5).rowNumber, 1);
    EXPECT_EQ(map.spots.at(5).columnNumber, 2);

    map.toggle(5);
    EXPECT_EQ(map.spots.at(5).title, "Selected");
    map.toggle(5);
    EXPECT_EQ(map.spots.at(5).title, "2 x 3");
    EXPECT_TRUE(map.selectedSpots().isEmpty());

    map.toggle(0);
    map.toggle(29);
    map.toggle(99);
    EXPECT_EQ(map.selectedSpots(), (QList<QPoint>{{0, 0}, {2, 9}}));
    const auto sheetOfTwo = SheetComposer::layOutSpots(labels, {"/p.png", {}, 90.0f, "p"}, map.selectedSpots());
    ASSERT_EQ(sheetOfTwo.sheets.size(), 1);
    ASSERT_EQ(sheetOfTwo.sheets.first().placements.size(), 2);
    EXPECT_EQ(sheetOfTwo.sheets.first().placements.at(1).rect, labels.spotRect(9, 2));

    const SheetGeometry cards = select("Business Card - 10 Per Letter Sheet");
    const LabelSpotPlan cardMap = LabelSpotPlan::build(cards, gPrintScaleDivisor);
    EXPECT_EQ(cardMap.containerSize, QSizeF(336, 480));
    EXPECT_EQ(cardMap.spots.at(3).frame, QRectF(168, 96, 168, 96));
}

}  // namespace

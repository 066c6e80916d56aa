#include "DrawingProbe.h"
#include "support/FakeGraphicEnvironment.h"
#include "support/TestFont.h"

#include "config/EditionSettings.h"
#include "model/GraphicFactory.h"
#include "model/SKTTable.h"

#include <gtest/gtest.h>

namespace {
using Cell = SKTTable::Cell;

Cell makeCell(int row, int column, int width, int height)
{
    auto cell = std::make_shared<myTextView>();
    cell->rowSpot = row;
    cell->columnSpot = column;
    cell->width = width;
    cell->height = height;
    cell->backgroundHexColorString = QStringLiteral("CLEAR0");
    cell->borderHexColorString = QStringLiteral("000000");
    cell->textColorString = QStringLiteral("000000");
    cell->familyName = testFontFamily();
    cell->fontSize = 14;
    cell->lineSpacing = 1.25f;
    cell->textAlignment = QStringLiteral("left");
    return cell;
}

// rows x columns cells of 50 x 30, listed in reverse so that no code may rely on order.
std::unique_ptr<SKTTable> makeTable(int rows, int columns, int padding = 0, int border = 0,
                                    QPointF origin = {10, 10})
{
    auto table = std::make_unique<SKTTable>();
    QList<Cell> cells;
    for (int r = rows - 1; r >= 0; --r)
        for (int c = columns - 1; c >= 0; --c)
            cells.append(makeCell(r, c, 50, 30));
    table->setCellHelperArray(cells);
    table->setNumOfRows(rows);
    table->setNumOfColumns(columns);
    table->setPadding(padding);
    table->setBorderWidth(border);
    table->setSelectable(true);
    const QRectF natural(origin, QSizeF(1, 1));
    table->SKTGraphic::setBounds(natural);
    table->SKTGraphic::setBounds(QRectF(origin, QSizeF(table->tableTotalCellWidth(), table->tableTotalCellHeight())));
    return table;
}

struct EditionFlags {
    bool responsive = gResponsiveEdition, outline = gOutlineTables, selection = gTableCellSelection,
         images = gTableImagesEnabled;
    ~EditionFlags()
    {
        gResponsiveEdition = responsive;
        gOutlineTables = outline;
        gTableCellSelection = selection;
        gTableImagesEnabled = images;
    }
};
} // namespace

TEST(TableModel, RebuildsFromPropertiesWithKindAndFirstCellStyle)
{
    auto table = makeTable(2, 2);
    Cell first = table->cellHelperArray().first();
    first->backgroundHexColorString = QStringLiteral("FF0000");
    first->textAlignment = QStringLiteral("justify");
    first->alphaValue = 0.5f;
    GraphicProperties p = table->properties();
    p.remove("gridType");
    SKTTable back;
    back.readProperties(p);
    EXPECT_EQ(back.gridType(), QStringLiteral("table"));
    EXPECT_EQ(back.cellHelperArray().size(), 4); // a copy keeps its cells
    EXPECT_EQ(back.fillColor(), QColor(Qt::red));
    EXPECT_EQ(back.fontAlignment(), 3);
    EXPECT_DOUBLE_EQ(back.opacity(), 0.5);
    EXPECT_EQ(back.tableBackgroundImage(), nullptr);

    struct Case {
        const char *background;
        const char *alignment;
        bool clear;
        int code;
    };
    for (const Case &c : {Case{"CLEAR0", "center", true, 1}, Case{"", "right", true, 2},
                          Case{"00FF00", "sideways", false, 0}}) {
        first->backgroundHexColorString = QString::fromLatin1(c.background);
        first->textAlignment = QString::fromLatin1(c.alignment);
        SKTTable t;
        t.readProperties(table->properties());
        EXPECT_EQ(t.fillColor().alpha() == 0, c.clear) << c.background;
        EXPECT_EQ(t.backgroundHexColorString(), QString::fromLatin1(c.background));
        EXPECT_EQ(t.fontAlignment(), c.code) << c.alignment;
    }
    p.setList("tableBackgroundArray", {});
    SKTTable noBackground;
    noBackground.readProperties(p);
    EXPECT_EQ(noBackground.tableBackgroundImage(), nullptr);
    EXPECT_TRUE(GraphicFactory::create("SKTTable"));
}

TEST(TableModel, ImagesReplaceByCellAndNoSpotOnlyRemoves)
{
    SKTTable table;
    auto image = [](int row, int column, const char *name) {
        auto i = std::make_shared<TransformView>();
        i->rowSpot = row;
        i->columnSpot = column;
        i->imageName = QString::fromLatin1(name);
        return i;
    };
    table.addIntoImageArray(image(0, 1, "image1"));
    table.addIntoImageArray(image(0, 1, "image2"));
    ASSERT_EQ(table.imageArray().size(), 1);
    EXPECT_EQ(table.grabSelectedImageAtSpot(0, 1)->imageName, QStringLiteral("image2"));
    table.addIntoImageArray(image(-99, -99, "image3"));
    table.addIntoImageArray(image(1, 1, "image4"));
    auto stray = image(1, 1, "image5");
    stray->rowSpot = -99;
    table.addIntoImageArray(image(1, -99, "image6"));
    EXPECT_EQ(table.imageArray().size(), 2);
}

TEST(TableGeometryOfGraphic, CellsAreHitWhereTheyAreDrawn)
{
    // Padding 4 and border 2 inside a table border of 2: the first cell's box
    // starts 8 pixels into the bounds.
    auto table = makeTable(2, 3, 4, 2, {10, 10});
    EXPECT_EQ(table->grabSelectedCellRect(0, 0), QRectF(18, 18, 50, 30));
    EXPECT_EQ(table->grabSelectedCellRect(1, 2), QRectF(18 + 2 * 56, 18 + 36, 50, 30));
    struct Case {
        int x, y, row, column;
    };
    const Case cases[] = {
        {13, 13, -99, -99}, // inside the table, in the padding before the first cell
        {18, 18, 0, 0},     {67, 47, 0, 0},
        {68, 18, -99, -99}, // the right edge belongs to the gap, not to the cell
        {74, 18, 0, 1},     {132, 57, 1, 2},
        {500, 500, -99, -99},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(table->grabRowSpot(c.x, c.y), c.row) << c.x << "," << c.y;
        EXPECT_EQ(table->grabColumnSpot(c.x, c.y), c.column) << c.x << "," << c.y;
    }
    EXPECT_EQ(table->grabCurrentCellRect(74, 18), QRectF(74, 18, 50, 30));
    SKTTable empty;
    EXPECT_EQ(empty.grabRowSpot(0, 0), -99);
    EXPECT_EQ(empty.grabColumnSpot(0, 0), -99);

    EXPECT_EQ(table->grabNextSpot(0, 2), QPoint(1, 0));
    EXPECT_EQ(table->grabNextSpot(1, 2), QPoint(2, 0));
    EXPECT_EQ(table->grabMaxNumToAdd({74, 18}), 5);

    FakeGraphicEnvironment environment;
    environment.touchPoint = QPointF(77, 56);
    EXPECT_EQ(table->grabCurrentTableCellHelper(), table->grabSelectedTableCellHelper(1, 1));
    table->grabSelectedTableCellHelper(1, 1)->textStorage = QStringLiteral("here");
    EXPECT_EQ(table->grabCurrentTextStorage(), QStringLiteral("here"));
    environment.touchPoint = QPointF(5, 5);
    EXPECT_TRUE(table->grabCurrentTextStorage().isNull());
}

TEST(TableGeometryOfGraphic, CellsMovedInPlaceAreFoundAtTheirNewSpot)
{
    auto table = makeTable(2, 2);
    const Cell corner = table->grabSelectedTableCellHelper(1, 1);
    const Cell first = table->grabSelectedTableCellHelper(0, 0);
    corner->rowSpot = 0; // the insertion code swaps cells by their spots
    corner->columnSpot = 0;
    first->rowSpot = 1;
    first->columnSpot = 1;
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 0), corner);
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1), first);
    first->rowSpot = 2; // a new row, not in the grid before
    EXPECT_EQ(table->grabSelectedTableCellHelper(2, 1), first);
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1), nullptr);
}

TEST(TableGeometryOfGraphic, ResizingSpreadsOverColumnsThatAreNotFixed)
{
    auto table = makeTable(1, 3);
    table->grabSelectedTableCellHelper(0, 1)->fixedWidthFlag = 1;
    const QRectF start = table->bounds();
    EXPECT_EQ(start.width(), 150);

    table->setBounds(start.adjusted(0, 0, 10, 0));
    EXPECT_EQ(table->grabColumnWidth(0), 55);
    EXPECT_EQ(table->grabColumnWidth(1), 50);
    EXPECT_EQ(table->grabColumnWidth(2), 55);
    table->setBounds(QRectF(start.topLeft(), QSizeF(171, start.height())));
    EXPECT_EQ(table->grabColumnWidth(0), 60); // (171 - 160) / 2 truncated
    EXPECT_EQ(table->bounds().width(), 171);

    // A column narrower than 21 pixels is never shrunk.
    table->grabSelectedTableCellHelper(0, 0)->width = 20;
    table->setBounds(QRectF(start.topLeft(), QSizeF(100, start.height())));
    EXPECT_EQ(table->grabColumnWidth(0), 20);
    EXPECT_LT(table->grabColumnWidth(2), 55);

    // With every column fixed the requested width gives way to the cells' total.
    for (const Cell &cell : table->cellHelperArray())
        cell->fixedWidthFlag = 1;
    table->setBounds(QRectF(start.topLeft(), QSizeF(400, start.height())));
    EXPECT_EQ(table->bounds().width(), table->tableTotalCellWidth());
}

TEST(TableGeometryOfGraphic, AveragesAndAlignment)
{
    auto table = makeTable(2, 1);
    EXPECT_TRUE(std::isfinite(table->averageColumnWidth()));
    table->setNumOfColumns(2); // a column appended, not yet filled
    EXPECT_FLOAT_EQ(table->averageColumnWidth(), 50.0f);
    auto grid = makeTable(2, 2);
    grid->grabSelectedTableCellHelper(0, 1)->width = 80;
    grid->grabSelectedTableCellHelper(1, 0)->height = 44;
    grid->alignCells();
    EXPECT_EQ(grid->grabSelectedTableCellHelper(1, 1)->width, 80);
    EXPECT_EQ(grid->grabSelectedTableCellHelper(1, 1)->height, 44);
}

TEST(TableDrawing, CellBoxesFillInsideAndBorderOnTheEdge)
{
    auto table = makeTable(1, 2, 4, 2, {10, 10});
    table->setBorderStyle(QStringLiteral("solid"));
    table->grabSelectedTableCellHelper(0, 0)->backgroundHexColorString = QStringLiteral("FF0000");
    table->grabSelectedTableCellHelper(0, 1)->backgroundHexColorString = QStringLiteral("(null)");
    const QImage image = renderOne(*table);
    EXPECT_TRUE(near(image.pixelColor(40, 30), Qt::red));          // inside cell (0, 0)
    EXPECT_LT(image.pixelColor(19, 30).red(), 60);                 // its left border
    EXPECT_TRUE(near(image.pixelColor(100, 30), Qt::white));       // no fill in cell (0, 1)
    EXPECT_TRUE(near(image.pixelColor(12, 30), Qt::white));        // the padding

    table->setBorderStyle(QStringLiteral("dashed"));
    table->setBorderWidth(0);
    renderOne(*table);
    EXPECT_EQ(table->borderWidth(), 1);
}

TEST(TableDrawing, OutlinesAndSectionGuidesOnlyWhereTheEditionWantsThem)
{
    EditionFlags keep;
    auto table = makeTable(1, 1, 0, 0, {20, 20});
    table->setBorderStyle(QStringLiteral("none"));
    const RenderOptions canvas;
    gOutlineTables = false;
    EXPECT_EQ(inkIn(renderOne(*table, {200, 200}, canvas), QRect(0, 0, 200, 200)), 0);
    gOutlineTables = true;
    EXPECT_GT(inkIn(renderOne(*table, {200, 200}, canvas), QRect(18, 18, 56, 36)), 20);

    gOutlineTables = false;
    table->setGridType(QStringLiteral("section"));
    table->setBorderWidth(1);
    gResponsiveEdition = true;
    EXPECT_GT(inkIn(renderOne(*table, {200, 200}, canvas), QRect(18, 18, 56, 36)), 20);
    gResponsiveEdition = false;
    EXPECT_EQ(inkIn(renderOne(*table, {200, 200}, canvas), QRect(0, 0, 200, 200)), 0);
}

TEST(TableDrawing, CellTextIsDrawnUnlessEditedInPlace)
{
    auto table = makeTable(1, 2, 0, 0, {10, 10});
    table->grabSelectedTableCellHelper(0, 0)->textStorage = QStringLiteral("Ab");
    table->grabSelectedTableCellHelper(0, 1)->textStorage = QStringLiteral("Cd");
    table->measureCellTextHeights();
    const int32_t measured = table->grabSelectedTableCellHelper(0, 0)->textHeight;
    EXPECT_GT(measured, 10);
    const QImage image = renderOne(*table);
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 0)->textHeight, measured);
    EXPECT_GT(inkIn(image, QRect(10, 10, 50, 30)), 10);
    EXPECT_GT(inkIn(image, QRect(60, 10, 50, 30)), 10);
    EXPECT_GT(table->grabSelectedTableCellHelper(0, 0)->textHeight, 10);

    FakeGraphicEnvironment environment;
    environment.touchPoint = QPointF(20, 20);
    ASSERT_TRUE(table->editingCell());
    RenderOptions editing = GraphicRenderer::paperOptions();
    editing.beingEdited = table.get();
    const QImage edited = renderOne(*table, {200, 200}, editing);
    EXPECT_EQ(inkIn(edited, QRect(10, 10, 50, 30)), 0);
    EXPECT_GT(inkIn(edited, QRect(60, 10, 50, 30)), 10);

    table->setGridType(QStringLiteral("sectionTemplate"));
    EXPECT_FALSE(table->editingCell());
    table->setGridType(QStringLiteral("table"));
    table->setSelectable(false);
    EXPECT_FALSE(table->editingCell());
}

TEST(TableDrawing, ImagesAreFittedIntoTheirCells)
{
    EditionFlags keep;
    gTableImagesEnabled = true;
    auto table = makeTable(1, 2, 0, 0, {0, 0});
    for (const Cell &cell : table->cellHelperArray())
        cell->height = 50;
    table->SKTGraphic::setBounds(QRectF(0, 0, table->tableTotalCellWidth(), table->tableTotalCellHeight()));
    auto picture = [](int w, int h, int column) {
        auto i = std::make_shared<TransformView>();
        QImage blue(w, h, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        i->image = blue;
        i->originalWidth = w;
        i->originalHeight = h;
        i->rowSpot = 0;
        i->columnSpot = column;
        return i;
    };
    auto narrow = picture(20, 40, 0); // relatively narrower: full height, at the left
    auto wide = picture(100, 20, 1);  // relatively wider: full width, centred vertically
    table->addIntoImageArray(narrow);
    table->addIntoImageArray(wide);
    table->pushSettingsIntoCells(); // placed without drawing, as page generation needs them
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 1)->originX, 50);
    EXPECT_EQ(narrow->galleryDimension, QRectF(0, 0, 25, 50));
    EXPECT_EQ(wide->galleryDimension, QRectF(50, 20, 50, 10));
}

TEST(TableStyle, OperationsActOnSelectedCellsWhenSelectionIsOn)
{
    EditionFlags keep;
    auto table = makeTable(2, 3);
    table->setTextHexColorString(QStringLiteral("123456"));
    table->setFontColor(QColor(0x12, 0x34, 0x56));
    gTableCellSelection = true;
    table->grabSelectedTableCellHelper(0, 0)->selected = true;
    table->grabSelectedTableCellHelper(1, 2)->selected = true;
    table->updateTextColor();
    int changed = 0;
    for (const Cell &cell : table->cellHelperArray())
        changed += cell->textColorString == QLatin1String("123456") && cell->textColor == QColor(0x12, 0x34, 0x56) ? 1 : 0;
    EXPECT_EQ(changed, 2);

    for (const Cell &cell : table->cellHelperArray())
        cell->selected = false;
    table->setFontAlignment(2);
    table->setFontFamily(testFontFamily());
    table->setFontSize(18);
    table->refreshStyle();
    for (const Cell &cell : table->cellHelperArray()) {
        EXPECT_EQ(cell->textAlignment, QStringLiteral("right"));
        EXPECT_EQ(cell->fontSize, 18);
        EXPECT_EQ(cell->formTag, -99);
        EXPECT_EQ(cell->textColorString, QStringLiteral("123456"));
    }
    table->setFillColor(QColor(Qt::transparent));
    table->updateBackgroundColor();
    EXPECT_EQ(table->cellHelperArray().first()->backgroundHexColorString, QStringLiteral("CLEAR0"));

    myTextView source;
    source.backgroundHexColorString = QStringLiteral("00FF00");
    source.textAlignment = QStringLiteral("center");
    source.textColorString = QStringLiteral("0000FF");
    source.cornerRadius = 9;
    table->reflectSelectedCellProperties(source);
    EXPECT_EQ(table->fillColor(), QColor(Qt::green));
    EXPECT_EQ(table->fontAlignment(), 1);
    EXPECT_EQ(table->fontColor(), QColor(Qt::blue));
    EXPECT_EQ(table->cornerRadius(), 0); // corner radius is not copied up
}

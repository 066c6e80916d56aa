// Grid edits of a table: rows and columns inserted, deleted, moved and
// transposed, joins, rebuilding after the counts change, the table of
// contents, and undo of each as one step giving the page back exactly.
#include "InsertionFixture.h"

#include "insertion/TableGridEditing.h"
#include "model/SKTGalleryGrid.h"

#include <functional>

class TableGridEditingTest : public InsertionTest {
protected:
    // A rows x columns table at origin whose cells read "r,c", 100 x 40 each.
    static std::shared_ptr<SKTTable> makeTable(int rows, int columns, QPointF origin = {0, 0})
    {
        auto table = std::make_shared<SKTTable>();
        QList<SKTTable::Cell> cells;
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r) {
                auto cell = TableGridEditing::createNewTableCell();
                cell->rowSpot = r;
                cell->columnSpot = c;
                cell->width = 100;
                cell->height = 40;
                cell->textStorage = cell->textView.string = QStringLiteral("%1,%2").arg(r).arg(c);
                cells.append(cell);
            }
        table->setCellHelperArray(cells);
        table->setNumOfRows(rows);
        table->setNumOfColumns(columns);
        table->setPadding(5);
        table->setBorderWidth(1);
        table->SKTGraphic::setBounds(QRectF(origin, QSizeF(columns * 100, rows * 40)));
        table->setBounds(QRectF(origin, QSizeF(table->tableTotalCellWidth(), table->tableTotalCellHeight())));
        return table;
    }
    static void addPicture(SKTTable &table, int row, int column, const QString &name)
    {
        auto image = std::make_shared<TransformView>();
        image->rowSpot = row;
        image->columnSpot = column;
        image->imageName = name;
        image->imageType = QStringLiteral("PNG");
        QList<GridGraphic::Image> images = table.imageArray();
        images.append(image);
        table.setImageArray(images);
    }
    static QString textAt(SKTTable &table, int row, int column)
    {
        const auto cell = table.grabSelectedTableCellHelper(row, column);
        return cell ? SKTTable::cellText(*cell) : QStringLiteral("<none>");
    }
    static QString pictureAt(SKTTable &table, int row, int column)
    {
        const auto image = table.grabSelectedImageAtSpot(row, column);
        return image ? image->imageName : QString();
    }
    // Selects the table and clicks into the cell.
    void clickInto(SKTTable &table, int row, int column)
    {
        context->selectionCache.selectedTable = &table;
        context->touch = table.grabSelectedCellRect(row, column).center();
    }
    TableGridEditing editing() { return TableGridEditing(*frame); }
};

TEST_F(TableGridEditingTest, DefaultCellCarriesTheTableDefaults)
{
    const auto cell = TableGridEditing::createNewTableCell();
    EXPECT_EQ(cell->familyName, "Helvetica Neue");
    EXPECT_EQ(cell->fontSize, 15);
    EXPECT_EQ(cell->textView.fontName, "Helvetica Neue");
    EXPECT_EQ(cell->textColorString, "4f4c4c");
    EXPECT_EQ(cell->colorString, "CLEAR0");
    EXPECT_EQ(cell->formOptionTag, -99);
    EXPECT_EQ(cell->textView.borderLine, "solid");
    EXPECT_EQ(cell->borderWidth, 1);
    EXPECT_EQ(cell->textAlignment, "left");
    EXPECT_FLOAT_EQ(cell->lineSpacing, 1.2f);
    EXPECT_EQ(cell->rightPaddingType, "pixel");
    EXPECT_EQ(cell->width, 0);
}

TEST_F(TableGridEditingTest, InsertedRowTakesTheLastRowsStyleAndPicturesFollowTheirCells)
{
    auto table = makeTable(3, 3);
    for (int c = 0; c < 3; ++c)
        table->grabSelectedTableCellHelper(2, c)->colorString = QStringLiteral("FF0000");
    addPicture(*table, 1, 1, QStringLiteral("image1"));
    addPicture(*table, 0, 2, QStringLiteral("image2"));
    place({table});
    clickInto(*table, 1, 0);
    const auto before = snapshot();

    ASSERT_TRUE(editing().insertTableRow());
    EXPECT_EQ(table->numOfRows(), 4);
    EXPECT_EQ(table->cellHelperArray().size(), 12);
    EXPECT_EQ(textAt(*table, 1, 0), "");
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 2)->colorString, "FF0000");
    EXPECT_EQ(textAt(*table, 2, 0), "1,0");
    EXPECT_EQ(textAt(*table, 3, 2), "2,2");
    EXPECT_EQ(pictureAt(*table, 2, 1), "image1");
    EXPECT_EQ(pictureAt(*table, 0, 2), "image2");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Insert Row");

    const auto after = snapshot();
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snapshot(), before);
    ASSERT_TRUE(doc->undoManager().redo());
    EXPECT_EQ(snapshot(), after);
}

TEST_F(TableGridEditingTest, DeletedColumnTakesItsPicturesAndTheLastLineIsKept)
{
    auto table = makeTable(2, 3);
    addPicture(*table, 0, 1, QStringLiteral("image1"));
    addPicture(*table, 1, 2, QStringLiteral("image2"));
    place({table});
    clickInto(*table, 0, 1);
    ASSERT_TRUE(editing().deleteTableColumn());
    EXPECT_EQ(table->numOfColumns(), 2);
    EXPECT_EQ(textAt(*table, 1, 1), "1,2");
    ASSERT_EQ(table->imageArray().size(), 1);
    EXPECT_EQ(pictureAt(*table, 1, 1), "image2");

    // Down to one row: the last one is refused with a message, nothing changes.
    clickInto(*table, 0, 0);
    ASSERT_TRUE(editing().deleteTableRow());
    const auto before = snapshot();
    const int steps = doc->undoManager().undoCount();
    EXPECT_FALSE(editing().deleteTableRow());
    EXPECT_EQ(alerts.last().messageText, "The last row cannot be deleted");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->undoManager().undoCount(), steps);
}

TEST_F(TableGridEditingTest, MovesSwapLinesAndStopAtTheEdges)
{
    struct Case {
        const char *name;
        bool (TableGridEditing::*move)();
        int row, column;
        bool moves;
        int checkRow, checkColumn; // where the clicked cell's text ends up
    };
    const Case cases[] = {
        {"up from row 0", &TableGridEditing::moveTableRowUp, 0, 0, false, 0, 0},
        {"down from the last row", &TableGridEditing::moveTableRowDown, 2, 1, false, 2, 1},
        {"right from the last column", &TableGridEditing::moveTableRowRight, 1, 2, false, 1, 2},
        {"left from column 0", &TableGridEditing::moveTableRowLeft, 1, 0, false, 1, 0},
        {"up", &TableGridEditing::moveTableRowUp, 2, 1, true, 1, 1},
        {"down", &TableGridEditing::moveTableRowDown, 0, 2, true, 1, 2},
        {"left", &TableGridEditing::moveTableRowLeft, 1, 2, true, 1, 1},
        {"right", &TableGridEditing::moveTableRowRight, 0, 0, true, 0, 1},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        doc->clearAllGraphics();
        auto table = makeTable(3, 3);
        place({table});
        clickInto(*table, test.row, test.column);
        const QString text = textAt(*table, test.row, test.column);
        const auto before = snapshot();
        EXPECT_EQ((editing().*test.move)(), test.moves);
        EXPECT_EQ(textAt(*table, test.checkRow, test.checkColumn), text);
        if (!test.moves)
            EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(TableGridEditingTest, ColumnMoveTakesPicturesOnlyWhenTheEditionPlacesThemInTables)
{
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        gTableImagesEnabled = enabled;
        doc->clearAllGraphics();
        auto table = makeTable(2, 3);
        addPicture(*table, 0, 1, QStringLiteral("image1"));
        addPicture(*table, 0, 2, QStringLiteral("image2"));
        place({table});
        clickInto(*table, 1, 2);
        ASSERT_TRUE(editing().moveTableRowLeft());
        EXPECT_EQ(textAt(*table, 1, 1), "1,2");
        EXPECT_EQ(pictureAt(*table, 0, 1), enabled ? "image2" : "image1");
        EXPECT_EQ(pictureAt(*table, 0, 2), enabled ? "image1" : "image2");
    }
}

TEST_F(TableGridEditingTest, TransformTwiceGivesTheGridBack)
{
    gTableImagesEnabled = true;
    auto table = makeTable(2, 5);
    addPicture(*table, 1, 4, QStringLiteral("image1"));
    place({table});
    clickInto(*table, 0, 0);
    const auto before = snapshot();
    ASSERT_TRUE(editing().transformTable());
    EXPECT_EQ(table->numOfRows(), 5);
    EXPECT_EQ(table->numOfColumns(), 2);
    EXPECT_EQ(textAt(*table, 4, 1), "1,4");
    EXPECT_EQ(pictureAt(*table, 4, 1), "image1");
    ASSERT_TRUE(editing().transformTable());
    EXPECT_EQ(textAt(*table, 1, 4), "1,4");
    EXPECT_EQ(table->numOfRows(), 2);
    doc->undoManager().undo();
    doc->undoManager().undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(TableGridEditingTest, JoinKeepsTheBackTablesPlaceAndCarriesTheFrontTablesPictures)
{
    auto front = makeTable(4, 3, {0, 300});
    auto back = makeTable(2, 3, {50, 20});
    addPicture(*front, 3, 2, QStringLiteral("image7"));
    addPicture(*back, 0, 0, QStringLiteral("image1"));
    place({front, back});
    context->selection = {front.get(), back.get()};
    const QRectF backBounds = back->bounds();
    const double frontHeight = front->bounds().height();
    const auto before = snapshot();

    ASSERT_TRUE(editing().joinTablesVertically());
    ASSERT_EQ(doc->graphics().size(), 1);
    EXPECT_EQ(doc->graphics().first().get(), back.get());
    EXPECT_EQ(back->numOfRows(), 6);
    EXPECT_EQ(back->cellHelperArray().size(), 18);
    EXPECT_EQ(textAt(*back, 5, 2), "3,2");
    EXPECT_EQ(pictureAt(*back, 5, 2), "image7");
    EXPECT_EQ(pictureAt(*back, 0, 0), "image1");
    EXPECT_EQ(back->bounds().topLeft(), backBounds.topLeft());
    EXPECT_EQ(back->bounds().height(), backBounds.height() + frontHeight);
    EXPECT_EQ(doc->undoManager().undoActionName(), "Join Tables");

    ASSERT_TRUE(doc->undoManager().undo());
    ASSERT_EQ(doc->graphics().size(), 2);
    EXPECT_EQ(snapshot(), before);

    // Different column counts: refused with the message, nothing changes.
    auto narrow = makeTable(2, 4, {0, 600});
    place({narrow});
    context->selection = {narrow.get(), back.get()};
    const auto unchanged = snapshot();
    EXPECT_FALSE(editing().joinTablesVertically());
    EXPECT_EQ(alerts.last().messageText, "Table columns not the same");
    EXPECT_EQ(alerts.last().informativeText, "Only tables with the same number of columns can be joined vertically");
    EXPECT_EQ(snapshot(), unchanged);
}

TEST_F(TableGridEditingTest, RefreshTableGrowsRowsFirstAndKeepsAtLeastOneCell)
{
    auto table = makeTable(1, 2);
    table->grabSelectedTableCellHelper(0, 1)->familyName = QStringLiteral("Courier");
    addPicture(*table, 0, 1, QStringLiteral("image1"));
    table->setNumOfRows(3);
    table->setNumOfColumns(3);
    TableGridEditing::refreshTable(*table);
    EXPECT_EQ(table->cellHelperArray().size(), 9);
    EXPECT_EQ(table->grabSelectedTableCellHelper(2, 1)->familyName, "Courier");
    // The new column copies the cell left of it, which copied the one above.
    EXPECT_EQ(table->grabSelectedTableCellHelper(2, 2)->familyName, "Courier");
    EXPECT_EQ(table->bounds().width(), table->tableTotalCellWidth());

    // Shrinking drops cells and the pictures they held; a count of 0 keeps one line.
    table->setNumOfRows(0);
    table->setNumOfColumns(1);
    TableGridEditing::refreshTable(*table);
    EXPECT_EQ(table->numOfRows(), 1);
    EXPECT_EQ(table->cellHelperArray().size(), 1);
    EXPECT_TRUE(table->imageArray().isEmpty());

    // A responsive section is as wide as the edition's sections.
    gResponsiveEdition = true;
    gSectionWidth = 1170;
    auto section = makeSection(1, {0, 0}, {200, 200}, 100);
    section->setNumOfColumns(3);
    TableGridEditing::refreshTable(*section);
    EXPECT_EQ(section->bounds().width(), 1170);
}

TEST_F(TableGridEditingTest, TableOfContentsListsTitledPagesByTheirPlace)
{
    auto table = makeTable(1, 2);
    place({table});
    clickInto(*table, 0, 0);
    struct Pages : FakeInsertionContext {
        using FakeInsertionContext::FakeInsertionContext;
        QList<InsertionPageEntry> pageList() const override
        {
            return {{QStringLiteral("Home"), QStringLiteral("index.html")},
                    {QString(), QStringLiteral("blank.html")},
                    {QStringLiteral("Contact"), QStringLiteral("contact.html")}};
        }
    } pages(*doc);
    pages.selectionCache.selectedTable = table.get();
    InsertionFrame pagesFrame(pages);
    ASSERT_TRUE(TableGridEditing(pagesFrame).refreshTableOfContents());
    EXPECT_EQ(table->numOfRows(), 2);
    EXPECT_EQ(textAt(*table, 0, 0), "Home");
    EXPECT_EQ(textAt(*table, 0, 1), "0");
    EXPECT_EQ(textAt(*table, 1, 0), "Contact");
    EXPECT_EQ(textAt(*table, 1, 1), "2");
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1)->link, "contact.html");
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1)->fixedWidthFlag, 1);
}

TEST_F(TableGridEditingTest, GalleryLosesThePicturesOutsideItsGrid)
{
    SKTGalleryGrid gallery;
    gallery.setNumOfRows(3);
    gallery.setNumOfColumns(2);
    QList<GridGraphic::Image> images;
    for (int r = 0; r < 3; ++r) {
        auto image = std::make_shared<TransformView>();
        image->rowSpot = r;
        images.append(image);
    }
    gallery.setImageArray(images);
    gallery.setNumOfRows(2);
    TableGridEditing::refreshGalleryImage(gallery);
    EXPECT_EQ(gallery.imageArray().size(), 2);
}

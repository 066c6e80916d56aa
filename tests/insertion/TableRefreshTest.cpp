// The grid windows' Save through the insertion grid model: the table grows
// or shrinks with its pictures, and one undo gives back cells, pictures,
// counts and bounds together.
#include "InsertionFixture.h"

#include "sidebar/GridEditing.h"
#include "insertion/TableGridEditing.h"
#include "insertion/TableRefresh.h"
#include "model/SKTGalleryGrid.h"

TEST_F(InsertionTest, TableWindowSaveGrowsAndShrinksTheGridAndUndoesWhole)
{
    auto table = std::make_shared<SKTTable>();
    auto cell = TableGridEditing::createNewTableCell();
    cell->width = 120;
    cell->height = 40;
    cell->textStorage = cell->textView.string = QStringLiteral("keep");
    table->setCellHelperArray({cell});
    table->setNumOfRows(1);
    table->setNumOfColumns(1);
    table->setPadding(5);
    table->SKTGraphic::setBounds({10, 10, 130, 50});
    place({table});
    doc->undoManager().removeAllActions();
    const auto before = snapshot();

    TableRefresh refresh(*doc);
    GridEditing editing(*doc, refresh);
    GridEditing::TableValues values;
    values.columns = QStringLiteral("3");
    values.rows = QStringLiteral("2");
    values.spacing = QStringLiteral("5");
    values.width = QStringLiteral("120");
    values.height = QStringLiteral("40");
    EXPECT_EQ(editing.saveTableSettings(*table, values), QString());
    EXPECT_EQ(table->cellHelperArray().size(), 6);
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 2)->width, 120);
    EXPECT_EQ(table->bounds().width(), table->tableTotalCellWidth());
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    const auto grown = snapshot();

    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snapshot(), before);
    ASSERT_TRUE(doc->undoManager().redo());
    EXPECT_EQ(snapshot(), grown);

    // Counts beyond what a table holds are refused and change nothing.
    values.columns = QStringLiteral("101");
    EXPECT_FALSE(editing.saveTableSettings(*table, values).isEmpty());
    values.columns = QStringLiteral("0");
    EXPECT_FALSE(editing.saveTableSettings(*table, values).isEmpty());
    EXPECT_EQ(snapshot(), grown);
}

TEST_F(InsertionTest, GalleryWindowSaveDropsPicturesOutsideTheGridAndUndoBringsThemBack)
{
    auto gallery = std::make_shared<SKTGalleryGrid>();
    gallery->setNumOfRows(3);
    gallery->setNumOfColumns(1);
    gallery->SKTGraphic::setBounds({0, 0, 300, 300});
    QList<GridGraphic::Image> images;
    for (int r = 0; r < 3; ++r) {
        auto image = std::make_shared<TransformView>();
        image->rowSpot = r;
        image->imageName = QStringLiteral("image%1").arg(r + 1);
        images.append(image);
    }
    gallery->setImageArray(images);
    place({gallery});
    doc->undoManager().removeAllActions();
    const auto before = snapshot();

    TableRefresh refresh(*doc);
    GridEditing editing(*doc, refresh);
    EXPECT_EQ(editing.setGalleryCount(*gallery, false, QStringLiteral("2")), QString());
    EXPECT_EQ(editing.saveGallerySettings(*gallery, QStringLiteral("5")), QString());
    EXPECT_EQ(gallery->imageArray().size(), 2);
    ASSERT_TRUE(doc->undoManager().undo());
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snapshot(), before);
}

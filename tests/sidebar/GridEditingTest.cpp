// The grid editors' effects on real tables and galleries of a page document:
// the same-size figures, refused counts and sizes, whole-column edits, and a
// gallery shrink that undo reverses.
#include "document/SKTDocument.h"
#include "sidebar/GridEditing.h"
#include "insertion/GridInsertion.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTTable.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
std::shared_ptr<SKTTable> makeTable(int rows, int columns)
{
    auto table = std::make_shared<SKTTable>();
    QList<SKTTable::Cell> cells;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            auto cell = std::make_shared<myTextView>();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = 50;
            cell->height = 30;
            cells.append(cell);
        }
    table->setCellHelperArray(cells);
    table->setNumOfRows(rows);
    table->setNumOfColumns(columns);
    table->SKTGraphic::setBounds(QRectF(10, 10, 600, 200));
    return table;
}

// Names the keys that differ, so that a failure says what undo missed.
QStringList differingKeys(const GraphicProperties &a, const GraphicProperties &b)
{
    QStringList keys;
    for (const QString &key : a.map().keys() + b.map().keys())
        if (a.map().value(key) != b.map().value(key) && !keys.contains(key))
            keys << key;
    return keys;
}

class RecordingInsertion : public GridInsertionStandIn {
public:
    int tablesRefreshed = 0;
    void refreshTable(SKTTable &) override { ++tablesRefreshed; }
};
} // namespace

TEST(GridEditingFiguresTest, SameSizeAndChecks)
{
    struct Size {
        double total;
        int count, border, padding;
        std::optional<int> size;
    };
    const Size sizes[] = {
        {600, 3, 1, 5, 192},      // trunc((600 - 4 x 6) / 3)
        {200, 4, 0, 10, 37},      // trunc((200 - 5 x 10) / 4)
        {20, 4, 2, 10, 1},        // would go below 1
        {600, 0, 1, 5, std::nullopt},
    };
    for (const Size &s : sizes)
        EXPECT_EQ(GridEditing::sameCellSize(s.total, s.count, s.border, s.padding), s.size) << s.total << " " << s.count;

    struct Text {
        QString text;
        std::optional<int> count, size, spacing;
    };
    const Text texts[] = {
        {"1", 1, 1, 1},         {"100", 100, 100, std::nullopt}, {"0", std::nullopt, std::nullopt, 0},
        {"101", std::nullopt, 101, std::nullopt}, {"1000", std::nullopt, 1000, std::nullopt}, {"-3", std::nullopt, std::nullopt, std::nullopt},
        {"2.5", std::nullopt, std::nullopt, std::nullopt}, {"abc", std::nullopt, std::nullopt, std::nullopt},
        {"20000", std::nullopt, 20000, std::nullopt}, {"20001", std::nullopt, std::nullopt, std::nullopt},
        {"40", 40, 40, 40},     {"41", 41, 41, std::nullopt},
    };
    for (const Text &t : texts) {
        EXPECT_EQ(GridEditing::checkCount(t.text).value, t.count) << t.text.toStdString();
        EXPECT_EQ(GridEditing::checkCellSize(t.text).value, t.size) << t.text.toStdString();
        EXPECT_EQ(GridEditing::checkSpacing(t.text, GridEditing::tableSpacingMaximum).value, t.spacing)
            << t.text.toStdString();
    }
    EXPECT_FALSE(GridEditing::checkCount("0").message.isEmpty());
}

class GridEditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table = makeTable(3, 5);
        gallery = std::make_shared<SKTGalleryGrid>();
        gallery->setNumOfColumns(3);
        gallery->setNumOfRows(2);
        gallery->SKTGraphic::setBounds(QRectF(10, 300, 300, 200));
        QList<GridGraphic::Image> images;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                auto image = std::make_shared<TransformView>();
                image->rowSpot = r;
                image->columnSpot = c;
                images.append(image);
            }
        gallery->setImageArray(images);
        table->refreshLayout();
        doc.insertGraphics({table, gallery}, {0, 1});
        undo().closeAutomaticGroup();
    }
    UndoManager &undo() { return doc.undoManager(); }

    SKTDocument doc;
    RecordingInsertion insertion;
    GridEditing editing{doc, insertion};
    std::shared_ptr<SKTTable> table;
    std::shared_ptr<SKTGalleryGrid> gallery;
};

TEST_F(GridEditingTest, FixedWidthMarksOneColumnAndUndoRestoresIt)
{
    const GraphicProperties before = table->properties();
    editing.updateFixedWidth(*table, 2, true);
    int marked = 0;
    for (const SKTTable::Cell &cell : table->cellHelperArray()) {
        EXPECT_EQ(cell->fixedWidthFlag, cell->columnSpot == 2 ? 1 : 0);
        marked += cell->fixedWidthFlag;
    }
    EXPECT_EQ(marked, 3);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(differingKeys(table->properties(), before), QStringList());
}

TEST_F(GridEditingTest, RefusedInputChangesNothing)
{
    const GraphicProperties before = table->properties();
    const int steps = undo().undoCount();
    EXPECT_FALSE(editing.updateColumnWidth(*table, 0, "0").isEmpty());
    EXPECT_FALSE(editing.updateRowHeight(*table, 0, "30000").isEmpty());
    GridEditing::TableValues v{"0", "3", "5", false, false, 0, 0, "50", "30"};
    EXPECT_FALSE(editing.saveTableSettings(*table, v).isEmpty());
    v.columns = "5";
    v.spacing = "99";
    EXPECT_FALSE(editing.saveTableSettings(*table, v).isEmpty());
    EXPECT_FALSE(editing.setGalleryCount(*gallery, true, "0").isEmpty());
    EXPECT_FALSE(editing.saveGallerySettings(*gallery, "21").isEmpty());
    EXPECT_EQ(differingKeys(table->properties(), before), QStringList());
    EXPECT_EQ(gallery->numOfColumns(), 3);
    EXPECT_EQ(undo().undoCount(), steps);
    EXPECT_EQ(insertion.tablesRefreshed, 0);
}

TEST_F(GridEditingTest, SaveTableIsOneStep)
{
    table->setBorderWidth(1);
    table->setPadding(5);
    table->refreshLayout();
    undo().closeAutomaticGroup();
    const GraphicProperties before = table->properties();
    const int steps = undo().undoCount();
    const int sameWidth = int((table->bounds().width() - 6 * 6) / 5);
    // Empty spacing keeps the padding.
    GridEditing::TableValues v{"3", "4", "", true, false, 0, 1, "", "44"};
    EXPECT_EQ(editing.saveTableSettings(*table, v), QString());
    EXPECT_EQ(table->padding(), 5);
    EXPECT_EQ(table->numOfColumns(), 3);
    EXPECT_EQ(table->numOfRows(), 4);
    EXPECT_EQ(insertion.tablesRefreshed, 1);
    for (const SKTTable::Cell &cell : table->cellHelperArray())
        EXPECT_EQ(cell->width, sameWidth);  // the counts before the rebuild
    EXPECT_EQ(undo().undoCount(), steps + 1);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(differingKeys(table->properties(), before), QStringList());
}

TEST_F(GridEditingTest, GalleryShrinkDropsPicturesOutsideAndUndoBringsThemBack)
{
    EXPECT_EQ(editing.setGalleryCount(*gallery, true, "2"), QString());
    EXPECT_EQ(editing.saveGallerySettings(*gallery, "7"), QString());
    EXPECT_EQ(gallery->padding(), 7);
    ASSERT_EQ(gallery->imageArray().size(), 4);
    for (const GridGraphic::Image &image : gallery->imageArray())
        EXPECT_LT(image->columnSpot, 2);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(gallery->imageArray().size(), 6);
    EXPECT_EQ(gallery->padding(), 0);
    ASSERT_TRUE(undo().redo());
    EXPECT_EQ(gallery->imageArray().size(), 4);
    ASSERT_TRUE(undo().undo());
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(gallery->numOfColumns(), 3);
}

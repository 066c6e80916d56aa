// The grid editor windows driven by real key and mouse events: refused text
// is reported and the field restored, accepted text reaches the item.
#include "document/SKTDocument.h"
#include "sidebar/GridEditing.h"
#include "insertion/GridInsertion.h"
#include "sidebar/ui/GalleryGridEditorWindowController.h"
#include "sidebar/ui/TableGridWindowController.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTTable.h"
#include "platform/UndoManager.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void retype(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}
} // namespace

class GridEditorWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table = std::make_shared<SKTTable>();
        QList<SKTTable::Cell> cells;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                auto cell = std::make_shared<myTextView>();
                cell->rowSpot = r;
                cell->columnSpot = c;
                cell->width = 50;
                cell->height = 30;
                cells.append(cell);
            }
        table->setCellHelperArray(cells);
        table->setNumOfRows(2);
        table->setNumOfColumns(3);
        table->SKTGraphic::setBounds(QRectF(10, 10, 150, 60));
        gallery = std::make_shared<SKTGalleryGrid>();
        gallery->setNumOfColumns(3);
        gallery->setNumOfRows(2);
        gallery->SKTGraphic::setBounds(QRectF(10, 300, 300, 200));
        table->refreshLayout();
        doc.insertGraphics({table, gallery}, {0, 1});
        doc.undoManager().closeAutomaticGroup();
    }
    SKTDocument doc;
    GridInsertionStandIn insertion;
    GridEditing editing{doc, insertion};
    std::shared_ptr<SKTTable> table;
    std::shared_ptr<SKTGalleryGrid> gallery;
};

TEST_F(GridEditorWindowsTest, GalleryCountsApplyAtOnceAndBadCountsAreRefused)
{
    GalleryGridEditorWindowController window;
    window.configureGalleryGrid(*gallery, editing);
    retype(window.numOfColumnsTextField(), "0");
    EXPECT_EQ(gallery->numOfColumns(), 3);
    EXPECT_EQ(window.numOfColumnsTextField()->text(), QStringLiteral("3"));
    EXPECT_FALSE(window.messageLabel()->text().isEmpty());
    retype(window.numOfColumnsTextField(), "4");
    EXPECT_EQ(gallery->numOfColumns(), 4);
    EXPECT_TRUE(window.messageLabel()->text().isEmpty());
    QTest::mouseClick(window.shadowSegmentedControl()->button(1), Qt::LeftButton);
    EXPECT_EQ(gallery->shadowFlag(), 1);
    QTest::mouseClick(window.backdropSegmentedControl()->button(2), Qt::LeftButton);
    EXPECT_EQ(gallery->backdropLightingFlag(), 2);
    retype(window.spacingTextField(), "500");
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.spacingTextField()->text(), QStringLiteral("0"));
    retype(window.spacingTextField(), "12");
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(gallery->padding(), 12);
}

TEST_F(GridEditorWindowsTest, TableCellSizesApplyAtOnceAndCountsWaitForSave)
{
    TableGridWindowController window(true);
    window.configureTableGrid(*table, editing);
    EXPECT_EQ(window.columnWidthPopUpButton()->count(), 3);
    window.columnWidthPopUpButton()->setCurrentIndex(1);
    retype(window.widthTextField(), "abc");
    QTest::keyClick(window.widthTextField(), Qt::Key_Return);
    EXPECT_FALSE(window.messageLabel()->text().isEmpty());
    EXPECT_EQ(window.widthTextField()->text(), QStringLiteral("50"));
    // A fixed column keeps the typed width when the table lays itself out.
    QTest::mouseClick(window.fixedWidthCheckmark(), Qt::LeftButton);
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1)->fixedWidthFlag, 1);
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 0)->fixedWidthFlag, 0);
    retype(window.widthTextField(), "70");
    QTest::keyClick(window.widthTextField(), Qt::Key_Return);
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 1)->width, 70);
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1)->width, 70);

    retype(window.numOfColumnsTextField(), "0");
    EXPECT_EQ(table->numOfColumns(), 3);
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    EXPECT_EQ(table->numOfColumns(), 3);
    EXPECT_EQ(window.numOfColumnsTextField()->text(), QStringLiteral("3"));
    EXPECT_FALSE(window.messageLabel()->text().isEmpty());

    QTest::mouseClick(window.sameWidthForAllColumnsCheckmark(), Qt::LeftButton);
    EXPECT_FALSE(window.widthTextField()->isEnabled());
    retype(window.numOfColumnsTextField(), "4");
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    EXPECT_EQ(table->numOfColumns(), 4);
    EXPECT_EQ(table->sameWidthForAllColumnsFlag(), 1);
    EXPECT_FALSE(window.isVisible());
}

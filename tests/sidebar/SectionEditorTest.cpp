// The section column editor: half-scale panes, spans per column, Save as one
// undo step, added columns with usable spans, untouched panes keeping their
// column's exact width, and twelve columns without movable dividers.
#include "document/SKTDocument.h"
#include "insertion/GridInsertion.h"
#include "sidebar/SectionColumnEditing.h"
#include "sidebar/ui/SectionEditorWindowController.h"
#include "sidebar/ui/SectionView.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"
#include "platform/UndoManager.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>
#include <gtest/gtest.h>

namespace {
std::shared_ptr<SKTTable> section(const QList<int> &widths)
{
    auto table = std::make_shared<SKTTable>();
    QList<std::shared_ptr<myTextView>> cells;
    for (int c = 0; c < widths.size(); ++c) {
        auto cell = std::make_shared<myTextView>();
        cell->rowSpot = 0;
        cell->columnSpot = c;
        cell->width = widths[c];
        cell->height = 200;
        cell->xsGridColumns = 12;
        cell->smallGridColumns = cell->mediumGridColumns = cell->largeGridColumns = 12 / int(widths.size());
        cells.append(cell);
    }
    table->setCellHelperArray(cells);
    table->setNumOfRows(1);
    table->setNumOfColumns(int32_t(widths.size()));
    table->setGridType(QStringLiteral("section"));
    return table;
}

QList<SectionColumn> columns(const SKTTable &t)
{
    return SectionColumnEditing::columnsOf(t);
}
} // namespace

class SectionEditorTest : public ::testing::Test {
protected:
    SKTDocument doc;
    GridInsertionStandIn insertion;
    SectionEditorWindowController editor;

    std::shared_ptr<SKTTable> place(const QList<int> &widths)
    {
        auto t = section(widths);
        doc.insertGraphic(t, 0);
        doc.undoManager().closeAutomaticGroup();
        return t;
    }
};

TEST(SectionColumnEditingTest, WidthsSpansAndSteps)
{
    struct Case {
        int pane, shown, original, expected;
    } widths[] = {{200, 200, 401, 401}, {201, 200, 401, 402}, {50, 50, 0, 100}, {0, 10, 20, 1}};
    for (const Case &c : widths)
        EXPECT_EQ(SectionColumnEditing::columnWidth(c.pane, c.shown, c.original), c.expected) << c.pane;
    EXPECT_EQ(SectionColumnEditing::paneWidth(401), 200);
    // A column without spans: all twelve on extra-small, an equal share (at least 1) elsewhere.
    EXPECT_EQ(SectionColumnEditing::withSpans({}, 3), (SectionColumn{0, 12, 4, 4, 4}));
    EXPECT_EQ(SectionColumnEditing::withSpans({}, 12), (SectionColumn{0, 12, 1, 1, 1}));
    EXPECT_EQ(SectionColumnEditing::withSpans({0, 6, 0, 3, 99}, 5), (SectionColumn{0, 6, 2, 3, 2}));
    for (auto [in, out] : {std::pair{0.0, 50}, {24.9, 50}, {25.0, 100}, {149.0, 200}})
        EXPECT_EQ(SectionColumnEditing::snappedPaneWidth(in), out) << in;
}

TEST_F(SectionEditorTest, OpensAtHalfScaleAndSavesUntouchedWidthsExactly)
{
    auto t = place({400, 400, 401});
    editor.configure(doc, insertion, *t);
    ASSERT_EQ(editor.splitViewMutableArray().size(), 12);
    EXPECT_EQ(editor.numOfColumnsPopupButton()->currentIndex(), 2);
    ASSERT_EQ(editor.columnSplitView()->count(), 3);
    EXPECT_EQ(editor.columnSplitView()->sizes(), (QList<int>{200, 200, 200}));
    EXPECT_EQ(editor.columnGridLabel()->text(), QStringLiteral("Grid options for column 1"));
    EXPECT_EQ(editor.splitViewMutableArray()[4]->button()->text(), QStringLiteral("5"));

    // Column 2's button shows its spans; a pick stores into column 2 only.
    QTest::mouseClick(editor.splitViewMutableArray()[1]->button(), Qt::LeftButton);
    EXPECT_EQ(editor.columnGridLabel()->text(), QStringLiteral("Grid options for column 2"));
    EXPECT_EQ(editor.mediumPopUpButton()->currentIndex(), 3);
    editor.mediumPopUpButton()->setCurrentIndex(5);
    emit editor.mediumPopUpButton()->activated(5);
    EXPECT_EQ(editor.splitViewMutableArray()[1]->column().medium, 6);
    EXPECT_EQ(editor.splitViewMutableArray()[0]->column().medium, 4);
    EXPECT_EQ(columns(*t)[1].medium, 4) << "nothing reaches the section before Save";

    const qsizetype steps = doc.undoManager().undoCount();
    QTest::mouseClick(editor.saveButton(), Qt::LeftButton);
    EXPECT_FALSE(editor.isVisible());
    const QList<SectionColumn> saved = columns(*t);
    ASSERT_EQ(saved.size(), 3);
    EXPECT_EQ(saved[0].width, 400);
    EXPECT_EQ(saved[2].width, 401) << "the odd pixel of an untouched pane stays";
    EXPECT_EQ(saved[1].medium, 6);
    EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
    doc.undoManager().undo();
    EXPECT_EQ(columns(*t)[1].medium, 4);
}

TEST_F(SectionEditorTest, AddedColumnsGetSpansAndFewerColumnsDropTheRest)
{
    auto t = place({600, 600});
    editor.configure(doc, insertion, *t);
    editor.numOfColumnsPopupButton()->setCurrentIndex(3);
    EXPECT_EQ(editor.columnSplitView()->count(), 4);
    ASSERT_TRUE(editor.saveSectionEditorWindowController());
    QList<SectionColumn> saved = columns(*t);
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved[0], (SectionColumn{600, 12, 6, 6, 6}));
    EXPECT_EQ(saved[3], (SectionColumn{100, 12, 3, 3, 3}));
    EXPECT_EQ(t->cellHelperArray().size(), 4);
    // Undo and redo put back the columns exactly, widths included.
    doc.undoManager().undo();
    EXPECT_EQ(columns(*t), (QList<SectionColumn>{{600, 12, 6, 6, 6}, {600, 12, 6, 6, 6}}));
    doc.undoManager().redo();
    EXPECT_EQ(columns(*t), saved);

    editor.configure(doc, insertion, *t);
    editor.numOfColumnsPopupButton()->setCurrentIndex(0);
    ASSERT_TRUE(editor.saveSectionEditorWindowController());
    EXPECT_EQ(t->numOfColumns(), 1);
    EXPECT_EQ(t->cellHelperArray().size(), 1);
}

TEST_F(SectionEditorTest, TwelveColumnsHaveNoMovableDividersAndAGoneSectionSavesNothing)
{
    auto t = place(QList<int>(12, 100));
    editor.configure(doc, insertion, *t);
    ASSERT_EQ(editor.columnSplitView()->count(), 12);
    for (int i = 1; i < 12; ++i)
        EXPECT_FALSE(editor.columnSplitView()->handle(i)->isEnabled());
    doc.removeGraphic(t.get());
    doc.undoManager().closeAutomaticGroup();
    const qsizetype steps = doc.undoManager().undoCount();
    EXPECT_FALSE(editor.saveSectionEditorWindowController());
    EXPECT_EQ(doc.undoManager().undoCount(), steps);
}

// Selecting, moving, resizing and the marquee, by mouse events on the widget.
#include "CanvasFixture.h"

#include "canvas/SKTGrid.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"

TEST_F(CanvasTest, ClicksSelectShiftTogglesAndFormButtonsAreNeverSelected)
{
    auto a = addRect({10, 10, 50, 50});
    auto b = addRect({100, 10, 50, 50});
    auto radio = addRect({200, 10, 20, 20});
    radio->setFormType(QStringLiteral("radio"));

    press({20, 20});
    release({20, 20});
    EXPECT_EQ(selection(), (QList<qsizetype>{0}));
    press({120, 20}, Qt::ShiftModifier);
    release({120, 20});
    EXPECT_EQ(selection(), (QList<qsizetype>{0, 1}));
    // A Shift-click on a selected graphic deselects it and the drag does nothing.
    const QRectF before = a->bounds();
    press({20, 20}, Qt::ShiftModifier);
    move({60, 60});
    release({60, 60});
    EXPECT_EQ(selection(), (QList<qsizetype>{1}));
    EXPECT_EQ(a->bounds(), before);
    // Radio buttons count as empty space: the click clears the selection.
    press({205, 15});
    release({205, 15});
    EXPECT_TRUE(selection().isEmpty());
    // The marquee does not take them either.
    drag({0, 0}, {300, 100});
    EXPECT_EQ(selection(), (QList<qsizetype>{0, 1}));
    EXPECT_TRUE(view->marqueeSelectionBounds().isNull());
}

TEST_F(CanvasTest, MoveStartsAtTwoPointsSnapsToTheGridAndIsOneUndoStep)
{
    widget->setZoomFactor(10); // fractions of a point become whole pixels
    auto a = addRect({10, 10, 50, 50});
    const QRectF start = a->bounds();
    const int steps = undo().undoCount();

    drag({20, 20}, {21.9, 21.9});
    endStep();
    EXPECT_EQ(a->bounds(), start) << "below the threshold nothing moves";
    EXPECT_EQ(undo().undoCount(), steps);

    press({20, 20});
    move({22, 20});
    move({25, 27});
    EXPECT_TRUE(view->isHidingHandles());
    release({25, 27});
    EXPECT_FALSE(view->isHidingHandles());
    endStep();
    EXPECT_EQ(a->bounds(), start.translated(5, 7));
    EXPECT_EQ(undo().undoCount(), steps + 1);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Move"));
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(a->bounds(), start);

    SKTGrid grid;
    grid.setSpacing(10);
    grid.setConstraining(true);
    view->setGrid(&grid);
    drag({20, 20}, {33, 24});
    endStep();
    // The selection's corner lands on the lattice: 10 + 13 -> 20, 10 + 4 -> 10.
    EXPECT_EQ(a->bounds().topLeft(), QPointF(20, 10));
    view->setGrid(nullptr);
}

TEST_F(CanvasTest, GroupMembersMoveOnceEvenWhenSeveralAreSelected)
{
    auto text = [&](const QRectF &bounds, int32_t group) {
        auto t = std::make_shared<SKTText>();
        t->setTextType(QStringLiteral("Text"));
        t->setBounds(bounds);
        t->setSelectable(true);
        t->setGroupNumber(group);
        doc->insertGraphicAtIndex(t, doc->graphics().size());
        endStep();
        return t;
    };
    auto a = text({10, 10, 20, 20}, 4);
    auto b = text({50, 10, 20, 20}, 4);
    auto c = text({90, 10, 20, 20}, 4);
    auto shape = addRect({130, 10, 20, 20}, 4); // plain shapes never join a group's moves
    auto loner = text({10, 200, 20, 20}, -99);
    EXPECT_EQ(view->findMatchingGroupObjects(*a), (QList<SKTGraphic *>{b.get(), c.get()}));
    view->setSelectedGraphics({a.get(), b.get()});
    drag({15, 15}, {25, 45});
    endStep();
    EXPECT_EQ(a->bounds().topLeft(), QPointF(20, 40));
    EXPECT_EQ(b->bounds().topLeft(), QPointF(60, 40));
    EXPECT_EQ(c->bounds().topLeft(), QPointF(100, 40));
    EXPECT_EQ(shape->bounds().topLeft(), QPointF(130, 10));
    EXPECT_EQ(loner->bounds().topLeft(), QPointF(10, 200));
    // One undo step puts all three back.
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(c->bounds().topLeft(), QPointF(90, 10));
}

TEST_F(CanvasTest, HandlesResizeButAFrontGraphicWinsThePoint)
{
    auto front = addRect({140, 140, 40, 40});
    auto back = addRect({10, 10, 140, 140});
    view->setSelectedGraphics({back.get()});
    // The bottom-right handle of the back graphic lies inside the front one.
    press({150, 150});
    release({150, 150});
    EXPECT_EQ(view->selectedGraphics(), (QList<SKTGraphic *>{front.get()}));

    // Its top-left handle is free: dragging it resizes, one step "Resize".
    view->setSelectedGraphics({back.get()});
    drag({10, 10}, {30, 40});
    endStep();
    EXPECT_EQ(back->bounds(), QRectF(30, 40, 120, 110));
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Resize"));
}

TEST_F(CanvasTest, ShiftMarqueeSwapsSelectionStates)
{
    auto a = addRect({10, 10, 20, 20});
    auto b = addRect({50, 10, 20, 20});
    view->setSelectedGraphics({a.get()});
    press({0, 0}, Qt::ShiftModifier);
    move({40, 40});
    EXPECT_EQ(view->marqueeSelectionBounds(), QRectF(0, 0, 40, 40));
    move({80, 40});
    release({80, 40});
    EXPECT_EQ(view->selectedGraphics(), (QList<SKTGraphic *>{b.get()}));
    EXPECT_TRUE(view->marqueeSelectionBounds().isNull());
}

TEST_F(CanvasTest, AGestureCutShortStillClosesItsUndoGroup)
{
    auto a = addRect({10, 10, 50, 50});
    const QRectF start = a->bounds();
    struct Cut {
        const char *how;
        std::function<void()> interrupt;
    };
    const QList<Cut> cuts = {
        {"Escape", [&] { key(Qt::Key_Escape); }},
        {"focus lost", [&] {
             QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
             QApplication::sendEvent(widget.get(), &out);
         }},
        {"release lost", [&] { press({300, 300}); release({300, 300}); }},
    };
    for (const Cut &cut : cuts) {
        SCOPED_TRACE(cut.how);
        view->setSelectedGraphics({a.get()});
        press({20, 20});
        move({40, 40});
        cut.interrupt();
        EXPECT_FALSE(view->isTracking());
        EXPECT_EQ(undo().groupingLevel() <= 1, true);
        endStep();
        EXPECT_EQ(undo().groupingLevel(), 0);
        EXPECT_EQ(a->bounds(), start.translated(20, 20));
        ASSERT_TRUE(undo().undo());
        EXPECT_EQ(a->bounds(), start);
    }
}

TEST_F(CanvasTest, DoubleClickEditsTextInPlaceAndRemovalEndsIt)
{
    auto text = std::make_shared<SKTText>();
    text->setTextType(QStringLiteral("Text"));
    text->setBounds({20, 20, 200, 60});
    text->setTextString(QStringLiteral("Hello"));
    text->setSelectable(true);
    doc->insertGraphicAtIndex(text, 0);
    endStep();
    doubleClick({40, 40});
    EXPECT_EQ(view->editingGraphic(), text.get());
    ASSERT_NE(widget->editor(), nullptr);
    doc->removeGraphicAtIndex(0);
    EXPECT_EQ(view->editingGraphic(), nullptr);
    EXPECT_EQ(widget->editor(), nullptr);

    // A graphic with no editor: nothing changes.
    auto r = addRect({300, 300, 20, 20});
    doubleClick({305, 305});
    EXPECT_EQ(view->editingGraphic(), nullptr);
}

TEST_F(CanvasTest, ClicksMarkTableCellsWhenCellSelectionIsOn)
{
    gTableCellSelection = true;
    auto table = std::make_shared<SKTTable>();
    QList<SKTTable::Cell> cells;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            auto cell = std::make_shared<myTextView>();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = 50;
            cell->height = 30;
            cells.append(cell);
        }
    table->setCellHelperArray(cells);
    table->setNumOfRows(2);
    table->setNumOfColumns(2);
    table->setSelectable(true);
    table->setBounds({100, 100, 104, 64});
    doc->insertGraphicAtIndex(table, 0);
    endStep();
    view->setSelectedGraphics({table.get()});
    auto marked = [&] {
        int n = 0;
        for (const auto &cell : table->cellHelperArray())
            n += cell->selected ? 1 : 0;
        return n;
    };
    press({110, 110});
    release({110, 110});
    EXPECT_EQ(marked(), 1);
    press({110, 110});
    release({110, 110});
    EXPECT_EQ(marked(), 0) << "a second click unmarks it";
    press({110, 110});
    release({110, 110});
    view->deselectAll();
    press({500, 500}); // with no table selected every mark goes
    release({500, 500});
    EXPECT_EQ(marked(), 0);
}

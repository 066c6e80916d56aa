// Arrangement, grouping and locking commands of the canvas: what each one
// changes, and that its undo step restores the page exactly and redoes it.
#include "CanvasFixture.h"

#include "canvas/SKTGrid.h"
#include "model/SKTLine.h"

#include <functional>

namespace {
class ArrangeTest : public CanvasTest {
protected:
    template <typename T>
    std::shared_ptr<T> addKind(const QRectF &bounds, int32_t group = -99, bool selectable = true)
    {
        auto g = std::make_shared<T>();
        g->setBounds(bounds);
        g->setSelectable(selectable);
        g->setGroupNumber(group);
        doc->insertGraphicAtIndex(g, doc->graphics().size());
        endStep();
        return g;
    }
    QList<QRectF> boundsOf(const QList<SKTGraphic *> &list) const
    {
        QList<QRectF> out;
        for (SKTGraphic *g : list)
            out << g->bounds();
        return out;
    }
    QList<SKTGraphic *> page() const { return view->graphics(); }
    // The stored properties, with the group and lock numbers the property
    // dictionary leaves to the page's rules.
    std::vector<std::string> state() const
    {
        std::vector<std::string> lines = snapshot();
        for (size_t i = 0; i < lines.size(); ++i) {
            const SKTGraphic &g = *doc->graphics()[qsizetype(i)];
            lines[i] += " group=" + std::to_string(g.groupNumber()) + " moveLock=" + std::to_string(g.moveLock())
                        + " scrollFlag=" + std::to_string(g.scrollFlag());
        }
        return lines;
    }
};
} // namespace

// Every command on one mixed page: its change is one undo step that undoes to
// the page as it was, in order, and redoes to the page it made.
TEST_F(ArrangeTest, EveryCommandUndoesAndRedoesThePageExactly)
{
    using Command = void (SKTGraphicView::*)();
    const struct {
        const char *name;
        Command command;
        const char *undoName; // empty: the step keeps no name of its own
    } rows[] = {
        {"alignLeftEdges", &SKTGraphicView::alignLeftEdges, "Align Left Edges"},
        {"alignRightEdges", &SKTGraphicView::alignRightEdges, "Align Right Edges"},
        {"alignTopEdges", &SKTGraphicView::alignTopEdges, "Align Top Edges"},
        {"alignBottomEdges", &SKTGraphicView::alignBottomEdges, "Align Bottom Edges"},
        {"alignHorizontalCenters", &SKTGraphicView::alignHorizontalCenters, "Align Horizontal Centers"},
        {"alignVerticalCenters", &SKTGraphicView::alignVerticalCenters, "Align Vertical Centers"},
        {"alignHorizontalSpacing", &SKTGraphicView::alignHorizontalSpacing, ""},
        {"alignVerticalSpacing", &SKTGraphicView::alignVerticalSpacing, ""},
        {"makeSameWidth", &SKTGraphicView::makeSameWidth, "Make Same Width"},
        {"makeSameHeight", &SKTGraphicView::makeSameHeight, "Make Same Height"},
        {"makeSameSize", &SKTGraphicView::makeSameSize, "Make Same Height"},
        {"alignWithGrid", &SKTGraphicView::alignWithGrid, "Grid Selected Graphics"},
        {"bringForward", &SKTGraphicView::bringForward, ""},
        {"sendBackward", &SKTGraphicView::sendBackward, ""},
        {"bringToFront", &SKTGraphicView::bringToFront, "Bring To Front"},
        {"sendToBack", &SKTGraphicView::sendToBack, "Send To Back"},
        {"groupObjects", &SKTGraphicView::groupObjects, ""},
        {"unGroupObjects", &SKTGraphicView::unGroupObjects, ""},
        {"lockObjects", &SKTGraphicView::lockObjects, ""},
        {"scrollLockObjects", &SKTGraphicView::scrollLockObjects, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        SKTGrid grid;
        grid.setSpacing(25);
        view->setGrid(&grid);
        // Front to back: an unselected cover, three selected of differing
        // sizes (the middle one in group 4 with an unselected partner), a
        // base-template graphic at the back.
        addKind<SKTText>({0, 0, 500, 500});
        auto a = addKind<SKTText>({13, 17, 100, 40});
        auto b = addKind<SKTText>({160, 90, 60, 70}, 4);
        addKind<SKTText>({400, 400, 30, 30}, 4);
        auto c = addKind<SKTText>({100, 50, 80, 20}); // overlaps a
        addKind<SKTText>({0, 0, 900, 900}, -99, false);
        view->setSelectedGraphics({a.get(), b.get(), c.get()});
        view->contextMenuAt({170, 100}); // on b
        endStep();
        const auto before = state();
        const int steps = undo().undoCount();
        (view.get()->*row.command)();
        endStep();
        const auto after = state();
        ASSERT_TRUE(after != before) << "the command changed nothing on this page";
        EXPECT_EQ(undo().undoCount(), steps + 1);
        if (*row.undoName) {
            EXPECT_EQ(undo().undoActionName(), QString::fromUtf8(row.undoName));
        }
        ASSERT_TRUE(undo().undo());
        EXPECT_TRUE(state() == before) << "undo left a difference";
        ASSERT_TRUE(undo().redo());
        EXPECT_TRUE(state() == after) << "redo left a difference";
        view->setGrid(nullptr);
    }
}

TEST_F(ArrangeTest, EdgesAndSizesFollowTheGraphicUnderTheLastTouchOrElseTheFrontmost)
{
    auto a = addKind<SKTText>({10, 10, 50, 20});
    auto b = addKind<SKTText>({100, 40, 70, 30});
    auto c = addKind<SKTText>({300, 90, 20, 60});
    view->setSelectedGraphics({a.get(), b.get(), c.get()});

    view->contextMenuAt({100, 40}); // b's top-left corner counts as inside
    EXPECT_EQ(view->lastSelectedGraphic(), b.get());
    view->alignLeftEdges();
    EXPECT_EQ(boundsOf(page()), (QList<QRectF>{{100, 10, 50, 20}, {100, 40, 70, 30}, {100, 90, 20, 60}}));
    view->alignRightEdges();
    EXPECT_EQ(boundsOf(page()), (QList<QRectF>{{120, 10, 50, 20}, {100, 40, 70, 30}, {150, 90, 20, 60}}));
    view->contextMenuAt({170, 70}); // b's bottom-right corner does not
    EXPECT_EQ(view->lastSelectedGraphic(), nullptr);

    // No graphic under the touch point (a marquee ended on empty canvas): the
    // frontmost selected graphic is measured against, never a zero rectangle.
    view->contextMenuAt({900, 700});
    view->makeSameHeight();
    view->alignBottomEdges();
    EXPECT_EQ(boundsOf(page()), (QList<QRectF>{{120, 10, 50, 20}, {100, 10, 70, 20}, {150, 10, 20, 20}}));

    // Centres use the frontmost selected graphic whatever was clicked.
    view->contextMenuAt({155, 15});
    view->alignHorizontalCenters();
    EXPECT_EQ(boundsOf(page()), (QList<QRectF>{{120, 10, 50, 20}, {110, 10, 70, 20}, {135, 10, 20, 20}}));

    // Fewer than two selected: nothing moves.
    view->setSelectedGraphics({c.get()});
    view->contextMenuAt({900, 700});
    view->alignLeftEdges();
    EXPECT_EQ(c->bounds(), QRectF(135, 10, 20, 20));
}

TEST_F(ArrangeTest, AlignedGraphicsAlreadyInPlaceAddNothingToTheUndoStep)
{
    auto a = addKind<SKTText>({10, 10, 50, 20});
    auto b = addKind<SKTText>({10, 40, 70, 30});
    view->setSelectedGraphics({a.get(), b.get()});
    view->contextMenuAt({20, 20});
    const int steps = undo().undoCount();
    view->alignLeftEdges();
    endStep();
    EXPECT_EQ(undo().undoCount(), steps);
}

TEST_F(ArrangeTest, EqualSpacingKeepsTheFirstTwoAndRunsOnFromTheirGap)
{
    const struct {
        const char *name;
        QList<QRectF> start;
        QList<double> expectedX;
    } rows[] = {
        {"second after first", {{0, 0, 100, 10}, {150, 0, 100, 10}, {400, 0, 50, 10}, {999, 0, 10, 10}},
         {0, 150, 300, 400}},
        {"second inside first", {{0, 0, 300, 10}, {50, 0, 100, 10}, {700, 0, 10, 10}}, {0, 50, 450}},
        {"two graphics", {{0, 0, 10, 10}, {80, 0, 10, 10}}, {0, 80}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        // Page order is the reverse of the left edges, so the sort is what orders them.
        for (qsizetype i = row.start.size() - 1; i >= 0; --i)
            addKind<SKTText>(row.start[i]);
        view->setSelectedGraphics(page());
        view->alignHorizontalSpacing();
        QList<double> xs;
        for (qsizetype i = 0; i < row.start.size(); ++i)
            xs << doc->graphics()[row.start.size() - 1 - i]->bounds().x();
        EXPECT_EQ(xs, row.expectedX);
    }
}

TEST_F(ArrangeTest, StackingMovesPastOverlapsAndStopsAtTheBaseTemplate)
{
    auto front = addKind<SKTText>({0, 0, 50, 50});
    auto second = addKind<SKTText>({10, 10, 50, 50});
    auto apart = addKind<SKTText>({500, 500, 10, 10});
    auto g = addKind<SKTText>({20, 20, 50, 50});
    auto base = addKind<SKTText>({0, 0, 100, 100}, -99, false);
    auto baseTwo = addKind<SKTText>({0, 0, 100, 100}, -99, false);
    auto names = [&] {
        QList<SKTGraphic *> order = page();
        return order;
    };
    view->setSelectedGraphics({g.get()});
    view->bringForward(); // in front of the frontmost overlapping graphic
    EXPECT_EQ(names(), (QList<SKTGraphic *>{g.get(), front.get(), second.get(), apart.get(), base.get(),
                                            baseTwo.get()}));
    EXPECT_EQ(view->selectedGraphics(), QList<SKTGraphic *>{g.get()});
    view->bringForward(); // nothing in front any more
    EXPECT_EQ(page().first(), g.get());

    view->setSelectedGraphics({second.get()});
    view->sendBackward(); // no selectable overlap behind: the base never counts
    EXPECT_EQ(page().indexOf(second.get()), 2);
    view->setSelectedGraphics({g.get()});
    view->sendBackward(); // just behind front
    EXPECT_EQ(page().mid(0, 2), (QList<SKTGraphic *>{front.get(), g.get()}));

    view->setSelectedGraphics({front.get(), apart.get()});
    view->sendToBack(); // stops just in front of the base-template graphics
    EXPECT_EQ(names(), (QList<SKTGraphic *>{g.get(), second.get(), front.get(), apart.get(), base.get(),
                                            baseTwo.get()}));
    EXPECT_EQ(view->selectionIndexes(), (QList<qsizetype>{2, 3}));
    view->bringToFront();
    EXPECT_EQ(names(), (QList<SKTGraphic *>{front.get(), apart.get(), g.get(), second.get(), base.get(),
                                            baseTwo.get()}));
    EXPECT_EQ(view->selectionIndexes(), (QList<qsizetype>{0, 1}));
    EXPECT_GE(host.layerRefreshes, 6);

    // Without base-template graphics the selection goes to the very back.
    doc->removeGraphicsAtIndexes({4, 5});
    view->setSelectedGraphics({front.get()});
    view->sendToBack();
    EXPECT_EQ(page().last(), front.get());
    EXPECT_EQ(view->selectedGraphics(), QList<SKTGraphic *>{front.get()});
}

TEST_F(ArrangeTest, LockedGraphicsStillAlign)
{
    auto a = addKind<SKTText>({10, 10, 50, 20});
    auto b = addKind<SKTText>({100, 40, 70, 30});
    b->setMoveLock(1);
    view->setSelectedGraphics({a.get(), b.get()});
    view->contextMenuAt({15, 15});
    view->alignLeftEdges();
    EXPECT_EQ(b->bounds().x(), 10);
}

TEST_F(ArrangeTest, GroupNumbersBeginAtMinus98AndGroupingTouchesOnlyTheSelection)
{
    EXPECT_EQ(view->findNextGroupNumber(), 1); // empty page
    auto a = addKind<SKTText>({0, 0, 10, 10});
    auto b = addKind<SKTText>({20, 0, 10, 10});
    auto rect = addRect({40, 0, 10, 10});
    EXPECT_EQ(view->findNextGroupNumber(), -98);
    view->setSelectedGraphics({a.get(), b.get(), rect.get()});
    view->groupObjects();
    EXPECT_EQ(a->groupNumber(), -98);
    EXPECT_EQ(b->groupNumber(), -98);
    EXPECT_EQ(rect->groupNumber(), -99); // plain shapes never group

    auto three = addKind<SKTText>({0, 50, 10, 10}, 3);
    auto threeToo = addKind<SKTText>({20, 50, 10, 10}, 3);
    view->setSelectedGraphics({three.get(), rect.get()});
    view->groupObjects();
    EXPECT_EQ(three->groupNumber(), 4);
    EXPECT_EQ(threeToo->groupNumber(), 3);
    view->setSelectedGraphics({a.get()});
    view->unGroupObjects();
    EXPECT_EQ(a->groupNumber(), -99);
    EXPECT_EQ(b->groupNumber(), -98);
}

TEST_F(ArrangeTest, LockingOneMemberLocksItsGroupButScrollLockSkipsLines)
{
    auto a = addKind<SKTText>({0, 0, 10, 10}, 5);
    auto b = addKind<SKTText>({20, 0, 10, 10}, 5);
    auto line = addKind<SKTLine>({40, 0, 10, 10}, 5);
    auto other = addKind<SKTText>({60, 0, 10, 10});
    view->setSelectedGraphics({a.get()});
    view->lockObjects();
    EXPECT_EQ((QList<int32_t>{a->moveLock(), b->moveLock(), line->moveLock(), other->moveLock()}),
              (QList<int32_t>{1, 1, 1, 0}));
    view->setSelectedGraphics({b.get()});
    EXPECT_TRUE(view->unLockShown());
    EXPECT_FALSE(view->lockShown());
    view->scrollLockObjects();
    EXPECT_EQ((QList<int32_t>{a->scrollFlag(), b->scrollFlag(), line->scrollFlag()}), (QList<int32_t>{1, 1, 0}));
    view->setSelectedGraphics({line.get()});
    EXPECT_FALSE(view->scrollShown());
    EXPECT_FALSE(view->unScrollShown());
    view->setSelectedGraphics({a.get()});
    view->unScrollLockObjects();
    view->unLockObjects();
    EXPECT_EQ((QList<int32_t>{b->moveLock(), line->moveLock(), b->scrollFlag()}), (QList<int32_t>{0, 0, 0}));
}

TEST_F(ArrangeTest, GroupAndLockPredicatesOverSelectionsAndEditionFlags)
{
    auto free1 = addKind<SKTText>({0, 0, 10, 10});
    auto free2 = addKind<SKTText>({20, 0, 10, 10});
    auto g3a = addKind<SKTText>({0, 50, 10, 10}, 3);
    auto g3b = addKind<SKTText>({20, 50, 10, 10}, 3);
    auto rect = addRect({40, 0, 10, 10});
    auto scrolled = addKind<SKTText>({60, 0, 10, 10});
    scrolled->setScrollFlag(1);
    endStep();
    const struct {
        const char *name;
        QList<SKTGraphic *> selection;
        bool hideGroup, hideLock, hidePosition, showBranch;
        bool group, ungroup, lock, unlock, scroll, unscroll, position, branch;
    } rows[] = {
        {"two free", {free1.get(), free2.get()}, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0},
        {"one group", {g3a.get(), g3b.get()}, 0, 0, 0, 0, 0, 1, 1, 0, 1, 0, 1, 0},
        {"group and free", {g3a.get(), free1.get()}, 0, 0, 0, 0, 1, 1, 1, 0, 1, 0, 1, 0},
        {"one grouped", {g3a.get()}, 0, 0, 0, 0, 0, 1, 1, 0, 1, 0, 1, 0},
        {"rectangle alone", {rect.get()}, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0},
        {"nothing", {}, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"edition hides group", {free1.get(), free2.get()}, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0},
        {"edition hides locks", {free1.get()}, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0},
        {"scroll unlock survives hidden position settings", {scrolled.get()}, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0},
        {"add branch on texts", {free1.get(), free2.get()}, 0, 0, 0, 1, 1, 0, 1, 0, 1, 0, 1, 1},
        {"add branch not on a rectangle", {free1.get(), rect.get()}, 0, 0, 0, 1, 1, 0, 1, 0, 1, 0, 1, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        gHideGroup = row.hideGroup;
        gHideLock = row.hideLock;
        gHidePositionSettings = row.hidePosition;
        gShowAddBranch = row.showBranch;
        view->setSelectedGraphics(row.selection);
        EXPECT_EQ(view->groupShown(), row.group);
        EXPECT_EQ(view->ungroupShown(), row.ungroup);
        EXPECT_EQ(view->lockShown(), row.lock);
        EXPECT_EQ(view->unLockShown(), row.unlock);
        EXPECT_EQ(view->scrollShown(), row.scroll);
        EXPECT_EQ(view->unScrollShown(), row.unscroll);
        EXPECT_EQ(view->positionSettingsShown(), row.position);
        EXPECT_EQ(view->addBranchShown(), row.branch);
    }
}

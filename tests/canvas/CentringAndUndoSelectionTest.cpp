// Centring the selection, and undo and redo selecting what they touched.
#include "CanvasFixture.h"

#include "model/SKTImage.h"
#include "model/SKTTable.h"

namespace {
class CentringTest : public CanvasTest {
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
};
} // namespace

TEST_F(CentringTest, CentringMovesTheSelectionsCentreHorizontallyOnly)
{
    gCanvasWidth = 1200;
    auto a = addKind<SKTText>({100, 30, 201, 20});
    auto content = addKind<SKTText>({500, 0, 300, 10});
    view->setSelectedGraphics({a.get()});
    view->centerOnCanvas(); // 100..301 moves right by 400
    EXPECT_EQ(a->bounds(), QRectF(500, 30, 201, 20));

    // Content spans 100..800 once a is back at 100: the selection's centre
    // goes to the content's centre, 450, not to its half-width from x = 0.
    a->setBounds({100, 30, 201, 20});
    view->centerGroup();
    EXPECT_EQ(a->bounds(), QRectF(350, 30, 201, 20));

    // Within the group of the first graphic.
    auto peer = addKind<SKTText>({0, 100, 200, 10}, 7);
    auto member = addKind<SKTText>({10, 200, 40, 10}, 7);
    view->setSelectedGraphics({member.get()});
    view->centerWithinGroup(); // group span 0..200, centre 100
    EXPECT_EQ(member->bounds(), QRectF(80, 200, 40, 10));

    // A first graphic in no group is centred on itself: it stays put rather
    // than moving to the span of every ungrouped graphic.
    view->setSelectedGraphics({a.get()});
    view->centerWithinGroup();
    EXPECT_EQ(a->bounds(), QRectF(350, 30, 201, 20));
    EXPECT_EQ(peer->bounds().x(), 0);
    EXPECT_EQ(content->bounds().x(), 500);
}

TEST_F(CentringTest, GalleryImagesAreNeitherMeasuredNorMovedAndAloneMoveNothing)
{
    gCanvasWidth = 1000;
    auto text = addKind<SKTText>({0, 0, 100, 10});
    auto inGallery = addKind<SKTImage>({900, 0, 50, 50});
    inGallery->setGalleryNumber(2);
    view->setSelectedGraphics({text.get(), inGallery.get()});
    view->centerOnCanvas();
    EXPECT_EQ(text->bounds().x(), 450);
    EXPECT_EQ(inGallery->bounds().x(), 900);
    view->setSelectedGraphics({inGallery.get()});
    for (auto command : {&SKTGraphicView::centerOnCanvas, &SKTGraphicView::centerGroup,
                         &SKTGraphicView::centerWithinGroup})
        (view.get()->*command)();
    EXPECT_EQ(inGallery->bounds(), QRectF(900, 0, 50, 50));
    view->setSelectedGraphics({});
    EXPECT_FALSE(view->centerGroupShown());
    view->centerOnCanvas();
}

TEST_F(CentringTest, CentringUndoesAndRedoesExactly)
{
    gCanvasWidth = 1000;
    auto a = addKind<SKTText>({13.5, 7, 100, 20}, 3);
    addKind<SKTText>({600, 0, 300, 10}, 3);
    view->setSelectedGraphics({a.get()});
    for (auto command : {&SKTGraphicView::centerOnCanvas, &SKTGraphicView::centerGroup,
                         &SKTGraphicView::centerWithinGroup}) {
        const auto before = snapshot();
        (view.get()->*command)();
        endStep();
        const auto after = snapshot();
        ASSERT_TRUE(after != before);
        view->undo();
        EXPECT_TRUE(snapshot() == before);
        view->redo();
        EXPECT_TRUE(snapshot() == after);
        view->undo();
    }
}

TEST_F(CentringTest, UndoAndRedoSelectWhatTheyTouched)
{
    auto a = addKind<SKTText>({0, 0, 10, 10});
    auto b = addKind<SKTText>({20, 0, 10, 10});
    auto c = addKind<SKTText>({40, 0, 10, 10});
    // Undo of a deletion selects exactly what came back; redo leaves the
    // selection as the removal left it.
    view->setSelectedGraphics({a.get(), c.get()});
    view->deleteSelection();
    endStep();
    view->setSelectedGraphics({b.get()});
    view->undo();
    EXPECT_EQ(view->selectedGraphics(), (QList<SKTGraphic *>{a.get(), c.get()}));
    view->redo();
    EXPECT_EQ(view->selectedGraphics(), QList<SKTGraphic *>{});

    // Undo of a change selects the changed graphic over the current selection.
    b->setFillColor(QColor(Qt::red));
    endStep();
    view->setSelectedGraphics({});
    view->undo();
    EXPECT_EQ(view->selectedGraphics(), QList<SKTGraphic *>{b.get()});

    // A step that touched no graphic leaves the selection alone.
    undo().registerUndo([] {}); // a page setting, say
    endStep();
    view->setSelectedGraphics({b.get()});
    view->undo();
    EXPECT_EQ(view->selectedGraphics(), QList<SKTGraphic *>{b.get()});
}

TEST_F(CentringTest, SelectAllTakesExactlyTheSelectableAndLayerRowsExtendTheSelection)
{
    auto base = addKind<SKTText>({0, 0, 10, 10}, -99, false); // not at the back
    auto a = addKind<SKTText>({20, 0, 10, 10});
    auto table = addKind<SKTTable>({40, 0, 10, 10});
    view->selectAll();
    EXPECT_EQ(view->selectedGraphics(), (QList<SKTGraphic *>{a.get(), table.get()}));

    view->setSelectedGraphics({});
    view->manuallySelectObject(1);
    view->manuallySelectObject(2);
    view->manuallySelectObject(9); // past the page: ignored
    EXPECT_EQ(view->selectionIndexes(), (QList<qsizetype>{1, 2}));

    EXPECT_EQ(view->tables(), QList<SKTGraphic *>{table.get()});
    EXPECT_EQ(view->textAreas(), (QList<SKTGraphic *>{base.get(), a.get()}));
    EXPECT_TRUE(view->images().isEmpty());

    // A page of base-template graphics only: nothing is selected.
    doc->removeGraphicsAtIndexes({1, 2});
    view->setSelectedGraphics({});
    view->selectAll();
    EXPECT_TRUE(view->selectedGraphics().isEmpty());
}

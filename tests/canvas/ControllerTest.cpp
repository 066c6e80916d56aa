// The controller's rules: the selection follows the page, redrawing is by
// the graphics' paint reach, the inspector hears once per event-loop pass.
#include "CanvasFixture.h"

#include "model/SKTTable.h"
#include "model/myTextView.h"


TEST_F(CanvasTest, SelectionStaysValidAsGraphicsComeAndGo)
{
    auto a = addRect({10, 10, 20, 20});
    auto b = addRect({40, 10, 20, 20});
    auto c = addRect({70, 10, 20, 20});
    view->setSelectedGraphics({b.get(), c.get()});
    EXPECT_EQ(selection(), (QList<qsizetype>{1, 2}));
    // Inserting at the front moves the selected graphics to 2 and 3.
    auto front = std::make_shared<SKTRectangle>();
    front->setBounds({0, 300, 5, 5});
    doc->insertGraphicAtIndex(front, 0);
    endStep();
    EXPECT_EQ(selection(), (QList<qsizetype>{2, 3}));
    doc->removeGraphicAtIndex(2); // b
    endStep();
    EXPECT_EQ(view->selectedGraphics(), (QList<SKTGraphic *>{c.get()}));
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(view->selectedGraphics(), (QList<SKTGraphic *>{c.get()})) << "undo brings b back unselected";
    doc->setGraphics({c, a});
    EXPECT_EQ(selection(), (QList<qsizetype>{0}));
    doc->clearAllGraphics();
    EXPECT_TRUE(selection().isEmpty());
}

TEST_F(CanvasTest, SelectionChangeRedrawsOnlyTheGraphicsThatChanged)
{
    QList<SKTGraphic *> g;
    for (int i = 0; i < 4; ++i)
        g << addRect({10.0 + 100 * i, 10, 20, 20}).get();
    view->setSelectedGraphics({g[1], g[2]});
    QList<QRectF> rects;
    auto connection = QObject::connect(view.get(), &SKTGraphicView::needsDisplayInRect,
                                       [&rects](const QRectF &r) { rects << r; });
    view->setSelectedGraphics({g[2], g[3]});
    QObject::disconnect(connection);
    ASSERT_EQ(rects.size(), 2);
    EXPECT_TRUE(rects.contains(SKTGraphicView::paintReach(*g[1])));
    EXPECT_TRUE(rects.contains(SKTGraphicView::paintReach(*g[3])));
}

TEST_F(CanvasTest, InspectorHearsOncePerPassAndPaintingVisitsOnlyTheDirtyArea)
{
    QList<SKTGraphic *> g;
    for (int i = 0; i < 5; ++i)
        g << addRect({10.0 + 150 * i, 10, 20, 20}).get();
    QApplication::processEvents();
    host.inspectorRefreshes = 0;
    view->setSelectedGraphics({g[0]});
    view->setSelectedGraphics({g[1]});
    view->setSelectedGraphics({g[0], g[1]});
    EXPECT_EQ(host.inspectorRefreshes, 0);
    QApplication::processEvents();
    EXPECT_EQ(host.inspectorRefreshes, 1);

    // A graphic whose shadow reaches far is found by the reach, not the bounds.
    g[4]->setShadowHorizontalOffset(60);
    EXPECT_EQ(view->graphicsReaching({700, 0, 5, 60}), (QList<SKTGraphic *>{g[4]}));
    EXPECT_EQ(view->graphicsReaching({0, 0, 200, 60}), (QList<SKTGraphic *>{g[0], g[1]}));
    g[1]->setBounds({500, 500, 20, 20});
    EXPECT_EQ(view->graphicsReaching({0, 0, 200, 60}), (QList<SKTGraphic *>{g[0]}));
}

TEST_F(CanvasTest, EnvironmentAnswersOverlapsAndImageNames)
{
    auto a = addRect({10, 10, 20, 20});
    auto b = addRect({100, 100, 20, 20});
    EXPECT_TRUE(view->isThereGraphicAtRect({15, 15, 2, 2}));
    EXPECT_FALSE(view->isThereGraphicAtRect({50, 50, 10, 10}));
    EXPECT_TRUE(view->isThereGraphicAtNewLocation(*a, {110, 110, 5, 5}));
    EXPECT_FALSE(view->isThereGraphicAtNewLocation(*a, {12, 12, 5, 5}));
    EXPECT_EQ(view->nextImageName(), QStringLiteral("image1"));
    EXPECT_EQ(view->documentPageName(), QStringLiteral("index"));
    press({400, 300});
    release({400, 300});
    EXPECT_EQ(view->lastTouchPoint(), QPointF(400, 300));
}

TEST_F(CanvasTest, SectionMembersAreFoundByNumberAndMarkedForTheMove)
{
    auto section = std::make_shared<SKTTable>();
    section->setGridType(QStringLiteral("section"));
    section->setSectionNumber(3);
    section->setBounds({0, 0, 800, 300});
    doc->insertGraphicAtIndex(section, 0);
    auto inside = addRect({10, 10, 20, 20});
    inside->setSectionNumber(3);
    inside->setSectionRowSpot(2);
    inside->setSectionColumnSpot(1);
    auto selectedInside = addRect({50, 10, 20, 20});
    selectedInside->setSectionNumber(3);
    auto elsewhere = addRect({10, 500, 20, 20});
    elsewhere->setSectionNumber(4);
    view->setSelectedGraphics({selectedInside.get()});
    EXPECT_EQ(view->findObjectsInSection(*section), (QList<SKTGraphic *>{inside.get(), selectedInside.get()}));
    EXPECT_TRUE(inside->movingAsPartOfSection());
    EXPECT_FALSE(selectedInside->movingAsPartOfSection());
    EXPECT_TRUE(view->findObjectsInSection(*inside).isEmpty()) << "not a section";

    myTextView cell;
    cell.sectionNumber = 3;
    cell.rowSpot = 2;
    cell.columnSpot = 1;
    EXPECT_EQ(view->findObjectsInSectionCell(cell), (QList<SKTGraphic *>{inside.get()}));
    cell.rowSpot = 1;
    EXPECT_TRUE(view->findObjectsInSectionCell(cell).isEmpty());
    EXPECT_TRUE(SKTGraphicView::existInArray(5, {1, 5}));
    EXPECT_FALSE(SKTGraphicView::existInArray(2, {1, 5}));
}

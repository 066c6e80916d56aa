// Graphics without area are found by the queries near them, also after they
// move, and never once they are gone; the canvas hits and selects them.
#include "CanvasFixture.h"

#include "canvas/FlatGraphicGrid.h"
#include "model/SKTLine.h"

#include <QScreen>

TEST(FlatGraphicGrid, QueriesFindWhatIsNearAndFollowMoves)
{
    FlatGraphicGrid grid;
    std::vector<std::unique_ptr<SKTLine>> lines;
    for (int i = 0; i < 200; ++i) {
        lines.push_back(std::make_unique<SKTLine>());
        grid.insert(lines.back().get(), QRectF(0, i * 300.0 - 2, 400, 4));
    }
    SKTGraphic *first = lines[0].get();
    SKTGraphic *tenth = lines[10].get();
    QList<SKTGraphic *> near = grid.near(QRectF(100, 2990, 20, 20));
    EXPECT_TRUE(near.contains(tenth));
    EXPECT_FALSE(near.contains(first));
    EXPECT_LT(near.size(), 5) << "a query visits only its cells";
    grid.insert(first, QRectF(90, 2995, 4, 300)); // moved beside the tenth
    EXPECT_TRUE(grid.near(QRectF(100, 2990, 20, 20)).contains(first));
    EXPECT_FALSE(grid.near(QRectF(0, 0, 20, 20)).contains(first));
    grid.remove(first);
    EXPECT_FALSE(grid.near(QRectF(100, 2990, 20, 20)).contains(first));
    // A long one spanning many cells is found everywhere along it.
    auto tall = std::make_unique<SKTLine>();
    grid.insert(tall.get(), QRectF(5000, -2, 4, 300000));
    EXPECT_TRUE(grid.near(QRectF(4990, 150000, 30, 30)).contains(tall.get()));
    // A rectangle given from its far corner covers the same cells.
    auto backwards = std::make_unique<SKTLine>();
    grid.insert(backwards.get(), QRectF(700, 9000, -300, 0));
    EXPECT_TRUE(grid.near(QRectF(450, 8990, 20, 20)).contains(backwards.get()));
    EXPECT_FALSE(grid.near(QRectF(800, 8990, 20, 20)).contains(backwards.get()));
}

TEST_F(CanvasTest, HorizontalLinesAreHitAndMarqueeSelectedOnLargePages)
{
    for (int i = 0; i < 300; ++i)
        addRect({double(i % 10) * 90, double(i / 10) * 90 + 2000, 40, 40});
    auto line = std::make_shared<SKTLine>();
    line->setBeginPoint({100, 300});
    line->setEndPoint({500, 300});
    line->setSelectable(true);
    doc->insertGraphicAtIndex(line, 0);
    endStep();
    EXPECT_EQ(view->graphicUnderPoint({300, 300}), line.get());
    EXPECT_TRUE(view->selectableGraphicsIntersectingRect({250, 280, 20, 40}).contains(line.get()));
    line->setBeginPoint({100, 900});
    line->setEndPoint({500, 900});
    EXPECT_FALSE(view->selectableGraphicsIntersectingRect({250, 280, 20, 40}).contains(line.get()));
    EXPECT_TRUE(view->selectableGraphicsIntersectingRect({250, 880, 20, 40}).contains(line.get()));
}

// The marquee redraws only along its edges: after a step the old outline is
// gone, the new one drawn, and the page inside looks as a full repaint draws it.
TEST_F(CanvasTest, MarqueeStepsLeaveNoTraceOfTheOldOutline)
{
    auto filled = addRect({150, 150, 60, 60});
    filled->setColor(QColor(Qt::blue));
    endStep();
    for (double zoom : {1.0, 0.5}) {
        SCOPED_TRACE(zoom);
        widget->setZoomFactor(zoom);
        QApplication::processEvents();
        press({20, 20});
        move({300, 300});
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        move({250, 260});
        for (int i = 0; i < 3; ++i) // the queued flush, then the paint it asks for
            QApplication::processEvents();
        // What the window shows (its backing store), not a fresh rendering.
        auto shown = [this] { return widget->screen()->grabWindow(widget->winId()).toImage(); };
        const QImage stepped = shown();
        ASSERT_FALSE(stepped.isNull());
        widget->repaint();
        const QImage full = shown();
        QRect differs;
        for (int y = 0; y < std::min(stepped.height(), full.height()); ++y)
            for (int x = 0; x < std::min(stepped.width(), full.width()); ++x)
                if (stepped.pixel(x, y) != full.pixel(x, y))
                    differs |= QRect(x, y, 1, 1);
        EXPECT_TRUE(differs.isNull()) << "a step draws what a full repaint draws; differs at " << differs.x() << ","
                                      << differs.y() << " " << differs.width() << "x" << differs.height();
        release({250, 260});
        QApplication::processEvents();
        widget->repaint();
    }
}

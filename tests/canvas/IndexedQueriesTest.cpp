// The canvas answers its area questions (what a click hits, what a marquee
// takes, what a repaint draws) and its selection questions from its own index and order. On a
// seeded random page, changed in every way a page changes, each answer must
// equal a plain walk over the page.
#include "CanvasFixture.h"

#include "model/SKTLine.h"

#include <QRandomGenerator>

namespace {
QRectF randomRect(QRandomGenerator &random, double width, double height)
{
    return QRectF(random.bounded(width) - 40, random.bounded(height) - 40, random.bounded(400.0), random.bounded(300.0));
}
} // namespace

TEST_F(CanvasTest, IndexedQueriesAnswerAsAWalkOverThePage)
{
    QRandomGenerator random(20261210);
    const double width = 1000, height = 800;
    auto makeGraphic = [&](int i) -> std::shared_ptr<SKTGraphic> {
        std::shared_ptr<SKTGraphic> g;
        const QRectF bounds(random.bounded(width), random.bounded(height), 5 + random.bounded(150.0),
                            5 + random.bounded(90.0));
        switch (i % 5) {
        case 0:
            g = std::make_shared<SKTRectangle>();
            break;
        case 1:
            g = std::make_shared<SKTCircle>();
            break;
        case 2: {
            auto t = std::make_shared<SKTText>();
            t->setTextString(QStringLiteral("T%1").arg(i));
            t->setShadowFlag(i % 3 == 0 ? 1 : 0); // a paint reach beyond the bounds
            g = t;
            break;
        }
        case 3: {
            // Flat lines have no area: the index keeps them apart.
            auto l = std::make_shared<SKTLine>();
            l->setBounds(QRectF(bounds.topLeft(), QSizeF(bounds.width(), 0)));
            g = l;
            break;
        }
        default:
            g = std::make_shared<SKTRectangle>();
            break;
        }
        if (!dynamic_cast<SKTLine *>(g.get()))
            g->setBounds(bounds);
        g->setSelectable(i % 7 != 0);
        return g;
    };
    QList<std::shared_ptr<SKTGraphic>> start;
    for (int i = 0; i < 300; ++i)
        start.append(makeGraphic(i));
    doc->setGraphics(start);

    auto check = [&](const char *after) {
        const QList<SKTGraphic *> all = view->graphics();
        for (int q = 0; q < 25; ++q) {
            const QRectF rect = randomRect(random, width, height);
            QList<qsizetype> marquee;
            QList<SKTGraphic *> reaching;
            for (qsizetype i = 0; i < all.size(); ++i) {
                if (all[i]->showsHandles() && all[i]->drawingBounds().intersects(rect))
                    marquee.append(i);
                if (SKTGraphicView::paintReach(*all[i]).intersects(rect))
                    reaching.append(all[i]);
            }
            ASSERT_EQ(view->indexesOfGraphicsIntersectingRect(rect), marquee) << after << ", query " << q;
            ASSERT_EQ(view->graphicsReaching(rect), reaching) << after << ", query " << q;
        }
        // Clicks anywhere, and on the handles of the selected graphics.
        QList<QPointF> points;
        for (int q = 0; q < 60; ++q)
            points.append(QPointF(random.bounded(width + 40) - 20, random.bounded(height + 40) - 20));
        for (SKTGraphic *g : all)
            if (view->isSelected(g))
                for (const QPointF &p : g->visibleHandlePoints())
                    points.append(p + QPointF(random.bounded(3.0) - 1.5, random.bounded(3.0) - 1.5));
        for (const QPointF &p : std::as_const(points)) {
            SKTGraphic *expected = nullptr;
            qsizetype expectedIndex = -1;
            int expectedHandle = 0;
            for (qsizetype i = 0; i < all.size() && !expected; ++i) {
                if (!all[i]->drawingBounds().contains(p))
                    continue;
                const int h = view->isSelected(all[i]) ? all[i]->handleUnderPoint(p) : 0;
                if (h != 0 || all[i]->isContentsUnderPoint(p)) {
                    expected = all[i];
                    expectedIndex = i;
                    expectedHandle = h;
                }
            }
            qsizetype index = -1;
            int handle = 0;
            ASSERT_EQ(view->graphicUnderPoint(p, &index, nullptr, &handle), expected)
                << after << " at " << p.x() << "," << p.y();
            ASSERT_EQ(index, expectedIndex) << after;
            ASSERT_EQ(handle, expectedHandle) << after;
        }
        QList<qsizetype> indexes;
        QList<SKTGraphic *> selected;
        for (qsizetype i = 0; i < all.size(); ++i)
            if (view->isSelected(all[i])) {
                indexes.append(i);
                selected.append(all[i]);
            }
        ASSERT_EQ(view->selectionIndexes(), indexes) << after;
        ASSERT_EQ(view->selectedGraphics(), selected) << after;
    };
    auto selectSome = [&] {
        QList<qsizetype> pick;
        for (int k = 0; k < 12; ++k)
            pick.append(random.bounded(int(doc->graphics().size())));
        view->setSelectionIndexes(pick);
    };

    selectSome();
    check("the page as set");
    // Each change the page goes through, then the same questions again.
    const std::vector<std::pair<const char *, std::function<void()>>> changes = {
        {"moves", [&] {
             for (int k = 0; k < 60; ++k) {
                 SKTGraphic *g = doc->graphics()[random.bounded(int(doc->graphics().size()))].get();
                 g->setBounds(g->bounds().translated(random.bounded(200.0) - 100, random.bounded(200.0) - 100));
             }
         }},
        {"resizes to nothing and back", [&] {
             for (int k = 0; k < 20; ++k) {
                 SKTGraphic *g = doc->graphics()[random.bounded(int(doc->graphics().size()))].get();
                 g->setBounds(QRectF(g->bounds().topLeft(), k % 2 ? QSizeF(0, 0) : QSizeF(30, 20)));
             }
         }},
        {"removals", [&] {
             for (int k = 0; k < 30; ++k)
                 doc->removeGraphicAtIndex(random.bounded(int(doc->graphics().size())));
         }},
        {"insertions", [&] {
             for (int k = 0; k < 30; ++k)
                 doc->insertGraphicAtIndex(makeGraphic(k), random.bounded(int(doc->graphics().size()) + 1));
         }},
        {"reordering", [&] {
             for (int k = 0; k < 20; ++k) {
                 const qsizetype from = random.bounded(int(doc->graphics().size()));
                 std::shared_ptr<SKTGraphic> g = doc->graphics()[from];
                 doc->removeGraphicAtIndex(from);
                 doc->insertGraphicAtIndex(g, random.bounded(int(doc->graphics().size()) + 1));
             }
         }},
        {"undo of it all", [&] {
             endStep();
             while (undo().canUndo())
                 undo().undo();
         }},
        {"a new page of as many graphics", [&] {
             QList<std::shared_ptr<SKTGraphic>> next;
             for (qsizetype i = 0; i < doc->graphics().size(); ++i)
                 next.append(makeGraphic(i));
             doc->setGraphics(next);
         }},
    };
    for (const auto &[name, change] : changes) {
        change();
        check(name);
        selectSome();
        check(name);
    }
}

// Undo of insertion, removal and attribute changes; the edited state; the
// canvas size; sections.
#include "DocumentFixture.h"

#include "model/SKTTable.h"


namespace {
std::shared_ptr<SKTRectangle> makeRect(const QRectF &bounds)
{
    auto r = std::make_shared<SKTRectangle>();
    r->setBounds(bounds);
    return r;
}
} // namespace

class DocumentUndoTest : public DocumentTest {
protected:
    UndoManager &undo() { return doc->undoManager(); }
    void endStep() { undo().closeAutomaticGroup(); }
};

TEST_F(DocumentUndoTest, InsertAndRemoveUndoAndRedoKeepingPositions)
{
    auto a = makeRect({0, 0, 10, 10});
    auto b = makeRect({20, 0, 10, 10});
    auto c = makeRect({40, 0, 10, 10});
    doc->insertGraphics({a, b}, {0, 1});
    endStep();
    doc->insertGraphicAtIndex(c, 1);
    endStep();
    ASSERT_EQ(doc->graphics(), (QList<std::shared_ptr<SKTGraphic>>{a, c, b}));
    EXPECT_EQ(c->owner(), doc.get());

    doc->removeGraphicsAtIndexes({0, 2});
    endStep();
    EXPECT_EQ(doc->graphics(), (QList<std::shared_ptr<SKTGraphic>>{c}));
    EXPECT_EQ(a->owner(), nullptr);

    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(doc->graphics(), (QList<std::shared_ptr<SKTGraphic>>{a, c, b}));
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(doc->graphics(), (QList<std::shared_ptr<SKTGraphic>>{a, b}));
    ASSERT_TRUE(undo().redo());
    ASSERT_TRUE(undo().redo());
    EXPECT_EQ(doc->graphics(), (QList<std::shared_ptr<SKTGraphic>>{c}));

    // Out-of-range requests change nothing and record nothing.
    const int steps = undo().undoCount();
    doc->removeGraphicsAtIndexes({5});
    doc->insertGraphics({a}, {7});
    endStep();
    EXPECT_EQ(doc->graphics().size(), 1);
    EXPECT_EQ(undo().undoCount(), steps);
}

TEST_F(DocumentUndoTest, AttributeChangesRestoreTheFirstValueAndNameTheAction)
{
    auto a = makeRect({0, 0, 10, 10});
    auto b = makeRect({20, 0, 10, 10});
    doc->undoManager().disableUndoRegistration();
    doc->insertGraphics({a, b}, {0, 1});
    doc->undoManager().enableUndoRegistration();
    EXPECT_FALSE(doc->isDocumentEdited());
    const double initialA = a->value(QStringLiteral("strokeWidth")).toDouble();
    const double initialB = b->value(QStringLiteral("strokeWidth")).toDouble();

    // Loaded without undo: changes in the same step are still recorded.
    a->setValue(QStringLiteral("strokeWidth"), 3.0);
    a->setValue(QStringLiteral("strokeWidth"), 5.0);
    b->setValue(QStringLiteral("strokeWidth"), 7.0);
    endStep();
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Change of Stroke Width"));
    EXPECT_TRUE(doc->isDocumentEdited());

    a->setValue(QStringLiteral("strokeWidth"), 9.0);
    a->setBounds({1, 1, 10, 10});
    endStep();
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Change of Multiple Graphic Properties"));

    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(a->value(QStringLiteral("strokeWidth")).toDouble(), 5.0);
    EXPECT_EQ(a->bounds(), QRectF(0, 0, 10, 10));
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(a->value(QStringLiteral("strokeWidth")).toDouble(), initialA);
    EXPECT_EQ(b->value(QStringLiteral("strokeWidth")).toDouble(), initialB);
    EXPECT_FALSE(doc->isDocumentEdited());
    ASSERT_TRUE(undo().redo());
    EXPECT_EQ(a->value(QStringLiteral("strokeWidth")).toDouble(), 5.0);
    EXPECT_EQ(b->value(QStringLiteral("strokeWidth")).toDouble(), 7.0);
    EXPECT_TRUE(doc->isDocumentEdited());

    // A graphic inserted in this step records no attribute changes of its own:
    // undoing the step removes it whole.
    auto c = makeRect({0, 0, 5, 5});
    doc->addInGraphics(c);
    c->setValue(QStringLiteral("strokeWidth"), 4.0);
    endStep();
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(doc->indexOfGraphic(c.get()), -1);
    EXPECT_EQ(c->value(QStringLiteral("strokeWidth")).toDouble(), 4.0);
}

TEST_F(DocumentUndoTest, EditedStateCanvasSizeAndSections)
{
    gNoDraftPages = true;
    doc->updateChangeCount();
    EXPECT_FALSE(doc->isDocumentEdited());
    gNoDraftPages = false;
    EXPECT_TRUE(doc->isDocumentEdited());
    doc->markClean();
    EXPECT_FALSE(doc->isDocumentEdited());

    gCanvasWidth = 900;
    gCanvasMaxHeight = 3000;
    QList<QSizeF> spy;
    QObject::connect(&doc->events(), &DocumentEvents::canvasSizeChanged, [&spy](QSizeF size) { spy << size; });
    EXPECT_EQ(doc->pageCanvasSize(), QSizeF(900, 3000));
    doc->setPageCanvas(2, 300, 400);
    EXPECT_EQ(doc->pageCanvasSize(), QSizeF(900, 3000));
    EXPECT_TRUE(spy.isEmpty());
    doc->setPageCanvas(1, 300, 400);
    EXPECT_EQ(doc->pageCanvasSize(), QSizeF(300, 400));
    EXPECT_EQ(spy, QList<QSizeF>{QSizeF(300, 400)});

    auto section = std::make_shared<SKTTable>();
    section->setGridType(QStringLiteral("section"));
    section->setNumOfColumns(1);
    section->setNumOfRows(1);
    section->setBounds({0, 0, 100, 100});
    auto edge = makeRect({99, 99, 10, 10});
    auto apart = makeRect({200, 200, 10, 10});
    doc->insertGraphics({section, edge, apart}, {0, 1, 2});
    EXPECT_TRUE(doc->isGraphicInASection(edge.get()));
    EXPECT_FALSE(doc->isGraphicInASection(apart.get()));
    EXPECT_FALSE(doc->isGraphicInASection(section.get()));
}

// Delete, nudge, copy, cut, paste and duplicate, with their undo steps.
#include "CanvasFixture.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "model/SKTSlideshow.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"

#include <QCborArray>

#include <QElapsedTimer>
#include <QMimeData>
#include <QRandomGenerator>

namespace {
void waitMs(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}
} // namespace

TEST_F(CanvasTest, ArrowsNudgeOneStepEachAndHandlesReturnAfterTheLast)
{
    auto a = addRect({10, 10, 20, 20});
    const int steps = undo().undoCount();
    key(Qt::Key_Right); // nothing selected: nothing moves, handles stay
    EXPECT_FALSE(view->isHidingHandles());
    view->setSelectedGraphics({a.get()});
    for (int k : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
        key(k);
        endStep();
    }
    EXPECT_EQ(a->bounds().topLeft(), QPointF(10, 11));
    EXPECT_EQ(undo().undoCount(), steps + 5);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Nudge"));
    EXPECT_TRUE(view->isHidingHandles());
    waitMs(SKTGraphicView::kHandleHideMs + 150);
    EXPECT_FALSE(view->isHidingHandles());
}

TEST_F(CanvasTest, DeleteAndBackspaceRemoveTheSelectionWithItsPartners)
{
    struct Partners : RecordingInsertions {
        SKTGraphic *partner = nullptr;
        QList<SKTGraphic *> fetchAllPartnerViews(SKTDocument &, const QList<SKTGraphic *> &) override
        {
            return {partner};
        }
    } partners;
    auto label = addRect({10, 10, 20, 20});
    auto radio = addRect({40, 10, 10, 10});
    auto other = addRect({80, 10, 10, 10});
    partners.partner = radio.get();
    view->setInsertions(&partners);
    view->setSelectedGraphics({label.get()});
    key(Qt::Key_Delete);
    endStep();
    ASSERT_EQ(doc->graphics().size(), 1);
    EXPECT_EQ(doc->graphics().front(), other);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Delete"));
    EXPECT_TRUE(view->selectedGraphics().isEmpty());
    EXPECT_GE(host.layerRefreshes, 1);
    view->setInsertions(&insertions);
    view->setSelectedGraphics({other.get()});
    key(Qt::Key_Backspace);
    EXPECT_TRUE(doc->graphics().isEmpty());
}

TEST_F(CanvasTest, UndoTableRestoresEveryGraphicInOrder)
{
    struct Op {
        const char *name;
        std::function<void()> run;
    };
    const QList<Op> ops = {
        {"move", [&] { drag({15, 15}, {45, 65}); }},
        {"resize", [&] { drag({10, 10}, {0, 4}); }},
        {"nudge", [&] { key(Qt::Key_Left); }},
        {"delete", [&] { key(Qt::Key_Delete); }},
        {"cut", [&] { key(Qt::Key_X, Qt::ControlModifier); }},
        {"paste", [&] { key(Qt::Key_C, Qt::ControlModifier); key(Qt::Key_V, Qt::ControlModifier); }},
        {"duplicate", [&] { view->duplicate(); }},
        {"preset drop", [&] {
             QMimeData data;
             data.setData(SKTGraphicView::codeNameMimeType(), "zov_square");
             CanvasInsertionAdapter makers(*view);
             view->setInsertions(&makers);
             view->performDrop(data, {300, 300});
             view->setInsertions(&insertions);
         }},
        {"colour drop", [&] {
             QMimeData data;
             data.setColorData(QColor(Qt::red));
             view->performDrop(data, {20, 20});
         }},
    };
    for (const Op &op : ops) {
        SCOPED_TRACE(op.name);
        doc->setGraphics({});
        undo().removeAllActions();
        auto a = addRect({10, 10, 40, 40}, 7);
        addRect({100, 10, 40, 40}, 7);
        auto c = std::make_shared<SKTCircle>();
        c->setBounds({200, 200, 30, 30});
        c->setSelectable(true);
        c->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
        doc->insertGraphicAtIndex(c, 2);
        endStep();
        view->setSelectedGraphics({a.get()});
        const auto before = snapshot();
        op.run();
        endStep();
        const auto after = snapshot();
        ASSERT_NE(before, after);
        ASSERT_TRUE(undo().undo());
        EXPECT_EQ(snapshot(), before);
        ASSERT_TRUE(undo().redo());
        EXPECT_EQ(snapshot(), after);
    }
}

TEST_F(CanvasTest, PastesCascadeAndFollowTheUserDrag)
{
    auto a = addRect({100, 100, 20, 20});
    view->setSelectedGraphics({a.get()});
    ASSERT_TRUE(view->copy());
    for (int n = 1; n <= 3; ++n) {
        view->paste();
        endStep();
        ASSERT_EQ(view->selectedGraphics().size(), 1);
        EXPECT_EQ(view->selectedGraphics().front()->bounds().topLeft(), QPointF(100 + 10 * n, 100 + 10 * n));
    }
    // Dragging the pasted copy by (30, 0) makes the step (40, 10).
    doc->setGraphics({a});
    view->setSelectedGraphics({a.get()});
    view->copy();
    view->paste();
    endStep();
    SKTGraphic *pasted = view->selectedGraphics().front();
    drag({115, 115}, {145, 115});
    endStep();
    EXPECT_EQ(pasted->bounds().topLeft(), QPointF(140, 110));
    view->paste();
    EXPECT_EQ(view->selectedGraphics().front()->bounds().topLeft(), QPointF(180, 120));

    // Data copied elsewhere (no serial of ours) lands where it was copied.
    const QByteArray payload = SKTGraphic::pasteboardDataWithGraphics({a.get()});
    auto *foreign = new QMimeData;
    foreign->setData(SKTGraphic::pasteboardMimeType(), payload);
    QGuiApplication::clipboard()->setMimeData(foreign);
    view->paste();
    EXPECT_EQ(view->selectedGraphics().front()->bounds().topLeft(), QPointF(100, 100));

    gPreventOverlap = true;
    view->setSelectedGraphics({a.get()});
    view->copy();
    view->paste();
    EXPECT_EQ(view->selectedGraphics().front()->bounds().topLeft(), QPointF(100, 100));
}

TEST_F(CanvasTest, EveryKindIsPastedAndSelectedInOrder)
{
    auto r = addRect({10, 10, 20, 20});
    auto c = std::make_shared<SKTCircle>();
    c->setBounds({50, 10, 20, 20});
    c->setSelectable(true);
    doc->insertGraphicAtIndex(c, 1);
    endStep();
    view->setSelectedGraphics({r.get(), c.get()});
    view->copy();
    view->paste();
    ASSERT_EQ(doc->graphics().size(), 4);
    EXPECT_EQ(selection(), (QList<qsizetype>{0, 1}));
    EXPECT_EQ(doc->graphics()[0]->className(), QStringLiteral("SKTRectangle"));
    EXPECT_EQ(doc->graphics()[1]->className(), QStringLiteral("SKTCircle"));
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Paste"));
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/png")));
    EXPECT_TRUE(data->data(QStringLiteral("application/pdf")).startsWith("%PDF"));
}

TEST_F(CanvasTest, SlideshowsRefuseCopyAndCutDeletesNothing)
{
    auto r = addRect({10, 10, 20, 20});
    auto show = std::make_shared<SKTSlideshow>();
    show->setBounds({50, 50, 100, 100});
    show->setSelectable(true);
    doc->insertGraphicAtIndex(show, 0);
    endStep();
    QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
    view->setSelectedGraphics({show.get()});
    key(Qt::Key_X, Qt::ControlModifier);
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Slideshows do not support copy"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Sorry slideshows can not be copied."));
    view->setSelectedGraphics({show.get(), r.get()});
    view->copy();
    EXPECT_TRUE(alerts.last().informativeText.startsWith(QStringLiteral("Sorry slideshows can not be copied, please")));
    EXPECT_EQ(doc->graphics().size(), 2);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("unchanged"));
}

TEST_F(CanvasTest, BadClipboardDataPastesNothing)
{
    addRect({10, 10, 20, 20});
    const auto before = snapshot();
    const int steps = undo().undoCount();
    auto *bad = new QMimeData;
    bad->setData(SKTGraphic::pasteboardMimeType(), QByteArray("\xff\x00garbage", 9));
    QGuiApplication::clipboard()->setMimeData(bad);
    view->paste();
    EXPECT_EQ(alerts.count(), 1);
    endStep();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(undo().undoCount(), steps);

    // A seeded mutation loop over a valid payload: no crash, and whatever is
    // pasted is of our classes with finite geometry.
    auto victim = addRect({30, 30, 40, 40});
    victim->setLink(QStringLiteral("http://example.org"));
    const QByteArray valid = SKTGraphic::pasteboardDataWithGraphics({victim.get()});
    QRandomGenerator random(1234);
    for (int round = 0; round < 400; ++round) {
        QByteArray mutated = valid;
        const int edits = 1 + random.bounded(4);
        for (int e = 0; e < edits; ++e)
            mutated[random.bounded(int(mutated.size()))] = char(random.bounded(256));
        QMimeData data;
        data.setData(SKTGraphic::pasteboardMimeType(), mutated);
        const qsizetype count = doc->graphics().size();
        const bool pasted = view->pasteFromMimeData(data);
        endStep();
        if (!pasted) {
            EXPECT_EQ(doc->graphics().size(), count);
            continue;
        }
        for (SKTGraphic *g : view->selectedGraphics()) {
            const QRectF b = g->bounds();
            EXPECT_TRUE(std::isfinite(b.x()) && std::isfinite(b.y()) && std::isfinite(b.width())
                        && std::isfinite(b.height()));
        }
        doc->setGraphics({victim});
    }
}

TEST_F(CanvasTest, DeletingASectionWithContentAsksWhatToDo)
{
    gResponsiveEdition = true;
    auto makeSection = [&](int32_t number, double y) {
        auto section = std::make_shared<SKTTable>();
        section->setGridType(QStringLiteral("section"));
        section->setSectionNumber(number);
        section->setSelectable(true);
        section->setBounds({0, y, 800, 100});
        doc->insertGraphicAtIndex(section, doc->graphics().size());
        return section;
    };
    auto full = makeSection(1, 0);
    auto empty = makeSection(2, 200);
    auto member = addRect({10, 10, 20, 20});
    member->setSectionNumber(1);
    auto other = addRect({10, 400, 20, 20});
    other->setSectionNumber(-99);
    endStep();

    // Skip Sections: the other graphics go, the section and its content stay;
    // an empty section asks nothing.
    alerts.answer(QStringLiteral("Skip Sections"));
    view->setSelectedGraphics({full.get(), empty.get(), other.get()});
    key(Qt::Key_Delete);
    endStep();
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().informativeText,
              QStringLiteral("Deleting sections will also delete all objects contained within the section."));
    EXPECT_EQ(doc->graphics().size(), 2);
    EXPECT_TRUE(doc->indexOfGraphic(full.get()) >= 0 && doc->indexOfGraphic(member.get()) >= 0);

    alerts.answer(QStringLiteral("Delete All"));
    view->setSelectedGraphics({full.get()});
    key(Qt::Key_Delete);
    EXPECT_TRUE(doc->graphics().isEmpty());
}

TEST_F(CanvasTest, PastedSectionsStackAtTheClickAndImagesGetNewNames)
{
    auto section = [&](int32_t number, double y, double h) {
        auto s = std::make_shared<SKTTable>();
        s->setGridType(QStringLiteral("section"));
        s->setSectionNumber(number);
        s->setSelectable(true);
        s->setBounds({0, y, 800, h});
        doc->insertGraphicAtIndex(s, doc->graphics().size());
        return s;
    };
    auto first = section(1, 0, 120);
    auto second = section(2, 150, 80);
    endStep();
    view->setSelectedGraphics({first.get(), second.get()});
    view->copy();
    // Later edits of the originals do not reach the copy.
    first->setBounds({0, 0, 800, 500});
    press({900, 400});
    release({900, 400});
    view->paste();
    const QList<SKTGraphic *> pasted = view->selectedGraphics();
    ASSERT_EQ(pasted.size(), 2);
    // Sections do not cascade: they stack from the click, 50 points apart.
    EXPECT_EQ(pasted[0]->bounds().topLeft(), QPointF(0, 400));
    EXPECT_EQ(pasted[1]->bounds().topLeft(), QPointF(0, 400 + pasted[0]->height() + 50));

    // An image pasted gets the next free name; its original file is copied
    // from the source page's folder only for a plain name of our two kinds.
    auto image = std::make_shared<SKTImage>();
    image->setImageName(QStringLiteral("image1"));
    image->setImageType(QStringLiteral("PNG"));
    image->setSelectable(true);
    image->setBounds({10, 700, 40, 40});
    doc->insertGraphicAtIndex(image, 0);
    auto hostile = std::make_shared<SKTImage>();
    hostile->setImageName(QStringLiteral("../../etc/x"));
    hostile->setImageType(QStringLiteral("PNG"));
    hostile->setSelectable(true);
    hostile->setBounds({60, 700, 40, 40});
    doc->insertGraphicAtIndex(hostile, 0);
    endStep();
    insertions.calls.clear();
    view->setSelectedGraphics({image.get(), hostile.get()});
    view->copy();
    view->paste();
    ASSERT_EQ(insertions.calls.size(), 1);
    EXPECT_EQ(insertions.calls.first(), QStringLiteral("copy:%1|image1o.PNG|image2o.PNG").arg(doc->pageFolderPath()));
    QStringList names;
    for (SKTGraphic *g : view->selectedGraphics())
        names << static_cast<SKTImage *>(g)->imageName();
    EXPECT_FALSE(names.contains(QStringLiteral("image1")));
    EXPECT_FALSE(names.contains(QStringLiteral("../../etc/x")));
}

TEST_F(CanvasTest, SectionAwarePasteWithNoSectionKeepsX)
{
    gSectionAwarePaste = true;
    auto a = addRect({300, 100, 20, 20});
    view->setSelectedGraphics({a.get()});
    view->copy();
    press({700, 600});
    release({700, 600});
    view->paste();
    ASSERT_EQ(view->selectedGraphics().size(), 1);
    EXPECT_EQ(view->selectedGraphics().front()->bounds().x(), 310);

    // Foreign classes in otherwise good data paste nothing and record nothing.
    GraphicProperties foreign;
    foreign.setString(QStringLiteral("className"), QStringLiteral("NSButton"));
    foreign.setRect(QStringLiteral("bounds"), QRectF(0, 0, 10, 10));
    QCborArray array;
    array.append(foreign.toCbor());
    QMimeData data;
    data.setData(SKTGraphic::pasteboardMimeType(), QCborValue(array).toCbor());
    endStep();
    const auto before = snapshot();
    const int steps = undo().undoCount();
    EXPECT_FALSE(view->pasteFromMimeData(data));
    endStep();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(undo().undoCount(), steps);
}

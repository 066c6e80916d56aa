// Pasting into page sections, through the canvas's "paste" command with our
// data on the clipboard and the real insertion adapter: each pasted graphic
// takes the cell column matching its own under the click, at a running y
// that keeps the copied spacing; with no section under the click graphics
// keep their x; graphics copied with their section follow its copy. Each
// paste is one undo step that selects what it inserted.
#include "CanvasFixture.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/CanvasResponder.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTTable.h"
#include "support/FileHelpers.h"
#include "support/PageGraphics.h"

#include <QRandomGenerator>
#include <cmath>

namespace {
std::shared_ptr<SKTTable> selectableSection(int32_t number, const QPointF &origin, const QList<int> &widths, int h)
{
    auto table = testpage::section(number, origin, widths, h);
    table->setSelectable(true);
    return table;
}

std::shared_ptr<SKTGraphic> text(const QRectF &bounds, int32_t column = 0)
{
    auto t = std::make_shared<SKTText>();
    t->setBounds(bounds);
    t->setSelectable(true);
    t->setTextString(QStringLiteral("copied"));
    t->setSectionColumnSpot(column);
    return t;
}

std::shared_ptr<SKTGraphic> picture(const QRectF &bounds, int32_t column = 0)
{
    auto i = std::make_shared<SKTImage>();
    i->setBounds(bounds);
    i->setSelectable(true);
    i->setImageName(QStringLiteral("image1"));
    i->setImageType(QStringLiteral("PNG"));
    i->setSectionColumnSpot(column);
    return i;
}

std::shared_ptr<SKTGraphic> box(const QRectF &bounds)
{
    auto r = std::make_shared<SKTRectangle>();
    r->setBounds(bounds);
    r->setSelectable(true);
    return r;
}

std::shared_ptr<SKTGraphic> line(const QPointF &from, const QPointF &to)
{
    auto l = std::make_shared<SKTLine>();
    l->setBeginPoint(from);
    l->setEndPoint(to);
    l->setBounds(QRectF(from, to).normalized());
    l->setSelectable(true);
    return l;
}
} // namespace

class SectionPasteTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        gSectionAwarePaste = true;
        adapter = std::make_unique<CanvasInsertionAdapter>(*view);
        view->setInsertions(adapter.get());
        responder = std::make_unique<CanvasResponder>(*view);
        // Cells at x 0, 200 and 500, from y 100 to 300.
        section = selectableSection(3, {0, 100}, {200, 300, 300}, 200);
        doc->insertGraphicAtIndex(section, 0);
        endStep();
    }
    void TearDown() override
    {
        responder.reset();
        view->setInsertions(&insertions);
        adapter.reset();
        CanvasTest::TearDown();
    }

    // Puts the graphics on the clipboard as another window's copy would
    // (pictures from sourceFolder).
    static void putOnClipboard(const QList<std::shared_ptr<SKTGraphic>> &copied, const QString &sourceFolder = QString())
    {
        QList<SKTGraphic *> raw;
        for (const auto &g : copied)
            raw.append(g.get());
        auto *data = new QMimeData;
        data->setData(SKTGraphic::pasteboardMimeType(), SKTGraphic::pasteboardDataWithGraphics(raw));
        data->setData(QStringLiteral("application/x-zov-source-page"), sourceFolder.toUtf8());
        QGuiApplication::clipboard()->setMimeData(data);
    }
    void click(const QPointF &at)
    {
        press(at);
        release(at);
        endStep();
    }
    void pasteCommand()
    {
        responder->performAction(QStringLiteral("paste"), ActionItemState{QStringLiteral("paste")});
        endStep();
    }

    std::unique_ptr<CanvasInsertionAdapter> adapter;
    std::unique_ptr<CanvasResponder> responder;
    std::shared_ptr<SKTTable> section;
};

TEST_F(SectionPasteTest, EachGraphicTakesItsOwnSlotAsOneUndoStep)
{
    const int none = -1;
    struct Case {
        const char *name;
        QList<std::shared_ptr<SKTGraphic>> copied; // front first
        QPointF click;
        QList<QPointF> at;       // where each lands, in the copied order
        QList<int> columns;      // the section column each takes; none: not stamped
    };
    const Case cases[] = {
        {"a picture into the middle cell", {picture({37, 500, 40, 40})}, {250, 150}, {{200, 150}}, {1}},
        {"a text into the last cell", {text({10, 500, 100, 30})}, {600, 120}, {{500, 120}}, {2}},
        {"a table, copied afresh, into the first cell",
         {testpage::section(0, {30, 500}, {100}, 40, QStringLiteral("table"))},
         {50, 150},
         {{0, 150}},
         {0}},
        {"stacked by the running y, spacing kept",
         {text({10, 560, 100, 30}), picture({60, 500, 40, 40})},
         {250, 150},
         {{200, 210}, {200, 150}},
         {1, 1}},
        {"columns follow the leftmost copied one, the last column at most",
         {text({10, 500, 100, 30}, 0), picture({300, 500, 40, 40}, 1), box({600, 520, 20, 20})},
         {600, 150},
         {{500, 150}, {500, 150}, {500, 170}},
         {2, 2, 2}},
        {"no section under the click: x kept, y from the click",
         {text({10, 560, 100, 30}), picture({60, 500, 40, 40})},
         {700, 600},
         {{10, 660}, {60, 600}},
         {none, none}},
        {"a mixed selection: the line stays, the rest is placed",
         {box({120, 500, 30, 30}), line({40, 520}, {140, 540}), text({10, 580, 100, 30})},
         {50, 200},
         {{0, 200}, {40, 520}, {0, 280}},
         {0, none, 0}},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        doc->setGraphics({section});
        putOnClipboard(test.copied);
        click(test.click);
        undo().removeAllActions();
        const auto before = snapshot();
        pasteCommand();
        const qsizetype n = test.copied.size();
        ASSERT_EQ(doc->graphics().size(), n + 1);
        QList<qsizetype> expectedSelection;
        for (qsizetype i = 0; i < n; ++i) {
            expectedSelection.append(i);
            const SKTGraphic &pasted = *doc->graphics()[i];
            EXPECT_EQ(pasted.className(), test.copied[i]->className()) << "copied stacking kept";
            EXPECT_EQ(pasted.bounds().topLeft(), test.at[i]) << "graphic " << i;
            if (test.columns[i] == none) {
                EXPECT_NE(pasted.sectionNumber(), 3) << "graphic " << i;
            } else {
                EXPECT_EQ(pasted.sectionNumber(), 3) << "graphic " << i;
                EXPECT_EQ(pasted.sectionColumnSpot(), test.columns[i]) << "graphic " << i;
            }
        }
        EXPECT_EQ(selection(), expectedSelection);
        EXPECT_EQ(undo().undoCount(), 1);
        EXPECT_EQ(undo().undoActionName(), QStringLiteral("Paste"));
        ASSERT_TRUE(undo().undo());
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(SectionPasteTest, PicturesGetNewNamesWithTheirOriginalsFromTheSourcePage)
{
    const QString source = path(QStringLiteral("other/page"));
    ASSERT_TRUE(testfiles::writeFile(QDir(source).filePath(QStringLiteral("image1o.PNG")), "picture bytes"));
    putOnClipboard({picture({37, 500, 40, 40})}, source);
    click({250, 150});
    pasteCommand();
    auto *pasted = dynamic_cast<SKTImage *>(doc->graphics().front().get());
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted->imageName(), QStringLiteral("image1"));
    EXPECT_EQ(testfiles::readFile(QDir(doc->pageFolderPath()).filePath(pasted->imageName() + QStringLiteral("o.PNG"))),
              "picture bytes");
}

TEST_F(SectionPasteTest, GraphicsCopiedWithTheirSectionFollowItsCopy)
{
    // Copied: a two-cell section at y 400 with a text in its second cell,
    // and a text that belongs to no copied section.
    auto copiedSection = selectableSection(7, {0, 400}, {400, 400}, 150);
    auto member = text({420, 430, 100, 30}, 1);
    member->setSectionNumber(7);
    auto loose = text({50, 900, 100, 30});
    loose->setSectionNumber(-99);
    putOnClipboard({member, loose, copiedSection});
    click({100, 500});
    pasteCommand();
    ASSERT_EQ(doc->graphics().size(), 4);
    SKTGraphic *pastedMember = doc->graphics()[0].get();
    SKTGraphic *pastedLoose = doc->graphics()[1].get();
    auto *copy = dynamic_cast<SKTTable *>(doc->graphics()[2].get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->bounds().topLeft(), QPointF(0, 500)) << "the section stacks from the click";
    EXPECT_NE(copy->sectionNumber(), 7) << "a copied section takes a new number";
    EXPECT_NE(copy->sectionNumber(), 3);
    // At its place in the section's copy, laid out to the cell's left edge as
    // texts in sections are.
    EXPECT_EQ(pastedMember->bounds().topLeft(), QPointF(400, 530));
    EXPECT_EQ(pastedMember->sectionNumber(), copy->sectionNumber());
    EXPECT_EQ(pastedMember->sectionColumnSpot(), 1);
    EXPECT_EQ(pastedLoose->bounds().topLeft(), QPointF(50, 900));
    EXPECT_EQ(selection(), (QList<qsizetype>{0, 1, 2}));
    EXPECT_EQ(undo().undoCount(), 2); // the page section put there, and the paste
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(doc->graphics().size(), 1);
}

TEST_F(SectionPasteTest, MutatedDataIntoASectionPastesNothingOrFiniteGeometry)
{
    // Section spots, numbers and geometry arrive from the clipboard: a seeded
    // loop of byte edits over a valid payload must paste nothing or graphics
    // of finite geometry, and never crash.
    auto member = text({420, 430, 100, 30}, 1);
    member->setSectionNumber(7);
    const auto image = picture({60, 500, 40, 40}, 2);
    const auto copiedSection = testpage::section(7, {0, 400}, {400, 400}, 150);
    const QByteArray valid = SKTGraphic::pasteboardDataWithGraphics({member.get(), image.get(), copiedSection.get()});
    click({250, 150});
    QRandomGenerator random(2026);
    for (int round = 0; round < 300; ++round) {
        QByteArray mutated = valid;
        for (int e = 1 + random.bounded(4); e > 0; --e)
            mutated[random.bounded(int(mutated.size()))] = char(random.bounded(256));
        doc->setGraphics({section});
        QMimeData data;
        data.setData(SKTGraphic::pasteboardMimeType(), mutated);
        const bool pasted = view->pasteFromMimeData(data);
        endStep();
        if (!pasted) {
            EXPECT_EQ(doc->graphics().size(), 1);
            continue;
        }
        for (SKTGraphic *g : view->selectedGraphics()) {
            const QRectF b = g->bounds();
            ASSERT_TRUE(std::isfinite(b.x()) && std::isfinite(b.y()) && std::isfinite(b.width())
                        && std::isfinite(b.height()))
                << "round " << round;
        }
    }
}

// Colour targets and swatches over real graphics of a page document: the
// grid figures, "CLEAR0" rules, a pick over mixed kinds as one undo step,
// and the page colour as an undoable change.
#include "SelectionDouble.h"
#include "document/SKTDocument.h"
#include "sidebar/ColorPicking.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

namespace {
QStringList palette(int n)
{
    QStringList p{ColorPicking::clearEntry()};
    for (int i = 1; i < n; ++i)
        p << QString::asprintf("%06X", i * 977);
    return p;
}
} // namespace

TEST(ColorPickingGridTest, WholeRowsClearFirstAndTheCurrentColourMarked)
{
    const QStringList p = palette(507);
    const auto grid = ColorPicking::swatchGrid(p, ColorTarget::Shape, p[45]);
    EXPECT_EQ(grid.size(), 500);
    EXPECT_EQ(ColorPicking::gridSize(p), QSize(400, 500));
    EXPECT_EQ(grid[45].frame, QRect(100, 40, 20, 20));
    int marked = 0;
    for (const auto &s : grid)
        marked += s.marked;
    EXPECT_EQ(marked, 1);
    EXPECT_TRUE(grid[45].marked);
    struct Case {
        ColorTarget target;
        bool clearEnabled;
    };
    for (const Case c : {Case{ColorTarget::Text, false}, Case{ColorTarget::Border, false}, Case{ColorTarget::Shape, true},
                         Case{ColorTarget::HoverBackground, true}, Case{ColorTarget::HoverText, true},
                         Case{ColorTarget::Canvas, true}})
        EXPECT_EQ(ColorPicking::swatchGrid(p, c.target, {})[0].enabled, c.clearEnabled) << int(c.target);
    EXPECT_EQ(ColorPicking::targetForTitle("Hover Text", ColorTarget::Shape), ColorTarget::HoverText);
    EXPECT_EQ(ColorPicking::targetForTitle("Nothing", ColorTarget::Border), ColorTarget::Border);
}

class ColorPickingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        text = std::make_shared<SKTText>();
        text->setBounds({10, 10, 100, 40});
        image = std::make_shared<SKTImage>();
        image->setBounds({150, 10, 80, 60});
        line = std::make_shared<SKTLine>();
        line->setBounds({10, 200, 100, 2});
        table = std::make_shared<SKTTable>();
        auto cell = std::make_shared<myTextView>();
        table->setCellHelperArray({cell});
        table->setNumOfRows(1);
        table->setNumOfColumns(1);
        table->SKTGraphic::setBounds({300, 10, 60, 30});
        table->refreshLayout();
        doc.insertGraphics({text, image, line, table}, {0, 1, 2, 3});
        doc.undoManager().closeAutomaticGroup();
        selection.selected = {text.get(), image.get(), line.get(), table.get()};
    }
    QList<GraphicProperties> snapshot()
    {
        return {text->properties(), image->properties(), line->properties(), table->properties()};
    }
    SKTDocument doc;
    SelectionDouble selection{doc};
    std::shared_ptr<SKTText> text;
    std::shared_ptr<SKTImage> image;
    std::shared_ptr<SKTLine> line;
    std::shared_ptr<SKTTable> table;
};

TEST_F(ColorPickingTest, APickOverMixedKindsIsOneStepAndUndoRestoresEverything)
{
    struct Case {
        ColorTarget target;
        QString hex;
        std::function<void()> check;
    };
    const Case cases[] = {
        {ColorTarget::Border, "FF0000",
         [&] {
             for (SKTGraphic *g : selection.selected)
                 EXPECT_EQ(g->borderHexColorString(), QStringLiteral("FF0000"));
             EXPECT_EQ(table->cellHelperArray()[0]->borderHexColorString, QStringLiteral("FF0000"));
         }},
        {ColorTarget::Text, "CLEAR0",
         [&] {
             EXPECT_EQ(text->fontColor(), QColor(Qt::black));
             EXPECT_EQ(text->textHexColorString(), QStringLiteral("CLEAR0"));
             EXPECT_EQ(image->textHexColorString(), QString());
         }},
        {ColorTarget::Shape, "CLEAR0",
         [&] {
             EXPECT_EQ(text->fillColor().alpha(), 0);
             EXPECT_EQ(table->backgroundHexColorString(), QStringLiteral("CLEAR0"));
         }},
        {ColorTarget::HoverText, "00FF00", [&] { EXPECT_EQ(table->hoverTextColorString(), QStringLiteral("00FF00")); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.target));
        const QList<GraphicProperties> before = snapshot();
        const int steps = doc.undoManager().undoCount();
        ColorPicking::pickedAColor(selection, c.target, c.hex);
        c.check();
        EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
        ASSERT_TRUE(doc.undoManager().undo());
        const QList<GraphicProperties> after = snapshot();
        for (int i = 0; i < before.size(); ++i)
            for (const QString &key : before[i].map().keys() + after[i].map().keys())
                EXPECT_EQ(after[i].map().value(key), before[i].map().value(key)) << i << " " << key.toStdString();
    }
}

TEST_F(ColorPickingTest, CanvasColourMarksThePageEditedAndUndoes)
{
    struct Sink : PageColorSink {
        QStringList shown;
        void updateDocumentColor(const QColor &, const QString &hex) override { shown << hex; }
    } sink;
    doc.documentColorHexString = "FFFFFF";
    doc.markClean();
    ASSERT_FALSE(doc.isDocumentEdited());
    // Undo reaches the window through the document, which outlives the
    // inspector that picked the colour.
    doc.windowHooks.refreshPageBackgroundColor = [&] { sink.shown << doc.documentColorHexString; };
    ColorPicking::setCanvasColor(doc, "336699", &sink);
    EXPECT_EQ(doc.documentColorHexString, QStringLiteral("336699"));
    EXPECT_EQ(doc.pageColor, QColor("#336699"));
    EXPECT_TRUE(doc.isDocumentEdited());
    EXPECT_EQ(doc.undoManager().undoActionName(), QStringLiteral("Canvas Color"));
    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_EQ(doc.documentColorHexString, QStringLiteral("FFFFFF"));
    EXPECT_EQ(sink.shown, QStringList({"336699", "FFFFFF"}));
    doc.windowHooks.refreshPageBackgroundColor = nullptr;
}

#include "sidebar/ui/ColorSelectorPanel.h"

#include <QAbstractButton>
#include <QTest>

TEST_F(ColorPickingTest, ClickingASwatchOverMixedKindsAndItsUndo)
{
    const QStringList p = palette(60);
    ColorSelectorPanel panel(selection, ColorTarget::Border, p, p[3]);
    panel.show();
    ASSERT_EQ(panel.swatches().size(), 60);
    EXPECT_FALSE(panel.swatches()[0]->isEnabled());
    EXPECT_TRUE(panel.isMarked(3));
    const QList<GraphicProperties> before = snapshot();
    const int steps = doc.undoManager().undoCount();
    QTest::mouseClick(panel.swatches()[25], Qt::LeftButton);
    EXPECT_FALSE(panel.isMarked(3));
    EXPECT_TRUE(panel.isMarked(25));
    for (SKTGraphic *g : selection.selected)
        EXPECT_EQ(g->borderHexColorString(), p[25]);
    EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_EQ(snapshot(), before);
}

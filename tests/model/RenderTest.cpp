#include "DrawingProbe.h"
#include "support/TempDir.h"

#include "model/GraphicFactory.h"
#include "model/GraphicOwner.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "model/SKTCircle.h"
#include "model/SKTLine.h"
#include "model/SKTRectangle.h"
#include "model/SKTTable.h"
#include "model/ScriptingCollections.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
std::unique_ptr<SKTRectangle> box(QRectF r, QColor fill)
{
    auto g = std::make_unique<SKTRectangle>();
    g->setBounds(r);
    g->setDrawingFill(true);
    g->setFillColor(fill);
    g->setDrawingStroke(false);
    return g;
}

std::unique_ptr<SKTLine> line(QPointF from, QPointF to, int width, const char *style = "solid")
{
    auto l = std::make_unique<SKTLine>();
    l->setBeginPoint(from);
    l->setEndPoint(to);
    l->setBorderWidth(width);
    l->setBorderStyle(QString::fromLatin1(style));
    l->setBorderColor(Qt::black);
    return l;
}
} // namespace

TEST(Renderer, FirstGraphicIsFrontMostAndFaultyGraphicsAreSkipped)
{
    auto front = box({20, 20, 60, 60}, Qt::red);
    auto back = box({50, 50, 60, 60}, Qt::blue);
    SKTGraphic faulty; // draws through the base path, which refuses
    faulty.setBounds({0, 0, 200, 200});
    const QImage image = renderScene({front.get(), &faulty, back.get()});
    EXPECT_TRUE(near(image.pixelColor(60, 60), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(100, 100), Qt::blue));
    EXPECT_TRUE(near(image.pixelColor(150, 150), Qt::white));
    EXPECT_EQ(GraphicRenderer::graphicAt({front.get(), back.get()}, {60, 60}), front.get());
    EXPECT_EQ(GraphicRenderer::graphicAt({front.get(), back.get()}, {100, 100}), back.get());
    EXPECT_EQ(GraphicRenderer::graphicAt({front.get(), back.get()}, {190, 190}), nullptr);
}

TEST(Renderer, ScalesPicturesAndWritesPdf)
{
    auto g = box({10, 10, 20, 20}, Qt::red);
    const QImage doubled = GraphicRenderer::renderImage({g.get()}, {50, 50}, Qt::white, 2.0);
    EXPECT_EQ(doubled.size(), QSize(100, 100));
    EXPECT_TRUE(near(doubled.pixelColor(50, 50), Qt::red));
    EXPECT_TRUE(near(doubled.pixelColor(15, 15), Qt::white));

    QTemporaryDir dir;
    const QString path = dir.filePath("page.pdf");
    ASSERT_TRUE(GraphicRenderer::renderPdf({g.get()}, {200, 100}, path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

TEST(Renderer, FitsTheCanvasOntoAPrinterPage)
{
    auto g = box({0, 0, 100, 50}, Qt::red);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    ASSERT_TRUE(GraphicRenderer::renderFitted(printer, {g.get()}, {200, 100}));
    QFile pdf(dir.filePath("printed.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

    // On a picture twice the canvas size the drawing scales with it.
    QImage picture(400, 400, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    ASSERT_TRUE(GraphicRenderer::renderFitted(picture, {g.get()}, {200, 100}));
    EXPECT_TRUE(near(picture.pixelColor(190, 90), Qt::red));
    EXPECT_TRUE(near(picture.pixelColor(210, 90), Qt::white));
    EXPECT_FALSE(GraphicRenderer::renderFitted(picture, {g.get()}, {0, 0}));
}

namespace {
class CanvasDouble : public QWidget {
public:
    QList<SKTGraphic *> graphics;
    RenderOptions options;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        GraphicRenderer::render(painter, graphics, options);
    }
};
} // namespace

TEST(Renderer, DrawsOnAWidgetWithTheSelectionHandles)
{
    auto g = box({40, 40, 60, 40}, Qt::blue);
    g->setSelectable(true);
    CanvasDouble canvas;
    canvas.resize(160, 120);
    canvas.graphics = {g.get()};
    canvas.options.selection = {g.get()};
    const QImage shown = canvas.grab().toImage();
    EXPECT_TRUE(near(shown.pixelColor(70, 60), Qt::blue));
    // A handle sits on each corner: white inside a red ring, over the blue fill.
    EXPECT_TRUE(near(shown.pixelColor(97, 77), Qt::white));
    canvas.options.selection.clear();
    EXPECT_TRUE(near(canvas.grab().toImage().pixelColor(97, 77), Qt::blue));
    // Graphics outside the exposed area are left alone.
    canvas.options.exposed = QRectF(0, 0, 20, 20);
    EXPECT_TRUE(near(canvas.grab().toImage().pixelColor(70, 60), Qt::white));
}

TEST(LineGraphic, DrawsBetweenItsPointsWithArrowHeads)
{
    auto l = line({20, 100}, {180, 100}, 4);
    l->setDrawEndArrow(true);
    const QImage image = renderOne(*l);
    EXPECT_LT(image.pixelColor(100, 100).red(), 60);
    EXPECT_TRUE(near(image.pixelColor(100, 110), Qt::white));
    // The head at the end is 2 x 4 pixels long and as wide.
    EXPECT_LT(image.pixelColor(176, 102).red(), 120);
    EXPECT_TRUE(near(image.pixelColor(186, 100), Qt::white));

    auto dotted = line({20, 50}, {180, 50}, 0, "dotted");
    renderOne(*dotted);
    EXPECT_EQ(dotted->borderWidth(), 1);
    auto none = line({20, 50}, {180, 50}, 3, "none");
    EXPECT_EQ(inkIn(renderOne(*none), QRect(0, 0, 200, 200)), 0);
}

TEST(LineGraphic, HandlesMoveTheEndsAndPropertiesKeepThem)
{
    auto l = line({100, 50}, {20, 80}, 2);
    EXPECT_EQ(l->bounds(), QRectF(20, 50, 80, 30));
    EXPECT_EQ(l->handleUnderPoint({100, 50}), 1);
    EXPECT_EQ(l->handleUnderPoint({20, 80}), 2);
    EXPECT_EQ(l->handleUnderPoint({60, 65}), 0);
    EXPECT_EQ(l->resizeByMovingHandle(2, {120, 10}), 2);
    EXPECT_EQ(l->bounds(), QRectF(100, 10, 20, 40));
    EXPECT_EQ(l->endPoint(), QPointF(120, 10));

    l->setDrawBeginArrow(true);
    const GraphicProperties p = l->properties();
    EXPECT_FALSE(p.contains("bounds"));
    EXPECT_EQ(p.string("drawBeginArrow"), QStringLiteral("1"));
    SKTLine back;
    back.readProperties(p);
    EXPECT_EQ(back.beginPoint(), QPointF(100, 50));
    EXPECT_EQ(back.endPoint(), QPointF(120, 10));
    EXPECT_TRUE(back.drawBeginArrow());
    EXPECT_FALSE(back.keysForValuesToObserveForUndo().contains("bounds"));
    EXPECT_TRUE(back.keysForValuesToObserveForUndo().contains("endPoint"));
    EXPECT_TRUE(l->isContentsUnderPoint({110, 30}));
}

namespace {
// Records what a graphic reports, and undoes it the way a document does.
class RecordingOwner : public GraphicOwner {
public:
    struct Change {
        SKTGraphic *graphic;
        QString key;
        QVariant old;
    };
    QList<Change> changes;
    void graphicAttributeChanged(SKTGraphic &graphic, const QString &key, const QVariant &old) override
    {
        if (graphic.keysForValuesToObserveForUndo().contains(key))
            changes.append({&graphic, key, old});
    }
    void undoAll()
    {
        const QList<Change> recorded = changes;
        for (qsizetype i = recorded.size() - 1; i >= 0; --i)
            recorded[i].graphic->setValue(recorded[i].key, recorded[i].old);
    }
};
} // namespace

TEST(UndoOfKinds, LinePointsFlipsAndTextComeBack)
{
    auto l = line({100, 50}, {20, 80}, 2);
    RecordingOwner owner;
    l->setOwner(&owner);
    l->resizeByMovingHandle(2, {120, 10}); // turns the line right and up
    ASSERT_FALSE(owner.changes.isEmpty());
    owner.undoAll();
    l->setOwner(nullptr);
    EXPECT_EQ(l->beginPoint(), QPointF(100, 50));
    EXPECT_EQ(l->endPoint(), QPointF(20, 80));
    EXPECT_EQ(l->presentablePropertyNameForKey("endPoint"), QStringLiteral("Endpoint"));

    SKTImage image;
    RecordingOwner imageOwner;
    image.setOwner(&imageOwner);
    image.flipHorizontally();
    imageOwner.undoAll();
    EXPECT_FALSE(image.isFlippedHorizontally());
    EXPECT_EQ(image.presentablePropertyNameForKey("flippedHorizontally"), QStringLiteral("Horizontal Flipping"));

    SKTText text;
    RecordingOwner textOwner;
    text.setOwner(&textOwner);
    text.setTextString(QStringLiteral("typed"));
    textOwner.undoAll();
    EXPECT_TRUE(text.textString().isEmpty());
    EXPECT_EQ(text.presentablePropertyNameForKey("textString"), QStringLiteral("Text"));
}

TEST(UndoOfKinds, ScriptedTextIsOneTextStepAndCellEditsComeBack)
{
    SKTText text;
    text.setTextString(QStringLiteral("before"));
    RecordingOwner owner;
    text.setOwner(&owner);
    EXPECT_FALSE(text.keysForValuesToObserveForUndo().contains("undoContents"));
    text.setScriptingContents(QStringLiteral("scripted"));
    ASSERT_EQ(owner.changes.size(), 1);
    EXPECT_EQ(owner.changes.first().key, QStringLiteral("undoContents"));
    EXPECT_EQ(text.presentablePropertyNameForKey("undoContents"), QStringLiteral("Text"));
    EXPECT_EQ(text.scriptingContents(), QStringLiteral("scripted"));
    owner.undoAll();
    EXPECT_EQ(text.textString(), QStringLiteral("before"));
    // Undoing records the redo step the same way.
    EXPECT_EQ(owner.changes.size(), 2);
    EXPECT_EQ(owner.changes.last().old.toString(), QStringLiteral("scripted"));
    // Re-applying the bounds after an edit records nothing.
    owner.changes.clear();
    text.setHeightToMatchContents();
    EXPECT_TRUE(owner.changes.isEmpty());
    text.setOwner(nullptr);

    SKTTable table;
    auto cell = std::make_shared<myTextView>();
    cell->rowSpot = 1;
    cell->columnSpot = 2;
    cell->textStorage = QStringLiteral("old");
    table.setCellHelperArray({cell});
    RecordingOwner tableOwner;
    table.setOwner(&tableOwner);
    table.setCellText(cell, QStringLiteral("typed"));
    ASSERT_EQ(tableOwner.changes.size(), 1);
    EXPECT_EQ(table.presentablePropertyNameForKey("cellText"), QStringLiteral("Text"));
    tableOwner.undoAll();
    table.setOwner(nullptr);
    EXPECT_EQ(cell->textStorage, QStringLiteral("old"));
    EXPECT_EQ(cell->textView.string, QStringLiteral("old"));
    EXPECT_FALSE(table.setValue(QStringLiteral("cellText"), QVariantList{7, 7, QStringLiteral("x")}));
    // The canvas redraws a table whose cell text changed, and an image that flipped.
    EXPECT_TRUE(table.keyPathsForValuesAffectingDrawingContents().contains("cellText"));
    EXPECT_TRUE(SKTImage().keyPathsForValuesAffectingDrawingContents().contains("flippedVertically"));
}

TEST(UndoOfKinds, TableStyleChangesComeBackWithTheirCells)
{
    SKTTable table;
    QList<SKTTable::Cell> cells;
    for (int c = 0; c < 2; ++c) {
        auto cell = std::make_shared<myTextView>();
        cell->columnSpot = c;
        cell->width = 40;
        cell->height = 20;
        cell->backgroundHexColorString = QStringLiteral("CLEAR0");
        cell->fontSize = 12;
        cells.append(cell);
    }
    table.setCellHelperArray(cells);
    table.setNumOfRows(1);
    table.setNumOfColumns(2);
    RecordingOwner owner;
    table.setOwner(&owner);
    // What the inspector does: the table's attribute first, then the cells.
    table.setFillColor(QColor(255, 0, 0));
    table.setBackgroundHexColorString(QStringLiteral("FF0000"));
    table.updateBackgroundColor();
    table.setFontSize(30);
    table.updateFontSize();
    EXPECT_EQ(cells[1]->backgroundHexColorString, QStringLiteral("FF0000"));
    EXPECT_EQ(cells[1]->fontSize, 30);
    EXPECT_EQ(table.presentablePropertyNameForKey("cellStyles"), QStringLiteral("Table Style"));
    owner.undoAll();
    table.setOwner(nullptr);
    // The same cell records, back as they were.
    EXPECT_EQ(table.cellHelperArray()[1], cells[1]);
    EXPECT_EQ(cells[1]->backgroundHexColorString, QStringLiteral("CLEAR0"));
    EXPECT_EQ(cells[0]->fontSize, 12);
    EXPECT_NE(table.fillColor(), QColor(255, 0, 0));
}

TEST(ShapeGraphics, CircleFillsItsOvalAndHitsInsideIt)
{
    auto c = std::make_unique<SKTCircle>();
    c->setBounds({20, 20, 100, 100});
    c->setDrawingFill(true);
    c->setFillColor(Qt::green);
    c->setDrawingStroke(false);
    const QImage image = renderOne(*c);
    EXPECT_TRUE(near(image.pixelColor(70, 70), Qt::green));
    EXPECT_TRUE(near(image.pixelColor(23, 23), Qt::white));
    EXPECT_TRUE(c->isContentsUnderPoint({70, 70}));
    EXPECT_FALSE(c->isContentsUnderPoint({22, 22}));

    auto r = box({20, 20, 100, 100}, Qt::green);
    r->setDrawingStroke(true);
    r->setStrokeColor(Qt::black);
    r->setStrokeWidth(2);
    const QImage framed = renderOne(*r);
    EXPECT_LT(framed.pixelColor(20, 70).red(), 80);
    EXPECT_TRUE(near(framed.pixelColor(70, 70), Qt::green));
}

TEST(ScriptingCollections, FilterByKindAndCarryColours)
{
    auto r = box({0, 0, 1, 1}, Qt::red);
    SKTCircle c;
    auto l = line({0, 0}, {1, 1}, 1);
    const QList<SKTGraphic *> all{r.get(), &c, l.get()};
    EXPECT_EQ(ScriptingCollections::rectangles(all), QList<SKTGraphic *>{r.get()});
    EXPECT_EQ(ScriptingCollections::circles(all), QList<SKTGraphic *>{&c});
    EXPECT_EQ(ScriptingCollections::lines(all).size(), 1);
    EXPECT_TRUE(ScriptingCollections::images(all).isEmpty());
    EXPECT_EQ(ScriptingCollections::at(all, 3), nullptr);

    const QColor colour = QColor::fromRgbF(0.25f, 0.5f, 0.75f);
    const QByteArray descriptor = ScriptingCollections::rgbDescriptor(colour);
    ASSERT_EQ(descriptor.size(), 6);
    const auto back = ScriptingCollections::colourFromRgbDescriptor(descriptor);
    ASSERT_TRUE(back.has_value());
    EXPECT_NEAR(back->redF(), 0.25, 1.0 / 65535);
    EXPECT_NEAR(back->blueF(), 0.75, 1.0 / 65535);
    EXPECT_EQ(back->alphaF(), 1.0);
    EXPECT_FALSE(ScriptingCollections::colourFromRgbDescriptor(QByteArray(5, 0)).has_value());
}

TEST(GraphicKinds, EveryKindIsBuiltByItsClassName)
{
    for (const char *name : {"SKTText", "SKTImage", "SKTLine", "SKTRectangle", "SKTCircle"}) {
        const auto graphic = GraphicFactory::create(QString::fromLatin1(name));
        ASSERT_TRUE(graphic) << name;
        EXPECT_EQ(graphic->className(), QString::fromLatin1(name));
    }
    // A copy keeps the kind and, for texts, the text.
    SKTLine original;
    original.setBeginPoint({5, 5});
    original.setEndPoint({1, 9});
    const auto copied = original.copy();
    ASSERT_EQ(copied->className(), QStringLiteral("SKTLine"));
    EXPECT_EQ(static_cast<SKTLine *>(copied.get())->endPoint(), QPointF(1, 9));
}


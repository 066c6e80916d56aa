// A design brought onto a canvas that took another size: left alone when it
// fits, else scaled down evenly, centred across and at the top, none of its
// pieces lost.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTRectangle.h"
#include "model/SKTText.h"
#include "window/CanvasFit.h"

#include <gtest/gtest.h>

TEST(CanvasFitTest, TheDesignIsScaledEvenlyAndPlacedOnlyWhenAPieceLiesOutside)
{
    struct Case {
        const char *what;
        QRectF pieces;
        QSizeF previous;
        QSizeF canvas;
        bool moves;
        double scale;
        QRectF placedPieces;
    };
    const Case cases[] = {
        {"fits already", {10, 10, 100, 50}, {1275, 825}, {622, 435}, false, 1.0, {}},
        {"a larger canvas", {0, 0, 1275, 825}, {1275, 825}, {2000, 1000}, false, 1.0, {}},
        // The old canvas goes onto the new one, centred across.
        {"a lower canvas", {64, 330, 1148, 165}, {1275, 825}, {1245, 435}, true, 435.0 / 825,
         {(1245 - 1275 * 435.0 / 825) / 2 + 64 * 435.0 / 825, 330 * 435.0 / 825, 1148 * 435.0 / 825, 165 * 435.0 / 825}},
        // Its top stays at the top: a title band is still where it began.
        {"a narrower canvas", {0, 0, 1275, 182}, {1275, 825}, {637, 825}, true, 637.0 / 1275,
         {0, 0, 637, 182 * 637.0 / 1275}},
        // A piece beyond the old canvas is part of the design too.
        {"beyond the old canvas", {900, 100, 200, 100}, {1000, 500}, {1000, 500}, true, 1000.0 / 1100,
         {900 * 1000.0 / 1100, 100 * 1000.0 / 1100, 200 * 1000.0 / 1100, 100 * 1000.0 / 1100}},
        {"left of the canvas, old size unknown", {-50, 10, 100, 20}, {}, {400, 300}, true, 1.0, {150, 10, 100, 20}},
        {"a hair over the edge", {0, 0, 622.4, 435.3}, {622, 435}, {622, 435}, false, 1.0, {}},
        {"no pieces", {}, {1275, 825}, {622, 435}, false, 1.0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto placement = CanvasFit::placementFor(c.pieces, c.previous, c.canvas);
        ASSERT_EQ(placement.has_value(), c.moves);
        if (!placement)
            continue;
        EXPECT_NEAR(placement->scale, c.scale, 1e-9);
        const QRectF placed = placement->map(c.pieces);
        EXPECT_NEAR(placed.x(), c.placedPieces.x(), 1e-6);
        EXPECT_NEAR(placed.y(), c.placedPieces.y(), 1e-6);
        EXPECT_NEAR(placed.width(), c.placedPieces.width(), 1e-6);
        EXPECT_NEAR(placed.height(), c.placedPieces.height(), 1e-6);
        EXPECT_TRUE(QRectF(QPointF(0, 0), c.canvas).adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(placed));
    }
}

// On a page: every piece comes inside, texts shrink with their frames, and
// no undo step is left that would put the pieces back off the canvas.
TEST(CanvasFitTest, APagesPiecesComeInsideWithTheirTextSizes)
{
    EditionSettings::resetToInitialState();
    gCanvasWidth = 622;
    gCanvasMaxHeight = 435;
    SKTDocument doc;
    auto text = std::make_shared<SKTText>();
    text->setBounds({64, 330, 1148, 165});
    text->setFontSize(74);
    text->setTextString(QStringLiteral("Your design"));
    auto band = std::make_shared<SKTRectangle>();
    band->setBounds({0, 0, 1275, 182});
    doc.insertGraphicAtIndex(text, 0);
    doc.insertGraphicAtIndex(band, 1);
    doc.undoManager().removeAllActions();

    ASSERT_TRUE(CanvasFit::bringInside(doc, {1275, 825}));
    const double scale = 622.0 / 1275;  // the width limits
    const QRectF canvas(0, 0, 622, 435);
    for (const auto &graphic : doc.graphics())
        EXPECT_TRUE(canvas.contains(graphic->bounds()));
    EXPECT_NEAR(band->bounds().width(), 1275 * scale, 1e-6);
    EXPECT_NEAR(text->bounds().width() / band->bounds().width(), 1148.0 / 1275, 1e-9);
    EXPECT_EQ(text->fontSize(), 36);
    EXPECT_EQ(doc.graphics().size(), 2);
    EXPECT_FALSE(doc.undoManager().canUndo());
    // Once inside, it stays as it is.
    EXPECT_FALSE(CanvasFit::bringInside(doc, {1275, 825}));
    EditionSettings::resetToInitialState();
}

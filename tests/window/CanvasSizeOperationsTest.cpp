// The canvas-size sheet's sizes, its fields and the undoable size change.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "window/CanvasSizeOperations.h"

#include <gtest/gtest.h>

namespace {
class CanvasSizeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gCanvasWidth = 1000;
        gCanvasMaxHeight = 2000;
        auto t = std::make_shared<SKTText>();
        t->setBounds({10, 20, 300, 180});
        doc.insertGraphicAtIndex(t, 0);
        doc.undoManager().removeAllActions();
        doc.markClean();
    }
    void TearDown() override { EditionSettings::resetToInitialState(); }
    SKTDocument doc;
};
}  // namespace

TEST_F(CanvasSizeTest, TheSheetShowsTheContentExtentOrThePagesOwnSize)
{
    CanvasSizeFields f = CanvasSizeOperations::fieldsFor(doc);
    EXPECT_EQ(f.segment, 0);
    EXPECT_EQ(f.width, doc.findMaxScreenWidth() + 50);
    EXPECT_EQ(f.height, doc.findMaxScreenHeight() + 50);
    gNoCanvasMargin = true;
    EXPECT_EQ(CanvasSizeOperations::fieldsFor(doc).width, doc.findMaxScreenWidth());
    doc.setPageCanvas(1, 640, 480);
    f = CanvasSizeOperations::fieldsFor(doc);
    EXPECT_EQ(f.segment, 1);
    EXPECT_EQ(f.width, 640);
    EXPECT_EQ(f.height, 480);
}

TEST_F(CanvasSizeTest, FieldsTakeWholeNumbersFromOneToTwentyThousand)
{
    const std::pair<const char *, int> cases[] = {{"1", 1},     {"20000", 20000}, {" 640 ", 640}, {"0", -1},
                                                  {"20001", -1}, {"-5", -1},       {"12.5", -1},  {"1e3", -1},
                                                  {"", -1},      {"abc", -1},      {"99999999999", -1}, {"٣", -1}};
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text);
        const auto v = CanvasSizeOperations::parseSide(QString::fromUtf8(text));
        EXPECT_EQ(v.value_or(-1), expected);
    }
}

TEST_F(CanvasSizeTest, ANewSizeIsAnUndoableChangeThatMarksThePageEdited)
{
    int announced = 0;
    QObject::connect(&doc.events(), &DocumentEvents::canvasSizeChanged, [&announced] { ++announced; });
    ASSERT_FALSE(doc.isDocumentEdited());
    EXPECT_FALSE(CanvasSizeOperations::saveCanvasSize(doc, 1, 0, 480));
    EXPECT_FALSE(CanvasSizeOperations::saveCanvasSize(doc, 1, 640, 20001));
    EXPECT_FALSE(doc.isDocumentEdited());

    ASSERT_TRUE(CanvasSizeOperations::saveCanvasSize(doc, 1, 640, 480));
    doc.undoManager().closeAutomaticGroup();
    EXPECT_TRUE(doc.isDocumentEdited());
    EXPECT_EQ(doc.pageCanvasSize(), QSizeF(640, 480));
    EXPECT_EQ(doc.undoManager().undoActionName(), QStringLiteral("Canvas Size"));
    EXPECT_GE(announced, 1);

    ASSERT_TRUE(CanvasSizeOperations::saveCanvasSize(doc, 0, 0, 0));
    doc.undoManager().closeAutomaticGroup();
    EXPECT_EQ(doc.docSpecificPageWidth, 0);
    EXPECT_EQ(doc.pageCanvasSize(), QSizeF(1000, 2000));

    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_EQ(doc.pageCanvasSize(), QSizeF(640, 480));
    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_EQ(doc.docSpecificFixedCanvasFlag, 0);
    EXPECT_EQ(doc.pageCanvasSize(), QSizeF(1000, 2000));
    EXPECT_FALSE(doc.isDocumentEdited());
    ASSERT_TRUE(doc.undoManager().redo());
    EXPECT_EQ(doc.pageCanvasSize(), QSizeF(640, 480));

    // A page whose own size is not valid falls back to the default.
    doc.docSpecificFixedCanvasFlag = 1;
    doc.docSpecificPageWidth = 0;
    CanvasSizeOperations::resetCanvasSize(doc);
    EXPECT_EQ(doc.pageCanvasSize(), QSizeF(1000, 2000));
}

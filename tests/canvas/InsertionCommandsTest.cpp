// The Insert menu's commands reach the makers through the canvas of the
// window: each inserts at the insertion point as one undo step.
#include "CanvasFixture.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/CanvasResponder.h"
#include "canvas/ui/InsertionCommands.h"
#include "model/SKTLine.h"

TEST_F(CanvasTest, InsertMenuCommandsRunTheirMakersAsOneStepEach)
{
    registerInsertionCommands();
    CanvasInsertionAdapter adapter(*view);
    view->setInsertions(&adapter);
    CanvasResponder responder(*view);
    struct Row {
        const char *action;
        int tag;
        const char *firstClass;
        const char *text; // the first graphic's text, when it has one
    };
    const QList<Row> rows = {
        {"addLine", 0, "SKTLine", ""},
        {"addLineDotted", 0, "SKTLine", ""},
        {"addNewHTMLSnippet", 0, "SKTText", "<b>Enter HTML code here</b>"},
        {"addPerson_FirstName", 0, "SKTText", "[FIRST_NAME]"},
        {"addZovLink3", 0, "", ""},
        {"addImageGallery", 0, "SKTGalleryGrid", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.action);
        const auto before = snapshot();
        ActionItemState sender;
        sender.action = QString::fromLatin1(row.action);
        sender.tag = row.tag;
        ASSERT_TRUE(responder.respondsToAction(sender.action));
        ASSERT_TRUE(responder.validateAction(sender));
        responder.performAction(sender.action, sender);
        endStep();
        ASSERT_GT(doc->graphics().size(), qsizetype(before.size()));
        const SKTGraphic &first = *doc->graphics().front();
        if (*row.firstClass) {
            EXPECT_EQ(first.className(), QString::fromLatin1(row.firstClass));
        }
        if (*row.text) {
            EXPECT_EQ(first.textString(), QString::fromLatin1(row.text));
        }
        if (QLatin1String(row.action) == QLatin1String("addLine")) {
            const auto *line = dynamic_cast<const SKTLine *>(&first);
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->beginPoint(), QPointF(100, 30)) << "no scroll view: 100 right, 30 down";
            EXPECT_EQ(line->endPoint(), QPointF(300, 230));
        }
        ASSERT_TRUE(undo().undo());
        EXPECT_EQ(snapshot(), before) << "one undo step";
    }
    view->setInsertions(&insertions);
}

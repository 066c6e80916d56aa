#include "support/FakeGraphicEnvironment.h"

#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "model/ui/SlideShowWidget.h"
#include "model/ui/ZovsClipView.h"
#include "model/ui/TextGraphicEditor.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

TEST(SlideShowWidget, OffersOnlyTheButtonsThatLeadSomewhere)
{
    QWidget canvas;
    canvas.resize(400, 300);
    SlideShowWidget view(QRectF(0, 0, 300, 200), nullptr, &canvas);
    EXPECT_TRUE(view.nextButton()->isHidden());
    EXPECT_TRUE(view.previousButton()->isHidden());
    EXPECT_EQ(view.textView()->text(), QStringLiteral("Right click to edit slideshow (0/0)"));
    auto slide = [] {
        auto s = std::make_shared<TransformView>();
        QImage red(30, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        s->image = red;
        s->originalWidth = 30;
        s->originalHeight = 20;
        return s;
    };
    view.slides().imageArray = {slide(), slide()};
    view.slides().reAlignImageSize();
    view.refresh();
    EXPECT_FALSE(view.nextButton()->isHidden());
    EXPECT_TRUE(view.previousButton()->isHidden());
    view.showNext();
    EXPECT_TRUE(view.nextButton()->isHidden());
    EXPECT_FALSE(view.previousButton()->isHidden());
    EXPECT_EQ(view.contentView()->x(), -300);
    EXPECT_EQ(view.textView()->text(), QStringLiteral("Right click to edit slideshow (2/2)"));
    EXPECT_EQ(view.slideshowMenu()->actions().size(), 7);
}

TEST(TextGraphicEditor, EditsTheTextOrTheCellInPlace)
{
    QWidget canvas;
    canvas.resize(400, 400);
    SKTText text;
    text.setBounds({10, 10, 200, 50});
    text.setTextString(QStringLiteral("old"));
    text.setFontSize(14);
    text.setSelectable(true);
    TextGraphicEditor *editor = TextGraphicEditor::create(text, canvas.rect(), &canvas);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("old"));
    EXPECT_EQ(editor->width(), 200);
    editor->insertPlainText(QStringLiteral("new")); // replaces the selected text
    EXPECT_EQ(text.textString(), QStringLiteral("new"));
    editor->finalize();
    delete editor;

    text.setZoomBubbleFlag(1);
    EXPECT_EQ(TextGraphicEditor::create(text, canvas.rect(), &canvas), nullptr);

    FakeGraphicEnvironment environment;
    environment.touchPoint = QPointF(15, 15);
    SKTTable table;
    auto cell = std::make_shared<myTextView>();
    cell->width = 80;
    cell->height = 30;
    cell->textStorage = QStringLiteral("cell");
    table.setCellHelperArray({cell});
    table.setNumOfRows(1);
    table.setNumOfColumns(1);
    table.setSelectable(true);
    table.SKTGraphic::setBounds({10, 10, 80, 30});
    TextGraphicEditor *cellEditor = TextGraphicEditor::create(table, canvas.rect(), &canvas);
    ASSERT_TRUE(cellEditor);
    EXPECT_EQ(table.cellBeingEdited(), cell);
    cellEditor->insertPlainText(QStringLiteral("typed"));
    EXPECT_EQ(cell->textStorage, QStringLiteral("typed"));
    cellEditor->finalize();
    EXPECT_EQ(table.cellBeingEdited(), nullptr);
    delete cellEditor;
}

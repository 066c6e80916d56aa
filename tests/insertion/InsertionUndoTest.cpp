// Every command is one named undo step: undo gives back the page as it was,
// redo the page as the command left it, property for property.
#include "InsertionFixture.h"

#include "config/ShapeSelectionView.h"
#include "insertion/ImageFactory.h"
#include "insertion/LineMaker.h"
#include "insertion/ObjectMakers.h"
#include "insertion/PalettePresets.h"
#include "insertion/SectionOperations.h"
#include "insertion/TextBoxFactory.h"
#include "insertion/TextCommands.h"
#include "insertion/ZoomBubbleMaker.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"

#include <functional>

namespace {
struct Command {
    QString name;
    std::function<void()> run;
};
} // namespace

class InsertionUndoTest : public InsertionTest {
protected:
    void SetUp() override
    {
        InsertionTest::SetUp();
        ShapeSelectionView shape(QRectF(0, 0, 70, 70));
        shape.fillColor = Qt::red;
        gPresetShapes = {shape};
        ShapeSelectionView style(QRectF(0, 0, 400, 42));
        style.fillColor = Qt::blue;
        style.textColor = Qt::white;
        gPresetTextStyles = {style};
        QImage pic(80, 40, QImage::Format_RGB32);
        pic.fill(Qt::cyan);
        picturePath = path(QStringLiteral("pic.png"));
        pic.save(picturePath);
    }

    // A page with two sections, objects in them, a picture, a bubble over
    // it, a line, a text box and a snippet.
    void buildPage()
    {
        section = makeSection(1, {0, 0}, {400, 400}, 300);
        auto next = makeSection(2, {0, 300}, {800}, 300);
        auto inCell = std::make_shared<SKTText>();
        inCell->setBounds({0, 200, 100, 40});
        inCell->setSectionNumber(1);
        auto picture = std::make_shared<SKTImage>();
        QImage pic(200, 100, QImage::Format_RGB32);
        pic.fill(Qt::magenta);
        picture->setInputImage(pic);
        picture->setContents(pic);
        picture->setBounds({500, 700, 200, 100});
        picture->setImageName(QStringLiteral("image3"));
        bubble = std::make_shared<SKTText>();
        bubble->setBounds({520, 710, 30, 30});
        bubble->setZoomBubbleFlag(1);
        line = std::make_shared<SKTLine>();
        line->setBounds({0, 900, 100, 1});
        line->setDrawEndArrow(true);
        text = std::make_shared<SKTText>();
        text->setTextType(QStringLiteral("Text"));
        text->setTextString(QStringLiteral("Hello"));
        text->setBounds({0, 950, 200, 50});
        snippet = std::make_shared<SKTText>();
        snippet->setTextType(QStringLiteral("HTMLSnippet"));
        snippet->setTextString(QStringLiteral("<iframe width=\"5\" height=\"6\">"));
        snippet->setBounds({0, 1000, 300, 200});
        place({line, bubble, picture, text, snippet, inCell, section, next});
    }

    QList<Command> commands()
    {
        QList<Command> list;
        auto add = [&list](const QString &name, std::function<void()> run) { list.append({name, std::move(run)}); };
        auto *f = frame.get();
        auto *ctx = context.get();
        add("addLine", [f] { LineMaker(*f).addLine(); });
        add("addLineDashed", [f] { LineMaker(*f).addLineDashed(); });
        add("addLineDotted", [f] { LineMaker(*f).addLineDotted(); });
        add("drawStartArrow", [f, ctx, this] { ctx->selection = {line.get()}; LineMaker(*f).drawStartArrow(); });
        add("hideEndArrow", [f, ctx, this] {
            ctx->selection = {line.get()};
            LineMaker(*f).hideEndArrow();
        });
        add("branches", [f, ctx, this] { ctx->selection = {text.get()}; LineMaker(*f).addMultipleShapesSelected({}); });
        add("tag", [f] { ObjectMakers(*f).addPersonTagCommand(QStringLiteral("[EMAIL]")); });
        add("fullAddress", [f] { ObjectMakers(*f).addPerson_FullAddress(); });
        add("fullAddressDrag", [f] { ObjectMakers(*f).addFullAddress_drag({420, 20}); });
        add("card", [f] { ObjectMakers(*f).addIndividual_drag({420, 20}); });
        add("badge", [f] { ObjectMakers(*f).addZovLink(3); });
        add("gallery", [f] { ObjectMakers(*f).addImageGallery(); });
        add("photo", [f] { ObjectMakers(*f).addEnlargeablePhoto_drag({430, 40}); });
        add("shape", [f] { ObjectMakers(*f).addNewShape(0); });
        add("styledText", [f] { ObjectMakers(*f).addNewSelectedTextView(0); });
        add("snippet", [f] { TextBoxFactory(*f).addSnippet_drag(QStringLiteral("<b>x</b>"), {1, 2, 3, 4}); });
        add("zoomBubble", [f, ctx, this] { ctx->selection = {bubble.get()}; ZoomBubbleMaker(*f).createZoomBubble(); });
        add("pictureFiles", [f, this] { ImageFactory(*f).addPictureFiles({picturePath}, {420, 50}); });
        add("pullSavedText", [f, ctx, this] {
            ctx->selection = {text.get()};
            TextCommands commands(*f);
            commands.savedTextShown();
            commands.pullFromSavedText(QStringLiteral("more"));
        });
        if (!gResponsiveEdition) // the command is not offered there
            add("snippetSize", [f, ctx, this] {
            ctx->selection = {snippet.get()};
            TextCommands commands(*f);
                commands.showAutoAdjustSnippetSize();
                commands.autoAdjustSnippetSize();
            });
        for (const QString &code : PalettePresets::shared().codes())
            add(code, [f, code] { PalettePresets::shared().insert(*f, code, {420, 30}, 2.0); });
        return list;
    }

    std::shared_ptr<SKTTable> section;
    std::shared_ptr<SKTText> bubble, text, snippet;
    std::shared_ptr<SKTLine> line;
    QString picturePath;
};

TEST_F(InsertionUndoTest, EveryCommandIsOneStepThatUndoesAndRedoesExactly)
{
    for (const bool responsive : {false, true}) {
        gResponsiveEdition = responsive;
        const QList<Command> list = commands();
        ASSERT_GT(list.size(), 100);
        for (const Command &command : list) {
            SCOPED_TRACE(QStringLiteral("%1 (responsive %2)").arg(command.name).arg(responsive).toStdString());
            doc->clearAllGraphics();
            doc->undoManager().removeAllActions();
            context->selection.clear();
            buildPage();
            const QList<std::shared_ptr<SKTGraphic>> beforeOrder = doc->graphics();
            const QList<GraphicProperties> before = snapshot();
            const int steps = doc->undoManager().undoCount();
            command.run();
            const QList<std::shared_ptr<SKTGraphic>> afterOrder = doc->graphics();
            const QList<GraphicProperties> after = snapshot();
            EXPECT_NE(after, before);
            EXPECT_EQ(doc->undoManager().undoCount(), steps + 1);
            EXPECT_FALSE(doc->undoManager().undoActionName().isEmpty());
            if (!doc->undoManager().undo()) {
                ADD_FAILURE() << "nothing to undo";
                continue;
            }
            EXPECT_EQ(doc->graphics(), beforeOrder);
            EXPECT_EQ(snapshot(), before);
            EXPECT_TRUE(doc->undoManager().redo());
            EXPECT_EQ(doc->graphics(), afterOrder);
            EXPECT_EQ(snapshot(), after);
        }
    }
}

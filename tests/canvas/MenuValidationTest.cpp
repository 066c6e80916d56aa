// Menu validation of the canvas: one table of selections and editions, the
// remembered objects, and the responder that refuses what validation hides.
#include "CanvasFixture.h"

#include "canvas/CanvasMenuValidator.h"
#include "canvas/CanvasResponder.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/TransformView.h"

#include <functional>

namespace {
// What an item shows after validation: "v" visible or "h" hidden, "e"
// enabled or "d" disabled, and the title when it was retitled.
std::string shown(CanvasMenuValidator &validator, const QString &action, bool startVisible = true)
{
    ActionItemState item;
    item.action = action;
    item.title = QStringLiteral("-");
    item.visible = startVisible;
    const bool enabled = validator.validate(item);
    std::string s = std::string(item.visible ? "v" : "h") + (enabled ? "e" : "d");
    if (item.title != QLatin1String("-"))
        s += " " + item.title.toStdString();
    return s;
}
} // namespace

class MenuTest : public CanvasTest {
protected:
    template <typename T>
    std::shared_ptr<T> put(const QRectF &bounds)
    {
        auto g = std::make_shared<T>();
        g->setBounds(bounds);
        g->setSelectable(true);
        doc->insertGraphicAtIndex(g, 0);
        endStep();
        return g;
    }
    std::shared_ptr<SKTText> snippet(bool formatted)
    {
        auto t = put<SKTText>({10, 10, 100, 50});
        t->setTextType(QStringLiteral("HTMLSnippet"));
        t->setSnippetFormatFlag(formatted);
        t->setTextString(QStringLiteral("<b>x</b>"));
        endStep();
        return t;
    }
    CanvasMenuValidator &validator() { return view->menuValidator(); }
};

TEST_F(MenuTest, TheTableHas73RowsAndEveryPredicateIsKnown)
{
    const auto &rows = CanvasMenuValidator::rows();
    ASSERT_EQ(rows.size(), 73);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, i + 1);
        for (const QString &part : rows[i].predicate.split(u'&'))
            EXPECT_TRUE(validator().hasPredicate(part)) << part.toStdString();
    }
    EXPECT_EQ(validator().rowFor(QStringLiteral("noSuchAction")).number, 73);
    EXPECT_EQ(validator().rowFor(QStringLiteral("moveTableRowLeft")).number, 54);
}

TEST_F(MenuTest, ValidationOverSelectionsAndEditions)
{
    struct Case {
        const char *name;
        std::function<void()> setUp; // builds the page and the selection
        QList<std::pair<const char *, const char *>> expected;
    };
    const QList<Case> cases = {
        {"nothing selected",
         [] { gTableImagesEnabled = true; },
         {{"layerOptionsShown", "hd"}, {"alignOptionsShown", "hd"}, {"delete", "hd"}, {"bringToFront", "hd"},
          {"alignWithGrid", "hd"}, {"applyLinkPopOver", "hd"}, {"applyTooltip", "hd"}, {"cut", "hd"},
          {"duplicate", "hd"}, {"addGalleryImage", "hd"}, {"centerGroup", "hd"}, {"positionSettingActions", "hd"},
          {"showCodeEditor", "hd"}, {"tableEditMenu", "hd"}, {"savedTextOptions", "hd"},
          {"deleteTableImage", "ve"}, {"showOrHideRulers", "ve Show Ruler"}, {"addTable", "ve"},
          {"showShapePopOver", "ve"}, {"someOtherCommand", "ve"}, {"undo", "vd"},
          {"configureSectionWindowController", "hd"}, {"moveImageUp", "hd"}}},
        {"one empty slideshow",
         [this] { view->setSelectedGraphics({put<SKTSlideshow>({0, 0, 100, 100}).get()}); },
         {{"layerOptionsShown", "hd"}, {"alignOptionsShown", "hd"}, {"cut", "hd"}, {"copy", "hd"},
          {"duplicate", "hd"}, {"addSlideshowImage", "ve"}, {"deleteSlide", "hd"}, {"linkSlide", "hd"}}},
        {"one slideshow with a slide, automatic",
         [this] {
             auto show = put<SKTSlideshow>({0, 0, 100, 100});
             show->addIntoImageArray(std::make_shared<TransformView>());
             show->setSlideShowAutomaticFlag(1);
             view->setSelectedGraphics({show.get()});
         },
         {{"deleteSlide", "ve"}, {"automateSlideShow", "ve Disable Auto Scrolling"}}},
        {"one rectangle, left edges hidden by the edition",
         [this] {
             gHideAlignLeftEdges = true;
             view->setSelectedGraphics({addRect({0, 0, 10, 20}).get()});
         },
         {{"alignTopEdges", "vd"}, {"alignLeftEdges", "hd"}, {"alignRightEdges", "vd"}, {"bringForward", "ve"},
          {"delete", "ve"}, {"cut", "ve"}, {"makeNaturalSize", "ve"}, {"applyLinkPopOver", "hd"}}},
        {"two rectangles",
         [this] { view->setSelectedGraphics({addRect({0, 0, 10, 10}).get(), addRect({20, 0, 10, 10}).get()}); },
         {{"alignLeftEdges", "ve"}, {"alignTopEdges", "ve"}, {"bringForward", "vd"}, {"makeNaturalSize", "vd"},
          {"groupObjects", "ve"}}},
        {"two tables, responsive",
         [this] {
             gResponsiveEdition = true;
             view->setSelectedGraphics({put<SKTTable>({0, 0, 50, 50}).get(), put<SKTTable>({60, 0, 50, 50}).get()});
         },
         {{"joinTablesVertically", "hd"}, {"tableEditMenu", "ve"}, {"configureTableGrid", "hd"}}},
        {"two tables, not responsive",
         [this] {
             view->setSelectedGraphics({put<SKTTable>({0, 0, 50, 50}).get(), put<SKTTable>({60, 0, 50, 50}).get()});
         },
         {{"joinTablesHorizontally", "ve"}}},
        {"one image that enlarges",
         [this] {
             auto image = put<SKTImage>({0, 0, 50, 50});
             image->setImageEnlargeFlag(1);
             image->setAltText(QStringLiteral("A cat"));
             view->setSelectedGraphics({image.get()});
         },
         {{"setClickToEnlarge", "ve Remove Click to Enlarge"}, {"launchCropImagePanel", "ve"},
          {"showClickToEnlargeOptions", "ve"}, {"applyTooltip", "ve"}, {"applyLinkPopOver", "ve"},
          {"bringToFront", "ve"}}},
        {"one image, click to enlarge hidden by the edition",
         [this] {
             gHideClickToEnlarge = true;
             gHideTooltip = true;
             view->setSelectedGraphics({put<SKTImage>({0, 0, 50, 50}).get()});
         },
         {{"showClickToEnlargeOptions", "hd"}, {"setClickToEnlarge", "ve Click to Enlarge"}, {"applyTooltip", "hd"}}},
        {"two snippets, one formatted, formatting offered",
         [this] {
             gHideSnippetFormatting = true;
             view->setSelectedGraphics({snippet(false).get(), snippet(true).get()});
         },
         {{"showCodeEditor", "hd"}, {"applyHTMLSnippetFormattingOption", "ve"},
          {"removeHTMLSnippetFormattingOption", "ve"}}},
        {"the same, responsive",
         [this] {
             gHideSnippetFormatting = true;
             gResponsiveEdition = true;
             view->setSelectedGraphics({snippet(false).get(), snippet(true).get()});
         },
         {{"applyHTMLSnippetFormattingOption", "ve"}, {"removeHTMLSnippetFormattingOption", "hd"},
          {"autoAdjustSnippetSize", "hd"}}},
        {"one snippet",
         [this] { view->setSelectedGraphics({snippet(false).get()}); },
         {{"showCodeEditor", "ve"}, {"autoAdjustSnippetSize", "ve"}, {"applyHTMLSnippetFormattingOption", "hd"},
          {"applyLinkPopOver", "hd"}, {"savedTextOptions", "ve"}}},
        {"one line with an end arrow",
         [this] {
             auto line = put<SKTLine>({0, 0, 50, 50});
             line->setDrawEndArrow(true);
             view->setSelectedGraphics({line.get()});
         },
         {{"showArrowOptions", "ve"}, {"drawStartArrow", "ve"}, {"hideStartArrow", "hd"}, {"drawEndArrow", "hd"},
          {"hideEndArrow", "ve"}}},
        {"one form field, required",
         [this] {
             auto field = put<SKTText>({0, 0, 50, 20});
             field->setFormType(QStringLiteral("text"));
             field->setFormRequiredFlag(1);
             field->setFormOptionTag(-11);
             view->setSelectedGraphics({field.get()});
         },
         {{"makeFormOptional", "ve"}, {"makeFormMandatory", "hd"}, {"markAsReplyTo", "ve"}, {"cut", "hd"},
          {"savedTextOptions", "hd"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EditionSettings::resetToInitialState();
        gCanvasWidth = 1000;
        gCanvasMaxHeight = 800;
        doc->setGraphics({});
        view->deselectAll();
        c.setUp();
        for (const auto &[action, expected] : c.expected)
            EXPECT_EQ(shown(validator(), QString::fromLatin1(action)), expected) << action;
    }
}

TEST_F(MenuTest, JoinCommandsLeaveVisibilityAloneOutsideResponsiveEditions)
{
    view->setSelectedGraphics({put<SKTTable>({0, 0, 50, 50}).get(), put<SKTTable>({60, 0, 50, 50}).get()});
    EXPECT_EQ(shown(validator(), QStringLiteral("joinTablesVertically"), false), "he");
    EXPECT_EQ(shown(validator(), QStringLiteral("alignTopEdges"), false), "he");
}

TEST_F(MenuTest, RememberedObjectsAreWeakAndCheckedAgainstThePage)
{
    auto image = put<SKTImage>({0, 0, 50, 50});
    view->setSelectedGraphics({image.get()});
    EXPECT_EQ(shown(validator(), QStringLiteral("launchCropImagePanel")), "ve");
    EXPECT_EQ(validator().selectedImage(), image.get());
    view->deleteSelection();
    endStep();
    // The undo step keeps the image alive, but it is no longer on the page.
    EXPECT_EQ(validator().selectedImage(), nullptr);
    undo().undo();
    EXPECT_EQ(validator().selectedImage(), image.get());
    SKTGraphic *raw = image.get();
    image.reset();
    doc->setGraphics({});
    undo().removeAllActions();
    EXPECT_EQ(validator().selectedImage(), nullptr) << raw;

    // A section offers no link, but its cell's link is remembered.
    auto section = put<SKTTable>({0, 0, 100, 100});
    auto cell = std::make_shared<myTextView>();
    cell->link = QStringLiteral("about.html");
    cell->width = 100;
    cell->height = 100;
    section->setCellHelperArray({cell});
    section->setNumOfRows(1);
    section->setNumOfColumns(1);
    section->setGridType(QStringLiteral("section"));
    view->lastTouchPointValue = QPointF(10, 10);
    view->setSelectedGraphics({section.get()});
    EXPECT_EQ(shown(validator(), QStringLiteral("applyLinkPopOver")), "hd");
    EXPECT_EQ(validator().existingHyperLink, QStringLiteral("about.html"));
    EXPECT_FALSE(validator().doesSelectedTableContainBackgroundPattern());
}

TEST_F(MenuTest, TheResponderRunsOnlyWhatValidationOffers)
{
    CanvasResponder responder(*view);
    const QList<ActionResponder *> chain = {&responder};
    for (const QString &action : CanvasResponder::canvasActions())
        EXPECT_TRUE(responder.respondsToAction(action)) << action.toStdString();
    auto a = addRect({0, 0, 10, 10});
    auto b = addRect({50, 30, 10, 10});
    ActionItemState item;
    item.action = QStringLiteral("alignLeftEdges");
    EXPECT_FALSE(ResponderChain::validate(chain, item)) << "nothing selected";
    view->setSelectedGraphics({a.get(), b.get()});
    EXPECT_TRUE(ResponderChain::validate(chain, item));
    ASSERT_TRUE(ResponderChain::send(chain, QStringLiteral("alignLeftEdges"), item));
    endStep();
    EXPECT_EQ(b->bounds().x(), 0);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Align Left Edges"));

    // A command of another part, registered by name, reaches the canvas.
    int calls = 0;
    CanvasResponder::addCommand(QStringLiteral("transformTable"), [&calls](SKTGraphicView &, const ActionItemState &) {
        ++calls;
    });
    CanvasResponder second(*view);
    ActionItemState transform;
    transform.action = QStringLiteral("transformTable");
    second.performAction(transform.action, transform);
    EXPECT_EQ(calls, 1);
    CanvasResponder::addCommand(QStringLiteral("transformTable"), {});
}

// The context menu, the pop-overs and the windows of the canvas, driven by
// real events offscreen: a right click opens the menu and its shown items are
// read; pop-overs and windows are typed into and saved by clicking Save.
#include "CanvasFixture.h"

#include "canvas/CanvasMenuValidator.h"
#include "canvas/CanvasResponder.h"
#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/ui/CanvasAssembly.h"
#include "canvas/ui/CanvasCommandPresenter.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "canvas/ui/CanvasContextMenu.h"
#include "canvas/ui/CanvasPopOver.h"
#include "canvas/ui/CodeEditorWindowController.h"
#include "canvas/ui/PrintSettingsWindowController.h"
#include "sidebar/ui/HyperLinkViewController.h"
#include "sidebar/ui/LayerArrangementViewController.h"
#include "sidebar/ui/TooltipViewController.h"
#include "sidebar/ui/ZovNSTextField.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/TransformView.h"

#include <QContextMenuEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

class WidgetsTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        responder = std::make_unique<CanvasResponder>(*view);
        ResponderChain::setProvider([this] { return QList<ActionResponder *>{responder.get()}; });
        presenter = new CanvasCommandPresenter(*widget, *responder);
    }
    void TearDown() override
    {
        ResponderChain::setProvider({});
        delete presenter;
        responder.reset();
        CanvasTest::TearDown();
    }
    std::shared_ptr<SKTImage> putImage(const QRectF &bounds)
    {
        auto image = std::make_shared<SKTImage>();
        image->setBounds(bounds);
        image->setSelectable(true);
        doc->insertGraphicAtIndex(image, 0);
        endStep();
        return image;
    }
    std::shared_ptr<SKTText> putSnippet()
    {
        auto t = std::make_shared<SKTText>();
        t->setBounds({300, 300, 200, 100});
        t->setSelectable(true);
        t->setTextType(QStringLiteral("HTMLSnippet"));
        t->setTextString(QStringLiteral("<b>old</b>"));
        doc->insertGraphicAtIndex(t, 0);
        endStep();
        return t;
    }
    // A right click at a canvas point; the menu's shown titles.
    QStringList rightClick(const QPointF &at)
    {
        const QPoint p = at.toPoint();
        QContextMenuEvent event(QContextMenuEvent::Mouse, p, widget->mapToGlobal(p));
        QApplication::sendEvent(widget.get(), &event);
        QApplication::processEvents();
        return presenter->contextMenu()->visibleTitles();
    }
    // Chooses a visible item of the open context menu by its title.
    void choose(const QString &title)
    {
        CanvasContextMenu *menu = presenter->contextMenu();
        for (QAction *a : menu->actions())
            if (a->text() == title && a->isVisible() && a->isEnabled()) {
                menu->hide();
                a->trigger();
                QApplication::processEvents();
                return;
            }
        ADD_FAILURE() << "no item " << title.toStdString();
    }
    std::unique_ptr<CanvasResponder> responder;
    CanvasCommandPresenter *presenter = nullptr;
};

TEST_F(WidgetsTest, RightClickShowsOnlyWhatAppliesToTheSelection)
{
    QStringList titles = rightClick({20, 20});
    EXPECT_TRUE(presenter->contextMenu()->isVisible());
    EXPECT_TRUE(titles.contains(QStringLiteral("Paste")));
    EXPECT_FALSE(titles.contains(QStringLiteral("Cut")));
    EXPECT_FALSE(titles.contains(QStringLiteral("Arrange >")));
    EXPECT_FALSE(titles.contains(QStringLiteral("Tooltip...")));
    presenter->contextMenu()->hide();

    auto image = putImage({100, 100, 80, 60});
    view->setSelectedGraphics({image.get()});
    titles = rightClick({120, 120});
    for (const char *t : {"Cut", "Copy", "Duplicate", "Delete", "Arrange >", "Align >", "Link...", "Tooltip...",
                          "Click to Enlarge >", "Crop Image...", "Replace Image..."})
        EXPECT_TRUE(titles.contains(QString::fromLatin1(t))) << t;
    for (const char *t : {"Group", "Add Slides...", "Edit Code...", "Table >", "Gallery >", "Edit Section..."})
        EXPECT_FALSE(titles.contains(QString::fromLatin1(t))) << t;
    EXPECT_TRUE(presenter->contextMenu()->separatorNamed(QStringLiteral("fourth"))->isVisible());
    EXPECT_FALSE(presenter->contextMenu()->separatorNamed(QStringLiteral("first"))->isVisible());
    EXPECT_EQ(view->lastTouchPointValue, QPointF(120, 120));
    presenter->contextMenu()->hide();

    // A shortcut of a hidden command does nothing: Group needs two graphics.
    image->setGroupNumber(-99);
    auto rect = putImage({300, 100, 20, 20});
    rect->setGroupNumber(-99);
    endStep();
    view->setSelectedGraphics({rect.get()});
    QApplication::processEvents(); // the menu revalidates after the selection change
    EXPECT_FALSE(presenter->contextMenu()->actionNamed(QStringLiteral("groupObjects"))->isEnabled());
    const auto before = snapshot();
    QTest::keyClick(widget.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(snapshot(), before);
    view->setSelectedGraphics({rect.get(), image.get()});
    QApplication::processEvents();
    QAction *group = presenter->contextMenu()->actionNamed(QStringLiteral("groupObjects"));
    ASSERT_TRUE(group->isEnabled());
    QTest::keyClick(widget.get(), Qt::Key_G, Qt::ControlModifier);
    endStep();
    EXPECT_NE(rect->groupNumber(), -99);
    EXPECT_EQ(rect->groupNumber(), image->groupNumber());
}

TEST_F(WidgetsTest, TooltipAndLinkPopOversSaveWhatIsTyped)
{
    auto image = putImage({600, 200, 80, 60});
    image->setAltText(QStringLiteral("old tip"));
    endStep();
    view->setSelectedGraphics({image.get()});
    rightClick({610, 210});
    choose(QStringLiteral("Tooltip..."));
    ASSERT_NE(presenter->zovPopOver(), nullptr);
    EXPECT_TRUE(presenter->zovPopOver()->isVisible());
    // Beside the image, on its left.
    EXPECT_LE(presenter->zovPopOver()->geometry().right(), widget->mapToGlobal(QPoint(600, 200)).x());
    TooltipViewController *tooltip = presenter->tooltipViewController();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(tooltip->tooltipTextbox()->text(), QStringLiteral("old tip"));
    tooltip->tooltipTextbox()->clear();
    QTest::keyClicks(tooltip->tooltipTextbox(), QStringLiteral("A red barn"));
    QTest::mouseClick(tooltip->saveButton(), Qt::LeftButton);
    QApplication::processEvents();
    endStep();
    EXPECT_EQ(image->altText(), QStringLiteral("A red barn"));
    EXPECT_EQ(presenter->zovPopOver(), nullptr);

    rightClick({610, 210});
    choose(QStringLiteral("Link..."));
    HyperLinkViewController *link = presenter->hyperLinkViewController();
    ASSERT_NE(link, nullptr);
    QTest::keyClicks(link->linkTextbox(), QStringLiteral("  my page.html "));
    QTest::mouseClick(link->saveLinkButton(), Qt::LeftButton);
    QApplication::processEvents();
    endStep();
    EXPECT_EQ(image->link(), QStringLiteral("my%20page.html"));

    // Opening another pop-over closes the one shown.
    rightClick({610, 210});
    choose(QStringLiteral("Link..."));
    QPointer<CanvasPopOver> first = presenter->zovPopOver();
    rightClick({610, 210});
    choose(QStringLiteral("Tooltip..."));
    QApplication::processEvents();
    EXPECT_TRUE(!first || !first->isVisible());
    presenter->closePopOver();
}

TEST_F(WidgetsTest, LayerIndexPopOverGivesEveryoneTheIndex)
{
    auto a = addRect({10, 10, 20, 20});
    auto b = addRect({50, 10, 20, 20});
    view->setSelectedGraphics({a.get(), b.get()});
    rightClick({15, 15});
    const QStringList arrange = presenter->contextMenu()->visibleTitles(
        presenter->contextMenu()->actionNamed(QStringLiteral("layerOptionsShown"))->menu());
    EXPECT_TRUE(arrange.contains(QStringLiteral("Layer Index...")));
    presenter->contextMenu()->hide();
    presenter->contextMenu()->actionNamed(QStringLiteral("applyLayerIndex"))->trigger();
    LayerArrangementViewController *layer = presenter->layerArrangementViewController();
    ASSERT_NE(layer, nullptr);
    QTest::keyClicks(layer->zindexTextbox(), QStringLiteral("12"));
    QTest::mouseClick(layer->saveButton(), Qt::LeftButton);
    endStep();
    EXPECT_EQ(a->manualLayerIndex(), 12);
    EXPECT_EQ(b->manualLayerIndex(), 12);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(a->manualLayerIndex(), 0);
    EXPECT_EQ(b->manualLayerIndex(), 0);
}

TEST_F(WidgetsTest, CodeEditorIsOneReusedWindowAndSavesIntoItsSnippet)
{
    auto snippet = putSnippet();
    view->setSelectedGraphics({snippet.get()});
    rightClick({310, 310});
    choose(QStringLiteral("Edit Code..."));
    CodeEditorWindowController *editor = presenter->codeEditorWindowController();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Code Editor"));
    EXPECT_EQ(editor->codeEditorTextView()->toPlainText(), QStringLiteral("<b>old</b>"));
    EXPECT_EQ(editor->codeEditorTextView()->font().pointSize(), 13);
    editor->codeEditorTextView()->selectAll();
    QTest::keyClicks(editor->codeEditorTextView(), QStringLiteral("<a href=\"x\">new</a>"));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    endStep();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(snippet->contents(), QStringLiteral("<a href=\"x\">new</a>")) << "quotes stay straight";
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(snippet->contents(), QStringLiteral("<b>old</b>"));

    // Reused; a slider value is taken whole.
    rightClick({310, 310});
    choose(QStringLiteral("Edit Code..."));
    EXPECT_EQ(presenter->codeEditorWindowController(), editor);
    editor->adjustCodeFontSize(17.9);
    EXPECT_EQ(editor->codeEditorTextView()->font().pointSize(), 17);

    // The snippet deleted while the editor is open: Save only closes.
    view->deleteSelection();
    endStep();
    const auto before = snapshot();
    const int steps = undo().undoCount();
    QTest::keyClicks(editor->codeEditorTextView(), QStringLiteral("more"));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    endStep();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(undo().undoCount(), steps);
}

TEST_F(WidgetsTest, PrintSettingsStartAtRowAndColumnOne)
{
    ASSERT_TRUE(ResponderChain::send(QStringLiteral("launchPrintSettings")));
    PrintSettingsWindowController *settings = presenter->printSettingsWindowController();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->windowTitle(), QStringLiteral("Print Settings"));
    EXPECT_EQ(settings->startingRowSpotTextField()->text(), QStringLiteral("1"));
    EXPECT_EQ(settings->startingColumnSpotTextField()->text(), QStringLiteral("1"));
    settings->startingRowSpotTextField()->clear();
    QTest::keyClicks(settings->startingRowSpotTextField(), QStringLiteral("3x"));
    settings->startingColumnSpotTextField()->clear();
    QTest::keyClicks(settings->startingColumnSpotTextField(), QStringLiteral("2"));
    QTest::mouseClick(settings->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(gPrintStartingRow, 3) << "letters are not taken";
    EXPECT_EQ(gPrintStartingColumn, 2);

    ResponderChain::send(QStringLiteral("launchPrintSettings"));
    settings->startingRowSpotTextField()->clear();
    QTest::keyClicks(settings->startingRowSpotTextField(), QStringLiteral("-4"));
    QTest::mouseClick(settings->saveButton(), Qt::LeftButton);
    EXPECT_EQ(gPrintStartingRow, -4) << "stored as typed";
    ResponderChain::send(QStringLiteral("launchPrintSettings"));
    EXPECT_EQ(settings->startingRowSpotTextField()->text(), QStringLiteral("1"));
    EXPECT_EQ(settings->startingColumnSpotTextField()->text(), QStringLiteral("2"));
    settings->hide();
}

TEST(CanvasPopOverPlacement, LeftSidePreferredThenRightThenBelow)
{
    const QRect screen(0, 0, 1000, 800);
    const QSize size(200, 100);
    EXPECT_EQ(CanvasPopOver::placement(QRect(500, 300, 100, 50), size, screen), QPoint(294, 274));
    EXPECT_EQ(CanvasPopOver::placement(QRect(50, 300, 100, 50), size, screen), QPoint(156, 274));
    const QPoint below = CanvasPopOver::placement(QRect(100, 10, 800, 40), size, screen);
    EXPECT_EQ(below.y(), 56);
    EXPECT_EQ(CanvasPopOver::placement(QRect(500, 0, 100, 20), size, screen).y(), 0) << "kept on the screen";
}

// Every command of the canvas, sent by name along the chain as the menu
// sends it: after undo the properties of all graphics, in order, equal those
// before; after redo, those after.
TEST_F(WidgetsTest, EveryCommandUndoesAndRedoesThePageExactly)
{
    struct Row {
        const char *action;
        const char *select; // t: two texts, u: the second, i: the image, s: snippets, l: all locked/scroll-locked, a: all
        std::function<void()> edit; // instead of sending the action (pop-overs and windows)
    };
    std::shared_ptr<SKTText> t1, t2, snip;
    std::shared_ptr<SKTImage> image;
    auto typeInto = [](QWidget *field, const QString &text) { QTest::keyClicks(field, text); };
    const QList<Row> rows = {
        {"alignLeftEdges", "t", {}}, {"alignRightEdges", "t", {}}, {"alignTopEdges", "t", {}},
        {"alignBottomEdges", "t", {}}, {"alignHorizontalCenters", "t", {}}, {"alignVerticalCenters", "t", {}},
        {"alignHorizontalSpacing", "a", {}}, {"alignVerticalSpacing", "a", {}}, {"makeSameWidth", "t", {}},
        {"makeSameHeight", "t", {}}, {"makeSameSize", "t", {}}, {"makeNaturalSize", "i", {}},
        {"bringForward", "u", {}}, {"sendBackward", "i", {}}, {"bringToFront", "i", {}}, {"sendToBack", "t", {}},
        {"groupObjects", "t", {}}, {"lockObjects", "t", {}}, {"unLockObjects", "l", {}},
        {"scrollLockObjects", "t", {}}, {"unScrollLockObjects", "l", {}}, {"centerGroup", "i", {}},
        {"centerWithinGroup", "t", {}}, {"centerOnCanvas", "t", {}}, {"matchScreenWidth", "l1", {}},
        {"removeManualLayerIndex", "l", {}}, {"applyHTMLSnippetFormattingOption", "s", {}},
        {"removeHTMLSnippetFormattingOption", "s", {}}, {"delete", "a", {}}, {"cut", "t", {}},
        {"duplicate", "t", {}},
        {"applyPasteStyle", "t",
         [&] {
             view->setSelectedGraphics({t1.get()});
             ResponderChain::send(QStringLiteral("grabCopyStyle"));
             view->setSelectedGraphics({t2.get()});
             endStep();
             ResponderChain::send(QStringLiteral("applyPasteStyle"));
         }},
        {"applyTooltip", "i",
         [&] {
             presenter->applyTooltip();
             typeInto(presenter->tooltipViewController()->tooltipTextbox(), QStringLiteral("tip"));
             QTest::mouseClick(presenter->tooltipViewController()->saveButton(), Qt::LeftButton);
         }},
        {"applyLinkPopOver", "i",
         [&] {
             presenter->applyLinkPopOver();
             typeInto(presenter->hyperLinkViewController()->linkTextbox(), QStringLiteral("about.html"));
             QTest::mouseClick(presenter->hyperLinkViewController()->saveLinkButton(), Qt::LeftButton);
         }},
        {"applyLayerIndex", "a",
         [&] {
             presenter->applyLayerIndex();
             typeInto(presenter->layerArrangementViewController()->zindexTextbox(), QStringLiteral("7"));
             QTest::mouseClick(presenter->layerArrangementViewController()->saveButton(), Qt::LeftButton);
         }},
        {"showCodeEditor", "s1",
         [&] {
             ResponderChain::send(QStringLiteral("showCodeEditor"));
             typeInto(presenter->codeEditorWindowController()->codeEditorTextView(), QStringLiteral("<i>"));
             QTest::mouseClick(presenter->codeEditorWindowController()->saveButton(), Qt::LeftButton);
         }},
    };
    // The stored properties with the numbers the dictionary leaves to the page's rules.
    auto state = [this] {
        std::vector<std::string> lines = snapshot();
        for (size_t i = 0; i < lines.size(); ++i) {
            const SKTGraphic &g = *doc->graphics()[qsizetype(i)];
            lines[i] += " group=" + std::to_string(g.groupNumber()) + " moveLock=" + std::to_string(g.moveLock())
                        + " scrollFlag=" + std::to_string(g.scrollFlag())
                        + " layer=" + std::to_string(g.manualLayerIndex());
        }
        return lines;
    };
    gHideSnippetFormatting = true; // an edition that offers snippet formatting
    for (const Row &row : rows) {
        SCOPED_TRACE(row.action);
        presenter->closePopOver();
        doc->setGraphics({});
        undo().removeAllActions();
        gCanvasWidth = 1000;
        auto text = [&](const QRectF &r) {
            auto t = std::make_shared<SKTText>();
            t->setBounds(r);
            t->setSelectable(true);
            t->setTextString(QStringLiteral("Some words"));
            t->setGroupNumber(-99);
            doc->insertGraphicAtIndex(t, doc->graphics().size());
            return t;
        };
        t1 = text({20, 30, 120, 40});
        t2 = text({200, 90, 60, 80});
        t2->setFontSize(30);
        snip = text({400, 300, 150, 60});
        snip->setTextType(QStringLiteral("HTMLSnippet"));
        snip->setSnippetFormatFlag(true);
        auto plainSnippet = text({600, 300, 150, 60});
        plainSnippet->setTextType(QStringLiteral("HTMLSnippet"));
        image = std::make_shared<SKTImage>();
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        image->setContents(picture);
        image->setBounds({180, 100, 90, 50});
        image->setSelectable(true);
        image->setGroupNumber(-99);
        image->setSlideShowNumber(-99); // a free picture: neither a slide nor in a gallery
        image->setGalleryNumber(-99);
        doc->insertGraphicAtIndex(image, 1);
        const QString select = QString::fromLatin1(row.select);
        if (select.startsWith(u'l')) {
            for (const auto &g : doc->graphics()) {
                g->setMoveLock(1);
                g->setScrollFlag(1);
                g->setManualLayerIndex(3);
            }
        }
        endStep();
        if (select == QLatin1String("t"))
            view->setSelectedGraphics({t1.get(), t2.get()});
        else if (select == QLatin1String("u") || select == QLatin1String("l1"))
            view->setSelectedGraphics({select == QLatin1String("u") ? t2.get() : t1.get()});
        else if (select == QLatin1String("i"))
            view->setSelectedGraphics({image.get()});
        else if (select == QLatin1String("s"))
            view->setSelectedGraphics({snip.get(), plainSnippet.get()});
        else if (select == QLatin1String("s1"))
            view->setSelectedGraphics({snip.get()});
        else
            view->setSelectedGraphics(view->graphics());
        view->contextMenuAt({25, 35});
        ActionItemState item;
        item.action = QString::fromLatin1(row.action);
        if (QLatin1String(row.action) != QLatin1String("applyPasteStyle")) {
            ASSERT_TRUE(ResponderChain::validate(item)) << "the menu offers it";
        }
        const auto before = state();
        if (row.edit)
            row.edit();
        else
            ASSERT_TRUE(ResponderChain::send(item.action, item));
        QApplication::processEvents();
        endStep();
        const auto after = state();
        ASSERT_NE(before, after);
        ASSERT_TRUE(undo().undo());
        EXPECT_EQ(state(), before);
        ASSERT_TRUE(undo().redo());
        EXPECT_EQ(state(), after);
    }
    presenter->closePopOver();
}

TEST_F(WidgetsTest, AnAssembledCanvasTogglesItsRulersAndDropsThroughTheMakers)
{
    CanvasAssembly assembly(doc.get());
    assembly.scrollView()->resize(600, 400);
    assembly.scrollView()->show();
    const QList<ActionResponder *> chain = {&assembly.responder()};
    ActionItemState rulers;
    rulers.action = QStringLiteral("showOrHideRulers");
    ResponderChain::validate(chain, rulers);
    EXPECT_EQ(rulers.title, QStringLiteral("Show Ruler"));
    ResponderChain::send(chain, rulers.action, rulers);
    EXPECT_TRUE(assembly.scrollView()->showsRulers());
    ResponderChain::validate(chain, rulers);
    EXPECT_EQ(rulers.title, QStringLiteral("Hide Ruler"));

    QMimeData data;
    data.setData(SKTGraphicView::codeNameMimeType(), "zov_textbox");
    EXPECT_TRUE(assembly.view().performDrop(data, {50, 60}));
    endStep();
    ASSERT_EQ(doc->graphics().size(), 1);
    EXPECT_EQ(doc->graphics()[0]->className(), QStringLiteral("SKTText"));
    EXPECT_EQ(doc->graphics()[0]->bounds().topLeft(), QPointF(50, 60));
    EXPECT_EQ(assembly.insertions().visibleOrigin(), std::optional<QPointF>(QPointF(0, 0)));
}

TEST_F(WidgetsTest, LinkSlideSetsTheLinkOfTheCurrentSlideOnly)
{
    auto show = std::make_shared<SKTSlideshow>();
    show->setBounds({600, 100, 200, 150});
    show->setSelectable(true);
    for (int i = 0; i < 2; ++i) {
        auto slide = std::make_shared<TransformView>();
        slide->link = QStringLiteral("slide%1.html").arg(i);
        show->addIntoImageArray(slide);
    }
    show->setCurrentImageIndex(0);
    doc->insertGraphicAtIndex(show, 0);
    endStep();
    view->setSelectedGraphics({show.get()});
    const QStringList titles = rightClick({650, 150});
    EXPECT_TRUE(titles.contains(QStringLiteral("Link Slide...")));
    EXPECT_FALSE(titles.contains(QStringLiteral("Link...")));
    choose(QStringLiteral("Link Slide..."));
    HyperLinkViewController *link = presenter->hyperLinkViewController();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->linkTextbox()->text(), QStringLiteral("slide0.html"));
    link->linkTextbox()->clear();
    QTest::keyClicks(link->linkTextbox(), QStringLiteral("https://example.com/a b"));
    QTest::mouseClick(link->saveLinkButton(), Qt::LeftButton);
    endStep();
    EXPECT_EQ(show->imageArray()[0]->link, QStringLiteral("https://example.com/a%20b"));
    EXPECT_EQ(show->imageArray()[1]->link, QStringLiteral("slide1.html"));
    EXPECT_EQ(presenter->zovPopOver(), nullptr);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(show->imageArray()[0]->link, QStringLiteral("slide0.html"));
    ASSERT_TRUE(undo().redo());
    EXPECT_EQ(show->imageArray()[0]->link, QStringLiteral("https://example.com/a%20b"));
}

// The driver's set-up and the rules all passes share.
#include "PageFixture.h"

#include "generation/GenerationContext.h"
#include "model/GraphicRenderer.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

namespace {
std::shared_ptr<SKTText> makeText(const QString &type, const QRectF &bounds, const QString &text = QString())
{
    auto t = std::make_shared<SKTText>();
    t->setTextType(type);
    t->setBounds(bounds);
    t->setTextString(text);
    return t;
}

std::shared_ptr<SKTImage> makeImage(const QString &name, const QRectF &bounds)
{
    auto image = std::make_shared<SKTImage>();
    image->setImageName(name);
    image->setImageType(QStringLiteral("PNG"));
    image->setBounds(bounds);
    image->setSlideShowNumber(-99);
    image->setGalleryNumber(-99);
    return image;
}
} // namespace

TEST_F(PageTest, WorkingListsAreRebuiltOnEveryRun)
{
    add(makeText(QStringLiteral("Text"), {0, 0, 50, 20}, QStringLiteral("a")));
    add(makeText(QStringLiteral("HTMLSnippet"), {0, 30, 50, 20}, QStringLiteral("<b>x</b>")));
    add(makeText(QStringLiteral("Other"), {0, 60, 50, 20}));
    add(makeImage(QStringLiteral("image1"), {10, 10, 40, 40}));
    add(std::make_shared<SKTLine>());
    for (int run = 0; run < 2; ++run) {
        generate();
        EXPECT_EQ(doc->textViewArray.size(), 1);
        EXPECT_EQ(doc->htmlSnippetArray.size(), 1);
        EXPECT_GE(doc->imageViewArray.size(), 1);
        EXPECT_EQ(doc->lineArray.size(), 1);
        EXPECT_TRUE(doc->sourceCodeArray.isEmpty());
    }
    // The width measure reached every free graphic.
    EXPECT_EQ(doc->webPageWidth, 50);
}

TEST_F(PageTest, StackingValuesAndSharedRules)
{
    QList<SKTText *> texts;
    for (int i = 0; i < 5; ++i)
        texts << add(makeText(QStringLiteral("Text"), {0, 0, 10, 10}));
    texts[3]->setManualLayerIndex(42);
    GenerationContext ctx(*doc, doc->pageName, false, false);
    EXPECT_EQ(ctx.stackingValue(texts[0]), 5);
    EXPECT_EQ(ctx.stackingValue(texts[4]), 1);
    EXPECT_EQ(ctx.stackingValue(texts[3]), 42);
    EXPECT_EQ(ctx.containerStackingValue(texts[1]), 0);
    ctx.setContainerStackingValue(texts[1], 7);
    EXPECT_EQ(ctx.containerStackingValue(texts[1]), 7);

    EXPECT_EQ(GenerationContext::positionKeyword(1), QStringLiteral("fixed"));
    EXPECT_EQ(GenerationContext::positionKeyword(0), QStringLiteral("absolute"));
    EXPECT_EQ(GenerationContext::positionKeyword(2), QStringLiteral("absolute"));

    const QPair<QString, QString> templates[] = {
        {QStringLiteral("shop.html"), QStringLiteral("shop")},
        {QStringLiteral("folder.v2/page"), QStringLiteral("folder.v2/page")},
        {QStringLiteral("basetemplate"), QStringLiteral("basetemplate")},
        {QString(), QStringLiteral("main")},
        {QStringLiteral("(null)"), QStringLiteral("main")},
        {QStringLiteral(".hidden"), QStringLiteral(".hidden")},
    };
    for (const auto &t : templates)
        EXPECT_EQ(ctx.templateNameFor(t.first), t.second) << t.first.toStdString();
    EXPECT_FALSE(ctx.responsiveLayout);
}

TEST_F(PageTest, NextImageNameCountsImagesAndSlidesAndNeverRepeats)
{
    add(makeImage(QStringLiteral("image3"), {0, 0, 10, 10}));
    auto show = std::make_shared<SKTSlideshow>();
    auto slide = std::make_shared<TransformView>();
    slide->imageName = QStringLiteral("image7");
    show->setImageArray({slide});
    add(show);
    GenerationContext ctx(*doc, doc->pageName, false, false);
    EXPECT_EQ(ctx.nextImageName(), QStringLiteral("image8"));
    EXPECT_EQ(ctx.nextImageName(), QStringLiteral("image9"));
}

TEST_F(PageTest, ResponsiveFlagOutsideResponsiveEditionsGivesTheAbsolutePage)
{
    add(makeText(QStringLiteral("Text"), {5, 5, 100, 40}, QStringLiteral("Hello")));
    const QString absolute = generate(false);
    EXPECT_EQ(generate(true), absolute);
}

TEST_F(PageTest, CustomFontsAreMarkedOnlyWhenUsed)
{
    GenerationContext ctx(*doc, doc->pageName, false, false);
    gCustomFonts = {{QStringLiteral("Dancing Script"), QStringLiteral("Dancing+Script"), false, true},
                    {QStringLiteral("Lobster"), QStringLiteral("Lobster"), false, true}};
    GenerationContext withFonts(*doc, doc->pageName, false, false);
    withFonts.markFontUsed(QStringLiteral("Lobster"));
    withFonts.markFontUsed(QStringLiteral("Unknown"));
    EXPECT_FALSE(gCustomFonts[0].isUsed);
    EXPECT_TRUE(gCustomFonts[1].isUsed);
}

TEST_F(PageTest, DrawTimeWorkRunsBeforeGeneration)
{
    // Never drawn: generation itself lays out the slides and measures the cells.
    auto show = std::make_shared<SKTSlideshow>();
    show->setBounds({0, 0, 300, 200});
    auto slide = std::make_shared<TransformView>();
    slide->originalWidth = 600;
    slide->originalHeight = 400;
    show->setImageArray({slide});
    add(show);
    auto table = std::make_shared<SKTTable>();
    table->setNumOfRows(1);
    table->setNumOfColumns(1);
    auto cell = std::make_shared<myTextView>();
    cell->textView.string = QStringLiteral("Cell text");
    cell->textView.fontName = fontFamily;
    cell->textView.fontPointSize = 12;
    table->setCellHelperArray({cell});
    table->setBounds({0, 300, 200, 100});
    add(table);
    generate();
    EXPECT_EQ(slide->slideWidth, 300);
    EXPECT_FALSE(slide->frame.isEmpty());
    EXPECT_GT(cell->textHeight, 0);
}

TEST_F(PageTest, SourceViewShowsThePageOrTheEmptyText)
{
    doc->pageName.clear();
    const QString text = doc->sourceCodeForDisplay(false);
    EXPECT_TRUE(text.startsWith(QStringLiteral("<!DOCTYPE")));
    EXPECT_EQ(doc->pageName, QStringLiteral("untitled"));
    EXPECT_EQ(doc->FTPUploadFlag, 0);
    EXPECT_EQ(SKTDocument::emptySourceCodeText(), QStringLiteral("Oops, no source code generated, please request again"));
}

TEST_F(PageTest, APageGivesOneTextDrawnOrNot)
{
    // Two identical pages; one is drawn first, the other never.
    auto fill = [this](SKTDocument &page) {
        auto text = makeText(QStringLiteral("Text"), {10, 10, 120, 20}, QStringLiteral("A long text that wraps over lines"));
        text->setFontFamily(fontFamily);
        text->setFontSize(14);
        page.insertGraphic(text);
        auto show = std::make_shared<SKTSlideshow>();
        show->setBounds({0, 100, 300, 200});
        auto slide = std::make_shared<TransformView>();
        slide->imageName = QStringLiteral("image2");
        slide->imageType = QStringLiteral("PNG");
        slide->originalWidth = 600;
        slide->originalHeight = 300;
        show->setImageArray({slide});
        page.insertGraphic(show);
        auto table = std::make_shared<SKTTable>();
        table->setNumOfRows(1);
        table->setNumOfColumns(2);
        QList<SKTTable::Cell> cells;
        for (int c = 0; c < 2; ++c) {
            auto cell = std::make_shared<myTextView>(QRectF(0, 0, 60, 30));
            cell->columnSpot = c;
            cell->textView.string = QStringLiteral("Cell %1").arg(c);
            cell->textView.fontName = fontFamily;
            cell->textView.fontPointSize = 12;
            cells << cell;
        }
        table->setCellHelperArray(cells);
        table->setBounds({0, 320, 200, 60});
        page.insertGraphic(table);
    };
    fill(*doc);
    SKTDocument drawn;
    drawn.pageName = doc->pageName;
    drawn.pageOfficialName = doc->pageOfficialName;
    drawn.mainTemplateName = doc->mainTemplateName;
    drawn.encodingType = doc->encodingType;
    drawn.pageFileExtension = doc->pageFileExtension;
    fill(drawn);
    QList<SKTGraphic *> graphics;
    for (const auto &g : drawn.graphics())
        graphics << g.get();
    GraphicRenderer::renderImage(graphics, QSize(400, 400));
    EXPECT_EQ(drawn.generateSourceCode(drawn.pageName, false, false).toStdString(), generate().toStdString());
}

TEST_F(PageTest, TextHeightsFollowEveryChangeBetweenRuns)
{
    auto text = makeText(QStringLiteral("Text"), {0, 0, 400, 20}, QStringLiteral("short"));
    text->setFontFamily(fontFamily);
    text->setFontSize(14);
    add(text);
    generate();
    const int32_t oneLine = text->textHeight();
    ASSERT_GT(oneLine, 0);
    generate();
    EXPECT_EQ(text->textHeight(), oneLine);
    text->setTextString(QStringLiteral("short\nand a second line"));
    generate();
    const int32_t twoLines = text->textHeight();
    EXPECT_GT(twoLines, oneLine);
    text->setFontSize(28);
    generate();
    EXPECT_GT(text->textHeight(), twoLines);
    text->setFontSize(14);
    text->setBounds({0, 0, 40, 20}); // narrower: the words wrap
    generate();
    EXPECT_GT(text->textHeight(), twoLines);
}

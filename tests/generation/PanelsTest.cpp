// Panels, carousels and the photo hover caption: one golden fragment per
// kind, then what the goldens do not show on their own.
#include "ComponentFixture.h"

#include "generation/Panels.h"

TEST_F(ComponentTest, PanelGoldens)
{
    struct Case {
        const char *kind;
        int rows, columns;
    };
    for (const Case &k : {Case{"collapsible_text_panel", 2, 2}, Case{"collapsible_image_panel", 3, 1},
                          Case{"text_carousel", 3, 3}, Case{"photo_hover_caption", 2, 1}}) {
        SCOPED_TRACE(k.kind);
        doc->setGraphics({});
        add(makeTable(QStringLiteral("table"), 1, 1, {}, {0, 0, 50, 50}));
        SKTTable *table = add(makeTable(QString::fromLatin1(k.kind), k.rows, k.columns));
        table->addIntoImageArray(picture(QStringLiteral("image3"), 0, 0));
        const auto code = Panels::generate(*doc, *table, &ComponentTest::cellCode);
        ASSERT_TRUE(code.has_value());
        EXPECT_TRUE(code->partOfTableFlag);
        EXPECT_EQ(code->originY, 30);
        expectGolden(QStringLiteral("components/%1.txt").arg(QString::fromLatin1(k.kind)), dump(*code));
    }
    EXPECT_FALSE(Panels::generate(*doc, *makeTable(QStringLiteral("navbar"), 1, 1), &ComponentTest::cellCode));
}

TEST_F(ComponentTest, TextPanelTakesItsTitleAndContentFromTheLastColumn)
{
    SKTTable *table = add(makeTable(QStringLiteral("collapsible_text_panel"), 2, 2));
    const auto code = Panels::generate(*doc, *table, &ComponentTest::cellCode);
    ASSERT_TRUE(code);
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("href=\"#collapse1\"><p>r0c1</p></a>")));
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("<div class=\"panel-body\"><p>r1c1</p>\n</div>")));
    EXPECT_FALSE(code->bodyString.contains(QStringLiteral("r0c0")));
    EXPECT_TRUE(code->headerString.contains(QStringLiteral(".cell0_0{}")));
}

// Two text carousels on one page each have their own id, rules and script.
TEST_F(ComponentTest, TextCarouselsHaveTheirOwnIds)
{
    SKTTable *first = add(makeTable(QStringLiteral("text_carousel"), 3, 2));
    SKTTable *second = add(makeTable(QStringLiteral("text_carousel"), 3, 2));
    const auto a = Panels::generate(*doc, *first, &ComponentTest::cellCode);
    const auto b = Panels::generate(*doc, *second, &ComponentTest::cellCode);
    ASSERT_TRUE(a && b);
    for (const auto &[code, id] : {std::pair{*a, QStringLiteral("quote-carousel2")},
                                   std::pair{*b, QStringLiteral("quote-carousel1")}}) {
        EXPECT_TRUE(code.bodyString.contains(QStringLiteral("id=\"%1\"").arg(id)));
        EXPECT_TRUE(code.headerString.startsWith(QStringLiteral("#%1\n{").arg(id)));
        EXPECT_TRUE(code.javaScriptString.contains(QStringLiteral("$('#%1').carousel(").arg(id)));
        EXPECT_EQ(code.bodyString.count(QStringLiteral("data-target=\"#%1\"").arg(id)), 2);
        EXPECT_EQ(code.bodyString.count(QStringLiteral("class=\"item active\"")), 1);
    }
}

// Only the picture row: a see-through caption of opacity 0 and, without a
// picture, an empty source.
TEST_F(ComponentTest, HoverCaptionWithoutCaptionRowsOrPicture)
{
    SKTTable *table = add(makeTable(QStringLiteral("photo_hover_caption"), 1, 1));
    const auto code = Panels::generate(*doc, *table, &ComponentTest::cellCode);
    ASSERT_TRUE(code);
    EXPECT_TRUE(code->headerString.contains(QStringLiteral("background-color:transparent;")));
    EXPECT_TRUE(code->headerString.contains(QStringLiteral("opacity:0.000000;")));
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("<img src=\"\">")));
}

TEST_F(ComponentTest, HoverCaptionLinkAndColourAreEscaped)
{
    SKTTable *table = add(makeTable(QStringLiteral("photo_hover_caption"), 2, 1,
                                    {{QStringLiteral("x"), QString()},
                                     {QStringLiteral("Caption"), QStringLiteral("a.html\" onmouseover=\"x()")}}));
    table->grabSelectedTableCellHelper(1, 0)->backgroundHexColorString = QStringLiteral("red;}body{x:1");
    auto image = picture(QStringLiteral("image\"9"), 0, 0, false);
    image->templateName = QStringLiteral("base template");
    table->addIntoImageArray(image);
    const auto code = Panels::generate(*doc, *table, &ComponentTest::cellCode);
    ASSERT_TRUE(code);
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("<a href=\"a.html&quot; onmouseover=&quot;x()\"><p>Caption</p></a>")));
    EXPECT_TRUE(code->headerString.contains(QStringLiteral("background-color:transparent;")));
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("<img src=\"base template/image&quot;9o.png\">")));
}

TEST_F(ComponentTest, SlideshowCarousel)
{
    auto show = std::make_shared<SKTSlideshow>();
    placeOnPage(*show, {10, 44.9, 300, 200});
    SKTSlideshow *raw = add(show);
    EXPECT_TRUE(Panels::generateCarousel(*doc, raw).bodyString.isEmpty());

    auto first = picture(QStringLiteral("image1"), -99, -99);
    first->altText = QStringLiteral("Sea \"view\" </script>");
    raw->addIntoImageArray(first);
    raw->addIntoImageArray(picture(QStringLiteral("image2"), -99, -99));
    const CodeWidgetHelper code = Panels::generateCarousel(*doc, raw);
    EXPECT_FALSE(code.partOfTableFlag);
    EXPECT_EQ(code.originY, 44);
    expectGolden(QStringLiteral("components/carousel.txt"), dump(code));

    raw->setSelectable(false);
    EXPECT_TRUE(Panels::generateCarousel(*doc, raw).bodyString.contains(QStringLiteral("src=\"basetemplate/image2@2x.png\"")));
}

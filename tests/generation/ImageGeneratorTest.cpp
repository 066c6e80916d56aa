// The image generator: the image rule with its declarations, the markup of
// plain, linked and enlargeable images, the modal CSS and script, and the
// defaults it writes back into the element.
#include "ElementPassFixture.h"

namespace {
const char kScript[] =
    "<script>\n$( document ).ready(function() {\nvar maxHeight = $(window).height() - 60 + \"px\";\n"
    "$(\".modal img\").css(\"max-height\", maxHeight);\n});\n$(window).on(\"resize\", function() {\n"
    "var maxHeight = $(window).height() - 60 + \"px\";\n$(\".modal img\").css(\"max-height\", maxHeight);\n});\n"
    "$(window).trigger('resize');\n</script>\n";
const char kModal[] =
    ".modal img {\ntext-align:center;\nmargin:0 auto;\nbox-shadow: 0 5px 15px rgba(0, 0, 0, .5);\n}\n"
    ".modal{\noverflow-y: auto;\npadding:20px;\n}\n.close{\nposition:absolute;\ntop:0px;\nright:0px;\n"
    "color:white;\nwidth:44px;\nheight:44px;\nfont-size: 28px;\nfont-family: Arial, Baskerville, monospace;\n}\n";
} // namespace

// The rule's declarations, one case per option.
TEST_F(ElementPassTest, ImageRuleDeclarations)
{
    struct Case {
        std::function<void(SKTImage &)> set;
        const char *rule;
    };
    const Case cases[] = {
        {[](SKTImage &) {},
         ".image1{border-width:0px;border-style:solid;border-color:#000000;opacity:1.000000;"
         "filter:alpha(opacity=100.000000);padding-top:0px;padding-bottom:0px;padding-left:0px;padding-right:0px;"
         "margin-top:0px;margin-bottom:0px;margin-left:0px;margin-right:0px;}\n\n"},
        // Offsets without a radius give no shadow; with one, y is negated.
        {[](SKTImage &i) { i.setShadowHorizontalOffset(3); i.setShadowVerticalOffset(4); },
         ".image1{border-width:0px;border-style:solid;border-color:#000000;opacity:1.000000;"
         "filter:alpha(opacity=100.000000);padding-top:0px;"},
        {[](SKTImage &i) {
             i.setShadowHorizontalOffset(3);
             i.setShadowVerticalOffset(4);
             i.setShadowRadius(5.9f);
             i.setOpacity(0.5);
         },
         "opacity:0.500000;filter:alpha(opacity=50.000000);box-shadow: 3px -4px 5px #5B5B5B;padding-top:0px;"},
        {[](SKTImage &i) { i.setResponsiveResizeFlag(1); i.setResponsiveAlignment(1); },
         ".image1{width:120px;height:80px;text-align:center;border-width:0px;"},
        {[](SKTImage &i) { i.setResponsiveAlignment(2); }, ".image1{text-align:right;border-width:0px;"},
        // Empty border settings become transparent and none on the element.
        {[](SKTImage &i) {
             i.setBorderHexColorString(QString());
             i.setBorderStyle(QString());
             i.setBorderWidth(3);
         },
         ".image1{border-width:3px;border-style:none;border-color:transparent;opacity:1.000000;"},
        // Units: "pixel" is px, "%" stays, a missing unit is "%".
        {[](SKTImage &i) {
             i.setTopPadding(5);
             i.setBottomPaddingType(QStringLiteral("%"));
             i.setBottomPadding(6);
             i.setRightMarginType(QString());
             i.setRightMargin(7);
         },
         "padding-top:5px;padding-bottom:6%;padding-left:0px;padding-right:0px;margin-top:0px;margin-bottom:0px;"
         "margin-left:0px;margin-right:7%;}\n\n"},
    };
    for (const Case &k : cases) {
        auto i = image(QStringLiteral("image1"), {10, 10, 120, 80});
        k.set(*i);
        const CodeWidgetHelper code = doc->generateImageCode(ImageElement(i.get()), false);
        EXPECT_TRUE(code.headerString.contains(QLatin1String(k.rule))) << k.rule << "\n" << code.headerString.toStdString();
        EXPECT_EQ(code.headerString.count(QStringLiteral("box-shadow")), QString::fromLatin1(k.rule).count(QStringLiteral("box-shadow")));
        EXPECT_EQ(code.javaScriptString, QLatin1String(kScript));
        if (QByteArray(k.rule).contains("border-style:none")) {
            EXPECT_EQ(i->borderHexColorString(), QStringLiteral("transparent"));
            EXPECT_EQ(i->borderStyle(), QStringLiteral("none"));
        }
    }
    auto unitless = image(QStringLiteral("image1"), {0, 0, 10, 10});
    unitless->setLeftMarginType(QStringLiteral("(null)"));
    doc->generateImageCode(ImageElement(unitless.get()), false);
    EXPECT_EQ(unitless->leftMarginType(), QStringLiteral("%"));
}

// Plain and linked images; a slide has no markup; the base template's
// images come from its folder.
TEST_F(ElementPassTest, ImageMarkupKinds)
{
    auto i = image(QStringLiteral("image4"), {0, 0, 40, 30});
    i->setAltText(QStringLiteral("Tom & Jerry"));
    EXPECT_EQ(doc->generateImageCode(ImageElement(i.get()), false).bodyString.toStdString(),
              "<div class=image4><center><img src=\"index/image4@2x.png\" class=\"img-responsive\" "
              "alt=\"Tom &amp; Jerry\"></center></div>\n");
    i->setLink(QStringLiteral("http://"));
    EXPECT_TRUE(doc->generateImageCode(ImageElement(i.get()), false).bodyString.startsWith(QStringLiteral("<div class=image4><center>")));
    i->setLink(QStringLiteral("https://a.org/?x=1&y=\"2\""));
    i->setLinkOption(QString());
    EXPECT_EQ(doc->generateImageCode(ImageElement(i.get()), false).bodyString.toStdString(),
              "<div class=image4><a href=\"https://a.org/?x=1&amp;y=&quot;2&quot;\" target=\"_self\"><center><img "
              "src=\"index/image4@2x.png\" class=\"img-responsive\" alt=\"Tom &amp; Jerry\"></center></a></div>\n");
    EXPECT_EQ(i->linkOption(), QStringLiteral("_self"));

    i->setSelectable(false);
    EXPECT_TRUE(doc->generateImageCode(ImageElement(i.get()), false).bodyString.contains(QStringLiteral("src=\"basetemplate/image4@2x.png\"")));

    auto slide = carrier(QStringLiteral("image5"), 40, 30);
    slide->slideShowNumber = 2;
    const CodeWidgetHelper code = doc->generateImageCode(ImageElement(slide), false);
    EXPECT_TRUE(code.bodyString.isEmpty());
    EXPECT_TRUE(code.headerString.startsWith(QStringLiteral(".image5{")));

    // The e-mail edition: the box in a style attribute, full width, no script.
    gResponsiveEmailEdition = true;
    i->setSelectable(true);
    i->setLink(QString());
    const CodeWidgetHelper mail = doc->generateImageCode(ImageElement(i.get()), false);
    EXPECT_EQ(mail.bodyString.toStdString(),
              "<div class=image4 style='padding-top:0px;padding-bottom:0px;padding-left:0px;padding-right:0px;"
              "margin-top:0px;margin-bottom:0px;margin-left:0px;margin-right:0px;'><img src=\"index/image4@2x.png\" "
              "alt=\"Tom &amp; Jerry\" width=100%></div>\n");
    EXPECT_TRUE(mail.javaScriptString.isEmpty());
}

// Enlargeable images: the thumbnail and modal markup, the modal CSS (with
// the image rule only in the responsive layout), backdrops and captions.
TEST_F(ElementPassTest, EnlargeableImages)
{
    auto i = image(QStringLiteral("image8"), {0, 0, 40, 30});
    i->setImageEnlargeFlag(1);
    i->setAltText(QStringLiteral("A \"big\" one"));
    i->setLink(QStringLiteral("http://"));
    i->setBackdropLightingFlag(2);
    CodeWidgetHelper code = doc->generateImageCode(ImageElement(i.get()), false);
    EXPECT_EQ(code.headerString.toStdString(),
              std::string(kModal) + ".modal-backdrop{\nbackground-color: transparent;\n}");
    EXPECT_EQ(code.bodyString.toStdString(),
              "<a class=image8 href=\"#popup_image8\" href=\"http://\" title=\"A &quot;big&quot; one\" "
              "data-toggle=\"modal\" data-target=\"#popup_image8\"><img class=\"img-responsive\" "
              "src=\"index/image8o.png\"></a>\n<div class=\"modal fade\" id=\"popup_image8\" tabindex=\"-1\" "
              "role=\"dialog\" aria-labelledby=\"#popUpLabel_image8\" aria-hidden=\"true\">\n<button type=\"button\" "
              "class=\"close\" data-dismiss=\"modal\">x</button>\n<img class=\"img-responsive\" "
              "src=\"index/image8o.png\">\n<p align=center><span style=\"background-color:#ffffff; "
              "padding-right:10px;padding-left:10px;\"><a href=\"http://\">A &quot;big&quot; one</a></span></p>\n"
              "</div>\n");
    EXPECT_EQ(code.javaScriptString, QLatin1String(kScript));

    // "(null)" is no link; an empty alternative text has no caption.
    i->setLink(QStringLiteral("(null)"));
    i->setAltText(QString());
    i->setBackdropLightingFlag(0);
    code = doc->generateImageCode(ImageElement(i.get()), false);
    EXPECT_TRUE(code.headerString.endsWith(QStringLiteral(".modal-backdrop{\nbackground-color: white;\n}")));
    EXPECT_TRUE(code.bodyString.startsWith(QStringLiteral("<a class=image8 href=\"#popup_image8\" title=\"\" data-toggle")));
    EXPECT_TRUE(code.bodyString.endsWith(QStringLiteral("src=\"index/image8o.png\">\n\n</div>\n")));

    // The image rule leads the header in the responsive layout only.
    gResponsiveEdition = true;
    i->setBackdropLightingFlag(1);
    code = doc->generateImageCode(ImageElement(i.get()), true);
    EXPECT_TRUE(code.headerString.startsWith(QStringLiteral(".image8{border-width:0px;")));
    EXPECT_TRUE(code.headerString.endsWith(QStringLiteral("}\n\n\n") + QLatin1String(kModal)));
    code = doc->generateImageCode(ImageElement(i.get()), false);
    EXPECT_EQ(code.headerString, QLatin1String(kModal));
}

// A tooltip is stored as typed in its pop-over; the page escapes it.
TEST_F(ElementPassTest, HostileTooltipIsEscapedInThePage)
{
    auto i = image(QStringLiteral("image7"), {0, 0, 40, 30});
    i->setAltText(QStringLiteral("\"><script>alert('x')</script><img src=x onerror=alert(1) alt=\""));
    i->setLink(QStringLiteral("page two.html"));
    const QString body = doc->generateImageCode(ImageElement(i.get()), false).bodyString;
    EXPECT_FALSE(body.contains(QStringLiteral("<script>")));
    EXPECT_FALSE(body.contains(QStringLiteral("<img src=x")));
    EXPECT_TRUE(body.contains(QStringLiteral("alt=\"&quot;&gt;&lt;script&gt;"))) << body.toStdString();
}

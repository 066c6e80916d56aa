// The slideshow and gallery passes: stored rules, frame and button rules, the
// sliding script with one timer per automatic slideshow, the slide markup,
// and the gallery rule whose images go on to the image pass.
#include "ElementPassFixture.h"

#include "generation/LineImageOutput.h"
#include "generation/SlideshowOutput.h"

namespace {

std::shared_ptr<SKTSlideshow> slideshow(const QRectF &bounds, const QList<std::shared_ptr<TransformView>> &slides,
                                        bool automatic)
{
    auto s = std::make_shared<SKTSlideshow>();
    ElementPassTest::placeOnPage(*s, bounds);
    s->setSlideShowAutomaticFlag(automatic ? 1 : 0);
    s->setImageArray(slides);
    return s;
}

QString expectedScript(int n, int slides, const char *totalWidth, const char *slideWidth, bool automatic)
{
    QString s = QStringLiteral("\n<script type=\"text/javascript\">\n var numOfSlides%1 = %2;\n var currentSlide%1 = 0;\n"
                               " var totalWidth%1 = %3;\nvar slideWidth%1=%4;\n\n\n"
                               "$(document).ready(function(){\n $(\"#previousButton%1\").click(showPreviousSlide%1);\n"
                               " $(\"#nextButton%1\").click(showNextSlide%1);\nupdateButtons%1();\n\n });\n\n\n"
                               "function showPreviousSlide%1()\n{\n currentSlide%1--;\n"
                               "$(\"#slideshow_all%1\").animate({scrollLeft:currentSlide%1*slideWidth%1}, 1000);\n"
                               "updateButtons%1();\n%5\n }\n \nfunction showNextSlide%1()\n{\n"
                               " if(currentSlide%1 < numOfSlides%1-1) {currentSlide%1++;\n \n"
                               "$(\"#slideshow_all%1\").animate({scrollLeft: currentSlide%1*slideWidth%1}, 1000);\n"
                               "updateButtons%1();\n }}\n\n\n"
                               "function updateButtons%1()\n {\n if(currentSlide%1 < numOfSlides%1-1) {\n"
                               " $(\"#nextButton%1\").show();\n } else {\n $(\"#nextButton%1\").hide();\n }\n"
                               " if(currentSlide%1 > 0) {\n $(\"#previousButton%1\").show();\n } else {\n"
                               " $(\"#previousButton%1\").hide();\n }\n }\n%6</script>\n")
                    .arg(n)
                    .arg(slides)
                    .arg(QLatin1String(totalWidth), QLatin1String(slideWidth),
                         automatic ? QStringLiteral("clearInterval(autoStart%1);").arg(n) : QString(),
                         automatic ? QStringLiteral("var autoStart%1 = setInterval(showNextSlide%1, 5000);\n").arg(n)
                                   : QString());
    return s;
}

} // namespace

// An automatic slideshow with a linked slide and an unnamed slide, and, after
// it in the graphics, an empty manual one: every piece to the character.
TEST_F(ElementPassTest, SlideshowsGiveTheirRulesScriptsAndMarkup)
{
    add(image(QStringLiteral("image9"), {0, 400, 10, 10}));
    auto linked = carrier(QStringLiteral("image4"), 300, 200);
    linked->link = QStringLiteral(" https://example.org/a b\nrest");
    linked->altText = QStringLiteral("Tom & \"Jerry\"");
    linked->linkOption = QString();
    auto unnamed = carrier(QStringLiteral("(null)"), 300, 200);
    unnamed->link = QStringLiteral("http://");
    auto automatic = add(slideshow({10.7, 20.2, 300.9, 300.5}, {linked, unnamed}, true));
    auto manual = add(slideshow({400, 20, 100, 50}, {}, false));
    manual->setTemplateName(QStringLiteral("shop.html"));
    auto &c = prepare();
    SlideshowOutput::writeSlideshows(c);

    EXPECT_EQ(c.slideshowCSS.toStdString(),
              "\n.slideshow0{position:absolute;left:400px;top:20px;z-index:1;width:100px;height:50px;border:0px solid "
              "000;overflow:hidden;margin:0 auto;fixed:0;groupNumber:-99;autoStart:0;templateName:shop;"
              "manualLayerIndex:0;sectionNumber:-99;sectionRowSpot:-99;sectionColumnSpot:-99;}\n\n"
              "#slideshow_all0{width:100px;height:50px;position:absolute;overflow: hidden;margin: 0 auto;}\n"
              ".slide0{width: 100px;float: left;}\n\n"
              "\n.slideshow1{position:absolute;left:10px;top:20px;z-index:2;width:300px;height:300px;border:0px solid "
              "000;overflow:hidden;margin:0 auto;fixed:0;groupNumber:-99;autoStart:1;templateName:main;"
              "manualLayerIndex:0;sectionNumber:-99;sectionRowSpot:-99;sectionColumnSpot:-99;}\n\n"
              "#slideshow_all1{width:300px;height:300px;position:absolute;overflow: hidden;margin: 0 auto;}\n"
              ".slide1{width: 300px;float: left;}\n\n");
    // The buttons sit half the slideshow's height down, in six decimals.
    const auto buttons = [](int n, const char *top) {
        return QStringLiteral("\n #previousButton%1, #nextButton%1{\n padding:0px;\n vertical-align:middle;\n"
                              " opacity:0.60;filter:alpha(opacity=60);\ntext-align:center;\nfont-size:40px;"
                              "color:#FFFFFF;font-family:\"Trebuchet MS\";width: 40px;\n height: 50px;\n"
                              " border: 0px solid #000;\nposition: absolute;\n background-color:#000;\n top: %2px;\n"
                              " cursor: hand;\n z-index:9999;\n }\n#nextButton%1{\n right: 0;\n }\n\n")
            .arg(n)
            .arg(QLatin1String(top));
    };
    EXPECT_EQ(c.slideshowButtonCSS, buttons(0, "25.000000") + buttons(1, "150.000000"));
    EXPECT_EQ(c.slideshowScripts.toStdString(),
              (expectedScript(0, 0, "0.000000", "100.000000", false)
               + expectedScript(1, 2, "600.000000", "300.000000", true))
                  .toStdString());

    // Slides are named from the last one on (the page's highest image number
    // is 9) and written from the last one to the first, linked slides are
    // escaped and quoted, "http://" is no link.
    EXPECT_EQ(c.slideshowMarkup.toStdString(),
              "<div class=slideshow0>\n<div id=slideshow_all0>\n</div><div id=\"previousButton0\"><</div>\n"
              "<div id=\"nextButton0\">></div></div>\n"
              "<div class=slideshow1>\n<div id=slideshow_all1>\n"
              "<div class=\"slide1\"><img src=index/image10@2x.png class=\"image10\" class=\"img-responsive\"></div>\n"
              "<div class=\"slide1\"><a href=\"https://example.org/a%20b\" target=\"_self\" "
              "title=\"Tom &amp; &quot;Jerry&quot;\"><img src=index/image4@2x.png class=\"image4\" "
              "class=\"img-responsive\"></a></div>\n"
              "</div><div id=\"previousButton1\"><</div>\n<div id=\"nextButton1\">></div></div>\n");

    EXPECT_EQ(unnamed->imageName, QStringLiteral("image10"));
    EXPECT_EQ(linked->linkOption, QStringLiteral("_self"));
    EXPECT_EQ(linked->link, QStringLiteral("https://example.org/a%20b"));
    EXPECT_EQ(linked->slideShowNumber, 1);
    EXPECT_EQ(automatic->templateName(), QStringLiteral("main"));
    // The free image first, then both slides for the image pass.
    ASSERT_EQ(doc->imageViewArray.size(), 3);
    EXPECT_EQ(doc->imageViewArray[1].carrier(), linked);
    EXPECT_EQ(c.rightEdges, (QList<int32_t>{500, 310}));
}

// Each automatic slideshow runs on a timer of its own; a manual one has none.
TEST_F(ElementPassTest, EveryAutomaticSlideshowHasItsOwnTimer)
{
    add(slideshow({0, 0, 100, 100}, {carrier(QStringLiteral("image1"), 10, 10)}, true));
    add(slideshow({0, 200, 100, 100}, {carrier(QStringLiteral("image2"), 10, 10)}, false));
    add(slideshow({0, 400, 100, 100}, {carrier(QStringLiteral("image3"), 10, 10)}, true));
    auto &c = prepare();
    SlideshowOutput::writeSlideshows(c);
    const QString &js = c.slideshowScripts;
    EXPECT_EQ(js.count(QStringLiteral("setInterval")), 2);
    EXPECT_TRUE(js.contains(QStringLiteral("var autoStart0 = setInterval(showNextSlide0, 5000);")));
    EXPECT_TRUE(js.contains(QStringLiteral("var autoStart2 = setInterval(showNextSlide2, 5000);")));
    EXPECT_TRUE(js.contains(QStringLiteral("clearInterval(autoStart0);")));
    EXPECT_TRUE(js.contains(QStringLiteral("clearInterval(autoStart2);")));
    EXPECT_FALSE(js.contains(QStringLiteral("autoStart1")));
    EXPECT_FALSE(js.contains(QStringLiteral("autoStart;")));
    EXPECT_FALSE(js.contains(QStringLiteral("autoStart)")));
}

// A slide follows its slideshow: one the user placed keeps its pictures in
// the page's folder, whatever the slide held before. Hostile names and links
// cannot leave their attribute.
TEST_F(ElementPassTest, SlideFoldersAndHostileSlideValues)
{
    auto base = carrier(QStringLiteral("image1"), 10, 10);
    base->selectable = false;
    base->templateName = QStringLiteral("basetemplate");
    auto hostile = carrier(QStringLiteral("x onerror=alert(1)"), 10, 10);
    hostile->link = QStringLiteral("\" onclick=\"alert(1)");
    hostile->linkOption = QStringLiteral("_blank\"><script>");
    auto show = add(slideshow({0, 0, 100, 100}, {base, hostile}, false));
    show->setTemplateName(QStringLiteral("a;}</style><script>"));
    auto &c = prepare();
    SlideshowOutput::writeSlideshows(c);
    EXPECT_TRUE(c.slideshowMarkup.contains(QStringLiteral("<img src=index/image1@2x.png class=\"image1\"")));
    EXPECT_TRUE(c.slideshowMarkup.contains(
        QStringLiteral("<a href=\"&quot;%20onclick=&quot;alert(1)\" target=\"_blank&quot;&gt;&lt;script&gt;\" title=\"\">"
                       "<img src=\"index/x onerror=alert(1)@2x.png\" class=\"x onerror=alert(1)\"")));
    EXPECT_FALSE(c.slideshowMarkup.contains(QStringLiteral("<script>")));
    EXPECT_TRUE(c.slideshowCSS.contains(QStringLiteral("templateName:a/stylescript;")));
}

// Slides as the slideshow's own menu makes them: no template name and not
// marked as placed by the user, until the slideshow is drawn showing them
// (only the shown one) or the image pass, after the slideshow pass, fills
// the name in. Every slide takes its slideshow's folder from the first
// generation on, and every later generation writes the same text.
TEST_F(ElementPassTest, SlidesTakeTheirSlideshowsFolderFromTheFirstGeneration)
{
    struct Case {
        bool placed;          // the slideshow was placed by the user
        const char *stored;   // the slideshow's template name
        const char *folder;   // the folder its slide's src names
    } const cases[] = {
        {true, "", "index"},
        {true, "basetemplate", "index"},
        // Without a name a slideshow is the page's main template's.
        {false, "", "basetemplate"},
        {false, "(null)", "basetemplate"},
        {false, "shop.html", "index"},  // another template's picture now lives with this page
        {false, "basetemplate.html", "basetemplate"},
        {false, "basetemplate", "basetemplate"},
    };
    for (int i = 0; i < int(std::size(cases)); ++i) {
        auto slide = carrier(QStringLiteral("image%1").arg(i + 1), 40, 30);
        slide->selectable = false;
        slide->templateName.clear();
        auto show = add(slideshow({i * 100.0, 0, 80, 60}, {slide}, false));
        show->setSelectable(cases[i].placed);
        show->setTemplateName(QString::fromUtf8(cases[i].stored));
    }
    doc->mainTemplateName = QStringLiteral("basetemplate");

    const QString first = doc->generateSourceCode(doc->pageName, false, false);
    const QString second = doc->generateSourceCode(doc->pageName, false, false);
    EXPECT_EQ(first.toStdString(), second.toStdString());
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const QString img = QStringLiteral("<img src=%1/image%2@2x.png class=\"image%2\"")
                                .arg(QLatin1String(cases[i].folder))
                                .arg(i + 1);
        EXPECT_TRUE(first.contains(img)) << cases[i].placed << " " << cases[i].stored << " wants " << img.toStdString();
    }
    EXPECT_FALSE(first.contains(QStringLiteral("src=/"))) << "no slide points at the site root";
}

// A gallery writes its stored rule; its images carry its stacking value and
// number into the image pass, which writes their rules.
TEST_F(ElementPassTest, GalleryRuleAndItsImages)
{
    auto g = std::make_shared<SKTGalleryGrid>();
    placeOnPage(*g, {20.9, 430, 330, 220});
    g->setNumOfRows(2);
    g->setNumOfColumns(2);
    g->setPadding(10);
    g->setShadowFlag(1);
    g->setBackdropLightingFlag(2);
    g->setTemplateName(QStringLiteral("gallery.html"));
    for (int k = 0; k < 3; ++k) {
        auto p = carrier(QStringLiteral("image%1").arg(13 + k), 120, 50);
        p->rowSpot = k / 2;
        p->columnSpot = k % 2;
        p->slideShowNumber = -66;
        g->addIntoImageArray(p);
    }
    add(g);
    add(image(QStringLiteral("image1"), {0, 0, 10, 10}));
    auto &c = prepare();
    SlideshowOutput::writeGalleries(c);
    EXPECT_EQ(c.galleryGridCSS.toStdString(),
              "\n.galleryGrid0{position:absolute;left:20px;top:430px;z-index:2;width:330px;height:220px;fixed:0;"
              "numOfRows:2;numOfColumns:2;groupNumber:-99;padding:10;shadowFlag:1;backdrop:2;templateName:gallery;"
              "manualLayerIndex:0;galleryNumber:0;sectionNumber:-99;sectionRowSpot:-99;sectionColumnSpot:-99;}\n\n");
    ASSERT_EQ(doc->imageViewArray.size(), 4);
    EXPECT_EQ(c.rightEdges, QList<int32_t>{350});

    EXPECT_TRUE(LineImageOutput::writeImages(c));
    // The gallery's images are no right edges of their own; the free image is.
    EXPECT_EQ(c.rightEdges, (QList<int32_t>{350, 10}));
    for (const char *name : {"image13", "image14", "image15"}) {
        const qsizetype at = c.imageCSS.indexOf(QStringLiteral(".%1{").arg(QLatin1String(name)));
        ASSERT_GE(at, 0) << name;
        const QString rule = c.imageCSS.mid(at, c.imageCSS.indexOf(QLatin1Char('}'), at) - at);
        EXPECT_TRUE(rule.contains(QStringLiteral("z-index:2;"))) << name;
        EXPECT_TRUE(rule.contains(QStringLiteral("galleryNumber:0;"))) << name;
        EXPECT_TRUE(rule.contains(QStringLiteral("box-shadow:0px 2px 3.000000px #000000;"))) << name;
        EXPECT_TRUE(rule.contains(QStringLiteral("backdrop:2;"))) << name;
    }
    EXPECT_TRUE(c.imageCSS.contains(QStringLiteral("galleryRowSpot:1;galleryColumnSpot:0;")));
    // The gallery writes no markup of its own: its pictures (slideshow
    // number -66, not slides) are shown by the image pass like free images.
    EXPECT_EQ(c.imageMarkup.toStdString(),
              "<div class=image1><img src=\"index/image1@2x.png\" class=\"img-responsive\" alt=\"\"></div>\n"
              "<div class=image13><img src=\"index/image13@2x.png\" class=\"img-responsive\" alt=\"\"></div>\n"
              "<div class=image14><img src=\"index/image14@2x.png\" class=\"img-responsive\" alt=\"\"></div>\n"
              "<div class=image15><img src=\"index/image15@2x.png\" class=\"img-responsive\" alt=\"\"></div>\n");
}

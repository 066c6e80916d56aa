// The line pass and the image pass: stored rules to the character, image
// order by number, geometry of bordered images, retina rules, markup of free
// images, the files written to the page folder, and hostile values.
#include "ElementPassFixture.h"

#include "generation/LineImageOutput.h"

#include <cmath>
#include <limits>

namespace {
const char kBox[] = "topPaddingStr:0;bottomPaddingStr:0;leftPaddingStr:0;rightPaddingStr:0;topMarginStr:0;"
                    "bottomMarginStr:0;leftMarginStr:0;rightMarginStr:0;topPaddingTypeStr:pixel;"
                    "bottomPaddingTypeStr:pixel;leftPaddingTypeStr:pixel;rightPaddingTypeStr:pixel;"
                    "topMarginTypeStr:pixel;bottomMarginTypeStr:pixel;leftMarginTypeStr:pixel;"
                    "rightMarginTypeStr:pixel;}\n\n";
} // namespace

TEST_F(ElementPassTest, LineRules)
{
    auto line = std::make_shared<SKTLine>();
    placeOnPage(*line, {0, 0, 1, 1});
    line->setBeginPoint({100.9, 50.2});
    line->setEndPoint({40, 80});
    line->setBorderStyle(QStringLiteral("dashed"));
    line->setBorderWidth(2);
    line->setBorderHexColorString(QStringLiteral("FF0000"));
    line->setOpacity(0.75);
    line->setDrawEndArrow(true);
    line->setShadowFlag(1);
    line->setManualLayerIndex(9);
    line->setTemplateName(QStringLiteral("t.html"));
    add(line);
    auto second = std::make_shared<SKTLine>();
    placeOnPage(*second, {0, 0, 1, 1});
    second->setBeginPoint({0, 0});
    second->setEndPoint({30, 0});
    second->setScrollFlag(1);
    second->setBorderHexColorString(QStringLiteral("CLEAR0"));
    add(second);
    auto &c = prepare();
    LineImageOutput::writeLines(c);
    EXPECT_EQ(c.lineCSS.toStdString(),
              "\n.line0{position:fixed;lineOriginX:0;lineOriginY:0;lineEndX:30;lineEndY:0;z-index:1;fixed:0;"
              "lineAlpha:1.000000;border-style:none;border-width:0px;border-color:transparent;groupNumber:-99;"
              "shadowFlag:0;templateName:main;manualLayerIndex:0;drawBeginArrow:0;drawEndArrow:0;}\n"
              "\n.line1{position:absolute;lineOriginX:100;lineOriginY:50;lineEndX:40;lineEndY:80;z-index:9;fixed:0;"
              "lineAlpha:0.750000;border-style:dashed;border-width:2px;border-color:#FF0000;groupNumber:-99;"
              "shadowFlag:1;templateName:t;manualLayerIndex:9;drawBeginArrow:0;drawEndArrow:1;}\n");
    EXPECT_EQ(c.rightEdges, (QList<int32_t>{30, 100}));
}

// Free images of every option, written in the order of their numbers.
TEST_F(ElementPassTest, ImageRulesAndMarkup)
{
    auto bordered = add(image(QStringLiteral("image12"), {10.6, 10.2, 200, 100}));
    bordered->setBorderWidth(5);
    auto linked = add(image(QStringLiteral("image3"), {300.5, 10, 200, 100}));
    linked->setOpacity(0.5);
    linked->setLink(QStringLiteral("https://x.org/?a=1&b=2"));
    linked->setLinkOption(QString());
    linked->setAltText(QStringLiteral("A <b>"));
    linked->setRetinaFlag(true);
    linked->setShadowFlag(1);
    linked->setReflection(0.25);
    linked->setScrollFlag(1);
    auto big = add(image(QStringLiteral("image7"), {300, 300, 80, 60}));
    big->setImageEnlargeFlag(1);
    big->setAltText(QStringLiteral("Big"));
    big->setBackdropLightingFlag(1);
    auto &c = prepare();
    EXPECT_TRUE(LineImageOutput::writeImages(c));
    EXPECT_TRUE(doc->storeImageNowFlag);

    const QString expected =
        // image3: see-through, linked, retina, shadow, reflection, fixed.
        QStringLiteral(".image3{position:fixed;left:300px;top:10px;z-index:2;imagename:image3;imagetype:png;width:200px;"
                       "height:100px;reflection:1;reflection-fraction:0.250000;border-width:0px;border-style:solid;"
                       "border-color:#000000;fixed:0;opacity:0.500000;filter:alpha(opacity=50.000000);"
                       "box-shadow:0px 2px 3.000000px #000000;shadowOpacity:1.000000;shadowRadius:3.000000;"
                       "shadowOffSetY:2;imageAlpha:0.500000;display:inline;retina:1;slideShowNumber:-99;"
                       "groupNumber:-99;enlarge:0;galleryNumber:-99;galleryRowSpot:-99;galleryColumnSpot:-99;"
                       "tableNumber:-99;templateName:index;backdrop:0;manualLayerIndex:0;originalHeight:100;"
                       "bubbleFlag:0;bubbleShape:;imageMaskFlag:0;shadowBlurRadius:0.000000;shadowDistanceX:0.000000;"
                       "shadowDistanceY:0.000000;rotationAngle:0.000000;responsiveResizeFlag:0;"
                       "responsiveAlignmentFlag:0;sectionNumber:-99;sectionRowSpot:-99;sectionColumnSpot:-99;")
        + QLatin1String(kBox)
        // image7: enlargeable; the modal CSS follows its rule.
        + QStringLiteral(".image7{position:absolute;left:300px;top:300px;z-index:1;imagename:image7;imagetype:png;"
                         "width:80px;height:60px;reflection:0;reflection-fraction:0.000000;border-width:0px;"
                         "border-style:solid;border-color:#000000;fixed:0;box-shadow:0px 0px 0.000000px #000000;"
                         "shadowOpacity:1.000000;shadowRadius:0.000000;shadowOffSetY:0;imageAlpha:1.000000;"
                         "display:inline;retina:0;slideShowNumber:-99;groupNumber:-99;enlarge:1;galleryNumber:-99;"
                         "galleryRowSpot:-99;galleryColumnSpot:-99;tableNumber:-99;templateName:index;backdrop:1;"
                         "manualLayerIndex:0;originalHeight:60;bubbleFlag:0;bubbleShape:;imageMaskFlag:0;"
                         "shadowBlurRadius:0.000000;shadowDistanceX:0.000000;shadowDistanceY:0.000000;"
                         "rotationAngle:0.000000;responsiveResizeFlag:0;responsiveAlignmentFlag:0;sectionNumber:-99;"
                         "sectionRowSpot:-99;sectionColumnSpot:-99;")
        + QLatin1String(kBox)
        + QStringLiteral("\n.modal img {\ntext-align:center;\nmargin:0 auto;\nbox-shadow: 0 5px 15px rgba(0, 0, 0, .5);\n}\n"
                         ".modal{\noverflow-y: auto;\npadding:20px;\n}\n.close{\nposition:absolute;\ntop:0px;\n"
                         "right:0px;\ncolor:white;\nwidth:44px;\nheight:44px;\nfont-size: 28px;\n"
                         "font-family: Arial, Baskerville, monospace;\n}\n\n")
        // image12: a 200 x 100 image in a 5 pixel border is 200 x 105.
        + QStringLiteral(".image12{position:absolute;left:10px;top:10px;z-index:3;imagename:image12;imagetype:png;"
                         "width:200px;height:105px;reflection:0;reflection-fraction:0.000000;border-width:5px;"
                         "border-style:solid;border-color:#000000;fixed:0;box-shadow:0px 0px 0.000000px #000000;"
                         "shadowOpacity:1.000000;shadowRadius:0.000000;shadowOffSetY:0;imageAlpha:1.000000;"
                         "display:inline;retina:0;slideShowNumber:-99;groupNumber:-99;enlarge:0;galleryNumber:-99;"
                         "galleryRowSpot:-99;galleryColumnSpot:-99;tableNumber:-99;templateName:index;backdrop:0;"
                         "manualLayerIndex:0;originalHeight:100;bubbleFlag:0;bubbleShape:;imageMaskFlag:0;"
                         "shadowBlurRadius:0.000000;shadowDistanceX:0.000000;shadowDistanceY:0.000000;"
                         "rotationAngle:0.000000;responsiveResizeFlag:0;responsiveAlignmentFlag:0;sectionNumber:-99;"
                         "sectionRowSpot:-99;sectionColumnSpot:-99;")
        + QLatin1String(kBox);
    EXPECT_EQ(c.imageCSS.toStdString(), expected.toStdString());
    EXPECT_EQ(c.retinaBlock.toStdString(),
              "@media(-webkit-min-device-pixel-ratio: 2) {.image3{position:fixed;background-size:200px 100px "
              "!important;z-index:3;background:transparent url(\"index/image3@2x.png\");}");
    EXPECT_EQ(c.imageMarkup.toStdString(),
              "<div class=image3><a href=\"https://x.org/?a=1&amp;b=2\" target=\"_self\"><img "
              "src=\"index/image3@2x.png\" class=\"img-responsive\" alt=\"A &lt;b&gt;\"></a></div>\n"
              "<a class=image7 href=\"#popup_image7\" title=\"Big\" data-toggle=\"modal\" "
              "data-target=\"#popup_image7\"><img class=\"img-responsive\" src=\"index/image7o.png\"></a>\n"
              "<div class=\"modal fade\" id=\"popup_image7\" tabindex=\"-1\" role=\"dialog\" "
              "aria-labelledby=\"#popUpLabel_image7\" aria-hidden=\"true\">\n<button type=\"button\" class=\"close\" "
              "data-dismiss=\"modal\">x</button>\n<img class=\"img-responsive\" src=\"index/image7o.png\">\n"
              "<p align=center><span style=\"background-color:#ffffff; padding-right:10px;padding-left:10px;\">Big"
              "</span></p>\n</div>\n"
              "<div class=image12><img src=\"index/image12@2x.png\" class=\"img-responsive\" alt=\"\"></div>\n");
    EXPECT_EQ(linked->linkOption(), QStringLiteral("_self"));
    EXPECT_EQ(c.rightEdges, (QList<int32_t>{500, 380, 210}));
}

// Bordered geometry, zero sizes and hostile numbers never overflow.
TEST_F(ElementPassTest, ImageGeometry)
{
    struct Case {
        QRectF bounds;
        int border;
        const char *size;
    };
    const double huge = 1e300;
    const Case cases[] = {
        {{0, 0, 200, 100}, 0, "width:200px;height:100px;"},
        {{0, 0, 200, 100}, 5, "width:200px;height:105px;"},
        {{0, 0, 200.9, 100.9}, -2, "width:204px;height:104px;"},
        {{0, 0, 0, 100}, 5, "width:0px;height:110px;"},
        {{huge, -huge, huge, huge}, 3, "left:2147483647px;top:-2147483648px;"},
        {{0, 0, std::numeric_limits<double>::quiet_NaN(), 50}, 0, "width:0px;height:50px;"},
        {{0, 0, 100, 100}, 2147483647, "width:100px;height:2147483646px;"},
    };
    for (const Case &k : cases) {
        doc = std::make_unique<SKTDocument>();
        doc->pageName = QStringLiteral("index");
        auto i = add(image(QStringLiteral("image1"), {0, 0, 10, 10}));
        i->setBorderWidth(k.border);
        auto &c = prepare();
        // Set after the draw-time work, which would have fitted the bounds.
        doc->imageViewArray = {ImageElement(i)};
        i->setBounds(k.bounds);
        LineImageOutput::writeImages(c);
        EXPECT_TRUE(c.imageCSS.contains(QLatin1String(k.size))) << k.size << "\n" << c.imageCSS.toStdString();
    }
}

// Slides and table members: container values, no markup of their own, a
// slide always opaque with its frame as its size.
TEST_F(ElementPassTest, SlidesAndTableImagesInTheImagePass)
{
    auto slide = carrier(QStringLiteral("image2"), 300, 200);
    slide->slideShowNumber = 4;
    slide->alpha = 0.3f;
    slide->frame = QRectF(300, 0, 300, 200);
    slide->borderWidth = 5;
    auto member = carrier(QStringLiteral("image1"), 20, 20);
    member->tableNumber = 2;
    member->rowSpot = 1;
    member->columnSpot = 3;
    auto &c = prepare();
    doc->imageViewArray = {ImageElement(slide), ImageElement(member)};
    c.setContainerStackingValue(member.get(), 17);
    LineImageOutput::writeImages(c);
    EXPECT_TRUE(c.imageMarkup.isEmpty());
    EXPECT_TRUE(c.imageCSS.startsWith(QStringLiteral(".image1{position:absolute;left:0px;top:0px;z-index:17;")));
    EXPECT_TRUE(c.imageCSS.contains(QStringLiteral("galleryNumber:-99;galleryRowSpot:1;galleryColumnSpot:3;tableNumber:2;")));
    const QString slideRule = c.imageCSS.mid(c.imageCSS.indexOf(QStringLiteral(".image2{")));
    EXPECT_TRUE(slideRule.startsWith(QStringLiteral(".image2{position:absolute;left:300px;top:0px;z-index:0;"
                                                    "imagename:image2;imagetype:png;width:300px;height:200px;")));
    EXPECT_FALSE(slideRule.contains(QStringLiteral("opacity:")));
    EXPECT_TRUE(slideRule.contains(QStringLiteral("imageAlpha:1.000000;display:inline;retina:0;slideShowNumber:4;")));
    // The table member adds its edge; the slide does not.
    EXPECT_EQ(c.rightEdges, QList<int32_t>{20});
}

// The files: a selectable image is saved when images are stored, a mask is
// saved whatever the image, and a name that is not plain writes no file and
// says so.
TEST_F(ElementPassTest, ImageFiles)
{
    auto plain = add(image(QStringLiteral("image1"), {0, 0, 40, 30}));
    auto templated = add(image(QStringLiteral("image2"), {0, 50, 40, 30}));
    templated->setSelectable(false);
    templated->setTemplateName(QStringLiteral("basetemplate"));
    QImage mask(40, 30, QImage::Format_Grayscale8);
    mask.fill(255);
    templated->setMaskImage(mask);
    auto &c = prepare(true);
    LineImageOutput::writeImages(c);
    const QString folder = path() + QStringLiteral("/index/");
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("image1@2x.png")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("image1o.png")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("image2o.png")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("image2_mask.png")));
    EXPECT_TRUE(c.imageCSS.contains(QStringLiteral("imageMaskFlag:1;")));
    // The base template's image is taken from its own folder.
    EXPECT_TRUE(c.imageMarkup.contains(QStringLiteral("<div class=image2><img src=\"basetemplate/image2@2x.png\"")));
    EXPECT_TRUE(doc->lastWriteError.isEmpty());

    // Not saved without the save-images argument.
    plain->setImageName(QStringLiteral("image5"));
    auto &d = prepare(false);
    LineImageOutput::writeImages(d);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("image5o.png")));

    const QString hostileNames[] = {QStringLiteral("../escape"), QStringLiteral("a b")};
    for (const QString &name : hostileNames) {
        plain->setImageName(name);
        doc->lastWriteError.clear();
        auto &e = prepare(true);
        LineImageOutput::writeImages(e);
        EXPECT_FALSE(doc->lastWriteError.isEmpty()) << name.toStdString();
    }
    plain->setImageName(QStringLiteral("image6"));
    plain->setImageType(QStringLiteral("png/../../x"));
    auto &f = prepare(true);
    LineImageOutput::writeImages(f);
    EXPECT_FALSE(doc->lastWriteError.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path() + QStringLiteral("/escapeo.png")));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files).size(), 0);
}

// Values from a hostile page cannot leave their rule, attribute or string.
TEST_F(ElementPassTest, HostileImageValues)
{
    auto i = add(image(QStringLiteral("image1"), {0, 0, 40, 30}));
    i->setImageName(QStringLiteral("x}body{display:none"));
    i->setImageType(QStringLiteral("png\");}</style><script>"));
    i->setBorderHexColorString(QStringLiteral("red;}"));
    i->setBorderStyle(QStringLiteral("solid;}x{"));
    i->setAltText(QStringLiteral("\"><script>alert(1)</script>"));
    i->setLink(QStringLiteral("javascript:x\" onmouseover=\"y"));
    i->setLinkOption(QStringLiteral("_blank onload=z"));
    i->setRetinaFlag(true);
    i->setTemplateName(QStringLiteral("}{"));
    auto &c = prepare();
    LineImageOutput::writeImages(c);
    for (const QString *piece : {&c.imageCSS, &c.retinaBlock}) {
        EXPECT_EQ(piece->count(QLatin1Char('{')), piece->count(QLatin1Char('}')) + (piece == &c.retinaBlock ? 1 : 0))
            << piece->toStdString();
        EXPECT_FALSE(piece->contains(QStringLiteral("<script>")));
        EXPECT_FALSE(piece->contains(QStringLiteral("red")));
    }
    EXPECT_FALSE(c.imageCSS.contains(QStringLiteral("border-color")));
    EXPECT_FALSE(c.imageMarkup.contains(QStringLiteral("<script>")));
    EXPECT_TRUE(c.imageMarkup.contains(
        QStringLiteral("<a href=\"javascript:x&quot;%20onmouseover=&quot;y\" target=\"_blank onload=z\">")));
    EXPECT_TRUE(c.imageMarkup.contains(QStringLiteral("alt=\"&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;\"")));
    EXPECT_TRUE(c.imageMarkup.startsWith(QStringLiteral("<div class=\"x}body{display:none\">")));
}

// A whole page of every kind these passes write: the pieces reach the page,
// and generating again gives the same text (names and template names given
// out once are kept).
TEST_F(ElementPassTest, WholePageOfEveryKindIsStable)
{
    auto show = std::make_shared<SKTSlideshow>();
    placeOnPage(*show, {20, 20, 240, 120});
    show->setSlideShowAutomaticFlag(1);
    show->setImageArray({carrier(QString(), 480, 240), carrier(QString(), 480, 240)});
    add(show);
    auto gallery = std::make_shared<SKTGalleryGrid>();
    placeOnPage(*gallery, {300, 20, 200, 200});
    gallery->setNumOfRows(1);
    gallery->setNumOfColumns(1);
    auto photo = carrier(QStringLiteral("image20"), 60, 60);
    photo->rowSpot = 0;
    photo->columnSpot = 0;
    photo->slideShowNumber = -66;
    gallery->addIntoImageArray(photo);
    add(gallery);
    auto table = std::make_shared<SKTTable>();
    placeOnPage(*table, {20, 300, 200, 60});
    table->setNumOfRows(1);
    table->setNumOfColumns(1);
    auto cell = std::make_shared<myTextView>();
    cell->textView.string = QStringLiteral("Cell");
    cell->textView.fontName = fontFamily;
    cell->textView.fontPointSize = 12;
    table->setCellHelperArray({cell});
    add(table);
    auto snip = std::make_shared<SKTText>();
    placeOnPage(*snip, {20, 400, 200, 40});
    snip->setTextType(QStringLiteral("HTMLSnippet"));
    snip->setTextString(QStringLiteral("<em>raw</em>"));
    add(snip);
    auto line = std::make_shared<SKTLine>();
    placeOnPage(*line, {0, 0, 1, 1});
    line->setBeginPoint({20, 500});
    line->setEndPoint({220, 500});
    add(line);
    auto big = add(image(QStringLiteral("image2"), {300, 300, 80, 60}));
    big->setImageEnlargeFlag(1);
    add(image(QStringLiteral("image1"), {400, 300, 80, 60}));

    const QString page = generate(false, true);
    EXPECT_EQ(generate(false, true).toStdString(), page.toStdString());
    for (const char *piece : {".slideshow0{", "var autoStart0 = setInterval(showNextSlide0, 5000);",
                              "<div class=\"slide0\"><img src=index/image21@2x.png", ".galleryGrid0{", ".tableGrid0{",
                              ".snippet0{", "<div class=snippet0>\n<em>raw</em>\n</div>", ".line0{", ".image20{",
                              ".image21{", ".image22{", "<div class=image1><img src=\"index/image1@2x.png\"",
                              "data-target=\"#popup_image2\"", ".modal-backdrop{"})
        EXPECT_TRUE(page.contains(QLatin1String(piece))) << piece;
    // The slides' files and the free images' files are in the page folder.
    for (const char *file : {"image1@2x.png", "image1o.png", "image2o.png", "image21@2x.png", "image22o.png"})
        EXPECT_TRUE(QFileInfo::exists(path() + QStringLiteral("/index/") + QLatin1String(file))) << file;
    EXPECT_TRUE(doc->lastWriteError.isEmpty()) << doc->lastWriteError.toStdString();
}

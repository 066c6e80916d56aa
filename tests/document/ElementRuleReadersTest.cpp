#include "document/ElementRuleReaders.h"

#include <gtest/gtest.h>

namespace {

QString textRule(const QString &declarations)
{
    return QStringLiteral(".text0{position:absolute;left:10px;top:20px;z-index:4;%1}").arg(declarations);
}

std::shared_ptr<myTextView> readText(const QString &declarations, bool bootstrap = false,
                                     const QString &page = QStringLiteral("index"))
{
    RuleReadContext context;
    context.usingBootStrapFlag = bootstrap;
    context.pageName = page;
    return ElementRuleReaders::generateATextView(PageRule(textRule(declarations)), context);
}

} // namespace

TEST(ElementRuleReadersTest, TextBoxSizeGrowsByPaddingAndBorderOnlyWithoutTheResponsiveFramework)
{
    const QString rule = QStringLiteral("width:200px;height:50px;padding:5px;border-style:solid;border-width:2px;");
    auto absolute = readText(rule, false);
    EXPECT_EQ(absolute->frame, QRectF(10, 20, 214, 64));
    EXPECT_EQ(absolute->width, 214);
    EXPECT_EQ(readText(rule, true)->frame.size(), QSizeF(200, 50));

    auto full = readText(QStringLiteral("width:100%;height:50px;widthBuffer:9;padding:5px;"));
    EXPECT_TRUE(full->matchScreenFlag);
    EXPECT_EQ(full->frame.width(), 9999 - 9);

    // Border styles: only drawn ones keep a width; the old "Solid" means none.
    auto dbl = readText(QStringLiteral("width:100px;border-style:double;border-width:4px;padding:3px;"));
    EXPECT_EQ(dbl->borderWidth, 0);
    EXPECT_EQ(dbl->textView.borderLine, QStringLiteral("double"));
    EXPECT_EQ(dbl->frame.width(), 106);
    auto old = readText(QStringLiteral("width:100px;border-style:Solid;border-width:4px;padding:3px;"));
    EXPECT_EQ(old->textView.borderLine, QStringLiteral("none"));
    EXPECT_EQ(old->frame.width(), 100);
}

TEST(ElementRuleReadersTest, TextBoxKeepsWhatTheRuleSays)
{
    QSet<QString> families;
    RuleReadContext context;
    context.fontFamilies = &families;
    auto t = ElementRuleReaders::generateATextView(
        PageRule(textRule(QStringLiteral(
            "font-family:\"Futura px Display\";font-size:18px;color:#123456;text-align:justify;"
            "shapeBackgroundColor:#CLEAR0;background-color:#FFFFFF;shadowRadius:2;indent-flag:1;"
            "line-multiple:1.5;formType:(null);"))),
        context);
    EXPECT_EQ(t->familyName, QStringLiteral("Futura px Display")); // kept, never replaced
    EXPECT_EQ(t->textView.fontName, QStringLiteral("Futura px Display"));
    EXPECT_EQ(t->textView.fontPointSize, 18);
    EXPECT_TRUE(families.contains(QStringLiteral("Futura px Display")));
    EXPECT_EQ(t->textColorString, QStringLiteral("123456"));
    EXPECT_EQ(t->textAlignment, QStringLiteral("justify"));
    EXPECT_EQ(t->backgroundHexColorString, QStringLiteral("CLEAR0")); // shapeBackgroundColor first
    EXPECT_TRUE(t->shadowFlag);
    EXPECT_EQ(t->indentFlag, 1);
    EXPECT_FLOAT_EQ(t->lineSpacing, 1.5f);
    EXPECT_EQ(t->formType, QStringLiteral(""));
    EXPECT_EQ(t->tag, 4);
    EXPECT_EQ(t->tableNumber, -99);
    EXPECT_EQ(t->formOptionTag, -1);

    auto plain = readText(QString());
    EXPECT_EQ(plain->textAlignment, QString()); // no "text-align": as created
    EXPECT_EQ(plain->backgroundHexColorString, QStringLiteral("CLEAR0"));
    EXPECT_EQ(plain->familyName, QStringLiteral("Helvetica Neue"));
    EXPECT_FLOAT_EQ(plain->lineSpacing, -0.1f);

    // The base template's elements are locked on every other page.
    EXPECT_TRUE(readText(QStringLiteral("templateName:basetemplate;fixed:0;"))->moveLock);
    EXPECT_FALSE(readText(QStringLiteral("templateName:basetemplate;fixed:0;"), false, QStringLiteral("basetemplate"))
                     ->moveLock);
}

TEST(ElementRuleReadersTest, ImagesClampTheirReflectionAndBorder)
{
    auto image = [](const QString &extra) {
        return ElementRuleReaders::readImage(PageRule(QStringLiteral(
            ".image2{position:absolute;left:5px;top:6px;z-index:7;imagename:image2;imagetype:JPG;width:400px;"
            "height:300px;%1}")
                                                          .arg(extra)));
    };
    auto half = image(QStringLiteral("reflection-fraction:0.5;imageMaskFlag:1;"));
    EXPECT_EQ(half.image->frame, QRectF(5, 6, 400, 200));
    EXPECT_EQ(half.image->originalHeight, 300);
    EXPECT_EQ(half.tag, 7);
    EXPECT_TRUE(half.maskFlag);
    // Below -1 the old reader divided by zero or flipped; NaN cast to int.
    EXPECT_EQ(image(QStringLiteral("reflection-fraction:-1;")).image->frame.height(), 300);
    EXPECT_EQ(image(QStringLiteral("reflection-fraction:nan;")).image->frame.height(), 300);
    EXPECT_EQ(image(QStringLiteral("reflection-fraction:1e40;")).image->frame.height(), 150);

    auto none = image(QStringLiteral("border-style:none;border-width:4px;originalHeight:250;"));
    EXPECT_EQ(none.image->borderWidth, 0);
    auto solid = image(QStringLiteral("border-style:solid;border-width:2px;originalHeight:250;"));
    EXPECT_EQ(solid.image->borderWidth, 2);
    EXPECT_EQ(solid.image->frame.height(), 250);
    EXPECT_THROW(ElementRuleReaders::readImage(PageRule(QStringLiteral(".image1{position:absolute;left:1;top:1;}"))),
                 ReadError);
}

TEST(ElementRuleReadersTest, GridKindsAndLinesTakeTheirDefaults)
{
    auto table = ElementRuleReaders::readTableGrid(
        PageRule(QStringLiteral(".tableGrid0{position:fixed;left:1px;top:2px;z-index:3;width:40px;height:50px;"
                                "topPaddingStr:7;}")),
        2);
    EXPECT_EQ(table->gridType, QStringLiteral("table"));
    EXPECT_EQ(table->tableNumber, 2);
    EXPECT_EQ(table->topPadding, 7);
    EXPECT_EQ(table->topPaddingType, QStringLiteral("%"));
    EXPECT_EQ(table->topPaddingLevelString, QStringLiteral("None"));
    EXPECT_EQ(table->numOfRows, -99);
    EXPECT_EQ(table->scrollFlag, 1);

    auto show = ElementRuleReaders::readSlideshow(
        PageRule(QStringLiteral(".slideshow9{position:absolute;left:1px;top:2px;z-index:3;width:40px;height:50px;}")), 2);
    EXPECT_EQ(show->slideShowNumber, 2);
    EXPECT_EQ(show->slideShowAutomaticFlag, -99);
    EXPECT_EQ(show->textType, QStringLiteral("Slideshow"));

    auto gallery = ElementRuleReaders::readGalleryGrid(
        PageRule(QStringLiteral(".galleryGrid0{position:absolute;left:1px;top:2px;z-index:3;width:40px;height:50px;"
                                "numOfRows:99999999;numOfColumns:-5;}")),
        0);
    EXPECT_EQ(gallery->numOfRows, int32_t(ElementRuleReaders::kMaxCount));
    EXPECT_EQ(gallery->numOfColumns, -5);

    auto line = ElementRuleReaders::readLine(
        PageRule(QStringLiteral(".line0{position:absolute;lineOriginX:10;lineOriginY:20;lineEndX:30;lineEndY:5;z-index:1;}")));
    EXPECT_EQ(line->beginPoint, QPointF(10, 20));
    EXPECT_EQ(line->endPoint, QPointF(30, 5));
    EXPECT_FLOAT_EQ(line->alphaValue, 1.0f);
    EXPECT_FALSE(line->drawBeginArrow);
    EXPECT_FALSE(line->drawEndArrow);
}

TEST(ElementRuleReadersTest, FormControlsAreRebuiltThroughTheirMakers)
{
    RuleReadContext context;
    auto read = [&](const QString &declarations) {
        return ElementRuleReaders::readFormControl(PageRule(textRule(declarations)), context);
    };
    auto submit = read(QStringLiteral("formType:submit;formTag:9;formOptionTag:0;width:0px;height:0px;"
                                      "background-color:#808080;fixed:1;"));
    EXPECT_EQ(submit->frame, QRectF(10, 20, 70, 25));
    EXPECT_EQ(submit->textAlignment, QStringLiteral("center"));
    EXPECT_EQ(submit->backgroundHexColorString, QStringLiteral("808080"));
    EXPECT_TRUE(submit->moveLock);
    EXPECT_EQ(submit->formTag, 9);

    auto radio = read(QStringLiteral("formType:radio;formTag:2;formOptionTag:3;"));
    EXPECT_EQ(radio->frame, QRectF(10, 20, 15, 15));
    EXPECT_EQ(radio->formOptionTag, 3);
    EXPECT_EQ(radio->tableNumber, -99);
    EXPECT_EQ(radio->sectionNumber, -99);

    EXPECT_EQ(read(QStringLiteral("formType:text;formOptionTag:-22;width:100px;height:30px;"))->textView.string,
              QStringLiteral("3"));
    EXPECT_EQ(read(QStringLiteral("formType:text;formOptionTag:-11;width:100px;height:30px;"))->textView.string,
              QStringLiteral("name@example.com"));
    auto area = read(QStringLiteral("formType:textarea;formTag:3;width:300px;height:150px;formRequiredFlag:1;"));
    EXPECT_EQ(area->textView.string, QStringLiteral("Paragraph Placeholder"));
    EXPECT_EQ(area->formRequiredFlag, 1);
    EXPECT_EQ(area->topPaddingType, QStringLiteral("%"));
    EXPECT_EQ(read(QStringLiteral("formType:textLabel;"))->textType, QStringLiteral("Text"));
}

TEST(ElementRuleReadersTest, SnippetsAndOldProfileCells)
{
    RuleReadContext context;
    auto code = ElementRuleReaders::readSnippet(
        PageRule(QStringLiteral(".snippet0{position:absolute;left:1px;top:2px;z-index:3;width:40px;height:50px;nlines:2;"
                                "containsLinkFlag:1;}")),
        context);
    EXPECT_EQ(code->textType, QStringLiteral("HTMLSnippet"));
    EXPECT_EQ(code->nlines, 2);
    EXPECT_EQ(code->backgroundHexColorString, QStringLiteral("DCDCDC"));
    EXPECT_EQ(code->textView.borderLine, QStringLiteral("dashed"));
    auto formatted = ElementRuleReaders::readSnippet(
        PageRule(textRule(QStringLiteral("width:40px;height:50px;nlines:1;snippetFormattingFlag:1;color:#FF0000;"))),
        context);
    EXPECT_TRUE(formatted->snippetFormatFlag);
    EXPECT_EQ(formatted->textColorString, QStringLiteral("FF0000"));
    EXPECT_THROW(ElementRuleReaders::readSnippet(PageRule(textRule(QStringLiteral("width:4px;height:5px;"))), context),
                 ReadError);

    auto cell = ElementRuleReaders::readProfileCell(
        PageRule(QStringLiteral(".ttext0{position:absolute;font-size:12;font-family:Arial;color:#000000;"
                                "border-style:solid;tableNumber:0;rowNumber:2;columnNumber:5;}")),
        context);
    EXPECT_EQ(cell->rowSpot, 5);
    EXPECT_EQ(cell->columnSpot, 2);
    EXPECT_TRUE(cell->partOfTableFlag);
    EXPECT_EQ(cell->colorString, QStringLiteral("CLEAR0"));
}

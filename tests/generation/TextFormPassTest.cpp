// The text and form element pass: each text's rule (real CSS, then its
// editing attributes for the page reader) and markup, and the PHP lines and
// mail pieces of form fields.
#include "TextFormFixture.h"

#include "model/myTextView.h"

#include <functional>

namespace {

// The rule of one element: from ".textN{" to the end of its hover rules.
QString ruleOf(const QString &css, int n)
{
    const QString start = QStringLiteral(".text%1{").arg(n);
    const qsizetype from = css.indexOf(start);
    if (from < 0)
        return QString();
    const qsizetype next = css.indexOf(QStringLiteral(".text%1{").arg(n + 1), from);
    return next < 0 ? css.mid(from) : css.mid(from, next - from);
}

} // namespace

TEST_F(TextFormTest, TextsOfEveryStyleGiveTheStoredRulesAndMarkup)
{
    // Graphics order: the first text is the frontmost and gets the largest number.
    addText({10, 10, 300, 60}, QStringLiteral("Plain <b>text</b> \u201Cquoted\u201D\r\nsecond line & \u00A9"));
    SKTText *linked = addText({10, 80, 200, 20}, QStringLiteral("A link"));
    linked->setLink(QStringLiteral(" https://example.test/a page.html "));
    linked->setLinkOption(QString());
    linked->setHoverColorString(QStringLiteral("FF0000"));
    linked->setHoverTextColorString(QStringLiteral("00FF00"));
    SKTText *shape = addText({10, 110, 120, 40}, QStringLiteral("Shape link"));
    shape->setLink(QStringLiteral("page2.html"));
    shape->setLinkType(QStringLiteral("shape"));
    shape->setLinkOption(QStringLiteral("_blank"));
    shape->setHoverColorString(QStringLiteral("ABCDEF"));
    SKTText *styled = addText({10.7, 160.9, 250.5, 80.2}, QStringLiteral("Right aligned"));
    styled->setFontAlignment(2); // right, as the canvas draws it
    styled->setOpacity(0.5);
    styled->setShadowFlag(1);
    styled->setLineSpacing(1.5f);
    styled->setIndentFlag(2);
    styled->setCornerRadius(6.8);
    styled->setBorderStyle(QStringLiteral("dashed"));
    styled->setBorderWidth(2);
    styled->setBorderHexColorString(QStringLiteral("CLEAR0"));
    styled->setBackgroundHexColorString(QStringLiteral("EEEEEE"));
    styled->setHoverTextColorString(QStringLiteral("0000FF"));
    styled->setTemplateName(QStringLiteral("other.html"));
    styled->setManualLayerIndex(42);
    SKTText *wide = addText({0, 250, 100, 30}, QString());
    wide->setMatchScreenFlag(true);
    wide->setScrollFlag(1);

    const TextPassOutput out = runPass();
    expectGolden(QStringLiteral("text-pass.css"), out.css);
    expectGolden(QStringLiteral("text-pass.html"), out.markup);
    EXPECT_TRUE(out.php.isEmpty());
    EXPECT_TRUE(out.records.isEmpty());
    // Written back: a clear border is black, an empty link option "_self",
    // the template name without its extension.
    EXPECT_EQ(styled->borderHexColorString(), QStringLiteral("000000"));
    EXPECT_EQ(linked->linkOption(), QStringLiteral("_self"));
    EXPECT_EQ(styled->templateName(), QStringLiteral("other"));
    EXPECT_EQ(wide->formTag(), -99);
}

TEST_F(TextFormTest, EdgeCasesOfOneText)
{
    struct Case {
        const char *name;
        std::function<void(SKTText &)> setUp;
        QStringList inRule;
        QStringList notInRule;
        QString markup;
    };
    const QList<Case> cases{
        {"tags are shown literally", [](SKTText &t) { t.setTextString(QStringLiteral("<i>x</i>")); }, {}, {},
         QStringLiteral("<div class=text0>&lt;i&gt;x&lt;/i&gt;</div>\n")},
        {"two line breaks give two <br>", [](SKTText &t) { t.setTextString(QStringLiteral("a\n\nb")); },
         {QStringLiteral("nlines:3;")}, {}, QStringLiteral("<div class=text0>a<br><br>b</div>\n")},
        {"http:// alone is no link",
         [](SKTText &t) {
             t.setTextString(QStringLiteral("x"));
             t.setLink(QStringLiteral("http://"));
         },
         {}, {}, QStringLiteral("<div class=text0>x</div>\n")},
        {"a link cannot leave its attribute",
         [](SKTText &t) {
             t.setTextString(QStringLiteral("x"));
             t.setLink(QStringLiteral("a\" onmouseover=\"alert(1)"));
             t.setLinkOption(QStringLiteral("_top' x='"));
         },
         {}, {},
         QStringLiteral("<div class=text0><a href=\"a&quot;%20onmouseover=&quot;alert(1)\" "
                        "target=\"_top&#39;%20x=&#39;\">x</a></div>\n")
             .replace(QStringLiteral("_top&#39;%20x=&#39;"), QStringLiteral("_top&#39; x=&#39;"))},
        {"opacity 1 writes no opacity", [](SKTText &t) { t.setTextString(QStringLiteral("x")); },
         {QStringLiteral("textAlpha:1.000000;")}, {QStringLiteral("opacity:"), QStringLiteral("box-shadow")}, {}},
        {"opacity 0.5",
         [](SKTText &t) {
             t.setTextString(QStringLiteral("x"));
             t.setOpacity(0.5);
         },
         {QStringLiteral("opacity:0.500000;filter:alpha(opacity=50.000000);")}, {}, {}},
        {"natural alignment is left",
         [](SKTText &t) {
             t.setTextString(QStringLiteral("x"));
             t.setFontAlignment(4);
         },
         {QStringLiteral("text-align:left;")}, {}, {}},
        {"centred", [](SKTText &t) {
             t.setTextString(QStringLiteral("x"));
             t.setFontAlignment(1);
         },
         {QStringLiteral("text-align:center;")}, {}, {}},
        // Not the default font of an empty text: what the person set for the
        // text to come is kept, or it would be lost at the next opening.
        {"an empty text keeps its own font, colour, padding and alignment",
         [](SKTText &t) {
             t.setTextString(QString());
             t.setFontAlignment(1);
         },
         {QStringLiteral("font-size:12px;color:#333333;"), QStringLiteral("font-family:\"DejaVu Sans\";padding:4px;"),
          QStringLiteral("text-align:center;"), QStringLiteral("nlines:0;")},
         {}, QStringLiteral("<div class=text0></div>\n")},
        {"padding is 0.11 of the height up to 10", [](SKTText &t) { t.setTextString(QStringLiteral("x")); },
         {QStringLiteral("padding:4px;")}, {}, {}},
        {"hostile stored values stay inside the rule",
         [](SKTText &t) {
             t.setTextString(QStringLiteral("x"));
             t.setFontFamily(QStringLiteral("A\";}body{display:none}"));
             t.setTemplateName(QStringLiteral("t;x}y"));
             t.setTextHexColorString(QStringLiteral("red;}"));
             t.setBackgroundHexColorString(QStringLiteral("12345G"));
             t.setHoverColorString(QStringLiteral("x}"));
             t.setOnClickShowString(QStringLiteral("</style><script>"));
         },
         {QStringLiteral("font-family:\"Abodydisplay:none\";"), QStringLiteral("color:#000000;"),
          QStringLiteral("templateName:txy;"), QStringLiteral("onClickShow:/stylescript;")},
         {QStringLiteral("background-color"), QStringLiteral("hoverColor")}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        doc->setGraphics({});
        auto t = textBox({5, 5, 40, 40}, QStringLiteral("x"));
        c.setUp(*t);
        doc->insertGraphic(t);
        const TextPassOutput out = runPass();
        const QString rule = ruleOf(out.css, 0);
        for (const QString &s : c.inRule)
            EXPECT_TRUE(rule.contains(s)) << s.toStdString() << "\n" << rule.toStdString();
        for (const QString &s : c.notInRule)
            EXPECT_FALSE(rule.contains(s)) << s.toStdString() << "\n" << rule.toStdString();
        // One rule: its braces balance and nothing follows the element's own rules.
        EXPECT_EQ(rule.count(QLatin1Char('{')), rule.count(QLatin1Char('}'))) << rule.toStdString();
        if (!c.markup.isNull())
            EXPECT_EQ(out.markup, c.markup);
    }
}

TEST_F(TextFormTest, FormFieldsGiveTheirMarkupPhpLinesAndMailPieces)
{
    makeFormPage();
    addField(QStringLiteral("textLabel"), 1, -99, {20, 20, 100, 20}, QStringLiteral("Name's \"nick\""));
    addField(QStringLiteral("text"), 1, -99, {130, 20, 100, 20}, QString(), true);
    addField(QStringLiteral("password"), 2, -99, {130, 50, 100, 20});
    // A radio group: two buttons of tag 3 with their captions, and a checkbox group.
    addField(QStringLiteral("textLabel"), 3, 0, {40, 80, 60, 20}, QStringLiteral("Yes 'sure'"));
    addField(QStringLiteral("radio"), 3, 0, {20, 80, 20, 20});
    addField(QStringLiteral("textLabel"), 3, 1, {40, 100, 60, 20}, QStringLiteral("No"));
    addField(QStringLiteral("radio"), 3, 1, {20, 100, 20, 20});
    addField(QStringLiteral("textLabel"), 4, 0, {40, 130, 60, 20}, QStringLiteral("Red & blue"));
    addField(QStringLiteral("checkbox"), 4, 0, {20, 130, 20, 20});
    addField(QStringLiteral("checkbox"), 4, 1, {20, 150, 20, 20});
    addField(QStringLiteral("textarea"), 5, -99, {20, 180, 205, 98}, QString(), true);
    addField(QStringLiteral("textLabel"), 6, -22, {20, 290, 60, 20}, QStringLiteral("ignored"));
    addField(QStringLiteral("text"), 6, -22, {90, 290, 40, 20});
    addField(QStringLiteral("submit"), 7, -99, {20, 320, 80, 20}, QStringLiteral("Go \"now\""));

    const TextPassOutput out = runPass();
    expectGolden(QStringLiteral("form-fields.html"), out.markup);
    EXPECT_EQ(out.php, QStringLiteral("$form6 = zovFormValue('form6');\n"
                                      "$form5 = nl2br(zovFormValue('form5'));\n"
                                      "$form4 = zovFormValue('form4');\n"
                                      "$form3 = zovFormValue('form3');\n"
                                      "$form2 = zovFormValue('form2');\n"
                                      "$form1 = zovFormValue('form1');\n"));
    // One mail piece per field and group, one per plain label, in pass order.
    QStringList quoted, doubled;
    for (const FormSortHelper &r : out.records) {
        quoted << r.formMessageBody_quote;
        doubled << r.formMessageBody;
    }
    EXPECT_EQ(quoted, (QStringList{"'.$form6.'<p>", "'.$form5.'<p>", "'.$form4.'<p>", "'.$form3.'<p>", "'.$form2.'<p>",
                                   "'.$form1.'<p>", "<b>Name&#39;s &#34;nick&#34;</b><p>"}));
    EXPECT_EQ(doubled.last(), QStringLiteral("<b>Name&#39;s &#34;nick&#34;</b><p>"));
    EXPECT_EQ(out.records.last().formYPosition, 20);
    // The caption stays as typed: its marker stores it so (the alerts take their own copy).
    EXPECT_EQ(doc->formSubmitButtonValue, QStringLiteral("Go \"now\""));
    // Radio buttons and checkboxes have the short rule.
    EXPECT_TRUE(out.css.contains(QStringLiteral(
        ".text4{position:absolute;left:20px;top:150px;z-index:5;formType:checkbox;formTag:4;formOptionTag:1;}\n")));
}

TEST_F(TextFormTest, EachRuleCarriesOnlyItsOwnElementsValues)
{
    // A cell carrier walked after a text graphic: neither takes the other's
    // grid, bubble or click values.
    SKTText *bubble = addText({10, 10, 100, 40}, QStringLiteral("Bubble"));
    bubble->setZoomBubbleFlag(1);
    bubble->setBubbleShape(QStringLiteral("round"));
    bubble->setOnClickShowString(QStringLiteral("panel1"));
    auto cell = std::make_shared<myTextView>(QRectF(200, 10, 80, 30));
    cell->textView.string = QStringLiteral("Cell");
    cell->familyName = fontFamily;
    cell->fontSize = 11;
    cell->fixedWidthFlag = 1;
    cell->xsGridColumns = 6;
    cell->tableNumber = 0;
    cell->rowSpot = 1;
    cell->columnSpot = 2;
    cell->textHexColorString = QStringLiteral("112233");
    cell->alphaValue = 1.0f;

    doc->textViewArray = {TextElement(bubble), TextElement(cell)};
    GenerationContext ctx(*doc, doc->pageName, false, false);
    ctx.setContainerStackingValue(cell.get(), 7);
    TextFormPass::run(ctx);
    const QString cellRule = ruleOf(ctx.textCSS, 0);
    const QString textRule = ruleOf(ctx.textCSS, 1);
    EXPECT_TRUE(cellRule.contains(QStringLiteral("left:200px;top:10px;z-index:7;font-size:11px;color:#112233;")));
    EXPECT_TRUE(cellRule.contains(QStringLiteral("tableNumber:0;tableRowSpot:1;tableColumnSpot:2;")));
    EXPECT_TRUE(cellRule.contains(QStringLiteral("fixedWidthFlag:1;")));
    EXPECT_TRUE(cellRule.contains(QStringLiteral("zoomBubbleFlag:0;bubbleShape:;xsColumnGrid:6;")));
    EXPECT_TRUE(cellRule.contains(QStringLiteral("onClickShow:;")));
    EXPECT_TRUE(cellRule.contains(QStringLiteral("padding:0px;")));
    EXPECT_TRUE(textRule.contains(QStringLiteral("tableNumber:-99;tableRowSpot:-99;tableColumnSpot:-99;")));
    EXPECT_TRUE(textRule.contains(QStringLiteral("fixedWidthFlag:0;")));
    EXPECT_TRUE(textRule.contains(QStringLiteral("zoomBubbleFlag:1;bubbleShape:round;xsColumnGrid:0;")));
    EXPECT_TRUE(textRule.contains(QStringLiteral("onClickShow:panel1;")));
    EXPECT_EQ(ctx.textMarkup, QStringLiteral("<div class=text0>Cell</div>\n<div class=text1>Bubble</div>\n"));
}

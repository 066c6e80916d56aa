// The text element generator and the form input markup of the responsive
// editions: golden fragments per kind, and the values a hostile page brings.
#include "ResponsiveFixture.h"

#include "generation/FormInputMarkup.h"

namespace {

class ResponsiveTextTest : public ResponsiveTest {
protected:
    CodeWidgetHelper codeFor(SKTText *text)
    {
        prepare();
        return doc->generateTextViewCode(TextElement(text), nullptr, false);
    }
    GenerationContext &prepare()
    {
        doc->textViewArray.clear();
        for (SKTText *t : doc->textAreas())
            doc->textViewArray.append(TextElement(t));
        ctx = std::make_unique<GenerationContext>(*doc, doc->pageName, true, false);
        return *ctx;
    }
    std::unique_ptr<GenerationContext> ctx;
};

TEST_F(ResponsiveTextTest, LinkedHoveredAndClickableTextsAsStored)
{
    SKTText *plain = addBox({10, 20, 200, 40}, QStringLiteral("Two\nlines"));
    SKTText *linked = addBox({10, 80, 200, 40}, QStringLiteral("Linked"));
    linked->setLink(QStringLiteral(" example.com/a b"));
    linked->setLinkOption(QStringLiteral("_blank"));
    SKTText *shape = addBox({10, 140, 200, 40}, QStringLiteral("Shape link"));
    shape->setLink(QStringLiteral("https://example.com/"));
    shape->setLinkType(QStringLiteral("shape"));
    shape->setLinkOption(QString());
    SKTText *hovered = addBox({10, 200, 200, 40}, QStringLiteral("Hover"));
    hovered->setHoverColorString(QStringLiteral("FF0000"));
    hovered->setHoverTextColorString(QStringLiteral("00FF00"));
    hovered->setShadowFlag(1);
    hovered->setOpacity(0.5);
    hovered->setLineSpacing(1.5f);
    SKTText *clickable = addBox({10, 260, 200, 40}, QStringLiteral("Click"));
    clickable->setOnClickShowString(QStringLiteral("a1,b2"));
    clickable->setOnClickHideString(QStringLiteral("c3"));
    clickable->setResponsiveAlignment(1);
    clickable->setIndentFlag(1);

    QString all;
    for (SKTText *t : {plain, linked, shape, hovered, clickable})
        all += dump(codeFor(t));
    expectGolden(QStringLiteral("responsive/text-fragments.txt"), all);
}

TEST_F(ResponsiveTextTest, ClearColoursBecomeBlackAndMissingUnitsPercent)
{
    SKTText *t = addBox({0, 0, 100, 30}, QStringLiteral("x"));
    t->setTextHexColorString(QStringLiteral("CLEAR0"));
    t->setBorderHexColorString(QStringLiteral("CLEAR0"));
    t->setLeftMargin(10);
    t->setRightMargin(5);
    const CodeWidgetHelper code = codeFor(t);
    EXPECT_EQ(t->textHexColorString(), QStringLiteral("000000"));
    EXPECT_EQ(t->borderHexColorString(), QStringLiteral("000000"));
    EXPECT_TRUE(code.headerString.contains(QStringLiteral("color:#000000;"))) << code.headerString.toStdString();
    EXPECT_FALSE(code.headerString.contains(QStringLiteral("(null)"))) << code.headerString.toStdString();
    EXPECT_TRUE(code.headerString.contains(QStringLiteral("margin-left:10%;margin-right:5%;width:85%;")));
    EXPECT_TRUE(code.headerString.contains(QStringLiteral("textAlpha:1.000000;")));
    EXPECT_FALSE(code.headerString.contains(QStringLiteral("opacity:")));
    EXPECT_EQ(code.rect, QRectF(0, 0, 100, 30));

    // populateTextViewMarginType fills what is unset and keeps what is set.
    t->setTopPaddingType(QStringLiteral("pixel"));
    t->setBottomPaddingType(QStringLiteral("(null)"));
    doc->populateTextViewMarginType(TextElement(t));
    EXPECT_EQ(t->topPaddingType(), QStringLiteral("pixel"));
    EXPECT_EQ(t->bottomPaddingType(), QStringLiteral("%"));
    EXPECT_EQ(t->rightMarginType(), QStringLiteral("%"));
}

TEST_F(ResponsiveTextTest, HostileValuesStayInTheirPlace)
{
    SKTText *t = addBox({0, 0, 100, 30}, QStringLiteral("x"));
    t->setLink(QStringLiteral("https://e.com/\" onmouseover=\"alert(1)"));
    t->setLinkOption(QStringLiteral("_blank' x='1"));
    t->setFontFamily(QStringLiteral("Evil\"; } body{display:none"));
    t->setTextHexColorString(QStringLiteral("red;}body{"));
    t->setHoverColorString(QStringLiteral("</style>"));
    t->setOnClickShowString(QStringLiteral("a\"),alert(1),$(\"b,</script><script>alert(2)"));
    const CodeWidgetHelper code = codeFor(t);
    // No attribute is opened by the link or the target.
    EXPECT_FALSE(code.bodyString.contains(QStringLiteral("onmouseover=\""))) << code.bodyString.toStdString();
    EXPECT_FALSE(code.bodyString.contains(QStringLiteral("x='1"))) << code.bodyString.toStdString();
    // The rule keeps one opening and one closing brace per rule; no colour but hex.
    EXPECT_FALSE(code.headerString.contains(QStringLiteral("body{"))) << code.headerString.toStdString();
    EXPECT_FALSE(code.headerString.contains(QStringLiteral("</style>")));
    EXPECT_FALSE(code.headerString.contains(QStringLiteral("red")));
    // The click script keeps its ids inside their strings.
    EXPECT_EQ(code.javaScriptString.count(QStringLiteral("</script>")), 1) << code.javaScriptString.toStdString();
    EXPECT_FALSE(code.javaScriptString.contains(QStringLiteral("\"),alert"))) << code.javaScriptString.toStdString();
}

TEST_F(ResponsiveTextTest, EveryFormFieldAsStored)
{
    addField(QStringLiteral("textLabel"), 1, 0, {10, 10, 100, 20}, QStringLiteral("Name's"));
    SKTText *name = addField(QStringLiteral("text"), 1, 0, {120, 10, 200, 24}, QString(), true);
    SKTText *password = addField(QStringLiteral("password"), 2, 0, {120, 40, 200, 24});
    SKTText *question = addField(QStringLiteral("textLabel"), 3, -99, {10, 70, 200, 20}, QStringLiteral("Colour?"));
    addField(QStringLiteral("textLabel"), 3, 1, {40, 90, 100, 20}, QStringLiteral("Red \"dark\""));
    SKTText *red = addField(QStringLiteral("radio"), 3, 1, {10, 90, 20, 20});
    addField(QStringLiteral("textLabel"), 4, 1, {40, 120, 100, 20}, QStringLiteral("Tea & milk"));
    SKTText *tea = addField(QStringLiteral("checkbox"), 4, 1, {10, 120, 20, 20});
    addField(QStringLiteral("textLabel"), 5, 0, {10, 150, 100, 20}, QStringLiteral("Message's"));
    SKTText *area = addField(QStringLiteral("textarea"), 5, 0, {120, 150, 200, 100});
    SKTText *bot = addField(QStringLiteral("text"), 6, -22, {120, 260, 60, 24});
    SKTText *send = addField(QStringLiteral("submit"), 7, 0, {120, 300, 80, 30}, QStringLiteral("Send"));
    send->setResponsiveAlignment(2);
    SKTText *lone = addField(QStringLiteral("text"), 8, 0, {120, 340, 80, 30}, QStringLiteral("Own"));

    QString all;
    for (SKTText *t : {name, password, question, red, tea, area, bot, send, lone})
        all += dump(codeFor(t));
    expectGolden(QStringLiteral("responsive/form-fields.txt"), all);
    EXPECT_EQ(doc->formSubmitButtonValue, QStringLiteral("Send"));

    prepare();
    EXPECT_TRUE(FormInputMarkup::IsThisMultipleChoiceLabel(*doc, TextElement(question)));
    EXPECT_EQ(FormInputMarkup::grabRadioLabel(*doc, TextElement(red)).graphic(), question);
    EXPECT_TRUE(FormInputMarkup::grabRadioLabel(*doc, TextElement(tea)).isNull());
}

TEST_F(ResponsiveTextTest, TextAreaRowsAndLabelWithoutCaption)
{
    SKTText *tall = addField(QStringLiteral("textarea"), 1, 0, {0, 0, 100, 100});
    SKTText *low = addField(QStringLiteral("textarea"), 2, 0, {0, 200, 100, 29});
    SKTText *lone = addField(QStringLiteral("text"), 3, 0, {0, 300, 100, 29}, QStringLiteral("Own"));
    EXPECT_TRUE(codeFor(tall).bodyString.contains(QStringLiteral("rows=6 ")));
    EXPECT_TRUE(codeFor(low).bodyString.contains(QStringLiteral("rows=1 ")));
    // No caption: the field's own text, numbered after the page's text elements.
    EXPECT_TRUE(codeFor(lone).bodyString.contains(QStringLiteral("<div class=text3>Own</div>")))
        << codeFor(lone).bodyString.toStdString();
}

} // namespace

// The stored rule of text elements and snippets in the responsive editions
// (declaration lists), and the snippet generator's fragments.
#include "ResponsiveFixture.h"

#include <QRegularExpression>

namespace {

class ResponsiveStoredRuleTest : public ResponsiveTest {
protected:
    void SetUp() override
    {
        ResponsiveTest::SetUp();
        ctx = std::make_unique<GenerationContext>(*doc, doc->pageName, false, false);
    }
    // The rule's name:value pairs, in order.
    static QStringList pairs(const QString &css)
    {
        const qsizetype open = css.indexOf(QLatin1Char('{'));
        const qsizetype close = css.indexOf(QLatin1Char('}'));
        return css.mid(open + 1, close - open - 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    std::unique_ptr<GenerationContext> ctx;
};

TEST_F(ResponsiveStoredRuleTest, CombineLeavesOutUnsetValues)
{
    const QList<GenerateSourceCodeObject> list = {{QStringLiteral("a"), QStringLiteral("1")},
                                                  {QStringLiteral("b"), QStringLiteral("#(null)")},
                                                  {QStringLiteral("c"), QStringLiteral("(null)")},
                                                  {QStringLiteral("d"), QStringLiteral("#")},
                                                  {QStringLiteral("e"), QString()},
                                                  {QStringLiteral("f"), QStringLiteral("2"), true}};
    EXPECT_EQ(SKTDocument::combineSourceCodeString(list), QStringLiteral("a:1;f:2 !important;"));
}

TEST_F(ResponsiveStoredRuleTest, MainRuleSplitsIntoTheStoredPairsInOrder)
{
    SKTText *t = addBox({10.7, 20.2, 200, 50}, QStringLiteral("Hello"));
    t->setTemplateName(QStringLiteral("base.html"));
    t->setLineSpacing(-2.0f);
    t->setShadowFlag(1);
    t->setBubbleShape(QStringLiteral("round"));
    const CodeWidgetHelper code = doc->generateTextViewCodeStatic(TextElement(t), 4);
    // Unset values (here the level strings and hover colours) are left out.
    QStringList names;
    for (const QString &p : pairs(code.headerString))
        names << p.section(QLatin1Char(':'), 0, 0);
    const QStringList expected = {
        "position", "background-color", "color", "left", "top", "height", "width", "z-index",
        "snippetFormattingFlag", "font-size", "font-family", "padding", "border-style", "border-width",
        "border-color", "text-align", "verticalAlignment", "border-radius", "-moz-border-radius", "fixed",
        "shadow-opacity", "shadow-radius", "textAlpha", "opacity", "filter", "indent-flag", "text-indent",
        "shapeFlag", "groupNumber", "line-height", "tableNumber", "tableRowSpot", "tableColumnSpot",
        "templateName", "manualLayerIndex", "linkType", "shapeBackgroundColor", "nlines", "fixedWidthFlag",
        "fixedHeightFlag", "widthBuffer", "heightBuffer", "zoomBubbleFlag", "bubbleShape", "xsColumnGrid",
        "smallColumnGrid", "mediumColumnGrid", "largeColumnGrid", "shadowBlurRadius", "shadowDistanceX",
        "shadowDistanceY", "rotationAngle", "responsiveResizeFlag", "responsiveAlignmentFlag", "sectionNumber",
        "sectionRowSpot", "sectionColumnSpot", "markAsReplyFlag", "topMarginStr", "bottomMarginStr",
        "leftMarginStr", "rightMarginStr", "topPaddingStr", "bottomPaddingStr", "leftPaddingStr",
        "rightPaddingStr", "topPaddingTypeStr", "bottomPaddingTypeStr", "leftPaddingTypeStr",
        "rightPaddingTypeStr", "topMarginTypeStr", "bottomMarginTypeStr", "leftMarginTypeStr",
        "rightMarginTypeStr", "containsLinkFlag", "line-height", "line-multiple", "box-shadow"};
    EXPECT_EQ(names.join(QLatin1Char(' ')).toStdString(), expected.join(QLatin1Char(' ')).toStdString());
    EXPECT_TRUE(code.headerString.startsWith(QStringLiteral(".text4{position:absolute;background-color:transparent;"
                                                            "color:#333333;left:10px;top:20px;height:50px;width:200px;")))
        << code.headerString.toStdString();
    const QString rule = code.headerString;
    for (const char *part : {"tableNumber:-99;tableRowSpot:-99;tableColumnSpot:-99;", "templateName:base;",
                             "shapeBackgroundColor:#CLEAR0;", "line-height:0.00 !important;line-multiple:0.00;",
                             "shadow-opacity:1.00;", "box-shadow:0px 1px 1.000000px #000000;", "padding:5px;",
                             "topPaddingTypeStr:%;"})
        EXPECT_TRUE(rule.contains(QLatin1String(part))) << part << "\n" << rule.toStdString();
    // Then the four link and hover rules, and the markup.
    EXPECT_EQ(rule.count(QStringLiteral(".text4")), 5);
    EXPECT_TRUE(rule.endsWith(QStringLiteral("}\n\n")));
    EXPECT_EQ(code.bodyString, QStringLiteral("<div class=text4>\nHello\n</div>\n"));
}

TEST_F(ResponsiveStoredRuleTest, TextIsEscapedBeforeItsLineBreaksBecomeTags)
{
    SKTText *t = addBox({0, 0, 100, 50}, QStringLiteral("a<b>\nc\r\nd"));
    const CodeWidgetHelper stored = doc->generateTextViewCodeStatic(TextElement(t), 0);
    // CR LF is one line break.
    EXPECT_EQ(stored.bodyString, QStringLiteral("<div class=text0>\na&lt;b&gt;<br>c<br>d\n</div>\n"));
    // An empty text keeps its own size, padding and alignment; no lines.
    SKTText *empty = addBox({0, 0, 100, 50}, QString());
    empty->setFontAlignment(1);
    const QString rule = doc->generateTextViewCodeStatic(TextElement(empty), 1).headerString;
    const QString size = QStringLiteral("font-size:%1;").arg(empty->fontSize());
    EXPECT_TRUE(rule.contains(size)) << rule.toStdString();
    for (const char *part : {"padding:5px;", "text-align:center;", "nlines:0;", "shadow-opacity:0.00;"})
        EXPECT_TRUE(rule.contains(QLatin1String(part))) << part;
    EXPECT_FALSE(rule.contains(QStringLiteral("box-shadow")));
}

TEST_F(ResponsiveStoredRuleTest, RawAndFormattedSnippets)
{
    SKTText *raw = addBox({10, 10, 300, 60}, QStringLiteral("<b>raw</b>\r\n<i>x</i>"));
    raw->setTextType(QStringLiteral("HTMLSnippet"));
    raw->setTemplateName(QStringLiteral("base.html"));
    SKTText *formatted = addBox({10, 100, 300, 60}, QStringLiteral("one\ntwo"));
    formatted->setTextType(QStringLiteral("HTMLSnippet"));
    formatted->setSnippetFormatFlag(true);
    formatted->setBorderHexColorString(QStringLiteral("CLEAR0"));
    formatted->setHoverTextColorString(QStringLiteral("FF0000"));
    formatted->setVerticalAlignment(1);
    formatted->setTextHeight(33);
    formatted->setLink(QStringLiteral("https://example.com/?a=1&b=\"2\""));
    formatted->setOnClickShowString(QStringLiteral("x,y"));
    formatted->setOnClickHideString(QStringLiteral("z"));
    SKTText *empty = addBox({10, 200, 100, 30}, QString());
    empty->setTextType(QStringLiteral("HTMLSnippet"));
    empty->setSnippetFormatFlag(true);
    empty->setOpacity(0.5);

    QString all;
    for (SKTText *t : {raw, formatted, empty})
        all += dump(doc->generateSnippetCode(TextElement(t), nullptr));
    expectGolden(QStringLiteral("responsive/snippets.txt"), all);
    EXPECT_EQ(formatted->borderHexColorString(), QStringLiteral("000000"));
    EXPECT_EQ(raw->templateName(), QStringLiteral("base"));
}

TEST_F(ResponsiveStoredRuleTest, SnippetOfATableCellIsNamedAfterItsTable)
{
    // The section is the frontmost of two graphics: its number is 2.
    SKTTable *section = addSection({0, 0, 600, 100}, {6, 6});
    addBox({0, 200, 10, 10}, QStringLiteral("back"));
    const auto cell = section->cellHelperArray().at(1);
    cell->textView.string = QStringLiteral("cell");
    const CodeWidgetHelper code = doc->generateSnippetCode(TextElement(cell), section);
    EXPECT_TRUE(code.headerString.startsWith(QStringLiteral(".tableGrid2snippet1{"))) << code.headerString.toStdString() << code.bodyString.toStdString();
    EXPECT_TRUE(code.bodyString.contains(QStringLiteral("id=tableGrid2snippet1"))) << code.bodyString.toStdString();
    EXPECT_TRUE(code.partOfTableFlag);
}

} // namespace

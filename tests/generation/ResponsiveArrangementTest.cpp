// Arrangement of fragments into responsive sections (Bootstrap rows, or
// table rows on e-mail pages), and the responsive and e-mail pages.
#include "ResponsiveFixture.h"

#include "generation/ResponsiveArrangement.h"
#include "model/TransformView.h"

namespace {

class ResponsiveArrangementTest : public ResponsiveTest {
protected:
    // A fragment as the image and snippet generators leave it: absolute
    // placement and the two margin placeholders.
    static CodeWidgetHelper fragment(const QString &name, const QRectF &r)
    {
        CodeWidgetHelper f;
        f.headerString = QStringLiteral(".%1{left:%2px;top:%3px;width:%4px;height:%5px;position:absolute;margin-top:0;"
                                        "margin-bottom:0;}")
                             .arg(name)
                             .arg(int(r.x()))
                             .arg(int(r.y()))
                             .arg(int(r.width()))
                             .arg(int(r.height()));
        f.bodyString = QStringLiteral("<p>%1</p>").arg(name);
        f.setRect(r);
        return f;
    }
    CodeWidgetHelper arrange(SKTTable *section, const QList<CodeWidgetHelper> &fragments)
    {
        doc->sourceCodeArray = fragments;
        doc->sourceCodeArraySorted = false;
        return doc->arrangeResponsiveElements(section);
    }
    QString cssOf(const QString &name) const
    {
        for (const CodeWidgetHelper &f : doc->sourceCodeArray)
            if (f.headerString.startsWith(QLatin1Char('.') + name + QLatin1Char('{')))
                return f.headerString;
        return QString();
    }
};

TEST_F(ResponsiveArrangementTest, MarginsComeFromTheCanvas)
{
    SKTTable *section = addSection({0, 100, 1200, 400}, {6, 6});
    // Column 0: a over b, overlapping by 5; c spans both columns; column 1 holds only d.
    const CodeWidgetHelper result =
        arrange(section, {fragment("b", {10, 195, 300, 50}), fragment("a", {10, 120, 300, 80}),
                          fragment("c", {500, 300, 300, 40}), fragment("d", {700, 150, 300, 60})});
    EXPECT_EQ(cssOf("a").toStdString(), std::string(".a{width:100%;height:100%;margin-top:20px;margin-top:20px;margin-bottom:-5px;}"));
    // b is followed by c (lower, in the same column) and is not bottom-most.
    EXPECT_EQ(cssOf("b").toStdString(), std::string(".b{width:100%;height:100%;margin-top:0;margin-bottom:55px;}"));
    EXPECT_EQ(cssOf("c").toStdString(), std::string(".c{width:100%;height:100%;margin-top:0;margin-bottom:160px;}"));
    // d is top-most in column 1; c, lower and reaching into column 1 too, was
    // placed already, so d is neither bottom-most nor followed.
    EXPECT_EQ(cssOf("d").toStdString(), std::string(".d{width:100%;height:100%;margin-top:50px;margin-bottom:0;}"));
    // c lies across both columns and went to the first only.
    const QString body = result.bodyString;
    EXPECT_EQ(body.count(QStringLiteral("<p>c</p>")), 1);
    EXPECT_LT(body.indexOf(QStringLiteral("<p>c</p>")), body.indexOf(QStringLiteral("section1_1 ")));
    // Top to bottom in the column, whatever the list order was.
    EXPECT_LT(body.indexOf(QStringLiteral("<p>a</p>")), body.indexOf(QStringLiteral("<p>b</p>")));
    for (const CodeWidgetHelper &f : doc->sourceCodeArray)
        EXPECT_TRUE(f.addedToGrid);
    EXPECT_EQ(result.originY, 100);
    EXPECT_EQ(result.rect, QRectF());

    // The only fragment of a column is top-most and bottom-most.
    SKTTable *single = addSection({0, 600, 600, 200}, {12});
    arrange(single, {fragment("e", {10, 650, 300, 60})});
    EXPECT_EQ(cssOf("e").toStdString(), std::string(".e{width:100%;height:100%;margin-top:50px;margin-top:50px;margin-bottom:90px;}"));
    // Two at one height are both top-most.
    arrange(single, {fragment("f", {10, 650, 200, 60}), fragment("g", {300, 650, 200, 100})});
    EXPECT_TRUE(cssOf("f").contains(QStringLiteral("margin-top:50px;margin-top:50px;")));
    EXPECT_TRUE(cssOf("g").contains(QStringLiteral("margin-top:50px;margin-top:50px;margin-bottom:50px;")));
}

TEST_F(ResponsiveArrangementTest, FragmentsThatKeepTheirSizeAndFragmentsOfTwoAtOneHeight)
{
    SKTTable *section = addSection({0, 0, 600, 200}, {12});
    CodeWidgetHelper field = fragment("field", {10, 50, 100, 20});
    field.noMarginAddOnFlag = true;
    CodeWidgetHelper image = fragment("image", {200, 50, 100, 20});
    image.responsiveResizeFlag = 1;
    CodeWidgetHelper table = fragment("table", {10, 100, 300, 50});
    table.partOfTableFlag = true;
    table.tableHeaderString = QStringLiteral(".tableOuter{width:300px;height:50px;position:absolute;margin-top:0px;"
                                             "margin-bottom:0px;}");
    const CodeWidgetHelper result = arrange(section, {table, image, field});
    EXPECT_EQ(cssOf("field").toStdString(), std::string(".field{width:100px;height:20px;position:absolute;margin-top:0;margin-bottom:0;}"));
    EXPECT_EQ(cssOf("image").toStdString(), std::string(".image{width:100px;height:20px;position:absolute;margin-top:0;margin-bottom:0;}"));
    EXPECT_TRUE(result.headerString.contains(
        QStringLiteral(".tableOuter{width:100%;height:100%;margin-top:0px;margin-bottom:50px;}\n.table{")))
        << result.headerString.toStdString();
}

TEST_F(ResponsiveArrangementTest, SectionRuleColumnsScriptAndOpening)
{
    // Graphics: front text, the section, two at the back: N = 4 - 1 = 3.
    addBox({0, 900, 10, 10}, QStringLiteral("front"));
    SKTTable *section = addSection({0, 100, 1200, 300}, {4, 8});
    addBox({0, 950, 10, 10}, QStringLiteral("back1"));
    addBox({0, 990, 10, 10}, QStringLiteral("back2"));
    section->setSectionIDString(QStringLiteral("x\" onclick=\"alert(1)"));
    section->setTopPadding(10);
    section->setTopPaddingType(QStringLiteral("pixel"));
    section->setLeftMargin(5);
    section->setLeftMarginType(QStringLiteral("%"));

    CodeWidgetHelper same = arrange(section, {});
    EXPECT_TRUE(same.headerString.startsWith(QStringLiteral(
        ".section3{\npadding-top:10px;padding-bottom:0;padding-left:0;padding-right:0;margin-left:5%;margin-right:0;"
        "margin-top:0;margin-bottom:0;-webkit-border-horizontal-spacing:0;-webkit-border-vertical-spacing:0;\n"
        "background-color:#EEEEEE;\n")))
        << same.headerString.toStdString();
    EXPECT_TRUE(same.javaScriptString.isEmpty());
    EXPECT_TRUE(same.bodyString.startsWith(
        QStringLiteral("<div class=\"container-fluid\">\n<div class=\"row section3\" id=\"x&quot; onclick=&quot;alert(1)\">")))
        << same.bodyString.toStdString();
    EXPECT_TRUE(same.bodyString.contains(
        QStringLiteral("<div class=\"section3_column section3_1 col-xs-12 col-sm-8 col-md-8 col-lg-8\">")));
    EXPECT_TRUE(same.headerString.contains(QStringLiteral(".section3_1{\nbackground-color:#EEEEEE;height:100%;")));

    section->cellHelperArray().at(1)->backgroundHexColorString = QStringLiteral("123456");
    section->setInitialLaunchStateFlag(1);
    CodeWidgetHelper different = arrange(section, {});
    EXPECT_FALSE(different.headerString.contains(QStringLiteral("background-color:#EEEEEE;\n\n")));
    EXPECT_TRUE(different.headerString.contains(QStringLiteral("display:none;")));
    EXPECT_TRUE(different.javaScriptString.contains(QStringLiteral("$(\".section3_column\").height(maxHeight);")));
}

TEST_F(ResponsiveArrangementTest, BackgroundImagesTemplatesAndEmailCells)
{
    SKTTable *section = addSection({0, 100, 1200, 300}, {4, 8}, QStringLiteral("sectionTemplate"));
    auto image = std::make_shared<TransformView>();
    image->imageName = QStringLiteral("image3");
    image->imageType = QStringLiteral("jpg");
    image->selectable = false;
    section->setTableBackgroundImage(image);
    const CodeWidgetHelper web = arrange(section, {});
    EXPECT_TRUE(web.headerString.contains(QStringLiteral("background: url(\"basetemplate/image3.jpg\") no-repeat")));
    EXPECT_TRUE(web.headerString.contains(QStringLiteral("min-height:300.000000px;")));
    EXPECT_TRUE(web.bodyString.contains(QStringLiteral("<!--SECTION TABLE START-->\n<div class=\"section1_column")));
    EXPECT_TRUE(web.bodyString.contains(QStringLiteral("</div>\n<!--SECTION TABLE END-->\n")));

    useEmailEdition();
    image->selectable = true;
    section->setGridType(QStringLiteral("section"));
    section->cellHelperArray().at(0)->backgroundHexColorString = QStringLiteral("CLEAR0");
    section->cellHelperArray().at(1)->verticalAlignment = 2;
    const CodeWidgetHelper email = arrange(section, {fragment("a", {10, 120, 300, 80})});
    EXPECT_TRUE(email.headerString.isEmpty());
    EXPECT_TRUE(email.bodyString.startsWith(QStringLiteral("<table width=\"100%\" style='padding-top:0;")));
    EXPECT_TRUE(email.bodyString.contains(QStringLiteral("background='index/image3.jpg'><tr>")));
    EXPECT_TRUE(email.bodyString.contains(QStringLiteral("<td style=\"width:33%;\" class=\"columnContainer\">")));
    EXPECT_TRUE(email.bodyString.contains(
        QStringLiteral("<td style=\"width:66%;background-color:#EEEEEE;vertical-align:bottom;\" class=\"columnContainer\">")));
    EXPECT_TRUE(email.bodyString.endsWith(QStringLiteral("</td>\n</tr></table>\n\n"))) << email.bodyString.toStdString();
}

// Sections of one to four columns with texts, a hidden section and a
// snippet, as the published page.
class ResponsivePageTest : public ResponsiveArrangementTest {
protected:
    void buildPage()
    {
        double y = 0;
        const QList<QList<int>> layouts = {{12}, {6, 6}, {4, 4, 4}, {3, 3, 3, 3}};
        for (const QList<int> &spans : layouts) {
            addSection({0, y, 1200, 200}, spans);
            double x = 0;
            for (int i = 0; i < spans.size(); ++i) {
                const double width = 1200.0 * spans[i] / 12;
                addBox({x + 10, y + 20, width - 20, 60},
                       QStringLiteral("Section %1 column %2").arg(spans.size()).arg(i + 1));
                x += width;
            }
            y += 220;
        }
        SKTTable *hidden = addSection({0, y, 1200, 100}, {12});
        hidden->setInitialLaunchStateFlag(1);
        hidden->setSectionIDString(QStringLiteral("more"));
        SKTText *snippet = addBox({10, y + 10, 300, 40}, QStringLiteral("<em>snippet</em>"));
        snippet->setTextType(QStringLiteral("HTMLSnippet"));
        SKTText *toggle = addBox({10, 0 + 100, 200, 40}, QStringLiteral("Show more"));
        toggle->setOnClickShowString(QStringLiteral("more"));
    }
};

TEST_F(ResponsivePageTest, PublishedPageOfSectionsOfOneToFourColumns)
{
    buildPage();
    const QString page = generate(true);
    expectGolden(QStringLiteral("responsive/sections-page.html"), page);
    // Each text appears once, in its section.
    for (int columns = 1; columns <= 4; ++columns)
        for (int i = 1; i <= columns; ++i)
            EXPECT_EQ(page.count(QStringLiteral("Section %1 column %2<").arg(columns).arg(i)), 1) << columns << i;
    EXPECT_FALSE(page.contains(QStringLiteral("<!--Rotate")));
}

TEST_F(ResponsivePageTest, EmailPageOfSectionsOfOneToFourColumns)
{
    useEmailEdition();
    buildPage();
    const QString page = generate(true);
    expectGolden(QStringLiteral("responsive/sections-email.html"), page);
    EXPECT_TRUE(page.startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC")));
    EXPECT_FALSE(page.contains(QStringLiteral("bootstrap")));
}

TEST_F(ResponsivePageTest, StoredPageStaysAbsoluteWithTheStoredSnippetRule)
{
    buildPage();
    const QString page = generate(false);
    EXPECT_TRUE(page.contains(QStringLiteral("<div id=content>")));
    EXPECT_FALSE(page.contains(QStringLiteral("container-fluid")));
    // The snippet's stored rule and its markup, typed markup kept.
    const QRegularExpression markup(QStringLiteral("<div class=snippet(\\d+)>\n<em>snippet</em>\n</div>"));
    const QRegularExpressionMatch m = markup.match(page);
    ASSERT_TRUE(m.hasMatch()) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral(".snippet%1{position:absolute;").arg(m.captured(1))));
}

TEST_F(ResponsivePageTest, FormPageArrangesItsSectionsOnceAndMailsEachFieldOnce)
{
    doc->pageFileExtension = QStringLiteral("php");
    doc->siteFeedbackEmail = QStringLiteral("owner@example.com");
    addSection({0, 0, 1200, 300}, {6, 6});
    addField(QStringLiteral("textLabel"), 1, 0, {10, 10, 100, 20}, QStringLiteral("Name"));
    addField(QStringLiteral("text"), 1, 0, {10, 40, 300, 24}, QString(), true);
    addField(QStringLiteral("textLabel"), 2, -99, {610, 10, 200, 20}, QStringLiteral("Colour"));
    addField(QStringLiteral("textLabel"), 2, 1, {640, 40, 100, 20}, QStringLiteral("Red"));
    addField(QStringLiteral("radio"), 2, 1, {610, 40, 20, 20});
    addField(QStringLiteral("textLabel"), 2, 2, {640, 70, 100, 20}, QStringLiteral("Blue"));
    addField(QStringLiteral("radio"), 2, 2, {610, 70, 20, 20});
    addField(QStringLiteral("textLabel"), 4, -22, {10, 240, 100, 20}, QStringLiteral("Sum"));
    addField(QStringLiteral("text"), 4, -22, {120, 240, 60, 24});
    addField(QStringLiteral("submit"), 3, 0, {10, 200, 100, 30}, QStringLiteral("Send"));
    const QString page = generate(true);
    {
        QFile file(path() + QStringLiteral("/responsive-form.php"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(page.toUtf8());
    }
    expectPhpLints(path() + QStringLiteral("/responsive-form.php"));
    EXPECT_EQ(page.count(QStringLiteral("<div class=\"container-fluid\">")), 1);
    EXPECT_EQ(page.count(QStringLiteral("$form1 = zovFormValue('form1');")), 1) << page.toStdString();
    EXPECT_EQ(page.count(QStringLiteral("$form2 = zovFormValue('form2');")), 1);
    EXPECT_EQ(page.count(QStringLiteral("type=\"radio\"")), 2);
    EXPECT_TRUE(page.contains(QStringLiteral("<form name=index action=index.php")));
    expectGolden(QStringLiteral("responsive/form-page.php"), page);
}

} // namespace

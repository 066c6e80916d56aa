// The table generator: a table with a picture cell as a golden fragment,
// the width shares, and the cell settings given back after generation.
#include "ComponentFixture.h"

#include "generation/TableGenerator.h"

TEST_F(ComponentTest, TableWithCellImageGolden)
{
    SKTTable *table = add(makeTable(QStringLiteral("table"), 2, 2, {}, {10, 20, 200, 100}));
    table->setTopPadding(4);
    table->setTopPaddingType(QStringLiteral("pixel"));
    table->setLeftMargin(2);
    table->setLeftMarginType(QStringLiteral("(null)"));
    table->drawBoxModel();
    auto image = picture(QStringLiteral("image5"), 1, 0);
    image->alpha = 0.4f;
    image->imageEnlargeFlag = 1;
    table->addIntoImageArray(image);
    const CodeWidgetHelper code = TableGenerator::generateTableCode(*doc, table, true, &ComponentTest::cellCode);
    expectGolden(QStringLiteral("components/table.txt"), dump(code));
    const int share = int(100.0 * table->grabSelectedTableCellHelper(0, 0)->width / table->contentRect().width());
    EXPECT_EQ(code.bodyString.count(QStringLiteral("<td width=\"%1%\">").arg(share)), 4);
    EXPECT_FALSE(code.bodyString.contains(QStringLiteral("r1c0")));
    EXPECT_TRUE(code.bodyString.contains(QStringLiteral("src=\"index/image5@2x.png\"")));
    EXPECT_TRUE(code.tableHeaderString.contains(QStringLiteral("padding-top:4px;")));
    EXPECT_TRUE(code.tableHeaderString.contains(QStringLiteral("margin-left:2%;")));
    EXPECT_TRUE(code.javaScriptString.startsWith(QLatin1Char('\n')));
    // The picture is shown whole and without pop-up only in the table.
    EXPECT_FLOAT_EQ(image->alpha, 0.4f);
    EXPECT_EQ(image->imageEnlargeFlag, 1);
}

TEST_F(ComponentTest, TableWidthShares)
{
    SKTTable *table = add(makeTable(QStringLiteral("TableOfContents"), 1, 2, {}, {0, 0, 200, 50}));
    table->drawBoxModel();
    table->grabSelectedTableCellHelper(0, 0)->width = 99;
    table->grabSelectedTableCellHelper(0, 1)->width = 101;
    QString body = TableGenerator::generateTableCode(*doc, table, true, &ComponentTest::cellCode).bodyString;
    EXPECT_TRUE(body.contains(QStringLiteral("<td width=\"49%\">"))) << body.toStdString() << table->contentRect().width();
    EXPECT_TRUE(body.contains(QStringLiteral("<td width=\"50%\">")));

    // Without a content width the columns share the width equally.
    table->setBounds({0, 0, 0, 50});
    table->drawBoxModel();
    ASSERT_LE(table->contentRect().width(), 0.0);
    body = TableGenerator::generateTableCode(*doc, table, true, &ComponentTest::cellCode).bodyString;
    EXPECT_EQ(body.count(QStringLiteral("<td width=\"50%\">")), 2);
}

TEST_F(ComponentTest, TableWithoutRows)
{
    SKTTable *table = add(makeTable(QStringLiteral("table"), 0, 0));
    const CodeWidgetHelper code = TableGenerator::generateTableCode(*doc, table, true, &ComponentTest::cellCode);
    EXPECT_EQ(code.bodyString, QStringLiteral("<div class=tableGrid1>\n<table width=100%>\n\n</table>\n</div>"));
    EXPECT_EQ(code.headerString, QStringLiteral(".tableGrid1 td{padding:3px;}"));
    EXPECT_TRUE(code.partOfTableFlag);
}

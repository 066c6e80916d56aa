// The table-grid pass (every kind writes its stored rule and hands its cells
// and images on) and the snippet pass (raw and formatted snippets).
#include "ElementPassFixture.h"

#include "generation/TableOutput.h"

namespace {

std::shared_ptr<SKTTable> makeTable(const QRectF &bounds, const QString &gridType, int cells)
{
    auto t = std::make_shared<SKTTable>();
    ElementPassTest::placeOnPage(*t, bounds);
    t->setGridType(gridType);
    t->setNumOfRows(1);
    t->setNumOfColumns(cells);
    QList<SKTTable::Cell> list;
    for (int i = 0; i < cells; ++i) {
        auto cell = std::make_shared<myTextView>();
        cell->textView.string = QStringLiteral("Cell %1").arg(i);
        cell->columnSpot = i;
        list << cell;
    }
    t->setCellHelperArray(list);
    return t;
}

std::shared_ptr<SKTText> snippet(const QRectF &bounds, const QString &text, bool formatted)
{
    auto t = std::make_shared<SKTText>();
    ElementPassTest::placeOnPage(*t, bounds);
    t->setTextType(QStringLiteral("HTMLSnippet"));
    t->setTextString(text);
    t->setSnippetFormatFlag(formatted);
    return t;
}

} // namespace

// One table with every stored setting: the rule to the character, the cells
// (last first) for the text pass, the stacking value handed to the members.
TEST_F(ElementPassTest, TableGridRuleAndCells)
{
    auto table = add(makeTable({40.8, 60.2, 300, 120}, QStringLiteral("table"), 3));
    table->setPadding(4);
    table->setShadowFlag(1);
    table->setBackdropLightingFlag(1);
    table->setMoveLock(1);
    table->setScrollFlag(1);
    table->setTemplateName(QStringLiteral("shop.html"));
    table->setSectionIDString(QStringLiteral("about"));
    table->setInitialLaunchStateFlag(1);
    table->setTopPadding(1);
    table->setBottomPadding(2);
    table->setLeftPadding(3);
    table->setRightPadding(4);
    table->setTopMargin(5);
    table->setBottomMargin(6);
    table->setLeftMargin(7);
    table->setRightMargin(8);
    table->setTopPaddingType(QStringLiteral("pixel"));
    table->setBottomPaddingType(QStringLiteral("%"));
    table->setLeftPaddingType(QStringLiteral("pixel"));
    table->setRightPaddingType(QStringLiteral("%"));
    table->setTopMarginType(QStringLiteral("pixel"));
    table->setBottomMarginType(QStringLiteral("pixel"));
    table->setLeftMarginType(QStringLiteral("%"));
    table->setRightMarginType(QStringLiteral("%"));
    table->setTopPaddingLevelString(QStringLiteral("Tiny"));
    table->setBottomPaddingLevelString(QStringLiteral("Small"));
    table->setLeftPaddingLevelString(QStringLiteral("Medium"));
    table->setRightPaddingLevelString(QStringLiteral("Large"));
    table->setTopMarginLevelString(QStringLiteral("XL"));
    table->setBottomMarginLevelString(QStringLiteral("XXL"));
    table->setLeftMarginLevelString(QStringLiteral("None"));
    table->setRightMarginLevelString(QStringLiteral("None"));
    add(makeTable({0, 0, 10, 10}, QStringLiteral("table"), 0));
    auto &c = prepare();
    const QRectF b = table->bounds(); // the table sizes itself to its cells
    TableOutput::writeTableGrids(c);
    const QString first = c.tableGridCSS.left(c.tableGridCSS.indexOf(QStringLiteral("\n.tableGrid1")));
    EXPECT_EQ(first.toStdString(),
              QStringLiteral("\n.tableGrid0{position:absolute;left:0px;top:0px;z-index:1;width:%1px;height:%2px;"
                             "fixed:0;numOfRows:1;numOfColumns:0;groupNumber:-99;padding:0;shadowFlag:0;backdrop:0;"
                             "templateName:main;tableNumber:0;manualLayerIndex:0;gridType:table;sectionNumber:-99;"
                             "sectionRowSpot:-99;sectionColumnSpot:-99;sectionTopPadding:0;sectionBottomPadding:0;"
                             "sectionLeftPadding:0;sectionRightPadding:0;sectionID:;initialLaunchState:0;"
                             "topPaddingStr:0;bottomPaddingStr:0;leftPaddingStr:0;rightPaddingStr:0;topMarginStr:0;"
                             "bottomMarginStr:0;leftMarginStr:0;rightMarginStr:0;topPaddingTypeStr:;"
                             "bottomPaddingTypeStr:;leftPaddingTypeStr:;rightPaddingTypeStr:;topMarginTypeStr:;"
                             "bottomMarginTypeStr:;leftMarginTypeStr:;rightMarginTypeStr:;topPaddingLevelStr:;"
                             "bottomPaddingLevelStr:;leftPaddingLevelStr:;rightPaddingLevelStr:;topMarginLevelStr:;"
                             "bottomMarginLevelStr:;leftMarginLevelStr:;rightMarginLevelStr:;}\n")
                  .arg(int(doc->tables()[1]->bounds().width()))
                  .arg(int(doc->tables()[1]->bounds().height()))
                  .toStdString());
    EXPECT_EQ(c.tableGridCSS.mid(first.size()).toStdString(),
              QStringLiteral("\n.tableGrid1{position:fixed;left:40px;top:60px;z-index:2;width:%1px;height:%2px;"
                             "fixed:1;numOfRows:1;numOfColumns:3;groupNumber:-99;padding:4;shadowFlag:1;backdrop:1;"
                             "templateName:shop;tableNumber:1;manualLayerIndex:0;gridType:table;sectionNumber:-99;"
                             "sectionRowSpot:-99;sectionColumnSpot:-99;sectionTopPadding:1;sectionBottomPadding:2;"
                             "sectionLeftPadding:3;sectionRightPadding:4;sectionID:about;initialLaunchState:1;"
                             "topPaddingStr:1;bottomPaddingStr:2;leftPaddingStr:3;rightPaddingStr:4;topMarginStr:5;"
                             "bottomMarginStr:6;leftMarginStr:7;rightMarginStr:8;topPaddingTypeStr:pixel;"
                             "bottomPaddingTypeStr:%;leftPaddingTypeStr:pixel;rightPaddingTypeStr:%;"
                             "topMarginTypeStr:pixel;bottomMarginTypeStr:pixel;leftMarginTypeStr:%;"
                             "rightMarginTypeStr:%;topPaddingLevelStr:Tiny;bottomPaddingLevelStr:Small;"
                             "leftPaddingLevelStr:Medium;rightPaddingLevelStr:Large;topMarginLevelStr:XL;"
                             "bottomMarginLevelStr:XXL;leftMarginLevelStr:None;rightMarginLevelStr:None;}\n")
                  .arg(int(b.width()))
                  .arg(int(b.height()))
                  .toStdString());
    EXPECT_EQ(table->templateName(), QStringLiteral("shop"));

    // The cells, last first, with the table's stacking value.
    ASSERT_EQ(doc->textViewArray.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(doc->textViewArray[i].carrier(), table->cellHelperArray()[2 - i]);
        EXPECT_EQ(c.containerStackingValue(doc->textViewArray[i].identity()), 2);
    }
    EXPECT_EQ(c.rightEdges.size(), 2);
}

// Every kind of grid writes its rule in the absolute layout and hands its
// cells to the text pass (to the snippet pass in responsive editions).
TEST_F(ElementPassTest, EveryTableKindWritesItsRule)
{
    const char *kinds[] = {"table", "TableOfContents", "section", "sectionTemplate", "navbar", "navbar_centered",
                           "navbar_fixed", "navbar_fixed_centered", "dropdownmenu", "photo_hover_caption",
                           "text_carousel", "collapsible_text_panel", "collapsible_image_panel"};
    for (const char *kind : kinds)
        add(makeTable({0, 0, 100, 40}, QString::fromLatin1(kind), 2));
    auto &c = prepare();
    TableOutput::writeTableGrids(c);
    const int count = int(std::size(kinds));
    for (int i = 0; i < count; ++i) {
        // The last table of the page is tableGrid0.
        const QString rule = QStringLiteral("\n.tableGrid%1{").arg(count - 1 - i);
        const qsizetype at = c.tableGridCSS.indexOf(rule);
        ASSERT_GE(at, 0) << kinds[i];
        EXPECT_TRUE(c.tableGridCSS.mid(at, 400).contains(QStringLiteral("gridType:%1;").arg(QLatin1String(kinds[i]))))
            << kinds[i];
    }
    EXPECT_EQ(doc->textViewArray.size(), 2 * count);
    EXPECT_TRUE(doc->htmlSnippetArray.isEmpty());

    gResponsiveEdition = true;
    auto &r = prepare();
    TableOutput::writeTableGrids(r);
    EXPECT_EQ(doc->htmlSnippetArray.size(), 2 * count);
    EXPECT_TRUE(doc->textViewArray.isEmpty());
}

// Table images join the image pass only where the edition has them; a
// table's background is saved and joins it when images are being stored.
TEST_F(ElementPassTest, TableImagesAndBackground)
{
    auto table = add(makeTable({10, 10, 200, 100}, QStringLiteral("table"), 1));
    auto inside = carrier(QStringLiteral("image5"), 20, 20);
    table->setImageArray({inside});
    auto background = carrier(QStringLiteral("image6"), 200, 100);
    table->setTableBackgroundImage(background);

    auto &c = prepare(true);
    TableOutput::writeTableGrids(c);
    EXPECT_TRUE(doc->imageViewArray.isEmpty()); // nothing stored yet, no table images

    gTableImagesEnabled = true;
    doc->storeImageNowFlag = true;
    auto &d = prepare(true);
    TableOutput::writeTableGrids(d);
    ASSERT_EQ(doc->imageViewArray.size(), 2);
    EXPECT_EQ(doc->imageViewArray[0].carrier(), background);
    EXPECT_EQ(doc->imageViewArray[1].carrier(), inside);
    EXPECT_EQ(d.containerStackingValue(inside.get()), 1);
    EXPECT_TRUE(QFileInfo::exists(path() + QStringLiteral("/index/image6o.png")));
    EXPECT_TRUE(doc->lastWriteError.isEmpty());
}

// Raw snippets: the rule and the text exactly as typed, line ends made plain.
TEST_F(ElementPassTest, RawSnippetRuleAndMarkup)
{
    auto s = add(snippet({10.5, 700, 200, 50}, QStringLiteral("<b>hi</b>\r\n<i>x</i>"), false));
    s->setMoveLock(1);
    s->setTemplateName(QStringLiteral("t.php"));
    auto &c = prepare();
    TableOutput::writeSnippets(c);
    EXPECT_EQ(c.snippetCSS.toStdString(),
              ".snippet0{position:absolute;left:10px;top:700px;z-index:1;width:200px;height:50px;nlines:2;fixed:1;"
              "groupNumber:-99;templateName:t;manualLayerIndex:0;snippetFormattingFlag:0;sectionNumber:-99;"
              "sectionRowSpot:-99;sectionColumnSpot:-99;}\n\n");
    EXPECT_EQ(c.snippetMarkup.toStdString(), "<div class=snippet0>\n<b>hi</b>\n<i>x</i>\n</div>\n");
    EXPECT_EQ(c.rightEdges, QList<int32_t>{210});
}

// A formatted snippet with every styling part, to the character.
TEST_F(ElementPassTest, FormattedSnippetRule)
{
    auto s = add(snippet({10, 800, 200, 200}, QStringLiteral("<p>formatted</p>"), true));
    s->setFontFamily(fontFamily);
    s->setFontSize(14);
    s->setFontAlignment(1); // centred
    s->setOpacity(0.5);
    s->setShadowFlag(1);
    s->setCornerRadius(6.7);
    s->setTextHexColorString(QStringLiteral("112233"));
    s->setBackgroundHexColorString(QStringLiteral("FFEEDD"));
    s->setBorderHexColorString(QStringLiteral("CLEAR0"));
    s->setBorderStyle(QStringLiteral("solid"));
    s->setBorderWidth(2);
    s->setHoverColorString(QStringLiteral("445566"));
    s->setHoverTextColorString(QStringLiteral("778899"));
    s->setFormType(QStringLiteral("none"));
    s->setTopPadding(3);
    s->setTopPaddingType(QStringLiteral("pixel"));
    auto &c = prepare();
    TableOutput::writeSnippets(c);
    EXPECT_EQ(c.snippetCSS.toStdString(),
              ".snippet0{position:absolute;background-color:#FFEEDD;left:10px;top:800px;z-index:1;font-size:14px;"
              "color:#112233;width:200px;height:200px;font-family:\"DejaVu Sans\";padding:10px;border-style:solid;"
              "border-width:2px;border-color:#000000;text-align:center;border-radius:6px;-moz-border-radius:6px;"
              "fixed:0;opacity:0.500000;filter:alpha(opacity=50.000000);box-shadow: 0px 1px 1.000000px #000000;"
              "shadowOpacity:1.000000;shadowRadius:1.000000;shadowOffSetY:1;textAlpha:0.500000;indentFlag:0;"
              "text-indent:0px;shapeFlag:0;groupNumber:-99;line-height:normal;tableNumber:-99;tableRowSpot:-99;"
              "tableColumnSpot:-99;templateName:main;manualLayerIndex:0;linkType:text;shapeBackgroundColor:FFEEDD;"
              "nlines:1;snippetFormattingFlag:1;sectionNumber:-99;sectionRowSpot:-99;sectionColumnSpot:-99;"
              "topPaddingStr:3;bottomPaddingStr:0;leftPaddingStr:0;rightPaddingStr:0;topMarginStr:0;"
              "bottomMarginStr:0;leftMarginStr:0;rightMarginStr:0;topPaddingTypeStr:pixel;bottomPaddingTypeStr:;"
              "leftPaddingTypeStr:;rightPaddingTypeStr:;topMarginTypeStr:;bottomMarginTypeStr:;leftMarginTypeStr:;"
              "rightMarginTypeStr:;containsLinkFlag:0;}"
              ".snippet0{hoverColor:445566;hoverTextColor:778899;}"
              ".snippet0 a:link {text-decoration: none; color: #112233;font-weight:normal;}"
              ".snippet0 a:hover {text-decoration: none; color: #778899;font-weight:normal;}"
              ".snippet0 a:visited {text-decoration: none; color: #112233;font-weight:normal;formType:none;"
              "formTag:-99;formOptionTag:-99;formRequiredFlag:0;}"
              ".snippet0:hover{background-color:#445566;color:#778899;}\n\n\n");
    EXPECT_EQ(s->borderHexColorString(), QStringLiteral("000000"));
}

// The hover and link rules for each pair of hover colours, and the parts that
// depend on the text, the height and the opacity.
TEST_F(ElementPassTest, FormattedSnippetVariants)
{
    struct Case {
        QString hover, hoverText, text;
        double height, opacity;
        const char *tail;  // stored hover colours, link, visited and hover rules
        const char *parts; // font size, padding, alignment and opacity parts
    };
    const Case cases[] = {
        {"445566", "", "x", 50, 1.0,
         ".snippet0{hoverColor:445566;}.snippet0 a:link {text-decoration: none; color: #112233;font-weight:normal;}"
         ".snippet0 a:visited {text-decoration: none; color: #112233;font-weight:normal;formType:;formTag:-99;"
         "formOptionTag:-99;formRequiredFlag:0;}.snippet0:hover{background-color:#445566;}\n\n\n",
         "font-size:12px;|padding:5px;|text-align:left;|fixed:0;shadowOpacity"},
        {"", "778899", "", 200, 0.25,
         ".snippet0{hoverTextColor:778899;}.snippet0 a:link {text-decoration: none; color: #112233;font-weight:normal;}"
         ".snippet0 a:hover {text-decoration: none; color: #778899;font-weight:normal;}"
         ".snippet0 a:visited {text-decoration: none; color: #112233;font-weight:normal;formType:;formTag:-99;"
         "formOptionTag:-99;formRequiredFlag:0;}.snippet0:hover{color:#778899 !important;}\n\n\n",
         "font-size:10px;|padding:0px;|text-align:left;|fixed:0;opacity:0.250000;filter:alpha(opacity=25.000000);"},
        {"", "", "x", 80, 1.0,
         "}.snippet0 a:link {text-decoration: none; color: #112233;font-weight:normal;}"
         ".snippet0 a:visited {text-decoration: none; color: #112233;font-weight:normal;formType:;formTag:-99;"
         "formOptionTag:-99;formRequiredFlag:0;}\n\n",
         "font-size:12px;|padding:8px;"},
        // A hover colour that is no colour counts as none.
        {"red;}", "", "x", 80, 1.0, "}.snippet0 a:link {text-decoration: none; color: #112233;font-weight:normal;}.snippet0 a:visited", ""},
    };
    for (const Case &k : cases) {
        doc = std::make_unique<SKTDocument>();
        doc->pageName = QStringLiteral("index");
        doc->mainTemplateName = QStringLiteral("main");
        auto s = add(snippet({0, 0, 100, k.height}, k.text, true));
        s->setFontFamily(fontFamily);
        s->setFontSize(12);
        s->setOpacity(k.opacity);
        s->setTextHexColorString(QStringLiteral("112233"));
        s->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
        s->setHoverColorString(k.hover);
        s->setHoverTextColorString(k.hoverText);
        auto &c = prepare();
        TableOutput::writeSnippets(c);
        EXPECT_TRUE(c.snippetCSS.contains(QLatin1String(k.tail))) << c.snippetCSS.toStdString();
        EXPECT_TRUE(c.snippetCSS.endsWith(QStringLiteral(";}\n\n")) || c.snippetCSS.endsWith(QStringLiteral(";}\n\n\n")));
        for (const QString &part : QString::fromLatin1(k.parts).split(QLatin1Char('|'), Qt::SkipEmptyParts))
            EXPECT_TRUE(c.snippetCSS.contains(part)) << part.toStdString() << "\n" << c.snippetCSS.toStdString();
        // "CLEAR0" as background writes no background declaration.
        EXPECT_FALSE(c.snippetCSS.contains(QStringLiteral("background-color:#CLEAR0")));
        EXPECT_TRUE(c.snippetCSS.startsWith(QStringLiteral(".snippet0{position:absolute;left:0px;")));
    }
}

// Snippets are numbered from the last; a hostile font family or template
// name cannot leave the rule.
TEST_F(ElementPassTest, SnippetNumbersAndHostileValues)
{
    auto first = add(snippet({0, 0, 50, 20}, QStringLiteral("a"), true));
    first->setFontFamily(QStringLiteral("Evil\";}</style><script>x"));
    first->setTemplateName(QStringLiteral("}body{display:none"));
    first->setTextHexColorString(QStringLiteral("zzzzzz"));
    add(snippet({0, 40, 50, 20}, QStringLiteral("b"), false));
    auto &c = prepare();
    TableOutput::writeSnippets(c);
    EXPECT_TRUE(c.snippetMarkup.startsWith(QStringLiteral("<div class=snippet0>\nb\n</div>\n<div class=snippet1>\na\n")));
    EXPECT_TRUE(c.snippetCSS.contains(QStringLiteral("font-family:\"Evil/stylescriptx\";")));
    EXPECT_TRUE(c.snippetCSS.contains(QStringLiteral("templateName:bodydisplay:none;")));
    EXPECT_FALSE(c.snippetCSS.contains(QStringLiteral("zzzzzz")));
    EXPECT_TRUE(c.snippetCSS.contains(QStringLiteral("a:link {text-decoration: none; color: inherit;")));
}

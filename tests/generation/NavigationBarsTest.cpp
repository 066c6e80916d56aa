// The five navigation bars: each kind as a golden fragment, then the rules
// that the goldens do not show on their own (no cells, a cleared colour, a
// bar of one column, empty drop-down lists, hostile entries).
#include "ComponentFixture.h"

#include "generation/NavigationBars.h"

namespace {

const QString kHostile = QStringLiteral("A \"q\" </script><b>");
const QString kHostileLink = QStringLiteral("x.html\" onclick=\"alert(1)");

} // namespace

TEST_F(ComponentTest, NavigationBarGoldens)
{
    struct Case {
        const char *kind;
        int rows;
    };
    for (const Case &k : {Case{"navbar", 2}, Case{"navbar_centered", 1}, Case{"navbar_fixed", 1},
                          Case{"navbar_fixed_centered", 1}, Case{"dropdownmenu", 3}}) {
        SCOPED_TRACE(k.kind);
        auto table = makeTable(QString::fromLatin1(k.kind), k.rows, 3,
                               {{QStringLiteral("Brand"), QStringLiteral("index.html")},
                                {kHostile, kHostileLink},
                                {QStringLiteral("Contact"), QString()}});
        const auto code = NavigationBars::generate(*table, &ComponentTest::cellCode);
        ASSERT_TRUE(code.has_value());
        expectGolden(QStringLiteral("components/%1.txt").arg(QString::fromLatin1(k.kind)), dump(*code));
        // No entry or link leaves its text or its attribute.
        EXPECT_FALSE(code->bodyString.contains(QStringLiteral("</script>")));
        EXPECT_FALSE(code->bodyString.contains(QStringLiteral("\" onclick")));
        EXPECT_FALSE(code->headerString.contains(QStringLiteral("CLEAR0")));
        EXPECT_FALSE(code->headerString.contains(QStringLiteral("##")));
    }
}

TEST_F(ComponentTest, NavigationBarWithoutCellsGivesNothing)
{
    for (const char *kind : {"navbar", "navbar_centered", "navbar_fixed", "navbar_fixed_centered", "dropdownmenu"}) {
        auto table = makeTable(QString::fromLatin1(kind), 0, 0);
        EXPECT_FALSE(NavigationBars::generate(*table, &ComponentTest::cellCode).has_value()) << kind;
    }
    EXPECT_FALSE(NavigationBars::generate(*makeTable(QStringLiteral("table"), 1, 1), &ComponentTest::cellCode));
}

// A fixed bar of one column takes its colours from its only cell, and a
// cleared background is transparent there as in the other bars.
TEST_F(ComponentTest, OneColumnFixedBarTakesItsStyleFromItsOnlyCell)
{
    for (const char *kind : {"navbar_fixed", "navbar_fixed_centered"}) {
        auto table = makeTable(QString::fromLatin1(kind), 1, 1);
        table->grabSelectedTableCellHelper(0, 0)->backgroundHexColorString = QStringLiteral("CLEAR0");
        const auto code = NavigationBars::generate(*table, &ComponentTest::cellCode);
        ASSERT_TRUE(code) << kind;
        EXPECT_TRUE(code->headerString.contains(QStringLiteral(".navbar {\nborder:0px;\nbackground-color: transparent;")))
            << kind;
        EXPECT_TRUE(code->headerString.contains(QStringLiteral("color: #112233;\nfont-size:15px;\nfont-family:\"Open Sans\";")));
        EXPECT_TRUE(code->bodyString.contains(QStringLiteral(">r0c0</a></div>")));
        EXPECT_FALSE(code->bodyString.contains(QStringLiteral("<li>")));
    }
}

TEST_F(ComponentTest, DropdownColumnsAndTheirLists)
{
    auto table = makeTable(QStringLiteral("dropdownmenu"), 3, 2,
                           {{QStringLiteral("Home"), QStringLiteral("index.html")},
                            {QStringLiteral("More"), QString()},
                            {QString(), QStringLiteral("never.html")},
                            {QStringLiteral("One"), QStringLiteral("one.html")},
                            {QString(), QString()},
                            {QStringLiteral("Two"), QStringLiteral("two.html")}});
    const auto code = NavigationBars::generate(*table, &ComponentTest::cellCode);
    ASSERT_TRUE(code);
    // A linked top entry keeps its (here empty) list; empty cells are skipped.
    EXPECT_TRUE(code->bodyString.contains(
        QStringLiteral("<li><a href=\"index.html\">Home</a>\n\n<ul class=\"dropdown-menu\">\n</ul></li>")));
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral(
        "aria-expanded=\"false\">More</a>\n\n<ul class=\"dropdown-menu\">\n<li><a href=\"one.html\">One</a></li>\n\n"
        "<li><a href=\"two.html\">Two</a></li>\n\n</ul></li>")));
    EXPECT_FALSE(code->bodyString.contains(QStringLiteral("never.html")));
    EXPECT_FALSE(code->headerString.contains(QStringLiteral("100%%")));
}

// In the plain bar every cell goes through the text generator: a second
// row's first cell adds its rule but no menu entry.
TEST_F(ComponentTest, PlainBarWritesEveryCellsRuleButNoEntryForColumnZero)
{
    auto table = makeTable(QStringLiteral("navbar"), 2, 2);
    const auto code = NavigationBars::generate(*table, &ComponentTest::cellCode);
    ASSERT_TRUE(code);
    EXPECT_TRUE(code->partOfTableFlag);
    EXPECT_TRUE(code->headerString.contains(QStringLiteral(".cell1_0{}")));
    EXPECT_FALSE(code->bodyString.contains(QStringLiteral("r1c0")));
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("<li><p>r1c1</p></li>")));
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("<div class=\"navbar-brand\"><p>r0c0</p></div>")));
}

#include "document/PageRule.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PageRuleTest, SplitsDeclarationsOutsideQuotesAndStripsOnlyTheDressing)
{
    const PageRule rule(QStringLiteral(
        ".text4{position:absolute;font-family:\"Open;Sans px\";color:#A0B0C0;width:200px;"
        "border-width:3px;filter:alpha(opacity=50);templateName:Epxress#1;box-shadow: 0px 2px 3.5px #000000;"
        "onClickShow:#panel;}.text4:hover{color:#FF0000;hoverOnly:1;}"));
    EXPECT_EQ(rule.selector(), QStringLiteral(".text4"));
    struct Case {
        const char *key;
        const char *value;
    } cases[] = {
        {"position", "absolute"},
        {"font-family", "Open;Sans px"},       // separators and "px" inside quotes stay
        {"color", "A0B0C0"},                   // "#" before a colour goes; the first rule wins
        {"width", "200"},                      // "px" only as a unit
        {"border-width", "3"},
        {"filter", "alpha(opacity=50)"},       // "=" inside a value does not split it
        {"templateName", "Epxress#1"},         // "px" and "#" inside a word stay
        {"box-shadow", "0px 2px 3.5px #000000"},
        {"hoverOnly", "1"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(rule.string(QString::fromLatin1(c.key), QStringLiteral("?")), QString::fromLatin1(c.value)) << c.key;
    EXPECT_EQ(rule.parseForItemTypeInt(QStringLiteral("width"), -1), 200);
    EXPECT_FLOAT_EQ(rule.parseForItemTypeFloat(QStringLiteral("border-width"), -1.0f), 3.0f);
    EXPECT_EQ(rule.parseForItemTypeString(QStringLiteral("missing"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(PageRuleTest, NamesMatchExactlyNeverInsideAnotherName)
{
    const PageRule rule(QStringLiteral(".slideshow0{position:absolute;border-width:3px;min-height:9px;}"));
    EXPECT_FALSE(rule.has(QStringLiteral("width")));
    EXPECT_FALSE(rule.has(QStringLiteral("height")));
    EXPECT_EQ(rule.integer(QStringLiteral("width"), 77), 77);
    EXPECT_EQ(rule.string(QStringLiteral("height"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_THROW(rule.requiredCoordinate(QStringLiteral("width")), ReadError);
    // A declaration without a colon is no declaration.
    EXPECT_THROW(PageRule(QStringLiteral(".x{left;}")).requiredString(QStringLiteral("left")), ReadError);
}

TEST(PageRuleTest, AcceptsEverySpellingOfAKey)
{
    const PageRule older(QStringLiteral(".text0{indentFlag:2;shadowRadius:3.5;}"));
    const PageRule newer(QStringLiteral(".text0{indent-flag:2;shadow-radius:3.5;}"));
    for (const PageRule *rule : {&older, &newer}) {
        EXPECT_EQ(rule->integer({QStringLiteral("indentFlag"), QStringLiteral("indent-flag")}, 0), 2);
        EXPECT_FLOAT_EQ(rule->number({QStringLiteral("shadowRadius"), QStringLiteral("shadow-radius")}, 0.0f), 3.5f);
    }
}

TEST(PageRuleTest, HostileNumbersAreFiniteAndClamped)
{
    struct Case {
        const char *text;
        int32_t integer;     // within the default range
        int32_t coordinate;  // within +-100,000
    } cases[] = {
        {"12abc", 12, 12},
        {"  -3.7px", -3, -3},
        {"", 0, 0},
        {"abc", 0, 0},
        {"nan", 0, 0},
        {"inf", 0, 0},
        {"1e999", 1000000000, 100000},
        {"-1e999", -1000000000, -100000},
        {"99999999999999999999", 1000000000, 100000},
        {"1e-999", 0, 0},
        {"+7", 7, 7},
        {"4.9e2", 490, 490},
        {"\xd9\xa3", 0, 0}, // a non-ASCII digit is no digit
    };
    for (const Case &c : cases) {
        const PageRule rule(QStringLiteral(".x{v:%1;}").arg(QString::fromUtf8(c.text)));
        EXPECT_EQ(rule.integer(QStringLiteral("v"), -5), c.integer) << c.text;
        EXPECT_EQ(rule.coordinate(QStringLiteral("v"), -5), c.coordinate) << c.text;
        EXPECT_TRUE(std::isfinite(rule.number(QStringLiteral("v"), 0.0f))) << c.text;
    }
}

#include "document/PageBodyText.h"
#include "document/ReadError.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<myTextView> snippet(int32_t lines, int32_t containsLink, bool formatted = false)
{
    auto s = std::make_shared<myTextView>();
    s->nlines = lines;
    s->containsLinkFlag = containsLink;
    s->snippetFormatFlag = formatted;
    return s;
}

} // namespace

TEST(PageBodyTextTest, SnippetBodiesLeaveTheBodyAndFillTheirCarriers)
{
    const QStringList body {
        QStringLiteral("</style></head>"),
        QStringLiteral("<div class=snippet0>"),
        QStringLiteral("http://example.org"),
        QStringLiteral("<b>one</b>"),
        QStringLiteral("two"),
        QStringLiteral("<div class=text0>stays</div>"),
        QStringLiteral("<div class=snippet1>"),
        QStringLiteral("a<br>b"),
    };
    auto first = snippet(3, 1);
    auto second = snippet(1, 0, true);
    const TextContentResult result = PageBodyText::grabTextContent(body, {first, second}, QStringLiteral("snippet"));
    EXPECT_EQ(first->link, QStringLiteral("http://example.org"));
    EXPECT_EQ(first->textView.string, QStringLiteral("<b>one</b>\ntwo"));
    EXPECT_EQ(second->textView.string, QStringLiteral("a\nb"));
    EXPECT_EQ(result.bodyStringArray,
              (QStringList {QStringLiteral("</style></head>"), QStringLiteral("<div class=text0>stays</div>")}));

    EXPECT_THROW(PageBodyText::grabTextContent(body, {snippet(50, 0)}, QStringLiteral("snippet")), ReadError);
}

TEST(PageBodyTextTest, TextMarkupTurnsIntoTextTagsFirstAmpersandLast)
{
    struct Case {
        const char *line;
        const char *text;
    } cases[] = {
        {"<div class=text0>a<br>b</div>", "a\nb"},
        {"<div class=text0>&lt;br&gt; stays text</div>", "<br> stays text"},
        {"<div class=text0>&amp;lt; &amp;amp;</div>", "&lt; &amp;"},
        {"<div class=text0>&quot;q&quot; &copy; &reg; &pound;</div>", "\"q\" \xc2\xa9 \xc2\xae \xc2\xa3"},
        {"<div class=text0 id=text0>with id</div>", "with id"},
        {"<div class=text0 id=content>old id</div>", "old id"},
        {"<div class=text0><p class=\"tab\">    one<p class=\"tab\">two</div>", "\n    one\n    two"},
    };
    for (const Case &c : cases) {
        myTextView carrier;
        PageBodyText::applyTextLine(QString::fromUtf8(c.line), QStringLiteral("text0"), carrier);
        EXPECT_EQ(carrier.textView.string, QString::fromUtf8(c.text)) << c.line;
    }

    myTextView linked;
    PageBodyText::applyTextLine(
        QStringLiteral("<div class=text3><a href=http://x.org/?a=1&amp;b=2 target=_blank>Go &amp; see</a></div>"),
        QStringLiteral("text3"), linked);
    EXPECT_EQ(linked.link, QStringLiteral("http://x.org/?a=1&b=2"));
    EXPECT_EQ(linked.linkOption, QStringLiteral("_blank"));
    EXPECT_EQ(linked.textView.string, QStringLiteral("Go & see"));

    myTextView indented;
    indented.indentFlag = 2;
    PageBodyText::applyTextLine(QStringLiteral("<div class=text1>  words  </div>"), QStringLiteral("text1"), indented);
    EXPECT_EQ(indented.textView.string, QStringLiteral("    words"));
}

TEST(PageBodyTextTest, ImageLinesAndTheIndexOfBodyLines)
{
    const QStringList lines {
        QStringLiteral("<div class=text1>one</div>"),
        QStringLiteral("<div class=text10>ten</div>"),
        QStringLiteral("<a class=image4 href=\"#popup_image4\" data-toggle=\"modal\"><img></a>"),
        QStringLiteral("<div class=\"slide0\"><a href=http://s.org target=_parent title=\"A &amp; B\"><img class=\"image5\"></a></div>"),
        QStringLiteral("<div class=image6><img src=x></div>"),
        QStringLiteral("<div class=image7_wrap><img src=y></div>"),
    };
    const PageBodyText::LineIndex index(lines);
    EXPECT_EQ(index.divLine(QStringLiteral("text1")), 0);
    EXPECT_EQ(index.divLine(QStringLiteral("text10")), 1);
    EXPECT_EQ(index.divLine(QStringLiteral("text2")), -1);
    EXPECT_EQ(index.imageLine(QStringLiteral("image4"), false), 2);
    EXPECT_EQ(index.imageLine(QStringLiteral("image5"), false), 3);
    EXPECT_EQ(index.imageLine(QStringLiteral("image6"), false), 4);
    EXPECT_EQ(index.imageLine(QStringLiteral("image7"), false), -1);
    EXPECT_EQ(index.imageLine(QStringLiteral("image7_wrap"), false), 5);

    TransformView popup;
    PageBodyText::applyImageLine(lines.at(2), popup);
    EXPECT_EQ(popup.link, QString()); // the enlarge pop-up is no link
    TransformView slide;
    PageBodyText::applyImageLine(lines.at(3), slide);
    EXPECT_EQ(slide.link, QStringLiteral("http://s.org"));
    EXPECT_EQ(slide.linkOption, QStringLiteral("_parent"));
    EXPECT_EQ(slide.altText, QStringLiteral("A & B"));
    TransformView odd;
    PageBodyText::applyImageLine(QStringLiteral("<div class=image1><a href=a.html target=_top>"), odd);
    EXPECT_EQ(odd.linkOption, QStringLiteral(""));
}

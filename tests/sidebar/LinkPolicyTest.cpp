// What the link and element-id fields take.
#include "sidebar/LinkPolicy.h"

#include <gtest/gtest.h>

TEST(LinkPolicyTest, TakesWebMailPhoneRelativeAndAnchorLinksOnly)
{
    for (const char *ok : {"", "http://example.com", "HTTPS://example.com/a?b=c#d", "mailto:ann@example.com",
                           "mailto:ann@example.com?subject=Hi", "tel:+1-555-0100", "about.html", "pages/about.html",
                           "../up.html", "/root.html", "?q=1", "#contact", "#", "page.html#top", "a/b:c"})
        EXPECT_TRUE(LinkPolicy::isAcceptableLink(QString::fromUtf8(ok))) << ok;
    for (const char *bad : {"javascript:alert(1)", "JavaScript:alert(1)", "data:text/html,x", "file:///etc/passwd",
                            "vbscript:x", "http://", "https:///path", "mailto:", "tel:abc", "//evil.example",
                            "a b.html", "x\"onmouseover=\"y", "<script>", "#1abc", "page\\x.html", "ftp://host/x"})
        EXPECT_FALSE(LinkPolicy::refusalForLink(QString::fromUtf8(bad)).isEmpty()) << bad;
}

TEST(LinkPolicyTest, ElementIdFieldsTakeIdsOnly)
{
    EXPECT_TRUE(LinkPolicy::refusalForElementIds(QStringLiteral("section-2_a"), false).isEmpty());
    EXPECT_TRUE(LinkPolicy::refusalForElementIds(QString(), false).isEmpty());
    EXPECT_FALSE(LinkPolicy::refusalForElementIds(QStringLiteral("a,b"), false).isEmpty());
    EXPECT_TRUE(LinkPolicy::refusalForElementIds(QStringLiteral("a, b2"), true).isEmpty());
    for (const char *bad : {"2col", "a b", "a');alert(1);//", "x\"y", "a,,b"})
        EXPECT_FALSE(LinkPolicy::refusalForElementIds(QString::fromUtf8(bad), true).isEmpty()) << bad;
}

#include "publishing/ImageMapEmail.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(ImageMapEmail, FillsTheTemplateWithAreasForRealLinksOnly)
{
    ImageMapEmail::Page page;
    page.backgroundHex = QStringLiteral("ff8800");
    page.header = QStringLiteral("Hello");
    page.footer = QStringLiteral("Bye");
    page.tooltip = QStringLiteral("Spring");
    page.pictureAddress = QStringLiteral("glentormails.png");
    page.pictureWidth = 700.9;
    page.pictureHeight = 1200;
    page.areas = {ImageMapEmail::areaFor(QRectF(-10, 5.7, 100, 50), QStringLiteral("https://a.example/")),
                  ImageMapEmail::areaFor(QRectF(0, 0, 10, 10), QStringLiteral("http://")),
                  ImageMapEmail::areaFor(QRectF(0, 0, 10, 10), QString()),
                  ImageMapEmail::areaFor(QRectF(20, 300, 80, 200), QStringLiteral("https://b.example/"), 1.0f)};
    EXPECT_EQ(ImageMapEmail::generateEmailCode(page).toStdString(),
              "<html>\n<head>\n<meta name=\"viewport\" content=\"width=device-width,minimum-scale=1, maximum-scale=1\" />\n"
              "</head>\n<body bgcolor=\"#FF8800\" align=center>\n<center><table bgcolor=\"#FF8800\" align=center><tr><td>Hello<p>\n"
              "<div id=\"imgmapdiv\">\n<map name=\"map1\">\n"
              "<area shape=\"RECT\" coords=\"0,5,90,55\" href=\"https://a.example/\">\n"
              "<area shape=\"RECT\" coords=\"20,300,100,400\" href=\"https://b.example/\">\n"
              "</map>\n</div>\n"
              "<img src=glentormails.png width=750 height=1250 border=0 usemap=\"#map1\" alt=\"Spring\">\n<p>Bye<p>\n"
              "</td></tr></table></body></html>");

    page.noCanvasMargin = true;
    page.backgroundHex.clear();
    const QString bare = ImageMapEmail::generateEmailCode(page);
    EXPECT_TRUE(bare.contains(QStringLiteral("width=700 height=1200 ")));
    EXPECT_TRUE(bare.contains(QStringLiteral("bgcolor=\"#FFFFFF\"")));
}

// What the user typed cannot open tags or leave its attribute; the picture address
// stays one unquoted attribute value.
TEST(ImageMapEmail, EscapesTextsLinksAndTheAddress)
{
    ImageMapEmail::Page page;
    page.header = QStringLiteral("<b>Sale</b> & more\nline %1");
    page.footer = QStringLiteral("</table><script>x()</script>");
    page.tooltip = QStringLiteral("say \"hi\"");
    page.pictureAddress = QStringLiteral("https://host.example/my pics/a\"b'<c>.png?dl=1");
    page.areas = {{0, 0, 1, 1, QStringLiteral("https://x.example/?a=1&b=\"2\"")}};
    const QString html = ImageMapEmail::generateEmailCode(page);
    EXPECT_TRUE(html.contains(QStringLiteral("<td>&lt;b&gt;Sale&lt;/b&gt; &amp; more<br>line %1<p>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<p>&lt;/table&gt;&lt;script&gt;x()&lt;/script&gt;<p>")));
    EXPECT_TRUE(html.contains(QStringLiteral("alt=\"say &quot;hi&quot;\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("href=\"https://x.example/?a=1&amp;b=&quot;2&quot;\"")));
    const QRegularExpression src(QStringLiteral("<img src=(\\S+) width="));
    const auto match = src.match(html);
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1), QStringLiteral("https://host.example/my%20pics/a%22b%27%3Cc%3E.png?dl=1"));
}

TEST(ImageMapEmail, UploadNamesUseTheCalendarYearThe24HourClockAndDiffer)
{
    // 29 December 2025 lies in week 1 of 2026; 13:05 must not read as 01:05.
    const QDateTime late(QDate(2025, 12, 29), QTime(13, 5, 9));
    const QString name = ImageMapEmail::remoteFileName(late);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Dec292025Monday130509[a-z0-9]{6}_glentormails\\.png$"))
                    .match(name).hasMatch())
        << name.toStdString();
    EXPECT_NE(ImageMapEmail::remoteFileName(late), name);
    EXPECT_NE(ImageMapEmail::remoteFileName(QDateTime(QDate(2025, 12, 29), QTime(1, 5, 9))).left(20), name.left(20));
}

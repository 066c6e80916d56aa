// What lies in no section of a responsive page: the texts, pictures and the
// empty filled boxes a design (the mail template among them) draws its
// coloured bands with. Each is written once, in its order, and a text drawn
// over a band sits inside the band's colour, on the e-mail page and on the
// Bootstrap pages of the website and form editions.
#include "ResponsiveFixture.h"

#include <QRegularExpression>

namespace {

class ResponsiveFreeRowsTest : public ResponsiveTest {
protected:
    // The mail template's shape: a header band with its title, a text, a
    // button band with its label, a thin empty band, a footer.
    void buildMailDesign()
    {
        SKTText *header = addBox({30, 18, 540, 90}, QString());
        header->setBackgroundHexColorString(QStringLiteral("C0392B"));
        addBox({48, 36, 504, 54}, QStringLiteral("Spring news"))->setTextHexColorString(QStringLiteral("FFFFFF"));
        addBox({48, 150, 504, 60}, QStringLiteral("Dear reader"));
        SKTText *button = addBox({180, 240, 240, 54}, QString());
        button->setBackgroundHexColorString(QStringLiteral("2a6ebb"));
        addBox({180, 249, 240, 36}, QStringLiteral("Read more"))->setTextHexColorString(QStringLiteral("FFFFFF"));
        addBox({30, 320, 540, 4}, QString())->setBackgroundHexColorString(QStringLiteral("DDDDDD"));
        addBox({30, 340, 540, 30}, QStringLiteral("Footer words"));
    }

    // The markup of the band of colour (the element that carries it, to its end).
    static QString bandOf(const QString &body, const QString &colour, bool email)
    {
        const QString start = email ? QStringLiteral("bgcolor=\"#%1\"").arg(colour)
                                    : QStringLiteral("<div style=\"background-color:#%1;").arg(colour);
        const qsizetype at = body.indexOf(start);
        if (at < 0)
            return {};
        const qsizetype end = body.indexOf(email ? QStringLiteral("</table>") : QStringLiteral("</div></div></div>"), at);
        return body.mid(at, end < 0 ? -1 : end - at);
    }
};

class ResponsiveBandsTest : public ResponsiveFreeRowsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ResponsiveBandsTest, TextsOverBandsSitOnTheBandsColour)
{
    const bool email = GetParam();
    gResponsiveEmailEdition = email;
    buildMailDesign();
    const QString body = bodyOf(generate(true));

    const QString header = bandOf(body, QStringLiteral("C0392B"), email);
    EXPECT_TRUE(header.contains(QStringLiteral(">Spring news</div>"))) << qPrintable(body);
    const QString button = bandOf(body, QStringLiteral("2A6EBB"), email);
    EXPECT_TRUE(button.contains(QStringLiteral(">Read more</div>"))) << qPrintable(body);
    EXPECT_FALSE(button.contains(QStringLiteral("Dear reader")));
    // The empty band alone keeps its colour and its height.
    const QString rule = bandOf(body, QStringLiteral("DDDDDD"), email);
    EXPECT_TRUE(rule.contains(email ? QStringLiteral("height:4.00px") : QStringLiteral("min-height:4.00px")))
        << qPrintable(rule);

    // Each text once, top to bottom; the page keeps each box's place across it.
    qsizetype at = 0;
    for (const char *text : {"Spring news", "Dear reader", "Read more", "Footer words"}) {
        const QString marked = QStringLiteral(">%1</div>").arg(QLatin1String(text));
        EXPECT_EQ(body.count(marked), 1) << text;
        const qsizetype next = body.indexOf(marked);
        EXPECT_GT(next, at) << text << " comes after the text above it";
        at = next;
    }
    EXPECT_TRUE(body.contains(QStringLiteral("margin-left:30.00%;margin-right:30.00%;")));
    if (email) {
        EXPECT_FALSE(body.contains(QStringLiteral("<script")));
        EXPECT_FALSE(body.contains(QStringLiteral("container-fluid")));
    } else {
        EXPECT_FALSE(body.contains(QStringLiteral("columnContainer")));
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, ResponsiveBandsTest, ::testing::Bool(),
                         [](const auto &info) { return std::string(info.param ? "EmailPage" : "BootstrapPage"); });

// A text half in a section's column belongs to the column: written there, and
// not again as a row of its own; what lies in no column comes between the
// sections where it stands.
TEST_F(ResponsiveFreeRowsTest, FreeRowsComeBetweenSectionsAndNothingTwice)
{
    useEmailEdition();
    addSection({0, 0, 600, 100}, {12});
    addBox({20, 80, 200, 40}, QStringLiteral("Half in the column"));
    addBox({20, 140, 300, 30}, QStringLiteral("Between the sections"));
    addSection({0, 200, 600, 100}, {12});
    addBox({20, 220, 300, 30}, QStringLiteral("In the second section"));
    const QString body = bodyOf(generate(true));
    for (const char *text : {"Half in the column", "Between the sections", "In the second section"})
        EXPECT_EQ(body.count(QStringLiteral(">%1</div>").arg(QLatin1String(text))), 1) << text;
    const qsizetype between = body.indexOf(QStringLiteral("Between the sections"));
    EXPECT_LT(body.indexOf(QStringLiteral("Half in the column")), between);
    EXPECT_LT(between, body.indexOf(QStringLiteral("In the second section")));
    // Below the first section's bottom (100) by the distance on the canvas.
    EXPECT_TRUE(body.contains(QStringLiteral("padding-top:40.00px;\"><div style=\"margin-left:3.33%;")))
        << qPrintable(body);
}

} // namespace

// The font pop-up's list.
#include "sidebar/SidebarFonts.h"

#include <gtest/gtest.h>

TEST(InspectorFontsTest, WebFontsSortedThenArialAndHelveticaThenOtherSystemFamilies)
{
    const QStringList system{"DejaVu Sans", "Lato", "Arial", "Zeta"};
    const QList<CustomFont> list = InspectorFonts::fontList(false, system);
    ASSERT_EQ(list.size(), 49 + 2 + 2);
    EXPECT_EQ(list[0].fontName, QStringLiteral("Actor"));
    EXPECT_EQ(list[48].fontName, QStringLiteral("Vollkorn"));
    EXPECT_EQ(list[49].fontName, QStringLiteral("Arial"));
    EXPECT_EQ(list[50].fontName, QStringLiteral("Helvetica"));
    EXPECT_TRUE(list[50].isCustomFont);
    EXPECT_EQ(list[51].fontName, QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(list[51].isCustomFont);
    EXPECT_EQ(list[52].fontName, QStringLiteral("Zeta"));
    // "PT Mono" sorts among the P's, without regard to case.
    qsizetype pt = -1, pacifico = -1;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].fontName == QLatin1String("PT Mono"))
            pt = i;
        if (list[i].fontName == QLatin1String("Pacifico"))
            pacifico = i;
    }
    EXPECT_GT(pt, pacifico);

    const QList<CustomFont> hidden = InspectorFonts::fontList(true, system);
    ASSERT_EQ(hidden.size(), 2);
    EXPECT_EQ(hidden[0].fontName, QStringLiteral("DejaVu Sans"));
}

// The palette, FORMAT and LAYER plans against the figures of their layouts.
#include "sidebar/SidebarPlans.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTRectangle.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
FormatPlan plan(QStringList kinds, const char *family, bool responsive = false, const char *app = "")
{
    return planFormatRows(FormatRowCatalogue::table(),
                          {std::move(kinds), QLatin1String(family), responsive, QLatin1String(app), 270.6});
}

QList<double> shownYs(const FormatPlan &p)
{
    QList<double> ys;
    for (const auto &r : p.rows)
        if (r.shown)
            ys.append(r.frame.y());
    return ys;
}
} // namespace

TEST(PalettePlanTest, StacksListedEntriesUnderTheHeader)
{
    const auto &entries = PaletteCatalogue::entries();
    const PalettePlan p = planPalette(entries, QStringLiteral("Tovra"), QStringLiteral("php"), 270.6);
    ASSERT_EQ(p.listed.size(), 61);
    EXPECT_EQ(p.containerHeight, 4635);
    EXPECT_EQ(p.listed.last().frame, QRectF(0, 4530, 270, 75));
    EXPECT_EQ(p.listed.first().frame, QRectF(0, 30, 270, 75));
    EXPECT_EQ(p.headerFrame, QRectF(0, 0, 270.6, 30));
    EXPECT_EQ(planPalette(entries, QString(), QStringLiteral("html"), 270).containerHeight, 60);

    // A family named twice lists the entry once; "All" lists it everywhere.
    PaletteEntry twice{QStringLiteral("zov_a"), QStringLiteral("A"), QStringLiteral("i"), {"Zov", "Zov"}, false, false, false, QString()};
    PaletteEntry all{QStringLiteral("zov_b"), QStringLiteral("B"), QStringLiteral("i"), {"All"}, false, false, false, QString()};
    EXPECT_EQ(planPalette({twice, all}, QStringLiteral("Zov"), QString(), 100).listed.size(), 2);
    EXPECT_EQ(planPalette({twice, all}, QStringLiteral("Mail"), QString(), 100).listed.size(), 1);
}

TEST(FormatPlanTest, ShowsTheRowsOfTheSelectedKindsAtTheirHeights)
{
    const FormatRowTable &t = FormatRowCatalogue::table();
    {
        const FormatPlan p = plan({}, "Zov");
        EXPECT_EQ(p.headerText, QStringLiteral("Nothing selected.\nSelect an object to format."));
        EXPECT_EQ(p.headerHeight, 40);
        EXPECT_EQ(p.shownTitles(t), QStringList{QStringLiteral("Color - Background")});
        EXPECT_EQ(shownYs(p), QList<double>{40});
        EXPECT_EQ(p.containerHeight, 220);
    }
    {
        const FormatPlan p = plan({"Line"}, "Forms");
        EXPECT_EQ(p.headerText, QStringLiteral("1 object selected"));
        EXPECT_EQ(p.shownTitles(t), (QStringList{"Position Lock", "Line Thickness", "Line Pattern"}));
        EXPECT_EQ(shownYs(p), (QList<double>{20, 120, 220}));
        EXPECT_EQ(p.containerHeight, 360);
        EXPECT_TRUE(p.borderRowForLine);
        EXPECT_EQ(p.rows[18].frame.width(), 270);
    }
    {
        const FormatPlan p = plan({"Section"}, "Tovra", true, "Mirvel Responsive Website Designer");
        EXPECT_EQ(p.shownTitles(t), (QStringList{"Padding", "Margin", "Section Column Buffer", "Section ID",
                                                 "Initial Launch State", "Color - Shape"}));
        EXPECT_EQ(shownYs(p), (QList<double>{20, 180, 340, 440, 540, 640}));
        EXPECT_EQ(p.containerHeight, 780);
    }
    {
        const FormatPlan p = plan({"Text"}, "Zov");
        const QStringList shown = p.shownTitles(t);
        EXPECT_EQ(shown.size(), 22);
        EXPECT_EQ(shown.first(), QStringLiteral("Position and Size"));
        EXPECT_EQ(shown.last(), QStringLiteral("Rotation"));
        for (const char *out : {"Padding", "Margin", "Section Column Buffer", "Section ID", "Initial Launch State",
                                "Image Mask", "Text Vertical Alignment", "Line Thickness", "Line Pattern",
                                "Color - Background", "Reflection Level", "Image Tooltip"})
            EXPECT_FALSE(shown.contains(QLatin1String(out))) << out;
        EXPECT_EQ(plan({"Text", "Text"}, "Zov").shownTitles(t), shown);
        EXPECT_EQ(plan({"Text", "Text"}, "Zov").headerText, QStringLiteral("2 objects selected"));
    }
    // A kind no row applies to: the header alone.
    const FormatPlan none = plan({""}, "Zov");
    EXPECT_TRUE(none.shownTitles(t).isEmpty());
    EXPECT_EQ(none.containerHeight, 60);
}

TEST(FormatPlanTest, ResponsiveExclusionsDoNotDependOnSelectionOrder)
{
    const FormatRowTable &t = FormatRowCatalogue::table();
    const char *app = "Mirvel Responsive Website Designer";
    for (const QStringList &kinds : {QStringList{"Image", "Text"}, QStringList{"Text", "Image"}}) {
        const QStringList shown = plan(kinds, "Tovra", true, app).shownTitles(t);
        EXPECT_TRUE(shown.contains(QStringLiteral("Border Type")));
        EXPECT_TRUE(shown.contains(QStringLiteral("Border Thickness")));
    }
    // An image alone in a responsive edition has no border rows; elsewhere it has.
    EXPECT_FALSE(plan({"Image"}, "Tovra", true, app).shownTitles(t).contains(QStringLiteral("Border Type")));
    EXPECT_TRUE(plan({"Image"}, "Tovra", false, app).shownTitles(t).contains(QStringLiteral("Border Type")));
    // The email edition never shows a section's margin; a text box next to it keeps the row.
    const char *mail = "Mirvel Responsive Email Designer";
    EXPECT_FALSE(plan({"Section"}, "Mail", true, mail).shownTitles(t).contains(QStringLiteral("Margin")));
    EXPECT_TRUE(plan({"Section"}, "Tovra", true, app).shownTitles(t).contains(QStringLiteral("Margin")));
    EXPECT_TRUE(plan({"Section", "Text"}, "Mail", true, mail).shownTitles(t).contains(QStringLiteral("Margin")));
}

TEST(FormatPlanTest, KindsFollowTheGraphicClasses)
{
    SKTText text;
    SKTImage image;
    SKTLine line;
    SKTTable table, section;
    section.setGridType(QStringLiteral("section"));
    SKTRectangle rect;
    EXPECT_EQ(formatKindOf(text), QStringLiteral("Text"));
    EXPECT_EQ(formatKindOf(image), QStringLiteral("Image"));
    EXPECT_EQ(formatKindOf(line), QStringLiteral("Line"));
    EXPECT_EQ(formatKindOf(table), QStringLiteral("Table"));
    EXPECT_EQ(formatKindOf(section), QStringLiteral("Section"));
    EXPECT_EQ(formatKindOf(rect), QString());
}

TEST(LayerPlanTest, ListsEveryGraphicWithItsKindAndNumbers)
{
    EXPECT_EQ(planLayers({}, 270).headerText, QStringLiteral("0 layer"));
    EXPECT_EQ(planLayers({}, 270).contentHeight, 60);

    SKTText bubble;
    bubble.setBubbleShape(QStringLiteral("star"));
    SKTRectangle rect;
    SKTImage image;
    image.setBounds({12.7, 40.2, 100.9, 50.5});
    image.setOpacity(0.456);
    const LayerPlan p = planLayers({&bubble, &rect, &image}, 270.9);
    EXPECT_EQ(p.headerText, QStringLiteral("3 layers"));
    EXPECT_EQ(planLayers({&rect}, 270).headerText, QStringLiteral("1 layer"));
    ASSERT_EQ(p.rows.size(), 3);
    EXPECT_EQ(p.rows[0].imageName, QStringLiteral("shape_simple"));
    EXPECT_EQ(p.rows[0].kindLabel, QStringLiteral("Shape"));
    EXPECT_EQ(p.rows[1].imageName, QStringLiteral("selection_elliptical_black"));
    EXPECT_EQ(p.rows[1].kindLabel, QString());
    EXPECT_EQ(p.rows[2].detail, QStringLiteral("Layer 2\nx:12 y:40 size:100x50 opacity:45%"));
    EXPECT_EQ(p.rows[2].frame, QRectF(0, 130, 270, 50));
    EXPECT_EQ(p.rows[2].objectIndex, 2);
    EXPECT_EQ(p.contentHeight, 210);
}

TEST(LayerIndexTest, TakesAWholeNumberClampedClearsOnEmptyAndRefusesTheRest)
{
    struct Case {
        const char *text;
        LayerIndexInput::Kind kind;
        int value;
    };
    using K = LayerIndexInput::Kind;
    for (const Case &c : {Case{"12\nmore text", K::Set, 12}, Case{" -3 ", K::Set, -3}, Case{"", K::Clear, 0},
                          Case{"  \nx", K::Clear, 0}, Case{"abc", K::Refused, 0}, Case{"1.5", K::Refused, 0},
                          Case{"99999999999", K::Set, 2147483647},
                          Case{"-99999999999999999999999", K::Set, -2147483647 - 1}, Case{"12a", K::Refused, 0}}) {
        const LayerIndexInput in = parseLayerIndex(QString::fromUtf8(c.text));
        EXPECT_EQ(in.kind, c.kind) << c.text;
        EXPECT_EQ(in.value, c.value) << c.text;
    }
}

TEST(FormatPlanTest, RowsOfOnlyControlsTheEditionHidesAreLeftOut)
{
    FormatPlanInput in{{QStringLiteral("Image"), QStringLiteral("Text")}, QStringLiteral("Zov"), false, QString(), 270};
    const QStringList linkRows{QStringLiteral("Hyperlink"), QStringLiteral("Link Launch Window"),
                               QStringLiteral("Image Tooltip"), QStringLiteral("Scroll Lock")};
    const QStringList all = planFormatRows(FormatRowCatalogue::table(), in).shownTitles(FormatRowCatalogue::table());
    for (const QString &title : linkRows)
        EXPECT_TRUE(all.contains(title)) << qPrintable(title);
    in.hiddenControls = {QStringLiteral("hyperLinkTextField"), QStringLiteral("linkOptionSegmentedControl"),
                         QStringLiteral("altTextField"), QStringLiteral("scrollSegmentedControl")};
    const QStringList left = planFormatRows(FormatRowCatalogue::table(), in).shownTitles(FormatRowCatalogue::table());
    for (const QString &title : linkRows)
        EXPECT_FALSE(left.contains(title)) << qPrintable(title);
    EXPECT_EQ(left.size(), all.size() - linkRows.size());
}

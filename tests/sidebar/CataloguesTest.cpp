// The palette, FORMAT row and binding tables as shipped: their sizes, a
// sample of rows, and what each edition family gets listed.
#include "sidebar/BindingTable.h"
#include "sidebar/FormatRowCatalogue.h"
#include "sidebar/SidebarPlans.h"
#include "sidebar/PaletteCatalogue.h"
#include "model/UndoNames.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(PaletteCatalogueTest, HoldsTheEntriesInOrderWithTheirIconsAndFlags)
{
    const QList<PaletteEntry> &e = PaletteCatalogue::entries();
    ASSERT_EQ(e.size(), 203);
    QSet<QString> codes, icons;
    int shapes = 0, bubbles = 0;
    for (const PaletteEntry &x : e) {
        codes.insert(x.codeName);
        icons.insert(x.imageName);
        EXPECT_FALSE(x.description.isEmpty()) << x.title.toStdString();
        EXPECT_FALSE(x.families.contains(QStringLiteral("All")));
        shapes += x.shape;
        bubbles += x.zoomBubble;
        EXPECT_EQ(x.createOwnImage, x.shape || x.zoomBubble);
    }
    EXPECT_EQ(codes.size(), 167);
    EXPECT_EQ(icons.size(), 90);
    EXPECT_EQ(shapes, 20);
    EXPECT_EQ(bubbles, 17);

    struct Sample {
        int number;
        const char *code, *title, *icon;
    };
    for (const Sample &s : {Sample{1, "zov_textfield", "Text Field", "form_checkbox"},
                            Sample{29, "zov_backgroundpattern_video", "Background Pattern", "texture"},
                            Sample{48, "zov_table1x5", "Table: 1x5", "table_5column"},
                            Sample{86, "zov_zoom_bubble", "Zoom Bubble", "rectangle"},
                            Sample{160, "zov_navbar_fixed", "Grid Panel", "photo_simple"},
                            Sample{203, "zov_sibling", "Cousin", "person_contacts"}}) {
        const PaletteEntry &x = e[s.number - 1];
        EXPECT_EQ(x.codeName, QLatin1String(s.code)) << s.number;
        EXPECT_EQ(x.title, QLatin1String(s.title)) << s.number;
        EXPECT_EQ(x.imageName, QLatin1String(s.icon)) << s.number;
    }
    EXPECT_EQ(e[6].description, QStringLiteral("Presents a simple, randomly generated math question.  Helps reduce "
                                               "unwanted form submission spam.  Form component."));
    EXPECT_EQ(e[185].title, QStringLiteral("Pet"));
    EXPECT_EQ(e[185].description, QStringLiteral("Adds a pet branch to the selected individual on the canvas.  A "
                                                 "special bonus for those of us who consider pets part of the family. :)"));
    EXPECT_TRUE(e[78].shape && !e[78].zoomBubble);  // zov_circle
}

TEST(PaletteCatalogueTest, EachFamilyListsItsEntriesAndHtmlPagesDropTheFormComponents)
{
    struct Row {
        const char *family;
        int listed, onHtml;
    };
    const QList<PaletteEntry> &e = PaletteCatalogue::entries();
    for (const Row &r : {Row{"Zov", 24, 17}, Row{"Tovra", 61, 54}, Row{"Mail", 24, 24}, Row{"Forms", 19, 12},
                         Row{"ResponsiveForms", 19, 12}, Row{"Chart", 18, 18}, Row{"Label", 37, 37},
                         Row{"Flyer", 57, 57}, Row{"GreetingCard", 56, 56}, Row{"Lumvane", 55, 55},
                         Row{"DrubbMollivan", 49, 49}, Row{"Manual", 80, 80}, Row{"Markup", 73, 73},
                         Row{"MarkupExpress", 62, 62}, Row{"WembaMarkup", 4, 4}, Row{"Pellamy2", 4, 4},
                         Row{"familyTree", 29, 29}, Row{"Cards", 0, 0}, Row{"Shop", 7, 7}, Row{"", 0, 0}}) {
        const QString family = QLatin1String(r.family);
        EXPECT_EQ(planPalette(e, family, QStringLiteral("php"), 270).listed.size(), r.listed) << r.family;
        EXPECT_EQ(planPalette(e, family, QStringLiteral("html"), 270).listed.size(), r.onHtml) << r.family;
    }
    int siblings = 0;
    for (const auto &item : planPalette(e, QStringLiteral("familyTree"), QStringLiteral("html"), 270).listed)
        siblings += e[item.entry].codeName == QLatin1String("zov_sibling");
    EXPECT_EQ(siblings, 24);
}

TEST(FormatRowCatalogueTest, HoldsTheRowsWithExpandedFamilyListsAndExclusions)
{
    const FormatRowTable &t = FormatRowCatalogue::table();
    ASSERT_EQ(t.rows.size(), 34);
    EXPECT_EQ(t.rows[0].title, QStringLiteral("Position and Size"));
    EXPECT_EQ(t.rows[0].families.size(), 12);  // F1
    EXPECT_EQ(t.rows[1].height, 160);
    EXPECT_EQ(t.rows[2].height, 160);
    EXPECT_EQ(t.rows[3].height, 0);
    EXPECT_EQ(t.rows[6].codeName, QStringLiteral("ImageMask"));
    EXPECT_EQ(t.rows[6].families.size(), 10);  // F3: F1 without Chart and Mail
    EXPECT_FALSE(t.rows[6].families.contains(QStringLiteral("Chart")));
    EXPECT_EQ(t.rows[16].families.size(), 13);  // F1 and Tovra
    EXPECT_TRUE(t.rows[16].families.contains(QStringLiteral("Tovra")));
    EXPECT_EQ(t.rows[25].families.size(), 11);  // F2: F1 without Mail
    EXPECT_FALSE(t.rows[25].families.contains(QStringLiteral("Mail")));
    EXPECT_EQ(t.rows[10].families.size(), 12);  // F4
    EXPECT_TRUE(t.rows[10].families.contains(QStringLiteral("Pellamy2")));
    EXPECT_EQ(t.rows[7].families, (QStringList{"Zov", "Forms", "Flyer", "Markup", "MarkupExpress", "Manual"}));
    EXPECT_EQ(t.rows[29].families, (QStringList{"Zov", "Tovra", "Forms"}));
    EXPECT_EQ(t.rows[21].kinds, QStringList{QStringLiteral("Canvas")});
    EXPECT_EQ(t.rows[21].codeName, QStringLiteral("canvasColorButton"));
    EXPECT_EQ(t.rows[33].controls,
              (QStringList{"rotationApplyCheckmark", "rotationSlider", "rotationAngleTextField"}));
    EXPECT_EQ(t.rows[22].description, QStringLiteral("Controls the \"roundness\" of shapes and text boxes.  Set to "
                                                     "value greater than zero for rounded corners."));
    // Where the controls stand: every control of a row has a place.
    for (const FormatRowSpec &row : t.rows) {
        QStringList placed;
        for (const FormatRowPlacement &p : row.placements)
            if (!p.caption)
                placed.append(p.name);
        EXPECT_EQ(placed.size(), row.controls.size()) << row.title.toStdString();
        for (const QString &c : row.controls)
            EXPECT_TRUE(placed.contains(c)) << c.toStdString();
    }
    EXPECT_EQ(t.rows[2].placements.size(), 8);  // Margin: four captions, four level pop-ups
    EXPECT_EQ(t.rows[2].placements[4].frame(270), QRectF(20, 120, 110, 30));
    EXPECT_EQ(t.rows[9].placements[0].frame(270), QRectF(20, 50, 250, 40));
    EXPECT_EQ(t.rows[11].placements[0].frame(270), QRectF(20, 55, 230, 30));
    ASSERT_EQ(t.exclusions.size(), 4);
    EXPECT_EQ(t.exclusions[3].edition, QStringLiteral("Mirvel Responsive Email Designer"));
}

TEST(BindingTableTest, HoldsTheBindingsAndEveryWrittenKeyIsAnUndoKey)
{
    const QList<BindingSpec> &b = BindingTable::bindings();
    ASSERT_EQ(b.size(), 68);
    EXPECT_EQ(b.first().control, QStringLiteral("initialStateSegmentedControl"));
    EXPECT_EQ(b.first().binding, QStringLiteral("selectedIndex"));
    EXPECT_EQ(b[3].key, QStringLiteral("width"));
    EXPECT_EQ(b[3].options, BindingSpec::Options::P);
    EXPECT_EQ(b.last().control, QStringLiteral("responsiveSizeSegmentedControl"));
    int s = 0, l = 0, t = 0;
    for (const BindingSpec &x : b) {
        s += x.options == BindingSpec::Options::S;
        l += x.options == BindingSpec::Options::L;
        t += x.options == BindingSpec::Options::T;
    }
    EXPECT_EQ(s, 1);
    EXPECT_EQ(l, 1);
    EXPECT_EQ(t, 1);

    // Positions and sizes change the bounds, which are an undo key already.
    const QSet<QString> viaBounds{"xPosition", "yPosition", "width", "height"};
    for (const char *cls : {"SKTText", "SKTImage", "SKTLine", "SKTTable", "SKTRectangle"}) {
        const QStringList keys = UndoNames::keysForClass(QLatin1String(cls));
        for (const BindingSpec &x : b) {
            const QString key = viaBounds.contains(x.key) ? QStringLiteral("bounds") : x.key;
            EXPECT_TRUE(keys.contains(key)) << cls << " " << x.key.toStdString();
        }
        EXPECT_TRUE(keys.contains(QStringLiteral("manualLayerIndex")));
    }
    EXPECT_EQ(UndoNames::nameForKey(QStringLiteral("SKTTable"), QStringLiteral("padding")),
              QStringLiteral("Section Column Buffer"));
}

TEST(CatalogueParsingTest, NamesTheFirstBadLine)
{
    QString error;
    EXPECT_TRUE(PaletteCatalogue::parse(QStringLiteral("# c\nzov_a\tA\ti\tZov\t\tdesc\nshort\n"), &error).size() == 1);
    EXPECT_EQ(error, QStringLiteral("line 3: expected 6 fields"));
    error.clear();
    EXPECT_TRUE(BindingTable::parse(QStringLiteral("c\tvalue\tk\tlong\tP\n"), &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    const FormatRowTable t = FormatRowCatalogue::parse(
        QStringLiteral("family\tF\tA,B\nrow\tT\ti\tc\tText\tF,C\tx\t\td\n"), &error);
    ASSERT_EQ(t.rows.size(), 1);
    EXPECT_EQ(t.rows[0].families, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(error, QStringLiteral("line 2: bad height"));
}

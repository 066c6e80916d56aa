// The inspector's icons are drawn from the icon table: every palette, FORMAT
// and LAYER icon the program names has a program that paints something.
#include "sidebar/FormatRowCatalogue.h"
#include "sidebar/SidebarIcons.h"
#include "sidebar/PaletteCatalogue.h"

#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {
int paintedPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 0;
    return n;
}
} // namespace

TEST(InspectorIconsTest, EveryIconTheInspectorNamesIsDrawn)
{
    QSet<QString> names = {QStringLiteral("flower_square"), QStringLiteral("clearGrid"),
                           QStringLiteral("shape_simple"),  QStringLiteral("textbox_simple"),
                           QStringLiteral("line_icon"),     QStringLiteral("table_simple"),
                           QStringLiteral("photo_simple"),  QStringLiteral("gallery"),
                           QStringLiteral("format_panel_add"), QStringLiteral("format_panel_format"),
                           QStringLiteral("format_panel_layer")};
    for (const PaletteEntry &e : PaletteCatalogue::entries())
        if (!e.createOwnImage)
            names.insert(e.imageName);
    for (const FormatRowSpec &row : FormatRowCatalogue::table().rows)
        names.insert(row.imageName);
    for (const QString &name : names) {
        const QImage icon = InspectorIcons::image(name, 60);
        ASSERT_FALSE(icon.isNull()) << name.toStdString();
        EXPECT_EQ(icon.size(), QSize(60, 60));
        EXPECT_GT(paintedPixels(icon), 60) << name.toStdString();
    }
}

TEST(InspectorIconsTest, ProgramsScaleAndBadStepsDrawNothing)
{
    EXPECT_TRUE(InspectorIcons::image(QStringLiteral("no_such_icon")).isNull());
    const QImage big = InspectorIcons::draw(QStringLiteral("fill 000000; stroke none; rect 0 0 30 60"), 120);
    EXPECT_EQ(qAlpha(big.pixel(10, 60)), 255);
    EXPECT_EQ(qAlpha(big.pixel(100, 60)), 0);
    // Unknown operations, missing or non-number coordinates are skipped.
    const QImage junk = InspectorIcons::draw(QStringLiteral("wobble 1 2; rect a b c d; ellipse 1 2; poly 5; text 1 2"), 60);
    EXPECT_EQ(paintedPixels(junk), 0);
    QString error;
    const QHash<QString, QString> table = InspectorIcons::parse(QStringLiteral("# c\nok\tline 0 0 1 1\nbroken line\n"), &error);
    EXPECT_EQ(table.size(), 1);
    EXPECT_EQ(error, QStringLiteral("line 3: expected name<TAB>program"));
}

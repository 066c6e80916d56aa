#include "config/DataCentre.h"

#include <QFontDatabase>
#include <QFontInfo>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Fonts, RecordsAreSortedAndPaired)
{
    const QList<CustomFont> fonts = DataCentre::customFontRecords();
    ASSERT_EQ(fonts.size(), 49);
    EXPECT_EQ(fonts.first().fontName, "Actor");
    EXPECT_EQ(fonts.last().fontName, "Vollkorn");
    qsizetype poiret = -1;
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        const CustomFont &font = fonts[i];
        EXPECT_FALSE(font.isUsed);
        EXPECT_FALSE(font.isCustomFont);
        if (i > 0) {
            EXPECT_LT(QString::compare(fonts[i - 1].fontName, font.fontName, Qt::CaseInsensitive), 0);
        }
        if (font.fontName == "Poiret One")
            poiret = i;
        // The request name is the family with "+" for spaces, give or take
        // a weight: each row still belongs to its own family.
        QString family = font.sourceCodeName.section(':', 0, 0);
        family.replace('+', ' ');
        if (font.fontName == "Passion")
            EXPECT_EQ(font.sourceCodeName, "Passion+One");
        else
            EXPECT_EQ(family, font.fontName);
    }
    ASSERT_GE(poiret, 0);
    EXPECT_EQ(fonts[poiret + 1].fontName, "PT Mono");

    auto find = [&](const QString &name) {
        for (const CustomFont &font : fonts)
            if (font.fontName == name)
                return font.sourceCodeName;
        return QString();
    };
    EXPECT_EQ(find("Lobster Two"), "Lobster Two");
    EXPECT_EQ(find("Lato"), "Lato:300");
    EXPECT_EQ(find("Raleway"), "Raleway:100");
    EXPECT_EQ(find("Roboto"), "Roboto:300");
    EXPECT_EQ(find("Source Sans Pro"), "Source+Sans+Pro:300");
    EXPECT_EQ(find("Amatic SC"), "Amatic+SC");
    EXPECT_EQ(find("Goudy Bookletter 1911"), "Goudy+Bookletter+1911");
}

TEST(Fonts, TwoListsAreIndependent)
{
    QList<CustomFont> first = DataCentre::customFontRecords();
    first[3].isUsed = true;
    const QList<CustomFont> second = DataCentre::customFontRecords();
    EXPECT_FALSE(second[3].isUsed);
    first[3].isUsed = false;
    EXPECT_EQ(first, second);
}

TEST(Fonts, MissingFolderLoadsNothing)
{
    EXPECT_TRUE(DataCentre::loadCustomFont(QStringLiteral("/nonexistent/fonts")).isEmpty());
}

// Needs the npm font packages (scripts/install-deps.sh) copied by the build.
TEST(Fonts, ShippedFamiliesDrawInTheirOwnFace)
{
    const QStringList added = DataCentre::loadCustomFont();
    if (added.isEmpty())
        GTEST_SKIP() << "no web fonts in the build tree";
    const QStringList missing = DataCentre::missingCustomFonts();
    EXPECT_EQ(missing, QStringList({"Tulpen One"}));
    // Every other web font draws with one of the families just loaded.
    for (const CustomFont &record : DataCentre::customFontRecords()) {
        if (missing.contains(record.fontName))
            continue;
        const QString drawn = QFontInfo(QFont(record.fontName, 20)).family();
        EXPECT_TRUE(added.contains(drawn)) << record.fontName.toStdString() << " draws as " << drawn.toStdString();
    }
    for (const char *family : {"Actor", "Goudy Bookletter 1911", "Source Sans Pro", "PT Mono"}) {
        EXPECT_TRUE(QFontDatabase::families().contains(family)) << family;
        EXPECT_EQ(QFontInfo(QFont(family, 20)).family(), family) << family;
    }
    // Files whose family carries a weight still draw the stored family.
    for (const char *family : {"Bitter", "Raleway", "Montserrat", "Quicksand"}) {
        const QFont font(family, 20);
        EXPECT_EQ(font.family(), family);
        EXPECT_TRUE(QFontInfo(font).family().startsWith(family)) << QFontInfo(font).family().toStdString();
    }
    // A stored "Passion" keeps its name and draws with the "Passion One" file.
    const QFont passion(QStringLiteral("Passion"), 20);
    EXPECT_EQ(passion.family(), "Passion");
    EXPECT_EQ(QFontInfo(passion).family(), "Passion One");
}

#include "config/DataCentre.h"

#include <QRegularExpression>
#include <QSet>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QString rgbOf(const QColor &c)
{
    return QStringLiteral("%1,%2,%3,%4").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

} // namespace

TEST(Colours, HexStringsThatReadAsWhite)
{
    for (const char *text : {"ffffff", "FFFFFF", "  ffffff\n", "0xffffff", "0XFFFFFF", " 0xFfFfFf "})
        EXPECT_EQ(rgbOf(DataCentre::colorWithHexString(QString::fromLatin1(text))), "255,255,255,255") << text;
}

TEST(Colours, MalformedStringsReadAsOpaqueBlack)
{
    for (const char *text : {"#FFFFFF", "FFFFF", "", "FFFFFFF", "0XFFFFF", "0XFFFF", "0x"})
        EXPECT_EQ(rgbOf(DataCentre::colorWithHexString(QString::fromLatin1(text))), "0,0,0,255") << text;
    EXPECT_EQ(rgbOf(DataCentre::colorWithHexString(QString())), "0,0,0,255");
}

TEST(Colours, PairsReadTheirLeadingHexDigitsOnly)
{
    // "CLEAR0": CL -> 0x0C, EA -> 0xEA, R0 -> 0 (no leading digit).
    EXPECT_EQ(rgbOf(DataCentre::colorWithHexString("CLEAR0")), "12,234,0,255");
    EXPECT_EQ(rgbOf(DataCentre::colorWithHexString("1G1G1G")), "1,1,1,255");
    EXPECT_EQ(rgbOf(DataCentre::colorWithHexString("a0b1c2")), "160,177,194,255");
}

TEST(Colours, ClearStringsAreTransparentOnlyWhereAsked)
{
    EXPECT_TRUE(DataCentre::isClearColorString("CLEAR0"));
    EXPECT_TRUE(DataCentre::isClearColorString(""));
    EXPECT_FALSE(DataCentre::isClearColorString("FFFFFF"));
    EXPECT_EQ(DataCentre::colorOrClearWithHexString("CLEAR0").alpha(), 0);
    EXPECT_EQ(DataCentre::colorOrClearWithHexString("").alpha(), 0);
    EXPECT_EQ(rgbOf(DataCentre::colorOrClearWithHexString("FF0000")), "255,0,0,255");
}

TEST(Colours, EveryEightBitValueRoundTrips)
{
    for (int v = 0; v < 256; ++v) {
        const QString hex = QStringLiteral("%1%1%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
        const QColor colour = DataCentre::colorWithHexString(hex);
        EXPECT_EQ(DataCentre::asHexString(colour, {}), hex);
        EXPECT_EQ(DataCentre::asHexString(colour, DataCentre::paletteA()), hex);
    }
}

TEST(Colours, PaletteFormOnlyWhenThePaletteHoldsIt)
{
    QColor nearWhite;
    nearWhite.setRgbF(0.999f, 0.999f, 0.999f);
    EXPECT_EQ(DataCentre::asHexString(nearWhite, DataCentre::paletteA()), "FFFFFF");
    EXPECT_EQ(DataCentre::asHexString(nearWhite, DataCentre::paletteC()), "FFFFFF");
    EXPECT_EQ(DataCentre::asHexString(nearWhite, {}), "FEFEFE");

    QColor red;
    red.setRgbF(0.999f, 0.2f, 0.2f);
    EXPECT_EQ(DataCentre::asHexString(red, DataCentre::paletteA()), "FE3333");

    // A mid grey reads "7F7F7F" under every palette: from the palette form
    // where the palette holds it (A, B), from the plain form under C.
    QColor grey;
    grey.setRgbF(0.5f, 0.5f, 0.5f);
    for (const QStringList *palette : {&DataCentre::paletteA(), &DataCentre::paletteB(), &DataCentre::paletteC()})
        EXPECT_EQ(DataCentre::asHexString(grey, *palette), "7F7F7F");
}

TEST(Colours, ChannelsOnAnEightBitBoundaryStayBelowIt)
{
    // k / 256 sits exactly on a boundary: in single precision both forms
    // read it as k - 1. A palette holding only the form one step up must
    // not match.
    for (int k = 1; k < 256; ++k) {
        QColor colour;
        colour.setRgbF(float(k) / 256.0f, float(k) / 256.0f, float(k) / 256.0f);
        const QString below = QStringLiteral("%1%1%1").arg(k - 1, 2, 16, QLatin1Char('0')).toUpper();
        const QString above = QStringLiteral("%1%1%1").arg(k, 2, 16, QLatin1Char('0')).toUpper();
        EXPECT_EQ(DataCentre::asHexString(colour, {above}), below) << k;
        EXPECT_EQ(DataCentre::asHexString(colour, {below}), below) << k;
    }
}

TEST(Colours, AlphaIsIgnoredAndInvalidColoursGiveNothing)
{
    EXPECT_EQ(DataCentre::asHexString(QColor(255, 255, 255, 128), DataCentre::paletteC()), "FFFFFF");
    EXPECT_TRUE(DataCentre::asHexString(QColor(), DataCentre::paletteC()).isNull());
    EXPECT_EQ(DataCentre::asHexString(QColor(Qt::transparent), DataCentre::paletteC()), "000000");
}

TEST(Colours, PalettesHoldTheirEntries)
{
    const QStringList &a = DataCentre::paletteA();
    const QStringList &b = DataCentre::paletteB();
    const QStringList &c = DataCentre::paletteC();
    ASSERT_EQ(a.size(), 551);
    ASSERT_EQ(b.size(), 544);
    ASSERT_EQ(c.size(), 140);
    for (const QStringList *palette : {&a, &b, &c})
        EXPECT_EQ(palette->first(), "CLEAR0");
    // Palette A's repeats, where the swatch grid shows them.
    EXPECT_EQ(a[99], "800000");
    EXPECT_EQ(a[225], "800000");
    EXPECT_EQ(a[424], "800000");
    EXPECT_EQ(a[259], "808000");
    EXPECT_EQ(a[548], "808080");
    EXPECT_EQ(a[550], "303030");
    EXPECT_EQ(b.mid(b.size() - 3), QStringList({"0D0D0D", "0A0A0A", "505050"}));
    EXPECT_EQ(QSet<QString>(b.begin(), b.end()).size(), b.size());
    EXPECT_EQ(QSet<QString>(c.begin(), c.end()).size(), c.size());
    EXPECT_EQ(c[139], "CC0000");
    // Every entry is a colour string.
    const QRegularExpression hex(QStringLiteral("^[0-9A-F]{6}$"));
    for (const QStringList *palette : {&a, &c})
        for (qsizetype i = 1; i < palette->size(); ++i)
            EXPECT_TRUE(hex.match(palette->at(i)).hasMatch()) << palette->at(i).toStdString();
    for (const char *own : {"000080", "4169E1", "AFEEEE", "008080", "008000", "006400", "CC0000"}) {
        EXPECT_TRUE(c.contains(own));
        EXPECT_FALSE(a.contains(own));
    }
}

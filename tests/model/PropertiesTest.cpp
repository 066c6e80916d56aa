#include "support/FakeGraphicEnvironment.h"
#include "GraphicTestKinds.h"

#include "model/GraphicFactory.h"
#include "model/GraphicProperties.h"
#include "model/SKTGraphic.h"

#include <QCborArray>
#include <QCborMap>
#include <QLocale>
#include <gtest/gtest.h>

namespace {
std::shared_ptr<SKTGraphic> rebuild(SKTGraphic &g)
{
    QList<GraphicProperties> list = SKTGraphic::propertiesWithGraphics({&g});
    auto graphics = SKTGraphic::graphicsWithPropertiesPasted(list);
    return graphics.isEmpty() ? nullptr : graphics.first();
}

GraphicProperties named(const QString &className)
{
    GraphicProperties p;
    p.setString(QStringLiteral("className"), className);
    return p;
}
} // namespace

TEST(Properties, MissingKeysReadAsTheReadersDefaults)
{
    auto g = GraphicFactory::createWithProperties(named(QStringLiteral("SKTGraphic")));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->bounds(), QRectF());
    EXPECT_TRUE(g->isDrawingFill());
    EXPECT_DOUBLE_EQ(g->opacity(), 0.0);
    EXPECT_FLOAT_EQ(g->lineSpacing(), 1.25f);
    EXPECT_EQ(g->linkOption(), QStringLiteral("_self"));
    EXPECT_EQ(g->linkType(), QStringLiteral("text"));
    EXPECT_EQ(g->backgroundHexColorString(), QStringLiteral("CLEAR0"));
    EXPECT_EQ(g->textHexColorString(), QStringLiteral("000000"));
    EXPECT_EQ(g->borderHexColorString(), QStringLiteral("000000"));
    for (int32_t v : {g->sectionNumber(), g->sectionRowSpot(), g->sectionColumnSpot(), g->groupNumber(),
                      g->galleryNumber(), g->formOptionTag(), g->imageEnlargeFlag()})
        EXPECT_EQ(v, -99);
    EXPECT_EQ(g->topPaddingType(), QStringLiteral("%"));
    EXPECT_EQ(g->rightMarginType(), QStringLiteral("%"));
    EXPECT_EQ(g->leftMarginLevelString(), QStringLiteral("None"));
    EXPECT_EQ(g->bottomPaddingLevelString(), QStringLiteral("None"));
    EXPECT_EQ(g->fontColor(), QColor(Qt::black));
    EXPECT_EQ(g->strokeColor(), QColor(Qt::black));
    EXPECT_TRUE(g->selectable());
}

TEST(Properties, RoundTripKeepsWrittenAttributes)
{
    SKTGraphic g;
    g.setBounds(QRectF(10.5, 20, 300, 40.25));
    g.setCornerRadius(5.75); // written with "%f", read back whole
    g.setFillColor(QColor(255, 0, 0));
    g.setFontColor(QColor(0x12, 0x34, 0x56));
    g.setOpacity(0.5);
    g.setLinkType(QString()); // a null link type is written as "shape"
    g.setRetinaFlag(true);    // written, never read back
    g.setTopPadding(12);
    g.setTopPaddingType(QStringLiteral("pixel"));
    g.setLeftMarginLevelString(QStringLiteral("Large"));
    g.setSectionNumber(3);
    g.setMoveLock(1); // not written by the base: comes back unlocked
    g.setBorderColor(QColor(0, 0, 255));
    g.setLineSpacing(1.5f);

    auto r = rebuild(g);
    ASSERT_TRUE(r);
    EXPECT_EQ(g.linkType(), QStringLiteral("shape"));
    EXPECT_EQ(r->linkType(), QStringLiteral("shape"));
    EXPECT_EQ(r->bounds(), QRectF(10.5, 20, 300, 40.25));
    EXPECT_DOUBLE_EQ(r->cornerRadius(), 5.0);
    EXPECT_EQ(r->fillColor(), QColor(255, 0, 0));
    EXPECT_EQ(r->fontColor(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(r->strokeColor(), QColor(0x12, 0x34, 0x56));
    EXPECT_DOUBLE_EQ(r->opacity(), 0.5);
    EXPECT_FALSE(r->retinaFlag());
    EXPECT_EQ(r->topPadding(), 12);
    EXPECT_EQ(r->topPaddingType(), QStringLiteral("pixel"));
    EXPECT_EQ(r->leftMarginLevelString(), QStringLiteral("Large"));
    EXPECT_EQ(r->sectionNumber(), 3);
    EXPECT_EQ(r->moveLock(), 0);
    EXPECT_EQ(r->borderHexColorString(), QStringLiteral("0000FF"));
    EXPECT_EQ(r->borderColor(), QColor(0, 0, 255));
    EXPECT_FLOAT_EQ(r->lineSpacing(), 1.5f);
}

TEST(Properties, BaseKeysAreWrittenWithTheirEncodings)
{
    // Readers elsewhere (older pages, the kinds, the clipboard) depend on
    // each key's encoding: flags, numbers, "%d" and "%f" strings.
    SKTGraphic g;
    g.setDrawingFill(true);
    g.setStrokeWidth(2.5);
    g.setBorderWidth(3);
    g.setShadowFlag(1);
    g.setScrollFlag(2); // only exactly 1 is written as "1"
    g.setMatchScreenFlag(true);
    g.setGalleryNumber(-99);
    g.setRotationAngle(12.5f);
    const GraphicProperties p = g.properties();
    EXPECT_EQ(p.value(QStringLiteral("drawingFill")).typeId(), QMetaType::Bool);
    EXPECT_EQ(p.value(QStringLiteral("drawingStroke")).typeId(), QMetaType::Bool);
    EXPECT_EQ(p.value(QStringLiteral("strokeWidth")), QVariant(2.5));
    EXPECT_EQ(p.value(QStringLiteral("borderWidth")), QVariant(3.0));
    const QList<QPair<const char *, const char *>> strings{
        {"cornerRadius", "0.000000"}, {"opacity", "1.000000"},  {"shadowFlag", "1"},
        {"scrollFlag", "0"},          {"matchScreenFlag", "1"}, {"galleryNumber", "-99"},
        {"rotationAngle", "12.500000"}, {"lineSpacing", "0.000000"}, {"retinaFlag", "0"},
        {"borderStyle", "none"},      {"linkOption", "_self"},  {"linkType", "text"},
        {"link", ""},                 {"templateName", ""},     {"formType", ""},
        {"borderHexColorString", "000000"}, {"topPaddingType", ""}, {"sectionNumber", "0"}};
    for (const auto &[key, value] : strings) {
        EXPECT_TRUE(p.isString(QLatin1String(key))) << key;
        EXPECT_EQ(p.string(QLatin1String(key)), QLatin1String(value)) << key;
    }
    // Not written by the base: the kinds and the page loader write these.
    for (const char *key : {"className", "backgroundHexColorString", "fontFamily", "moveLock", "groupNumber"})
        EXPECT_FALSE(p.contains(QLatin1String(key))) << key;

    // An image always writes black text; any other graphic its own colour.
    TestImage image;
    image.setFontColor(QColor(Qt::red));
    EXPECT_EQ(image.properties().string(QStringLiteral("fontColor")), QStringLiteral("000000"));
    g.setFontColor(QColor(Qt::red));
    EXPECT_EQ(g.properties().string(QStringLiteral("fontColor")), QStringLiteral("FF0000"));
}

TEST(Properties, ClearFillAndClearFontColourWriteEmptyStrings)
{
    SKTGraphic g;
    g.setFontColor(QColor(Qt::transparent));
    GraphicProperties p = g.properties();
    EXPECT_EQ(p.value(QStringLiteral("fillColor")), QVariant(QString()));
    EXPECT_EQ(p.value(QStringLiteral("fontColor")), QVariant(QString()));
    auto r = rebuild(g);
    EXPECT_EQ(r->fillColor(), QColor(Qt::transparent));
    EXPECT_EQ(r->fontColor(), QColor(Qt::black)); // an empty hex reads as black
}

TEST(Properties, NumbersAreWrittenInTheCLocaleWhateverTheUserLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SKTGraphic g;
    g.setOpacity(0.25);
    g.setBounds(QRectF(1.5, 2.5, 3.5, 4.5));
    const GraphicProperties p = g.properties();
    QLocale::setDefault(saved);
    EXPECT_EQ(p.string(QStringLiteral("opacity")), QStringLiteral("0.250000"));
    EXPECT_EQ(p.string(QStringLiteral("bounds")), QStringLiteral("{{1.5, 2.5}, {3.5, 4.5}}"));
}

TEST(Properties, ValuesOfTheWrongTypeReadAsDefaults)
{
    GraphicProperties p = named(QStringLiteral("SKTGraphic"));
    p.setNumber(QStringLiteral("link"), 5);                          // not a string
    p.setString(QStringLiteral("fillColor"), QStringLiteral("FF0000")); // not a colour
    p.setString(QStringLiteral("drawingStroke"), QStringLiteral("0"));  // only numbers count
    p.setString(QStringLiteral("shadowFlag"), QStringLiteral("7"));     // strings read as numbers
    p.setString(QStringLiteral("formTag"), QStringLiteral("1e300"));    // clamped, not overflowed
    p.setNumber(QStringLiteral("groupNumber"), -1e300);
    p.setString(QStringLiteral("topMargin"), QStringLiteral("12px"));  // leading number
    p.setString(QStringLiteral("bounds"), QStringLiteral("garbage"));
    auto g = GraphicFactory::createWithProperties(p);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->link(), QString());
    EXPECT_EQ(g->fillColor(), QColor(Qt::transparent));
    EXPECT_TRUE(g->isDrawingStroke());
    EXPECT_EQ(g->shadowFlag(), 7);
    EXPECT_EQ(g->formTag(), INT32_MAX);
    EXPECT_EQ(g->groupNumber(), INT32_MIN);
    EXPECT_EQ(g->topMargin(), 12);
    EXPECT_EQ(g->bounds(), QRectF());
}

TEST(Properties, OnlyRegisteredClassesAreBuilt)
{
    QList<GraphicProperties> list;
    GraphicProperties a = named(QStringLiteral("SKTGraphic"));
    a.setRect(QStringLiteral("bounds"), QRectF(1, 1, 1, 1));
    GraphicProperties b = named(QStringLiteral("QProcess"));
    GraphicProperties c = named(QStringLiteral("SKTGraphic"));
    c.setRect(QStringLiteral("bounds"), QRectF(3, 3, 3, 3));
    GraphicProperties d;
    d.setNumber(QStringLiteral("className"), 1);
    list << a << b << c << d;
    const auto graphics = SKTGraphic::graphicsWithPropertiesPasted(list);
    ASSERT_EQ(graphics.size(), 2);
    EXPECT_EQ(graphics[0]->bounds(), QRectF(1, 1, 1, 1));
    EXPECT_EQ(graphics[1]->bounds(), QRectF(3, 3, 3, 3));
    EXPECT_FALSE(GraphicFactory::isKnownClass(QStringLiteral("QProcess")));
}

TEST(Properties, BaseTemplateObjectsAreSelectableOnlyOnTheBaseTemplatePage)
{
    GraphicProperties p = named(QStringLiteral("SKTGraphic"));
    p.setString(QStringLiteral("templateName"), QStringLiteral("basetemplate"));
    {
        FakeGraphicEnvironment env;
        env.pageName = QStringLiteral("index");
        EXPECT_FALSE(GraphicFactory::createWithProperties(p)->selectable());
        env.pageName = QStringLiteral("basetemplate");
        EXPECT_TRUE(GraphicFactory::createWithProperties(p)->selectable());
    }
    EXPECT_TRUE(GraphicFactory::createWithProperties(p)->selectable()); // no window
}

TEST(Properties, ClipboardDataRoundTripsThroughCbor)
{
    SKTGraphic g;
    g.setBounds(QRectF(5, 6, 7, 8));
    g.setFillColor(QColor(10, 20, 30, 40));
    g.setFontFamily(QStringLiteral("Some Missing Family"));
    SKTGraphic h;
    h.setBounds(QRectF(1, 2, 3, 4));
    const QByteArray data = SKTGraphic::pasteboardDataWithGraphics({&g, &h});
    QString error;
    const auto pasted = SKTGraphic::graphicsWithPasteboardData(data, &error);
    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_EQ(pasted[0]->bounds(), QRectF(5, 6, 7, 8));
    EXPECT_EQ(pasted[0]->fillColor(), QColor(10, 20, 30, 40)); // alpha kept
    EXPECT_EQ(pasted[1]->bounds(), QRectF(1, 2, 3, 4));

    // Colours travel as tagged hex strings with alpha.
    const QCborArray array = QCborValue::fromCbor(data).toArray();
    const QCborValue fill = array.at(0).toMap().value(QStringLiteral("fillColor"));
    ASSERT_TRUE(fill.isTag());
    EXPECT_EQ(fill.taggedValue().toString(), QStringLiteral("0A141E28"));
}

TEST(Properties, UnreadableClipboardDataGivesAnErrorAndNothing)
{
    for (const QByteArray &data : {QByteArray("not cbor at all"), QCborValue(QStringLiteral("x")).toCbor(), QByteArray()}) {
        QString error;
        EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(data, &error).isEmpty());
        EXPECT_FALSE(error.isEmpty());
    }
    // An array of foreign things builds nothing, without an error.
    QCborArray foreign{QCborValue(1), QCborMap{{QStringLiteral("className"), QStringLiteral("Evil")}}};
    QString error;
    EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(QCborValue(foreign).toCbor(), &error).isEmpty());
    EXPECT_TRUE(error.isEmpty());
}

TEST(Properties, ImagesTravelAsPng)
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(QColor(1, 2, 3, 200));
    GraphicProperties p;
    p.setImage(QStringLiteral("contents"), image);
    const QCborValue cbor = p.toCbor();
    const QCborValue tagged = cbor.toMap().value(QStringLiteral("contents"));
    ASSERT_TRUE(tagged.isTag());
    EXPECT_TRUE(tagged.taggedValue().toByteArray().startsWith("\x89PNG"));
    const QImage back = GraphicProperties::fromCbor(cbor.toMap()).image(QStringLiteral("contents"));
    ASSERT_EQ(back.size(), QSize(4, 3));
    EXPECT_EQ(back.pixelColor(2, 1), QColor(1, 2, 3, 200));
}

TEST(Properties, EveryRegisteredKindSurvivesTheClipboardUnchangedAfterOneRoundTrip)
{
    // The first trip applies the reader's defaults; after that a copy of a
    // copy must equal the copy, for every kind.
    for (const QString &name : GraphicFactory::classNames()) {
        auto g = GraphicFactory::createWithProperties(named(name));
        ASSERT_TRUE(g) << name.toStdString();
        g->setBounds(QRectF(10, 20, 120, 80));
        auto once = SKTGraphic::graphicsWithPasteboardData(SKTGraphic::pasteboardDataWithGraphics({g.get()}));
        ASSERT_EQ(once.size(), 1) << name.toStdString();
        EXPECT_EQ(once[0]->className(), name);
        auto twice = SKTGraphic::graphicsWithPasteboardData(SKTGraphic::pasteboardDataWithGraphics({once[0].get()}));
        ASSERT_EQ(twice.size(), 1) << name.toStdString();
        const GraphicProperties a = once[0]->properties();
        const GraphicProperties b = twice[0]->properties();
        for (const QString &key : a.keys())
            EXPECT_EQ(a.value(key), b.value(key)) << name.toStdString() << " " << key.toStdString();
        EXPECT_EQ(a.keys(), b.keys()) << name.toStdString();
    }
}

TEST(Properties, ForeignValuesInEveryKeyOfEveryKindAreSurvived)
{
    GraphicProperties junkChild;
    junkChild.setString(QStringLiteral("carrierClass"), QStringLiteral("myTextView"));
    junkChild.setNumber(QStringLiteral("textView"), 1e300);
    junkChild.setString(QStringLiteral("rowSpot"), QStringLiteral("-1e40"));
    const QList<QVariant> junk{QVariant(QStringLiteral("x")), QVariant(1e300), QVariant(-1e300), QVariant(true),
                               QVariant::fromValue(QColor(1, 2, 3)), QVariant(QVariantList{junkChild.map(), 5}),
                               QVariant(junkChild.map()), QVariant(QStringLiteral("{{nan, inf}, {-1e999, 1e999}}"))};
    for (const QString &name : GraphicFactory::classNames()) {
        auto g = GraphicFactory::createWithProperties(named(name));
        const GraphicProperties written = g->properties();
        for (qsizetype shift = 0; shift < junk.size(); ++shift) {
            GraphicProperties p = named(name);
            qsizetype i = shift;
            for (const QString &key : written.keys())
                p.set(key, junk[i++ % junk.size()]);
            for (const char *key : {"cellArray", "imageArray", "tableBackgroundArray", "numOfRows", "numOfColumns"})
                p.set(QLatin1String(key), junk[i++ % junk.size()]);
            auto rebuilt = SKTGraphic::graphicsWithPasteboardData(SKTGraphic::pasteboardDataWithGraphics(
                {GraphicFactory::createWithProperties(p).get()}));
            EXPECT_EQ(rebuilt.size(), 1) << name.toStdString();
        }
    }
}

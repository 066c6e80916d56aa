// Numbers and text that enter graphics from outside (a damaged or hand-made
// clipboard payload, a page being loaded) are cut back to what a page holds,
// and the geometry built from them never overflows.
#include "DrawingProbe.h"

#include "config/EditionSettings.h"
#include "model/GalleryGridView.h"
#include "model/Geometry.h"
#include "model/GraphicLimits.h"
#include "model/SKTGraphic.h"
#include "model/OuterSlideShow.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/SKTText.h"
#include "model/ShadowBlur.h"
#include "model/TableGeometry.h"
#include "model/myTextView.h"

#include <QCborArray>
#include <QCborMap>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <string_view>

namespace {
using namespace std::string_view_literals;

// A UTF-16 literal that may hold NUL characters.
QString text16(std::u16string_view s)
{
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

// The seed payloads of the clipboard fuzzer, one per kind, written by our
// own copy code (tests/fuzz/PasteSeeds.cpp).
QDir seedFolder()
{
    return QDir(QDir::cleanPath(QStringLiteral(ZOV_TEST_FIXTURES "/../fuzz/corpus/fuzz_paste")));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray payloadOf(const QList<GraphicProperties> &list)
{
    QCborArray array;
    for (const GraphicProperties &p : list)
        array.append(p.toCbor());
    return QCborValue(array).toCbor();
}

// The raw number a stored value holds, as the map has it (no clamping).
std::optional<double> rawNumber(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().toDouble(&ok);
        return ok ? std::optional<double>(d) : std::nullopt;
    }
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
        return v.toDouble();
    return std::nullopt;
}

// What a composite works out for its members each time it draws (where a
// picture, slide or cell sits and how high its text runs): sums of in-range
// values, so after drawing only finite; they are laid out again after a paste.
bool isLayoutOfMember(const QString &key)
{
    static const QStringList keys{QStringLiteral("frame"), QStringLiteral("galleryDimension"),
                                  QStringLiteral("originX"), QStringLiteral("originY"),
                                  QStringLiteral("slideWidth"), QStringLiteral("textHeight")};
    return keys.contains(key) || key.endsWith(QLatin1String("InPx"));
}

// Every number of a key with a range lies in it, every rectangle and point
// on the canvas, in nested cells, pictures and slides too.
void expectInRange(const QVariantMap &map, const std::string &where, bool drawn, bool member = false)
{
    static const QRegularExpression number(QStringLiteral("[-+0-9.eEinfa]+"));
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QString &key = it.key();
        const QVariant &v = it.value();
        const std::string at = where + "/" + key.toStdString();
        const bool layout = drawn && member && isLayoutOfMember(key);
        const double limit = layout ? std::numeric_limits<double>::max() : GraphicLimits::kMaxCoordinate;
        if (v.typeId() == QMetaType::QVariantMap) {
            expectInRange(v.toMap(), at, drawn, member);
        } else if (v.typeId() == QMetaType::QVariantList) {
            for (const QVariant &e : v.toList())
                expectInRange(e.toMap(), at, drawn, true);
        } else if (key == QLatin1String("bounds") || key == QLatin1String("frame")
                   || key == QLatin1String("galleryDimension") || key == QLatin1String("beginPoint")
                   || key == QLatin1String("endPoint")) {
            auto m = number.globalMatch(v.toString());
            while (m.hasNext()) {
                const double d = m.next().captured(0).toDouble();
                EXPECT_TRUE(std::isfinite(d) && std::fabs(d) <= limit) << at << " " << d;
            }
        } else if (const auto d = rawNumber(v)) {
            const auto range = GraphicLimits::rangeOf(key);
            if (range && !layout) {
                EXPECT_TRUE(*d >= range->low && *d <= range->high) << at << " " << *d;
            } else {
                EXPECT_TRUE(std::isfinite(*d)) << at;
            }
        }
    }
}

// Keys of a map that hold numbers (as numbers or as numeric strings).
QStringList numericKeys(const GraphicProperties &p)
{
    QStringList keys;
    for (const QString &key : p.keys())
        if ((rawNumber(p.value(key)) || p.isNumber(key)) && !key.contains(QLatin1String("Color"), Qt::CaseInsensitive))
            keys.append(key); // hex colours such as "000000" only look like numbers
    return keys;
}

struct Hostile {
    const char *label;
    double value;
};
const Hostile kHostile[] = {{"-inf", -std::numeric_limits<double>::infinity()},
                            {"-2^31", -2147483648.0},
                            {"-1", -1.0},
                            {"0", 0.0},
                            {"2^31", 2147483648.0},
                            {"1e38", 1e38},
                            {"nan", std::numeric_limits<double>::quiet_NaN()}};

struct EditionFlags {
    bool images = gTableImagesEnabled;
    ~EditionFlags() { gTableImagesEnabled = images; }
};

// Pastes one dictionary; the graphic must exist, hold only in-range numbers,
// come back with the same properties from a copy of itself, and draw.
void pasteAndCheck(const GraphicProperties &map, const std::string &where)
{
    const auto pasted = SKTGraphic::graphicsWithPasteboardData(payloadOf({map}));
    ASSERT_EQ(pasted.size(), 1) << where;
    SKTGraphic &graphic = *pasted.first();
    const GraphicProperties first = graphic.properties();
    expectInRange(first.map(), where, false);
    const auto again = SKTGraphic::graphicsWithPasteboardData(SKTGraphic::pasteboardDataWithGraphics({&graphic}));
    ASSERT_EQ(again.size(), 1) << where;
    EXPECT_EQ(again.first()->properties(), first) << where;
    // Drawing lays the members out again (a table spreads its bounds over
    // its cells), so it comes after the comparison.
    (void)GraphicRenderer::renderImage({&graphic}, QSize(80, 80), Qt::white, 0.25);
    expectInRange(graphic.properties().map(), where + " drawn", true);
}
} // namespace

TEST(HostileInput, SeedsOfEveryKindPasteWithTheirMembers)
{
    const QStringList files = seedFolder().entryList(QDir::Files);
    ASSERT_GE(files.size(), 6) << seedFolder().absolutePath().toStdString();
    qsizetype members = 0;
    for (const QString &file : files) {
        const auto graphics = SKTGraphic::graphicsWithPasteboardData(readFile(seedFolder().filePath(file)));
        EXPECT_FALSE(graphics.isEmpty()) << file.toStdString();
        for (const auto &g : graphics) {
            const GraphicProperties p = g->properties();
            members += p.list(QStringLiteral("cellArray")).size() + p.list(QStringLiteral("imageArray")).size();
        }
    }
    EXPECT_GT(members, 10); // tables, galleries and slideshows come with cells, pictures and slides
}

TEST(HostileInput, EveryNumberPastedIntoEveryKindIsClampedDrawsAndPastesBackEqual)
{
    EditionFlags flags;
    gTableImagesEnabled = true;
    for (const QString &file : seedFolder().entryList(QDir::Files)) {
        if (file == QLatin1String("all"))
            continue;
        const auto graphics = SKTGraphic::graphicsWithPasteboardData(readFile(seedFolder().filePath(file)));
        ASSERT_EQ(graphics.size(), 1) << file.toStdString();
        GraphicProperties seed = graphics.first()->properties();
        seed.setString(QStringLiteral("className"), graphics.first()->className());
        for (const QString &key : numericKeys(seed) + QStringList{QStringLiteral("bounds")}) {
            for (const Hostile &h : kHostile) {
                GraphicProperties p = seed;
                if (key == QLatin1String("bounds"))
                    p.setString(key, QStringLiteral("{{%1, %1}, {%1, %1}}").arg(h.value));
                else
                    p.setNumber(key, h.value);
                pasteAndCheck(p, file.toStdString() + "/" + key.toStdString() + "=" + h.label);
            }
        }
        // The first cell, picture or slide of a composite: the keys that size and place it.
        for (const char *listKey : {"cellArray", "imageArray", "tableBackgroundArray"}) {
            const QList<GraphicProperties> members = seed.list(QLatin1String(listKey));
            if (members.isEmpty())
                continue;
            for (const QString &key : members.first().keys()) {
                if (!GraphicLimits::rangeOf(key) && key != QLatin1String("frame"))
                    continue;
                for (const Hostile &h : kHostile) {
                    QList<GraphicProperties> changed = members;
                    if (key == QLatin1String("frame"))
                        changed.first().setString(key, QStringLiteral("{{%1, 0}, {%1, %1}}").arg(h.value));
                    else
                        changed.first().setNumber(key, h.value);
                    GraphicProperties p = seed;
                    p.setList(QLatin1String(listKey), changed);
                    pasteAndCheck(p, file.toStdString() + "/" + listKey + "/" + key.toStdString() + "=" + h.label);
                }
            }
        }
    }
}

TEST(HostileInput, LoadedCarriersAreClampedByTheSameTable)
{
    // A page file names numbers far beyond any canvas; loading keeps them in range.
    constexpr double kHuge = 2.1e9;
    auto text = std::make_shared<myTextView>(QRectF(kHuge, -kHuge, 5e38, 20));
    text->tableNumber = -99;
    text->cornerRadius = 1e38f;
    text->alphaValue = std::numeric_limits<float>::quiet_NaN();
    text->shadowRadius = std::numeric_limits<float>::max();
    text->textView.string = text16(u"x\u0000y"sv);
    auto table = std::make_shared<TableGridView>(QRectF(kHuge, 0, 100, 100));
    table->tableNumber = 1;
    table->numOfRows = std::numeric_limits<int32_t>::max();
    table->numOfColumns = 3;
    table->padding = std::numeric_limits<int32_t>::max();
    auto cell = std::make_shared<myTextView>();
    cell->tableNumber = 1;
    cell->width = std::numeric_limits<int32_t>::max();
    cell->height = std::numeric_limits<int32_t>::min();
    auto image = std::make_shared<TransformView>(QRectF(0, 0, 50, 50));
    image->slideShowNumber = image->tableNumber = image->galleryNumber = -99;
    image->reflection = 1e38f;
    image->alpha = -3;
    auto slideshow = std::make_shared<OuterSlideShow>(QRectF(-kHuge, 0, kHuge, 10));
    slideshow->slideShowNumber = 4;
    const auto graphics = SKTGraphic::graphicsWithProperties({text, table, cell, image, slideshow}, QStringLiteral("p"));
    ASSERT_EQ(graphics.size(), 4);
    QList<SKTGraphic *> drawn;
    for (const auto &g : graphics) {
        expectInRange(g->properties().map(), g->className().toStdString(), false);
        drawn.append(g.get());
    }
    EXPECT_EQ(graphics[0]->bounds(), QRectF(100000, -100000, 100000, 20));
    EXPECT_DOUBLE_EQ(graphics[0]->cornerRadius(), GraphicLimits::kMaxLength);
    EXPECT_EQ(graphics[0]->textString(), QStringLiteral("xy"));
    auto *loadedTable = static_cast<SKTTable *>(graphics[1].get());
    EXPECT_EQ(loadedTable->numOfRows(), GraphicLimits::kMaxGridCount);
    EXPECT_EQ(loadedTable->padding(), GraphicLimits::kMaxLength);
    ASSERT_EQ(loadedTable->cellHelperArray().size(), 1);
    EXPECT_EQ(loadedTable->cellHelperArray().first()->width, GraphicLimits::kMaxCoordinate);
    EXPECT_EQ(loadedTable->cellHelperArray().first()->height, 0);
    EXPECT_DOUBLE_EQ(graphics[2]->reflection(), 1.0);
    EXPECT_DOUBLE_EQ(graphics[2]->opacity(), 0.0);
    (void)GraphicRenderer::renderImage(drawn, QSize(100, 100), Qt::white, 0.5);
}

TEST(HostileInput, PayloadsTheFuzzerFoundPasteClampedAndDraw)
{
    // Each once took the clipboard into undefined behaviour (its name says where).
    const QDir found(QStringLiteral(ZOV_TEST_FIXTURES "/model"));
    const QStringList files = found.entryList({QStringLiteral("paste-*")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &file : files) {
        const auto graphics = SKTGraphic::graphicsWithPasteboardData(readFile(found.filePath(file)));
        EXPECT_FALSE(graphics.isEmpty()) << file.toStdString();
        // The payload as it came pastes back equal once copied.
        QList<SKTGraphic *> pointers;
        for (const auto &g : graphics)
            pointers.append(g.get());
        const auto again = SKTGraphic::graphicsWithPasteboardData(SKTGraphic::pasteboardDataWithGraphics(pointers));
        ASSERT_EQ(again.size(), graphics.size()) << file.toStdString();
        for (qsizetype i = 0; i < graphics.size(); ++i)
            EXPECT_EQ(again[i]->properties(), graphics[i]->properties()) << file.toStdString();
        for (const auto &g : graphics) {
            GraphicProperties p = g->properties();
            p.setString(QStringLiteral("className"), g->className());
            pasteAndCheck(p, file.toStdString() + "/" + g->className().toStdString());
        }
    }
}

TEST(HostileInput, MalformedPayloadsPasteNothingWithoutHugeAllocations)
{
    // Deep nesting, a list that claims more members than any memory holds,
    // and a map nested inside a graphic far below what any kind reads.
    QByteArray deep(200000, '\x81');
    deep.append('\x01');
    const QByteArray claimsHuge = QByteArray::fromHex("9b7fffffffffffffff01");
    for (const QByteArray &data : {deep, claimsHuge}) {
        QString error;
        EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(data, &error).isEmpty());
    }
    QCborValue nested(QCborMap{{QStringLiteral("carrierClass"), QStringLiteral("myTextView")}});
    for (int i = 0; i < 500; ++i)
        nested = QCborMap{{QStringLiteral("textView"), nested}};
    QCborMap table{{QStringLiteral("className"), QStringLiteral("SKTTable")},
                   {QStringLiteral("cellArray"), QCborArray{nested, nested}}};
    const auto pasted = SKTGraphic::graphicsWithPasteboardData(QCborValue(QCborArray{table}).toCbor());
    ASSERT_EQ(pasted.size(), 1);
    (void)GraphicRenderer::renderImage({pasted.first().get()}, QSize(40, 40));
}

TEST(HostileInput, NonFiniteNumbersFallBackToTheKeysDefault)
{
    GraphicProperties p;
    p.setString(QStringLiteral("className"), QStringLiteral("SKTGraphic"));
    p.setNumber(QStringLiteral("lineSpacing"), std::numeric_limits<double>::quiet_NaN());
    p.setString(QStringLiteral("groupNumber"), QStringLiteral("inf"));
    p.setString(QStringLiteral("opacity"), QStringLiteral("7"));
    p.setString(QStringLiteral("borderWidth"), QStringLiteral("-40"));
    p.setString(QStringLiteral("bounds"), QStringLiteral("{{2100000000, -1e300}, {5e38, 12}}"));
    const auto pasted = SKTGraphic::graphicsWithPasteboardData(payloadOf({p}));
    ASSERT_EQ(pasted.size(), 1);
    EXPECT_FLOAT_EQ(pasted[0]->lineSpacing(), 1.25f); // the reader's default
    EXPECT_EQ(pasted[0]->groupNumber(), -99);
    EXPECT_DOUBLE_EQ(pasted[0]->opacity(), 1.0);
    EXPECT_EQ(pasted[0]->borderWidth(), 0);
    EXPECT_EQ(pasted[0]->bounds(), QRectF(100000, -100000, 100000, 12));

    // The inspector cuts typed values back by the same table.
    EXPECT_DOUBLE_EQ(GraphicLimits::clamp(QStringLiteral("numOfColumns"), 5000, 1), 1000.0);
    EXPECT_DOUBLE_EQ(GraphicLimits::clamp(QStringLiteral("reflection"), -0.5, 0), 0.0);
    EXPECT_DOUBLE_EQ(GraphicLimits::clamp(QStringLiteral("shadowRadius"), std::nan(""), 3), 3.0);
    EXPECT_DOUBLE_EQ(GraphicLimits::clamp(QStringLiteral("formTag"), -7, 0), -7.0); // identifiers keep their sign
}

TEST(HostileInput, ControlCharactersNeverEnterATextOrACell)
{
    // Pasted text, cell text from a load, typed text and cell edits alike.
    GraphicProperties p;
    p.setString(QStringLiteral("className"), QStringLiteral("SKTText"));
    p.setString(QStringLiteral("textString"), text16(u"a\u0000b\u0007c\td\ne\rf\u007Fg\u0085h"sv));
    p.setString(QStringLiteral("link"), text16(u"http://x\u0001y"sv));
    const auto pasted = SKTGraphic::graphicsWithPasteboardData(payloadOf({p}));
    ASSERT_EQ(pasted.size(), 1);
    EXPECT_EQ(pasted[0]->textString(), QStringLiteral("abc\td\ne\rfgh"));
    EXPECT_EQ(pasted[0]->link(), QStringLiteral("http://xy"));

    SKTText typed;
    typed.setTextString(text16(u"x\u0000\u001By"sv));
    EXPECT_EQ(typed.textString(), QStringLiteral("xy"));

    auto cell = std::make_shared<myTextView>();
    cell->textView.string = text16(u"c\u0002d"sv);
    cell->rowSpot = cell->columnSpot = 0;
    GraphicProperties table;
    table.setString(QStringLiteral("className"), QStringLiteral("SKTTable"));
    table.setList(QStringLiteral("cellArray"), {cell->toProperties()});
    const auto tables = SKTGraphic::graphicsWithPasteboardData(payloadOf({table}));
    ASSERT_EQ(tables.size(), 1);
    auto *pastedTable = static_cast<SKTTable *>(tables[0].get());
    ASSERT_EQ(pastedTable->cellHelperArray().size(), 1);
    EXPECT_EQ(SKTTable::cellText(*pastedTable->cellHelperArray().first()), QStringLiteral("cd"));
    pastedTable->setCellText(pastedTable->cellHelperArray().first(), text16(u"e\u0003f"sv));
    EXPECT_EQ(SKTTable::cellText(*pastedTable->cellHelperArray().first()), QStringLiteral("ef"));
}

TEST(HostileInput, GridArithmeticSaturatesInsteadOfWrappingRound)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    // Starts stay in order and stop at the int32 limit.
    const QList<int32_t> huge{kMax, kMax, 10};
    const QList<int32_t> starts = TableGeometry::starts(huge, 2100000000, kMax, kMax);
    EXPECT_EQ(starts, (QList<int32_t>{kMax, kMax, kMax}));
    EXPECT_EQ(TableGeometry::spanAt(starts, huge, kMax - 1), TableGeometry::kNoSpot);
    EXPECT_EQ(TableGeometry::spanAt({kMax - 5}, {kMax}, kMax - 1), 0);
    EXPECT_EQ(TableGeometry::totalSize(huge, kMax, kMax, 1e300), kMax);
    EXPECT_EQ(TableGeometry::spreadStep(kMin, kMax, 1), kMin);
    EXPECT_EQ(TableGeometry::spreadStep(kMax, kMin, 2), kMax);
    EXPECT_EQ(TableGeometry::applySpreadStep(kMax, kMax), kMax);
    EXPECT_EQ(TableGeometry::applySpreadStep(kMax, kMin), 0);
    EXPECT_EQ(TableGeometry::cellsToEnd(kMin, kMin, kMax, kMax), kMax);

    EXPECT_EQ(ShadowBlur::reach(5e38), Geometry::clampToInt(std::ceil(ShadowBlur::kMaxRadius * 1.5)) + 1);
    EXPECT_EQ(ShadowBlur::reach(std::numeric_limits<double>::infinity()), ShadowBlur::reach(5e38));
    EXPECT_EQ(ShadowBlur::reach(std::nan("")), 0);
    QImage channel(8, 8, QImage::Format_Alpha8);
    channel.fill(255);
    ShadowBlur::blur(channel, 5e38); // every pixel a haze, nothing undefined
    EXPECT_LT(qAlpha(channel.pixel(0, 0)), 255);

    // A table placed past the int32 range by code (not by a paste) still lays out.
    SKTTable table;
    auto cell = std::make_shared<myTextView>();
    cell->width = cell->height = 50;
    table.setCellHelperArray({cell});
    table.setNumOfRows(1);
    table.setNumOfColumns(1);
    table.SKTGraphic::setBounds(QRectF(3e9, 5e9, 60, 60));
    EXPECT_EQ(table.grabSelectedCellRect(0, 0).x(), kMax);
    EXPECT_EQ(table.spotAt(0, 0), QPoint(-99, -99));
    table.setBounds(QRectF(0, 0, 1e12, 1e12));
    EXPECT_EQ(cell->width, kMax);
}

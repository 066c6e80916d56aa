#include "config/EditionSettings.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/SKTGraphic.h"
#include "model/TableGridView.h"
#include "model/ImageCounterHelp.h"
#include "model/ImageCounterHelpTransformView.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QCborMap>
#include <gtest/gtest.h>

namespace {
using Carriers = QList<std::shared_ptr<ElementCarrier>>;

class CarrierFixture : public ::testing::Test {
protected:
    void SetUp() override { EditionSettings::resetToInitialState(); }
    void TearDown() override { EditionSettings::resetToInitialState(); }
};

std::shared_ptr<myTextView> text(int32_t tableNumber, const QString &string = QStringLiteral("Hello"))
{
    auto t = std::make_shared<myTextView>();
    t->frame = QRectF(10, 20, 200, 40);
    t->tableNumber = tableNumber;
    t->textView.string = string;
    t->textView.fontName = QStringLiteral("Helvetica");
    t->textView.fontPointSize = 14;
    return t;
}

std::shared_ptr<TransformView> image(const QString &name, int32_t slideShow = -99, int32_t table = -99,
                                     int32_t gallery = -99)
{
    auto t = std::make_shared<TransformView>();
    t->frame = QRectF(0, 0, 100, 50);
    t->imageName = name;
    t->slideShowNumber = slideShow;
    t->tableNumber = table;
    t->galleryNumber = gallery;
    return t;
}

QStringList classNames(const QList<GraphicProperties> &list)
{
    QStringList names;
    for (const GraphicProperties &p : list)
        names << p.string(QStringLiteral("className"));
    return names;
}

QStringList memberNames(const GraphicProperties &p, const QString &key, const QString &field)
{
    QStringList names;
    for (const GraphicProperties &m : p.list(key))
        names << m.value(field).toString();
    return names;
}
} // namespace

TEST(Carriers, NewCarriersStartEmpty)
{
    myTextView t;
    EXPECT_TRUE(t.colorString.isEmpty());
    EXPECT_FALSE(t.colorString.isNull());
    EXPECT_FALSE(t.textColorString.isNull());
    EXPECT_TRUE(t.link.isNull());
    EXPECT_EQ(t.tableNumber, 0);
    TransformView i;
    EXPECT_TRUE(i.image.isNull());
    EXPECT_TRUE(i.imageName.isNull());
    EXPECT_EQ(i.galleryNumber, 0);
    // Made with a frame, as the page reader and the inserting code make them.
    const myTextView framed(QRectF(5, 6, 70, 80));
    EXPECT_EQ(framed.frame, QRectF(5, 6, 70, 80));
    EXPECT_FALSE(framed.colorString.isNull());
    EXPECT_EQ(framed.alphaValue, 1.0f);
    OuterSlideShow s(QRectF(0, 0, 400, 300));
    EXPECT_EQ(s.arrowWidth, 40);
    EXPECT_EQ(s.nextButtonFrame(), QRectF(360, 150, 40, 50));
    EXPECT_EQ(s.previousButtonFrame(), QRectF(0, 150, 40, 50));
}

TEST(Carriers, RoundTripThroughPropertiesKeepsEveryField)
{
    auto t = text(3);
    t->link = QStringLiteral("http://example.org");
    t->textAlignment = QStringLiteral("justify");
    t->borderColor = QColor(1, 2, 3);
    t->lineSpacing = 1.5f;
    t->selected = true;
    const auto back = std::dynamic_pointer_cast<myTextView>(ElementCarrier::fromProperties(t->toProperties()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->toProperties(), t->toProperties());
    EXPECT_EQ(back->textView, t->textView);
    EXPECT_TRUE(back->linkType.isNull()); // null stays null

    auto i = image(QStringLiteral("image4"));
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    i->image = red;
    i->imageLastModDate = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    i->galleryDimension = QRectF(1, 2, 3, 4);
    GraphicProperties p = i->toProperties();
    const auto copy = std::dynamic_pointer_cast<TransformView>(
        ElementCarrier::fromProperties(GraphicProperties::fromCbor(p.toCbor().toMap())));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->image.image().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(copy->imageLastModDate, i->imageLastModDate);
    EXPECT_EQ(copy->galleryDimension, QRectF(1, 2, 3, 4));
    EXPECT_EQ(copy->slideShowNumber, -99);

    // Grid carriers keep the image list the reader may attach to them.
    auto grid = std::make_shared<TableGridView>();
    EXPECT_TRUE(grid->imageArray.isEmpty());
    grid->imageArray << image(QStringLiteral("image8")) << image(QStringLiteral("image9"));
    const auto gridBack = std::dynamic_pointer_cast<TableGridView>(
        ElementCarrier::fromProperties(GraphicProperties::fromCbor(grid->toProperties().toCbor().toMap())));
    ASSERT_TRUE(gridBack);
    ASSERT_EQ(gridBack->imageArray.size(), 2);
    EXPECT_EQ(gridBack->imageArray[1]->imageName, QStringLiteral("image9"));
    GalleryGridView gallery;
    EXPECT_TRUE(gallery.imageArray.isEmpty());

    GraphicProperties foreign;
    foreign.setString(QStringLiteral("carrierClass"), QStringLiteral("NSView"));
    EXPECT_FALSE(ElementCarrier::fromProperties(foreign));
}

TEST(Carriers, ImagesSortByTheNumberInTheirNames)
{
    QList<std::shared_ptr<TransformView>> images{image("image3"), image("image12"), image("image7"), image("imagex")};
    QStringList order;
    for (const auto &i : TransformView::sortedByImageNameIndex(images))
        order << i->imageName;
    EXPECT_EQ(order, (QStringList{"imagex", "image3", "image7", "image12"}));
    EXPECT_EQ(ImageCounterHelp::indexOfImageName(QStringLiteral("image99999999999")), INT32_MAX);
    EXPECT_EQ(ImageCounterHelp::indexOfImageName(QStringLiteral("img")), 0);
}

TEST_F(CarrierFixture, EmptyListGivesNothing)
{
    EXPECT_TRUE(SKTGraphic::convertArrayToProperties({}, QStringLiteral("t")).isEmpty());
}

TEST_F(CarrierFixture, TextCarrierBecomesTextDictionaryWithDefaultsWrittenBack)
{
    auto t = text(-99);
    t->textAlignment = QStringLiteral("justify");
    t->backgroundHexColorString = QStringLiteral("(null)");
    t->topPaddingLevelString = QString(QLatin1String(""));
    t->familyName = QStringLiteral("Some Font That Does Not Exist");
    t->alphaValue = 0.5f;
    t->shadowFlag = true;
    const auto list = SKTGraphic::convertArrayToProperties({t}, QStringLiteral("index"));
    ASSERT_EQ(list.size(), 1);
    const GraphicProperties &p = list[0];
    EXPECT_EQ(p.string(QStringLiteral("className")), QStringLiteral("SKTText"));
    EXPECT_EQ(p.string(QStringLiteral("fontAlignment")), QStringLiteral("3")); // justified stays justified
    EXPECT_EQ(p.string(QStringLiteral("backgroundHexColorString")), QStringLiteral("CLEAR0"));
    EXPECT_EQ(p.colour(QStringLiteral("fillColor")).value(), QColor(Qt::transparent));
    EXPECT_EQ(p.string(QStringLiteral("fontFamily")), QStringLiteral("Some Font That Does Not Exist"));
    EXPECT_EQ(p.string(QStringLiteral("fontSize")), QStringLiteral("14.000000"));
    EXPECT_EQ(p.string(QStringLiteral("opacity")), QStringLiteral("0.500000"));
    EXPECT_EQ(p.string(QStringLiteral("shadowFlag")), QStringLiteral("1"));
    EXPECT_EQ(p.string(QStringLiteral("topPaddingLevelString")), QStringLiteral("None"));
    EXPECT_EQ(p.string(QStringLiteral("topPaddingType")), QStringLiteral("pixel"));
    EXPECT_EQ(p.string(QStringLiteral("textString")), QStringLiteral("Hello"));
    EXPECT_EQ(p.string(QStringLiteral("templateName")), QStringLiteral("index"));
    EXPECT_EQ(p.string(QStringLiteral("borderHexColorString")), QStringLiteral("000000"));
    // Written back into the carrier.
    EXPECT_EQ(t->backgroundHexColorString, QStringLiteral("CLEAR0"));
    EXPECT_EQ(t->link, QString(QLatin1String("")));
    EXPECT_EQ(t->linkOption, QStringLiteral("_self"));
    EXPECT_EQ(t->linkType, QStringLiteral("text"));
    EXPECT_EQ(t->topPaddingLevelString, QStringLiteral("None"));

    t->familyName = QString();
    const auto again = SKTGraphic::convertArrayToProperties({t}, QStringLiteral("index"));
    EXPECT_EQ(again[0].string(QStringLiteral("fontFamily")), QStringLiteral("Helvetica"));
}

TEST_F(CarrierFixture, TableGathersItsCellsAndFormFieldsStayOnThePage)
{
    auto before = text(5, QStringLiteral("before"));
    auto table = std::make_shared<TableGridView>();
    table->tableNumber = 5;
    table->frame = QRectF(0, 0, 300, 200);
    table->numOfRows = 2;
    auto formAfter = text(5, QStringLiteral("form"));
    formAfter->formType = QStringLiteral("text");
    auto formBefore = text(5, QStringLiteral("early form"));
    formBefore->formType = QStringLiteral("text");
    auto cell = text(5, QStringLiteral("cell"));
    auto other = text(6, QStringLiteral("other table"));
    const auto list = SKTGraphic::convertArrayToProperties({formBefore, before, table, formAfter, cell, other},
                                                           QStringLiteral("t"));
    EXPECT_EQ(classNames(list), (QStringList{"SKTText", "SKTTable", "SKTText"}));
    const GraphicProperties &t = list[1];
    // The early form field was reset before the table looked; the later one
    // still named the table then, so it is a cell too.
    EXPECT_EQ(memberNames(t, QStringLiteral("cellArray"), QStringLiteral("textStorage")),
              (QStringList{"before", "form", "cell"}));
    EXPECT_TRUE(t.contains(QStringLiteral("imageArray")));
    EXPECT_FALSE(t.contains(QStringLiteral("tableBackgroundArray")));
    EXPECT_EQ(t.string(QStringLiteral("fontFamily")), QStringLiteral("Anton"));
    EXPECT_EQ(t.string(QStringLiteral("leftMarginLevelString")), QStringLiteral("None"));
    EXPECT_EQ(list[0].string(QStringLiteral("textString")), QStringLiteral("early form"));
    EXPECT_EQ(list[2].string(QStringLiteral("textString")), QStringLiteral("form"));
}

// An old record table names each cell's spot itself and may leave spots of
// its grid empty (here only the second row's first cell, and one beyond the
// grid). The empty spots get empty cells in the style of the first, sized as
// their column and row, so that the table's layout settles at the stored
// sizes and stays there, however often it is laid out again.
TEST_F(CarrierFixture, ATableWithEmptySpotsGetsCellsThereAndKeepsItsSizes)
{
    auto table = std::make_shared<TableGridView>();
    table->tableNumber = 0;
    table->frame = QRectF(10, 10, 400, 100);
    table->numOfRows = 2;
    table->numOfColumns = 2;
    auto outside = text(0, QStringLiteral("Name"));
    outside->rowSpot = 5;
    outside->columnSpot = 2;
    outside->width = 200;
    outside->height = 50;
    outside->familyName = QStringLiteral("Arial");
    auto cell = text(0, QStringLiteral("Rex"));
    cell->rowSpot = 1;
    cell->columnSpot = 0;
    cell->width = 200;
    cell->height = 50;
    const auto graphics = SKTGraphic::graphicsWithProperties({table, outside, cell}, QStringLiteral("t"));
    ASSERT_EQ(graphics.size(), 1);
    auto *grid = dynamic_cast<SKTTable *>(graphics[0].get());
    ASSERT_NE(grid, nullptr);
    const auto cells = grid->cellHelperArray();
    ASSERT_EQ(cells.size(), 5);
    const auto sizes = [&] {
        QList<QSize> list;
        for (const auto &c : grid->cellHelperArray())
            list << QSize(c->width, c->height);
        return list;
    };
    const QList<QSize> stored = sizes();
    EXPECT_EQ(stored, QList<QSize>(5, QSize(200, 50)));
    for (const auto &c : cells) {
        if (c->rowSpot == 0 && c->columnSpot == 1) {
            EXPECT_TRUE(SKTTable::cellText(*c).isEmpty());
            EXPECT_EQ(c->familyName, QStringLiteral("Arial")); // the first cell's style
        }
    }
    grid->refreshLayout();
    grid->refreshLayout();
    EXPECT_EQ(sizes(), stored);
    EXPECT_EQ(grid->bounds().size(), QSizeF(400, 100));
}

TEST_F(CarrierFixture, TableImagesFollowTheEditionSetting)
{
    auto table = std::make_shared<TableGridView>();
    table->tableNumber = 1;
    auto inCell = image(QStringLiteral("image1"), -99, 1);
    inCell->rowSpot = 0;
    inCell->columnSpot = 1;
    auto background = image(QStringLiteral("image2"), -99, 1);
    background->rowSpot = -99;
    background->columnSpot = -99;
    const Carriers carriers{table, inCell, background};

    auto list = SKTGraphic::convertArrayToProperties(carriers, QStringLiteral("t"));
    EXPECT_EQ(classNames(list), QStringList{"SKTTable"}); // images dropped
    EXPECT_TRUE(list[0].list(QStringLiteral("imageArray")).isEmpty());

    gTableImagesEnabled = true;
    list = SKTGraphic::convertArrayToProperties(carriers, QStringLiteral("t"));
    EXPECT_EQ(memberNames(list[0], QStringLiteral("imageArray"), QStringLiteral("imageName")), QStringList{"image1"});
    const auto backgrounds = list[0].list(QStringLiteral("tableBackgroundArray"));
    ASSERT_EQ(backgrounds.size(), 1);
    EXPECT_TRUE(backgrounds[0].flag(QStringLiteral("forceNonRetinaFlag"), false));
}

TEST_F(CarrierFixture, GalleryAndSlideshowMembers)
{
    auto gallery = std::make_shared<GalleryGridView>();
    gallery->galleryNumber = 2;
    auto galleryOnly = image(QStringLiteral("image1"), -66, -99, 2);
    auto galleryAndPage = image(QStringLiteral("image2"), -99, -99, 2);
    auto show = std::make_shared<OuterSlideShow>();
    show->slideShowNumber = 4;
    auto s10 = image(QStringLiteral("image10"), 4);
    auto s2 = image(QStringLiteral("image2"), 4);
    auto s7 = image(QStringLiteral("image7"), 4);
    auto emptyShow = std::make_shared<OuterSlideShow>();
    emptyShow->slideShowNumber = 9;
    const auto list = SKTGraphic::convertArrayToProperties(
        {galleryOnly, gallery, galleryAndPage, s10, show, s2, s7, emptyShow}, QStringLiteral("t"));
    EXPECT_EQ(classNames(list), (QStringList{"SKTGalleryGrid", "SKTImage", "SKTSlideshow", "SKTSlideshow"}));
    EXPECT_EQ(memberNames(list[0], QStringLiteral("imageArray"), QStringLiteral("imageName")),
              (QStringList{"image1", "image2"}));
    // Members defaults written later in the walk show in the composite.
    EXPECT_EQ(list[0].list(QStringLiteral("imageArray"))[1].string(QStringLiteral("altText")), QString(""));
    EXPECT_EQ(memberNames(list[2], QStringLiteral("imageArray"), QStringLiteral("imageName")),
              (QStringList{"image2", "image7", "image10"}));
    EXPECT_EQ(list[2].string(QStringLiteral("totalNumofSlide")), QStringLiteral("3"));
    EXPECT_EQ(s2->slideNumber, 5); // index in the whole list
    EXPECT_TRUE(list[3].list(QStringLiteral("imageArray")).isEmpty());
    EXPECT_EQ(list[3].string(QStringLiteral("totalNumofSlide")), QStringLiteral("0"));
}

TEST_F(CarrierFixture, ImageAndLineDictionaries)
{
    auto i = image(QStringLiteral("image3"));
    i->reflection = 0.5f;
    i->alpha = 0.75f;
    i->image = QImage(2, 2, QImage::Format_RGB32);
    auto line = std::make_shared<LineView>();
    line->beginPoint = QPointF(1, 2);
    line->endPoint = QPointF(30, 40);
    line->borderWidth = 3;
    const auto list = SKTGraphic::convertArrayToProperties({i, line}, QStringLiteral("t"));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].rect(QStringLiteral("bounds")), QRectF(0, 0, 100, 75));
    EXPECT_EQ(list[0].string(QStringLiteral("opacity")), QStringLiteral("0.750000"));
    EXPECT_FALSE(list[0].image(QStringLiteral("contents")).isNull());
    EXPECT_FALSE(list[0].contains(QStringLiteral("maskImage")));
    EXPECT_EQ(i->borderHexColorString, QStringLiteral("000000"));
    EXPECT_EQ(list[1].value(QStringLiteral("borderWidth")).typeId(), QMetaType::Double);
    EXPECT_EQ(list[1].point(QStringLiteral("endPoint")), QPointF(30, 40));
    EXPECT_EQ(list[0].value(QStringLiteral("borderWidth")).typeId(), QMetaType::QString);
}

TEST_F(CarrierFixture, LoadingBuildsGraphicsOfTheRegisteredKinds)
{
    auto t = text(-99);
    t->textAlignment = QStringLiteral("center");
    auto i = image(QStringLiteral("image1"));
    const auto graphics = SKTGraphic::graphicsWithProperties({t, i}, QStringLiteral("index"));
    ASSERT_EQ(graphics.size(), 2);
    EXPECT_EQ(graphics[0]->className(), QStringLiteral("SKTText"));
    EXPECT_EQ(graphics[0]->bounds(), QRectF(10, 20, 200, 40));
    EXPECT_EQ(graphics[0]->fontAlignment(), 1);
    EXPECT_EQ(graphics[0]->fontFamily(), QStringLiteral("Helvetica"));
    EXPECT_EQ(graphics[1]->className(), QStringLiteral("SKTImage"));
    EXPECT_EQ(graphics[1]->templateName(), QStringLiteral("index"));
}

TEST(Carriers, ImageRecordsSortInNameNumberOrder)
{
    // The records the next-image-name code and the page writer sort: by the
    // number, not the text ("image12" after "image7"), equal numbers in order.
    QList<ImageCounterHelp> graphics;
    QList<ImageCounterHelpTransformView> carriers;
    for (const char *name : {"image3", "image12", "image7", "image03"}) {
        auto g = std::make_shared<SKTImage>();
        g->setImageName(QLatin1String(name));
        graphics << ImageCounterHelp(g);
        carriers << ImageCounterHelpTransformView(image(QLatin1String(name)));
    }
    EXPECT_EQ(graphics[1].imageNameIndex, 12);
    EXPECT_EQ(graphics[1].sktImage->imageName(), QStringLiteral("image12"));
    QStringList graphicOrder, carrierOrder;
    for (const auto &r : ImageCounterHelp::sortedByImageNameIndex(graphics))
        graphicOrder << r.imageName;
    for (const auto &r : ImageCounterHelpTransformView::sortedByImageNameIndex(carriers))
        carrierOrder << r.sktImage->imageName;
    const QStringList expected{"image3", "image03", "image7", "image12"};
    EXPECT_EQ(graphicOrder, expected);
    EXPECT_EQ(carrierOrder, expected);
    EXPECT_EQ(ImageCounterHelp(nullptr).imageNameIndex, 0);
    EXPECT_TRUE(ImageCounterHelpTransformView(nullptr).imageName.isNull());
}

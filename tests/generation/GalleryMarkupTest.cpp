// The responsive photo gallery: its golden fragment, the column spans, and
// that only the pictures its cells hold are listed.
#include "ComponentFixture.h"

#include "generation/GalleryMarkup.h"

namespace {

std::shared_ptr<SKTGalleryGrid> gallery(int rows, int columns)
{
    auto g = std::make_shared<SKTGalleryGrid>();
    ElementPassTest::placeOnPage(*g, {0, 120.5, 600, 400});
    g->setNumOfRows(rows);
    g->setNumOfColumns(columns);
    return g;
}

} // namespace

TEST_F(ComponentTest, GalleryGolden)
{
    SKTGalleryGrid *g = add(gallery(2, 3));
    g->addIntoImageArray(picture(QStringLiteral("image1"), 0, 0));
    g->addIntoImageArray(picture(QStringLiteral("image2"), 0, 2, false));
    g->addIntoImageArray(picture(QStringLiteral("image3"), 1, 1));
    const CodeWidgetHelper code = GalleryMarkup::grabPhotoGalleryCode(*doc, g);
    EXPECT_EQ(code.originY, 120);
    expectGolden(QStringLiteral("components/gallery.txt"), dump(code));
}

TEST_F(ComponentTest, GallerySpansAndItems)
{
    struct Case {
        int rows, columns, pictures;
        const char *span;
    };
    for (const Case &k : {Case{1, 3, 3, "col-sm-4 col-xs-4"}, Case{2, 5, 6, "col-sm-2 col-xs-2"},
                          Case{1, 13, 2, "col-sm-1 col-xs-1"}, Case{3, 0, 0, nullptr}}) {
        doc->setGraphics({});
        SKTGalleryGrid *g = add(gallery(k.rows, k.columns));
        for (int i = 0; i < k.pictures; ++i)
            g->addIntoImageArray(picture(QStringLiteral("image%1").arg(i), i / k.columns, i % k.columns));
        const QString body = GalleryMarkup::grabPhotoGalleryCode(*doc, g).bodyString;
        EXPECT_EQ(body.count(QStringLiteral("<li ")), k.pictures) << k.columns;
        if (k.span)
            EXPECT_EQ(body.count(QString::fromLatin1(k.span)), k.pictures) << k.columns;
    }
}

// A picture that names no cell of the grid (a damaged page) is not listed,
// and an empty cell lists nothing in its place.
TEST_F(ComponentTest, GalleryListsOnlyThePicturesItsCellsHold)
{
    SKTGalleryGrid *g = add(gallery(1, 2));
    g->addIntoImageArray(picture(QStringLiteral("image1"), 0, 1));
    auto outside = picture(QStringLiteral("image2"), 0, 1);
    outside->rowSpot = 5;
    QList<GridGraphic::Image> images = g->imageArray();
    images << outside;
    g->setImageArray(images);
    const QString body = GalleryMarkup::grabPhotoGalleryCode(*doc, g).bodyString;
    EXPECT_EQ(body.count(QStringLiteral("<li ")), 1);
    EXPECT_TRUE(body.contains(QStringLiteral("src=\"index/image1o.png\"")));
}

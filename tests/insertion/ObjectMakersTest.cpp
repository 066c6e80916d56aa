// Tags, the profile card, credit badges, galleries and pop-over presets.
#include "InsertionFixture.h"

#include "config/ShapeSelectionView.h"
#include "insertion/ObjectMakers.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

TEST_F(InsertionTest, TagsAndTheAddressBlockSitNearTheVisibleCorner)
{
    ObjectMakers makers(*frame);
    context->origin = QPointF(0, 400);
    makers.addPersonTagCommand(QStringLiteral("[FIRST_NAME]"));
    auto *tag = doc->graphics().front().get();
    EXPECT_EQ(tag->bounds(), QRectF(155, 510, 150, 45));
    EXPECT_EQ(tag->textString(), QStringLiteral("[FIRST_NAME]"));
    EXPECT_EQ(tag->fontSize(), 15);
    EXPECT_EQ(tag->textHexColorString(), QStringLiteral("555555"));
    EXPECT_EQ(tag->groupNumber(), 1);
    makers.addPerson_FullAddress();
    auto *block = doc->graphics().front().get();
    EXPECT_EQ(block->bounds(), QRectF(10, 410, 300, 105));
    EXPECT_EQ(block->textString().count(QLatin1Char('\n')), 4);
    EXPECT_EQ(block->groupNumber(), 2);
    context->origin.reset();
    makers.addPersonTagCommand(QStringLiteral("[CITY]"));
    EXPECT_EQ(doc->graphics().front()->bounds().topLeft(), QPointF(155, 110));
}

TEST_F(InsertionTest, CardAndBadgeAreGroupedWithTheirPictures)
{
    auto other = std::make_shared<SKTText>();
    other->setGroupNumber(6);
    place({other});
    gMaxInsertedImageSize = 40;
    ObjectMakers makers(*frame);
    makers.addIndividual_drag(QPointF(20.9, 30.2));
    ASSERT_EQ(doc->graphics().size(), 4);
    auto *picture = dynamic_cast<SKTImage *>(doc->graphics().at(0).get());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bounds(), QRectF(20, 30, 40, 40));
    EXPECT_EQ(doc->graphics().at(1)->bounds(), QRectF(120, 30, 200, 200));
    EXPECT_EQ(doc->graphics().at(2)->bounds(), QRectF(20, 30, 300, 200));
    EXPECT_EQ(doc->graphics().at(2)->backgroundHexColorString(), QStringLiteral("FDF5E6"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc->graphics().at(i)->groupNumber(), 7);
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(doc->graphics().size(), 1);

    gMaxInsertedImageSize = 0;
    makers.addZovLink(4);
    ASSERT_EQ(doc->graphics().size(), 3);
    EXPECT_EQ(doc->graphics().at(0)->bounds(), QRectF(100, 30, 50, 50));
    EXPECT_EQ(doc->graphics().at(1)->bounds(), QRectF(155, 40, 220, 40));
    EXPECT_EQ(doc->graphics().at(1)->fontFamily(), QStringLiteral("Actor"));
    for (int variant = 1; variant <= 4; ++variant)
        EXPECT_FALSE(ObjectMakers::creditText(variant).contains(QStringLiteral("Mac")));
}

TEST_F(InsertionTest, GalleriesAndEnlargeablePhotosAreEmptyGrids)
{
    ObjectMakers makers(*frame);
    auto gallery = std::dynamic_pointer_cast<SKTGalleryGrid>(makers.addImageGallery_drag(QPointF(123.7, 40.2)));
    auto photo = std::dynamic_pointer_cast<SKTGalleryGrid>(makers.addEnlargeablePhoto_drag(QPointF(5, 5)));
    ASSERT_TRUE(gallery && photo);
    EXPECT_EQ(gallery->bounds(), QRectF(123, 40, 500, 200));
    EXPECT_EQ(gallery->numOfColumns(), 4);
    EXPECT_TRUE(gallery->imageArray().isEmpty());
    EXPECT_EQ(gallery->shadowFlag(), 0);
    EXPECT_EQ(photo->bounds(), QRectF(5, 5, 100, 150));
    EXPECT_EQ(photo->numOfColumns(), 1);
    EXPECT_EQ(photo->shadowFlag(), 1);
    EXPECT_EQ(photo->backdropLightingFlag(), 2);
}

TEST_F(InsertionTest, PopOverPresetsByIndex)
{
    const QStringList colours {"8B0000", "FF8C00", "FFFFFF", "555555", "4682B4", "228B22"};
    const QList<QSizeF> sizes {{70, 70}, {70, 70}, {70, 70}, {70, 52.5}, {52.5, 70}, {70, 7}, {7, 70}};
    const QList<int> radii {0, 10, 100, 20, 20, 0, 0};
    gPresetShapes.clear();
    for (const QString &colour : colours)
        for (int s = 0; s < 7; ++s) {
            ShapeSelectionView view(QRectF(QPointF(0, 0), sizes[s]));
            view.fillColor = QColor(QLatin1Char('#') + colour);
            view.cornerRadius = radii[s];
            gPresetShapes.append(view);
        }
    ObjectMakers makers(*frame);
    struct Case {
        int tag;
        QSizeF size;
        const char *fill;
        double radius;
    };
    for (const Case &c : {Case{0, {140, 140}, "8B0000", 0}, Case{9, {140, 140}, "FF8C00", 100},
                          Case{20, {14, 140}, "FFFFFF", 0}}) {
        ASSERT_TRUE(makers.addNewShape(c.tag));
        auto *shape = doc->graphics().front().get();
        EXPECT_EQ(shape->bounds(), QRectF(QPointF(100, 30), c.size));
        EXPECT_EQ(shape->backgroundHexColorString(), QLatin1String(c.fill));
        EXPECT_DOUBLE_EQ(shape->cornerRadius(), c.radius);
        EXPECT_EQ(shape->textString(), QStringLiteral(" "));
    }
    EXPECT_FALSE(makers.addNewShape(42));

    ShapeSelectionView white(QRectF(0, 0, 400, 42));
    white.fillColor = Qt::white;
    white.textColor = Qt::black;
    white.font = QFont(QStringLiteral("Lato"), 30);
    white.textString = QStringLiteral("Headline");
    gPresetTextStyles = {white};
    ASSERT_TRUE(makers.addNewSelectedTextView(0));
    auto *box = doc->graphics().front().get();
    EXPECT_EQ(box->bounds(), QRectF(100, 30, 600, 126));
    EXPECT_EQ(box->backgroundHexColorString(), QStringLiteral("CLEAR0"));
    EXPECT_EQ(box->textString(), QStringLiteral("New text box"));
    EXPECT_EQ(box->fontFamily(), QStringLiteral("Lato"));
    EXPECT_EQ(box->fontSize(), 15);
    gDateStampNewText = true;
    ASSERT_TRUE(makers.addNewSelectedTextView(0));
    EXPECT_TRUE(doc->graphics().front()->textString().startsWith(QStringLiteral("Headline - ")));
    EXPECT_FALSE(makers.addNewSelectedTextView(1));
}

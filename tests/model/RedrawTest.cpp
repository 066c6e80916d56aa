#include "model/GraphicOwner.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"

#include <gtest/gtest.h>

// Composites keep their cells, pictures and slides as records that change
// past the change path; the operations that finish such a change must still
// tell the document to redraw, and without leaving an undo step behind.
namespace {
class ReportCounter : public GraphicOwner {
public:
    struct Report {
        QString key;
        QVariant old, now;
        bool undoKey;
    };
    QList<Report> reports;
    void graphicAttributeChanged(SKTGraphic &graphic, const QString &key, const QVariant &oldValue) override
    {
        reports.append({key, oldValue, graphic.value(key), graphic.keysForValuesToObserveForUndo().contains(key)});
    }
    bool onlyRedraws() const
    {
        for (const Report &r : reports) {
            if (r.undoKey && r.old != r.now)
                return false;
        }
        return !reports.isEmpty();
    }
};

std::shared_ptr<TransformView> picture(int32_t row, int32_t column)
{
    auto image = std::make_shared<TransformView>();
    image->rowSpot = row;
    image->columnSpot = column;
    image->imageName = QStringLiteral("image1");
    return image;
}

std::shared_ptr<myTextView> cell(int32_t row, int32_t column)
{
    auto c = std::make_shared<myTextView>();
    c->rowSpot = row;
    c->columnSpot = column;
    c->width = 40;
    c->height = 20;
    return c;
}
} // namespace

TEST(Redraw, UnchangedBoundsStillRedrawCompositesWithoutUndo)
{
    SKTTable table;
    table.setNumOfRows(1);
    table.setNumOfColumns(1);
    table.setCellHelperArray({cell(0, 0)});
    table.setBounds(QRectF(0, 0, 100, 100));
    ReportCounter owner;
    table.setOwner(&owner);

    table.refreshLayout();
    EXPECT_TRUE(owner.onlyRedraws());

    owner.reports.clear();
    table.addIntoImageArray(picture(0, 0));
    EXPECT_TRUE(owner.onlyRedraws());

    owner.reports.clear();
    table.setTableBackgroundImage(picture(-99, -99));
    EXPECT_TRUE(owner.onlyRedraws());

    SKTGalleryGrid gallery;
    gallery.setNumOfRows(2);
    gallery.setNumOfColumns(2);
    ReportCounter galleryOwner;
    gallery.setOwner(&galleryOwner);
    gallery.addIntoImageArray(picture(1, 1));
    EXPECT_TRUE(galleryOwner.onlyRedraws());
    EXPECT_EQ(gallery.imageArray().size(), 1);

    SKTSlideshow slideshow;
    slideshow.setBounds(QRectF(0, 0, 200, 100));
    ReportCounter slideOwner;
    slideshow.setOwner(&slideOwner);
    slideshow.addIntoImageArray(picture(-99, -99)); // the first slide: index stays 0
    EXPECT_TRUE(slideOwner.onlyRedraws());
    EXPECT_EQ(slideshow.currentImageIndex(), 0);
    slideOwner.reports.clear();
    slideshow.addIntoImageArray(picture(-99, -99));
    ASSERT_FALSE(slideOwner.reports.isEmpty());
    EXPECT_EQ(slideOwner.reports.first().key, QStringLiteral("currentImageIndex"));
    EXPECT_EQ(slideshow.currentImageIndex(), 1);
}

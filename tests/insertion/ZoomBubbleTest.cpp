// "Create Zoom Bubble": when it is offered and what part of the picture it magnifies.
#include "InsertionFixture.h"

#include "insertion/TextBoxFactory.h"
#include "insertion/ZoomBubbleMaker.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <QPainter>

namespace {
// 400 x 200 pixels: red top-left quarter, blue top-right, green bottom-left,
// yellow bottom-right. Any mix-up of the axes shows as a wrong colour.
QImage quarters()
{
    QImage image(400, 200, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 200, 100, Qt::red);
    p.fillRect(200, 0, 200, 100, Qt::blue);
    p.fillRect(0, 100, 200, 100, Qt::green);
    p.fillRect(200, 100, 200, 100, Qt::yellow);
    return image;
}

std::shared_ptr<SKTImage> shown(const QImage &picture, const QRectF &bounds)
{
    auto image = std::make_shared<SKTImage>();
    image->setInputImage(picture);
    image->setContents(picture);
    image->setBounds(bounds);
    return image;
}
} // namespace

TEST(ZoomBubbleMagnify, CropsInThePictureTopLeftCoordinatesClampedToIt)
{
    // Shown at half size: 200 x 100 at (100, 100).
    const QImage picture = quarters();
    const QRectF at(100, 100, 200, 100);
    const QImage topRight = ZoomBubbleMaker::magnify(picture, at, QRectF(220, 110, 20, 20));
    ASSERT_EQ(topRight.size(), QSize(60, 60));
    EXPECT_EQ(topRight.pixelColor(30, 30), QColor(Qt::blue));
    const QImage bottomLeft = ZoomBubbleMaker::magnify(picture, at, QRectF(110, 170, 20, 20));
    EXPECT_EQ(bottomLeft.pixelColor(30, 30), QColor(Qt::green));
    // Half the bubble beyond the right edge: that half stays transparent.
    const QImage edge = ZoomBubbleMaker::magnify(picture, at, QRectF(290, 170, 20, 20));
    ASSERT_EQ(edge.size(), QSize(60, 60));
    EXPECT_EQ(edge.pixelColor(10, 30), QColor(Qt::yellow));
    EXPECT_EQ(edge.pixelColor(50, 30).alpha(), 0);
    EXPECT_TRUE(ZoomBubbleMaker::magnify(picture, at, QRectF(120, 120, 0, 20)).isNull());
    EXPECT_TRUE(ZoomBubbleMaker::magnify(QImage(), at, QRectF(120, 120, 20, 20)).isNull());
}

TEST_F(InsertionTest, ZoomBubbleIsOfferedOnlyForOneBubbleOverAPicture)
{
    TextBoxFactory boxes(*frame);
    ZoomBubbleMaker maker(*frame);
    auto picture = shown(quarters(), QRectF(100, 100, 200, 100));
    place({picture});
    auto shape = boxes.addZoomBubbleTextbox_drag(QPointF(120, 110), 1000, QStringLiteral("star"), 0);
    context->selection = {shape.get()};
    EXPECT_FALSE(maker.shouldShowCreateZoomBubble());
    auto bubble = boxes.addZoomBubbleTextbox_drag(QPointF(150, 110), 0, QStringLiteral("rectangle"), 1);
    context->selection = {bubble.get(), shape.get()};
    EXPECT_FALSE(maker.shouldShowCreateZoomBubble());
    context->selection = {bubble.get()};
    EXPECT_TRUE(maker.shouldShowCreateZoomBubble());
    bubble->setBounds(QRectF(150, 110, 0, 100));
    EXPECT_FALSE(maker.shouldShowCreateZoomBubble());
    bubble->setBounds(QRectF(1000, 1000, 50, 50));
    EXPECT_FALSE(maker.shouldShowCreateZoomBubble());
    // A picture in front of the bubble is not the one under it.
    bubble->setBounds(QRectF(150, 110, 20, 20));
    auto inFront = shown(QImage(10, 10, QImage::Format_RGB32), QRectF(140, 100, 100, 100));
    doc->insertGraphicAtIndex(inFront, 0);
    EXPECT_EQ(maker.grabImageUnderneath(*bubble).bounds, QRectF(100, 100, 200, 100));

    ASSERT_TRUE(maker.createZoomBubble());
    auto *made = dynamic_cast<SKTImage *>(doc->graphics().front().get());
    ASSERT_TRUE(made);
    EXPECT_EQ(made->bounds(), QRectF(150, 110, 60, 60));
    EXPECT_EQ(made->borderWidth(), 3);
    EXPECT_EQ(made->borderHexColorString(), QStringLiteral("FFFFFF"));
    EXPECT_EQ(made->bubbleFlag(), 0);
    EXPECT_EQ(made->contents().pixelColor(30, 30), QColor(Qt::red));
    EXPECT_EQ(doc->undoManager().undoActionName(), QStringLiteral("Create Zoom Bubble"));
}

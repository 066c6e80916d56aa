#include "model/GraphicPainter.h"
#include "model/ShapeSwatch.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
QImage draw(const ShapeSelectionView &swatch, GraphicShadow before = {}, GraphicShadow *after = nullptr)
{
    QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter qp(&image);
    GraphicPainter painter(qp);
    painter.setShadow(before);
    ShapeSwatch::bezierPathForDrawing(swatch, painter);
    if (after)
        *after = painter.shadow();
    return image;
}
} // namespace

TEST(ShapeSwatch, FillsWithOpacityAndBordersOnlyForKnownStyles)
{
    ShapeSelectionView swatch(QRectF(0, 0, 50, 30));
    swatch.isDrawingFill = true;
    swatch.fillColor = QColor(255, 0, 0);
    swatch.opacity = 1.0f;
    swatch.borderColor = QColor(0, 0, 255);
    swatch.borderWidth = 4;
    swatch.borderStyle = QStringLiteral("none");
    QImage plain = draw(swatch);
    EXPECT_EQ(plain.pixelColor(1, 15), QColor(255, 0, 0)); // no border at the edge
    swatch.borderStyle = QStringLiteral("solid");
    swatch.opacity = 0.5f; // the fill is drawn over the border: let it show through
    QImage bordered = draw(swatch);
    EXPECT_GT(bordered.pixelColor(25, 1).blue(), 0);
    EXPECT_EQ(bordered.pixelColor(25, 15).blue(), 0);
    swatch.opacity = 1.0f;

    swatch.fillColor = QColor(Qt::transparent); // clear stays clear at opacity 1
    swatch.borderStyle.clear();
    EXPECT_EQ(draw(swatch).pixelColor(25, 15).alpha(), 0);
}

TEST(ShapeSwatch, ShadowIsSwitchedOffAfterwardsOnlyWhenUsed)
{
    ShapeSelectionView swatch(QRectF(0, 0, 50, 30));
    const GraphicShadow before{QColor(Qt::green), 2.0, QPointF(1, 1)};
    GraphicShadow after;
    draw(swatch, before, &after);
    EXPECT_EQ(after.color, QColor(Qt::green)); // shadowFlag 0 leaves it as it was
    swatch.shadowFlag = true;
    draw(swatch, before, &after);
    EXPECT_FALSE(after.isActive());
}

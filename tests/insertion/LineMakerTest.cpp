// Lines, arrows and the branch generator.
#include "InsertionFixture.h"

#include "insertion/LineMaker.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"

#include <cmath>

TEST_F(InsertionTest, LineCommandsDrawFromTheInsertionPoint)
{
    LineMaker lines(*frame);
    lines.addLine();
    lines.addLineDotted();
    ASSERT_EQ(doc->graphics().size(), 2);
    auto *dotted = dynamic_cast<SKTLine *>(doc->graphics().at(0).get());
    auto *solid = dynamic_cast<SKTLine *>(doc->graphics().at(1).get());
    ASSERT_TRUE(dotted && solid);
    EXPECT_EQ(solid->beginPoint(), QPointF(100, 30));
    EXPECT_EQ(solid->endPoint(), QPointF(300, 230));
    EXPECT_EQ(solid->borderWidth(), 10);
    EXPECT_EQ(solid->borderHexColorString(), QStringLiteral("555555"));
    EXPECT_TRUE(solid->drawBeginArrow());
    EXPECT_FALSE(solid->drawEndArrow());
    EXPECT_EQ(solid->borderStyle(), QStringLiteral("solid"));
    EXPECT_EQ(dotted->borderStyle(), QStringLiteral("dotted"));
    EXPECT_EQ(doc->undoManager().undoActionName(), QStringLiteral("Add Dotted Line"));
}

TEST_F(InsertionTest, ArrowCommandsAndPredicatesActOnSelectedLinesOnly)
{
    LineMaker lines(*frame);
    auto line = lines.addTrueLine({0, 0}, {10, 0}, QStringLiteral("555555"), QStringLiteral("solid"), 2,
                                  QStringLiteral("0"), QStringLiteral("1"), -99);
    auto text = std::make_shared<SKTText>();
    place({text});
    EXPECT_FALSE(lines.showDrawStartArrow());
    EXPECT_FALSE(lines.arrowOptionsShown());
    context->selection = {line.get(), text.get()};
    EXPECT_FALSE(lines.arrowOptionsShown());
    EXPECT_TRUE(lines.showDrawStartArrow());
    EXPECT_FALSE(lines.showHideStartArrow());
    EXPECT_TRUE(lines.showHideEndArrow());
    context->selection = {line.get()};
    EXPECT_TRUE(lines.arrowOptionsShown());
    lines.drawStartArrow();
    lines.hideEndArrow();
    EXPECT_TRUE(line->drawBeginArrow());
    EXPECT_FALSE(line->drawEndArrow());
    EXPECT_TRUE(lines.showHideStartArrow());
    EXPECT_FALSE(lines.showDrawStartArrow());
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_TRUE(line->drawEndArrow());
}

TEST_F(InsertionTest, BranchesFanOutAroundTheSourceWhichEndsInFront)
{
    LineMaker lines(*frame);
    EXPECT_FALSE(lines.multiplyNewShapes());
    EXPECT_FALSE(lines.addMultipleShapesSelected({}));
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Nothing Selected"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Please select a text box or shape to generate branch"));

    auto source = std::make_shared<SKTText>();
    source->setBounds({500, 500, 100, 50});
    source->setCornerRadius(10);
    source->setFontFamily(QStringLiteral("Helvetica Neue"));
    source->setFontSize(20);
    auto behind = std::make_shared<SKTText>();
    place({behind, source});
    context->selection = {source.get()};
    EXPECT_TRUE(lines.multiplyNewShapes());
    const auto before = snapshot();
    BranchOptions options;
    options.count = 4;
    options.distance = 100;
    options.scale = 0.5;
    ASSERT_TRUE(lines.addMultipleShapesSelected(options));
    // Halo, four lines and four boxes, the source in front.
    ASSERT_EQ(doc->graphics().size(), 2 + 1 + 8);
    EXPECT_EQ(doc->graphics().front(), source);
    auto *halo = doc->graphics().at(9).get();
    EXPECT_EQ(halo->bounds(), QRectF(450, 475, 200, 100));
    EXPECT_DOUBLE_EQ(halo->opacity(), 0.5);
    EXPECT_EQ(halo->cornerRadius(), 20);
    // Right, down, left, up on the flipped canvas.
    QList<QPointF> ends;
    for (int i = 8; i >= 1; --i)
        if (auto *line = dynamic_cast<SKTLine *>(doc->graphics().at(i).get()))
            ends.append(line->endPoint());
    EXPECT_EQ(ends, (QList<QPointF>{{650, 525}, {550, 625}, {450, 525}, {550, 425}}));
    auto *firstBox = doc->graphics().at(7).get();
    EXPECT_EQ(firstBox->bounds(), QRectF(650 - 25, 525 - 12, 50, 25));
    EXPECT_EQ(context->cache().styleTextbox, source.get());

    // One step brings the page back, index for index.
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->graphics().at(1), source);
}

TEST(LineGeometry, BranchStepUsesWholeDegrees)
{
    EXPECT_NEAR(LineMaker::DegreesToRadians(360 / 11), 32 * M_PI / 180, 1e-12);
    EXPECT_EQ(LineMaker::generateNewRect(QRectF(10, 10, 21, 11)), QRectF(-0.0, 4, 42, 22));
    EXPECT_EQ(std::max(1, 20 / 10), 2);
}

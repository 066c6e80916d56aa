// The window's section facade: every answer is the canvas's, unchanged; with
// no canvas, the zero rectangle, null and false.
#include "sidebar/SectionQueries.h"
#include "model/SKTRectangle.h"

#include <gtest/gtest.h>

namespace {
class CanvasDouble : public SectionCanvas {
public:
    SKTRectangle section;
    QStringList calls;
    bool isThereGraphicAtNewLocation(const SKTGraphic &, const QRectF &) override { return true; }
    bool isThereGraphicAtRect(const QRectF &) override { return true; }
    SKTGraphic *grabMySection(int32_t n) override { return n == 3 ? &section : nullptr; }
    QList<SKTGraphic *> findObjectsInSection(SKTGraphic &) override { return {&section}; }
    SKTGraphic *grabTopMostObjectInSection(SKTGraphic &) override { return &section; }
    SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &) override { return &section; }
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF &) override { calls << "onePixel"; }
    void identifyAndPushSectionsDownwardByDifference(const QRectF &) override { calls << "difference"; }
    void reAlignSectionObjects(SKTGraphic &) override { calls << "reAlign"; }
    SKTGraphic *isObjectStillInSameSectionGrid(SKTGraphic &g, const QPointF &) override { return &g; }
    QRectF grabOverLappingSectionCell(const QPointF &) override { return {10, 20, 30, 40}; }
    QRectF grabSectionRect(const QPointF &, const QRectF &rect) override { return rect.translated(1, 0); }
    bool isThereGraphicAtRect_includingSection(const QRectF &) override { return true; }
    void identifyAndPushSectionsDownward(const QRectF &) override { calls << "push"; }
    bool doesSelectedTableContainBackgroundPattern() override { return true; }
    void removeTableBackgroundPattern() override { calls << "removePattern"; }
    void addPlaceHolderAddress(const QPointF &) override { calls << "address"; }
};
} // namespace

TEST(SectionQueriesTest, ForwardsToTheCanvasOrAnswersNothingWithout)
{
    CanvasDouble canvas;
    SKTRectangle item;
    SectionQueries with(&canvas), without;
    EXPECT_EQ(with.grabOverLappingSectionCell({5, 5}), QRectF(10, 20, 30, 40));
    EXPECT_EQ(with.grabSectionRect({5, 5}, {0, 0, 7, 8}), QRectF(1, 0, 7, 8));
    EXPECT_EQ(with.grabMySection(3), &canvas.section);
    EXPECT_EQ(with.isObjectStillInSameSectionGrid(item, {}), &item);
    EXPECT_TRUE(with.isThereGraphicAtRect_includingSection({}));
    EXPECT_TRUE(with.doesSelectedTableContainBackgroundPattern());
    with.reAlignSectionObjects(item);
    with.identifyAndPushSectionsDownward({});
    with.addPlaceHolderAddress({});
    EXPECT_EQ(canvas.calls, QStringList({"reAlign", "push", "address"}));

    EXPECT_EQ(without.grabOverLappingSectionCell({5, 5}), QRectF());
    EXPECT_EQ(without.grabSectionRect({5, 5}, {0, 0, 7, 8}), QRectF());
    EXPECT_EQ(without.grabMySection(3), nullptr);
    EXPECT_EQ(without.isObjectStillInSameSectionGrid(item, {}), nullptr);
    EXPECT_TRUE(without.findObjectsInSection(item).isEmpty());
    EXPECT_FALSE(without.isThereGraphicAtRect({}));
    EXPECT_FALSE(without.isThereGraphicAtNewLocation(item, {}));
    EXPECT_FALSE(without.doesSelectedTableContainBackgroundPattern());
    without.reAlignSectionObjects(item);  // nothing to do, nothing breaks
}

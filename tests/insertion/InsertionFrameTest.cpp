// The insertion point, section placement and the page's next numbers.
#include "InsertionFixture.h"

#include "insertion/ObjectMakers.h"
#include "insertion/TextBoxFactory.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTRectangle.h"
#include "model/SKTText.h"

namespace {
std::shared_ptr<SKTGraphic> rect(QRectF bounds, int32_t group = -99)
{
    auto r = std::make_shared<SKTRectangle>();
    r->setBounds(bounds);
    r->setGroupNumber(group);
    return r;
}
} // namespace

TEST_F(InsertionTest, MenuInsertionPointFollowsTheVisibleCornerOrTheEndOfThePage)
{
    EXPECT_EQ(frame->calculateOriginPoint(), QPointF(100, 30));
    context->origin = QPointF(0.6, 1200.4);
    EXPECT_EQ(frame->calculateOriginPoint(), QPointF(100, 1230));
    context->origin.reset();
    EXPECT_EQ(frame->calculateOriginPoint(), QPointF(100, 30));

    defaults.defaults().setBool(true, QStringLiteral("InsertNewAtEndFlag"));
    EXPECT_EQ(frame->calculateOriginPoint(), QPointF(100, 80)); // empty page
    place({rect({10, 600, 50, 340})});
    context->origin = QPointF(20, 0);
    EXPECT_EQ(frame->calculateOriginPoint(), QPointF(120, 970));
}

TEST_F(InsertionTest, ResponsiveGalleryTakesTheCellUnderTheDropAndItsPlacement)
{
    gResponsiveEdition = true;
    auto section = makeSection(7, {0, 100}, {300, 500}, 400);
    place({section});
    ObjectMakers makers(*frame);
    auto gallery = makers.addImageGallery_drag(QPointF(450.7, 160.2));
    ASSERT_TRUE(gallery);
    EXPECT_EQ(gallery->bounds(), QRectF(300, 160.2, 500, 200));
    EXPECT_EQ(gallery->sectionNumber(), 7);
    EXPECT_EQ(gallery->sectionRowSpot(), 0);
    EXPECT_EQ(gallery->sectionColumnSpot(), 1);
    EXPECT_EQ(doc->graphics().front(), gallery);
    EXPECT_EQ(context->cache().selectedTable, section.get());

    // Overlapping sections: the one nearer the front wins.
    auto front = makeSection(9, {0, 100}, {800}, 100);
    doc->insertGraphicAtIndex(front, 0);
    const InsertionFrame::SectionHit hit = frame->sectionCellAt(QPointF(450, 150));
    EXPECT_EQ(hit.section, front.get());
}

TEST_F(InsertionTest, OutsideEverySectionAnObjectIsInsertedWithoutPlacement)
{
    gResponsiveEdition = true;
    place({makeSection(3, {0, 0}, {400}, 100)});
    TextBoxFactory boxes(*frame);
    TextBoxSpec spec;
    spec.frame = QRectF(10, 500, 100, 40);
    spec.text = QStringLiteral("Hello");
    spec.fontFamily = QStringLiteral("No Such Family Anywhere");
    auto box = boxes.addTextBox(spec);
    ASSERT_TRUE(box);
    EXPECT_EQ(doc->graphics().size(), 2);
    EXPECT_EQ(doc->graphics().front(), box);
    EXPECT_EQ(box->sectionNumber(), 0);
    // The family is kept as written.
    EXPECT_EQ(box->properties().string(QStringLiteral("fontFamily")), QStringLiteral("No Such Family Anywhere"));
    // Outside responsive editions nothing is fitted.
    gResponsiveEdition = false;
    EXPECT_EQ(ObjectMakers(*frame).addImageGallery_drag(QPointF(123.7, 40.2))->bounds(), QRectF(123, 40, 500, 200));
}

TEST_F(InsertionTest, NextGroupNumberAndFormTagAreOneAboveTheHighestInUse)
{
    EXPECT_EQ(InsertionFrame::findNextGroupNumber(*doc), 1);
    EXPECT_EQ(InsertionFrame::findNextFormTag(*doc), 1);
    auto field = std::make_shared<SKTText>();
    field->setTextType(QStringLiteral("Text"));
    field->setFormTag(4);
    auto snippet = std::make_shared<SKTText>();
    snippet->setTextType(QStringLiteral("HTMLSnippet"));
    snippet->setFormTag(40);
    place({rect({0, 0, 1, 1}, 12), rect({0, 0, 1, 1}, 3), field, snippet});
    EXPECT_EQ(InsertionFrame::findNextGroupNumber(*doc), 13);
    EXPECT_EQ(InsertionFrame::findNextFormTag(*doc), 5);
    field->setFormTag(-5);
    EXPECT_EQ(InsertionFrame::findNextFormTag(*doc), 1);
}

// Sections on the page: pushing, making room, re-aligning, re-assigning,
// look-ups and numbering.
#include "InsertionFixture.h"

#include "insertion/SectionEnvironment.h"
#include "insertion/SectionOperations.h"
#include "model/SKTLine.h"
#include "model/SKTRectangle.h"
#include "model/SKTText.h"

namespace {
std::shared_ptr<SKTGraphic> member(QRectF bounds, int32_t section, int32_t column = 0)
{
    auto r = std::make_shared<SKTRectangle>();
    r->setBounds(bounds);
    r->setSectionNumber(section);
    r->setSectionRowSpot(0);
    r->setSectionColumnSpot(column);
    return r;
}
} // namespace

TEST_F(InsertionTest, InsertingASectionPushesTheSectionsBelowWithTheirContents)
{
    auto above = makeSection(1, {0, 0}, {800}, 400);
    auto hit = makeSection(2, {0, 600}, {800}, 300);
    auto lower = makeSection(3, {0, 900}, {800}, 300);
    auto inHit = member({10, 650, 50, 50}, 2);
    auto inAbove = member({10, 50, 50, 50}, 1);
    place({above, hit, lower, inHit, inAbove});
    SectionOperations sections(*context);
    sections.identifyAndPushSectionsDownward(QRectF(0, 500, 800, 300));
    EXPECT_EQ(hit->yPosition(), 800);
    EXPECT_EQ(lower->yPosition(), 1100);
    EXPECT_EQ(inHit->yPosition(), 850);
    EXPECT_EQ(above->yPosition(), 0);
    EXPECT_EQ(inAbove->yPosition(), 50);

    // A template of a number moves with its section's objects, a section never.
    auto templ = makeSection(2, {0, 2000}, {800}, 100, QStringLiteral("sectionTemplate"));
    place({templ});
    sections.pushSectionObjectsDown(2, 10);
    EXPECT_EQ(templ->yPosition(), 2010);
    EXPECT_EQ(hit->yPosition(), 800);

    // No section under the rectangle: nothing moves.
    sections.identifyAndPushSectionsDownward(QRectF(0, 5000, 10, 10));
    sections.shiftObjectsInSection(QPointF(5, 5005), QRectF(0, 5000, 10, 10));
    EXPECT_EQ(lower->yPosition(), 1100);
}

TEST_F(InsertionTest, MakingRoomInACellGrowsTheSectionAndPushesTheNextOne)
{
    auto section = makeSection(1, {0, 0}, {400}, 300);
    auto next = makeSection(2, {0, 300}, {400}, 200);
    auto lowObject = member({0, 200, 100, 60}, 1);
    place({section, next, lowObject});
    SectionOperations sections(*context);
    // Inserting 80 high at y 150 pushes the object to 230: it ends at 290, inside.
    sections.shiftObjectsInSection(QPointF(10, 150), QRectF(0, 150, 400, 80));
    EXPECT_EQ(lowObject->yPosition(), 230);
    EXPECT_EQ(section->height(), 300);
    EXPECT_EQ(next->yPosition(), 300);
    // Another 80: the object ends 50 below the content; the next section
    // moves by that plus 50 and the section grows by it.
    sections.shiftObjectsInSection(QPointF(10, 160), QRectF(0, 160, 400, 80));
    EXPECT_EQ(lowObject->yPosition(), 240);
    EXPECT_EQ(section->height(), 300);
    sections.shiftObjectsInSection(QPointF(10, 200), QRectF(0, 200, 400, 100));
    EXPECT_EQ(lowObject->yPosition(), 300);
    EXPECT_EQ(section->height(), 360);
    EXPECT_EQ(next->yPosition(), 410);
}

TEST_F(InsertionTest, ReAlignPutsObjectsIntoTheirCells)
{
    auto section = makeSection(4, {0, 100}, {300, 500}, 400);
    auto text = member({50, 88, 80, 112}, 4, 1);
    auto kept = member({50, 150, 80, 60}, 4, 1);
    kept->setResponsiveResizeFlag(1);
    auto label = member({0, 300, 50, 20}, 4, 0);
    label->setFormType(QStringLiteral("textLabel"));
    label->setFormOptionTag(2);
    auto box = member({7, 300, 15, 15}, 4, 0);
    box->setFormType(QStringLiteral("checkbox"));
    place({section, text, kept, label, box});
    SectionOperations sections(*context);
    sections.reAlignSectionObjects(*section);
    EXPECT_EQ(text->bounds(), QRectF(300, 100, 500, 100));
    EXPECT_EQ(kept->bounds(), QRectF(300, 150, 80, 60));
    EXPECT_EQ(label->bounds(), QRectF(30, 300, 270, 20));
    EXPECT_EQ(box->bounds(), QRectF(7, 300, 15, 15));
    EXPECT_EQ(context->refocused, QList<SKTGraphic *>{section.get()});

    // Released over its own cell: unchanged; over another cell of its own
    // section or over another section: re-assigned and laid out there.
    auto other = makeSection(5, {0, 600}, {800}, 200);
    place({other});
    sections.isObjectStillInSameSectionGrid(QPointF(310, 150), *text);
    EXPECT_EQ(text->sectionColumnSpot(), 1);
    EXPECT_EQ(text->bounds(), QRectF(300, 100, 500, 100));
    sections.isObjectStillInSameSectionGrid(QPointF(10, 150), *text);
    EXPECT_EQ(text->sectionNumber(), 4);
    EXPECT_EQ(text->sectionColumnSpot(), 0);
    EXPECT_EQ(text->bounds().x(), 0);
    EXPECT_EQ(text->bounds().width(), 300);
    sections.isObjectStillInSameSectionGrid(QPointF(10, 650), *text);
    EXPECT_EQ(text->sectionNumber(), 5);
    EXPECT_EQ(text->sectionColumnSpot(), 0);
    EXPECT_EQ(text->bounds().x(), 0);
    EXPECT_EQ(text->bounds().width(), 800);
}

TEST_F(InsertionTest, LookUpsFreeSpotsAndNumbering)
{
    SectionOperations sections(*context);
    EXPECT_EQ(sections.findNextSectionNumber(), 1);
    auto s1 = makeSection(1, {0, 0}, {800}, 200);
    auto s2 = makeSection(2, {0, 200}, {800}, 200);
    auto top = member({10, 210, 10, 10}, 2);
    auto bottom = member({10, 300, 10, 50}, 2);
    auto line = std::make_shared<SKTLine>();
    line->setBounds({0, 0, 5, 5});
    line->setSectionNumber(6);
    place({s1, s2, top, bottom, line});
    // A line holds the highest number: the next is still above it.
    EXPECT_EQ(sections.findNextSectionNumber(), 7);
    EXPECT_EQ(sections.grabMySection(2), s2.get());
    EXPECT_EQ(sections.grabMySection(9), nullptr);
    EXPECT_EQ(sections.grabOverLappingSection(QRectF(0, 150, 10, 100)), s1.get());
    EXPECT_EQ(sections.grabTopMostObjectInSection(*s2), top.get());
    EXPECT_EQ(sections.grabBottomMostObjectInSection(*s2), bottom.get());
    EXPECT_EQ(sections.grabTopMostObjectInSection(*s1), nullptr);
    EXPECT_TRUE(sections.isThereGraphicAtRect_includingSection(QRectF(500, 500, 10, 10) .translated(0, -200)));
    EXPECT_FALSE(sections.isThereGraphicAtRect(QRectF(500, 100, 10, 10)));
    EXPECT_TRUE(sections.isThereGraphicAtPoint(QPointF(12, 212)));
    EXPECT_FALSE(sections.isThereGraphicAtNewLocation(*top, QRectF(500, 100, 10, 10)));
    EXPECT_TRUE(sections.isThereGraphicAtNewLocation(*top, QRectF(5, 305, 10, 10)));
    EXPECT_TRUE(sections.isThereGraphicAtNewLocation(*s1, QRectF(0, 150, 10, 100)));
    EXPECT_FALSE(SectionOperations::showSectionEditorFlag());
}

TEST_F(InsertionTest, GraphicsAskTheSameServiceForImageNames)
{
    SectionEnvironment environment(*context);
    EXPECT_EQ(environment.nextImageName(), QStringLiteral("image0"));
    EXPECT_EQ(environment.nextImageName(), QStringLiteral("image1"));
    EXPECT_EQ(environment.currentDocPath(), pageFolder());
    auto section = makeSection(3, {0, 0}, {400}, 100);
    auto inside = std::make_shared<SKTRectangle>();
    inside->setBounds({10, 10, 10, 10});
    inside->setSectionNumber(3);
    place({section, inside});
    EXPECT_EQ(environment.findObjectsInSection(*section), QList<SKTGraphic *>{inside.get()});
    EXPECT_TRUE(inside->movingAsPartOfSection());
    EXPECT_EQ(environment.grabOverLappingSectionCell(QPointF(50, 50)), QRectF(0, 0, 400, 100));
}

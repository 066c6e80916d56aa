#include "GraphicTestKinds.h"
#include "support/FakeGraphicEnvironment.h"

#include "config/EditionSettings.h"
#include "model/Geometry.h"
#include "model/GraphicSpatialIndex.h"
#include "model/SKTGraphic.h"

#include <QCoreApplication>
#include <QCursor>
#include <QPixmap>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {
class EditionFixture : public ::testing::Test {
protected:
    void SetUp() override { EditionSettings::resetToInitialState(); }
    void TearDown() override { EditionSettings::resetToInitialState(); }
};

class TestLine : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("SKTLine"); }
};

void spinEventLoop(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}
} // namespace

TEST(GeometryRules, PointInRectIsHalfOpen)
{
    const QRectF r(0, 0, 10, 10);
    EXPECT_TRUE(Geometry::pointInRect({0, 0}, r));
    EXPECT_TRUE(Geometry::pointInRect({9.99, 9.99}, r));
    EXPECT_FALSE(Geometry::pointInRect({10, 5}, r));
    EXPECT_FALSE(Geometry::pointInRect({5, 10}, r));
}

TEST(GeometryRules, UnionIgnoresEmptyRectangles)
{
    EXPECT_EQ(Geometry::unionRect({0, 0, 10, 10}, {20, 5, 10, 10}), QRectF(0, 0, 30, 15));
    EXPECT_EQ(Geometry::unionRect({0, 0, 10, 10}, {100, 100, 0, 50}), QRectF(0, 0, 10, 10));
    EXPECT_EQ(Geometry::unionRect({50, 50, 10, 0}, {0, 0, 10, 10}), QRectF(0, 0, 10, 10));
    SKTGraphic a, b;
    a.setBounds({0, 0, 10, 10});
    b.setBounds({20, 5, 10, 10});
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({}), QRectF());
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({&a, &b}), QRectF(0, 0, 30, 15));
}

TEST(GeometryRules, RectangleStringsRoundTripAndToleratedForms)
{
    const QRectF r(-1.5, 2, 300.25, 1e-3);
    EXPECT_EQ(Geometry::rectFromString(Geometry::rectToString(r)), r);
    EXPECT_EQ(Geometry::rectFromString(QStringLiteral("{{1,2},{3,4}}")), QRectF(1, 2, 3, 4));
    EXPECT_EQ(Geometry::rectFromString(QStringLiteral("{{1, 2}}")), QRectF());
    EXPECT_EQ(Geometry::pointFromString(QStringLiteral("{7, -8}")), QPointF(7, -8));
    EXPECT_EQ(Geometry::clampToInt(3e10), INT32_MAX);
    EXPECT_EQ(Geometry::clampToInt(std::nan("")), 0);
    EXPECT_EQ(Geometry::clampToInt(-7.9), -7);
}

TEST_F(EditionFixture, DrawingBoundsGrowByHandleOrLineMargin)
{
    TestLine line;
    line.setBounds({0, 0, 10, 10});
    EXPECT_EQ(line.drawingBounds(), QRectF(-52, -52, 114, 114));
    SKTGraphic g;
    g.setBounds({0, 0, 10, 10});
    EXPECT_EQ(g.drawingBounds(), QRectF(-7, -7, 24, 24)); // handle size 10
}

TEST_F(EditionFixture, HandlesHitTestInNumberOrder)
{
    SKTGraphic g;
    g.setBounds({100, 100, 4, 4}); // tiny: handles 1 and 2 overlap
    EXPECT_EQ(g.handleUnderPoint({101, 100}), 1);
    EXPECT_EQ(g.handleUnderPoint({108, 108}), 8);
    EXPECT_EQ(g.handleUnderPoint({150, 150}), 0);
}

TEST_F(EditionFixture, HandlesShowOnlyForSelectableNonOptionGraphics)
{
    SKTGraphic g;
    g.setBounds({0, 0, 100, 50});
    EXPECT_TRUE(g.visibleHandlePoints().isEmpty());
    g.setSelectable(true);
    EXPECT_EQ(g.visibleHandlePoints().size(), 8);
    gResponsiveEdition = true;
    EXPECT_EQ(g.visibleHandlePoints(), (QList<QPointF>{{0, 0}, {50, 0}, {50, 50}, {100, 0}, {0, 50}, {100, 50}}));
    g.setFormType(QStringLiteral("checkbox"));
    EXPECT_TRUE(g.visibleHandlePoints().isEmpty());
}

struct ResizeCase {
    QRectF start;
    int handle;
    QPointF to;
    QRectF expected;
    int expectedHandle;
};

TEST_F(EditionFixture, ResizingFollowsTheHandleAndFlips)
{
    const ResizeCase cases[] = {
        {{0, 0, 100, 50}, 8, {150, 80}, {0, 0, 150, 80}, 8},
        {{100, 0, 50, 50}, 4, {200, 20}, {150, 0, 50, 50}, 5},
        {{0, 0, 100, 50}, 2, {30, 70}, {0, 50, 100, 20}, 7},
        {{0, 0, 100, 50}, 1, {10, 5}, {10, 5, 90, 45}, 1},
    };
    for (const ResizeCase &c : cases) {
        SKTGraphic g;
        g.setBounds(c.start);
        EXPECT_EQ(g.resizeByMovingHandle(c.handle, c.to), c.expectedHandle);
        EXPECT_EQ(g.bounds(), c.expected);
    }
}

TEST_F(EditionFixture, ImagesKeepTheirAspect)
{
    TestImage image;
    image.setBounds({0, 0, 200, 100});
    image.resizeByMovingHandle(5, {300, 50});
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 300, 150));

    // A zero height has no aspect to keep: no division by zero, no infinity.
    TestImage flat;
    flat.setBounds({0, 0, 200, 0});
    flat.resizeByMovingHandle(5, {300, 0});
    EXPECT_EQ(flat.bounds(), QRectF(0, 0, 300, 0));
    flat.resizeByMovingHandle(8, {300, 40});
    EXPECT_TRUE(std::isfinite(flat.bounds().width()));
    EXPECT_EQ(flat.bounds(), QRectF(0, 0, 300, 40));
}

TEST_F(EditionFixture, ResponsiveImagesCentreWithPaddings)
{
    gResponsiveEdition = true;
    TestImage image;
    image.natural = QSizeF(400, 200); // 2:1
    image.setBounds({0, 0, 300, 150});
    image.resizeByMovingHandle(8, {300, 100});
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 300, 100));
    EXPECT_EQ(image.leftPadding(), 16);
    EXPECT_EQ(image.rightPadding(), 16);
    EXPECT_EQ(image.leftPaddingType(), QStringLiteral("%"));

    image.resizeByMovingHandle(8, {300, 200}); // would need negative padding
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 300, 100));

    SKTGraphic g; // no middle handles in responsive editions: width stays
    g.setBounds({0, 0, 100, 50});
    g.resizeByMovingHandle(5, {300, 25});
    EXPECT_EQ(g.bounds(), QRectF(0, 0, 100, 50));

    TestImage empty; // no picture: resizes as a plain box instead of dividing by zero
    empty.setBounds({0, 0, 300, 150});
    empty.resizeByMovingHandle(8, {300, 100});
    EXPECT_EQ(empty.bounds(), QRectF(0, 0, 300, 100));
    EXPECT_EQ(empty.leftPadding(), 0);
}

TEST_F(EditionFixture, PreventingOverlapRefusesResizesThatOverlapOrLeaveTheSection)
{
    gPreventOverlap = true;
    FakeGraphicEnvironment env;
    TestSection section;
    section.setSectionNumber(1);
    section.setBounds({0, 100, 500, 200});
    SKTGraphic a, b;
    a.setSectionNumber(1);
    a.setBounds({10, 110, 50, 50});
    b.setSectionNumber(1);
    b.setBounds({100, 110, 50, 50});
    env.page = {&section, &a, &b};

    a.resizeByMovingHandle(8, {120, 160}); // into b
    EXPECT_EQ(a.bounds(), QRectF(10, 110, 50, 50));
    a.resizeByMovingHandle(8, {80, 400}); // out of the section
    EXPECT_EQ(a.bounds(), QRectF(10, 110, 50, 50));
    a.resizeByMovingHandle(8, {80, 200});
    EXPECT_EQ(a.bounds(), QRectF(10, 110, 70, 90));
}

TEST_F(EditionFixture, BoxModelRectangles)
{
    SKTGraphic g;
    g.setBounds({0, 0, 200, 100});
    g.setBorderWidth(3);
    g.drawBoxModel();
    EXPECT_EQ(g.drawRect(), QRectF(1, 1, 197, 97));
    EXPECT_EQ(g.contentRect(), QRectF(3, 3, 194, 94));

    SKTGraphic p;
    p.setBounds({0, 0, 200, 300});
    p.setTopMargin(10);
    p.setTopMarginType(QStringLiteral("%"));
    p.setLeftMargin(10);
    p.setLeftMarginType(QStringLiteral("%"));
    p.drawBoxModel();
    EXPECT_FLOAT_EQ(p.topMarginInPx(), 30);
    EXPECT_FLOAT_EQ(p.leftMarginInPx(), 20);
}

TEST_F(EditionFixture, PaddingLevelsApplyAndGrowTheSection)
{
    FakeGraphicEnvironment env;
    TestSection section;
    section.setBounds({0, 0, 500, 100});
    section.setLeftPaddingLevelString(QStringLiteral("Large"));
    section.setTopPaddingLevelString(QStringLiteral("Medium"));
    section.setBottomPaddingLevelString(QStringLiteral("Huge")); // not a level: unchanged
    section.setBottomPadding(4);
    section.setBottomPaddingType(QStringLiteral("pixel"));
    section.drawBoxModel();
    section.applyPaddingAndMargin();
    EXPECT_EQ(section.leftPadding(), 15);
    EXPECT_EQ(section.leftPaddingType(), QStringLiteral("%"));
    EXPECT_EQ(section.topPadding(), 30);
    EXPECT_EQ(section.topPaddingType(), QStringLiteral("pixel"));
    EXPECT_EQ(section.bottomPadding(), 4);
    EXPECT_EQ(section.bounds(), QRectF(0, 0, 500, 130));
    ASSERT_EQ(env.pushedRects.size(), 1);
    EXPECT_EQ(env.pushedRects[0], QRectF(0, 100, 500, 30));
}

TEST_F(EditionFixture, PaddingLevelsKeepTheContentOfAGraphicNeverDrawnOrMovedSince)
{
    SKTGraphic fresh; // never drawn: no box measured yet
    fresh.setBounds({0, 0, 200, 100});
    fresh.setTopPaddingLevelString(QStringLiteral("Small"));
    fresh.applyPaddingAndMargin();
    EXPECT_EQ(fresh.bounds(), QRectF(0, 0, 200, 120));

    SKTGraphic resized;
    resized.setBounds({0, 0, 200, 100});
    resized.drawBoxModel();
    resized.setBounds({0, 0, 200, 300}); // grown since it was last drawn
    resized.setBottomMarginLevelString(QStringLiteral("Tiny"));
    resized.applyPaddingAndMargin();
    EXPECT_EQ(resized.bounds(), QRectF(0, 0, 200, 310));
}

TEST_F(EditionFixture, RefreshingColoursClearsAnEmptyBackground)
{
    FakeGraphicEnvironment env;
    SKTGraphic g;
    g.setBounds({0, 0, 10, 10});
    g.setBackgroundHexColorString(QString(QLatin1String("")));
    EXPECT_TRUE(g.isContentsUnderPoint({5, 5}));
    EXPECT_FALSE(g.isContentsUnderPoint({10, 5}));
    EXPECT_EQ(g.backgroundHexColorString(), QStringLiteral("CLEAR0"));
    EXPECT_TRUE(env.calls.contains(QStringLiteral("refreshInspectorPanel")));
}

TEST_F(EditionFixture, ResponsiveMovesAreVerticalAndStopAtThePageTop)
{
    gResponsiveEdition = true;
    SKTGraphic above, other, locked;
    for (SKTGraphic *g : {&above, &other, &locked})
        g->setSelectable(true);
    above.setBounds({0, -5, 10, 10});
    other.setBounds({50, 50, 10, 10});
    locked.setBounds({80, 80, 10, 10});
    locked.setMoveLock(1);
    SKTGraphic::translateGraphics({&above, &other, &locked}, 5, -10);
    EXPECT_EQ(above.bounds(), QRectF(0, -5, 10, 10));
    EXPECT_EQ(other.bounds(), QRectF(50, 50, 10, 10)); // dy stays 0 after the first
    EXPECT_EQ(locked.bounds(), QRectF(80, 80, 10, 10));

    SKTGraphic::translateGraphics({&other}, 5, 10);
    EXPECT_EQ(other.bounds(), QRectF(50, 60, 10, 10));
}

TEST_F(EditionFixture, MovingASectionCarriesItsGraphics)
{
    FakeGraphicEnvironment env;
    TestSection section;
    section.setSelectable(true);
    section.setSectionNumber(2);
    section.setBounds({0, 100, 500, 200});
    SKTGraphic inside, after;
    inside.setSelectable(true);
    inside.setSectionNumber(2);
    inside.setBounds({10, 120, 20, 20});
    after.setSelectable(true);
    after.setSectionNumber(-99);
    after.setBounds({300, 400, 20, 20});
    env.page = {&section, &inside, &after};
    SKTGraphic::translateGraphics({&section, &after}, 7, 30);
    EXPECT_EQ(section.bounds(), QRectF(7, 130, 500, 200));
    EXPECT_EQ(inside.bounds(), QRectF(10, 150, 20, 20));
    EXPECT_EQ(after.bounds(), QRectF(300, 430, 20, 20)); // dx dropped after a section
    EXPECT_EQ(env.calls.count(QStringLiteral("reAlignFormOptions")), 1);
}

TEST_F(EditionFixture, SectionBandAllowsEqualityAtTheEdges)
{
    FakeGraphicEnvironment env;
    TestSection section;
    section.setSectionNumber(1);
    section.setBounds({0, 100, 500, 200});
    SKTGraphic g;
    g.setSectionNumber(1);
    g.setBounds({10, 150, 20, 20});
    env.page = {&section, &g};
    EXPECT_TRUE(SKTGraphic::isGraphicOutsideOfSection(g, 101 - 150));
    EXPECT_FALSE(SKTGraphic::isGraphicOutsideOfSection(g, 102 - 150));
    EXPECT_FALSE(SKTGraphic::isGraphicOutsideOfSection(g, 298 - 170));
    EXPECT_TRUE(SKTGraphic::isGraphicOutsideOfSection(g, 299 - 170));
    EXPECT_FALSE(SKTGraphic::isGraphicOutsideOfSection(section, 1000));
    // With no section found nothing fits the containment area.
    g.setSectionNumber(9);
    EXPECT_TRUE(SKTGraphic::isGraphicContainedWithinSection(g, QRectF(10, 10, 1, 1)));
}

TEST_F(EditionFixture, OverlapRepairRunsOnceAfterTheLastMove)
{
    gPreventOverlap = true;
    FakeGraphicEnvironment env;
    env.useIntersection = false;
    SKTGraphic g;
    g.setSelectable(true);
    g.setSectionNumber(-99);
    g.setBounds({0, 0, 10, 10});
    SKTGraphic::translateGraphics({&g}, 0, 5); // no overlap at start: remembered
    EXPECT_EQ(g.lastNoOverlapRect(), QRectF(0, 0, 10, 10));
    spinEventLoop(100);
    env.overlapAnswer = true; // now it overlaps
    SKTGraphic::translateGraphics({&g}, 0, 5);
    EXPECT_TRUE(g.hasPendingOverlapCheck());
    env.calls.clear();
    spinEventLoop(150);
    EXPECT_TRUE(g.hasPendingOverlapCheck()); // restarted by the second move
    spinEventLoop(150);
    EXPECT_FALSE(g.hasPendingOverlapCheck());
    EXPECT_EQ(env.calls.count(QStringLiteral("findObjectsInSection")), 1);
    EXPECT_EQ(g.bounds(), QRectF(0, 0, 10, 10)); // back where it overlapped nothing
}

TEST_F(EditionFixture, PendingRepairDiesWithItsGraphic)
{
    gPreventOverlap = true;
    FakeGraphicEnvironment env;
    {
        auto g = std::make_unique<SKTGraphic>();
        g->setSelectable(true);
        SKTGraphic::translateGraphics({g.get()}, 0, 5);
        EXPECT_TRUE(g->hasPendingOverlapCheck());
    }
    env.calls.clear();
    spinEventLoop(300); // would touch freed memory if the call outlived it
    EXPECT_TRUE(env.calls.isEmpty());
}

TEST(SpatialIndex, FindsIntersectingGraphicsAfterMovesAndForHugeOnes)
{
    SKTGraphic a, b, huge;
    a.setBounds({0, 0, 10, 10});
    b.setBounds({500, 500, 10, 10});
    huge.setBounds({-1e6, -1e6, 2e6, 2e6});
    GraphicSpatialIndex index(64);
    index.insert(&a);
    index.insert(&b);
    EXPECT_EQ(index.graphicsIntersecting({5, 5, 10, 10}), QList<SKTGraphic *>{&a});
    EXPECT_TRUE(index.graphicsIntersecting({10, 0, 5, 5}).isEmpty()); // touching edges do not overlap
    EXPECT_TRUE(index.graphicsIntersecting({5, 5, 10, 10}, &a).isEmpty());
    a.setBounds({495, 495, 10, 10});
    index.update(&a);
    EXPECT_EQ(index.graphicsIntersecting({0, 0, 20, 20}).size(), 0);
    EXPECT_EQ(index.graphicsIntersecting({490, 490, 30, 30}).size(), 2);
    index.insert(&huge);
    EXPECT_EQ(index.graphicsIntersecting({0, 0, 1, 1}), QList<SKTGraphic *>{&huge});
    EXPECT_EQ(index.graphicsIntersecting({-1e7, -1e7, 2e7, 2e7}).size(), 3);
    index.remove(&huge);
    EXPECT_TRUE(index.graphicsIntersecting({0, 0, 1, 1}).isEmpty());
}

TEST(GeometryRules, FloatsFromStoredTextAreClamped)
{
    EXPECT_EQ(Geometry::clampToFloat(1e300), std::numeric_limits<float>::max());
    EXPECT_EQ(Geometry::clampToFloat(-1e300), -std::numeric_limits<float>::max());
    EXPECT_EQ(Geometry::clampToFloat(std::nan("")), 0.0f);
    EXPECT_EQ(Geometry::clampToFloat(1.5), 1.5f);
}

TEST_F(EditionFixture, RotatedDrawingBoundsCoverTheTurnedBox)
{
    SKTGraphic g;
    g.setBounds({0, 0, 100, 20});
    g.setRotationAngle(90);
    const QRectF r = g.drawingBounds(); // (-7, -7, 114, 34) turned about its centre
    EXPECT_NEAR(r.width(), 34, 1e-9);
    EXPECT_NEAR(r.height(), 114, 1e-9);
    EXPECT_NEAR(r.center().x(), 50, 1e-9);
    EXPECT_NEAR(r.center().y(), 10, 1e-9);
}

TEST_F(EditionFixture, SectionHandlesKeepTheSectionAroundItsContents)
{
    FakeGraphicEnvironment env;
    TestSection section;
    section.setBounds({0, 100, 500, 200});
    section.setBottomPadding(20);
    section.setBottomPaddingType(QStringLiteral("pixel"));
    section.drawBoxModel();
    SKTGraphic first, last, below;
    first.setBounds({10, 150, 20, 20});
    last.setBounds({10, 250, 20, 20});
    below.setBounds({0, 320, 50, 50});
    env.topMost = &first;
    env.bottomMost = &last;
    env.page = {&section, &below};

    section.resizeByMovingHandle(2, {250, 160}); // top edge past the first object
    EXPECT_EQ(section.bounds(), QRectF(0, 100, 500, 200));
    section.resizeByMovingHandle(2, {250, 140});
    EXPECT_EQ(section.bounds(), QRectF(0, 140, 500, 160));
    section.resizeByMovingHandle(7, {250, 260}); // bottom edge above the last object's bottom
    EXPECT_EQ(section.bounds(), QRectF(0, 140, 500, 160));
    // Down until its bottom padding reaches the graphic below: pushes, accepted.
    section.resizeByMovingHandle(7, {250, 330});
    EXPECT_EQ(section.bounds(), QRectF(0, 140, 500, 190));
    EXPECT_TRUE(env.calls.contains(QStringLiteral("pushByOnePixel")));
}

TEST_F(EditionFixture, OverlapRepairRealignsSectionsAndRegridsObjectsInResponsiveEditions)
{
    gResponsiveEdition = true;
    FakeGraphicEnvironment env;
    env.touchPoint = QPointF(3, 4);
    TestSection section;
    section.setMovingAsPartOfSection(true);
    SKTGraphic loose, carried;
    loose.setBounds({0, 0, 5, 5});
    carried.setMovingAsPartOfSection(true);
    env.page = {&section, &loose, &carried};

    SKTGraphic::checkforOverlap(section);
    EXPECT_TRUE(env.calls.contains(QStringLiteral("reAlignSectionObjects")));
    EXPECT_FALSE(section.movingAsPartOfSection());

    env.calls.clear();
    SKTGraphic::checkforOverlap(loose);
    EXPECT_TRUE(env.calls.contains(QStringLiteral("isObjectStillInSameSectionGrid")));

    env.calls.clear();
    SKTGraphic::checkforOverlap(carried);
    EXPECT_FALSE(env.calls.contains(QStringLiteral("isObjectStillInSameSectionGrid")));
    EXPECT_FALSE(carried.movingAsPartOfSection());
}

// A graphic that overlapped something where its move began never recorded a
// free place: the repair leaves it where it was put, its size whole.
TEST_F(EditionFixture, OverlapRepairWithNoFreePlaceRecordedLeavesTheGraphicWhereItWasPut)
{
    gResponsiveEdition = true;
    gPreventOverlap = true;
    FakeGraphicEnvironment env;
    SKTGraphic text, other;
    text.setSelectable(true);
    text.setBounds({62, 102, 539, 100});
    other.setBounds({48, 126, 504, 90});
    env.page = {&text, &other};
    SKTGraphic::translateGraphics({&text}, 0, 90);
    EXPECT_EQ(text.lastNoOverlapRect(), QRectF());
    SKTGraphic::checkforOverlap(text);
    EXPECT_EQ(text.bounds(), QRectF(62, 192, 539, 100));

    // With a free place recorded, it goes back there.
    other.setBounds({48, 250, 504, 90});
    text.setBounds({62, 102, 539, 100});
    SKTGraphic::translateGraphics({&text}, 0, 90);
    SKTGraphic::checkforOverlap(text);
    EXPECT_EQ(text.bounds(), QRectF(62, 102, 539, 100));
}

TEST_F(EditionFixture, OverlapRepairWithoutAWindowStillReleasesCarriedGraphics)
{
    // The window may close between a move and its delayed repair.
    gResponsiveEdition = true;
    TestSection section;
    section.setMovingAsPartOfSection(true);
    section.setBounds({0, 0, 100, 100});
    SKTGraphic carried;
    carried.setMovingAsPartOfSection(true);
    carried.setBounds({5, 5, 10, 10});
    SKTGraphic::checkforOverlap(section);
    SKTGraphic::checkforOverlap(carried);
    EXPECT_FALSE(section.movingAsPartOfSection());
    EXPECT_FALSE(carried.movingAsPartOfSection());
    EXPECT_EQ(section.bounds(), QRectF(0, 0, 100, 100));
    EXPECT_EQ(carried.bounds(), QRectF(5, 5, 10, 10));
}

TEST(GeometryRules, CreationCursorIsOneCrossHairCentredOnItsHotSpot)
{
    const QCursor cursor = SKTGraphic::creationCursor();
    const QPixmap pixmap = cursor.pixmap();
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(cursor.hotSpot(), QPoint(pixmap.width() / 2, pixmap.height() / 2));
    const QImage image = pixmap.toImage();
    EXPECT_EQ(image.pixelColor(cursor.hotSpot()), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(SKTGraphic::creationCursor().hotSpot(), cursor.hotSpot());
}

TEST_F(EditionFixture, SectionResizeMeasuresItsPaddingEvenWhenNeverDrawn)
{
    FakeGraphicEnvironment env;
    TestSection section; // bounds set, box never measured
    section.setBounds({0, 100, 500, 200});
    section.setBottomPadding(20);
    section.setBottomPaddingType(QStringLiteral("pixel"));
    SKTGraphic inside;
    inside.setBounds({10, 255, 20, 20});
    env.page = {&section, &inside};
    // The bottom edge at 290 would leave 20 px of padding over the graphic.
    section.resizeByMovingHandle(7, {250, 290});
    EXPECT_EQ(section.bounds(), QRectF(0, 100, 500, 200));
}

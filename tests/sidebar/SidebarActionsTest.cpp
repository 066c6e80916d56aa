// The inspector's actions over real graphics of a real page document: each
// action one undo step that restores every property, the debounced rotation,
// the font-size stepper on tables, and placing graphics in section cells.
#include "SelectionDouble.h"
#include "document/SKTDocument.h"
#include "sidebar/SidebarActions.h"
#include "sidebar/SidebarBindings.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"
#include "support/FakeGraphicEnvironment.h"

#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {
std::shared_ptr<SKTTable> table3x3(const QString &family)
{
    auto table = std::make_shared<SKTTable>();
    QList<SKTTable::Cell> cells;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            auto cell = std::make_shared<myTextView>();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = 50;
            cell->height = 30;
            cell->familyName = family;
            cell->fontSize = 14;
            cell->textAlignment = QStringLiteral("left");
            cells.append(cell);
        }
    table->setCellHelperArray(cells);
    table->setNumOfRows(3);
    table->setNumOfColumns(3);
    table->setFontFamily(family);
    table->setFontSize(14);
    table->SKTGraphic::setBounds(QRectF(300, 10, 150, 90));
    return table;
}
} // namespace

class InspectorActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        text = std::make_shared<SKTText>();
        text->setBounds({10, 10, 100, 40});
        text->setFontSize(12);
        image = std::make_shared<SKTImage>();
        image->setBounds({150, 10, 80, 60});
        line = std::make_shared<SKTLine>();
        line->setBounds({10, 200, 100, 2});
        table = table3x3(QStringLiteral("Serif Family"));
        doc.insertGraphics({text, image, line, table}, {0, 1, 2, 3});
        undo().closeAutomaticGroup();
        selection.select({text.get(), image.get(), line.get(), table.get()});
    }
    UndoManager &undo() { return doc.undoManager(); }
    QList<GraphicProperties> snapshot()
    {
        QList<GraphicProperties> out;
        for (SKTGraphic *g : QList<SKTGraphic *>{text.get(), image.get(), line.get(), table.get()})
            out << g->properties();
        return out;
    }

    SKTDocument doc;
    SelectionDouble selection{doc};
    InspectorActions actions{selection};
    std::shared_ptr<SKTText> text;
    std::shared_ptr<SKTImage> image;
    std::shared_ptr<SKTLine> line;
    std::shared_ptr<SKTTable> table;
};

TEST_F(InspectorActionsTest, EachActionIsOneUndoStepThatRestoresEveryProperty)
{
    struct Case {
        const char *name;
        std::function<void()> act;
        std::function<void()> check;
        int setupSteps = 0;  // steps the act makes before the action, to give it something to change
    };
    const Case cases[] = {
        {"border dashed on width 0, dotted keeps 5",
         [&] {
             image->setBorderWidth(5);
             undo().closeAutomaticGroup();
             actions.updateBorder(1);
         },
         [&] {
             EXPECT_EQ(text->borderWidth(), 2);
             EXPECT_EQ(image->borderWidth(), 5);
         },
         1},
        {"border none clears all",
         [&] {
             text->setBorderWidth(4);
             undo().closeAutomaticGroup();
             actions.updateBorder(3);
         },
         [&] {
             for (SKTGraphic *g : selection.selectedGraphics())
                 EXPECT_EQ(g->borderWidth(), 0);
         },
         1},
        {"detailed shadow on images and text only", [&] { actions.updateDetailedShadow(4.7, -3, 2); },
         [&] {
             EXPECT_EQ(image->shadowRadius(), 4.7f);
             EXPECT_EQ(text->shadowHorizontalOffset(), -3.0f);
             EXPECT_EQ(table->shadowRadius(), 0.0f);
             EXPECT_EQ(line->shadowVerticalOffset(), 0.0f);
         }},
        {"typed font size", [&] { actions.updateTextViewFontSize(QStringLiteral("22")); },
         [&] {
             EXPECT_EQ(text->fontSize(), 22);
             EXPECT_EQ(table->cellHelperArray()[4]->fontSize, 22);
         }},
        {"font family", [&] { actions.updateFontFamily(QStringLiteral("Mono Family")); },
         [&] { EXPECT_EQ(table->cellHelperArray()[0]->familyName, QStringLiteral("Mono Family")); }},
        {"rotation reset", [&] {
             image->setRotationAngle(30);
             undo().closeAutomaticGroup();
             actions.resetRotation(false);
         },
         [&] { EXPECT_EQ(image->rotationAngle(), 0.0f); },
         1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        undo().closeAutomaticGroup();
        const int before = undo().undoCount();
        const QList<GraphicProperties> props = snapshot();
        c.act();
        c.check();
        ASSERT_EQ(undo().undoCount(), before + c.setupSteps + 1);
        for (int i = 0; i <= c.setupSteps; ++i)
            ASSERT_TRUE(undo().undo());
        EXPECT_EQ(snapshot(), props);
    }
}

TEST_F(InspectorActionsTest, RotationBoxOnChangesNothing)
{
    image->setRotationAngle(30);
    undo().closeAutomaticGroup();
    const int before = undo().undoCount();
    actions.resetRotation(true);
    EXPECT_EQ(image->rotationAngle(), 30.0f);
    EXPECT_EQ(undo().undoCount(), before);
}

TEST_F(InspectorActionsTest, RotationDragAppliesOnceAfterRestToTheGraphicsSelectedWhenItMoved)
{
    const int before = undo().undoCount();
    QStringList shown;
    for (int v = 0; v <= 90; v += 5)
        shown << actions.updateRotation(v);
    EXPECT_EQ(shown.last(), QStringLiteral("90"));
    EXPECT_EQ(shown.size(), 19);
    EXPECT_EQ(text->rotationAngle(), 0.0f);  // not during the drag
    EXPECT_TRUE(QTest::qWaitFor([&] { return !actions.rotationPending(); }, 2000));
    EXPECT_EQ(text->rotationAngle(), 90.0f);
    EXPECT_EQ(image->rotationAngle(), 90.0f);
    EXPECT_EQ(line->rotationAngle(), 0.0f);
    EXPECT_EQ(table->rotationAngle(), 0.0f);
    EXPECT_EQ(undo().undoCount(), before + 1);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Rotation"));

    // A selection change before the rest lands the rotation on the old selection.
    actions.updateRotation(45);
    actions.selectionWillChange();
    selection.select({line.get()});
    EXPECT_FALSE(actions.rotationPending());
    EXPECT_EQ(text->rotationAngle(), 45.0f);
}

TEST_F(InspectorActionsTest, FontSizeStepperLeavesTheTableFamilyAndTakesTheFirstSizeAt31)
{
    selection.select({text.get(), table.get()});
    EXPECT_TRUE(actions.differentFontSizeSelected());
    EXPECT_EQ(actions.updateFontSize(31), 12);
    EXPECT_EQ(table->fontFamily(), QStringLiteral("Serif Family"));
    EXPECT_EQ(table->cellHelperArray()[0]->familyName, QStringLiteral("Serif Family"));
    selection.select({text.get()});
    EXPECT_FALSE(actions.differentFontSizeSelected());
    selection.select({text.get(), image.get()});
    EXPECT_FALSE(actions.differentFontSizeSelected());
}

TEST_F(InspectorActionsTest, BindingWriteAndItsActionAreOneStep)
{
    InspectorBindings bindings(selection);
    bindings.restoreBinding();
    undo().closeAutomaticGroup();
    const int before = undo().undoCount();
    const QList<GraphicProperties> props = snapshot();
    actions.afterBinding(bindings, QStringLiteral("opacitySlider"), 0.4, [&] { actions.updateOpacity(); });
    EXPECT_DOUBLE_EQ(text->opacity(), 0.4);
    EXPECT_EQ(undo().undoCount(), before + 1);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(snapshot(), props);
}

TEST(InspectorActionsAlignTest, PlacesInTheCellWithTruncatedArithmetic)
{
    struct Case {
        int alignment;
        QRectF cell, graphic;
        std::optional<double> x;
    };
    const Case cases[] = {
        {0, {10, 0, 301, 50}, {37.5, 5, 100, 20}, 10.0},
        {1, {10, 0, 301, 50}, {37.5, 5, 100, 20}, 110.5},
        {2, {10.4, 0, 200.3, 50}, {0, 5, 80, 20}, 130.0},
        {1, {0, 0, 0, 0}, {20, 0, 10, 5}, -5.0},  // no cell: the zero rectangle
        {3, {10, 0, 301, 50}, {37.5, 5, 100, 20}, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(InspectorActions::alignedX(c.alignment, c.cell, c.graphic), c.x) << c.alignment;
    EXPECT_EQ(InspectorActions::lineSpacingLabel(0.0), QStringLiteral("Default"));
    EXPECT_EQ(InspectorActions::lineSpacingLabel(-0.1), QStringLiteral("Default"));
    EXPECT_EQ(InspectorActions::lineSpacingLabel(0.5), QStringLiteral("0.50"));
}

namespace {
class CellEnvironment : public FakeGraphicEnvironment {
public:
    QRectF cell{10, 0, 301, 400};
    QRectF grabOverLappingSectionCell(const QPointF &) override { return cell; }
};
} // namespace

TEST_F(InspectorActionsTest, RefocusMovesMembersButNotFormItems)
{
    CellEnvironment env;
    auto section = table3x3(QStringLiteral("Serif Family"));
    section->setSectionNumber(4);
    auto radio = std::make_shared<SKTText>();
    radio->setBounds({37.5, 50, 100, 20});
    radio->setFormTag(2);
    radio->setFormOptionTag(1);
    text->setFormTag(-99);
    text->setFormOptionTag(-99);
    for (SKTGraphic *g : QList<SKTGraphic *>{text.get(), image.get(), radio.get()}) {
        g->setSectionNumber(4);
        g->setResponsiveAlignment(2);
    }
    env.page = {section.get(), text.get(), image.get(), radio.get()};
    actions.refocusResponsiveAlignment(*section);
    EXPECT_EQ(text->bounds().x(), 311 - 100);
    EXPECT_EQ(image->bounds().x(), 311 - 80);
    EXPECT_EQ(radio->bounds().x(), 37.5);
}

#include <QLabel>
#include <QSlider>

// The slider moved by real key events: the label follows every step, the
// graphics turn once after the slider rests.
TEST_F(InspectorActionsTest, SliderStepsRotateOnceAfterRest)
{
    QSlider slider(Qt::Horizontal);
    slider.setRange(0, 360);
    QLabel label;
    QStringList shown;
    QObject::connect(&slider, &QSlider::valueChanged, [&](int v) {
        label.setText(actions.updateRotation(v));
        shown << label.text();
    });
    slider.show();
    const int steps = undo().undoCount();
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&slider, Qt::Key_Right);
    EXPECT_EQ(shown.size(), 30);
    EXPECT_EQ(label.text(), QStringLiteral("30"));
    EXPECT_EQ(text->rotationAngle(), 0.0f);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !actions.rotationPending(); }, 2000));
    EXPECT_EQ(text->rotationAngle(), 30.0f);
    EXPECT_EQ(undo().undoCount(), steps + 1);
}

// The inspector's bindings over real graphics of a real page document: what
// the controls show, edits as single named undo steps, refusals, slider
// drags, refreshes without echo.
#include "SelectionDouble.h"
#include "document/SKTDocument.h"
#include "sidebar/SidebarBindings.h"
#include "model/GraphicPainter.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {
std::shared_ptr<SKTText> textAt(double x, double opacity, int fontSize)
{
    auto t = std::make_shared<SKTText>();
    t->setBounds({x, 10, 100, 40});
    t->setOpacity(opacity);
    t->setFontSize(fontSize);
    return t;
}
} // namespace

class InspectorBindingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = textAt(0, 1.0, 12);
        b = textAt(200, 0.5, 12);
        c = textAt(400, 0.5, 14);
        doc.insertGraphics({a, b, c}, {0, 1, 2});
        undo().closeAutomaticGroup();
        steps = undo().undoCount();
        bindings.setObserver([this](const QString &control, const ControlDisplay &d) { shown[control] = d; });
        bindings.restoreBinding();
    }
    UndoManager &undo() { return doc.undoManager(); }
    int newSteps() { return doc.undoManager().undoCount() - steps; }

    SKTDocument doc;
    SelectionDouble selection{doc};
    InspectorBindings bindings{selection};
    std::shared_ptr<SKTText> a, b, c;
    QHash<QString, ControlDisplay> shown;
    int steps = 0;
};

TEST_F(InspectorBindingsTest, ShowsPlaceholdersForNoSelectionAndEmptyFieldsForMixedValues)
{
    for (const char *field : {"originXTextField", "widthTextField", "topPaddingTextField", "sectionIDTextField",
                              "fontSizeTextbox", "borderWidthTextField", "opacityTextField",
                              "cornerRadiusTextField", "reflectionSizeTextField"}) {
        EXPECT_TRUE(shown[field].noSelection) << field;
        EXPECT_EQ(shown[field].text, QString()) << field;
        EXPECT_EQ(shown[field].placeholder, QString()) << field;
    }
    EXPECT_EQ(shown["hyperLinkTextField"].placeholder, QStringLiteral("http://"));
    EXPECT_EQ(shown["altTextField"].placeholder, QStringLiteral("Image Tooltip Text"));
    EXPECT_TRUE(shown["fontSizeStepper"].hidden);

    selection.select({b.get(), c.get()});
    EXPECT_EQ(bindings.read(QStringLiteral("opacity")).state, KeyReading::State::Value);
    EXPECT_EQ(shown["opacityTextField"].text, QStringLiteral("0.5"));
    EXPECT_EQ(shown["widthTextField"].text, QStringLiteral("100"));
    EXPECT_TRUE(shown["fontSizeTextbox"].mixed);
    EXPECT_EQ(shown["fontSizeTextbox"].text, QString());
    EXPECT_FALSE(shown["fontSizeStepper"].hidden);
    EXPECT_FALSE(shown["fontSizeStepper"].enabled);
    EXPECT_FALSE(shown["textAlignmentSegmentedControl"].value.isValid() && shown["originXTextField"].mixed == false);

    selection.select({a.get(), b.get()});
    EXPECT_EQ(bindings.read(QStringLiteral("opacity")).state, KeyReading::State::Mixed);
    EXPECT_EQ(shown["opacityTextField"].text, QString());
    EXPECT_TRUE(shown["opacityTextField"].mixed);
    EXPECT_TRUE(shown["fontSizeStepper"].enabled);
}

TEST_F(InspectorBindingsTest, AnEditSetsEveryGraphicAsOneNamedStep)
{
    selection.select({a.get(), b.get(), c.get()});
    EXPECT_TRUE(bindings.edit(QStringLiteral("widthTextField"), QStringLiteral("250")).accepted);
    for (auto *g : {a.get(), b.get(), c.get()})
        EXPECT_EQ(g->width(), 250);
    EXPECT_EQ(newSteps(), 1);
    EXPECT_EQ(shown["widthTextField"].text, QStringLiteral("250"));
    ASSERT_TRUE(undo().undo());
    for (auto *g : {a.get(), b.get(), c.get()})
        EXPECT_EQ(g->width(), 100);

    EXPECT_TRUE(bindings.edit(QStringLiteral("opacityTextField"), QStringLiteral("0.25")).accepted);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Change of Opacity"));
    EXPECT_TRUE(bindings.edit(QStringLiteral("borderSegmentedControl"), QStringLiteral("dashed")).accepted);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Change of Border Type"));
    EXPECT_TRUE(bindings.edit(QStringLiteral("hyperLinkTextField"), QStringLiteral(" #contact ")).accepted);
    EXPECT_EQ(a->link(), QStringLiteral("#contact"));
    EXPECT_TRUE(bindings.edit(QStringLiteral("shadowSegmentedControl"), 1).accepted);
    EXPECT_EQ(c->shadowFlag(), 1);
    EXPECT_EQ(newSteps(), 4);
    ASSERT_TRUE(undo().undo());
    ASSERT_TRUE(undo().undo());
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(b->borderStyle(), QStringLiteral("none"));
    EXPECT_EQ(b->opacity(), 0.25);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(a->opacity(), 1.0);
    EXPECT_EQ(b->opacity(), 0.5);
}

TEST_F(InspectorBindingsTest, RefusesBadInputWithoutChangeOrStepAndShowsTheValueAgain)
{
    selection.select({a.get(), b.get()});
    struct Case {
        const char *control;
        const char *text;
    };
    for (const Case &x : {Case{"fontSizeTextbox", "4"}, Case{"fontSizeTextbox", "296"},
                          Case{"fontSizeTextbox", "12.5"}, Case{"fontSizeTextbox", "abc"},
                          Case{"opacityTextField", "1.5"}, Case{"opacityTextField", "-0.1"},
                          Case{"opacityTextField", ""}, Case{"borderWidthTextField", "11"},
                          Case{"lineWidthTextField", "-1"}, Case{"cornerRadiusTextField", "101"},
                          Case{"widthTextField", "0"}, Case{"heightTextField", "20001"},
                          Case{"widthTextField", "nan"}, Case{"originXTextField", "1e300"},
                          Case{"hyperLinkTextField", "javascript:alert(1)"}, Case{"sectionIDTextField", "1a"},
                          Case{"onClickShowTextField", "a b"}, Case{"borderSegmentedControl", "wavy"},
                          Case{"shadowSegmentedControl", "-1"}}) {
        const QString control = QLatin1String(x.control);
        shown.remove(control);
        const EditResult r = bindings.edit(control, QString::fromUtf8(x.text));
        EXPECT_FALSE(r.accepted) << x.control << " " << x.text;
        EXPECT_FALSE(r.message.isEmpty()) << x.control << " " << x.text;
        EXPECT_TRUE(shown.contains(control)) << x.control;  // shown again
    }
    EXPECT_EQ(newSteps(), 0);
    EXPECT_EQ(a->fontSize(), 12);
    EXPECT_EQ(a->opacity(), 1.0);
    EXPECT_EQ(a->width(), 100);
    EXPECT_EQ(shown["fontSizeTextbox"].text, QStringLiteral("12"));

    // The ends of the ranges are taken; the wide border option reaches 30.
    EXPECT_TRUE(bindings.edit(QStringLiteral("fontSizeTextbox"), QStringLiteral("295")).accepted);
    EXPECT_TRUE(bindings.edit(QStringLiteral("widthTextField"), QStringLiteral("20000")).accepted);
    EXPECT_FALSE(bindings.edit(QStringLiteral("borderWidthTextField"), QStringLiteral("25")).accepted);
    bindings.setBorderWidthMaximum(30);
    EXPECT_TRUE(bindings.edit(QStringLiteral("borderWidthTextField"), QStringLiteral("25")).accepted);
    EXPECT_EQ(b->borderWidth(), 25);
    EXPECT_EQ(newSteps(), 3);
}

TEST_F(InspectorBindingsTest, ASliderDragIsOneStepAndRefreshesDoNotEcho)
{
    selection.select({a.get(), b.get()});
    // A widget adapter that turns every shown value into an edit, as a
    // careless valueChanged connection would: nothing may come of it.
    bindings.setObserver([this](const QString &control, const ControlDisplay &d) {
        shown[control] = d;
        if (d.value.isValid())
            bindings.edit(control, d.value);
    });
    bindings.beginSliderDrag();
    for (double v : {0.9, 0.6, 0.3})
        EXPECT_TRUE(bindings.edit(QStringLiteral("opacitySlider"), v).accepted);
    bindings.endSliderDrag();
    EXPECT_EQ(newSteps(), 1);
    EXPECT_EQ(shown["opacityTextField"].text, QStringLiteral("0.3"));
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(a->opacity(), 1.0);
    EXPECT_EQ(b->opacity(), 0.5);

    // A change made elsewhere (undo, a script) shows at the next report.
    a->setOpacity(0.5);
    selection.selectionOrGraphicsChanged();
    EXPECT_EQ(shown["opacityTextField"].text, QStringLiteral("0.5"));
}

TEST_F(InspectorBindingsTest, ApplyRotationShowsTurnedGraphicsAndNeverWritesAnAngle)
{
    selection.select({a.get()});
    EXPECT_EQ(shown["rotationApplyCheckmark"].checkState, 0);
    EXPECT_TRUE(bindings.edit(QStringLiteral("rotationApplyCheckmark"), true).accepted);
    EXPECT_EQ(a->rotationAngle(), 0.0f);
    EXPECT_EQ(newSteps(), 0);
    EXPECT_EQ(shown["rotationApplyCheckmark"].checkState, 0);

    EXPECT_TRUE(bindings.edit(QStringLiteral("rotationSlider"), 30.0).accepted);
    EXPECT_EQ(shown["rotationApplyCheckmark"].checkState, 1);
    selection.select({a.get(), b.get()});
    EXPECT_EQ(shown["rotationApplyCheckmark"].checkState, 2);
    EXPECT_TRUE(bindings.edit(QStringLiteral("rotationApplyCheckmark"), false).accepted);
    EXPECT_EQ(a->rotationAngle(), 0.0f);
    EXPECT_EQ(newSteps(), 2);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Change of Rotation"));
}

TEST_F(InspectorBindingsTest, UnboundControlsChangeNothingUntilRestored)
{
    selection.select({a.get()});
    bindings.unbindEverything();
    EXPECT_FALSE(bindings.edit(QStringLiteral("opacityTextField"), QStringLiteral("0.2")).accepted);
    EXPECT_EQ(a->opacity(), 1.0);
    shown.clear();
    selection.select({b.get()});
    EXPECT_TRUE(shown.isEmpty());
    bindings.restoreBinding();
    bindings.restoreBinding();
    EXPECT_EQ(shown["opacityTextField"].text, QStringLiteral("0.5"));
    EXPECT_EQ(shown.size(), 68);  // every control, those sharing a key included
}

TEST_F(InspectorBindingsTest, ColumnBufferAndLayerIndexAreStepsOfTheirOwn)
{
    auto section = std::make_shared<SKTTable>();
    section->setGridType(QStringLiteral("section"));
    section->setBounds({0, 100, 300, 100});
    doc.insertGraphics({section}, {3});
    undo().closeAutomaticGroup();
    steps = undo().undoCount();
    selection.select({a.get(), section.get()});

    EXPECT_TRUE(bindings.setColumnGapLevel(QStringLiteral("Medium")).accepted);
    EXPECT_EQ(section->padding(), 30);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Change of Section Column Buffer"));
    EXPECT_FALSE(bindings.setColumnGapLevel(QStringLiteral("Huge")).accepted);

    EXPECT_FALSE(bindings.setLayerIndex(QStringLiteral("top")).accepted);
    EXPECT_TRUE(bindings.setLayerIndex(QStringLiteral("7\nrest")).accepted);
    EXPECT_EQ(a->manualLayerIndex(), 7);
    EXPECT_EQ(section->manualLayerIndex(), 7);
    EXPECT_TRUE(bindings.setLayerIndex(QString()).accepted);
    EXPECT_EQ(a->manualLayerIndex(), 0);
    EXPECT_EQ(newSteps(), 3);
    ASSERT_TRUE(undo().undo());
    EXPECT_EQ(a->manualLayerIndex(), 7);
}

TEST(InspectorUndoKeysTest, DrawingSettlesBorderWidthsWithoutAnUndoStep)
{
    SKTDocument doc;
    auto line = std::make_shared<SKTLine>();
    line->setBorderStyle(QStringLiteral("dashed"));
    line->setBorderWidth(0);
    line->setBeginPoint({0, 0});
    line->setEndPoint({50, 50});
    doc.insertGraphics({line}, {0});
    doc.undoManager().closeAutomaticGroup();
    const int steps = doc.undoManager().undoCount();
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter qp(&image);
    GraphicPainter painter(qp);
    line->bezierPathForDrawing(painter);
    qp.end();
    doc.undoManager().closeAutomaticGroup();
    EXPECT_EQ(line->borderWidth(), 1);
    EXPECT_EQ(doc.undoManager().undoCount(), steps);
}

TEST(InspectorUndoKeysTest, GeneratingAPageRecordsNoUndoStep)
{
    SKTDocument doc;
    auto text = std::make_shared<SKTText>();
    text->setBounds({0, 60, 100, 40});
    text->setTextType(QStringLiteral("Text"));
    text->setTextString(QStringLiteral("Contact"));
    text->setLink(QStringLiteral("contact.html"));
    text->setLinkOption(QString());  // generation settles it to "_self"
    doc.insertGraphics({text}, {0});
    doc.undoManager().closeAutomaticGroup();
    const int steps = doc.undoManager().undoCount();
    const bool edited = doc.undoManager().isDocumentEdited();
    doc.generateSourceCode(QStringLiteral("index"), false, false, nullptr);
    doc.undoManager().closeAutomaticGroup();
    EXPECT_EQ(text->linkOption(), QStringLiteral("_self"));
    EXPECT_EQ(doc.undoManager().undoCount(), steps);
    EXPECT_EQ(doc.undoManager().isDocumentEdited(), edited);
    EXPECT_TRUE(doc.undoManager().isUndoRegistrationEnabled());
}

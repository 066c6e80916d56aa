// Text boxes, bubbles and snippets: the dictionary each maker writes.
#include "InsertionFixture.h"

#include "insertion/LineMaker.h"
#include "insertion/TextBoxFactory.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"

TEST_F(InsertionTest, TextBoxPaddingAndMarginsFollowTheEditionAndFullWidth)
{
    struct Case {
        bool responsive, full;
        const char *topPad, *leftPad, *leftMargin, *padType, *vertical;
    };
    const Case cases[] = {
        {false, false, "0", "0", "0", "%", "0"},
        {false, true, "0", "0", "0", "%", "0"},
        {true, false, "10", "10", "0", "pixel", "0"},
        {true, true, "0", "10", "10", "pixel", "1"},
    };
    for (const Case &c : cases) {
        gResponsiveEdition = c.responsive;
        TextBoxSpec spec;
        spec.fullWidth = c.full;
        const GraphicProperties p = TextBoxFactory::textBoxProperties(spec);
        SCOPED_TRACE(QStringLiteral("responsive %1 full %2").arg(c.responsive).arg(c.full).toStdString());
        EXPECT_EQ(p.string("topPadding"), QLatin1String(c.topPad));
        EXPECT_EQ(p.string("bottomPadding"), QLatin1String(c.topPad));
        EXPECT_EQ(p.string("leftPadding"), QLatin1String(c.leftPad));
        EXPECT_EQ(p.string("rightMargin"), QLatin1String(c.leftMargin));
        EXPECT_EQ(p.string("topMargin"), QStringLiteral("0"));
        EXPECT_EQ(p.string("leftPaddingType"), QLatin1String(c.padType));
        EXPECT_EQ(p.string("leftMarginType"), QStringLiteral("%"));
        EXPECT_EQ(p.string("verticalAlignment"), QLatin1String(c.vertical));
        EXPECT_EQ(p.string("topPaddingLevelString"), QStringLiteral("Small"));
        EXPECT_EQ(p.string("topMarginLevelString"), QStringLiteral("None"));
    }
}

TEST_F(InsertionTest, TextBoxValuesReachTheGraphic)
{
    TextBoxFactory boxes(*frame);
    TextBoxSpec spec;
    spec.text = QStringLiteral("Hello");
    spec.frame = QRectF(10, 20, 300, 150);
    spec.fillColour = QStringLiteral("FDF5E6");
    spec.alignment = QStringLiteral("justify");
    spec.textKind = QStringLiteral("HTMLSnippet");
    spec.fontSize = 15;
    const GraphicProperties p = TextBoxFactory::textBoxProperties(spec);
    EXPECT_EQ(p.string("fontSize"), QStringLiteral("15.000000"));
    EXPECT_EQ(p.string("fontAlignment"), QStringLiteral("0"));
    EXPECT_EQ(p.string("snippetFormatFlag"), QStringLiteral("1"));
    EXPECT_EQ(p.string("link"), QStringLiteral(""));
    spec.textKind = QStringLiteral("Text");
    spec.alignment = QStringLiteral("right");
    EXPECT_FALSE(TextBoxFactory::textBoxProperties(spec).contains("snippetFormatFlag"));
    EXPECT_EQ(TextBoxFactory::textBoxProperties(spec).string("fontAlignment"), QStringLiteral("2"));

    auto cream = boxes.addTextBox(spec);
    spec.fillColour = QStringLiteral("CLEAR0");
    auto clear = boxes.addTextBox(spec);
    ASSERT_EQ(doc->graphics().size(), 2);
    EXPECT_EQ(doc->graphics().front(), clear); // the newer in front
    EXPECT_EQ(cream->fillColor(), QColor(0xFD, 0xF5, 0xE6));
    EXPECT_EQ(clear->fillColor().alpha(), 0);
    EXPECT_EQ(clear->backgroundHexColorString(), QStringLiteral("CLEAR0"));
    EXPECT_EQ(cream->textString(), QStringLiteral("Hello"));
    EXPECT_EQ(cream->bounds(), QRectF(10, 20, 300, 150));
}

TEST_F(InsertionTest, BubblesShapesAndSnippets)
{
    TextBoxFactory boxes(*frame);
    auto bubble = std::dynamic_pointer_cast<SKTText>(
        boxes.addZoomBubbleTextbox_drag(QPointF(10.5, 20), 0, QStringLiteral("rectangle"), 1));
    auto star = std::dynamic_pointer_cast<SKTText>(
        boxes.addZoomBubbleTextbox_drag(QPointF(0, 0), 1000, QStringLiteral("star"), 0));
    ASSERT_TRUE(bubble && star);
    EXPECT_EQ(bubble->bounds(), QRectF(10.5, 20, 100, 100));
    EXPECT_EQ(bubble->borderHexColorString(), QStringLiteral("EE0000"));
    EXPECT_EQ(bubble->borderWidth(), 2);
    EXPECT_EQ(bubble->borderStyle(), QStringLiteral("solid"));
    EXPECT_EQ(bubble->zoomBubbleFlag(), 1);
    EXPECT_EQ(star->borderHexColorString(), QStringLiteral("555555"));
    EXPECT_EQ(star->cornerRadius(), 1000);
    EXPECT_EQ(star->bubbleShape(), QStringLiteral("star"));
    EXPECT_EQ(star->zoomBubbleFlag(), 0);

    gResponsiveEdition = true; // snippets are never fitted
    place({makeSection(1, {0, 0}, {800}, 400)});
    auto snippet = boxes.addSnippet_drag(QStringLiteral("<b>Enter HTML code here</b>"), QRectF(100, 30, 250, 100));
    EXPECT_EQ(doc->graphics().front(), snippet);
    EXPECT_EQ(snippet->bounds(), QRectF(100, 30, 250, 100));
    EXPECT_NE(snippet->sectionNumber(), 1);
    EXPECT_EQ(snippet->textType(), QStringLiteral("HTMLSnippet"));
    EXPECT_EQ(snippet->fontSize(), 14);
    EXPECT_NEAR(snippet->opacity(), 0.9, 1e-6);
    EXPECT_EQ(snippet->borderStyle(), QStringLiteral("dashed"));
    EXPECT_EQ(boxes.addSnippet_drag(QString(), QRectF(0, 0, 10, 10))->textString(), QString(""));
}

TEST_F(InsertionTest, PresetsHandedOverByTheCanvasBuildTheSameObjects)
{
    gResponsiveEdition = true;
    place({makeSection(1, {0, 0}, {300, 500}, 400)});
    GraphicProperties preset;
    preset.setString("text", "Next");
    preset.setRect("bounds", QRectF(320, 60, 240, 50));
    preset.setNumber("groupNumber", -99);
    preset.setString("fillHex", "00B2EE");
    preset.setString("textHex", "FFFFFF");
    preset.setString("fontName", "Helvetica Neue");
    preset.setNumber("fontSize", 25);
    preset.setNumber("cornerRadius", 10);
    preset.setNumber("opacity", 1.0);
    preset.setString("borderStyle", "none");
    preset.setNumber("borderWidth", 0);
    preset.setString("borderColor", "000000");
    preset.setString("alignment", "center");
    preset.setString("textType", "HTMLSnippet");
    preset.setFlag("fullWidth", true);
    preset.setString("placement", "fit+shift");
    auto box = TextBoxFactory(*frame).addTextBoxFromPreset(preset, QPointF(320, 60));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->bounds(), QRectF(300, 60, 500, 50));
    EXPECT_EQ(box->fontAlignment(), 1);
    EXPECT_EQ(box->backgroundHexColorString(), QStringLiteral("00B2EE"));
    EXPECT_EQ(box->sectionColumnSpot(), 1);

    GraphicProperties line;
    line.setPoint("beginPoint", QPointF(1, 2));
    line.setPoint("endPoint", QPointF(201, 2));
    line.setString("colour", "9E0018");
    line.setString("style", "dashed");
    line.setNumber("width", 5);
    line.setString("beginArrow", "1");
    line.setString("endArrow", "0");
    auto made = LineMaker(*frame).addTrueLineFromPreset(line);
    ASSERT_TRUE(made);
    EXPECT_EQ(std::dynamic_pointer_cast<SKTLine>(made)->endPoint(), QPointF(201, 2));
    EXPECT_EQ(made->borderWidth(), 5);
    EXPECT_TRUE(made->drawBeginArrow());
    EXPECT_EQ(made->borderStyle(), QStringLiteral("dashed"));
}

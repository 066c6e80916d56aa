#include "DrawingProbe.h"
#include "support/TestFont.h"

#include "config/EditionSettings.h"
#include "model/GraphicPainter.h"
#include "model/SKTText.h"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<SKTText> makeText(const QString &text, QRectF bounds = {20, 20, 160, 100})
{
    auto t = std::make_unique<SKTText>();
    t->setBounds(bounds);
    t->setTextString(text);
    t->setFontFamily(testFontFamily());
    t->setFontSize(16);
    t->setLineSpacing(1.25f);
    t->setFontColor(Qt::black);
    t->setSelectable(true);
    return t;
}

struct EditionFlags {
    bool outline = gAlwaysOutlineText, responsive = gResponsiveEdition, rounded = gRoundedTextCorners;
    ~EditionFlags()
    {
        gAlwaysOutlineText = outline;
        gResponsiveEdition = responsive;
        gRoundedTextCorners = rounded;
    }
};
} // namespace

TEST(TextGraphic, PropertiesCarryTextStyleAndBubble)
{
    auto text = makeText(QStringLiteral("Hello"));
    text->setFontAlignment(3);
    text->setZoomBubbleFlag(1);
    text->setBubbleShape(QStringLiteral("star"));
    GraphicProperties p = text->properties();
    EXPECT_EQ(p.string("textString"), QStringLiteral("Hello"));
    EXPECT_EQ(p.string("fontFamily"), testFontFamily());
    // Justified text stays justified through copy and paste.
    EXPECT_EQ(p.string("fontAlignment"), QStringLiteral("3"));
    EXPECT_EQ(p.string("fontSize"), QStringLiteral("16.000000"));
    EXPECT_EQ(p.string("slideShowNumber"), QStringLiteral("-99"));
    EXPECT_EQ(p.string("zoomBubbleFlag"), QStringLiteral("1"));

    SKTText back;
    back.readProperties(p);
    EXPECT_EQ(back.textString(), QStringLiteral("Hello"));
    EXPECT_EQ(back.fontAlignment(), 3);
    EXPECT_EQ(back.zoomBubbleFlag(), 1);
    EXPECT_EQ(back.bubbleShape(), QStringLiteral("star"));

    SKTText empty;
    const GraphicProperties e = empty.properties();
    EXPECT_EQ(e.string("fontFamily"), QStringLiteral("Helvetica Neue"));
    EXPECT_EQ(e.string("fontAlignment"), QStringLiteral("0"));
    SKTText absent;
    absent.readProperties(GraphicProperties());
    EXPECT_EQ(absent.bubbleShape(), QStringLiteral(""));
    EXPECT_EQ(absent.zoomBubbleFlag(), 0);
}

TEST(TextGraphic, TextIsDrawnInsideTheBoxAndFollowsVerticalAlignment)
{
    auto text = makeText(QStringLiteral("Hi"));
    const QImage top = renderOne(*text);
    EXPECT_GT(inkIn(top, QRect(20, 20, 160, 30)), 20);
    EXPECT_EQ(inkIn(top, QRect(0, 0, 200, 19)), 0);
    EXPECT_GT(text->textHeight(), 10);
    const int topRow = firstInkRow(top, QRect(20, 20, 160, 100));

    text->setVerticalAlignment(1);
    const int middleRow = firstInkRow(renderOne(*text), QRect(20, 20, 160, 100));
    text->setVerticalAlignment(2);
    const int bottomRow = firstInkRow(renderOne(*text), QRect(20, 20, 160, 100));
    EXPECT_LT(topRow, middleRow);
    EXPECT_LT(middleRow, bottomRow);
    EXPECT_GT(bottomRow, 20 + 100 - 25);

    // While it is edited in place the editor shows the text instead.
    RenderOptions editing = GraphicRenderer::paperOptions();
    editing.beingEdited = text.get();
    EXPECT_EQ(inkIn(renderOne(*text, {200, 200}, editing), QRect(20, 20, 160, 100)), 0);
}

TEST(TextGraphic, TextHeightIsMeasuredWithoutDrawing)
{
    auto text = makeText(QStringLiteral("one two three four five six seven eight"), {0, 0, 80, 200});
    text->updateTextHeight();
    const int32_t measured = text->textHeight();
    EXPECT_GE(measured, 60);
    renderOne(*text);
    EXPECT_EQ(text->textHeight(), measured);
}

TEST(TextGraphic, WrapsAtTheBoxWidthWithTheFixedLineHeight)
{
    auto text = makeText(QStringLiteral("one two three four five six seven eight"), {0, 0, 80, 200});
    const QSizeF size = text->naturalSize();
    EXPECT_LE(size.width(), 80.0);
    // Several lines, each fontSize x lineSpacing = 20 pixels high.
    EXPECT_GE(size.height(), 60.0);
    EXPECT_EQ(int(size.height()) % 20, 0);
}

TEST(TextGraphic, ShapeFillBorderAndBubbles)
{
    auto text = makeText(QString(), {20, 20, 100, 60});
    text->setDrawingFill(true);
    text->setFillColor(Qt::red);
    text->setBorderStyle(QStringLiteral("dotted"));
    text->setBorderWidth(0);
    text->setBorderColor(Qt::blue);
    QImage image = renderOne(*text);
    EXPECT_TRUE(near(image.pixelColor(70, 50), Qt::red));
    EXPECT_EQ(text->borderWidth(), 1); // dotted with no width draws 1 pixel dots
    EXPECT_EQ(inkIn(image, QRect(0, 0, 200, 15)), 0);

    // A zoom bubble without a shape becomes a rectangle (no radius) or a circle.
    auto bubble = makeText(QString(), {20, 20, 100, 100});
    bubble->setZoomBubbleFlag(1);
    bubble->setDrawingFill(true);
    bubble->setFillColor(Qt::green);
    renderOne(*bubble);
    EXPECT_EQ(bubble->bubbleShape(), QStringLiteral("rectangle"));
    auto round = makeText(QString(), {20, 20, 100, 100});
    round->setZoomBubbleFlag(1);
    round->setCornerRadius(8);
    round->setDrawingFill(true);
    round->setFillColor(Qt::green);
    image = renderOne(*round);
    EXPECT_EQ(round->bubbleShape(), QStringLiteral("circle"));
    EXPECT_TRUE(near(image.pixelColor(70, 70), Qt::green));
    EXPECT_FALSE(near(image.pixelColor(23, 23), Qt::green)); // the corner lies outside the ellipse
}

TEST(TextGraphic, NamedBubbleIsScaledToTheBoundsAndTurned)
{
    auto star = makeText(QString(), {40, 40, 100, 100});
    star->setZoomBubbleFlag(1);
    star->setBubbleShape(QStringLiteral("star"));
    star->setDrawingFill(true);
    star->setFillColor(Qt::red);
    QImage image = renderOne(*star);
    EXPECT_TRUE(near(image.pixelColor(90, 95), Qt::red));    // the middle of the star
    EXPECT_TRUE(near(image.pixelColor(44, 136), Qt::white)); // a bottom corner of the box
    EXPECT_TRUE(near(image.pixelColor(90, 43), Qt::red));    // the top point
    // Turned upside down the top point is at the bottom.
    star->setRotationAngle(180);
    image = renderOne(*star);
    EXPECT_TRUE(near(image.pixelColor(90, 137), Qt::red));
    EXPECT_TRUE(near(image.pixelColor(90, 43), Qt::white));
}

TEST(TextGraphic, BaseTemplateTextsAreOutlinedAndNotEdited)
{
    EditionFlags keep;
    auto text = makeText(QString(), {20, 20, 100, 60});
    text->setSelectable(false);
    gAlwaysOutlineText = true;
    RenderOptions canvas;
    QImage image = renderOne(*text, {200, 200}, canvas);
    int blue = 0;
    for (int x = 20; x < 120; ++x)
        if (image.pixelColor(x, 20).blue() - image.pixelColor(x, 20).red() > 60)
            ++blue;
    EXPECT_GT(blue, 20); // dashes of 3 on, 1 off
    EXPECT_FALSE(text->canEditInPlace());
    // Editions that do not ask for the outline leave base-template texts plain.
    gAlwaysOutlineText = false;
    image = renderOne(*text, {200, 200}, canvas);
    blue = 0;
    for (int x = 20; x < 120; ++x)
        if (image.pixelColor(x, 20).blue() - image.pixelColor(x, 20).red() > 60)
            ++blue;
    EXPECT_EQ(blue, 0);
    gAlwaysOutlineText = true;
    // On paper the editing outline is left out.
    EXPECT_EQ(inkIn(renderOne(*text), QRect(0, 0, 200, 200)), 0);

    text->setSelectable(true);
    EXPECT_TRUE(text->canEditInPlace());
    for (const char *field : {"text", "textarea", "checkbox", "radio"}) {
        text->setFormType(QString::fromLatin1(field));
        EXPECT_FALSE(text->canEditInPlace()) << field;
    }
    text->setFormType(QStringLiteral("textLabel"));
    text->setFormOptionTag(-22);
    EXPECT_FALSE(text->canEditInPlace());
}

TEST(TextGraphic, ShadowStaysForTheTextUnlessSwitchedOff)
{
    auto text = makeText(QStringLiteral("Shadow"), {20, 20, 160, 60});
    text->setShadowRadius(2);
    text->setShadowHorizontalOffset(3);
    text->setShadowVerticalOffset(3);
    const QImage shadowed = renderOne(*text);
    text->setShadowRadius(0);
    const QImage plain = renderOne(*text);
    EXPECT_GT(inkIn(shadowed, QRect(20, 20, 170, 60)), inkIn(plain, QRect(20, 20, 170, 60)));

    // A far shadow of the box is drawn whole, not cut at the drawing bounds.
    auto box = makeText(QString(), {20, 20, 60, 40});
    box->setDrawingFill(true);
    box->setFillColor(Qt::red);
    box->setShadowRadius(4);
    box->setShadowHorizontalOffset(30);
    box->setShadowVerticalOffset(30);
    EXPECT_LT(renderOne(*box).pixelColor(100, 85).red(), 200);
}

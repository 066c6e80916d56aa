#include "config/DataCentre.h"

#include "support/QtPrinters.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QTextEdit>

#include <gtest/gtest.h>

TEST(Presets, KindsGiveTheirFrames)
{
    const struct { const char *kind; QSizeF size; } table[] = {
        {"large", {70, 70}}, {"rectangle", {70, 52.5}}, {"long", {52.5, 70}}, {"line", {7, 70}},
        {"hline", {70, 7}},  {"Large", {70, 7}},        {"LINE", {70, 7}},    {"", {70, 7}}};
    for (const auto &row : table) {
        const ShapeSelectionView shape = DataCentre::createDefaultShape(row.kind, "4682B4", 5);
        EXPECT_EQ(shape.frame, QRectF(QPointF(0, 0), row.size)) << row.kind;
        EXPECT_EQ(shape.fillColor, QColor(0x46, 0x82, 0xB4)) << row.kind;
        EXPECT_EQ(shape.cornerRadius, 5);
    }
}

TEST(Presets, UntouchedStyleFieldsStayEmpty)
{
    const ShapeSelectionView shape = DataCentre::createDefaultShape("large", "CLEAR0", 0);
    EXPECT_FALSE(shape.shadowFlag);
    EXPECT_TRUE(shape.borderStyle.isNull());
    EXPECT_FALSE(shape.borderColor.isValid());
    EXPECT_EQ(shape.borderWidth, 0);
    EXPECT_EQ(shape.opacity, 0.0f);
    EXPECT_FALSE(shape.isDrawingFill);
    EXPECT_FALSE(shape.font.has_value());
    EXPECT_FALSE(shape.textColor.isValid());
    // "CLEAR0" is not special here: it reads as a colour string would.
    EXPECT_EQ(shape.fillColor.alpha(), 255);
}

TEST(Presets, ABatchIsSevenShapesOfOneColour)
{
    const QList<ShapeSelectionView> batch = DataCentre::createBatchOfShapes("FFFFFF");
    ASSERT_EQ(batch.size(), 7);
    const int radii[] = {0, 10, 100, 20, 20, 0, 0};
    const QSizeF sizes[] = {{70, 70}, {70, 70}, {70, 70}, {70, 52.5}, {52.5, 70}, {70, 7}, {7, 70}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(batch[i].cornerRadius, radii[i]) << i;
        EXPECT_EQ(batch[i].frame.size(), sizes[i]) << i;
        EXPECT_EQ(batch[i].fillColor, QColor(Qt::white)) << i;
    }
}

TEST(Presets, AllPresetShapesInColourOrder)
{
    EXPECT_EQ(DataCentre::presetShapeColours(),
              QStringList({"8B0000", "FF8C00", "FFFFFF", "555555", "4682B4", "228B22"}));
    const QList<ShapeSelectionView> shapes = DataCentre::createPresetShapes();
    ASSERT_EQ(shapes.size(), 42);
    EXPECT_EQ(shapes[7].frame.size(), QSizeF(70, 70));
    EXPECT_EQ(shapes[7].cornerRadius, 0);
    EXPECT_EQ(DataCentre::asHexString(shapes[7].fillColor, {}), "FF8C00");
    EXPECT_EQ(DataCentre::asHexString(shapes[41].fillColor, {}), "228B22");
    EXPECT_EQ(shapes[41].frame.size(), QSizeF(7, 70));
}

TEST(Presets, TextStylesAreAlways400By42)
{
    const QFont font(QStringLiteral("Lato"), 30);
    const ShapeSelectionView style = DataCentre::createDefaultTextView(
        "FFFFFF", "8B0000", font, QStringLiteral("A very long category name that would never fit in the box"));
    EXPECT_EQ(style.frame, QRectF(0, 0, 400, 42));
    EXPECT_EQ(style.fillColor, QColor(Qt::white));
    EXPECT_EQ(style.textColor, QColor(0x8B, 0, 0));
    ASSERT_TRUE(style.font.has_value());
    EXPECT_EQ(style.font->family(), "Lato");
    EXPECT_EQ(style.textString.size(), 57);

    const ShapeSelectionView noFont = DataCentre::createDefaultTextView("bad", "000000", std::nullopt, "Notes");
    EXPECT_FALSE(noFont.font.has_value());
    EXPECT_EQ(noFont.fillColor, QColor(Qt::black));
}

TEST(Presets, TextViewsSwitchBetweenEditableAndReadOnlyLooks)
{
    QTextEdit edit;
    const QColor normal = QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
    const QColor disabled = QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    ASSERT_NE(normal, disabled);

    DataCentre::enableTextView(false, &edit);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Text), disabled);

    DataCentre::enableTextView(true, &edit);
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_TRUE(edit.textInteractionFlags() & Qt::TextEditable);
    EXPECT_TRUE(edit.textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Text), normal);

    QLineEdit line;
    DataCentre::enableTextView(false, &line);
    EXPECT_TRUE(line.isReadOnly());
    EXPECT_EQ(line.palette().color(QPalette::Active, QPalette::Text), disabled);
    DataCentre::enableTextView(false, nullptr); // nothing to do
}

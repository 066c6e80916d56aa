// The palette preset table: sizes at a zoom, canvas-sized rows, callouts,
// lines, bubbles, fitted rows and the date texts.
#include "InsertionFixture.h"

#include "insertion/InsertionDates.h"
#include "insertion/PalettePresets.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"

#include <QTimeZone>

namespace {
SKTGraphic *front(SKTDocument &doc)
{
    return doc.graphics().isEmpty() ? nullptr : doc.graphics().front().get();
}
} // namespace

TEST_F(InsertionTest, PresetTextBoxesAtAZoom)
{
    const PalettePresets &table = PalettePresets::shared();
    ASSERT_TRUE(table.contains(QStringLiteral("zov_textbox")));
    struct Case {
        const char *code;
        double zoom;
        QRectF bounds;
        int fontSize;
        int borderWidth;
        double radius;
    };
    const Case cases[] = {
        {"zov_bulletedlist", 1.0, {10, 20, 300, 150}, 25, 0, 0},
        {"zov_bulletedlist", 0.5, {10, 20, 600, 300}, 50, 0, 0},
        {"zov_square", 0.5, {10, 20, 200, 200}, 40, 0, 0},
        {"zov_square", 4.0, {10, 20, 25, 25}, 5, 0, 0},
        {"zov_square_markup_red_dashed", 1.0, {10, 20, 200, 100}, 20, 2, 0},
        {"zov_square_markup_blue_dashed", 0.5, {10, 20, 200, 200}, 40, 4, 0},
        {"zov_circle_markup_green_dashed", 2.0, {10, 20, 50, 50}, 10, 1, 50},
        {"zov_textbox_label", 1.0, {10, 20, 1125, 750}, 90, 0, 0},
        {"zov_personaltag_fulladdress", 1.0, {10, 20, 1125, 600}, 54, 0, 0},
        {"zov_textbox_section_title", 1.0, {0, 20, 1500, 80}, 60, 0, 0},
        {"zov_numbertag_5", 1.0, {10, 20, 40, 50}, 30, 0, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_TRUE(table.insert(*frame, QLatin1String(c.code), QPointF(10, 20), c.zoom));
        auto *text = dynamic_cast<SKTText *>(front(*doc));
        ASSERT_TRUE(text);
        EXPECT_EQ(text->bounds(), c.bounds);
        EXPECT_EQ(text->fontSize(), c.fontSize);
        EXPECT_EQ(text->borderWidth(), c.borderWidth);
        EXPECT_DOUBLE_EQ(text->cornerRadius(), c.radius);
    }
    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_markup_blackout"), QPointF(0, 0), 1.0));
    EXPECT_EQ(front(*doc)->textString(), QStringLiteral(" ")); // the single blank survives reading
    doc->removeGraphicAtIndex(0);
    auto *tag = dynamic_cast<SKTText *>(front(*doc));
    EXPECT_EQ(tag->textString(), QStringLiteral("5"));
    EXPECT_EQ(tag->fontFamily(), QStringLiteral("Arial Black"));
    EXPECT_EQ(tag->backgroundHexColorString(), QStringLiteral("4F94CD"));
    EXPECT_EQ(tag->textHexColorString(), QStringLiteral("FFFFFF"));
    gCanvasWidth = 999;
    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_textbox_label"), QPointF(0, 0), 1.0));
    EXPECT_EQ(front(*doc)->fontSize(), 30);

    const qsizetype count = doc->graphics().size();
    EXPECT_FALSE(table.insert(*frame, QStringLiteral("zov_no_such_thing"), QPointF(0, 0), 1.0));
    EXPECT_EQ(doc->graphics().size(), count);
}

TEST_F(InsertionTest, PresetCalloutsLinesAndBubbles)
{
    const PalettePresets &table = PalettePresets::shared();
    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_circle_markup_red_bubble"), QPointF(100, 300), 1.0));
    ASSERT_EQ(doc->graphics().size(), 2);
    auto *arrow = dynamic_cast<SKTLine *>(doc->graphics().at(0).get());
    auto *circle = dynamic_cast<SKTText *>(doc->graphics().at(1).get());
    ASSERT_TRUE(arrow && circle);
    EXPECT_EQ(circle->bounds(), QRectF(100, 300, 100, 100));
    EXPECT_EQ(arrow->beginPoint(), QPointF(150, 300));
    EXPECT_EQ(arrow->endPoint(), QPointF(400, 200));
    EXPECT_TRUE(arrow->drawEndArrow());
    EXPECT_FALSE(arrow->drawBeginArrow());
    EXPECT_EQ(arrow->borderHexColorString(), QStringLiteral("EE0000"));
    EXPECT_EQ(circle->groupNumber(), 1);
    EXPECT_EQ(arrow->groupNumber(), 1);
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_TRUE(doc->graphics().isEmpty()); // one step for both

    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_line_solid"), QPointF(10, 50), 2.0));
    auto *line = dynamic_cast<SKTLine *>(front(*doc));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->endPoint(), QPointF(110, 50));
    EXPECT_EQ(line->borderWidth(), 5);
    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_line_solid"), QPointF(10, 50), 0.5));
    EXPECT_EQ(dynamic_cast<SKTLine *>(front(*doc))->endPoint(), QPointF(410, 50));
    EXPECT_EQ(front(*doc)->borderWidth(), 20);
    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_line_solid_section"), QPointF(10, 50), 2.0));
    EXPECT_EQ(dynamic_cast<SKTLine *>(front(*doc))->beginPoint(), QPointF(0, 50));
    EXPECT_EQ(dynamic_cast<SKTLine *>(front(*doc))->endPoint(), QPointF(3000, 50));
    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_line_dashed_red_start_arrow"), QPointF(0, 0), 1.0));
    EXPECT_EQ(front(*doc)->borderHexColorString(), QStringLiteral("9E0018"));
    EXPECT_TRUE(front(*doc)->drawBeginArrow());

    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_shape_polygon7"), QPointF(0, 0), 1.0));
    auto *shape = dynamic_cast<SKTText *>(front(*doc));
    EXPECT_EQ(shape->bubbleShape(), QStringLiteral("polygon7"));
    EXPECT_EQ(shape->zoomBubbleFlag(), 0);
    ASSERT_TRUE(table.insert(*frame, QStringLiteral("zov_zoom_bubble"), QPointF(0, 0), 1.0));
    EXPECT_EQ(dynamic_cast<SKTText *>(front(*doc))->zoomBubbleFlag(), 1);
    EXPECT_EQ(front(*doc)->cornerRadius(), 0);
}

TEST_F(InsertionTest, FittedPresetsTakeTheCellAndMakeRoom)
{
    gResponsiveEdition = true;
    auto section = makeSection(1, {0, 0}, {300, 500}, 400);
    auto below = std::make_shared<SKTText>();
    below->setBounds({300, 100, 100, 40});
    below->setSectionNumber(1);
    below->setSectionColumnSpot(1);
    place({section, below});
    ASSERT_TRUE(PalettePresets::shared().insert(*frame, QStringLiteral("zov_markup_info"), QPointF(320, 60), 1.0));
    EXPECT_EQ(front(*doc)->bounds(), QRectF(300, 60, 500, 50));
    EXPECT_EQ(front(*doc)->sectionColumnSpot(), 1);
    EXPECT_EQ(below->yPosition(), 110);
    // Only fitted: the cell's objects stay.
    ASSERT_TRUE(PalettePresets::shared().insert(*frame, QStringLiteral("zov_textbox_body_tovra"), QPointF(320, 60), 1.0));
    EXPECT_EQ(front(*doc)->bounds(), QRectF(300, 60, 500, 50));
    EXPECT_EQ(below->yPosition(), 110);
    // Outside responsive editions the preset frame is kept.
    gResponsiveEdition = false;
    ASSERT_TRUE(PalettePresets::shared().insert(*frame, QStringLiteral("zov_markup_info"), QPointF(320, 60), 1.0));
    EXPECT_EQ(front(*doc)->bounds(), QRectF(320, 60, 240, 50));
}

TEST(InsertionDatesTest, CalendarYearAndTwelveHourClock)
{
    // The last day of 2024 lies in week 1 of 2025.
    const QDateTime evening(QDate(2024, 12, 31), QTime(17, 30), Qt::UTC);
    EXPECT_EQ(InsertionDates::stampDate(evening), QStringLiteral("Dec 31 2024"));
    EXPECT_EQ(InsertionDates::stampDateTime(evening), QStringLiteral("Dec 31 2024 5:30 PM"));
    EXPECT_EQ(InsertionDates::longDate(evening), QStringLiteral("Dec 31 2024,  Tuesday 5:30 PM"));
    EXPECT_EQ(InsertionDates::longDateAt(evening), QStringLiteral("Dec 31 2024,  Tuesday at 5:30 PM"));
    const QDateTime morning(QDate(2025, 1, 2), QTime(0, 5), Qt::UTC);
    EXPECT_EQ(InsertionDates::stampDateTime(morning), QStringLiteral("Jan 02 2025 12:05 AM"));
}

TEST_F(InsertionTest, DateStampedBodyTextStartsWithTheDate)
{
    ASSERT_TRUE(PalettePresets::shared().insert(*frame, QStringLiteral("zov_textbox_body"), QPointF(0, 0), 1.0));
    EXPECT_TRUE(front(*doc)->textString().startsWith(QStringLiteral("Placeholder paragraph body text")));
    gDateStampNewText = true;
    ASSERT_TRUE(PalettePresets::shared().insert(*frame, QStringLiteral("zov_textbox_body"), QPointF(0, 0), 1.0));
    const QStringList lines = front(*doc)->textString().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), InsertionDates::longDate(QDateTime::currentDateTime()).left(lines.value(0).size()));
    EXPECT_EQ(lines.value(1), QStringLiteral("Placeholder paragraph body text"));
}

// Palette code names dropped on the canvas: the table, the presets, the loop.
#include "CanvasFixture.h"

#include "canvas/DropTables.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"

#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace {
bool dropNames(QWidget *w, const QStringList &names, const QList<QUrl> &files, const QPointF &at)
{
    QMimeData data;
    if (!names.isEmpty())
        data.setData(SKTGraphicView::codeNameMimeType(), names.join(u'\n').toUtf8());
    if (!files.isEmpty())
        data.setUrls(files);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    return enter.isAccepted() && drop.isAccepted();
}
} // namespace

TEST_F(CanvasTest, TheTablesHold166NamesAndAPresetForEachPresetRow)
{
    const QList<DropCodeName> &rows = DropTables::codeNames();
    ASSERT_EQ(rows.size(), 166);
    QSet<QString> seen;
    for (const DropCodeName &row : rows) {
        EXPECT_FALSE(seen.contains(row.name)) << row.name.toStdString();
        seen.insert(row.name);
        if (row.action == QLatin1String("preset") || row.action == QLatin1String("line")) {
            EXPECT_TRUE(DropTables::hasPreset(row.name)) << row.name.toStdString();
        }
    }
    QStringList goesOn;
    for (const DropCodeName &row : rows)
        if (row.goesOn)
            goesOn << row.name;
    EXPECT_EQ(goesOn, (QStringList{"zov_bulletedlist_html", "zov_numberedlist_html", "zov_textbox_body_tovra_rich",
                                   "zov_markup_datestamp", "zov_markup_timestamp", "zov_video", "zov_buynowbutton"}));
}

TEST_F(CanvasTest, PresetSizesFollowZoomAndCanvas)
{
    struct Case {
        const char *name;
        double zoom;
        int32_t canvasWidth, canvasHeight;
        QSizeF size;
        double font;
    };
    const QList<Case> cases = {
        {"zov_square", 0.5, 1000, 800, {200, 200}, 40},
        {"zov_square", 4.0, 1000, 800, {25, 25}, 5},
        {"zov_textbox_label", 1.0, 1500, 1000, {1125, 750}, 90},
        {"zov_textbox_label", 1.0, 999, 1000, {749, 750}, 30},
        {"zov_personaltag_fulladdress", 1.0, 1500, 1000, {1125, 600}, 54},
        {"zov_square", 0.0, 1000, 800, {100, 100}, 20}, // a zoom of 0 counts as 100 %
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.zoom));
        gCanvasWidth = c.canvasWidth;
        gCanvasMaxHeight = c.canvasHeight;
        PresetContext context{{10, 20}, c.zoom, {}, -99};
        const GraphicProperties p = DropTables::textBoxPreset(QString::fromLatin1(c.name), context);
        EXPECT_EQ(p.rect(QStringLiteral("bounds")), QRectF(QPointF(10, 20), c.size));
        EXPECT_EQ(p.number(QStringLiteral("fontSize"), -1), c.font);
    }
    EXPECT_EQ(DropTables::strokeScale(0.5), 4);
    EXPECT_EQ(DropTables::strokeScale(1.0), 2);
    EXPECT_EQ(DropTables::strokeScale(4.0), 1);
    gCanvasWidth = 1000;
    const GraphicProperties title =
        DropTables::textBoxPreset(QStringLiteral("zov_textbox_section_title"), PresetContext{{300, 40}, 1.0, {}, -99});
    EXPECT_EQ(title.rect(QStringLiteral("bounds")), QRectF(0, 40, 1000, 80));

    // Dates use the calendar year and a 12-hour clock: the last day of 2026
    // lies in week 1 of 2027.
    const QDateTime late(QDate(2026, 12, 31), QTime(14, 5));
    EXPECT_EQ(DropTables::textBoxPreset(QStringLiteral("zov_markup_datestamp"), {{0, 0}, 1.0, late, -99})
                  .string(QStringLiteral("text")),
              QStringLiteral("Dec 31 2026"));
    EXPECT_EQ(DropTables::textBoxPreset(QStringLiteral("zov_markup_timestamp"), {{0, 0}, 1.0, late, -99})
                  .string(QStringLiteral("text")),
              QStringLiteral("Dec 31 2026 2:05 PM"));
}

TEST_F(CanvasTest, DroppedNamesRunTheirRowsAndFilesLineUp)
{
    gFormFieldSizing = true;
    gFormFieldSize = 50;
    EXPECT_TRUE(dropNames(widget.get(), {QStringLiteral("zov_table1x3")}, {}, {123.4, 77.7}));
    ASSERT_FALSE(insertions.calls.isEmpty());
    EXPECT_EQ(insertions.calls.last(), QStringLiteral("code:zov_table1x3|addTable_Responsive|4,4,4"));
    EXPECT_EQ(insertions.codePoints.last(), QPointF(100, 100));
    gFormFieldSize = 0; // no lattice to snap to: the point stays
    dropNames(widget.get(), {QStringLiteral("zov_table1x3")}, {}, {123.4, 77.7});
    EXPECT_EQ(insertions.codePoints.last(), QPointF(123.4, 77.7));
    gFormFieldSizing = false;

    QList<QUrl> files;
    for (int i = 0; i < 3; ++i) {
        const QString file = path(QStringLiteral("p%1.png").arg(i));
        QImage(20, 10, QImage::Format_RGB32).save(file);
        files << QUrl::fromLocalFile(file);
    }
    insertions.calls.clear();
    EXPECT_TRUE(dropNames(widget.get(), {}, files, {200, 300}));
    ASSERT_EQ(doc->graphics().size(), 3);
    EXPECT_EQ(doc->graphics()[0]->bounds().topLeft(), QPointF(300, 300));
    EXPECT_EQ(doc->graphics()[1]->bounds().topLeft(), QPointF(250, 300));
    EXPECT_EQ(doc->graphics()[2]->bounds().topLeft(), QPointF(200, 300));

    // A row that ends the drop drops the names behind it; one that goes on does not.
    insertions.calls.clear();
    dropNames(widget.get(), {QStringLiteral("zov_textbox")}, {files.first()}, {10, 10});
    EXPECT_EQ(insertions.calls, QStringList{QStringLiteral("text")});
    insertions.calls.clear();
    dropNames(widget.get(), {QStringLiteral("zov_video")}, {files.first()}, {10.7, 10.2});
    ASSERT_EQ(insertions.calls.size(), 2);
    EXPECT_TRUE(insertions.calls[0].startsWith(QStringLiteral("code:zov_video|addSnippet_drag")));
    EXPECT_EQ(insertions.codePoints.last(), QPointF(10, 10));
    EXPECT_EQ(doc->graphics()[0]->bounds().topLeft(), QPointF(60.7, 10.2));

    // Names without a row and page icons are not files: nothing is inserted.
    const auto before = snapshot();
    insertions.calls.clear();
    EXPECT_FALSE(dropNames(widget.get(), {QStringLiteral("zov_mother")}, {}, {10, 10}));
    EXPECT_FALSE(dropNames(widget.get(), {QStringLiteral("DragAndDrop/index.png")}, {}, {10, 10}));
    EXPECT_TRUE(insertions.calls.isEmpty());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(CanvasTest, CalloutIsACircleAndAnArrowInOneNewGroup)
{
    addRect({500, 500, 10, 10}, 6);
    dropNames(widget.get(), {QStringLiteral("zov_circle_markup_red_bubble")}, {}, {100, 300});
    ASSERT_EQ(insertions.textBoxes.size(), 1);
    ASSERT_EQ(insertions.lines.size(), 1);
    const GraphicProperties &circle = insertions.textBoxes.first();
    const GraphicProperties &line = insertions.lines.first();
    EXPECT_EQ(circle.rect(QStringLiteral("bounds")), QRectF(100, 300, 100, 100));
    EXPECT_EQ(circle.string(QStringLiteral("borderStyle")), QStringLiteral("dashed"));
    EXPECT_EQ(line.point(QStringLiteral("beginPoint")), QPointF(150, 300));
    EXPECT_EQ(line.point(QStringLiteral("endPoint")), QPointF(400, 200));
    EXPECT_EQ(line.string(QStringLiteral("colour")), QStringLiteral("EE0000"));
    EXPECT_EQ(circle.integer(QStringLiteral("groupNumber"), 0), 7);
    EXPECT_EQ(line.integer(QStringLiteral("groupNumber"), 0), 7);

    // The buy button tells where to find more styles.
    dropNames(widget.get(), {QStringLiteral("zov_buynowbutton")}, {}, {10, 10});
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Looking for more Buy Button styles?"));
}

TEST_F(CanvasTest, ResponsivePagesTakeNewObjectsOnlyIntoASectionsEmptySpace)
{
    gResponsiveEdition = true;
    auto section = std::make_shared<SKTTable>();
    section->setGridType(QStringLiteral("section"));
    section->setSectionNumber(1);
    auto cell = std::make_shared<myTextView>();
    cell->width = 796;
    cell->height = 296;
    section->setCellHelperArray({cell});
    section->setNumOfRows(1);
    section->setNumOfColumns(1);
    section->setBounds({0, 100, 800, 300});
    doc->insertGraphicAtIndex(section, 0);
    ASSERT_FALSE(section->bounds().isEmpty());
    auto inside = addRect({100, 150, 50, 50});
    struct Sections : RecordingInsertions {
        SKTGraphic *section = nullptr;
        SKTGraphic *grabOverLappingSection(SKTDocument &, const QRectF &rect) override
        {
            return section->bounds().intersects(rect) ? section : nullptr;
        }
    } sections;
    sections.section = section.get();
    view->setInsertions(&sections);
    QMimeData box;
    box.setData(SKTGraphicView::codeNameMimeType(), "zov_textbox");
    EXPECT_TRUE(view->canAcceptDrop(box, {400, 250})) << "a section's empty area";
    EXPECT_FALSE(view->canAcceptDrop(box, {120, 170})) << "over a graphic in the section";
    EXPECT_FALSE(view->canAcceptDrop(box, {400, 600})) << "outside every section";
    QMimeData newSection;
    newSection.setData(SKTGraphicView::codeNameMimeType(), "zov_section3");
    EXPECT_TRUE(view->canAcceptDrop(newSection, {120, 170}));
    EXPECT_TRUE(view->canAcceptDrop(newSection, {400, 600}));
    QMimeData bare;
    bare.setData(SKTGraphicView::codeNameMimeType(), "zov_section"); // no section code name
    EXPECT_FALSE(view->canAcceptDrop(bare, {400, 600}));
    view->setInsertions(&insertions);
}

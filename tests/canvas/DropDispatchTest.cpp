// Palette code names dropped on the canvas: the table, the presets, the loop.
#include "CanvasFixture.h"

#include "insertion/DropTables.h"
#include "insertion/PalettePresets.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"

#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>


TEST_F(CanvasTest, TheTablesHold173NamesAndAPresetForEachPresetRow)
{
    const QList<DropCodeName> &rows = DropTables::codeNames();
    ASSERT_EQ(rows.size(), 173);
    QSet<QString> seen;
    for (const DropCodeName &row : rows) {
        EXPECT_FALSE(seen.contains(row.name)) << row.name.toStdString();
        seen.insert(row.name);
        if (row.action == QLatin1String("preset") || row.action == QLatin1String("line")) {
            EXPECT_TRUE(PalettePresets::shared().contains(row.name)) << row.name.toStdString();
        }
    }
    QStringList goesOn;
    for (const DropCodeName &row : rows)
        if (row.goesOn)
            goesOn << row.name;
    EXPECT_EQ(goesOn, (QStringList{"zov_bulletedlist_html", "zov_numberedlist_html", "zov_textbox_body_tovra_rich",
                                   "zov_markup_datestamp", "zov_markup_timestamp", "zov_video", "zov_buynowbutton"}));
}

TEST_F(CanvasTest, DroppedNamesRunTheirRowsAndFilesLineUp)
{
    gFormFieldSizing = true;
    gFormFieldSize = 50;
    EXPECT_TRUE(dropOnCanvas(widget.get(), {QStringLiteral("zov_table1x3")}, {}, {123.4, 77.7}));
    ASSERT_FALSE(insertions.calls.isEmpty());
    EXPECT_EQ(insertions.calls.last(), QStringLiteral("code:zov_table1x3|addTable_Responsive|4,4,4"));
    EXPECT_EQ(insertions.codePoints.last(), QPointF(100, 100));
    gFormFieldSize = 0; // no lattice to snap to: the point stays
    dropOnCanvas(widget.get(), {QStringLiteral("zov_table1x3")}, {}, {123.4, 77.7});
    EXPECT_EQ(insertions.codePoints.last(), QPointF(123.4, 77.7));
    gFormFieldSizing = false;

    QList<QUrl> files;
    for (int i = 0; i < 3; ++i) {
        const QString file = path(QStringLiteral("p%1.png").arg(i));
        QImage(20, 10, QImage::Format_RGB32).save(file);
        files << QUrl::fromLocalFile(file);
    }
    insertions.calls.clear();
    EXPECT_TRUE(dropOnCanvas(widget.get(), {}, files, {200, 300}));
    ASSERT_EQ(doc->graphics().size(), 3);
    EXPECT_EQ(doc->graphics()[0]->bounds().topLeft(), QPointF(300, 300));
    EXPECT_EQ(doc->graphics()[1]->bounds().topLeft(), QPointF(250, 300));
    EXPECT_EQ(doc->graphics()[2]->bounds().topLeft(), QPointF(200, 300));

    // A row that ends the drop drops the names behind it; one that goes on does not.
    insertions.calls.clear();
    dropOnCanvas(widget.get(), {QStringLiteral("zov_textbox")}, {files.first()}, {10, 10});
    EXPECT_EQ(insertions.calls, QStringList{QStringLiteral("code:zov_textbox|preset|")});
    insertions.calls.clear();
    dropOnCanvas(widget.get(), {QStringLiteral("zov_video")}, {files.first()}, {10.7, 10.2});
    ASSERT_EQ(insertions.calls.size(), 2);
    EXPECT_TRUE(insertions.calls[0].startsWith(QStringLiteral("code:zov_video|addSnippet_drag")));
    EXPECT_EQ(insertions.codePoints.last(), QPointF(10, 10));
    EXPECT_EQ(doc->graphics()[0]->bounds().topLeft(), QPointF(60.7, 10.2));

    // Names without a row and page icons are not files: nothing is inserted.
    const auto before = snapshot();
    insertions.calls.clear();
    EXPECT_FALSE(dropOnCanvas(widget.get(), {QStringLiteral("zov_no_such_entry")}, {}, {10, 10}));
    EXPECT_FALSE(dropOnCanvas(widget.get(), {QStringLiteral("DragAndDrop/index.png")}, {}, {10, 10}));
    EXPECT_FALSE(dropOnCanvas(widget.get(), {files.first().toLocalFile()}, {}, {10, 10})) << "a path as a code name";
    EXPECT_TRUE(insertions.calls.isEmpty());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(CanvasTest, TheBuyButtonTellsWhereToFindMoreStyles)
{
    dropOnCanvas(widget.get(), {QStringLiteral("zov_buynowbutton")}, {}, {10, 10});
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

// Composite and table makers, and the duplication of grids: what each
// inserts, where, and that undo gives the page back.
#include "InsertionFixture.h"

#include "insertion/CompositeMakers.h"
#include "insertion/TableDuplication.h"
#include "insertion/TableGridEditing.h"
#include "insertion/TableMakers.h"

#include <QFile>
#include <functional>

class CompositeTablesTest : public InsertionTest {
protected:
    SKTTable *front() { return dynamic_cast<SKTTable *>(doc->graphics().first().get()); }
    static QString textAt(SKTTable &table, int row, int column)
    {
        const auto cell = table.grabSelectedTableCellHelper(row, column);
        return cell ? SKTTable::cellText(*cell) : QStringLiteral("<none>");
    }
    static void writeFile(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(CompositeTablesTest, SectionsFollowTheTwelveColumnGridAndGoBehindEverything)
{
    struct Case {
        int sectionWidth;
        const char *code;
        QList<int> widths;
    };
    const Case cases[] = {
        {1200, "zov_section3", {400, 400, 400}},
        {1000, "zov_section4_8", {332, 664}},
        {1200, "zov_section12", QList<int>(12, 100)},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.code);
        doc->clearAllGraphics();
        gSectionWidth = test.sectionWidth;
        gSectionHeight = 300;
        auto below = makeSection(1, {0, 400}, {1200}, 300);
        auto box = std::make_shared<SKTTable>();
        box->SKTGraphic::setBounds({10, 10, 20, 20});
        place({box, below});
        const QStringList spans = CompositeMakers::sectionSpans(QString::fromLatin1(test.code));
        auto section = CompositeMakers(*frame).addSection(spans, int(spans.size()), {50, 350});
        ASSERT_TRUE(section);
        EXPECT_EQ(doc->graphics().last().get(), section.get());
        EXPECT_EQ(section->bounds(), QRectF(0, 350, test.sectionWidth, 300));
        EXPECT_EQ(section->sectionNumber(), 2);
        ASSERT_EQ(section->cellHelperArray().size(), test.widths.size());
        for (int i = 0; i < test.widths.size(); ++i) {
            const auto cell = section->grabSelectedTableCellHelper(0, i);
            EXPECT_EQ(cell->width, test.widths[i]);
            EXPECT_EQ(cell->xsGridColumns, 12);
            EXPECT_EQ(cell->largeGridColumns, spans[i].toInt());
            EXPECT_EQ(cell->sectionNumber, 2);
        }
        EXPECT_GE(below->bounds().y(), 650); // moved down to make room
    }
    EXPECT_TRUE(CompositeMakers::sectionSpans(QStringLiteral("zov_table")).isEmpty());
}

TEST_F(CompositeTablesTest, CompositesHaveTheirKindsCellsAndSizes)
{
    CompositeMakers makers(*frame);
    auto carousel = makers.addTextCarousel({10, 20});
    EXPECT_EQ(carousel->gridType(), "text_carousel");
    EXPECT_EQ(carousel->grabSelectedTableCellHelper(0, 3)->fixedHeightFlag, 1);
    EXPECT_EQ(carousel->grabSelectedTableCellHelper(1, 3)->fixedHeightFlag, 0);
    EXPECT_EQ(textAt(*carousel, 0, 3), "Slide 4");

    auto fixed = makers.addNavbar_Fixed({0, 0});
    EXPECT_EQ(fixed->cellHelperArray().size(), 5);
    EXPECT_EQ(textAt(*fixed, 0, 0), "Brand");
    EXPECT_EQ(textAt(*fixed, 0, 4), "Link 4");
    EXPECT_EQ(fixed->grabSelectedTableCellHelper(0, 2)->sectionNumber, fixed->sectionNumber());
    auto centred = makers.addNavbar_Fixed_Centered({0, 0});
    EXPECT_EQ(centred->cellHelperArray().size(), 4);
    EXPECT_EQ(textAt(*centred, 0, 3), "Link 3");
    EXPECT_NE(centred->sectionNumber(), fixed->sectionNumber());

    auto menu = makers.addDropdownmenu({0, 100});
    EXPECT_EQ(menu->cellHelperArray().size(), 20);
    EXPECT_EQ(textAt(*menu, 4, 3), "Optional submenu item");

    auto panel = makers.addCollapsibleImagePanel({300, 300});
    EXPECT_EQ(panel->bounds().topLeft(), QPointF(0, 0)); // the page origin outside responsive editions
    EXPECT_EQ(panel->grabSelectedTableCellHelper(0, 0)->height, 315);
    EXPECT_EQ(panel->grabSelectedTableCellHelper(1, 0)->height, 45);
    EXPECT_EQ(panel->grabSelectedTableCellHelper(2, 0)->height, 90);
    EXPECT_EQ(panel->grabSelectedTableCellHelper(2, 0)->fixedHeightFlag, 1);

    auto caption = makers.addPhoto_Hover_Caption({0, 0});
    EXPECT_FLOAT_EQ(caption->grabSelectedTableCellHelper(1, 0)->alphaValue, 0.75f);
    EXPECT_EQ(caption->grabSelectedTableCellHelper(1, 0)->textAlignment, "center");
}

TEST_F(CompositeTablesTest, ContentsAndSiteMapListThePages)
{
    struct Pages : FakeInsertionContext {
        using FakeInsertionContext::FakeInsertionContext;
        QList<InsertionPageEntry> pageList() const override { return list; }
        QList<InsertionPageEntry> list;
    } pages(*doc);
    pages.list = {{QStringLiteral("Home"), QStringLiteral("index.html")},
                  {QString(), QStringLiteral("b.html")},
                  {QStringLiteral("Contact"), QStringLiteral("contact.html")}};
    pages.origin = QPointF(20, 500);
    InsertionFrame pagesFrame(pages);
    CompositeMakers makers(pagesFrame);
    auto contents = makers.addTableOfContents({10, 10});
    EXPECT_EQ(contents->numOfRows(), 2);
    EXPECT_EQ(textAt(*contents, 0, 1), "0");
    EXPECT_EQ(textAt(*contents, 1, 1), "2");
    EXPECT_EQ(contents->bounds().height(), 100);

    auto map = makers.addTableOfSitemap(false, pages.list);
    EXPECT_EQ(map->bounds(), QRectF(120, 580, 350, 120));
    EXPECT_EQ(map->grabSelectedTableCellHelper(2, 0)->link, "contact.html");
    EXPECT_EQ(map->gridType(), "table");
}

TEST_F(CompositeTablesTest, TableMakersBuildTheirGrids)
{
    TableMakers makers(*frame);
    auto table = makers.addTable();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->bounds(), QRectF(100, 30, 800, 100));
    EXPECT_EQ(table->cellHelperArray().size(), 4);
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 3)->width, 200);
    EXPECT_EQ(table->padding(), 5);

    doc->docSpecificPageWidth = 1200;
    auto responsive = makers.addTable_Responsive({QStringLiteral("4"), QStringLiteral("8")}, 2, {0, 0});
    EXPECT_EQ(responsive->grabSelectedTableCellHelper(0, 0)->width, 333);
    EXPECT_EQ(responsive->grabSelectedTableCellHelper(0, 1)->width, 666);
    EXPECT_FALSE(makers.addTable_Responsive({QStringLiteral("0")}, 1, {0, 0}));
    EXPECT_FALSE(makers.addTable_Responsive({QStringLiteral("4")}, 2, {0, 0}));

    auto strip = makers.addTable_Strip2({0, 0});
    EXPECT_EQ(strip->numOfRows(), 12);
    EXPECT_EQ(strip->bounds().size(), QSizeF(300, 1000));
    EXPECT_EQ(strip->grabSelectedTableCellHelper(11, 0)->backgroundHexColorString, "555555");
    EXPECT_EQ(strip->grabSelectedTableCellHelper(11, 0)->textView.borderLine, "dashed");

    auto fixed = makers.addTable_multiColumnWidth_drag({0, 0});
    fixed->setBounds(QRectF(0, 0, 815, 280));
    EXPECT_EQ(fixed->grabSelectedTableCellHelper(4, 1)->width, 100);
}

TEST_F(CompositeTablesTest, EveryMakerIsOneUndoStep)
{
    const QList<std::pair<const char *, std::function<void()>>> makers = {
        {"section", [&] { CompositeMakers(*frame).addSection({QStringLiteral("6"), QStringLiteral("6")}, 2, {0, 10}); }},
        {"template", [&] { CompositeMakers(*frame).addSectionTemplate(4, {0, 10}); }},
        {"navbar", [&] { CompositeMakers(*frame).addNavbar({0, 10}); }},
        {"text panel", [&] { CompositeMakers(*frame).addCollapsibleTextPanel({0, 10}); }},
        {"table", [&] { TableMakers(*frame).addTable_drag({5, 5}); }},
        {"strip", [&] { TableMakers(*frame).addTable_Strip({5, 5}); }},
    };
    for (const bool responsive : {false, true})
        for (const auto &[name, make] : makers) {
            SCOPED_TRACE(std::string(name) + (responsive ? " responsive" : ""));
            gResponsiveEdition = responsive;
            doc->clearAllGraphics();
            place({makeSection(1, {0, 0}, {600, 600}, 300), makeSection(2, {0, 300}, {1200}, 300)});
            doc->undoManager().removeAllActions();
            const auto before = snapshot();
            make();
            const auto after = snapshot();
            EXPECT_NE(after, before);
            EXPECT_EQ(doc->undoManager().undoCount(), 1);
            ASSERT_TRUE(doc->undoManager().undo());
            EXPECT_EQ(snapshot(), before);
            ASSERT_TRUE(doc->undoManager().redo());
            EXPECT_EQ(snapshot(), after);
        }
}

TEST_F(CompositeTablesTest, DuplicateCopiesEverythingAndGivesPicturesTheirOwnOriginals)
{
    auto source = std::make_shared<SKTTable>();
    auto cell = TableGridEditing::createNewTableCell();
    cell->textStorage = cell->textView.string = QStringLiteral("Hello");
    cell->width = 200;
    cell->height = 60;
    cell->fixedWidthFlag = 1;
    cell->verticalAlignment = 2;
    cell->textView.borderLine = QStringLiteral("dotted");
    cell->textAlignment = QStringLiteral("right");
    cell->link = QStringLiteral("about.html");
    cell->sectionNumber = 4;
    source->setCellHelperArray({cell});
    source->setNumOfRows(1);
    source->setNumOfColumns(1);
    source->setGridType(QStringLiteral("section"));
    source->setSectionNumber(4);
    source->setBorderStyle(QStringLiteral("dotted"));
    auto picture = std::make_shared<TransformView>();
    picture->imageName = QStringLiteral("image3");
    picture->imageType = QStringLiteral("PNG");
    picture->link = QStringLiteral("big.html");
    source->setImageArray({picture});
    source->SKTGraphic::setBounds({0, 700, 200, 60});
    place({source});

    // The pictures come from another page's folder, given by the caller.
    const QString otherFolder = path(QStringLiteral("other"));
    QDir().mkpath(otherFolder);
    writeFile(otherFolder + QStringLiteral("/image3o.PNG"), "picture bytes");
    gCopySourcePagePath = QStringLiteral("/nowhere/else.page");

    auto copy = TableDuplication(*frame).duplicateTable(*source, 0, otherFolder);
    ASSERT_TRUE(copy);
    EXPECT_EQ(doc->graphics().first(), copy);
    EXPECT_EQ(gCopySourcePagePath, "/nowhere/else.page");
    EXPECT_EQ(copy->sectionNumber(), 5);
    EXPECT_EQ(copy->borderStyle(), "dotted");
    EXPECT_EQ(copy->bounds(), source->bounds());
    const auto copied = copy->grabSelectedTableCellHelper(0, 0);
    ASSERT_TRUE(copied);
    EXPECT_NE(copied.get(), cell.get());
    EXPECT_EQ(SKTTable::cellText(*copied), "Hello");
    EXPECT_EQ(copied->fixedWidthFlag, 1);
    EXPECT_EQ(copied->verticalAlignment, 2);
    EXPECT_EQ(copied->textView.borderLine, "dotted");
    EXPECT_EQ(copied->textAlignment, "right");
    EXPECT_EQ(copied->link, "about.html");
    EXPECT_EQ(copied->sectionNumber, 5);
    ASSERT_EQ(copy->imageArray().size(), 1);
    const auto image = copy->imageArray().first();
    EXPECT_NE(image.get(), picture.get());
    EXPECT_NE(image->imageName, "image3");
    EXPECT_EQ(image->link, "big.html");
    QFile original(pageFolder() + QStringLiteral("/") + image->imageName + QStringLiteral("o.PNG"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), "picture bytes");

    // A plain table keeps its section number.
    source->setGridType(QStringLiteral("table"));
    auto plain = TableDuplication(*frame).duplicateTable(*source, 0, otherFolder);
    EXPECT_EQ(plain->sectionNumber(), 4);
    EXPECT_NE(plain->imageArray().first()->imageName, image->imageName);

    ASSERT_TRUE(doc->undoManager().undo());
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(doc->graphics().size(), 1);

    // Names from pasted data that are no plain name of our two kinds copy no file.
    writeFile(path(QStringLiteral("secret.PNG")), "not a picture of the page");
    writeFile(otherFolder + QStringLiteral("/image4o.EXE"), "not a picture");
    auto climbing = std::make_shared<TransformView>(*picture);
    climbing->imageName = QStringLiteral("../secret");
    auto foreign = std::make_shared<TransformView>(*picture);
    foreign->imageName = QStringLiteral("image4");
    foreign->imageType = QStringLiteral("EXE");
    source->setImageArray({climbing, foreign});
    const QStringList before = QDir(pageFolder()).entryList(QDir::Files);
    auto guarded = TableDuplication(*frame).duplicateTable(*source, 0, otherFolder);
    ASSERT_TRUE(guarded);
    EXPECT_EQ(guarded->imageArray().size(), 2);
    EXPECT_EQ(QDir(pageFolder()).entryList(QDir::Files), before);
}

TEST_F(CompositeTablesTest, SectionAwarePastePlacesTheCopyAtY)
{
    gSectionAwarePaste = true;
    auto source = makeSection(1, {0, 400}, {600, 600}, 300);
    place({source});
    auto copy = TableDuplication(*frame).duplicateTable(*source, 900);
    EXPECT_EQ(copy->bounds().y(), 900);
    EXPECT_EQ(source->interimTranslatedY, -500);
}

TEST_F(CompositeTablesTest, SlideshowPlaceholderAndSnippets)
{
    CompositeMakers makers(*frame);
    auto show = makers.addSlideshow_drag(frame->menuPoint());
    ASSERT_TRUE(show);
    EXPECT_EQ(show->className(), "SKTSlideshow");
    EXPECT_EQ(show->bounds(), QRectF(100, 30, 500, 300));
    EXPECT_EQ(show->borderStyle(), "dashed");

    auto blank = makers.addNewHTMLSnippet();
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->bounds().size(), QSizeF(250, 100));
    EXPECT_EQ(blank->textString(), "<b>Enter HTML code here</b>");
    auto buy = makers.addPaypalSnippet();
    ASSERT_TRUE(buy);
    EXPECT_EQ(buy->bounds().size(), QSizeF(700, 200));
    EXPECT_EQ(alerts.last().messageText, "Looking for more Buy Button styles?");
    EXPECT_EQ(makers.addYouTubeHTMLSnippet()->bounds().size(), QSizeF(640, 480));
    EXPECT_EQ(doc->graphics().size(), 4);
}

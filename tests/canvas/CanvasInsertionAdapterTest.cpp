// Palette drops on a real canvas reach the real insertion makers through the
// canvas's insertion adapter: the document gets the graphics the presets and
// makers describe, each drop one undo step, and unknown names nothing.
#include "CanvasFixture.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "insertion/FormFields.h"
#include "insertion/InsertionFrame.h"
#include "insertion/PictureBatch.h"
#include "insertion/TableMakers.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"
#include "support/PageGraphics.h"

#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSet>
#include <QTest>
#include <QUrl>


class AdapterTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        adapter = std::make_unique<CanvasInsertionAdapter>(*view);
        view->setInsertions(adapter.get());
    }
    void TearDown() override
    {
        view->setInsertions(&insertions);
        adapter.reset();
        CanvasTest::TearDown();
    }
    // Drops one name at a canvas point with the widget at zoom; the graphics
    // the drop put in front of the page.
    QList<SKTGraphic *> dropAt(const QString &name, const QPointF &canvasPoint, double zoom = 1.0)
    {
        widget->setZoomFactor(zoom);
        const qsizetype before = doc->graphics().size();
        dropOnCanvas(widget.get(), {name}, {}, canvasPoint * zoom);
        endStep();
        QList<SKTGraphic *> made;
        for (qsizetype i = 0; i < doc->graphics().size() - before; ++i)
            made.append(doc->graphics()[i].get());
        return made;
    }
    std::unique_ptr<CanvasInsertionAdapter> adapter;
};

TEST_F(AdapterTest, PresetsAndMakersPutTheirGraphicsOnThePage)
{
    addRect({500, 500, 10, 10}, 6);
    endStep();
    struct Case {
        const char *name;
        double zoom;
        QPointF at;
        QStringList classes; // front first
        QRectF firstBounds;
        QString textType;
    };
    const QList<Case> cases = {
        {"zov_square", 0.5, {10, 20}, {"SKTText"}, {10, 20, 200, 200}, "Text"},
        {"zov_square", 4.0, {10, 20}, {"SKTText"}, {10, 20, 25, 25}, "Text"},
        {"zov_textbox_label", 1.0, {10, 20}, {"SKTText"}, {10, 20, 750, 600}, "Text"},
        {"zov_zoom_bubble", 1.0, {40, 50}, {"SKTText"}, {40, 50, 100, 100}, "Text"},
        {"zov_htmlsnippet", 1.0, {10.6, 20.4}, {"SKTText"}, {10, 20, 250, 100}, "HTMLSnippet"},
        {"zov_video", 1.0, {30, 30}, {"SKTText"}, {30, 30, 640, 480}, "HTMLSnippet"},
        {"zov_line_solid", 2.0, {100, 100}, {"SKTLine"}, {}, ""},
        // A dashed circle and its arrow, in one new group.
        {"zov_circle_markup_red_bubble", 1.0, {100, 300}, {"SKTLine", "SKTText"}, {}, ""},
        {"zov_individual", 1.0, {200, 200}, {}, {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at zoom " + std::to_string(c.zoom));
        const auto before = snapshot();
        const QList<SKTGraphic *> made = dropAt(QString::fromLatin1(c.name), c.at, c.zoom);
        ASSERT_FALSE(made.isEmpty());
        if (!c.classes.isEmpty()) {
            QStringList classes;
            for (SKTGraphic *g : made)
                classes << g->className();
            EXPECT_EQ(classes, c.classes);
        }
        if (!c.firstBounds.isNull()) {
            EXPECT_EQ(made.first()->bounds(), c.firstBounds);
        }
        if (!c.textType.isEmpty()) {
            EXPECT_EQ(made.first()->textType(), c.textType);
        }
        if (QString::fromLatin1(c.name) == QLatin1String("zov_line_solid")) {
            auto *line = dynamic_cast<SKTLine *>(made.first());
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->beginPoint(), QPointF(100, 100));
            EXPECT_EQ(line->endPoint(), QPointF(200, 100)) << "200/z at zoom 2";
        }
        if (made.size() == 2 && c.classes.size() == 2) {
            EXPECT_EQ(made[0]->groupNumber(), 7);
            EXPECT_EQ(made[1]->groupNumber(), 7);
        }
        const auto after = snapshot();
        undo().undo();
        EXPECT_EQ(snapshot(), before) << "one drop is one undo step";
        undo().redo();
        EXPECT_EQ(snapshot(), after);
        undo().undo();
    }
}

TEST_F(AdapterTest, UnknownAndUnbuiltNamesInsertNothing)
{
    addRect({10, 10, 10, 10});
    endStep();
    const auto before = snapshot();
    const int steps = int(undo().undoCount());
    for (const char *name : {"zov_mother", "zov_table_unknown", "DragAndDrop/index.png", "zov_table1x3"}) {
        SCOPED_TRACE(name);
        if (CanvasInsertionAdapter::hasCodeAction(QStringLiteral("addTable_Responsive"))
            && QLatin1String(name) == QLatin1String("zov_table1x3"))
            continue;
        dropAt(QString::fromLatin1(name), {40, 40});
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(int(undo().undoCount()), steps);
}

TEST_F(AdapterTest, MakersAddedByNameRunForTheirRows)
{
    QStringList seen;
    CanvasInsertionAdapter::addCodeAction(QStringLiteral("addNavbar"),
                                          [&seen](InsertionFrame &, const DropCodeName &row, const QPointF &p) {
                                              seen << QStringLiteral("%1@%2,%3").arg(row.name).arg(p.x()).arg(p.y());
                                              return true;
                                          });
    dropAt(QStringLiteral("zov_navbar"), {12, 34});
    EXPECT_EQ(seen, QStringList{QStringLiteral("zov_navbar@12,34")});
    CanvasInsertionAdapter::addCodeAction(QStringLiteral("addNavbar"), {});
}

TEST_F(AdapterTest, PastedPictureDataLandsInsideTheVisiblePart)
{
    adapter->visibleOriginProvider = [] { return std::optional<QPointF>(QPointF(300.6, 1200.2)); };
    auto *data = new QMimeData;
    data->setImageData(QImage(30, 20, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(data);
    key(Qt::Key_V, Qt::ControlModifier);
    endStep();
    ASSERT_EQ(doc->graphics().size(), 1);
    EXPECT_EQ(doc->graphics()[0]->bounds(), QRectF(400, 1300, 30, 20));
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Paste"));
}

TEST_F(AdapterTest, DroppedPictureFilesAreReadOnWorkersAndBecomeImagesWithTheirOriginals)
{
    const QString file = path(QStringLiteral("photo.png"));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(file));
    const auto settled = [this] {
        const bool done = QTest::qWaitFor([] { return PictureBatch::pending() == 0; }, 30000);
        endStep();
        return done;
    };
    widget->setZoomFactor(1.0);
    const int steps = undo().undoCount();
    EXPECT_TRUE(dropOnCanvas(widget.get(), {}, {QUrl::fromLocalFile(file)}, {100, 100}));
    ASSERT_TRUE(settled());
    ASSERT_EQ(doc->graphics().size(), 1);
    auto *image = dynamic_cast<SKTImage *>(doc->graphics()[0].get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bounds(), QRectF(100, 100, 40, 20));
    EXPECT_EQ(undo().undoCount(), steps + 1);
    EXPECT_EQ(undo().undoActionName(), QStringLiteral("Paste"));
    const QString original = QDir(doc->pageFolderPath()).filePath(image->imageName() + QStringLiteral("o.PNG"));
    EXPECT_TRUE(QFile::exists(original)) << original.toStdString();

    // Several files at once: one step, 50 points apart on the drop line; a
    // file that is no picture keeps its slot and is named in one message.
    const QString broken = path(QStringLiteral("broken.png"));
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("\x89PNG\r\n\x1a\nnot really");
    out.close();
    const int shown = alerts.count();
    dropOnCanvas(widget.get(), {}, {QUrl::fromLocalFile(file), QUrl::fromLocalFile(broken), QUrl::fromLocalFile(file)},
                 {300, 100});
    ASSERT_TRUE(settled());
    ASSERT_EQ(doc->graphics().size(), 3);
    EXPECT_EQ(undo().undoCount(), steps + 2);
    EXPECT_EQ(doc->graphics()[1]->bounds().topLeft(), QPointF(300, 100));
    EXPECT_EQ(doc->graphics()[0]->bounds().topLeft(), QPointF(400, 100));
    ASSERT_EQ(alerts.count(), shown + 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("The dropped files could not be read."));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("broken.png"));
    // No picture ever takes another one's name.
    QSet<QString> names;
    for (const auto &g : doc->graphics())
        names.insert(dynamic_cast<SKTImage *>(g.get())->imageName());
    EXPECT_EQ(names.size(), 3);
    EXPECT_FALSE(names.contains(view->nextImageName()));

    // Only broken files: nothing placed, no undo step.
    dropOnCanvas(widget.get(), {}, {QUrl::fromLocalFile(broken)}, {500, 500});
    ASSERT_TRUE(settled());
    EXPECT_EQ(doc->graphics().size(), 3);
    EXPECT_EQ(undo().undoCount(), steps + 2);
    EXPECT_EQ(alerts.count(), shown + 2);
}

TEST_F(AdapterTest, SectionAwarePasteLandsInTheCellUnderTheClickAndTakesItsSection)
{
    gSectionAwarePaste = true;
    auto section = testpage::section(3, {0, 100}, {400, 400}, 200);
    section->setSelectable(true);
    doc->insertGraphicAtIndex(section, 0);
    auto text = std::make_shared<SKTText>();
    text->setBounds({10, 500, 100, 40});
    text->setSelectable(true);
    text->setTextString(QStringLiteral("copied"));
    doc->insertGraphicAtIndex(text, 0);
    endStep();
    view->setSelectedGraphics({text.get()});
    ASSERT_TRUE(view->copy());
    view->contextMenuAt({450, 120});
    view->paste();
    endStep();
    ASSERT_EQ(doc->graphics().size(), 3);
    SKTGraphic *pasted = doc->graphics()[0].get();
    ASSERT_NE(pasted, text.get());
    EXPECT_EQ(pasted->bounds().x(), 400) << "the cell's left edge";
    EXPECT_EQ(pasted->bounds().y(), 120);
    EXPECT_EQ(pasted->sectionNumber(), 3);
    EXPECT_EQ(pasted->sectionColumnSpot(), 1);

    // No section under the click: the graphics keep their x (cascaded as any paste).
    view->setSelectedGraphics({text.get()});
    ASSERT_TRUE(view->copy());
    view->contextMenuAt({450, 700});
    view->paste();
    endStep();
    EXPECT_EQ(doc->graphics()[0]->bounds().x(), 10 + view->pasteCascadeDelta.x());
    EXPECT_EQ(doc->graphics()[0]->sectionColumnSpot(), text->sectionColumnSpot());
}

// Duplicate and Delete on the canvas reach the table copy and the form field
// partners through the same adapter the drops use.
TEST_F(AdapterTest, DuplicateCopiesTheTableAndDeleteFindsAFieldsPartners)
{
    InsertionFrame frame(*adapter);
    auto table = TableMakers(frame).addTable_drag({40, 40});
    ASSERT_TRUE(table);
    endStep();
    view->setSelectedGraphics({table.get()});
    view->duplicate();
    endStep();
    int tables = 0;
    for (const auto &g : doc->graphics())
        tables += dynamic_cast<SKTTable *>(g.get()) != nullptr;
    EXPECT_EQ(tables, 2);

    // An option's label takes its control along when deleted.
    doc->clearAllGraphics();
    FormFields(frame).addMultipleChoice_drag(40, 300);
    endStep();
    int withPartner = 0;
    for (const auto &g : doc->graphics()) {
        const QList<SKTGraphic *> partners = adapter->fetchAllPartnerViews(*doc, {g.get()});
        withPartner += !partners.isEmpty();
        EXPECT_FALSE(partners.contains(g.get()));
    }
    EXPECT_GT(withPartner, 0);
}

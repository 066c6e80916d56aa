// The canvas as a person meets it in a document window of the running
// program: the zoom box, the View menu's zoom commands and Ctrl+wheel; the
// context menu a right click opens on what is under the pointer; slideshows,
// galleries and tables filled and edited from the canvas with real events.
#include "CanvasFixture.h"
#include "support/RealProgram.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/ui/CanvasContextMenu.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/UndoManager.h"
#include "canvas/ui/CanvasCommandPresenter.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/TransformView.h"
#include "window/ui/SKTWindowController.h"

#include <QAbstractItemView>
#include <QRegularExpression>
#include <algorithm>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QTest>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class DocumentWindowCanvasTest : public RealProgramTest {
protected:
    SKTWindowController *open(const QString &edition)
    {
        launchAs(edition);
        window = newPageWindow();
        panels.clearAnswers();
        if (window)
            window->resize(1200, 800);
        settleEvents();
        return window;
    }
    SKTGraphicViewWidget *canvas() const { return window->canvasWidget(); }
    CanvasContextMenu *menu() const { return window->canvasPresenter()->contextMenu(); }
    SKTDocument &document() const { return window->document(); }
    // A page point where the window shows it, scrolled into view first.
    QPoint onScreen(const QPointF &pagePoint) const
    {
        const QPoint p = (pagePoint * canvas()->zoomFactor()).toPoint();
        window->zoomingScrollView()->ensureVisible(p.x(), p.y(), 60, 60);
        settleEvents();
        return canvas()->mapTo(window, p);
    }
    // A right click of the mouse on the page point, through the window as
    // the window system delivers it; the titles the opened menu shows.
    QStringList rightClick(const QPointF &pagePoint)
    {
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, onScreen(pagePoint));
        settleEvents();
        return menu()->isVisible() ? menu()->visibleTitles() : QStringList{QStringLiteral("(no menu)")};
    }
    QStringList submenuTitles(const QString &action) const
    {
        return menu()->visibleTitles(menu()->actionNamed(action)->menu());
    }
    // Clicks the shown item with this title in the open menu, or in its
    // shown submenu submenuTitle.
    void choose(const QString &title, const QString &submenuTitle = {})
    {
        QMenu *in = menu();
        if (!submenuTitle.isEmpty()) {
            QAction *opener = itemTitled(in, submenuTitle);
            ASSERT_NE(opener, nullptr) << qPrintable(submenuTitle);
            QTest::mouseClick(in, Qt::LeftButton, {}, in->actionGeometry(opener).center());
            in = opener->menu();
            ASSERT_TRUE(spinUntil([in] { return in->isVisible(); }, 2000)) << qPrintable(submenuTitle);
        }
        QAction *item = itemTitled(in, title);
        ASSERT_NE(item, nullptr) << qPrintable(title);
        ASSERT_TRUE(item->isEnabled()) << qPrintable(title);
        QTest::mouseClick(in, Qt::LeftButton, {}, in->actionGeometry(item).center());
        settleEvents();
    }
    static QAction *itemTitled(QMenu *menu, const QString &title)
    {
        for (QAction *a : menu->actions())
            if (a->isVisible() && !a->isSeparator() && a->text() == title)
                return a;
        return nullptr;
    }
    void closeMenu()
    {
        if (menu()->isVisible())
            menu()->hide();
        settleEvents();
    }
    // Drops palette code names and/or picture files at a page point, as the
    // palette or a file manager does.
    bool drop(const QStringList &names, const QStringList &files, const QPointF &pagePoint)
    {
        QList<QUrl> urls;
        for (const QString &f : files)
            urls << QUrl::fromLocalFile(f);
        const QPoint p = canvas()->mapFrom(window, onScreen(pagePoint));
        const bool accepted = dropOnCanvas(canvas(), names, urls, p);
        settleEvents();
        return accepted;
    }
    QString picture(const QString &name, const QColor &colour, const QSize &size = {120, 80})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = path(name);
        image.save(file);
        return file;
    }
    template <typename Kind> QList<Kind *> graphicsOf() const
    {
        QList<Kind *> found;
        for (const auto &g : document().graphics())
            if (auto *k = dynamic_cast<Kind *>(g.get()))
                found << k;
        return found;
    }
    SKTWindowController *window = nullptr;
};

// The default edition, a website edition and a markup edition.
class EveryEditionZoomTest : public DocumentWindowCanvasTest, public ::testing::WithParamInterface<const char *> {};

INSTANTIATE_TEST_SUITE_P(Editions, EveryEditionZoomTest,
                         ::testing::Values("", "HTML Zov Pro", "Tovra Markup Express"));

// Ctrl with the wheel turned one notch at pos (viewport coordinates), sent to the canvas under it.
void ctrlWheel(SKTWindowController *window, const QPoint &viewportPos, int notches)
{
    SKTGraphicViewWidget *canvas = window->canvasWidget();
    const QPoint at = canvas->mapFrom(window->zoomingScrollView()->viewport(), viewportPos);
    QWheelEvent wheel(QPointF(at), QPointF(canvas->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    settleEvents();
}

TEST_P(EveryEditionZoomTest, EveryValueOfTheZoomBoxTheViewMenuAndCtrlWheelZoomTheCanvas)
{
    SKTWindowController *window = open(QString::fromUtf8(GetParam()));
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    SKTZoomingScrollView *zoom = window->zoomingScrollView();
    QComboBox *box = zoom->factorPopUpButton();
    ASSERT_TRUE(box->isVisible());
    ASSERT_EQ(box->count(), 26);
    SKTGraphicViewWidget *canvas = window->canvasWidget();
    const QSizeF page = window->graphicView().canvasBounds().size();
    // Factors are kept in single precision, as the box computes them.
    auto expectFactor = [&](const char *title, const char *how) {
        const double f = SKTZoomingScrollView::factorOfTitle(QString::fromLatin1(title));
        EXPECT_DOUBLE_EQ(zoom->factor(), f) << how;
        EXPECT_DOUBLE_EQ(canvas->zoomFactor(), f) << how;
        EXPECT_DOUBLE_EQ(window->graphicView().zoomFactor, f) << how;
        EXPECT_DOUBLE_EQ(window->zoomFactor(), f) << how;
        EXPECT_FLOAT_EQ(gHandleScale, float(f)) << how;
        EXPECT_NEAR(canvas->width(), page.width() * f, 1.0) << how;
        EXPECT_NEAR(canvas->height(), page.height() * f, 1.0) << how;
        EXPECT_DOUBLE_EQ(box->currentData().toDouble(), f) << how;
    };

    // Every entry of the box, opened and clicked as a person does.
    for (int i = 0; i < box->count(); ++i) {
        box->showPopup();
        QAbstractItemView *list = box->view();
        ASSERT_TRUE(spinUntil([list] { return list->isVisible(); }, 2000));
        const QModelIndex entry = list->model()->index(i, 0);
        list->scrollTo(entry);
        // In the middle of the entry's visible part.
        const QRect shown = list->visualRect(entry).intersected(list->viewport()->rect());
        ASSERT_FALSE(shown.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, shown.center());
        settleEvents();
        EXPECT_EQ(box->currentIndex(), i);
        const QByteArray title = box->itemText(i).toLatin1();
        expectFactor(title.constData(), title.constData());
    }

    // The View menu steps through the same entries and back to 100 %.
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Actual Size"), &why)) << qPrintable(why);
    expectFactor("100%", "Actual Size");
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Zoom In"), &why)) << qPrintable(why);
    expectFactor("125%", "Zoom In");
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Zoom Out"), &why)) << qPrintable(why);
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Zoom Out"), &why)) << qPrintable(why);
    expectFactor("90%", "Zoom Out twice");
    for (QAction *item : {MenuPath::find(window, QStringLiteral("View/Zoom In")),
                          MenuPath::find(window, QStringLiteral("View/Zoom Out")),
                          MenuPath::find(window, QStringLiteral("View/Actual Size"))})
        ASSERT_NE(item, nullptr);
    EXPECT_EQ(MenuPath::find(window, QStringLiteral("View/Zoom In"))->shortcut(), QKeySequence(QKeySequence::ZoomIn));
    // At the end of the list the menu item is disabled.
    zoom->updateScale(QStringLiteral("600%"), 6.0);
    EXPECT_FALSE(MenuPath::trigger(window, QStringLiteral("View/Zoom In"), &why));
    EXPECT_TRUE(why.contains(QStringLiteral("disabled"))) << qPrintable(why);
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Actual Size"), &why)) << qPrintable(why);

    // Ctrl+wheel over the canvas zooms about the pointer: the page point
    // under it stays there.
    const QPoint pointer(300, 200);
    auto pagePointAt = [&](const QPoint &p) {
        return QPointF(zoom->horizontalScrollBar()->value() + p.x(), zoom->verticalScrollBar()->value() + p.y())
               / zoom->factor();
    };
    const QPointF before = pagePointAt(pointer);
    ctrlWheel(window, pointer, 1);
    expectFactor("125%", "Ctrl+wheel up");
    EXPECT_NEAR(pagePointAt(pointer).x(), before.x(), 1.0);
    EXPECT_NEAR(pagePointAt(pointer).y(), before.y(), 1.0);
    ctrlWheel(window, pointer, -3);
    expectFactor("85%", "Ctrl+wheel three notches down");
    // The wheel alone scrolls and leaves the zoom.
    QWheelEvent plain(QPointF(100, 100), QPointF(canvas->mapToGlobal(QPoint(100, 100))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &plain);
    settleEvents();
    expectFactor("85%", "plain wheel");
}

TEST_F(DocumentWindowCanvasTest, RightClickShowsTheMenuForWhatIsUnderThePointerAndItsItemsDoWhatTheySay)
{
    ASSERT_NE(open(QStringLiteral("HTML Zov Pro")), nullptr);

    // Empty canvas: what can be done to the page.
    QStringList titles = rightClick({700, 700});
    EXPECT_TRUE(titles.contains(QStringLiteral("Paste"))) << qPrintable(titles.join(u','));
    EXPECT_TRUE(titles.contains(QStringLiteral("Hide Ruler"))) << qPrintable(titles.join(u','));
    for (const char *t : {"Cut", "Copy", "Delete", "Add Slides...", "Gallery >", "Crop Image..."})
        EXPECT_FALSE(titles.contains(QString::fromLatin1(t))) << t;
    choose(QStringLiteral("Hide Ruler"));
    EXPECT_FALSE(window->zoomingScrollView()->showsRulers());
    EXPECT_TRUE(rightClick({700, 700}).contains(QStringLiteral("Show Ruler")));
    choose(QStringLiteral("Show Ruler"));
    EXPECT_TRUE(window->zoomingScrollView()->showsRulers());

    // A slideshow, grabbed by a right click in its middle.
    ASSERT_TRUE(drop({QStringLiteral("zov_slideshow")}, {}, {100, 100}));
    ASSERT_EQ(graphicsOf<SKTSlideshow>().size(), 1);
    SKTSlideshow *show = graphicsOf<SKTSlideshow>().first();
    window->graphicView().deselectAll();
    titles = rightClick(show->bounds().center());
    EXPECT_EQ(window->graphicView().selectedGraphics(), QList<SKTGraphic *>{show});
    EXPECT_TRUE(titles.contains(QStringLiteral("Add Slides..."))) << qPrintable(titles.join(u','));
    for (const char *t : {"Delete Slide", "Replace Slide...", "Cut", "Copy", "Arrange >", "Paste Style"})
        EXPECT_FALSE(titles.contains(QString::fromLatin1(t))) << t;
    const QString red = picture(QStringLiteral("red.png"), Qt::red);
    const QString blue = picture(QStringLiteral("blue.png"), Qt::blue);
    panels.answer(QStringList{red, blue});
    choose(QStringLiteral("Add Slides..."));
    ASSERT_TRUE(spinUntil([show] { return show->imageArray().size() == 2; })) << qPrintable(alerts.messages().join(u'\n'));
    titles = rightClick(show->bounds().center());
    for (const char *t : {"Add Slides...", "Delete Slide", "Replace Slide...", "Link Slide...", "Set Auto Scrolling"})
        EXPECT_TRUE(titles.contains(QString::fromLatin1(t))) << t << qPrintable(titles.join(u','));
    choose(QStringLiteral("Set Auto Scrolling"));
    EXPECT_EQ(show->slideShowAutomaticFlag(), 1);
    EXPECT_TRUE(rightClick(show->bounds().center()).contains(QStringLiteral("Disable Auto Scrolling")));
    choose(QStringLiteral("Delete Slide"));
    EXPECT_EQ(show->imageArray().size(), 1);

    // A gallery: pictures fill its spots from the one clicked.
    ASSERT_TRUE(drop({QStringLiteral("zov_gallery")}, {}, {100, 600}));
    ASSERT_EQ(graphicsOf<SKTGalleryGrid>().size(), 1);
    SKTGalleryGrid *gallery = graphicsOf<SKTGalleryGrid>().first();
    const QRectF g = gallery->bounds();
    const QPointF secondSpot(g.x() + g.width() * 3 / 8, g.center().y());
    titles = rightClick(secondSpot);
    EXPECT_EQ(window->graphicView().selectedGraphics(), QList<SKTGraphic *>{gallery});
    EXPECT_TRUE(titles.contains(QStringLiteral("Gallery >"))) << qPrintable(titles.join(u','));
    EXPECT_TRUE(submenuTitles(QStringLiteral("galleryEditMenu")).contains(QStringLiteral("Add Images...")));
    EXPECT_FALSE(submenuTitles(QStringLiteral("galleryEditMenu")).contains(QStringLiteral("Delete Image")));
    panels.answer(QStringList{red, blue});
    choose(QStringLiteral("Add Images..."), QStringLiteral("Gallery"));
    ASSERT_TRUE(spinUntil([gallery] { return gallery->imageArray().size() == 2; }))
        << qPrintable(alerts.messages().join(u'\n'));
    QList<QPair<int, int>> spots;
    for (const auto &p : gallery->imageArray())
        spots << qMakePair(int(p->rowSpot), int(p->columnSpot));
    EXPECT_TRUE(spots.contains(qMakePair(0, 1)) && spots.contains(qMakePair(0, 2)));
    rightClick(secondSpot);
    const QStringList galleryItems = submenuTitles(QStringLiteral("galleryEditMenu"));
    for (const char *t : {"Delete Image", "Replace Image...", "Caption and Link...", "Move Image Left", "Move Image Right"})
        EXPECT_TRUE(galleryItems.contains(QString::fromLatin1(t))) << t;
    choose(QStringLiteral("Move Image Left"), QStringLiteral("Gallery"));
    spots.clear();
    for (const auto &p : gallery->imageArray())
        spots << qMakePair(int(p->rowSpot), int(p->columnSpot));
    EXPECT_TRUE(spots.contains(qMakePair(0, 0)) && spots.contains(qMakePair(0, 2))) << spots.size();

    // A photo.
    ASSERT_TRUE(drop({}, {red}, {900, 100}));
    ASSERT_TRUE(spinUntil([this] { return !graphicsOf<SKTImage>().isEmpty(); }));
    SKTImage *photo = graphicsOf<SKTImage>().first();
    titles = rightClick(photo->bounds().center());
    EXPECT_EQ(window->graphicView().selectedGraphics(), QList<SKTGraphic *>{photo});
    for (const char *t : {"Cut", "Copy", "Crop Image...", "Replace Image...", "Click to Enlarge >", "Tooltip...", "Link..."})
        EXPECT_TRUE(titles.contains(QString::fromLatin1(t))) << t << qPrintable(titles.join(u','));
    EXPECT_FALSE(titles.contains(QStringLiteral("Add Slides...")));
    const int before = int(graphicsOf<SKTImage>().size());
    choose(QStringLiteral("Copy"));
    rightClick({700, 900});
    choose(QStringLiteral("Paste"));
    EXPECT_EQ(graphicsOf<SKTImage>().size(), before + 1);
}

TEST_F(DocumentWindowCanvasTest, PicturesDroppedOnASlideshowOrGalleryGoIntoItAndTablesAreEditedInPlace)
{
    ASSERT_NE(open(QStringLiteral("HTML Zov Pro")), nullptr);
    const QString red = picture(QStringLiteral("red.png"), Qt::red);
    const QString green = picture(QStringLiteral("green.jpg"), Qt::green);
    const QString blue = picture(QStringLiteral("blue.png"), Qt::blue);

    // An empty slideshow is grabbed and moved from anywhere inside it.
    ASSERT_TRUE(drop({QStringLiteral("zov_slideshow")}, {}, {100, 100}));
    SKTSlideshow *show = graphicsOf<SKTSlideshow>().value(0);
    ASSERT_NE(show, nullptr);
    window->graphicView().deselectAll();
    const QRectF start = show->bounds();
    const QPoint from = onScreen(start.center() + QPointF(40, 30));
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, from);
    QTest::mouseMove(window->windowHandle(), from + QPoint(20, 10));
    QTest::mouseMove(window->windowHandle(), from + QPoint(60, 40));
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, from + QPoint(60, 40));
    settleEvents();
    const double z = canvas()->zoomFactor();
    EXPECT_NEAR(show->bounds().x(), start.x() + 60 / z, 1.0);
    EXPECT_NEAR(show->bounds().y(), start.y() + 40 / z, 1.0);

    // Pictures dropped on it become its slides, in one undo step.
    const int images = int(graphicsOf<SKTImage>().size());
    const int steps = document().undoManager().undoCount();
    ASSERT_TRUE(drop({}, {red, green}, show->bounds().center()));
    ASSERT_TRUE(spinUntil([show] { return show->imageArray().size() == 2; })) << qPrintable(alerts.messages().join(u'\n'));
    settleEvents();
    EXPECT_EQ(graphicsOf<SKTImage>().size(), images);
    EXPECT_EQ(window->graphicView().selectedGraphics(), QList<SKTGraphic *>{show});
    EXPECT_EQ(document().undoManager().undoCount(), steps + 1);
    ASSERT_TRUE(document().undoManager().undo());
    EXPECT_TRUE(show->imageArray().isEmpty());

    // Pictures dropped on a gallery fill its spots from the one under the drop.
    ASSERT_TRUE(drop({QStringLiteral("zov_gallery")}, {}, {100, 600}));
    SKTGalleryGrid *gallery = graphicsOf<SKTGalleryGrid>().value(0);
    ASSERT_NE(gallery, nullptr);
    const QRectF g = gallery->bounds();
    ASSERT_TRUE(drop({}, {red, green, blue}, {g.x() + g.width() * 5 / 8, g.center().y()}));
    ASSERT_TRUE(spinUntil([gallery] { return gallery->imageArray().size() == 2; }))
        << qPrintable(alerts.messages().join(u'\n'));
    QList<int> columns;
    for (const auto &p : gallery->imageArray())
        columns << p->columnSpot;
    std::sort(columns.begin(), columns.end());
    EXPECT_EQ(columns, (QList<int>{2, 3}));
    EXPECT_EQ(graphicsOf<SKTImage>().size(), images);

    // A picture dropped on empty canvas is still a picture of its own.
    ASSERT_TRUE(drop({}, {blue}, {1000, 100}));
    ASSERT_TRUE(spinUntil([this, images] { return graphicsOf<SKTImage>().size() == images + 1; }));

    // A table: its cell is typed into after a double click, and its context
    // menu inserts a row above the clicked one.
    ASSERT_TRUE(drop({QStringLiteral("zov_table")}, {}, {700, 900}));
    SKTTable *table = graphicsOf<SKTTable>().value(0);
    ASSERT_NE(table, nullptr);
    const int rows = table->numOfRows();
    const QRectF t = table->bounds();
    const QPointF firstCell(t.x() + 12, t.y() + 12);
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, onScreen(firstCell));
    settleEvents();
    QWidget *editor = canvas()->editor();
    ASSERT_NE(editor, nullptr) << "selected: " << window->graphicView().selectedGraphics().size();
    QTest::keyClicks(editor, QStringLiteral("Price"));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onScreen({1200, 1400}));
    settleEvents();
    bool typed = false;
    for (const auto &cell : table->cellHelperArray())
        typed = typed || (cell->rowSpot == 0 && cell->columnSpot == 0 && cell->textView.string.contains(u"Price"));
    EXPECT_TRUE(typed);
    const QStringList titles = rightClick(firstCell);
    EXPECT_TRUE(titles.contains(QStringLiteral("Table >"))) << qPrintable(titles.join(u','));
    choose(QStringLiteral("Insert Row"), QStringLiteral("Table"));
    EXPECT_EQ(table->numOfRows(), rows + 1);
}

// A slideshow from Add New in the default edition, its slides added from its
// own menu, the page saved and exported once: every picture the exported
// page shows is found where the page says, the very first time.
TEST_F(DocumentWindowCanvasTest, ASlideshowExportedOnceFindsItsSlides)
{
    ASSERT_NE(open(QString()), nullptr);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Add New/Slideshow"), &why)) << qPrintable(why);
    settleEvents();
    SKTSlideshow *show = graphicsOf<SKTSlideshow>().value(0);
    ASSERT_NE(show, nullptr);
    const QString red = picture(QStringLiteral("red.png"), Qt::red);
    const QString blue = picture(QStringLiteral("blue.png"), Qt::blue);
    window->graphicView().deselectAll();
    rightClick(show->bounds().center());
    panels.answer(QStringList{red, blue});
    choose(QStringLiteral("Add Slides..."));
    ASSERT_TRUE(spinUntil([show] { return show->imageArray().size() == 2; })) << qPrintable(alerts.messages().join(u'\n'));

    // A page of a project is saved where it is; a loose one asks where.
    panels.answer(path(QStringLiteral("saved.") + gDocumentExtension));
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Save"), &why)) << qPrintable(why);
    settleEvents();
    panels.clearAnswers();
    ASSERT_FALSE(document().fileURLPath.isEmpty()) << qPrintable(alerts.messages().join(u'\n'));

    const QString out = path(QStringLiteral("site"));
    ASSERT_TRUE(QDir().mkpath(out));
    panels.answer(out);
    alerts.answer(QStringLiteral("OK"));
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Export Source Files/Export This Page..."), &why))
        << qPrintable(why);
    ASSERT_TRUE(spinUntil([this] { return alerts.messages().contains(QStringLiteral("Export Complete")); }))
        << qPrintable(alerts.shown().isEmpty() ? QString() : alerts.shown().last().alert.informativeText);
    const QStringList pages = QDir(out).entryList({QStringLiteral("*.html"), QStringLiteral("*.php")}, QDir::Files);
    ASSERT_EQ(pages.size(), 1) << qPrintable(QDir(out).entryList().join(u' '));
    QFile file(QDir(out).filePath(pages.first()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());

    // Both slides, and any other picture the page shows, open from the
    // exported folder; none is looked for at the site's root.
    static const QRegularExpression img(QStringLiteral("<img src=\"?([^\" >]+)"));
    QStringList colours;
    for (auto it = img.globalMatch(page); it.hasNext();) {
        const QString src = it.next().captured(1);
        EXPECT_FALSE(src.startsWith(u'/')) << qPrintable(src);
        const QImage shown(QDir(out).filePath(src));
        ASSERT_FALSE(shown.isNull()) << qPrintable(src) << " is not in " << qPrintable(out) << ": "
                                     << qPrintable(QDir(QDir(out).filePath(src.section(u'/', 0, 0))).entryList().join(u' '));
        colours << shown.pixelColor(shown.width() / 2, shown.height() / 2).name();
    }
    EXPECT_TRUE(colours.contains(QStringLiteral("#ff0000"))) << qPrintable(colours.join(u' '));
    EXPECT_TRUE(colours.contains(QStringLiteral("#0000ff"))) << qPrintable(colours.join(u' '));
}

}  // namespace

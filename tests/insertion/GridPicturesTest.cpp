// Pictures in gallery and table spots, section backgrounds and slideshow
// slides: where they go, the refusals that write nothing, and undo.
#include "InsertionFixture.h"

#include "insertion/GridPictureCommands.h"
#include "insertion/SlideCommands.h"
#include "insertion/TableGridEditing.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>

class GridPicturesTest : public InsertionTest {
protected:
    QStringList pictures(int count, QSize size = {60, 40})
    {
        QStringList files;
        for (int i = 0; i < count; ++i) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i * 30 % 360, 200, 200));
            files.append(path(QStringLiteral("p%1.png").arg(i)));
            EXPECT_TRUE(image.save(files.last()));
        }
        return files;
    }
    QString broken()
    {
        QFile f(path(QStringLiteral("broken.jpg")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
        return f.fileName();
    }
    int pageFileCount() const
    {
        int n = 0;
        for (QDirIterator it(pageFolder(), QDir::Files); it.hasNext(); it.next())
            ++n;
        return n;
    }
    std::shared_ptr<SKTGalleryGrid> gallery(int rows, int columns)
    {
        auto grid = std::make_shared<SKTGalleryGrid>();
        grid->setNumOfRows(rows);
        grid->setNumOfColumns(columns);
        grid->SKTGraphic::setBounds(QRectF(0, 0, 100 * columns, 100 * rows));
        place({grid});
        context->selectionCache.selectedGalleryGrid = grid.get();
        return grid;
    }
    // The middle of the gallery spot (row, column), galleries being laid out evenly here.
    static QPointF spot(int row, int column) { return {100.0 * column + 50, 100.0 * row + 50}; }
    QString at(SKTGalleryGrid &grid, int row, int column)
    {
        const auto image = grid.grabSelectedImageAtSpot(row, column);
        return image ? image->imageName : QString();
    }
    GridPictureCommands commands() { return GridPictureCommands(*frame); }
};

TEST_F(GridPicturesTest, GalleryFillsSpotsInRowOrderAndNamesTheFilesBeyondTheLast)
{
    auto grid = gallery(3, 4);
    const QPoint clicked(grid->grabRowSpot(250, 150), grid->grabColumnSpot(250, 150));
    ASSERT_EQ(clicked, QPoint(1, 2));
    context->touch = {250, 150};
    doc->undoManager().removeAllActions();
    const auto before = snapshot();
    EXPECT_EQ(commands().proceedsToAddGalleryImages(pictures(8)), 6);
    ASSERT_EQ(grid->imageArray().size(), 6);
    EXPECT_FALSE(at(*grid, 1, 2).isEmpty());
    EXPECT_FALSE(at(*grid, 2, 3).isEmpty());
    EXPECT_TRUE(at(*grid, 1, 1).isEmpty());
    EXPECT_EQ(grid->grabSelectedImageAtSpot(1, 3)->slideShowNumber, -66);
    EXPECT_TRUE(alerts.last().informativeText.contains("p6.png"));
    EXPECT_TRUE(alerts.last().informativeText.contains("p7.png"));
    EXPECT_EQ(pageFileCount(), 6);
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(GridPicturesTest, RefusalsAndClicksOutsideWriteNothing)
{
    auto grid = gallery(2, 2);
    context->touch = {500, 500}; // outside every spot
    EXPECT_EQ(commands().proceedsToAddGalleryImages(pictures(2)), 0);
    context->touch = spot(0, 0);
    const int shown = alerts.count();
    EXPECT_EQ(commands().proceedsToAddGalleryImages({pictures(1).first(), broken()}), 0);
    EXPECT_EQ(alerts.count(), shown + 1);
    EXPECT_TRUE(alerts.last().informativeText.contains("broken.jpg"));
    EXPECT_TRUE(grid->imageArray().isEmpty());
    EXPECT_EQ(pageFileCount(), 0);
}

TEST_F(GridPicturesTest, MovesSwapWithTheNeighbourAndNeedAPictureUnderTheClick)
{
    auto grid = gallery(2, 3);
    context->touch = spot(0, 1);
    ASSERT_EQ(commands().proceedsToAddGalleryImages(pictures(2)), 2); // (0,1) and (0,2)
    const QString first = at(*grid, 0, 1), second = at(*grid, 0, 2);
    EXPECT_TRUE(commands().moveImageRightShown());
    EXPECT_TRUE(commands().moveImageRight());
    EXPECT_EQ(at(*grid, 0, 2), first);
    EXPECT_EQ(at(*grid, 0, 1), second);
    context->touch = spot(0, 2);
    EXPECT_FALSE(commands().moveImageRightShown());
    EXPECT_FALSE(commands().moveImageUpShown());
    EXPECT_TRUE(commands().moveImageDown()); // into an empty spot
    EXPECT_EQ(at(*grid, 1, 2), first);
    EXPECT_TRUE(at(*grid, 0, 2).isEmpty());
    // An empty spot under the click: every predicate answers NO and the moves do nothing.
    context->touch = spot(0, 0);
    for (bool shown : {commands().moveImageUpShown(), commands().moveImageDownShown(),
                       commands().moveImageLeftShown(), commands().moveImageRightShown()})
        EXPECT_FALSE(shown);
    const auto before = snapshot();
    EXPECT_FALSE(commands().moveImageRight());
    EXPECT_EQ(snapshot(), before);
    context->touch = spot(1, 2);
    EXPECT_TRUE(commands().deleteGalleryImage());
    EXPECT_EQ(grid->imageArray().size(), 1);
}

TEST_F(GridPicturesTest, TablePicturesAndSectionBackground)
{
    auto section = makeSection(1, {0, 0}, {450, 450}, 300);
    place({section});
    context->selectionCache.selectedTable = section.get();
    context->touch = {500, 100};
    ASSERT_EQ(commands().proceedsToAddGalleryImagesToTable(pictures(1)), 1);
    const auto picture = section->grabSelectedImageAtSpot(0, 1);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->galleryNumber, -99);
    EXPECT_EQ(picture->imageEnlargeFlag, 1);
    EXPECT_TRUE(commands().deleteTableImage());
    EXPECT_TRUE(section->imageArray().isEmpty());

    QImage wide(1800, 1200, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    ASSERT_TRUE(wide.save(path(QStringLiteral("wide.jpg"))));
    const auto before = snapshot();
    ASSERT_TRUE(commands().addSectionBackgroundImage(path(QStringLiteral("wide.jpg"))));
    const auto background = section->tableBackgroundImage();
    ASSERT_TRUE(background);
    EXPECT_EQ(background->image.size(), QSize(900, 600));
    EXPECT_TRUE(background->forceNonRetinaFlag);
    EXPECT_TRUE(commands().removeTableBackgroundImage());
    EXPECT_FALSE(section->tableBackgroundImage());
    doc->undoManager().undo();
    doc->undoManager().undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(GridPicturesTest, SlidesAreAddedReplacedAndDeletedWithTheCurrentOneInRange)
{
    auto show = std::make_shared<SKTSlideshow>();
    show->SKTGraphic::setBounds({0, 0, 500, 300});
    place({show});
    SlideCommands slides(*frame);
    EXPECT_FALSE(slides.slideShowOptionsShown()); // nothing selected
    EXPECT_EQ(slides.addSlideshowImage(pictures(1)), 0);
    EXPECT_EQ(pageFileCount(), 0);

    auto other = std::make_shared<SKTSlideshow>();
    place({other});
    context->selection = {show.get(), other.get()};
    EXPECT_FALSE(slides.slideShowOptionsShown());
    context->selection = {show.get()};
    EXPECT_TRUE(slides.slideShowOptionsShown());
    EXPECT_FALSE(slides.slideShowImageEditingOptionsShown());

    EXPECT_EQ(slides.addSlideshowImage(pictures(3)), 3);
    EXPECT_EQ(show->imageArray().size(), 3);
    EXPECT_EQ(show->currentImageIndex(), 2);
    EXPECT_EQ(slides.currentSlideLink(), "");
    EXPECT_TRUE(slides.saveSlideLink(QStringLiteral("next.html")));
    EXPECT_EQ(slides.currentSlideLink(), "next.html");
    const int files = pageFileCount();
    EXPECT_FALSE(slides.replaceSlide(broken()));
    EXPECT_EQ(pageFileCount(), files);

    const auto before = snapshot();
    EXPECT_TRUE(slides.deleteSlide());
    EXPECT_EQ(show->imageArray().size(), 2);
    EXPECT_EQ(show->currentImageIndex(), 1);
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snapshot(), before);

    EXPECT_EQ(slides.automateTitle(), "Set Auto Scrolling");
    EXPECT_TRUE(slides.automateSlideShow());
    EXPECT_EQ(slides.automateTitle(), "Disable Auto Scrolling");
    show->setSlideShowAutomaticFlag(5);
    slides.automateSlideShow();
    EXPECT_EQ(show->slideShowAutomaticFlag(), 0);
}

TEST_F(GridPicturesTest, BackgroundAddKeepsTheEventLoopFreeAndAClosedPageDropsIt)
{
    auto grid = gallery(2, 2);
    context->touch = spot(0, 0);
    const QStringList files = pictures(3);
    int placed = -1;
    commands().addGalleryImagesInBackground(files, false, [&](int n) { placed = n; });
    EXPECT_EQ(placed, -1); // the work goes on behind the event loop
    QElapsedTimer timer;
    timer.start();
    while (placed < 0 && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(placed, 3);
    EXPECT_EQ(grid->imageArray().size(), 3);
    EXPECT_EQ(doc->undoManager().undoCount(), 1);

    // The page closes while the pictures are read: nothing is placed or written.
    auto other = std::make_unique<SKTDocument>();
    other->pageName = QStringLiteral("other");
    other->tempSavePathLocal = path(QStringLiteral("work"));
    FakeInsertionContext otherContext(*other);
    auto second = std::make_shared<SKTGalleryGrid>();
    second->setNumOfRows(2);
    second->setNumOfColumns(2);
    second->SKTGraphic::setBounds(QRectF(0, 0, 200, 200));
    other->insertGraphicAtIndex(second, 0);
    otherContext.selectionCache.selectedGalleryGrid = second.get();
    otherContext.touch = spot(0, 0);
    InsertionFrame otherFrame(otherContext);
    int dropped = -1;
    GridPictureCommands(otherFrame).addGalleryImagesInBackground(files, false, [&](int n) { dropped = n; });
    other.reset();
    timer.restart();
    while (dropped < 0 && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(dropped, 0);
    EXPECT_FALSE(QDir(path(QStringLiteral("work/other"))).exists() && !QDir(path(QStringLiteral("work/other"))).isEmpty());
}

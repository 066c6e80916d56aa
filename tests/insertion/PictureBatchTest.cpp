// Inserts of many files at once run behind the event loop: each kind ends
// exactly as the same insert run at once (graphics, order, picture files),
// is one undo step, and a page closed or switched meanwhile is left alone.
#include "InsertionFixture.h"

#include "config/ProgressModel.h"

#include "insertion/GridPictureCommands.h"
#include "insertion/ImageCommands.h"
#include "insertion/ImageFactory.h"
#include "insertion/PictureBatch.h"
#include "insertion/SlideCommands.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"
#include "model/TransformView.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

namespace {
// One page with its own folder, context and frame.
struct Page {
    explicit Page(const QString &name, const QString &work)
    {
        doc = std::make_unique<SKTDocument>();
        doc->pageName = name;
        doc->tempSavePathLocal = work;
        context = std::make_unique<FakeInsertionContext>(*doc);
        frame = std::make_unique<InsertionFrame>(*context);
    }
    std::unique_ptr<SKTDocument> doc;
    std::unique_ptr<FakeInsertionContext> context;
    std::unique_ptr<InsertionFrame> frame;
};

InsertionFrameRunner framesOf(InsertionFrame &frame)
{
    return [&frame](const std::function<void(InsertionFrame &)> &fn) {
        fn(frame);
        return true;
    };
}

// What the page shows and stores, without the moment of insertion.
QStringList describe(SKTDocument &doc)
{
    QStringList lines;
    for (const auto &g : doc.graphics()) {
        QVariantMap map = g->properties().map();
        map.remove(QStringLiteral("imageLastModDate"));
        QString line = QString::fromLatin1(typeid(*g).name());
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const QVariant &v = it.value();
            line += QLatin1Char(' ') + it.key() + QLatin1Char('=')
                + (v.canConvert<QImage>() && v.metaType().id() == QMetaType::QImage
                       ? QStringLiteral("%1x%2").arg(v.value<QImage>().width()).arg(v.value<QImage>().height())
                       : v.toString());
        }
        if (auto *grid = dynamic_cast<GridGraphic *>(g.get()))
            for (const auto &record : grid->imageArray())
                line += QStringLiteral(" [%1 %2 %3,%4 %5x%6 %7x%8]")
                            .arg(record->imageName, record->imageType)
                            .arg(record->rowSpot)
                            .arg(record->columnSpot)
                            .arg(record->image.width())
                            .arg(record->image.height())
                            .arg(record->originalWidth)
                            .arg(record->originalHeight);
        if (auto *show = dynamic_cast<SKTSlideshow *>(g.get()))
            for (const auto &slide : show->imageArray())
                line += QStringLiteral(" [%1 %2 %3x%4]")
                            .arg(slide->imageName, slide->imageType)
                            .arg(slide->image.width())
                            .arg(slide->image.height());
        lines.append(line);
    }
    return lines;
}

QMap<QString, QByteArray> filesOf(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files); it.hasNext();) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            files.insert(QFileInfo(f).fileName(), QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

bool waitForBatches()
{
    return QTest::qWaitFor([] { return PictureBatch::pending() == 0; }, 30000);
}
} // namespace

class PictureBatchTest : public InsertionTest {
protected:
    QStringList pictures(int count, QSize size)
    {
        QStringList files;
        for (int i = 0; i < count; ++i) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i * 40 % 360, 180, 200));
            QPainter(&image).drawLine(0, 0, size.width(), size.height());
            files.append(path(QStringLiteral("p%1.%2").arg(i).arg(i % 2 ? "png" : "jpg")));
            EXPECT_TRUE(image.save(files.last()));
        }
        return files;
    }
    QString pdf(int pages)
    {
        const QString file = path(QStringLiteral("pages.pdf"));
        QPdfWriter writer(file);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(300, 200), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.fillRect(QRectF(10 * i, 0, 40, 40), Qt::blue);
        }
        painter.end();
        return file;
    }
    // Galleries and slideshows the inserts below fill.
    static void prepare(Page &page)
    {
        auto gallery = std::make_shared<SKTGalleryGrid>();
        gallery->setNumOfRows(3);
        gallery->setNumOfColumns(3);
        gallery->SKTGraphic::setBounds(QRectF(0, 0, 300, 300));
        auto show = std::make_shared<SKTSlideshow>();
        show->SKTGraphic::setBounds(QRectF(400, 0, 300, 200));
        page.doc->undoManager().disableUndoRegistration();
        page.doc->insertGraphicAtIndex(gallery, 0);
        page.doc->insertGraphicAtIndex(show, 1);
        page.doc->undoManager().enableUndoRegistration();
        page.context->selectionCache.selectedGalleryGrid = gallery.get();
        page.context->selectionCache.selectedSlideshow = show.get();
        page.context->touch = QPointF(150, 50); // the gallery's spot (0, 1)
    }
};

TEST_F(PictureBatchTest, EveryKindEndsAsTheInsertRunAtOnceAsOneUndoStep)
{
    const QStringList files = pictures(5, {2600, 300}); // wider than the original limit
    const QString pages = pdf(6);
    struct Kind {
        const char *name;
        std::function<void(Page &)> now;
        std::function<void(Page &, std::function<void()>)> later;
    };
    const QList<Kind> kinds = {
        {"pictures", [&](Page &p) { ImageCommands(*p.frame).insertImageFiles(files, {30, 40}); },
         [&](Page &p, auto done) {
             ImageCommands(*p.frame).insertImageFilesLater(files, {30, 40}, false, framesOf(*p.frame),
                                                           [done](const auto &) { done(); });
         }},
        {"dropped", [&](Page &p) { ImageFactory(*p.frame).addPictureFiles(files, {30, 40}); },
         [&](Page &p, auto done) {
             ImageFactory(*p.frame).addPictureFilesLater(files, {30, 40}, framesOf(*p.frame),
                                                         [done](const auto &) { done(); });
         }},
        {"pdf", [&](Page &p) { ImageCommands(*p.frame).insertPdfPages(pages, {30, 40}); },
         [&](Page &p, auto done) {
             ImageCommands(*p.frame).insertPdfPagesLater(pages, {30, 40}, framesOf(*p.frame),
                                                         [done](const auto &) { done(); });
         }},
        {"gallery", [&](Page &p) { GridPictureCommands(*p.frame).proceedsToAddGalleryImages(files); },
         [&](Page &p, auto done) {
             GridPictureCommands(*p.frame).addGalleryImagesInBackground(files, false, [done](int) { done(); });
         }},
        {"slides", [&](Page &p) { SlideCommands(*p.frame).addSlideshowImage(files); },
         [&](Page &p, auto done) { SlideCommands(*p.frame).addSlideshowImagesLater(files, [done](int) { done(); }); }},
    };
    for (const Kind &kind : kinds) {
        SCOPED_TRACE(kind.name);
        const QString name = QString::fromLatin1(kind.name);
        Page now(name, path(QStringLiteral("now")));
        Page later(name, path(QStringLiteral("later")));
        prepare(now);
        prepare(later);
        const QStringList empty = describe(*later.doc);
        kind.now(now);

        bool finished = false;
        kind.later(later, [&] { finished = true; });
        EXPECT_FALSE(finished); // nothing happens before the event loop turns
        EXPECT_EQ(describe(*later.doc), empty);
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 30000));

        EXPECT_NE(describe(*later.doc), empty);
        EXPECT_EQ(describe(*later.doc), describe(*now.doc));
        EXPECT_EQ(filesOf(later.doc->pageFolderPath()), filesOf(now.doc->pageFolderPath()));
        EXPECT_FALSE(filesOf(later.doc->pageFolderPath()).isEmpty());
        EXPECT_EQ(later.doc->undoManager().undoCount(), 1);
        ASSERT_TRUE(later.doc->undoManager().undo());
        EXPECT_EQ(describe(*later.doc), empty);
    }
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(PictureBatchTest, AClosedSwitchedOrCancelledInsertLeavesThePageAloneAndWritesNothing)
{
    const QStringList files = pictures(6, {1800, 1200});
    const QString pages = pdf(4);
    using Start = std::function<void(Page &)>;
    const QList<QPair<const char *, Start>> starts = {
        {"pictures", [&](Page &p) { ImageCommands(*p.frame).insertImageFilesLater(files, {0, 0}, false, framesOf(*p.frame)); }},
        {"pdf", [&](Page &p) { ImageCommands(*p.frame).insertPdfPagesLater(pages, {0, 0}, framesOf(*p.frame)); }},
        {"dropped", [&](Page &p) { ImageFactory(*p.frame).addPictureFilesLater(files, {0, 0}, framesOf(*p.frame)); }},
        {"gallery", [&](Page &p) { GridPictureCommands(*p.frame).addGalleryImagesInBackground(files, false, {}); }},
        {"slides", [&](Page &p) { SlideCommands(*p.frame).addSlideshowImagesLater(files); }},
    };
    for (const auto &[name, start] : starts) {
        SCOPED_TRACE(name);
        // Closed: the document goes while the files are read.
        {
            auto page = std::make_unique<Page>(QStringLiteral("closed"), path(QStringLiteral("work")));
            prepare(*page);
            const QString folder = page->doc->pageFolderPath();
            start(*page);
            page.reset();
            ASSERT_TRUE(waitForBatches());
            EXPECT_TRUE(filesOf(folder).isEmpty());
        }
        // Switched: the same document now shows another page.
        {
            Page page(QStringLiteral("switched"), path(QStringLiteral("work")));
            prepare(page);
            const QString folder = page.doc->pageFolderPath();
            const QStringList before = describe(*page.doc);
            start(page);
            page.doc->fileURLPath = path(QStringLiteral("another.page"));
            ASSERT_TRUE(waitForBatches());
            EXPECT_EQ(describe(*page.doc), before);
            EXPECT_EQ(page.doc->undoManager().undoCount(), 0);
            EXPECT_TRUE(filesOf(folder).isEmpty());
        }
        // Cancelled from the progress window.
        {
            Page page(QStringLiteral("cancelled"), path(QStringLiteral("work")));
            prepare(page);
            const QStringList before = describe(*page.doc);
            start(page);
            ProgressModel::instance().cancel();
            ASSERT_TRUE(waitForBatches());
            EXPECT_EQ(describe(*page.doc), before);
            EXPECT_TRUE(filesOf(page.doc->pageFolderPath()).isEmpty());
            EXPECT_FALSE(ProgressModel::instance().state().hasController);
        }
    }
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(PictureBatchTest, AnUnreadableFileRefusesTheWholeBatchLater)
{
    QStringList files = pictures(2, {100, 80});
    QFile broken(path(QStringLiteral("broken.png")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture here");
    broken.close();
    files.insert(1, broken.fileName());
    Page page(QStringLiteral("index2"), path(QStringLiteral("work")));
    prepare(page);
    const QStringList before = describe(*page.doc);
    ImageCommands(*page.frame).insertImageFilesLater(files, {0, 0}, false, framesOf(*page.frame));
    SlideCommands(*page.frame).addSlideshowImagesLater(files);
    ASSERT_TRUE(waitForBatches());
    EXPECT_EQ(describe(*page.doc), before);
    ASSERT_EQ(alerts.shown().size(), 2);
    for (const auto &shown : alerts.shown())
        EXPECT_TRUE(shown.alert.informativeText.contains("broken.png"));
    EXPECT_TRUE(filesOf(page.doc->pageFolderPath()).isEmpty());
}

// Picture files and PDF pages inserted, pictures replaced, click to enlarge:
// placement, refusals that write nothing, and undo of a replacement that
// brings back picture, bounds, type and original file together.
#include "InsertionFixture.h"

#include "insertion/ImageCommands.h"
#include "insertion/PictureBatch.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

class ImageCommandsTest : public InsertionTest {
protected:
    QString picture(const QString &name, QSize size, QColor colour = Qt::darkCyan)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = path(name);
        EXPECT_TRUE(image.save(file));
        return file;
    }
    QString pdf(const QString &name, const QList<QSizeF> &pagePoints)
    {
        const QString file = path(name);
        QPdfWriter writer(file);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(pagePoints.first(), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        for (int i = 0; i < pagePoints.size(); ++i) {
            if (i > 0) {
                writer.setPageSize(QPageSize(pagePoints[i], QPageSize::Point));
                writer.newPage();
            }
            painter.fillRect(QRectF(0, 0, 20, 20), Qt::red);
        }
        painter.end();
        return file;
    }
    QStringList pageFiles() const
    {
        QStringList files;
        QDirIterator it(pageFolder(), QDir::Files);
        while (it.hasNext())
            files.append(QFileInfo(it.next()).fileName());
        files.sort();
        return files;
    }
    QByteArray bytes(const QString &file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    ImageCommands commands() { return ImageCommands(*frame); }
    // The test's frame, when the panel answers and when the pictures are ready.
    InsertionFrameRunner sameFrame()
    {
        return [this](const std::function<void(InsertionFrame &)> &fn) {
            fn(*frame);
            return true;
        };
    }
};

TEST_F(ImageCommandsTest, FilesLandTwentyPixelsApartAndUnreadableOnesAreRefusedWhole)
{
    const QStringList files{picture(QStringLiteral("a.png"), {100, 50}), picture(QStringLiteral("b.jpg"), {1200, 900}),
                            picture(QStringLiteral("c.PNG"), {40, 40})};
    panels.answer(files);
    commands().addNewImage_drag({100, 80}, sameFrame());
    ASSERT_EQ(panels.openPanels().size(), 1);
    // The files are read behind the event loop.
    ASSERT_TRUE(QTest::qWaitFor([] { return PictureBatch::pending() == 0; }, 30000));
    EXPECT_EQ(panels.openPanels().first().title, "Add one or multiple images");
    ASSERT_EQ(doc->graphics().size(), 3);
    EXPECT_EQ(doc->graphics()[0]->bounds().topLeft(), QPointF(140, 80)); // the last one front-most
    EXPECT_EQ(doc->graphics()[1]->bounds(), QRectF(120, 80, 600, 450));
    EXPECT_EQ(doc->graphics()[2]->bounds().topLeft(), QPointF(100, 80));
    EXPECT_EQ(doc->undoManager().undoCount(), 1);

    // One unreadable file: a message naming it, nothing inserted or written.
    doc->undoManager().undo();
    const QStringList before = pageFiles();
    QFile broken(path(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    EXPECT_TRUE(commands().insertImageFiles({files[0], broken.fileName()}, {0, 0}).isEmpty());
    EXPECT_TRUE(alerts.last().informativeText.contains("broken.jpg"));
    EXPECT_TRUE(doc->graphics().isEmpty());
    EXPECT_EQ(pageFiles(), before);
}

TEST_F(ImageCommandsTest, PdfPagesAreDrawnSharpAndStackedWithPageOneInFront)
{
    const QString file = pdf(QStringLiteral("three.pdf"), {{200, 100}, {300, 150}, {700, 350}});
    panels.answer(file);
    commands().addNewPDF_drag({10, 10}, sameFrame());
    EXPECT_EQ(panels.openPanels().first().title, "Add PDF file");
    ASSERT_TRUE(QTest::qWaitFor([] { return PictureBatch::pending() == 0; }, 30000));
    ASSERT_EQ(doc->graphics().size(), 3);
    auto *first = dynamic_cast<SKTImage *>(doc->graphics()[0].get());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bounds(), QRectF(110, 10, 200, 100));
    EXPECT_EQ(first->imageType(), "JPG");
    EXPECT_EQ(first->inputImage().size(), QSize(400, 200)); // two pixels per point
    EXPECT_EQ(doc->graphics()[1]->bounds(), QRectF(60, 10, 300, 150));
    EXPECT_EQ(doc->graphics()[2]->bounds(), QRectF(10, 10, 600, 300)); // wider than the limit
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    EXPECT_FALSE(QFile::exists(QDir(gWorkFolder).filePath(QStringLiteral("temp.jpg"))));

    struct Bad {
        const char *name;
        QByteArray content;
    };
    for (const Bad &bad : {Bad{"damaged.pdf", "%PDF-1.4\ngarbage"}, Bad{"empty.pdf", ""}}) {
        SCOPED_TRACE(bad.name);
        QFile f(path(QString::fromLatin1(bad.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bad.content);
        f.close();
        EXPECT_TRUE(commands().insertPdfPages(f.fileName(), {0, 0}).isEmpty());
        EXPECT_TRUE(alerts.last().messageText.contains(QString::fromLatin1(bad.name)));
        EXPECT_EQ(doc->graphics().size(), 3);
    }
}

TEST_F(ImageCommandsTest, ReplacementKeepsPlaceAndWidthAndUndoBringsTheOriginalBack)
{
    const auto inserted = commands().insertImageFiles({picture(QStringLiteral("small.jpg"), {300, 200})}, {0, 0});
    ASSERT_EQ(inserted.size(), 1);
    auto *image = dynamic_cast<SKTImage *>(inserted.first().get());
    context->selectionCache.selectedImage = image;
    doc->undoManager().removeAllActions();
    const QString jpgOriginal = QDir(pageFolder()).filePath(image->imageName() + QStringLiteral("o.JPG"));
    const QByteArray oldBytes = bytes(jpgOriginal);
    ASSERT_FALSE(oldBytes.isEmpty());
    const auto before = snapshot();

    ASSERT_TRUE(commands().replaceImageWithFile(picture(QStringLiteral("big.png"), {800, 800}, Qt::yellow)));
    EXPECT_EQ(image->bounds(), QRectF(0, 0, 300, 300));
    EXPECT_EQ(image->imageType(), "PNG");
    EXPECT_EQ(image->inputImage().size(), QSize(800, 800));
    const QString pngOriginal = QDir(pageFolder()).filePath(image->imageName() + QStringLiteral("o.PNG"));
    EXPECT_TRUE(QFile::exists(pngOriginal));
    EXPECT_FALSE(QFile::exists(jpgOriginal));
    const auto after = snapshot();

    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(bytes(jpgOriginal), oldBytes);
    EXPECT_FALSE(QFile::exists(pngOriginal));
    ASSERT_TRUE(doc->undoManager().redo());
    EXPECT_EQ(snapshot(), after);
    EXPECT_TRUE(QFile::exists(pngOriginal));

    // Refusals write nothing: an unreadable file, an empty picture, an image without width.
    const QStringList files = pageFiles();
    QFile broken(path(QStringLiteral("broken.png")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("nope");
    broken.close();
    EXPECT_FALSE(commands().replaceImageWithFile(broken.fileName()));
    EXPECT_TRUE(alerts.last().informativeText.contains("broken.png"));
    EXPECT_FALSE(commands().replaceImage(QImage()));
    image->SKTGraphic::setBounds(QRectF(0, 0, 0, 300));
    EXPECT_FALSE(commands().replaceImage(QImage(10, 10, QImage::Format_RGB32)));
    EXPECT_EQ(pageFiles(), files);
}

TEST_F(ImageCommandsTest, ClickToEnlargeChangesOnlyPictures)
{
    const auto inserted = commands().insertImageFiles({picture(QStringLiteral("p.png"), {50, 50})}, {0, 0});
    auto *image = dynamic_cast<SKTImage *>(inserted.first().get());
    auto text = std::make_shared<SKTText>();
    place({text});
    context->selection = {image, text.get()};
    context->selectionCache.selectedImage = image;
    EXPECT_FALSE(commands().isItAlreadyEnlarged());
    commands().setClickToEnlarge(1);
    EXPECT_EQ(image->imageEnlargeFlag(), 1);
    EXPECT_EQ(image->backdropLightingFlag(), 1);
    EXPECT_EQ(text->imageEnlargeFlag(), 0);
    EXPECT_TRUE(commands().isItAlreadyEnlarged());
    commands().disableClickToEnlarge();
    EXPECT_EQ(image->imageEnlargeFlag(), 0);
    EXPECT_EQ(image->backdropLightingFlag(), 1);
}

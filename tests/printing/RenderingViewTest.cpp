// Graphics drawn for the clipboard as PDF and PNG: the drawing bounds, the
// stacking order, and the error when there is nothing to draw.
#include "canvas/SKTRenderingView.h"

#include "model/SKTRectangle.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<SKTRectangle> box(QRectF r, QColor fill)
{
    auto g = std::make_unique<SKTRectangle>();
    g->setBounds(r);
    g->setDrawingFill(true);
    g->setFillColor(fill);
    g->setDrawingStroke(false);
    return g;
}

TEST(RenderingView, TheFirstGraphicIsOnTopInThePngAndThePdfAlike)
{
    auto front = box({120, 40, 60, 60}, Qt::red);
    auto back = box({150, 70, 60, 60}, Qt::blue);
    const QList<SKTGraphic *> graphics = {front.get(), back.get()};

    // The drawing bounds reach 7 units past the shapes on every side.
    const QImage png = QImage::fromData(SKTRenderingView::pngDataWithGraphics(graphics), "PNG");
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(104, 104));
    EXPECT_EQ(png.pixelColor(52, 52), QColor(Qt::red));  // the overlap
    EXPECT_EQ(png.pixelColor(82, 82), QColor(Qt::blue));
    EXPECT_EQ(png.pixelColor(10, 95).alpha(), 0);

    QTemporaryDir dir;
    const QByteArray pdfData = SKTRenderingView::pdfDataWithGraphics(graphics);
    ASSERT_TRUE(pdfData.startsWith("%PDF"));
    QFile pdf(dir.filePath("copy.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(pdfData);
    pdf.close();
    QProcess render;
    render.start("pdftoppm", {"-r", "72", "-singlefile", "-png", pdf.fileName(), dir.filePath("copy")});
    ASSERT_TRUE(render.waitForFinished(30000));
    const QImage page(dir.filePath("copy.png"));
    ASSERT_EQ(page.size(), QSize(104, 104));
    EXPECT_EQ(page.pixelColor(52, 52), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(82, 82), QColor(Qt::blue));
    EXPECT_EQ(page.pixelColor(10, 95), QColor(Qt::white));
}

TEST(RenderingView, NoGraphicsGiveNoDataAndErrorThree)
{
    SKTError error;
    EXPECT_TRUE(SKTRenderingView::pngDataWithGraphics({}, &error).isEmpty());
    EXPECT_EQ(error.code, 3);
    SKTError pdfError;
    EXPECT_TRUE(SKTRenderingView::pdfDataWithGraphics({}, &pdfError).isEmpty());
    EXPECT_EQ(pdfError.code, 3);
    EXPECT_TRUE(SKTRenderingView::pngDataWithGraphics({}, nullptr).isEmpty());
}

TEST(RenderingView, TheClipboardGetsBothPicturesAndAFarFlungSelectionStaysSmall)
{
    auto near = box({0, 0, 50, 50}, Qt::red);
    auto far = box({90000, 60000, 50, 50}, Qt::blue);
    QMimeData data;
    ASSERT_TRUE(SKTRenderingView::addClipboardPictures(data, {near.get()}));
    EXPECT_TRUE(data.data(QStringLiteral("application/pdf")).startsWith("%PDF"));
    EXPECT_EQ(QImage::fromData(data.data(QStringLiteral("image/png")), "PNG").size(), QSize(64, 64));

    // Two graphics far apart: scaled down to fit, not a picture of gigabytes.
    const QByteArray spreadData = SKTRenderingView::pngDataWithGraphics({near.get(), far.get()});
    ASSERT_FALSE(spreadData.isEmpty());
    const QImage spread = QImage::fromData(spreadData, "PNG");
    ASSERT_FALSE(spread.isNull()) << spreadData.size();
    EXPECT_EQ(spread.width(), SKTRenderingView::kMaximumPictureSide);
    EXPECT_LT(spread.height(), SKTRenderingView::kMaximumPictureSide);
    EXPECT_GT(spread.pixelColor(0, 0).red(), 0);

    QMimeData empty;
    EXPECT_FALSE(SKTRenderingView::addClipboardPictures(empty, {}));
    EXPECT_TRUE(empty.formats().isEmpty());
}

}  // namespace

#include "printing/PdfBook.h"

#include "document/SKTDocument.h"
#include "model/GraphicRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

namespace {

constexpr double kPointsPerInch = 72.0;

// One page ready to paint: its size in points and how to draw it there.
struct PreparedPage {
    QSizeF size;
    std::function<void(QPainter &, const BookSettings &, double pointsToDevice)> draw;
};

QImage reduced(const QImage &image, const QSizeF &printedPoints, const BookSettings &settings)
{
    if (!settings.reduceSize || image.isNull())
        return image;
    QImage out = image;
    const double widthInches = printedPoints.width() / kPointsPerInch;
    if (widthInches > 0 && image.width() / widthInches > settings.maximumDpi) {
        const int width = std::max(1, static_cast<int>(std::lround(widthInches * settings.maximumDpi)));
        out = image.scaledToWidth(width, Qt::SmoothTransformation);
    }
    if (!out.hasAlphaChannel())
        return out;
    // Opaque pictures are stored as JPEG by the PDF writer once they carry no
    // alpha channel.
    bool opaque = true;
    const QImage argb = out.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height() && opaque; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255) {
                opaque = false;
                break;
            }
        }
    }
    return opaque ? out.convertToFormat(QImage::Format_RGB32) : out;
}

bool preparePicture(const BookPage &page, PreparedPage *prepared)
{
    QImageReader reader(page.imagePath);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    prepared->size = QSizeF(image.size());
    prepared->draw = [image](QPainter &painter, const BookSettings &settings, double) {
        painter.drawImage(QRectF(QPointF(), QSizeF(image.size())), reduced(image, QSizeF(image.size()), settings));
    };
    return true;
}

bool preparePackage(const BookPage &page, PreparedPage *prepared)
{
    auto document = std::make_shared<SKTDocument>();
    if (page.packagePath.isEmpty() || !document->readFromFile(page.packagePath))
        return false;
    prepared->size = document->pageCanvasSize();
    if (prepared->size.isEmpty())
        return false;
    prepared->draw = [document](QPainter &painter, const BookSettings &, double) {
        painter.fillRect(QRectF(QPointF(), document->pageCanvasSize()), document->pageColor);
        GraphicRenderer::render(painter, document->graphicPointers(), GraphicRenderer::paperOptions());
    };
    return true;
}

// Walks the book: prepares each page and hands it to `paintPage`.
BookResult walk(const QList<BookPage> &projectPages, PdfBook::Source source, const PdfBook::Progress &progress,
                const std::function<bool(const PreparedPage &, bool first)> &paintPage)
{
    BookResult result;
    const QList<BookPage> pages = PdfBook::bookPages(projectPages);
    const auto total = static_cast<int>(projectPages.size());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const BookPage &page = pages.at(i);
        if (progress)
            progress(static_cast<int>(i), total, page.pageName);
        PreparedPage prepared;
        const bool ready = source == PdfBook::Source::Packages ? preparePackage(page, &prepared)
                                                                : preparePicture(page, &prepared);
        if (!ready) {
            result.unreadablePages.append(page.pageName);
            continue;
        }
        if (!paintPage(prepared, result.pages == 0)) {
            result.ok = false;
            result.errorText = QCoreApplication::translate("PdfBook", "A new page could not be started.");
            return result;
        }
        ++result.pages;
    }
    if (progress)
        progress(total, total, {});
    if (result.pages == 0) {
        result.ok = false;
        result.errorText = QCoreApplication::translate("PdfBook", "The project has no page that could be read.");
    }
    return result;
}

}  // namespace

QList<BookPage> PdfBook::bookPages(const QList<BookPage> &projectPages)
{
    QList<BookPage> out;
    for (const BookPage &page : projectPages) {
        if (page.publishFileName != QLatin1String("basetemplate.html"))
            out.append(page);
    }
    return out;
}

QString PdfBook::withPdfExtension(const QString &path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".PDF") : path;
}

BookResult PdfBook::write(const QString &path, const QList<BookPage> &projectPages, Source source,
                          const BookSettings &settings, const Progress &progress)
{
    BookResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.ok = false;
        result.errorText = QCoreApplication::translate("PdfBook", "The file \"%1\" could not be written: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(static_cast<int>(kPointsPerInch));
        QPainter painter;
        bool begun = false;
        result = walk(projectPages, source, progress, [&](const PreparedPage &page, bool first) {
            writer.setPageLayout(QPageLayout(QPageSize(page.size, QPageSize::Point, {}, QPageSize::ExactMatch),
                                             QPageLayout::Portrait, QMarginsF()));
            if (first)
                begun = painter.begin(&writer);
            else if (!writer.newPage())
                return false;
            if (!begun)
                return false;
            page.draw(painter, settings, 1.0);
            return true;
        });
        if (begun)
            painter.end();
    }
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.ok = false;
        result.errorText = QCoreApplication::translate("PdfBook", "The file \"%1\" could not be written: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return result;
}

BookResult PdfBook::paintFitted(QPainter &painter, QPagedPaintDevice &device, const QList<BookPage> &projectPages,
                                Source source, const Progress &progress)
{
    const double perPoint = device.logicalDpiX() / kPointsPerInch;
    return walk(projectPages, source, progress, [&](const PreparedPage &page, bool first) {
        if (!first && !device.newPage())
            return false;
        const QRectF target = device.pageLayout().paintRectPixels(device.logicalDpiX());
        const double scale = std::min(target.width() / page.size.width(), target.height() / page.size.height());
        painter.save();
        painter.translate((target.width() - page.size.width() * scale) / 2.0,
                          (target.height() - page.size.height() * scale) / 2.0);
        painter.scale(scale, scale);
        page.draw(painter, {}, perPoint);
        painter.restore();
        return true;
    });
}

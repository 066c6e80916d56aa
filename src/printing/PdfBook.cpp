#include "printing/PdfBook.h"

#include "document/SKTDocument.h"
#include "model/GraphicRenderer.h"
#include "platform/Tasks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QThread>

#include <cmath>

namespace {

constexpr double kPointsPerInch = 72.0;

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

bool readPicture(BookPlan::Page &page)
{
    QImageReader reader(page.imagePath);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    page.size = QSizeF(image.size());
    page.picture = true;
    page.draw = [image](QPainter &painter, const BookSettings &settings) {
        painter.drawImage(QRectF(QPointF(), QSizeF(image.size())), reduced(image, PdfBook::pointSize(QSizeF(image.size()), true, settings), settings));
    };
    return true;
}

// The page documents of a plan may be let go on a worker when painting ends
// there; a document belongs to the main thread, so it is deleted there.
void deleteOnMainThread(SKTDocument *document)
{
    if (!QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread()
        || !Tasks::runOnMainThread([document] { delete document; }))
        delete document;
}

bool readPackage(const BookPage &source, BookPlan::Page &page)
{
    std::shared_ptr<SKTDocument> document(new SKTDocument, deleteOnMainThread);
    if (source.packagePath.isEmpty() || !document->readFromFile(source.packagePath))
        return false;
    page.size = document->pageCanvasSize();
    if (page.size.isEmpty())
        return false;
    page.draw = [document](QPainter &painter, const BookSettings &) {
        painter.fillRect(QRectF(QPointF(), document->pageCanvasSize()), document->pageColor);
        GraphicRenderer::render(painter, document->graphicPointers(), GraphicRenderer::paperOptions());
    };
    return true;
}

// Walks the plan: reads each picture and hands each page to `paintPage`.
BookResult walk(const BookPlan &plan, const PdfBook::Progress &progress,
                const std::function<bool(const BookPlan::Page &, bool first)> &paintPage)
{
    BookResult result;
    for (qsizetype i = 0; i < plan.pages.size(); ++i) {
        BookPlan::Page page = plan.pages.at(i);
        if (progress)
            progress(static_cast<int>(i), plan.total, page.pageName);
        if (page.readable && !page.draw)
            page.readable = readPicture(page);
        if (!page.readable) {
            result.unreadablePages.append(page.pageName);
            continue;
        }
        if (!paintPage(page, result.pages == 0)) {
            result.ok = false;
            result.errorText = QCoreApplication::translate("PdfBook", "A new page could not be started.");
            return result;
        }
        ++result.pages;
    }
    if (progress)
        progress(plan.total, plan.total, {});
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

BookPlan PdfBook::plan(const QList<BookPage> &projectPages, Source source, int canvasWidth)
{
    BookPlan plan;
    plan.total = static_cast<int>(projectPages.size());
    for (const BookPage &page : bookPages(projectPages)) {
        BookPlan::Page planned;
        planned.pageName = page.pageName;
        bool thumbnail = false;
        if (source == Source::Pictures && canvasWidth > 0) {
            const QSize pictureSize = QImageReader(page.imagePath).size();
            thumbnail = !pictureSize.isValid() || pictureSize.width() < canvasWidth;
        }
        if (source == Source::Packages || (thumbnail && readPackage(page, planned)))
            planned.readable = planned.draw ? true : readPackage(page, planned);
        else
            planned.imagePath = page.imagePath;
        plan.pages.append(std::move(planned));
    }
    return plan;
}

QSizeF PdfBook::pointSize(const QSizeF &size, bool picture, const BookSettings &settings)
{
    QSizeF canvas = size;
    if (picture && settings.canvasWidth > 0 && size.width() > 0)
        canvas = size * (settings.canvasWidth / size.width());
    if (settings.canvasPixelsPerInch <= 0.0f)
        return canvas;
    return canvas * (kPointsPerInch / settings.canvasPixelsPerInch);
}

QString PdfBook::withPdfExtension(const QString &path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".PDF") : path;
}

BookResult PdfBook::write(const QString &path, const QList<BookPage> &projectPages, Source source,
                          const BookSettings &settings, const Progress &progress)
{
    return write(path, plan(projectPages, source), settings, progress);
}

BookResult PdfBook::write(const QString &path, const BookPlan &plan, const BookSettings &settings,
                          const Progress &progress)
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
        result = walk(plan, progress, [&](const BookPlan::Page &page, bool first) {
            const QSizeF points = pointSize(page.size, page.picture, settings);
            writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, {}, QPageSize::ExactMatch),
                                             QPageLayout::Portrait, QMarginsF()));
            if (first)
                begun = painter.begin(&writer);
            else if (!writer.newPage())
                return false;
            if (!begun)
                return false;
            painter.save();
            painter.scale(points.width() / page.size.width(), points.height() / page.size.height());
            page.draw(painter, settings);
            painter.restore();
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
    return paintFitted(painter, device, plan(projectPages, source), progress);
}

BookResult PdfBook::paintFitted(QPainter &painter, QPagedPaintDevice &device, const BookPlan &plan,
                                const Progress &progress)
{
    return walk(plan, progress, [&](const BookPlan::Page &page, bool first) {
        if (!first && !device.newPage())
            return false;
        const QRectF target = device.pageLayout().paintRectPixels(device.logicalDpiX());
        const double scale = std::min(target.width() / page.size.width(), target.height() / page.size.height());
        painter.save();
        painter.translate((target.width() - page.size.width() * scale) / 2.0,
                          (target.height() - page.size.height() * scale) / 2.0);
        painter.scale(scale, scale);
        page.draw(painter, {});
        painter.restore();
        return true;
    });
}

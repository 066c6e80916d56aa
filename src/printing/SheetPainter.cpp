#include "printing/SheetPainter.h"

#include "config/DataCentreImages.h"
#include "config/EditionSettings.h"
#include "config/PaperSizes.h"
#include "printing/PageDrawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

constexpr double kFitTolerance = 0.01;  // inches
constexpr int kMaximumDecoders = 3;

// From the size's own definition: ISO papers are whole millimetres, and the
// rounded inch and point figures would shift a centred grid by a tenth of a point.
QSizeF exactInches(const QPageSize &size)
{
    const QSizeF defined = size.definitionSize();
    switch (size.definitionUnits()) {
    case QPageSize::Millimeter:
        return defined / 25.4;
    case QPageSize::Inch:
        return defined;
    case QPageSize::Point:
        return defined / 72.0;
    default:
        return size.size(QPageSize::Inch);
    }
}

QSizeF orientedInches(const QPageSize &size, QPageLayout::Orientation orientation)
{
    const QSizeF inches = exactInches(size);
    return orientation == QPageLayout::Landscape ? inches.transposed() : inches;
}

bool fits(double width, double height, const QSizeF &paper)
{
    return width <= paper.width() + kFitTolerance && height <= paper.height() + kFitTolerance;
}

// How far a grid of width x height inches reaches beyond the paper.
double overflow(double width, double height, const QSizeF &paper)
{
    return std::max(0.0, width - paper.width()) + std::max(0.0, height - paper.height());
}

// A drawn page at `dpi` over the spot it fills: the canvas scaled so that the
// piece's printed width (its height once turned a quarter) gets dpi dots per
// inch, never fewer pixels than the canvas has.
QImage drawPicture(const SheetPicture &picture, const SheetGeometry &geometry, int dpi)
{
    const QSize canvas = picture.canvasSize;
    if (canvas.isEmpty())
        return {};
    const double k = geometry.unitsPerInch > 0.0f ? geometry.unitsPerInch : 144.0;
    const bool quarterTurn = std::fmod(std::abs(picture.rotation), 180.0f) == 90.0f;
    const double printedInches = geometry.pieceWidth / k;
    const double canvasAcross = quarterTurn ? canvas.height() : canvas.width();
    const double scale = printedInches > 0.0 ? dpi * printedInches / canvasAcross : 1.0;
    return PageDrawing::render(picture, std::max(scale, 1.0));
}

QImage decodePicture(const SheetPicture &picture, const SheetGeometry &geometry, int dpi)
{
    QImage image = picture.image;
    if (image.isNull() && picture.drawing)
        image = drawPicture(picture, geometry, dpi);
    if (image.isNull() && !picture.path.isEmpty()) {
        QImageReader reader(picture.path);
        image = reader.read();
    }
    if (!image.isNull() && picture.rotation != 0.0f)
        image = DataCentreImages::rotateImage(image, picture.rotation);
    return image;
}

// Decodes the listed pictures side by side; results in list order.
QList<QImage> decodeAll(const SheetComposition &composition, const QList<int> &which)
{
    const QList<SheetPicture> &pictures = composition.pictures;
    const auto decodePicture = [&composition](const SheetPicture &picture) {
        return ::decodePicture(picture, composition.geometry, composition.pictureDpi);
    };
    QList<QImage> out(which.size());
    const int workers = std::clamp<int>(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaximumDecoders);
    if (which.size() < 2 || workers == 1) {
        for (qsizetype i = 0; i < which.size(); ++i)
            out[i] = decodePicture(pictures.at(which.at(i)));
        return out;
    }
    std::atomic<qsizetype> next{0};
    auto work = [&] {
        for (qsizetype i = next++; i < which.size(); i = next++)
            out[i] = decodePicture(pictures.at(which.at(i)));
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < workers; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread &thread : threads)
        thread.join();
    return out;
}

QString pictureName(const SheetPicture &picture)
{
    if (!picture.pageName.isEmpty())
        return picture.pageName;
    return QFileInfo(picture.path).fileName();
}

}  // namespace

QPageSize SheetPainter::pageSizeForPaper(const QString &paper)
{
    return PaperSizes::pageSize(paper);
}

bool SheetPainter::knowsPaper(const QString &paper)
{
    return PaperSizes::knows(paper);
}

QString SheetPainter::paperName(const QString &templatePaper, const QString &sheetPaper)
{
    return templatePaper.isEmpty() ? sheetPaper : templatePaper;
}

QPageLayout::Orientation SheetPainter::orientationFor(const SheetGeometry &geometry, const QPageSize &pageSize,
                                                      const QString &templateDescription)
{
    const double k = geometry.unitsPerInch > 0.0f ? geometry.unitsPerInch : 144.0;
    const double width = geometry.sheetWidth / k;
    const double height = geometry.sheetHeight / k;
    if (gAppName == QLatin1String("Tovra Greeting Card Designer")) {
        // The fold decides, unless the folded sheet's grid only fits the paper
        // the other way round (the A5 horizontal half fold): then that way.
        const bool vertical = templateDescription.contains(QLatin1String("Vertical"));
        const bool quarter = templateDescription.contains(QLatin1String("Quarter"));
        const QPageLayout::Orientation byFold = vertical != quarter ? QPageLayout::Landscape : QPageLayout::Portrait;
        const QPageLayout::Orientation other =
            byFold == QPageLayout::Landscape ? QPageLayout::Portrait : QPageLayout::Landscape;
        // (A grid a hair wider than its paper, 8.3" on A5's 8.27", goes the
        // way that cuts least.)
        if (!fits(width, height, orientedInches(pageSize, byFold))
            && overflow(width, height, orientedInches(pageSize, other))
                   < overflow(width, height, orientedInches(pageSize, byFold)))
            return other;
        return byFold;
    }
    if (fits(width, height, orientedInches(pageSize, QPageLayout::Portrait)))
        return QPageLayout::Portrait;
    if (fits(width, height, orientedInches(pageSize, QPageLayout::Landscape)))
        return QPageLayout::Landscape;
    return width > height ? QPageLayout::Landscape : QPageLayout::Portrait;
}

SheetPaper SheetPainter::paperFor(const SheetGeometry &geometry, const LabelHelper &sheet,
                                  const QString &templatePaper, const QString &templateDescription)
{
    SheetPaper paper;
    paper.pageSize = pageSizeForPaper(paperName(templatePaper, sheet.paperSize));
    paper.orientation = orientationFor(geometry, paper.pageSize, templateDescription);
    const double k = geometry.unitsPerInch > 0.0f ? geometry.unitsPerInch : 144.0;
    const QSizeF inches = orientedInches(paper.pageSize, paper.orientation);
    const double gridWidth = geometry.sheetWidth / k;
    const double gridHeight = geometry.sheetHeight / k;
    const double across = sheet.printSheetLeftMarginInch + gridWidth + sheet.printSheetRightMarginInch;
    const double down = sheet.printSheetTopMarginInch + gridHeight + sheet.printSheetBottomMarginInch;
    const bool marginsHold = std::abs(across - inches.width()) <= kFitTolerance
                             && std::abs(down - inches.height()) <= kFitTolerance;
    if (marginsHold)
        paper.gridOrigin = {sheet.printSheetLeftMarginInch * k, sheet.printSheetTopMarginInch * k};
    else
        paper.gridOrigin = {(inches.width() - gridWidth) / 2.0 * k, (inches.height() - gridHeight) / 2.0 * k};
    return paper;
}

SheetPaper SheetPainter::framePaper(const SheetGeometry &geometry)
{
    const double k = geometry.unitsPerInch > 0.0f ? geometry.unitsPerInch : 144.0;
    SheetPaper paper;
    paper.pageSize = QPageSize(QSizeF(geometry.sheetWidth / k * 72.0, geometry.sheetHeight / k * 72.0),
                               QPageSize::Point, QString(), QPageSize::ExactMatch);
    return paper;
}

SheetPaintResult SheetPainter::paint(QPainter &painter, QPagedPaintDevice &device, const SheetComposition &composition,
                                     const SheetPaper &paper, double scale, int copies,
                                     const std::atomic<bool> *cancel)
{
    SheetPaintResult result;
    // Pictures are decoded a few at a time just before they are drawn and let
    // go after their last spot on the sheet, unless the next sheet shows them
    // again: a sheet of thirty different labels never holds thirty pictures.
    const int batch = std::clamp<int>(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaximumDecoders);
    QHash<int, QImage> decoded;
    QSet<int> unreadable;
    const int copyCount = std::max(copies, 1);
    const qsizetype sheetCount = composition.sheets.size();
    const auto known = [&composition](int picture) { return picture >= 0 && picture < composition.pictures.size(); };
    for (int copy = 0; copy < copyCount; ++copy) {
        for (qsizetype s = 0; s < sheetCount; ++s) {
            if (cancel != nullptr && cancel->load()) {
                result.ok = false;
                result.errorText = QCoreApplication::translate("SheetPainter", "Printing was cancelled.");
                return result;
            }
            const PrintRenderingView &sheet = composition.sheets.at(s);
            const PrintRenderingView *following = s + 1 < sheetCount ? &composition.sheets.at(s + 1)
                                                  : copy + 1 < copyCount && sheetCount > 0 ? &composition.sheets.first()
                                                                                           : nullptr;
            QSet<int> keep;
            if (following != nullptr) {
                for (const PrintPlacement &placement : following->placements)
                    keep.insert(placement.picture);
            }
            QHash<int, qsizetype> lastUse;
            for (qsizetype j = 0; j < sheet.placements.size(); ++j)
                lastUse.insert(sheet.placements.at(j).picture, j);

            if (result.pagesPainted > 0 && !device.newPage()) {
                result.ok = false;
                result.errorText = QCoreApplication::translate("SheetPainter", "A new page could not be started.");
                return result;
            }
            painter.save();
            painter.scale(scale, scale);
            painter.translate(paper.gridOrigin);
            for (qsizetype j = 0; j < sheet.placements.size(); ++j) {
                const PrintPlacement &placement = sheet.placements.at(j);
                if (!known(placement.picture))
                    continue;
                if (!decoded.contains(placement.picture)) {
                    // This picture and the next few still to decode, side by side.
                    QList<int> missing;
                    for (qsizetype k = j; k < sheet.placements.size() && missing.size() < batch; ++k) {
                        const int picture = sheet.placements.at(k).picture;
                        if (known(picture) && !decoded.contains(picture) && !missing.contains(picture))
                            missing.append(picture);
                    }
                    const QList<QImage> images = decodeAll(composition, missing);
                    for (qsizetype i = 0; i < missing.size(); ++i)
                        decoded.insert(missing.at(i), images.at(i));
                }
                const QImage image = decoded.value(placement.picture);
                if (image.isNull())
                    unreadable.insert(placement.picture);
                else
                    painter.drawImage(placement.rect, image);
                if (lastUse.value(placement.picture) == j && !keep.contains(placement.picture))
                    decoded.remove(placement.picture);
            }
            painter.restore();
            ++result.pagesPainted;
            // Whatever the next sheet does not show again goes.
            for (auto it = decoded.begin(); it != decoded.end();) {
                if (keep.contains(it.key()))
                    ++it;
                else
                    it = decoded.erase(it);
            }
        }
    }
    QList<int> order(unreadable.cbegin(), unreadable.cend());
    std::sort(order.begin(), order.end());
    for (int index : order)
        result.unreadablePages.append(pictureName(composition.pictures.at(index)));
    return result;
}

SheetPaintResult SheetPainter::writePdf(const QString &path, const SheetComposition &composition,
                                        const SheetPaper &paper, const QString &title)
{
    SheetPaintResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.ok = false;
        result.errorText = QCoreApplication::translate("SheetPainter", "The file \"%1\" could not be written: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(static_cast<int>(composition.geometry.unitsPerInch > 0.0f
                                                  ? composition.geometry.unitsPerInch
                                                  : 144.0f));
        writer.setTitle(title);
        writer.setCreator(gAppName);
        writer.setPageLayout(QPageLayout(paper.pageSize, paper.orientation, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            result.ok = false;
            result.errorText = QCoreApplication::translate("SheetPainter", "The file \"%1\" could not be written.")
                                   .arg(QDir::toNativeSeparators(path));
            return result;
        }
        result = paint(painter, writer, composition, paper, 1.0, 1);
        painter.end();
    }
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.ok = false;
        result.errorText = QCoreApplication::translate("SheetPainter", "The file \"%1\" could not be written: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return result;
}

SheetPaintResult SheetPainter::writeLastSheet(const QString &folder, const SheetComposition &composition)
{
    if (composition.sheets.isEmpty() || !composition.keepsLastSheet)
        return {};
    SheetComposition last;
    last.geometry = composition.geometry;
    last.pictures = composition.pictures;
    last.sheets = {composition.sheets.last()};
    last.pictureDpi = composition.pictureDpi;
    return writePdf(QDir(folder).filePath(QStringLiteral("card.pdf")), last, framePaper(composition.geometry));
}

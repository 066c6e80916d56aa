#include "printing/PageDrawing.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/GraphicRenderer.h"
#include "config/DataCentrePrinting.h"
#include "document/PagePicture.h"

#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPaperDpi = 300;

}  // namespace

SheetPicture PageDrawing::fromDocument(const SKTDocument &document, const QString &pageName, float rotation)
{
    SheetPicture out;
    out.pageName = pageName;
    out.rotation = rotation;
    // With a sheet in force the page is the sheet's piece; otherwise the
    // part of the canvas its graphics cover, as the page picture has it.
    out.canvasSize = currentCanvasPixelsPerInch() > 0.0f
                         ? document.pageCanvasSize().toSize()
                         : PagePicture::size(const_cast<SKTDocument &>(document));
    const bool clear = document.documentColorHexString == QLatin1String("CLEAR0") || !document.pageColor.isValid()
                       || document.pageColor.alpha() == 0;
    out.background = clear ? QColor(Qt::white) : document.pageColor;
    auto drawing = std::make_shared<QPicture>();
    QPainter painter(drawing.get());
    GraphicRenderer::render(painter, document.graphicPointers(), GraphicRenderer::paperOptions());
    painter.end();
    out.drawing = std::move(drawing);
    return out;
}

SheetPicture PageDrawing::fromPackage(const SheetPicture &cached, const QString &packagePath)
{
    if (packagePath.isEmpty())
        return cached;
    // Reading a print page puts its sheet in force: the sheet of the job stays.
    const QString sheet = gDefaultPrintSheet;
    SheetPicture out = cached;
    {
        SKTDocument document;
        if (document.readFromFile(packagePath)) {
            out = fromDocument(document, cached.pageName, cached.rotation);
            out.path = cached.path;
        }
    }
    if (gDefaultPrintSheet != sheet && !sheet.isEmpty())
        DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelper(sheet));
    return out;
}

QImage PageDrawing::render(const SheetPicture &picture, double scale)
{
    const QSize canvas = picture.canvasSize;
    if (!picture.drawing || canvas.isEmpty())
        return {};
    scale = std::max(scale, 1.0);
    const QSize size(std::max(1, int(std::lround(canvas.width() * scale))),
                     std::max(1, int(std::lround(canvas.height() * scale))));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(picture.background);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(double(size.width()) / canvas.width(), double(size.height()) / canvas.height());
    // Played from a copy: a recorded picture is shared, not changed, by playing.
    QPicture drawing = *picture.drawing;
    drawing.play(&painter);
    painter.end();
    return image;
}

double PageDrawing::scaleFor(int dpi, float canvasPixelsPerInch)
{
    return canvasPixelsPerInch > 0.0f ? std::max(1.0, dpi / double(canvasPixelsPerInch)) : 1.0;
}

BookPlan::Page PageDrawing::bookPage(const SKTDocument &document)
{
    const SheetPicture drawn = fromDocument(document, QString());
    BookPlan::Page page;
    page.pageName = QStringLiteral("page");
    page.size = QSizeF(drawn.canvasSize);
    page.readable = !page.size.isEmpty();
    page.draw = [drawn](QPainter &painter, const BookSettings &) {
        painter.fillRect(QRectF(QPointF(), QSizeF(drawn.canvasSize)), drawn.background);
        QPicture drawing = *drawn.drawing;
        drawing.play(&painter);
    };
    return page;
}

float PageDrawing::currentCanvasPixelsPerInch()
{
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        if (row->printDescription == gDefaultPrintSheet)
            return row->canvasPixelFactor;
    }
    return 0.0f;
}

QImage PageDrawing::sharpPage(const SKTDocument &document, double paperInches)
{
    const SheetPicture drawn = fromDocument(document, QString());
    double scale = scaleFor(kPaperDpi, currentCanvasPixelsPerInch());
    const int canvasLongSide = std::max(drawn.canvasSize.width(), drawn.canvasSize.height());
    if (paperInches > 0.0 && canvasLongSide > 0)
        scale = std::max(scale, kPaperDpi * paperInches / canvasLongSide);
    // A page far larger than paper (an image-notes canvas) stays as it is.
    return render(drawn, std::min(scale, 8.0));
}

void PageDrawing::sharpen(QList<SheetPicture> &pictures, const QList<SheetPage> &pages, const QString &openPageName,
                          const std::function<SheetPicture()> &open)
{
    QHash<QString, QString> packages;
    for (const SheetPage &page : pages)
        packages.insert(page.pageName, page.packagePath);
    QHash<QString, SheetPicture> drawn;
    for (SheetPicture &picture : pictures) {
        if (picture.drawing)
            continue;
        const auto known = drawn.constFind(picture.pageName);
        SheetPicture fresh;
        if (known != drawn.cend()) {
            fresh = *known;
        } else if (picture.pageName == openPageName && open) {
            fresh = open();
        } else {
            fresh = fromPackage(picture, packages.value(picture.pageName));
        }
        drawn.insert(picture.pageName, fresh);
        if (!fresh.drawing)
            continue;
        const float rotation = picture.rotation;
        const QString path = picture.path;
        picture = fresh;
        picture.rotation = rotation;
        picture.path = path;
    }
}

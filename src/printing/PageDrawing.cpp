#include "printing/PageDrawing.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/GraphicRenderer.h"
#include "printing/DataCentrePrinting.h"

#include <QHash>
#include <QPainter>

SheetPicture PageDrawing::fromDocument(const SKTDocument &document, const QString &pageName, float rotation)
{
    SheetPicture out;
    out.pageName = pageName;
    out.rotation = rotation;
    out.canvasSize = document.pageCanvasSize().toSize();
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
